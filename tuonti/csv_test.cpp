// Reading lists, guessing what their columns are and the field rules for imported values.
#include "tuonti/csv.h"

#include <gtest/gtest.h>

#include "storage/kortti.h"
#include "tuonti/kartta.h"
#include "tuonti/saannot.h"

namespace {

using Rivit = std::vector<std::vector<std::string>>;

TEST(Csvluku, LainauksetErottimetJaMerkistot) {
    struct Tapaus {
        const char* nimi;
        std::string data;
        Rivit odotettu;
        std::vector<int> rivinumerot;
        Csvmerkisto merkisto;
        char erotin;
    };
    const Tapaus tapaukset[] = {
        {"oma vienti: BOM, pilkut, CR LF, lainaukset ja rivinvaihto arvossa",
         "\xEF\xBB\xBFnimi,juoni\r\n\"A, \"\"B\"\"\",\"rivi 1\r\nrivi 2\"\r\nC,\r\n",
         {{"nimi", "juoni"}, {"A, \"B\"", "rivi 1\r\nrivi 2"}, {"C", ""}}, {1, 2, 3}, Csvmerkisto::Utf8, ','},
        {"suomalainen taulukko: puolipisteet ja Windows-1252",
         "Nimi;Hinta\nP\xE4iv\xE4;5,50 \x80\n", {{"Nimi", "Hinta"}, {"P\xE4iv\xE4", "5,50 \x80"}}, {1, 2},
         Csvmerkisto::Cp1252, ';'},
        {"UTF-8 ilman BOMia muutetaan cp1252:ksi", "Nimi\nP\xC3\xA4iv\xC3\xA4\n", {{"Nimi"}, {"P\xE4iv\xE4"}}, {1, 2},
         Csvmerkisto::Utf8, ','},
        {"tyhjät rivit ohitetaan mutta lasketaan, viimeinen rivi ilman rivinvaihtoa",
         "a,b\r\n\r\n,\r\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 4}, Csvmerkisto::Utf8, ','},
        {"puolipiste lainausmerkeissä ei ratkaise erotinta", "\"a;b;c\",d\n1,2\n", {{"a;b;c", "d"}, {"1", "2"}}, {1, 2},
         Csvmerkisto::Utf8, ','},
        {"pelkkä CR rivin loppuna, lainausmerkki keskellä arvoa", "a\r5\" levy\r", {{"a"}, {"5\" levy"}}, {1, 2},
         Csvmerkisto::Utf8, ','},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(t.nimi);
        Csvtaulu taulu;
        ASSERT_TRUE(lue_csv(t.data, taulu)) << lue_csv(t.data, taulu).viesti;
        EXPECT_EQ(taulu.rivit, t.odotettu);
        EXPECT_EQ(taulu.rivinumerot, t.rivinumerot);
        EXPECT_EQ(taulu.merkisto, t.merkisto);
        EXPECT_EQ(taulu.erotin, t.erotin);
    }
}

TEST(Csvluku, ValittuMerkistoJaErotinVoittavatArvauksen) {
    Csvtaulu taulu;
    ASSERT_TRUE(lue_csv("a;b\n\xC3\xA4;x\n", taulu, Csvmerkisto::Cp1252, ','));
    EXPECT_EQ(taulu.rivit, (Rivit{{"a;b"}, {"\xC3\xA4;x"}}));
}

TEST(Csvluku, MerkkiJotaCp1252EiOsaaMerkitaanRiville) {
    Csvtaulu taulu;
    ASSERT_TRUE(lue_csv("nimi\nOk\n\xC5\x8Ctomo\n", taulu));  // U+014C
    EXPECT_EQ(taulu.rivit[2][0], "?tomo");
    EXPECT_EQ(taulu.korvatut, std::vector<int>{3});
}

TEST(Csvluku, MuuKuinTaulukkoHylataan) {
    const std::pair<std::string, const char*> tapaukset[] = {
        {std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10), "Tiedosto ei ole CSV-taulukko: siinä on muuta kuin tekstiä."},
        {"nimi\n\"alkaa mutta ei lopu\n", "Tiedosto ei ole kelvollinen CSV-taulukko: rivillä 2 alkava lainausmerkki jää auki."},
        {"", "Tiedostossa ei ole otsikkoriviä eikä elokuvia."},
        {"\r\n;;\r\n", "Tiedostossa ei ole otsikkoriviä eikä elokuvia."},
    };
    for (const auto& [data, viesti] : tapaukset) {
        Csvtaulu taulu;
        const Tulos t = lue_csv(data, taulu);
        EXPECT_FALSE(t);
        EXPECT_EQ(t.viesti, viesti);
    }
}

std::string kohde(const Sarake* s) { return s ? s->nimi : "-"; }

TEST(Kartta, ArvausSuomeksiJaEnglanniksi) {
    const std::vector<std::string> otsikko = {"Nimi", "Vuosi:", " ohjaaja ", "Kasetti", "Title", "Year",
                                              "Running_Time", "Tape", "Hinta", "extra3", "Pääosissa", "IMDb ID"};
    std::vector<std::string> saatu;
    for (const Sarake* s : arvaa_kartta(otsikko)) saatu.push_back(kohde(s));
    // The second title and year go to the comments rather than over the first.
    EXPECT_EQ(saatu, (std::vector<std::string>{"nimi", "vuosi", "ohjaaja", "kasetilla", "-", "-", "kesto", "-", "-",
                                               "extra3", "paanayttelijat", "imdb_koodi"}));
}

TEST(Kartta, OmaOtsikkoVainTasmalleenSarakkeet) {
    std::vector<std::string> oma;
    for (const Sarake& s : sarakkeet()) oma.push_back(s.nimi);
    EXPECT_TRUE(on_oma_otsikko(oma));
    std::swap(oma[0], oma[1]);
    EXPECT_FALSE(on_oma_otsikko(oma));
    oma.pop_back();
    EXPECT_FALSE(on_oma_otsikko(oma));
}

TEST(Kartta, MaaritysMuuttaaArvausta) {
    const std::vector<std::string> otsikko = {"Elokuva", "Levy", "Muuta"};
    Sarakekartta k = arvaa_kartta(otsikko);
    ASSERT_TRUE(muuta_karttaa(k, otsikko, "Levy=-,Muuta=juoni"));
    EXPECT_EQ(kohde(k[0]), "nimi");
    EXPECT_EQ(kohde(k[1]), "-");
    EXPECT_EQ(kohde(k[2]), "juoni");
    EXPECT_EQ(muuta_karttaa(k, otsikko, "Puuttuu=nimi").viesti, "Tiedostossa ei ole saraketta \"Puuttuu\".");
    EXPECT_EQ(muuta_karttaa(k, otsikko, "Levy=levy").viesti, "Korteissa ei ole kenttää \"levy\".");
    EXPECT_EQ(muuta_karttaa(k, otsikko, "Levy").viesti, "Sarakkeiden määrityksessä \"Levy\" ei ole merkkiä =.");
}

TEST(Saannot, ArvotKentanSaantojenLapi) {
    struct Tapaus {
        const char* sarake;
        const char* arvo;
        const char* tallessa;   // what the card holds afterwards
        const char* huomautus;  // empty when the value fit
    };
    const Tapaus tapaukset[] = {
        {"kesto", "95", "95 min", ""},
        {"kesto", "2", "2h", ""},
        {"kesto", "1:30", "1h 30min", ""},
        {"kesto", "0:45", "45 min", ""},
        {"kesto", "2:00", "2h", ""},
        {"kesto", " 90min ", "90 min", ""},
        {"kesto", "1h30min", "1h 30min", ""},
        {"kesto", "noin 90", "noin 90", "kesto \"noin 90\" ei ole minuutteina eikä tunteina ja minuutteina"},
        {"vuosi", " 1999 ", "1999", ""},
        {"vuosi", "1999-05-01", "1999-05-01", "vuosi \"1999-05-01\" ei ole vuosiluku"},
        {"vuosi", "0999", "0999", "vuosi \"0999\" ei ole vuosiluku"},
        {"kasetilla", "AP12", "AP12", ""},
        {"kasetilla", "Hyllyn kasetti 12", "Hyllyn kasetti 12",
         "kasetin numero \"Hyllyn kasetti 12\" on pidempi kuin 10 merkkiä"},
        {"sijainti", "3", "3", ""},
        {"sijainti", "#1", "#1", "sijainti \"#1\" ei ole kasetin paikka (enintään 2 merkkiä, ei #-merkkiä)"},
        {"arvosana", "7,5", "7,5", ""},
        {"arvosana", "11", "11", "arvosana \"11\" ei ole luku 0-10"},
        {"paanayttelijat", "Anna,Bo,C", "Anna, Bo,C", ""},
        {"juoni", "eka\r\ntoka", "eka  toka", ""},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(std::string(t.sarake) + " " + t.arvo);
        TKortti k;
        const Sarake& s = *sarake_nimelta(t.sarake);
        const Sijoitus tulos = aseta_tuotu_arvo(k, s, t.arvo);
        EXPECT_TRUE(tulos.sijoitettu);
        EXPECT_EQ(sarakkeen_arvo(k, s), t.tallessa);
        EXPECT_EQ(tulos.huomautus, t.huomautus);
    }
}

TEST(Saannot, KyllaEiJaNakymaEivatOtaMuuta) {
    TKortti k;
    EXPECT_TRUE(aseta_tuotu_arvo(k, *sarake_nimelta("extra2"), "kyllä").sijoitettu);
    EXPECT_TRUE(k.extra[2]);
    const Sijoitus ehka = aseta_tuotu_arvo(k, *sarake_nimelta("extra3"), "ehkä");
    EXPECT_FALSE(ehka.sijoitettu);
    EXPECT_EQ(ehka.huomautus, "extra3 \"ehkä\" ei ole kyllä eikä ei");
    EXPECT_FALSE(aseta_tuotu_arvo(k, *sarake_nimelta("nakyma"), "5").sijoitettu);
    EXPECT_EQ(k.nakyma, 0);
}

TEST(Saannot, OmaListaTallennetaanSellaisenaanJaVainTarkistetaan) {
    TKortti k;
    const Sijoitus t = aseta_tuotu_arvo(k, *sarake_nimelta("kesto"), "95", false);
    EXPECT_EQ(k.kesto, "95");
    EXPECT_EQ(t.huomautus, "kesto \"95\" ei ole minuutteina eikä tunteina ja minuutteina");
}

TEST(Saannot, TellicontahdetArvosanaksi) {
    EXPECT_EQ(tahdet_arvosanaksi("4"), "8");
    EXPECT_EQ(tahdet_arvosanaksi("2.5"), "5");
    EXPECT_EQ(tahdet_arvosanaksi("6"), "");
    EXPECT_EQ(tahdet_arvosanaksi("hyvä"), "");
}

}  // namespace
