#include "storage/lataus.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <functional>

#include "diag/loki.h"
#include "settings/asetukset.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kansipurku.h"
#include "storage/liitos.h"
#include "storage/runko.h"
#include "testituki/testitila.h"
#include "storage/tallennus.h"
#include "storage/zlbarkisto.h"
#include "testituki/vikaantuvat_tiedostot.h"

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

    Varasto& varasto_asetuksin(Tiedostojarjestelma& t = jarjestelman_tiedostot()) {
        Varasto& v = varasto(t);
        v.asetukset = &asetukset_;
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
            std::ofstream(tiedostopolku(jarjestelman_tiedostot(), kansi, lahde), std::ios::binary) << sisalto;
            nimet.push_back(kansi);
        }
        TZLBArchive zip(jarjestelman_tiedostot());
        ASSERT_TRUE(zip.Create(polku(nimi)));
        const Tulos t = zip.AddFiles(nimet, lahde);
        ASSERT_TRUE(t) << t.viesti;
        zip.Close();
        fs::remove_all(lahde);
    }

    std::string runko(const TOmaList& l) {
        std::string s;
        kirjoita_runko(l, s);
        return s;
    }

    TAsetukset asetukset_;
};

// The overdue question comes once the busy window of the open is gone, not under it.
TEST_F(Lataus, MyohastymiskysymysKiireikkunanJalkeen) {
    struct Kirjaava final : diag::Kiire {
        int auki = 0;
        void nayta() override { ++auki; }
        void aseta_teksti(const std::string&) override {}
        void piilota() override { --auki; }
        void kasittele_viestit() override {}
    } kiire;
    TOmaList l = kortit(2);
    l[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    tee_arkisto("oma.rkb", l, {{"gfx\\kannet\\11111111.jpg", "jpg"}});
    asetukset_.avaa_kannet_heti = true;
    asetukset_.notify_enabled = true;
    Varasto v{tk_, *kansio_, jarjestelman_tiedostot(), ikkuna_, viestit_, kiire};
    v.asetukset = &asetukset_;
    std::vector<int> auki_kysyttaessa;
    myohastymisilla_ = [&] { auki_kysyttaessa.push_back(kiire.auki); };
    ASSERT_TRUE(lue_tietueet(polku("oma.rkb").string(), false, false, tk_.kortit, v));
    EXPECT_EQ(auki_kysyttaessa, std::vector<int>{0});
}

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
        // The open leaves the covers to be unpacked after the first card shows; the wait brings them all.
        EXPECT_EQ(tk_.kansipurku != nullptr, heti);
        odota_kannet(tk_);
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
// An open leaves its covers to be unpacked after the first card shows. The cover about to be shown comes out
// ahead of the others; a save or a merge in the middle waits for the rest and writes the same archive as after
// the whole unpacking; a close in the middle leaves only whole covers, and the next open brings them all.
TEST_F(Lataus, KannetPuretaanAvauksenJalkeen) {
    asetukset_.avaa_kannet_heti = true;
    asetukset_.tallenna_sortattuna = false;
    const int maara = 30;
    TOmaList l = kortit(maara);
    std::map<std::string, std::string> kannet;
    for (int i = 1; i <= maara; ++i) {
        l[i].cover_fn = "gfx\\kannet\\k" + std::to_string(100 + i) + ".jpg";
        kannet[l[i].cover_fn] = std::string(2000, static_cast<char>('A' + i)) + std::to_string(i);
    }
    tee_arkisto("oma.rkb", l, kannet);
    TOmaList toinen = kortit(2, "Toinen ");
    toinen[1].cover_fn = "gfx\\kannet\\t1.jpg";
    tee_arkisto("toinen.rkb", toinen, {{"gfx\\kannet\\t1.jpg", "toinen kansi"}});
    Varasto& v = varasto_asetuksin();
    const auto avaa = [&] {
        ASSERT_TRUE(lue_tietueet(polku("oma.rkb").string(), false, false, tk_.kortit, v));
        ASSERT_NE(tk_.kansipurku, nullptr);
        ASSERT_EQ(tk_.kansipurku->jaljella(), static_cast<std::size_t>(maara));
    };
    const auto tallenna = [&](const std::string& nimi, bool liita) {
        if (liita) {
            ASSERT_TRUE(liita_tietokanta(polku("toinen.rkb").string(), v));
        }
        ASSERT_TRUE(tallenna_tietokanta(polku(nimi).string(), v));
        EXPECT_EQ(tk_.kansipurku, nullptr);
    };
    for (const bool liita : {false, true}) {
        SCOPED_TRACE(liita);
        avaa();
        odota_kannet(tk_);
        tallenna(liita ? "kokonaan_liitetty.rkb" : "kokonaan.rkb", liita);

        avaa();
        EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\k120.jpg")));
        ASSERT_TRUE(pura_kansi(tk_.kortit[20], v));
        EXPECT_EQ(lue("gfx\\kannet\\k120.jpg"), kannet[l[20].cover_fn]);
        EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\k130.jpg")));
        EXPECT_TRUE(tk_.kansipurku->pura_pala(std::chrono::milliseconds(0)));
        tallenna(liita ? "kesken_liitetty.rkb" : "kesken.rkb", liita);
        EXPECT_EQ(lue(liita ? "kesken_liitetty.rkb" : "kesken.rkb"), lue(liita ? "kokonaan_liitetty.rkb" : "kokonaan.rkb"));
        for (const auto& [nimi, sisalto] : kannet) EXPECT_EQ(lue(nimi), sisalto) << nimi;
    }
    EXPECT_TRUE(viestit_.naytetyt.empty());

    // Closed in the middle: the covers of the catalogue open before were taken over or deleted, and every file
    // left is a whole cover.
    avaa();
    ASSERT_TRUE(tk_.kansipurku->pura_pala(std::chrono::milliseconds(0)));
    keskeyta_kannet(tk_);
    std::size_t purettuja = 0;
    for (const auto& e : fs::directory_iterator(polku("gfx\\kannet"))) {
        const std::string nimi = e.path().filename().string();
        if (nimi == "ei_kuvaa.gif") continue;
        ASSERT_TRUE(kannet.count("gfx\\kannet\\" + nimi)) << nimi;
        EXPECT_EQ(lue("gfx\\kannet\\" + nimi), kannet["gfx\\kannet\\" + nimi]) << nimi;
        ++purettuja;
    }
    EXPECT_GE(purettuja, 1u);
    EXPECT_LT(purettuja, kannet.size());
    avaa();
    odota_kannet(tk_);
    for (const auto& [nimi, sisalto] : kannet) EXPECT_EQ(lue(nimi), sisalto) << nimi;
}

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
    EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{"Virhe #9912: Kaikkia kansikuvia ei voitu purkaa (1 kpl):\n"
                                                           "gfx\\kannet\\puuttuu.jpg: kuvaa ei ole tietokantatiedostossa"});
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

