#pragma once
// Every value a card holds, once, as a named column: the columns of the catalogue's CSV list, in the order
// of a card block in the body. Writing a list and reading one back both go through this table, so a list
// the program writes reads back into the same cards.
#include <string>
#include <string_view>
#include <vector>

#include "storage/kentat.h"

struct Sarake {
    std::string nimi;         // the header of the column: the field's name, "lisatieto3_nimi", "extra5", …
    const Runkorivi* rivi;    // the body line the column stands for
};

// Lines 1..51 of a card block; the repeats kept for older versions are not columns.
const std::vector<Sarake>& sarakkeet();

// The column of a header name, exactly as sarakkeet() names it; null for other names.
const Sarake* sarake_nimelta(std::string_view nimi);

// The column of a text member of the card, for the places that name one field (its header follows the
// table); null for a member that is no column.
const Sarake* sarake_jasenesta(Teksti TKortti::*jasen);

// A column's value as the card holds it (cp1252): text as it is, an extra or the cover switch as TRUE or
// FALSE, the view as a number.
std::string sarakkeen_arvo(const TKortti& k, const Sarake& s);

// Puts a value into a card's column. TRUE/FALSE columns take "TRUE" (any case) as true and anything else as
// false; the view takes the leading number, 0 when none.
void aseta_sarakkeen_arvo(TKortti& k, const Sarake& s, std::string_view arvo);
