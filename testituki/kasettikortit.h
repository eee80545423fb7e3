#pragma once
// Cards that say only what lies on which cassette, for the tests of cassette lengths and tape status.
#include <vector>

#include "storage/kortti.h"

namespace testituki {

struct Kasettikortti {
    const char* kasetti;
    const char* formaatti;
    const char* kesto;
    const char* nauha = "";  // the tape's length in minutes
};

// The cards appended to `l` in the order given.
inline void lisaa_kasettikortit(TOmaList& l, const std::vector<Kasettikortti>& kortit) {
    for (const Kasettikortti& k : kortit) {
        TKortti& c = l.lisaa_uusi();
        c.kasetilla = k.kasetti;
        c.formaatti = k.formaatti;
        c.kesto = k.kesto;
        c.nauha = k.nauha;
    }
}

inline TOmaList kasettiluettelo(const std::vector<Kasettikortti>& kortit) {
    TOmaList l;
    lisaa_kasettikortit(l, kortit);
    return l;
}

}  // namespace testituki
