#include "export/lista.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>

#include "diag/loki.h"
#include "perus/teksti.h"
#include "perus/merkisto.h"
#include "storage/palakirjoittaja.h"
#include "perus/tiedostot.h"
#include "storage/kentat.h"
#include "storage/kesto.h"

namespace {

void tayta(std::string& s, std::size_t pituus, char merkki = ' ') {
    if (s.size() < pituus) s.append(pituus - s.size(), merkki);
}

constexpr const char* rivinvaihto = "\r\n";

// How a field is written in the text list: as it is, as minutes without blanks, or in brackets.
enum class Listamuoto : std::uint8_t { Sellaisenaan, Minuutteina, Sulkeissa };

struct Listakentta {
    Teksti TKortti::*jasen = nullptr;
    Listamuoto muoto = Listamuoto::Sellaisenaan;
};

// How a column of the text list ends: filled with dots up to a blank before the next column (the tenth
// character of a longer text gives way to that blank), cut to leave two blanks before the next, or filled
// with blanks when it is shorter.
enum class Sarakkeen_loppu : std::uint8_t { Pisteet, Leikattu, Taytetty };

// A column of the text list: where the next column starts (0 for the last), how it ends, its heading in the
// file and on the printed page, and its fields, the first as it is and each other after ", " when it has a
// value.
struct Listasarake {
    std::size_t seuraava;
    Sarakkeen_loppu loppu;
    const char* otsikko;
    const char* tulosteen_otsikko;
    std::array<Listakentta, 3> kentat;
};

constexpr Listasarake listan_sarakkeet[] = {
    {10, Sarakkeen_loppu::Pisteet, "Numero", "Kasetilla", {{{&TKortti::kasetilla}}}},
    {55, Sarakkeen_loppu::Leikattu, "Elokuvan nimi, Kasetin/levyn tyyppi, Kesto",
     "Elokuvan nimi, kasetin tyyppi, kesto",
     {{{&TKortti::nimi}, {&TKortti::kesto, Listamuoto::Minuutteina}, {&TKortti::formaatti, Listamuoto::Sulkeissa}}}},
    {80, Sarakkeen_loppu::Taytetty, "Luokitus", "Luokitus", {{{&TKortti::luokitus}}}},
    {0, Sarakkeen_loppu::Taytetty, "Ääniraita", "Ääniraita", {{{&TKortti::aani}}}},
};

std::string listan_otsake(const char* Listasarake::*otsikko) {
    std::string s;
    for (const Listasarake& c : listan_sarakkeet) {
        s += c.*otsikko;
        tayta(s, c.seuraava);
    }
    return s;
}

std::string listan_arvo(const TKortti& k, const Listakentta& f) {
    const std::string_view arvo = k.*f.jasen;
    switch (f.muoto) {
        case Listamuoto::Minuutteina: {
            std::string minuutit;
            for (char c : tunnit2min(arvo))
                if (c != ' ') minuutit += c;
            return minuutit;
        }
        case Listamuoto::Sulkeissa: return arvo.empty() ? std::string() : "(" + std::string(arvo) + ")";
        case Listamuoto::Sellaisenaan: break;
    }
    return std::string(arvo);
}

void paata_sarake(std::string& s, const Listasarake& c) {
    switch (c.loppu) {
        case Sarakkeen_loppu::Pisteet:
            s += ' ';
            tayta(s, c.seuraava, '.');
            s[c.seuraava - 1] = ' ';
            return;
        case Sarakkeen_loppu::Leikattu:
            tayta(s, c.seuraava);
            s.resize(c.seuraava - 2);
            tayta(s, c.seuraava);
            return;
        case Sarakkeen_loppu::Taytetty: tayta(s, c.seuraava); return;
    }
}

}  // namespace

std::string listarivi(const TKortti& k) {
    std::string s;
    for (const Listasarake& c : listan_sarakkeet) {
        s += listan_arvo(k, c.kentat[0]);
        for (std::size_t i = 1; i < c.kentat.size() && c.kentat[i].jasen; ++i)
            if (const std::string arvo = listan_arvo(k, c.kentat[i]); !arvo.empty()) s += ", " + arvo;
        paata_sarake(s, c);
    }
    return s;
}

std::string tee_tekstilista(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto) {
    std::string ulos = "Rullakkon elokuvalista [" + paivays + "] Tietokanta: " + tiedoston_nimi(tiedosto) + rivinvaihto;
    ulos += rivinvaihto;
    ulos += listan_otsake(&Listasarake::otsikko) + rivinvaihto;
    ulos += rivinvaihto;
    for (int i = 1; i < lista.Count(); ++i) ulos += listarivi(lista[i]) + rivinvaihto;
    return ulos;
}

