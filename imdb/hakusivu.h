#pragma once
// The hit list of a title search: the old result page (reduced first, then read line by line) or today's
// title suggestions. Rows are shown as they are; header rows have no title number.
#include <string>
#include <string_view>
#include <vector>

#include "imdb/leikkurit.h"

inline constexpr int hakurivien_raja = 600;  // rows 0..600 can be filled, then the list stops

struct Hakutulokset {
    std::vector<std::string> rivit;
    std::vector<std::string> koodit;  // title number of each row; empty for a header row
    std::vector<std::string> akat;    // the row's other title, empty if none
    bool liian_monta = false;         // the list stopped at the row limit
    bool nykyinen = false;            // rows from today's search: their title pages live at today's address
    bool yksi_nimike = false;         // the search answered with one title's page: its only row is that title
    Leikkausviestit viestit;
};

inline constexpr const char* suosituimmat_otsake = "-- SUOSITUIMMAT HAUT -------------------------------------";
inline constexpr const char* elokuvat_otsake = "-- ELOKUVAT ----------------------------------------------";
inline constexpr const char* tv_elokuvat_otsake = "-- TV-ELOKUVAT -------------------------------------------";

// The query of a search term: every blank becomes "+", the rest is sent as typed.
std::string hakulauseke(std::string_view hakusana);
// The search term of a card's name: the text inside its last parentheses, else the whole name.
std::string hakusana_nimesta(std::string_view nimi);

// The sections of an old result page that hold hits, one cleaned line each.
std::vector<std::string> siivoa_hakusivu(std::string_view sivu);
// The hit list from the lines of a reduced page.
Hakutulokset lue_hakutulokset(const std::vector<std::string>& rivit);

// Today's title suggestions: the address for a query, and the hit list from its JSON answer.
std::string ehdotusosoite(std::string_view hakusana);
Hakutulokset lue_ehdotukset(std::string_view json_teksti);

// The row to select after a search: the first title row; -1 when there is none.
int ensimmainen_nimike(const Hakutulokset& h);
