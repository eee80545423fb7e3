#pragma once
// A source of movie data (IMDb, Wikidata): it finds titles for a search term and reads one title's values
// for a card, over the core's HTTP interface. Both return plain data, so the IMDb window, its batch of
// covers and `rkb` drive every source alike and tests run them against a local server.
#include <string_view>

#include "imdb/elokuvasivu.h"
#include "imdb/hakusivu.h"
#include "perus/tulos.h"

class Elokuvalahde {
public:
    virtual ~Elokuvalahde() = default;

    // The hit list for a search term. A failure (no connection, an answer the source cannot read) is a
    // failure with a Finnish message; finding nothing is success with no title rows.
    virtual Tulos etsi(std::string_view hakusana, Hakutulokset& tulokset) = 0;

    // The values of one hit (its `koodit` entry) read as if `kortti` were the current card.
    virtual Tulos nouda(std::string_view koodi, const TKortti& kortti, Elokuvasivu& sivu) = 0;

    // Stops a search or fetch in progress within about a second; safe from any thread.
    virtual void keskeyta() = 0;
};
