#include "imdb/lahteet.h"

#include "imdb/hakusivu.h"
#include "settings/asetukset.h"

namespace {

const Lahdekuvaus kuvaukset[] = {
    {"imdb", "IMDb (englanniksi)", "Internet Movie Database", "Haetaan IMDB:stä.....",
     "Syötä elokuvan englanninkielinen nimi \"elokuvan nimi\" kenttään!", true, &hakusana_nimesta},
    {"wikidata", "Wikidata ja Wikipedia (suomeksi)", "Wikidata ja Wikipedia", "Haetaan Wikidatasta.....",
     wikidata_ei_hakusanaa, false, &wikidata_hakusana},
};

}  // namespace

const Lahdekuvaus& lahdekuvaus(Lahdelaji laji) { return kuvaukset[static_cast<int>(laji)]; }

std::optional<Lahdelaji> lahde_tunnuksella(std::string_view tunnus) {
    for (Lahdelaji l : lahdelajit)
        if (tunnus == lahdekuvaus(l).tunnus) return l;
    return std::nullopt;
}

Lahdelaji oletuslahde(const TAsetukset& a) { return lahde_tunnuksella(a.tietolahde).value_or(lahdelajit[0]); }

Elokuvalahteet::Elokuvalahteet(Verkkohaku& http, const TAsetukset& a)
    : imdb_(http), wikidata_(http, a.wikimedia_yhteystieto) {}

Elokuvalahde& Elokuvalahteet::operator[](Lahdelaji laji) {
    if (laji == Lahdelaji::Wikidata) return wikidata_;
    return imdb_;
}

void Elokuvalahteet::keskeyta() {
    imdb_.keskeyta();
    wikidata_.keskeyta();
}
