// rkb export-csv FILE OUT: the CSV list of a catalogue, as the menu item writes it.
#include "cli/vienti.h"
#include "export/csv.h"

namespace {

int export_csv(const std::vector<std::string>& p) {
    Avattu a;
    if (!a.lue_asetukset() || !a.avaa(p[0])) return 1;
    return tulos_lopuksi(vie_csv(a.v.tj(), a.tk.kortit, std::filesystem::absolute(p[1])));
}

const RekisteroiAlikomento rekisteroi({"export-csv", 2, 2, export_csv});

}  // namespace
