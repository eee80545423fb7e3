#pragma once
// A throw-away program folder with a catalogue and recorded seams, for window tests.
#include <filesystem>
#include <string>

#include "storage/varasto.h"
#include "testituki/testiviestit.h"
#include "testituki/tilapainen_kansio.h"

struct Testivarasto {
    explicit Testivarasto(const std::string& nimi) : k(nimi) { std::filesystem::create_directories(kannet()); }

    std::filesystem::path kannet() const { return juuri / "gfx" / "kannet"; }

    testituki::Tilapainen_kansio k;
    const std::filesystem::path& juuri = k.juuri();
    Ohjelmakansio kansio{juuri, jarjestelman_tiedostot()};
    Tietokanta tk;
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire};
};
