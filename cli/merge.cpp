// rkb merge OUT IN...: the first catalogue with the others merged into it in order, saved to OUT as the
// program saves, the merged files' covers included.
#include "cli/alikomennot.h"
#include "diag/kiire.h"
#include "settings/asetukset.h"
#include "storage/liitos.h"
#include "storage/lataus.h"
#include "storage/tallennus.h"

namespace {

int merge(const std::vector<std::string>& p) {
    TilapainenOhjelmakansio tila;
    const Ohjelmakansio kansio(tila.polku());
    KomentoriviViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    if (!lue_ohjelman_asetukset(asetukset, kansio, viestit)) return 1;
    Tietokanta tk;
    const Varasto v{tk, kansio, viestit, kiire, &asetukset};
    if (!lue_tietueet(ohjelman_nimi(p[1]), false, false, tk.kortit, v)) return 1;
    // A file that cannot be read stops the merge: half a result under the target name would look whole.
    for (std::size_t i = 2; i < p.size(); ++i)
        if (!liita_tietokanta(ohjelman_nimi(p[i]), v)) return 1;
    return tallenna_tietokanta(ohjelman_nimi(p[0]), v) ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"merge", "KOHDE LÄHDE...", 2, 100000, merge});

}  // namespace
