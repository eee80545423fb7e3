#include "imdb/leikkurit.h"

#include <cfenv>
#include <cmath>

#include "diag/viestit.h"
#include "perus/teksti.h"
#include "storage/runko.h"

namespace {

bool on_numero(char c) { return c >= '0' && c <= '9'; }

bool numeroita(std::string_view t) {
    if (t.empty()) return false;
    for (char c : t)
        if (!on_numero(c)) return false;
    return true;
}

// Tabs to blanks, runs of blanks to one, both ends trimmed.
std::string siisti_valit(std::string t) {
    for (char& c : t)
        if (c == '\t') c = ' ';
    std::string u;
    for (char c : t)
        if (!(c == ' ' && !u.empty() && u.back() == ' ')) u += c;
    return trimmaa(u);
}

// The text after the second ">" up to the next "<"; false when there is no second ">".
bool toisen_tagin_jalkeen(std::string_view rivi, std::string& t) {
    std::size_t p = rivi.find('>');
    if (p != std::string_view::npos) p = rivi.find('>', p + 1);
    if (p == std::string_view::npos) return false;
    const std::size_t loppu = rivi.find('<', p + 1);
    t = std::string(rivi.substr(p + 1, loppu == std::string_view::npos ? std::string_view::npos : loppu - p - 1));
    return true;
}

class KeraavatViestit final : public diag::Viestit {
public:
    explicit KeraavatViestit(Leikkausviestit& v) : v_(v) {}
    void nayta(diag::Laji, const std::string& teksti, const std::string&) override { v_.push_back(teksti); }
    diag::Vastaus kysy(diag::Laji, const std::string& teksti, bool, const std::string&) override {
        v_.push_back(teksti);
        return diag::Vastaus::Ei;
    }

private:
    Leikkausviestit& v_;
};

}  // namespace

std::string korvaa_kaikki(std::string_view teksti, std::string_view mita, std::string_view milla) {
    if (mita.empty()) return std::string(teksti);
    std::string t;
    t.reserve(teksti.size());
    std::size_t p = 0;
    for (;;) {
        const std::size_t q = etsi_pienella(teksti, mita, p);
        if (q == std::string_view::npos) break;
        t.append(teksti.substr(p, q - p));
        t.append(milla);
        p = q + mita.size();
    }
    t.append(teksti.substr(p));
    return t;
}

std::string trimmaa(std::string_view teksti) {
    std::size_t a = 0, b = teksti.size();
    while (a < b && (teksti[a] == ' ' || teksti[a] == '\t')) ++a;
    while (b > a && (teksti[b - 1] == ' ' || teksti[b - 1] == '\t')) --b;
    return std::string(teksti.substr(a, b - a));
}

std::vector<std::string> jaa_rivit(std::string_view sivu) {
    std::vector<std::string> rivit;
    std::string rivi;
    for (std::size_t i = 0; i < sivu.size(); ++i) {
        const char c = sivu[i];
        if (c == '\r' || c == '\n') {
            rivit.push_back(std::move(rivi));
            rivi.clear();
            if (c == '\r' && i + 1 < sivu.size() && sivu[i + 1] == '\n') ++i;
        } else {
            rivi += c;
        }
    }
    if (!rivi.empty()) rivit.push_back(std::move(rivi));
    return rivit;
}

std::string korjaa_rivinvaihdot(std::string_view sivu) {
    std::string t;
    t.reserve(sivu.size() + sivu.size() / 32);
    for (std::size_t i = 0; i < sivu.size(); ++i) {
        if (sivu[i] == '\n' && (i == 0 || sivu[i - 1] != '\r')) t += '\r';
        t += sivu[i];
    }
    return t;
}

std::string poista_tagit(std::string_view rivi) {
    std::string t;
    bool tagissa = false;
    for (char c : rivi) {
        if (c == '<') tagissa = true;
        else if (c == '>' && tagissa) tagissa = false;
        else if (!tagissa) t += c;
    }
    for (int i = 0; i < 10 && !t.empty() && t.back() == ' '; ++i) t.pop_back();
    return t;
}