// A disk that fills up while the covers are unpacked at open: every card keeps its cover, the user is told
// once, and a save takes the covers that never reached the disk from the file they came from.
TEST_F(Lataus, KansiJotaEiVoiPurkaaSailyyJaTallentuu) {
    asetukset_.avaa_kannet_heti = true;
    asetukset_.tallenna_sortattuna = false;
    TOmaList l = kortit(6);
    std::map<std::string, std::string> kannet;
    for (int i = 1; i <= 5; ++i) {
        l[i].cover_fn = "gfx\\kannet\\1111111" + std::to_string(i) + ".jpg";
        kannet[l[i].cover_fn] = std::string(1000, static_cast<char>('a' + i)) + "kuva";
    }
    l[6].cover_fn = "gfx\\kannet\\puuttuu.jpg";  // never in the file: the name goes, as before
    tee_arkisto("oma.rkb", l, kannet);
    VikaantuvatTiedostot tj;
    tj.rajoita_tilaa("kannet", 2 * 1004 + 100);
    Varasto v = varasto_asetuksin(tj);
    ASSERT_TRUE(lue_tietueet("oma.rkb", false, false, tk_.kortit, v));
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(tk_.kortit[i].cover_fn, l[i].cover_fn) << i;
    EXPECT_EQ(tk_.kortit[6].cover_fn, "");
    ASSERT_EQ(viestit_.tekstit(), std::vector<std::string>{
        "Kaikkia kansikuvia ei voitu purkaa (3 kpl, ensimmäinen gfx\\kannet\\11111113.jpg): levy on täynnä.\n"
        "Kortit säilyttävät kansikuvansa, ja tallennettaessa ne otetaan tietokantatiedostosta."});
    std::set<std::string> levylla;
    for (const auto& e : fs::directory_iterator(juuri_ / "gfx" / "kannet")) levylla.insert(e.path().filename().string());
    EXPECT_EQ(levylla, (std::set<std::string>{"11111111.jpg", "11111112.jpg", "ei_kuvaa.gif"}));

    // Saved under a new name while the disk is still full: every cover arrives whole.
    ASSERT_TRUE(tallenna_tietokanta("uusi.rkb", v));
    TZLBArchive zip(jarjestelman_tiedostot());
    ASSERT_TRUE(zip.Open(polku("uusi.rkb")));
    zip.CheckCRC = true;
    for (const auto& [nimi, sisalto] : kannet) {
        ASSERT_TRUE(zip.Extract(nimi, juuri_ / "tarkistus")) << nimi;
        EXPECT_EQ(lue("tarkistus\\" + nimi), sisalto);
    }
    EXPECT_EQ(zip.entries().size(), 6u);
}

