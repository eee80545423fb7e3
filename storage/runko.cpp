#include "storage/runko.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <unordered_set>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/versio.h"

namespace {

void lisaa_rivi(std::string& ulos, std::string_view rivi) {
    ulos.append(rivi);
    ulos.append("\r\n", 2);
}

const char* totuus(bool b) { return b ? "TRUE" : "FALSE"; }

std::string ilman_rivinvaihtoja(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

}  // namespace

std::string ilman_lf(std::string_view s) {
    std::string t;
    if (s.find('\n') == std::string_view::npos) {
        t.assign(s);
        return t;
    }
    t.reserve(s.size());
    for (const char c : s)
        if (c != '\n') t += c;
    return t;
}

namespace {

bool sisaltaa_pienella(std::string_view s, std::string_view haettu) {
    if (haettu.size() > s.size()) return false;
    for (std::size_t i = 0; i + haettu.size() <= s.size(); ++i) {
        std::size_t k = 0;
        while (k < haettu.size()) {
            char c = s[i + k];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            if (c != haettu[k]) break;
            ++k;
        }
        if (k == haettu.size()) return true;
    }
    return false;
}

bool on_erikoisnimi(std::string_view r) {
    return r == "Ei määritelty!" || r == "Custom1:" || r == "Custom2:" || r == "Custom3:" || r == "Custom4:";
}

std::string* tekstikentta(TKortti& k, int rivi) {
    switch (rivi) {
        case 1: return &k.nimi;
        case 2: return &k.luokitus;
        case 3: return &k.maa;
        case 4: return &k.kasetilla;
        case 5: return &k.aani;
        case 6: return &k.paanayttelijat;
        case 7: return &k.ohjaaja;
        case 8: return &k.juoni;
        case 9: return &k.kuvasuhde;
        case 10: return &k.sijainti;
        case 11: return &k.lainassa;
        case 12: return &k.formaatti;
        case 13: return &k.kesto;
        case 14: return &k.vuosi;
        case 15: return &k.vari;
        case 16: return &k.arvosana;
        case 36: return &k.imdb_koodi;
        case 37: return &k.nauha;
        case 38: return &k.kommentti;
        case 48: return &k.extra_info;
        default: break;
    }
    if (rivi >= 17 && rivi <= 34) {
        const auto pari = static_cast<std::size_t>((rivi - 17) / 2);
        return (rivi % 2 == 1) ? &k.lisatieto[pari] : &k.lisatieto_nimi[pari];
    }
    return nullptr;
}

class Kortinlukija {
public:
    Kortinlukija(TOmaList& lista, const RungonLuku& a, diag::Viestit& v) : lista_(lista), a_(a), v_(v) {
        if (a_.liitos)
            for (int i = 1; i < lista_.Count(); ++i)
                if (!lista_[i].cover_fn.empty()) kannet_.insert(lista_[i].cover_fn);
    }

    void aseta(TKortti& k, int rivi, std::string_view arvo, bool tosi) {
        if (std::string* kentta = tekstikentta(k, rivi)) {
            if (rivi == 18 && (arvo.empty() || arvo == "[Ei määritelty?]:")) arvo = "Käsikirjoitus:";
            kentta->assign(arvo);
            return;
        }
        if (rivi >= 39 && rivi <= 47) {
            k.extra[static_cast<std::size_t>(rivi - 38)] = tosi;
            return;
        }
        switch (rivi) {
            case 35: k.cover_fn = tarkistettu_kansi(std::string(arvo)); break;
            case 49: k.nakyma = kokonaisluku_alusta(arvo); break;
            case 50: k.hae_kansi = arvo.empty() ? !k.imdb_koodi.empty() : tosi; break;
            case 51: k.cover_url = sisaltaa_pienella(arvo, "gfx\\kannet") ? std::string() : std::string(arvo); break;
            default: break;  // 52..999: repeats and lines of newer versions
        }
    }

    void liita(std::unique_ptr<TKortti> k) {
        if (a_.liitos && !k->cover_fn.empty()) kannet_.insert(k->cover_fn);
        lista_.lisaa(std::move(k));
    }

private:
    std::string tarkistettu_kansi(std::string nimi) {
        if (a_.liitos && !nimi.empty() && kannet_.count(nimi)) {
            v_.virhe("Virhe: Liitettävät tietokannat sisältävät saman nimisiä kansikuvia!\nKorjataan virhe poistamalla kortilta " +
                     std::to_string(lista_.Count()) + " kansikuva...");
            return {};
        }
        if (a_.kansi_olemassa && !nimi.empty() && !a_.kansi_olemassa(nimi)) return {};
        return nimi;
    }

