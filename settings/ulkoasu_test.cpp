#include <gtest/gtest.h>

#include "diag/loki.h"
#include "testituki/testiviestit.h"
#include "settings/asetukset.h"
#include "testituki/asetustesti.h"
#include "perus/ohjelmakansio.h"

namespace fs = std::filesystem;

namespace {

const std::string puuttuu_ikkunat =
    "Valitsemasi ikkunoiden ulkoasu [rikki] ei ole kelvollinen! Tiedosto ULKOASU.INI puuttuu!\n"
    "palautetaan ulkoasu \"perus\"! (Käy asetuksissa, valitse toimiva ulkoasu ja tallenna muutokset)";

class UlkoasuTesti : public ::testing::Test {
protected:
    void SetUp() override {
        diag::loki().nollaa();
        asetustesti::tee_ulkoasu(k_, "perus",
                                 asetustesti::kuvaus_kuvakkein + "[Tekstit]\r\nPääikkuna_Normaali=255\r\n");
    }
    Asetusymparisto ymparisto() { return {ohjelmakansio_, jarjestelman_tiedostot(), viestit_, nullptr, [this] { ++ladattu_; }}; }
    fs::path gfx(const std::string& ulkoasu, const std::string& kuva) const {
        return k_.juuri() / "gfx" / ulkoasu / kuva;
    }

