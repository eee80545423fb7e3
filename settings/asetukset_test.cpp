#include "settings/asetukset.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

#include "diag/loki.h"
#include "testituki/testiviestit.h"
#include "testituki/asetustesti.h"
#include "testituki/vikaantuvat_tiedostot.h"
#include "perus/ohjelmakansio.h"

namespace fs = std::filesystem;

namespace {

// What an empty program folder gets on a machine without printers: every key in order with its default.
const std::string oletustiedosto =
    "[Info]\r\nversionumero=1.36\r\n"
    "[Näkymä]\r\nkesto=1\r\nhimmennys=0\r\nform_skin_dir=perus\r\nbutton_skin_dir=perus\r\nnaytä_arvosana=1\r\n"
    "fade_buttons=1\r\nsmoothen_cover=1\r\nforce_kentan_vari=0\r\nforce_vari=16777215\r\n"
    "[Tallennus]\r\nsortattuna=1\r\nAvaa_kannet_heti=1\r\n"
    "[Tyhjan kortti]\r\nvari=Kyllä\r\nkuvasuhde=1.33:1 [4:3]\r\naani=\r\nformaatti=\r\nmaa=\r\n"
    "[Tulostus]\r\ntarroja=14\r\n16bit=1\r\ndef_kas_num_color=0\r\nDPI_X=0\r\nDPI_Y=0\r\nalternative=0\r\n"
    "starra_fn=\r\nptarra_fn=\r\nptarra_lisaa_nopeus=0\r\nptarra_remove_eng=0\r\nptarra_keskita=1\r\n"
    "[DVD]\r\nmuuta_aani=1\r\nmuuta_aani_muotoon=Dolby Digital 5.1\r\nmuuta_kuva=1\r\n"
    "muuta_kuva_muotoon=2.35:1 Letterbox\r\nnimea_kasik=0\r\n"
    "[Custom kentät]\r\ncustom1=\r\ncustom2=\r\ncustom3=\r\ncustom4=\r\n"
    "[Email]\r\nsmtp_palvelin=\r\nemail_addr=\r\nemail_nimi=\r\nemail_username=\r\nemail_logon=0\r\n"
    "email_password=\r\npalaute_addr=\r\n"
    "[Sekalaista]\r\nnotify_enabled=1\r\nnotify_dates=30\r\ndefault_open=default.rkb\r\nnakyma_mode=0\r\n"
    "warn_imdb=0\r\nkysy_pituus=1\r\nala_kysy_jos=1\r\nala_kysy_jos_sisaltaa=AP\r\n"
    "[Internet]\r\nproxy_enabled=0\r\nproxy_addr=\r\nproxy_port=80\r\nproxy_username=\r\nproxy_password=\r\n"
    "[IMDB]\r\ndl_cover_default=1\r\nwikimedia_yhteystieto=\r\ntietolahde=imdb\r\n";

class AsetuksetTesti : public ::testing::Test {
protected:
    void SetUp() override {
        diag::loki().nollaa();
        asetustesti::tee_ulkoasu(k_, "perus", asetustesti::kuvaus_kuvakkein);
    }
    void TearDown() override { diag::loki().nollaa(); }

    Asetusymparisto ymparisto(Tiedostojarjestelma& t = jarjestelman_tiedostot()) {
        return {ohjelmakansio_, t, viestit_, [this] { return tulostin_; }, [this] { ++ladattu_; }};
    }
    // Reads a settings file holding the given lines.
    TAsetukset lue(const std::string& sisalto) {
        k_.kirjoita("asetukset.ini", sisalto);
        TAsetukset a;
        EXPECT_EQ(lue_ini(a, ymparisto()), Lataustulos::Valmis);
        return a;
    }
    std::string tiedosto() const { return k_.lue("asetukset.ini"); }

