#pragma once
// The reference catalogue shipped with the program (dbase.rkb) and the lookup that offers its cards for a
// title being edited: exact titles first, then titles that hold every word of it or the whole of it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tiedostojarjestelma.h"
#include "storage/kortti.h"

inline constexpr const char* viitetietokannan_nimi = "dbase.rkb";

// The words of a title that a candidate must all hold: the part after the first "- " when there is one,
// cut before the first "(" with one trailing blank dropped, split at blanks; a word that starts at the last
// character is not taken. Every word is kept, however many.
std::vector<std::string> hakusanat(std::string_view nimi);

// Every word of the title occurs in the candidate (ASCII letters without regard to case); true when the
// title gives no words.
bool sanat_loytyvat(std::string_view nimi, std::string_view ehdokas);

// Total length of the texts a card is compared by (the duration counted in minutes).
std::size_t tiedon_maara(const TKortti& k);

// A reference card (its title and tiedon_maara) is offered only when it holds more text than the card being
// edited.
bool we_have_a_match(std::string_view viitteen_nimi, std::size_t viitteen_maara, std::string_view nimi,
                     std::size_t nykyisen_maara);

// Title positions by their two- and three-character pieces, so a lookup reads only the titles that can
// match. Characters are folded into 64 classes (ASCII letters without regard to case), so a piece may
// stand for a few texts: the lists are supersets that the caller checks. Built in two passes into one
// flat array, which keeps loading a large reference catalogue cheap.
class Nimihakemisto {
public:
    void rakenna(const TOmaList& lista);
    void tyhjenna();

    // Indices (ascending) whose title may hold the text; nullopt for a single character, which nearly
    // every title holds.
    std::optional<std::vector<int>> ehdokkaat(std::string_view teksti) const;
    // Indices (ascending) whose title may hold every one of the characters.
    std::vector<int> merkein(std::string_view merkit) const;

private:
    std::vector<std::uint64_t> maskit_;  // per title, the classes of its characters
    std::vector<std::uint32_t> alut_;  // per piece, where its titles start in indeksit_; one extra at the end
    std::vector<int> indeksit_;
};

class Viitetietokanta {
public:
    // Reads the file quietly (no questions, no busy window, the work file in a private folder). A missing
    // or unreadable file leaves the catalogue empty; the next load tries again.
    void lataa(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto);
    // Takes a catalogue already in memory (tests, benchmarks).
    void aseta(TOmaList lista);
    void vapauta();

    bool ladattu() const { return ladattu_; }
    const TOmaList& kortit() const { return lista_; }

    // Reference indices to offer for the title, in the order found: exact titles, then the word pass
    // (titles of at least three characters). Only cards with more text than `nykyinen` are offered.
    std::vector<int> etsi(std::string_view nimi, const TKortti& nykyinen) const;

private:
    TOmaList lista_;
    Nimihakemisto hakemisto_;
    std::vector<std::size_t> maarat_;  // tiedon_maara of every card, counted once per load
    bool ladattu_ = false;
};

// The choose window's two modes: while editing a card, or updating the whole catalogue.
enum class Valintatapa { Muokkaus = 0, Paivitys = 1 };

// The reference values into the card. Updating fills the plot, format and sound track only where the card
// has none; the first additional field only while it is empty under its default name. An empty reference
// value leaves the card's own value.
void sovella_viitekortti(TKortti& kortti, const TKortti& viite, Valintatapa tapa);

// The card fields the reference values go into hold the same texts in both cards.
bool samat_viitekentat(const TKortti& a, const TKortti& b);

// A row of the choose window: the title, with the format in parentheses when there is one.
std::string valintarivi(const TKortti& viite);

// The choose window's caption by the number of matches and the mode.
std::string valintaikkunan_otsikko(std::size_t osumia, Valintatapa tapa);

struct Valintaikkunan_mitat {
    int listan_korkeus;
    int nappien_ylareuna;
    int ikkunan_korkeus;
};
// Rows of 13 pixels and 4 of frame; a list that would pass 210 pixels stops at 214.
Valintaikkunan_mitat valintaikkunan_mitat(std::size_t riveja);
