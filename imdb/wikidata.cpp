#include "imdb/wikidata.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "diag/viestit.h"
#include "imdb/json_raja.h"
#include "imdb/leikkurit.h"
#include "imdb/osoitteet.h"
#include "perus/merkisto.h"
#include "perus/teksti.h"
#include "perus/versio.h"
#include "settings/asetukset.h"
#include "storage/kentat.h"

using nlohmann::json;

namespace {

// Wikidata's answers nest about ten deep; anything far deeper is not an answer of theirs.
constexpr int json_syvyys = 64;
constexpr int haun_osumia = 10;
constexpr std::size_t tiivistelman_enimmaiskoko = 1u << 20;
constexpr const char* keskeytetty_viesti = "Haku keskeytettiin.";

// The classes whose instances are taken as films: film itself and the subclasses film items name most.
constexpr std::string_view elokuvaluokat[] = {
    "Q11424",     // film
    "Q24869",     // feature film
    "Q506240",    // television film
    "Q24862",     // short film
    "Q202866",    // animated film
    "Q29168811",  // animated feature film
    "Q226730",    // silent film
    "Q93204",     // documentary film
    "Q229390",    // 3D film
};

// Units of a running time, as the entity addresses Wikidata gives them, in minutes.
constexpr std::pair<std::string_view, double> aikayksikot[] = {
    {"/Q7727", 1.0},          // minute
    {"/Q25235", 60.0},        // hour
    {"/Q11574", 1.0 / 60.0},  // second
};

// A whole answer parsed, its depth bounded, so no later walk over it can recurse without limit.
bool lue_json(std::string_view teksti, json& j) {
    j = jasenna_rajattu(teksti, json_syvyys);
    return !j.is_discarded();
}

const json* kentta(const json* j, const char* avain) {
    if (!j || !j->is_object()) return nullptr;
    const auto i = j->find(avain);
    return i == j->end() ? nullptr : &*i;
}

std::string utf8(const json* j) { return j && j->is_string() ? j->get<std::string>() : std::string(); }

bool on_tunnus(std::string_view t) {
    return t.size() >= 2 && t.size() <= 12 && t[0] == 'Q' && t[1] != '0' &&
           std::all_of(t.begin() + 1, t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The values of one property, preferred statements first and deprecated ones left out.
std::vector<const json*> arvot(const json& kohde, const char* ominaisuus) {
    const json* l = kentta(kentta(&kohde, "claims"), ominaisuus);
    if (!l || !l->is_array()) return {};
    std::vector<const json*> ensin, sitten;
    for (const json& v : *l) {
        const std::string taso = utf8(kentta(&v, "rank"));
        const json* snak = kentta(&v, "mainsnak");
        if (taso == "deprecated" || utf8(kentta(snak, "snaktype")) != "value") continue;
        if (const json* a = kentta(kentta(snak, "datavalue"), "value")) (taso == "preferred" ? ensin : sitten).push_back(a);
    }
    ensin.insert(ensin.end(), sitten.begin(), sitten.end());
    return ensin;
}

// The items a property points at, each once, in order.
std::vector<std::string> kohteet(const json& kohde, const char* ominaisuus) {
    std::vector<std::string> t;
    for (const json* a : arvot(kohde, ominaisuus))
        if (std::string id = utf8(kentta(a, "id")); on_tunnus(id) && std::find(t.begin(), t.end(), id) == t.end())
            t.push_back(std::move(id));
    return t;
}

bool on_elokuva(const json& kohde) {
    for (const std::string& luokka : kohteet(kohde, "P31"))
        if (std::find(std::begin(elokuvaluokat), std::end(elokuvaluokat), luokka) != std::end(elokuvaluokat)) return true;
    return false;
}

// A label in the first of the languages that has one (UTF-8).
std::string nimike(const json& kohde, std::initializer_list<const char*> kielet) {
    const json* nimikkeet = kentta(&kohde, "labels");
    for (const char* k : kielet)
        if (std::string n = utf8(kentta(kentta(nimikkeet, k), "value")); !n.empty()) return n;
    return {};
}

// The name an item is shown by: Finnish, then the multilingual label names carry, then English.
std::string nimi_suomeksi(const json& kohde) { return nimike(kohde, {"fi", "mul", "en"}); }

// The title the film was released under, as its title statement gives it.
std::string alkuperainen_nimi(const json& kohde) {
    for (const json* a : arvot(kohde, "P1476"))
        if (std::string t = utf8(kentta(a, "text")); !t.empty()) return t;
    return {};
}

// The earliest year among the publication dates given at least to the year.
std::string vuosi(const json& kohde) {
    int vuosi = 0;
    for (const json* a : arvot(kohde, "P577")) {
        const std::string aika = utf8(kentta(a, "time"));
        const json* tarkkuus = kentta(a, "precision");
        if (aika.size() < 6 || aika[0] != '+' || !tarkkuus || !tarkkuus->is_number_integer() || tarkkuus->get<int>() < 9)
            continue;
        int v = 0;
        const auto [p, ec] = std::from_chars(aika.data() + 1, aika.data() + aika.size(), v);
        if (ec == std::errc() && p - aika.data() == 5 && *p == '-' && v >= 1000 && (vuosi == 0 || v < vuosi)) vuosi = v;
    }
    return vuosi ? std::to_string(vuosi) : std::string();
}

// "181 min" from a duration in minutes, hours or seconds; empty when none is given in those units.
std::string kesto(const json& kohde) {
    for (const json* a : arvot(kohde, "P2047")) {
        std::string maara = utf8(kentta(a, "amount"));
        const std::string yksikko = utf8(kentta(a, "unit"));
        if (!maara.empty() && maara[0] == '+') maara.erase(0, 1);
        double luku = 0;
        const auto [p, ec] = std::from_chars(maara.data(), maara.data() + maara.size(), luku);
        if (ec != std::errc() || p != maara.data() + maara.size()) continue;
        for (const auto& [loppu, minuutteina] : aikayksikot) {
            if (!yksikko.ends_with(loppu)) continue;
            const double minuutit = std::round(luku * minuutteina);
            if (minuutit >= 1 && minuutit < 100000) return std::to_string(static_cast<long>(minuutit)) + " min";
        }
    }
    return {};
}

// The title number without its "tt", as the card keeps it.
std::string imdb_numero(const json& kohde) {
    for (const json* a : arvot(kohde, "P345")) {
        const std::string t = a->is_string() ? a->get<std::string>() : std::string();
        if (t.size() > 2 && t.starts_with("tt") &&
            std::all_of(t.begin() + 2, t.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return t.substr(2);
    }
    return {};
}

// The address of a scaled copy of the item's poster (or its image) on Commons, when it is a JPEG or a GIF:
// the only pictures the cover store keeps.
std::string kansi_osoite(const json& kohde) {
    for (const char* ominaisuus : {"P3383", "P18"}) {
        for (const json* a : arvot(kohde, ominaisuus)) {
            std::string tiedosto = a->is_string() ? a->get<std::string>() : std::string();
            const std::string pienella = pienet_ascii(tiedosto);
            if (!pienella.ends_with(".jpg") && !pienella.ends_with(".jpeg") && !pienella.ends_with(".gif")) continue;
            std::replace(tiedosto.begin(), tiedosto.end(), ' ', '_');
            return commons_osoite() + "/wiki/Special:FilePath/" + prosenttikoodattu(tiedosto) + "?width=600";
        }
    }
    return {};
}

std::string cp(std::string_view utf) { return trimmaa(merkisto::utf8_cp1252(utf)); }

// A genre label as a card value: Wikidata writes them in lower case, the card with a capital.
std::string isolla_alkukirjaimella(std::string t) {
    if (t.empty()) return t;
    unsigned char c = static_cast<unsigned char>(t[0]);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) t[0] = static_cast<char>(c - 0x20);
    return t;
}

using Nimet = std::unordered_map<std::string, std::string>;  // Q-id -> name (cp1252)

std::string yhdista(const std::vector<std::string>& tunnukset, const Nimet& nimet, const char* erotin,
                    std::size_t enintaan = SIZE_MAX, bool isolla = false) {
    std::string t;
    std::size_t n = 0;
    for (const std::string& id : tunnukset) {
        if (n == enintaan) break;
        const auto i = nimet.find(id);
        if (i == nimet.end() || i->second.empty()) continue;
        t += (t.empty() ? "" : erotin) + (isolla ? isolla_alkukirjaimella(i->second) : i->second);
        ++n;
    }
    return t;
}

// Every Q-id of the lists once, in order.
std::vector<std::string> yhdessa(std::initializer_list<const std::vector<std::string>*> listat) {
    std::vector<std::string> t;
    std::unordered_set<std::string> nahty;
    for (const auto* l : listat)
        for (const std::string& id : *l)
            if (nahty.insert(id).second) t.push_back(id);
    return t;
}

// The Finnish card name: "Finnish title (original title)", or the card's own name in front when the item
// has no Finnish title.
std::string elokuvan_nimi(std::string_view suomeksi, std::string_view alkuperainen, std::string_view kortin_nimi) {
    if (suomeksi.empty()) return alkuperainen.empty() ? std::string(kortin_nimi) : yhdista_nimi(kortin_nimi, alkuperainen);
    if (alkuperainen.empty() || alkuperainen == suomeksi) return std::string(suomeksi);
    return std::string(suomeksi) + " (" + std::string(alkuperainen) + ")";
}

// Who the sites can reach: the program's home page and the user's own address, printable ASCII only, so
// nothing in the settings file can add a header line, and no longer than a contact may be.
std::string tee_user_agent(std::string_view yhteystieto) {
    std::string yhteys;
    for (char c : yhteystieto) yhteys += kelpaa_yhteystietoon(c) ? c : '?';
    yhteys = trimmaa(yhteys);
    if (yhteys.size() > yhteystiedon_enimmaispituus) yhteys.resize(yhteystiedon_enimmaispituus);
    return std::string("Rullakko/") + ohjelman_versio + " (" + kotisivun_osoite + (yhteys.empty() ? "" : "; " + yhteys) +
           ")";
}

}  // namespace

// The requests of one search or fetch, sharing the source's agent and cancel.
struct Wikidatalahde::Haku {
    Wikidatalahde& l;

    Tulos hae(const std::string& url, std::size_t enintaan, HttpVastaus& v) {
        if (l.keskeytetty_) return Tulos::virhe(keskeytetty_haku, keskeytetty_viesti);
        HttpPyynto p;
        p.url = url;
        p.enintaan = enintaan;
        p.accept = "application/json";
        p.user_agent = l.user_agent_;
        Tulos r = l.verkko_.hae(p, v);
        // The window may stop the shared client itself, so its cancel counts as ours.
        if (!r && (l.keskeytetty_ || r.koodi == keskeytetty_haku)) return Tulos::virhe(keskeytetty_haku, keskeytetty_viesti);
        return r;
    }

    // One call of the action API; an answer that is not JSON or that reports an error is a failure.
    Tulos api(const std::string& kysely, json& j) {
        HttpVastaus v;
        if (Tulos r = hae(wikidata_osoite() + "/w/api.php?format=json&formatversion=2&" + kysely, sivun_enimmaiskoko, v); !r)
            return r.koodi == keskeytetty_haku ? r : Tulos::virhe(r.koodi, "Wikidatan haku epäonnistui: " + r.viesti);
        if (!lue_json(v.runko, j) || !j.is_object()) return Tulos::virhe(-1, "Wikidatan vastausta ei voitu lukea.");
        if (const json* e = kentta(&j, "error")) {
            const std::string syy = utf8(kentta(e, "info"));
            return Tulos::virhe(-1, "Wikidata ilmoitti virheestä: " + cp(syy.empty() ? utf8(kentta(e, "code")) : syy));
        }
        return Tulos::ok();
    }

    // The Q-ids whose label or alias matches, in the search's order.
    Tulos osumat(std::string_view hakusana, const char* kieli, std::vector<std::string>& ids) {
        json j;
        const std::string k = kieli;
        if (Tulos r = api("action=wbsearchentities&type=item&limit=" + std::to_string(haun_osumia) + "&language=" + k +
                              "&uselang=" + k + "&search=" + prosenttikoodattu(merkisto::cp1252_utf8(hakusana)),
                          j);
            !r)
            return r;
        const json* l = kentta(&j, "search");
        if (!l || !l->is_array()) return Tulos::virhe(-1, "Wikidatan vastausta ei voitu lukea.");
        for (const json& o : *l)
            if (std::string id = utf8(kentta(&o, "id")); on_tunnus(id) && std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(std::move(id));
        return Tulos::ok();
    }

    // The items named, in batches the API accepts; missing ones are left out. `lisa` adds parameters.
    Tulos kohteet(const std::vector<std::string>& ids, const char* props, const char* lisa, std::map<std::string, json>& t) {
        for (std::size_t alku = 0; alku < ids.size(); alku += tunnuksia_pyynnossa) {
            std::string lista;
            for (std::size_t i = alku; i < std::min(ids.size(), alku + tunnuksia_pyynnossa); ++i)
                lista += (lista.empty() ? "" : "|") + ids[i];
            json j;
            if (Tulos r = api("action=wbgetentities&ids=" + prosenttikoodattu(lista) + "&props=" + prosenttikoodattu(props) +
                                  "&languages=" + prosenttikoodattu("fi|mul|en") + lisa,
                              j);
                !r)
                return r;
            json* e = j.contains("entities") && j["entities"].is_object() ? &j["entities"] : nullptr;
            if (!e) return Tulos::virhe(-1, "Wikidatan vastausta ei voitu lukea.");
            for (auto& [id, kohde] : e->items())
                if (kohde.is_object() && !kohde.contains("missing")) t[id] = std::move(kohde);
        }
        return Tulos::ok();
    }

    // The names of the items, fetched as labels only, many items a request.
    Tulos nimet(const std::vector<std::string>& ids, Nimet& n) {
        std::map<std::string, json> t;
        if (Tulos r = kohteet(ids, "labels", "", t); !r) return r;
        for (const auto& [id, kohde] : t) n[id] = cp(nimi_suomeksi(kohde));
        return Tulos::ok();
    }

    // The summary of a Finnish Wikipedia article as a one-line plot, and the article's address.
    // No article, or an article that only lists meanings, gives no plot and no failure.
    Tulos tiivistelma(const std::string& artikkeli, std::string& juoni, std::string& osoite, Leikkausviestit& viestit) {
        std::string polku = artikkeli;
        std::replace(polku.begin(), polku.end(), ' ', '_');
        HttpVastaus v;
        if (Tulos r = hae(wikipedia_osoite() + "/api/rest_v1/page/summary/" + prosenttikoodattu(polku),
                          tiivistelman_enimmaiskoko, v);
            !r) {
            if (r.koodi == keskeytetty_haku) return r;
            if (v.tila != 404) viestit.push_back("Suomenkielistä juonta ei saatu: " + r.viesti);
            return Tulos::ok();
        }
        json j;
        if (!lue_json(v.runko, j) || !j.is_object()) {
            viestit.push_back("Wikipedian vastausta ei voitu lukea.");
            return Tulos::ok();
        }
        if (utf8(kentta(&j, "type")) == "disambiguation") return Tulos::ok();
        std::string teksti = utf8(kentta(&j, "extract"));
        std::replace_if(teksti.begin(), teksti.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
        juoni = cp(teksti);
        osoite = utf8(kentta(kentta(kentta(&j, "content_urls"), "desktop"), "page"));
        if (!osoite.starts_with("https://") && !osoite.starts_with("http://"))
            osoite = wikipedia_osoite() + "/wiki/" + prosenttikoodattu(polku);
        osoite = merkisto::utf8_cp1252(osoite);
        return Tulos::ok();
    }
};

Wikidatalahde::Wikidatalahde(Verkkohaku& verkko, std::string yhteystieto)
    : verkko_(verkko), user_agent_(tee_user_agent(yhteystieto)) {}

void Wikidatalahde::keskeyta() {
    keskeytetty_ = true;
    verkko_.keskeyta();
}

Tulos Wikidatalahde::etsi(std::string_view hakusana, Hakutulokset& tulokset) {
    keskeytetty_ = false;
    const std::string sana = trimmaa(hakusana);
    if (sana.empty()) return Tulos::virhe(-1, wikidata_ei_hakusanaa);
    Haku h{*this};
    Hakutulokset t;
    for (const char* kieli : {"fi", "en"}) {
        std::vector<std::string> ids;
        if (Tulos r = h.osumat(sana, kieli, ids); !r) return r;
        if (ids.empty()) continue;
        std::map<std::string, json> loydetyt;
        if (Tulos r = h.kohteet(ids, "labels|claims", "", loydetyt); !r) return r;
        std::vector<const json*> elokuvat;
        for (const std::string& id : ids)
            if (const auto i = loydetyt.find(id); i != loydetyt.end() && on_elokuva(i->second)) elokuvat.push_back(&i->second);
        if (elokuvat.empty()) continue;

        std::vector<std::vector<std::string>> ohjaajat;
        std::vector<std::string> kaikki;
        for (const json* e : elokuvat) {
            ohjaajat.push_back(kohteet(*e, "P57"));
            kaikki.insert(kaikki.end(), ohjaajat.back().begin(), ohjaajat.back().end());
        }
        Nimet nimet;
        if (Tulos r = h.nimet(yhdessa({&kaikki}), nimet); !r) return r;
        for (std::size_t i = 0; i < elokuvat.size(); ++i) {
            const json& e = *elokuvat[i];
            const std::string alkuperainen = cp(alkuperainen_nimi(e));
            std::string rivi = cp(nimi_suomeksi(e));
            if (rivi.empty()) rivi = alkuperainen.empty() ? utf8(kentta(&e, "id")) : alkuperainen;
            if (const std::string v = vuosi(e); !v.empty()) rivi += " (" + v + ")";
            if (const std::string o = yhdista(ohjaajat[i], nimet, ", "); !o.empty()) rivi += ", ohj. " + o;
            t.rivit.push_back(std::move(rivi));
            t.koodit.push_back(utf8(kentta(&e, "id")));
            t.akat.push_back(alkuperainen != cp(nimi_suomeksi(e)) ? alkuperainen : std::string());
        }
        break;
    }
    tulokset = std::move(t);
    return Tulos::ok();
}

Tulos Wikidatalahde::nouda(std::string_view koodi, const TKortti& kortti, Elokuvasivu& sivu) {
    keskeytetty_ = false;
    if (!on_tunnus(koodi))
        return Tulos::virhe(-1, "\"" + std::string(koodi) + "\" ei ole Wikidatan tunnus (muotoa Q123456).");
    Haku h{*this};
    std::map<std::string, json> loydetyt;
    if (Tulos r = h.kohteet({std::string(koodi)}, "labels|claims|sitelinks", "&sitefilter=fiwiki", loydetyt); !r)
        return r;
    // A merged item answers under the id it was merged into.
    const auto i = loydetyt.size() == 1 ? loydetyt.begin() : loydetyt.find(std::string(koodi));
    if (i == loydetyt.end()) return Tulos::virhe(-1, "Wikidatassa ei ole kohdetta " + std::string(koodi) + ".");
    const json& e = i->second;

    const std::vector<std::string> ohjaajat = kohteet(e, "P57"), kirjoittajat = kohteet(e, "P58"),
                                   nayttelijat = kohteet(e, "P161"), lajit = kohteet(e, "P136"), maat = kohteet(e, "P495");
    const std::vector<std::string> ensimmaiset(
        nayttelijat.begin(),
        nayttelijat.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(nayttelijat.size(), nayttelijoita_kortille)));
    Nimet nimet;
    if (Tulos r = h.nimet(yhdessa({&ohjaajat, &kirjoittajat, &ensimmaiset, &lajit, &maat}), nimet); !r) return r;

    Elokuvasivu s;
    s.kortti.kopioi(kortti);
    s.aanilista = alkuperainen_aanilista();
    s.kestolista = alkuperainen_kestolista();
    TKortti& k = s.kortti;
    const std::string suomeksi = cp(nimike(e, {"fi"}));
    std::string alkuperainen = cp(alkuperainen_nimi(e));
    // Without a title statement an item with no Finnish label is still known by its other label.
    if (alkuperainen.empty() && suomeksi.empty()) alkuperainen = cp(nimi_suomeksi(e));
    if (const std::string nimi = elokuvan_nimi(suomeksi, alkuperainen, k.nimi); !nimi.empty()) k.nimi = nimi;
    if (const std::string v = vuosi(e); !v.empty()) k.vuosi = v;
    if (const std::string o = yhdista(ohjaajat, nimet, ", "); !o.empty()) k.ohjaaja = o;
    if (const std::string w = yhdista(kirjoittajat, nimet, ", "); !w.empty()) aseta_kasikirjoitus(k, w);
    if (const std::string a = yhdista(ensimmaiset, nimet, ", "); !a.empty()) k.paanayttelijat = a;
    if (const std::string g = yhdista(lajit, nimet, "/", SIZE_MAX, true); !g.empty()) k.luokitus = g;
    if (const std::string m = yhdista(maat, nimet, "/"); !m.empty()) k.maa = m;
    if (const std::string m = kesto(e); !m.empty()) s.kestolista = {m};
    s.imdb_koodi = imdb_numero(e);
    s.cover_url = kansi_osoite(e);

    const std::string artikkeli = utf8(kentta(kentta(kentta(&e, "sitelinks"), "fiwiki"), "title"));
    if (!artikkeli.empty() && k.juoni.empty()) {
        std::string juoni, osoite;
        if (Tulos r = h.tiivistelma(artikkeli, juoni, osoite, s.viestit); !r) return r;
        if (!juoni.empty()) {
            k.juoni = juoni;
            const std::string lahde = "Juoni: Wikipedia, artikkeli \"" + cp(artikkeli) + "\", lisenssi CC BY-SA 4.0, " + osoite;
            if (k.kommentti.find(lahde) == Teksti::npos)
                k.kommentti = k.kommentti.str() + (k.kommentti.empty() ? "" : "\r\n") + lahde;
        }
    }
    sivu = std::move(s);
    return Tulos::ok();
}

std::string wikidata_hakusana(std::string_view nimi) {
    const std::string ennen = trimmaa(nimi.substr(0, nimi.find('(')));
    return ennen.empty() ? trimmaa(nimi) : ennen;
}
