// Whole title pages of both layouts read into a card, and the page kinds told apart by their content.
#include "imdb/elokuvasivu.h"

#include <gtest/gtest.h>

#include "imdb/hakusivu.h"
#include "imdb/leikkurit.h"
#include "perus/tiedostot.h"
#include "testituki/tiedoston_sisalto.h"

namespace {

std::string fixture(const char* nimi) { return testituki::testitiedosto("imdb", nimi); }

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

// A page of 2005: values on the line after their markers, the whole cast on one line, writers between
// lower-case <br> lines, the number in today's address form and the rating in lower-case tags.
TEST(Elokuvasivu, Vuoden2005AsetteluArvotSeuraavallaRivilla) {
    TKortti k;
    k.nimi = "Troy";
    k.maa = "Oma maa";
    const Elokuvasivu s = lue_elokuvasivu(fixture("vanha_nimike_2005.html"), k);
    EXPECT_EQ(tunnista_sivu(fixture("vanha_nimike_2005.html")), Sivulaji::VanhaNimike);
    EXPECT_EQ(s.kortti.nimi, "Troy");  // the name already is the title: not "Troy (Troy)"
    EXPECT_EQ(s.kortti.vuosi, "2004");
    EXPECT_EQ(s.kortti.ohjaaja, "Wolfgang Petersen");
    EXPECT_EQ(s.kortti.lisatieto[0], "David Benioff, Homer");
    EXPECT_EQ(s.kortti.luokitus, "Toiminta/Draama/War");
    EXPECT_EQ(s.kortti.arvosana, "7");
    EXPECT_EQ(s.tagline, "For passion. For honor. For destiny. For victory. For eternity.");
    EXPECT_EQ(s.kortti.juoni,
              "An adaptation of Homer's great epic, the film follows the assault on Troy by the united Greek forces.");
    EXPECT_EQ(s.kortti.paanayttelijat, "Brad Pitt, Eric Bana, Orlando Bloom, Diane Kruger, Brian Cox, Sean Bean");
    EXPECT_EQ(s.kortti.maa, "USA/Malta/UK");
    EXPECT_EQ(s.kortti.vari, "Kyllä");
    EXPECT_EQ(s.aanilista, (std::vector<std::string>{"Dolby Digital", "DTS", "SDDS", "** Vapaa valinta:",
                                                     "Dolby Surround", "Hifi-Stereo", "Ei hifiraitaa"}));
    EXPECT_EQ(s.kestolista, (std::vector<std::string>{"163 min", "USA:196 min (director's cut)"}));
    EXPECT_EQ(s.cover_url, "http://posters.imdb.com/posters/0332452.jpg");
    EXPECT_EQ(s.imdb_koodi, "0332452");
    EXPECT_TRUE(s.viestit.empty());  // nothing for the user to click away
    for (const std::string kentta : {std::string(s.kortti.nimi), std::string(s.kortti.ohjaaja),
                                     std::string(s.kortti.lisatieto[0]), std::string(s.kortti.luokitus),
                                     std::string(s.kortti.juoni), std::string(s.kortti.paanayttelijat),
                                     std::string(s.kortti.maa)})
        EXPECT_EQ(kentta.find_first_of("<>"), std::string::npos) << kentta;
}

// Markers whose values cannot be found leave the fields as they were.
TEST(Elokuvasivu, LoytymatonArvoJattaaKentan) {
    TKortti k;
    k.nimi = "Oma";
    k.luokitus = "Draama";
    k.maa = "Suomi";
    k.ohjaaja = "Oma ohjaaja";
    k.paanayttelijat = "Omat";
    k.lisatieto[0] = "Omat kirjoittajat";
    const std::string sivu =
        "<title>Jokin (1980)</title>\n"
        "<b class=\"blackcatheader\">Directed by</b><br>\n\n"
        "<b class=\"blackcatheader\">Writing credits</b><br>\n\n"
        "<b class=\"ch\">Genre:</b>\n\n"
        "<b class=\"ch\">Country:</b>\n<br><br>\n"
        "<table><tr><td class=\"blackcatheader\">Cast overview, first billed only:</td></tr></table>\n";
    const Elokuvasivu s = lue_elokuvasivu(sivu, k);
    EXPECT_EQ(s.kortti.nimi, "Oma (Jokin)");
    EXPECT_EQ(s.kortti.luokitus, "Draama");
    EXPECT_EQ(s.kortti.maa, "Suomi");
    EXPECT_EQ(s.kortti.ohjaaja, "Oma ohjaaja");
    EXPECT_EQ(s.kortti.paanayttelijat, "Omat");
    EXPECT_EQ(s.kortti.lisatieto[0], "Omat kirjoittajat");
}

TEST(Elokuvasivu, JsonLdMaaOhjaajatJaVainHenkilotNayttelijoina) {
    const std::string sivu =
        "<script type=\"application/ld+json\">{\"@type\":\"Movie\",\"name\":\"Troy\",\"url\":"
        "\"https://www.imdb.com/title/tt0332452/\",\"contentRating\":\"R\",\"countryOfOrigin\":[{\"@type\":"
        "\"Country\",\"name\":\"Finland\"},{\"@type\":\"Country\",\"name\":\"Sweden\"}],\"director\":[{\"@type\":"
        "\"Person\",\"name\":\"A\"},{\"@type\":\"Person\",\"name\":\"B\"}],\"actor\":[{\"@type\":\"Rating\","
        "\"name\":\"R\"},{\"@type\":\"Person\",\"name\":\"Brad Pitt\"},\"Eric Bana\"]}</script>";
    TKortti k;
    k.nimi = "Troija (Troy)";
    const Elokuvasivu s = lue_elokuvasivu(sivu, k);
    EXPECT_EQ(s.kortti.nimi, "Troija (Troy)");
    EXPECT_EQ(s.kortti.maa, "Suomi/Ruotsi");
    EXPECT_EQ(s.kortti.ohjaaja, "A, B");
    EXPECT_EQ(s.kortti.paanayttelijat, "Brad Pitt, Eric Bana");
    EXPECT_EQ(s.imdb_koodi, "0332452");  // not the "tt" inside "https"
}

// Nesting far beyond any real page is refused before it is read, so nothing walks it; a record within
// the limit beside such a block is still found.
TEST(Elokuvasivu, SyvaSisakkaisyysEiKaada) {
    const std::string syva = std::string(200000, '[') + std::string(200000, ']');
    const std::string sivu = "<script type=\"application/ld+json\">[" + syva +
                             "]</script><script type=\"application/ld+json\">{\"@type\":\"Movie\",\"name\":\"Syva\","
                             "\"genre\":" + std::string(40, '[') + "\"]\"" + std::string(40, ']') + "}</script>";
    const Elokuvasivu s = lue_elokuvasivu(sivu, TKortti{});
    EXPECT_EQ(s.kortti.nimi, "Syva");
    const std::string ehdotus = "{\"d\":" + syva + "}";
    EXPECT_EQ(tunnista_sivu(ehdotus), Sivulaji::Tuntematon);
    EXPECT_TRUE(lue_ehdotukset(ehdotus).rivit.empty());
    EXPECT_TRUE(json_ld_elokuva("<script type=\"application/ld+json\">" + syva + "</script>").empty());
}

TEST(Elokuvasivu, HyvaksyntaKirjoittaaValinnatJaNumeron) {
    TKortti k;
    k.kesto = "90 min";
    k.aani = "Hifi-Stereo";
    k.imdb_koodi = "0000001";
    hyvaksy_valinnat(k, "", "", "");
    EXPECT_EQ(k.kesto, "90 min");
    EXPECT_EQ(k.aani, "Hifi-Stereo");
    EXPECT_EQ(k.imdb_koodi, "0000001");
    hyvaksy_valinnat(k, "Argentina:140 min", "DTS", "12345678");
    EXPECT_EQ(k.kesto, "140 min");
    EXPECT_EQ(k.aani, "DTS");
    EXPECT_EQ(k.imdb_koodi, "12345678");
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
        "<A HREF=\"/Name?Eka\">Eka</A>\n"
        "<br>\n"
        "<A HREF=\"/Name?Toka\">Toka</A>\n"
        "\n"
        "<A HREF=\"/Name?Kolmas\">Kolmas</A>\n"
        "<B CLASS=\"blackcatheader\">Cast overview, first billed only</B>\n"
        "<TR><TD VALIGN=\"TOP\"> <A HREF=\"/Name?Yksi\">Yksi</A></TD></TR>\n"
        "<TR><TD VALIGN=\"TOP\"> <A HREF=\"/Sections/Ratings/R\">MPAA</A></TD></TR>\n";
    const Elokuvasivu s = lue_elokuvasivu(sivu, k);
    EXPECT_EQ(s.kortti.nimi, "Oma (Jokin)");
    EXPECT_EQ(s.aanilista, alkuperainen_aanilista());
    EXPECT_EQ(s.kestolista, alkuperainen_kestolista());
    EXPECT_EQ(s.kortti.aani, "DTS");
    // A lower-case <br> does not end the writers and adds no empty name; the empty line ends them.
    EXPECT_EQ(s.kortti.lisatieto[0], "Eka, Toka");
    // Only people are actors: a line without a person, or a missing line, adds nothing.
    EXPECT_EQ(s.kortti.paanayttelijat, "Yksi");
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
    EXPECT_EQ(s.kortti.ohjaaja, "Lana Wachowski, Lilly Wachowski");  // every director
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
