#pragma once
// Durations and the two small text routines that nearly every part of the program uses.
// Texts are cp1252; durations are free text typed by the user, so nothing here fails on odd input.
#include <string>
#include <string_view>

// A whole number read from the start of a text.
struct Alkuluku {
    long long arvo = 0;   // 0 when the text does not start with a digit
    bool puhdas = false;  // the whole text was the number, nothing left over
};

// Blanks, then digits up to the first other character. With etumerkki a '+' or '-' may come between the
// blanks and the digits. Very long digit runs stop growing at the largest int.
Alkuluku lue_alkuluku(std::string_view s, bool etumerkki = false);

// Case-insensitive containment for the ASCII letters only; an empty text contains nothing, an empty
// pattern is in every non-empty text.
bool sisaltaa(std::string_view haettava, std::string_view teksti);

// A to Z, Ä and Ö to lower case; every other character, Å included, stays.
std::string pienet_kirjaimet(std::string_view teksti);

// Puts the blank between a number and its unit: '90min' -> '90 min', '1h30min' -> '1h 30min'.
std::string muotoile_kesto(std::string_view kesto);

// '1h 30min' -> '90 min'; text that is not a single-digit hour count comes back through muotoile_kesto.
std::string tunnit2min(std::string_view kesto);

// '90 min' -> '1h 30min', '120' -> '2h'; under an hour, or already in hours, comes back through muotoile_kesto.
std::string min2tunnit(std::string_view kesto);

// The duration as the card view shows it: minuutteina is the settings choice "Minuutteina (esimerkiksi
// 90 min)", otherwise hours and minutes.
std::string kesto_nakyviin(std::string_view kesto, bool minuutteina);
