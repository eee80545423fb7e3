#pragma once
// A throw-away program folder with a catalogue and recorded seams, for window tests.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "testituki/testiviestit.h"
#include "storage/varasto.h"

struct Testiymparisto {
    explicit Testiymparisto(const std::string& nimi)
        : juuri(luo(std::filesystem::temp_directory_path() / (nimi + "_" + std::to_string(::getpid())))), kansio(juuri) {}
    ~Testiymparisto() {
        std::error_code ec;
        std::filesystem::remove_all(juuri, ec);
    }
    Testiymparisto(const Testiymparisto&) = delete;
    Testiymparisto& operator=(const Testiymparisto&) = delete;

    std::filesystem::path kannet() const { return juuri / "gfx" / "kannet"; }

    std::filesystem::path juuri;
    Ohjelmakansio kansio;
    Tietokanta tk;
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), viestit, kiire};

private:
    static std::filesystem::path luo(const std::filesystem::path& p) {
        std::filesystem::remove_all(p);
        std::filesystem::create_directories(p / "gfx" / "kannet");
        return p;
    }
};
