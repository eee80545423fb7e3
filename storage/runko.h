#pragma once
// The catalogue body: a line-oriented cp1252 text, 54 value lines and a separator per card.
#include <functional>
#include <string>
#include <string_view>

#include "storage/kortti.h"

namespace diag { class Viestit; }

inline constexpr const char* runko_versiorivi = "Tietokanta tallennettu ohjelman versiolla=";
inline constexpr const char* runko_alkaa = "## Tietokanta alkaa tästä";
inline constexpr const char* kortin_erotin = "## Seuraava kortti";
inline constexpr int kortin_rivit_tiedostossa = 54;
inline constexpr int kortin_rivien_raja = 1000;

// Writes cards 1..Count()-1 in list order, every line ended with CR LF.
void kirjoita_runko(const TOmaList& lista, std::string& ulos, std::string_view versio = {});

struct RungonLuku {
    std::string tiedoston_nimi;  // for the log and the messages
    bool liitos = false;         // merge: a cover name already in the catalogue is dropped
    // With covers unpacked at open: tells whether a cover file exists; a missing one is stored empty.
    std::function<bool(const std::string& cover_fn)> kansi_olemassa;
};

enum class RungonTila { Luettu, Vahingoittunut };

// Reads the header and appends one card per card block. Damaged: a header line never came.
RungonTila lue_runko(std::string_view runko, TOmaList& lista, const RungonLuku& asetukset, diag::Viestit& viestit);

// The value of "key=value": the text after the first "=".
std::string eroita_arvo(std::string_view jono);

// A version text as a number whichever of "." and "," it uses as the decimal point; 0 when neither works.
double mkStr2Float(std::string_view str1, diag::Viestit& viestit);

// The integer at the start of a text: leading blanks skipped, digits up to the first other character.
int kokonaisluku_alusta(std::string_view s);
