#include "storage/runko.h"

#include <gtest/gtest.h>

#include "diag/loki.h"
#include "testituki/testiviestit.h"

namespace {

using diag::TestiViestit;

std::string otsake(const std::string& versio = "1.36", const std::string& riveja = "48") {
    return "Tietokanta tallennettu ohjelman versiolla=" + versio + "\r\nKortteja=1\r\nRiveja=" + riveja +
           "\r\n## Tietokanta alkaa tästä\r\n";
}

// A card block of `n` value lines, line i holding "r<i>" unless given in `arvot`.
std::string kortti(int n, std::map<int, std::string> arvot = {}, bool erotin = true) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += (arvot.count(i) ? arvot[i] : "r" + std::to_string(i)) + "\r\n";
    if (erotin) s += "## Seuraava kortti\r\n";
    return s;
}

TOmaList lue(const std::string& teksti, TestiViestit& v, RungonTila odotettu = RungonTila::Luettu) {
    TOmaList l;
    RungonLuku a;
    a.tiedoston_nimi = "testi.rkb";
    EXPECT_EQ(lue_runko(teksti, l, a, v), odotettu);
    return l;
}

TKortti taysi_kortti() {
    TKortti k;
    k.nimi = "Pääkallo & \"lainaus\"";
    k.luokitus = "Kauhu";
    k.maa = "Suomi";
    k.kasetilla = "AP12";
    k.aani = "Stereo";
    k.paanayttelijat = "Aku, Iines";
    k.ohjaaja = "Ohjaaja Ö";
    k.juoni = "Yksi kappale.";
    k.kommentti = "kommentti=jotain";
    k.kuvasuhde = "16:9";
    k.sijainti = "2";
    k.lainassa = "Pekka 12.3.2004";
    k.formaatti = "DVD";
    k.kesto = "1h 45min";
    k.nauha = "E-240";
    k.vuosi = "1999";
    k.vari = "Väri";
    k.arvosana = "7,5";
    k.imdb_koodi = "0123456";
    k.cover_fn = "gfx\\kannet\\kansi1.jpg";
    for (std::size_t i = 0; i < 9; ++i) {
        k.lisatieto[i] = "arvo" + std::to_string(i);
        k.lisatieto_nimi[i] = "Nimi" + std::to_string(i) + ":";
    }
    k.nakyma = 2;
    k.extra[1] = k.extra[5] = k.extra[9] = true;
    k.extra_info = "Lisää";
    k.hae_kansi = false;
    k.cover_url = "http://example.invalid/k.jpg";
    return k;
}

void odota_samat(const TKortti& a, const TKortti& b) {
    EXPECT_EQ(a.nimi, b.nimi);
    EXPECT_EQ(a.luokitus, b.luokitus);
    EXPECT_EQ(a.maa, b.maa);
    EXPECT_EQ(a.kasetilla, b.kasetilla);
    EXPECT_EQ(a.aani, b.aani);
    EXPECT_EQ(a.paanayttelijat, b.paanayttelijat);
    EXPECT_EQ(a.ohjaaja, b.ohjaaja);
    EXPECT_EQ(a.juoni, b.juoni);
    EXPECT_EQ(a.kommentti, b.kommentti);
    EXPECT_EQ(a.kuvasuhde, b.kuvasuhde);
    EXPECT_EQ(a.sijainti, b.sijainti);
    EXPECT_EQ(a.lainassa, b.lainassa);
    EXPECT_EQ(a.formaatti, b.formaatti);
    EXPECT_EQ(a.kesto, b.kesto);
    EXPECT_EQ(a.nauha, b.nauha);
    EXPECT_EQ(a.vuosi, b.vuosi);
    EXPECT_EQ(a.vari, b.vari);
    EXPECT_EQ(a.arvosana, b.arvosana);
    EXPECT_EQ(a.imdb_koodi, b.imdb_koodi);
    EXPECT_EQ(a.cover_fn, b.cover_fn);
    EXPECT_EQ(a.lisatieto, b.lisatieto);
    EXPECT_EQ(a.lisatieto_nimi, b.lisatieto_nimi);
    EXPECT_EQ(a.nakyma, b.nakyma);
    EXPECT_EQ(a.extra, b.extra);
    EXPECT_EQ(a.extra_info, b.extra_info);
    EXPECT_EQ(a.hae_kansi, b.hae_kansi);
    EXPECT_EQ(a.cover_url, b.cover_url);
}