    TOmaList& lista_;
    const RungonLuku& a_;
    diag::Viestit& v_;
    std::unordered_set<std::string> kannet_;
};

bool lue_otsake(Rivinlukija& r, TOmaList& lista, const RungonLuku& a, diag::Viestit& v) {
    std::string rivi;
    for (;;) {
        if (r.loppu()) return false;
        rivi = r.rivi();
        if (sisaltaa_pienella(rivi, "versiolla")) break;
    }
    kirjoita_debug("[" + a.tiedoston_nimi + "] " + rivi);
    lista.versio = eroita_arvo(rivi);
    if (lista.versio == "1.18" || lista.versio == "1.17")
        v.tieto("HUOM: Avaamasi tietokanta on tallennettu ohjelmaversiolla 1.17 tai 1.18\n"
                "Ohjelmointivirheen takia saatat saada kohta huomautuksen avaamastasi tiedostosta.\n"
                "Tallenna tietokantasi uudelleen niin pääset eroon siitä!");
    if (mkStr2Float(lista.versio, v) > mkStr2Float(ohjelman_versio, v))
        v.pelkka("Avaamasi tietokanta on tallennettu uudemmalla versiolla ohjelmasta!");

    kirjoita_debug("Kortteja: " + eroita_arvo(r.rivi()));
    if (kokonaisluku_alusta(eroita_arvo(r.rivi())) > TKortti::uuden_rivit)
        v.tieto("Avaamasi tietokanta [" + a.tiedoston_nimi + "] sisältää tietoja joita ohjelma\n"
                "ei osaa käsitellä. Olet mahdollisesti avannut uudemmalla ohjelmaversiolla\n"
                "tallennetun tietokannan. Ohjelma osaa lukea myös uudemman version tietokannan,\n"
                "mutta osa tiedoista jätetään pois. Mikäli tallennat tietokannan osa tiedoista\n"
                "menetetään lopullisesti, eikä tätä ilmoitusta enää tule tämän tietokannan yhteydessä.");
    for (;;) {
        if (r.loppu()) return false;
        if (r.rivi() == runko_alkaa) break;
    }
    kirjoita_debug("Aloitetaan tietokannan varsinainen luku");
    return true;
}

}  // namespace

void kirjoita_runko(const TOmaList& lista, std::string& ulos, std::string_view versio) {
    if (versio.empty()) versio = ohjelman_versio;
    ulos.reserve(ulos.size() + 128 + static_cast<std::size_t>(lista.korttien_maara()) * 400);
    lisaa_rivi(ulos, std::string(runko_versiorivi) + std::string(versio));
    lisaa_rivi(ulos, "Kortteja=" + std::to_string(lista.korttien_maara()));
    lisaa_rivi(ulos, "Riveja=" + std::to_string(TKortti::uuden_rivit));
    lisaa_rivi(ulos, runko_alkaa);
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        lisaa_rivi(ulos, k.nimi);
        lisaa_rivi(ulos, k.luokitus);
        lisaa_rivi(ulos, k.maa);
        lisaa_rivi(ulos, k.kasetilla);
        lisaa_rivi(ulos, k.aani);
        lisaa_rivi(ulos, k.paanayttelijat);
        lisaa_rivi(ulos, k.ohjaaja);
        lisaa_rivi(ulos, ilman_rivinvaihtoja(k.juoni));
        lisaa_rivi(ulos, k.kuvasuhde);
        lisaa_rivi(ulos, k.sijainti);
        lisaa_rivi(ulos, k.lainassa);
        lisaa_rivi(ulos, k.formaatti);
        lisaa_rivi(ulos, k.kesto);
        lisaa_rivi(ulos, k.vuosi);
        lisaa_rivi(ulos, k.vari);
        lisaa_rivi(ulos, k.arvosana);
        for (std::size_t p = 0; p < 9; ++p) {
            lisaa_rivi(ulos, k.lisatieto[p]);
            lisaa_rivi(ulos, k.lisatieto_nimi[p]);
        }
        lisaa_rivi(ulos, k.cover_fn);
        lisaa_rivi(ulos, k.imdb_koodi);
        lisaa_rivi(ulos, k.nauha);
        lisaa_rivi(ulos, k.kommentti);
        for (std::size_t e = 1; e <= 9; ++e) lisaa_rivi(ulos, totuus(k.extra[e]));
        lisaa_rivi(ulos, k.extra_info);
        lisaa_rivi(ulos, std::to_string(k.nakyma));
        lisaa_rivi(ulos, totuus(k.hae_kansi));
        lisaa_rivi(ulos, k.cover_url);
        lisaa_rivi(ulos, k.cover_fn);
        lisaa_rivi(ulos, k.imdb_koodi);
        lisaa_rivi(ulos, k.nauha);
        lisaa_rivi(ulos, kortin_erotin);
    }
}