    testituki::Tilapainen_kansio k_;
    Ohjelmakansio ohjelmakansio_{k_.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit_;
    std::optional<Tarkkuus> tulostin_;
    int ladattu_ = 0;
};

TEST_F(AsetuksetTesti, TyhjaanKansioonSyntyyKaikkiAvaimetJarjestyksessaOletusarvoin) {
    TAsetukset a;
    ASSERT_EQ(lue_ini(a, ymparisto()), Lataustulos::Valmis);
    EXPECT_EQ(tiedosto(), oletustiedosto);
    EXPECT_TRUE(viestit_.naytetyt.empty());
    EXPECT_EQ(ladattu_, 1);
    EXPECT_EQ(a.ulkoasu.tausta1, k_.juuri() / "gfx" / "perus" / "tausta1.bmp");
    // A second read of the same file changes nothing.
    lue_ini(a, ymparisto());
    EXPECT_EQ(tiedosto(), oletustiedosto);
}

TEST_F(AsetuksetTesti, TulostimenTarkkuusTayttaaNollat) {
    tulostin_ = Tarkkuus{600, 300};
    const TAsetukset uusi = lue("");
    EXPECT_EQ(uusi.DPI_X, 600);
    EXPECT_EQ(uusi.DPI_Y, 300);
    EXPECT_NE(tiedosto().find("DPI_X=600\r\nDPI_Y=300\r\n"), std::string::npos);
    // One zero is enough to ask the printer for both.
    tulostin_ = Tarkkuus{1200, 1200};
    const TAsetukset toinen = lue("[Tulostus]\r\nDPI_X=360\r\nDPI_Y=0\r\n");
    EXPECT_EQ(toinen.DPI_X, 1200);
    EXPECT_EQ(toinen.DPI_Y, 1200);
    // Known values are left alone.
    const TAsetukset kolmas = lue("[Tulostus]\r\nDPI_X=360\r\nDPI_Y=720\r\n");
    EXPECT_EQ(kolmas.DPI_X, 360);
    EXPECT_EQ(kolmas.DPI_Y, 720);
}

TEST_F(AsetuksetTesti, LuettujenArvojenSaannot) {
    struct Tapaus {
        const char* rivit;
        std::function<void(const TAsetukset&)> tarkista;
        const char* kirjoitettu;  // a line the file holds afterwards, or empty
    };
    const Tapaus tapaukset[] = {
        {"[Tulostus]\r\ntarroja=3\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.Tarroja, 14); }, "tarroja=14\r\n"},
        {"[Tulostus]\r\ntarroja=10\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.Tarroja, 10); }, "tarroja=10\r\n"},
        {"[Tulostus]\r\ntarroja=40\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.Tarroja, 15); }, "tarroja=15\r\n"},
        {"[Tulostus]\r\ntarroja=kaksi\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.Tarroja, 14); }, ""},
        {"[Tulostus]\r\nDPI_X=20\r\nDPI_Y=20000\r\n",
         [](const TAsetukset& a) {
             EXPECT_EQ(a.DPI_X, 50);
             EXPECT_EQ(a.DPI_Y, 9999);
         },
         "DPI_X=50\r\nDPI_Y=9999\r\n"},
        {"[Sekalaista]\r\nnakyma_mode=7\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.nakyma(), -1); }, ""},
        {"[Sekalaista]\r\nnakyma_mode=3\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.nakyma(), 3); }, ""},
        {"[DVD]\r\nnimea_kasik=1\r\n", [](const TAsetukset& a) { EXPECT_FALSE(a.jos_dvd_nimea_kasik); },
         "nimea_kasik=0\r\n"},
        // Booleans: any non-zero integer is true, anything else not a number is the default.
        {"[Näkymä]\r\nkesto=0\r\nhimmennys=-2\r\nnaytä_arvosana=kyllä\r\nsmoothen_cover=0x0\r\n",
         [](const TAsetukset& a) {
             EXPECT_FALSE(a.minuutteina);
             EXPECT_TRUE(a.himmenna_taustakuva);
             EXPECT_TRUE(a.nayta_arvosana);
             EXPECT_FALSE(a.smoothen_cover);
         },
         "himmennys=1\r\n"},
        {"[Näkymä]\r\nforce_vari=0x123456\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.force_vari, 0x123456u); },
         "force_vari=1193046\r\n"},
        {"[Näkymä]\r\nforce_vari=-1\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.force_vari, 0xFFFFFFu); }, ""},
        // Names in other letter case, "Ä" included, and cp1252 text values.
        {"[NÄKYMÄ]\r\nFORM_SKIN_DIR=perus\r\nNAYTÄ_ARVOSANA=0\r\n[tyhjan KORTTI]\r\nVari=Ei\r\nmaa=Itävalta\r\n",
         [](const TAsetukset& a) {
             EXPECT_FALSE(a.nayta_arvosana);
             EXPECT_EQ(a.Vari_Kentta_oletus, "Ei");
             EXPECT_EQ(a.maa_kentta_oletus, "Itävalta");
         },
         "maa=Itävalta\r\n"},
        // The loan check counts with this; a number it cannot count with becomes the default.
        {"[Sekalaista]\r\nnotify_dates=kuukausi\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.notify_paivat(), 30); },
         "notify_dates=30\r\n"},
        {"[Sekalaista]\r\nnotify_dates=45\r\n", [](const TAsetukset& a) { EXPECT_EQ(a.notify_paivat(), 45); }, ""},
        {"[Custom kentät]\r\ncustom3=Säveltäjä:\r\n",
         [](const TAsetukset& a) { EXPECT_EQ(a.custom_default(2), "Säveltäjä:"); }, ""},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(t.rivit);
        t.tarkista(lue(t.rivit));
        if (*t.kirjoitettu) {
            EXPECT_NE(tiedosto().find(t.kirjoitettu), std::string::npos) << tiedosto();
        }
    }
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(AsetuksetTesti, KirjoitusSailyttaaKayttajanRivitJaPaivittaaPaikallaan) {
    TAsetukset a = lue(
        "; käyttäjän huomautus\r\n"
        "[Sekalaista]\r\n"
        "NOTIFY_DATES=14\r\n"
        "oma_avain=jotain\r\n"
        "\r\n"
        "[Oma osio]\r\n"
        "x=y\r\n");
    a.notify_dates = "21";
    ASSERT_TRUE(Kirjoita_ini(a, ymparisto()));
    const std::string t = tiedosto();
    EXPECT_EQ(t.rfind("; käyttäjän huomautus\r\n[Sekalaista]\r\nnotify_dates=21\r\noma_avain=jotain\r\n", 0), 0u) << t;
    EXPECT_NE(t.find("ala_kysy_jos_sisaltaa=AP\r\n\r\n[Oma osio]\r\nx=y\r\n[Info]\r\n"), std::string::npos) << t;
    EXPECT_EQ(t.find("NOTIFY_DATES"), std::string::npos);
}

TEST_F(AsetuksetTesti, KirjoittamatonTiedostoKertooJaMuuSailyy) {
    TAsetukset a = lue("[Sekalaista]\r\nnotify_dates=14\r\n");
    a.email_nimi = "Matti";
    // A folder where the file should be: it can be neither read nor replaced.
    fs::remove(k_.juuri() / "asetukset.ini");
    fs::create_directories(k_.juuri() / "asetukset.ini" / "x");
    EXPECT_FALSE(Kirjoita_ini(a, ymparisto()));
    ASSERT_EQ(viestit_.naytetyt.size(), 1u);
    EXPECT_EQ(viestit_.naytetyt[0].laji, diag::Laji::Virhe);
    EXPECT_EQ(viestit_.naytetyt[0].teksti.rfind("Unable to write to " + polku_tekstiksi(k_.juuri() / "asetukset.ini"), 0), 0u);
    EXPECT_EQ(a.email_nimi, "Matti");
    EXPECT_EQ(a.notify_dates, "14");
    EXPECT_TRUE(fs::is_directory(k_.juuri() / "asetukset.ini" / "x"));
}

// A disk that fills up while the file is written: the old file stays whole and private, nothing is left beside it.
TEST_F(AsetuksetTesti, TaysiLevyJattaaVanhanTiedostonEheaksi) {
    TAsetukset a = lue("[Sekalaista]\r\nnotify_dates=14\r\n");
    const std::string vanha = tiedosto();
    VikaantuvatTiedostot vt;
    vt.rajoita_tilaa("asetukset.ini", 100);
    a.email_nimi = "Matti";
    EXPECT_FALSE(Kirjoita_ini(a, ymparisto(vt)));
    ASSERT_EQ(viestit_.naytetyt.size(), 1u);
    EXPECT_EQ(viestit_.naytetyt[0].teksti.rfind("Unable to write to " + polku_tekstiksi(k_.juuri() / "asetukset.ini"), 0), 0u);
    EXPECT_NE(viestit_.naytetyt[0].teksti.find("levy on täynnä"), std::string::npos) << viestit_.naytetyt[0].teksti;
    EXPECT_EQ(tiedosto(), vanha);
    EXPECT_EQ(fs::status(k_.juuri() / "asetukset.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    for (const auto& e : fs::directory_iterator(k_.juuri()))
        EXPECT_EQ(e.path().filename().string().find(".kesken"), std::string::npos) << e.path();
}

// A settings file made read-only stays byte for byte as it is, and the user hears it once, not at every write.
TEST_F(AsetuksetTesti, KirjoitussuojattuTiedostoJaaEnnalleenJaSiitaKerrotaanKerran) {
    k_.kirjoita("asetukset.ini", "[Sekalaista]\r\nnotify_dates=14\r\n");
    fs::permissions(k_.juuri() / "asetukset.ini", fs::perms::owner_read | fs::perms::group_read);
    const Asetusymparisto y = ymparisto();
    TAsetukset a;
    EXPECT_EQ(lue_ini(a, y), Lataustulos::Valmis);
    EXPECT_EQ(a.notify_dates, "14");
    a.email_nimi = "Matti";
    EXPECT_FALSE(Kirjoita_ini(a, y));
    EXPECT_EQ(tiedosto(), "[Sekalaista]\r\nnotify_dates=14\r\n");
    EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{"Asetustiedosto " + polku_tekstiksi(k_.juuri() / "asetukset.ini") +
                                                            " on kirjoitussuojattu.\nTämän ajon aikana muutettuja asetuksia ei tallenneta."});
    EXPECT_EQ(viestit_.naytetyt[0].laji, diag::Laji::Tieto);
}

TEST_F(AsetuksetTesti, NollausKirjoittaaPelkatOletukset) {
    TAsetukset a = lue("; vanha\r\n[Näkymä]\r\nkesto=0\r\n[Sekalaista]\r\nwarn_imdb=1\r\n[Oma]\r\nx=1\r\n");
    a.paivitys_tarkistettu = true;
    diag::loki().aseta_naytolle(true);
    nollaa_asetukset(a, ymparisto());
    EXPECT_EQ(tiedosto(), oletustiedosto);
    EXPECT_TRUE(a.minuutteina);
    EXPECT_EQ(a.warn_imdb, 0);
    EXPECT_TRUE(a.paivitys_tarkistettu);  // not a setting of the file
    const auto& r = diag::loki().rivit();
    const std::vector<std::string> odotetut = {
        "Resetoimme asetukset!",           "Procedure lue_ini executed - Luemme .INI tiedoston",
        "Ini tiedosto luettu",             "Procedure Kirjoita_ini - executed",
        "Procedure kirjoita_ini valmis!",  "procedure lue_ini lopetettu",
        "Procedure Kirjoita_ini - executed", "Procedure kirjoita_ini valmis!"};
    EXPECT_EQ(std::vector<std::string>(r.begin(), r.end()), odotetut);
}

TEST_F(AsetuksetTesti, KenttienTarkistukset) {
    k_.kirjoita("Elokuvat.RKB", "x");
    struct Tapaus {
        const char* teksti;
        bool paiva;  // notify_dates or default_open
        const char* jalkeen;
        const char* viesti;  // empty: no message
    };
    const Tapaus tapaukset[] = {
        {"45", true, "45", ""},
        {"0", true, "0", ""},
        {"abc", true, "30", "Virheellinen luku, syötä numero!"},
        {"", true, "30", "Virheellinen luku, syötä numero!"},
        {"-5", true, "30", "Virheellinen luku, syötä numero!"},
        {"elokuvat.rkb", false, "elokuvat.rkb", ""},  // found without regard to case
        {"default.rkb", false, "default.rkb", ""},    // missing, but already the value it would become
        {"puuttuu.rkb", false, "default.rkb", "Tiedostoa puuttuu.rkb ei löydy, asetamme arvoksi default.rkb!"},
    };
    for (const Tapaus& t : tapaukset) {
        diag::TestiViestit v;
        std::string s = t.teksti;
        const bool ok = t.paiva ? tarkista_notify_dates(s, v) : tarkista_default_open(s, ohjelmakansio_, v);
        EXPECT_EQ(s, t.jalkeen) << t.teksti;
        EXPECT_EQ(ok, !*t.viesti) << t.teksti;
        if (*t.viesti) {
            ASSERT_EQ(v.naytetyt.size(), 1u);
            EXPECT_EQ(v.naytetyt[0].teksti, t.viesti);
            EXPECT_EQ(v.naytetyt[0].laji, diag::Laji::Virhe);
        } else {
            EXPECT_TRUE(v.naytetyt.empty()) << t.teksti;
        }
    }
}

// What the settings dialog lets through into the User-Agent, and what it says of the rest.
TEST(Asetukset, YhteystiedonTarkistus) {
    const std::string merkit = "Yhteystiedossa saa olla vain kirjaimia a–z ilman ääkkösiä, numeroita, välilyöntejä ja "
                               "välimerkkejä, ei sulkeita eikä ohjausmerkkejä. Muut merkit poistettiin.";
    const auto pitka = [](std::size_t n) {
        return "Yhteystieto on liian pitkä (" + std::to_string(n) + " merkkiä); siinä saa olla enintään 200 merkkiä. "
               "Loppu jätettiin pois.";
    };
    struct Tapaus {
        std::string syote, tulos, viesti;
    };
    const Tapaus tapaukset[] = {
        {"", "", ""},
        {"keraaja@example.org", "keraaja@example.org", ""},
        {"https://example.org/~matti?yhteys=1 tai matti@example.org", "https://example.org/~matti?yhteys=1 tai matti@example.org", ""},
        {std::string(200, 'a'), std::string(200, 'a'), ""},
        {"a@b.fi\r\nX-Evil: 1", "a@b.fiX-Evil: 1", merkit},
        {"a\tb\x7f\x01" "c", "abc", merkit},
        {"k\xe4ytt\xe4j\xe4@example.org", "kyttj@example.org", merkit},
        {"Matti (koti)", "Matti koti", merkit},
        {std::string(201, 'a'), std::string(200, 'a'), pitka(201)},
        {std::string(300, 'a') + "\n", std::string(200, 'a'), merkit + "\n\n" + pitka(300)},
    };
    for (const Tapaus& t : tapaukset) {
        diag::TestiViestit viestit;
        std::string arvo = t.syote;
        EXPECT_EQ(tarkista_yhteystieto(arvo, viestit), t.viesti.empty()) << t.syote;
        EXPECT_EQ(arvo, t.tulos);
        EXPECT_EQ(viestit.tekstit(), t.viesti.empty() ? std::vector<std::string>{} : std::vector<std::string>{t.viesti});
        for (const auto& v : viestit.naytetyt) EXPECT_TRUE(v.laji == diag::Laji::Virhe);
    }
}

TEST_F(AsetuksetTesti, RoskaTiedostoEiKaadaLukua) {
    std::string roska;
    for (int i = 0; i < 4000; ++i) roska += static_cast<char>((i * 7919) % 256);
    roska += "\r\n[Näkymä\r\n=ilman avainta\r\n[]\r\nkesto\r\n[Tulostus]\r\ntarroja=99999999999999999999\r\n";
    const TAsetukset a = lue(roska);
    EXPECT_EQ(a.Tarroja, 14);
    EXPECT_EQ(a.skin_dir, "perus");
    // Reading again what was written gives the same text.
    const std::string kirjoitettu = tiedosto();
    lue(kirjoitettu);
    EXPECT_EQ(tiedosto(), kirjoitettu);
}

}  // namespace

// The file holds the mail password: a new file is the owner's only, an old readable one becomes so, and
// the copies earlier versions left behind by a cut-short write go at the next start.
TEST_F(AsetuksetTesti, TiedostoOnVainOmistajanJaVanhatKopiotPoistuvat) {
    const fs::path f = k_.juuri() / "asetukset.ini";
    const auto oikeudet = [&] { return fs::status(f).permissions() & fs::perms::all; };
    const mode_t ennen = ::umask(022);
    fs::remove(f);
    TAsetukset a;
    a.email_password = "salainen";
    ASSERT_TRUE(Kirjoita_ini(a, ymparisto()));
    EXPECT_EQ(oikeudet(), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(Kirjoita_ini(a, ymparisto()));
    EXPECT_EQ(oikeudet(), fs::perms::owner_read | fs::perms::owner_write);
    ::umask(ennen);

    k_.kirjoita("asetukset.ini.a1B2c3", "email_salasana=salainen");
    k_.kirjoita("asetukset.ini.varmuuskopio", "oma");
    siivoa_vanhat_asetuskopiot(jarjestelman_tiedostot(), ohjelmakansio_);
    EXPECT_FALSE(fs::exists(k_.juuri() / "asetukset.ini.a1B2c3"));
    EXPECT_TRUE(fs::exists(k_.juuri() / "asetukset.ini.varmuuskopio"));
    EXPECT_TRUE(fs::exists(f));
}
