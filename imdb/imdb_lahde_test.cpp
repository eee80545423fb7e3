// The IMDb source against a server on 127.0.0.1, the paced cover batch with a clock of its own, and
// rkb imdb-find / imdb-fetch end to end against the same server.
#include "imdb/imdb_lahde.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "imdb/kansihaku.h"
#include "imdb/kansilataus.h"
#include "net/http.h"
#include "perus/merkisto.h"
#include "perus/tiedostot.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/kuvakoodekki.h"
#include "storage/tallennus.h"
#include "testituki/http_palvelin.h"
#include "testituki/pieni_jpeg.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/komentotesti.h"
#include "testituki/nimetyt_kortit.h"
#include "testituki/suljettu_portti.h"
#include "testituki/testiviestit.h"
#include "testituki/tiedoston_sisalto.h"

namespace fs = std::filesystem;

namespace {

std::string testdata(const char* nimi) { return testituki::testitiedosto("imdb", nimi); }

// Today's suggestions for "matrix", the old search landing on the 2005 page of Troy, title pages at both
// addresses and a cover; "hidas" answers only when let go.
class Palvelin : public testituki::Http_palvelin {
public:
    std::string jpeg = testituki::pieni_jpeg();

    Palvelin() {
        pidata();
        s.Get(R"(/suggestion/(.)/(.+)\.json)", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(q.path);
            if (q.matches[2] == "matrix") r.set_content(testdata("ehdotukset.json"), "application/json");
            else if (q.matches[2] == "hidas") odota();
            else r.status = 404;
        });
        s.Get("/Tsearch", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(q.path);
            if (q.get_param_value("title") == "Troy") r.set_content(osoitteilla(testdata("vanha_nimike_2005.html")), "text/html");
            else r.status = 404;
        });
        s.Get("/Title", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(q.path);
            r.status = 404;
        });
        s.Get(R"(/posters/(.+))", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(q.path);
            r.set_content(jpeg, "image/jpeg");
        });
        s.Get(R"(/title/tt(\d+)/)", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(q.path);
            if (q.matches[1] == "12345678")  // a record without its own address
                r.set_content(R"(<script type="application/ld+json">{"@type":"Movie","name":"Uusi"}</script>)", "text/html");
            else if (q.matches[1] == "0133093") r.set_content(osoitteilla(testdata("json_nimike.html")), "text/html");
            else r.status = 404;
        });
        s.Get("/images/M/matrix.jpg", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(q.path);
            r.set_content(jpeg, "image/jpeg");
        });
        kaynnista();
    }
    ~Palvelin() { lopeta(); }
    std::string osoitteilla(std::string sivu) const {
        for (const std::string vanha : {"https://m.media.example", "http://posters.imdb.com"})
            for (std::size_t p; (p = sivu.find(vanha)) != std::string::npos;) sivu.replace(p, vanha.size(), osoite());
        return sivu;
    }
};

constexpr const char* osoitemuuttujat[] = {"RULLAKKO_IMDB_URL", "RULLAKKO_IMDB_HAKU_URL", "RULLAKKO_POSTER_URL"};

void aseta_osoitteet(const std::string& osoite) {
    for (const char* m : osoitemuuttujat) ::setenv(m, osoite.c_str(), 1);
}

class Lahde : public ::testing::Test {
protected:
    Palvelin palvelin;
    net::HttpAsiakas http;
    ImdbLahde lahde{http};

    void SetUp() override { aseta_osoitteet(palvelin.osoite()); }
    // The other tests of this process (and the tools they start) use the default servers.
    void TearDown() override {
        for (const char* m : osoitemuuttujat) ::unsetenv(m);
    }
};

TEST_F(Lahde, EhdotuksetEnsinVanhaHakuVainKunNiistaEiLoydy) {
    Hakutulokset h;
    ASSERT_TRUE(lahde.etsi("Matrix", h));
    EXPECT_EQ(h.rivit.at(1), "The Matrix (1999)");
    EXPECT_EQ(h.koodit.at(1), "0133093");
    EXPECT_EQ(palvelin.pyyntoja("/Tsearch"), 0);

    Elokuvasivu s;
    TKortti k;
    k.nimi = "Matriisi";
    ASSERT_TRUE(lahde.nouda(h.koodit[1], k, s));
    EXPECT_EQ(s.kortti.nimi, "Matriisi (The Matrix)");
    EXPECT_EQ(s.imdb_koodi, "0133093");
    EXPECT_EQ(s.cover_url, palvelin.osoite() + "/images/M/matrix.jpg");
    EXPECT_EQ(palvelin.pyyntoja("/Title"), 0);  // a hit of today's search is at today's address
}