std::string korjaa_merkit(std::string_view rivi) {
    std::string t;
    if (rivi.size() > 5) {
        // One pass: "&#" and three digits with the character after them (the ";") become one character.
        // Replacing every occurrence of each reference in turn came to the same text in quadratic time.
        t.reserve(rivi.size());
        for (std::size_t p = 0; p < rivi.size();) {
            if (rivi[p] == '&' && p + 4 < rivi.size() && rivi[p + 1] == '#' && numeroita(rivi.substr(p + 2, 3))) {
                const int koodi = (rivi[p + 2] - '0') * 100 + (rivi[p + 3] - '0') * 10 + (rivi[p + 4] - '0');
                // A code above 255 has no cp1252 byte of its own; cutting it down would turn it into another letter.
                if (koodi <= 255) {
                    t += static_cast<char>(koodi);
                    p += 6;
                    continue;
                }
            }
            t += rivi[p++];
        }
    } else {
        t = rivi;
    }
    for (const char* jarjestysluku : {" (I)", " (II)", " (III)", " (IV)", " (V)", " (VI)"})
        t = korvaa_kaikki(t, jarjestysluku, "");
    return t;
}

std::string siivoa_rivi(std::string_view rivi) {
    std::string t(rivi);
    for (const char* tagi : {"<H2>", "<B>", "</B>", "</H2>", "<OL>", "</OL>", "<BR>", "<UL>", "<LI>", "</LI>"})
        t = korvaa_kaikki(t, tagi, "");
    return korjaa_merkit(t);
}

std::string Eroita_ohjaaja_tai_kasik(std::string_view rivi, Leikkausviestit& viestit) {
    const std::size_t j = rivi.find('>');
    const std::size_t k = rivi.find('<', j == std::string_view::npos ? 0 : j + 1);
    if (j == std::string_view::npos || k == std::string_view::npos) {
        const auto kohta = [](std::size_t p) { return p == std::string_view::npos ? -1L : static_cast<long>(p) + 1; };
        viestit.push_back("Eroita_ohjaaja_tai_kasik EPÄONNISTUI, J=" + std::to_string(kohta(j)) +
                          " k=" + std::to_string(kohta(k)));
    }
    std::string t;
    if (k != std::string_view::npos) {
        const std::size_t alku = j == std::string_view::npos ? 0 : j + 1;
        t = std::string(rivi.substr(alku, k - alku));
    }
    t = poista_tagit(t);
    for (const char* more : {" (more)", "(more)", "(more) "}) t = korvaa_kaikki(t, more, "");
    return t;
}

std::string kaanna_nimi(std::string_view t) {
    std::string s(t.substr(0, t.size() > 7 ? t.size() - 7 : 0));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    if (s.size() >= 5 && s.compare(s.size() - 5, 5, ", The") == 0) s = "The " + s.substr(0, s.size() - 5);
    return s;
}

std::string eroita_vuosi(std::string_view t) {
    if (t.size() < 5) return {};
    // The window starts one character before the closing parenthesis and moves left to the text's start.
    for (std::size_t p = t.size() - 5 + 1; p-- > 0;)
        if (numeroita(t.substr(p, 4))) return std::string(t.substr(p, 4));
    return {};
}

std::string yhdista_nimi(std::string_view nykyinen_nimi, std::string_view englanniksi) {
    std::string alku(nykyinen_nimi);
    if (const std::size_t s = alku.find('('); s != std::string::npos) {
        alku.resize(s);
        if (!alku.empty() && alku.back() == ' ') alku.pop_back();
    }
    // A card without a name of its own takes the page's title as it is, not " (Title)"; a name that is
    // already the title, or already carries it in parentheses, does not get it twice.
    if (alku.empty()) return std::string(englanniksi);
    if (englanniksi.empty() || pienet_ascii(alku) == pienet_ascii(englanniksi)) return alku;
    if (pienet_ascii(nykyinen_nimi).find("(" + pienet_ascii(englanniksi) + ")") != std::string::npos)
        return std::string(nykyinen_nimi);
    return alku + " (" + std::string(englanniksi) + ")";
}

Otsikko eroita_otsikko(std::string_view rivi, std::string_view nykyinen_nimi) {
    std::string t = poista_tagit(rivi);
    t = korvaa_kaikki(t, " (tv)", "");
    t = korvaa_kaikki(t, "(tv)", "");
    return {yhdista_nimi(nykyinen_nimi, kaanna_nimi(t)), eroita_vuosi(t)};
}

