// rkb copy IN OUT: a catalogue opened and saved again exactly as the program does it, covers included.
#include "cli/alikomennot.h"
#include "storage/tallennus.h"

namespace {

int copy(const std::vector<std::string>& p) {
    Avattu a;
    // The settings of the program folder decide the unpack mode and the sort; defaults without a file.
    if (!a.lue_asetukset() || !a.avaa(p[0])) return 1;
    return tallenna_tietokanta(ohjelman_nimi(p[1]), a.v) ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"copy", 2, 2, copy});

}  // namespace