std::vector<std::string> rivit(const std::string& s) {
    std::vector<std::string> r;
    std::size_t p = 0;
    while (p < s.size()) {
        const std::size_t e = s.find("\r\n", p);
        r.push_back(s.substr(p, e - p));
        p = e + 2;
    }
    return r;
}

TEST(Runko, YksiKorttiOn59RiviaJaJarjestysOnOikea) {
    TOmaList l;
    l.lisaa(std::make_unique<TKortti>(taysi_kortti()));
    std::string s;
    kirjoita_runko(l, s);
    const auto r = rivit(s);
    ASSERT_EQ(r.size(), 59u);
    EXPECT_EQ(s.substr(s.size() - 2), "\r\n");
    EXPECT_EQ(r[0], "Tietokanta tallennettu ohjelman versiolla=1.36");
    EXPECT_EQ(r[1], "Kortteja=1");
    EXPECT_EQ(r[2], "Riveja=48");
    EXPECT_EQ(r[3], "## Tietokanta alkaa tästä");
    const auto rivi = [&](int n) { return r[static_cast<std::size_t>(3 + n)]; };
    EXPECT_EQ(rivi(4), "AP12");
    EXPECT_EQ(rivi(17), "arvo0");
    EXPECT_EQ(rivi(18), "Nimi0:");
    EXPECT_EQ(rivi(33), "arvo8");
    EXPECT_EQ(rivi(34), "Nimi8:");
    EXPECT_EQ(rivi(35), "gfx\\kannet\\kansi1.jpg");
    EXPECT_EQ(rivi(36), "0123456");
    EXPECT_EQ(rivi(37), "E-240");
    EXPECT_EQ(rivi(38), "kommentti=jotain");
    EXPECT_EQ(rivi(39), "TRUE");
    EXPECT_EQ(rivi(40), "FALSE");
    EXPECT_EQ(rivi(47), "TRUE");
    EXPECT_EQ(rivi(48), "Lisää");
    EXPECT_EQ(rivi(49), "2");
    EXPECT_EQ(rivi(50), "FALSE");
    EXPECT_EQ(rivi(51), "http://example.invalid/k.jpg");
    EXPECT_EQ(rivi(52), rivi(35));
    EXPECT_EQ(rivi(53), rivi(36));
    EXPECT_EQ(rivi(54), rivi(37));
    EXPECT_EQ(rivi(55), "## Seuraava kortti");
}

TEST(Runko, TyhjaLuetteloKirjoittaaOtsakkeen) {
    std::string s;
    kirjoita_runko(TOmaList(), s);
    EXPECT_EQ(s, "Tietokanta tallennettu ohjelman versiolla=1.36\r\nKortteja=0\r\nRiveja=48\r\n## Tietokanta alkaa tästä\r\n");
}

TEST(Runko, KirjoitusJaLukuPalauttavatKortitTavuilleen) {
    TOmaList l;
    l.lisaa(std::make_unique<TKortti>(taysi_kortti()));
    l.lisaa_uusi();  // an empty card keeps its defaults too
    TKortti& kolmas = l.lisaa_uusi();
    kolmas.nimi = "Kolmas";
    kolmas.imdb_koodi = "42";
    std::string s;
    kirjoita_runko(l, s);
    TestiViestit v;
    TOmaList luettu = lue(s, v);
    ASSERT_EQ(luettu.Count(), 4);
    EXPECT_EQ(luettu.versio, "1.36");
    odota_samat(luettu[1], l[1]);
    EXPECT_EQ(luettu[2].lisatieto_nimi[0], "Käsikirjoitus:");  // an empty first name reads as the default
    EXPECT_TRUE(luettu[2].hae_kansi);
    EXPECT_EQ(luettu[2].nakyma, 0);
    EXPECT_TRUE(v.naytetyt.empty());
    // From the first read on, writing and reading again is exact to the byte.
    std::string toinen;
    kirjoita_runko(luettu, toinen);
    std::string kolmas_kierros;
    kirjoita_runko(lue(toinen, v), kolmas_kierros);
    EXPECT_EQ(kolmas_kierros, toinen);
    luettu[2].lisatieto_nimi[0].clear();
    luettu[3].lisatieto_nimi[0].clear();
    kolmas_kierros.clear();
    kirjoita_runko(luettu, kolmas_kierros);
    EXPECT_EQ(kolmas_kierros, s);
}

