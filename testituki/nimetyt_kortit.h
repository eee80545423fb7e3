#pragma once
// A catalogue file of cards that have only their names, saved as the program saves it and unsorted, for
// tests of commands that fill cards by their names.
#include <initializer_list>
#include <string>

#include "diag/kiire.h"
#include "perus/ohjelmakansio.h"
#include "settings/asetukset.h"
#include "storage/tallennus.h"
#include "storage/varasto.h"
#include "testituki/testiviestit.h"

inline bool tallenna_nimetyt_kortit(const std::filesystem::path& kansio, const std::string& tiedosto,
                                    std::initializer_list<const char*> nimet) {
    Tietokanta tk;
    for (const char* nimi : nimet) tk.kortit.lisaa_uusi().nimi = nimi;
    const Ohjelmakansio ohjelma(kansio, jarjestelman_tiedostot());
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset a;
    a.tallenna_sortattuna = false;
    return static_cast<bool>(tallenna_tietokanta(tiedosto, Varasto{tk, ohjelma, jarjestelman_tiedostot(), viestit, kiire, &a}));
}
