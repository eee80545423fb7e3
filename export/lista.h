#pragma once
// The movie list as plain fixed-column text and as an HTML page, and the page layout of the printed list.
// Texts are cp1252; the lines of the written files end in CR LF.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tiedostojarjestelma.h"
#include "perus/tulos.h"
#include "storage/kortti.h"

// One fixed-column line of a card: number column of 10, name column of at most 53 and at least two blanks,
// genre from column 56, sound track from column 81.
std::string listarivi(const TKortti& k);

// The whole text list: four header lines and one listarivi per card. `paivays` is today's date as the
// system writes it briefly.
std::string tee_tekstilista(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto);

inline constexpr const char* tiedosto_olemassa_viesti = "Valitsemasi tiedoston nimi on jo olemassa, keskeytetään";

// The character set of the written text list: the catalogue's own, or UTF-8 (without a byte order mark)
// for programs of today.
enum class Listan_merkisto { Cp1252, Utf8 };

// Whether an existing file is replaced (the user has said yes to it) or refused.
enum class Olemassaoleva { Kieltaydy, Korvaa };

// Writes the text list into a file, whole or not at all. An existing file is refused with
// tiedosto_olemassa_viesti and left as it was, or replaced in one step when the user agreed.
Tulos kirjoita_lista(Tiedostojarjestelma& t, const std::filesystem::path& nimi, const TOmaList& lista,
                     const std::string& paivays, const std::string& tiedosto, Listan_merkisto merkisto = Listan_merkisto::Cp1252,
                     Olemassaoleva olemassa = Olemassaoleva::Kieltaydy);

// The columns and tag attributes of the HTML list, with the dialog's defaults.
struct Html_asetukset {
    bool lisaa_nro = true;
    bool lisaa_paaos = false;
    bool lisaa_vuosi = true;
    bool lisaa_luokitus = true;
    bool lisaa_kesto = true;
    bool lisaa_formaatti = true;
    bool lisaa_aaniraita = true;
    bool lisaa_arvosana = true;
    std::string table = "cellspacing=\"2\" cellpadding=\"5\" border=\"0\"";
    std::string td = "bgColor=\"#091584\"";
    std::string td_kasnum = "bgColor=\"#0A2695\"";
    std::string td_sarakkeet = "bgColor=\"#0C38B8\"";
};

// Sets the columns from a comma-separated list of names (nro, paaos, vuosi, luokitus, kesto, formaatti,
// aaniraita, arvosana); every other column off. False, naming the unknown word, for a name not in the list.
bool valitse_html_sarakkeet(Html_asetukset& a, const std::string& lista, std::string& tuntematon);

// The IMDb title address that a title number is appended to (RULLAKKO_IMDB overrides the server).
std::string imdb_nimiosoite();

// Card text for an HTML page: & < > " as entities, control characters other than tabs and line ends left out.
std::string html_suojaa(const std::string& teksti);

// The HTML page. Cards without a rating get the rating "0" (as they always have); the heading row is the
// first table row.
std::string tee_html_lista(TOmaList& lista, const Html_asetukset& a);

// The same handed to `kirjoita` in pieces as it is made; false once a piece could not be written.
bool kirjoita_html_lista(TOmaList& lista, const Html_asetukset& a, const std::function<bool(std::string_view)>& kirjoita);

// Writes the HTML page over any existing file, atomically: a failure leaves the old file whole.
Tulos kirjoita_html_lista(Tiedostojarjestelma& t, const std::filesystem::path& nimi, TOmaList& lista,
                         const Html_asetukset& a);

// One text of the printed list at its place in the printer's device units.
struct Tulostusrivi {
    int x = 0;
    int y = 0;
    std::string teksti;
};

inline constexpr int listan_rivit_sivulla = 62;
inline constexpr int listan_fontin_korkeus = 15;
// The list's device units are those of a 300 dpi page; a line takes 50 of them (12 points).
inline constexpr int listan_yksikot_tuumalla = 300;
inline constexpr int listan_rivivali = 50;
// Below this the list is hard to read on paper.
inline constexpr double listan_pienin_fontti = 8.0;

// The printed list, page by page: the headings and card lines of every page and, when fewer than
// (rivit_sivulla - 7) lines stand on the last page, the two credit lines below its last line. An empty
// catalogue gives one page with the credit lines only.
std::vector<std::vector<Tulostusrivi>> listan_sivut(const TOmaList& lista, const std::string& paivays,
                                                     const std::string& tiedosto,
                                                     int rivit_sivulla = listan_rivit_sivulla);
// The lowest device unit the list's pages reach (text included), to fit pages on short printable areas.
int listan_korkeus(const std::vector<std::vector<Tulostusrivi>>& sivut, int fontin_korkeus = listan_fontin_korkeus);
// The characters of the longest text of the pages.
int listan_leveimman_rivin_merkit(const std::vector<std::vector<Tulostusrivi>>& sivut);

// How the printed list sits on paper: the orientation, the size of its fixed-pitch font and the lines a
// page holds. The font fills the printable width with the longest line, within the line spacing and never
// below listan_pienin_fontti; a list too wide for that in portrait turns the page, and what still does not
// fit is cut at the page's edge.
struct Listan_asu {
    bool vaaka = false;
    double pisteet = listan_pienin_fontti;
    int rivit_sivulla = listan_rivit_sivulla;
};
// The font's advance of a character and the height of its line for a size of one point, in points.
struct Fontin_mitat {
    double merkin_leveys = 0.6;
    double rivin_korkeus = 1.133;
};
// `leveys` and `korkeus`: the printable area of a portrait page in points. `vaaka`: the orientation when
// the user has chosen one.
Listan_asu valitse_listan_asu(int merkkeja, const Fontin_mitat& mitat, double leveys, double korkeus,
                              std::optional<bool> vaaka = std::nullopt);
