// Layout of the spine and top labels, their places on the page and the label window's lists and captions.
#include <gtest/gtest.h>

#include "export/tarrat.h"

namespace {

using namespace tarrat;

// A fixed-pitch font of our own: every character is 6/10 of the height wide.
int kiintea(const std::string& s, int korkeus, bool) { return static_cast<int>(s.size()) * korkeus * 6 / 10; }

TEST(Kasettilistat, VainKasetitKerranLuettelojarjestyksessa) {
    TOmaList l;
    auto lisaa = [&](const char* kasetti, const char* formaatti) {
        TKortti& k = l.lisaa_uusi();
        k.kasetilla = kasetti;
        k.formaatti = formaatti;
    };
    lisaa("12", "SP");
    lisaa("3", "LP");
    lisaa("12", "LP");
    lisaa("", "SP");
    lisaa("D1", "DVD");
    lisaa("D2", "dvd-r");
    lisaa("A7", "");
    EXPECT_EQ(kasettirivit(l), (std::vector<std::string>{"Kasetti: 12", "Kasetti: 3", "Kasetti: A7"}));
    EXPECT_EQ(rivin_kasetti("Kasetti: A7"), "A7");
    EXPECT_EQ(kasetin_kortit(l, "12").size(), 2u);
    EXPECT_TRUE(kasetin_kortit(l, "1").empty());  // exact comparison
}

TEST(Kasettilistat, Otsikot) {
    EXPECT_EQ(sivutarrojen_otsikko(16, 15, true), "Tulosta kasetin sivutarroja [16 tarraa, tulostettuna 2 arkkia] [46 MB]");
    EXPECT_EQ(sivutarrojen_otsikko(15, 15, false), "Tulosta kasetin sivutarroja [15 tarraa, tulostettuna 1 arkkia] [65 MB]");
    EXPECT_EQ(sivutarrojen_otsikko(0, 15, true), "Tulosta kasetin sivutarroja [0 tarraa, tulostettuna 0 arkkia] [0 MB]");
    EXPECT_EQ(paalystarrojen_otsikko(13, true), "Tulosta kasetin päälystarroja [13 tarraa, tulostettuna 2 arkkia] [45 MB]");
    EXPECT_EQ(paalystarrojen_otsikko(12, false), "Tulosta kasetin päälystarroja [12 tarraa, tulostettuna 1 arkkia] [63 MB]");
    EXPECT_EQ(arkkeja(5, 0), 5);  // a sheet of no labels is taken as one
}

TEST(Sivutarra, RivitNimienMaaranMukaan) {
    struct Tapaus {
        std::vector<std::string> nimet;
        std::vector<std::string> rivit;
        std::vector<int> y;
        std::vector<int> korkeus;
        bool varoitus;
    } tapaukset[] = {
        {{"Yksi"}, {"Yksi"}, {225 - 77}, {155}, false},
        {{"A", "B"}, {"A", "B"}, {140 - 77, 320 - 77}, {155, 155}, false},
        {{"A", "B", "C"}, {"A", "B", "C"}, {100 - 72, 220 - 72, 340 - 72}, {145, 145, 145}, false},
        {{"A", "B", "C", "D"}, {"A", "B", "C", "D"}, {90 - 57, 180 - 57, 270 - 57, 360 - 57}, {115, 115, 115, 115}, false},
        // Five names: two pairs and one alone.
        {{"A", "B", "C", "D", "E"}, {"A, B", "C, D", "E"}, {100 - 77, 220 - 77, 340 - 77}, {155, 155, 155}, false},
        {{"A", "B", "C", "D", "E", "F"}, {"A, B", "C, D", "E, F"}, {100 - 57, 220 - 57, 340 - 57}, {115, 115, 115}, false},
        {{"1", "2", "3", "4", "5", "6", "7", "8"}, {"1", "2", "3", "4", "5", "6", "7", "8"},
         {45 - 40, 90 - 40, 135 - 40, 180 - 40, 225 - 40, 270 - 40, 315 - 40, 360 - 40}, std::vector<int>(8, 80), true},
    };
    for (const Tapaus& t : tapaukset) {
        const Sivutarra s = sivutarran_asettelu(t.nimet, "1", kiintea);
        std::vector<std::string> rivit;
        std::vector<int> y, korkeus;
        for (const auto& r : s.rivit) {
            rivit.push_back(r.teksti);
            y.push_back(r.y);
            korkeus.push_back(r.korkeus);
            EXPECT_EQ(r.x, 560);
        }
        EXPECT_EQ(rivit, t.rivit);
        EXPECT_EQ(y, t.y) << t.nimet.size();
        EXPECT_EQ(korkeus, t.korkeus) << t.nimet.size();
        EXPECT_EQ(s.varoitukset.size(), t.varoitus ? 1u : 0u);
        if (t.varoitus) EXPECT_EQ(s.varoitukset[0], "Kasettilla 1 on liian monta elokuvaa, kaikki eivät mahdu tarraan!");
    }
    std::vector<std::string> yksitoista(11, "X");
    EXPECT_EQ(sivutarran_asettelu(yksitoista, "1", kiintea).rivit.size(), 10u);
}

TEST(Sivutarra, PitkatRivitPienenevatJaLeikataan) {
    const std::string r51(51, 'a'), r61(61, 'a');
    // A narrow font, so the heights are those the length rules give and nothing has to be fitted.
    const Leveys kapea = [](const std::string& s, int korkeus, bool) { return static_cast<int>(s.size()) * korkeus / 4; };
    auto eka = [&](const std::vector<std::string>& nimet) { return sivutarran_asettelu(nimet, "1", kapea).rivit; };
    EXPECT_EQ(eka({r51})[0].korkeus, 116);
    EXPECT_TRUE(eka({r51})[0].lihava);
    EXPECT_EQ(eka({r61})[0].korkeus, 97);
    EXPECT_FALSE(eka({r61})[0].lihava);
    // With two names the second line starts from the height the first one ended with.
    EXPECT_EQ(eka({r51, "Lyhyt"})[1].korkeus, 116);
    // Too wide for the label: the English title in parentheses goes.
    const std::string pitka = "Pitkä nimi (" + std::string(60, 'e') + ")";
    const auto leikattu = sivutarran_asettelu({pitka}, "1", [](const std::string& s, int, bool) {
        return static_cast<int>(s.size()) * 50;
    }).rivit;
    EXPECT_EQ(leikattu[0].teksti, "Pitkä nimi");
    EXPECT_EQ(leikattu[0].korkeus, 155);
}

// Every text of a spine label, whatever the names, stays inside the label: not past its right edge less the
// margin, not above or below it; what is drawn is the name, or its beginning and "…".
TEST(Sivutarra, JokainenNimiMahtuuTarraan) {
    const std::string nimi50 = "Tohtori Outolempi eli kuinka lakkasin olemaan huol";  // 50 characters
    ASSERT_EQ(nimi50.size(), 50u);
    const std::string sanoja200 = [] {
        std::string s;
        while (s.size() < 200) s += "sana" + std::to_string(s.size()) + " ";
        return s;
    }();
    const std::string yhtena(120, 'x');
    for (const std::string& pitka : {nimi50, std::string("Lyhyt"), sanoja200, yhtena}) {
        for (int maara = 1; maara <= 8; ++maara) {
            std::vector<std::string> nimet(static_cast<std::size_t>(maara), pitka);
            const Sivutarra s = sivutarran_asettelu(nimet, "12", kiintea);
            for (const Tarrateksti& r : s.rivit) {
                const int oikea = r.x + kiintea(r.teksti, r.korkeus, r.lihava);
                EXPECT_LE(oikea, sivu_leveys - 100) << maara << " x " << pitka.size() << ": " << r.teksti;
                EXPECT_GE(r.y, 0) << maara << " x " << pitka.size();
                EXPECT_LE(r.y + r.korkeus, sivu_korkeus) << maara << " x " << pitka.size();
                EXPECT_GE(r.korkeus, std::min(pienin_nimen_korkeus, 80));
            }
        }
    }
    // The 50-character name alone on a cassette: two lines at the full height, nothing lost.
    const auto kaksi = sivutarran_asettelu({nimi50}, "1", kiintea).rivit;
    ASSERT_EQ(kaksi.size(), 2u);
    EXPECT_EQ(kaksi[0].teksti + " " + kaksi[1].teksti, nimi50);
    EXPECT_EQ(kaksi[0].korkeus, 155);
    EXPECT_EQ(kaksi[1].y, 225);
    EXPECT_EQ(kaksi[0].y, 225 - 155);
    // A little too wide: shrunk, still one line.
    const std::string vahan(36, 'v');
    const auto kutistettu = sivutarran_asettelu({vahan}, "1", kiintea).rivit;
    ASSERT_EQ(kutistettu.size(), 1u);
    EXPECT_EQ(kutistettu[0].teksti, vahan);
    EXPECT_LT(kutistettu[0].korkeus, 155);
    EXPECT_GE(kutistettu[0].korkeus, 155 * 3 / 4);
    // No blank to break at, or too long for two lines: the ellipsis.
    const auto ilman = sivutarran_asettelu({yhtena}, "1", kiintea).rivit;
    ASSERT_EQ(ilman.size(), 1u);
    EXPECT_EQ(ilman[0].teksti.back(), '\x85');
    EXPECT_EQ(ilman[0].teksti.substr(0, 10), std::string(10, 'x'));
    const auto pitkat = sivutarran_asettelu({sanoja200}, "1", kiintea).rivit;
    ASSERT_EQ(pitkat.size(), 2u);
    EXPECT_EQ(pitkat[1].teksti.back(), '\x85');
    // Four names have no room for two lines each: a long one is shrunk and cut.
    const auto nelja = sivutarran_asettelu({sanoja200, "B", "C", "D"}, "1", kiintea).rivit;
    ASSERT_EQ(nelja.size(), 4u);
    EXPECT_EQ(nelja[0].teksti.back(), '\x85');
}

TEST(Paalystarra, LiianPitkaTeksti) {
    const std::vector<Tarrateksti> t = paalystarran_asettelu({std::string(300, 'w'), "Lyhyt"}, true, kiintea);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].korkeus, 50);
    EXPECT_EQ(t[0].teksti.back(), '\x85');
    for (const Tarrateksti& r : t) {
        EXPECT_GE(r.x, 0);
        EXPECT_LE(r.x + kiintea(r.teksti, r.korkeus, true), paalys_leveys);
    }
    EXPECT_EQ(t[1].teksti, "Lyhyt");
}

