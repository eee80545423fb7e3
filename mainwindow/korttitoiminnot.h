#pragma once
// Moving between cards and changing the set of cards, without the window: the window commits its fields,
// calls these, beeps when told to and shows the card.
#include <memory>
#include <string>
#include <vector>

#include "diag/viestit.h"
#include "storage/kortti.h"
#include "perus/ohjelmakansio.h"

enum class Siirto { Siirretty, Reunalla };  // Reunalla: at an end, the program beeps and nothing moves

// One card back (-1) or forward (+1).
Siirto siirry_kortti(Tietokanta& tk, int suunta);
// To the nearest card of another cassette in that direction; past either end the start card stays.
Siirto siirry_kasetti(Tietokanta& tk, int suunta);

// The nearest card after (suunta +1) or before (-1) index `alku` that has a cover; -1 when there is none.
int seuraava_kansikortti(const TOmaList& lista, int alku, int suunta);

// The rating after one wheel turn: +1 away from the user, -1 towards; whole numbers 0 to 10.
std::string arvosana_rullalla(const std::string& arvosana, int askel);

// The undo snapshot: the card as it was when the user arrived at it.
class TPeruuta_muutokset {
public:
    void ota(const Tietokanta& tk);
    // Takes a new snapshot only when the current index has changed since the last one.
    void ota_jos_siirrytty(const Tietokanta& tk);
    // Puts the snapshot back over the current card (not touching `muutettu`).
    void kumoa(Tietokanta& tk, const Ohjelmakansio& kansio, diag::Viestit& viestit);
    int indeksi() const { return indeksi_; }
    const TKortti& kortti() const { return kortti_; }

private:
    TKortti kortti_;
    int indeksi_ = -1;
};

// After the user said Yes: deletes the current card, keeping one real card and a valid index.
void poista_nykyinen_kortti(Tietokanta& tk, const Ohjelmakansio& kansio);

// A new card with the defaults the window fills in, appended and made current.
TKortti& lisaa_uusi_kortti(Tietokanta& tk);

// The copied card and its cover picture "gfx\kopio.<ext>", consumed by one paste.
class Korttimuisti {
public:
    void kopioi(const TKortti& kortti, const Ohjelmakansio& kansio, diag::Viestit& viestit);
    // Appends the copy as a new current card with a cover of its own. False when nothing was copied.
    bool liita(Tietokanta& tk, const Ohjelmakansio& kansio, diag::Viestit& viestit);
    bool on_kopio() const { return kopio_ != nullptr; }
    // Removes the copied picture (at shutdown).
    static void poista_kopiokuvat(const Ohjelmakansio& kansio);

private:
    std::unique_ptr<TKortti> kopio_;
};

enum class Pudotus { Hylatty, Kansi, Tietokanta };

// Files dropped on the main window: one cover picture becomes the current card's cover; a catalogue is
// reported back for the window to open after the save-changes question.
Pudotus pudota_tiedostot(const std::vector<std::string>& nimet, Tietokanta& tk, const Ohjelmakansio& kansio,
                         diag::Viestit& viestit);
