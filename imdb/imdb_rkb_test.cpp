// rkb imdb-page and imdb-search run on saved pages, as a script would run them.
#include <gtest/gtest.h>

#include <fstream>

#include "testituki/komentotesti.h"
#include "testituki/tiedoston_sisalto.h"
#include "testituki/tilapainen_kansio.h"

namespace {

const Rkb rkb;

std::string testdata(const char* nimi) { return testituki::testidata("imdb", nimi).string(); }

TEST(RkbImdb, SivuAvainArvoRiveina) {
    const auto t = rkb("imdb-page " + testdata("vanha_nimike.html") + " --name 'Matriisi (Matrix)'");
    EXPECT_EQ(t.koodi, 0);
    EXPECT_EQ(t.ulos,
              "nimi=Matriisi (The Matrix)\n"
              "vuosi=1999\n"
              "ohjaaja=Lana Wachowski\n"
              "kasikirjoitus=Lilly Wachowski, Matti M\xC3\xA4kel\xC3\xA4\n"
              "luokitus=Toiminta/J\xC3\xA4nnitys\n"
              "arvosana=8\n"
              "juoni=A computer hacker learns about the true nature of his reality.\n"
              "tagline=Free your mind.\n"
              "paanayttelijat=Keanu Reeves, Laurence Fishburne, Carrie-Anne Moss, Hugo Weaving, Gloria Foster, "
              "Joe Pantoliano\n"
              "maa=USA/Australia\n"
              "vari=Kyll\xC3\xA4\n"
              "aanilista=Dolby Digital|DTS|SDDS|** Vapaa valinta:|Dolby Surround|Hifi-Stereo|Ei hifiraitaa\n"
              "kestolista=136 min|Argentina:140 min\n"
              "cover_url=http://posters.imdb.com/posters/0133093.jpg\n"
              "imdb_koodi=0133093\n");
}

TEST(RkbImdb, LeikkurinVirheStderriinJaAjoJatkuu) {
    const testituki::Tilapainen_kansio k("rkb_imdb");
    const auto sivu = k.juuri() / "sivu.html";
    std::ofstream(sivu, std::ios::binary) << "<TITLE>X (1990)</TITLE>\nvotes)\n<B CLASS=\"ch\">Tagline no tags\n";
    const auto t = rkb("imdb-page " + sivu.string(), "2>&1 >/dev/null");
    EXPECT_EQ(t.koodi, 0);
    // A failed cut is a line of the debug log (standard error here), not a message that stops the user.
    EXPECT_EQ(t.ulos, "[imdb] virhe! eroita_tagline, K=0\n");
    EXPECT_EQ(rkb("imdb-page /ei/ole").koodi, 1);
}

TEST(RkbImdb, Hakulista) {
    const auto vanha = rkb("imdb-search " + testdata("vanha_haku.html"), "");
    EXPECT_EQ(vanha.koodi, 0);
    EXPECT_EQ(vanha.ulos,
              "-- SUOSITUIMMAT HAUT -------------------------------------\t\t\n"
              "Matrix, The (1999)\t0133093\t\n"
              "-- ELOKUVAT ----------------------------------------------\t\t\n"
              "Matrix Reloaded, The (2003)\t0234215\tMatrix 2\n"
              "Matrix Revolutions, The (2003)\t0242653\t\n"
              "-- TV-ELOKUVAT -------------------------------------------\t\t\n"
              "Matrix Recalibrated, The (2003) (TV)\t0390244\t\n");
    const auto nykyinen = rkb("imdb-search " + testdata("ehdotukset.json"), "");
    EXPECT_EQ(nykyinen.koodi, 0);
    EXPECT_NE(nykyinen.ulos.find("The Matrix (1999)\t0133093\t\n"), std::string::npos);
}

}  // namespace
