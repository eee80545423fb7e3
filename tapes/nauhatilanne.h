#pragma once
// Tape status: every tape cassette with its length and the minutes used and free on it, and the search
// for cassettes with enough free recording time.
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

namespace diag { class Viestit; }
struct TAsetukset;

// One row as the status grid shows it.
struct Nauharivi {
    std::string kasetti;
    std::string pituus;    // "180 min"; empty when no length is recorded
    std::string kaytetty;  // "150 min"; "--" when the used time cannot be counted
    std::string vapaa;     // "30 min"; "--" when it cannot be known or is negative
    int ensimmainen = 0;   // the first card of the cassette in the catalogue
};

// The tape cassettes in catalogue order of their first tape card (formats with a "P"), leaving out those
// numbered with the settings' "bought cassette" mark while that setting is on. A minimum other than 0
// keeps only cassettes with at least that many free SP minutes.
std::vector<Nauharivi> tee_nauhalista(const TOmaList& lista, long long vahintaan, const TAsetukset& asetukset,
                                      diag::Viestit& viestit);

// The status bar text of a row.
std::string nauhan_tila(const Nauharivi& rivi);

inline constexpr const char* minuuttivirhe = "VIRHE: Syötä kenttään haettava minuuttimäärä esim \"90\"";

struct Vapaan_haku {
    bool luku_kelpaa = true;       // false: the minimum was not a whole number (the error has been shown)
    bool loytyi = true;            // false: nothing had room, every cassette is listed ("Ei löydy!" shown)
    std::vector<Nauharivi> rivit;
};

// Cassettes with at least the typed number of free minutes; in long play half as many SP minutes.
Vapaan_haku etsi_vapaata(const TOmaList& lista, std::string_view vahintaan, bool lp, const TAsetukset& asetukset,
                         diag::Viestit& viestit);
