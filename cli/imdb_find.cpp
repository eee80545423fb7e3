// rkb imdb-find TITLE: the hit list of a title search against the configured servers, as the IMDb window
// gets it: one row a line, the row's text, title number and other title separated by tabs.
#include "cli/alikomennot.h"
#include "cli/imdb_yhteinen.h"
#include "imdb/imdb_lahde.h"
#include "net/http.h"
#include "perus/merkisto.h"

namespace {

int imdb_find(const std::vector<std::string>& p) {
    Avattu a;
    if (!a.lue_asetukset()) return 1;
    net::HttpAsiakas http;
    http.proxy = net::asetusten_valityspalvelin(a.asetukset);
    ImdbLahde lahde(http);
    Hakutulokset h;
    if (!etsi_elokuvia(lahde, merkisto::utf8_cp1252(p[0]), h)) return 1;
    for (std::size_t i = 0; i < h.rivit.size(); ++i)
        if (!tulosta_rivi(h.rivit[i] + "\t" + h.koodit[i] + "\t" + h.akat[i])) return 1;
    return 0;
}

const RekisteroiAlikomento rekisteroi({"imdb-find", "NIMI", 1, 1, imdb_find});

}  // namespace
