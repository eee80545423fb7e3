#include "storage/tallennus.h"

#include "diag/loki.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/lataus.h"
#include "storage/testitila.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

class Tallennus : public Testitila {
protected:
    void TearDown() override {
        tallennus_kaatuu_vaiheessa = Tallennusvaihe::Ei;
        diag::loki().nollaa();
        Testitila::TearDown();
    }
    Varasto v() {
        Varasto va = varasto();
        va.asetukset = &asetukset_;
        return va;
    }
    TKortti& kortti(const std::string& nimi, const std::string& kasetti = "1", const std::string& kansi = "") {
        TKortti& k = tk_.kortit.lisaa_uusi();
        k.nimi = nimi;
        k.kasetilla = kasetti;
        k.cover_fn = kansi;
        if (!kansi.empty()) kirjoita(kansi, "kuva:" + kansi);
        return k;
    }
    std::vector<std::string> jasenet(const std::string& nimi) {
        TZLBArchive zip;
        EXPECT_TRUE(zip.Open(polku(nimi)));
        std::vector<std::string> t;
        for (const auto& e : zip.entries()) t.push_back(e.koko_nimi());
        return t;
    }
    TOmaList avaa(const std::string& nimi) {
        Tietokanta toinen;
        diag::TestiViestit hiljaiset;
        TAsetukset a;
        a.avaa_kannet_heti = false;
        a.notify_enabled = false;
        Varasto va{toinen, *kansio_, hiljaiset, kiire_, &a};
        EXPECT_TRUE(lue_tietueet(nimi, false, true, toinen.kortit, va));
        return std::move(toinen.kortit);
    }
    TAsetukset asetukset_;
};

TEST_F(Tallennus, NimetonPoistuuJaJaettuKansiPakataanKahdesti) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    kortti("", "2", "gfx\\kannet\\22222222.jpg");
    kortti("Kolme", "3", "gfx\\kannet\\11111111.jpg");
    kortti("", "4", "gfx\\kannet\\11111111.jpg");  // shares its cover with living cards
    tk_.kortit.muutettu = true;
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    EXPECT_FALSE(tk_.kortit.muutettu);
    EXPECT_EQ(tk_.tiedosto, "oma.rkb");
    EXPECT_EQ(tk_.kortit.korttien_maara(), 2);
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\22222222.jpg")));
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
    EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
    EXPECT_EQ(jasenet("oma.rkb"), (std::vector<std::string>{"avattu.$$$", "gfx\\kannet\\11111111.jpg", "gfx\\kannet\\11111111.jpg"}));
    const TOmaList luettu = avaa("oma.rkb");
    ASSERT_EQ(luettu.korttien_maara(), 2);
    EXPECT_EQ(luettu[2].nimi, "Kolme");
    EXPECT_EQ(diag::loki().rivit().front(), "KORTTI 2 POISTETTU! SYY: Kortilla ei nimeä");
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(Tallennus, KannetVanhastaTiedostostaPakataanUudelleen) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    poista_kannet(*kansio_);
    ASSERT_FALSE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
    ASSERT_TRUE(tallenna_tietokanta("toinen.rkb", v()));
    EXPECT_EQ(jasenet("toinen.rkb").size(), 2u);
    EXPECT_EQ(lue("gfx\\kannet\\11111111.jpg"), "kuva:gfx\\kannet\\11111111.jpg");
}

TEST_F(Tallennus, LajitteluAvainRiippuuKoosta) {
    asetukset_.tallenna_sortattuna = true;
    for (const int maara : {1000, 1001}) {
        tk_.tyhjenna();
        for (int i = 0; i < maara; ++i) kortti(i == 0 ? "Zulu" : "Alfa " + std::to_string(i), std::to_string(maara - i));
        ASSERT_TRUE(tallenna_tietokanta("lajiteltu.rkb", v()));
        const TOmaList l = avaa("lajiteltu.rkb");
        // By cassette number Zulu (cassette `maara`) is last; by title it is last too, but Alfa 1 (cassette
        // maara-1) comes first only when sorting by title.
        if (maara == 1000) {
            EXPECT_EQ(l[1].kasetilla, "1");
        } else {
            EXPECT_EQ(l[1].nimi, "Alfa 1");
        }
        EXPECT_EQ(l[l.korttien_maara()].nimi, "Zulu") << maara;
    }
}

TEST_F(Tallennus, IlmanKansiaJaJpgMuunnos) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    kortti("Kaksi", "2", "gfx\\kannet\\22222222.gif");
    ASSERT_TRUE(tallenna_asetuksin("ilman.rkb", Kansikuvat::EiKansia, 80, false, v()));
    EXPECT_EQ(jasenet("ilman.rkb"), std::vector<std::string>{"avattu.$$$"});
    EXPECT_EQ(tk_.kortit[1].cover_fn, "");
    EXPECT_EQ(tk_.kortit[2].cover_fn, "");
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
}

TEST_F(Tallennus, EpaonnistunutTallennusEiKoskaVanhaanTiedostoon) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    const std::string vanha = lue("oma.rkb");
    tk_.kortit[1].nimi = "Muutettu";
    const std::string virhe = "Tiedoston tallennuksessa tapahtui virhe, yritä tallentaa tietokanta toisella nimellä\n"
                              "[Tiedosto -> Tallenna nimellä...]";
    struct Tapaus {
        Tallennusvaihe vaihe;
        bool tyotiedoston_viesti;
    };
    for (const Tapaus t : {Tapaus{Tallennusvaihe::Runko, true}, Tapaus{Tallennusvaihe::Pakkaus, false},
                           Tapaus{Tallennusvaihe::Nimeaminen, false}}) {
        tallennus_kaatuu_vaiheessa = t.vaihe;
        viestit_.naytetyt.clear();
        tk_.kortit.muutettu = true;
        EXPECT_FALSE(tallenna_tietokanta("oma.rkb", v()));
        EXPECT_EQ(lue("oma.rkb"), vanha);
        EXPECT_TRUE(tk_.kortit.muutettu);
        EXPECT_EQ(tk_.tiedosto, "oma.rkb");
        ASSERT_EQ(viestit_.naytetyt.size(), 1u);
        if (t.tyotiedoston_viesti)
            EXPECT_EQ(viestit_.naytetyt[0].teksti.rfind("Virhe (", 0), 0u);
        else
            EXPECT_EQ(viestit_.naytetyt[0].teksti, virhe);
        EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
        EXPECT_FALSE(fs::exists(polku("oma.rkb.tallennus.tmp")));
    }
    tallennus_kaatuu_vaiheessa = Tallennusvaihe::Ei;

    // A target folder that cannot be written to, or that has vanished.
    viestit_.naytetyt.clear();
    fs::create_directories(juuri_ / "suojattu");
    tk_.tiedosto = "oma.rkb";
    kirjoita("suojattu\\vanha.rkb", vanha);
    fs::permissions(juuri_ / "suojattu", fs::perms::owner_read | fs::perms::owner_exec);
    const bool root = ::geteuid() == 0;  // root writes anywhere; the vanished folder still shows the path
    if (!root) {
        EXPECT_FALSE(tallenna_tietokanta("suojattu\\vanha.rkb", v()));
        EXPECT_EQ(lue("suojattu\\vanha.rkb"), vanha);
    }
    fs::permissions(juuri_ / "suojattu", fs::perms::owner_all);
    EXPECT_FALSE(tallenna_tietokanta("kadonnut\\kansio\\uusi.rkb", v()));
    EXPECT_EQ(viestit_.naytetyt.back().teksti, virhe);
    EXPECT_EQ(tk_.tiedosto, "oma.rkb");
}

}  // namespace
