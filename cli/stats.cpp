// rkb stats FILE: the lines of the catalogue statistics box.
#include <cstdio>

#include "cli/alikomennot.h"
#include "diag/kiire.h"
#include "mainwindow/tilastot.h"
#include "settings/asetukset.h"
#include "storage/lataus.h"
#include "perus/merkisto.h"

namespace {

int stats(const std::vector<std::string>& p) {
    TilapainenOhjelmakansio tila;
    const Ohjelmakansio kansio(tila.polku());
    KomentoriviViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.avaa_kannet_heti = false;
    asetukset.notify_enabled = false;
    Tietokanta tk;
    const Varasto v{tk, kansio, viestit, kiire, &asetukset};
    if (!lue_tietueet(ohjelman_nimi(p[0]), false, false, tk.kortit, v)) return 1;
    std::string ulos;
    for (const std::string& rivi : tilastorivit(tk.kortit)) ulos += rivi + '\n';
    ulos = merkisto::cp1252_utf8(ulos);
    return std::fwrite(ulos.data(), 1, ulos.size(), stdout) == ulos.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"stats", "TIEDOSTO", 1, 1, stats});

}  // namespace
