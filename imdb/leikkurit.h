#pragma once
// The cutters that take one value out of one line of an IMDb page. Each is a pure function of its text
// (cp1252); a cutter that fails appends its message to `viestit` and returns what it could cut.
#include <string>
#include <string_view>
#include <vector>

using Leikkausviestit = std::vector<std::string>;

// Every occurrence of `mita` (ASCII letters without regard to case) replaced by `milla`, left to right;
// replaced text is not searched again.
std::string korvaa_kaikki(std::string_view teksti, std::string_view mita, std::string_view milla);
// Blanks and tabs off both ends.
std::string trimmaa(std::string_view teksti);

// Lines of a page: CR LF, LF and a lone CR each end a line.
std::vector<std::string> jaa_rivit(std::string_view sivu);
// LF becomes CR LF; a CR LF already there stays as it is (so no empty line is added between lines).
std::string korjaa_rivinvaihdot(std::string_view sivu);

// Characters outside "<" … ">"; then at most ten trailing blanks dropped.
std::string poista_tagit(std::string_view rivi);
// Three-digit character references decoded (codes up to 255), then the suffixes " (I)" … " (VI)" removed.
std::string korjaa_merkit(std::string_view rivi);
// A result-page line without its list and heading tags, through korjaa_merkit.
std::string siivoa_rivi(std::string_view rivi);

// The person between the first ">" and the next "<", without "(more)".
std::string Eroita_ohjaaja_tai_kasik(std::string_view rivi, Leikkausviestit& viestit);

struct Otsikko {
    std::string nimi;
    std::string vuosi;  // empty when the title holds no four-digit number
};
// "Matrix, The" -> "The Matrix" after the year in parentheses is dropped.
std::string kaanna_nimi(std::string_view t);
// The last four-digit number of the text, searched from the end; empty when there is none.
std::string eroita_vuosi(std::string_view t);
// The card's own name in front, the page's title in parentheses: Matriisi (Matrix) -> Matriisi (The Matrix).
std::string yhdista_nimi(std::string_view nykyinen_nimi, std::string_view englanniksi);
Otsikko eroita_otsikko(std::string_view rivi, std::string_view nykyinen_nimi);

// Genre names of the page in Finnish, one name at a time (the JSON path) or a whole "A/B" text.
std::string kaanna_luokitus(std::string_view luokitus);
std::string eroita_luokitus(std::string_view rivi);
std::string eroita_maa(std::string_view rivi);
// Country names of the page in Finnish where the program knows them ("Finland/Sweden" -> "Suomi/Ruotsi").
std::string kaanna_maa(std::string_view maa);
// A rating as a whole number, halves to the even neighbour; empty when the line holds no rating.
std::string pyorista_arvosana(double arvo);
std::string eroita_arvosana(std::string_view rivi, Leikkausviestit& viestit);
std::string eroita_tagline(std::string_view rivi, Leikkausviestit& viestit);
std::string eroita_plot(std::string_view rivi, std::string_view tagline, Leikkausviestit& viestit);
std::string eroita_kansi_url(std::string_view rivi);
// Only the digits, with " min" when there were any: "Argentina:140 min" -> "140 min".
std::string vain_numerot(std::string_view rivi);

// The sound-track choices of the choose view before a page is read, and from a "Sound Mix" line.
std::vector<std::string> alkuperainen_aanilista();
std::vector<std::string> tee_aanilista(std::string_view rivi);
std::vector<std::string> alkuperainen_kestolista();
std::vector<std::string> tee_kestolista(std::string_view rivi);

// The title number in a text: after "/Title?" (the old address), after "/title/tt" (today's) or after a
// "tt" that starts a number, all its digits (today's titles have 8). A text that is only digits is the
// number itself; anything else gives an empty text.
std::string imdb_numero(std::string_view teksti);

// Cutters of a search result line: <A HREF="/Title?0133093">Matrix, The (1999)</A> …
std::string eroita_nimi(std::string_view rivi, Leikkausviestit& viestit);
std::string eroita_koodi(std::string_view rivi);
std::string eroita_aka(std::string_view rivi);
