// rkb extract FILE DIR: every member with its folder into DIR. Like the program, it never overwrites a
// file that is already there.
#include "cli/alikomennot.h"
#include "storage/zlbarkisto.h"

namespace {

int extract(const std::vector<std::string>& p) {
    TZLBArchive arkisto(jarjestelman_tiedostot());
    arkisto.OnReplaceFile = [](TZLBArchive&, const std::string& tiedosto, bool&) {
        tulosta_virhe("Tiedosto on jo olemassa, sitä ei korvattu: " + tiedosto);
    };
    Tulos t = arkisto.Open(p[0]);
    if (t) t = arkisto.ExtractAll(p[1]);
    if (!t) tulosta_virhe(t.viesti);
    return t ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"extract", 2, 2, extract});

}  // namespace