TEST_F(Lahde, YhdenNimikkeenSivuLuetaanKerran) {
    Hakutulokset h;
    ASSERT_TRUE(lahde.etsi("Troy", h));
    EXPECT_EQ(palvelin.pyyntoja("/suggestion/t/troy.json"), 1);
    EXPECT_EQ(palvelin.pyyntoja("/Tsearch"), 1);
    ASSERT_TRUE(h.yksi_nimike);
    EXPECT_EQ(h.rivit, std::vector<std::string>{"Troy"});
    EXPECT_EQ(h.koodit, std::vector<std::string>{"0332452"});
    Elokuvasivu s;
    TKortti k;
    k.nimi = "Troija";
    ASSERT_TRUE(lahde.nouda("tt0332452", k, s));
    EXPECT_EQ(s.kortti.nimi, "Troija (Troy)");
    EXPECT_EQ(s.kortti.paanayttelijat, "Brad Pitt, Eric Bana, Orlando Bloom, Diane Kruger, Brian Cox, Sean Bean");
    EXPECT_EQ(s.imdb_koodi, "0332452");
    EXPECT_EQ(palvelin.pyyntoja("/title/"), 0);
    EXPECT_EQ(palvelin.pyyntoja("/Title"), 0);
}

TEST_F(Lahde, SivuIlmanNumeroaSaaKysytynNumeron) {
    Elokuvasivu s;
    ASSERT_TRUE(lahde.nouda("12345678", TKortti{}, s));  // eight digits: today's address first
    EXPECT_EQ(s.kortti.nimi, "Uusi");
    EXPECT_EQ(s.imdb_koodi, "12345678");
    const Tulos puuttuu = lahde.nouda("0000404", TKortti{}, s);
    EXPECT_EQ(puuttuu.viesti, "Haku epäonnistui!");  // both addresses answered: not found, no reason to add
    EXPECT_EQ(palvelin.pyyntoja("/Title"), 1);
}

TEST_F(Lahde, PalvelinAlhaallaOnVirheSyyn_kanssa) {
    aseta_osoitteet("http://127.0.0.1:" + std::to_string(testituki::vapaa_portti()));
    Hakutulokset h;
    const Tulos t = lahde.etsi("Matrix", h);
    EXPECT_FALSE(t);
    EXPECT_EQ(t.viesti.rfind("Yhteys Internet Movie Databaseen epäonnistui.\n", 0), 0u) << t.viesti;
    EXPECT_NE(t.viesti.find("palvelimeen ei saatu yhteyttä"), std::string::npos) << t.viesti;
    Elokuvasivu s;
    const Tulos n = lahde.nouda("0133093", TKortti{}, s);
    EXPECT_EQ(n.viesti.rfind("Haku epäonnistui!\n", 0), 0u) << n.viesti;
}

TEST_F(Lahde, KeskeytysToisestaSaikeesta) {
    std::thread keskeyttaja([&] {
        while (palvelin.pyyntoja("/suggestion/h/hidas.json") == 0) std::this_thread::yield();
        lahde.keskeyta();
    });
    Hakutulokset h;
    const Tulos t = lahde.etsi("hidas", h);
    keskeyttaja.join();
    EXPECT_EQ(t.koodi, keskeytetty_haku);
    EXPECT_EQ(palvelin.pyyntoja("/Tsearch"), 0);  // no second request after the cancel
}

// ---------------------------------------------------------------------------------------------------------
// The batch, with a source, an HTTP client, a view and a clock of the test's own.

class Lahdenkorvike final : public Elokuvalahde {
public:
    std::vector<std::string> noudetut;
    Tulos etsi(std::string_view, Hakutulokset&) override { return Tulos::ok(); }
    Tulos nouda(std::string_view koodi, const TKortti&, Elokuvasivu& s) override {
        noudetut.emplace_back(koodi);
        s.cover_url = "http://kannet/" + std::string(koodi) + ".jpg";
        return Tulos::ok();
    }
    void keskeyta() override {}
};

