// Writes a large test catalogue: tee_luettelo OUT.rkb [cards [covers [cover bytes [repetitive]]]]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <unistd.h>

#include "tools/aineisto/suuri_luettelo.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 6) {
        std::fprintf(stderr, "usage: tee_luettelo OUT.rkb [KORTTEJA [KANSIA [KANNEN_TAVUT [toistuva]]]]\n");
        return 1;
    }
    aineisto::Luettelo l;
    if (argc > 2) l.kortteja = std::atoi(argv[2]);
    if (argc > 3) l.kansia = std::atoi(argv[3]);
    if (argc > 4) l.kannen_koko = static_cast<std::size_t>(std::atol(argv[4]));
    if (argc > 5) l.vaihteleva = std::string(argv[5]) != "toistuva";
    const std::filesystem::path kohde = std::filesystem::absolute(argv[1]);
    try {
        aineisto::kirjoita_luettelo(kohde, l, kohde.parent_path() / (".tee_luettelo_" + std::to_string(::getpid())));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tee_luettelo: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "%d korttia, %d kantta -> %s\n", l.kortteja, l.kansia, argv[1]);
    return 0;
}
