#pragma once
// Lists from spreadsheets and from this program's own CSV export: the text's encoding and separator found,
// RFC 4180 quoting, line breaks inside quoted values. Every cell comes out as cp1252, the program's text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tulos.h"

enum class Csvmerkisto { Utf8, Cp1252 };

struct Csvtaulu {
    // Row 0 is the header. Each row's number is its place in the file as a spreadsheet counts it (the
    // header is row 1), which a line count would miss when a value holds line breaks.
    std::vector<std::vector<std::string>> rivit;
    std::vector<int> rivinumerot;
    // Numbers of the rows where a character that cp1252 cannot hold became '?'.
    std::vector<int> korvatut;
    Csvmerkisto merkisto = Csvmerkisto::Utf8;
    char erotin = ',';
};

// UTF-8 when the text starts with its byte-order mark or its non-ASCII bytes are all valid UTF-8;
// otherwise Windows-1252.
Csvmerkisto tunnista_merkisto(std::string_view data);
// The separator of the header (the first line that is not empty): a semicolon when it has more semicolons than commas outside quotes
// (spreadsheets with a Finnish locale write them), otherwise a comma.
char tunnista_erotin(std::string_view data);

// The whole text into rows; the encoding and separator are found unless given. Fails with a Finnish
// message for text that is not a list (NUL bytes, a quote left open, no header).
Tulos lue_csv(std::string_view data, Csvtaulu& ulos, std::optional<Csvmerkisto> merkisto = std::nullopt,
              std::optional<char> erotin = std::nullopt);
