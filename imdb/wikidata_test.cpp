// The Wikidata source over a fake network that answers like Wikidata and the Finnish Wikipedia, and over
// real HTTP against the same answers served from this process.
#include "imdb/wikidata.h"

#include <gtest/gtest.h>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "diag/kiire.h"
#include "net/http.h"
#include "perus/merkisto.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostot.h"
#include "settings/asetukset.h"
#include "storage/kuvakoodekki.h"
#include "storage/tallennus.h"
#include "storage/varasto.h"
#include "testituki/nimetyt_kortit.h"
#include "testituki/komentotesti.h"
#include "testituki/pieni_jpeg.h"
#include "testituki/suljettu_portti.h"
#include "testituki/wikidatapalvelin.h"

namespace fs = std::filesystem;

namespace {

// Answers from the small Wikidata of the fixtures; a test can put its own answer in front.
class ValeVerkko : public Verkkohaku {
public:
    Wikidatapalvelu palvelu;
    std::vector<HttpPyynto> pyynnot;
    std::function<std::optional<Palveluvastaus>(const std::string& url)> ensin;
    std::function<void()> kesken;  // runs inside a request, as a user pressing Peruuta would
    bool keskeytetty = false;

    Tulos hae(const HttpPyynto& p, HttpVastaus& v) override {
        pyynnot.push_back(p);
        if (kesken) kesken();
        if (keskeytetty) return Tulos::virhe(keskeytetty_haku, "Siirto keskeytettiin");
        std::optional<Palveluvastaus> r = ensin ? ensin(p.url) : std::nullopt;
        if (!r) {
            const auto [polku, parametrit] = Wikidatapalvelu::jaa_osoite(p.url);
            r = palvelu.vastaa(polku, parametrit);
        }
        v.tila = r->tila;
        v.osoite = p.url;
        if (r->tila >= 400) return Tulos::virhe(22, "Palvelin vastasi virheellä " + std::to_string(r->tila));
        if (r->runko.size() > p.enintaan) return Tulos::virhe(63, "Vastaus oli liian suuri");
        v.runko = r->runko;
        return Tulos::ok();
    }
    void keskeyta() override { keskeytetty = true; }

