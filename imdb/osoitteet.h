#pragma once
// The servers the movie data comes from. Each base address has its historical default and is overridden
// by an environment variable, so tests and users behind a mirror can point it elsewhere.
#include <string>
#include <string_view>

// IMDb's web server: search and title pages (RULLAKKO_IMDB_URL).
std::string imdb_osoite();
// IMDb's poster server, named in the cover links of old title pages (RULLAKKO_POSTER_URL).
std::string juliste_osoite();
// The image server of the online shop that old title pages linked covers from (RULLAKKO_KAUPPA_URL).
std::string kauppakuva_osoite();
// IMDb's title-suggestion server of today (RULLAKKO_IMDB_HAKU_URL).
std::string ehdotus_osoite();
// Where the program's version news lives (RULLAKKO_PAIVITYS_URL).
std::string paivitys_osoite();
// Wikidata, whose action API answers at /w/api.php (RULLAKKO_WIKIDATA_URL).
std::string wikidata_osoite();
// The Finnish Wikipedia, whose page summaries answer at /api/rest_v1/page/summary/TITLE
// (RULLAKKO_WIKIPEDIA_URL).
std::string wikipedia_osoite();
// Wikimedia Commons, which serves the files that Wikidata items name (RULLAKKO_COMMONS_URL).
std::string commons_osoite();
// The program's home page.
inline constexpr const char* kotisivun_osoite = "http://www.rullakko.net/";

// The title page at the old address ("/Title?0133093") and at today's ("/title/tt0133093/").
std::string vanha_nimikesivu(std::string_view koodi);
std::string nykyinen_nimikesivu(std::string_view koodi);

// UTF-8 text as one component of an address: every byte outside the unreserved characters of RFC 3986
// (letters, digits, "-", ".", "_", "~") percent-encoded, "/" and "|" included.
std::string prosenttikoodattu(std::string_view utf8);
