#pragma once
// What the storage routines work on: the open catalogue, the program folder and the seams to the user.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "diag/kiire.h"
#include "diag/viestit.h"
#include "perus/tiedostojarjestelma.h"
#include "storage/kortti.h"
#include "storage/purkurajat.h"
#include "perus/ohjelmakansio.h"

struct TAsetukset;

// A routine given a const Varasto may read the catalogue but not change it; one that changes it takes Varasto&.
class Varasto {
    Tietokanta* tk_;

public:
    Varasto(Tietokanta& tk, const Ohjelmakansio& kansio, Tiedostojarjestelma& tiedostot, diag::Viestit& viestit,
            diag::Kiire& kiire, const TAsetukset* asetukset = nullptr)
        : tk_(&tk), kansio(kansio), tiedostot(tiedostot), viestit(viestit), kiire(kiire), asetukset(asetukset) {}

    Tietokanta& tk() { return *tk_; }
    const Tietokanta& tk() const { return *tk_; }

    const Ohjelmakansio& kansio;
    // Every file step of loading, saving and the covers; tests put in one that fails on order.
    Tiedostojarjestelma& tiedostot;
    diag::Viestit& viestit;
    diag::Kiire& kiire;
    const TAsetukset* asetukset = nullptr;  // defaults of a new settings file when null

    // Window hooks; empty where there is no window (the command-line tool, tests).
    std::function<std::string()> lue_otsikko;               // main window caption
    std::function<void(const std::string&)> aseta_otsikko;
    std::function<void()> lista_muuttui;                     // rebuild the movie list window if it is visible
    std::function<bool()> debug_nakyvissa;                   // the debug window is visible
    std::function<void()> tarkista_myohastymiset;            // the overdue-loan check after an open
    // What a catalogue file may unpack to; the saver keeps within what the loader accepts.
    Purkurajat purkurajat = koneen_purkurajat();

    Tiedostojarjestelma& tj() const { return tiedostot; }

    // Covers are unpacked when a catalogue is opened (else when a card's cover is first needed).
    bool kannet_heti() const;
    // The overdue-loan check runs after a catalogue is opened.
    bool myohastymiset_kaytossa() const;

    std::string otsikko() const { return lue_otsikko ? lue_otsikko() : std::string(); }
    void vaihda_otsikko(const std::string& t) const {
        if (aseta_otsikko) aseta_otsikko(t);
    }
    void paivita_lista() const {
        if (lista_muuttui) lista_muuttui();
    }
};

// The two log lines and the repair of a body too short to be a catalogue.
void liian_lyhyt_runko(const std::string& nimi, std::uintmax_t koko);

// Text of the message for a file that was asked for but is not there.
std::string puuttuvan_tiedoston_viesti(const std::string& nimi, bool mutta);

// "Virhe [code] tiedoston lukemisessa, ohitetaan..."
std::string lukuvirheen_viesti(int virhekoodi);

inline constexpr std::uintmax_t lyhin_runko = 35;
