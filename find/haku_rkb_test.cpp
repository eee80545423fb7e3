// rkb search and rkb stats run the program's own search and statistics on a catalogue file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "testituki/komentotesti.h"
#include "storage/kortti.h"
#include "storage/runko.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;

namespace {

class RkbHaku : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio tila{"rkb_haku"};
    std::string tiedosto;

    void SetUp() override {
        TOmaList l;
        struct K {
            const char* nimi;
            const char* kasetti;
            const char* sijainti;
            const char* luokitus;
            const char* ohjaaja;
            const char* lainassa;
        };
        for (const K& k : {K{"Alien", "12", "1", "Kauhu", "Ridley Scott", ""},
                           K{"Matrix", "7", "2", "Toiminta", "Wachowski", ""},
                           K{"Äiti ja Alien", "AP3", "1", "Draama", "", "Pekka"},
                           K{"Zorro", "9", "1", "Seikkailu", "", ""}}) {
            TKortti& c = l.lisaa_uusi();
            c.nimi = k.nimi;
            c.kasetilla = k.kasetti;
            c.sijainti = k.sijainti;
            c.luokitus = k.luokitus;
            c.ohjaaja = k.ohjaaja;
            c.lainassa = k.lainassa;
        }
        l[4].cover_fn = "gfx\\kannet\\z.jpg";
        std::string runko;
        kirjoita_runko(l, runko);
        tiedosto = (tila / "elokuvat.rkb").string();
        std::ofstream(tiedosto, std::ios::binary) << "Hae Rullak\r\n" << runko;
    }

    const Rkb rkb{"", "2>&1"};
};

TEST_F(RkbHaku, RivitKorttijarjestyksessaUtf8naJaKenttavalinta) {
    const Ajotulos kaikki = rkb("search " + tiedosto + " alien");
    EXPECT_EQ(kaikki.koodi, 0);
    EXPECT_EQ(kaikki.ulos, "1\t12\t1\tAlien\tKauhu\n"
                           "3\tAP3\t1\t\xC3\x84iti ja Alien (Lainassa)\tDraama\n");

    // Words as typed into the dialog: the director field only, two words joined by "or".
    const Ajotulos ohjaaja = rkb("search " + tiedosto + " 'scott,wachowski' --fields 11");
    EXPECT_EQ(ohjaaja.koodi, 0);
    EXPECT_EQ(ohjaaja.ulos, "1\t12\t1\tAlien\tKauhu\n2\t7\t2\tMatrix\tToiminta\n");
    EXPECT_EQ(rkb("search " + tiedosto + " scott --fields=0,2").koodi, 1);
}

TEST_F(RkbHaku, EiOsumiaJaVirheet) {
    const Ajotulos ei = rkb("search " + tiedosto + " zzz");
    EXPECT_EQ(ei.koodi, 1);
    EXPECT_EQ(ei.ulos, "Hakuehdoilla ei l\xC3\xB6ydy kortteja!\n");

    std::string paljon;
    for (int i = 0; i < 46; ++i) paljon += "al,";
    const Ajotulos liikaa = rkb("search " + tiedosto + " " + paljon);
    EXPECT_EQ(liikaa.koodi, 0);
    EXPECT_NE(liikaa.ulos.find("maksimi 45"), std::string::npos);

    for (const char* vaara : {" alien --fields 14", " alien --fields 1,,2", " alien --fields x", " alien --kentat 1"})
        EXPECT_EQ(rkb("search " + tiedosto + vaara).koodi, 1) << vaara;
    EXPECT_EQ(rkb("search " + tiedosto + " ''").koodi, 1);
    EXPECT_EQ(rkb("search " + (tila / "puuttuu.rkb").string() + " alien").koodi, 1);
}

TEST_F(RkbHaku, Tilastot) {
    const Ajotulos t = rkb("stats " + tiedosto, "2>/dev/null");
    EXPECT_EQ(t.koodi, 0);
    EXPECT_NE(t.ulos.find("Kortteja tietokannassa: 4\nKansikuvia tietokannassa: 1\n"), std::string::npos) << t.ulos;
    EXPECT_NE(t.ulos.find("\n0 kortille voitaisiin yritt\xC3\xA4\xC3\xA4 hakea kansikuva\n"), std::string::npos) << t.ulos;
    EXPECT_EQ(t.ulos.rfind("Tietokannan versio: ", 0), 0u);
}

}  // namespace
