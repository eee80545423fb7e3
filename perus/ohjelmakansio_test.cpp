#include "perus/ohjelmakansio.h"

#include "testituki/tilapainen_kansio.h"
#include "testituki/vikaantuvat_tiedostot.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "perus/merkisto.h"

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
    const testituki::Tilapainen_kansio kansio("kansio");
    const fs::path& juuri = kansio.juuri();
    fs::create_directories(juuri / "GFX" / "Kannet");
    std::ofstream(juuri / "GFX" / "Kannet" / "Kansi1.JPG") << "x";
    std::ofstream(juuri / utf8(u8"ÄÄNI.txt")) << "x";
    const Ohjelmakansio k(juuri, jarjestelman_tiedostot());
    EXPECT_EQ(k.polku("gfx\\kannet\\kansi1.jpg"), juuri / "GFX" / "Kannet" / "Kansi1.JPG");
    EXPECT_EQ(k.polku("gfx/kannet/uusi.jpg"), juuri / "GFX" / "Kannet" / "uusi.jpg");
    EXPECT_EQ(k.polku("asetukset.ini"), juuri / "asetukset.ini");
    EXPECT_EQ(k.polku("\xe4\xe4ni.txt"), juuri / utf8(u8"ÄÄNI.txt"));
    EXPECT_EQ(k.polku("/etc/passwd"), fs::path("/etc/passwd"));
    // The look-ups go through the file system given: a folder it cannot list matches no other letter case.
    VikaantuvatTiedostot t;
    t.epaonnistu(VikaantuvatTiedostot::Vaihe::Listaa, EACCES);
    EXPECT_EQ(Ohjelmakansio(juuri, {}, t).polku("gfx\\kannet\\kansi1.jpg"), juuri / "gfx" / "kannet" / "kansi1.jpg");
    EXPECT_GT(t.epaonnistuneet(VikaantuvatTiedostot::Vaihe::Listaa), 0);
}

// One listing of a folder finds what the per-name lookup finds, and tells files from folders.
TEST(Ohjelmakansio, KansiolistausLoytaaSamatKuinNimiKerrallaan) {
    const testituki::Tilapainen_kansio kansio("listaus");
    const fs::path& juuri = kansio.juuri();
    fs::create_directories(juuri / "Alikansio");
    std::ofstream(juuri / "Kansi1.JPG") << "x";
    std::ofstream(juuri / "kansi1.jpg") << "x";
    std::ofstream(juuri / utf8(u8"ÄÄNI.txt")) << "x";
    fs::create_symlink(juuri / "Kansi1.JPG", juuri / "linkki.jpg");
    fs::create_symlink(juuri / "ei_ole", juuri / "orpo.jpg");
    Kansiolistaus listaus(juuri, jarjestelman_tiedostot());
    struct Tapaus {
        const char* nimi;  // UTF-8
        bool tiedosto;
    };
    for (const Tapaus& t : {Tapaus{"kansi1.jpg", true}, Tapaus{"Kansi1.JPG", true}, Tapaus{"KANSI1.jpg", true},
                            Tapaus{"alikansio", false}, Tapaus{reinterpret_cast<const char*>(u8"ääni.TXT"), true},
                            Tapaus{"linkki.jpg", true}, Tapaus{"orpo.jpg", false}, Tapaus{"uusi.jpg", false}}) {
        EXPECT_EQ(listaus.polku(t.nimi), tiedostopolku(jarjestelman_tiedostot(), merkisto::utf8_cp1252(t.nimi), juuri)) << t.nimi;
        EXPECT_EQ(listaus.tiedosto(t.nimi), t.tiedosto) << t.nimi;
    }
    std::ofstream(juuri / "Uusi.jpg") << "x";
    EXPECT_FALSE(listaus.tiedosto("uusi.jpg"));  // made by someone else after the listing
    listaus.lisaa("Uusi.jpg");
    EXPECT_TRUE(listaus.tiedosto("UUSI.JPG"));
    EXPECT_EQ(listaus.polku("uusi.JPG"), juuri / "Uusi.jpg");
    EXPECT_FALSE(Kansiolistaus(juuri / "ei_ole", jarjestelman_tiedostot()).tiedosto("x"));
}

