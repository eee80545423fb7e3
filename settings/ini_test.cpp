#include "settings/ini.h"

#include <gtest/gtest.h>

#include "testituki/tilapainen_kansio.h"

namespace {

const char* const tiedosto =
    "; omat muistiinpanot\r\n"
    "[Näkymä]\r\n"
    "  KESTO =  0  \r\n"
    "Form_Skin_Dir=\"tumma\"\r\n"
    "kesto=1\r\n"
    "rikki rivi ilman yhtäsuuruutta\r\n"
    "\r\n"
    "[sekalaista]\n"
    "default_open=Elokuvat ja sarjat.rkb\n"
    "tyhja=\n"
    "[NÄKYMÄ]\r\n"
    "himmennys=1\r\n";

}  // namespace

TEST(Ini, LukeeNimetKirjainkoostaRiippumattaJaTekstinSellaisenaan) {
    IniTiedosto ini;
    ini.jasenna(tiedosto);
    struct Tapaus {
        const char* osio;
        const char* avain;
        std::optional<std::string> odotettu;
    };
    const Tapaus tapaukset[] = {
        {"Näkymä", "kesto", "0"},                  // blanks around key and value, first of two keys
        {"NÄKYMÄ", "KESTO", "0"},                  // "Ä" matches "ä"
        {"näkymä", "form_skin_dir", "tumma"},      // one pair of quotes goes
        {"Sekalaista", "default_open", "Elokuvat ja sarjat.rkb"},  // LF-only lines, inner blanks kept
        {"Sekalaista", "tyhja", ""},               // an empty value is a value
        {"Näkymä", "himmennys", std::nullopt},     // only the first section of that name counts
        {"Näkymä", "default_open", std::nullopt},  // keys of another section are not seen
        {"Puuttuu", "kesto", std::nullopt},
        {"Näkymä", "rikki rivi ilman yhtäsuuruutta", std::nullopt},
    };
    for (const Tapaus& t : tapaukset) EXPECT_EQ(ini.lue(t.osio, t.avain), t.odotettu) << t.osio << "/" << t.avain;
}

TEST(Ini, KirjoitusPaivittaaPaikallaanJaSailyttaaMuutRivit) {
    IniTiedosto ini;
    ini.jasenna(tiedosto);
    ini.kirjoita("NÄKYMÄ", "kesto", "1");                      // in place, the program's spelling
    ini.kirjoita("Näkymä", "smoothen_cover", "0");             // new key: after the section's last line
    ini.kirjoita("Sekalaista", "notify_dates", "rivi\r\nkaksi");  // a value never breaks its line
    ini.kirjoita("IMDB", "dl_cover_default", "1");             // new section at the end
    EXPECT_EQ(ini.sisalto(),
              "; omat muistiinpanot\r\n"
              "[Näkymä]\r\n"
              "kesto=1\r\n"
              "Form_Skin_Dir=\"tumma\"\r\n"
              "kesto=1\r\n"
              "rikki rivi ilman yhtäsuuruutta\r\n"
              "smoothen_cover=0\r\n"
              "\r\n"
              "[sekalaista]\r\n"
              "default_open=Elokuvat ja sarjat.rkb\r\n"
              "tyhja=\r\n"
              "notify_dates=rivi  kaksi\r\n"
              "[NÄKYMÄ]\r\n"
              "himmennys=1\r\n"
              "[IMDB]\r\n"
              "dl_cover_default=1\r\n");
}

TEST(Ini, KokonaisluvutJaVaarat) {
    struct Tapaus {
        const char* teksti;
        std::optional<int> odotettu;
    };
    const Tapaus tapaukset[] = {
        {"14", 14},        {" 7 ", 7},      {"-3", -3},          {"+5", 5},
        {"0xFFFF", 65535}, {"$ff", 255},    {"0", 0},            {"16777215", 16777215},
        {"", {}},          {"abc", {}},     {"12abc", {}},       {"1.5", {}},
        {"0x", {}},        {"-", {}},       {"99999999999", {}}, {"2147483648", {}},
    };
    for (const Tapaus& t : tapaukset) EXPECT_EQ(ini_kokonaisluku(t.teksti), t.odotettu) << t.teksti;
}

TEST(Ini, TallennusKorvaaKokonaanTaiEiLainkaan) {
    const testituki::Tilapainen_kansio k;
    k.kirjoita("vanha.ini", "[A]\r\nb=1\r\n");
    IniTiedosto ini;
    ASSERT_TRUE(ini.lataa(jarjestelman_tiedostot(), k.juuri() / "vanha.ini"));
    ini.kirjoita("A", "b", "2");
    ASSERT_TRUE(ini.tallenna(jarjestelman_tiedostot(), k.juuri() / "vanha.ini"));
    EXPECT_EQ(k.lue("vanha.ini"), "[A]\r\nb=2\r\n");
    // A folder in the file's place cannot be replaced; nothing is left behind beside it.
    std::filesystem::create_directories(k.juuri() / "kansio.ini" / "sisalla");
    EXPECT_FALSE(ini.tallenna(jarjestelman_tiedostot(), k.juuri() / "kansio.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(k.juuri() / "kansio.ini" / "sisalla"));
    int tiedostoja = 0;
    for (const auto& e : std::filesystem::directory_iterator(k.juuri())) tiedostoja += e.is_regular_file();
    EXPECT_EQ(tiedostoja, 1);
    // Under a missing folder there is nothing to write into.
    EXPECT_FALSE(ini.tallenna(jarjestelman_tiedostot(), k.juuri() / "ei_ole" / "a.ini"));
}

TEST(Ini, PuuttuvaTiedostoOnTyhja) {
    const testituki::Tilapainen_kansio k;
    IniTiedosto ini;
    EXPECT_TRUE(ini.lataa(jarjestelman_tiedostot(), k.juuri() / "ei_ole.ini"));
    EXPECT_TRUE(ini.rivit().empty());
}