// A cover that is neither on the disk nor readable from its catalogue file fails the save: the old file
// stays and the user reads why.
TEST_F(Lataus, TallennusEiPudotaKanttaJotaEiVoiLukea) {
    asetukset_.avaa_kannet_heti = false;
    asetukset_.tallenna_sortattuna = false;
    TOmaList l = kortit(1);
    l[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    tee_arkisto("oma.rkb", l, {{l[1].cover_fn, "kuva"}});
    Varasto v = varasto_asetuksin();
    ASSERT_TRUE(lue_tietueet("oma.rkb", false, false, tk_.kortit, v));
    const std::string vanha = lue("oma.rkb");
    VikaantuvatTiedostot tj;
    tj.epaonnistu(VikaantuvatTiedostot::Vaihe::Avaa, EACCES, "oma.rkb");
    tk_.kortit.muutettu = true;
    EXPECT_FALSE(tallenna_tietokanta("oma.rkb", varasto_asetuksin(tj)));
    EXPECT_EQ(lue("oma.rkb"), vanha);
    EXPECT_TRUE(tk_.kortit.muutettu);
    EXPECT_EQ(viestit_.tekstit().back(), std::string(tallennusvirheen_alku) +
                                             "\n\nSyy: kansikuvaa gfx\\kannet\\11111111.jpg ei ole purettu ja "
                                             "tietokantatiedostoa oma.rkb ei voi lukea (ei käyttöoikeutta)");
}

namespace {

void le32(std::string& s, std::size_t kohta, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[kohta + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

// A zlib stream of `toistoja` copies of `pala`, made without holding the whole text.
std::string pakattu_toisto(const std::string& alku, const std::string& pala, std::uint64_t toistoja) {
    z_stream z{};
    deflateInit(&z, 9);
    std::string ulos;
    char puskuri[65536];
    const auto syota = [&](const std::string& s, int tapa) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(s.data()));
        z.avail_in = static_cast<uInt>(s.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(puskuri);
            z.avail_out = sizeof puskuri;
            deflate(&z, tapa);
            ulos.append(puskuri, sizeof puskuri - z.avail_out);
        } while (z.avail_out == 0);
    };
    syota(alku, Z_NO_FLUSH);
    std::string iso;
    for (int i = 0; i < 4096; ++i) iso += pala;
    for (std::uint64_t i = 0; i < toistoja / 4096; ++i) syota(iso, Z_NO_FLUSH);
    for (std::uint64_t i = 0; i < toistoja % 4096; ++i) syota(pala, Z_NO_FLUSH);
    syota("", Z_FINISH);
    deflateEnd(&z);
    return ulos;
}

struct Raakajasen {
    std::string nimi;
    std::string data;           // the stored bytes; empty: shares the bytes of member `jaettu`
    std::uint64_t koko = 0;     // unpacked size
    int jaettu = -1;
};

// Archive bytes put together by hand, so members can share their data; the registry is stored raw.
std::string kasin_arkisto(const std::vector<Raakajasen>& jasenet) {
    std::string tiedosto, rekisteri;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> paikat;
    for (const Raakajasen& j : jasenet) {
        if (j.jaettu >= 0) {
            paikat.push_back(paikat[static_cast<std::size_t>(j.jaettu)]);
        } else {
            paikat.emplace_back(static_cast<std::uint32_t>(tiedosto.size()), static_cast<std::uint32_t>(j.data.size()));
            tiedosto += j.data;
        }
        std::string e(TZLBArchive::entryn_koko, '\0');
        e[0] = static_cast<char>(j.nimi.size());
        e.replace(1, j.nimi.size(), j.nimi);
        le32(e, 512, static_cast<std::uint32_t>(j.koko));
        le32(e, 516, paikat.back().second);
        le32(e, 520, paikat.back().first);
        rekisteri += e;
    }
    const std::uint32_t sijainti = static_cast<std::uint32_t>(tiedosto.size());
    tiedosto += rekisteri;
    std::string t(TZLBArchive::trailerin_koko, '\0');
    le32(t, 0, static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(tiedosto.data()),
                                                  static_cast<uInt>(tiedosto.size()))));
    le32(t, 4, static_cast<std::uint32_t>(jasenet.size()));
    le32(t, 8, 1);
    le32(t, 12, static_cast<std::uint32_t>(rekisteri.size()));
    le32(t, 16, sijainti);
    return tiedosto + t;
}

