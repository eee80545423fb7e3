// rkb tapes, merge and lookup run the built tool on real catalogue files.
#include <gtest/gtest.h>


#include <filesystem>
#include <fstream>

#include "testituki/testiviestit.h"
#include "settings/asetukset.h"
#include "testituki/komentotesti.h"
#include "perus/merkisto.h"
#include "storage/tallennus.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;

namespace {

// The tool speaks UTF-8; the test's literals are cp1252 like the program's.
std::string utf(const std::string& cp1252) { return merkisto::cp1252_utf8(cp1252); }

class RkbUudet : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(tila_ / "koti");
        fs::create_directories(tila_ / "gfx" / "kannet");
        // The cards keep the order they were given in every save, the tool's included.
        std::ofstream(tila_ / "koti" / "asetukset.ini", std::ios::binary) << "[Tallennus]\r\nsortattuna=0\r\n";
    }

    struct Kortti {
        const char* nimi;
        const char* kasetti;
        const char* formaatti;
        const char* kesto;
        const char* nauha;
        const char* kansi;
    };
    void tee(const std::string& nimi, std::initializer_list<Kortti> kortit) {
        Tietokanta tk;
        for (const Kortti& k : kortit) {
            TKortti& c = tk.kortit.lisaa_uusi();
            c.nimi = k.nimi;
            c.kasetilla = k.kasetti;
            c.formaatti = k.formaatti;
            c.kesto = k.kesto;
            c.nauha = k.nauha;
            if (*k.kansi) {
                c.cover_fn = std::string("gfx\\kannet\\") + k.kansi;
                std::ofstream(tila_ / "gfx" / "kannet" / k.kansi) << "kuva " << k.kansi;
            }
        }
        const Ohjelmakansio kansio(tila_, jarjestelman_tiedostot());
        diag::TestiViestit viestit;
        diag::EiKiiretta kiire;
        TAsetukset a;
        a.tallenna_sortattuna = false;
        ASSERT_TRUE(tallenna_tietokanta(nimi, Varasto{tk, kansio, jarjestelman_tiedostot(), viestit, kiire, &a}));
        for (const auto& e : fs::directory_iterator(tila_ / "gfx" / "kannet")) fs::remove(e.path());
    }
    Ajotulos rkb(const std::string& parametrit, const char* ohjaus = " 2>/dev/null") const {
        return aja("RULLAKKO_HOME=" + (tila_ / "koti").string() + " " + RKB_EXE + " " + parametrit + ohjaus);
    }
    std::string p(const std::string& nimi) const { return (tila_ / nimi).string(); }

    testituki::Tilapainen_kansio oma_kansio_{"rkb_uudet"};
    fs::path tila_ = oma_kansio_.juuri();
};

TEST_F(RkbUudet, TapesRivitJaVapaanHaku) {
    tee("nauhat.rkb", {{"Yksi", "1", "SP", "90 min", "180", ""},
                       {"Kaksi", "1", "SP", "1h", "180", ""},
                       {"Levy", "2", "DVD", "100 min", "", ""},
                       {"Kolme", "3", "LP", "100 min", "", ""},
                       {"Neljä", "4", "LP", "200 min", "120", ""}});
    const Ajotulos kaikki = rkb("tapes " + p("nauhat.rkb"));
    EXPECT_EQ(kaikki.koodi, 0);
    EXPECT_EQ(kaikki.ulos, "1\t180 min\t150 min\t30 min\n3\t\t50 min\t--\n4\t120 min\t100 min\t20 min\n");
    EXPECT_EQ(rkb("tapes " + p("nauhat.rkb") + " --min 30").ulos, "1\t180 min\t150 min\t30 min\n");
    EXPECT_EQ(rkb("tapes " + p("nauhat.rkb") + " --min 30 --lp").ulos,
              "1\t180 min\t150 min\t30 min\n4\t120 min\t100 min\t20 min\n");

    const Ajotulos ei = rkb("tapes --min 200 " + p("nauhat.rkb"), " 2>&1 >/dev/null");
    EXPECT_EQ(ei.koodi, 0);
    EXPECT_EQ(ei.ulos, utf("Ei löydy!\n"));
    EXPECT_EQ(rkb("tapes " + p("nauhat.rkb") + " --min 200").ulos, kaikki.ulos);

    const Ajotulos huono = rkb("tapes " + p("nauhat.rkb") + " --min kolme", " 2>&1");
    EXPECT_EQ(huono.koodi, 1);
    EXPECT_NE(huono.ulos.find(utf("minuuttimäärä")), std::string::npos);
    EXPECT_EQ(rkb("tapes " + p("ei_ole.rkb")).koodi, 1);
}

