// The fixed-column list, the HTML list and the page layout of the printed list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "export/lista.h"
#include "testituki/nimetyt_kortit.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/tiedoston_sisalto.h"

namespace {

// A card of the fixed-column list: its number column and the fields of the others.
TKortti kortti(const char* kasetti, const char* nimi, const char* kesto = "", const char* formaatti = "",
               const char* luokitus = "", const char* aani = "") {
    TKortti k = testituki::kortti(nimi, formaatti, "", kesto);
    k.kasetilla = kasetti;
    k.luokitus = luokitus;
    k.aani = aani;
    return k;
}

std::string blankot(std::size_t n) { return std::string(n, ' '); }

TEST(Listarivi, SarakkeetPysyvatPaikallaan) {
    const std::string nimi60(60, 'N');
    struct Tapaus {
        TKortti k;
        std::string odotettu;
    } tapaukset[] = {
        {kortti("12", "Alien", "117 min", "VHS", "Kauhu", "Hifi-Stereo"),
         "12 ...... Alien, 117min, (VHS)" + blankot(55 - 30) + "Kauhu" + blankot(80 - 60) + "Hifi-Stereo"},
        // A name that does not fit is cut at column 53; the genre still starts at 56.
        {kortti("3", nimi60.c_str(), "", "", "Draama", "Mono"),
         "3 ....... " + std::string(53 - 10, 'N') + blankot(2) + "Draama" + blankot(80 - 61) + "Mono"},
        // A number of ten characters or more gives up its 10th character to the separating blank.
        {kortti("1234567890", "X"), "123456789  X" + blankot(80 - 12)},
        {kortti("ABCDEFGHIJKL", "X"), "ABCDEFGHI KL X" + blankot(80 - 14)},
        // Hours are written as minutes, without blanks; no duration and no format add nothing.
        {kortti("7", "Y", "1h 57min", "", "", ""), "7 ....... Y, 117min" + blankot(80 - 19)},
        {kortti("", "Z"), " ........ Z" + blankot(80 - 11)},
        // A genre longer than its column pushes the sound track along instead of being cut.
        {kortti("1", "W", "", "", std::string(30, 'L').c_str(), "A"), "1 ....... W" + blankot(44) + std::string(30, 'L') + "A"},
    };
    for (const Tapaus& t : tapaukset) {
        const std::string r = listarivi(t.k);
        EXPECT_EQ(r, t.odotettu) << t.k.nimi;
    }
    const std::string alien = listarivi(tapaukset[0].k);
    EXPECT_EQ(alien.find("Kauhu"), 55u);
    EXPECT_EQ(alien.find("Hifi"), 80u);
}

TEST(Tekstilista, OtsakkeetJaRivitCrLf) {
    TOmaList l;
    std::string tyhja = tee_tekstilista(l, "1.2.2003", "/koti/x/elokuvat.rkb");
    const std::string otsake =
        "Numero    Elokuvan nimi, Kasetin/levyn tyyppi, Kesto   Luokitus                 Ääniraita";
    EXPECT_EQ(otsake.size(), 89u);
    EXPECT_EQ(tyhja, "Rullakkon elokuvalista [1.2.2003] Tietokanta: elokuvat.rkb\r\n\r\n" + otsake + "\r\n\r\n");

    l.lisaa(std::make_unique<TKortti>(kortti("1", "Eka")));
    l.lisaa(std::make_unique<TKortti>(kortti("2", "Toka")));
    const std::string kaksi = tee_tekstilista(l, "1.2.2003", "C:\\vanha\\a.rkb");
    EXPECT_EQ(kaksi.substr(0, 48), "Rullakkon elokuvalista [1.2.2003] Tietokanta: a.");
    EXPECT_NE(kaksi.find("\r\n" + listarivi(l[1]) + "\r\n" + listarivi(l[2]) + "\r\n"), std::string::npos);
}

TEST(Tekstilista, OlemassaOlevaaTiedostoaEiKorvata) {
    testituki::Tilapainen_kansio k;
    const auto polku = k.juuri() / "lista.txt";
    TOmaList l;
    l.lisaa(std::make_unique<TKortti>(kortti("1", "Eka")));
    ASSERT_TRUE(kirjoita_lista(jarjestelman_tiedostot(), polku, l, "p", "a.rkb"));
    EXPECT_EQ(testituki::tiedoston_sisalto(polku), tee_tekstilista(l, "p", "a.rkb"));

    { std::ofstream(polku, std::ios::binary) << "vanha"; }
    const Tulos t = kirjoita_lista(jarjestelman_tiedostot(), polku, l, "p", "a.rkb");
    EXPECT_FALSE(t);
    EXPECT_EQ(t.viesti, tiedosto_olemassa_viesti);
    EXPECT_EQ(testituki::tiedoston_sisalto(polku), "vanha");
    // Replaced whole when the user has agreed to it.
    ASSERT_TRUE(kirjoita_lista(jarjestelman_tiedostot(), polku, l, "p", "a.rkb", Listan_merkisto::Cp1252, Olemassaoleva::Korvaa));
    EXPECT_EQ(testituki::tiedoston_sisalto(polku), tee_tekstilista(l, "p", "a.rkb"));

    // A folder that is not there: a message naming the reason, not a crash or a silent success.
    const Tulos puuttuu = kirjoita_lista(jarjestelman_tiedostot(), k.juuri() / "ei_ole" / "lista.txt", l, "p", "a.rkb");
    EXPECT_FALSE(puuttuu);
    EXPECT_FALSE(puuttuu.viesti.empty());
}

TEST(Tekstilista, Utf8Valinta) {
    testituki::Tilapainen_kansio k;
    TOmaList l;
    l.lisaa(std::make_unique<TKortti>(kortti("1", "Hämärä Åsa")));
    const auto polku = k.juuri() / "utf8.txt";
    ASSERT_TRUE(kirjoita_lista(jarjestelman_tiedostot(), polku, l, "p", "ä.rkb", Listan_merkisto::Utf8));
    const std::string s = testituki::tiedoston_sisalto(polku);
    EXPECT_EQ(s.substr(0, 9), "Rullakkon");
    EXPECT_NE(s.find("Tietokanta: \xC3\xA4.rkb\r\n"), std::string::npos);
    EXPECT_NE(s.find("\r\n1 ....... H\xC3\xA4m\xC3\xA4r\xC3\xA4 \xC3\x85sa"), std::string::npos);
    EXPECT_NE(s.find("\xC3\x84\xC3\xA4niraita\r\n"), std::string::npos);
    EXPECT_EQ(s.find('\xE4'), std::string::npos);
}

// The table rows of a page, each row's lines joined.
std::vector<std::string> rivit(const std::string& sivu) {
    std::vector<std::string> r;
    std::size_t i = 0;
    while ((i = sivu.find("<tr>\r\n", i)) != std::string::npos) {
        const std::size_t loppu = sivu.find("</tr>", i);
        std::string s = sivu.substr(i + 6, loppu - i - 6);
        std::string ilman;
        for (char c : s)
            if (c != '\r' && c != '\n') ilman += c;
        r.push_back(ilman);
        i = loppu;
    }
    return r;
}

TEST(HtmlLista, OtsakeriviLinkitJaSuojaus) {
    TOmaList l;
    TKortti& a = l.lisaa_uusi();
    a = kortti("5", "Tom & Jerry <\"3\">", "90 min", "DVD", "Piirretty", "Stereo");
    a.imdb_koodi = "0012345";
    a.vuosi = "1999";
    a.arvosana = "8";
    TKortti& b = l.lisaa_uusi();
    b = kortti("6", "Ilman koodia");
    Html_asetukset h;
    h.td = "class=x";  // attributes go in exactly as typed
    const std::string sivu = tee_html_lista(l, h);

    EXPECT_EQ(sivu.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">\r\n<html>\r\n", 0), 0u);
    EXPECT_NE(sivu.find("charset=windows-1252"), std::string::npos);
    EXPECT_NE(sivu.find("\r\n<table cellspacing=\"2\" cellpadding=\"5\" border=\"0\">\r\n"), std::string::npos);
    EXPECT_EQ(sivu.substr(sivu.size() - 31), "</table></font></body></html>\r\n");

