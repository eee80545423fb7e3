#pragma once
// Large catalogues for benchmarks and tests: cards with varied, realistic text and real small JPEG covers,
// the same for the same settings on every run.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/kortti.h"

namespace aineisto {

struct Luettelo {
    int kortteja = 100000;
    int kansia = 2000;                // cards with a cover, spread evenly over the catalogue
    std::size_t kannen_koko = 20000;  // bytes of each JPEG cover, roughly
    // Varied text as people type it; false gives short repetitive cards that compress very well.
    bool vaihteleva = true;
    unsigned siemen = 1;
};

// The cards; a card with a cover names it gfx\kannet\<eight digits 1 to 8>.jpg as the program does.
TOmaList kortit(const Luettelo& l);

// JPEG covers of about the size asked: a few drawn pictures, each file made unique by a comment segment,
// so that thousands of covers cost a handful of encodings.
class Kansikuvat {
public:
    Kansikuvat(std::size_t koko, unsigned siemen);
    std::string kansi(int numero) const;

private:
    std::vector<std::string> pohjat_;
};

// A catalogue file as the program writes one: the body as the member avattu.$$$ and each cover under
// gfx\kannet\. `tyokansio` holds the member files meanwhile and is removed. Gives the cards written.
TOmaList kirjoita_luettelo(const std::filesystem::path& tiedosto, const Luettelo& l,
                           const std::filesystem::path& tyokansio);

}  // namespace aineisto
