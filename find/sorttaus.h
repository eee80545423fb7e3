#pragma once
// The fifteen keys of the sort window and the field labels' pop-up menu, each the sort key of a field of
// the field table; the sort itself is storage/lajittelu.h.
#include <array>
#include <string>
#include <string_view>

#include "storage/lajittelu.h"

inline constexpr int avainten_maara = 15;
inline constexpr int avain_nimi = 0;
inline constexpr int avain_kasetti = 1;

// The items of the sort window's key list, in key order (each begins with a blank, as shown).
extern const std::array<const char*, avainten_maara> jarjestysavaimet;
// The two items of the direction box.
inline constexpr const char* nouseva_teksti = "Nouseva (1234...)";
inline constexpr const char* laskeva_teksti = "Laskeva (...4321)";

// The comparison of a key; nullptr for a key outside 0..14.
Vertailu vertailu(int avain);

// Minutes of a duration in any of the forms the card view writes.
int kesto2int(std::string_view kesto);

// Sorts the whole list by a key (0..14); descending is the ascending result reversed.
void jarjesta_kortit(TOmaList& lista, int avain, Suunta suunta, diag::Viestit& viestit);

// jarjesta_tietokanta of storage/lajittelu.h by a key; false, with nothing done, for a key outside 0..14.
bool jarjesta_tietokanta(Tietokanta& tk, int avain, Suunta suunta, diag::Viestit& viestit);

// The key saving sorts by (see tallennuksen_vertailu).
int tallennuksen_avain(const TOmaList& lista);

// The key of a main-window field label ("Nimi", "Kasetilla", ..., "arvosana_kuva"); -1 for any other name.
int kentan_avain(std::string_view kentan_nimi);
// The message shown when the pop-up menu was opened on a control that has no key.
std::string vaaran_avaimen_viesti(Suunta suunta);
