#include "storage/kortti.h"

#include <gtest/gtest.h>

TEST(Kortti, UusiKorttiOletusarvoin) {
    const TKortti k;
    EXPECT_EQ(k.rivit, 48);
    EXPECT_TRUE(k.hae_kansi);
    EXPECT_EQ(k.nakyma, 0);
    for (bool e : k.extra) EXPECT_FALSE(e);
    EXPECT_TRUE(k.nimi.empty());
    EXPECT_TRUE(k.cover_url.empty());
}

TEST(Kortti, KopioiKopioiKaikkiKentatMuttaEiRiveja) {
    TKortti a;
    a.nimi = "Alien";
    a.kommentti = "hyvä";
    a.lainassa = "Pekka 1.1.2020";
    for (std::size_t i = 0; i < 9; ++i) {
        a.lisatieto_nimi[i] = "nimi" + std::to_string(i);
        a.lisatieto[i] = "arvo" + std::to_string(i);
    }
    a.extra[9] = true;
    a.nakyma = 2;
    a.hae_kansi = false;
    a.rivit = 60;
    TKortti b;
    b.kopioi(a);
    EXPECT_EQ(b.nimi, "Alien");
    EXPECT_EQ(b.kommentti, "hyvä");
    EXPECT_EQ(b.lainassa, "Pekka 1.1.2020");
    EXPECT_EQ(b.lisatieto_nimi, a.lisatieto_nimi);
    EXPECT_EQ(b.lisatieto, a.lisatieto);
    EXPECT_TRUE(b.extra[9]);
    EXPECT_EQ(b.nakyma, 2);
    EXPECT_FALSE(b.hae_kansi);
    EXPECT_EQ(b.rivit, 48);
}

TEST(OmaList, TyhjennysJattaaVainNollakortin) {
    Tietokanta tk;
    for (int i = 0; i < 500; ++i) tk.kortit.lisaa_uusi().nimi = "x";
    tk.nykyinen = 321;
    tk.tyhjenna();
    ASSERT_EQ(tk.kortit.Count(), 1);
    EXPECT_EQ(tk.kortit.korttien_maara(), 0);
    EXPECT_EQ(tk.nykyinen, 1);
    EXPECT_EQ(tk.kortit[0].nimi, "Tämän kortin ei pitäisi näkyä missään");
    EXPECT_EQ(tk.kortit[0].kasetilla, "##");
    EXPECT_EQ(tk.kortit[0].sijainti, "##");
}

TEST(OmaList, NollakorttiTunnetaanIdentiteetista) {
    TOmaList l;
    TKortti& huijari = l.lisaa_uusi();
    huijari.nimi = nollakortin_nimi;
    huijari.kasetilla = huijari.sijainti = "##";
    EXPECT_TRUE(l.on_nollakortti(&l[0]));
    EXPECT_FALSE(l.on_nollakortti(&huijari));
    l.vaihda(0, 1);
    EXPECT_TRUE(l.on_nollakortti(&l[1]));
    EXPECT_FALSE(l.on_nollakortti(&l[0]));
}