    const auto r = rivit(sivu);
    ASSERT_EQ(r.size(), 3u);
    const std::string S = "<td bgColor=\"#0C38B8\"";
    EXPECT_EQ(r[0], S + ">Nro</td>" + S + ">Nimi</td>" + S + ">Vuosi</td>" + S + ">Luokitus</td>" + S +
                        " width=\"60\">Kesto</td>" + S + " alt=\"Elokuvan formaatti, DVD, SP/LP (VHS) ... \">Form.</td>" +
                        S + ">Ääniraita</td>" + S + ">Arvosana</td></td>");
    EXPECT_EQ(r[1], "<td bgColor=\"#0A2695\">5</td><td class=x><a href=\"" + imdb_nimiosoite() +
                        "0012345\">Tom &amp; Jerry &lt;&quot;3&quot;&gt;</a></td><td class=x>1999</td>"
                        "<td class=x>Piirretty</td><td class=x width=\"60\">90 min</td>"
                        "<td class=x alt=\"Elokuvan formaatti, DVD, SP/LP (VHS) ... \">DVD</td>"
                        "<td class=x>Stereo</td><td class=x>8/10</td></td>");
    EXPECT_NE(r[2].find("<td class=x>Ilman koodia</td>"), std::string::npos);
    EXPECT_NE(r[2].find("<td class=x>0/10</td>"), std::string::npos);
    EXPECT_EQ(imdb_nimiosoite().substr(imdb_nimiosoite().size() - 7), "/Title?");
}

