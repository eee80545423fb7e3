// rkb print-list FILE OUT.pdf [--orientation portrait|landscape]: the printed movie list as a PDF of A4
// sheets, laid out and drawn as the window prints it.

#include "cli/apuohjelmat.h"
#include "cli/piirto.h"
#include "cli/vienti.h"
#include "export/ui/tulostettava.h"
#include "export/ui/listatulostus.h"

namespace {

int print_list(const std::vector<std::string>& p) {
    std::map<std::string, std::string> val;
    if (!lue_valitsimet(p, 2, {"--orientation"}, val)) return 1;
    std::optional<bool> vaaka;
    if (val.count("--orientation")) {
        if (val["--orientation"] != "portrait" && val["--orientation"] != "landscape") {
            tulosta_virhe("--orientation on portrait tai landscape.");
            return 1;
        }
        vaaka = val["--orientation"] == "landscape";
    }

    const Piirtoymparisto piirto;

    Avattu a;
    if (!a.lue_asetukset() || !a.avaa(p[0])) return 1;
    const std::string paivays = tanaan();
    Listan_tuloste tuloste;
    const Tulostettava t = listatuloste(a.tk.kortit, paivays, a.tk.tiedosto, tuloste, vaaka);
    return tulos_lopuksi(kirjoita_pdf(jarjestelman_tiedostot(), std::filesystem::absolute(p[1]), t));
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(listan_tulostus, print_list));

}  // namespace
