#include "storage/runko.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <unordered_set>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "diag/loki.h"
#include "diag/viestit.h"
#include "storage/palakirjoittaja.h"
#include "perus/teksti.h"
#include "perus/versio.h"
#include "storage/kentat.h"

namespace {

const char* totuus(bool b) { return b ? "TRUE" : "FALSE"; }

// The body's lines, handed on in pieces.
class Rungonkirjoittaja {
public:
    explicit Rungonkirjoittaja(const Palakirjoittaja::Kirjoita& kirjoita) : p_(kirjoita) {}

    void rivi(std::string_view r) {
        p_.lisaa(r);
        p_.rivinvaihto();
    }
    // A line whose own line ends become spaces, so the text stays one line of the body.
    void yksi_rivi(std::string_view r) {
        std::string& t = p_.puskuri();
        const std::size_t alku = t.size();
        t.append(r);
        // Two scans for one byte each: find_first_of would search the set once for every byte of the text.
        if (r.find('\r') != std::string_view::npos || r.find('\n') != std::string_view::npos)
            for (std::size_t i = alku; i < t.size(); ++i)
                if (t[i] == '\r' || t[i] == '\n') t[i] = ' ';
        p_.rivinvaihto();
    }
    bool tyhjenna() { return p_.tyhjenna(); }
    bool ok() const { return p_.ok(); }

private:
    Palakirjoittaja p_;
};

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

// The lines of a body as its bytes become ready. A line ends at CR, an LF right after it belongs to the line
// end, and the byte 1A ends the text; each line is ended in place with a NUL, so a field can point at it.
class Rivivirta {
public:
    explicit Rivivirta(const Rungonlahde& l)
        : l_(l), p_(l.teksti), loppu_(l.teksti + l.koko), valmis_(l.odota ? l.teksti + l.odota(0) : loppu_) {
        if (valmis_ > loppu_) valmis_ = loppu_;
    }

    bool loppu() {
        if (p_ < loppu_ && p_ == valmis_) lisaa();
        if (p_ < loppu_ && *p_ == '\x1a') paata(p_);
        return p_ >= loppu_;
    }

    // The next line and whether an LF stands inside it; false at the end of the text.
    bool seuraava(std::string_view& rivi, bool& lf) {
        if (loppu()) return false;
        char* const alku = p_;
        char* q = p_;
        lf = false;
        for (;;) {
            q = etsi(q, valmis_, lf);
            if (q < valmis_ || valmis_ >= loppu_) break;
            lisaa();
        }
        if (q < loppu_ && *q == '\x1a') paata(q);
        rivi = std::string_view(alku, static_cast<std::size_t>(q - alku));
        if (q >= loppu_) {
            p_ = loppu_;
            return true;
        }
        *q = '\0';
        p_ = q + 1;
        if (p_ < loppu_ && p_ == valmis_) lisaa();
        if (p_ < valmis_ && *p_ == '\n') ++p_;
        return true;
    }

    // The next line without its LFs, or an empty text at the end.
    std::string rivi() {
        std::string_view r;
        bool lf = false;
        if (!seuraava(r, lf)) return {};
        return lf ? ilman_lf(r) : std::string(r);
    }

private:
    // The text ends at `q`, which ends the last line.
    void paata(char* q) {
        loppu_ = q;
        if (valmis_ > loppu_) valmis_ = loppu_;
        *q = '\0';
    }
    // Waits for more bytes; when none come (the unpacking failed, which its caller learns) the text ends there.
    void lisaa() {
        const std::size_t ennen = static_cast<std::size_t>(valmis_ - l_.teksti);
        const std::size_t nyt = l_.odota(ennen);
        if (nyt <= ennen) paata(valmis_);
        else valmis_ = l_.teksti + std::min(nyt, l_.koko);
    }
    // The first CR or 1A in [p, loppu), or loppu; `lf` is set when an LF comes before it.
    static char* etsi(char* p, char* loppu, bool& lf) {
#ifdef __SSE2__
        const __m128i cr = _mm_set1_epi8('\r'), nl = _mm_set1_epi8('\n'), eof = _mm_set1_epi8('\x1a');
        for (; loppu - p >= 16; p += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const unsigned m = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, eof))));
            const unsigned m_lf = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, nl)));
            if (m) {
                const unsigned i = static_cast<unsigned>(__builtin_ctz(m));
                if (m_lf & ((1u << i) - 1)) lf = true;
                return p + i;
            }
            if (m_lf) lf = true;
        }
