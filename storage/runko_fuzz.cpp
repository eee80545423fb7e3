// Arbitrary bytes as a catalogue body, as an old catalogue, as a settings file and as a cover picture:
// none of the readers may crash or run away.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "diag/viestit.h"
#include "settings/ini.h"
#include "storage/korjaus.h"
#include "storage/kuvakoodekki.h"
#include "storage/runko.h"

namespace {

class Hiljaa final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string&, const std::string&) override {}
    diag::Vastaus kysy(diag::Laji, const std::string&, bool, const std::string&) override { return diag::Vastaus::Ei; }
};

const std::filesystem::path& kuvatiedosto() {
    static const std::filesystem::path p = std::filesystem::temp_directory_path() / ("runko_fuzz_" + std::to_string(::getpid()));
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view teksti(reinterpret_cast<const char*>(data), koko);
    Hiljaa viestit;
    TOmaList lista;
    RungonLuku luku;
    luku.liitos = koko % 2 == 1;
    lue_runko(teksti, lista, luku, viestit);
    std::string ulos;
    kirjoita_runko(lista, ulos);

    TOmaList vanha;
    lue_vanhat_kortit(teksti, vanha);

    IniTiedosto ini;
    ini.jasenna(teksti);
    ini.kirjoita("Tallennus", "sortattuna", "1");
    (void)ini.lue("Näkymä", "nakyma_mode");

    if (koko > 2) {
        std::ofstream(kuvatiedosto(), std::ios::binary).write(teksti.data(), static_cast<std::streamsize>(koko));
        RgbKuva kuva;
        if (lue_jpeg(jarjestelman_tiedostot(), kuvatiedosto(), kuva) || lue_gif(jarjestelman_tiedostot(), kuvatiedosto(), kuva)) (void)puolita(kuva);
    }
    return 0;
}
