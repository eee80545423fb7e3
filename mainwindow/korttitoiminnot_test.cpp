#include "mainwindow/korttitoiminnot.h"

#include "diag/loki.h"
#include "storage/kannet.h"
#include "testituki/testitila.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

class Korttitoiminnot : public Testitila {
protected:
    void kortit(const std::vector<std::string>& kasetit) {
        tk_.tyhjenna();
        for (std::size_t i = 0; i < kasetit.size(); ++i) {
            TKortti& k = tk_.kortit.lisaa_uusi();
            k.nimi = "Kortti " + std::to_string(i + 1);
            k.kasetilla = kasetit[i];
        }
    }
};

TEST_F(Korttitoiminnot, SiirrotJaReunat) {
    kortit({"1", "1", "2", "2", "2", "3"});
    struct Tapaus {
        int alku;
        int suunta;
        bool kasetti;
        Siirto tulos;
        int loppu;
    };
    const std::vector<Tapaus> tapaukset = {
        {1, -1, false, Siirto::Reunalla, 1}, {6, +1, false, Siirto::Reunalla, 6},
        {3, +1, false, Siirto::Siirretty, 4}, {3, -1, false, Siirto::Siirretty, 2},
        {1, +1, true, Siirto::Siirretty, 3},   // first card of the next cassette
        {5, -1, true, Siirto::Siirretty, 2},   // last card of the previous cassette
        {6, +1, true, Siirto::Reunalla, 6},    // past the last cassette: back at the start card
        {2, -1, true, Siirto::Reunalla, 2},
    };
    for (const Tapaus& t : tapaukset) {
        tk_.nykyinen = t.alku;
        const Siirto s = t.kasetti ? siirry_kasetti(tk_, t.suunta) : siirry_kortti(tk_, t.suunta);
        EXPECT_EQ(s, t.tulos) << t.alku << " " << t.suunta << " " << t.kasetti;
        EXPECT_EQ(tk_.nykyinen, t.loppu) << t.alku << " " << t.suunta << " " << t.kasetti;
    }
}

TEST_F(Korttitoiminnot, SeuraavaKansikortti) {
    kortit({"1", "2", "3", "4"});
    tk_.kortit[1].cover_fn = tk_.kortit[3].cover_fn = "gfx\\kannet\\a.jpg";
    EXPECT_EQ(seuraava_kansikortti(tk_.kortit, 1, +1), 3);
    EXPECT_EQ(seuraava_kansikortti(tk_.kortit, 3, +1), -1);
    EXPECT_EQ(seuraava_kansikortti(tk_.kortit, 3, -1), 1);
    EXPECT_EQ(seuraava_kansikortti(tk_.kortit, 1, -1), -1);
}

TEST(Arvosana, RullaPysyyRajoissa) {
    EXPECT_EQ(arvosana_rullalla("10", +1), "10");
    EXPECT_EQ(arvosana_rullalla("10", -1), "9");
    EXPECT_EQ(arvosana_rullalla("0", -1), "0");
    EXPECT_EQ(arvosana_rullalla("abc", +1), "1");
    EXPECT_EQ(arvosana_rullalla("7,5", +1), "1");
    EXPECT_EQ(arvosana_rullalla("", +1), "1");
}

TEST_F(Korttitoiminnot, KumoaPalauttaaKortinSaapumishetkenTilaan) {
    kortit({"1", "2"});
    TPeruuta_muutokset undo;
    tk_.kortit[1].kommentti = "alkuperäinen";
    undo.ota_jos_siirrytty(tk_);
    tk_.kortit[1].kommentti = "muokattu";
    undo.ota_jos_siirrytty(tk_);  // the same index: the earlier snapshot stays
    tk_.kortit.muutettu = true;
    undo.kumoa(tk_, *kansio_, viestit_);
    EXPECT_EQ(tk_.kortit[1].kommentti, "alkuperäinen");
    EXPECT_TRUE(tk_.kortit.muutettu);

    // A snapshot whose cover has been deleted comes back without it.
    tk_.nykyinen = 2;
    tk_.kortit[2].cover_fn = "gfx\\kannet\\11111111.jpg";
    kirjoita(tk_.kortit[2].cover_fn, "x");
    undo.ota_jos_siirrytty(tk_);
    fs::remove(polku(tk_.kortit[2].cover_fn));
    undo.kumoa(tk_, *kansio_, viestit_);
    EXPECT_EQ(tk_.kortit[2].cover_fn, "");
    EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{"Kansikuvaa ei voida palauttaa, tiedosto on poistettu!"});
    diag::loki().nollaa();
}

