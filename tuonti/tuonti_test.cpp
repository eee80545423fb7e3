// Movies from lists and Tellico collections into a catalogue: the program's own list reads back into the
// same cards, other lists and collections go through the field rules, bad files leave the catalogue as it was.
#include "tuonti/tuonti.h"

#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <fstream>

#include "export/csv.h"
#include "perus/merkisto.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kuvakoodekki.h"
#include "storage/lataus.h"
#include "testituki/komentotesti.h"
#include "testituki/testitila.h"
#include "testituki/tiedoston_sisalto.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

std::string testdata(const char* nimi) { return testituki::testidata("tuonti", nimi).string(); }

std::vector<std::string> huomautukset(const Tuotavat& t) {
    std::vector<std::string> h;
    for (const Tuontihuomautus& x : t.huomautukset) h.push_back(huomautuksen_rivi(x, t.rivisana));
    return h;
}

class Tuonti : public Testitila {
protected:
    // An open catalogue of one card, saved: what an import must leave alone when it fails.
    void SetUp() override {
        Testitila::SetUp();
        tk_.kortit.lisaa_uusi().nimi = "Oma elokuva";
        tk_.kortit.muutettu = false;
    }

    Tulos tuo(const fs::path& p, std::optional<Tuontimuoto> muoto = std::nullopt, const std::string& kartta = {}) {
        return tuo_tiedosto(p, muoto, kartta, varasto(), tuotavat_);
    }

    std::vector<std::string> kansikansio() const {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(juuri_ / "gfx" / "kannet")) n.push_back(e.path().filename());
        return n;
    }

    Tuotavat tuotavat_;
};

TEST_F(Tuonti, OmaCsvListaPalaaSamoiksiKorteiksi) {
    fs::copy_file(std::string(RULLAKKO_SOURCE_DIR) + "/data/esimerkki.rkb", polku("esimerkki.rkb"));
    Tietokanta lahde;
    Varasto lv{lahde, *kansio_, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit_, kiire_};
    ASSERT_TRUE(lue_tietueet("esimerkki.rkb", false, false, lahde.kortit, lv));
    // Values that need every rule of the list besides the example's own: quotes, commas, a blank at either
    // end, a euro sign, a byte cp1252 leaves undefined, the extras and the cover switch.
    TKortti& h = lahde.kortit.lisaa_uusi();
    h.nimi = " \"Hämärä\", osa 2 ";
    h.kommentti = "5 \x80; \x81 ja \"lainaus\"";
    h.extra[4] = true;
    h.hae_kansi = false;
    h.nakyma = 2;
    ASSERT_GT(lahde.kortit.korttien_maara(), 5);
    ASSERT_TRUE(vie_csv(jarjestelman_tiedostot(), lahde.kortit, polku("lista.csv")));

    Tietokanta tyhja;
    Varasto tv{tyhja, *kansio_, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit_, kiire_};
    ASSERT_TRUE(tuo_tiedosto(polku("lista.csv"), std::nullopt, {}, tv, tuotavat_)) << tuotavat_.huomautukset.size();
    ASSERT_EQ(tyhja.kortit.Count(), lahde.kortit.Count());
    for (int i = 1; i < lahde.kortit.Count(); ++i)
        for (const Sarake& s : sarakkeet())
            EXPECT_EQ(sarakkeen_arvo(tyhja.kortit[i], s), sarakkeen_arvo(lahde.kortit[i], s)) << i << " " << s.nimi;
    EXPECT_TRUE(tyhja.kortit.muutettu);
}

