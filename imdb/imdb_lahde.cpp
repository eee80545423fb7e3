#include "imdb/imdb_lahde.h"

#include "diag/loki.h"
#include "imdb/osoitteet.h"

std::string vanha_hakuosoite(std::string_view hakusana) {
    // Blanks as "+", other bytes outside plain ASCII letters and digits percent-encoded.
    static const char* heksa = "0123456789ABCDEF";
    std::string q;
    for (unsigned char c : hakulauseke(hakusana)) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
            c == '.' || c == '_' || c == '~' || c == '\'') {
            q += static_cast<char>(c);
        } else {
            q += '%';
            q += heksa[c >> 4];
            q += heksa[c & 15];
        }
    }
    return imdb_osoite() + "/Tsearch?title=" + q + "&restrict=Movies+and+TV";
}

namespace {

// The server could not be reached or its answer was refused (not an HTTP status of its own).
bool yhteysvirhe(const Tulos& t) { return !t && t.koodi < 400; }

}  // namespace

void ImdbLahde::keskeyta() {
    keskeytys_ = true;
    http_.keskeyta();
}

Tulos ImdbLahde::keskeytetty() const { return Tulos::virhe(keskeytetty_haku, "Haku keskeytettiin."); }

Tulos ImdbLahde::hae(const std::string& url, HttpVastaus& vastaus) {
    if (keskeytys_) return keskeytetty();
    HttpPyynto p;
    p.url = url;
    p.enintaan = sivun_enimmaiskoko;
    const Tulos t = http_.hae(p, vastaus);
    if (keskeytys_) return keskeytetty();
    if (!t) kirjoita_debug_aina("[imdb] " + t.viesti);
    return t;
}

Tulos ImdbLahde::etsi(std::string_view hakusana, Hakutulokset& tulokset) {
    keskeytys_ = false;
    tulokset = Hakutulokset{};
    kirjoita_debug("IMDB hakusana=" + hakulauseke(hakusana));
    HttpVastaus v;
    const Tulos ehdotukset = hae(ehdotusosoite(hakusana), v);
    if (keskeytys_) return keskeytetty();
    if (ehdotukset && tunnista_sivu(v.runko) == Sivulaji::Ehdotukset) {
        Hakutulokset h = lue_ehdotukset(v.runko);
        if (ensimmainen_nimike(h) >= 0) {
            nykyinen_ensin_ = true;
            tulokset = std::move(h);
            return Tulos::ok();
        }
    }
    const Tulos vanha = hae(vanha_hakuosoite(hakusana), v);
    if (keskeytys_) return keskeytetty();
    nykyinen_ensin_ = false;
    if (vanha) {
        switch (tunnista_sivu(v.runko)) {
        case Sivulaji::VanhaHaku: tulokset = lue_hakutulokset(siivoa_hakusivu(v.runko)); break;
        case Sivulaji::Ehdotukset:
            tulokset = lue_ehdotukset(v.runko);
            nykyinen_ensin_ = true;
            break;
        case Sivulaji::VanhaNimike:
        case Sivulaji::JsonNimike: {
            // The search landed on the only title it found.
            const Elokuvasivu s = lue_elokuvasivu(v.runko, TKortti{});
            tulokset.rivit = {s.kortti.nimi};
            tulokset.koodit = {s.imdb_koodi};
            tulokset.akat = {std::string()};
            tulokset.yksi_nimike = true;
            tallessa_koodi_ = s.imdb_koodi;
            tallessa_sivu_ = std::move(v.runko);
            break;
        }
        case Sivulaji::Tuntematon: break;
        }
    }
    // Finding nothing is an answer; not reaching either server is a failure the user must see as one.
    if (!tulokset.yksi_nimike && ensimmainen_nimike(tulokset) < 0 && (yhteysvirhe(ehdotukset) || yhteysvirhe(vanha))) {
        const Tulos& syy = yhteysvirhe(ehdotukset) ? ehdotukset : vanha;
        return Tulos::virhe(syy.koodi, "Yhteys Internet Movie Databaseen epäonnistui.\n" + syy.viesti);
    }
    return Tulos::ok();
}

Tulos ImdbLahde::nouda(std::string_view koodi, const TKortti& kortti, Elokuvasivu& sivu) {
    keskeytys_ = false;
    const std::string numero = imdb_numero(koodi);
    if (numero.empty()) return Tulos::virhe(-1, "Haku epäonnistui!");
    if (!tallessa_sivu_.empty() && numero == tallessa_koodi_) {
        sivu = lue_elokuvasivu(tallessa_sivu_, kortti);
        tallessa_sivu_.clear();
        tallessa_koodi_.clear();
    } else {
        const bool nykyinen = nykyinen_ensin_ || numero.size() > 7;
        const std::string osoitteet[] = {nykyinen ? nykyinen_nimikesivu(numero) : vanha_nimikesivu(numero),
                                         nykyinen ? vanha_nimikesivu(numero) : nykyinen_nimikesivu(numero)};
        Tulos viimeisin = Tulos::ok();
        bool saatiin = false;
        for (const std::string& osoite : osoitteet) {
            HttpVastaus v;
            viimeisin = hae(osoite, v);
            if (keskeytys_) return keskeytetty();
            const Sivulaji laji = viimeisin ? tunnista_sivu(v.runko) : Sivulaji::Tuntematon;
            if (laji == Sivulaji::VanhaNimike || laji == Sivulaji::JsonNimike) {
                sivu = lue_elokuvasivu(v.runko, kortti);
                saatiin = true;
                break;
            }
        }
        // A server that answered without the page is "not found"; one that could not be reached says why.
        if (!saatiin)
            return Tulos::virhe(viimeisin.koodi, yhteysvirhe(viimeisin) ? "Haku epäonnistui!\n" + viimeisin.viesti
                                                                        : std::string("Haku epäonnistui!"));
    }
    if (sivu.imdb_koodi.empty()) sivu.imdb_koodi = numero;
    return Tulos::ok();
}
