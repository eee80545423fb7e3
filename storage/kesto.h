#pragma once
// Durations in the forms the card view reads and writes.
// Texts are cp1252; durations are free text typed by the user, so nothing here fails on odd input.
#include <string>
#include <string_view>

// Puts the blank between a number and its unit: '90min' -> '90 min', '1h30min' -> '1h 30min'.
std::string muotoile_kesto(std::string_view kesto);

// '1h 30min' -> '90 min'; text that is not a single-digit hour count comes back through muotoile_kesto.
std::string tunnit2min(std::string_view kesto);

// '90 min' -> '1h 30min', '120' -> '2h'; under an hour, or already in hours, comes back through muotoile_kesto.
std::string min2tunnit(std::string_view kesto);

// The duration as the card view shows it: minuutteina is the settings choice "Minuutteina (esimerkiksi
// 90 min)", otherwise hours and minutes.
std::string kesto_nakyviin(std::string_view kesto, bool minuutteina);