TEST_F(Tuonti, SuomalainenTaulukkoKenttasaantojenLapi) {
    kirjoita("elokuvat.csv",
             "Nimi;Vuosi;Ohjaaja;Kasetti;Kesto;Hinta;Arvosana\r\n"
             "Tuntematon sotilas;1955;Edvin Laine;12;2h 5min;5 \x80;9\r\n"
             "\"Pitkä, monirivinen\r\nnimi\";noin 1960;;HYLLY-A-KASETTI-3;95;;8,5\r\n"
             ";1999;;;;;\r\n");
    ASSERT_TRUE(tuo(polku("elokuvat.csv")));
    ASSERT_EQ(tk_.kortit.korttien_maara(), 4);
    EXPECT_EQ(tk_.kortit[1].nimi, "Oma elokuva");
    const TKortti& a = tk_.kortit[2];
    EXPECT_EQ(a.nimi, "Tuntematon sotilas");
    EXPECT_EQ(a.vuosi, "1955");
    EXPECT_EQ(a.ohjaaja, "Edvin Laine");
    EXPECT_EQ(a.kasetilla, "12");
    EXPECT_EQ(a.kesto, "2h 5min");
    EXPECT_EQ(a.arvosana, "9");
    EXPECT_EQ(a.kommentti, "Hinta: 5 \x80");
    const TKortti& b = tk_.kortit[3];
    EXPECT_EQ(b.nimi, "Pitkä, monirivinen  nimi");
    EXPECT_EQ(b.vuosi, "noin 1960");
    EXPECT_EQ(b.kasetilla, "HYLLY-A-KASETTI-3");
    EXPECT_EQ(b.kesto, "95 min");
    EXPECT_EQ(b.kommentti, "");
    EXPECT_TRUE(tk_.kortit.muutettu);
    EXPECT_EQ(huomautukset(tuotavat_),
              (std::vector<std::string>{
                  "Tiedosto: sarakkeet, joille ei ole kenttää, vietiin kommentteihin otsikkoineen: \"Hinta\"",
                  "Rivi 3: vuosi \"noin 1960\" ei ole vuosiluku; arvo jätettiin kenttään sellaisenaan",
                  "Rivi 3: kasetin numero \"HYLLY-A-KASETTI-3\" on pidempi kuin 10 merkkiä; arvo jätettiin kenttään "
                  "sellaisenaan",
                  "Rivi 4: elokuvalla ei ole nimeä; kortti poistuu tallennettaessa, ellei sille anna nimeä"}));
}

TEST_F(Tuonti, KarttaMaarayksellaJaYlimaaraisetArvot) {
    kirjoita("lista.csv", "Title,Disc,Extra,\"Kaksi\nriviä\"\nAlien,7,x,y,ylimääräinen\n");
    ASSERT_TRUE(tuo(polku("lista.csv"), Tuontimuoto::Csv, "Disc=sijainti,Extra=kommentti"));
    const TKortti& k = tk_.kortit[2];
    EXPECT_EQ(k.nimi, "Alien");
    EXPECT_EQ(k.sijainti, "7");
    // A header with a line break stays on the one line the comments are in the catalogue file.
    EXPECT_EQ(k.kommentti, "x / Kaksi riviä: y / Sarake 5: ylimääräinen");
    EXPECT_EQ(huomautukset(tuotavat_),
              (std::vector<std::string>{
                  "Tiedosto: sarakkeet, joille ei ole kenttää, vietiin kommentteihin otsikkoineen: \"Kaksi riviä\"",
                  "Rivi 2: rivillä on enemmän arvoja kuin otsikossa sarakkeita; ylimääräiset vietiin kommentteihin"}));
}

TEST_F(Tuonti, KasetinPituusJaMediatKuinKorttinakymassa) {
    TKortti& oma = tk_.kortit[1];
    oma.kasetilla = "12";
    oma.formaatti = "LP";
    oma.nauha = "240";
    kirjoita("lista.csv", "Nimi,Kasetti,Formaatti,Nauha\nA,12,LP,\nB,12,DVD,180\nC,13,SP,\n");
    ASSERT_TRUE(tuo(polku("lista.csv")));
    EXPECT_EQ(tk_.kortit[2].nauha, "240");
    EXPECT_EQ(tk_.kortit[3].nauha, "180");
    EXPECT_EQ(tk_.kortit[4].nauha, "");
    EXPECT_EQ(huomautukset(tuotavat_),
              (std::vector<std::string>{
                  "Rivi 2: kasetilla/levyllä 12 on nyt elokuvia eri medioilta (esimerkiksi DVD ja VHS)",
                  "Rivi 3: kasetin 12 nauhan pituus \"180\" eroaa luettelon pituudesta \"240\"; arvo jätettiin "
                  "kenttään sellaisenaan"}));
}

