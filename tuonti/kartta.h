#pragma once
// Which card field each column of an imported list goes to: guessed from the header names (Finnish and
// English), changed by the user in the mapping step or with rkb's --map.
#include <string>
#include <string_view>
#include <vector>

#include "perus/tulos.h"
#include "storage/sarakkeet.h"

// One target per column of the file; null: the column goes to the comments field with its header, so
// nothing in the file is lost.
using Sarakekartta = std::vector<const Sarake*>;

// Whether the header is exactly this program's own list (the column names of sarakkeet(), in order): such
// a file is read column for column, so a list the program wrote reads back into the same cards.
bool on_oma_otsikko(const std::vector<std::string>& otsikko);

// The guess for every header name; a field guessed for two columns goes to the first of them.
Sarakekartta arvaa_kartta(const std::vector<std::string>& otsikko);

// The field a header name stands for, or null.
const Sarake* arvaa_sarake(std::string_view otsikko);

// How the mapping step names a target column ("Elokuvan nimi", "Tuotantovuosi"); the column name for the
// columns without a label of their own. Null gives the comments choice.
std::string kohteen_nimi(const Sarake* s);
inline constexpr const char* kommentteihin = "Kommentteihin (otsikon kanssa)";

// "Otsikko=sarake,Otsikko2=sarake2" on top of a guess: each header name named (exactly) gets the column of
// that name, or the comments for "-". Fails with a Finnish message for an unknown header or column.
Tulos muuta_karttaa(Sarakekartta& kartta, const std::vector<std::string>& otsikko, std::string_view maaritys);
