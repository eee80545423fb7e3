#pragma once
// Searching the catalogue by words over chosen fields: the splitting of the typed words, the match of one
// card, the list search and the find-next. Texts are cp1252.
#include <array>
#include <bitset>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

namespace diag { class Viestit; }

// The fourteen entries of the search window's field list, in their order.
inline constexpr int hakukenttia = 14;
extern const std::array<const char*, hakukenttia> hakukenttien_nimet;
// The card field an entry searches.
const Teksti& hakukentta(const TKortti& k, int entry);

using Hakukentat = std::bitset<hakukenttia>;
inline Hakukentat kaikki_hakukentat() { return Hakukentat().set(); }

inline constexpr std::size_t hakusanoja_enintaan = 45;
inline constexpr const char* liian_monta_hakusanaa =
    "Liian monta hakusanaa, maksimi 45! Loput hakusanat jäävät huomioimatta!";
inline constexpr const char* syota_hakusana = "Syötä hakusana/hakusanoja!";
inline constexpr const char* ei_hakutuloksia = "Hakuehdoilla ei löydy kortteja!";
inline constexpr const char* ei_loydy = "Ei löydy!";
inline constexpr const char* lainassa_jatke = " (Lainassa)";

// The words of a search text. A text under five characters is one word as it is; otherwise the words are
// the comma-separated pieces, blanks kept, where a piece under two characters joins the next one. Past 45
// words the rest is dropped with one message.
std::vector<std::string> eroittele_hakusanat(std::string_view teksti, diag::Viestit& viestit);

// Any word in any checked field (case-insensitive for a to z only; an empty field never matches).
bool tayttaa_ehdot(const TKortti& k, const std::vector<std::string>& sanat, const Hakukentat& kentat);

// Indices of the matching cards 1..Count-1 in catalogue order. `edistyminen` hears the card index now and
// then (every 1024 cards and at the end) for a progress bar.
std::vector<int> etsi_listaan(const TOmaList& lista, const std::vector<std::string>& sanat, const Hakukentat& kentat,
                              const std::function<void(int)>& edistyminen = {});

// The first matching card after index `alku`, up to the last card (no wrap-around); 0 when none.
int etsi_seuraava(const TOmaList& lista, int alku, const std::vector<std::string>& sanat, const Hakukentat& kentat);

// The title as the movie list shows it: " (Lainassa)" after it while the card is lent.
std::string listan_nimi(const TKortti& k);

// The last split, kept for the whole run: the main window's F3 searches on with it.
struct Hakuehdot {
    std::vector<std::string> sanat;
    Hakukentat kentat = kaikki_hakukentat();
    bool annettu() const { return !sanat.empty(); }
};
