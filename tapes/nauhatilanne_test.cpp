#include "tapes/nauhatilanne.h"

#include <gtest/gtest.h>

#include "testituki/testiviestit.h"
#include "settings/asetukset.h"
#include "testituki/kasettikortit.h"

namespace {

using testituki::kasettiluettelo;

// kasetti|pituus|kaytetty|vapaa per row
std::vector<std::string> rivit(const std::vector<Nauharivi>& r) {
    std::vector<std::string> t;
    for (const Nauharivi& n : r) t.push_back(n.kasetti + "|" + n.pituus + "|" + n.kaytetty + "|" + n.vapaa);
    return t;
}

const TOmaList& kokoelma() {
    static const TOmaList l = kasettiluettelo({
        {"1", "SP", "90 min", "180"},
        {"1", "SP", "1h", "180"},         // 180 / 150 / 30
        {"2", "DVD", "120 min", ""},      // discs only: not a tape
        {"AP2", "SP", "100 min", "180"},  // a bought cassette
        {"3", "LP", "100 min", ""},       // no length recorded
        {"", "SP", "90 min", "180"},      // no number
        {"4", "DVD", "95 min", "240"},    // listed from its tape card, at that card
        {"4", "EP", "90 min", "240"},     // a disc on the tape: used cannot be counted
        {"5", "LP", "200 min", "120"},    // 100 of 120: 20 free
        {"6", "SP", "200 min", "180"},    // overfull
    });
    return l;
}

TEST(Nauhalista, RivitJaOhitukset) {
    TAsetukset a;
    diag::TestiViestit v;
    EXPECT_EQ(rivit(tee_nauhalista(kokoelma(), 0, a, v)),
              (std::vector<std::string>{"1|180 min|150 min|30 min", "3||50 min|--", "4|240 min|--|--",
                                        "5|120 min|100 min|20 min", "6|180 min|200 min|--"}));
    EXPECT_EQ(tee_nauhalista(kokoelma(), 0, a, v)[2].ensimmainen, 8);

    a.ala_kysy_jos = false;
    EXPECT_EQ(rivit(tee_nauhalista(kokoelma(), 0, a, v))[1], "AP2|180 min|100 min|80 min");
    a.ala_kysy_jos = true;
    a.ala_kysy_jos_sisaltaa = "";
    EXPECT_EQ(tee_nauhalista(kokoelma(), 0, a, v).size(), 6u);
    EXPECT_TRUE(v.naytetyt.empty());
}

TEST(Nauhalista, VapaanHaku) {
    TAsetukset a;
    const struct {
        const char* vahintaan;
        bool lp;
        std::vector<std::string> kasetit;
        bool loytyi;
    } haut[] = {
        {"30", false, {"1"}, true},
        {"20", false, {"1", "5"}, true},
        {"30", true, {"1", "5"}, true},  // 30 LP minutes fit in 15 SP minutes
        {"31", true, {"1", "5"}, true},  // halved toward zero
        {"0", false, {"1", "3", "4", "5", "6"}, true},
        {" 25", false, {"1"}, true},
        {"500", false, {"1", "3", "4", "5", "6"}, false},  // nothing has room: all, and "Ei löydy!"
    };
    for (const auto& h : haut) {
        diag::TestiViestit v;
        const Vapaan_haku tulos = etsi_vapaata(kokoelma(), h.vahintaan, h.lp, a, v);
        std::vector<std::string> kasetit;
        for (const Nauharivi& r : tulos.rivit) kasetit.push_back(r.kasetti);
        EXPECT_TRUE(tulos.luku_kelpaa);
        EXPECT_EQ(kasetit, h.kasetit) << h.vahintaan;
        EXPECT_EQ(tulos.loytyi, h.loytyi) << h.vahintaan;
        EXPECT_EQ(v.tekstit(), h.loytyi ? std::vector<std::string>{} : std::vector<std::string>{"Ei löydy!"});
    }
    for (const char* huono : {"", "abc", "90 min", "1.5"}) {
        diag::TestiViestit v;
        const Vapaan_haku tulos = etsi_vapaata(kokoelma(), huono, false, a, v);
        EXPECT_FALSE(tulos.luku_kelpaa) << huono;
        EXPECT_TRUE(tulos.rivit.empty());
        EXPECT_EQ(v.tekstit(), std::vector<std::string>{"VIRHE: Syötä kenttään haettava minuuttimäärä esim \"90\""});
    }
}

TEST(Nauhalista, TilaRivinMukaan) {
    const struct {
        Nauharivi rivi;
        const char* tila;
    } tapaukset[] = {
        {{"1", "180 min", "150 min", "30 min"}, ""},
        {{"3", "", "50 min", "--"}, "Virhe: Et ole kertonut ohjelmalle kasetin pituutta"},
        {{"4", "240 min", "--", "--"}, "Virhe: Kasetilla on elokuva jonka pituutta ei tiedetä"},
        {{"6", "180 min", "200 min", "--"}, "Virhe: Vapaan nauhan pituutta ei voitu laskea (osa tiedoista virheellisiä)"},
        {{"7", "", "--", "--"}, "Virhe: Et ole kertonut ohjelmalle kasetin pituutta"},
    };
    for (const auto& t : tapaukset) EXPECT_EQ(nauhan_tila(t.rivi), t.tila) << t.rivi.kasetti;
}

// A cassette whose cards disagree on its length is reported once, however many of its cards follow.
TEST(Nauhalista, RistiriitaIlmoitetaanKerran) {
    TAsetukset a;
    diag::TestiViestit v;
    const TOmaList l =
        kasettiluettelo({{"1", "SP", "60", "180"}, {"1", "SP", "60", "240"}, {"1", "SP", "60", "240"}});
    const auto r = tee_nauhalista(l, 100, a, v);
    EXPECT_EQ(v.naytetyt.size(), 1u);
}

}  // namespace
