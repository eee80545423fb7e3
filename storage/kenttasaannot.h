#pragma once
// The card view's field rules, free of any window: what leaving or typing into a field does to its text,
// the combo boxes' type-ahead, the focus move to the first empty field and the other-movies grid.
// Texts are cp1252.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/kortti.h"

// One more than the largest leading number of a cassette number over every card but `ohitettava`; "1" when none.
std::string seuraava_vapaa_kasetti(const TOmaList& lista, int ohitettava);

// One more than the largest leading position on the cassette (every card with that number); "1" when none.
std::string seuraava_sijainti(const TOmaList& lista, std::string_view kasetilla);

// A blank after every comma that is followed by a non-blank and has at least two characters after it.
std::string nayttelijoiden_pilkut(std::string_view teksti);

// Whether a character typed at `kohta` of an actor or director name starts a name: at the beginning, or
// after a blank or a comma from the third character on.
bool alkaa_nimen(std::string_view teksti, int kohta);
// ASCII letters, and ä, ö, å, to upper case.
char isoksi_kirjaimeksi(char c);

// A duration left without a unit gets one: above 10 minutes, otherwise hours. Empty text and text with
// "min" or "h" stay as they are.
std::string kesto_yksikolla(std::string_view kesto);

// Every card of the cassette gets the loan text (a loan is always for the whole cassette).
void lainaa_kasetti(TOmaList& lista, std::string_view kasetilla, std::string_view lainassa);

// A field name always ends in ':'.
std::string kentan_nimi(std::string_view nimi);
// The name for every card whose field 0 is empty; cards with a value keep their name.
void nimea_tyhjat_kentat(TOmaList& lista, const std::string& nimi);

// The combo boxes' type-ahead for one key press.
struct Ennakointi {
    enum Tulos {
        Laatikolle,   // the key is left to the box
        Tyhjenna,     // key swallowed, box emptied
        Taydenna,     // key swallowed, box takes item `kohta`, text after `kursori` selected
        Ei_osumaa,    // key given back to the box unchanged
    };
    Tulos tulos = Laatikolle;
    int kohta = -1;
    int kursori = 0;
};
// `alku` and `pituus` are the selection (pituus 0: the caret at `alku`); `merkki` is the typed character,
// or '\b' for Backspace.
Ennakointi ennakoi(std::string_view teksti, int alku, int pituus, char merkki, const std::vector<std::string>& kohdat);

// Tab positions of the fields that take part in the move to the first empty field (0 nimi .. 14 the text area).
inline constexpr int tabikenttia = 15;
inline constexpr int ei_kenttaa = 999;
// The field the focus moves to: the title when it is empty, else the first empty field after `nykyinen`;
// -1 when there is none.
int eka_tyhja_kentta(const std::array<bool, tabikenttia>& tyhja, int nykyinen);

// The other movies on the current card's cassette, as the grid beside the card shows them.
struct MuutElokuvat {
    static constexpr int raja = 100;
    static constexpr int tyhja_rivi = 99999;
    struct Rivi {
        std::string nimi;
        std::string sijainti;
        int indeksi = tyhja_rivi;
    };
    std::string otsake;                      // cell (0,0)
    std::vector<Rivi> rivit;                 // grid rows 1.., ordered by position
    bool liikaa = false;                     // more than `raja` cards: the notice instead of the rows
    int valittu = 1;                         // grid row of the current card (1 when not found)
};
MuutElokuvat muut_elokuvat(const TOmaList& lista, int nykyinen);

// The cards of each cassette number, so a card change need not look through the whole catalogue. It is
// built on first use after every change of the cards' numbers or order (`vanhene`).
class Kasettihakemisto {
public:
    void rakenna(const TOmaList& lista);
    void vanhene() { ajan_tasalla_ = false; }
    bool ajan_tasalla() const { return ajan_tasalla_; }
    int korttien_maara() const { return maara_; }
    // Indices of the cards with this number, in catalogue order.
    std::span<const int> kortit(const std::string& kasetti) const;

private:
    // The cards of each number stand together in catalogue order in kortit_; the map gives where the run of
    // a number starts and how long it is. Built in one pass over the cards, with one allocation per number.
    struct Jakso {
        int alku = 0;
        int pituus = 0;
    };
    std::unordered_map<std::string, Jakso> jaksot_;
    std::vector<int> kortit_;
    int maara_ = 0;  // the catalogue's Count() when built
    bool ajan_tasalla_ = false;
};
MuutElokuvat muut_elokuvat(const TOmaList& lista, int nykyinen, Kasettihakemisto& hakemisto);
// A title as the grid shows it: cut before the first "(", one trailing blank removed.
std::string lyhyt_nimi(std::string_view nimi);

// The field labels' two captions: plain, and with the accelerator shown while Ctrl is held.
struct Otsikkopari {
    const char* nimio;
    const char* tavallinen;
    const char* pikanappain;
};
extern const std::array<Otsikkopari, 13> kenttien_otsikot;

// What the title field says when a title is needed: a new catalogue's first card, a move without a title.
inline constexpr const char* syota_nimi = "Syötä elokuvan nimi!";

// The first text of a mixed-media cassette's warning.
extern const char* const sekamedia_viesti;
