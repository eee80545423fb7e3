#pragma once
// A whole file as bytes for a test's comparison, and the fixture files in the testdata/ folder beside a
// folder's tests.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "perus/tiedostot.h"

namespace testituki {

// Empty when the file cannot be read; the comparison then shows what was missing.
inline std::string tiedoston_sisalto(const std::filesystem::path& p) {
    std::string s;
    if (!lue_koko_tiedosto(jarjestelman_tiedostot(), p, s)) s.clear();
    return s;
}

// A fixture file of a folder's tests: testidata("imdb", "vanha_nimike.html").
inline std::filesystem::path testidata(std::string_view kansio, std::string_view nimi) {
    return std::filesystem::path(RULLAKKO_SOURCE_DIR) / kansio / "testdata" / nimi;
}

// The bytes of such a file; one that cannot be read fails the test that wanted it.
inline std::string testitiedosto(std::string_view kansio, std::string_view nimi) {
    const std::filesystem::path p = testidata(kansio, nimi);
    std::string s;
    if (!lue_koko_tiedosto(jarjestelman_tiedostot(), p, s))
        throw std::runtime_error("Testitiedostoa " + p.string() + " ei voi lukea.");
    return s;
}

}  // namespace testituki
