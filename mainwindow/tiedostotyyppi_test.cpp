#include "mainwindow/tiedostotyyppi.h"

#include <gtest/gtest.h>

#include <fstream>

#include "diag/testiviestit.h"

namespace fs = std::filesystem;

namespace {

class Tiedostotyyppi : public ::testing::Test {
protected:
    fs::path kansio = fs::temp_directory_path() / ("rullakko_xdg_" + std::to_string(::getpid()));
    fs::path ohjelma = "/opt/rullakko/rullakko";
    void SetUp() override { fs::remove_all(kansio); }
    void TearDown() override { fs::remove_all(kansio); }
};

TEST_F(Tiedostotyyppi, KyllaRekisteroiJaSeuraavaKaynnistysEiKysy) {
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Kylla};
    tarkista_tiedostotyyppi(kansio, ohjelma, v);
    ASSERT_EQ(v.naytetyt.size(), 2u);
    // The message says where the registration lives, so the user can remove it.
    EXPECT_EQ(v.naytetyt[1].teksti.rfind("Tiedostotyyppi .rkb rekisteröity työpöydälle.\n", 0), 0u);
    EXPECT_NE(v.naytetyt[1].teksti.find((kansio / "applications/rullakko.desktop").string()), std::string::npos);
    EXPECT_EQ(lue_avauskomento(kansio), "\"/opt/rullakko/rullakko\" %f");
    std::ifstream mime(kansio / "mime/packages/rullakko.xml");
    const std::string sisalto((std::istreambuf_iterator<char>(mime)), {});
    EXPECT_NE(sisalto.find("<glob pattern=\"*.rkb\"/>"), std::string::npos);

    diag::TestiViestit toinen;
    tarkista_tiedostotyyppi(kansio, ohjelma, toinen);
    EXPECT_TRUE(toinen.naytetyt.empty());
}

TEST_F(Tiedostotyyppi, EiJattaaKaikenEnnalleenJaKysyyUudelleen) {
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Ei, diag::Vastaus::Ei};
    tarkista_tiedostotyyppi(kansio, ohjelma, v);
    EXPECT_FALSE(fs::exists(kansio));
    tarkista_tiedostotyyppi(kansio, ohjelma, v);
    EXPECT_EQ(v.naytetyt.size(), 2u);
}

TEST_F(Tiedostotyyppi, ToisenOhjelmanRekisterointiKorvataan) {
    ASSERT_TRUE(rekisteroi_tiedostotyyppi(kansio, "/vanha/paikka/rullakko"));
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Kylla};
    tarkista_tiedostotyyppi(kansio, ohjelma, v);
    EXPECT_EQ(lue_avauskomento(kansio), avauskomento(ohjelma));
}

}  // namespace
