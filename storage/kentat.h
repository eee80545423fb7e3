#pragma once
// The card's text fields, each once: its member, its line in a card block of the body, the card view's
// control and label, its sort key and the values its combo box offers. The body reader and writer, the
// card view and every window that walks a card's fields read this table instead of keeping lists of
// their own.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

// How a field sorts: as text in code order, by its leading number, in the cassette-number order or as a
// duration in minutes.
enum class Lajittelu { Teksti, Luku, Kasetti, Kesto };

struct Kenttatieto {
    const char* nimi;                 // the member's name
    Teksti TKortti::*jasen;
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

// What a line of a card block in the body holds.
enum class Rivilaji : std::uint8_t {
    Teksti,       // a text field as it is
    Kansi,        // the cover's file name: dropped when the cover is missing or, in a merge, taken
    Kansiosoite,  // the cover's address: dropped when it names the program's own cover folder
    Extra,        // TRUE or FALSE of one DVD extra
    Nakyma,       // the card's view, a number
    HaeKansi,     // TRUE or FALSE; an empty line follows whether the card has an IMDb number
    Toisto,       // a field written once more for older versions; ignored when read
};

struct Runkorivi {
    Rivilaji laji;
    Teksti TKortti::*jasen = nullptr;                 // the text field of the line, or
    std::array<Teksti, 9> TKortti::*sarja = nullptr;  // a row of them (additional names and values)
    std::uint8_t indeksi = 0;                         // the index in that row, or the extra's number
    bool yksi_rivi = false;   // line ends inside the text are written as spaces
    const char* oletus = nullptr;  // read in place of an empty line or the old placeholder "[Ei määritelty?]:"

    Teksti* teksti(TKortti& k) const { return jasen ? &(k.*jasen) : sarja ? &(k.*sarja)[indeksi] : nullptr; }
    const Teksti* teksti(const TKortti& k) const {
        return jasen ? &(k.*jasen) : sarja ? &(k.*sarja)[indeksi] : nullptr;
    }
};

// Every value line of a card block in order: line n of the block is runkorivit[n - 1].
inline constexpr int runkorivien_maara = 54;
extern const std::array<Runkorivi, runkorivien_maara> runkorivit;
