// Lending and returning, the loan list, loan dates, the overdue rule and reminders made from templates.
#include "lending/lainaus.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "testituki/testiviestit.h"
#include "lending/postitus.h"
#include "settings/asetukset.h"
#include "perus/ohjelmakansio.h"
#include "testituki/tilapainen_kansio.h"

namespace {

struct Kortti {
    const char* kasetti;
    const char* nimi;
    const char* lainassa = "";
};

TOmaList lista(std::initializer_list<Kortti> kortit) {
    TOmaList l;
    for (const Kortti& k : kortit) {
        TKortti& c = l.lisaa_uusi();
        c.kasetilla = k.kasetti;
        c.nimi = k.nimi;
        c.lainassa = k.lainassa;
    }
    return l;
}

TOmaList kokoelma() {
    return lista({{"1", "Alien"}, {"1", "Aliens"}, {"10", "Matrix"}, {"10", "Matrix Reloaded"}, {"12", "Heat"},
                  {"AP3", "Ronin"}, {"2", "Terminator"}, {"3", "Alienation"}});
}

std::vector<std::string> lainatut(const TOmaList& l) {
    std::vector<std::string> v;
    for (int i = 1; i < l.Count(); ++i)
        if (!l[i].lainassa.empty()) v.push_back(l[i].nimi);
    return v;
}

const std::string ei_loydy = "\" jäi lainaamatta. Tietokanta ei sisällä annetun numeroista tai nimistä "
                             "elokuvaa/kasettia/levyä.";

TEST(Lainaus, KasetitJaNimet) {
    struct Tapaus {
        const char* syote;
        const char* siivottu;
        std::vector<std::string> lainassa;
        std::vector<std::string> ilmoitukset;
    };
    const Tapaus tapaukset[] = {
        {"1, 10,12,", "1,10,12", {"Alien", "Aliens", "Matrix", "Matrix Reloaded", "Heat"}, {}},
        // A title word longer than five letters lends the whole cassette of the first card that has it.
        {"matrix", "matrix", {"Matrix", "Matrix Reloaded"}, {}},
        // Five letters or fewer is a cassette number only.
        {"Alien", "Alien", {}, {"\"Alien" + ei_loydy}},
        {"ap3", "ap3", {"Ronin"}, {}},
        // Blanks go before matching, so a whole title with blanks is not found.
        {"Matrix Reloaded", "MatrixReloaded", {}, {"\"MatrixReloaded" + ei_loydy}},
        {"2,,3", "2,,3", {"Terminator"}, {"\",3" + ei_loydy}},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(t.syote);
        TOmaList l = kokoelma();
        diag::TestiViestit v;
        std::string kasetit = t.syote;
        EXPECT_TRUE(lainaa_kasetit(l, kasetit, "Matti", "1.3.2004", v));
        EXPECT_EQ(kasetit, t.siivottu);
        EXPECT_EQ(lainatut(l), t.lainassa);
        EXPECT_EQ(v.tekstit(), t.ilmoitukset);
        EXPECT_TRUE(l.muutettu);
        for (int i = 1; i < l.Count(); ++i) {
            if (!l[i].lainassa.empty()) {
                EXPECT_EQ(l[i].lainassa, "Matti, Lainattu: 1.3.2004");
            }
        }
    }
}

TEST(Lainaus, NimiJonkaKasettiOnNimiToisessaEiJaaKiertamaan) {
    // Each title names the other's cassette: the title rule is used once per entry, so this ends.
    TOmaList l = lista({{"Blade12", "Heat12 Matrix"}, {"Heat12", "Blade12 story"}, {"", "Blade Runner"},
                        {"", "Amadeus"}});
    diag::TestiViestit v;
    std::string kasetit = "Heat12,Runner";
    ASSERT_TRUE(lainaa_kasetit(l, kasetit, "Liisa", "2.3.2004", v));
    // A card without a cassette number is lent alone, not with every other unnumbered card.
    EXPECT_EQ(lainatut(l), (std::vector<std::string>{"Heat12 Matrix", "Blade Runner"}));
}

TEST(Lainaus, YliViisikymmentaKohtaaHylataanKokonaan) {
    TOmaList l = kokoelma();
    diag::TestiViestit v;
    std::string kasetit;
    for (int i = 0; i < 51; ++i) kasetit += "1,";
    const std::string alkuperainen = kasetit;
    EXPECT_FALSE(lainaa_kasetit(l, kasetit, "Matti", "1.3.2004", v));
    EXPECT_TRUE(lainatut(l).empty());
    EXPECT_FALSE(l.muutettu);
    EXPECT_EQ(kasetit, alkuperainen);
    ASSERT_EQ(v.naytetyt.size(), 1u);
    EXPECT_NE(v.naytetyt[0].teksti.find("enintään 50"), std::string::npos);
    kasetit = alkuperainen.substr(2);  // 50 entries are fine
    EXPECT_TRUE(lainaa_kasetit(l, kasetit, "Matti", "1.3.2004", v));
}

TEST(Lainaus, PalautusJaLainalista) {
    TOmaList l = lista({{"1", "Alien", "Matti, Lainattu: 1.3.2004"},
                        {"1", "Aliens", "Matti, Lainattu: 1.3.2004"},
                        {"2", "Heat", "Mattila, Lainattu: 5.3.2004"},
                        {"3", "Ronin", "Liisa, Lainattu: 5.3.2004"}});
    EXPECT_EQ(lainalista(l), (std::vector<std::string>{"Nro: 1, Lainaaja: Matti, Lainattu: 1.3.2004",
                                                       "Nro: 2, Lainaaja: Mattila, Lainattu: 5.3.2004",
                                                       "Nro: 3, Lainaaja: Liisa, Lainattu: 5.3.2004"}));
    const auto rivit = lainalista(l);
    EXPECT_EQ(valitut_kasetit({rivit[0], rivit[2]}), "1, 3");
    EXPECT_EQ(lainarivin_lainaaja(rivit[1]), "Mattila");

    // A part of a name returns every borrower containing it.
    EXPECT_EQ(palauta_lainaajalta(l, "matti"), 3);
    EXPECT_EQ(lainatut(l), std::vector<std::string>{"Ronin"});

    // Returning by cassette is lending with no borrower.
    diag::TestiViestit v;
    std::string kasetit = "3";
    lainaa_kasetit(l, kasetit, "", "", v);
    EXPECT_TRUE(lainalista(l).empty());
}

TEST(Lainapaivat, LuetutMuodot) {
    EXPECT_EQ(lue_paiva("1.3.2004"), (Paiva{2004, 3, 1}));
    EXPECT_EQ(lue_paiva("01.03.2004"), (Paiva{2004, 3, 1}));
    EXPECT_EQ(lue_paiva("1.3.04"), (Paiva{2004, 3, 1}));
    EXPECT_EQ(lue_paiva("1.3.99"), (Paiva{1999, 3, 1}));
    EXPECT_EQ(lue_paiva("2004-03-01"), (Paiva{2004, 3, 1}));
    for (const char* huono : {"", "31.2.2004", "1.3", "huomenna", "1.13.2004", "2004-3-1", "1.3.2004x"})
        EXPECT_FALSE(lue_paiva(huono)) << huono;
    EXPECT_EQ(paiva_tekstiksi({2004, 3, 1}), "1.3.2004");
    EXPECT_EQ(lainaajan_nimi("Matti, Lainattu: 1.3.2004"), "Matti");
    EXPECT_EQ(lainauspaiva("Matti, Lainattu: 1.3.2004"), "1.3.2004");
    EXPECT_EQ(lainauspaiva("Matti"), "");
}

TEST(Myohastymiset, PaivalaskuJaKysymysKerranLainaajaa) {
    // 31 days by the rule on the 2nd of the next month, 30 on the 1st; 31.1. to 1.2. counts 0.
    EXPECT_EQ(lainapaivia({2004, 3, 1}, {2004, 4, 2}), 31);
    EXPECT_EQ(lainapaivia({2004, 3, 1}, {2004, 4, 1}), 30);
    EXPECT_EQ(lainapaivia({2004, 1, 31}, {2004, 2, 1}), 0);

    TOmaList l = lista({{"1", "Alien", "Matti, Lainattu: 1.3.2004"},
                        {"2", "Heat", "Liisa, Lainattu: 20.3.2004"},
                        {"3", "Ronin", "Matti, Lainattu: 25.2.2004"},
                        {"4", "Vanha", "Pekka, Lainattu: joskus"}});
    const auto m = myohastyneet(l, 30, {2004, 4, 2});
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].lainaaja, "Matti");
    EXPECT_EQ(m[0].paivia, 31);  // the first card in catalogue order, not the oldest
    EXPECT_EQ(m[1].lainaaja, "Pekka");  // an unreadable date counts from 30.12.1899
    EXPECT_GT(m[1].paivia, 36000);
    // On the 1st only the loan of 25.2. is over 30 days: its count is Matti's now.
    const auto ekana = myohastyneet(l, 30, {2004, 4, 1});
    ASSERT_EQ(ekana.size(), 2u);
    EXPECT_EQ(ekana[0].lainaaja, "Matti");
    EXPECT_EQ(ekana[0].paivia, 36);
    EXPECT_EQ(myohastymiskysymys(m[0]), "Matti ei ole palauttanut lainaamiaan elokuvia!\nElokuvat ovat olleet "
                                        "lainassa 31 päivää,\nHaluatko lähettää lainaajalle muistutus sähköpostia?");
}

