// rkb imdb-fetch FILE CARDINDEX [--hit N] [--source imdb|wikidata]: fills a card from the source (the
// settings' one by default) as the window's accept does (the first choices of the choose view, the cover
// now or later as the settings say) and saves the catalogue.
#include <cstdlib>

#include "cli/apuohjelmat.h"
#include "cli/alikomennot.h"
#include "cli/imdb_yhteinen.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "imdb/kansilataus.h"
#include "net/http.h"
#include "perus/teksti.h"
#include "storage/tallennus.h"

namespace {

// A whole number from 1 up, or 0.
int luku(const std::string& s) {
    const Alkuluku l = lue_alkuluku(s);
    return l.puhdas && l.arvo > 0 && l.arvo < 1000000 ? static_cast<int>(l.arvo) : 0;
}

// The title number of the n:th title row (header rows not counted); empty when there are fewer.
std::string osuman_koodi(const Hakutulokset& h, int n) {
    for (const std::string& k : h.koodit)
        if (!k.empty() && --n == 0) return k;
    return {};
}

int imdb_fetch(const std::vector<std::string>& p) {
    const std::optional<Imdbvalinnat> v = lue_imdbvalinnat(p, true);
    const int indeksi = v && v->nimetyt.size() == 2 ? luku(v->nimetyt[1]) : 0;
    const int osuma = v && v->osuma ? luku(*v->osuma) : 1;
    if (osuma == 0 || indeksi == 0) {
        tulosta_virhe("Käyttö: rkb imdb-fetch TIEDOSTO KORTTI [--hit N] [--source imdb|wikidata]");
        return 1;
    }
    Avattu a;
    if (!a.lue_asetukset()) return 1;
    const std::optional<Lahdelaji> laji = valittu_lahde(*v, a.asetukset);
    if (!laji || !a.avaa(v->nimetyt[0])) return 1;
    TOmaList& kortit = a.tk.kortit;
    if (indeksi >= kortit.Count()) {
        tulosta_virhe("Korttia " + std::to_string(indeksi) + " ei ole: luettelossa on " +
                      std::to_string(kortit.Count() - 1) + " korttia.");
        return 1;
    }
    net::HttpAsiakas http;
    http.proxy = net::asetusten_valityspalvelin(a.asetukset);
    Elokuvalahteet lahteet(http, a.asetukset);
    Elokuvalahde& lahde = lahteet[*laji];
    const Lahdekuvaus& kuvaus = lahdekuvaus(*laji);
    Hakutulokset h;
    if (!etsi_elokuvia(lahde, kuvaus, kuvaus.hakusana(kortit[indeksi].nimi), h)) return 1;
    const std::string koodi = osuman_koodi(h, osuma);
    if (koodi.empty()) {
        tulosta_virhe("Osumaa " + std::to_string(osuma) + " ei ole.");
        return 1;
    }
    Elokuvasivu s;
    if (const Tulos t = lahde.nouda(koodi, kortit[indeksi], s); !t) {
        tulosta_virhe(t.viesti);
        return 1;
    }
    for (const std::string& v : s.viestit) tulosta_virhe(v);
    TKortti& k = kortit[indeksi];
    k.kopioi(s.kortti);
    kortit.merkitse_muutetuksi();
    hyvaksy_valinnat(k, s.kestolista.empty() ? "" : s.kestolista.front(), s.aanilista.empty() ? "" : s.aanilista.front(),
                     s.imdb_koodi);
    if (!s.cover_url.empty()) {
        k.cover_url = s.cover_url;
        k.hae_kansi = true;
        odota_kannet(a.v.tk());
        if (a.asetukset.dl_cover_default) dl_cover(http, s.cover_url, kortit, indeksi, a.kansio, a.v.tj(), a.viestit);
    }
    if (!tallenna_tietokanta(ohjelman_nimi(v->nimetyt[0]), a.v)) return 1;
    const TKortti& valmis = kortit[indeksi];
    return tulosta_rivi(std::string(valmis.nimi) + "\t" + std::string(valmis.imdb_koodi) + "\t" +
                        std::string(valmis.cover_fn.empty() ? valmis.cover_url : valmis.cover_fn))
               ? 0
               : 1;
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(elokuvan_nouto, imdb_fetch));

}  // namespace
