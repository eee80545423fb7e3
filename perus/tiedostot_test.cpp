#include "perus/tiedostot.h"
#include "testituki/tilapainen_kansio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string lue(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(lue_koko_tiedosto(jarjestelman_tiedostot(), p, s));
    return s;
}

}  // namespace

TEST(Tiedostot, KorvaaPitaaOikeudetJaEiJataValiaikaisia) {
    const testituki::Tilapainen_kansio k("perus");
    const fs::path f = k.juuri() / "a.ini";
    ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, "eka"));
    ::chmod(f.c_str(), 0600);
    ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, std::string("toka\0x", 6)));
    EXPECT_EQ(lue(f), std::string("toka\0x", 6));
    struct stat st {};
    ::stat(f.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(k.juuri()), fs::directory_iterator()), 1);
}

TEST(Tiedostot, EpaonnistunutKorvausJattaaVanhanJaKertooSyyn) {
    const testituki::Tilapainen_kansio k("perus");
    // Renaming a file over a folder fails at the last step, after the new data was written.
    const fs::path f = k.juuri() / "kansio";
    fs::create_directories(f / "sisalla");
    const Tulos t = korvaa_tiedosto(jarjestelman_tiedostot(), f, "uusi");
    EXPECT_FALSE(t);
    EXPECT_NE(t.viesti.find("nimi on kansio"), std::string::npos) << t.viesti;
    EXPECT_TRUE(fs::is_directory(f / "sisalla"));
    EXPECT_EQ(std::distance(fs::directory_iterator(k.juuri()), fs::directory_iterator()), 1);
}

TEST(Tiedostot, PuuttuvaKansioJaPuuttuvaTiedosto) {
    const testituki::Tilapainen_kansio k("perus");
    EXPECT_EQ(korvaa_tiedosto(jarjestelman_tiedostot(), k.juuri() / "ei" / "a", "x").koodi, ENOENT);
    std::string s;
    const Tulos t = lue_koko_tiedosto(jarjestelman_tiedostot(), k.juuri() / "ei_ole", s);
    EXPECT_EQ(t.koodi, ENOENT);
    EXPECT_NE(t.viesti.find("tiedostoa tai kansiota ei ole"), std::string::npos);
}

TEST(Tiedostot, PaloinKorvausJaNimeltaKirjoittava) {
    const testituki::Tilapainen_kansio k("perus");
    const fs::path f = k.juuri() / "lista.html";
    ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, "vanha"));
    {
        // Abandoned halfway: the old file stays and nothing is left beside it.
        Korvaus kesken(jarjestelman_tiedostot(), f);
        kesken.kirjoita("uusi ");
        EXPECT_TRUE(fs::exists(kesken.valiaikainen()));
    }
    EXPECT_EQ(lue(f), "vanha");
    EXPECT_EQ(std::distance(fs::directory_iterator(k.juuri()), fs::directory_iterator()), 1);

    Korvaus paloin(jarjestelman_tiedostot(), f);
    paloin.kirjoita("uusi ");
    paloin.kirjoita("sisältö");
    ASSERT_TRUE(paloin.valmis());
    EXPECT_EQ(lue(f), "uusi sisältö");

    // Another library writes the new file by its name; valmis() puts what it left in place.
    Korvaus nimelta(jarjestelman_tiedostot(), f);
    std::ofstream(nimelta.valiaikainen(), std::ios::binary | std::ios::trunc) << "%PDF-1.4";
    ASSERT_TRUE(nimelta.valmis());
    EXPECT_EQ(lue(f), "%PDF-1.4");
    EXPECT_EQ(std::distance(fs::directory_iterator(k.juuri()), fs::directory_iterator()), 1);
}

// A writer killed halfway leaves its replacement file: the next write of the same target removes it, while
// files of other targets and of running processes stay.
TEST(Tiedostot, SeuraavaKirjoitusPoistaaKuolleenKirjoittajanJaanteen) {
    const testituki::Tilapainen_kansio k("perus");
    const fs::path f = k.juuri() / "lista.html";
    const std::string kuollut = ".lista.html~999999999-3.kesken";
    const std::string elava = ".lista.html~" + std::to_string(::getppid()) + "-0.kesken";
    const std::string muu = ".muu.html~999999999-0.kesken";
    for (const std::string& n : {kuollut, elava, muu}) std::ofstream(k.juuri() / n) << "kesken";
    ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, "uusi"));
    EXPECT_FALSE(fs::exists(k.juuri() / kuollut));
    EXPECT_TRUE(fs::exists(k.juuri() / elava));
    EXPECT_TRUE(fs::exists(k.juuri() / muu));
    EXPECT_EQ(lue(f), "uusi");
}

// A file that may hold a password is made for its owner only, and an existing file loses the bits the
// mask takes away but keeps stricter ones.
TEST(Tiedostot, SallitutOikeudet) {
    const testituki::Tilapainen_kansio k("perus");
    const fs::path f = k.juuri() / "asetukset.ini";
    const auto oikeudet = [&] {
        struct stat st {};
        ::stat(f.c_str(), &st);
        return st.st_mode & 07777;
    };
    const mode_t umask_ennen = ::umask(022);
    ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, "a", {.sallitut = 0600}));
    EXPECT_EQ(oikeudet(), 0600u);
    const struct {
        mode_t ennen, jalkeen;
    } tapaukset[] = {{0644, 0600}, {0666, 0600}, {0400, 0400}, {0600, 0600}, {0640, 0600}};
    for (const auto& t : tapaukset) {
        ::chmod(f.c_str(), t.ennen);
        ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, "b", {.sallitut = 0600}));
        EXPECT_EQ(oikeudet(), t.jalkeen) << std::oct << t.ennen;
    }
    ::umask(umask_ennen);
}

// A device that fills up part-way: the failure of the streamed writes is reported with its reason, and
// a writer that reports its own failure leaves the old file too.
TEST(Tiedostot, KorvauksenVirheetJattavatVanhan) {
    const testituki::Tilapainen_kansio k("perus");
    const fs::path f = k.juuri() / "tarrat.pdf";
    ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), f, "vanha"));
    {
        Korvaus kk(jarjestelman_tiedostot(), f);
        kk.kirjoita("uusi");
        kk.epaonnistui(EIO);
        kk.kirjoita("lisää");
        EXPECT_FALSE(kk.kunnossa());
        const Tulos t = kk.valmis();
        EXPECT_EQ(t.koodi, EIO);
    }
    EXPECT_EQ(lue(f), "vanha");
    EXPECT_EQ(std::distance(fs::directory_iterator(k.juuri()), fs::directory_iterator()), 1);
}
