#pragma once
// Moving in: movies from a spreadsheet list (CSV) or a Tellico collection appended to the open catalogue
// as a merge appends them. The file is read and every card made before the catalogue is touched, so a
// file that cannot be read leaves the catalogue as it was; what a row held that no field could take is
// kept in the card's comments and reported row by row.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "perus/tulos.h"
#include "storage/varasto.h"
#include "tuonti/csv.h"
#include "tuonti/kartta.h"
#include "tuonti/tellico.h"

enum class Tuontimuoto { Csv, Tellico };

struct Tuontihuomautus {
    int rivi = 0;  // the row of the list (the header is row 1) or the collection's entry; 0: the whole file
    std::string teksti;
};

// Cards made from a file, not yet in the catalogue.
struct Tuotavat {
    std::vector<std::unique_ptr<TKortti>> kortit;
    std::vector<int> rivit;           // the row or entry each card came from
    std::vector<std::string> kannet;  // each card's cover picture as the file holds it; empty: none
    std::vector<Tuontihuomautus> huomautukset;
    const char* rivisana = "Rivi";    // what the notes call a card's place in the file

    void huomauta(int rivi, std::string teksti) { huomautukset.push_back({rivi, std::move(teksti)}); }
};

inline constexpr std::uint64_t suurin_csv = 256ull << 20;

// By the name's ending (.csv, .txt; .tc, .xml), else by the first bytes (a zip or XML is a collection).
Tuontimuoto arvaa_muoto(Tiedostojarjestelma& t, const std::filesystem::path& p);

// A list file whole into memory; a file too big to be a list is refused with a message.
Tulos lue_csv_tiedosto(Tiedostojarjestelma& t, const std::filesystem::path& p, std::string& data);

// One card per row below the header; this program's own list (on_oma_otsikko) with its values exactly as
// written, any other through the field rules.
void tee_csv_kortit(const Csvtaulu& taulu, const Sarakekartta& kartta, Tuotavat& ulos);
// One card per entry of the collection.
void tee_tellico_kortit(const Tellicokokoelma& kokoelma, Tuotavat& ulos);

// The cards after the catalogue's last card, each cover written under gfx\kannet\ with a new name (JPEG and
// GIF as they are, PNG turned into JPEG); a cover that cannot be stored is reported and the card kept
// without it. Marks the catalogue changed. Returns the index of the first card added.
int lisaa_tuodut(Tuotavat& tuotavat, Varasto& v);

// The whole road for a named file: read, mapped (a list by its guess, changed by `kartta` in the form of
// muuta_karttaa), added. The catalogue is unchanged when this fails.
Tulos tuo_tiedosto(const std::filesystem::path& p, std::optional<Tuontimuoto> muoto, const std::string& kartta,
                   Varasto& v, Tuotavat& tuotavat);

// "12 elokuvaa tuotiin."
std::string tuonnin_yhteenveto(const Tuotavat& t);
// That and the notes, one line each ("Rivi 3: ..."), at most `enintaan` of them.
std::string tuontiraportti(const Tuotavat& t, std::size_t enintaan);
std::string huomautuksen_rivi(const Tuontihuomautus& h, const char* rivisana);