TEST(HtmlLista, ValitutSarakkeetJaArvosanaNolla) {
    TOmaList l;
    TKortti& a = l.lisaa_uusi();
    a = kortti("1", "Eka");
    a.paanayttelijat = "Näyttelijä";
    Html_asetukset h;
    std::string tuntematon;
    ASSERT_TRUE(valitse_html_sarakkeet(h, "paaos, nro", tuntematon));
    const auto r = rivit(tee_html_lista(l, h));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], "<td bgColor=\"#0A2695\">1</td><td bgColor=\"#091584\">Eka</td>"
                    "<td bgColor=\"#091584\">Näyttelijä</td></td>");
    // The rating column was off, yet the card without a rating now carries "0", as it always has.
    EXPECT_EQ(l[1].arvosana, "0");
    EXPECT_EQ(l[0].nimi, nollakortin_nimi);

    EXPECT_FALSE(valitse_html_sarakkeet(h, "nro,vuosi,kansi", tuntematon));
    EXPECT_EQ(tuntematon, "kansi");

    TOmaList tyhja;
    EXPECT_EQ(rivit(tee_html_lista(tyhja, Html_asetukset{})).size(), 1u);
}

TEST(HtmlLista, IsoSivuKirjoitetaanPaloinaJaVanhaTiedostoKorvataanKokonaan) {
    TOmaList l;
    for (int i = 1; i <= 20000; ++i) {
        TKortti& k = l.lisaa(std::make_unique<TKortti>(kortti(std::to_string(i).c_str(), "Tom & Jerry <3>", "90 min")));
        k.paanayttelijat = std::string(static_cast<std::size_t>(i % 50), 'n');
        if (i % 3 == 0) k.imdb_koodi = std::to_string(i);
    }
    Html_asetukset h;
    h.lisaa_paaos = true;
    TOmaList kopio;
    for (int i = 1; i < l.Count(); ++i) kopio.lisaa(std::make_unique<TKortti>(l[i]));
    const std::string odotettu = tee_html_lista(kopio, h);
    ASSERT_GT(odotettu.size(), 3u << 20);

    testituki::Tilapainen_kansio k;
    const auto polku = k.juuri() / "lista.html";
    { std::ofstream(polku, std::ios::binary) << "vanha lista"; }
    ASSERT_TRUE(kirjoita_html_lista(jarjestelman_tiedostot(), polku, l, h));
    EXPECT_TRUE(testituki::tiedoston_sisalto(polku) == odotettu);

    // A writer that fails is asked for nothing more, and the failure is told.
    int palat = 0;
    EXPECT_FALSE(kirjoita_html_lista(l, h, [&palat](std::string_view) { return ++palat > 1 ? false : true; }));
    EXPECT_EQ(palat, 2);
    const Tulos puuttuu = kirjoita_html_lista(jarjestelman_tiedostot(), k.juuri() / "ei_ole" / "lista.html", l, h);
    EXPECT_FALSE(puuttuu);
    EXPECT_FALSE(puuttuu.viesti.empty());
}

