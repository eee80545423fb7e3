#pragma once
// The movie data sources the program offers, each described once for the IMDb window and for `rkb`: its
// name in settings and on the command line, the texts the window shows, and how a card's name becomes
// its search term.
#include <optional>
#include <string>
#include <string_view>

#include "imdb/imdb_lahde.h"
#include "imdb/wikidata.h"

struct TAsetukset;

enum class Lahdelaji { Imdb, Wikidata };
// The first is the default.
inline constexpr Lahdelaji lahdelajit[] = {Lahdelaji::Imdb, Lahdelaji::Wikidata};

struct Lahdekuvaus {
    const char* tunnus;        // in asetukset.ini and after --source
    const char* nimi;          // as the window offers it
    const char* otsikko;       // the window's caption while it searches
    const char* haetaan;       // the status text while a request runs
    const char* ei_hakusanaa;  // the message for a card without a name to search by
    bool kayttoehdot;          // the user agreement is shown until it has been accepted once
    std::string (*hakusana)(std::string_view nimi);
};

const Lahdekuvaus& lahdekuvaus(Lahdelaji laji);
std::optional<Lahdelaji> lahde_tunnuksella(std::string_view tunnus);
// The source the settings name; the default (IMDb) for anything else.
Lahdelaji oletuslahde(const TAsetukset& a);

// Every source over one HTTP client, as the settings ask for them.
class Elokuvalahteet {
public:
    Elokuvalahteet(Verkkohaku& http, const TAsetukset& a);
    Elokuvalahde& operator[](Lahdelaji laji);
    // Stops whatever any of them is fetching.
    void keskeyta();

private:
    ImdbLahde imdb_;
    Wikidatalahde wikidata_;
};