TEST_F(RkbUudet, MergeLiittaaJarjestyksessaKansineen) {
    tee("a.rkb", {{"A1", "1", "SP", "", "", "a1.jpg"}, {"A2", "1", "SP", "", "", ""}});
    tee("b.rkb", {{"B1", "2", "SP", "", "", "b1.jpg"}});
    tee("c.rkb", {{"C1", "3", "SP", "", "", "a1.jpg"}});  // its cover name is taken already
    // Covers unpacked only when needed: the merged covers must still reach the result.
    std::ofstream(tila_ / "koti" / "asetukset.ini", std::ios::binary)
        << "[Tallennus]\r\nsortattuna=0\r\nAvaa_kannet_heti=0\r\n";
    const Ajotulos t = rkb("merge " + p("ulos.rkb") + " " + p("a.rkb") + " " + p("b.rkb") + " " + p("c.rkb"), " 2>&1");
    ASSERT_EQ(t.koodi, 0) << t.ulos;
    const std::string runko = rkb("body " + p("ulos.rkb")).ulos;
    const auto kohta = [&](const char* n) { return runko.find(std::string("\r\n") + n + "\r\n"); };
    ASSERT_NE(kohta("C1"), std::string::npos);
    EXPECT_LT(kohta("A1"), kohta("A2"));
    EXPECT_LT(kohta("A2"), kohta("B1"));
    EXPECT_LT(kohta("B1"), kohta("C1"));
    const std::string jasenet = rkb("list " + p("ulos.rkb")).ulos;
    EXPECT_NE(jasenet.find("gfx\\kannet\\a1.jpg\t"), std::string::npos);
    EXPECT_NE(jasenet.find("gfx\\kannet\\b1.jpg\t"), std::string::npos);
    EXPECT_NE(t.ulos.find(utf("saman nimisiä kansikuvia")), std::string::npos);

    EXPECT_EQ(rkb("merge " + p("ulos2.rkb") + " " + p("a.rkb") + " " + p("ei_ole.rkb")).koodi, 1);
    EXPECT_FALSE(fs::exists(tila_ / "ulos2.rkb"));
}

TEST_F(RkbUudet, LookupViitetietokannasta) {
    const std::string dbase = (fs::path(RULLAKKO_SOURCE_DIR) / "data" / "dbase.rkb").string();
    const Ajotulos t = rkb("lookup " + dbase + " " + utf("Kummisetä"));
    EXPECT_EQ(t.koodi, 0);
    EXPECT_EQ(t.ulos, utf("Kummisetä (The Godfather)\nKummisetä osa II (The Godfather Part II)\n"
                          "Kummisetä osa III (The Godfather Part III)\n"));
    EXPECT_EQ(rkb("lookup " + dbase + " '" + utf("Tähtien sota - Imperiumin vastaisku") + "'").ulos,
              utf("Tähtien sota - Imperiumin vastaisku (The Empire Strikes Back)\n"));
    EXPECT_EQ(rkb("lookup " + dbase + " '" + utf("Ei tällaista elokuvaa") + "'").ulos, "");
    EXPECT_EQ(rkb("lookup " + p("ei_ole.rkb") + " Alien").koodi, 1);
}

}  // namespace
