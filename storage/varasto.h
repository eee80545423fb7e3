#pragma once
// What the storage routines work on: the open catalogue, the program folder and the seams to the user.
#include <cstdint>
#include <filesystem>
#include <string>

#include "diag/kiire.h"
#include "diag/viestit.h"
#include "perus/tiedostojarjestelma.h"
#include "storage/kortti.h"
#include "storage/purkurajat.h"
#include "perus/ohjelmakansio.h"

struct TAsetukset;

// What loading and saving tell the window about and ask of it. The command-line tool, the generators and most
// tests have no window and pass ilman_ikkunaa().
class Varaston_ikkuna {
public:
    virtual ~Varaston_ikkuna() = default;
    // The main window's caption, cp1252.
    virtual std::string otsikko() const = 0;
    virtual void vaihda_otsikko(const std::string& otsikko) = 0;
    // Another catalogue was opened, merged or pasted into: the lists that show its cards are rebuilt.
    virtual void lista_muuttui() = 0;
    // The debug window is visible (an open then pauses on each bad card).
    virtual bool debug_nakyvissa() const = 0;
    // The overdue-loan check that follows an open.
    virtual void tarkista_myohastymiset() = 0;
};

Varaston_ikkuna& ilman_ikkunaa();

// A routine given a const Varasto may read the catalogue but not change it; one that changes it takes Varasto&.
class Varasto {
    Tietokanta* tk_;

public:
    Varasto(Tietokanta& tk, const Ohjelmakansio& kansio, Tiedostojarjestelma& tiedostot, Varaston_ikkuna& ikkuna,
            diag::Viestit& viestit, diag::Kiire& kiire, const TAsetukset* asetukset = nullptr)
        : tk_(&tk), kansio(kansio), tiedostot(tiedostot), ikkuna(ikkuna), viestit(viestit), kiire(kiire),
          asetukset(asetukset) {}

    Tietokanta& tk() { return *tk_; }
    const Tietokanta& tk() const { return *tk_; }

    const Ohjelmakansio& kansio;
    // Every file step of loading, saving and the covers; tests put in one that fails on order.
    Tiedostojarjestelma& tiedostot;
    Varaston_ikkuna& ikkuna;
    diag::Viestit& viestit;
    diag::Kiire& kiire;
    const TAsetukset* asetukset = nullptr;  // defaults of a new settings file when null

    // What a catalogue file may unpack to; the saver keeps within what the loader accepts.
    Purkurajat purkurajat = koneen_purkurajat();

    Tiedostojarjestelma& tj() const { return tiedostot; }

    // Covers are unpacked when a catalogue is opened (else when a card's cover is first needed).
    bool kannet_heti() const;
    // The overdue-loan check runs after a catalogue is opened.
    bool myohastymiset_kaytossa() const;

    std::string otsikko() const { return ikkuna.otsikko(); }
    void vaihda_otsikko(const std::string& t) const { ikkuna.vaihda_otsikko(t); }
    void paivita_lista() const { ikkuna.lista_muuttui(); }
};

// The two log lines and the repair of a body too short to be a catalogue.
void liian_lyhyt_runko(const std::string& nimi, std::uintmax_t koko);

// Text of the message for a file that was asked for but is not there.
std::string puuttuvan_tiedoston_viesti(const std::string& nimi, bool mutta);

// "Virhe [code] tiedoston lukemisessa, ohitetaan..."
std::string lukuvirheen_viesti(int virhekoodi);

inline constexpr std::uintmax_t lyhin_runko = 35;