std::string kaanna_luokitus(std::string_view luokitus) {
    static const std::pair<const char*, const char*> taulu[] = {
        {"Action", "Toiminta"},       {"Comedy", "Komedia"},  {"Adventure", "Seikkailu"},
        {"Thriller", "Jännitys"},     {"Documentary", "Dokumentti"}, {"Horror", "Kauhu"},
        {"Drama", "Draama"},          {"Western", "Lännenelokuva"},  {"Family", "Perhe"},
        {"Fantacy", "Fantasia"},      {"/Mystery", ""}};
    std::string t(luokitus);
    for (const auto& [mita, milla] : taulu) t = korvaa_kaikki(t, mita, milla);
    return t;
}

std::string eroita_luokitus(std::string_view rivi) {
    std::string t = poista_tagit(rivi);
    t.erase(0, t.find_first_not_of(' ') == std::string::npos ? t.size() : t.find_first_not_of(' '));
    t.erase(0, 7);
    if (const std::size_t s = t.rfind('('); s != std::string::npos) t.resize(s > 0 ? s - 1 : 0);
    t = korvaa_kaikki(t, "  ", "");
    t = korvaa_kaikki(t, " ", "");
    return trimmaa(kaanna_luokitus(t));
}

std::string eroita_maa(std::string_view rivi) {
    std::string t = poista_tagit(rivi);
    for (const char* maa : {"Country: ", "Country:", "Country  ", "Country ", "Country"}) t = korvaa_kaikki(t, maa, "");
    return kaanna_maa(korvaa_kaikki(t, " ", ""));
}

std::string kaanna_maa(std::string_view maa) {
    std::string t = korvaa_kaikki(maa, "Finland", "Suomi");
    t = korvaa_kaikki(t, "Englanti", "England");
    t = korvaa_kaikki(t, "Sweden", "Ruotsi");
    t = korvaa_kaikki(t, "Norway", "Norja");
    return t;
}

std::string pyorista_arvosana(double arvo) {
    const int vanha = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(arvo);
    std::fesetround(vanha);
    return std::to_string(static_cast<long long>(r));
}

std::string eroita_arvosana(std::string_view rivi, Leikkausviestit& viestit) {
    std::string kerattu;
    std::size_t loppu_haettu = 0, loppu = std::string_view::npos;
    for (std::size_t p = 0; p + 11 <= rivi.size(); ++p) {
        if (!alkaa_pienella(rivi.substr(p), "<B>")) continue;
        const bool piste = (p + 4 < rivi.size() && rivi[p + 4] == '.') || (p + 5 < rivi.size() && rivi[p + 5] == '.');
        if (!piste) continue;
        // The next "</B>" is looked up once per stretch of the line, not once per "<B>".
        if (loppu_haettu <= p + 3) {
            loppu = etsi_pienella(rivi, "</B>", p + 3);
            loppu_haettu = loppu == std::string_view::npos ? rivi.size() : loppu;
        }
        const std::size_t l = loppu != std::string_view::npos ? loppu : (rivi.size() >= 4 ? rivi.size() - 4 : 0);
        if (l <= p + 3) continue;
        // Only the number: "7.1/10" is a rating of 7.1.
        const std::string_view osa = rivi.substr(p + 3, l - p - 3);
        const std::size_t luku = osa.find_first_not_of("0123456789.,");
        kerattu += osa.substr(0, luku);
        p = l - 1;  // the text up to the end tag is taken; a "<B>" inside it starts nothing new
    }
    // A votes line without a rating leaves the card's rating as it was, rather than making it 0.
    if (kerattu.empty()) return {};
    KeraavatViestit v(viestit);
    return pyorista_arvosana(mkStr2Float(kerattu, v));
}

std::string eroita_tagline(std::string_view rivi, Leikkausviestit& viestit) {
    std::string t;
    if (!toisen_tagin_jalkeen(rivi, t)) {
        viestit.push_back("virhe! eroita_tagline, K=0");
        return {};
    }
    return siisti_valit(t);
}

std::string eroita_plot(std::string_view rivi, std::string_view tagline, Leikkausviestit& viestit) {
    std::string t;
    if (!toisen_tagin_jalkeen(rivi, t)) viestit.push_back("virhe! eroita_plot, K=0");
    t = siisti_valit(t);
    return t.empty() ? std::string(tagline) : t;
}