TEST(Sivutarra, KasetinNumeroPystyssa) {
    struct Tapaus {
        const char* numero;
        std::vector<int> y;
        int korkeus;
    } tapaukset[] = {
        {"7", {74}, 290},
        {"12", {168, 13}, 290},
        {"123", {223, 107, -9}, 210},
        {"A123", {270, 177, 84, -9}, 180},
    };
    for (const Tapaus& t : tapaukset) {
        const Sivutarra s = sivutarran_asettelu({"Elokuva"}, t.numero, kiintea);
        std::vector<int> y;
        std::string merkit;
        for (const auto& m : s.numero) {
            y.push_back(m.y);
            merkit += m.teksti;
            EXPECT_EQ(m.x, 120);
            EXPECT_EQ(m.korkeus, t.korkeus);
        }
        EXPECT_EQ(y, t.y) << t.numero;
        EXPECT_EQ(merkit, t.numero);
        EXPECT_TRUE(s.varoitukset.empty());
    }
    const Sivutarra viisi = sivutarran_asettelu({"Elokuva"}, "12345", kiintea);
    EXPECT_TRUE(viisi.numero.empty());
    EXPECT_EQ(viisi.varoitukset, (std::vector<std::string>{"Kasetin 12345 numero ei mahdu tarraan"}));

    const Sivutarra tyhja = sivutarran_asettelu({}, "9", kiintea);
    EXPECT_EQ(tyhja.varoitukset, (std::vector<std::string>{"Kasettia 9 ei löydy? (Ohjelmointi-virhe?)"}));
}