TEST_F(Korttitoiminnot, KopioJaLiitosKerranKannenKanssa) {
    kortit({"1"});
    tk_.kortit[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    tk_.kortit[1].kommentti = "kommentti";
    kirjoita(tk_.kortit[1].cover_fn, "kansi");
    Korttimuisti muisti;
    EXPECT_FALSE(muisti.on_kopio());
    muisti.kopioi(tk_.kortit[1], *kansio_, viestit_);
    EXPECT_EQ(lue("gfx\\kopio.jpg"), "kansi");
    ASSERT_TRUE(muisti.liita(tk_, *kansio_, viestit_));
    EXPECT_FALSE(muisti.on_kopio());
    EXPECT_FALSE(muisti.liita(tk_, *kansio_, viestit_));
    ASSERT_EQ(tk_.kortit.korttien_maara(), 2);
    EXPECT_EQ(tk_.nykyinen, 2);
    EXPECT_TRUE(tk_.kortit.muutettu);
    const TKortti& uusi = tk_.kortit[2];
    EXPECT_EQ(uusi.kommentti, "kommentti");
    EXPECT_NE(uusi.cover_fn, tk_.kortit[1].cover_fn);
    EXPECT_EQ(uusi.cover_fn.rfind("gfx\\kannet\\", 0), 0u);
    EXPECT_EQ(lue(uusi.cover_fn), "kansi");
    EXPECT_FALSE(fs::exists(polku("gfx\\kopio.jpg")));

    // A card without a cover pastes without one and without a message.
    tk_.kortit[1].cover_fn.clear();
    muisti.kopioi(tk_.kortit[1], *kansio_, viestit_);
    muisti.liita(tk_, *kansio_, viestit_);
    EXPECT_EQ(tk_.kortit[3].cover_fn, "");
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

// A cover the disk cannot copy whole is refused with the message, and no broken picture is left behind.
TEST_F(Korttitoiminnot, KannenKopioVikaantuvallaLevylla) {
    kortit({"1"});
    tk_.kortit[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    kirjoita(tk_.kortit[1].cover_fn, std::string(1000, 'k'));
    using V = VikaantuvatTiedostot::Vaihe;
    const std::string kopioitaessa = "Virhe #325255: tiedoston kopioinnissa, kansikuvan kopionti epäonnistui";
    const std::string liitettaessa = "Virhe #325256: tiedoston kopioinnissa, kansikuvan kopionti epäonnistui";
    const struct {
        V vaihe;
        int virhe;
        const char* polun_osa;
        bool liitos;  // fails at the paste, after a copy that succeeded
    } tapaukset[] = {
        {V::Lue, EIO, "11111111.jpg", false},
        {V::Luo, EACCES, "kopio.jpg", false},
        {V::Kirjoita, ENOSPC, "kopio.jpg", false},
        {V::Lue, EIO, "kopio.jpg", true},
        {V::Kirjoita, ENOSPC, "kannet", true},
        {V::Sulje, EIO, "kannet", true},
    };
    for (const auto& c : tapaukset) {
        VikaantuvatTiedostot t;
        const Ohjelmakansio kansio(juuri_, {}, t);
        viestit_.naytetyt.clear();
        Korttimuisti muisti;
        if (!c.liitos) t.epaonnistu(c.vaihe, c.virhe, c.polun_osa);
        muisti.kopioi(tk_.kortit[1], kansio, viestit_);
        if (c.liitos) {
            t.epaonnistu(c.vaihe, c.virhe, c.polun_osa);
            ASSERT_TRUE(muisti.liita(tk_, kansio, viestit_));
            EXPECT_EQ(tk_.kortit[tk_.nykyinen].cover_fn, "") << c.polun_osa;
        }
        EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{c.liitos ? liitettaessa : kopioitaessa}) << c.polun_osa;
        EXPECT_EQ(t.epaonnistuneet(c.vaihe), 1) << c.polun_osa;
        if (!c.liitos) {
            EXPECT_FALSE(fs::exists(polku("gfx\\kopio.jpg"))) << c.polun_osa;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(juuri_ / "gfx" / "kannet"), fs::directory_iterator()), 1);
        Korttimuisti::poista_kopiokuvat(*kansio_);
    }
}

TEST_F(Korttitoiminnot, AinoanKortinPoistoJattaaTyhjan) {
    kortit({"1"});
    tk_.kortit[1].cover_fn = "gfx\\kannet\\11111111.jpg";
    kirjoita(tk_.kortit[1].cover_fn, "x");
    poista_nykyinen_kortti(tk_, *kansio_);
    ASSERT_EQ(tk_.kortit.korttien_maara(), 1);
    EXPECT_EQ(tk_.kortit[1].nimi, "");
    EXPECT_TRUE(tk_.kortit.muutettu);
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));

    kortit({"1", "2", "3"});
    tk_.nykyinen = 3;
    poista_nykyinen_kortti(tk_, *kansio_);
    EXPECT_EQ(tk_.nykyinen, 2);
}

