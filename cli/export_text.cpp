// rkb export-text FILE OUT: the fixed-column text list of a catalogue, as the menu item writes it.
#include "cli/apuohjelmat.h"
#include "cli/vienti.h"
#include "export/lista.h"
#include "export/ui/listatulostus.h"

namespace {

int export_text(const std::vector<std::string>& p) {
    Avattu a;
    if (!a.lue_asetukset() || !a.avaa(p[0])) return 1;
    const Tulos t = kirjoita_lista(std::filesystem::absolute(p[1]), a.tk.kortit, tanaan(), a.tk.tiedosto);
    if (!t) {
        tulosta_virhe(t.viesti);
        return 1;
    }
    return 0;
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(tekstilistan_vienti, export_text));

}  // namespace