TEST(Paalystarra, TekstiKorkeusJaPaikat) {
    TKortti k;
    k.nimi = "Pakkasyö (Frost Night)";
    k.formaatti = "LP";
    EXPECT_EQ(paalystarran_teksti(k, false, false), "Pakkasyö (Frost Night)");
    EXPECT_EQ(paalystarran_teksti(k, true, false), "Pakkasyö");
    EXPECT_EQ(paalystarran_teksti(k, true, true), "Pakkasyö (lp)");
    k.formaatti = "DVD-ÄÖ";
    EXPECT_EQ(paalystarran_teksti(k, false, true), "Pakkasyö (Frost Night) (dvd-äö)");

    // One movie: the largest height whose text fits 1683 pixels, at y 570 less half of it.
    const auto yksi = paalystarran_asettelu({"Alien"}, false, kiintea);
    ASSERT_EQ(yksi.size(), 1u);
    EXPECT_EQ(yksi[0].korkeus, 561);  // 5 * 561 * 6 / 10 = 1683
    EXPECT_EQ(yksi[0].y, 570 - 561 / 2);
    EXPECT_EQ(yksi[0].x, 67);
    const auto keskella = paalystarran_asettelu({"Alien"}, true, kiintea);
    EXPECT_EQ(keskella[0].x, 909 - 1683 / 2);

    // Eight short names: capped at 90; a name that never fits still gets 50.
    std::vector<std::string> kahdeksan(8, "X");
    EXPECT_EQ(paalystarran_korkeus(kahdeksan, kiintea), 90);
    kahdeksan[3] = std::string(400, 'W');
    EXPECT_EQ(paalystarran_korkeus(kahdeksan, kiintea), 50);
    EXPECT_EQ(paalystarran_korkeus({"A", "B", "C", "D"}, kiintea), 160);
    EXPECT_EQ(paalystarran_korkeus({"A", "B", "C", "D", "E"}, kiintea), 140);
    EXPECT_EQ(paalystarran_korkeus({"A", "B", "C", "D", "E", "F"}, kiintea), 120);
    // The common height is the smallest one any movie needs.
    EXPECT_EQ(paalystarran_korkeus({"Alien", std::string(10, 'x')}, kiintea), 280);

    // y = round(777 / n * m) + 35 n, halves to the even neighbour; then half the height up.
    const auto kaksi = paalystarran_asettelu({"A", "B"}, false, kiintea);
    const int h = kaksi[0].korkeus;
    EXPECT_EQ(kaksi[0].y, 388 + 70 - h / 2);
    EXPECT_EQ(kaksi[1].y, 777 + 70 - h / 2);
    std::vector<std::string> kuusi(6, "X");
    const auto k6 = paalystarran_asettelu(kuusi, false, kiintea);
    EXPECT_EQ(k6[0].y, 130 + 210 - 60);
    EXPECT_EQ(k6[4].y, 648 + 210 - 60);
    EXPECT_EQ(pyorista(2.5), 2);
    EXPECT_EQ(pyorista(3.5), 4);
}

