#include "diag/nayttoraja.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "diag/loki.h"
#include "export/tarrat.h"
#include "lending/lainaus.h"
#include "mainwindow/tilastot.h"
#include "storage/kasetti.h"
#include "testituki/testiviestit.h"

TEST(Nayttoraja, LyhennettyKatkaiseeVainYlipitkan) {
    const std::string sata(100, 'x');
    EXPECT_EQ(lyhennetty(sata, 100), sata);
    EXPECT_EQ(lyhennetty(sata + "y", 100), sata + "\x85");
    EXPECT_EQ(lyhennetty("", 0), "");
    EXPECT_EQ(lyhennetty("ab", 0), "\x85");
    // Bytes of every kind survive in the part that is kept.
    EXPECT_EQ(lyhennetty(std::string("\0\xa0\xe4z", 4), 3), std::string("\0\xa0\xe4\x85", 4));
}

// A message that quotes a card's huge field names it by its beginning, and still says what it is about.
TEST(Nayttoraja, ViestitLainaavatKentanAlun) {
    const std::string valtava = "alku" + std::string(3u << 20, 'k');
    const std::string alku = lyhennetty(valtava);
    const struct {
        const char* mika;
        std::function<void(diag::Viestit&)> tee;
        std::string odotettu;
    } tapaukset[] = {
        {"ristiriitainen kasetin pituus",
         [&](diag::Viestit& v) {
             TOmaList l;
             for (const char* nauha : {"180", "240"}) {
                 TKortti& k = l.lisaa_uusi();
                 k.kasetilla = valtava;
                 k.formaatti = "SP";
                 k.nauha = nauha;
             }
             get_kasetin_pituus(l, valtava, v);
         },
         "VIRHE: Kasetin " + alku + " nauhan pituusmerkintä on väärin"},
        {"sivutarraan mahtumaton numero",
         [&](diag::Viestit& v) {
             const tarrat::Sivutarra t = tarrat::sivutarran_asettelu(
                 {"Nimi"}, valtava, [](const std::string& s, int, bool) { return static_cast<int>(s.size()); });
             for (const std::string& s : t.varoitukset) v.varoitus(s);
         },
         "Kasetin " + alku + " numero ei mahdu tarraan"},
        {"tilastojen versiorivi",
         [&](diag::Viestit& v) {
             TOmaList l;
             l.versio = valtava;
             v.tieto(tilastorivit(l).front());
         },
         "Tietokannan versio: " + alku},
        {"lainaamatta jäänyt",
         [&](diag::Viestit& v) {
             TOmaList l;
             l.lisaa_uusi().kasetilla = "1";
             std::string kasetit = valtava;
             lainaa_kasetit(l, kasetit, "Matti", "1.1.2026", v);
         },
         "\"" + alku + "\" jäi lainaamatta. Tietokanta ei sisällä annetun numeroista tai nimistä "
                       "elokuvaa/kasettia/levyä."},
    };
    for (const auto& t : tapaukset) {
        SCOPED_TRACE(t.mika);
        diag::TestiViestit v;
        t.tee(v);
        ASSERT_FALSE(v.naytetyt.empty());
        EXPECT_EQ(v.naytetyt.front().teksti, t.odotettu);
    }
    diag::loki().nollaa();
}
