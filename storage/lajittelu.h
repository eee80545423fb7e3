#pragma once
// Sorting the catalogue by one of the fifteen keys of the sort window, in place, with the placeholder
// card kept at index 0. The order of cards that compare equal comes from the quicksort below and is what
// users have always seen, so it is kept as it is.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

namespace diag { class Viestit; }

enum class Suunta { Nouseva, Laskeva };

inline constexpr int avainten_maara = 15;
inline constexpr int avain_nimi = 0;
inline constexpr int avain_kasetti = 1;

// The items of the sort window's key list, in key order (each begins with a blank, as shown).
extern const std::array<const char*, avainten_maara> jarjestysavaimet;
// The two items of the direction box.
inline constexpr const char* nouseva_teksti = "Nouseva (1234...)";
inline constexpr const char* laskeva_teksti = "Laskeva (...4321)";

// -1, 0 or 1: whether card a comes before, with or after card b in ascending order.
using Vertailu = int (*)(const TKortti& a, const TKortti& b);
// The comparison of a key; nullptr for a key outside 0..14.
Vertailu vertailu(int avain);

// Byte order of the cp1252 codes, shorter first on a common prefix: capitals before small letters,
// Ä and Ö after z.
int vertaa_teksti(std::string_view a, std::string_view b);
// Leading whole numbers (blanks and a sign allowed before the digits; no digits counts as 0).
int vertaa_luku(std::string_view a, std::string_view b);
// The cassette-number order: empty first, then numbers with a letter prefix by prefix and number,
// then plain numbers; the cards of one cassette by their position.
int vertaa_kasetti(const TKortti& a, const TKortti& b);
// Minutes of a duration in any of the forms the card view writes.
int kesto2int(std::string_view kesto);

// Quicksort of cards l..r: pivot in the middle, equal cards may change places.
void pikalajittele(std::vector<std::unique_ptr<TKortti>>& kortit, int l, int r, Vertailu vertaa);

// Moves the placeholder (known by identity) back to index 0, the other cards keeping their order.
// Without a placeholder the order stays and an error is shown; false then.
bool tarkista_nollakortti(TOmaList& lista, diag::Viestit& viestit);

// Sorts the whole list by a key (0..14); descending is the ascending result reversed.
void jarjesta_kortit(TOmaList& lista, int avain, Suunta suunta, diag::Viestit& viestit);

// The sort as the window's sort button, the field labels' pop-up menu and saving run it: marks the
// catalogue changed, sorts, and makes the card that was current before current again (the last card
// with its title, actors and cassette number; card 1 when none). False, with nothing done, for a key
// outside 0..14 or a list with an empty slot.
bool jarjesta_tietokanta(Tietokanta& tk, int avain, Suunta suunta, diag::Viestit& viestit);

// The key saving sorts by: cassette number, or title for catalogues of more than 1000 cards, where the
// cassette comparison would be slow.
int tallennuksen_avain(const TOmaList& lista);

// The key of a main-window field label ("Nimi", "Kasetilla", ..., "arvosana_kuva"); -1 for any other name.
int kentan_avain(std::string_view kentan_nimi);
// The message shown when the pop-up menu was opened on a control that has no key.
std::string vaaran_avaimen_viesti(Suunta suunta);
