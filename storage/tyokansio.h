#pragma once
// Private temporary folders for work files (repair copies, fetched pages, a catalogue loaded on the side).
#include <filesystem>
#include <string_view>

#include "perus/tulos.h"

class Tiedostojarjestelma;

// The system's temporary folder ($TMPDIR, else /tmp).
std::filesystem::path jarjestelman_tilapaiskansio();

// A new folder "<etuliite>-<process>-XXXXXX" that only this user can enter, removed with everything in it
// when the object goes. The path is empty when the folder could not be made.
class Tyokansio {
public:
    Tyokansio(Tiedostojarjestelma& t, std::string_view etuliite,
              const std::filesystem::path& kansio = jarjestelman_tilapaiskansio());
    ~Tyokansio();
    Tyokansio(const Tyokansio&) = delete;
    Tyokansio& operator=(const Tyokansio&) = delete;

    const std::filesystem::path& polku() const { return polku_; }
    // Why the folder could not be made.
    const Tulos& tulos() const { return tulos_; }

private:
    Tiedostojarjestelma& t_;
    std::filesystem::path polku_;
    Tulos tulos_;
};

// Removes the work folders of that prefix whose run is gone (a crash or kill skipped their removal):
// only folders of this user whose process no longer runs.
void siivoa_vanhat_tyokansiot(Tiedostojarjestelma& t, std::string_view etuliite,
                              const std::filesystem::path& kansio = jarjestelman_tilapaiskansio());
