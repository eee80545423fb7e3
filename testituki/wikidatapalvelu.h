#pragma once
// A small Wikidata and Finnish Wikipedia for tests: the answers of the action API (wbsearchentities,
// wbgetentities) and of the REST page summary, built from the fixtures in imdb/testdata/wikidata the way
// the real sites build them — only the ids, properties and languages asked for, "missing" for unknown
// ids, the limit of 50 ids a request, 404 for an article that does not exist. Tests reach it in-process
// (a fake Verkkohaku) or over HTTP (cpp-httplib).
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

struct Palveluvastaus {
    int tila = 200;
    std::string runko;
};

class Wikidatapalvelu {
public:
    using Parametrit = std::map<std::string, std::string>;

    Wikidatapalvelu() : kansio_(std::string(RULLAKKO_SOURCE_DIR) + "/imdb/testdata/wikidata/") {
        kohteet_ = nlohmann::json::parse(lue(kansio_ + "kohteet.json"))["entities"];
    }

    // Items added for one test, in the canonical entity format.
    void lisaa_kohde(const nlohmann::json& kohde) { kohteet_[kohde["id"].get<std::string>()] = kohde; }

    // The answer to one decoded request: the path and its query parameters.
    Palveluvastaus vastaa(const std::string& polku, const Parametrit& p) {
        {
            std::lock_guard<std::mutex> l(m_);
            pyynnot_.push_back(polku + "?" + kysely(p));
        }
        if (polku == "/w/api.php") return api(p);
        const std::string yhteenveto = "/api/rest_v1/page/summary/";
        if (polku.rfind(yhteenveto, 0) == 0) return tiivistelma(polku.substr(yhteenveto.size()));
        return {404, "Not Found"};
    }

    // Every request so far, as "path?key=value&…" with decoded values.
    std::vector<std::string> pyynnot() {
        std::lock_guard<std::mutex> l(m_);
        return pyynnot_;
    }

    // Decodes %XX (and "+" as a blank in query values).
    static std::string pura(const std::string& s, bool plus_valilyonti) {
        std::string t;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
                std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
                t += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                t += plus_valilyonti && s[i] == '+' ? ' ' : s[i];
            }
        }
        return t;
    }

    // An address split into its decoded path and parameters.
    static std::pair<std::string, Parametrit> jaa_osoite(const std::string& url) {
        std::string s = url;
        if (const std::size_t k = s.find("://"); k != std::string::npos) s = s.substr(s.find('/', k + 3));
        const std::size_t q = s.find('?');
        Parametrit p;
        if (q != std::string::npos) {
            std::stringstream kysely(s.substr(q + 1));
            for (std::string pari; std::getline(kysely, pari, '&');) {
                const std::size_t y = pari.find('=');
                p[pura(pari.substr(0, y), true)] = y == std::string::npos ? "" : pura(pari.substr(y + 1), true);
            }
        }
        return {pura(s.substr(0, q), false), p};
    }

