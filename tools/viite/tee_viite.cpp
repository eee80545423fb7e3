// Builds the reference catalogue dbase.rkb from elokuvat.txt with the program's own save routine, so the
// file is exactly what the program writes.
// tee_viite DATA_TXT OUT.rkb
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: tee_viite DATA_TXT OUT.rkb\n");
        return 1;
    }
    const fs::path tyo = fs::temp_directory_path() / ("tee_viite_" + std::to_string(::getpid()));
    fs::remove_all(tyo);
    fs::create_directories(tyo / "gfx" / "kannet");
    const Ohjelmakansio kansio(tyo);
    Tietokanta tk;
    Viestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.tallenna_sortattuna = false;  // the cards stay in the order of the data file
    const Varasto v{tk, kansio, viestit, kiire, &asetukset};

    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: ei voi lukea\n", argv[1]);
        return 1;
    }
    for (std::string rivi; std::getline(in, rivi);) {
        if (rivi.empty() || rivi[0] == '#') continue;
        const auto k = kentat(rivi);
        if (k.size() != 10 || k[0].empty()) {
            std::fprintf(stderr, "virheellinen rivi: %s\n", rivi.c_str());
            return 1;
        }
        TKortti& c = tk.kortit.lisaa_uusi();
        c.nimi = k[0];
        c.luokitus = k[1];
        c.maa = k[2];
        c.vuosi = k[3];
        c.kesto = k[4];
        c.aani = k[5];
        c.vari = k[6];
        c.paanayttelijat = k[7];
        c.ohjaaja = k[8];
        c.juoni = k[9];
        c.lisatieto_nimi[0] = "Käsikirjoitus:";
    }
    const std::string kohde = polku_tekstiksi(fs::absolute(argv[2]));
    const bool ok = tallenna_tietokanta(kohde, v);
    fs::remove_all(tyo);
    std::fprintf(stderr, "%d korttia -> %s\n", tk.kortit.Count() - 1, argv[2]);
    return ok && viestit.virheet == 0 ? 0 : 1;
}
