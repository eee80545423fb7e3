#pragma once
// A movie's values out of an IMDb title page: the marker lines of the old page layout, or the schema.org
// JSON-LD block that today's pages carry. The page kind is told by content, never by address.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imdb/leikkurit.h"
#include "storage/kortti.h"

enum class Sivulaji {
    Tuntematon,
    VanhaHaku,     // the old title search's result page
    Ehdotukset,    // today's title suggestions (JSON)
    VanhaNimike,   // a title page of the old layout
    JsonNimike,    // a title page with a JSON-LD Movie
};
Sivulaji tunnista_sivu(std::string_view sivu);

// The JSON-LD object of type Movie on a page, as UTF-8 JSON text; empty when there is none.
std::string json_ld_elokuva(std::string_view sivu);

struct Elokuvasivu {
    TKortti kortti;                       // the card as given, with the page's values written in
    std::vector<std::string> aanilista;   // sound-track choices, the first one selected
    std::vector<std::string> kestolista;  // running-time choices, the first one selected
    std::string cover_url;                // the first cover address of the page
    std::string imdb_koodi;               // the page's title number
    std::string tagline;
    Leikkausviestit viestit;              // notes for the user (access denied); failed cuts go to the debug log
};

// The memo the card view shows: the plot on the plot page, the comments on the comments page.
Teksti& muistio(TKortti& k);

// Reads a title page (either layout) as if `kortti` were the current card.
Elokuvasivu lue_elokuvasivu(std::string_view sivu, const TKortti& kortti);

// What accepting the choose view writes into the card besides the shown values: the running time of the
// chosen row when it has digits, the chosen sound track when it is not empty, and the page's title number.
void hyvaksy_valinnat(TKortti& k, std::string_view kesto, std::string_view aani, std::string_view imdb_koodi);

// "PT3H1M" -> "181 min"; empty for anything else.
std::string iso_kesto_minuuteiksi(std::string_view kesto);
// HTML character references (named ones of the common kind and numeric ones) in UTF-8 text decoded.
std::string pura_html_viitteet(std::string_view utf8);
