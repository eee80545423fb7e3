// rkb imdb-find TITLE [--source imdb|wikidata]: the hit list of a title search against the configured
// servers of the source (the settings' one by default), as the IMDb window gets it: one row a line, the row's text, title number and other title separated by tabs.
#include "cli/apuohjelmat.h"
#include "cli/alikomennot.h"
#include "cli/imdb_yhteinen.h"
#include "net/http.h"
#include "perus/merkisto.h"

namespace {

int imdb_find(const std::vector<std::string>& p) {
    const std::optional<Imdbvalinnat> v = lue_imdbvalinnat(p, false);
    if (!v || v->nimetyt.size() != 1) {
        tulosta_virhe("Käyttö: rkb imdb-find NIMI [--source imdb|wikidata]");
        return 1;
    }
    Avattu a;
    if (!a.lue_asetukset()) return 1;
    const std::optional<Lahdelaji> laji = valittu_lahde(*v, a.asetukset);
    if (!laji) return 1;
    net::HttpAsiakas http;
    http.proxy = net::asetusten_valityspalvelin(a.asetukset);
    Elokuvalahteet lahteet(http, a.asetukset);
    Hakutulokset h;
    if (!etsi_elokuvia(lahteet[*laji], lahdekuvaus(*laji), merkisto::utf8_cp1252(v->nimetyt[0]), h)) return 1;
    for (std::size_t i = 0; i < h.rivit.size(); ++i)
        if (!tulosta_rivi(h.rivit[i] + "\t" + h.koodit[i] + "\t" + h.akat[i])) return 1;
    return 0;
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(elokuvahaku, imdb_find));

}  // namespace