TEST(Tarrapaikat, TarkkaSuhdeResoluutioon) {
    EXPECT_EQ(sivutarran_paikka(1, 600, 600), (Paikka{0, 0, 3378, 450}));
    const Paikka p300 = sivutarran_paikka(1, 300, 300);
    EXPECT_EQ(p300.leveys(), 1689);
    EXPECT_EQ(p300.korkeus(), 225);
    EXPECT_EQ(sivutarran_paikka(2, 300, 300), (Paikka{0, 225, 1689, 450}));
    // Resolutions that do not divide 600 are scaled exactly, not by a whole-number divisor.
    EXPECT_EQ(sivutarran_paikka(15, 1200, 1200), (Paikka{0, 14 * 900, 6756, 15 * 900}));
    EXPECT_EQ(sivutarran_paikka(1, 360, 360), (Paikka{0, 0, 2026, 270}));
    EXPECT_EQ(sivutarran_paikka(3, 720, 360), (Paikka{0, 540, 4053, 810}));

    EXPECT_EQ(paalystarran_paikka(0, 0, 600, 600), (Paikka{0, 0, 1818, 1110}));
    EXPECT_EQ(paalystarran_paikka(2, 3, 300, 300), (Paikka{1818, 1665, 2727, 2220}));
    EXPECT_EQ(paalystarran_paikka(1, 1, 1200, 1200), (Paikka{3636, 2220, 7272, 4440}));
}

}  // namespace
