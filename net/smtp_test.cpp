// Mail goes to a real SMTP server on 127.0.0.1 and is checked as the server received it.
#include "net/smtp.h"

#include <gtest/gtest.h>

#include <chrono>

#include "testituki/smtptesti.h"
#include "testituki/suljettu_portti.h"

namespace {

Sahkoposti viesti() {
    Sahkoposti s;
    s.lahettaja = "matti@example.org";
    s.lahettajan_nimi = "Matti Meikäläinen";
    s.vastausosoite = "matti@example.org";
    s.vastaanottaja = "liisa@example.org";
    s.otsikko = "Lainatut elokuvat: Äänekoski–Öljy";
    s.rivit = {"Hei Liisa,", "", "Ääliö ja Örkki ovat olleet lainassa 31 päivää.", ".piste rivin alussa",
               "lopussa välilyönti ", std::string(200, 'x')};
    s.ohjelma = "Rullakko v1.36";
    return s;
}

TEST(Smtp, ViestiPerillaOtsakkeineenJaSuomalaisinKirjaimin) {
    smtptesti::Palvelin p;
    ASSERT_GT(p.portti(), 0);
    const Tulos t = laheta_sahkoposti({p.osoite()}, viesti());
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(t.viesti, smtp_lahetetty);
    ASSERT_EQ(p.viesteja(), 1);
    EXPECT_EQ(p.lue(1, "kuori"), "MAIL FROM: matti@example.org\nRCPT TO: liisa@example.org\nAUTH: \n");
    EXPECT_EQ(p.otsake(1, "From"), "Matti Meikäläinen <matti@example.org>");
    EXPECT_EQ(p.otsake(1, "Reply-To"), "<matti@example.org>");
    EXPECT_EQ(p.otsake(1, "To"), "<liisa@example.org>");
    // The dash exists only in cp1252 and goes as its plain form.
    EXPECT_EQ(p.otsake(1, "Subject"), "Lainatut elokuvat: Äänekoski-Öljy");
    EXPECT_EQ(p.otsake(1, "X-Mailer"), "Rullakko v1.36");
    EXPECT_EQ(p.otsake(1, "Content-Type"), "text/plain; charset=ISO-8859-1");
    EXPECT_FALSE(p.otsake(1, "Date").empty());
    EXPECT_EQ(p.lue(1, "teksti"), "Hei Liisa,\r\n\r\nÄäliö ja Örkki ovat olleet lainassa 31 päivää.\r\n"
                                  ".piste rivin alussa\r\nlopussa välilyönti \r\n" + std::string(200, 'x') + "\r\n");
    // Every line of what went over the wire is short enough for any server.
    const std::string raaka = p.lue(1, "eml");
    std::size_t alku = 0;
    for (std::size_t i; (i = raaka.find('\n', alku)) != std::string::npos; alku = i + 1) EXPECT_LE(i - alku, 78u);
}

TEST(Smtp, LiiteTuleeTavuilleen) {
    smtptesti::Palvelin p;
    Sahkoposti s = viesti();
    s.liitteen_nimi = "elokuvat.rkb";
    for (int i = 0; i < 5000; ++i) s.liite += static_cast<char>((i * 7) & 0xFF);
    const Tulos t = laheta_sahkoposti({p.osoite()}, s);
    ASSERT_TRUE(t) << t.viesti;
    ASSERT_EQ(p.viesteja(), 1);
    EXPECT_EQ(p.lue(1, "liite.elokuvat.rkb"), s.liite);
    EXPECT_NE(p.lue(1, "teksti").find("Ääliö"), std::string::npos);
}

// Log-on goes only over an encrypted connection whose certificate checks out.
TEST(Smtp, KirjautuminenVainSuojattuna) {
    smtptesti::Palvelin p({"matti:salainen", false, false, true});
    SmtpPalvelin palvelin{p.osoite(), "matti", "salainen"};
    palvelin.varmenteet = p.varmenne();
    const Tulos ok = laheta_sahkoposti(palvelin, viesti());
    ASSERT_TRUE(ok) << ok.viesti;
    EXPECT_NE(p.lue(1, "kuori").find("AUTH: matti\n"), std::string::npos);

    palvelin.salasana = "vaara";
    const Tulos hylatty = laheta_sahkoposti(palvelin, viesti());
    EXPECT_FALSE(hylatty);
    EXPECT_EQ(hylatty.viesti.rfind(smtp_kayttaja_hylatty, 0), 0u) << hylatty.viesti;

    // A certificate nobody vouches for: nothing is sent, and the user reads why.
    palvelin.salasana = "salainen";
    palvelin.varmenteet.clear();
    const Tulos varmentamaton = laheta_sahkoposti(palvelin, viesti());
    EXPECT_FALSE(varmentamaton);
    EXPECT_EQ(varmentamaton.viesti.rfind(std::string(smtp_epaonnistui) + "\nsuojattu yhteys epäonnistui\n(", 0), 0u)
        << varmentamaton.viesti;

    // No user: the server that requires log-on refuses the mail.
    const Tulos ilman = laheta_sahkoposti({p.osoite()}, viesti());
    EXPECT_FALSE(ilman);
    EXPECT_EQ(ilman.viesti.rfind(smtp_epaonnistui, 0), 0u) << ilman.viesti;
    EXPECT_EQ(p.viesteja(), 1);
}

// A server that offers no STARTTLS never sees the user name or the password.
TEST(Smtp, KirjautuminenEiSelvakielisena) {
    smtptesti::Palvelin p({"matti:salainen"});
    const Tulos t = laheta_sahkoposti({p.osoite(), "matti", "salainen"}, viesti());
    EXPECT_FALSE(t);
    EXPECT_EQ(t.viesti.rfind(std::string(smtp_epaonnistui) + "\n" + smtp_ei_suojausta + "\n(", 0), 0u) << t.viesti;
    EXPECT_EQ(p.viesteja(), 0);
    // Port 465 speaks TLS from the first byte.
    EXPECT_EQ(smtp_osoite("posti.example.org:465"), "smtps://posti.example.org:465");
    EXPECT_EQ(smtp_osoite("smtp://posti.example.org"), "smtp://posti.example.org:25");
}

TEST(Smtp, KuollutJaKatkaisevaPalvelinJaViallinenOsoite) {
    testituki::SuljettuPortti suljettu;
    const Tulos kuollut = laheta_sahkoposti({"127.0.0.1:" + std::to_string(suljettu.portti)}, viesti());
    EXPECT_FALSE(kuollut);
    // A Finnish reason first, libcurl's own line after it.
    EXPECT_EQ(kuollut.viesti.rfind(std::string(smtp_epaonnistui) + "\npalvelimeen ei saatu yhteyttä\n(", 0), 0u)
        << kuollut.viesti;
    const Tulos tuntematon = laheta_sahkoposti({"eiole.invalid"}, viesti());
    EXPECT_EQ(tuntematon.viesti.rfind(std::string(smtp_epaonnistui) + "\npalvelimen nimeä ei löytynyt\n(", 0), 0u)
        << tuntematon.viesti;

    smtptesti::Palvelin katkaiseva({"", true});
    const Tulos kesken = laheta_sahkoposti({katkaiseva.osoite()}, viesti());
    EXPECT_FALSE(kesken);
    EXPECT_EQ(kesken.viesti.rfind(smtp_epaonnistui, 0), 0u) << kesken.viesti;
    EXPECT_EQ(katkaiseva.viesteja(), 0);

    smtptesti::Palvelin p;
    Sahkoposti s = viesti();
    s.vastaanottaja = "liisa@example.org>\r\nRCPT TO:<kaikki@example.org";
    const Tulos viallinen = laheta_sahkoposti({p.osoite()}, s);
    EXPECT_FALSE(viallinen);
    EXPECT_EQ(p.viesteja(), 0);
}

// A server that takes the connection and then falls silent, before its greeting or after the message:
// a cancel ends the send at once, well before any of the transfer's own time limits.
TEST(Smtp, KeskeytysEiOdotaMykkaaPalvelinta) {
    testituki::MykkaPalvelin mykka;
    smtptesti::Palvelin jumittuva({"", false, true});
    for (const std::string osoite : {"127.0.0.1:" + std::to_string(mykka.portti), jumittuva.osoite()}) {
        const auto alku = std::chrono::steady_clock::now();
        const auto keskeytys = alku + std::chrono::milliseconds(300);
        std::chrono::steady_clock::time_point keskeytetty{};
        const Tulos t = laheta_sahkoposti({osoite}, viesti(), [&] {
            if (std::chrono::steady_clock::now() < keskeytys) return true;
            if (keskeytetty == std::chrono::steady_clock::time_point{}) keskeytetty = std::chrono::steady_clock::now();
            return false;
        });
        const auto loppu = std::chrono::steady_clock::now();
        EXPECT_EQ(t.koodi, smtp_koodi_keskeytetty) << osoite << ": " << t.viesti;
        EXPECT_LT(loppu - keskeytetty, std::chrono::seconds(10)) << osoite;
    }
    EXPECT_EQ(jumittuva.viesteja(), 0);
}

TEST(Smtp, KeskeytysLopettaaHeti) {
    smtptesti::Palvelin p;
    int kutsuja = 0;
    const Tulos t = laheta_sahkoposti({p.osoite()}, viesti(), [&] { return ++kutsuja < 1; });
    EXPECT_EQ(t.koodi, smtp_koodi_keskeytetty);
    EXPECT_EQ(t.viesti, smtp_keskeytetty);
    EXPECT_EQ(p.viesteja(), 0);
}

TEST(Smtp, OtsakkeenKoodausJaPalvelimenOsoite) {
    EXPECT_EQ(otsaketeksti("Lainat"), "Lainat");
    EXPECT_EQ(otsaketeksti("Hyvä"), "=?ISO-8859-1?Q?Hyv=E4?=");
    // A long subject is cut into encoded words on folded lines.
    const std::string pitka = otsaketeksti(std::string(40, '\xE4'));
    EXPECT_NE(pitka.find("?=\r\n =?ISO-8859-1?Q?"), std::string::npos);
    EXPECT_EQ(latin1("\x80 \x93x\x94"), "EUR \"x\"");
}

}  // namespace
