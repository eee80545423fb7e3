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

// Cards come from shared blocks: many freed in a scattered order and made again keep every card's own
// contents, and a list emptied and filled again works from the blocks that are left.
TEST(Korttimuisti, VapautetutPaikatKaytetaanUudelleenSotkematta) {
    TOmaList l;
    for (int i = 1; i <= 20000; ++i) l.lisaa_uusi().nimi = "k" + std::to_string(i);
    for (int i = l.Count() - 1; i >= 1; i -= 3) l.poista(i);
    std::vector<std::string> odotettu;
    for (int i = 1; i < l.Count(); ++i) odotettu.push_back(std::string(l[i].nimi));
    for (int i = 0; i < 10000; ++i) {
        TKortti& k = l.lisaa_uusi();
        k.nimi = "uusi " + std::to_string(i);
        k.extra[9] = true;
        odotettu.push_back(std::string(k.nimi));
    }
    ASSERT_EQ(static_cast<std::size_t>(l.korttien_maara()), odotettu.size());
    for (int i = 1; i < l.Count(); ++i) ASSERT_EQ(l[i].nimi, odotettu[static_cast<std::size_t>(i - 1)]);
    for (int kierros = 0; kierros < 3; ++kierros) {
        l.tyhjenna();
        for (int i = 1; i <= 5000; ++i) l.lisaa_uusi().nimi = std::to_string(kierros * 10000 + i);
        EXPECT_EQ(l[5000].nimi, std::to_string(kierros * 10000 + 5000));
        EXPECT_FALSE(l[1].extra[9]);
    }
    auto kopio = std::make_unique<TKortti>(l[3]);
    l.tyhjenna();
    EXPECT_EQ(kopio->nimi, "20003");
}
