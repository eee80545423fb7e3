// Arbitrary bytes opened as a catalogue archive and extracted: nothing may crash, and nothing may be
// written outside the run's own folder.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "storage/zlbarkisto_fuzzaus.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    static const fs::path juuri = fs::temp_directory_path() / ("zlbarkisto_fuzz_" + std::to_string(::getpid()));
    const fs::path kansio = juuri / "ajo";
    fs::remove_all(juuri);
    fs::create_directories(kansio);
    aja_arkistotapaus(data, koko, kansio);
    // The run's folder is the only thing the archive may have touched.
    for (const auto& e : fs::directory_iterator(juuri))
        if (e.path() != kansio) std::abort();
    for (const auto& e : fs::directory_iterator(kansio))
        if (e.path().filename() != "tapaus.rkb" && e.path().filename() != "kohde") std::abort();
    fs::remove_all(juuri);
    return 0;
}
