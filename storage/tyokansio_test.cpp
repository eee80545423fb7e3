#include "storage/tyokansio.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/vikaantuvat_tiedostot.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>

namespace fs = std::filesystem;

// The work folder of a killed run goes at the next start; folders of running processes, of other
// prefixes and of names not made by us stay.
TEST(Tyokansio, KuolleenAjonKansioPoistetaan) {
    const testituki::Tilapainen_kansio kansio("tyokansio_test");
    const fs::path& juuri = kansio.juuri();
    const pid_t lapsi = ::fork();
    if (lapsi == 0) ::_exit(0);
    ::waitpid(lapsi, nullptr, 0);
    const std::string kuollut = "rkb-" + std::to_string(lapsi) + "-a1B2c3";
    const std::set<std::string> jaavat = {"rkb-" + std::to_string(::getppid()) + "-a1B2c3", "rkb-x-a1B2c3",
                                          "rullakko-" + std::to_string(lapsi) + "-a1B2c3",
                                          "rkb-" + std::to_string(lapsi) + "-lyhyt"};
    for (const std::string& n : jaavat) fs::create_directories(juuri / n);
    fs::create_directories(juuri / kuollut / "gfx" / "kannet");
    std::ofstream(juuri / kuollut / "gfx" / "kannet" / "a.jpg") << "kuva";
    siivoa_vanhat_tyokansiot(jarjestelman_tiedostot(), "rkb", juuri);
    std::set<std::string> jaljella;
    for (const auto& e : fs::directory_iterator(juuri)) jaljella.insert(e.path().filename().string());
    EXPECT_EQ(jaljella, jaavat);
}

// A work folder is the user's alone and goes with everything in it; one that cannot be made says why.
TEST(Tyokansio, YksityinenJaPoistuuSisaltoineen) {
    const testituki::Tilapainen_kansio kansio("tyokansio_uusi");
    fs::path polku;
    {
        const Tyokansio tyo(jarjestelman_tiedostot(), "rkb", kansio.juuri());
        polku = tyo.polku();
        ASSERT_FALSE(polku.empty());
        EXPECT_EQ(polku.filename().string().rfind("rkb-" + std::to_string(::getpid()) + "-", 0), 0u);
        EXPECT_EQ(fs::status(polku).permissions(), fs::perms::owner_all);
        fs::create_directories(polku / "gfx");
        std::ofstream(polku / "gfx" / "a.jpg") << "kuva";
    }
    EXPECT_FALSE(fs::exists(polku));
    VikaantuvatTiedostot t;
    t.epaonnistu(VikaantuvatTiedostot::Vaihe::LuoKansiot, EACCES);
    const Tyokansio tyo(t, "rkb", kansio.juuri());
    EXPECT_TRUE(tyo.polku().empty());
    EXPECT_EQ(tyo.tulos().syy, EACCES);
    EXPECT_TRUE(fs::is_empty(kansio.juuri()));
}

// A name another process took in between is passed over for a new one; a folder where every name seems
// taken gives up with the reason instead of trying for ever.
TEST(Tyokansio, VarattuNimiVaihdetaanJaLoputonVarausLopettaa) {
    const testituki::Tilapainen_kansio kansio("tyokansio_varattu");
    VikaantuvatTiedostot t;
    t.epaonnistu(VikaantuvatTiedostot::Vaihe::LuoKansiot, EEXIST, "rkb-", 0, 3);
    {
        const Tyokansio tyo(t, "rkb", kansio.juuri());
        EXPECT_EQ(t.epaonnistuneet(VikaantuvatTiedostot::Vaihe::LuoKansiot), 3);
        ASSERT_FALSE(tyo.polku().empty());
        EXPECT_TRUE(tyo.tulos());
        EXPECT_TRUE(fs::is_directory(tyo.polku()));
    }
    t.nollaa();
    t.epaonnistu(VikaantuvatTiedostot::Vaihe::LuoKansiot, EEXIST, "rkb-");
    const Tyokansio tyo(t, "rkb", kansio.juuri());
    EXPECT_TRUE(tyo.polku().empty());
    EXPECT_EQ(tyo.tulos().syy, EEXIST);
    EXPECT_EQ(t.epaonnistuneet(VikaantuvatTiedostot::Vaihe::LuoKansiot), 3 + 100);
    EXPECT_TRUE(fs::is_empty(kansio.juuri()));
}