TEST(Runko, JuonenRivinvaihdotKirjoitetaanValilyonteina) {
    TOmaList l;
    l.lisaa_uusi().juoni = "Eka kappale.\r\n\r\nToka\nkappale.";
    std::string s;
    kirjoita_runko(l, s);
    TestiViestit v;
    EXPECT_EQ(lue(s, v)[1].juoni, "Eka kappale.    Toka kappale.");
}

TEST(Runko, VanhaKorttiIlmanRiveja49Jalkeen) {
    // Older versions wrote 48 lines a card: the missing lines take their empty-line values.
    const std::string s = otsake("1.20") + kortti(48, {{36, "0111"}}) + kortti(48, {{36, ""}});
    TestiViestit v;
    const TOmaList l = lue(s, v);
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l[1].nakyma, 0);
    EXPECT_TRUE(l[1].hae_kansi);
    EXPECT_FALSE(l[2].hae_kansi);
    EXPECT_EQ(l[1].cover_url, "");
    EXPECT_EQ(l[1].extra_info, "r48");
}

TEST(Runko, RivinArvotSaannoittain) {
    struct Tapaus {
        int rivi;
        std::string arvo;
        std::function<bool(const TKortti&)> tarkistus;
        const char* kuvaus;
    };
    const std::vector<Tapaus> tapaukset = {
        {18, "", [](const TKortti& k) { return k.lisatieto_nimi[0] == "Käsikirjoitus:"; }, "tyhjä ensimmäinen nimi"},
        {18, "[Ei määritelty?]:", [](const TKortti& k) { return k.lisatieto_nimi[0] == "Käsikirjoitus:"; }, "määrittelemätön nimi"},
        {18, "Ei määritelty!", [](const TKortti& k) { return k.lisatieto_nimi[0] == "Käsikirjoitus:"; }, "erikoisnimi ensimmäisenä"},
        {22, "Custom3:", [](const TKortti& k) { return k.lisatieto_nimi[2].empty(); }, "Custom3"},
        {20, "[Ei määritelty?]:", [](const TKortti& k) { return k.lisatieto_nimi[1] == "[Ei määritelty?]:"; }, "vain ensimmäinen nimi muuttuu"},
        {1, "Custom1:", [](const TKortti& k) { return k.nimi.empty(); }, "erikoisnimi missä rivissä tahansa"},
        {39, "true", [](const TKortti& k) { return !k.extra[1]; }, "pienillä kirjoitettu true"},
        {47, "TRUE", [](const TKortti& k) { return k.extra[9]; }, "viimeinen extra"},
        {49, "  12abc", [](const TKortti& k) { return k.nakyma == 12; }, "luku rivin alussa"},
        {49, "abc", [](const TKortti& k) { return k.nakyma == 0; }, "ei lukua"},
        {50, "TRUE", [](const TKortti& k) { return k.hae_kansi; }, "hae_kansi TRUE"},
        {50, "kyllä", [](const TKortti& k) { return !k.hae_kansi; }, "hae_kansi muu"},
        {51, "C:\\Rullakko\\GFX\\Kannet\\a.jpg", [](const TKortti& k) { return k.cover_url.empty(); }, "paikallinen tiedosto"},
        {51, "http://x/y.jpg", [](const TKortti& k) { return k.cover_url == "http://x/y.jpg"; }, "osoite"},
        {52, "toinen.jpg", [](const TKortti& k) { return k.cover_fn == "r35"; }, "toisto ohitetaan"},
        {8, "a\nb", [](const TKortti& k) { return k.juoni == "ab"; }, "LF rivin sisällä poistetaan"},
    };
    for (const Tapaus& t : tapaukset) {
        TestiViestit v;
        const TOmaList l = lue(otsake() + kortti(54, {{t.rivi, t.arvo}}), v);
        ASSERT_EQ(l.Count(), 2) << t.kuvaus;
        EXPECT_TRUE(t.tarkistus(l[1])) << t.kuvaus;
    }
}

