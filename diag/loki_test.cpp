#include "diag/loki.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "perus/tiedostojarjestelma.h"
#include "testituki/testiviestit.h"
#include "testituki/vikaantuvat_tiedostot.h"
#include "testituki/tiedoston_sisalto.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;

namespace {

class LokiTesti : public ::testing::Test {
protected:
    void SetUp() override {
        diag::loki().nollaa();
        diag::loki().aseta_tiedosto(jarjestelman_tiedostot(), kansio_ / "rulladb_debug.log");
    }
    void TearDown() override { diag::loki().nollaa(); }
    std::string tiedosto() { return testituki::tiedoston_sisalto(kansio_ / "rulladb_debug.log"); }
    testituki::Tilapainen_kansio oma_kansio_{"loki"};
    fs::path kansio_ = oma_kansio_.juuri();
};

TEST_F(LokiTesti, KytkimetPoissaMitaanEiKirjoitetaLevylle) {
    kirjoita_debug("jälki");
    kirjoita_debug_aina("virhe");
    EXPECT_FALSE(fs::exists(kansio_ / "rulladb_debug.log"));
    EXPECT_EQ(diag::loki().rivit(), std::deque<std::string>{"virhe"});
    diag::loki().aseta_naytolle(true);
    kirjoita_debug("näkyy");
    EXPECT_EQ(diag::loki().rivit().back(), "näkyy");
}

TEST_F(LokiTesti, IkkunaPitaa34ViimeistaRivia) {
    diag::loki().aseta_naytolle(true);
    for (int i = 1; i <= 35; ++i) kirjoita_debug("rivi " + std::to_string(i));
    ASSERT_EQ(diag::loki().rivit().size(), 34u);
    EXPECT_EQ(diag::loki().rivit().front(), "rivi 2");
    EXPECT_EQ(diag::loki().rivit().back(), "rivi 35");
    diag::loki().tyhjenna_rivit();
    EXPECT_TRUE(diag::loki().rivit().empty());
}

// A window opened while another shows the log takes it over; the first one closing leaves it with the second.
TEST_F(LokiTesti, UusinNakymaNayttaaJaVanhanSulkeminenEiIrrotaSita) {
    struct Nakyma final : diag::Lokin_nakyma {
        int kertoja = 0;
        void rivit_muuttuivat() override { ++kertoja; }
        void kytkimet_muuttuivat() override {}
    } eka, toka;
    {
        auto ensimmainen = std::make_unique<diag::Lokiin_kytketty<diag::Lokin_nakyma>>(eka);
        const diag::Lokiin_kytketty<diag::Lokin_nakyma> toinen(toka);
        kirjoita_debug_aina("yksi");
        ensimmainen.reset();
        kirjoita_debug_aina("kaksi");
        EXPECT_EQ(eka.kertoja, 0);
        EXPECT_EQ(toka.kertoja, 2);
    }
    kirjoita_debug_aina("kolme");
    EXPECT_EQ(toka.kertoja, 2);
}

TEST_F(LokiTesti, TiedostoSaaOtsakkeenKerranJaRivitPerakkain) {
    struct Otsikko final : diag::Lokin_otsikko {
        std::string otsikko_ = "Rullakko v1.36";
        std::vector<std::string> otsikot;
        std::string otsikko() const override { return otsikko_; }
        void vaihda_otsikko(const std::string& t) override {
            otsikot.push_back(t);
            otsikko_ = t;
        }
    } ikkuna;
    const diag::Lokiin_kytketty<diag::Lokin_otsikko> kytkenta(ikkuna);
    const std::vector<std::string>& otsikot = ikkuna.otsikot;
    diag::loki().aseta_tiedostoon(true);
    kirjoita_debug("eka");
    kirjoita_debug_aina("toka ä");
    EXPECT_EQ(tiedosto(), "Rullakko debuggeri logi:\r\neka\r\ntoka ä\r\n");
    // A second run appends below the first without another header.
    diag::loki().aseta_tiedostoon(false);
    kirjoita_debug("ei tiedostoon");
    diag::loki().aseta_tiedostoon(true);
    kirjoita_debug("kolmas");
    EXPECT_EQ(tiedosto(), "Rullakko debuggeri logi:\r\neka\r\ntoka ä\r\nkolmas\r\n");
    ASSERT_EQ(otsikot.size(), 6u);
    EXPECT_EQ(otsikot[0], "Rullakko v1.36" + diag::otsikon_jatke(kansio_ / "rulladb_debug.log"));
    EXPECT_EQ(otsikot[1], "Rullakko v1.36");
    EXPECT_EQ(ikkuna.otsikko(), "Rullakko v1.36");
    EXPECT_NE(otsikot[0].find(" // Kirjoitetaan "), std::string::npos);
}

TEST_F(LokiTesti, KirjoituskelvotonTiedostoKertooKerranJaKytkeeTiedostonPois) {
    diag::TestiViestit v;
    diag::loki().aseta_viestit(&v);
    diag::loki().aseta_tiedosto(jarjestelman_tiedostot(), kansio_ / "ei_ole" / "rulladb_debug.log");
    struct Nakyma final : diag::Lokin_nakyma {
        int muutoksia = 0;
        void rivit_muuttuivat() override {}
        void kytkimet_muuttuivat() override { ++muutoksia; }
    } nakyma;
    const diag::Lokiin_kytketty<diag::Lokin_nakyma> kytkenta(nakyma);
    const int& muutoksia = nakyma.muutoksia;
    diag::loki().aseta_tiedostoon(true);
    kirjoita_debug("yksi");
    kirjoita_debug("kaksi");
    EXPECT_FALSE(diag::loki().tiedostoon());
    EXPECT_EQ(muutoksia, 1);
    ASSERT_EQ(v.naytetyt.size(), 1u);
    EXPECT_EQ(v.naytetyt[0].laji, diag::Laji::Virhe);
    EXPECT_NE(v.naytetyt[0].teksti.find("ei voi kirjoittaa"), std::string::npos);
}

TEST_F(LokiTesti, TaysiLevyKytkeeTiedostonPoisJaAiemmatRivitSailyvat) {
    diag::TestiViestit v;
    diag::loki().aseta_viestit(&v);
    VikaantuvatTiedostot vt;
    diag::loki().aseta_tiedosto(vt, kansio_ / "rulladb_debug.log");
    diag::loki().aseta_tiedostoon(true);
    kirjoita_debug("eka");
    vt.epaonnistu(VikaantuvatTiedostot::Vaihe::Kirjoita, ENOSPC, "rulladb_debug");
    kirjoita_debug("toka");
    EXPECT_FALSE(diag::loki().tiedostoon());
    ASSERT_EQ(v.naytetyt.size(), 1u);
    EXPECT_NE(v.naytetyt[0].teksti.find("ei voi kirjoittaa"), std::string::npos);
    EXPECT_EQ(tiedosto(), "Rullakko debuggeri logi:\r\neka\r\n");
}

}  // namespace
