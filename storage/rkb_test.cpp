// The command-line tool reads catalogues exactly as the program does.
#include <gtest/gtest.h>

#include "testituki/komentotesti.h"
#include "testituki/tiedoston_sisalto.h"
#include "storage/runko.h"
#include "testituki/tilapainen_kansio.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

using testituki::tiedoston_sisalto;

const Rkb rkb;

TEST(RkbReadBody, KirjoittaaRungonTavuilleenJaHylkaaRikkinaisen) {
    const fs::path data = fs::path(RULLAKKO_SOURCE_DIR) / "storage" / "testdata";
    const Ajotulos ok = rkb("read-body " + (data / "runko_kaksi_korttia.txt").string());
    EXPECT_EQ(ok.koodi, 0);
    EXPECT_EQ(ok.ulos, tiedoston_sisalto(data / "runko_kaksi_korttia.txt"));

    const Ajotulos vanha = rkb("read-body " + (data / "runko_vanha_48.txt").string());
    EXPECT_EQ(vanha.koodi, 0);
    EXPECT_EQ(vanha.ulos, tiedoston_sisalto(data / "runko_vanha_48_tallennettu.txt"));

    const Ajotulos rikki = rkb("read-body " + (data / "runko_ilman_otsaketta.txt").string(), "2>&1");
    EXPECT_EQ(rikki.koodi, 1);
    EXPECT_NE(rikki.ulos.find("vahingoittunut"), std::string::npos);

    const Ajotulos puuttuu = rkb("read-body /ei/ole/tätä.txt", "2>&1");
    EXPECT_EQ(puuttuu.koodi, 1);
    EXPECT_NE(puuttuu.ulos.find("ei voi lukea"), std::string::npos);
}

TEST(RkbBody, AvaaArkistonTaiRungonJaKertooVahingosta) {
    const testituki::Tilapainen_kansio oma_kansio("rkb_body");
    const fs::path& tila = oma_kansio.juuri();
    const fs::path data = fs::path(RULLAKKO_SOURCE_DIR) / "storage" / "testdata";
    const std::string runko = tiedoston_sisalto(data / "runko_kaksi_korttia.txt");
    std::ofstream(tila / "teksti.rkb", std::ios::binary) << "Hae Rullak\r\n" << runko;
    const Ajotulos teksti = rkb("body " + (tila / "teksti.rkb").string());
    EXPECT_EQ(teksti.koodi, 0);
    EXPECT_EQ(teksti.ulos, runko);

    // A body of many pieces comes out whole; a full disk under the output is a failure.
    const std::size_t kortit = runko.find("\r\n", runko.find(runko_alkaa)) + 2;
    std::string iso = runko.substr(0, kortit);
    iso.replace(iso.find("Kortteja=2"), 10, "Kortteja=8000");
    for (int i = 0; i < 4000; ++i) iso.append(runko, kortit);
    ASSERT_GT(iso.size(), 2u << 20);
    std::ofstream(tila / "iso.rkb", std::ios::binary) << "Hae Rullak\r\n" << iso;
    const Ajotulos isona = rkb("body " + (tila / "iso.rkb").string());
    EXPECT_EQ(isona.koodi, 0);
    EXPECT_TRUE(isona.ulos == iso);
    EXPECT_EQ(rkb("body " + (tila / "iso.rkb").string(), ">/dev/full 2>/dev/null").koodi, 1);

    // Packed by the tool and opened again: the same body.
    std::ofstream(tila / "avattu.$$$", std::ios::binary) << runko;
    const Ajotulos pakkaus = Rkb{"cd " + tila.string() + " &&"}("pack oma.rkb 'avattu.$$$'", "2>&1");
    ASSERT_EQ(pakkaus.koodi, 0) << pakkaus.ulos;
    const Ajotulos arkisto = rkb("body " + (tila / "oma.rkb").string());
    EXPECT_EQ(arkisto.koodi, 0);
    EXPECT_EQ(arkisto.ulos, runko);

    std::string tavut = tiedoston_sisalto(tila / "oma.rkb");
    tavut[2] = static_cast<char>(tavut[2] ^ 1);
    std::ofstream(tila / "oma.rkb", std::ios::binary) << tavut;
    const Ajotulos rikki = rkb("body " + (tila / "oma.rkb").string(), "2>&1 >/dev/null");
    EXPECT_EQ(rikki.koodi, 1);
    EXPECT_NE(rikki.ulos.find("Ctrl+Alt+W"), std::string::npos);

    std::ofstream(tila / "vanha.rkb", std::ios::binary) << "Aliens\r\nToiminta\r\nUSA\r\n12\r\n\r\n\r\n\r\n\r\n\r\n0\r\n"
                                                          "\r\n\r\n\r\n1986\r\n\r\n\r\n\xb6" "Cameron\r\n";
    const Ajotulos vanha = rkb("read-old " + (tila / "vanha.rkb").string());
    EXPECT_EQ(vanha.koodi, 0);
    EXPECT_NE(vanha.ulos.find("Kortteja=1\r\n"), std::string::npos);
    EXPECT_NE(vanha.ulos.find("\r\nAliens\r\nToiminta\r\nUSA\r\n12\r\n"), std::string::npos);
    EXPECT_EQ(rkb("read-old /ei/ole.rkb").koodi, 1);
}

