#include "mainwindow/tilastot.h"

#include <gtest/gtest.h>

namespace {

struct Kortti {
    const char* kansi;
    const char* imdb;
    const char* url;
    bool hae_kansi;
};

TEST(Tilastorivit, LuvutEivatKoskaanNegatiivisia) {
    struct Tapaus {
        const char* nimi;
        std::vector<Kortti> kortit;
        std::vector<std::string> rivit;
    };
    const Tapaus tapaukset[] = {
        {"pelkkä nollakortti",
         {},
         {"Tietokannan versio: 1.36", "Kortteja tietokannassa: 0", "Kansikuvia tietokannassa: 0",
          "IMDB yhteensopivia kortteja: 0", "0 kortilla on kansikuvan url", "0 korttia odottaa kansikuvan haku yritystä",
          "0 kortille voitaisiin yrittää hakea kansikuva"}},
        {"kansi joka kortilla, IMDb:tä ei yhdelläkään",
         {{"gfx\\kannet\\a.jpg", "", "", true}, {"gfx\\kannet\\b.jpg", "", "", true}},
         {"Tietokannan versio: 1.36", "Kortteja tietokannassa: 2", "Kansikuvia tietokannassa: 2",
          "IMDB yhteensopivia kortteja: 0", "0 kortilla on kansikuvan url", "0 korttia odottaa kansikuvan haku yritystä",
          "0 kortille voitaisiin yrittää hakea kansikuva"}},
        // A cover on one card does not take away from another card that could get one.
        {"kansi yhdellä, IMDb toisella",
         {{"gfx\\kannet\\a.jpg", "", "", true}, {"", "tt0078748", "", false}},
         {"Tietokannan versio: 1.36", "Kortteja tietokannassa: 2", "Kansikuvia tietokannassa: 1",
          "IMDB yhteensopivia kortteja: 1", "0 kortilla on kansikuvan url", "0 korttia odottaa kansikuvan haku yritystä",
          "1 kortille voitaisiin yrittää hakea kansikuva"}},
        {"sekalainen",
         {{"", "tt0078748", "", true},                      // waiting and fetchable
          {"", "tt0133093", "", false},                     // fetch switched off: fetchable, not waiting
          {"", "", "http://127.0.0.1/k.jpg", true},         // an address without IMDb: not waiting
          {"gfx\\kannet\\c.jpg", "tt0088247", "http://127.0.0.1/t.jpg", false},
          {"", "", "", true}},
         {"Tietokannan versio: 1.36", "Kortteja tietokannassa: 5", "Kansikuvia tietokannassa: 1",
          "IMDB yhteensopivia kortteja: 3", "2 kortilla on kansikuvan url", "1 korttia odottaa kansikuvan haku yritystä",
          "3 kortille voitaisiin yrittää hakea kansikuva"}},
    };
    for (const Tapaus& t : tapaukset) {
        TOmaList l;
        l.versio = "1.36";
        for (const Kortti& k : t.kortit) {
            TKortti& c = l.lisaa_uusi();
            c.nimi = "x";
            c.cover_fn = k.kansi;
            c.imdb_koodi = k.imdb;
            c.cover_url = k.url;
            c.hae_kansi = k.hae_kansi;
        }
        EXPECT_EQ(tilastorivit(l), t.rivit) << t.nimi;
    }
}

}  // namespace