Tulos kirjoita_lista(Tiedostojarjestelma& t, const std::filesystem::path& nimi, const TOmaList& lista,
                     const std::string& paivays, const std::string& tiedosto, Listan_merkisto merkisto,
                     Olemassaoleva olemassa) {
    if (olemassa == Olemassaoleva::Kieltaydy && on_olemassa(t, nimi))
        return Tulos::virhe(EEXIST, tiedosto_olemassa_viesti);
    kirjoita_debug("Kirjoitetaan lista tiedostoon: " + merkisto::utf8_cp1252(nimi.string()));
    const std::string teksti = tee_tekstilista(lista, paivays, tiedosto);
    return korvaa_tiedosto(t, nimi, merkisto == Listan_merkisto::Utf8 ? merkisto::cp1252_utf8(teksti) : teksti);
}

namespace {

// The switch of each column the user may leave out, by the name the column is chosen by.
struct Sarakevalinta {
    const char* nimi;
    bool Html_asetukset::*kentta;
};
constexpr Sarakevalinta sarakevalinnat[] = {
    {"nro", &Html_asetukset::lisaa_nro},           {"paaos", &Html_asetukset::lisaa_paaos},
    {"vuosi", &Html_asetukset::lisaa_vuosi},       {"luokitus", &Html_asetukset::lisaa_luokitus},
    {"kesto", &Html_asetukset::lisaa_kesto},       {"formaatti", &Html_asetukset::lisaa_formaatti},
    {"aaniraita", &Html_asetukset::lisaa_aaniraita}, {"arvosana", &Html_asetukset::lisaa_arvosana},
};

// Whether the list carries the field's column: the title always, the others as chosen.
bool sarake_mukana(const Html_asetukset& a, const Kenttatieto& t) {
    if (!t.vientivalinta) return true;
    for (const Sarakevalinta& s : sarakevalinnat)
        if (std::string_view(s.nimi) == t.vientivalinta) return a.*s.kentta;
    return false;
}

}  // namespace

bool valitse_html_sarakkeet(Html_asetukset& a, const std::string& lista, std::string& tuntematon) {
    for (const Sarakevalinta& s : sarakevalinnat) a.*s.kentta = false;
    std::size_t alku = 0;
    while (alku <= lista.size()) {
        std::size_t loppu = lista.find(',', alku);
        if (loppu == std::string::npos) loppu = lista.size();
        std::string sana = lista.substr(alku, loppu - alku);
        while (!sana.empty() && sana.front() == ' ') sana.erase(0, 1);
        while (!sana.empty() && sana.back() == ' ') sana.pop_back();
        if (!sana.empty()) {
            bool loytyi = false;
            for (const Sarakevalinta& s : sarakevalinnat)
                if (sana == s.nimi) a.*s.kentta = loytyi = true;
            if (!loytyi) {
                tuntematon = sana;
                return false;
            }
        }
        alku = loppu + 1;
    }
    return true;
}

std::string imdb_nimiosoite() {
    const char* palvelin = std::getenv("RULLAKKO_IMDB");
    std::string s = palvelin && *palvelin ? palvelin : "http://us.imdb.com";
    while (!s.empty() && s.back() == '/') s.pop_back();
    return s + "/Title?";
}

namespace {

// What card text cannot carry into a page as it is: the markup characters, and control characters (a NUL
// makes browsers stop or show garbage); tabs and line ends are ordinary white space there.
bool erikoinen(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '&' || c == '<' || c == '>' || c == '"' || u == 0x7f ||
           (u < 0x20 && c != '\t' && c != '\n' && c != '\r');
}

// Card text with & < > " as entities and without control characters, after what the page holds so far.
void lisaa_suojattuna(std::string& s, std::string_view teksti) {
    for (std::size_t alku = 0;;) {
        std::size_t i = alku;
        while (i < teksti.size() && !erikoinen(teksti[i])) ++i;
        s.append(teksti.substr(alku, i - alku));
        if (i == teksti.size()) return;
        switch (teksti[i]) {
            case '&': s += "&amp;"; break;
            case '<': s += "&lt;"; break;
            case '>': s += "&gt;"; break;
            case '"': s += "&quot;"; break;
            default: break;
        }
        alku = i + 1;
    }
}

// The page's lines, each ended with CR LF, handed on in pieces.
class Sivunkirjoittaja {
public:
    explicit Sivunkirjoittaja(const Palakirjoittaja::Kirjoita& kirjoita) : p_(kirjoita) {}