TEST(Ohjelmakansio, YmparistomuuttujaVoittaa) {
    ::setenv("RULLAKKO_HOME", "/tmp/rullakko_koti", 1);
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(jarjestelman_tiedostot()), fs::path("/tmp/rullakko_koti"));
    ::unsetenv("RULLAKKO_HOME");
    EXPECT_TRUE(fs::exists(Ohjelmakansio::etsi_juuri(jarjestelman_tiedostot())));
}

namespace {

// An installed copy: the user's program folder and the data installed beside the executable.
class Asennettu : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio oma_kansio{"rullakko_asennettu"};
    fs::path tila = oma_kansio.juuri();
    fs::path kayttaja = tila / "koti" / "rullakko";
    fs::path asennus = tila / "usr" / "share" / "rullakko";

    static void tee(const fs::path& p, const std::string& sisalto = "x") {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << sisalto;
    }
    static std::string lue(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }

    void SetUp() override {
        for (const char* n : {"gfx/perus/tausta1.bmp", "gfx/hiekka/tausta1.bmp", "gfx/working.gif",
                              "gfx/kannet/ei_kuvaa.gif", "gfx/kannet/k1.jpg", "gfx/kopio.jpg", "Tarrat/Starrat/a.bmp",
                              "lueminut.html", "VERTFONT.TTF", "VERTFONT_LISENSSI.txt", "dbase.rkb",
                              "asetukset.ini"})
            tee(asennus / n);
        tee(asennus / "esimerkki.rkb", "esimerkki");
        tee(asennus / "muistutus.txt", "Muistutus\r\n");
        tee(kayttaja / "gfx" / "hiekka" / "tausta1.bmp", "oma");
        fs::create_directories(kayttaja / "gfx" / "kannet");
    }
    // A test may take the folder's write permission away; the folder goes with it given back.
    void TearDown() override {
        std::error_code ec;
        fs::permissions(tila, fs::perms::owner_all, fs::perm_options::add, ec);
    }
};

TEST_F(Asennettu, LuettavatLajitAsennuksestaMuutKayttajanKansiosta) {
    const Ohjelmakansio k(kayttaja, asennus, jarjestelman_tiedostot());
    const struct {
        const char* nimi;
        fs::path odotettu;
    } tapaukset[] = {
        {"gfx\\perus\\tausta1.bmp", asennus / "gfx/perus/tausta1.bmp"},
        {"GFX\\Perus\\TAUSTA1.BMP", asennus / "gfx/perus/tausta1.bmp"},
        {"gfx\\perus", asennus / "gfx/perus"},
        {"gfx\\working.gif", asennus / "gfx/working.gif"},
        {"gfx\\kannet\\ei_kuvaa.gif", asennus / "gfx/kannet/ei_kuvaa.gif"},
        {"tarrat\\starrat\\a.bmp", asennus / "Tarrat/Starrat/a.bmp"},
        {"tarrat\\starrat", asennus / "Tarrat/Starrat"},
        {"lueminut.html", asennus / "lueminut.html"},
        {"vertfont.ttf", asennus / "VERTFONT.TTF"},
        {"VERTFONT_LISENSSI.txt", asennus / "VERTFONT_LISENSSI.txt"},
        {"dbase.rkb", asennus / "dbase.rkb"},
        // The user's own copy wins.
        {"gfx\\hiekka\\tausta1.bmp", kayttaja / "gfx/hiekka/tausta1.bmp"},
        // Names the program writes or that the user owns never leave the program folder, even when the
        // installation happens to hold them; a missing read-only file is looked for where it would be made.
        {"gfx\\kannet\\k1.jpg", kayttaja / "gfx/kannet/k1.jpg"},
        {"gfx\\kopio.jpg", kayttaja / "gfx/kopio.jpg"},
        {"asetukset.ini", kayttaja / "asetukset.ini"},
        {"esimerkki.rkb", kayttaja / "esimerkki.rkb"},
        {"muistutus.txt", kayttaja / "muistutus.txt"},
        {"gfx\\perus\\puuttuu.bmp", kayttaja / "gfx/perus/puuttuu.bmp"},
        {"gfx\\..\\asetukset.ini", kayttaja / "gfx/../asetukset.ini"},
        {"gfx\\perus\\..\\..\\dbase.rkb", kayttaja / "gfx/perus/../../dbase.rkb"},
    };
    for (const auto& t : tapaukset) EXPECT_EQ(k.polku(t.nimi), t.odotettu) << t.nimi;
    // Without installed data nothing is looked for elsewhere.
    EXPECT_EQ(Ohjelmakansio(kayttaja, {}, jarjestelman_tiedostot()).polku("lueminut.html"), kayttaja / "lueminut.html");
}

