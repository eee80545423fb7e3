// The borrower profile file: read, written back byte for byte, damaged files, and the address lookup.
#include "lending/profiilit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "perus/tiedostot.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

class Profiilitiedosto : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio kansio{"profiilit"};
    Tiedostojarjestelma& tj = jarjestelman_tiedostot();
    fs::path tiedosto = kansio / "lainaaja_profiilit.ini";
    void kirjoita(const std::string& s) { std::ofstream(tiedosto, std::ios::binary) << s; }
    std::string lue() {
        std::string s;
        lue_koko_tiedosto(tj, tiedosto, s);
        return s;
    }
};

const std::string kaksi = "Matti\r\n040 123\r\nmatti@example.org\r\n## seuraava profiili\r\n"
                          "Liisa Ääninen\r\n\r\nliisa@example.org\r\n## seuraava profiili\r\n";

TEST_F(Profiilitiedosto, KaksiProfiiliaJaTakaisinSamoinTavuin) {
    kirjoita(kaksi);
    std::vector<Profiili> p;
    lue_profiilit(tj, tiedosto, p);
    EXPECT_EQ(p, (std::vector<Profiili>{{"Matti", "040 123", "matti@example.org"},
                                        {"Liisa Ääninen", "", "liisa@example.org"}}));
    fs::remove(tiedosto);
    ASSERT_TRUE(kirjoita_profiilit(tj, tiedosto, p));
    EXPECT_EQ(lue(), kaksi);

    ASSERT_TRUE(kirjoita_profiilit(tj, tiedosto, {}));
    EXPECT_EQ(lue(), "");
}

TEST_F(Profiilitiedosto, YlimaaraisetRivitJaErottimenPuuttuminen) {
    struct Tapaus {
        const char* sisalto;
        std::vector<Profiili> odotettu;
    };
    const Tapaus tapaukset[] = {
        // A fifth line before the separator is ignored.
        {"Matti\r\n1\r\nm@x\r\nylimääräinen\r\n## seuraava profiili\r\nLiisa\r\n2\r\nl@x\r\n## seuraava profiili\r\n",
         {{"Matti", "1", "m@x"}, {"Liisa", "2", "l@x"}}},
        // A record that starts with the separator is an empty profile.
        {"## seuraava profiili\r\nMatti\r\n1\r\nm@x\r\n", {{}, {"Matti", "1", "m@x"}}},
        // Unix line ends and a cut last record.
        {"Matti\n1\nm@x\n## seuraava profiili\nLiisa\n", {{"Matti", "1", "m@x"}, {"Liisa", "", ""}}},
    };
    for (const Tapaus& t : tapaukset) {
        kirjoita(t.sisalto);
        std::vector<Profiili> p{{"vanha", "", ""}};
        lue_profiilit(tj, tiedosto, p);
        EXPECT_EQ(p, t.odotettu) << t.sisalto;
    }
}

TEST_F(Profiilitiedosto, LiianLyhytPoistetaanPuuttuvaEiMuutaMitaan) {
    kirjoita("ab");
    std::vector<Profiili> p{{"vanha", "", ""}};
    lue_profiilit(tj, tiedosto, p);
    EXPECT_TRUE(p.empty());
    EXPECT_FALSE(fs::exists(tiedosto));

    p = {{"vanha", "", ""}};
    lue_profiilit(tj, tiedosto, p);
    EXPECT_EQ(p.size(), 1u);
}

TEST_F(Profiilitiedosto, KirjoitusVirheJattaaVanhanTiedoston) {
    kirjoita(kaksi);
    ::chmod(kansio.juuri().c_str(), 0500);
    const Tulos t = kirjoita_profiilit(jarjestelman_tiedostot(), tiedosto, {{"Uusi", "", ""}});
    ::chmod(kansio.juuri().c_str(), 0700);
    if (::geteuid() != 0) {
        EXPECT_FALSE(t);
        EXPECT_FALSE(t.viesti.empty());
    }
    if (!t) {
        EXPECT_EQ(lue(), kaksi);
    }

    // A disk that fills up part-way and a rename that fails leave the old file whole and no leftovers.
    kirjoita(kaksi);
    for (const auto vaihe : {VikaantuvatTiedostot::Vaihe::Kirjoita, VikaantuvatTiedostot::Vaihe::Nimea}) {
        VikaantuvatTiedostot vt;
        vt.epaonnistu(vaihe, ENOSPC, "lainaaja_profiilit");
        const Tulos v = kirjoita_profiilit(vt, tiedosto, {{"Uusi", "", ""}});
        EXPECT_EQ(v.koodi, ENOSPC);
        EXPECT_NE(v.viesti.find("levy on täynnä"), std::string::npos) << v.viesti;
        EXPECT_EQ(lue(), kaksi);
        EXPECT_EQ(std::distance(fs::directory_iterator(kansio.juuri()), fs::directory_iterator()), 1);
    }
}

TEST(HaeEmail, KirjainkokoEiRatkaiseJaViimeinenVoittaa) {
    const std::vector<Profiili> p{{"Matti", "", "eka@x"}, {"Öljy-Äijä", "", "oljy@x"}, {"matti", "", "toka@x"}};
    EXPECT_EQ(hae_email(p, "MATTI"), "toka@x");
    EXPECT_EQ(hae_email(p, "öljy-äijä"), "oljy@x");
    EXPECT_EQ(hae_email(p, "Mat"), std::nullopt);
}

}  // namespace
