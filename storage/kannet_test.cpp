#include "storage/kannet.h"

#include <gif_lib.h>

#include <random>

#include "storage/kuvakoodekki.h"
#include "testituki/testitila.h"

namespace fs = std::filesystem;

namespace {

RgbKuva kohina(int w, int h, unsigned siemen) {
    RgbKuva k;
    k.leveys = w;
    k.korkeus = h;
    k.rgb.resize(static_cast<std::size_t>(w) * h * 3);
    std::mt19937 r(siemen);
    for (auto& b : k.rgb) b = static_cast<unsigned char>(r());
    return k;
}

// A GIF of w x h pixels: noise over the 256-colour palette, or one flat colour.
void tee_gif(const fs::path& p, int w, int h, bool kohinaa) {
    int virhe = 0;
    GifFileType* g = EGifOpenFileName(p.c_str(), false, &virhe);
    ASSERT_NE(g, nullptr);
    const int varit = kohinaa ? 256 : 2;
    ColorMapObject* kartta = GifMakeMapObject(varit, nullptr);
    for (int i = 0; i < varit; ++i) kartta->Colors[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i), 40};
    EGifPutScreenDesc(g, w, h, kohinaa ? 8 : 1, 0, kartta);
    EGifPutImageDesc(g, 0, 0, w, h, false, nullptr);
    std::mt19937 r(7);
    std::vector<GifPixelType> rivi(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (auto& px : rivi) px = kohinaa ? static_cast<GifPixelType>(r()) : 1;
        EGifPutLine(g, rivi.data(), w);
    }
    GifFreeMapObject(kartta);
    EGifCloseFile(g, &virhe);
}

using Kannet = Testitila;

TEST_F(Kannet, UusiNimiKahdeksanNumeroa1_8JaVapaa) {
    TOmaList l;
    l.lisaa_uusi().cover_fn = "gfx\\kannet\\12345678.jpg";
    for (int i = 0; i < 2000; ++i) {
        const std::string n = uusi_kansikuvan_nimi(l);
        ASSERT_EQ(n.size(), 8u);
        ASSERT_EQ(n.find_first_not_of("12345678"), std::string::npos) << n;
        ASSERT_NE(n, "12345678");
    }
}

TEST_F(Kannet, PoistaKannetSaastaaEiKuvaaJaKansiot) {
    kirjoita("gfx\\kannet\\ei_kuvaa.gif", "g");
    kirjoita("gfx\\kannet\\11111111.jpg", "j");
    kirjoita("gfx\\kannet\\EI_KUVAA.GIF", "toinen");
    fs::create_directories(polku("gfx\\kannet") / "alikansio");
    poista_kannet(*kansio_);
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\ei_kuvaa.gif")));
    EXPECT_FALSE(fs::exists(juuri_ / "gfx" / "kannet" / "11111111.jpg"));
    EXPECT_FALSE(fs::exists(juuri_ / "gfx" / "kannet" / "EI_KUVAA.GIF"));
    EXPECT_TRUE(fs::is_directory(polku("gfx\\kannet") / "alikansio"));
}

TEST_F(Kannet, MuunnaJpgPuolittaaVainKorkeat) {
    struct Tapaus {
        int w, h;
        bool puolita;
        int odotettu_w, odotettu_h;
    };
    const std::vector<Tapaus> tapaukset = {
        {300, 500, true, 150, 250}, {300, 420, true, 300, 420}, {300, 422, true, 150, 211}, {300, 500, false, 300, 500}};
    for (const Tapaus& t : tapaukset) {
        TKortti& k = tk_.kortit.lisaa_uusi();
        k.cover_fn = "gfx\\kannet\\k" + std::to_string(tk_.kortit.Count()) + ".jpg";
        // Saved at full quality so that the conversion at 60 comes out smaller and replaces it.
        ASSERT_TRUE(kirjoita_jpeg(polku(k.cover_fn), kohina(t.w, t.h, 1), 100));
    }
    muunna_kannet_jpg(60, true, varasto());
    for (std::size_t i = 0; i < tapaukset.size(); ++i) {
        if (!tapaukset[i].puolita) continue;
        RgbKuva k;
        ASSERT_TRUE(lue_jpeg(polku(tk_.kortit[static_cast<int>(i) + 1].cover_fn), k));
        EXPECT_EQ(k.leveys, tapaukset[i].odotettu_w) << i;
        EXPECT_EQ(k.korkeus, tapaukset[i].odotettu_h) << i;
        EXPECT_FALSE(fs::exists(polku(tk_.kortit[static_cast<int>(i) + 1].cover_fn + "$$")));
    }
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(Kannet, MuunnaGifJpegiksiVainKunPienenee) {
    TKortti& tasainen = tk_.kortit.lisaa_uusi();
    tasainen.cover_fn = "gfx\\kannet\\Tasainen.GIF";
    tee_gif(polku(tasainen.cover_fn), 40, 40, false);
    TKortti& kirjava = tk_.kortit.lisaa_uusi();
    kirjava.cover_fn = "gfx\\kannet\\Kirjava.gif";
    tee_gif(polku(kirjava.cover_fn), 300, 500, true);
    TKortti& muu = tk_.kortit.lisaa_uusi();
    muu.cover_fn = "gfx\\kannet\\kuva.png";
    kirjoita(muu.cover_fn, "png");

    muunna_kannet_jpg(10, true, varasto());
    // A flat GIF is smaller than any JPEG of it: it stays.
    EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\Tasainen.GIF");
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\Tasainen.GIF")));
    // A noisy GIF at quality 10 becomes a smaller JPEG with the lower-case .jpg name, halved.
    EXPECT_EQ(tk_.kortit[2].cover_fn, "gfx\\kannet\\kirjava.jpg");
    EXPECT_FALSE(fs::exists(juuri_ / "gfx" / "kannet" / "Kirjava.gif"));
    RgbKuva k;
    ASSERT_TRUE(lue_jpeg(polku("gfx\\kannet\\kirjava.jpg"), k));
    EXPECT_EQ(k.leveys, 150);
    EXPECT_EQ(k.korkeus, 250);
    EXPECT_EQ(tk_.kortit[3].cover_fn, "gfx\\kannet\\kuva.png");
}

TEST(Kuvakoodekki, PuolitusKeskiarvoistaaJaRikkinainenKuvaEiKaada) {
    RgbKuva k;
    k.leveys = 2;
    k.korkeus = 2;
    k.rgb = {0, 0, 0, 255, 255, 255, 100, 0, 0, 0, 100, 0};
    const RgbKuva p = puolita(k);
    ASSERT_EQ(p.rgb.size(), 3u);
    EXPECT_EQ(p.rgb[0], (0 + 255 + 100 + 0 + 2) / 4);
    EXPECT_EQ(p.rgb[1], (0 + 255 + 0 + 100 + 2) / 4);

    const fs::path rikki = fs::temp_directory_path() / ("rikki_" + std::to_string(::getpid()));
    for (const std::string sisalto : {std::string("\xff\xd8\xff\xe0 ei jpeg"), std::string("GIF89a\x10\x00"), std::string()}) {
        std::ofstream(rikki, std::ios::binary) << sisalto;
        RgbKuva x;
        EXPECT_FALSE(lue_jpeg(rikki, x));
        EXPECT_FALSE(lue_gif(rikki, x));
    }
    fs::remove(rikki);
}

}  // namespace