TEST(Muistutus, PohjanPaikatJaLista) {
    TOmaList l = lista({{"1", "Alien", "Matti, Lainattu: 1.3.2004"},
                        {"1", "Aliens", "Matti, Lainattu: 1.3.2004"},
                        {"2", "Heat", "Mattila, Lainattu: 5.3.2004"},
                        {"3", "Ronin", "Liisa, Lainattu: 6.3.2004"}});
    const std::string pohja =
        "Muistutus %%ohjelma\r\n"
        "Hei, lainasit %%päivä %%ELOKUVIA kasettia.\r\n"
        "##--\r\n"
        "%%LISTA\r\n"
        " %%LISTA\r\n"
        "T. %%Minä, %%MINÄ%%MINÄ\r\n";
    const Muistutus m = tee_muistutus(pohja, l, "Matti", {"Rullakko v1.36", "Pertti"});
    // Line 1 is the subject and is taken as it is.
    EXPECT_EQ(m.otsikko, "Muistutus %%ohjelma");
    EXPECT_EQ(m.rivit, (std::vector<std::string>{
                           "Hei, lainasit 1.3.2004 ja 5.3.2004 2 kasettia.",
                           "Alien, Kasetti/Levy numero: 1",
                           "Aliens, Kasetti/Levy numero: 1",
                           "Heat, Kasetti/Levy numero: 2",
                           " %%LISTA",
                           "T. Pertti, PerttiPertti",
                       }));

    EXPECT_EQ(lainauspaivat(l, "Liisa"), "6.3.2004");
    EXPECT_EQ(lainauspaivat(l, "Matt"), "1.3.2004 ja 5.3.2004");
    EXPECT_EQ(lainauspaivat(l, "a"), "1.3.2004, 5.3.2004 ja 6.3.2004");
    EXPECT_EQ(lainauspaivat(l, "Pekka"), "joku päivä");

    const Muistutus yksi = tee_muistutus("Vain otsikko\r\n", l, "Matti", {});
    EXPECT_EQ(yksi.otsikko, "Vain otsikko");
    EXPECT_TRUE(yksi.rivit.empty());
}

