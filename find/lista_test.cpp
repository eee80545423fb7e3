#include "find/lista.h"

#include <gtest/gtest.h>

#include "find/haku.h"

namespace {

Tietokanta elokuvat(std::initializer_list<const char*> nimet) {
    Tietokanta tk;
    int kasetti = 0;
    for (const char* nimi : nimet) {
        TKortti& k = tk.kortit.lisaa_uusi();
        k.nimi = nimi;
        k.kasetilla = std::to_string(++kasetti);
        k.sijainti = "1";
        k.luokitus = "Draama";
    }
    return tk;
}

TEST(ListanYlarivi, ValittuRiviNakyyJaLoppuTayttaaIkkunan) {
    struct Tapaus {
        int r, rivit;
        bool mini;
        int ylin;
    };
    const Tapaus tapaukset[] = {
        {3, 100, false, 1},    // near the top: the list starts at row 1
        {95, 100, false, 74},  // near the end: the last rows fill the window
        {95, 100, true, 72},   // the mini list shows more rows
        {50, 100, false, 36},  // in the middle: 14 rows above the selected one
        {100, 100, false, 74},
        {5, 10, false, 1},     // a short list never scrolls below row 1
        {15, 20, true, 1},
    };
    for (const Tapaus& t : tapaukset)
        EXPECT_EQ(listan_ylarivi(t.r, t.rivit, t.mini), t.ylin) << t.r << "/" << t.rivit << (t.mini ? " mini" : "");
}

TEST(Elokuvalista, RivitJaSolutKortiltaJaOtsikko) {
    Tietokanta tk = elokuvat({"Alien"});
    tk.kortit[1].lainassa = "Pekka";
    Elokuvalista l(tk.kortit);
    EXPECT_EQ(l.rivit(), 1);
    EXPECT_EQ(l.otsikko(""), "Lista [1 korttia listassa]");
    EXPECT_EQ(l.otsikko("al"), "Lista [1 korttia listassa] Pikaetsi: al");
    EXPECT_EQ(l.solu(1, 0), "1");
    EXPECT_EQ(l.solu(1, 1), "1");
    EXPECT_EQ(l.solu(1, 2), "Alien (Lainassa)");
    EXPECT_EQ(l.solu(1, 3), "Draama");
    // The text is read from the card when shown, so an edit shows without a rebuild.
    tk.kortit[1].nimi = "Aliens";
    tk.kortit[1].lainassa.clear();
    EXPECT_EQ(l.solu(1, 2), "Aliens");
    // Rows outside the list have no card.
    EXPECT_EQ(l.kortti(0), 0);
    EXPECT_EQ(l.kortti(2), 0);
    EXPECT_EQ(l.solu(2, 2), "");
}

TEST(Elokuvalista, HakutulosSailyyJarjestyksenJaPoistonYli) {
    Tietokanta tk = elokuvat({"Alien", "Matrix", "Aliens", "Terminator", "Alien 3"});
    Elokuvalista l(tk.kortit);
    l.aseta_hakutulos({1, 3, 5});
    ASSERT_TRUE(l.hakutulos());
    EXPECT_EQ(l.rivit(), 3);
    EXPECT_EQ(l.kortti(2), 3);
    EXPECT_EQ(l.rivi(5), 3);
    EXPECT_EQ(l.rivi(2), 0);

    // Card 3 ("Aliens") goes, then the rest are reversed: the results follow their cards.
    tk.kortit.poista(3);
    ASSERT_EQ(l.kortti(3), 0);  // a row whose index is past the end is no card, never a crash
    std::reverse(tk.kortit.sisus().begin() + 1, tk.kortit.sisus().end());
    l.kortit_muuttuivat();
    EXPECT_TRUE(l.hakutulos());
    ASSERT_EQ(l.rivit(), 2);
    EXPECT_EQ(l.solu(1, 2), "Alien");
    EXPECT_EQ(l.solu(2, 2), "Alien 3");
    EXPECT_EQ(l.kortti(1), 4);
    EXPECT_EQ(l.kortti(2), 1);

    l.tee_lista();
    EXPECT_FALSE(l.hakutulos());
    EXPECT_EQ(l.rivit(), 4);
}

TEST(Elokuvalista, PikahakuJaEtsiListasta) {
    Tietokanta tk = elokuvat({"Zorro", "matrix", "Mad Max", "Alien", "Äiti"});
    tk.kortit[3].lainassa = "Pekka";
    tk.kortit[4].luokitus = "Kauhu";
    Elokuvalista l(tk.kortit);
    EXPECT_EQ(l.pikahaku("ma"), 2);          // 'matrix' before 'Mad Max'
    EXPECT_EQ(l.pikahaku("mad"), 3);         // a lent card is found by its title
    EXPECT_EQ(l.pikahaku("mad max (l"), 3);  // and the suffix is part of the row's title
    EXPECT_EQ(l.pikahaku("\xE4iti"), 5);     // 'äiti' finds 'Äiti'
    EXPECT_EQ(l.pikahaku(""), 0);
    EXPECT_EQ(l.pikahaku("x"), 0);

    EXPECT_EQ(l.etsi_listasta(0, "kauhu"), 4);  // genre column
    EXPECT_EQ(l.etsi_listasta(0, "lainassa"), 3);
    EXPECT_EQ(l.etsi_listasta(0, "5"), 5);      // cassette column
    EXPECT_EQ(l.etsi_listasta(2, "max"), 3);    // starts after the selected row
    EXPECT_EQ(l.etsi_listasta(3, "max"), 0);    // and does not wrap
    EXPECT_EQ(l.etsi_listasta(0, ""), 0);
}

TEST(Pikahaku, NappaimetJaAjastin) {
    Pikahaku p;
    for (char c : std::string("Ma")) p.nappain(c);
    EXPECT_EQ(p.teksti(), "ma");
    p.nappain(' ');
    p.nappain('2');
    p.nappain('\xC4');  // Ä
    p.nappain('\xF6');  // ö
    EXPECT_EQ(p.teksti(), "ma 2\xE4\xF6");
    EXPECT_TRUE(p.nappain('\r'));  // Enter closes the window but keeps the text
    EXPECT_EQ(p.teksti(), "ma 2\xE4\xF6");
    p.nappain('\b');  // any other key empties it
    EXPECT_EQ(p.teksti(), "");

    // Four ticks after a key keep the text; the fifth empties it. A key starts the count again.
    p.nappain('m');
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(p.tikki());
    p.nappain('a');
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(p.tikki());
    EXPECT_EQ(p.teksti(), "ma");
    EXPECT_TRUE(p.tikki());
    EXPECT_EQ(p.teksti(), "");
    p.nappain('t');
    EXPECT_EQ(p.teksti(), "t");
}

}  // namespace
