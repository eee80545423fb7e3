#include "storage/liitos.h"

#include <gtest/gtest.h>

#include <random>

#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/lataus.h"
#include "storage/tallennus.h"
#include "testituki/nimetyt_kortit.h"
#include "testituki/testitila.h"
#include "storage/zlbarkisto.h"

namespace {

class Liitos : public Testitila {
protected:
    // A catalogue file of n cards "<etuliite> k", every other one with its own cover, saved as the program
    // saves; the open catalogue is left empty afterwards.
    void tee_tiedosto(const std::string& nimi, const std::string& etuliite, int n) {
        Varasto v = varasto();
        v.asetukset = &asetukset_;
        tk_.tyhjenna();
        for (int k = 1; k <= n; ++k) {
            TKortti& c = tk_.kortit.lisaa_uusi();
            c.nimi = etuliite + " " + std::to_string(k);
            if (k % 2) {
                c.cover_fn = std::string(kansikuvakansio) + etuliite + std::to_string(k) + ".jpg";
                kirjoita(c.cover_fn, "kuva " + c.nimi);
            }
        }
        ASSERT_TRUE(tallenna_tietokanta(nimi, v));
        poista_kannet(*kansio_);
        tk_.tyhjenna();
    }

    void avaa(const std::string& nimi) { ASSERT_TRUE(lue_tietueet(nimi, false, false, tk_.kortit, varasto())); }

