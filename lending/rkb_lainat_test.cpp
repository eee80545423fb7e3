// rkb overdue and rkb remind, run as built, against a program folder of their own and a real SMTP server.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "net/smtp.h"
#include "testituki/smtptesti.h"
#include "testituki/komentotesti.h"
#include "perus/merkisto.h"
#include "storage/runko.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;

namespace {

class RkbLainat : public ::testing::Test {
protected:
    testituki::Tilapainen_kansio koti{"rkb_lainat"};

    void SetUp() override {
        TOmaList l;
        auto lisaa = [&](const char* kasetti, const char* nimi, const char* lainassa) {
            TKortti& k = l.lisaa_uusi();
            k.kasetilla = kasetti;
            k.nimi = nimi;
            k.lainassa = lainassa;
        };
        lisaa("1", "Alien", "Matti, Lainattu: 1.3.2004");
        lisaa("2", "Heat", "Öljy-Äijä, Lainattu: 2004-02-01");
        lisaa("3", "Ronin", "Matti, Lainattu: 20.2.2004");
        lisaa("4", "Amadeus", "");
        std::string runko;
        kirjoita_runko(l, runko);
        std::ofstream(koti / "lainat.rkb", std::ios::binary) << "Hae Rullak\r\n" << runko;
        kirjoita(koti / "muistutus.txt", "Muistutus\r\nHei, lainasit %%PÄIVÄ %%ELOKUVIA kasettia:\r\n%%LISTA\r\n%%MINÄ\r\n");
        kirjoita(koti / "lainaaja_profiilit.ini", "Matti\r\n\r\nmatti@example.org\r\n## seuraava profiili\r\n");
    }

    static void kirjoita(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }
    void asetukset(const std::string& email) {
        kirjoita(koti / "asetukset.ini", "[Email]\r\n" + email + "[Sekalaista]\r\nnotify_dates=30\r\n");
    }
    const Rkb rkb{"RULLAKKO_HOME=" + koti.juuri().string()};
};

TEST_F(RkbLainat, OverdueListaaLainaajatJarjestyksessa) {
    asetukset("");
    const std::string tiedosto = (koti / "lainat.rkb").string();
    // Matti's first card is not yet over 30 days on 1.4.; his third card is, so he comes after card 2.
    const Ajotulos t = rkb("overdue " + tiedosto + " --today 2004-04-01");
    EXPECT_EQ(t.koodi, 0);
    EXPECT_EQ(t.ulos, merkisto::cp1252_utf8("Öljy-Äijä\t60\nMatti\t41\n"));
    EXPECT_EQ(rkb("overdue " + tiedosto + " --today 2004-04-01 --days 45").ulos, merkisto::cp1252_utf8("Öljy-Äijä\t60\n"));
    EXPECT_EQ(rkb("overdue " + tiedosto + " --today 1.4.2004", "2>&1").koodi, 1);
    EXPECT_EQ(rkb("overdue /ei/ole.rkb --today 2004-04-01").koodi, 1);
}

TEST_F(RkbLainat, RemindTulostaaJaLahettaa) {
    smtptesti::Palvelin p;
    asetukset("smtp_palvelin=" + p.osoite() + "\r\nemail_addr=mina@example.org\r\nemail_nimi=Pertti Pätkä\r\n");
    const std::string tiedosto = (koti / "lainat.rkb").string();
    const std::string odotettu = merkisto::cp1252_utf8(
        "Muistutus\n\nHei, lainasit 1.3.2004 ja 20.2.2004 2 kasettia:\nAlien, Kasetti/Levy numero: 1\n"
        "Ronin, Kasetti/Levy numero: 3\nPertti Pätkä\n");
    const Ajotulos tulostus = rkb("remind " + tiedosto + " Matti");
    EXPECT_EQ(tulostus.koodi, 0);
    EXPECT_EQ(tulostus.ulos, odotettu);
    EXPECT_EQ(p.viesteja(), 0);

    const Ajotulos lahetys = rkb("remind " + tiedosto + " Matti --template muistutus.txt --send");
    EXPECT_EQ(lahetys.koodi, 0);
    ASSERT_EQ(p.viesteja(), 1);
    EXPECT_EQ(p.otsake(1, "To"), "<matti@example.org>");
    EXPECT_EQ(p.otsake(1, "From"), "Pertti Pätkä <mina@example.org>");
    EXPECT_EQ(p.lue(1, "teksti"), "Hei, lainasit 1.3.2004 ja 20.2.2004 2 kasettia:\r\nAlien, Kasetti/Levy numero: 1\r\n"
                                  "Ronin, Kasetti/Levy numero: 3\r\nPertti Pätkä\r\n");

    // No profile: nothing is sent and the reason is told.
    const Ajotulos ei_profiilia = rkb("remind " + tiedosto + " 'Öljy-Äijä' --send", "2>&1");
    EXPECT_EQ(ei_profiilia.koodi, 1);
    EXPECT_NE(ei_profiilia.ulos.find("profiilia"), std::string::npos);
    EXPECT_EQ(p.viesteja(), 1);
}

TEST_F(RkbLainat, RemindKertooLahetysvirheen) {
    smtptesti::Palvelin p({"matti:salainen"});
    asetukset("smtp_palvelin=" + p.osoite() + "\r\nemail_addr=m@example.org\r\nemail_nimi=M\r\n"
              "email_username=matti\r\nemail_password=väärä\r\nemail_logon=1\r\n");
    const Ajotulos t = rkb("remind " + (koti / "lainat.rkb").string() + " Matti --send", "2>&1");
    EXPECT_EQ(t.koodi, 1);
    // Log-on asked for, and the server offers no encrypted connection: the password is never sent.
    EXPECT_NE(t.ulos.find(merkisto::cp1252_utf8(smtp_ei_suojausta)), std::string::npos) << t.ulos;
    EXPECT_EQ(p.viesteja(), 0);
}

}  // namespace
