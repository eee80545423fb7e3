#pragma once
// The small text routines that nearly every part of the program uses, each written once. Texts are cp1252.
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

// Three lower-casings, because three rules are in use and users see each of them:
// A to Z only (case-insensitive searches and comparisons of names from the net);
inline char pieni_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string pienet_ascii(std::string_view s);
// A to Z, Ä and Ö; every other character, Å included, stays (card texts, list searches, profiles);
std::string pienet_kirjaimet(std::string_view teksti);
// ASCII and the Latin-1 capitals (file and member names, settings keys).
std::string pienet_cp1252(std::string_view s);

// Where the pattern first stands in the text at or after alku, the ASCII letters compared without regard
// to case and every other character exactly; npos for an empty pattern or when it is not there.
std::size_t etsi_pienella(std::string_view teksti, std::string_view haettava, std::size_t alku = 0);

// Case-insensitive containment by the rule above; an empty text contains nothing, an empty pattern is in
// every non-empty text.
bool sisaltaa(std::string_view haettava, std::string_view teksti);

// Whether the text begins with the pattern, by the same rule.
bool alkaa_pienella(std::string_view teksti, std::string_view alku);

// The file part of a path written with either separator, as catalogue names made on Windows carry them.
std::string tiedoston_nimi(const std::string& polku);
