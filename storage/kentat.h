#pragma once
// The card's text fields and its first additional field, each once: its member, its line in a card block of
// the body, the card view's control and label, the values its combo box offers, its sort key and search
// entry with their captions, what the reference lookup and the folding of duplicates do with it, and its
// column in the HTML list. The body reader and writer, the card view, sorting, searching, the reference
// lookup, merging, the old-format import and the HTML list read this table instead of keeping lists of
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

// What a reference card does to a field of the card it is taken into: nothing, always replaces it (when it
// has a value), or, while the whole catalogue is being updated, only fills it when empty. The first
// additional field is filled in either case only while it is empty under its default name (or none), and
// takes its name along.
enum class Viitekaytto : std::uint8_t { Ei, Korvaa, Tayttaa, TayttaaNimineen };

// What folding two cards of the same movie into one does to a field: nothing, keeps the longer text, or
// fills an empty field together with its name.
enum class Liitoskaytto : std::uint8_t { Ei, Pidempi, TayttaaNimineen };

// The name the first additional field goes under until the user renames it.
inline constexpr const char* lisatiedon_oletusnimi = "Käsikirjoitus:";

struct Kenttatieto {
    const char* nimi;                 // the member's name (the CSV list's column)
    Teksti TKortti::*jasen = nullptr;  // the member, or null for
    std::array<Teksti, 9> TKortti::*sarja = nullptr;  // a row of additional fields and the index in it
    std::uint8_t indeksi = 0;
    int runkorivi = 0;                // line of the field in a card block (1-based)
    const char* ohjain = nullptr;     // the card view's control; null when the field has no control of its own
    const char* otsikko = nullptr;    // the card view's label that names it; null when none
    int lajitteluavain = -1;          // the sort key; -1 when the field is not sorted by
    Lajittelu lajittelu = Lajittelu::Teksti;
    const char* lajitteluotsikko = nullptr;  // the sort window's entry for the key
    int hakuentry = -1;               // the entry of the search window's field list; -1 when not searched
    const char* hakuotsikko = nullptr;  // that entry's text
    Viitekaytto viite = Viitekaytto::Ei;
    bool viitteen_maara = false;      // counted in how much a card tells (the reference lookup compares it)
    Liitoskaytto liitos = Liitoskaytto::Ei;
    bool viiva_tyhjaksi = false;      // tidying turns a lone "-" into an empty field
    int vientisarake = -1;            // the column of the HTML list; -1 when not there
    const char* vientiotsikko = nullptr;  // that column's heading
    const char* vientivalinta = nullptr;  // the name the column is chosen by; null for the one always there

    Teksti& teksti(TKortti& k) const { return jasen ? k.*jasen : (k.*sarja)[indeksi]; }
    const Teksti& teksti(const TKortti& k) const { return jasen ? k.*jasen : (k.*sarja)[indeksi]; }
    // The name of an additional field, as the card holds it; null for plain members.
    Teksti* lisatiedon_nimi(TKortti& k) const { return jasen ? nullptr : &k.lisatieto_nimi[indeksi]; }
    const Teksti* lisatiedon_nimi(const TKortti& k) const { return jasen ? nullptr : &k.lisatieto_nimi[indeksi]; }
};

inline constexpr int kenttien_maara = 21;
// In body-line order: the text members and the first additional field.
extern const std::array<Kenttatieto, kenttien_maara> kentat;

// The fields that hold a place in an order of their own (the sort keys, the search entries), by that place.
template <std::size_t N>
std::array<const Kenttatieto*, N> kentat_paikoittain(int Kenttatieto::*paikka) {
    std::array<const Kenttatieto*, N> t{};
    for (const Kenttatieto& k : kentat)
        if (k.*paikka >= 0 && static_cast<std::size_t>(k.*paikka) < N) t[static_cast<std::size_t>(k.*paikka)] = &k;
    return t;
}

// Sets the first additional field under its default name, as the movie data sources and imports fill it.
void aseta_kasikirjoitus(TKortti& k, std::string_view arvo);

// The field of a body line of a card block; null for lines that are not fields of the table.
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
