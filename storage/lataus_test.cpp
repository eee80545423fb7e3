#include "storage/lataus.h"

#include "diag/loki.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/runko.h"
#include "storage/testitila.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

class Lataus : public Testitila {
protected:
    void SetUp() override {
        Testitila::SetUp();
        kirjoita("gfx\\kannet\\ei_kuvaa.gif", "GIF89a");
    }
    void TearDown() override {
        diag::loki().nollaa();
        Testitila::TearDown();
    }

    Varasto varasto_asetuksin() {
        Varasto v = varasto();
        v.asetukset = &asetukset_;
        v.tarkista_myohastymiset = [this] { ++myohastymistarkistuksia_; };
        return v;
    }

    static TOmaList kortit(int maara, const std::string& etuliite = "Elokuva ") {
        TOmaList l;
        for (int i = 1; i <= maara; ++i) {
            TKortti& k = l.lisaa_uusi();
            k.nimi = etuliite + std::to_string(i);
            k.kasetilla = std::to_string(i);
        }
        return l;
    }

    // A catalogue archive as the program writes one: the body as avattu.$$$ and the covers under gfx\kannet\.
    void tee_arkisto(const std::string& nimi, const TOmaList& l, const std::map<std::string, std::string>& kannet = {}) {
        const fs::path lahde = juuri_ / "lahde";
        fs::create_directories(lahde / "gfx" / "kannet");
        std::string runko;
        kirjoita_runko(l, runko);
        std::ofstream(lahde / "avattu.$$$", std::ios::binary) << runko;
        std::vector<std::string> nimet{"avattu.$$$"};
        for (const auto& [kansi, sisalto] : kannet) {
            std::ofstream(tiedostopolku(kansi, lahde), std::ios::binary) << sisalto;
            nimet.push_back(kansi);
        }
        TZLBArchive zip;
        ASSERT_TRUE(zip.Create(polku(nimi)));
        const ZlbTulos t = zip.AddFiles(nimet, lahde);
        ASSERT_TRUE(t) << t.virhe;
        zip.Close();
        fs::remove_all(lahde);
    }

    std::string runko(const TOmaList& l) {
        std::string s;
        kirjoita_runko(l, s);
        return s;
    }

    TAsetukset asetukset_;
    int myohastymistarkistuksia_ = 0;
};