    std::vector<std::string> api_toiminnot() const {
        std::vector<std::string> t;
        for (const HttpPyynto& p : pyynnot) {
            const auto [polku, parametrit] = Wikidatapalvelu::jaa_osoite(p.url);
            t.push_back(polku == "/w/api.php" ? parametrit.at("action") : polku);
        }
        return t;
    }
};

TKortti kortti(const char* nimi, const char* juoni = "", const char* kommentti = "") {
    TKortti k;
    k.nimi = nimi;
    k.juoni = juoni;
    k.kommentti = kommentti;
    k.aani = "Mono";
    return k;
}

constexpr const char* juoni_1955 =
    "Tuntematon sotilas on Edvin Laineen ohjaama sotaelokuva, joka perustuu Väinö Linnan romaaniin. "
    "Elokuva seuraa konekiväärikomppanian miehiä jatkosodan alusta sen loppuun.";
constexpr const char* lahde_1955 =
    "Juoni: Wikipedia, artikkeli \"Tuntematon sotilas (vuoden 1955 elokuva)\", lisenssi CC BY-SA 4.0, "
    "https://fi.wikipedia.org/wiki/Tuntematon_sotilas_(vuoden_1955_elokuva)";

TEST(Wikidata, HakuSuomeksiPitaaVainElokuvat) {
    ValeVerkko v;
    Wikidatalahde l(v, "");
    Hakutulokset h;
    const Tulos t = l.etsi("Tuntematon sotilas", h);
    ASSERT_TRUE(t) << t.viesti;
    // The novel of the same name is not a film and is left out.
    EXPECT_EQ(h.rivit, (std::vector<std::string>{"Tuntematon sotilas (1955), ohj. Edvin Laine",
                                                 "Tuntematon sotilas (1985), ohj. Rauni Mollberg",
                                                 "Tuntematon sotilas (2017), ohj. Aku Louhimies"}));
    EXPECT_EQ(h.koodit, (std::vector<std::string>{"Q1900001", "Q1900002", "Q1900004"}));
    EXPECT_EQ(h.akat, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(ensimmainen_nimike(h), 0);
}

TEST(Wikidata, HakuEnglanniksiKunSuomiEiLoydaElokuvaa) {
    ValeVerkko v;
    Wikidatalahde l(v, "");
    Hakutulokset h;
    ASSERT_TRUE(l.etsi("Matrix", h));
    EXPECT_EQ(h.rivit, (std::vector<std::string>{"The Matrix (1999), ohj. Lana Wachowski, Lilly Wachowski"}));
    EXPECT_EQ(h.koodit, (std::vector<std::string>{"Q1900010"}));
    const std::vector<std::string> kielet = [&] {
        std::vector<std::string> t;
        for (const HttpPyynto& p : v.pyynnot)
            if (const auto [polku, q] = Wikidatapalvelu::jaa_osoite(p.url); q.count("action") && q.at("action") == "wbsearchentities")
                t.push_back(q.at("language") + ":" + q.at("search"));
        return t;
    }();
    EXPECT_EQ(kielet, (std::vector<std::string>{"fi:Matrix", "en:Matrix"}));

    // Nothing in either language is no failure, just no rows.
    Hakutulokset tyhja;
    EXPECT_TRUE(l.etsi("Olematon elokuva", tyhja));
    EXPECT_TRUE(tyhja.rivit.empty());
}

TEST(Wikidata, HakuJaNoutoKysyvatNimetErissa) {
    ValeVerkko v;
    Wikidatalahde l(v, "");
    Hakutulokset h;
    ASSERT_TRUE(l.etsi("Tuntematon sotilas", h));
    // One search, the hits in one request, the directors' names of every hit in one more.
    EXPECT_EQ(v.api_toiminnot(), (std::vector<std::string>{"wbsearchentities", "wbgetentities", "wbgetentities"}));
    const auto [polku, nimet] = Wikidatapalvelu::jaa_osoite(v.pyynnot.back().url);
    EXPECT_EQ(nimet.at("props"), "labels");
    EXPECT_EQ(nimet.at("ids"), "Q1900101|Q1900104|Q1900105");

    v.pyynnot.clear();
    Elokuvasivu s;
    ASSERT_TRUE(l.nouda("Q1900001", kortti("Tuntematon sotilas"), s));
    EXPECT_EQ(v.api_toiminnot(), (std::vector<std::string>{"wbgetentities", "wbgetentities",
                                                           "/api/rest_v1/page/summary/Tuntematon_sotilas_(vuoden_1955_elokuva)"}));
    for (const HttpPyynto& p : v.pyynnot) {
        EXPECT_EQ(p.accept, "application/json");
        EXPECT_LE(p.enintaan, sivun_enimmaiskoko);
    }
}

TEST(Wikidata, TuntematonSotilasSuomeksi) {
    ValeVerkko v;
    Wikidatalahde l(v, "");
    Elokuvasivu s;
    const Tulos t = l.nouda("Q1900001", kortti("Tuntematon sotilas", "", "Oma huomio."), s);
    ASSERT_TRUE(t) << t.viesti;
    const TKortti& k = s.kortti;
    EXPECT_EQ(k.nimi, "Tuntematon sotilas");
    EXPECT_EQ(k.vuosi, "1955");  // the earliest of the release dates
    EXPECT_EQ(k.ohjaaja, "Edvin Laine");
    EXPECT_EQ(k.lisatieto_nimi[0], "Käsikirjoitus:");
    EXPECT_EQ(k.lisatieto[0], "Juha Nevalainen, Väinö Linna");
    // The first six of eight; a name that only has the multilingual label comes through.
    EXPECT_EQ(k.paanayttelijat, "Kosti Klemelä, Heikki Savolainen, Reino Tolvanen, Veikko Sinisalo, Åke Lindman, "
                                "Pentti Siimes");
    EXPECT_EQ(k.luokitus, "Sotaelokuva/Draamaelokuva");
    EXPECT_EQ(k.maa, "Suomi");
    EXPECT_EQ(s.kestolista, (std::vector<std::string>{"181 min"}));
    EXPECT_EQ(s.imdb_koodi, "0048732");
    EXPECT_EQ(s.cover_url,
              "https://commons.wikimedia.org/wiki/Special:FilePath/Tuntematon_sotilas_1955_juliste.jpg?width=600");
    EXPECT_EQ(k.juoni, juoni_1955);
    EXPECT_EQ(k.kommentti, std::string("Oma huomio.\r\n") + lahde_1955);
    EXPECT_EQ(k.aani, "Mono");  // what the source does not know stays as it was
    EXPECT_EQ(s.aanilista, alkuperainen_aanilista());
    EXPECT_TRUE(s.viestit.empty());

    // Fetched again onto the filled card: the user's plot stays and the source is not named twice.
    Elokuvasivu toinen;
    ASSERT_TRUE(l.nouda("Q1900001", s.kortti, toinen));
    EXPECT_EQ(toinen.kortti.juoni, juoni_1955);
    EXPECT_EQ(toinen.kortti.kommentti, std::string("Oma huomio.\r\n") + lahde_1955);
}

TEST(Wikidata, NimiJaArvotKunSuomenkielistaNimeaEiOle) {
    struct Tapaus {
        const char* kortin_nimi;
        const char* odotettu;
    };
    for (const Tapaus& c : {Tapaus{"Matriisi", "Matriisi (The Matrix)"}, Tapaus{"Matriisi (Matrix)", "Matriisi (The Matrix)"},
                            Tapaus{"", "The Matrix"}}) {
        ValeVerkko v;
        Wikidatalahde l(v, "");
        Elokuvasivu s;
        ASSERT_TRUE(l.nouda("Q1900010", kortti(c.kortin_nimi), s));
        EXPECT_EQ(s.kortti.nimi, c.odotettu) << c.kortin_nimi;
    }
    ValeVerkko v;
    Wikidatalahde l(v, "");
    Elokuvasivu s;
    ASSERT_TRUE(l.nouda("Q1900010", kortti("Matriisi"), s));
    const TKortti& k = s.kortti;
    EXPECT_EQ(k.vuosi, "1999");  // the deprecated 1998 is not taken
    EXPECT_EQ(k.ohjaaja, "Lana Wachowski, Lilly Wachowski");
    EXPECT_EQ(k.lisatieto[0], "Lana Wachowski, Lilly Wachowski");
    EXPECT_EQ(k.luokitus, "Tieteiselokuva/Action film");  // English where no Finnish label exists
    EXPECT_EQ(k.maa, "Yhdysvallat");
    EXPECT_EQ(s.kestolista, (std::vector<std::string>{"136 min"}));
    EXPECT_EQ(s.imdb_koodi, "0133093");
    EXPECT_EQ(s.cover_url, "");  // a PNG logo is no cover the store can keep
    // No Finnish article: no plot, no summary asked for.
    EXPECT_EQ(k.juoni, "");
    EXPECT_EQ(k.kommentti, "");
    EXPECT_EQ(v.api_toiminnot(), (std::vector<std::string>{"wbgetentities", "wbgetentities"}));
}

TEST(Wikidata, SuomenkielinenArtikkeliPuuttuu) {
    ValeVerkko v;
    Wikidatalahde l(v, "");
    Elokuvasivu s;
    ASSERT_TRUE(l.nouda("Q1900004", kortti("Tuntematon sotilas"), s));
    EXPECT_EQ(s.kortti.nimi, "Tuntematon sotilas");
    EXPECT_EQ(s.kortti.vuosi, "2017");
    EXPECT_EQ(s.kortti.ohjaaja, "Aku Louhimies");
    EXPECT_EQ(s.kestolista, (std::vector<std::string>{"180 min"}));  // given in seconds
    EXPECT_EQ(s.kortti.juoni, "");
    EXPECT_EQ(s.kortti.kommentti, "");
    EXPECT_TRUE(s.viestit.empty());  // a missing article is nothing to report

    // A summary that cannot be had for another reason leaves a note, and the card is still filled.
    v.ensin = [](const std::string& url) -> std::optional<Palveluvastaus> {
        if (url.find("/page/summary/") != std::string::npos) return Palveluvastaus{503, "Service Unavailable"};
        return std::nullopt;
    };
    Elokuvasivu t;
    ASSERT_TRUE(l.nouda("Q1900001", kortti("Tuntematon sotilas"), t));
    EXPECT_EQ(t.kortti.ohjaaja, "Edvin Laine");
    EXPECT_EQ(t.kortti.juoni, "");
    EXPECT_EQ(t.viestit, (std::vector<std::string>{"Suomenkielistä juonta ei saatu: Palvelin vastasi virheellä 503"}));

    // An article that only lists the meanings of its title is no plot.
    v.ensin = [](const std::string& url) -> std::optional<Palveluvastaus> {
        if (url.find("/page/summary/") != std::string::npos)
            return Palveluvastaus{200, R"({"type":"disambiguation","title":"Tuntematon sotilas","extract":"Tuntematon sotilas voi tarkoittaa"})"};
        return std::nullopt;
    };
    Elokuvasivu u;
    ASSERT_TRUE(l.nouda("Q1900001", kortti("Tuntematon sotilas"), u));
    EXPECT_EQ(u.kortti.juoni, "");
    EXPECT_EQ(u.kortti.kommentti, "");
}

TEST(Wikidata, MontaNimeaUseassaErassa) {
    ValeVerkko v;
    nlohmann::json e = {{"type", "item"}, {"id", "Q1999999"}, {"labels", {{"fi", {{"language", "fi"}, {"value", "Joukkoty\xC3\xB6"}}}}}};
    std::string odotettu;
    for (int i = 0; i < 120; ++i) {
        const std::string id = "Q" + std::to_string(1990000 + i);
        const std::string nimi = "Tekij" + std::to_string(i);
        e["claims"]["P58"].push_back({{"mainsnak", {{"snaktype", "value"}, {"property", "P58"},
                                                    {"datavalue", {{"value", {{"entity-type", "item"}, {"id", id}}},
                                                                   {"type", "wikibase-entityid"}}}}},
                                      {"type", "statement"}, {"rank", "normal"}});
        v.palvelu.lisaa_kohde({{"type", "item"}, {"id", id}, {"labels", {{"fi", {{"language", "fi"}, {"value", nimi}}}}}});
        odotettu += (i ? ", " : "") + nimi;
    }
    v.palvelu.lisaa_kohde(e);
    Wikidatalahde l(v, "");
    Elokuvasivu s;
    const Tulos t = l.nouda("Q1999999", kortti(""), s);
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(s.kortti.lisatieto[0], odotettu);
    EXPECT_EQ(s.kortti.nimi, "Joukkotyö");
    EXPECT_EQ(v.api_toiminnot(), (std::vector<std::string>{"wbgetentities", "wbgetentities", "wbgetentities", "wbgetentities"}));
}

TEST(Wikidata, VirheetSuomeksiJaKorttiEnnallaan) {
    struct Tapaus {
        const char* nimi;
        Palveluvastaus vastaus;
        const char* viesti;
    };
    const std::string syva(100000, '[');
    const Tapaus tapaukset[] = {
        {"palvelin kaatuu", {500, "Internal Server Error"}, "Wikidatan haku epäonnistui: Palvelin vastasi virheellä 500"},
        {"ei JSONia", {200, "<html>Wikimedia Error</html>"}, "Wikidatan vastausta ei voitu lukea."},
        {"liian syvä", {200, syva}, "Wikidatan vastausta ei voitu lukea."},
        {"liian suuri", {200, std::string(sivun_enimmaiskoko + 1, ' ')},
         "Wikidatan haku epäonnistui: Vastaus oli liian suuri"},
        {"API:n virhe", {200, R"({"error":{"code":"maxlag","info":"Waiting for a database server: 7 seconds lagged."}})"},
         "Wikidata ilmoitti virheestä: Waiting for a database server: 7 seconds lagged."},
        {"väärän muotoinen", {200, R"({"entities":[1,2,3]})"}, "Wikidatan vastausta ei voitu lukea."},
    };
    for (const Tapaus& c : tapaukset) {
        ValeVerkko v;
        v.ensin = [&](const std::string&) { return c.vastaus; };
        Wikidatalahde l(v, "");
        Hakutulokset h;
        h.rivit = {"vanha"};
        const Tulos t = l.etsi("Tuntematon sotilas", h);
        EXPECT_FALSE(t) << c.nimi;
        EXPECT_EQ(t.viesti, c.viesti) << c.nimi;
        EXPECT_EQ(h.rivit, (std::vector<std::string>{"vanha"})) << c.nimi;
        Elokuvasivu s;
        s.kortti.nimi = "ennallaan";
        const Tulos n = l.nouda("Q1900001", kortti("Tuntematon sotilas"), s);
        EXPECT_EQ(n.viesti, c.viesti) << c.nimi;
        EXPECT_EQ(s.kortti.nimi, "ennallaan") << c.nimi;
    }

    ValeVerkko v;
    Wikidatalahde l(v, "");
    Elokuvasivu s;
    for (const char* koodi : {"Q1900001&action=wbeditentity", "1900001", "Q", "q1900001", "Q01", "../Q1"})
        EXPECT_EQ(l.nouda(koodi, kortti("x"), s).viesti,
                  "\"" + std::string(koodi) + "\" ei ole Wikidatan tunnus (muotoa Q123456).");
    EXPECT_EQ(l.nouda("Q1234", kortti("x"), s).viesti, "Wikidatassa ei ole kohdetta Q1234.");
    Hakutulokset h;
    EXPECT_EQ(l.etsi("  ", h).viesti, "Syötä elokuvan nimi \"elokuvan nimi\" kenttään!");
    EXPECT_EQ(v.api_toiminnot(), (std::vector<std::string>{"wbgetentities"}));  // only the well-formed id was asked for
}

TEST(Wikidata, KeskeytysPysayttaaEikaUuttaPyyntoaLahde) {
    ValeVerkko v;
    Wikidatalahde l(v, "");
    v.kesken = [&] { l.keskeyta(); };
    Elokuvasivu s;
    const Tulos t = l.nouda("Q1900001", kortti("Tuntematon sotilas"), s);
    EXPECT_EQ(t.viesti, "Haku keskeytettiin.");
    EXPECT_EQ(t.koodi, keskeytetty_haku);
    EXPECT_EQ(v.pyynnot.size(), 1u);
    // The next search starts afresh.
    v.kesken = nullptr;
    v.keskeytetty = false;
    Hakutulokset h;
    EXPECT_TRUE(l.etsi("Tuntematon sotilas", h));
    EXPECT_EQ(h.rivit.size(), 3u);
}

// A network that hangs until it is told to stop, from another thread.
class JumittuvaVerkko : public Verkkohaku {
public:
    std::mutex m;
    std::condition_variable cv;
    bool sisalla = false, keskeytetty = false;

    Tulos hae(const HttpPyynto&, HttpVastaus&) override {
        std::unique_lock<std::mutex> l(m);
        sisalla = true;
        cv.notify_all();
        cv.wait(l, [&] { return keskeytetty; });
        return Tulos::virhe(keskeytetty_haku, "Siirto keskeytettiin");
    }
    void keskeyta() override {
        std::lock_guard<std::mutex> l(m);
        keskeytetty = true;
        cv.notify_all();
    }
};

TEST(Wikidata, KeskeytysToisestaSaikeesta) {
    JumittuvaVerkko v;
    Wikidatalahde l(v, "");
    Tulos t;
    std::thread haku([&] {
        Hakutulokset h;
        t = l.etsi("Tuntematon sotilas", h);
    });
    {
        std::unique_lock<std::mutex> lukko(v.m);
        v.cv.wait(lukko, [&] { return v.sisalla; });
    }
    l.keskeyta();
    haku.join();
    EXPECT_EQ(t.viesti, "Haku keskeytettiin.");
}

TEST(Wikidata, UserAgentKertooOhjelmanJaYhteystiedon) {
    const std::string pitka(5000, 'x');
    const std::string katkaistu = "Rullakko/1.36 (http://www.rullakko.net/; " + std::string(200, 'x') + ")";
    struct Tapaus {
        const char* yhteystieto;
        const char* odotettu;
    };
    for (const Tapaus& c : {Tapaus{"", "Rullakko/1.36 (http://www.rullakko.net/)"},
                            Tapaus{" elokuvat@example.org ", "Rullakko/1.36 (http://www.rullakko.net/; elokuvat@example.org)"},
                            Tapaus{"a@b.fi\r\nX-Evil: 1", "Rullakko/1.36 (http://www.rullakko.net/; a@b.fi??X-Evil: 1)"},
                            // A hand-edited settings file cannot make the header huge.
                            Tapaus{pitka.c_str(), katkaistu.c_str()}}) {
        ValeVerkko v;
        Wikidatalahde l(v, c.yhteystieto);
        Hakutulokset h;
        ASSERT_TRUE(l.etsi("Matrix", h));
        for (const HttpPyynto& p : v.pyynnot) EXPECT_EQ(p.user_agent, c.odotettu);
    }
}

TEST(Wikidata, HakusanaNimesta) {
    EXPECT_EQ(wikidata_hakusana("Tuntematon sotilas"), "Tuntematon sotilas");
    EXPECT_EQ(wikidata_hakusana("Pimeä tähti (Dark Star)"), "Pimeä tähti");
    EXPECT_EQ(wikidata_hakusana("(Dark Star)"), "(Dark Star)");
}

// Over real HTTP with the program's own client: the addresses from the environment, percent-encoding both
// ways, a 404 for the missing article.
class Ymparisto {
public:
    Ymparisto(const char* nimi, const std::string& arvo) : nimi_(nimi) { ::setenv(nimi, arvo.c_str(), 1); }
    ~Ymparisto() { ::unsetenv(nimi_); }

private:
    const char* nimi_;
};

TEST(Wikidata, PaikallistaPalvelintaVasten) {
    Wikidatapalvelin palvelin;
    const std::string osoite = palvelin.osoite();
    Ymparisto wd("RULLAKKO_WIKIDATA_URL", osoite + "/");
    Ymparisto wp("RULLAKKO_WIKIPEDIA_URL", osoite);
    Ymparisto cm("RULLAKKO_COMMONS_URL", osoite);
    net::HttpAsiakas http;
    Wikidatalahde l(http, "testi@example.org");
    Hakutulokset h;
    const Tulos t = l.etsi("Tuntematon sotilas", h);
    ASSERT_TRUE(t) << t.viesti;
    ASSERT_EQ(h.koodit.size(), 3u);
    EXPECT_EQ(h.rivit[0], "Tuntematon sotilas (1955), ohj. Edvin Laine");
    Elokuvasivu sivu;
    ASSERT_TRUE(l.nouda(h.koodit[0], kortti("Tuntematon sotilas"), sivu));
    EXPECT_EQ(sivu.kortti.lisatieto[0], "Juha Nevalainen, Väinö Linna");
    EXPECT_EQ(sivu.kortti.juoni, juoni_1955);
    EXPECT_EQ(sivu.cover_url, osoite + "/wiki/Special:FilePath/Tuntematon_sotilas_1955_juliste.jpg?width=600");
    EXPECT_EQ(palvelin.agentti(), "Rullakko/1.36 (http://www.rullakko.net/; testi@example.org)");
    Elokuvasivu puuttuu;
    ASSERT_TRUE(l.nouda(h.koodit[2], kortti("Tuntematon sotilas"), puuttuu));
    EXPECT_EQ(puuttuu.kortti.juoni, "");
    EXPECT_TRUE(puuttuu.viestit.empty());
}

// rkb imdb-find and imdb-fetch with --source wikidata, and the source the settings name.
class RkbWikidata : public ::testing::Test {
protected:
    Wikidatapalvelin palvelin{testituki::pieni_jpeg()};
    testituki::Tilapainen_kansio oma_kansio{"rkb_wikidata"};
    fs::path tila = oma_kansio.juuri();
    std::string luettelo = (tila / "elokuvat.rkb").string();

    void SetUp() override {
        fs::create_directories(tila / "koti");
        asetukset("imdb");
        ASSERT_TRUE(tallenna_nimetyt_kortit(tila, luettelo, {"Tuntematon sotilas", "Matrix"}));
    }
    void asetukset(const char* lahde) const {
        std::ofstream(tila / "koti" / "asetukset.ini", std::ios::binary)
            << "[Tallennus]\r\nsortattuna=0\r\n[IMDB]\r\ndl_cover_default=1\r\ntietolahde=" << lahde << "\r\n";
    }
    // IMDb is out of reach, so an answer can only come from the Finnish source.
    const std::string kiinni = "http://127.0.0.1:" + std::to_string(testituki::vapaa_portti());
    const Rkb rkb{"RULLAKKO_HOME=" + (tila / "koti").string() + " RULLAKKO_IMDB_URL=" + kiinni +
                  " RULLAKKO_IMDB_HAKU_URL=" + kiinni + " RULLAKKO_WIKIDATA_URL=" + palvelin.osoite() +
                  " RULLAKKO_WIKIPEDIA_URL=" + palvelin.osoite() + " RULLAKKO_COMMONS_URL=" + palvelin.osoite()};
};

TEST_F(RkbWikidata, FindJaFetchSuomeksi) {
    const Ajotulos haku = rkb("imdb-find 'Tuntematon sotilas' --source wikidata");
    EXPECT_EQ(haku.koodi, 0);
    EXPECT_EQ(haku.ulos, "Tuntematon sotilas (1955), ohj. Edvin Laine\tQ1900001\t\n"
                         "Tuntematon sotilas (1985), ohj. Rauni Mollberg\tQ1900002\t\n"
                         "Tuntematon sotilas (2017), ohj. Aku Louhimies\tQ1900004\t\n");

    const Ajotulos haettu = rkb("imdb-fetch " + luettelo + " 1 --source wikidata");
    ASSERT_EQ(haettu.koodi, 0);
    EXPECT_EQ(haettu.ulos.substr(0, 38), "Tuntematon sotilas\t0048732\tgfx\\kannet\\");
    const Ajotulos toinen = rkb("imdb-fetch " + luettelo + " 2 --hit 1 --source wikidata");
    ASSERT_EQ(toinen.koodi, 0);  // the Finnish search finds nothing, the English one The Matrix
    EXPECT_EQ(toinen.ulos, "Matrix (The Matrix)\t0133093\t\n");

    const std::string runko = merkisto::utf8_cp1252(rkb("body " + luettelo).ulos);
    for (const char* odotettu : {"Juha Nevalainen, Väinö Linna", "Sotaelokuva/Draamaelokuva", "181 min", "Suomi",
                                 "Kosti Klemelä, Heikki Savolainen", juoni_1955, lahde_1955, "Lana Wachowski, Lilly Wachowski",
                                 "Yhdysvallat"})
        EXPECT_NE(runko.find(odotettu), std::string::npos) << odotettu;
}

TEST_F(RkbWikidata, AsetustenLahdeJaVirheet) {
    asetukset("wikidata");
    const Ajotulos oletus = rkb("imdb-find 'Tuntematon sotilas'");
    EXPECT_EQ(oletus.koodi, 0);
    EXPECT_EQ(oletus.ulos.substr(0, 44), "Tuntematon sotilas (1955), ohj. Edvin Laine\t");
    EXPECT_EQ(rkb("imdb-find 'Tuntematon sotilas' --source imdb").koodi, 1);

    const Ajotulos tuntematon = rkb("imdb-find Matrix --source wikipedia", "2>&1");
    EXPECT_EQ(tuntematon.koodi, 1);
    EXPECT_EQ(tuntematon.ulos, merkisto::cp1252_utf8("Tietolähdettä wikipedia ei ole: valitse imdb tai wikidata.\n"));
    for (const char* vaarin : {"imdb-fetch x.rkb 1 --source", "imdb-fetch x.rkb 1 --bogus 2", "imdb-find Matrix --hit 2"})
        EXPECT_EQ(rkb(vaarin).koodi, 1) << vaarin;
    const Ajotulos ei_loydy = rkb("imdb-find Olematon", "2>&1");
    EXPECT_EQ(ei_loydy.koodi, 1);
    EXPECT_EQ(ei_loydy.ulos, merkisto::cp1252_utf8("Hakusanalla ei löytynyt yhtään elokuvaa\n"));
}

}  // namespace
