#pragma once
// What the loan subcommands share: the program folder's settings and a catalogue opened quietly.
#include <optional>
#include <string>

#include "cli/alikomennot.h"
#include "diag/kiire.h"
#include "settings/asetukset.h"
#include "settings/ini.h"
#include "storage/lataus.h"
#include "perus/ohjelmakansio.h"

// The settings of the program folder (defaults for keys it lacks); nullopt when the file cannot be read.
inline std::optional<TAsetukset> ohjelmakansion_asetukset(const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    TAsetukset a;
    IniTiedosto ini;
    if (!ini.lataa(asetustiedosto(kansio))) {
        tulosta_virhe("Asetustiedostoa ei voi lukea.");
        return std::nullopt;
    }
    lue_asetusarvot(a, ini, Asetusymparisto{kansio, viestit});
    return a;
}

// The catalogue into `tk`, its covers left in a private folder; false (told) when it cannot be read.
inline bool avaa_lainat(const std::string& tiedosto, Tietokanta& tk, const TilapainenOhjelmakansio& tila,
                        diag::Viestit& viestit) {
    const Ohjelmakansio kansio(tila.polku());
    diag::EiKiiretta kiire;
    TAsetukset a;
    a.notify_enabled = false;
    a.avaa_kannet_heti = false;
    const Varasto v{tk, kansio, viestit, kiire, &a};
    return lue_tietueet(ohjelman_nimi(tiedosto), false, false, tk.kortit, v);
}
