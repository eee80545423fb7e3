// Builds the reference catalogue dbase.rkb from elokuvat.txt with the program's own save routine, so the
// file is exactly what the program writes.
// tee_viite DATA_TXT OUT.rkb
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/tekstista_luettelo.h"

using tekstista_luettelo::rivin_kentat;
using tekstista_luettelo::Sarakkeet;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tee_viite DATA_TXT OUT.rkb\n");
        return 1;
    }
    tekstista_luettelo::Luettelo luettelo("tee_viite");
    TOmaList& kortit = luettelo.kortit();

    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: ei voi lukea\n", argv[1]);
        return 1;
    }
    Sarakkeet sarakkeet;
    for (std::string rivi; std::getline(in, rivi);) {
        if (rivi.empty() || sarakkeet.lue(rivi) || rivi[0] == '#') continue;
        const auto k = rivin_kentat(rivi);
        if (k.size() != sarakkeet.maara() || sarakkeet.paikka("nimi") == k.size() || k[sarakkeet.paikka("nimi")].empty()) {
            std::fprintf(stderr, "virheellinen rivi: %s\n", rivi.c_str());
            return 1;
        }
        TKortti& c = kortit.lisaa_uusi();
        sarakkeet.aseta(c, k);
        c.lisatieto_nimi[0] = lisatiedon_oletusnimi;
    }
    const bool ok = luettelo.tallenna(argv[2]);
    std::fprintf(stderr, "%d korttia -> %s\n", kortit.Count() - 1, argv[2]);
    return ok ? 0 : 1;
}
