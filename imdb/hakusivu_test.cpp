// The hit list of both search kinds, the query of a card's name and the row limit.
#include "imdb/hakusivu.h"

#include <gtest/gtest.h>

#include "perus/tiedostot.h"
#include "testituki/tiedoston_sisalto.h"

namespace {

std::string fixture(const char* nimi) { return testituki::testitiedosto("imdb", nimi); }

TEST(Hakusivu, HakusanaJaKysely) {
    const std::pair<const char*, const char*> tapaukset[] = {
        {"Tuntematon sotilas", "Tuntematon+sotilas"},
        {"Alien – kahdeksas matkustaja (Alien)", "Alien"},
        {"Pimeä tähti (Dark Star)", "Dark+Star"},
        {"Tyhjät sulut ()", "Tyhjät+sulut+()"},
        {"Kaksi (A) (B C)", "B+C"},
    };
    for (const auto& [nimi, kysely] : tapaukset) EXPECT_EQ(hakulauseke(hakusana_nimesta(nimi)), kysely) << nimi;
}

TEST(Hakusivu, VanhaTulossivuOtsakkeineen) {
    const Hakutulokset h = lue_hakutulokset(siivoa_hakusivu(fixture("vanha_haku.html")));
    EXPECT_EQ(h.rivit, (std::vector<std::string>{suosituimmat_otsake, "Matrix, The (1999)", elokuvat_otsake,
                                                 "Matrix Reloaded, The (2003)", "Matrix Revolutions, The (2003)",
                                                 tv_elokuvat_otsake, "Matrix Recalibrated, The (2003) (TV)"}));
    EXPECT_EQ(h.koodit, (std::vector<std::string>{"", "0133093", "", "0234215", "0242653", "", "0390244"}));
    EXPECT_EQ(h.akat[3], "Matrix 2");
    EXPECT_EQ(ensimmainen_nimike(h), 1);
    EXPECT_FALSE(h.liian_monta);
    EXPECT_FALSE(h.nykyinen);
}

TEST(Hakusivu, RivirajaPitaaEnsimmaisetRivit) {
    std::string sivu = "<H2><A NAME=\"mov\">Movies</A></H2>\n";
    for (int i = 0; i < 700; ++i) sivu += "<LI><A HREF=\"/Title?" + std::to_string(1000000 + i) + "\">Elokuva " + std::to_string(i) + "</A>\n";
    const Hakutulokset h = lue_hakutulokset(siivoa_hakusivu(sivu));
    EXPECT_TRUE(h.liian_monta);
    ASSERT_EQ(h.rivit.size(), 601u);  // the header and hits up to row 600
    EXPECT_EQ(h.rivit[600], "Elokuva 599");
    EXPECT_EQ(h.koodit[599], "1000598");
    EXPECT_EQ(h.viestit, Leikkausviestit{"Liian monta elokuvaa löytyi, takenna hakua!"});
}

TEST(Hakusivu, SivuIlmanOsumia) {
    const Hakutulokset h = lue_hakutulokset(siivoa_hakusivu("<TITLE>IMDb title search</TITLE>\nNo matches.\n"));
    EXPECT_TRUE(h.rivit.empty());
    EXPECT_EQ(ensimmainen_nimike(h), -1);
}

TEST(Hakusivu, NykyisetEhdotukset) {
    const Hakutulokset h = lue_ehdotukset(fixture("ehdotukset.json"));
    EXPECT_TRUE(h.nykyinen);
    EXPECT_EQ(h.rivit, (std::vector<std::string>{elokuvat_otsake, "The Matrix (1999)", "The Matrix Resurrections (2021)",
                                                 tv_elokuvat_otsake, "Matrix (1993)"}));
    EXPECT_EQ(h.koodit, (std::vector<std::string>{"", "0133093", "10838180", "", "0106062"}));
    EXPECT_TRUE(lue_ehdotukset("ei jsonia").rivit.empty());
    EXPECT_TRUE(lue_ehdotukset("{\"d\":[]}").rivit.empty());
}

TEST(Hakusivu, EhdotusosoiteKoodattuna) {
    const std::string osoite = ehdotusosoite("Pimeä tähti");
    EXPECT_NE(osoite.find("/suggestion/p/pime%C3%A4%20t%C3%A4hti.json"), std::string::npos) << osoite;
    EXPECT_NE(ehdotusosoite("#1").find("/suggestion/x/%231.json"), std::string::npos);
}

}  // namespace

// Found by fuzzing: with both sections full, the second header went past the row limit.
TEST(Hakusivu, EhdotuksetPysyvatRivirajassa) {
    std::string json = "{\"d\":[";
    for (int i = 0; i < 700; ++i)
        json += (i ? "," : "") + std::string("{\"id\":\"tt") + std::to_string(1000000 + i) + "\",\"l\":\"x\",\"qid\":\"" +
                (i % 2 ? "tvMovie" : "movie") + "\"}";
    json += "]}";
    const Hakutulokset h = lue_ehdotukset(json);
    EXPECT_EQ(static_cast<int>(h.rivit.size()), hakurivien_raja + 1);
    EXPECT_EQ(h.rivit.size(), h.koodit.size());
    EXPECT_TRUE(h.liian_monta);
}

// Found by fuzzing: a line at the row limit that opens two sections and names a title went past the limit.
TEST(Hakusivu, VanhaSivuPysyyRivirajassaRivinSisalla) {
    std::vector<std::string> rivit(hakurivien_raja - 1, "<A HREF=\"/Title?0133093\">X (1999)</A>");
    rivit.push_back("Most popular Movies HREF=/Title?0133093 Y");
    const Hakutulokset h = lue_hakutulokset(rivit);
    EXPECT_EQ(static_cast<int>(h.rivit.size()), hakurivien_raja + 1);
    EXPECT_EQ(h.rivit.size(), h.koodit.size());
    EXPECT_TRUE(h.liian_monta);
}