TEST(Runko, TotuusarvoLuetaanEnnenLfPoistoa) {
    TestiViestit v;
    const TOmaList l = lue(otsake() + kortti(54, {{40, "TR\nUE"}}), v);
    EXPECT_FALSE(l[1].extra[2]);
}

TEST(Runko, KatkennutJaPuuttuvaErotinJaPerassaOlevat) {
    TestiViestit v;
    // Cut short by the end of the text: completed from empty lines and appended.
    TOmaList l = lue(otsake() + kortti(10, {}, false), v);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l[1].sijainti, "r10");
    EXPECT_EQ(l[1].lisatieto_nimi[0], "Käsikirjoitus:");
    EXPECT_FALSE(l[1].hae_kansi);

    // One empty line after the last separator makes one more, empty card.
    l = lue(otsake() + kortti(54) + "\r\n", v);
    ASSERT_EQ(l.Count(), 3);
    EXPECT_TRUE(l[2].nimi.empty());

    // A lost separator runs the card on into the next block; it is closed after 1000 lines.
    std::string s = otsake() + kortti(54, {}, false);
    for (int i = 0; i < 30; ++i) s += kortti(54, {{1, "k" + std::to_string(i)}});
    l = lue(s, v);
    ASSERT_EQ(l.Count(), 31);
    EXPECT_EQ(l[1].nimi, "r1");
    EXPECT_EQ(l[1].imdb_koodi, "r36");
    EXPECT_EQ(l[2].nimi, "k1");  // the first block swallowed its neighbour's lines; the separator brings the next back in step

    std::string pitka = otsake();
    for (int i = 0; i < 2500; ++i) pitka += "x\r\n";
    l = lue(pitka, v);
    EXPECT_EQ(l.Count(), 1 + 3);  // 1000 + 1000 + 500 lines
    EXPECT_TRUE(v.naytetyt.empty());
}

TEST(Runko, RivinloputJaTekstinLoppumerkki) {
    TestiViestit v;
    // LF-only line ends: everything after the header is one long line, so one card with the name glued together.
    std::string s = otsake() + "a\nb\nc\n";
    TOmaList l = lue(s, v);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l[1].nimi, "abc");

    // Bare CR line ends read like CR LF.
    std::string cr = otsake() + kortti(54);
    for (std::size_t p; (p = cr.find("\r\n")) != std::string::npos;) cr.erase(p + 1, 1);
    l = lue(cr, v);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l[1].nimi, "r1");

    // Byte 1A ends the text.
    l = lue(otsake() + kortti(54) + "\x1a" + kortti(54), v);
    EXPECT_EQ(l.Count(), 2);
}

// A body read as an unpacking thread hands it over, `pala` bytes at a time and ending after `loppuu` bytes.
// Bytes not yet handed over hold line ends and the end mark, so a reader that looks ahead reads wrong.
struct Paloittain {
    TOmaList lista;
    TestiViestit viestit;
    RungonTila tila;

    Paloittain(const std::string& teksti, std::size_t pala, std::size_t loppuu = std::string::npos) {
        auto puskuri = std::make_shared<std::string>(teksti.size() + rungon_vara, '\0');
        for (std::size_t i = 0; i < teksti.size(); ++i) (*puskuri)[i] = i % 2 ? '\r' : '\x1a';
        std::size_t annettu = 0;
        const std::size_t kaikki = std::min(loppuu, teksti.size());
        const auto odota = [&](std::size_t n) {
            EXPECT_GE(n, annettu);
            const std::size_t uusi = std::min(kaikki, std::max(annettu, n) + pala);
            std::copy(teksti.begin() + static_cast<std::ptrdiff_t>(annettu), teksti.begin() + static_cast<std::ptrdiff_t>(uusi),
                      puskuri->begin() + static_cast<std::ptrdiff_t>(annettu));
            annettu = uusi;
            return annettu;
        };
        RungonLuku a;
        a.tiedoston_nimi = "testi.rkb";
        tila = lue_runko(Rungonlahde{puskuri->data(), teksti.size(), puskuri, odota}, lista, a, viestit);
    }
};