const std::string otsake = "Tietokanta tallennettu ohjelman versiolla=1.36\r\nKortteja=1\r\nRiveja=48\r\n"
                           "## Tietokanta alkaa tästä\r\n";

}  // namespace

// Small files crafted to unpack beyond the machine's budget, to reuse one stream for many members or to
// carry millions of cards are refused, saying why, before the memory or the disk fills: each runs in a
// child process whose address space allows only a little more than it has, with budgets of a small machine.
TEST_F(Lataus, PienestaTiedostostaEiKasvaRajatontaKuormaa) {
    const std::uint64_t mib = 1 << 20;
    struct Tapaus {
        const char* nimi;
        std::vector<Raakajasen> jasenet;
        const char* lokissa;
        bool vaurio = false;  // refused as damaged rather than as beyond a limit
    };
    const std::vector<Tapaus> tapaukset = {
        {"juoni 128 MiB", {{"avattu.$$$", pakattu_toisto(otsake + "Nimi\r\n", "juonta ", 128 * mib / 7), otsake.size() + 6 + 128 * mib / 7 * 7}},
         "purettuna"},
        {"nimi 64 MiB", {{"avattu.$$$", pakattu_toisto(otsake, "N", 64 * mib), otsake.size() + 64 * mib}}, "purettuna"},
        {"kannet jakavat yhden virran",
         [] {
             std::vector<Raakajasen> j{{"avattu.$$$", pakattu_toisto(otsake, "## Seuraava kortti\r\n", 1), otsake.size() + 20},
                                       {"gfx\\kannet\\0.jpg", pakattu_toisto("", "x", 4096), 4096}};
             for (int i = 1; i < 200; ++i) j.push_back({"gfx\\kannet\\" + std::to_string(i) + ".jpg", "", 4096, 1});
             return j;
         }(),
         "Unable to read archive file list", true},
        {"50 000 pientä korttia", {{"avattu.$$$", pakattu_toisto(otsake, "## Seuraava kortti\r\n", 50000), otsake.size() + 20 * 50000ull}},
         "korttia"},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(t.nimi);
        const std::string tavut = kasin_arkisto(t.jasenet);
        kirjoita("paha.rkb", tavut);
        for (const bool heti : {false, true}) {
            asetukset_.avaa_kannet_heti = heti;
            tk_.tyhjenna();
            viestit_.naytetyt.clear();
            diag::loki().nollaa();
            diag::loki().tyhjenna_rivit();
            const pid_t lapsi = ::fork();
            ASSERT_GE(lapsi, 0);
            if (lapsi == 0) {
                long sivuja = 0;
                std::ifstream("/proc/self/statm") >> sivuja;
                const rlim_t raja = static_cast<rlim_t>(sivuja) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + 48 * mib;
                const rlimit r{raja, raja};
                ::setrlimit(RLIMIT_AS, &r);
                Varasto v = varasto_asetuksin();
                v.purkurajat = {16 * mib, 10000};
                const bool luettu = lue_tietueet("paha.rkb", false, false, tk_.kortit, v);
                bool lokissa = false;
                for (const std::string& rivi : diag::loki().rivit()) lokissa = lokissa || rivi.find(t.lokissa) != std::string::npos;
                // A sound file beyond a limit says which; the shared stream is damage.
                const std::string viesti = viestit_.naytetyt.size() == 1 ? viestit_.naytetyt[0].teksti : std::string();
                const bool oikea_viesti = t.vaurio ? viesti == vahingoittuneen_viesti()
                                                   : viesti.rfind("VIRHE: Tietokantaa \"paha.rkb\" ei avattu, koska ", 0) == 0;
                const bool ok = !luettu && oikea_viesti &&
                                tk_.kortit.korttien_maara() == 1 && tk_.kortit[1].nimi.empty() && lokissa &&
                                !fs::exists(polku("avattu.$$$"));
                if (!ok) {
                    std::fprintf(stderr, "luettu=%d kortteja=%d lokissa=%d viestit=%zu\n", luettu, tk_.kortit.korttien_maara(), lokissa, viestit_.naytetyt.size());
                    for (const std::string& rivi : diag::loki().rivit()) std::fprintf(stderr, "  %s\n", rivi.c_str());
                }
                viestit_.naytetyt.clear();
                ::_exit(ok ? 0 : 1);
            }
            int tila = 0;
            ::waitpid(lapsi, &tila, 0);
            EXPECT_TRUE(WIFEXITED(tila) && WEXITSTATUS(tila) == 0) << "avaa_kannet_heti=" << heti << " tila=" << tila;
        }
    }
}

}  // namespace

