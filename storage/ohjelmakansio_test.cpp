#include "storage/ohjelmakansio.h"

#include "testituki/vikaantuvat_tiedostot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "storage/merkisto.h"

namespace fs = std::filesystem;

namespace {
// UTF-8 text as the file system and the terminal have it (narrow literals are cp1252 here).
std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }
}  // namespace

TEST(Merkisto, Cp1252JaUtf8Edestakaisin) {
    std::string kaikki;
    for (int c = 1; c < 256; ++c) kaikki += static_cast<char>(c);
    EXPECT_EQ(merkisto::utf8_cp1252(merkisto::cp1252_utf8(kaikki)), kaikki);
    EXPECT_EQ(merkisto::cp1252_utf8("\xe4\x80"), utf8(u8"ä€"));
    EXPECT_EQ(merkisto::utf8_cp1252(utf8(u8"Åke \xf0\x9f\x98\x80 Ö")), "\xc5ke ? \xd6");  // an emoji has no cp1252 byte
    EXPECT_EQ(merkisto::utf8_cp1252("rikki \xc3"), "rikki \xc3");  // a cut sequence stays as bytes
}

TEST(Ohjelmakansio, KenoviivanimetJaKirjainkoko) {
    const fs::path juuri = fs::temp_directory_path() / ("kansio_" + std::to_string(::getpid()));
    fs::remove_all(juuri);
    fs::create_directories(juuri / "GFX" / "Kannet");
    std::ofstream(juuri / "GFX" / "Kannet" / "Kansi1.JPG") << "x";
    std::ofstream(juuri / utf8(u8"ÄÄNI.txt")) << "x";
    const Ohjelmakansio k(juuri);
    EXPECT_EQ(k.polku("gfx\\kannet\\kansi1.jpg"), juuri / "GFX" / "Kannet" / "Kansi1.JPG");
    EXPECT_EQ(k.polku("gfx/kannet/uusi.jpg"), juuri / "GFX" / "Kannet" / "uusi.jpg");
    EXPECT_EQ(k.polku("asetukset.ini"), juuri / "asetukset.ini");
    EXPECT_EQ(k.polku("\xe4\xe4ni.txt"), juuri / utf8(u8"ÄÄNI.txt"));
    EXPECT_EQ(k.polku("/etc/passwd"), fs::path("/etc/passwd"));
    fs::remove_all(juuri);
}

TEST(Ohjelmakansio, YmparistomuuttujaVoittaa) {
    ::setenv("RULLAKKO_HOME", "/tmp/rullakko_koti", 1);
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(), fs::path("/tmp/rullakko_koti"));
    ::unsetenv("RULLAKKO_HOME");
    EXPECT_TRUE(fs::exists(Ohjelmakansio::etsi_juuri()));
}

// A folder that cannot be written is named with the system's reason, and the probe leaves nothing behind.
TEST(Ohjelmakansio, KirjoituskelvotonKansioKerrotaanSyyn) {
    const fs::path juuri = fs::temp_directory_path() / ("kansiokoe_" + std::to_string(::getpid()));
    fs::create_directories(juuri);
    VikaantuvatTiedostot t;
    EXPECT_EQ(ohjelmakansion_kirjoitusvirhe(juuri, t), std::nullopt);
    EXPECT_TRUE(fs::is_empty(juuri));
    t.epaonnistu(VikaantuvatTiedostot::Vaihe::Luo, EROFS);
    const auto viesti = ohjelmakansion_kirjoitusvirhe(juuri, t);
    ASSERT_TRUE(viesti);
    EXPECT_EQ(viesti->rfind("Ohjelman kansioon " + polku_tekstiksi(juuri) + " ei voi kirjoittaa (levy on kirjoitussuojattu).", 0), 0u);
    fs::remove_all(juuri);
}
