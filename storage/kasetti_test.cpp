#include "storage/kasetti.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "diag/loki.h"
#include "testituki/kasettikortit.h"
#include "testituki/testiviestit.h"

using Rivi = testituki::Kasettikortti;
using testituki::kasettiluettelo;

TEST(Kasetti, KaytettyLasketaanSpMinuutteina) {
    struct Tapaus {
        std::vector<Rivi> kortit;
        const char* tulos;
    };
    const std::vector<Tapaus> taulu = {
        {{{"1", "SP", "90 min"}, {"1", "LP", "1h 40min"}}, "140"},
        {{{"1", "EP", "100"}, {"1", "sp", "2h"}}, "153"},             // 100/3 truncates to 33
        {{{"1", "SP", "90 min"}, {"2", "SP", "60 min"}}, "90"},       // other cassettes do not count
        {{{"2", "SP", "90 min"}}, "0"},                               // no card on cassette 1
        {{{"1", "DVD", "90 min"}}, "-99999"},                         // discs cannot be counted
        {{{"1", "SP", ""}}, "-99999"},                                // nor an empty duration
        {{{"1", "DVD", "90 min"}, {"1", "SP", "100 min"}}, "-99899"}, // still negative afterwards
        {{{"1", "SP", "1h 30min"}, {"1", "SP", "90MIN"}}, "180"},     // "min" in any case
    };
    for (const Tapaus& t : taulu) {
        diag::TestiViestit v;
        EXPECT_EQ(get_kasetin_kaytetty(kasettiluettelo(t.kortit), "1", v), t.tulos);
        EXPECT_TRUE(v.naytetyt.empty());
    }
}

TEST(Kasetti, VirheellinenKestoIlmoitetaanJaOhitetaan) {
    diag::TestiViestit v;
    const TOmaList l = kasettiluettelo({{"1", "SP", "60 min"}, {"1", "SP", "noin 90"}, {"1", "SP", "-5 min"}});
    EXPECT_EQ(get_kasetin_kaytetty(l, "1", v), "60");
    ASSERT_EQ(v.naytetyt.size(), 2u);
    EXPECT_EQ(v.naytetyt[0].laji, diag::Laji::Pelkka);
    EXPECT_EQ(v.tekstit(), (std::vector<std::string>{"VIRHE: Kortin 2 kesto on virheellinen!",
                                                     "VIRHE: Kortin 3 kesto on virheellinen!"}));
}

TEST(Kasetti, PituusOnKorttienYhteinenMerkinta) {
    diag::TestiViestit v;
    TOmaList l =
        kasettiluettelo({{"7", "SP", "", "180"}, {"8", "SP", "", "240"}, {"7", "LP", "", "180"}, {"9", "SP", ""}});
    l[0].nauha = "999";  // the placeholder is never looked at
    EXPECT_EQ(get_kasetin_pituus(l, "7", v), "180");
    EXPECT_EQ(get_kasetin_pituus(l, "9", v), "");
    EXPECT_EQ(get_kasetin_pituus(l, "puuttuu", v), "");
    EXPECT_EQ(get_kasetin_pituus(l, "##", v), "");
    EXPECT_TRUE(v.naytetyt.empty());
}

TEST(Kasetti, RistiriitainenPituusIlmoitetaanKerranJokaisestaPoikkeavastaKortista) {
    diag::loki().nollaa();
    diag::TestiViestit v;
    // An empty length after a filled one is a conflict too; a filled one after an empty one is not.
    const TOmaList l = kasettiluettelo({{"5", "SP", "", ""}, {"5", "SP", "", "180"}, {"5", "SP", "", "240"},
                                        {"6", "SP", "", "120"}, {"5", "SP", "", ""}});
    get_kasetin_pituus(l, "5", v);
    EXPECT_EQ(v.tekstit(), (std::vector<std::string>{"VIRHE: Kasetin 5 nauhan pituusmerkintä on väärin",
                                                     "VIRHE: Kasetin 5 nauhan pituusmerkintä on väärin"}));
    EXPECT_EQ(v.naytetyt[0].laji, diag::Laji::Pelkka);
    const std::vector<std::string> loki(diag::loki().rivit().begin(), diag::loki().rivit().end());
    EXPECT_EQ(std::vector<std::string>(loki.begin(), loki.begin() + 3),
              (std::vector<std::string>{"get_kasetin_pituus, num=5", "get_kasetin_pituus, str1=240",
                                        "get_kasetin_pituus, str2=180"}));
    diag::loki().nollaa();
}