std::string eroita_kansi_url(std::string_view rivi) {
    const std::size_t a = rivi.find('"');
    if (a == std::string_view::npos) return {};
    const std::size_t b = rivi.find('"', a + 1);
    if (b == std::string_view::npos) return {};
    return std::string(rivi.substr(a + 1, b - a - 1));
}

std::string vain_numerot(std::string_view rivi) {
    std::string t;
    for (char c : rivi)
        if (on_numero(c)) t += c;
    return t.empty() ? t : t + " min";
}

std::vector<std::string> alkuperainen_aanilista() {
    return {"", "** Ääniraitaa ei löytynyt", "Dolby Surround", "Hifi-Stereo", "Ei hifiraitaa", "Ei ääniraitaa"};
}

std::vector<std::string> tee_aanilista(std::string_view rivi) {
    std::vector<std::string> l;
    const bool surround = sisaltaa(">Dolby SR<", rivi) || sisaltaa(">Dolby Surround<", rivi);
    if (surround) l.push_back("Dolby Surround");
    if (sisaltaa(">Dolby Digital<", rivi)) l.push_back("Dolby Digital");
    if (sisaltaa(">DTS<", rivi)) l.push_back("DTS");
    if (sisaltaa(">SDDS<", rivi)) l.push_back("SDDS");
    if (l.empty()) l.push_back("");
    l.push_back("** Vapaa valinta:");
    if (!surround) l.push_back("Dolby Surround");
    l.push_back("Hifi-Stereo");
    l.push_back("Ei hifiraitaa");
    return l;
}

std::vector<std::string> alkuperainen_kestolista() { return {"", "** Ei löytynyt"}; }

std::vector<std::string> tee_kestolista(std::string_view rivi) {
    std::vector<std::string> l;
    std::string t = poista_tagit(rivi);
    if (t.empty()) return l;
    t.erase(0, t.find_first_not_of('\0') == std::string::npos ? t.size() : t.find_first_not_of('\0'));
    t = korvaa_kaikki(t, "  ", "");
    t = korvaa_kaikki(t, "Runtime: ", "");
    for (char& c : t)
        if (c == '\t') c = ' ';
    // Each "/" ends a row without the blank before it; the character after it goes too.
    std::size_t alku = 0;
    for (std::size_t s; alku <= t.size() && (s = t.find('/', alku)) != std::string::npos;) {
        l.push_back(t.substr(alku, s > alku ? s - 1 - alku : 0));
        alku = s + 2;
    }
    l.push_back(alku < t.size() ? t.substr(alku) : std::string());
    return l;
}

std::string eroita_nimi(std::string_view rivi, Leikkausviestit& viestit) {
    const std::size_t k = rivi.size() > 26 ? rivi.find('<', 26) : std::string_view::npos;
    if (k == std::string_view::npos) {
        viestit.push_back("IMDB, eroita_nimi, FAILED");
        return {};
    }
    return siivoa_rivi(rivi.substr(25, k - 25));
}

std::string eroita_koodi(std::string_view rivi) {
    if (rivi.size() >= 17 && rivi[15] == '?') return std::string(rivi.substr(16, 7));
    return {};
}

std::string imdb_numero(std::string_view teksti) {
    const auto numerot = [&](std::size_t p) {
        std::size_t q = p;
        while (q < teksti.size() && q - p < 12 && on_numero(teksti[q])) ++q;
        return std::string(teksti.substr(p, q - p));
    };
    const std::string t = trimmaa(teksti);
    if (numeroita(t)) return t;
    if (const std::size_t p = etsi_pienella(teksti, "/Title?"); p != std::string_view::npos) return numerot(p + 7);
    if (const std::size_t p = etsi_pienella(teksti, "/title/tt"); p != std::string_view::npos) return numerot(p + 9);
    for (std::size_t p = etsi_pienella(teksti, "tt"); p != std::string_view::npos; p = etsi_pienella(teksti, "tt", p + 1))
        if (p + 2 < teksti.size() && on_numero(teksti[p + 2])) return numerot(p + 2);
    return {};
}

std::string eroita_aka(std::string_view rivi) {
    const std::size_t a = rivi.find("<I>");
    const std::size_t b = rivi.find("</I>");
    if (a == std::string_view::npos || b == std::string_view::npos || b < a + 3) return {};
    return std::string(rivi.substr(a + 3, b - a - 3));
}
