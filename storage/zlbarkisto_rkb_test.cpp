// rkb list, extract and pack, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "testituki/komentotesti.h"
#include "storage/zlbarkisto.h"
#include "storage/zlbarkisto_testiapu.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;

namespace {

using zlb_testi::kirjoita;
using zlb_testi::lue;

class RkbArkisto : public ::testing::Test {
protected:
    void SetUp() override {
        std::mt19937 g(7);
        for (char& c : kuva_) c = static_cast<char>(g());
        for (int i = 0; i < 400; ++i) runko_ += "Nimi=Elokuva " + std::to_string(i % 13) + "\r\n";
        kirjoita(juuri_ / "avattu.$$$", runko_);
        kirjoita(juuri_ / "gfx" / "kannet" / "a.jpg", kuva_);
        kirjoita(juuri_ / "gfx" / "kannet" / "k\xC3\xA4\xC3\xA4.jpg", "kää");  // "kää.jpg" on disk
    }

    Ajotulos pakkaa() { return rkb("pack out.rkb 'avattu.$$$' gfx/kannet/a.jpg 'gfx/kannet/k\xC3\xA4\xC3\xA4.jpg'"); }

    testituki::Tilapainen_kansio kansio_{"zlbarkisto_rkb"};
    fs::path juuri_ = kansio_.juuri();
    // rkb in the test's folder, with standard error folded into the output.
    const Rkb rkb{"cd '" + juuri_.string() + "' &&", "2>&1"};
    std::string kuva_ = std::string(2000, '\0');
    std::string runko_;
};

std::string crc_hex(const std::string& s) {
    char t[9];
    std::snprintf(t, sizeof t, "%08lx", ::crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
    return t;
}

TEST_F(RkbArkisto, PakkaaListaaJaPuraTakaisin) {
    const Ajotulos pakattu = pakkaa();
    ASSERT_EQ(pakattu.koodi, 0) << pakattu.ulos;
    EXPECT_EQ(pakattu.ulos, "");

    TZLBArchive a(jarjestelman_tiedostot());
    ASSERT_TRUE(a.Open(juuri_ / "out.rkb"));
    ASSERT_EQ(a.entries().size(), 3u);
    const Ajotulos lista = rkb("list out.rkb");
    ASSERT_EQ(lista.koodi, 0) << lista.ulos;
    const std::string odotettu =
        "avattu.$$$\t" + std::to_string(runko_.size()) + "\t" + std::to_string(a.entries()[0].pakattu_koko) + "\t0\t" + crc_hex(runko_) + "\n" +
        "gfx\\kannet\\a.jpg\t2000\t2000\t1\t" + crc_hex(kuva_) + "\n" +
        "gfx\\kannet\\k\xC3\xA4\xC3\xA4.jpg\t3\t3\t1\t" + crc_hex("kää") + "\n";
    EXPECT_EQ(lista.ulos, odotettu);
    EXPECT_LT(a.entries()[0].pakattu_koko, runko_.size());
    EXPECT_EQ(a.entries()[0].taso, 3);  // maximum compression

    // A file already in the destination is kept and named; the rest are extracted with their folders.
    kirjoita(juuri_ / "kohde" / "gfx" / "kannet" / "a.jpg", "oma");
    const Ajotulos purettu = rkb("extract out.rkb kohde");
    EXPECT_EQ(purettu.koodi, 0) << purettu.ulos;
    EXPECT_NE(purettu.ulos.find("a.jpg"), std::string::npos) << purettu.ulos;
    EXPECT_EQ(lue(juuri_ / "kohde" / "avattu.$$$"), runko_);
    EXPECT_EQ(lue(juuri_ / "kohde" / "gfx" / "kannet" / "a.jpg"), "oma");
    EXPECT_EQ(lue(juuri_ / "kohde" / "gfx" / "kannet" / "k\xC3\xA4\xC3\xA4.jpg"), "kää");
}

TEST_F(RkbArkisto, VirheetKomponentinTeksteinJaPaluuarvolla) {
    ASSERT_EQ(pakkaa().koodi, 0);
    const std::string ennen = lue(juuri_ / "out.rkb");
    EXPECT_EQ(pakkaa().ulos, "File already exists\n");
    EXPECT_EQ(pakkaa().koodi, 1);
    EXPECT_EQ(lue(juuri_ / "out.rkb"), ennen);

    const Ajotulos puuttuu = rkb("pack uusi.rkb 'avattu.$$$' gfx/ei_ole.jpg");
    EXPECT_EQ(puuttuu.koodi, 1);
    EXPECT_EQ(puuttuu.ulos, "Unable to open file (gfx/ei_ole.jpg)\n");
    EXPECT_FALSE(fs::exists(juuri_ / "uusi.rkb"));

    std::string rikki = ennen;
    rikki[5] ^= 0x20;
    kirjoita(juuri_ / "rikki.rkb", rikki);
    for (const char* komento : {"list rikki.rkb", "extract rikki.rkb kohde"}) {
        const Ajotulos t = rkb(komento);
        EXPECT_EQ(t.koodi, 1) << komento;
        EXPECT_EQ(t.ulos, "The archive file appears to be corrupted\n") << komento;
    }
    EXPECT_EQ(rkb("list ei_ole.rkb").ulos, "Archive file not found\n");
    EXPECT_FALSE(fs::exists(juuri_ / "kohde"));
}

}  // namespace