TEST_F(Asennettu, ListausKattaaMolemmatKansiot) {
    const Ohjelmakansio k(kayttaja, asennus, jarjestelman_tiedostot());
    EXPECT_EQ(k.kansiot("gfx"), (std::vector<fs::path>{kayttaja / "gfx", asennus / "gfx"}));
    EXPECT_EQ(k.kansiot("tarrat\\starrat"), std::vector<fs::path>{asennus / "Tarrat/Starrat"});
    EXPECT_EQ(k.kansiot("gfx\\..\\gfx"), std::vector<fs::path>{kayttaja / "gfx/../gfx"});
    EXPECT_TRUE(k.kansiot("eiole").empty());
}

TEST_F(Asennettu, EnsimmainenKaynnistysKopioiKirjoitettavatJaLuettavatJaavatPaikalleen) {
    fs::permissions(asennus / "esimerkki.rkb", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const fs::path uusi = tila / "uusi" / "data" / "rullakko";
    ASSERT_TRUE(valmistele_ohjelmakansio(jarjestelman_tiedostot(), uusi, asennus)) << valmistele_ohjelmakansio(jarjestelman_tiedostot(), uusi, asennus).viesti;
    EXPECT_EQ(lue(uusi / "esimerkki.rkb"), "esimerkki");
    EXPECT_EQ(lue(uusi / "muistutus.txt"), "Muistutus\r\n");
    // The user saves the example catalogue in place.
    EXPECT_NE(fs::status(uusi / "esimerkki.rkb").permissions() & fs::perms::owner_write, fs::perms::none);
    std::vector<std::string> nimet;
    for (const auto& e : fs::directory_iterator(uusi)) nimet.push_back(e.path().filename().string());
    std::sort(nimet.begin(), nimet.end());
    // asetukset.ini is not a read-only kind, so an installation holding one seeds it too; the font's
    // licence stays with the font and never joins the reminder templates.
    EXPECT_EQ(nimet, (std::vector<std::string>{"asetukset.ini", "esimerkki.rkb", "muistutus.txt"}));
    // Nothing else is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(uusi.parent_path()), fs::directory_iterator()), 1);

    // A later start keeps the user's files as they are and brings nothing back.
    tee(uusi / "esimerkki.rkb", "muokattu");
    fs::remove(uusi / "muistutus.txt");
    ASSERT_TRUE(valmistele_ohjelmakansio(jarjestelman_tiedostot(), uusi, asennus));
    EXPECT_EQ(lue(uusi / "esimerkki.rkb"), "muokattu");
    EXPECT_FALSE(fs::exists(uusi / "muistutus.txt"));
}

TEST_F(Asennettu, KansioJotaEiVoiTehdaKerrotaanSyyn) {
    tee(tila / "tiedosto");
    const Tulos t = valmistele_ohjelmakansio(jarjestelman_tiedostot(), tila / "tiedosto" / "rullakko", asennus);
    EXPECT_FALSE(t);
    EXPECT_NE(t.viesti.find("polun osa ei ole kansio"), std::string::npos) << t.viesti;
    EXPECT_FALSE(valmistele_ohjelmakansio(jarjestelman_tiedostot(), tila / "tiedosto", asennus));
    // Without installed data the folder is just made.
    ASSERT_TRUE(valmistele_ohjelmakansio(jarjestelman_tiedostot(), tila / "paljas" / "rullakko", {}));
    EXPECT_TRUE(fs::is_empty(tila / "paljas" / "rullakko"));
}

// A first start that fails at any step says which and why, and leaves no half-seeded folder behind.
TEST_F(Asennettu, EnsimmainenKaynnistysVikaantuvallaLevylla) {
    using V = VikaantuvatTiedostot::Vaihe;
    const struct {
        V vaihe;
        int virhe;
        std::string polun_osa;
        std::string alku;
    } tapaukset[] = {
        {V::Listaa, EIO, "share", "Asennettua kansiota ei voi lukea: " + polku_tekstiksi(asennus)},
        {V::Lue, EIO, "esimerkki.rkb", "Tiedostoa ei voi kopioida: " + polku_tekstiksi(asennus / "esimerkki.rkb")},
        {V::Kirjoita, ENOSPC, "muistutus.txt", "Tiedostoa ei voi kopioida: " + polku_tekstiksi(asennus / "muistutus.txt")},
        {V::LuoKansiot, EROFS, ".uusi-", "Kansiota ei voi luoda: "},
        {V::Nimea, EACCES, "", "Kansiota ei voi luoda: "},
    };
    int n = 0;
    for (const auto& c : tapaukset) {
        const fs::path ylempi = tila / ("vikaantuva" + std::to_string(n++));
        VikaantuvatTiedostot t;
        t.epaonnistu(c.vaihe, c.virhe, c.polun_osa);
        const Tulos tulos = valmistele_ohjelmakansio(t, ylempi / "rullakko", asennus);
        EXPECT_FALSE(tulos) << c.alku;
        EXPECT_EQ(tulos.syy, c.virhe) << c.alku;
        EXPECT_EQ(tulos.viesti.rfind(c.alku, 0), 0u) << tulos.viesti;
        EXPECT_TRUE(tulos.viesti.ends_with(": " + jarjestelman_syy(c.virhe))) << tulos.viesti;
        EXPECT_TRUE(fs::is_empty(ylempi)) << c.alku;
        EXPECT_EQ(t.epaonnistuneet(c.vaihe), 1) << c.alku;
    }
}

TEST_F(Asennettu, OhjelmakansionValinta) {
    const fs::path bin = tila / "usr" / "bin";
    const fs::path rakennus = tila / "rakennus";
    fs::create_directories(bin);
    fs::create_directories(rakennus / "gfx");
    // The environment is the process's: every variable touched is put back as it was.
    struct Palauta {
        const char* nimi;
        std::string arvo;
        bool oli;
        explicit Palauta(const char* n) : nimi(n), oli(std::getenv(n) != nullptr) {
            if (oli) arvo = std::getenv(n);
        }
        ~Palauta() {
            if (oli) ::setenv(nimi, arvo.c_str(), 1);
            else ::unsetenv(nimi);
        }
    } koti("HOME"), xdg_home("XDG_DATA_HOME"), rullakko_home("RULLAKKO_HOME");
    ::unsetenv("RULLAKKO_HOME");
    ::setenv("HOME", (tila / "koti").c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(bin, jarjestelman_tiedostot()), tila / "koti" / ".local" / "share" / "rullakko");
    ::setenv("XDG_DATA_HOME", "suhteellinen", 1);  // not absolute: ignored
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(bin, jarjestelman_tiedostot()), tila / "koti" / ".local" / "share" / "rullakko");
    ::setenv("XDG_DATA_HOME", (tila / "xdg").c_str(), 1);
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(bin, jarjestelman_tiedostot()), tila / "xdg" / "rullakko");
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(rakennus, jarjestelman_tiedostot()), rakennus);
    ::setenv("RULLAKKO_HOME", (tila / "oma").c_str(), 1);
    EXPECT_EQ(Ohjelmakansio::etsi_juuri(bin, jarjestelman_tiedostot()), tila / "oma");
    ::unsetenv("RULLAKKO_HOME");

    EXPECT_EQ(Ohjelmakansio::asennettu_data(bin, jarjestelman_tiedostot()), asennus);
    EXPECT_EQ(Ohjelmakansio::asennettu_data(rakennus, jarjestelman_tiedostot()), fs::path());
    EXPECT_EQ(Ohjelmakansio::asennettu_data(tila / "muu" / "bin", jarjestelman_tiedostot()), fs::path());
}

}  // namespace

// A folder that cannot be written is named with the system's reason, and the probe leaves nothing behind.
TEST(Ohjelmakansio, KirjoituskelvotonKansioKerrotaanSyyn) {
    const testituki::Tilapainen_kansio kansio("kansiokoe");
    const fs::path& juuri = kansio.juuri();
    VikaantuvatTiedostot t;
    EXPECT_TRUE(ohjelmakansion_kirjoituskoe(juuri, t));
    EXPECT_TRUE(fs::is_empty(juuri));
    t.epaonnistu(VikaantuvatTiedostot::Vaihe::Luo, EROFS);
    const Tulos koe = ohjelmakansion_kirjoituskoe(juuri, t);
    ASSERT_FALSE(koe);
    EXPECT_EQ(koe.syy, EROFS);
    EXPECT_EQ(koe.viesti.rfind("Ohjelman kansioon " + polku_tekstiksi(juuri) + " ei voi kirjoittaa (levy on kirjoitussuojattu).", 0), 0u);
}
