#pragma once
// Layout of the cassette spine labels and top labels, in the pixels of the 600 dpi label bitmaps, and
// their places on the printer's page. Text widths come from the caller's font measurement, so the
// layout stays free of any drawing library.
#include <functional>
#include <string>
#include <vector>

#include "storage/kortti.h"

namespace tarrat {

inline constexpr int suunnittelu_dpi = 600;
inline constexpr int sivu_leveys = 3378;
inline constexpr int sivu_korkeus = 450;
inline constexpr int paalys_leveys = 1818;
inline constexpr int paalys_korkeus = 1110;
inline constexpr int paalyksia_arkilla = 12;
inline constexpr int paalys_sarakkeet = 3;
inline constexpr int sivutarran_nimia_enintaan = 10;

inline constexpr const char* rivin_alku = "Kasetti: ";

// The rows of the label window's cassette lists: "Kasetti: " + number for every distinct cassette number
// of cards that are not DVDs, in catalogue order.
std::vector<std::string> kasettirivit(const TOmaList& lista);
// The cassette number of a row: the text from character 10 on.
std::string rivin_kasetti(const std::string& rivi);

// The cards whose cassette number is exactly `kasetti`, in catalogue order.
std::vector<const TKortti*> kasetin_kortit(const TOmaList& lista, const std::string& kasetti);

// Sheets for c labels, rounded up; 0 for no labels.
int arkkeja(int tarroja, int arkilla);
// Captions of the two pages of the label window.
std::string sivutarrojen_otsikko(int tarroja, int arkilla, bool bittia16);
std::string paalystarrojen_otsikko(int tarroja, bool bittia16);

// Width in pixels of a text in a font of the given height (the height of its whole character cell).
using Leveys = std::function<int(const std::string& teksti, int korkeus, bool lihava)>;

// A text placed on a label: (x, y) is the top-left corner of its character cell.
struct Tarrateksti {
    std::string teksti;
    int x = 0;
    int y = 0;
    int korkeus = 0;
    bool lihava = true;
};

struct Sivutarra {
    std::vector<Tarrateksti> rivit;   // the movie names, in the bold fixed-pitch font
    std::vector<Tarrateksti> numero;  // the characters of the cassette number, in the vertical font
    std::vector<std::string> varoitukset;
};

// Movie names stand from x 560 and end inside the frame the templates draw near the right edge.
inline constexpr int nimien_x = 560;
inline constexpr int nimen_tila = sivu_leveys - nimien_x - 100;
// The smallest height a name is shrunk to (about 6 points).
inline constexpr int pienin_nimen_korkeus = 60;
inline constexpr const char* ellipsi = "\x85";  // "…" in cp1252

// The spine label of a cassette with these movie names (at most ten are used). A name too wide for the
// label is shrunk a little, then broken on two lines where its line has room for two, and what still does
// not fit ends in "…": every text stays inside the label.

Sivutarra sivutarran_asettelu(const std::vector<std::string>& nimet, const std::string& kasetti,
                              const Leveys& leveys);

// The height a line of a spine label of `rivit` lines has around its middle.
int sivutarran_rivin_tila(int rivit);
// A name at the height and weight its line was given, centred on `keskikohta`: as it is, shrunk, on two
// lines or cut with the ellipsis, so that it is at most nimen_tila wide.
std::vector<Tarrateksti> sovita_nimi(const std::string& teksti, int korkeus, bool lihava, int rivin_tila, int keskikohta,
                                     const Leveys& leveys);
// The text itself when it fits `tila`, else its longest beginning that fits with "…" after it.
std::string lyhenna(const std::string& teksti, int korkeus, bool lihava, int tila, const Leveys& leveys);

// Text of a movie on a top label: the name, without its English title (from the first "(") with
// remove_eng, followed by " (format)" in lower case with lisaa_nopeus.
std::string paalystarran_teksti(const TKortti& k, bool remove_eng, bool lisaa_nopeus);

// Rounding of a half to the even neighbour.
long long pyorista(double x);

// The font height all movies of a top label share: the largest at which every text fits 1818 - 135
// pixels, lowered to the cap of the movie count.
int paalystarran_korkeus(const std::vector<std::string>& tekstit, const Leveys& leveys);
// The texts of a top label at their places.
std::vector<Tarrateksti> paalystarran_asettelu(const std::vector<std::string>& tekstit, bool keskita,
                                               const Leveys& leveys);

// A rectangle on the printer's page in device units (right and bottom exclusive).
struct Paikka {
    int vasen = 0;
    int yla = 0;
    int oikea = 0;
    int ala = 0;
    int leveys() const { return oikea - vasen; }
    int korkeus() const { return ala - yla; }
    bool operator==(const Paikka&) const = default;
};

// Label p (1-based) of a sheet of spine labels, scaled from 600 dpi by the exact ratio of the resolution.
Paikka sivutarran_paikka(int p, int dpi_x, int dpi_y);
// The top label at column and row (from 0) of a landscape sheet.
Paikka paalystarran_paikka(int sarake, int rivi, int dpi_x, int dpi_y);

}  // namespace tarrat
