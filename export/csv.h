#pragma once
// The catalogue as a CSV list for spreadsheets and other catalogue programs, and the list the import reads
// back: UTF-8 with a byte order mark, comma separated, a field holding a comma, a quote, CR or LF in
// quotes with its quotes doubled, rows ending in CR LF. The first row names the columns of sarakkeet() in
// their order; then one row a card (not the placeholder), every value as sarakkeen_arvo gives it, turned
// into UTF-8, line breaks kept.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "perus/tiedostojarjestelma.h"
#include "perus/tulos.h"
#include "storage/kortti.h"

inline constexpr std::string_view csv_tavujarjestysmerkki = "\xEF\xBB\xBF";

// One field as it stands in a row: quoted and its quotes doubled when it holds a comma, a quote, CR or LF.
std::string csv_kentta(std::string_view utf8);

// The whole list in pieces, in order; the pieces together are the file.
void kirjoita_csv(const TOmaList& lista, const std::function<void(std::string_view)>& kirjoita);

// Writes the list over `kohde` atomically; a failure leaves an existing file as it was.
Tulos vie_csv(Tiedostojarjestelma& t, const TOmaList& lista, const std::filesystem::path& kohde);
