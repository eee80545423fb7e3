#pragma once
// Subcommands built as executables of their own beside rkb, so that every other subcommand starts without
// loading their libraries (Qt, libcurl). rkb runs such an executable in its own place with the same
// arguments; the executable registers the subcommand under the same name. Usage and description are the
// command's row in cli/komennot.cpp.
#include <cstddef>

#include "cli/alikomennot.h"

struct Apuohjelma {
    const char* ohjelma;  // the executable's file name
    const char* nimi;
    std::size_t vahintaan;
    std::size_t enintaan;
};

// Labels and the printed list are drawn by the windows' Qt code; the text list dates itself as Qt writes
// the system's date.
inline constexpr Apuohjelma tarrojen_tulostus{"rkb-qt", "labels", 4, 10};
inline constexpr Apuohjelma listan_tulostus{"rkb-qt", "print-list", 2, 4};
inline constexpr Apuohjelma tekstilistan_vienti{"rkb-qt", "export-text", 2, 4};
// The reminder is mailed, and movie data fetched, through libcurl.
inline constexpr Apuohjelma muistutuksen_lahetys{"rkb-posti", "remind", 2, 5};
inline constexpr Apuohjelma elokuvahaku{"rkb-posti", "imdb-find", 1, 3};
inline constexpr Apuohjelma elokuvan_nouto{"rkb-posti", "imdb-fetch", 2, 6};
inline constexpr Apuohjelma apuohjelmat[] = {tarrojen_tulostus, listan_tulostus, tekstilistan_vienti,
                                             muistutuksen_lahetys, elokuvahaku, elokuvan_nouto};

// The subcommand as its own executable registers it.
inline Alikomento apuohjelman_komento(const Apuohjelma& a, std::function<int(const std::vector<std::string>&)> aja) {
    return {a.nimi, a.vahintaan, a.enintaan, std::move(aja)};
}
