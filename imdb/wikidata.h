#pragma once
// Movie data from Wikidata, with the plot from the Finnish Wikipedia: a documented, keyless interface that
// knows Finnish titles, names and genres. Wikidata's data is CC0; the Wikipedia summary is CC BY-SA, so
// the card's comments name the article it came from.
#include <atomic>
#include <string>
#include <string_view>

#include "imdb/lahde.h"
#include "perus/verkkohaku.h"

class Wikidatalahde : public Elokuvalahde {
public:
    // `yhteystieto`: how the sites' operators can reach the user (an e-mail or a web address; may be
    // empty), sent in the User-Agent as Wikimedia's API etiquette asks.
    Wikidatalahde(Verkkohaku& verkko, std::string yhteystieto);

    // Films whose label or alias matches, in Finnish first and in English when Finnish finds no film.
    // Rows read "Title (year), ohj. Director"; koodit hold the Q-ids; akat the original title.
    Tulos etsi(std::string_view hakusana, Hakutulokset& tulokset) override;
    // One item (a Q-id) read onto the card: the name as "Finnish title (original title)", year, directors,
    // writers, first actors, genres, countries, running time, the IMDb number, a cover address and the
    // Finnish plot.
    Tulos nouda(std::string_view koodi, const TKortti& kortti, Elokuvasivu& sivu) override;
    void keskeyta() override;

    const std::string& user_agent() const { return user_agent_; }

private:
    struct Haku;
    Verkkohaku& verkko_;
    std::string user_agent_;
    std::atomic<bool> keskeytetty_{false};
};

// The search term of a card's name for a Finnish source: the name before its parentheses (the Finnish
// title), or the whole name when nothing stands before them.
std::string wikidata_hakusana(std::string_view nimi);

// What a search without a term says.
inline constexpr const char* wikidata_ei_hakusanaa = "Syötä elokuvan nimi \"elokuvan nimi\" kenttään!";

// How many actors a card takes from an item, in the order the item lists them.
inline constexpr int nayttelijoita_kortille = 6;
// Most ids one wbgetentities request may name.
inline constexpr std::size_t tunnuksia_pyynnossa = 50;
