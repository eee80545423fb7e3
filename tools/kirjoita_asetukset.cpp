// Reads the settings file of a program folder and writes it back, as the program does at every start and
// settings change: the writer that tools/kaatumiskoe.sh kills. kirjoita_asetukset PROGRAM_FOLDER
#include <cstdio>

#include "diag/viestit.h"
#include "perus/ohjelmakansio.h"
#include "settings/asetukset.h"
#include "settings/ini.h"

namespace {

class Virheet final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string& teksti, const std::string&) override { std::fprintf(stderr, "%s\n", teksti.c_str()); }
    diag::Vastaus kysy(diag::Laji, const std::string&, bool, const std::string&) override { return diag::Vastaus::Ei; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "kirjoita_asetukset OHJELMAKANSIO\n");
        return 2;
    }
    const Ohjelmakansio kansio(argv[1], jarjestelman_tiedostot());
    Virheet viestit;
    const Asetusymparisto y{kansio, jarjestelman_tiedostot(), viestit, {}, {}};
    IniTiedosto ini;
    if (!ini.lataa(y.tiedostot, asetustiedosto(kansio))) return 1;
    TAsetukset a;
    lue_asetusarvot(a, ini, y);
    return Kirjoita_ini(a, y) ? 0 : 1;
}