#endif
        for (; p < loppu && *p != '\r' && *p != '\x1a'; ++p)
            if (*p == '\n') lf = true;
        return p;
    }

    const Rungonlahde& l_;
    char* p_;
    char* loppu_;   // the end of the text: its size, or the byte 1A once seen
    char* valmis_;  // the end of the bytes ready
};

bool on_erikoisnimi(std::string_view r) {
    if (r.size() == 8) return r.starts_with("Custom") && r[6] >= '1' && r[6] <= '4' && r[7] == ':';
    return r == "Ei määritelty!";
}

class Kortinlukija {
public:
    Kortinlukija(TOmaList& lista, const RungonLuku& a, diag::Viestit& v) : lista_(lista), a_(a), v_(v) {
        if (a_.liitos)
            for (int i = 1; i < lista_.Count(); ++i)
                if (!lista_[i].cover_fn.empty()) kannet_.insert(lista_[i].cover_fn);
    }

    // Line `rivi` of a card block. `lainattava`: the value is the body's own NUL-ended line, which the card
    // may point at; otherwise it is copied.
    [[gnu::always_inline]] void aseta(TKortti& k, int rivi, std::string_view arvo, bool tosi, bool lainattava) {
        if (rivi > runkorivien_maara) return;  // lines of newer versions
        const Runkorivi& r = runkorivit[static_cast<std::size_t>(rivi - 1)];
        switch (r.laji) {
            case Rivilaji::Teksti:
                if (r.oletus && (arvo.empty() || arvo == "[Ei määritelty?]:")) {
                    r.teksti(k)->nayta(r.oletus, static_cast<std::uint32_t>(std::strlen(r.oletus)));
                    return;
                }
                aseta_teksti(*r.teksti(k), arvo, lainattava);
                return;
            case Rivilaji::Kansi:
                if (!arvo.empty() && !kansi_kelpaa(std::string(arvo))) arvo = {};
                aseta_teksti(*r.teksti(k), arvo, lainattava);
                return;
            case Rivilaji::Kansiosoite:
                if (etsi_pienella(arvo, "gfx\\kannet") != std::string_view::npos) arvo = {};
                aseta_teksti(*r.teksti(k), arvo, lainattava);
                return;
            case Rivilaji::Extra: k.extra[r.indeksi] = tosi; return;
            case Rivilaji::Nakyma: k.nakyma = static_cast<int>(lue_alkuluku(arvo).arvo); return;
            case Rivilaji::HaeKansi: k.hae_kansi = arvo.empty() ? !k.imdb_koodi.empty() : tosi; return;
            case Rivilaji::Toisto: return;
        }
    }

    void liita(std::unique_ptr<TKortti> k) {
        if (a_.liitos && !k->cover_fn.empty()) kannet_.insert(k->cover_fn);
        lista_.lisaa(std::move(k));
    }

private:
    static void aseta_teksti(Teksti& t, std::string_view arvo, bool lainattava) {
        if (arvo.empty()) t.clear();
        else if (lainattava) t.nayta(arvo.data(), static_cast<std::uint32_t>(arvo.size()));
        else t = arvo;
    }

    bool kansi_kelpaa(const std::string& nimi) {
        if (a_.liitos && kannet_.count(nimi)) {
            v_.virhe("Virhe: Liitettävät tietokannat sisältävät saman nimisiä kansikuvia!\nKorjataan virhe poistamalla kortilta " +
                     std::to_string(lista_.Count()) + " kansikuva...");
            return false;
        }
        return !a_.kansi_olemassa || a_.kansi_olemassa(nimi);
    }

    TOmaList& lista_;
    const RungonLuku& a_;
    diag::Viestit& v_;
    std::unordered_set<std::string> kannet_;
};