private:
    static std::string lue(const std::string& polku) {
        std::ifstream f(polku, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    static std::string kysely(const Parametrit& p) {
        std::string t;
        for (const auto& [k, v] : p) t += (t.empty() ? "" : "&") + k + "=" + v;
        return t;
    }

    static std::vector<std::string> jaa(const std::string& s) {
        std::vector<std::string> t;
        std::stringstream ss(s);
        for (std::string x; std::getline(ss, x, '|');) t.push_back(x);
        return t;
    }

    static std::string arvo(const Parametrit& p, const char* k) {
        const auto i = p.find(k);
        return i == p.end() ? std::string() : i->second;
    }

    static Palveluvastaus virhe(const std::string& koodi, const std::string& syy) {
        return {200, nlohmann::json{{"error", {{"code", koodi}, {"info", syy}, {"*", "See https://www.wikidata.org/w/api.php for API usage."}}},
                                    {"servedby", "mw-api-ext.eqiad.main-5d6f8b7c9-x2x4q"}}
                         .dump()};
    }

    Palveluvastaus api(const Parametrit& p) {
        if (arvo(p, "format") != "json") return {200, "<?xml version=\"1.0\"?><api/>"};
        const std::string toiminto = arvo(p, "action");
        if (toiminto == "wbsearchentities") return haku(p);
        if (toiminto == "wbgetentities") return kohteet(p);
        return virhe("badvalue", "Unrecognized value for parameter \"action\": " + toiminto + ".");
    }

    Palveluvastaus haku(const Parametrit& p) {
        std::string nimi;
        for (char c : arvo(p, "search")) nimi += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char c : nimi)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return {200, R"({"searchinfo":{"search":""},"search":[],"success":1})"};
        const std::string teksti = lue(kansio_ + "haku_" + arvo(p, "language") + "_" + nimi + ".json");
        if (!teksti.empty()) return {200, teksti};
        return {200, nlohmann::json{{"searchinfo", {{"search", arvo(p, "search")}}}, {"search", nlohmann::json::array()}, {"success", 1}}.dump()};
    }

    Palveluvastaus kohteet(const Parametrit& p) {
        const std::vector<std::string> ids = jaa(arvo(p, "ids"));
        if (ids.size() > 50)
            return virhe("toomanyvalues", "Too many values supplied for parameter \"ids\". The limit is 50.");
        std::vector<std::string> props = jaa(arvo(p, "props"));
        if (props.empty()) props = {"info", "sitelinks", "aliases", "labels", "descriptions", "claims", "datatype"};
        const std::vector<std::string> kielet = jaa(arvo(p, "languages"));
        const std::vector<std::string> sivustot = jaa(arvo(p, "sitefilter"));
        nlohmann::json e = nlohmann::json::object();
        for (const std::string& id : ids) {
            if (!kohteet_.contains(id)) {
                e[id] = {{"id", id}, {"missing", true}};
                continue;
            }
            const nlohmann::json& k = kohteet_[id];
            nlohmann::json v = {{"type", k["type"]}, {"id", id}};
            for (const std::string& osa : props) {
                if (osa == "info") {
                    for (const char* x : {"pageid", "ns", "title", "lastrevid", "modified"}) v[x] = k[x];
                } else if (osa == "labels" || osa == "descriptions" || osa == "aliases") {
                    v[osa] = nlohmann::json::object();
                    for (const auto& [kieli, arvo] : k[osa].items())
                        if (kielet.empty() || std::find(kielet.begin(), kielet.end(), kieli) != kielet.end()) v[osa][kieli] = arvo;
                } else if (osa == "sitelinks") {
                    v[osa] = nlohmann::json::object();
                    for (const auto& [sivusto, arvo] : k[osa].items())
                        if (sivustot.empty() || std::find(sivustot.begin(), sivustot.end(), sivusto) != sivustot.end())
                            v[osa][sivusto] = arvo;
                } else if (osa == "claims") {
                    v[osa] = k[osa];
                }
            }
            e[id] = v;
        }
        return {200, nlohmann::json{{"entities", e}, {"success", 1}}.dump()};
    }

    Palveluvastaus tiivistelma(const std::string& nimi) {
        const std::string teksti = nimi.find('/') == std::string::npos ? lue(kansio_ + "tiivistelmat/" + nimi + ".json") : "";
        if (!teksti.empty()) return {200, teksti};
        return {404, nlohmann::json{{"type", "https://mediawiki.org/wiki/HyperSwitch/errors/not_found"},
                                    {"title", "Not found."},
                                    {"method", "get"},
                                    {"detail", "Page or revision not found."},
                                    {"uri", "/fi.wikipedia.org/v1/page/summary/" + nimi}}
                         .dump()};
    }

    std::string kansio_;
    nlohmann::json kohteet_;
    std::mutex m_;
    std::vector<std::string> pyynnot_;
};
