// rkb imdb-search FILE: the hit list of a saved search page (old result page or today's suggestions),
// one row a line as text, title number and other title separated by tabs.
#include <cstdio>

#include "cli/alikomennot.h"
#include "imdb/elokuvasivu.h"
#include "imdb/hakusivu.h"
#include "perus/merkisto.h"

namespace {

int imdb_search(const std::vector<std::string>& p) {
    std::string sivu;
    if (!lue_tiedosto(p[0], sivu)) {
        tulosta_virhe("Tiedostoa " + merkisto::utf8_cp1252(p[0]) + " ei voi lukea.");
        return 1;
    }
    const Hakutulokset h = tunnista_sivu(sivu) == Sivulaji::Ehdotukset ? lue_ehdotukset(sivu)
                                                                         : lue_hakutulokset(siivoa_hakusivu(sivu));
    for (const std::string& v : h.viestit) tulosta_virhe(v);
    std::string ulos;
    for (std::size_t i = 0; i < h.rivit.size(); ++i)
        ulos += merkisto::cp1252_utf8(h.rivit[i] + "\t" + h.koodit[i] + "\t" + h.akat[i]) + "\n";
    if (std::fwrite(ulos.data(), 1, ulos.size(), stdout) != ulos.size() || std::fflush(stdout) != 0) return 1;
    return 0;
}

const RekisteroiAlikomento rekisteroi({"imdb-search", 1, 1, imdb_search});

}  // namespace