class Verkonkorvike final : public Verkkohaku {
public:
    std::string kuva;
    std::vector<HttpPyynto> pyynnot;
    int vastaus_koodi = 0;
    Tulos hae(const HttpPyynto& p, HttpVastaus& v) override {
        pyynnot.push_back(p);
        if (vastaus_koodi) return Tulos::virhe(vastaus_koodi, "Siirto keskeytettiin.");
        v.runko = kuva;
        return Tulos::ok();
    }
    void keskeyta() override {}
};

class Kirjaaja final : public KansihaunNakyma, public Kello {
public:
    std::vector<std::string> tilat;
    std::vector<int> nytetyt;
    std::vector<std::pair<int, int>> arvonnat;
    int sekunteja = 0;
    int keskeyta_sekunnin_jalkeen = -1;
    bool keskeytys = false;

    void nayta_kortti(int i) override { nytetyt.push_back(i); }
    void tila(const std::string& t) override { tilat.push_back(t); }
    void kansi_loytyi(const std::string&) override {}
    bool keskeytetty() override { return keskeytys; }
    void odota_sekunti() override {
        if (++sekunteja == keskeyta_sekunnin_jalkeen) keskeytys = true;
    }
    int arvo(int alin, int ylin) override {
        arvonnat.emplace_back(alin, ylin);
        return ylin;
    }
};

class Kansiera : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio k;
    Ohjelmakansio kansio{k.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit;
    TOmaList kortit;
    Lahdenkorvike lahde;
    Verkonkorvike http;
    Kirjaaja kirjaaja;
    Kansihaku haku{kortit, kansio, jarjestelman_tiedostot(), viestit, lahde, http};

    void SetUp() override {
        for (const char* koodi : {"0000001", "0000002", "0000003"}) {
            TKortti& c = kortit.lisaa_uusi();
            c.imdb_koodi = koodi;
            c.hae_kansi = true;
        }
        kortit[2].cover_url = "http://kannet/valmis.jpg";
        http.kuva = testituki::pieni_jpeg();
    }
};

TEST_F(Kansiera, TauotArvotaanJaOdotetaanSekunneittain) {
    hae_kansikuvat(haku, kirjaaja, kirjaaja);
    // A title page for the cards without an address, then a pause of 2 to 6 s; after each card 5 to 24 s.
    EXPECT_EQ(lahde.noudetut, (std::vector<std::string>{"0000001", "0000003"}));
    EXPECT_EQ(kirjaaja.arvonnat, (std::vector<std::pair<int, int>>{{2, 6}, {5, 24}, {5, 24}, {2, 6}, {5, 24}}));
    EXPECT_EQ(kirjaaja.sekunteja, 6 + 24 + 24 + 6 + 24);
    EXPECT_EQ(kirjaaja.tilat.front(), "Pidetään taukoa 6 sekunttia...");
    ASSERT_EQ(http.pyynnot.size(), 3u);
    EXPECT_EQ(http.pyynnot[1].url, "http://kannet/valmis.jpg");
    EXPECT_EQ(http.pyynnot[0].enintaan, kannen_enimmaiskoko);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(kansikuva_olemassa(kansio, kortit[i].cover_fn)) << i;
        EXPECT_FALSE(kortit[i].hae_kansi) << i;
    }
    EXPECT_TRUE(viestit.naytetyt.empty());
}

TEST_F(Kansiera, KeskeytysTauollaLopettaaIlmanUusiaPyyntoja) {
    kirjaaja.keskeyta_sekunnin_jalkeen = 3;  // in the pause after the first title page
    hae_kansikuvat(haku, kirjaaja, kirjaaja);
    EXPECT_EQ(kirjaaja.sekunteja, 3);  // the rest of the pauses are not waited
    EXPECT_EQ(lahde.noudetut.size(), 1u);
    EXPECT_TRUE(http.pyynnot.empty());  // the address found is not fetched after the abort
    EXPECT_FALSE(kortit[1].hae_kansi);  // attempted once
    EXPECT_TRUE(kortit[2].hae_kansi);   // not reached: kept for the next batch
    EXPECT_TRUE(kortit[3].hae_kansi);
}