TEST(Runko, PaloittainLuettuOnSamaKuinKokonaan) {
    const std::string juoni(70, 'j');
    const std::vector<std::string> tekstit = {
        otsake() + kortti(54) + kortti(54, {{1, "toinen"}, {8, juoni + "\n" + juoni}}),
        otsake("1.18") + kortti(54) + kortti(20, {}, false),
        otsake() + kortti(54) + "\x1a" + kortti(54),
        otsake() + kortti(54) + "viimeinen\x1a\r\n" + kortti(54),
        otsake() + kortti(10, {{3, "x\x1ay"}}) + kortti(54),
        otsake() + "a\nb\rc\r\r\n" + kortti(54) + "ilman rivinvaihtoa",
        otsake() + kortti(54) + "\r",
        "Tietokanta tallennettu ohjelman versiolla=1.36\r\nKortteja=1\r\n",
    };
    for (const std::string& t : tekstit) {
        TestiViestit v;
        TOmaList kokonaan;
        RungonLuku a;
        a.tiedoston_nimi = "testi.rkb";
        const RungonTila tila = lue_runko(t, kokonaan, a, v);
        std::string odotettu;
        kirjoita_runko(kokonaan, odotettu);
        for (const std::size_t pala : {std::size_t{1}, std::size_t{7}, std::size_t{16}, std::size_t{33}, t.size()}) {
            SCOPED_TRACE(testing::Message() << "pala " << pala << ": " << t.substr(0, 60));
            Paloittain p(t, pala);
            EXPECT_EQ(p.tila, tila);
            std::string saatu;
            kirjoita_runko(p.lista, saatu);
            EXPECT_TRUE(saatu == odotettu);
            EXPECT_EQ(p.viestit.tekstit(), v.tekstit());
        }
    }
    // An unpacking that stops early ends the text there; the caller learns of the damage from the unpacking.
    const std::string t = otsake() + kortti(54) + kortti(54, {{1, "toinen"}});
    for (const std::size_t loppuu : {otsake().size() + 10, otsake().size() + 300, t.size() - 5}) {
        TestiViestit v;
        const TOmaList alku = lue(t.substr(0, loppuu), v);
        Paloittain p(t, 5, loppuu);
        std::string odotettu, saatu;
        kirjoita_runko(alku, odotettu);
        kirjoita_runko(p.lista, saatu);
        EXPECT_TRUE(saatu == odotettu) << loppuu;
    }
}

TEST(Runko, OtsakkeenTarkistukset) {
    {
        TestiViestit v;
        const TOmaList l = lue("roskaa\r\nTIETOKANTA TALLENNETTU OHJELMAN VERSIOLLA=1.36\r\nKortteja=1\r\nRiveja=48\r\nmuuta\r\n## Tietokanta alkaa tästä\r\n" + kortti(54), v);
        EXPECT_EQ(l.Count(), 2);
        EXPECT_TRUE(v.naytetyt.empty());
    }
    struct Tapaus {
        std::string versio, riveja;
        std::vector<std::string> viestit;
    };
    const std::string uudempi = "Avaamasi tietokanta on tallennettu uudemmalla versiolla ohjelmasta!";
    const std::string huom =
        "HUOM: Avaamasi tietokanta on tallennettu ohjelmaversiolla 1.17 tai 1.18\nOhjelmointivirheen takia saatat saada kohta "
        "huomautuksen avaamastasi tiedostosta.\nTallenna tietokantasi uudelleen niin pääset eroon siitä!";
    const std::string rivit60 =
        "Avaamasi tietokanta [testi.rkb] sisältää tietoja joita ohjelma\nei osaa käsitellä. Olet mahdollisesti avannut "
        "uudemmalla ohjelmaversiolla\ntallennetun tietokannan. Ohjelma osaa lukea myös uudemman version tietokannan,\n"
        "mutta osa tiedoista jätetään pois. Mikäli tallennat tietokannan osa tiedoista\nmenetetään lopullisesti, eikä "
        "tätä ilmoitusta enää tule tämän tietokannan yhteydessä.";
    const std::vector<Tapaus> tapaukset = {
        {"1.36", "48", {}},
        {"1.35", "48", {}},
        {"1,36", "48", {}},
        {"1.4", "48", {uudempi}},
        {"2.0", "48", {uudempi}},
        {"1.18", "48", {huom}},
        {"1.17", "48", {huom}},
        {"1.36", "60", {rivit60}},
        {"1.36", " 49x", {rivit60}},
        {"1.36", "abc", {}},
    };
    for (const Tapaus& t : tapaukset) {
        TestiViestit v;
        const TOmaList l = lue(otsake(t.versio, t.riveja) + kortti(54) + kortti(54), v);
        EXPECT_EQ(l.Count(), 3) << t.versio << "/" << t.riveja;
        EXPECT_EQ(l.versio, t.versio);
        EXPECT_EQ(v.tekstit(), t.viestit) << t.versio << "/" << t.riveja;
    }
}