    TAsetukset asetukset_ = [] {
        TAsetukset a;
        a.tallenna_sortattuna = false;  // the cards stay in the order they were added
        return a;
    }();
};

TEST_F(Liitos, KymmenenViiteenPeraanJaNimiPysyy) {
    for (const bool heti : {true, false}) {
        asetukset_.avaa_kannet_heti = heti;
        tee_tiedosto("oma.rkb", "oma", 5);
        tee_tiedosto("muu.rkb", "muu", 10);
        Varasto v = varasto();
        v.asetukset = &asetukset_;
        ASSERT_TRUE(lue_tietueet("oma.rkb", false, false, tk_.kortit, v));
        const std::string nimi = tk_.tiedosto;
        ASSERT_TRUE(liita_tietokanta("muu.rkb", v));
        ASSERT_EQ(tk_.kortit.korttien_maara(), 15);
        EXPECT_EQ(tk_.kortit[5].nimi, "oma 5");
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(tk_.kortit[5 + k].nimi, "muu " + std::to_string(k));
        EXPECT_EQ(tk_.tiedosto, nimi);
        EXPECT_TRUE(tk_.kortit.muutettu);

        // The merged covers reach the next save in both unpack modes.
        ASSERT_TRUE(tallenna_tietokanta("yhdessa.rkb", v));
        TZLBArchive zip(jarjestelman_tiedostot());
        ASSERT_TRUE(zip.Open(polku("yhdessa.rkb")));
        for (int k = 1; k <= 15; ++k) {
            if (!tk_.kortit[k].cover_fn.empty()) {
                EXPECT_GE(zip.etsi(tk_.kortit[k].cover_fn), 0) << tk_.kortit[k].cover_fn;
            }
        }
        EXPECT_EQ(tk_.kortit[6].cover_fn, "gfx\\kannet\\muu1.jpg") << heti;
        EXPECT_TRUE(viestit_.naytetyt.empty());
        zip.Close();
        tk_.tyhjenna();
        poista_kannet(*kansio_);
    }
}

TEST_F(Liitos, ItsensaKanssaKannetPudotetaan) {
    for (const bool heti : {true, false}) {
        asetukset_.avaa_kannet_heti = heti;
        tee_tiedosto("oma.rkb", "oma", 4);
        Varasto v = varasto();
        v.asetukset = &asetukset_;
        ASSERT_TRUE(lue_tietueet("oma.rkb", false, false, tk_.kortit, v));
        viestit_.naytetyt.clear();
        ASSERT_TRUE(liita_tietokanta("oma.rkb", v));
        ASSERT_EQ(tk_.kortit.korttien_maara(), 8);
        EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\oma1.jpg");
        for (int k = 5; k <= 8; ++k) EXPECT_EQ(tk_.kortit[k].cover_fn, "") << k;
        EXPECT_EQ(viestit_.naytetyt.size(), 2u);  // one per merged cover
        viestit_.naytetyt.clear();
        tk_.tyhjenna();
        poista_kannet(*kansio_);
    }
}

TEST_F(Liitos, VahingoittunutJattaaAvoimenEnnalleen) {
    tee_tiedosto("oma.rkb", "oma", 3);
    avaa("oma.rkb");
    std::string tavut = lue("oma.rkb");
    tavut[tavut.size() / 2] ^= 0x55;
    kirjoita("rikki.rkb", tavut);
    tk_.kortit.muutettu = false;
    EXPECT_FALSE(liita_tietokanta("rikki.rkb", varasto()));
    EXPECT_EQ(tk_.kortit.korttien_maara(), 3);
    EXPECT_FALSE(tk_.kortit.muutettu);
    EXPECT_EQ(viestit_.naytetyt.size(), 1u);
}

using testituki::kortti;

TEST_F(Liitos, SiivousArvoittain) {
    TOmaList l;
    TKortti& k = l.lisaa_uusi();
    k.nimi = "-";
    k.maa = "USA";
    k.kasetilla = "12";
    k.sijainti = "3";
    k.vuosi = "1985";
    TKortti& vanha = l.lisaa_uusi();
    vanha.nimi = "Vanha";
    vanha.vuosi = "1965";
    vanha.kesto = "-";
    vanha.aani = "Stereo";
    TKortti& keski = l.lisaa_uusi();
    keski.vuosi = "1975";
    EXPECT_TRUE(siivoa_kortit(l));
    EXPECT_EQ(k.nimi, "");
    EXPECT_EQ(k.maa, "Usa");
    EXPECT_EQ(k.kasetilla, "");
    EXPECT_EQ(k.sijainti, "");
    EXPECT_EQ(k.aani, "Hifi Stereo");
    EXPECT_EQ(vanha.kesto, "");
    EXPECT_EQ(vanha.aani, "Stereo");
    EXPECT_EQ(keski.aani, "");
    EXPECT_TRUE(l.muutettu);

    l.muutettu = false;
    EXPECT_FALSE(siivoa_kortit(l));
    EXPECT_FALSE(l.muutettu);
}

TEST_F(Liitos, TuplatTaittuvatPidempiinTietoihin) {
    TOmaList& l = tk_.kortit;
    l.lisaa(std::make_unique<TKortti>(kortti("Alien", "DVD", "Ridley Scott")));
    l.lisaa(std::make_unique<TKortti>(kortti("Alien", "SP", "", "", "eri formaatti")));
    l.lisaa(std::make_unique<TKortti>(kortti("Muu", "DVD")));
    l.lisaa(std::make_unique<TKortti>(kortti("Alien", "DVD", "R. Scott", "", "Avaruusaluksen miehistö...")));
    l.lisaa(std::make_unique<TKortti>(kortti("alien", "DVD")));  // letter case counts
    l[1].cover_fn = "gfx\\kannet\\a.jpg";
    l[3].cover_fn = "gfx\\kannet\\jaettu.jpg";
    l[4].cover_fn = "gfx\\kannet\\jaettu.jpg";
    l[1].lisatieto[0] = "Dan O'Bannon";
    kirjoita("gfx\\kannet\\a.jpg", "a");
    kirjoita("gfx\\kannet\\jaettu.jpg", "j");
    tk_.nykyinen = 4;

    EXPECT_EQ(poista_tuplat(varasto()), 1);
    ASSERT_EQ(l.korttien_maara(), 4);
    EXPECT_EQ(l[1].formaatti, "SP");
    const TKortti& jaa = l[3];
    EXPECT_EQ(jaa.ohjaaja, "Ridley Scott");
    EXPECT_EQ(jaa.juoni, "Avaruusaluksen miehistö...");
    EXPECT_EQ(jaa.lisatieto[0], "Dan O'Bannon");
    EXPECT_EQ(jaa.cover_fn, "gfx\\kannet\\jaettu.jpg");
    EXPECT_FALSE(std::filesystem::exists(polku("gfx\\kannet\\a.jpg")));
    EXPECT_TRUE(std::filesystem::exists(polku("gfx\\kannet\\jaettu.jpg")));
    EXPECT_EQ(tk_.nykyinen, 1);
    EXPECT_TRUE(l.muutettu);

    l.muutettu = false;
    EXPECT_EQ(poista_tuplat(varasto()), 0);
    EXPECT_FALSE(l.muutettu);
}

// The group-by-group folding gives what scanning pair by pair, restarting nine cards back after every
// deletion, gives.
TEST_F(Liitos, TuplatKutenParittainenHaku) {
    const auto taita = [](const TKortti& i, TKortti& j) {
        for (auto kentta : {&TKortti::nimi, &TKortti::luokitus, &TKortti::maa, &TKortti::aani, &TKortti::paanayttelijat,
                            &TKortti::ohjaaja, &TKortti::juoni, &TKortti::kesto, &TKortti::vuosi})
            if ((i.*kentta).size() > (j.*kentta).size()) j.*kentta = i.*kentta;
        if (j.lisatieto[0].empty()) {
            j.lisatieto[0] = i.lisatieto[0];
            j.lisatieto_nimi[0] = i.lisatieto_nimi[0];
        }
    };
    const auto parittain = [&](TOmaList& l) {
        for (int i = 1; i < l.Count();) {
            bool poistettu = false;
            for (int j = 1; j < l.Count(); ++j) {
                if (i == j || l[i].nimi != l[j].nimi || l[i].formaatti != l[j].formaatti) continue;
                taita(l[i], l[j]);
                l.poista(i);
                poistettu = true;
                break;
            }
            i = poistettu ? std::max(1, i - 9) : i + 1;
        }
    };
    const auto kuvaus = [](const TOmaList& l) {
        std::vector<std::string> t;
        for (int i = 1; i < l.Count(); ++i)
            t.push_back(l[i].nimi + "|" + l[i].formaatti + "|" + l[i].ohjaaja + "|" + l[i].juoni + "|" + l[i].vuosi + "|" +
                        l[i].lisatieto[0] + "|" + l[i].lisatieto_nimi[0]);
        return t;
    };
    std::mt19937 arpa(11);
    const char* tekstit[] = {"", "a", "bb", "cc", "ddd"};
    for (int kierros = 0; kierros < 200; ++kierros) {
        TOmaList odotettu;
        tk_.tyhjenna();
        for (int n = 0, m = 1 + static_cast<int>(arpa() % 30); n < m; ++n) {
            TKortti k = kortti(tekstit[1 + arpa() % 3], arpa() % 2 ? "DVD" : "SP", tekstit[arpa() % 5], "",
                               tekstit[arpa() % 5]);
            k.vuosi = tekstit[arpa() % 5];
            k.lisatieto[0] = tekstit[arpa() % 3];
            k.lisatieto_nimi[0] = tekstit[arpa() % 5];
            odotettu.lisaa(std::make_unique<TKortti>(k));
            tk_.kortit.lisaa(std::make_unique<TKortti>(k));
        }
        parittain(odotettu);
        poista_tuplat(varasto());
        ASSERT_EQ(kuvaus(tk_.kortit), kuvaus(odotettu)) << kierros;
    }
}

}  // namespace