TEST_F(Kansiera, KeskeytettyLatausEiNaytaVirhetta) {
    http.vastaus_koodi = keskeytetty_haku;
    EXPECT_FALSE(dl_cover(http, "http://kannet/x.jpg", kortit, 1, kansio, jarjestelman_tiedostot(), viestit));
    EXPECT_TRUE(viestit.naytetyt.empty());
    http.vastaus_koodi = 63;
    EXPECT_FALSE(dl_cover(http, "http://kannet/x.jpg", kortit, 1, kansio, jarjestelman_tiedostot(), viestit));
    ASSERT_EQ(viestit.naytetyt.size(), 1u);
    EXPECT_EQ(viestit.naytetyt[0].teksti, std::string(ei_vastaanotettu_viesti) + "\n\nSiirto keskeytettiin.");
    EXPECT_TRUE(kortit[1].cover_fn.empty());
}

// ---------------------------------------------------------------------------------------------------------
// rkb imdb-find and imdb-fetch against the server.

class RkbImdbVerkko : public ::testing::Test {
protected:
    Palvelin palvelin;
    testituki::Tilapainen_kansio oma_kansio{"rkb_imdb_verkko"};
    fs::path tila = oma_kansio.juuri();

    void SetUp() override {
        fs::create_directories(tila / "koti");
        std::ofstream(tila / "koti" / "asetukset.ini", std::ios::binary)
            << "[Tallennus]\r\nsortattuna=0\r\n[IMDB]\r\ndl_cover_default=1\r\n";
        ASSERT_TRUE(tallenna_nimetyt_kortit(tila, (tila / "elokuvat.rkb").string(), {"Matriisi (Matrix)", "Troija (Troy)"}));
    }
    // rkb with the program folder koti/ that takes IMDb's pages and covers from `osoite`.
    Rkb rkb_osoitteella(const std::string& osoite) const {
        return {"RULLAKKO_HOME=" + (tila / "koti").string() + " RULLAKKO_IMDB_URL=" + osoite +
                " RULLAKKO_IMDB_HAKU_URL=" + osoite + " RULLAKKO_POSTER_URL=" + osoite};
    }
    const Rkb rkb = rkb_osoitteella(palvelin.osoite());
};

TEST_F(RkbImdbVerkko, FindJaFetchTayttavatJaTallentavat) {
    const Ajotulos haku = rkb("imdb-find Matrix");
    EXPECT_EQ(haku.koodi, 0);
    EXPECT_NE(haku.ulos.find("The Matrix (1999)\t0133093\t\n"), std::string::npos) << haku.ulos;

    const std::string luettelo = (tila / "elokuvat.rkb").string();
    const Ajotulos matrix = rkb("imdb-fetch " + luettelo + " 1");
    ASSERT_EQ(matrix.koodi, 0);
    EXPECT_EQ(matrix.ulos.substr(0, 31), "Matriisi (The Matrix)\t0133093\tg");
    const Ajotulos troy = rkb("imdb-fetch " + luettelo + " 2 --hit 1");
    ASSERT_EQ(troy.koodi, 0);
    EXPECT_EQ(troy.ulos.substr(0, 33), "Troija (Troy)\t0332452\tgfx\\kannet\\");

    const std::string runko = merkisto::utf8_cp1252(rkb("body " + luettelo).ulos);
    for (const char* odotettu : {"Lana Wachowski, Lilly Wachowski", "0133093", "Brad Pitt, Eric Bana", "0332452",
                                 "163 min", "Dolby Digital"})
        EXPECT_NE(runko.find(odotettu), std::string::npos) << odotettu;
    EXPECT_NE(rkb("list " + luettelo).ulos.find("gfx\\kannet\\"), std::string::npos);
}

TEST_F(RkbImdbVerkko, VirheetKoodilla1) {
    const std::string kiinni = "http://127.0.0.1:" + std::to_string(testituki::vapaa_portti());
    const Ajotulos alhaalla = rkb_osoitteella(kiinni)("imdb-find Matrix", "2>&1");
    EXPECT_EQ(alhaalla.koodi, 1);
    EXPECT_NE(alhaalla.ulos.find(merkisto::cp1252_utf8("palvelimeen ei saatu yhteyttä")), std::string::npos)
        << alhaalla.ulos;
    const std::string luettelo = (tila / "elokuvat.rkb").string();
    EXPECT_EQ(rkb("imdb-find Tuntematon").koodi, 1);
    EXPECT_EQ(rkb("imdb-fetch " + luettelo + " 3").koodi, 1);
    EXPECT_EQ(rkb("imdb-fetch " + luettelo + " 1 --hit 9").koodi, 1);
    EXPECT_EQ(rkb("imdb-fetch " + luettelo + " 1 --hit x").koodi, 1);
}

}  // namespace