void tarkista_videot(const TOmaList& l, const Ohjelmakansio& kansio) {
    ASSERT_EQ(l.korttien_maara(), 4);
    const TKortti& a = l[2];
    EXPECT_EQ(a.nimi, "Pakkasyön vartija");
    EXPECT_EQ(a.formaatti, "DVD");
    EXPECT_EQ(a.vuosi, "1987");
    EXPECT_EQ(a.luokitus, "Jännitys, Draama");
    EXPECT_EQ(a.maa, "Suomi");
    EXPECT_EQ(a.paanayttelijat, "Ilmari Rasi, Kaisa Vuorela");
    EXPECT_EQ(a.ohjaaja, "Veikko Laulaja");
    EXPECT_EQ(a.lisatieto_nimi[0], "Käsikirjoitus:");
    EXPECT_EQ(a.lisatieto[0], "Veikko Laulaja");
    EXPECT_EQ(a.kesto, "92 min");
    EXPECT_EQ(a.juoni, "Yövartija huomaa, että satamavaraston kylmiössä tapahtuu jotain.");
    EXPECT_EQ(a.arvosana, "8");
    EXPECT_EQ(a.kommentti, "Ostettu kirpputorilta & ehjä / Certification: K-12 / Roolit: Ilmari Rasi: Vartija; "
                           "Kaisa Vuorela: Komisario / Language: suomi, ruotsi");
    const TKortti& b = l[3];
    EXPECT_EQ(b.maa, "Suomi, Ruotsi");
    EXPECT_EQ(b.paanayttelijat, "Anna ?tomo");
    EXPECT_EQ(b.kesto, "1h 45min");
    EXPECT_EQ(b.arvosana, "6");
    const TKortti& c = l[4];
    EXPECT_EQ(c.kesto, "noin puolitoista tuntia");
    EXPECT_TRUE(c.cover_fn.empty());
    // The JPEG cover comes as it was, the PNG as a JPEG of its size; both under new names of the rule.
    RgbKuva kuva;
    ASSERT_TRUE(kansikuva_olemassa(kansio, a.cover_fn)) << a.cover_fn;
    ASSERT_TRUE(lue_jpeg(jarjestelman_tiedostot(), *kansikuvan_polku(kansio, a.cover_fn), kuva));
    ASSERT_TRUE(kansikuva_olemassa(kansio, b.cover_fn)) << b.cover_fn;
    ASSERT_TRUE(b.cover_fn.ends_with(".jpg"));
    ASSERT_TRUE(lue_jpeg(jarjestelman_tiedostot(), *kansikuvan_polku(kansio, b.cover_fn), kuva));
    EXPECT_EQ(kuva.leveys, 120);
    EXPECT_EQ(kuva.korkeus, 180);
    for (const TKortti* k : {&a, &b}) {
        EXPECT_EQ(k->cover_fn.size(), std::string("gfx\\kannet\\12345678.jpg").size());
        EXPECT_EQ(k->cover_fn.find_first_of("09", 11), std::string::npos);
    }
}

TEST_F(Tuonti, TellicoKokoelmaKansineen) {
    for (const char* nimi : {"videot.tc", "videot.xml"}) {
        SCOPED_TRACE(nimi);
        tk_.kortit.tyhjenna();
        tk_.kortit.lisaa_uusi().nimi = "Oma elokuva";
        ASSERT_TRUE(tuo(testdata(nimi)));
        tarkista_videot(tk_.kortit, *kansio_);
        EXPECT_EQ(huomautukset(tuotavat_),
                  (std::vector<std::string>{
                      "Tietue 2: vuosi \"noin 1950\" ei ole vuosiluku; arvo jätettiin kenttään sellaisenaan",
                      "Tietue 2: merkit, joita ohjelma ei osaa esittää, korvattiin ?-merkillä",
                      "Tietue 3: kesto \"noin puolitoista tuntia\" ei ole minuutteina eikä tunteina ja minuutteina; arvo "
                      "jätettiin kenttään sellaisenaan",
                      "Tietue 3: kansikuvaa \"puuttuu0000000000.jpeg\" ei ole tiedostossa"}));
    }
}