RungonTila lue_runko(std::string_view runko, TOmaList& lista, const RungonLuku& a, diag::Viestit& v) {
    Rivinlukija r(runko);
    if (!lue_otsake(r, lista, a, v)) return RungonTila::Vahingoittunut;

    Kortinlukija kl(lista, a, v);
    std::string ilman_lf_puskuri;
    while (!r.loppu()) {
        auto k = std::make_unique<TKortti>();
        int laskuri = 0;
        while (laskuri < kortin_rivien_raja) {
            const std::string_view raaka = r.raaka();
            const bool tosi = raaka == "TRUE";
            std::string_view rivi = raaka;
            if (raaka.find('\n') != std::string_view::npos) {
                ilman_lf_puskuri = ilman_lf(raaka);
                rivi = ilman_lf_puskuri;
            }
            if (on_erikoisnimi(rivi)) rivi = {};
            if (rivi == kortin_erotin) break;
            ++laskuri;
            kl.aseta(*k, laskuri, rivi, tosi);
        }
        // A card block of an older version, or one cut short, gets its missing lines as empty lines, so that
        // the search-cover flag follows the IMDb number and the first additional name gets its default.
        while (laskuri < kortin_rivit_tiedostossa) kl.aseta(*k, ++laskuri, {}, false);
        kl.liita(std::move(k));
    }
    return RungonTila::Luettu;
}

std::string eroita_arvo(std::string_view jono) {
    if (jono.empty()) {
        kirjoita_debug_aina("VIRHE: eroita_arvo sai tyhjän parametrin!");
        return {};
    }
    const std::size_t yhtasuuri = jono.find('=');
    if (yhtasuuri == std::string_view::npos || yhtasuuri + 1 == jono.size()) {
        kirjoita_debug_aina("VIRHE: Eroita_arvo FAILED, i=length(jono), jono=" + std::string(jono));
        return {};
    }
    return std::string(jono.substr(yhtasuuri + 1));
}

int kokonaisluku_alusta(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    long long arvo = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        arvo = arvo * 10 + (s[i] - '0');
        if (arvo > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    }
    return static_cast<int>(arvo);
}

namespace {

// A decimal number with the given decimal point, as the platform's text-to-float conversion accepts it.
bool muunna(std::string_view s, char piste, double& tulos) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t loppu = s.size();
    while (loppu > i && s[loppu - 1] == ' ') --loppu;
    s = s.substr(i, loppu - i);
    if (s.empty()) return false;
    std::string normi;
    std::size_t k = 0;
    if (s[k] == '+' || s[k] == '-') normi += s[k++];
    bool numeroita = false;
    for (; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k, numeroita = true) normi += s[k];
    if (k < s.size() && s[k] == piste) {
        normi += '.';
        for (++k; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k, numeroita = true) normi += s[k];
    }
    if (!numeroita) return false;
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
        normi += 'e';
        ++k;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) normi += s[k++];
        bool eksp = false;
        for (; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k, eksp = true) normi += s[k];
        if (!eksp) return false;
    }
    if (k != s.size()) return false;
    // from_chars ignores the process locale, which the window toolkit sets from the environment.
    return std::from_chars(normi.data(), normi.data() + normi.size(), tulos).ec == std::errc();
}

std::string korvattu(std::string_view s, char mika, char milla) {
    std::string t(s);
    for (char& c : t)
        if (c == mika) c = milla;
    return t;
}

}  // namespace

double mkStr2Float(std::string_view str1, diag::Viestit& viestit) {
    if (str1.empty()) {
        kirjoita_debug_aina("VIRHE: mkStr2Float sai tyhjän parametrin!");
        return 0;
    }
    double tulos = 0;
    if (muunna(korvattu(str1, '.', ','), ',', tulos)) return tulos;
    if (muunna(korvattu(str1, ',', '.'), '.', tulos)) return tulos;
    viestit.pelkka("Virhe: Molemmat muunnosyritykset (mkStr2Float) EPÄONNISTUIVAT, str1=" + std::string(str1));
    return 0;
}

std::string Rivinlukija::rivi() { return ilman_lf(raaka()); }
