#pragma once
// The rows of the movie list window over the catalogue, without the window: the whole catalogue (row i is
// card i) or the cards a list search found. Rows are numbered from 1, as the window's header is row 0.
// Nothing is copied from the cards; a row's text is read from its card when it is shown.
#include <string>
#include <string_view>
#include <vector>

#include "storage/kortti.h"

inline constexpr int listan_sarakkeita = 4;
// The header texts of columns 0..3.
extern const char* const listan_otsikot[listan_sarakkeita];

class Elokuvalista {
public:
    explicit Elokuvalista(const TOmaList& lista) : lista_(lista) { tee_lista(); }

    // The whole catalogue.
    void tee_lista();
    // The cards of a list search, in the order given.
    void aseta_hakutulos(std::vector<int> indeksit);
    bool hakutulos() const { return hakutulos_; }

    // Rows 1..rivit(); the window's row count is this plus the header.
    int rivit() const { return rivit_; }
    // The card of a row; 0 when the row is outside the list or its card no longer exists.
    int kortti(int rivi) const;
    // The row showing a card; 0 when the card is not listed.
    int rivi(int kortti) const;
    // Column 0 cassette, 1 position, 2 the title with " (Lainassa)" for a lent card, 3 genre.
    std::string solu(int rivi, int sarake) const;

    // After cards were added, deleted or reordered: the whole list is built again; search results keep
    // the cards that still exist, each at its new index.
    void kortit_muuttuivat();

    // The first row whose title starts with the text (lower case, as pienet_kirjaimet makes it); 0 when
    // none or the text is empty.
    int pikahaku(std::string_view pienet) const;
    // The first row after `valittu` with the text in any of its four columns; 0 when none or empty text.
    int etsi_listasta(int valittu, std::string_view teksti) const;

    // "Lista [n korttia listassa]", with " Pikaetsi: " and the quick-search text while there is one.
    std::string otsikko(std::string_view pikahaku) const;

private:
    const TOmaList& lista_;
    bool hakutulos_ = false;
    int rivit_ = 0;
    std::vector<int> indeksit_;          // search results: the card of each row
    std::vector<const TKortti*> kortit_;  // and the card itself, to find it again after a change
};

// Where the list scrolls when row r is selected: the new top row. Rows 1..rivit; the mini list shows a few
// more rows than the full one.
int listan_ylarivi(int r, int rivit, bool mini);

// The sort key of a header column (cassette, position, title, genre); -1 for any other column.
int sarakkeen_avain(int sarake);

// The quick-search text typed into the list: letters, Ä, Ö, blanks and digits add to it, any other key
// empties it; five timer ticks (2.5 s) after the last key it is emptied.
class Pikahaku {
public:
    // A typed character (cp1252). True when it was Enter (the window closes; the search still runs).
    bool nappain(char c);
    // One 500 ms tick; true when the text was just emptied.
    bool tikki();
    void tyhjenna() {
        teksti_.clear();
        tikit_ = 0;
    }
    // The text in lower case.
    const std::string& teksti() const { return teksti_; }

private:
    std::string teksti_;
    int tikit_ = 0;
};