namespace {

// A catalogue of 100 000 cards that differ in every line kind: long and short texts, additional fields,
// extras, covers' names and empty lines.
TOmaList suuri_luettelo() {
    TOmaList l;
    for (int i = 1; i <= 100000; ++i) {
        TKortti& k = l.lisaa_uusi();
        const std::string n = std::to_string(i);
        k.nimi = "Elokuva numero " + n + (i % 7 ? "" : " – jatko-osa ääkkösin");
        k.kasetilla = std::to_string(i / 3 + 1);
        k.sijainti = std::to_string(i % 3 + 1);
        k.luokitus = i % 2 ? "Draama" : "Toimintakomedia";
        k.paanayttelijat = "Näyttelijä " + n + ", Toinen Näyttelijä";
        k.juoni = std::string(static_cast<std::size_t>(i % 80), static_cast<char>('a' + i % 26)) + " loppu " + n;
        k.kesto = std::to_string(60 + i % 120) + " min";
        k.vuosi = std::to_string(1950 + i % 70);
        if (i % 5 == 0) k.imdb_koodi = std::to_string(1000000 + i);
        if (i % 50 == 0) k.cover_fn = "gfx\\kannet\\" + n + ".jpg";
        // An empty first name reads as its default, as the card view shows it.
        k.lisatieto_nimi[0] = "Käsikirjoitus:";
        if (i % 3 == 0) k.lisatieto[static_cast<std::size_t>(i % 9)] = "lisä " + n;
        k.lisatieto_nimi[static_cast<std::size_t>(i % 9)] = "Nimi:";
        k.extra[static_cast<std::size_t>(i % 9 + 1)] = true;
        k.nakyma = i % 3;
        k.hae_kansi = i % 4 != 0;
    }
    return l;
}

}  // namespace

