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
std::string paivitys_osoite() { return perusosoite("RULLAKKO_PAIVITYS_URL", "http://www.rullakko.net"); }

std::string vanha_nimikesivu(std::string_view koodi) { return imdb_osoite() + "/Title?" + std::string(koodi); }
std::string nykyinen_nimikesivu(std::string_view koodi) {
    return imdb_osoite() + "/title/tt" + std::string(koodi) + "/";
}