// A zip of the given members, deflated, written with the zip library.
void tee_zip(const fs::path& p, const std::vector<std::pair<std::string, std::string>>& jasenet) {
    zipFile z = zipOpen64(p.c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(z, nullptr);
    for (const auto& [nimi, data] : jasenet) {
        ASSERT_EQ(zipOpenNewFileInZip64(z, nimi.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                        Z_DEFAULT_COMPRESSION, 0),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(z, data.data(), static_cast<unsigned>(data.size())), ZIP_OK);
        ASSERT_EQ(zipCloseFileInZip(z), ZIP_OK);
    }
    ASSERT_EQ(zipClose(z, nullptr), ZIP_OK);
}

std::string lue_tiedosto(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST_F(Tuonti, HuonoTiedostoJattaaLuettelonEnnalleen) {
    const std::string tc = lue_tiedosto(testdata("videot.tc"));
    kirjoita("katkennut.tc", tc.substr(0, tc.size() / 2));
    // The end record claims 60 000 members in a directory of a few hundred bytes.
    std::string paisunut = tc;
    const std::size_t loppu = paisunut.rfind("PK\x05\x06");
    paisunut[loppu + 8] = paisunut[loppu + 10] = '\x60';
    paisunut[loppu + 9] = paisunut[loppu + 11] = '\xEA';
    kirjoita("paisunut.tc", paisunut);
    const std::string alku = "<?xml version=\"1.0\"?><tellico><collection type=\"3\"><entry><title>";
    tee_zip(polku("pommi.tc"), {{"tellico.xml", alku + std::string(5u << 20, 'a') + "</title></entry></collection></tellico>"}});
    tee_zip(polku("kuvapommi.tc"), {{"tellico.xml", alku + "x</title><cover>k.png</cover></entry></collection></tellico>"},
                                    {"images/k.png", std::string(5u << 20, '\0')}});
    tee_zip(polku("ilman.tc"), {{"muuta.xml", "<a/>"}});
    // A member that unpacks cleanly but whose checksum, in both headers, is not that of its bytes.
    tee_zip(polku("muutettu.tc"), {{"tellico.xml", alku + "x</title></entry></collection></tellico>"}});
    std::string muutettu = lue_tiedosto(polku("muutettu.tc"));
    muutettu[14] = static_cast<char>(muutettu[14] ^ 1);
    const std::size_t keskus = muutettu.rfind("PK\x01\x02");
    muutettu[keskus + 16] = static_cast<char>(muutettu[keskus + 16] ^ 1);
    kirjoita("muutettu.tc", muutettu);
    kirjoita("rikki.xml", alku + "Avoin");
    kirjoita("naurut.xml",
             "<?xml version=\"1.0\"?><!DOCTYPE tellico [<!ENTITY a \"hahahahaha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">"
             "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;\">]><tellico><collection type=\"3\"><entry><title>&c;</title></entry>"
             "</collection></tellico>");
    kirjoita("kirjat.xml", "<?xml version=\"1.0\"?><tellico><collection type=\"2\"><entry><title>Kirja</title></entry>"
                           "</collection></tellico>");
    kirjoita("kuva.csv", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
    kirjoita("valtava.csv", "");
    fs::resize_file(polku("valtava.csv"), suurin_csv + 1);
    kirjoita("valtava.xml", "");
    fs::resize_file(polku("valtava.xml"), suurin_xml + 1);

    const std::pair<const char*, const char*> tapaukset[] = {
        {"katkennut.tc", "Tellico-tiedosto on vioittunut: sen zip-rakenne ei ole kunnossa."},
        {"paisunut.tc", "Tellico-tiedosto on vioittunut: sen zip-rakenne ei ole kunnossa."},
        {"pommi.tc", "Tellico-tiedoston osa \"tellico.xml\" on liian suuri tuotavaksi."},
        {"kuvapommi.tc", "Tellico-tiedoston osa \"images/k.png\" on liian suuri tuotavaksi."},
        {"ilman.tc", "Tiedosto ei ole Tellico-kokoelma: siitä puuttuu tellico.xml."},
        {"muutettu.tc", "Tellico-tiedosto on vioittunut: sen zip-rakenne ei ole kunnossa."},
        {"rikki.xml", "Tellico-tiedoston XML on vioittunut rivillä 1, sarakkeessa 71."},
        {"naurut.xml", "Tellico-tiedostossa on entiteettien määrittelyjä; sellaista tiedostoa ei tuoda."},
        {"kirjat.xml", "Tellico-tiedosto ei ole elokuvakokoelma (videot); muita kokoelmia ei voi tuoda."},
        {"kuva.csv", "Tiedosto ei ole CSV-taulukko: siinä on muuta kuin tekstiä."},
        {"valtava.csv", "Tiedosto on liian suuri tuotavaksi (yli 256 Mt)."},
        {"valtava.xml", "Tiedosto on liian suuri tuotavaksi (yli 256 Mt)."},
    };
    for (const auto& [nimi, viesti] : tapaukset) {
        SCOPED_TRACE(nimi);
        const Tulos t = tuo(polku(nimi));
        EXPECT_FALSE(t);
        EXPECT_EQ(t.viesti, viesti);
        EXPECT_EQ(tk_.kortit.korttien_maara(), 1);
        EXPECT_FALSE(tk_.kortit.muutettu);
        EXPECT_TRUE(kansikansio().empty());
    }
    // The zip is read through the program's file system: a read that fails part-way is a damaged file too.
    VikaantuvatTiedostot vt;
    vt.epaonnistu(VikaantuvatTiedostot::Vaihe::Lue, EIO, "videot.tc", 3);
    const Tulos t = tuo_tiedosto(testdata("videot.tc"), std::nullopt, {}, varasto(vt), tuotavat_);
    EXPECT_EQ(t.viesti, "Tellico-tiedosto on vioittunut: sen zip-rakenne ei ole kunnossa.");
    EXPECT_GE(vt.epaonnistuneet(VikaantuvatTiedostot::Vaihe::Lue), 1);
    EXPECT_EQ(tk_.kortit.korttien_maara(), 1);
    EXPECT_TRUE(kansikansio().empty());
}

TEST_F(Tuonti, RkbImportLisaaJaTallentaa) {
    const Rkb rkb;
    const std::string tuo = "import " + polku("uusi.rkb").string() + " ";
    const Ajotulos t = rkb(tuo + testdata("videot.tc"));
    EXPECT_EQ(t.koodi, 0);
    EXPECT_EQ(merkisto::utf8_cp1252(t.ulos),
              "2\tvuosi \"noin 1950\" ei ole vuosiluku; arvo jätettiin kenttään sellaisenaan\n"
              "2\tmerkit, joita ohjelma ei osaa esittää, korvattiin ?-merkillä\n"
              "3\tkesto \"noin puolitoista tuntia\" ei ole minuutteina eikä tunteina ja minuutteina; arvo jätettiin "
              "kenttään sellaisenaan\n"
              "3\tkansikuvaa \"puuttuu0000000000.jpeg\" ei ole tiedostossa\n");
    // Read back as the program opens it, with its covers.
    Tietokanta tk;
    ASSERT_TRUE(lue_tietueet("uusi.rkb", false, false, tk.kortit, varasto()));
    odota_kannet(varasto().tk());
    ASSERT_EQ(tk.kortit.korttien_maara(), 3);
    int kansia = 0;
    for (int i = 1; i < tk.kortit.Count(); ++i) kansia += kansikuva_olemassa(*kansio_, tk.kortit[i].cover_fn) ? 1 : 0;
    EXPECT_EQ(kansia, 2);

    kirjoita("tyhja.csv", "");
    const std::string ennen = lue("uusi.rkb");
    EXPECT_EQ(rkb(tuo + polku("tyhja.csv").string()).koodi, 1);
    EXPECT_EQ(rkb(tuo + testdata("videot.tc") + " --format pdf").koodi, 1);
    EXPECT_EQ(lue("uusi.rkb"), ennen);
}

}  // namespace
