#include "cli/imdb_yhteinen.h"

#include "cli/alikomennot.h"

bool etsi_elokuvia(Elokuvalahde& lahde, const std::string& hakusana, Hakutulokset& h) {
    if (hakusana.empty()) {
        tulosta_virhe("Syötä elokuvan englanninkielinen nimi \"elokuvan nimi\" kenttään!");
        return false;
    }
    if (const Tulos t = lahde.etsi(hakusana, h); !t) {
        tulosta_virhe(t.viesti);
        return false;
    }
    for (const std::string& v : h.viestit) tulosta_virhe(v);
    if (!h.yksi_nimike && ensimmainen_nimike(h) < 0) {
        tulosta_virhe("Hakusanalla ei löytynyt yhtään elokuvaa");
        return false;
    }
    return true;
}
