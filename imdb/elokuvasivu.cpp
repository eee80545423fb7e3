#include "imdb/elokuvasivu.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "diag/loki.h"
#include "imdb/json_raja.h"
#include "imdb/osoitteet.h"
#include "perus/merkisto.h"
#include "perus/teksti.h"
#include "storage/kentat.h"

using nlohmann::json;

namespace {

// JSON nested deeper than this is no page's record: it is refused before it is read, so no walk of a
// page's JSON can run out of stack and a hostile block costs one quick pass.
constexpr int json_syvyys = sivun_json_syvyys;

// Whether the text's brackets nest no deeper than the limit; strings are skipped.
bool syvyys_sallittu(std::string_view t, int enintaan) {
    int syvyys = 0;
    bool merkkijonossa = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (merkkijonossa) {
            if (c == '\\') ++i;
            else if (c == '"') merkkijonossa = false;
        } else if (c == '"') {
            merkkijonossa = true;
        } else if (c == '[' || c == '{') {
            if (++syvyys > enintaan) return false;
        } else if (c == ']' || c == '}') {
            --syvyys;
        }
    }
    return true;
}

}  // namespace

json jasenna_rajattu(std::string_view teksti, int enintaan) {
    if (!syvyys_sallittu(teksti, enintaan)) return json(json::value_t::discarded);
    // The same limit again while reading, should the pass above ever count otherwise than the parser.
    return json::parse(teksti, [enintaan](int syvyys, json::parse_event_t, json&) { return syvyys <= enintaan; }, false);
}

