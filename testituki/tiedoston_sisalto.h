#pragma once
// A whole file as bytes for a test's comparison.
#include <filesystem>
#include <string>

#include "perus/tiedostot.h"

namespace testituki {

// Empty when the file cannot be read; the comparison then shows what was missing.
inline std::string tiedoston_sisalto(const std::filesystem::path& p) {
    std::string s;
    if (!lue_koko_tiedosto(jarjestelman_tiedostot(), p, s)) s.clear();
    return s;
}

}  // namespace testituki
