#pragma once
// The card's text fields, each once: its member, its line in a card block of the body, the card view's
// control and label, its sort key and the values its combo box offers. The body reader and writer, the
// card view and every window that walks a card's fields read this table instead of keeping lists of
// their own.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

// How a field sorts: as text in code order, by its leading number, in the cassette-number order or as a
// duration in minutes.
enum class Lajittelu { Teksti, Luku, Kasetti, Kesto };

struct Kenttatieto {
    const char* nimi;                 // the member's name
    std::string TKortti::*jasen;
    int runkorivi;                    // line of the field in a card block (1-based)
    const char* ohjain;               // the card view's control; null when the field has no control of its own
    const char* otsikko;              // the card view's label that names it; null when none
    int lajitteluavain;               // the sort key; -1 when the field is not sorted by
    Lajittelu lajittelu = Lajittelu::Teksti;
};

// In body-line order.
extern const std::array<Kenttatieto, 20> kentat;

// The field of a body line of a card block; null for lines that are not plain text fields.
const Kenttatieto* kentta_rivilta(int runkorivi);
// The field shown in a control of the card view; null for other names.
const Kenttatieto* kentta_ohjaimesta(std::string_view ohjain);

// A label's caption in the card view. "Vuosi" reads "Tuotantov. :" as the window is built and
// "Tuotantov.:" once Ctrl has been pressed and released; both are as users have always seen them.
const char* kentan_otsikko_teksti(std::string_view otsikko);

// The values a combo box of the card view offers (the user may type any other text).
const std::vector<const char*>& kentan_valinnat(std::string_view ohjain);
