#include "perus/teksti.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Teksti, SisaltaaVertaaVainAsciiKirjaimetIsoinaJaEtsiiKaikistaKohdista) {
    struct Tapaus {
        const char* haettava;
        const char* teksti;
        bool tulos;
    };
    const std::vector<Tapaus> taulu = {
        {"DVD", "DVD R1", true},  {"dvd", "Dvd", true},  {"ä", "Ä", false},   {"x", "", false},
        {"", "abc", true},        {"", "", false},       {"DVD", "DDVD", true}, {"min", "90 MIN", true},
        {"aab", "aaab", true},    {"dvd", "dv", false},  {"Ö", "xÖy", true},   {"vhs", "DVD", false},
    };
    for (const auto& t : taulu)
        EXPECT_EQ(sisaltaa(t.haettava, t.teksti), t.tulos) << "'" << t.haettava << "' in '" << t.teksti << "'";
}

TEST(Teksti, PienetKirjaimetTunteeAanJaOonMuttaEiAata) {
    EXPECT_EQ(pienet_kirjaimet("ÄITI Öljy Åke XYZ 12!"), "äiti öljy Åke xyz 12!");
    EXPECT_EQ(pienet_kirjaimet("DivX"), "divx");
}

TEST(Teksti, LueAlkulukuKertooOnkoKokoTekstiLuku) {
    struct Tapaus {
        const char* teksti;
        bool etumerkki;
        long long arvo;
        bool puhdas;
    };
    for (const auto& t : std::vector<Tapaus>{{"  42", false, 42, true},
                                             {"42 ", false, 42, false},
                                             {"AP3", false, 0, false},
                                             {"", false, 0, false},
                                             {"-5", false, 0, false},
                                             {"-5", true, -5, true},
                                             {" +7", true, 7, true},
                                             {"-", true, 0, false},
                                             {"99999999999999999999", false, 2147483647, true}}) {
        const Alkuluku a = lue_alkuluku(t.teksti, t.etumerkki);
        EXPECT_EQ(a.arvo, t.arvo) << "'" << t.teksti << "'";
        EXPECT_EQ(a.puhdas, t.puhdas) << "'" << t.teksti << "'";
    }
}

TEST(Teksti, KolmePienennystaEroavatVainAsciinUlkopuolella) {
    struct Tapaus {
        const char* teksti;
        const char* ascii;
        const char* kirjaimet;
        const char* cp1252;
    };
    for (const auto& t : std::vector<Tapaus>{
             {"ABC xyz 09", "abc xyz 09", "abc xyz 09", "abc xyz 09"},
             {"ÄÖÅÉ", "ÄÖÅÉ", "äöÅÉ", "äöåé"},
             {"ŠŒŽŸ", "ŠŒŽŸ", "ŠŒŽŸ", "šœžÿ"},
             {"×ß", "×ß", "×ß", "×ß"},  // the multiplication sign and sharp s have no capital pair
         }) {
        EXPECT_EQ(pienet_ascii(t.teksti), t.ascii) << t.teksti;
        EXPECT_EQ(pienet_kirjaimet(t.teksti), t.kirjaimet) << t.teksti;
        EXPECT_EQ(pienet_cp1252(t.teksti), t.cp1252) << t.teksti;
    }
}

TEST(Teksti, EtsiPienellaAntaaKohdanAlkaenAnnetusta) {
    EXPECT_EQ(etsi_pienella("<b>Runtime</B>", "</b>"), 10u);
    EXPECT_EQ(etsi_pienella("abcABC", "abc", 1), 3u);
    EXPECT_EQ(etsi_pienella("abc", "abc", 4), std::string_view::npos);
    EXPECT_EQ(etsi_pienella("abc", ""), std::string_view::npos);
    EXPECT_TRUE(alkaa_pienella("Draama", "dR"));
    EXPECT_FALSE(alkaa_pienella("Dr", "Draama"));
}
