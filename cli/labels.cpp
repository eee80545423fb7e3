// rkb labels FILE OUT.pdf --kind spine|top [--cassettes LIST] [--template NAME] [--dpi N]: cassette labels
// printed into a PDF by the label window's own drawing and page layout.
#include <algorithm>

#include "cli/apuohjelmat.h"
#include "cli/piirto.h"
#include "cli/vienti.h"
#include "diag/ui/teksti.h"
#include "export/tarrat.h"
#include "export/ui/tulostettava.h"
#include "export/ui/tarrapiirto.h"
#include "find/sorttaus.h"
#include "perus/merkisto.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"

namespace {

std::vector<std::string> pilko(const std::string& s) {
    std::vector<std::string> osat;
    std::size_t alku = 0;
    while (alku <= s.size()) {
        std::size_t loppu = s.find(',', alku);
        if (loppu == std::string::npos) loppu = s.size();
        if (loppu > alku) osat.push_back(s.substr(alku, loppu - alku));
        alku = loppu + 1;
    }
    return osat;
}

int labels(const std::vector<std::string>& p) {
    std::map<std::string, std::string> val;
    if (!lue_valitsimet(p, 2, {"--kind", "--cassettes", "--template", "--dpi"}, val)) return 1;
    const std::string laji = val.count("--kind") ? val["--kind"] : "";
    if (laji != "spine" && laji != "top") {
        tulosta_virhe("--kind on spine tai top.");
        return 1;
    }
    const bool paalys = laji == "top";
    int dpi = 600;
    if (val.count("--dpi")) {
        const Alkuluku l = lue_alkuluku(val["--dpi"]);
        if (!l.puhdas || l.arvo < 50 || l.arvo > 9999) {
            tulosta_virhe("--dpi on kokonaisluku 50-9999.");
            return 1;
        }
        dpi = static_cast<int>(l.arvo);
    }

    const Piirtoymparisto piirto;

    Avattu a;
    if (!a.lue_asetukset() || !a.avaa(p[0])) return 1;
    TOmaList& lista = a.tk.kortit;
    std::vector<std::string> kasetit;
    if (val.count("--cassettes")) {
        kasetit = pilko(merkisto::utf8_cp1252(val["--cassettes"]));
    } else {
        for (const std::string& r : tarrat::kasettirivit(lista)) kasetit.push_back(tarrat::rivin_kasetti(r));
    }
    if (kasetit.empty()) {
        tulosta_virhe("Tietokanta ei sisällä kasettien numeroita!");
        return 1;
    }

    Tarra_asetukset t = tarra_asetukset(a.asetukset);
    const char* pohjakansio = paalys ? paalyspohjat : sivupohjat;
    const std::vector<std::string> pohjat = listaa_pohjat(a.ohjelma, pohjakansio);
    std::string pohja = val.count("--template") ? pienet_kirjaimet(merkisto::utf8_cp1252(val["--template"]))
                                                : pienet_kirjaimet(paalys ? t.ptarra_fn : t.starra_fn);
    if (std::find(pohjat.begin(), pohjat.end(), pohja) == pohjat.end()) {
        if (val.count("--template") || pohjat.empty()) {
            tulosta_virhe("Tarrapohjaa ei löydy: " + std::string(pohjakansio) + pohja);
            return 1;
        }
        pohja = pohjat.front();
    }
    (paalys ? t.ptarra_fn : t.starra_fn) = pohja;
    // The label window sorts by cassette before top labels, so the names stand in their order on the tape.
    if (paalys) jarjesta_kortit(lista, avain_kasetti, Suunta::Nouseva, a.viestit);

    Tarrapiirtaja piirtaja(lista, a.ohjelma, a.viestit, a.kiire, t);
    Tarratyo tyo;
    tyo.kasetit = kasetit;
    tyo.dpi_x = tyo.dpi_y = dpi;
    tyo.arkilla = std::max(1, a.asetukset.Tarroja);
    if (tulos_lopuksi(kirjoita_pdf(jarjestelman_tiedostot(), std::filesystem::absolute(p[1]), tarratuloste(piirtaja, tyo, paalys))) != 0) return 1;
    return a.viestit.virheita == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(tarrojen_tulostus, labels));

}  // namespace