TEST(Postiasetukset, KayttajaVainKunKirjautuminenValittu) {
    TAsetukset a;
    a.smtp_palvelin = "posti.example.org:587";
    a.email_username = "matti";
    a.email_password = "salainen";
    EXPECT_EQ(smtp_palvelin(a).kayttaja, "");
    EXPECT_EQ(smtp_palvelin(a).salasana, "");
    a.email_logon = true;
    EXPECT_EQ(smtp_palvelin(a).kayttaja, "matti");
    EXPECT_EQ(smtp_palvelin(a).salasana, "salainen");
}

TEST(Postiasetukset, PuuttuvatAsetuksetKysytaanJarjestyksessa) {
    TAsetukset a;
    a.email_nimi = "Matti";
    diag::TestiViestit v;
    v.vastaukset = {diag::Vastaus::Kylla, diag::Vastaus::Ei};
    int avattu = 0;
    // The settings dialog fills in the server; the address stays missing.
    EXPECT_FALSE(tarkista_email_asetukset(a, v, [&] {
        ++avattu;
        a.smtp_palvelin = "posti";
    }));
    EXPECT_EQ(avattu, 1);
    ASSERT_EQ(v.naytetyt.size(), 3u);
    EXPECT_EQ(v.naytetyt[0].teksti.rfind("Et ole syöttänyt SMTP palvelinta", 0), 0u);
    EXPECT_EQ(v.naytetyt[1].teksti.rfind("Et ole syöttänyt sähköpostiosoitettasi", 0), 0u);
    EXPECT_EQ(v.naytetyt[2].teksti, "Ohjelman sähköpostiominaisuuksia ei voida käyttää \nilman asetuksia, keskeytetään!");
    a.email_addr = "matti@example.org";
    EXPECT_TRUE(tarkista_email_asetukset(a, v, {}));
}

TEST(Muistutuspohjat, TekstitiedostotNimenMukaan) {
    const testituki::Tilapainen_kansio oma_kansio("pohjat");
    const std::filesystem::path& kansio = oma_kansio.juuri();
    std::filesystem::create_directories(kansio / "alikansio.txt");
    for (const char* nimi : {"tiukka.txt", "Kohtelias.TXT", "kuva.jpg", "CMakeCache.txt", "txt", "VERTFONT_LISENSSI.txt"})
        std::ofstream(kansio / nimi) << "Otsikko\r\n";
    EXPECT_EQ(muistutuspohjat(Ohjelmakansio(kansio, jarjestelman_tiedostot())), (std::vector<std::string>{"Kohtelias.TXT", "tiukka.txt"}));
    std::string sisalto;
    EXPECT_TRUE(lue_muistutuspohja(jarjestelman_tiedostot(), Ohjelmakansio(kansio, jarjestelman_tiedostot()), "tiukka.txt", sisalto));
    EXPECT_EQ(sisalto, "Otsikko\r\n");
    EXPECT_FALSE(lue_muistutuspohja(jarjestelman_tiedostot(), Ohjelmakansio(kansio, jarjestelman_tiedostot()), "puuttuu.txt", sisalto));
}

}  // namespace