TEST(RkbCopy, TallentaaKansineenJaOhjelmakansionAsetuksin) {
    const testituki::Tilapainen_kansio oma_kansio("rkb_copy");
    const fs::path& tila = oma_kansio.juuri();
    fs::create_directories(tila / "koti");
    fs::create_directories(tila / "gfx" / "kannet");
    const fs::path data = fs::path(RULLAKKO_SOURCE_DIR) / "storage" / "testdata";
    // Two cards on cassette 12, the first with a cover that is packed along.
    std::ofstream(tila / "avattu.$$$", std::ios::binary) << tiedoston_sisalto(data / "runko_kaksi_korttia.txt");
    std::ofstream(tila / "gfx" / "kannet" / "kansi1.jpg", std::ios::binary) << "kuva";
    ASSERT_EQ(Rkb{"cd " + tila.string() + " &&"}("pack oma.rkb 'avattu.$$$' gfx/kannet/kansi1.jpg", "2>&1").koodi, 0);

    const Rkb kotona{"RULLAKKO_HOME=" + (tila / "koti").string()};
    const Ajotulos kopio = kotona("copy " + (tila / "oma.rkb").string() + " " + (tila / "kopio.rkb").string(), "2>&1");
    ASSERT_EQ(kopio.koodi, 0) << kopio.ulos;
    const Ajotulos lista = rkb("list " + (tila / "kopio.rkb").string(), "");
    EXPECT_NE(lista.ulos.find("avattu.$$$\t"), std::string::npos);
    EXPECT_NE(lista.ulos.find("gfx\\kannet\\kansi1.jpg\t4\t"), std::string::npos);
    const Ajotulos runko = rkb("body " + (tila / "kopio.rkb").string());
    EXPECT_EQ(runko.ulos, tiedoston_sisalto(data / "runko_kaksi_korttia.txt"));

    // The program folder's settings decide the sort: by default the cassette order puts Predator (12)
    // before Aliens (moved to cassette 20); with sorting off the file's order stays.
    std::string runko20 = tiedoston_sisalto(data / "runko_kaksi_korttia.txt");
    runko20.replace(runko20.find("\r\n12\r\n"), 6, "\r\n20\r\n");
    std::ofstream(tila / "teksti.rkb", std::ios::binary) << "Hae Rullak\r\n" << runko20;
    const auto ensimmainen = [&](const std::string& asetukset) {
        std::ofstream(tila / "koti" / "asetukset.ini", std::ios::binary) << asetukset;
        EXPECT_EQ(kotona("copy " + (tila / "teksti.rkb").string() + " " + (tila / "k2.rkb").string(), "2>&1").koodi, 0);
        const std::string b = rkb("body " + (tila / "k2.rkb").string()).ulos;
        const std::size_t alku = b.find("\r\n", b.find("alkaa t")) + 2;
        return b.substr(alku, b.find("\r\n", alku) - alku);
    };
    EXPECT_EQ(ensimmainen(""), "Predator");
    EXPECT_EQ(ensimmainen("[Tallennus]\r\nsortattuna=0\r\n"), "Aliens");
    EXPECT_EQ(kotona("copy " + (tila / "ei_ole.rkb").string() + " " + (tila / "k3.rkb").string()).koodi, 1);
    EXPECT_FALSE(fs::exists(tila / "k3.rkb"));
}

}  // namespace
