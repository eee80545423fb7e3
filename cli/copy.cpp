// rkb copy IN OUT: a catalogue opened and saved again exactly as the program does it, covers included.
#include "cli/alikomennot.h"
#include "diag/kiire.h"
#include "settings/asetukset.h"
#include "storage/lataus.h"
#include "storage/tallennus.h"

namespace {

int copy(const std::vector<std::string>& p) {
    TilapainenOhjelmakansio tila;
    const Ohjelmakansio kansio(tila.polku());
    KomentoriviViestit viestit;
    diag::EiKiiretta kiire;
    // The settings of the program folder decide the unpack mode and the sort; defaults without a file.
    TAsetukset asetukset;
    if (!lue_ohjelman_asetukset(asetukset, kansio, viestit)) return 1;
    Tietokanta tk;
    const Varasto v{tk, kansio, viestit, kiire, &asetukset};
    if (!lue_tietueet(ohjelman_nimi(p[0]), false, false, tk.kortit, v)) return 1;
    return tallenna_tietokanta(ohjelman_nimi(p[1]), v) ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"copy", "LÄHDE KOHDE", 2, 2, copy});

}  // namespace
