#include "imdb/osoitteet.h"

#include <cstdlib>

namespace {

// The base without a trailing slash, so paths can be appended as "/Title?…".
std::string perusosoite(const char* muuttuja, const char* oletus) {
    std::string s = oletus;
    if (const char* e = std::getenv(muuttuja); e && *e) s = e;
    while (!s.empty() && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace

std::string imdb_osoite() { return perusosoite("RULLAKKO_IMDB_URL", "http://www.imdb.com"); }
std::string juliste_osoite() { return perusosoite("RULLAKKO_POSTER_URL", "http://posters.imdb.com"); }
std::string kauppakuva_osoite() { return perusosoite("RULLAKKO_KAUPPA_URL", "http://images.amazon.com"); }
std::string ehdotus_osoite() { return perusosoite("RULLAKKO_IMDB_HAKU_URL", "https://v3.sg.media-imdb.com"); }
std::string wikidata_osoite() { return perusosoite("RULLAKKO_WIKIDATA_URL", "https://www.wikidata.org"); }
std::string wikipedia_osoite() { return perusosoite("RULLAKKO_WIKIPEDIA_URL", "https://fi.wikipedia.org"); }
std::string commons_osoite() { return perusosoite("RULLAKKO_COMMONS_URL", "https://commons.wikimedia.org"); }
std::string paivitys_osoite() { return perusosoite("RULLAKKO_PAIVITYS_URL", "http://www.rullakko.net"); }

std::string vanha_nimikesivu(std::string_view koodi) { return imdb_osoite() + "/Title?" + std::string(koodi); }
std::string nykyinen_nimikesivu(std::string_view koodi) {
    return imdb_osoite() + "/title/tt" + std::string(koodi) + "/";
}

std::string prosenttikoodattu(std::string_view utf8) {
    static const char* heksa = "0123456789ABCDEF";
    std::string t;
    t.reserve(utf8.size());
    for (unsigned char c : utf8) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            t += static_cast<char>(c);
        } else {
            t += '%';
            t += heksa[c >> 4];
            t += heksa[c & 15];
        }
    }
    return t;
}
