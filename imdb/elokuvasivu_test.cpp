// Whole title pages of both layouts read into a card, and the page kinds told apart by their content.
#include "imdb/elokuvasivu.h"

#include <gtest/gtest.h>

#include "imdb/leikkurit.h"
#include "perus/tiedostot.h"

namespace {

std::string fixture(const char* nimi) {
    std::string s;
    EXPECT_TRUE(lue_koko_tiedosto(std::string(RULLAKKO_SOURCE_DIR) + "/imdb/testdata/" + nimi, s)) << nimi;
    return s;
}

TEST(Elokuvasivu, VanhaAsetteluTayttaaKortin) {
    TKortti k;
    k.nimi = "Matriisi (Matrix)";
    k.vuosi = "2000";
    k.aani = "Hifi-Stereo";
    const Elokuvasivu s = lue_elokuvasivu(korjaa_rivinvaihdot(fixture("vanha_nimike.html")), k);
    EXPECT_EQ(s.kortti.nimi, "Matriisi (The Matrix)");
    EXPECT_EQ(s.kortti.vuosi, "1999");
    EXPECT_EQ(s.kortti.ohjaaja, "Lana Wachowski");  // the first director, " (I)" dropped
    EXPECT_EQ(s.kortti.lisatieto[0], "Lilly Wachowski, Matti Mäkelä");  // ends at the upper-case <BR> line
    EXPECT_EQ(s.kortti.lisatieto_nimi[0], "Käsikirjoitus:");
    EXPECT_EQ(s.kortti.luokitus, "Toiminta/Jännitys");
    EXPECT_EQ(s.kortti.arvosana, "8");
    EXPECT_EQ(s.tagline, "Free your mind.");
    EXPECT_EQ(s.kortti.juoni, "A computer hacker learns about the true nature of his reality.");
    EXPECT_EQ(s.kortti.paanayttelijat,
              "Keanu Reeves, Laurence Fishburne, Carrie-Anne Moss, Hugo Weaving, Gloria Foster, Joe Pantoliano");
    EXPECT_EQ(s.kortti.maa, "USA/Australia");
    EXPECT_EQ(s.kortti.vari, "Kyllä");
    EXPECT_EQ(s.aanilista, (std::vector<std::string>{"Dolby Digital", "DTS", "SDDS", "** Vapaa valinta:",
                                                     "Dolby Surround", "Hifi-Stereo", "Ei hifiraitaa"}));
    EXPECT_EQ(s.kestolista, (std::vector<std::string>{"136 min", "Argentina:140 min"}));
    EXPECT_EQ(s.cover_url, "http://posters.imdb.com/posters/0133093.jpg");  // the first cover link only
    EXPECT_EQ(s.imdb_koodi, "0133093");
    EXPECT_EQ(s.kortti.aani, "Hifi-Stereo");  // chosen on acceptance, not by the reading
    EXPECT_TRUE(s.viestit.empty());
}

TEST(Elokuvasivu, KommenttiEstaaTaglinenJaJuonen) {
    TKortti k;
    k.nakyma = 1;  // the memo shows the comments
    k.kommentti = "Oma kommentti";
    const Elokuvasivu s = lue_elokuvasivu(fixture("vanha_nimike.html"), k);
    EXPECT_EQ(s.kortti.kommentti, "Oma kommentti");
    EXPECT_EQ(s.tagline, "");
    EXPECT_EQ(s.kortti.juoni, "");
}

TEST(Elokuvasivu, PuuttuvatMerkitJattavatKentatJaListat) {
    TKortti k;
    k.nimi = "Oma";
    k.aani = "DTS";
    const std::string sivu =
        "<TITLE>Jokin (1980)</TITLE>\n"
        "Access Denied\n"
        "<B CLASS=\"blackcatheader\">Writing credits</B>\n"
        "<A>Eka</A>\n"
        "<br>\n"
        "<A>Toka</A>\n"
        "\n"
        "<B CLASS=\"blackcatheader\">Cast overview, first billed only</B>\n"
        "<TR><TD VALIGN=\"TOP\"> <A>Yksi</A></TD></TR>\n";
    const Elokuvasivu s = lue_elokuvasivu(sivu, k);
    EXPECT_EQ(s.kortti.nimi, "Oma (Jokin)");
    EXPECT_EQ(s.aanilista, alkuperainen_aanilista());
    EXPECT_EQ(s.kestolista, alkuperainen_kestolista());
    EXPECT_EQ(s.kortti.aani, "DTS");
    // A lower-case <br> does not end the writers; the empty line does.
    EXPECT_EQ(s.kortti.lisatieto[0], "Eka, , Toka");
    // Exactly six lines after the cast header, whatever they hold (here one actor and five missing lines).
    EXPECT_EQ(s.kortti.paanayttelijat, "Yksi, , , , , ");
    ASSERT_FALSE(s.viestit.empty());
    EXPECT_EQ(s.viestit[0], "Virhe: Pääsy evätty Internet Movie Databaseen!");
}

TEST(Elokuvasivu, JsonLdTayttaaSamatKentat) {
    TKortti k;
    k.nimi = "Matriisi (Matrix)";
    const std::string sivu = fixture("json_nimike.html");
    EXPECT_EQ(tunnista_sivu(sivu), Sivulaji::JsonNimike);
    const Elokuvasivu s = lue_elokuvasivu(sivu, k);
    EXPECT_EQ(s.kortti.nimi, "Matriisi (The Matrix)");
    EXPECT_EQ(s.kortti.vuosi, "1999");
    EXPECT_EQ(s.kortti.ohjaaja, "Lana Wachowski");
    EXPECT_EQ(s.kortti.lisatieto[0], "Lilly Wachowski, Lana Wachowski");  // Persons only, not the company
    EXPECT_EQ(s.kortti.luokitus, "Toiminta/Sci-Fi/Jännitys");
    EXPECT_EQ(s.kortti.arvosana, "8");  // 8.5 to the even neighbour
    EXPECT_EQ(s.kortti.paanayttelijat,
              "Keanu Reeves, Laurence Fishburne, Carrie-Anne Moss, Hugo Weaving, Gloria Foster, Joe Pantoliano");
    EXPECT_EQ(s.kortti.juoni,
              "When a beautiful stranger leads computer hacker Neo to a forbidding underworld, he discovers the "
              "shocking truth's & more: the life he knows is an elaborate deception.");
    EXPECT_EQ(s.cover_url, "https://m.media.example/images/M/matrix.jpg");
    EXPECT_EQ(s.kestolista, std::vector<std::string>{"136 min"});
    EXPECT_EQ(s.imdb_koodi, "0133093");
}

TEST(Elokuvasivu, JsonLdUtf8JaRikkinainenLohko) {
    TKortti k;
    const std::string sivu =
        "<script type=\"application/ld+json\">{ rikki </script>"
        "<script type=\"application/ld+json\">{\"@type\":\"Movie\",\"name\":\"Tuntematon sotilas\","
        "\"director\":{\"@type\":\"Person\",\"name\":\"Edvin Laine\"},\"genre\":\"War\","
        "\"description\":\"Jatkosota &#8211; ja \xC3\xA4\xC3\xA4ni\",\"url\":\"/title/tt12345678/\","
        "\"aggregateRating\":{\"ratingValue\":\"7.5\"}}</script>";
    const Elokuvasivu s = lue_elokuvasivu(sivu, k);
    EXPECT_EQ(s.kortti.nimi, "Tuntematon sotilas");
    EXPECT_EQ(s.kortti.ohjaaja, "Edvin Laine");
    EXPECT_EQ(s.kortti.luokitus, "War");
    EXPECT_EQ(s.kortti.juoni, "Jatkosota – ja ääni");
    EXPECT_EQ(s.kortti.arvosana, "8");
    EXPECT_EQ(s.imdb_koodi, "12345678");
}

TEST(Elokuvasivu, SivunLajiSisallosta) {
    EXPECT_EQ(tunnista_sivu(fixture("vanha_nimike.html")), Sivulaji::VanhaNimike);
    EXPECT_EQ(tunnista_sivu(fixture("vanha_haku.html")), Sivulaji::VanhaHaku);
    EXPECT_EQ(tunnista_sivu(fixture("ehdotukset.json")), Sivulaji::Ehdotukset);
    EXPECT_EQ(tunnista_sivu("<html><title>404 Not Found</title></html>"), Sivulaji::Tuntematon);
    EXPECT_EQ(tunnista_sivu("{\"virhe\":1}"), Sivulaji::Tuntematon);
}

TEST(Elokuvasivu, IsoKesto) {
    const std::pair<const char*, const char*> tapaukset[] = {
        {"PT3H1M", "181 min"}, {"PT2H", "120 min"}, {"PT95M", "95 min"}, {"PT1H30M15S", "90 min"},
        {"P1D", ""},           {"PT", ""},          {"PTxM", ""},        {"", ""}};
    for (const auto& [sisaan, ulos] : tapaukset) EXPECT_EQ(iso_kesto_minuuteiksi(sisaan), ulos) << sisaan;
}

}  // namespace
