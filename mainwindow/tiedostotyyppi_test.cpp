#include "mainwindow/tiedostotyyppi.h"

#include <gtest/gtest.h>

#include <fstream>

#include "perus/tiedostojarjestelma.h"
#include "testituki/testiviestit.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

class Tiedostotyyppi : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio oma_kansio{"rullakko_xdg"};
    fs::path kansio = oma_kansio / "xdg";
    fs::path ohjelma = "/opt/rullakko/rullakko";
    Tiedostojarjestelma& tj = jarjestelman_tiedostot();
};

TEST_F(Tiedostotyyppi, KyllaRekisteroiJaSeuraavaKaynnistysEiKysy) {
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Kylla};
    tarkista_tiedostotyyppi(tj, kansio, ohjelma, v);
    ASSERT_EQ(v.naytetyt.size(), 2u);
    // The message says where the registration lives, so the user can remove it.
    EXPECT_EQ(v.naytetyt[1].teksti.rfind("Tiedostotyyppi .rkb rekisteröity työpöydälle.\n", 0), 0u);
    EXPECT_NE(v.naytetyt[1].teksti.find((kansio / "applications/rullakko.desktop").string()), std::string::npos);
    EXPECT_EQ(lue_avauskomento(tj, kansio), "\"/opt/rullakko/rullakko\" %f");
    std::ifstream mime(kansio / "mime/packages/rullakko.xml");
    const std::string sisalto((std::istreambuf_iterator<char>(mime)), {});
    EXPECT_NE(sisalto.find("<glob pattern=\"*.rkb\"/>"), std::string::npos);

    diag::TestiViestit toinen;
    tarkista_tiedostotyyppi(tj, kansio, ohjelma, toinen);
    EXPECT_TRUE(toinen.naytetyt.empty());
}

TEST_F(Tiedostotyyppi, EiJattaaKaikenEnnalleenJaKysyyUudelleen) {
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Ei, diag::Vastaus::Ei};
    tarkista_tiedostotyyppi(tj, kansio, ohjelma, v);
    EXPECT_FALSE(fs::exists(kansio));
    tarkista_tiedostotyyppi(tj, kansio, ohjelma, v);
    EXPECT_EQ(v.naytetyt.size(), 2u);
}

TEST_F(Tiedostotyyppi, ToisenOhjelmanRekisterointiKorvataan) {
    ASSERT_TRUE(rekisteroi_tiedostotyyppi(tj, kansio, "/vanha/paikka/rullakko"));
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Kylla};
    tarkista_tiedostotyyppi(tj, kansio, ohjelma, v);
    EXPECT_EQ(lue_avauskomento(tj, kansio), avauskomento(ohjelma));
}

TEST_F(Tiedostotyyppi, TaysiLevyJattaaEntisenRekisteroinninEheaksi) {
    ASSERT_TRUE(rekisteroi_tiedostotyyppi(tj, kansio, "/vanha/paikka/rullakko"));
    VikaantuvatTiedostot vt;
    vt.rajoita_tilaa("rullakko.desktop", 20);
    EXPECT_FALSE(rekisteroi_tiedostotyyppi(vt, kansio, ohjelma));
    EXPECT_EQ(lue_avauskomento(tj, kansio), avauskomento("/vanha/paikka/rullakko"));
    EXPECT_EQ(std::distance(fs::directory_iterator(kansio / "applications"), fs::directory_iterator()), 1);
}

// An installed copy: desktop entry and MIME type under the share folder of its prefix.
TEST_F(Tiedostotyyppi, AsennettuRekisterointiEiKysy) {
    const fs::path juuri = kansio / "juuri";
    const fs::path ohjelma = juuri / "usr" / "bin" / "rullakko";
    const fs::path jaettu = juuri / "usr" / "share";
    const struct {
        const char* exec;  // nullptr: no desktop entry
        bool mime;
        bool kysyy;
    } tapaukset[] = {
        {"/usr/bin/rullakko %f", true, false},  // staged under DESTDIR, as in the package build
        {"\"/usr/bin/rullakko\" %f", true, false},
        {"rullakko %f", true, false},
        {"/usr/bin/rullakko %f", false, true},  // no MIME type: the desktop cannot know *.rkb
        {nullptr, true, true},
        {"/opt/muu/bin/rullakko %f", true, true},
        {"/usr/bin/rullakko-vanha %f", true, true},
    };
    for (const auto& t : tapaukset) {
        fs::remove_all(kansio);
        fs::create_directories(ohjelma.parent_path());
        if (t.exec) {
            fs::create_directories(jaettu / "applications");
            std::ofstream(jaettu / asennettu_kuvaustiedosto) << "[Desktop Entry]\nType=Application\nExec=" << t.exec << "\n";
        }
        if (t.mime) {
            fs::create_directories(jaettu / "mime" / "packages");
            std::ofstream(jaettu / "mime" / "packages" / "rullakko.xml") << "<mime-info/>";
        }
        diag::TestiViestit v;
        if (t.kysyy) v.vastaukset = {diag::Vastaus::Ei};
        tarkista_tiedostotyyppi(tj, kansio / "xdg", ohjelma, v);
        EXPECT_EQ(v.naytetyt.size(), t.kysyy ? 1u : 0u) << (t.exec ? t.exec : "(ei)") << " mime " << t.mime;
        EXPECT_FALSE(fs::exists(kansio / "xdg"));
    }
}

// The installed files say what the program itself registers from the build folder.
TEST(Asennustiedostot, TyyppiJaKuvausVastaavatOhjelmaa) {
    const fs::path lahde = RULLAKKO_SOURCE_DIR;
    std::ifstream mime(lahde / "asennus" / "rullakko.xml");
    const std::string m((std::istreambuf_iterator<char>(mime)), {});
    EXPECT_NE(m.find(std::string("<mime-type type=\"") + rkb_tyyppi + "\">"), std::string::npos);
    EXPECT_NE(m.find("<glob pattern=\"*.rkb\"/>"), std::string::npos);
    std::ifstream kuvaus(lahde / "asennus" / (fs::path(asennettu_kuvaustiedosto).filename().string() + ".in"));
    const std::string k((std::istreambuf_iterator<char>(kuvaus)), {});
    EXPECT_NE(k.find(std::string("MimeType=") + rkb_tyyppi + ";"), std::string::npos);
}

}  // namespace
