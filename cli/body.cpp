// rkb body FILE and rkb read-old FILE: a catalogue opened as the program opens it, its body to standard output.
#include "cli/alikomennot.h"
#include "storage/korjaus.h"
#include "storage/lataus.h"

namespace {

// The program's default settings, the covers left packed.
struct Avaus : Avattu {
    Avaus() { asetukset.avaa_kannet_heti = false; }
};

int body(const std::vector<std::string>& p) {
    Avaus a;
    if (!a.avaa(p[0])) return 1;
    return tulosta_runko(a.tk.kortit) ? 0 : 1;
}

int read_old(const std::vector<std::string>& p) {
    Avaus a;
    lue_vanha_tietokanta(ohjelman_nimi(p[0]), false, a.v);
    if (a.viestit.virheita > 0) return 1;
    return tulosta_runko(a.tk.kortit) ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi_body({"body", 1, 1, body});
const RekisteroiAlikomento rekisteroi_vanha({"read-old", 1, 1, read_old});

}  // namespace
