#include "cli/imdb_yhteinen.h"

#include "cli/alikomennot.h"
#include "perus/merkisto.h"
#include "settings/asetukset.h"

std::optional<Imdbvalinnat> lue_imdbvalinnat(const std::vector<std::string>& p, bool osuma_sallittu) {
    Imdbvalinnat v;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const bool osuma = p[i] == "--hit" && osuma_sallittu;
        if (!osuma && p[i] != "--source") {
            if (p[i].rfind("--", 0) == 0) return std::nullopt;
            v.nimetyt.push_back(p[i]);
            continue;
        }
        if (i + 1 == p.size()) return std::nullopt;
        (osuma ? v.osuma : v.lahde) = p[++i];
    }
    return v;
}

std::optional<Lahdelaji> valittu_lahde(const Imdbvalinnat& v, const TAsetukset& a) {
    if (!v.lahde) return oletuslahde(a);
    const std::optional<Lahdelaji> l = lahde_tunnuksella(*v.lahde);
    if (!l) tulosta_virhe("Tietolähdettä " + merkisto::utf8_cp1252(*v.lahde) + " ei ole: valitse imdb tai wikidata.");
    return l;
}

bool etsi_elokuvia(Elokuvalahde& lahde, const Lahdekuvaus& kuvaus, const std::string& hakusana, Hakutulokset& h) {
    if (hakusana.empty()) {
        tulosta_virhe(kuvaus.ei_hakusanaa);
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
