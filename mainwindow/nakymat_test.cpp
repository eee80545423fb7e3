#include "mainwindow/nakymat.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Nakymat, AutomaattinenNakyma) {
    EXPECT_EQ(automaattinen_nakyma(2, true), Nakyma::Kansi);
    EXPECT_EQ(automaattinen_nakyma(2, false), Nakyma::ListaJaInfo);
    EXPECT_EQ(automaattinen_nakyma(3, true), Nakyma::ListaJaInfo);
}

TEST(Nakymat, TahdetJaArvosana) {
    EXPECT_EQ(tahtien_leikkaus(arvosana_luku("7")), 78);
    EXPECT_EQ(tahtien_leikkaus(arvosana_luku("abc")), 0);
    EXPECT_EQ(tahtien_leikkaus(arvosana_luku("10")), 113);
    EXPECT_EQ(tahtien_leikkaus(arvosana_luku("11")), 113);
    EXPECT_EQ(arvosana_luku("7,5"), 0);
    struct Tapaus {
        int x, arvo;
    };
    for (const Tapaus t : {Tapaus{0, 0}, Tapaus{5, 0}, Tapaus{6, 1}, Tapaus{12, 1}, Tapaus{13, 2}, Tapaus{78, 7},
                           Tapaus{79, 8}, Tapaus{102, 9}, Tapaus{103, 10}, Tapaus{112, 10}})
        EXPECT_EQ(arvosana_kohdasta(t.x), t.arvo) << t.x;
}


TEST(Nakymat, TekstialueenSuurennus) {
    EXPECT_FALSE(suurenna_tekstialue(std::string(135, 'a')));
    EXPECT_TRUE(suurenna_tekstialue(std::string(136, 'a')));
}

TEST(Nakymat, RuudukonKorkeus) {
    EXPECT_EQ(muiden_elokuvien_korkeus(2, 1), 35);
    EXPECT_EQ(muiden_elokuvien_korkeus(5, 1), 83);
    EXPECT_EQ(muiden_elokuvien_korkeus(20, 1), 130);
    EXPECT_EQ(muiden_elokuvien_korkeus(20, 8), 35);
}

TEST(Nakymat, PehmennysJaHimmennys) {
    // 5x5 pixels, one bright byte in the middle. The pass runs in place from the left, so each byte already
    // sees the softened value of its left neighbour.
    const int w = 5, h = 5, stride = w * 3;
    std::vector<unsigned char> kuva(static_cast<std::size_t>(stride * h), 0);
    kuva[2 * stride + 2 * 3] = 250;
    pehmenna(kuva.data(), w, h, stride);
    EXPECT_EQ(kuva[2 * stride + 1 * 3], 50);
    EXPECT_EQ(kuva[2 * stride + 2 * 3], 60);
    EXPECT_EQ(kuva[2 * stride + 3 * 3], 12);
    EXPECT_EQ(kuva[2 * stride + 0 * 3], 0);   // the first pixel of a row is left alone
    EXPECT_EQ(kuva[1 * stride + 2 * 3], 0);   // row 1 is left alone
    std::vector<unsigned char> tausta = {0, 40, 41, 255};
    himmenna(tausta.data(), tausta.size());
    EXPECT_EQ(tausta, (std::vector<unsigned char>{0, 40, 1, 215}));
}
