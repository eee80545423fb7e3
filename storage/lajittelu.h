#pragma once
// Sorting the catalogue in place with the placeholder card kept at index 0: the comparisons saving needs
// and the sort itself. The order of cards that compare equal comes from the quicksort below and is what
// users have always seen, so it is kept as it is. The keys of the sort window are find/sorttaus.h.
#include <memory>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

namespace diag { class Viestit; }

enum class Suunta { Nouseva, Laskeva };

// -1, 0 or 1: whether card a comes before, with or after card b in ascending order.
using Vertailu = int (*)(const TKortti& a, const TKortti& b);

// Byte order of the cp1252 codes, shorter first on a common prefix: capitals before small letters,
// Ä and Ö after z.
int vertaa_teksti(std::string_view a, std::string_view b);
// Leading whole numbers (blanks and a sign allowed before the digits; no digits counts as 0).
int vertaa_luku(std::string_view a, std::string_view b);
// Titles in the text order.
int vertaa_nimi(const TKortti& a, const TKortti& b);
// The cassette-number order: empty first, then numbers with a letter prefix by prefix and number,
// then plain numbers; the cards of one cassette by their position.
int vertaa_kasetti(const TKortti& a, const TKortti& b);

// Quicksort of cards l..r: pivot in the middle, equal cards may change places.
void pikalajittele(std::vector<std::unique_ptr<TKortti>>& kortit, int l, int r, Vertailu vertaa);

// Moves the placeholder (known by identity) back to index 0, the other cards keeping their order.
// Without a placeholder the order stays and an error is shown; false then.
bool tarkista_nollakortti(TOmaList& lista, diag::Viestit& viestit);

// Sorts the whole list; descending is the ascending result reversed.
void jarjesta_kortit(TOmaList& lista, Vertailu vertaa, Suunta suunta, diag::Viestit& viestit);

// The sort as the window's sort button, the field labels' pop-up menu and saving run it: marks the
// catalogue changed, sorts, and makes the card that was current before current again (the last card
// with its title, actors and cassette number; card 1 when none). False, with nothing done, for a list
// with an empty slot.
bool jarjesta_tietokanta(Tietokanta& tk, Vertailu vertaa, Suunta suunta, diag::Viestit& viestit);

// The order saving sorts by: cassette number, or title for catalogues of more than 1000 cards, where the
// cassette comparison would be slow.
Vertailu tallennuksen_vertailu(const TOmaList& lista);