bool lue_otsake(Rivivirta& r, TOmaList& lista, const RungonLuku& a, diag::Viestit& v) {
    std::string rivi;
    for (;;) {
        if (r.loppu()) return false;
        rivi = r.rivi();
        if (etsi_pienella(rivi, "versiolla") != std::string_view::npos) break;
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
    if (lue_alkuluku(eroita_arvo(r.rivi())).arvo > TKortti::uuden_rivit)
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

bool kirjoita_runko(const TOmaList& lista, const std::function<bool(std::string_view)>& kirjoita,
                    std::string_view versio) {
    if (versio.empty()) versio = ohjelman_versio;
    Rungonkirjoittaja u(kirjoita);
    u.rivi(std::string(runko_versiorivi) + std::string(versio));
    u.rivi("Kortteja=" + std::to_string(lista.korttien_maara()));
    u.rivi("Riveja=" + std::to_string(TKortti::uuden_rivit));
    u.rivi(runko_alkaa);
    char luku[16];
    for (int i = 1; i < lista.Count() && u.ok(); ++i) {
        const TKortti& k = lista[i];
        for (const Runkorivi& r : runkorivit) {
            switch (r.laji) {
                case Rivilaji::Teksti:
                case Rivilaji::Kansi:
                case Rivilaji::Kansiosoite:
                case Rivilaji::Toisto:
                    if (r.yksi_rivi) u.yksi_rivi(*r.teksti(k));
                    else u.rivi(*r.teksti(k));
                    break;
                case Rivilaji::Extra: u.rivi(totuus(k.extra[r.indeksi])); break;
                case Rivilaji::Nakyma: {
                    const auto [loppu, ec] = std::to_chars(luku, luku + sizeof luku, k.nakyma);
                    u.rivi(std::string_view(luku, static_cast<std::size_t>(loppu - luku)));
                    break;
                }
                case Rivilaji::HaeKansi: u.rivi(totuus(k.hae_kansi)); break;
            }
        }
        u.rivi(kortin_erotin);
    }
    return u.tyhjenna();
}

void kirjoita_runko(const TOmaList& lista, std::string& ulos, std::string_view versio) {
    ulos.reserve(ulos.size() + 128 + static_cast<std::size_t>(lista.korttien_maara()) * 512);
    kirjoita_runko(
        lista,
        [&ulos](std::string_view pala) {
            ulos.append(pala);
            return true;
        },
        versio);
}

RungonTila lue_runko(std::string&& runko, TOmaList& lista, const RungonLuku& a, diag::Viestit& v) {
    const std::size_t koko = runko.size();
    runko.append(rungon_vara, '\0');
    auto puskuri = std::make_shared<std::string>(std::move(runko));
    return lue_runko(Rungonlahde{puskuri->data(), koko, puskuri, {}}, lista, a, v);
}

RungonTila lue_runko(const Rungonlahde& lahde, TOmaList& lista, const RungonLuku& a, diag::Viestit& v) {
    Rivivirta r(lahde);
    if (!lue_otsake(r, lista, a, v)) return RungonTila::Vahingoittunut;

    Kortinlukija kl(lista, a, v);
    std::string ilman_lf_puskuri;
    std::uint64_t kortteja = 0;
    while (!r.loppu()) {
        if (a.enintaan_kortteja && ++kortteja >= a.enintaan_kortteja) return RungonTila::Liikaa;
        auto k = std::make_unique<TKortti>();
        k->runko.sido(lahde.omistaja);
        int laskuri = 0;
        std::string_view raaka;
        bool lf = false;
        while (laskuri < kortin_rivien_raja && r.seuraava(raaka, lf)) {
            const bool tosi = raaka == "TRUE";
            std::string_view rivi = raaka;
            if (lf) {
                ilman_lf_puskuri = ilman_lf(raaka);
                rivi = ilman_lf_puskuri;
            }
            if (on_erikoisnimi(rivi)) rivi = {};
            if (rivi == kortin_erotin) break;
            ++laskuri;
            kl.aseta(*k, laskuri, rivi, tosi, !lf);
        }
        // A card block of an older version, or one cut short, gets its missing lines as empty lines, so that
        // the search-cover flag follows the IMDb number and the first additional name gets its default.
        while (laskuri < kortin_rivit_tiedostossa) kl.aseta(*k, ++laskuri, {}, false, false);
        kl.liita(std::move(k));
    }
    return RungonTila::Luettu;
}

RungonTila lue_runko(std::string_view runko, TOmaList& lista, const RungonLuku& a, diag::Viestit& v) {
    std::string kopio;
    kopio.reserve(runko.size() + rungon_vara);
    kopio.assign(runko);
    return lue_runko(std::move(kopio), lista, a, v);
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
