// Arbitrary bytes as the borrowers' profiles: the reader may not crash or run away, and what it reads
// turns back into a file text.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lending/profiilit.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostojarjestelma.h"

namespace fs = std::filesystem;

namespace {

const Ohjelmakansio& ohjelma() {
    static const Ohjelmakansio o = [] {
        const fs::path k = fs::temp_directory_path() / ("profiilit_fuzz_" + std::to_string(::getpid()));
        fs::create_directories(k);
        return Ohjelmakansio(k, jarjestelman_tiedostot());
    }();
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const fs::path tiedosto = profiilitiedosto(ohjelma());
    std::ofstream(tiedosto, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(koko));
    std::vector<Profiili> profiilit;
    lue_profiilit(jarjestelman_tiedostot(), tiedosto, profiilit);
    (void)profiilit_tekstiksi(profiilit);
    return 0;
}
