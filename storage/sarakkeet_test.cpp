#include "storage/sarakkeet.h"

#include <gtest/gtest.h>

#include <set>

TEST(Sarakkeet, JokainenArvoKerranJaTakaisinSamaksi) {
    std::set<std::string> nimet;
    for (const Sarake& s : sarakkeet()) EXPECT_TRUE(nimet.insert(s.nimi).second) << s.nimi;
    EXPECT_EQ(sarakkeet().size(), 51u);
    EXPECT_EQ(sarakkeet().front().nimi, "nimi");
    EXPECT_NE(sarake_nimelta("lisatieto1_nimi"), nullptr);
    EXPECT_NE(sarake_nimelta("extra9"), nullptr);
    EXPECT_EQ(sarake_nimelta("extra0"), nullptr);

    TKortti a;
    a.nimi = "Tuntematon sotilas (1955)";
    a.juoni = "rivi\r\ntoinen \"lainaus\"";
    a.lisatieto_nimi[8] = "Säveltäjä:";
    a.lisatieto[8] = "Ahti Sonninen";
    a.extra[3] = true;
    a.nakyma = 2;
    a.hae_kansi = false;
    a.cover_url = "http://x/y.jpg";
    TKortti b;
    for (const Sarake& s : sarakkeet()) aseta_sarakkeen_arvo(b, s, sarakkeen_arvo(a, s));
    for (const Sarake& s : sarakkeet()) EXPECT_EQ(sarakkeen_arvo(b, s), sarakkeen_arvo(a, s)) << s.nimi;
    EXPECT_EQ(sarakkeen_arvo(a, *sarake_nimelta("extra3")), "TRUE");
    EXPECT_EQ(sarakkeen_arvo(a, *sarake_nimelta("nakyma")), "2");
}

// Places that name one field by its member get the column the field table names for it.
TEST(Sarakkeet, JasenenSarakeTaulukonNimella) {
    for (const Kenttatieto& t : kentat) {
        if (t.jasen) {
            EXPECT_EQ(sarake_jasenesta(t.jasen)->nimi, t.nimi);
        }
    }
    EXPECT_EQ(sarake_jasenesta(&TKortti::cover_fn)->nimi, "cover_fn");
    EXPECT_EQ(sarake_jasenesta(&TKortti::cover_url)->nimi, "cover_url");
}
