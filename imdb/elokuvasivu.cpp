#include "imdb/elokuvasivu.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "imdb/osoitteet.h"
#include "perus/merkisto.h"
#include "perus/teksti.h"

using nlohmann::json;

namespace {

constexpr const char* kasikirjoitus_otsikko = "Käsikirjoitus:";

bool on_elokuva(const json& j) {
    if (!j.is_object() || !j.contains("@type")) return false;
    const json& t = j["@type"];
    if (t.is_string()) return t.get<std::string>() == "Movie";
    if (t.is_array())
        for (const json& x : t)
            if (x.is_string() && x.get<std::string>() == "Movie") return true;
    return false;
}

const json* etsi_elokuva(const json& j) {
    if (on_elokuva(j)) return &j;
    if (j.is_array()) {
        for (const json& x : j)
            if (const json* e = etsi_elokuva(x)) return e;
    } else if (j.is_object() && j.contains("@graph")) {
        return etsi_elokuva(j["@graph"]);
    }
    return nullptr;
}

// The JSON-LD blocks of a page, each as its script element's text.
std::vector<std::string_view> json_ld_lohkot(std::string_view sivu) {
    std::vector<std::string_view> lohkot;
    std::size_t p = 0;
    for (;;) {
        const std::size_t s = [&] {
            for (std::size_t q = sivu.find("<script", p); q != std::string_view::npos; q = sivu.find("<script", q + 1)) {
                const std::size_t loppu = sivu.find('>', q);
                if (loppu == std::string_view::npos) return std::string_view::npos;
                if (sivu.substr(q, loppu - q).find("application/ld+json") != std::string_view::npos) return q;
            }
            return std::string_view::npos;
        }();
        if (s == std::string_view::npos) break;
        const std::size_t alku = sivu.find('>', s) + 1;
        const std::size_t loppu = sivu.find("</script>", alku);
        if (loppu == std::string_view::npos) break;
        lohkot.push_back(sivu.substr(alku, loppu - alku));
        p = loppu;
    }
    return lohkot;
}

std::string cp(const json& j) { return j.is_string() ? merkisto::utf8_cp1252(j.get<std::string>()) : std::string(); }

// A name out of a Person, an Organization or a plain string.
std::string nimi_kohteesta(const json& j) {
    if (j.is_string()) return cp(j);
    if (j.is_object() && j.contains("name")) return cp(j["name"]);
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

bool on_henkilo(const json& j) {
    return j.is_object() && j.contains("@type") && j["@type"].is_string() && j["@type"].get<std::string>() == "Person";
}

std::string numero_tt_jalkeen(std::string_view url) {
    const std::size_t p = url.find("tt");
    if (p == std::string_view::npos) return {};
    std::string t;
    for (std::size_t i = p + 2; i < url.size() && url[i] >= '0' && url[i] <= '9'; ++i) t += url[i];
    return t;
}

void lue_json(const json& e, Elokuvasivu& s) {
    TKortti& k = s.kortti;
    if (e.contains("name")) {
        const std::string nimi = trimmaa(merkisto::utf8_cp1252(pura_html_viitteet(e["name"].is_string() ? e["name"].get<std::string>() : "")));
        if (!nimi.empty()) k.nimi = yhdista_nimi(k.nimi, nimi);
    }
    if (e.contains("datePublished") && e["datePublished"].is_string()) {
        const std::string d = e["datePublished"].get<std::string>();
        if (d.size() >= 4 && std::all_of(d.begin(), d.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
            k.vuosi = d.substr(0, 4);
    }
    for (const json* o : luettelo(e, "director")) {
        const std::string n = nimi_kohteesta(*o);
        if (!n.empty()) {
            k.ohjaaja = n;
            break;
        }
    }
    std::string kirjoittajat;
    for (const json* o : luettelo(e, "creator"))
        if (on_henkilo(*o))
            if (const std::string n = nimi_kohteesta(*o); !n.empty()) kirjoittajat += (kirjoittajat.empty() ? "" : ", ") + n;
    if (!kirjoittajat.empty()) {
        k.lisatieto[0] = kirjoittajat;
        k.lisatieto_nimi[0] = kasikirjoitus_otsikko;
    }
    std::string lajit;
    for (const json* o : luettelo(e, "genre"))
        if (const std::string g = trimmaa(kaanna_luokitus(cp(*o))); !g.empty()) lajit += (lajit.empty() ? "" : "/") + g;
    if (!lajit.empty()) k.luokitus = lajit;
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
        if (arvo >= 0) k.arvosana = pyorista_arvosana(arvo);
    }
    std::string nayttelijat;
    int n = 0;
    for (const json* o : luettelo(e, "actor")) {
        if (n == 6) break;
        if (const std::string a = nimi_kohteesta(*o); !a.empty()) {
            nayttelijat += (nayttelijat.empty() ? "" : ", ") + a;
            ++n;
        }
    }
    if (!nayttelijat.empty()) k.paanayttelijat = nayttelijat;
    if (muistio(k).empty() && e.contains("description") && e["description"].is_string())
        muistio(k) = trimmaa(merkisto::utf8_cp1252(pura_html_viitteet(e["description"].get<std::string>())));
    if (e.contains("image")) {
        const json& i = e["image"];
        if (i.is_string()) s.cover_url = i.get<std::string>();
        else if (i.is_object() && i.contains("url") && i["url"].is_string()) s.cover_url = i["url"].get<std::string>();
    }
    if (e.contains("duration") && e["duration"].is_string())
        if (const std::string m = iso_kesto_minuuteiksi(e["duration"].get<std::string>()); !m.empty()) s.kestolista = {m};
    if (e.contains("url") && e["url"].is_string()) s.imdb_koodi = numero_tt_jalkeen(e["url"].get<std::string>());
}

// Reads the lines of the old layout with its marker table.
void lue_vanha(std::string_view sivu, Elokuvasivu& s) {
    TKortti& k = s.kortti;
    const std::vector<std::string> rivit = jaa_rivit(sivu);
    std::size_t i = 0;
    const auto seuraava = [&]() -> std::string { return i < rivit.size() ? korjaa_merkit(rivit[i++]) : std::string(); };
    const std::string kansikauppa = kauppakuva_osoite();
    const std::string juliste = "<A HREF=\"" + juliste_osoite();

    while (i < rivit.size()) {
        std::string rivi = korjaa_merkit(rivit[i++]);
        if (sisaltaa("Access Denied", rivi)) s.viestit.push_back("Virhe: Pääsy evätty Internet Movie Databaseen!");
        if (sisaltaa("<TITLE>", rivi)) {
            const Otsikko o = eroita_otsikko(rivi, k.nimi);
            k.nimi = o.nimi;
            // A title without a four-digit number leaves the year as it was.
            if (!o.vuosi.empty()) k.vuosi = o.vuosi;
        }
        if (sisaltaa("<BASE HREF=\"", rivi) && sisaltaa("/Title?", rivi) && rivi.size() >= 9)
            s.imdb_koodi = rivi.substr(rivi.size() - 9, 7);
        if (sisaltaa("CLASS=\"blackcatheader\">Directed by", rivi)) {
            rivi = seuraava();
            k.ohjaaja = Eroita_ohjaaja_tai_kasik(rivi, s.viestit);
        }
        if ((sisaltaa(kansikauppa, rivi) || sisaltaa(juliste, rivi)) && s.cover_url.empty())
            s.cover_url = eroita_kansi_url(rivi);
        if (sisaltaa("CLASS=\"blackcatheader\">Writing credits", rivi)) {
            std::string kirjoittajat;
            for (;;) {
                if (i >= rivit.size()) break;
                const std::string r = seuraava();
                if (r.empty() || r == "<BR>") break;
                if (r.size() > 2) kirjoittajat += ", " + Eroita_ohjaaja_tai_kasik(r, s.viestit);
            }
            for (std::size_t n = kirjoittajat.size(); n > 0; --n) {
                std::string& t = kirjoittajat;
                if (t.size() >= 3 && t[t.size() - 3] == ',') t.resize(t.size() - 3);
                if (t.size() >= 2 && t[t.size() - 2] == ',') t.resize(t.size() - 2);
                if (!t.empty() && t.back() == ',') t.pop_back();
            }
            k.lisatieto[0] = kirjoittajat.size() > 2 ? kirjoittajat.substr(2) : std::string();
            k.lisatieto_nimi[0] = kasikirjoitus_otsikko;
            rivi = kirjoittajat;
        }
        if (sisaltaa("CLASS=\"ch\">Genre", rivi)) k.luokitus = eroita_luokitus(rivi);
        if (sisaltaa("votes)", rivi))
            if (const std::string a = eroita_arvosana(rivi, s.viestit); !a.empty()) k.arvosana = a;
        if (sisaltaa("CLASS=\"ch\">Tagline", rivi) && muistio(k).empty()) s.tagline = eroita_tagline(rivi, s.viestit);
        if (sisaltaa("CLASS=\"ch\">Plot ", rivi) && muistio(k).empty())
            muistio(k) += eroita_plot(rivi, s.tagline, s.viestit);
        if (sisaltaa("blackcatheader\">Cast overview, first billed only", rivi)) {
            std::string nayttelijat;
            for (int n = 0; n < 6; ++n) {
                const std::string r = seuraava();
                rivi = r.size() > 23 ? r.substr(22, r.size() - 23) : std::string();
                nayttelijat += ", " + Eroita_ohjaaja_tai_kasik(rivi, s.viestit);
            }
            if (nayttelijat.size() >= 3 && nayttelijat[nayttelijat.size() - 3] == ',')
                nayttelijat.resize(nayttelijat.size() - 2);
            k.paanayttelijat = nayttelijat.substr(2);
        }
        if (sisaltaa("CLASS=\"ch\">Country", rivi)) k.maa = eroita_maa(rivi);
        if (sisaltaa("CLASS=\"ch\">Color", rivi)) k.vari = sisaltaa(">Black and White<", rivi) ? "Ei" : "Kyllä";
        if (sisaltaa("CLASS=\"ch\">Sound Mix", rivi)) s.aanilista = tee_aanilista(rivi);
        if (sisaltaa("<B CLASS=\"ch\">Runtime", rivi)) s.kestolista = tee_kestolista(rivi);
    }
}

}  // namespace

Teksti& muistio(TKortti& k) { return k.nakyma == 1 ? k.kommentti : k.juoni; }

std::string json_ld_elokuva(std::string_view sivu) {
    for (std::string_view lohko : json_ld_lohkot(sivu)) {
        const json j = json::parse(lohko, nullptr, false);
        if (j.is_discarded()) continue;
        if (const json* e = etsi_elokuva(j)) return e->dump();
    }
    return {};
}

Sivulaji tunnista_sivu(std::string_view sivu) {
    if (!json_ld_elokuva(sivu).empty()) return Sivulaji::JsonNimike;
    const std::size_t alku = sivu.find_first_not_of(" \t\r\n");
    if (alku != std::string_view::npos && sivu[alku] == '{') {
        const json j = json::parse(sivu, nullptr, false);
        if (!j.is_discarded() && j.is_object() && j.contains("d") && j["d"].is_array()) return Sivulaji::Ehdotukset;
    }
    bool otsikko = false, merkit = false;
    for (const std::string& r : jaa_rivit(sivu)) {
        if (sisaltaa("<TITLE>IMDb title search</TITLE>", r)) return Sivulaji::VanhaHaku;
        if (sisaltaa("<TITLE>", r)) otsikko = true;
        if (sisaltaa("blackcatheader", r) || sisaltaa("CLASS=\"ch\">", r) ||
            (sisaltaa("<BASE HREF=\"", r) && sisaltaa("/Title?", r)))
            merkit = true;
    }
    return otsikko && merkit ? Sivulaji::VanhaNimike : Sivulaji::Tuntematon;
}

Elokuvasivu lue_elokuvasivu(std::string_view sivu, const TKortti& kortti) {
    Elokuvasivu s;
    s.kortti.kopioi(kortti);
    s.aanilista = alkuperainen_aanilista();
    s.kestolista = alkuperainen_kestolista();
    if (const std::string e = json_ld_elokuva(sivu); !e.empty()) lue_json(json::parse(e), s);
    else lue_vanha(sivu, s);
    return s;
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
        const std::size_t puoli = s.find(';', i);
        if (puoli == std::string_view::npos || puoli - i > 10) {
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
