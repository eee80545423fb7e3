// rkb import FILE IN [--format csv|tellico] [--map OTSIKKO=sarake,...]: the movies of a spreadsheet list or a
// Tellico collection appended to a catalogue (made when it does not exist) and saved, as the program's
// "Tuo elokuvia" does. Each note on a row is printed as "row<TAB>note".
#include <filesystem>
#include <map>

#include "cli/alikomennot.h"
#include "cli/vienti.h"
#include "perus/merkisto.h"
#include "storage/tallennus.h"
#include "tuonti/tuonti.h"

namespace {

int import(const std::vector<std::string>& p) {
    std::map<std::string, std::string> valinnat;
    if (!lue_valitsimet(p, 2, {"--format", "--map"}, valinnat)) return 1;
    std::optional<Tuontimuoto> muoto;
    if (valinnat.count("--format")) {
        const std::string& m = valinnat["--format"];
        if (m != "csv" && m != "tellico") {
            tulosta_virhe("Tuntematon muoto: " + m + " (csv tai tellico)");
            return 1;
        }
        muoto = m == "csv" ? Tuontimuoto::Csv : Tuontimuoto::Tellico;
    }
    Avattu a;
    if (!a.lue_asetukset()) return 1;
    const std::string kohde = ohjelman_nimi(p[0]);
    if (std::filesystem::exists(p[0]) && !a.avaa(p[0])) return 1;
    Tuotavat tuotavat;
    const Tulos t = tuo_tiedosto(std::filesystem::absolute(p[1]), muoto,
                                 merkisto::utf8_cp1252(valinnat["--map"]), a.v, tuotavat);
    if (!t) {
        tulosta_virhe(t.viesti);
        return 1;
    }
    for (const Tuontihuomautus& h : tuotavat.huomautukset)
        tulosta_rivi(std::to_string(h.rivi) + "\t" + h.teksti);
    if (!tallenna_tietokanta(kohde, a.v)) return 1;
    tulosta_virhe(tuonnin_yhteenveto(tuotavat));
    return 0;
}

const RekisteroiAlikomento rekisteroi({"import", 2, 6, import});

}  // namespace
