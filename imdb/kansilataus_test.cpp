// A downloaded cover is attached only when it is a picture; its first bytes name its extension.
#include "imdb/kansilataus.h"

#include <gtest/gtest.h>

#include "testituki/testiviestit.h"
#include "testituki/tilapainen_kansio.h"
#include "storage/kannet.h"
#include "storage/kuvakoodekki.h"

namespace fs = std::filesystem;

namespace {

class Kansilataus : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio k;
    Ohjelmakansio kansio{k.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit;
    TOmaList lista;

    void SetUp() override {
        TKortti& c = lista.lisaa_uusi();
        c.hae_kansi = true;
        fs::create_directories(k.juuri() / "gfx" / "kannet");
    }
    void ladattu(const std::string& stem, const std::string& sisalto) {
        k.kirjoita(fs::path("gfx") / "kannet" / stem, sisalto);
    }
    std::string kuva_jpeg() {
        RgbKuva kuva{4, 4, std::vector<unsigned char>(48, 200)};
        const fs::path p = k.juuri() / "apu.jpg";
        EXPECT_TRUE(kirjoita_jpeg(jarjestelman_tiedostot(), p, kuva, 80));
        return k.lue("apu.jpg");
    }
};

TEST_F(Kansilataus, TunnistusEnsimmaisistaTavuista) {
    EXPECT_TRUE(tunnista_kuva("GIF89a").gif);
    EXPECT_FALSE(tunnista_kuva("gif89a").gif);
    EXPECT_FALSE(tunnista_kuva("\xFF\xD8\xFF").gif);
    EXPECT_TRUE(tunnista_kuva("\n\n\n<html>").html);
    EXPECT_FALSE(tunnista_kuva("\n\n").html);
}

TEST_F(Kansilataus, KuvaLiitetaanKortille) {
    ladattu("12345678", kuva_jpeg());
    ASSERT_TRUE(liita_ladattu_kansi("12345678", "http://x/k.jpg", lista, 1, kansio, jarjestelman_tiedostot(), viestit));
    EXPECT_EQ(lista[1].cover_fn, "gfx\\kannet\\12345678.jpg");
    EXPECT_EQ(lista[1].cover_url, "http://x/k.jpg");
    EXPECT_FALSE(lista[1].hae_kansi);
    EXPECT_TRUE(lista.muutettu);
    EXPECT_TRUE(kansikuva_olemassa(kansio, lista[1].cover_fn));
    EXPECT_TRUE(viestit.naytetyt.empty());
}

TEST_F(Kansilataus, SivuKuvanNimellaPoistetaanEikaLiiteta) {
    struct {
        const char* sisalto;
        std::vector<std::string> viestit;
    } const tapaukset[] = {
        {"\n\n\n<html><body>Not found</body></html>", {html_kansi_viesti, ei_kuva_viesti}},
        {"<!DOCTYPE html><html></html>", {ei_kuva_viesti}},
        {"GIF89a rikki", {ei_kuva_viesti}},
    };
    for (const auto& t : tapaukset) {
        viestit.naytetyt.clear();
        ladattu("11112222", t.sisalto);
        EXPECT_FALSE(liita_ladattu_kansi("11112222", "http://x/k.jpg", lista, 1, kansio, jarjestelman_tiedostot(), viestit));
        EXPECT_EQ(viestit.tekstit(), t.viestit);
        EXPECT_TRUE(lista[1].cover_fn.empty());
        EXPECT_TRUE(lista[1].hae_kansi);
        EXPECT_FALSE(lista.muutettu);
        EXPECT_TRUE(fs::is_empty(k.juuri() / "gfx" / "kannet")) << t.sisalto;
    }
}

TEST_F(Kansilataus, PuuttuvaTiedosto) {
    EXPECT_FALSE(liita_ladattu_kansi("87654321", "http://x/k.jpg", lista, 1, kansio, jarjestelman_tiedostot(), viestit));
    EXPECT_EQ(viestit.tekstit(), std::vector<std::string>{ei_vastaanotettu_viesti});
}

}  // namespace
