// Arbitrary bytes as the settings file and a skin description: neither reader may crash or run away, and
// what the INI writer writes reads back as the same lines.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "diag/viestit.h"
#include "perus/ohjelmakansio.h"
#include "settings/asetukset.h"
#include "settings/ini.h"

namespace fs = std::filesystem;

namespace {

class Hiljaa final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string&, const std::string&) override {}
    diag::Vastaus kysy(diag::Laji, const std::string&, bool, const std::string&) override { return diag::Vastaus::Ei; }
};

const fs::path& kansio() {
    static const fs::path p = [] {
        const fs::path k = fs::temp_directory_path() / ("ini_fuzz_" + std::to_string(::getpid()));
        fs::create_directories(k / "gfx" / "perus");
        return k;
    }();
    return p;
}

void kirjoita(const fs::path& p, std::string_view data) {
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(data.data(), static_cast<std::streamsize>(data.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view teksti(reinterpret_cast<const char*>(data), koko);

    IniTiedosto ini;
    ini.jasenna(teksti);
    (void)ini.lue("Sekalaista", "notify_dates");
    ini.kirjoita("Tallennus", "sortattuna", std::string(teksti.substr(0, 40)));
    IniTiedosto uudelleen;
    uudelleen.jasenna(ini.sisalto());
    if (uudelleen.rivit() != ini.rivit()) std::abort();
    (void)ini_kokonaisluku(teksti.substr(0, 64));

    const Ohjelmakansio ohjelma(kansio(), jarjestelman_tiedostot());
    Hiljaa viestit;
    kirjoita(kansio() / "asetukset.ini", teksti);
    kirjoita(kansio() / "gfx" / "perus" / "ulkoasu.ini", teksti);
    TAsetukset a;
    const Asetusymparisto y{ohjelma, jarjestelman_tiedostot(), viestit, {}, {}};
    (void)lue_ini(a, y);
    return 0;
}