TEST_F(Korttitoiminnot, PudotetutTiedostot) {
    kortit({"1"});
    tk_.kortit[1].cover_fn = "gfx\\kannet\\vanha.jpg";
    kirjoita("gfx\\kannet\\vanha.jpg", "vanha");
    fs::create_directories(juuri_ / "muualla");
    for (const char* n : {"kansi.jpg", "COVER.JPG", "kuva.bmp", "teksti.txt", "kansi2.gif"})
        std::ofstream(juuri_ / "muualla" / n) << n;
    const auto nimi = [&](const char* n) { return polku_tekstiksi(juuri_ / "muualla" / n); };

    EXPECT_EQ(pudota_tiedostot({nimi("kansi.jpg"), nimi("kansi2.gif")}, tk_, *kansio_, viestit_), Pudotus::Hylatty);
    EXPECT_EQ(pudota_tiedostot({nimi("COVER.JPG")}, tk_, *kansio_, viestit_), Pudotus::Hylatty);
    EXPECT_EQ(pudota_tiedostot({nimi("kuva.bmp")}, tk_, *kansio_, viestit_), Pudotus::Hylatty);
    EXPECT_EQ(pudota_tiedostot({"/jossain/oma.rkb"}, tk_, *kansio_, viestit_), Pudotus::Tietokanta);
    const std::string vaara = "Raahaamasi tiedosto ei ole Rullakkon tietokanta tai kansikuva tiedosto (.jpg tai .gif)!";
    EXPECT_EQ(viestit_.tekstit(), (std::vector<std::string>{
                                      "Raahaa ikkunan päälle vain yksi tiedosto!", vaara,
                                      ".bmp ei ole toistaiseksi tuettu! Muuta kuvatiedosto .jpg tai .gif formaattiin", vaara}));
    EXPECT_FALSE(tk_.kortit.muutettu);
    EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\vanha.jpg");

    EXPECT_EQ(pudota_tiedostot({nimi("kansi.jpg")}, tk_, *kansio_, viestit_), Pudotus::Kansi);
    EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\kansi.jpg");
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\vanha.jpg")));
    EXPECT_TRUE(tk_.kortit.muutettu);
    // The same name again: a new unique name is used instead of overwriting.
    EXPECT_EQ(pudota_tiedostot({nimi("kansi.jpg")}, tk_, *kansio_, viestit_), Pudotus::Kansi);
    EXPECT_NE(tk_.kortit[1].cover_fn, "gfx\\kannet\\kansi.jpg");
    EXPECT_EQ(tk_.kortit[1].cover_fn.size(), std::string("gfx\\kannet\\12345678.jpg").size());
}

}  // namespace
