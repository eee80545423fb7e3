// Builds the example catalogue from elokuvat.txt and the covers in kannet/, saving it with the program's
// own save routine so the file is exactly what the program writes.
// tee_esimerkki DATA_TXT KANNET_DIR OUT.rkb
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "diag/kiire.h"
#include "diag/viestit.h"
#include "settings/asetukset.h"
#include "perus/merkisto.h"
#include "storage/tallennus.h"

namespace fs = std::filesystem;

namespace {

class Viestit final : public diag::Viestit {
public:
    int virheet = 0;
    void nayta(diag::Laji, const std::string& t, const std::string& = {}) override {
        std::fprintf(stderr, "%s\n", merkisto::cp1252_utf8(t).c_str());
        ++virheet;
    }
    diag::Vastaus kysy(diag::Laji, const std::string& t, bool = false, const std::string& = {}) override {
        nayta(diag::Laji::Tieto, t);
        return diag::Vastaus::Ei;
    }
};

std::vector<std::string> kentat(const std::string& rivi) {
    std::vector<std::string> t;
    std::stringstream s(rivi);
    for (std::string k; std::getline(s, k, '|');) t.push_back(merkisto::utf8_cp1252(k));
    if (!rivi.empty() && rivi.back() == '|') t.emplace_back();
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tee_esimerkki DATA_TXT KANNET_DIR OUT.rkb\n");
        return 1;
    }
    const fs::path tyo = fs::temp_directory_path() / ("tee_esimerkki_" + std::to_string(::getpid()));
    fs::remove_all(tyo);
    fs::create_directories(tyo / "gfx" / "kannet");
    const Ohjelmakansio kansio(tyo);
    Tietokanta tk;
    Viestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.tallenna_sortattuna = false;  // the cards stay in the order of the data file
    Varasto v{tk, kansio, viestit, kiire, &asetukset, {}, {}, {}, {}, {}};

    std::map<std::string, std::string> nauhat;
    std::ifstream in(argv[1]);
    int kansia = 0;
    for (std::string rivi; std::getline(in, rivi);) {
        if (rivi.empty() || rivi[0] == '#') continue;
        const auto k = kentat(rivi);
        if (k[0] == "nauha") {
            nauhat[k[1]] = k[2];
            continue;
        }
        if (k.size() != 17) {
            std::fprintf(stderr, "virheellinen rivi: %s\n", rivi.c_str());
            return 1;
        }
        TKortti& c = tk.kortit.lisaa_uusi();
        c.kasetilla = k[0];
        c.sijainti = k[1];
        c.nimi = k[2];
        c.luokitus = k[3];
        c.maa = k[4];
        c.vuosi = k[5];
        c.formaatti = k[6];
        c.kesto = k[7];
        c.aani = k[8];
        c.kuvasuhde = k[9];
        c.vari = k[10];
        c.paanayttelijat = k[11];
        c.ohjaaja = k[12];
        c.lainassa = k[13];
        c.arvosana = k[14];
        c.juoni = k[16];
        c.nauha = nauhat.count(c.kasetilla) ? nauhat[c.kasetilla] : std::string();
        c.lisatieto_nimi[0] = "Käsikirjoitus:";
        if (!c.ohjaaja.empty() && c.luokitus != "Dokumentti") c.lisatieto[0] = c.ohjaaja;
        if (c.formaatti.find("DVD") != std::string::npos) {
            c.extra[1] = c.extra[4] = true;
            c.extra[2] = c.vuosi >= "2003";
            c.extra_info = "Suomenkielinen tekstitys";
            c.lisatieto_nimi[1] = "Tekstitys:";
            c.lisatieto[1] = "suomi, ruotsi";
        }
        if (!k[15].empty()) {
            // Stems of digits 1 to 8, as the program names covers.
            const std::string nimi = std::string(8, static_cast<char>('1' + kansia++)) + ".jpg";
            fs::copy_file(fs::path(argv[2]) / (k[15] + ".jpg"), tyo / "gfx" / "kannet" / nimi);
            c.cover_fn = "gfx\\kannet\\" + nimi;
            c.lisatieto_nimi[2] = "Kansi:";
            c.lisatieto[2] = "piirretty";
        }
    }
    tk.kortit[1].kommentti = "Tämä on esimerkkitietokanta. Kokeile hakua, lajittelua ja lainausta!";
    tk.kortit[1].nakyma = 0;
    const std::string kohde = polku_tekstiksi(fs::absolute(argv[3]));
    const bool ok = tallenna_tietokanta(kohde, v);
    fs::remove_all(tyo);
    std::fprintf(stderr, "%d korttia, %d kantta -> %s\n", tk.kortit.Count() - 1, kansia, argv[3]);
    return ok && viestit.virheet == 0 ? 0 : 1;
}