TEST(Runko, PuuttuvaOtsakeOnVahingoittunutTiedosto) {
    TestiViestit v;
    lue("", v, RungonTila::Vahingoittunut);
    lue("ei mitään tunnistettavaa\r\ntoinen rivi\r\n", v, RungonTila::Vahingoittunut);
    lue("Tietokanta tallennettu ohjelman versiolla=1.36\r\nKortteja=1\r\nRiveja=48\r\n", v, RungonTila::Vahingoittunut);
    // A header alone is read, with no cards.
    EXPECT_EQ(lue(otsake(), v).Count(), 1);
}

TEST(Runko, LiitoksenSamannimisetKannetJaPuuttuvatKannet) {
    TOmaList l;
    l.lisaa_uusi().cover_fn = "gfx\\kannet\\a.jpg";
    RungonLuku a;
    a.liitos = true;
    a.tiedoston_nimi = "liitos.rkb";
    TestiViestit v;
    const std::string s = otsake() + kortti(54, {{35, "gfx\\kannet\\a.jpg"}}) + kortti(54, {{35, "gfx\\kannet\\b.jpg"}}) +
                          kortti(54, {{35, "gfx\\kannet\\b.jpg"}}) + kortti(54, {{35, ""}}) + kortti(54, {{35, ""}});
    ASSERT_EQ(lue_runko(s, l, a, v), RungonTila::Luettu);
    ASSERT_EQ(l.Count(), 7);
    EXPECT_EQ(l[2].cover_fn, "");
    EXPECT_EQ(l[3].cover_fn, "gfx\\kannet\\b.jpg");
    EXPECT_EQ(l[4].cover_fn, "");
    const std::string alku = "Virhe: Liitettävät tietokannat sisältävät saman nimisiä kansikuvia!\nKorjataan virhe poistamalla kortilta ";
    EXPECT_EQ(v.tekstit(), (std::vector<std::string>{alku + "2 kansikuva...", alku + "4 kansikuva..."}));

    // With covers unpacked at open, a cover whose file is missing is dropped.
    TOmaList m;
    RungonLuku b;
    b.kansi_olemassa = [](const std::string& n) { return n == "gfx\\kannet\\on.jpg"; };
    TestiViestit w;
    lue_runko(otsake() + kortti(54, {{35, "gfx\\kannet\\on.jpg"}}) + kortti(54, {{35, "gfx\\kannet\\ei.jpg"}}), m, b, w);
    EXPECT_EQ(m[1].cover_fn, "gfx\\kannet\\on.jpg");
    EXPECT_EQ(m[2].cover_fn, "");
}