    Sivunkirjoittaja& operator<<(std::string_view s) {
        p_.lisaa(s);
        return *this;
    }
    Sivunkirjoittaja& suojattu(std::string_view s) {
        lisaa_suojattuna(p_.puskuri(), s);
        return *this;
    }
    void rivi(std::string_view s = {}) {
        p_.lisaa(s);
        p_.rivinvaihto();
    }
    // A cell: "<td " + attributes + ">" + card text + "</td>".
    void solu(std::string_view A, std::string_view teksti, std::string_view perassa = {}) {
        *this << "<td " << A << ">";
        suojattu(teksti) << perassa;
        rivi("</td>");
    }
    bool tyhjenna() { return p_.tyhjenna(); }
    bool ok() const { return p_.ok(); }

private:
    Palakirjoittaja p_;
};

}  // namespace

std::string html_suojaa(const std::string& teksti) {
    std::string s;
    s.reserve(teksti.size());
    lisaa_suojattuna(s, teksti);
    return s;
}

bool kirjoita_html_lista(TOmaList& lista, const Html_asetukset& a, const Palakirjoittaja::Kirjoita& kirjoita) {
    Sivunkirjoittaja u(kirjoita);
    u.rivi("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">");
    u.rivi("<html>");
    // Card text is cp1252, so the page must say so or a browser guesses the Ä and Ö wrong.
    u.rivi("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"></head>");
    u.rivi("<BODY bgcolor=\"#000000\" text=\"#c1c1c1\" link=\"#ffffff\" alink=\"#ffffff\" vlink=\"#ffffff\">");
    u.rivi();
    u << "<table " << a.table;
    u.rivi(">");
    u.rivi();

    constexpr std::size_t sarakkeita = 9;
    const auto sarakkeet = kentat_paikoittain<sarakkeita>(&Kenttatieto::vientisarake);
    const std::string osoite = imdb_nimiosoite();
    // The attributes of the duration and format cells, of the heading row and of the movie rows.
    const std::string kesto[2] = {a.td_sarakkeet + " width=\"60\"", a.td + " width=\"60\""};
    constexpr const char* formaatin_ohje = " alt=\"Elokuvan formaatti, DVD, SP/LP (VHS) ... \"";
    const std::string formaatti[2] = {a.td_sarakkeet + formaatin_ohje, a.td + formaatin_ohje};

    // The heading row is the placeholder card's row with the headings for texts.
    TKortti otsake;
    if (lista.Count() > 0) otsake.kopioi(lista[0]);
    for (const Kenttatieto* t : sarakkeet) t->teksti(otsake) = t->vientiotsikko;

    for (int i = 0; i < std::max(1, lista.Count()) && u.ok(); ++i) {
        TKortti& k = i == 0 ? otsake : lista[i];
        const std::string& A = i == 0 ? a.td_sarakkeet : a.td;
        const int r = i == 0 ? 0 : 1;
        if (k.arvosana.empty()) k.arvosana = "0";
        u.rivi("<tr>");
        for (const Kenttatieto* t : sarakkeet) {
            if (!sarake_mukana(a, *t)) continue;
            const Teksti& teksti = t->teksti(k);
            if (t->jasen == &TKortti::kasetilla) u.solu(i == 0 ? A : a.td_kasnum, teksti);
            else if (t->jasen == &TKortti::kesto) u.solu(kesto[r], teksti);
            else if (t->jasen == &TKortti::formaatti) u.solu(formaatti[r], teksti);
            else if (t->jasen == &TKortti::arvosana) u.solu(A, teksti, i == 0 ? "" : "/10");
            else if (t->jasen == &TKortti::nimi && !k.imdb_koodi.empty()) {
                u << "<td " << A << "><a href=\"";
                u.suojattu(osoite).suojattu(k.imdb_koodi) << "\">";
                u.suojattu(teksti).rivi("</a></td>");
            } else {
                u.solu(A, teksti);
            }
        }
        u.rivi("</td>");
        u.rivi("</tr>");
    }
    u.rivi("</table></font></body></html>");
    return u.tyhjenna();
}

std::string tee_html_lista(TOmaList& lista, const Html_asetukset& a) {
    std::string ulos;
    kirjoita_html_lista(lista, a, [&ulos](std::string_view pala) {
        ulos.append(pala);
        return true;
    });
    return ulos;
}

Tulos kirjoita_html_lista(Tiedostojarjestelma& t, const std::filesystem::path& nimi, TOmaList& lista,
                          const Html_asetukset& a) {
    // Written as it is made, so a big list is never held whole; the old file stays until the new one is done.
    Korvaus k(t, nimi);
    kirjoita_html_lista(lista, a, [&k](std::string_view pala) {
        k.kirjoita(pala);
        return k.kunnossa();
    });
    return k.valmis();
}

std::vector<std::vector<Tulostusrivi>> listan_sivut(const TOmaList& lista, const std::string& paivays,
                                                     const std::string& tiedosto, int rivit_sivulla) {
    rivit_sivulla = std::max(1, rivit_sivulla);
    std::vector<std::vector<Tulostusrivi>> sivut(1);
    std::string otsake = "Rullakkon elokuvalista [" + paivays + "] Tiedosto: " + tiedoston_nimi(tiedosto);
    tayta(otsake, 81);
    const std::string sarakkeet = listan_otsake(&Listasarake::tulosteen_otsikko);
    int n = 0;
    int y = 0;
    for (int i = 1; i < lista.Count(); ++i) {
        if (++n > rivit_sivulla) {
            sivut.emplace_back();
            y = 0;
            n = 1;
        }
        y += listan_rivivali;
        auto& sivu = sivut.back();
        if (n == 1) {
            sivu.push_back({30, 10, otsake + "Sivu " + std::to_string(sivut.size())});
            sivu.push_back({30, 100, sarakkeet});
        }
        sivu.push_back({30, y + 140, listarivi(lista[i])});
    }
    if (n < rivit_sivulla - 7) {
        sivut.back().push_back({30, y + 240, "Tulostettu Rullakko-elokuvatietokantaohjelmalla"});
        sivut.back().push_back({30, y + 290, "Ohjelman saat ilmaiseksi osoitteesta http://www.rullakko.net/"});
    }
    return sivut;
}

int listan_korkeus(const std::vector<std::vector<Tulostusrivi>>& sivut, int fontin_korkeus) {
    int alin = 0;
    for (const auto& sivu : sivut)
        for (const Tulostusrivi& r : sivu) alin = std::max(alin, r.y + fontin_korkeus);
    return alin;
}

int listan_leveimman_rivin_merkit(const std::vector<std::vector<Tulostusrivi>>& sivut) {
    std::size_t merkkeja = 0;
    for (const auto& sivu : sivut)
        for (const Tulostusrivi& r : sivu) merkkeja = std::max(merkkeja, r.teksti.size());
    return static_cast<int>(std::min<std::size_t>(merkkeja, 1 << 20));
}

Listan_asu valitse_listan_asu(int merkkeja, const Fontin_mitat& mitat, double leveys, double korkeus,
                              std::optional<bool> vaaka) {
    constexpr double pistetta_yksikolla = 72.0 / listan_yksikot_tuumalla;
    // The text starts 30 units in; the same is left free on the right.
    const double reunat = 2 * 30 * pistetta_yksikolla;
    const double rivivali = listan_rivivali * pistetta_yksikolla;
    auto sopiva_koko = [&](double tila) {
        return merkkeja > 0 && mitat.merkin_leveys > 0 ? (tila - reunat) / (merkkeja * mitat.merkin_leveys) : 1e9;
    };
    Listan_asu a;
    a.vaaka = vaaka ? *vaaka : sopiva_koko(leveys) < listan_pienin_fontti && korkeus > leveys;
    const double tila = a.vaaka ? korkeus : leveys;
    const double sivun_korkeus = a.vaaka ? leveys : korkeus;
    // A line may not reach into the next one.
    const double suurin = mitat.rivin_korkeus > 0 ? rivivali / mitat.rivin_korkeus : listan_pienin_fontti;
    a.pisteet = std::max(listan_pienin_fontti, std::min(suurin, sopiva_koko(tila)));
    // The last line (at 140 + 50 n units) and its text stay on the printable area.
    const double rivin_korkeus = a.pisteet * mitat.rivin_korkeus;
    const int mahtuu = static_cast<int>((sivun_korkeus - 140 * pistetta_yksikolla - rivin_korkeus) / rivivali);
    a.rivit_sivulla = std::clamp(mahtuu, 1, listan_rivit_sivulla);
    return a;
}
