#include "storage/kesto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag/loki.h"

namespace {

struct Muunnos {
    const char* sisaan;
    const char* ulos;
};

void tarkista(std::string (*f)(std::string_view), const std::vector<Muunnos>& taulu) {
    for (const auto& [sisaan, ulos] : taulu) EXPECT_EQ(f(sisaan), ulos) << "'" << sisaan << "'";
}

}  // namespace

TEST(Kesto, MuotoileKestoLisaaValinYksikonViereen) {
    tarkista(muotoile_kesto, {{"90min", "90 min"},
                              {"120min", "120 min"},
                              {"1h30min", "1h 30min"},
                              {"1000min", "1000min"},
                              {"2h", "2h"},
                              {"90 min", "90 min"},
                              {"9m", "9 m"},
                              {"90MIN", "90MIN"},
                              {"1H30", "1H30"},
                              {"m", "m"},
                              {"", ""}});
}

TEST(Kesto, Tunnit2minMuuntaaYksinumeroisetTunnit) {
    tarkista(tunnit2min, {{"1h 30min", "90 min"},
                          {"2h", "120 min"},
                          {"1H45", "105 min"},
                          {"1h30,5min", "90 min"},
                          {"1 h 5 min", "65 min"},
                          {"90 min", "90 min"},
                          {"95", "95"},
                          {"90min", "90 min"},
                          {"0h 45min", "0h 45min"},
                          {"h30", "h 30"},
                          {"12h", "12h"},
                          {"", ""},
                          {"1h99999999999999", "2147483707 min"}});
}

TEST(Kesto, Min2tunnitMuuntaaTunninJaYli) {
    tarkista(min2tunnit, {{"90 min", "1h 30min"},
                          {"120", "2h"},
                          {"45 min", "45 min"},
                          {"95,5 min", "1h 35min"},
                          {"1h 30min", "1h 30min"},
                          {"60", "1h"},
                          {"59", "59"},
                          {"600min", "10h"},
                          {"n. 100 min", "1h 40min"},
                          {"", ""},
                          {"ei tiedossa", "ei tiedossa"}});
}

TEST(Kesto, NakyviinSeuraaAsetusta) {
    EXPECT_EQ(kesto_nakyviin("1h 30min", true), "90 min");
    EXPECT_EQ(kesto_nakyviin("90 min", false), "1h 30min");
}

TEST(Kesto, MuunnoksetKirjoittavatLokiinVainKunSeOnPaalla) {
    diag::loki().nollaa();
    tunnit2min("1h 30min");
    min2tunnit("90 min");
    EXPECT_TRUE(diag::loki().rivit().empty());

    diag::loki().aseta_naytolle(true);
    tunnit2min("1h 30min");
    min2tunnit("95 min");
    const std::vector<std::string> odotettu = {
        "tunnit2min in_str =1h 30min", "str1 =1h30min",          "tunnit2min str2 =30",
        "min2tunnit str2=95",          "min2tunnit tunnit   =1", "min2tunnit minuutit =35",
    };
    EXPECT_EQ(std::vector<std::string>(diag::loki().rivit().begin(), diag::loki().rivit().end()), odotettu);
    diag::loki().nollaa();
}
