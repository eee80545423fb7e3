#pragma once
// A small JPEG as the bytes a poster server sends, for tests that serve covers.
#include <string>
#include <vector>

#include "perus/tiedostot.h"
#include "storage/kuvakoodekki.h"
#include "testituki/tilapainen_kansio.h"

namespace testituki {

// An 8 x 8 grey picture, encoded by the program's own writer; empty when it could not be written.
inline std::string pieni_jpeg() {
    const Tilapainen_kansio kansio("pieni_jpeg");
    const std::filesystem::path apu = kansio / "kansi.jpg";
    std::string s;
    if (!kirjoita_jpeg(jarjestelman_tiedostot(), apu, RgbKuva{8, 8, std::vector<unsigned char>(192, 90)}, 80) || !lue_koko_tiedosto(jarjestelman_tiedostot(), apu, s))
        s.clear();
    return s;
}

}  // namespace testituki