TEST(ListanTulostus, SivutJaTekijarivit) {
    auto lista = [](int n) {
        TOmaList l;
        for (int i = 1; i <= n; ++i) l.lisaa(std::make_unique<TKortti>(kortti(std::to_string(i).c_str(), "E")));
        return l;
    };
    auto korttirivit = [](const std::vector<Tulostusrivi>& sivu) {
        std::vector<int> y;
        for (const auto& r : sivu)
            if (r.y > 100 && r.teksti.rfind("Tulostettu", 0) != 0 && r.teksti.rfind("Ohjelman", 0) != 0) y.push_back(r.y);
        return y;
    };
    auto tekijat = [](const std::vector<Tulostusrivi>& sivu) {
        std::vector<int> y;
        for (const auto& r : sivu)
            if (r.teksti.rfind("Tulostettu", 0) == 0 || r.teksti.rfind("Ohjelman", 0) == 0) y.push_back(r.y);
        return y;
    };

    const auto tyhja = listan_sivut(lista(0), "p", "a.rkb");
    ASSERT_EQ(tyhja.size(), 1u);
    EXPECT_EQ(tekijat(tyhja[0]), (std::vector<int>{240, 290}));
    EXPECT_EQ(tyhja[0].size(), 2u);  // no headings without card lines

    const auto t62 = listan_sivut(lista(62), "p", "a.rkb");
    ASSERT_EQ(t62.size(), 1u);
    EXPECT_EQ(korttirivit(t62[0]).size(), 62u);
    EXPECT_EQ(korttirivit(t62[0]).back(), 140 + 50 * 62);
    EXPECT_TRUE(tekijat(t62[0]).empty());
    EXPECT_EQ(t62[0][0].x, 30);
    EXPECT_EQ(t62[0][0].y, 10);
    EXPECT_EQ(t62[0][0].teksti.substr(0, 45), "Rullakkon elokuvalista [p] Tiedosto: a.rkb   ");
    EXPECT_EQ(t62[0][0].teksti.substr(81), "Sivu 1");
    EXPECT_EQ(t62[0][1].y, 100);
    EXPECT_EQ(t62[0][1].teksti.substr(0, 47), "Kasetilla Elokuvan nimi, kasetin tyyppi, kesto ");
    EXPECT_EQ(t62[0][1].teksti.find("Luokitus"), 55u);
    EXPECT_EQ(t62[0][1].teksti.find("Ääniraita"), 80u);

    const auto t63 = listan_sivut(lista(63), "p", "a.rkb");
    ASSERT_EQ(t63.size(), 2u);
    EXPECT_EQ(korttirivit(t63[1]), (std::vector<int>{190}));
    EXPECT_EQ(t63[1][0].teksti.substr(81), "Sivu 2");
    EXPECT_EQ(tekijat(t63[1]), (std::vector<int>{290, 340}));

    // 55 lines on the last page leave no room for the credits; 54 do.
    EXPECT_TRUE(tekijat(listan_sivut(lista(62 + 55), "p", "a").back()).empty());
    EXPECT_EQ(tekijat(listan_sivut(lista(54), "p", "a").back()), (std::vector<int>{140 + 50 * 54 + 100, 140 + 50 * 54 + 150}));
    EXPECT_EQ(listan_korkeus(t62), 140 + 50 * 62 + listan_fontin_korkeus);
}

