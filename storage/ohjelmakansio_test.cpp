#include "storage/ohjelmakansio.h"

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

// One listing of a folder finds what the per-name lookup finds, and tells files from folders.
TEST(Ohjelmakansio, KansiolistausLoytaaSamatKuinNimiKerrallaan) {
    const fs::path juuri = fs::temp_directory_path() / ("listaus_" + std::to_string(::getpid()));
    fs::remove_all(juuri);
    fs::create_directories(juuri / "Alikansio");
    std::ofstream(juuri / "Kansi1.JPG") << "x";
    std::ofstream(juuri / "kansi1.jpg") << "x";
    std::ofstream(juuri / utf8(u8"ÄÄNI.txt")) << "x";
    fs::create_symlink(juuri / "Kansi1.JPG", juuri / "linkki.jpg");
    fs::create_symlink(juuri / "ei_ole", juuri / "orpo.jpg");
    Kansiolistaus listaus(juuri);
    struct Tapaus {
        const char* nimi;  // UTF-8
        bool tiedosto;
    };
    for (const Tapaus& t : {Tapaus{"kansi1.jpg", true}, Tapaus{"Kansi1.JPG", true}, Tapaus{"KANSI1.jpg", true},
                            Tapaus{"alikansio", false}, Tapaus{reinterpret_cast<const char*>(u8"ääni.TXT"), true},
                            Tapaus{"linkki.jpg", true}, Tapaus{"orpo.jpg", false}, Tapaus{"uusi.jpg", false}}) {
        EXPECT_EQ(listaus.polku(t.nimi), tiedostopolku(merkisto::utf8_cp1252(t.nimi), juuri)) << t.nimi;
        EXPECT_EQ(listaus.tiedosto(t.nimi), t.tiedosto) << t.nimi;
    }
    std::ofstream(juuri / "Uusi.jpg") << "x";
    EXPECT_FALSE(listaus.tiedosto("uusi.jpg"));  // made by someone else after the listing
    listaus.lisaa("Uusi.jpg");
    EXPECT_TRUE(listaus.tiedosto("UUSI.JPG"));
    EXPECT_EQ(listaus.polku("uusi.JPG"), juuri / "Uusi.jpg");
    EXPECT_FALSE(Kansiolistaus(juuri / "ei_ole").tiedosto("x"));
    fs::remove_all(juuri);
}

TEST(Ohjelmakansio, YmparistomuuttujaVoittaa) {
    ::setenv("RULLAKKO_HOME", "/tmp/rullakko_koti", 1);
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(), fs::path("/tmp/rullakko_koti"));
    ::unsetenv("RULLAKKO_HOME");
    EXPECT_TRUE(fs::exists(Ohjelmakansio::etsi_juuri()));
}
