#include "storage/korjaus.h"

#include "diag/loki.h"
#include "perus/tiedostot.h"
#include "storage/runko.h"
#include "testituki/testitila.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace {

using Korjaus = Testitila;

std::string ehja_runko() {
    TOmaList l;
    for (int i = 1; i <= 3; ++i) {
        TKortti& k = l.lisaa_uusi();
        k.nimi = "Elokuva " + std::to_string(i);
        k.kasetilla = std::to_string(i);
        k.juoni = "";  // empty lines inside a card must survive the repair
    }
    std::string s;
    kirjoita_runko(l, s);
    return s;
}

std::string tuplattu_runko(const std::string& ehja) {
    std::string tuplattu;
    for (std::size_t p = 0; p < ehja.size();) {
        const std::size_t e = ehja.find("\r\n", p);
        tuplattu += ehja.substr(p, e - p) + "\r\r\n";
        p = e + 2;
    }
    return tuplattu;
}

TEST_F(Korjaus, TuplatutRivinvaihdotKorjataanJaEhjaJaaEnnalleen) {
    const std::string ehja = ehja_runko();
    const std::string tuplattu = tuplattu_runko(ehja);
    kirjoita("avattu.$$$", tuplattu);
    korjaa_0D0D0A(polku("avattu.$$$"), varasto());
    EXPECT_EQ(lue("avattu.$$$"), ehja);
    EXPECT_EQ(otsikot_, (std::vector<std::string>{
                            "Luetaan/korjataan vahingoittunutta tai väärin tallennettua tietokantaa, odota...",
                            "Rullakko v1.36"}));
    EXPECT_EQ(diag::loki().rivit().back(), "Korjataan 0D0D0A vahingoittunut tiedosto...");
    EXPECT_TRUE(viestit_.naytetyt.empty());

    // A sound body is never rewritten.
    otsikot_.clear();
    kirjoita("ehja.txt", ehja);
    const auto aika = std::filesystem::last_write_time(polku("ehja.txt")) - std::chrono::hours(1);
    std::filesystem::last_write_time(polku("ehja.txt"), aika);
    korjaa_0D0D0A(polku("ehja.txt"), varasto());
    EXPECT_EQ(std::filesystem::last_write_time(polku("ehja.txt")), aika);
    EXPECT_TRUE(otsikot_.empty());
    diag::loki().nollaa();
}

// When the repaired body cannot be written, whichever step fails, the file stays as it was with nothing
// left beside it, the text read is the repaired one, and the user is told why.
TEST_F(Korjaus, KorjatunKirjoitusvirheJattaaTiedostonEnnalleen) {
    using V = VikaantuvatTiedostot::Vaihe;
    struct Tapaus {
        V vaihe;
        int virhe;
    };
    const std::string ehja = ehja_runko();
    const std::string tuplattu = tuplattu_runko(ehja);
    for (const Tapaus t : {Tapaus{V::Luo, EACCES}, Tapaus{V::Kirjoita, ENOSPC}, Tapaus{V::Synkronoi, EIO},
                           Tapaus{V::Nimea, EROFS}}) {
        SCOPED_TRACE(t.virhe);
        viestit_.naytetyt.clear();
        kirjoita("runko.txt", tuplattu);
        VikaantuvatTiedostot tj;
        tj.epaonnistu(t.vaihe, t.virhe, "runko.txt");
        Varasto v = varasto(tj);
        std::string teksti = tuplattu;
        korjaa_0D0D0A(polku("runko.txt"), teksti, v);
        EXPECT_EQ(teksti, ehja);
        EXPECT_EQ(lue("runko.txt"), tuplattu);
        std::vector<std::string> tiedostot;
        for (const auto& e : std::filesystem::directory_iterator(juuri_))
            if (e.is_regular_file()) tiedostot.push_back(e.path().filename().string());
        EXPECT_EQ(tiedostot, std::vector<std::string>{"runko.txt"});
        ASSERT_EQ(viestit_.naytetyt.size(), 1u);
        EXPECT_NE(viestit_.naytetyt[0].teksti.find(jarjestelman_syy(t.virhe)), std::string::npos) << viestit_.naytetyt[0].teksti;
        EXPECT_NE(viestit_.naytetyt[0].teksti.find("Tiedosto jäi ennalleen"), std::string::npos);
    }
    diag::loki().nollaa();
}

