#include "storage/kenttasaannot.h"

#include <gtest/gtest.h>

namespace {

TOmaList kortit(std::initializer_list<std::pair<const char*, const char*>> kasetti_sijainti) {
    TOmaList l;
    for (const auto& [kasetti, sijainti] : kasetti_sijainti) {
        TKortti& k = l.lisaa_uusi();
        k.kasetilla = kasetti;
        k.sijainti = sijainti;
        k.nimi = std::string("Elokuva ") + kasetti + "/" + sijainti;
    }
    return l;
}

TEST(SeuraavaVapaaKasetti, SuurinAlkulukuPlusYksiNykyistaKorttiaLaskematta) {
    TOmaList l = kortit({{"3", ""}, {"AP7", ""}, {"12", ""}, {"40", ""}});
    EXPECT_EQ(seuraava_vapaa_kasetti(l, 4), "13");  // AP7 counts as 0; the current card's 40 is not counted
    EXPECT_EQ(seuraava_vapaa_kasetti(l, 1), "41");
    EXPECT_EQ(seuraava_vapaa_kasetti(kortit({{"", ""}}), 1), "1");
    EXPECT_EQ(seuraava_vapaa_kasetti(kortit({{"DVD3", ""}, {"", ""}}), 2), "1");
}

TEST(SeuraavaSijainti, KasetinSuurinPaikkaPlusYksi) {
    TOmaList l = kortit({{"5", "1"}, {"5", "3"}, {"6", "7"}, {"5", "x"}});
    EXPECT_EQ(seuraava_sijainti(l, "5"), "4");
    EXPECT_EQ(seuraava_sijainti(l, "6"), "8");
    EXPECT_EQ(seuraava_sijainti(l, "9"), "1");
}

TEST(NayttelijoidenPilkut, ValiLisataanVainKunPilkunJalkeenOnKaksiMerkkia) {
    const std::pair<const char*, const char*> tapaukset[] = {
        {"A,Bc", "A, Bc"},       {"Anna,B", "Anna,B"},   {"Anna,Bo", "Anna, Bo"},
        {"A, Bc", "A, Bc"},      {"A,B,Cd,Ef", "A, B, Cd, Ef"}, {"", ""},
        {"Anna,", "Anna,"},      {"X,,yz", "X, , yz"},
    };
    for (const auto& [sisaan, odotettu] : tapaukset) EXPECT_EQ(nayttelijoiden_pilkut(sisaan), odotettu) << sisaan;
}

TEST(NimenAlku, IsoKirjainAlussaJaValinTaiPilkunJalkeen) {
    EXPECT_TRUE(alkaa_nimen("", 0));
    EXPECT_TRUE(alkaa_nimen("Anna,", 5));
    EXPECT_TRUE(alkaa_nimen("Anna ", 5));
    EXPECT_FALSE(alkaa_nimen("A", 1));
    EXPECT_FALSE(alkaa_nimen(" ", 1));  // the rule starts at the third character
    EXPECT_FALSE(alkaa_nimen("Ann", 3));
    EXPECT_EQ(isoksi_kirjaimeksi('b'), 'B');
    EXPECT_EQ(isoksi_kirjaimeksi('\xE4'), '\xC4');
    EXPECT_EQ(isoksi_kirjaimeksi('\xF6'), '\xD6');
    EXPECT_EQ(isoksi_kirjaimeksi('\xE5'), '\xC5');
    EXPECT_EQ(isoksi_kirjaimeksi('\xE9'), '\xE9');  // é stays
    EXPECT_EQ(isoksi_kirjaimeksi('1'), '1');
}

TEST(KestoYksikolla, YliKymmenenOnMinuutteja) {
    const std::pair<const char*, const char*> tapaukset[] = {
        {"10", "10h"}, {"11", "11 min"}, {"2", "2h"}, {"95", "95 min"}, {"", ""},
        {"90 min", "90 min"}, {"1H 30", "1H 30"}, {"90MIN", "90MIN"}, {"abc", "abch"},
    };
    for (const auto& [sisaan, odotettu] : tapaukset) EXPECT_EQ(kesto_yksikolla(sisaan), odotettu) << sisaan;
}

TEST(LainaaKasetti, KokoKasettiSaaLainan) {
    TOmaList l = kortit({{"5", "1"}, {"5", "2"}, {"6", "1"}, {"50", "1"}});
    lainaa_kasetti(l, "5", "Pekka");
    EXPECT_EQ(l[1].lainassa, "Pekka");
    EXPECT_EQ(l[2].lainassa, "Pekka");
    EXPECT_EQ(l[3].lainassa, "");
    EXPECT_EQ(l[4].lainassa, "");
    EXPECT_EQ(l[0].lainassa, "");
}

TEST(KentanNimi, KaksoispisteLisataanJaTyhjatKentatNimetaan) {
    EXPECT_EQ(kentan_nimi("Tuottaja"), "Tuottaja:");
    EXPECT_EQ(kentan_nimi("Tuottaja:"), "Tuottaja:");
    TOmaList l = kortit({{"1", "1"}, {"1", "2"}});
    l[1].lisatieto[0] = "Joku";
    l[1].lisatieto_nimi[0] = "Käsikirjoitus:";
    nimea_tyhjat_kentat(l, "Tuottaja:");
    EXPECT_EQ(l[1].lisatieto_nimi[0], "Käsikirjoitus:");
    EXPECT_EQ(l[2].lisatieto_nimi[0], "Tuottaja:");
}

const std::vector<std::string> luokitukset = {"Draama", "Dokumentti", "Erotiikka", "Jännitys", "Kauhu", "Komedia",
                                              "Lännenelokuva", "Piirretty", "Romanttinen komedia", "Scifi",
                                              "Seikkailu", "Toiminta", "Toimintakomedia", "Toiminta-Trilleri",
                                              "Trilleri"};

TEST(Ennakointi, TaydentaaEnsimmaiseenAlkuunJaAntaaMuutLaatikolle) {
    struct Tapaus {
        const char* teksti;
        int alku, pituus;
        char merkki;
        Ennakointi::Tulos tulos;
        int kohta, kursori;
    };
    const Tapaus tapaukset[] = {
        {"", 0, 0, 't', Ennakointi::Taydenna, 11, 1},          // t -> Toiminta, "oiminta" selected
        {"Toiminta", 1, 7, 'x', Ennakointi::Ei_osumaa, -1, 2},  // Tx: no item, the box takes the x
        {"Toiminta", 1, 7, 'r', Ennakointi::Taydenna, 14, 2},   // Tr -> Trilleri
        {"Kauhu", 1, 4, 'O', Ennakointi::Taydenna, 5, 2},       // case does not matter
        {"D", 1, 0, 'o', Ennakointi::Taydenna, 1, 2},
        {"Do", 2, 0, '\b', Ennakointi::Taydenna, 0, 1},         // back to "D": Draama comes first
        {"D", 1, 0, '\b', Ennakointi::Laatikolle, -1, 0},       // the box would be empty
        {"Toiminta", 1, 7, '\b', Ennakointi::Tyhjenna, -1, 0},  // caret back at 0
        {"", 0, 0, 'q', Ennakointi::Ei_osumaa, -1, 1},
    };
    for (const auto& t : tapaukset) {
        const Ennakointi e = ennakoi(t.teksti, t.alku, t.pituus, t.merkki, luokitukset);
        EXPECT_EQ(e.tulos, t.tulos) << t.teksti << " + " << t.merkki;
        if (t.tulos != Ennakointi::Laatikolle) {
            EXPECT_EQ(e.kursori, t.kursori) << t.teksti << " + " << t.merkki;
        }
        if (t.tulos == Ennakointi::Taydenna) {
            EXPECT_EQ(e.kohta, t.kohta) << t.teksti << " + " << t.merkki;
        }
    }
}

TEST(EkaTyhjaKentta, NimiEnsinSittenSeuraavaTyhjaNykyisenJalkeen) {
    std::array<bool, tabikenttia> tyhja{};
    tyhja[3] = tyhja[8] = tyhja[14] = true;
    EXPECT_EQ(eka_tyhja_kentta(tyhja, 0), 3);
    EXPECT_EQ(eka_tyhja_kentta(tyhja, 3), 8);
    EXPECT_EQ(eka_tyhja_kentta(tyhja, 4), 8);
    EXPECT_EQ(eka_tyhja_kentta(tyhja, 8), 14);
    EXPECT_EQ(eka_tyhja_kentta(tyhja, ei_kenttaa), -1);
    tyhja[0] = true;
    EXPECT_EQ(eka_tyhja_kentta(tyhja, ei_kenttaa), 0);
}

TEST(MuutElokuvat, RivitPaikkajarjestyksessaJaNykyinenValittu) {
    TOmaList l = kortit({{"7", "3"}, {"8", "1"}, {"7", "1"}, {"7", "x"}, {"7", "2"}});
    l[1].nimi = "Pako (1979)";
    l[3].nimi = "Alku ";
    const MuutElokuvat m = muut_elokuvat(l, 1);
    EXPECT_EQ(m.otsake, "Kasetti (tai dvd) nro: 7");
    ASSERT_EQ(m.rivit.size(), 4u);
    // "x" is no number and stays in place; the others move past it only where both sides are numbers.
    std::vector<int> indeksit;
    for (const auto& r : m.rivit) indeksit.push_back(r.indeksi);
    EXPECT_EQ(indeksit, (std::vector<int>{3, 1, 4, 5}));
    EXPECT_EQ(m.rivit[1].nimi, "Pako");
    EXPECT_EQ(m.rivit[0].nimi, "Alku");
    EXPECT_EQ(m.valittu, 2);
}

TEST(MuutElokuvat, NumeroimattomatJaSadanKortinRaja) {
    TOmaList l = kortit({{"", "1"}, {"3", "1"}, {"", "2"}});
    const MuutElokuvat m = muut_elokuvat(l, 3);
    EXPECT_EQ(m.otsake, "Numeroimattomat kasetit tai levyt");
    EXPECT_EQ(m.rivit.size(), 2u);
    EXPECT_EQ(m.valittu, 2);

    TOmaList iso;
    for (int i = 0; i < 100; ++i) iso.lisaa_uusi().kasetilla = "1";
    EXPECT_FALSE(muut_elokuvat(iso, 50).liikaa);
    EXPECT_EQ(muut_elokuvat(iso, 50).rivit.size(), 100u);
    iso.lisaa_uusi().kasetilla = "1";
    EXPECT_TRUE(muut_elokuvat(iso, 50).liikaa);
    EXPECT_TRUE(muut_elokuvat(iso, 50).rivit.empty());
}

TEST(MuutElokuvat, HakemistoAntaaSamatRivitKuinKokoLuettelonLapikaynti) {
    // Numbers interleaved, unnumbered cards, one number alone and positions out of order.
    TOmaList l = kortit({{"2", "2"}, {"1", "1"}, {"2", "1"}, {"", "1"}, {"3", "1"}, {"1", "2"}, {"2", "3"}, {"", "2"}});
    const auto sama = [&](Kasettihakemisto& h) {
        for (int i = 1; i < l.Count(); ++i) {
            const MuutElokuvat a = muut_elokuvat(l, i), b = muut_elokuvat(l, i, h);
            ASSERT_EQ(a.otsake, b.otsake) << i;
            ASSERT_EQ(a.valittu, b.valittu) << i;
            ASSERT_EQ(a.rivit.size(), b.rivit.size()) << i;
            for (std::size_t r = 0; r < a.rivit.size(); ++r) EXPECT_EQ(a.rivit[r].indeksi, b.rivit[r].indeksi) << i;
        }
    };
    Kasettihakemisto h;
    sama(h);
    // A number changed as the card view announces it, then a card added without a word: both are seen.
    l[5].kasetilla = "2";
    h.vanhene();
    sama(h);
    l.lisaa_uusi().kasetilla = "1";
    sama(h);
}

TEST(LyhytNimi, SulutJaYksiLoppuvaliPois) {
    EXPECT_EQ(lyhyt_nimi("Pako (1979)"), "Pako");
    EXPECT_EQ(lyhyt_nimi("Pako  (1979)"), "Pako ");
    EXPECT_EQ(lyhyt_nimi("(1979)"), "");
    EXPECT_EQ(lyhyt_nimi("Pako"), "Pako");
}

}  // namespace
