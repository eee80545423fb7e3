// rkb export-text FILE OUT [--charset utf-8|cp1252]: the fixed-column text list of a catalogue, as the menu
// items write it.
#include "cli/apuohjelmat.h"
#include "cli/vienti.h"
#include "export/lista.h"
#include "export/ui/listatulostus.h"

namespace {

int export_text(const std::vector<std::string>& p) {
    std::map<std::string, std::string> valitsimet;
    if (!lue_valitsimet(p, 2, {"--charset"}, valitsimet)) return 1;
    Listan_merkisto merkisto = Listan_merkisto::Cp1252;
    if (const auto it = valitsimet.find("--charset"); it != valitsimet.end()) {
        if (it->second == "utf-8") {
            merkisto = Listan_merkisto::Utf8;
        } else if (it->second != "cp1252") {
            tulosta_virhe("Tuntematon merkistö: " + it->second + " (utf-8 tai cp1252)");
            return 1;
        }
    }
    Avattu a;
    if (!a.lue_asetukset() || !a.avaa(p[0])) return 1;
    return tulos_lopuksi(kirjoita_lista(a.v.tj(), std::filesystem::absolute(p[1]), a.tk.kortit, tanaan(), a.tk.tiedosto, merkisto));
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(tekstilistan_vienti, export_text));

}  // namespace