// What the program saves it opens again: a long plot of repeated text packs to almost nothing and opens
// within the machine's budget, and at the edge of each budget the saver and the loader draw the same line.
TEST_F(Lataus, TallennettuAvautuuJaRajanYlittavaaEiTallenneta) {
    asetukset_.tallenna_sortattuna = false;
    Varasto v = varasto_asetuksin();
    tk_.kortit = kortit(1);
    const std::string juoni(10'500'000, 'x');
    std::string toisto;
    for (std::size_t i = 0; toisto.size() < juoni.size(); ++i) toisto += "Juoni toistuu " + std::to_string(i % 10) + ". ";
    tk_.kortit[1].juoni = toisto;
    ASSERT_TRUE(tallenna_tietokanta("pitka.rkb", v));
    EXPECT_LT(fs::file_size(polku("pitka.rkb")), 200'000u);
    ASSERT_TRUE(lue_tietueet("pitka.rkb", false, false, tk_.kortit, v)) << viestit_.tekstit().back();
    EXPECT_EQ(std::string(tk_.kortit[1].juoni), toisto);

    const auto mitat = [&](const std::string& nimi) {
        TZLBArchive zip(jarjestelman_tiedostot());
        EXPECT_TRUE(zip.Open(polku(nimi)));
        std::uint64_t purettu = 0;
        for (const TZLBEntry& e : zip.entries()) purettu += e.koko;
        return std::pair{static_cast<std::uint64_t>(fs::file_size(polku(nimi))), purettu};
    };
    // Budgets far above what the ratio to the file size gives, so the absolute ones draw the line.
    struct Tapaus {
        const char* nimi;
        std::function<TOmaList()> kortit;
        bool kortteja;  // the edge of the card budget, else of the bytes
    };
    const Tapaus tapaukset[] = {
        {"tavut", [&] { TOmaList l = kortit(2); l[1].juoni = toisto.substr(0, 3'000'000); return l; }, false},
        {"kortit",
         [] {
             TOmaList l;
             for (int i = 0; i < 3000; ++i) l.lisaa_uusi().nimi = "Sama";
             return l;
         },
         true},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(t.nimi);
        tk_.kortit = t.kortit();
        v.purkurajat = koneen_purkurajat();
        // Once through a save and a load, the cards are as every later save writes them.
        ASSERT_TRUE(tallenna_tietokanta("raja.rkb", v));
        ASSERT_TRUE(lue_tietueet("raja.rkb", false, false, tk_.kortit, v));
        ASSERT_TRUE(tallenna_tietokanta("raja.rkb", v));
        const auto [koko, purettu] = mitat("raja.rkb");
        const auto kortteja = static_cast<std::uint64_t>(tk_.kortit.Count());
        const Purkurajat reuna{purettu, kortteja};
        Purkurajat yli = reuna;
        (t.kortteja ? yli.kortteja : yli.tavuja) -= 1;
        ASSERT_GT(t.kortteja ? yli.kortteja : yli.tavuja,
                  t.kortteja ? koko / 2 + 1000 : koko * 128 + (1u << 20));
        for (const bool heti : {false, true}) {
            SCOPED_TRACE(heti ? "kannet heti" : "kannet tarvittaessa");
            asetukset_.avaa_kannet_heti = heti;
            v.purkurajat = reuna;
            viestit_.naytetyt.clear();
            ASSERT_TRUE(lue_tietueet("raja.rkb", false, false, tk_.kortit, v));
            EXPECT_TRUE(viestit_.naytetyt.empty());
            EXPECT_EQ(static_cast<std::uint64_t>(tk_.kortit.Count()), kortteja);
            ASSERT_TRUE(tallenna_tietokanta("raja.rkb", v)) << viestit_.tekstit().back();
            EXPECT_EQ(mitat("raja.rkb"), std::pair(koko, purettu));
            const std::string tallennettu = lue("raja.rkb");

            // One byte or one card less: the saver refuses and keeps the old file, and the loader refuses it.
            v.purkurajat = yli;
            tk_.kortit.muutettu = true;
            EXPECT_FALSE(tallenna_tietokanta("raja.rkb", v));
            EXPECT_TRUE(tk_.kortit.muutettu);
            EXPECT_EQ(lue("raja.rkb"), tallennettu);
            EXPECT_NE(viestit_.tekstit().back().find("tallennettua tietokantaa ei voisi avata, koska " +
                                                       std::string(t.kortteja ? "siinä on " : "sen sisältö olisi purettuna ")),
                      std::string::npos)
                << viestit_.tekstit().back();
            viestit_.naytetyt.clear();
            EXPECT_FALSE(lue_tietueet("raja.rkb", false, false, tk_.kortit, v));
            ASSERT_EQ(viestit_.naytetyt.size(), 1u);
            EXPECT_EQ(viestit_.naytetyt[0].teksti.rfind("VIRHE: Tietokantaa \"raja.rkb\" ei avattu, koska ", 0), 0u)
                << viestit_.naytetyt[0].teksti;
            EXPECT_EQ(viestit_.naytetyt[0].teksti.find("Ctrl+Alt+W"), std::string::npos);
            v.purkurajat = reuna;
            ASSERT_TRUE(lue_tietueet("raja.rkb", false, false, tk_.kortit, v));
        }
    }
}

TEST_F(Lataus, SuuriLuetteloAvataanMuokataanJaTallennetaanEhjana) {
    asetukset_.tallenna_sortattuna = false;
    asetukset_.avaa_kannet_heti = false;
    TOmaList odotettu = suuri_luettelo();
    tee_arkisto("suuri.rkb", odotettu);
    ASSERT_TRUE(lue_tietueet("suuri.rkb", false, false, tk_.kortit, varasto_asetuksin()));
    ASSERT_EQ(tk_.kortit.korttien_maara(), 100000);
    EXPECT_TRUE(tk_.kortit[1].nimi.lainattu());
    EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
    // Saved unchanged, the file comes out byte for byte as it was written.
    ASSERT_TRUE(tallenna_tietokanta("kopio.rkb", varasto_asetuksin()));
    EXPECT_TRUE(lue("kopio.rkb") == lue("suuri.rkb"));

    // One card edited in place, one field grown from its own text, one card removed and one added.
    for (TOmaList* l : {&odotettu, &tk_.kortit}) {
        (*l)[50000].nimi = "Muokattu nimi";
        (*l)[50000].juoni += " ja lisää juonta";
        (*l)[77777].kommentti = std::string_view((*l)[77777].paanayttelijat).substr(11);
        l->poista(12345);
        TKortti& uusi = l->lisaa_uusi();
        uusi.nimi = "Uusi kortti";
        uusi.lisatieto_nimi[0] = "Käsikirjoitus:";
    }
    tk_.kortit.muutettu = true;
    ASSERT_TRUE(tallenna_tietokanta("suuri.rkb", varasto_asetuksin()));
    EXPECT_FALSE(fs::exists(polku("avattu.$$$")));

    tk_.tyhjenna();
    ASSERT_TRUE(lue_tietueet("suuri.rkb", false, false, tk_.kortit, varasto_asetuksin()));
    ASSERT_EQ(tk_.kortit.korttien_maara(), 100000);
    EXPECT_EQ(tk_.kortit[49999].nimi, "Muokattu nimi");
    EXPECT_EQ(tk_.kortit[77776].kommentti, "77777, Toinen Näyttelijä");
    // Compared as bodies, so every line of every card counts.
    EXPECT_TRUE(runko(tk_.kortit) == runko(odotettu));
}

namespace {

// The body of `maara` cards saved by version 1.18, whose open shows a notice.
std::string runko_118(int maara) {
    TOmaList l;
    for (int i = 1; i <= maara; ++i) l.lisaa_uusi().nimi = "Vanha " + std::to_string(i);
    std::string s;
    kirjoita_runko(l, s, "1.18");
    return s;
}

std::string pakattu(const std::string& s) {
    uLongf koko = compressBound(s.size());
    std::string ulos(koko, '\0');
    compress2(reinterpret_cast<Bytef*>(ulos.data()), &koko, reinterpret_cast<const Bytef*>(s.data()), s.size(), 9);
    ulos.resize(koko);
    return ulos;
}

}  // namespace

// The body is read while it is unpacked, but a body that turns out damaged part-way shows only the damage: no
// notice its header asked for, no card of it, and a merge leaves the open catalogue as it was.
TEST_F(Lataus, RungonVaurioHavaitaanVaikkaKortitLuettiinJoPurettaessa) {
    asetukset_.avaa_kannet_heti = false;
    const std::string runko = runko_118(20000);
    const std::string ehja = pakattu(runko);
    std::string vaurioitunut = ehja;
    vaurioitunut[vaurioitunut.size() * 3 / 4] ^= 0x5a;
    // A sound body beside a cover whose byte changed after the file was written: only the file's CRC tells.
    std::string kansi_muuttui = kasin_arkisto({{"avattu.$$$", ehja, runko.size()}, {"gfx\\kannet\\a.jpg", "kuvadata", 8}});
    kansi_muuttui[ehja.size() + 3] ^= 1;
    struct Tapaus {
        const char* nimi;
        std::string tiedosto;
    };
    // Otherwise the file's own CRC is right: only unpacking finds the damage.
    for (const Tapaus& t : {Tapaus{"katkeaa", kasin_arkisto({{"avattu.$$$", ehja.substr(0, ehja.size() * 2 / 3), runko.size()}})},
                            Tapaus{"vaurio keskellä", kasin_arkisto({{"avattu.$$$", vaurioitunut, runko.size()}})},
                            Tapaus{"jatkuu yli koon", kasin_arkisto({{"avattu.$$$", ehja, runko.size() - 100}})},
                            Tapaus{"tiedoston crc", kansi_muuttui}}) {
        SCOPED_TRACE(t.nimi);
        kirjoita("paha.rkb", t.tiedosto);
        for (const bool liitos : {false, true}) {
            tk_.kortit = kortit(3);
            tk_.kortit.versio = "1.36";
            tk_.tiedosto = "oma.rkb";
            viestit_.naytetyt.clear();
            EXPECT_FALSE(lue_tietueet("paha.rkb", liitos, false, tk_.kortit, varasto_asetuksin()));
            EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{vahingoittuneen_viesti()});
            EXPECT_EQ(tk_.kortit.korttien_maara(), liitos ? 3 : 1);
            EXPECT_EQ(tk_.kortit[1].nimi, liitos ? "Elokuva 1" : "");
            EXPECT_EQ(tk_.kortit.versio, "1.36");
            EXPECT_EQ(tk_.tiedosto, "oma.rkb");
            EXPECT_FALSE(tk_.arkisto);
        }
    }
    // The same body whole opens with its notice, shown once the file has passed its checks.
    kirjoita("hyva.rkb", kasin_arkisto({{"avattu.$$$", ehja, runko.size()}}));
    viestit_.naytetyt.clear();
    ASSERT_TRUE(lue_tietueet("hyva.rkb", false, false, tk_.kortit, varasto_asetuksin()));
    EXPECT_EQ(tk_.kortit.korttien_maara(), 20000);
    EXPECT_EQ(tk_.kortit[20000].nimi, "Vanha 20000");
    ASSERT_EQ(viestit_.naytetyt.size(), 1u);
    EXPECT_NE(viestit_.naytetyt[0].teksti.find("1.17 tai 1.18"), std::string::npos);
    EXPECT_TRUE(tk_.arkisto);
}