std::string vanhat_rivit(int maara) {
    std::string s;
    for (int i = 1; i <= maara; ++i) {
        const int kentta = (i - 1) % 17 + 1;
        if (kentta == 10) s += (i <= 17 ? "0" : "3");
        else if (kentta == 17) s += "Käsikirjoitus:\xb6Kirjoittaja \xb6 toinen";
        else s += "k" + std::to_string(i);
        s += "\r\n";
    }
    return s;
}

TEST_F(Korjaus, VanhaTietokantaLuetaan17RivinKortteina) {
    struct Tapaus {
        int rivit, kortit;
    };
    for (const Tapaus t : {Tapaus{34, 2}, Tapaus{40, 3}}) {
        kirjoita("vanha.rkb", vanhat_rivit(t.rivit));
        tk_.kortit.muutettu = true;
        lue_vanha_tietokanta("vanha.rkb", false, varasto());
        ASSERT_EQ(tk_.kortit.korttien_maara(), t.kortit) << t.rivit;
        EXPECT_FALSE(tk_.kortit.muutettu);
        EXPECT_EQ(tk_.tiedosto, "vanha.rkb");
        EXPECT_EQ(tk_.nykyinen, 1);
    }
    const TOmaList& l = tk_.kortit;
    EXPECT_EQ(l[1].nimi, "k1");
    EXPECT_EQ(l[1].sijainti, "");  // "0" means no position
    EXPECT_EQ(l[2].sijainti, "3");
    EXPECT_EQ(l[1].lisatieto_nimi[0], "Käsikirjoitus:\xb6Kirjoittaja ");
    EXPECT_EQ(l[1].lisatieto[0], " toinen");
    EXPECT_EQ(l[3].nimi, "k35");
    EXPECT_EQ(l[3].ohjaaja, "");
    EXPECT_EQ(l[3].maa, "k37");
    EXPECT_EQ(l[3].paanayttelijat, "k40");
    EXPECT_TRUE(l[3].hae_kansi);
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(Korjaus, VanhanLisakentanNimiJaArvo) {
    kirjoita("v.rkb", std::string(16 * 2, 'x').replace(0, 32, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\n") +
                          "l\r\nm\r\nn\r\no\r\np\r\nKäsikirjoitus:\xb6Pekka\r\n");
    lue_vanha_tietokanta("v.rkb", false, varasto());
    ASSERT_EQ(tk_.kortit.korttien_maara(), 1);
    EXPECT_EQ(tk_.kortit[1].lisatieto_nimi[0], "Käsikirjoitus:");
    EXPECT_EQ(tk_.kortit[1].lisatieto[0], "Pekka");
}

TEST_F(Korjaus, VanhanTietokannanVirhepolut) {
    lue_vanha_tietokanta("", false, varasto());
    lue_vanha_tietokanta("ei_ole.rkb", false, varasto());
    EXPECT_EQ(viestit_.tekstit(),
              (std::vector<std::string>{"Virhe! Funktio lue_tietueet ei saanut tiedostoparametriä!",
                                        "Virhe! ohjelma yritti lukea tiedoston \"ei_ole.rkb\" jota ei kuitenkaan löydy!\n"
                                        "Ohjelma ohittaa virheen (lukeminen keskeytetty), mutta ohjelman "
                                        "uudelleenkäynnistäminen on suositeltavaa.\nJos ongelma jatkuu ota yhteys ohjelman tekijään."}));
    tk_.kortit.lisaa_uusi().nimi = "ennen";
    tk_.tiedosto = "vanha_nimi.rkb";
    kirjoita("lyhyt.rkb", "liian lyhyt");
    lue_vanha_tietokanta("lyhyt.rkb", false, varasto());
    ASSERT_EQ(tk_.kortit.Count(), 2);
    EXPECT_EQ(tk_.kortit[1].nimi, "");
    EXPECT_EQ(tk_.tiedosto, "vanha_nimi.rkb");
    diag::loki().nollaa();
}

}  // namespace