TEST_F(Lataus, ArkistoAvautuuJaKannetPuretaanHetiTaiTarvittaessa) {
    TOmaList l = kortit(3);
    l[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    l[2].cover_fn = "gfx\\kannet\\22222222.gif";
    l[3].cover_fn = "gfx\\kannet\\puuttuu.jpg";
    tee_arkisto("oma.rkb", l, {{"gfx\\kannet\\11111111.jpg", "jpg"}, {"gfx\\kannet\\22222222.gif", "gif"}});
    kirjoita("gfx\\kannet\\vanha_jaannos.jpg", "x");

    for (const bool heti : {true, false}) {
        asetukset_.avaa_kannet_heti = heti;
        tk_.kortit.muutettu = true;
        lue_tietueet(polku("oma.rkb").string(), false, false, tk_.kortit, varasto_asetuksin());
        ASSERT_EQ(tk_.kortit.korttien_maara(), 3) << heti;
        EXPECT_FALSE(tk_.kortit.muutettu);
        EXPECT_EQ(tk_.tiedosto, polku("oma.rkb").string());
        EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\11111111.jpg");
        // With covers unpacked at open, a name whose member is missing is dropped; otherwise kept for later.
        EXPECT_EQ(tk_.kortit[3].cover_fn, heti ? "" : "gfx\\kannet\\puuttuu.jpg");
        EXPECT_EQ(fs::exists(polku("gfx\\kannet\\11111111.jpg")), heti);
        EXPECT_EQ(fs::exists(polku("gfx\\kannet\\22222222.gif")), heti);
        EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\vanha_jaannos.jpg")));
        EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\ei_kuvaa.gif")));
        EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
    }
    EXPECT_EQ(myohastymistarkistuksia_, 2);
    EXPECT_TRUE(viestit_.naytetyt.empty());

    // Unpack-when-needed: the cover comes out of the open file when the card is shown.
    EXPECT_TRUE(pura_kansi(tk_.kortit[2], varasto_asetuksin()));
    EXPECT_EQ(lue("gfx\\kannet\\22222222.gif"), "gif");
    EXPECT_FALSE(pura_kansi(tk_.kortit[3], varasto_asetuksin()));
    EXPECT_EQ(viestit_.tekstit(), (std::vector<std::string>{
                                      "Virhe #2255: Tiedostoa gfx\\kannet\\puuttuu.jpg ei löydy zipistä",
                                      "Virhe #1232: Kansikuvan purkaminen epäonnistui!\nMahdollisia syitä:\n\n"
                                      "1) Tietokanta on vahingoittunut\n2) Ohjelmassa tapahtui virhe"}));
}

TEST_F(Lataus, PelkkaRunkoJaHaeRullakTunnistetaan) {
    kirjoita("hae.rkb", "Hae Rullak" + std::string(100, 'x'));
    EXPECT_FALSE(on_arkisto("hae.rkb", *kansio_));
    kirjoita("pieni.rkb", std::string(49, 'x'));
    EXPECT_FALSE(on_arkisto("pieni.rkb", *kansio_));
    kirjoita("iso.rkb", std::string(50, 'x'));
    EXPECT_TRUE(on_arkisto("iso.rkb", *kansio_));

    kirjoita("runko.rkb", "Hae Rullakko-tietokanta\r\n" + runko(kortit(2)));
    lue_tietueet("runko.rkb", false, false, tk_.kortit, varasto_asetuksin());
    EXPECT_EQ(tk_.kortit.korttien_maara(), 2);
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(Lataus, VirhepolutJattavatYhdenTyhjanKortin) {
    tee_arkisto("rikki.rkb", kortit(2));
    std::string tavut = lue("rikki.rkb");
    tavut[5] = static_cast<char>(tavut[5] ^ 0xFF);
    kirjoita("rikki.rkb", tavut);
    kirjoita("lyhyt.rkb", std::string(20, 'x'));
    kirjoita("eiotsaketta.rkb", "Hae Rullak\r\nvain roskaa\r\nja lisää roskaa\r\n");

    struct Tapaus {
        std::string nimi;
        std::vector<std::string> viestit;
        bool nimi_vaihtuu;
    };
    const std::string puuttuu =
        "Virhe! ohjelma yritti lukea tiedoston \"ei_ole.rkb\" jota ei kuitenkaan löydy!\nOhjelma ohittaa virheen "
        "(lukeminen keskeytetty), ohjelman uudelleenkäynnistäminen on suositeltavaa.\nJos ongelma jatkuu ota yhteys ohjelman tekijään.";
    for (const Tapaus& t : {Tapaus{"ei_ole.rkb", {puuttuu}, false}, Tapaus{"rikki.rkb", {vahingoittuneen_viesti()}, false},
                            Tapaus{"lyhyt.rkb", {}, true}, Tapaus{"eiotsaketta.rkb", {vahingoittuneen_viesti()}, false}}) {
        tk_.kortit = kortit(5);
        tk_.tiedosto = "edellinen.rkb";
        viestit_.naytetyt.clear();
        lue_tietueet(t.nimi, false, false, tk_.kortit, varasto_asetuksin());
        ASSERT_EQ(tk_.kortit.Count(), 2) << t.nimi;
        EXPECT_EQ(tk_.kortit[1].nimi, "") << t.nimi;
        EXPECT_TRUE(tk_.kortit.on_nollakortti(&tk_.kortit[0]));
        EXPECT_EQ(viestit_.tekstit(), t.viestit) << t.nimi;
        EXPECT_EQ(tk_.tiedosto, t.nimi_vaihtuu ? t.nimi : "edellinen.rkb") << t.nimi;
        EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
    }
    EXPECT_EQ(diag::loki().rivit().back(), "   -----> Korjataan asettamalla yksi tyhjä kortti..");
}

TEST_F(Lataus, PelkkaOtsakeAntaaYhdenTyhjanKortin) {
    kirjoita("tyhja.rkb", "Hae Rullak\r\n" + runko(TOmaList()));
    lue_tietueet("tyhja.rkb", false, false, tk_.kortit, varasto_asetuksin());
    EXPECT_EQ(tk_.kortit.Count(), 2);
}

TEST_F(Lataus, KaatumismerkkiKysytaan) {
    tee_arkisto("oma.rkb", kortit(4));
    // Yes: the leftover work file replaces any older resume.rkb and is read as a plain body.
    kirjoita("avattu.$$$", runko(kortit(2, "Pelastettu ")));
    kirjoita("resume.rkb", "vanha palautus");
    viestit_.vastaukset = {diag::Vastaus::Kylla};
    lue_tietueet("oma.rkb", false, false, tk_.kortit, varasto_asetuksin());
    ASSERT_EQ(tk_.kortit.korttien_maara(), 2);
    EXPECT_EQ(tk_.kortit[1].nimi, "Pelastettu 1");
    EXPECT_EQ(tk_.tiedosto, "resume.rkb");
    EXPECT_EQ(lue("resume.rkb"), runko(kortit(2, "Pelastettu ")));
    EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
    ASSERT_EQ(viestit_.naytetyt.size(), 1u);
    EXPECT_EQ(viestit_.naytetyt[0].laji, diag::Laji::Virhe);
    EXPECT_TRUE(viestit_.naytetyt[0].kysymys);

    // No: the work file is deleted and the file opens as asked.
    kirjoita("avattu.$$$", "roskaa");
    viestit_.vastaukset = {diag::Vastaus::Ei};
    lue_tietueet("oma.rkb", false, false, tk_.kortit, varasto_asetuksin());
    EXPECT_EQ(tk_.kortit.korttien_maara(), 4);
    EXPECT_EQ(tk_.tiedosto, "oma.rkb");
}

TEST_F(Lataus, TuplatutRivinvaihdotKorjataanLuettaessa) {
    std::string s = runko(kortit(3)), tuplattu = "Hae Rullak\r\r\n";
    for (std::size_t p = 0; p < s.size();) {
        const std::size_t e = s.find("\r\n", p);
        tuplattu += s.substr(p, e - p) + "\r\r\n";
        p = e + 2;
    }
    kirjoita("tupla.rkb", tuplattu);
    lue_tietueet("tupla.rkb", false, false, tk_.kortit, varasto_asetuksin());
    ASSERT_EQ(tk_.kortit.korttien_maara(), 3);
    EXPECT_EQ(tk_.kortit[3].nimi, "Elokuva 3");
}

TEST_F(Lataus, LiitosLisaaKortitJaRikkinainenEiKoskeAvoimeen) {
    tee_arkisto("toinen.rkb", kortit(2, "Liitetty "));
    kirjoita("lyhyt.rkb", std::string(20, 'x'));
    tk_.kortit = kortit(3);
    tk_.tiedosto = "oma.rkb";
    kirjoita("gfx\\kannet\\pidetaan.jpg", "x");
    lue_tietueet("toinen.rkb", true, false, tk_.kortit, varasto_asetuksin());
    ASSERT_EQ(tk_.kortit.korttien_maara(), 5);
    EXPECT_EQ(tk_.kortit[4].nimi, "Liitetty 1");
    EXPECT_TRUE(tk_.kortit.muutettu);
    EXPECT_EQ(tk_.tiedosto, "oma.rkb");
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\pidetaan.jpg")));  // merging keeps the unpacked covers

    tee_arkisto("rikki.rkb", kortit(2));
    std::string tavut = lue("rikki.rkb");
    tavut[3] = static_cast<char>(tavut[3] ^ 0x55);
    kirjoita("rikki.rkb", tavut);
    for (const char* nimi : {"rikki.rkb", "lyhyt.rkb", "ei_ole.rkb"}) {
        lue_tietueet(nimi, true, false, tk_.kortit, varasto_asetuksin());
        EXPECT_EQ(tk_.kortit.korttien_maara(), 5) << nimi;
        EXPECT_EQ(tk_.tiedosto, "oma.rkb") << nimi;
    }
}

TEST_F(Lataus, ViiteluetteloLuetaanHiljaa) {
    kirjoita("dbase.rkb", "Hae Rullak\r\n" + runko(kortit(2, "Viite ")));
    tk_.kortit = kortit(3);
    TOmaList viite;
    lue_tietueet("dbase.rkb", false, true, viite, varasto_asetuksin());
    EXPECT_EQ(viite.korttien_maara(), 2);
    EXPECT_EQ(tk_.kortit.korttien_maara(), 3);
    // A missing reference catalogue leaves the open catalogue alone.
    TOmaList toinen;
    lue_tietueet("ei_ole.rkb", false, true, toinen, varasto_asetuksin());
    EXPECT_EQ(tk_.kortit.korttien_maara(), 3);
    EXPECT_EQ(myohastymistarkistuksia_, 0);
}

// The open catalogue keeps its archive: a cover shown later comes out without the whole file being checked
// again, until the file on disk changes, when it is opened and checked anew.
TEST_F(Lataus, KansiPuretaanPidetystaArkistostaKunnesTiedostoMuuttuu) {
    TOmaList l = kortit(3);
    l[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    l[2].cover_fn = "gfx\\kannet\\22222222.jpg";
    l[3].cover_fn = "gfx\\kannet\\33333333.jpg";
    const std::map<std::string, std::string> kannet = {
        {l[1].cover_fn, "yksi"}, {l[2].cover_fn, "kaksi"}, {l[3].cover_fn, "kolme"}};
    tee_arkisto("oma.rkb", l, kannet);
    asetukset_.avaa_kannet_heti = false;
    ASSERT_TRUE(lue_tietueet(polku("oma.rkb").string(), false, false, tk_.kortit, varasto_asetuksin()));
    ASSERT_TRUE(tk_.arkisto);

    // A byte of the body changed in place behind the program's back, the time put back: not noticed.
    const auto aika = fs::last_write_time(polku("oma.rkb"));
    {
        std::fstream f(polku("oma.rkb"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(10);
        f.put('#');
    }
    fs::last_write_time(polku("oma.rkb"), aika);
    EXPECT_TRUE(pura_kansi(tk_.kortit[1], varasto_asetuksin()));
    EXPECT_EQ(lue("gfx\\kannet\\11111111.jpg"), "yksi");
    EXPECT_TRUE(viestit_.naytetyt.empty());

    // Once the file's time says it changed, the damage is found.
    fs::last_write_time(polku("oma.rkb"), aika + std::chrono::seconds(2));
    EXPECT_FALSE(pura_kansi(tk_.kortit[2], varasto_asetuksin()));
    ASSERT_FALSE(viestit_.tekstit().empty());
    EXPECT_EQ(viestit_.tekstit()[0], "Virhe #12232: Openarchive failed");
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\22222222.jpg")));

    // A new file under the name (as a save leaves it) is opened afresh.
    viestit_.naytetyt.clear();
    fs::remove(polku("oma.rkb"));
    tee_arkisto("oma.rkb", l, {{l[2].cover_fn, "uusi kaksi"}, {l[3].cover_fn, "uusi kolme"}});
    EXPECT_TRUE(pura_kansi(tk_.kortit[3], varasto_asetuksin()));
    EXPECT_EQ(lue("gfx\\kannet\\33333333.jpg"), "uusi kolme");
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

// Before a save every cover not unpacked yet comes out; a file already there stays as it is, whatever the
// letter case of its name, and a cover missing from the file is reported by name.
TEST_F(Lataus, AvaaKaikkiKannetPuraaPuuttuvatJaIlmoittaaPuuttuvasta) {
    TOmaList l = kortit(4);
    l[1].cover_fn = "gfx\\kannet\\a.jpg";
    l[2].cover_fn = "gfx\\kannet\\B.jpg";
    l[3].cover_fn = "gfx\\kannet\\c.jpg";
    l[4].cover_fn = "gfx\\kannet\\puuttuu.jpg";
    tee_arkisto("oma.rkb", l, {{"gfx\\kannet\\a.jpg", "a"}, {"gfx\\kannet\\b.jpg", "b"}, {"gfx\\kannet\\c.jpg", "c"}});
    asetukset_.avaa_kannet_heti = false;
    ASSERT_TRUE(lue_tietueet(polku("oma.rkb").string(), false, false, tk_.kortit, varasto_asetuksin()));
    std::ofstream(juuri_ / "gfx" / "kannet" / "C.JPG") << "oma";

    avaa_kaikki_kannet(false, varasto_asetuksin());
    std::vector<std::string> tiedostot;
    for (const auto& e : fs::directory_iterator(juuri_ / "gfx" / "kannet")) tiedostot.push_back(e.path().filename().string());
    std::sort(tiedostot.begin(), tiedostot.end());
    EXPECT_EQ(tiedostot, (std::vector<std::string>{"C.JPG", "a.jpg", "b.jpg", "ei_kuvaa.gif"}));
    EXPECT_EQ(lue("gfx\\kannet\\a.jpg"), "a");
    EXPECT_EQ(lue("gfx\\kannet\\B.jpg"), "b");
    EXPECT_EQ(lue("gfx\\kannet\\c.jpg"), "oma");
    EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{"Virhe #9912: Avaa kaikki kannet FAILED (gfx\\kannet\\puuttuu.jpg)"});
}

TEST_F(Lataus, KansiNimetEivatKarkaaKansiosta) {
    TOmaList l = kortit(2);
    l[1].cover_fn = "gfx\\kannet\\..\\..\\uhri.txt";
    l[2].cover_fn = "asetukset.ini";
    tee_arkisto("paha.rkb", l);
    std::ofstream(juuri_.parent_path() / "uhri.txt") << "koskematon";
    kirjoita("asetukset.ini", "[x]");
    asetukset_.avaa_kannet_heti = false;
    lue_tietueet("paha.rkb", false, false, tk_.kortit, varasto_asetuksin());
    EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\..\\..\\uhri.txt");  // kept as read
    poista_kortin_kansi(*kansio_, tk_.kortit[1]);
    poista_kortin_kansi(*kansio_, tk_.kortit[2]);
    EXPECT_TRUE(fs::exists(juuri_.parent_path() / "uhri.txt"));
    EXPECT_TRUE(fs::exists(polku("asetukset.ini")));
    EXPECT_FALSE(kansikuvan_polku(*kansio_, "gfx\\kannet\\..").has_value());
    EXPECT_FALSE(kansikuvan_polku(*kansio_, "gfx\\kannet\\a/b.jpg").has_value());
    EXPECT_TRUE(kansikuvan_polku(*kansio_, "GFX\\Kannet\\a.jpg").has_value());
    fs::remove(juuri_.parent_path() / "uhri.txt");
}

}  // namespace
