#pragma once
// The card fields' rules for values that come from another program: a duration gets its unit, a year must
// be one, a cassette number must fit the card's cassette field. A value that does not fit stays whole in
// the card and the caller reports it; a value a yes/no or number field cannot hold is not placed.
#include <string>
#include <string_view>

#include "storage/sarakkeet.h"

struct Sijoitus {
    bool sijoitettu = true;   // false: the field cannot hold the value; the caller keeps it elsewhere
    std::string huomautus;    // why the value did not fit (Finnish, cp1252); empty when it fit
};

// The value into the card's column. With `muunna` the rules also tidy it (blanks around it, the unit of a
// bare duration, "1:30" as hours and minutes, a blank after the commas of the actors); without, the value
// is stored exactly as given and only checked (this program's own list, whose values are cards already).
Sijoitus aseta_tuotu_arvo(TKortti& k, const Sarake& s, std::string_view arvo, bool muunna = true);

// Why a value does not fit its column's rules; empty when it does (or the column has no rules).
std::string sopimattomuus(const Sarake& s, std::string_view arvo);

// Each text is one line of the catalogue file, so line breaks (from a spreadsheet cell) become blanks.
std::string yhdelle_riville(std::string_view s);

// A Tellico rating (1 to 5 stars) as the card's rating (0 to 10, half stars); empty when it is not one.
std::string tahdet_arvosanaksi(std::string_view tahdet);
