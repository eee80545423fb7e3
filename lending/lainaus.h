#pragma once
// Loans: a loan is the text "borrower, Lainattu: date" in the `lainassa` field of every card of the lent
// cassette. Lending, returning, the loan list and the loan dates live here, without windows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

namespace diag { class Viestit; }

// More entries than this in one request are refused before anything changes.
inline constexpr int lainauksia_enintaan = 50;

struct Paiva {
    int vuosi = 1899;
    int kuukausi = 12;
    int paiva = 30;  // day 0 of the date system: a date that cannot be read counts as very old
    bool operator==(const Paiva&) const = default;
};

Paiva tanaan();
// "d.M.yyyy", the short date form the program writes.
std::string paiva_tekstiksi(const Paiva& p);
// Reads "d.M.yyyy", "dd.MM.yyyy", "d.M.yy" (years 30..99 in the 1900s, else in the 2000s) and "yyyy-MM-dd".
std::optional<Paiva> lue_paiva(std::string_view teksti);

// Borrower + ", Lainattu: " + date.
std::string lainausteksti(const std::string& lainaaja, const std::string& paiva);
// The text before the last comma (the whole text when there is none).
std::string lainaajan_nimi(const std::string& lainassa);
// The text after the last ": "; empty when there is none or the text is shorter than 3 characters.
std::string lainauspaiva(const std::string& lainassa);

// Lends (lainaaja not empty) or returns (empty) the cassettes and titles of `kasetit`, which comes back
// without blanks and without a final comma, as the edit then shows it. Entries not found are reported one
// by one. False (nothing changed) when more than lainauksia_enintaan entries were given.
bool lainaa_kasetit(TOmaList& lista, std::string& kasetit, const std::string& lainaaja, const std::string& paiva,
                    diag::Viestit& viestit);
// Every loan whose text contains `lainaaja` (ASCII case ignored) is returned; the count of cards returned.
int palauta_lainaajalta(TOmaList& lista, const std::string& lainaaja);
void palauta_kaikki(TOmaList& lista);

// "Nro: " + cassette + ", Lainaaja: " + loan text, one per distinct text, in catalogue order.
std::vector<std::string> lainalista(const TOmaList& lista);
// The cassette number of a loan list entry: from its 6th character up to its first comma.
std::string lainarivin_kasetti(const std::string& rivi);
// The borrower of a loan list entry: after the first "ainaaja: " up to the next comma.
std::string lainarivin_lainaaja(const std::string& rivi);
// The cassette numbers of the selected entries joined by ", ".
std::string valitut_kasetit(const std::vector<std::string>& rivit);

// Days a loan has run by the program's rule: years × 365 + months × 30 + days.
int lainapaivia(const Paiva& lainattu, const Paiva& tanaan);

struct Myohassa {
    std::string lainaaja;
    int paivia = 0;
};
// Borrowers whose loans are older than `paivia`, each once with the day count of their first overdue card
// in catalogue order.
std::vector<Myohassa> myohastyneet(const TOmaList& lista, int paivia, const Paiva& tanaan);
// The question asked about one overdue borrower.
std::string myohastymiskysymys(const Myohassa& m);

// The loan dates of a borrower's cards, "a", "a ja b" or "a, b ja c"; "joku päivä" when shorter than 7.
std::string lainauspaivat(const TOmaList& lista, const std::string& lainaaja);
// The number of distinct cassettes lent to the borrower, as text.
std::string lainattujen_maara(const TOmaList& lista, const std::string& lainaaja);

// A reminder made from a template text: line 1 the subject, the rest the body with its placeholders.
struct Muistutus {
    std::string otsikko;
    std::vector<std::string> rivit;
};
struct Muistutustiedot {
    std::string ohjelma;  // the program's title
    std::string mina;     // the user's name
};
Muistutus tee_muistutus(std::string_view pohja, const TOmaList& lista, const std::string& lainaaja,
                        const Muistutustiedot& tiedot);
