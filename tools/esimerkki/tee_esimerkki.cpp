// Builds the example catalogue from elokuvat.txt and the covers in kannet/, saving it with the program's
// own save routine so the file is exactly what the program writes.
// tee_esimerkki DATA_TXT KANNET_DIR OUT.rkb
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tools/tekstista_luettelo.h"

namespace fs = std::filesystem;
using tekstista_luettelo::rivin_kentat;
using tekstista_luettelo::Sarakkeet;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tee_esimerkki DATA_TXT KANNET_DIR OUT.rkb\n");
        return 1;
    }
    tekstista_luettelo::Luettelo luettelo("tee_esimerkki");
    TOmaList& kortit = luettelo.kortit();

    std::map<std::string, std::string> nauhat;
    std::ifstream in(argv[1]);
    int kansia = 0;
    Sarakkeet sarakkeet;
    for (std::string rivi; std::getline(in, rivi);) {
        if (rivi.empty() || sarakkeet.lue(rivi) || rivi[0] == '#') continue;
        const auto k = rivin_kentat(rivi);
        if (k[0] == "nauha") {
            nauhat[k[1]] = k[2];
            continue;
        }
        if (k.size() != sarakkeet.maara() || sarakkeet.paikka("kansi") == k.size()) {
            std::fprintf(stderr, "virheellinen rivi: %s\n", rivi.c_str());
            return 1;
        }
        TKortti& c = kortit.lisaa_uusi();
        sarakkeet.aseta(c, k);
        c.nauha = nauhat.count(c.kasetilla) ? nauhat[c.kasetilla] : std::string();
        c.lisatieto_nimi[0] = lisatiedon_oletusnimi;
        if (!c.ohjaaja.empty() && c.luokitus != "Dokumentti") c.lisatieto[0] = c.ohjaaja;
        if (c.formaatti.find("DVD") != std::string::npos) {
            c.extra[1] = c.extra[4] = true;
            c.extra[2] = c.vuosi >= "2003";
            c.extra_info = "Suomenkielinen tekstitys";
            c.lisatieto_nimi[1] = "Tekstitys:";
            c.lisatieto[1] = "suomi, ruotsi";
        }
        if (const std::string& kansi = k[sarakkeet.paikka("kansi")]; !kansi.empty()) {
            // Stems of digits 1 to 8, as the program names covers.
            const std::string nimi = std::string(8, static_cast<char>('1' + kansia++)) + ".jpg";
            fs::copy_file(fs::path(argv[2]) / (kansi + ".jpg"), luettelo.kannet() / nimi);
            c.cover_fn = "gfx\\kannet\\" + nimi;
            c.lisatieto_nimi[2] = "Kansi:";
            c.lisatieto[2] = "piirretty";
        }
    }
    kortit[1].kommentti = "Tämä on esimerkkitietokanta. Kokeile hakua, lajittelua ja lainausta!";
    kortit[1].nakyma = 0;
    const bool ok = luettelo.tallenna(argv[3]);
    std::fprintf(stderr, "%d korttia, %d kantta -> %s\n", kortit.Count() - 1, kansia, argv[3]);
    return ok ? 0 : 1;
}
