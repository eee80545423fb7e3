#pragma once
// The rules of the card view's right-hand area, text area and rating stars, without the window.
#include <string>

// The four views of the right-hand area, in the order of the view menu.
enum class Nakyma { ListaJaInfo = 0, Lista = 1, Info = 2, Kansi = 3 };

// Automatic mode: the cover when the cassette holds this one movie and the card has a cover.
Nakyma automaattinen_nakyma(int muiden_elokuvien_rivit, bool kansi);

// The rating 0..10 as the stars show it: any text that is not a whole number counts as 0.
int arvosana_luku(const std::string& arvosana);
// How many pixel columns of the stars picture come from the lit stars for a rating.
int tahtien_leikkaus(int arvosana);
// The rating set by a press on the stars at x.
int arvosana_kohdasta(int x);

// The text area grows when its text is longer than this, on mouse-over.
inline constexpr std::size_t suurennuksen_raja = 135;
inline constexpr std::size_t vierityspalkin_raja = 320;
inline bool suurenna_tekstialue(const std::string& teksti) { return teksti.size() > suurennuksen_raja; }

// Heights in the list-and-info view: the other-movies grid's height from its rows and the last filled row
// k of the extra-fields grid.
int muiden_elokuvien_korkeus(int rivit, int k);

// Softens the small cover in place: for rows 1..h-3 and every colour byte but those of the first and last
// pixel of a row, the average of itself and the same byte left, right, above and below (24-bit rows with
// the given stride).
void pehmenna(unsigned char* kuva, int leveys, int korkeus, int rivin_pituus);

// Lowers every colour byte above 40 by 40 (the dimmed background while a dialog is open).
void himmenna(unsigned char* tavut, std::size_t maara);