    testituki::Tilapainen_kansio k_;
    Ohjelmakansio ohjelmakansio_{k_.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit_;
    int ladattu_ = 0;
};

TEST_F(UlkoasuTesti, KelvollisenUlkoasunVaritJaKuvat) {
    asetustesti::tee_ulkoasu(k_, "Tumma",
                             "[TEKSTIT]\r\npääikkuna_normaali=0xFFFFFF\r\nPääikkuna_Korostettu=65280\r\n"
                             "[Kentät]\r\nExtrat=0x00FF00\r\nKenttien_reunat=roskaa\r\nKenttien_DownArrow=99999999\r\n");
    asetustesti::tee_ulkoasu(k_, "napit",
                             asetustesti::kuvaus_kuvakkein +
                                 "Lista=oma_lista.bmp\r\nicon_korostus=70\r\n[Napit]\r\nKorosta=300\r\n"
                                 "[Etsi]\r\nPeruuta=_etsi.bmp\r\n",
                             {"tausta2.bmp"});
    k_.kirjoita("gfx/napit/oma_lista.bmp", "BM");
    TAsetukset a;
    a.skin_dir = "tumma";  // folders are found without regard to case
    a.button_dir = "napit";
    ASSERT_EQ(lataa_ulkoasu(a, ymparisto()), Lataustulos::Valmis);
    EXPECT_TRUE(viestit_.naytetyt.empty());
    EXPECT_EQ(ladattu_, 1);
    const Ulkoasu& u = a.ulkoasu;
    EXPECT_EQ(u.paaikkuna_normaali, 0xFFFFFFu);
    EXPECT_EQ(u.paaikkuna_korostettu, 65280u);
    EXPECT_EQ(u.paaikkuna_himmennetty, 0xEEEEu);  // missing keys take their defaults
    EXPECT_EQ(u.kenttien_vari, 0xFFFFFFu);
    EXPECT_EQ(u.extrat, 0x00FF00u);
    EXPECT_EQ(u.kenttien_reunat, 0u);              // not a number
    EXPECT_EQ(u.kenttien_downarrow, 0xC5D6D9u);    // not a colour
    EXPECT_EQ(u.tausta1, gfx("Tumma", "tausta1.bmp"));
    EXPECT_EQ(u.tausta2, gfx("Tumma", "tausta2.bmp"));
    EXPECT_EQ(u.nappi(Nappi::Lista), gfx("napit", "oma_lista.bmp"));
    EXPECT_EQ(u.nappi(Nappi::Seuraava), gfx("napit", "_Seuraava.bmp"));
    EXPECT_EQ(u.ikoni(Ikoni::lista_info_icon), gfx("napit", "lista_info.bmp"));
    EXPECT_EQ(u.etsi_peruuta, gfx("napit", "_etsi.bmp"));
    EXPECT_EQ(u.jarjesta_peruuta, gfx("napit", "_peruuta.bmp"));
    EXPECT_EQ(u.tahdet2, gfx("napit", "tahdet2.bmp"));
    EXPECT_EQ(u.icon_korostus, 70);
    EXPECT_EQ(u.korosta, 255);
}

TEST_F(UlkoasuTesti, PakotettuKenttavariJaPuuttuvaTausta2) {
    asetustesti::tee_ulkoasu(k_, "vaalea", "[Kentät]\r\nKenttien_Vari=123\r\n", {"tausta2.bmp"});
    TAsetukset a;
    a.skin_dir = "vaalea";
    lataa_ulkoasu(a, ymparisto());
    EXPECT_EQ(a.ulkoasu.kenttien_vari, 123u);
    EXPECT_EQ(a.ulkoasu.tausta2, gfx("perus", "tausta2.bmp"));
    a.force_kentan_vari = true;
    a.force_vari = 0x335577;
    lataa_ulkoasu(a, ymparisto());
    EXPECT_EQ(a.ulkoasu.kenttien_vari, 0x335577u);
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(UlkoasuTesti, VarasuunnitelmatJaNiidenViestit) {
    asetustesti::tee_ulkoasu(k_, "rikki", "");  // every picture, no description
    asetustesti::tee_ulkoasu(k_, "vajaa", asetustesti::kuvaus_kuvakkein + "Uusi=ei_ole.bmp\r\n");
    asetustesti::tee_ulkoasu(k_, "karkuri", "[Pääikkuna]\r\nLista=..\\..\\perus\\_Lista.bmp\r\n" +
                                                asetustesti::kuvaus_kuvakkein.substr(13));
    const std::string kuvia_puuttuu = "] ei ole kelvollinen (tiedostoja puuttuu!)\n"
                                      "Käy asetuksissa, valitse ja tallenna toimiva ulkoasu! Ulkoasu saattaa näkyä väärin!";
    struct Tapaus {
        const char* ikkunat;
        const char* napit;
        std::vector<std::string> viestit;
    };
    const Tapaus tapaukset[] = {
        {"rikki", "perus", {puuttuu_ikkunat}},
        {"perus", "rikki",
         {"Valitsemasi nappien ulkoasu [rikki] ei ole kelvollinen! Tiedosto ULKOASU.INI puuttuu!\n"
          "palautetaan ulkoasu \"perus\"! (Käy asetuksissa, valitse toimiva ulkoasu ja tallenna muutokset)"}},
        {"ei_ole", "perus",
         {"Valitsemasi ikkunoiden ulkoasu [ei_ole] ei ole kelvollinen! Tiedosto ULKOASU.INI puuttuu!\n"
          "palautetaan ulkoasu \"perus\"! (Käy asetuksissa, valitse toimiva ulkoasu ja tallenna muutokset)"}},
        // Names from a file never lead out of gfx\.
        {"..\\perus", "perus",
         {"Valitsemasi ikkunoiden ulkoasu [..\\perus] ei ole kelvollinen! Tiedosto ULKOASU.INI puuttuu!\n"
          "palautetaan ulkoasu \"perus\"! (Käy asetuksissa, valitse toimiva ulkoasu ja tallenna muutokset)"}},
        {"perus", "karkuri", {"Valitsemasi ulkoasu [perus/karkuri" + kuvia_puuttuu}},
        // A missing picture of the button skin sends both skins back to "perus".
        {"vajaa", "vajaa", {"Valitsemasi ulkoasu [vajaa/vajaa" + kuvia_puuttuu}},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(std::string(t.ikkunat) + "/" + t.napit);
        diag::TestiViestit v;
        TAsetukset a;
        a.skin_dir = t.ikkunat;
        a.button_dir = t.napit;
        ASSERT_EQ(lataa_ulkoasu(a, {ohjelmakansio_, jarjestelman_tiedostot(), v, nullptr, nullptr}), Lataustulos::Valmis);
        EXPECT_EQ(v.tekstit(), t.viestit);
        for (const auto& n : v.naytetyt) EXPECT_EQ(n.laji, diag::Laji::Varoitus);
        EXPECT_EQ(a.skin_dir, "perus");
        EXPECT_EQ(a.button_dir, "perus");
        // Colours and pictures then all come from "perus".
        EXPECT_EQ(a.ulkoasu.paaikkuna_normaali, 255u);
        EXPECT_EQ(a.ulkoasu.nappi(Nappi::Uusi), gfx("perus", "_uusi.bmp"));
        EXPECT_EQ(a.ulkoasu.tausta1, gfx("perus", "tausta1.bmp"));
    }
}

TEST_F(UlkoasuTesti, TyhjaUlkoasunNimiNollaaAsetukset) {
    k_.kirjoita("asetukset.ini", "[Näkymä]\r\nform_skin_dir=\r\nkesto=0\r\n");
    TAsetukset a;
    EXPECT_EQ(lue_ini(a, ymparisto()), Lataustulos::Lopeta);
    EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{"Ohjelma yritti ladata grafiikkoja ennen asetuksia (bugi?!)\n"
                                                           "nollataan ohjelman asetukset ja lopetetaan ohjelma"});
    EXPECT_EQ(viestit_.naytetyt[0].laji, diag::Laji::Virhe);
    EXPECT_EQ(a.skin_dir, "perus");
    EXPECT_TRUE(a.minuutteina);
    EXPECT_NE(k_.lue("asetukset.ini").find("form_skin_dir=perus\r\nbutton_skin_dir=perus\r\n"), std::string::npos);
    EXPECT_EQ(k_.lue("asetukset.ini").find("kesto=0"), std::string::npos);
    EXPECT_EQ(a.ulkoasu.tausta1, gfx("perus", "tausta1.bmp"));
}

TEST_F(UlkoasuTesti, UlkoasulistatJaTietokannat) {
    asetustesti::tee_ulkoasu(k_, "Molemmat", "");
    asetustesti::tee_ulkoasu(k_, "Vain napit", "", {"tausta1.bmp"});
    asetustesti::tee_ulkoasu(k_, "vain ikkunat", "", {"tahdet.bmp"});
    asetustesti::tee_ulkoasu(k_, ".piilo", "");
    fs::create_directories(k_.juuri() / "gfx" / "kannet");
    k_.kirjoita("gfx/tiedosto.bmp", "BM");
    const Ulkoasulistat l = listaa_ulkoasut(ohjelmakansio_);
    EXPECT_EQ(l.ikkunat, (std::vector<std::string>{"molemmat", "perus", "vain ikkunat"}));
    EXPECT_EQ(l.napit, (std::vector<std::string>{"Molemmat", "perus", "Vain napit"}));

    k_.kirjoita("b.rkb", "x");
    k_.kirjoita("A.RKB", "x");
    k_.kirjoita("c.rkb.bak", "x");
    k_.kirjoita("rkb", "x");
    fs::create_directories(k_.juuri() / "kansio.rkb");
    EXPECT_EQ(listaa_tietokannat(ohjelmakansio_), (std::vector<std::string>{"A.RKB", "b.rkb"}));
}

}  // namespace