TEST(Kasetti, MediatNauhaJaLevySamallaKasetillaOnVirhe) {
    struct Tapaus {
        std::vector<Rivi> kortit;
        bool tulos;
    };
    const std::vector<Tapaus> taulu = {
        {{{"1", "LP", ""}, {"1", "DVD", ""}}, false},
        {{{"1", "DVD", ""}, {"1", "DVD R2", ""}}, true},
        {{{"1", "SP", ""}, {"1", "EP", ""}}, true},
        {{{"1", "DivX", ""}, {"1", "SP", ""}}, false},
        {{{"1", "Laserdisc", ""}, {"1", "SP", ""}}, true},
        {{{"1", "SP", ""}, {"2", "DVD", ""}}, true},
        {{}, true},
    };
    for (const Tapaus& t : taulu) EXPECT_EQ(tarkista_kasetin_mediat(kasettiluettelo(t.kortit), "1"), t.tulos);
}

TEST(Kasetti, AsetaPituusKirjoittaaKasetinKaikkiinKortteihin) {
    TOmaList l = kasettiluettelo(
        {{"AP1", "SP", "", "180"}, {"ap1", "SP", "", "120"}, {"AP1", "LP", ""}, {"AP10", "SP", ""}});
    ASSERT_FALSE(l.muutettu);
    aseta_kasetin_pituus(l, "AP1", "240");
    EXPECT_TRUE(l.muutettu);
    EXPECT_EQ(l[1].nauha, "240");
    EXPECT_EQ(l[2].nauha, "120");
    EXPECT_EQ(l[3].nauha, "240");
    EXPECT_EQ(l[4].nauha, "");
}

// The per-cassette reading must give what a scan of the whole catalogue gives, messages included, also
// around conflicting lengths with other cassettes' cards between and after them.
TEST(Kasetti, PituusKasetinKorteistaKutenKokoLuettelosta) {
    const auto koko_luettelo = [](const TOmaList& l, const std::string& numero, diag::Viestit& v) {
        std::string viimeinen, tulos;
        for (int i = 1; i < l.Count(); ++i) {
            if (l[i].kasetilla == numero) viimeinen = l[i].nauha;
            if (!tulos.empty() && viimeinen != tulos) {
                v.pelkka("VIRHE: Kasetin " + l[i].kasetilla + " nauhan pituusmerkintä on väärin");
                tulos.clear();
            } else {
                tulos = viimeinen;
            }
        }
        return tulos;
    };
    std::mt19937 arpa(3);
    const char* pituudet[] = {"", "180", "240"};
    for (int kierros = 0; kierros < 300; ++kierros) {
        TOmaList l;
        for (int i = 0, n = 1 + static_cast<int>(arpa() % 9); i < n; ++i) {
            TKortti& k = l.lisaa_uusi();
            k.kasetilla = std::to_string(1 + arpa() % 3);
            k.nauha = pituudet[arpa() % 3];
        }
        const auto kasetit = kasettien_kortit(l);
        for (const auto& [numero, kortit] : kasetit) {
            diag::TestiViestit odotetut, saadut;
            const std::string odotettu = koko_luettelo(l, numero, odotetut);
            EXPECT_EQ(get_kasetin_pituus(l, numero, kortit, saadut), odotettu);
            EXPECT_EQ(saadut.tekstit(), odotetut.tekstit());
        }
    }
}