TEST(ListanTulostus, AsuSivunMukaan) {
    // An A4 sheet's printable area in points, and a fixed-pitch font of 0.6 em with lines of 1.133 em.
    const Fontin_mitat mitat;
    const double leveys = 559.0, korkeus = 806.0;
    struct Tapaus {
        int merkkeja;
        std::optional<bool> valittu;
        bool vaaka;
        double pisteet_ala, pisteet_yla;
        int rivit;
    } tapaukset[] = {
        {95, std::nullopt, false, 9.4, 9.6, 62},   // fills the width
        {60, std::nullopt, false, 10.5, 10.6, 62}, // as large as the line spacing allows
        {140, std::nullopt, true, 9.4, 9.5, 42},   // too small in portrait: the page turns
        {300, std::nullopt, true, 8.0, 8.0, 43},   // never below 8 points; the rest is cut at the edge
        {140, false, false, 8.0, 8.0, 62},         // the orientation the user chose stays
        {60, true, true, 10.5, 10.6, 42},
    };
    for (const Tapaus& t : tapaukset) {
        const Listan_asu a = valitse_listan_asu(t.merkkeja, mitat, leveys, korkeus, t.valittu);
        EXPECT_EQ(a.vaaka, t.vaaka) << t.merkkeja;
        EXPECT_GE(a.pisteet, t.pisteet_ala) << t.merkkeja;
        EXPECT_LE(a.pisteet, t.pisteet_yla) << t.merkkeja;
        EXPECT_EQ(a.rivit_sivulla, t.rivit) << t.merkkeja;
    }
    // A US letter page holds fewer lines than 62 at this spacing.
    EXPECT_EQ(valitse_listan_asu(95, mitat, 576.0, 756.0).rivit_sivulla, 59);
    // Fewer lines a page: the credits need seven free lines on the last.
    TOmaList l;
    for (int i = 1; i <= 40; ++i) l.lisaa(std::make_unique<TKortti>(kortti(std::to_string(i).c_str(), "E")));
    const auto sivut = listan_sivut(l, "p", "a.rkb", 41);
    ASSERT_EQ(sivut.size(), 1u);
    EXPECT_EQ(sivut[0].back().teksti.rfind("Ohjelman", 0), std::string::npos);
    EXPECT_EQ(listan_sivut(l, "p", "a.rkb", 30).size(), 2u);
}

}  // namespace

// A NUL or an escape byte in a title would go raw into the page; tabs and line ends are plain white space.
TEST(HtmlLista, OhjausmerkitJaavatPois) {
    TOmaList l;
    TKortti& k = l.lisaa_uusi();
    k = kortti("1", "", "90 min", "DVD\r\nBox");
    k.nimi = std::string("Ni\0mi\x1b[31m\x7f\x01\tja\x1f", 16);
    const std::string sivu = tee_html_lista(l, Html_asetukset{});
    for (const unsigned char c : sivu) EXPECT_TRUE(c >= 0x20 ? c != 0x7f : (c == '\t' || c == '\r' || c == '\n')) << int(c);
    EXPECT_NE(sivu.find(">Nimi[31m\tja<"), std::string::npos) << sivu;
    EXPECT_NE(sivu.find(">DVD\r\nBox</td>"), std::string::npos);
}
