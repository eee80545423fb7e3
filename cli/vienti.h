#pragma once
// A catalogue opened for the export and label subcommands, with the settings of the program folder.
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "cli/alikomennot.h"
#include "diag/kiire.h"
#include "settings/asetukset.h"
#include "perus/ohjelmakansio.h"
#include "storage/varasto.h"

struct Avattu {
    TilapainenOhjelmakansio tila;  // covers are unpacked here, not into the program folder
    Ohjelmakansio kansio{tila.polku()};
    Ohjelmakansio ohjelma{Ohjelmakansio::etsi_juuri()};
    KomentoriviViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    Tietokanta tk;
    Varasto v{tk, kansio, viestit, kiire, &asetukset};

    // Reads the settings file (defaults without one) and the catalogue; false after a message.
    bool avaa(const std::string& tiedosto);
};

// "--name value" pairs after the fixed parameters; false after a message for anything else.
bool lue_valitsimet(const std::vector<std::string>& p, std::size_t alku,
                    std::initializer_list<const char*> sallitut, std::map<std::string, std::string>& arvot);
