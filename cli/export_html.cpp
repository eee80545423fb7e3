// rkb export-html FILE OUT [--columns LIST]: the HTML list of a catalogue with the dialog's attributes.
#include "cli/vienti.h"
#include "export/lista.h"

namespace {

int export_html(const std::vector<std::string>& p) {
    std::map<std::string, std::string> valitsimet;
    if (!lue_valitsimet(p, 2, {"--columns"}, valitsimet)) return 1;
    Html_asetukset h;
    if (const auto it = valitsimet.find("--columns"); it != valitsimet.end()) {
        std::string tuntematon;
        if (!valitse_html_sarakkeet(h, it->second, tuntematon)) {
            tulosta_virhe("Tuntematon sarake: " + tuntematon +
                          " (sarakkeet: nro, paaos, vuosi, luokitus, kesto, formaatti, aaniraita, arvosana)");
            return 1;
        }
    }
    Avattu a;
    if (!a.lue_asetukset()) return 1;
    // The page names no covers, so they stay packed.
    a.asetukset.avaa_kannet_heti = false;
    if (!a.avaa(p[0])) return 1;
    return tulos_lopuksi(kirjoita_html_lista(a.v.tj(), std::filesystem::absolute(p[1]), a.tk.kortit, h));
}

const RekisteroiAlikomento rekisteroi({"export-html", 2, 4, export_html});

}  // namespace
