// Arbitrary bytes as a list, as Tellico XML, as a .tc file and as a cover picture: nothing may crash, and
// every card made from them must hold what the field rules let through.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tuonti/kansikuva.h"
#include "tuonti/tuonti.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    if (koko == 0) return 0;
    const std::string_view tavut(reinterpret_cast<const char*>(data) + 1, koko - 1);
    Tuotavat t;
    switch (data[0] % 4) {
        case 0: {
            Csvtaulu taulu;
            if (lue_csv(tavut, taulu)) tee_csv_kortit(taulu, arvaa_kartta(taulu.rivit[0]), t);
            break;
        }
        case 1: {
            Tellicokokoelma k;
            if (lue_tellico_xml(tavut, k)) tee_tellico_kortit(k, t);
            break;
        }
        case 2: {
            static const fs::path p = fs::temp_directory_path() / ("tuonti_fuzz_" + std::to_string(::getpid()) + ".tc");
            std::ofstream(p, std::ios::binary | std::ios::trunc).write(tavut.data(), static_cast<std::streamsize>(tavut.size()));
            Tellicokokoelma k;
            if (lue_tellico(jarjestelman_tiedostot(), p, k)) tee_tellico_kortit(k, t);
            fs::remove(p);
            break;
        }
        default: {
            std::string kuva, paate;
            kansikuvaksi(tavut, kuva, paate);
        }
    }
    // A card's texts are single lines of the catalogue file.
    for (const auto& k : t.kortit)
        if (k->kommentti.find_first_of("\r\n") != std::string::npos || k->nimi.find_first_of("\r\n") != std::string::npos)
            std::abort();
    return 0;
}