TEST(Apurutiinit, EroitaArvo) {
    diag::loki().nollaa();
    EXPECT_EQ(eroita_arvo("Kortteja=12"), "12");
    EXPECT_EQ(eroita_arvo("a=b=c"), "b=c");
    EXPECT_EQ(eroita_arvo(""), "");
    EXPECT_EQ(eroita_arvo("ei yhtäsuuruutta"), "");
    EXPECT_EQ(eroita_arvo("loppuu="), "");
    EXPECT_EQ(diag::loki().rivit(),
              (std::deque<std::string>{"VIRHE: eroita_arvo sai tyhjän parametrin!",
                                       "VIRHE: Eroita_arvo FAILED, i=length(jono), jono=ei yhtäsuuruutta",
                                       "VIRHE: Eroita_arvo FAILED, i=length(jono), jono=loppuu="}));
    diag::loki().nollaa();
}

TEST(Apurutiinit, MkStr2Float) {
    TestiViestit v;
    EXPECT_DOUBLE_EQ(mkStr2Float("1.36", v), 1.36);
    EXPECT_DOUBLE_EQ(mkStr2Float("1,4", v), 1.4);
    EXPECT_DOUBLE_EQ(mkStr2Float("2", v), 2.0);
    EXPECT_TRUE(v.naytetyt.empty());
    EXPECT_DOUBLE_EQ(mkStr2Float("1.2.3", v), 0.0);
    EXPECT_DOUBLE_EQ(mkStr2Float("beta", v), 0.0);
    EXPECT_EQ(v.tekstit(), (std::vector<std::string>{
                               "Virhe: Molemmat muunnosyritykset (mkStr2Float) EPÄONNISTUIVAT, str1=1.2.3",
                               "Virhe: Molemmat muunnosyritykset (mkStr2Float) EPÄONNISTUIVAT, str1=beta"}));
    diag::loki().nollaa();
    EXPECT_DOUBLE_EQ(mkStr2Float("", v), 0.0);
    EXPECT_EQ(diag::loki().rivit().back(), "VIRHE: mkStr2Float sai tyhjän parametrin!");
    diag::loki().nollaa();
}

}  // namespace

TEST(Runko, KentatEivatJaaKiinniLuettuunRunkoon) {
    TestiViestit v;
    auto l = std::make_unique<TOmaList>();
    ASSERT_EQ(lue_runko(otsake() + kortti(54, {{1, "Eka"}, {8, "Juoni yksi"}}) + kortti(54, {{1, "Toka"}}) +
                           kortti(54, {{1, "Kolmas"}, {38, "Kommentti"}}),
                       *l, RungonLuku{}, v),
              RungonTila::Luettu);
    ASSERT_EQ(l->korttien_maara(), 3);
    EXPECT_TRUE((*l)[1].nimi.lainattu());

    TKortti kopio;
    kopio.kopioi((*l)[1]);
    const TKortti kopioitu((*l)[3]);
    TOmaList toinen;
    toinen.lisaa(std::make_unique<TKortti>(std::move((*l)[3])));
    std::unique_ptr<TKortti> irrotettu = l->irrota(2);
    // A field set from a part of its own text, and an edit that must not show in the copies.
    (*l)[1].juoni = std::string_view((*l)[1].juoni).substr(6);
    EXPECT_EQ((*l)[1].juoni, "yksi");
    (*l)[1].nimi = "Muutettu";

    // Copies own their texts; a card taken out of the list keeps the body it points into.
    for (const TKortti* k : std::initializer_list<const TKortti*>{&kopio, &kopioitu, &toinen[1]}) {
        EXPECT_FALSE(k->nimi.lainattu());
        EXPECT_FALSE(k->juoni.lainattu());
    }
    EXPECT_TRUE(irrotettu->nimi.lainattu());
    EXPECT_NE(irrotettu->runko.get(), nullptr);
    l.reset();
    EXPECT_EQ(kopio.nimi, "Eka");
    EXPECT_EQ(kopio.juoni, "Juoni yksi");
    EXPECT_EQ(kopioitu.kommentti, "Kommentti");
    EXPECT_EQ(toinen[1].nimi, "Kolmas");
    EXPECT_EQ(toinen[1].kommentti, "Kommentti");
    EXPECT_EQ(irrotettu->nimi, "Toka");
    EXPECT_STREQ(irrotettu->nimi.c_str(), "Toka");
    EXPECT_EQ(irrotettu->lisatieto_nimi[0], "r18");
}