namespace {

bool on_tyyppia(const json& j, const char* tyyppi) {
    if (!j.is_object() || !j.contains("@type")) return false;
    const json& t = j["@type"];
    if (t.is_string()) return t.get<std::string>() == tyyppi;
    if (t.is_array())
        for (const json& x : t)
            if (x.is_string() && x.get<std::string>() == tyyppi) return true;
    return false;
}

const json* etsi_elokuva(const json& j, int syvyys = 0) {
    if (syvyys > json_syvyys) return nullptr;
    if (on_tyyppia(j, "Movie")) return &j;
    if (j.is_array()) {
        for (const json& x : j)
            if (const json* e = etsi_elokuva(x, syvyys + 1)) return e;
    } else if (j.is_object() && j.contains("@graph")) {
        return etsi_elokuva(j["@graph"], syvyys + 1);
    }
    return nullptr;
}

// The JSON-LD blocks of a page, each as its script element's text. Every search starts where the last
// one ended, so a page of unclosed "<script" tags is read once.
std::vector<std::string_view> json_ld_lohkot(std::string_view sivu) {
    std::vector<std::string_view> lohkot;
    std::size_t p = 0;
    for (;;) {
        const std::size_t q = sivu.find("<script", p);
        if (q == std::string_view::npos) break;
        const std::size_t tagin_loppu = sivu.find('>', q);
        if (tagin_loppu == std::string_view::npos) break;
        p = tagin_loppu + 1;
        if (sivu.substr(q, tagin_loppu - q).find("application/ld+json") == std::string_view::npos) continue;
        const std::size_t loppu = sivu.find("</script>", p);
        if (loppu == std::string_view::npos) break;
        lohkot.push_back(sivu.substr(p, loppu - p));
        p = loppu;
    }
    return lohkot;
}

// The page's JSON-LD Movie object; null when there is none.
json elokuva_json(std::string_view sivu) {
    for (std::string_view lohko : json_ld_lohkot(sivu)) {
        json j = jasenna_rajattu(lohko);
        if (j.is_discarded()) continue;
        if (const json* e = etsi_elokuva(j)) return *e;
    }
    return nullptr;
}

std::string cp(const json& j) { return j.is_string() ? merkisto::utf8_cp1252(j.get<std::string>()) : std::string(); }

// A text of the record with its HTML references decoded, as cp1252 without blanks at the ends.
std::string teksti(const json& j) {
    return j.is_string() ? trimmaa(merkisto::utf8_cp1252(pura_html_viitteet(j.get<std::string>()))) : std::string();
}

// A name out of a plain string or an object of the given type that has one.
std::string nimi_kohteesta(const json& j, const char* tyyppi) {
    if (j.is_string()) return teksti(j);
    if (j.is_object() && (!j.contains("@type") || on_tyyppia(j, tyyppi)) && j.contains("name")) return teksti(j["name"]);
    return {};
}

std::vector<const json*> luettelo(const json& j, const char* avain) {
    std::vector<const json*> l;
    if (!j.contains(avain)) return l;
    const json& x = j[avain];
    if (x.is_array()) {
        for (const json& y : x) l.push_back(&y);
    } else if (!x.is_null()) {
        l.push_back(&x);
    }
    return l;
}

// The names of a list of the record, joined; at most `enintaan` of them.
std::string yhdistetyt_nimet(const json& e, const char* avain, const char* tyyppi, const char* erotin,
                             std::size_t enintaan = 50) {
    std::string t;
    std::size_t n = 0;
    for (const json* o : luettelo(e, avain)) {
        if (n == enintaan) break;
        if (const std::string a = nimi_kohteesta(*o, tyyppi); !a.empty()) {
            t += (t.empty() ? "" : erotin) + a;
            ++n;
        }
    }
    return t;
}

void lue_json(const json& e, Elokuvasivu& s) {
    TKortti& k = s.kortti;
    if (e.contains("name"))
        if (const std::string nimi = teksti(e["name"]); !nimi.empty()) k.nimi = yhdista_nimi(k.nimi, nimi);
    if (e.contains("datePublished") && e["datePublished"].is_string()) {
        const std::string d = e["datePublished"].get<std::string>();
        if (d.size() >= 4 && std::all_of(d.begin(), d.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
            k.vuosi = d.substr(0, 4);
    }
    if (const std::string o = yhdistetyt_nimet(e, "director", "Person", ", "); !o.empty()) k.ohjaaja = o;
    // Creators are people and companies; only the people wrote the script.
    std::string kirjoittajat;
    for (const json* o : luettelo(e, "creator"))
        if (on_tyyppia(*o, "Person"))
            if (const std::string n = nimi_kohteesta(*o, "Person"); !n.empty())
                kirjoittajat += (kirjoittajat.empty() ? "" : ", ") + n;
    if (!kirjoittajat.empty()) aseta_kasikirjoitus(k, kirjoittajat);
    std::string lajit;
    for (const json* o : luettelo(e, "genre"))
        if (const std::string g = trimmaa(kaanna_luokitus(cp(*o))); !g.empty()) lajit += (lajit.empty() ? "" : "/") + g;
    if (!lajit.empty()) k.luokitus = lajit;
    if (const std::string maat = kaanna_maa(yhdistetyt_nimet(e, "countryOfOrigin", "Country", "/")); !maat.empty())
        k.maa = maat;
    if (e.contains("aggregateRating") && e["aggregateRating"].is_object() &&
        e["aggregateRating"].contains("ratingValue")) {
        const json& r = e["aggregateRating"]["ratingValue"];
        double arvo = -1;
        if (r.is_number()) arvo = r.get<double>();
        else if (r.is_string()) {
            try {
                arvo = std::stod(r.get<std::string>());
            } catch (...) {
            }
        }
        if (arvo >= 0 && arvo <= 10) k.arvosana = pyorista_arvosana(arvo);
    }
    // Actors are people; a rating or a company in the list is no actor.
    if (const std::string a = yhdistetyt_nimet(e, "actor", "Person", ", ", 6); !a.empty()) k.paanayttelijat = a;
    if (muistio(k).empty() && e.contains("description")) muistio(k) = teksti(e["description"]);
    if (e.contains("image")) {
        const json& i = e["image"];
        if (i.is_string()) s.cover_url = i.get<std::string>();
        else if (i.is_object() && i.contains("url") && i["url"].is_string()) s.cover_url = i["url"].get<std::string>();
    }
    if (e.contains("duration") && e["duration"].is_string())
        if (const std::string m = iso_kesto_minuuteiksi(e["duration"].get<std::string>()); !m.empty()) s.kestolista = {m};
    if (e.contains("url") && e["url"].is_string()) s.imdb_koodi = imdb_numero(e["url"].get<std::string>());
}

// ---------------------------------------------------------------------------------------------------------
// The old layout. Pages of different years put a value on its marker's line or on the lines after it, and
// a cast row per line or the whole cast on one; the readers below take both.

// A line that opens a value of its own: no value runs on past it.
bool merkkirivi(std::string_view rivi) { return sisaltaa("blackcatheader", rivi) || sisaltaa("CLASS=\"ch\"", rivi); }

// The texts of the person links (to "/Name?…" or "/name/…") in a text, tags removed, at most `enintaan`.
void henkilolinkit(std::string_view t, std::vector<std::string>& nimet, std::size_t enintaan) {
    std::size_t p = 0;
    while (nimet.size() < enintaan) {
        const std::size_t a = etsi_pienella(t, "<a ", p);
        if (a == std::string_view::npos) return;
        const std::size_t tagin_loppu = t.find('>', a);
        if (tagin_loppu == std::string_view::npos) return;
        const std::size_t loppu = etsi_pienella(t, "</a", tagin_loppu);
        if (loppu == std::string_view::npos) return;
        if (sisaltaa("/name", t.substr(a, tagin_loppu - a)))
            if (std::string n = trimmaa(poista_tagit(t.substr(tagin_loppu + 1, loppu - tagin_loppu - 1))); !n.empty())
                nimet.push_back(std::move(n));
        p = loppu;
    }
}

class VanhaLukija {
public:
    // Markers are looked up in a lower-case copy of each line with a plain find: a page of one long line
    // is then scanned quickly for each of them.
    VanhaLukija(std::string_view sivu, Elokuvasivu& s) : rivit_(jaa_rivit(sivu)), s_(s) {
        pienet_.reserve(rivit_.size());
        for (std::string& r : rivit_) {
            r = korjaa_merkit(r);
            pienet_.push_back(pienet_ascii(r));
        }
    }

    void lue() {
        TKortti& k = s_.kortti;
        const std::string kansikauppa = pienet_ascii(kauppakuva_osoite());
        const std::string juliste = pienet_ascii("<A HREF=\"" + juliste_osoite());
        for (std::size_t i = 0; i < rivit_.size(); ++i) {
            const std::string& rivi = rivit_[i];
            if (on(i, "access denied")) s_.viestit.push_back("Virhe: Pääsy evätty Internet Movie Databaseen!");
            if (on(i, "<title>")) {
                const Otsikko o = eroita_otsikko(rivi, k.nimi);
                if (!o.nimi.empty()) k.nimi = o.nimi;
                // A title without a four-digit number leaves the year as it was.
                if (!o.vuosi.empty()) k.vuosi = o.vuosi;
            }
            if (on(i, "<base href=\""))
                if (std::string n = imdb_numero(rivi); !n.empty()) s_.imdb_koodi = std::move(n);
            if ((on(i, kansikauppa) || on(i, juliste)) && s_.cover_url.empty())
                s_.cover_url = eroita_kansi_url(rivi);
            if (const std::size_t m = pienet_[i].find("class=\"blackcatheader\">directed by"); m != std::string::npos)
                if (const auto n = nimet_merkista(i, m, 1, 8, false); !n.empty()) k.ohjaaja = n[0];
            if (const std::size_t m = pienet_[i].find("class=\"blackcatheader\">writing credits"); m != std::string::npos)
                if (const auto n = nimet_merkista(i, m, 50, 40, false); !n.empty()) aseta_kasikirjoitus(k, liita(n));
            if (on(i, "class=\"ch\">genre"))
                if (std::string l = eroita_luokitus(arvo(i)); !l.empty()) k.luokitus = std::move(l);
            if (on(i, "votes") && (on(i, "votes)") || sisaltaa("votes)", poista_tagit(rivi))))
                if (const std::string a = eroita_arvosana(rivi, virheet_); !a.empty()) k.arvosana = a;
            if (on(i, "class=\"ch\">tagline") && muistio(k).empty()) s_.tagline = eroita_tagline(arvo(i), virheet_);
            if (on(i, "class=\"ch\">plot ") && muistio(k).empty())
                muistio(k) += eroita_plot(arvo(i), s_.tagline, virheet_);
            if (const std::size_t m = pienet_[i].find("blackcatheader\">cast overview, first billed only");
                m != std::string::npos)
                if (const auto n = nimet_merkista(i, m, 6, 30, true); !n.empty()) k.paanayttelijat = liita(n);
            if (on(i, "class=\"ch\">country"))
                if (std::string maa = eroita_maa(arvo(i)); !maa.empty()) k.maa = std::move(maa);
            if (on(i, "class=\"ch\">color")) k.vari = sisaltaa(">Black and White<", arvo(i)) ? "Ei" : "Kyllä";
            if (on(i, "class=\"ch\">sound mix")) s_.aanilista = tee_aanilista(arvo(i));
            if (on(i, "<b class=\"ch\">runtime"))
                if (auto l = tee_kestolista(arvo(i)); !l.empty()) s_.kestolista = std::move(l);
        }
        // A cut that failed leaves its field as it was; the user is not stopped by a box for each.
        for (const std::string& v : virheet_) kirjoita_debug_aina("[imdb] " + v);
    }

private:
    bool on(std::size_t i, std::string_view pieni_merkki) const {
        return pienet_[i].find(pieni_merkki) != std::string::npos;
    }
    bool merkkirivi_(std::size_t i) const { return on(i, "blackcatheader") || on(i, "class=\"ch\""); }

    // The marker's line, and when the line holds nothing after its label, the lines after it up to a blank
    // line or the next marker (at most eight), joined by blanks.
    std::string arvo(std::size_t i) const {
        std::string t = rivit_[i];
        const std::string oma = poista_tagit(t);
        const std::size_t kaksoispiste = oma.find(':');
        if (kaksoispiste != std::string::npos && !trimmaa(oma.substr(kaksoispiste + 1)).empty()) return t;
        for (std::size_t j = i + 1; j < rivit_.size() && j <= i + 8; ++j) {
            const std::string& r = rivit_[j];
            if (merkkirivi_(j) || trimmaa(poista_tagit(r)).empty()) break;
            t += " " + r;
        }
        return t;
    }

    // The person links after the marker at `kohta` of line i and on the lines after it, until a blank line,
    // a line "<BR>", the next marker or (for a table) its end.
    std::vector<std::string> nimet_merkista(std::size_t i, std::size_t kohta, std::size_t enintaan,
                                            std::size_t riveja, bool taulukko) const {
        std::vector<std::string> n;
        henkilolinkit(std::string_view(rivit_[i]).substr(kohta), n, enintaan);
        if (taulukko && sisaltaa("</table>", std::string_view(rivit_[i]).substr(kohta))) return n;
        for (std::size_t j = i + 1; j < rivit_.size() && j <= i + riveja && n.size() < enintaan; ++j) {
            const std::string& r = rivit_[j];
            if (r.empty() || r == "<BR>" || merkkirivi_(j)) break;
            henkilolinkit(r, n, enintaan);
            if (taulukko && on(j, "</table>")) break;
        }
        return n;
    }

    static std::string liita(const std::vector<std::string>& n) {
        std::string t;
        for (const std::string& x : n) t += (t.empty() ? "" : ", ") + x;
        return t;
    }

    std::vector<std::string> rivit_;
    std::vector<std::string> pienet_;
    Elokuvasivu& s_;
    Leikkausviestit virheet_;
};

}  // namespace

Teksti& muistio(TKortti& k) { return k.nakyma == 1 ? k.kommentti : k.juoni; }

std::string json_ld_elokuva(std::string_view sivu) {
    const json e = elokuva_json(sivu);
    return e.is_null() ? std::string() : e.dump();
}

Sivulaji tunnista_sivu(std::string_view sivu) {
    if (!elokuva_json(sivu).is_null()) return Sivulaji::JsonNimike;
    const std::size_t alku = sivu.find_first_not_of(" \t\r\n");
    if (alku != std::string_view::npos && sivu[alku] == '{') {
        const json j = jasenna_rajattu(sivu);
        if (!j.is_discarded() && j.is_object() && j.contains("d") && j["d"].is_array()) return Sivulaji::Ehdotukset;
    }
    bool otsikko = false, merkit = false;
    for (const std::string& r : jaa_rivit(sivu)) {
        if (sisaltaa("<TITLE>IMDb title search</TITLE>", r)) return Sivulaji::VanhaHaku;
        if (sisaltaa("<TITLE>", r)) otsikko = true;
        if (merkkirivi(r) || (sisaltaa("<BASE HREF=\"", r) && !imdb_numero(r).empty())) merkit = true;
    }
    return otsikko && merkit ? Sivulaji::VanhaNimike : Sivulaji::Tuntematon;
}

Elokuvasivu lue_elokuvasivu(std::string_view sivu, const TKortti& kortti) {
    Elokuvasivu s;
    s.kortti.kopioi(kortti);
    s.aanilista = alkuperainen_aanilista();
    s.kestolista = alkuperainen_kestolista();
    if (const json e = elokuva_json(sivu); !e.is_null()) lue_json(e, s);
    else VanhaLukija(sivu, s).lue();
    return s;
}

void hyvaksy_valinnat(TKortti& k, std::string_view kesto, std::string_view aani, std::string_view imdb_koodi) {
    if (const std::string m = vain_numerot(kesto); !m.empty()) k.kesto = m;
    if (!aani.empty()) k.aani = std::string(aani);
    kirjoita_debug("imdb_koodi=" + std::string(imdb_koodi));
    // A page without a title number keeps the number the card already had.
    if (!imdb_koodi.empty()) k.imdb_koodi = std::string(imdb_koodi);
}

std::string iso_kesto_minuuteiksi(std::string_view kesto) {
    if (kesto.substr(0, 2) != "PT") return {};
    long long minuutit = 0, luku = 0;
    bool numero = false;
    for (std::size_t i = 2; i < kesto.size(); ++i) {
        const char c = kesto[i];
        if (c >= '0' && c <= '9') {
            luku = luku * 10 + (c - '0');
            numero = true;
            if (luku > 100000) return {};
        } else if (numero && c == 'H') {
            minuutit += luku * 60;
            luku = 0;
            numero = false;
        } else if (numero && c == 'M') {
            minuutit += luku;
            luku = 0;
            numero = false;
        } else if (numero && c == 'S') {
            luku = 0;
            numero = false;
        } else {
            return {};
        }
    }
    if (numero || minuutit <= 0) return {};
    return std::to_string(minuutit) + " min";
}

std::string pura_html_viitteet(std::string_view s) {
    static const std::pair<const char*, const char*> nimetyt[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
    const auto utf8 = [](unsigned long c) {
        std::string u;
        if (c < 0x80) u += static_cast<char>(c);
        else if (c < 0x800) {
            u += static_cast<char>(0xC0 | (c >> 6));
            u += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            u += static_cast<char>(0xE0 | (c >> 12));
            u += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            u += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            u += static_cast<char>(0xF0 | (c >> 18));
            u += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            u += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            u += static_cast<char>(0x80 | (c & 0x3F));
        }
        return u;
    };
    std::string t;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            t += s[i];
            continue;
        }
        // A reference is at most ten characters up to its ";": looking further for each "&" would make a page
        // of lone ampersands quadratic.
        const std::size_t puoli_alusta = s.substr(i, 11).find(';');
        const std::size_t puoli = puoli_alusta == std::string_view::npos ? puoli_alusta : i + puoli_alusta;
        if (puoli == std::string_view::npos) {
            t += s[i];
            continue;
        }
        const std::string_view nimi = s.substr(i + 1, puoli - i - 1);
        std::string korvaus;
        if (nimi.size() > 1 && nimi[0] == '#') {
            const bool heksa = nimi[1] == 'x' || nimi[1] == 'X';
            const std::string_view numerot = nimi.substr(heksa ? 2 : 1);
            unsigned long c = 0;
            bool kelpaa = !numerot.empty();
            for (char d : numerot) {
                const int arvo = d >= '0' && d <= '9' ? d - '0'
                                 : heksa && d >= 'a' && d <= 'f' ? d - 'a' + 10
                                 : heksa && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                                 : -1;
                if (arvo < 0 || c > 0x10FFFF) kelpaa = false;
                else c = c * (heksa ? 16 : 10) + static_cast<unsigned long>(arvo);
            }
            if (kelpaa && c > 0 && c <= 0x10FFFF) korvaus = utf8(c);
        } else {
            for (const auto& [n, k] : nimetyt)
                if (nimi == n) korvaus = k;
        }
        if (korvaus.empty()) {
            t += s[i];
            continue;
        }
        t += korvaus;
        i = puoli;
    }
    return t;
}
