// rkb merge OUT IN...: the first catalogue with the others merged into it in order, saved to OUT as the
// program saves, the merged files' covers included.
#include "cli/alikomennot.h"
#include "storage/liitos.h"
#include "storage/tallennus.h"

namespace {

int merge(const std::vector<std::string>& p) {
    Avattu a;
    if (!a.lue_asetukset() || !a.avaa(p[1])) return 1;
    // A file that cannot be read stops the merge: half a result under the target name would look whole.
    for (std::size_t i = 2; i < p.size(); ++i)
        if (!liita_tietokanta(ohjelman_nimi(p[i]), a.v)) return 1;
    return tallenna_tietokanta(ohjelman_nimi(p[0]), a.v) ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"merge", 2, 100000, merge});

}  // namespace
