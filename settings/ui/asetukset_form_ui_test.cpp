#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/ohjelma.h"
#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostot.h"
#include "settings/ui/asetukset_form.h"
#include "settings/ui/ulkoasu_qt.h"
#include "testituki/asetustesti.h"
#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"
#include "testituki/testiviestit.h"

namespace {

// A program folder with the skins "perus" (black labels) and "tumma" (white labels), one skin without
// its description and two catalogues; the settings read from it; the dialog over them.
struct Ymparisto {
    testituki::Tilapainen_kansio k;
    Ohjelmakansio kansio{k.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit;
    std::optional<Tarkkuus> tulostin;
    Ulkoasusovitin sovitin;
    TAsetukset a;
    Asetusymparisto y{kansio, jarjestelman_tiedostot(), viestit, [this] { return tulostin; }, [this] { sovitin.sovella(a.ulkoasu); }};
    // The main window as the dialog sees it.
    struct Paa final : Tasetukset_form::Paaikkuna {
        bool auki = false;
        int paivitetty = 0, kansia_ladattu = 0;
        bool nakyvissa() const override { return auki; }
        void paivita() override { ++paivitetty; }
        void lataa_kaikki_kannet() override { ++kansia_ladattu; }
    } paa;
    std::unique_ptr<Tasetukset_form> f;

    Ymparisto() {
        asetustesti::tee_ulkoasu(k, "perus", asetustesti::kuvaus_kuvakkein + "[Tekstit]\r\nPääikkuna_Normaali=0\r\n");
        asetustesti::tee_ulkoasu(k, "tumma",
                                 asetustesti::kuvaus_kuvakkein + "[Tekstit]\r\nPääikkuna_Normaali=0xFFFFFF\r\n");
        asetustesti::tee_ulkoasu(k, "rikki", "");
        k.kirjoita("Elokuvat.rkb", "x");
        k.kirjoita("lapset.RKB", "x");
        lue_ini(a, y);
        f = std::make_unique<Tasetukset_form>(a, y, paa, asetusikkunan_valinnat());
    }
    std::string tiedosto() const { return k.lue("asetukset.ini"); }
    std::vector<std::string> tekstit() const {
        std::vector<std::string> t;
        for (const auto& v : viestit.naytetyt) t.push_back(v.teksti);
        return t;
    }
};

QStringList kohdat(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

// The dialog shown and one of its pages chosen by a click on the page's tab.
void nayta_sivu(Ymparisto& y, int sivu) {
    y.f->show();
    // Active, as the window manager makes a new dialog, so its shortcut keys work.
    QVERIFY(testituki::kohdistettu(*y.f));
    testituki::napsauta_valilehtea(y.f->PageControl, y.f->PageControl->widget(sivu));
    QCOMPARE(y.f->PageControl->currentIndex(), sivu);
}

// The dialog shown on the page that holds `w`, opened by a click on its tab.
bool nayta_sivu_jolla(Ymparisto& y, QWidget* w) {
    y.f->show();
    return testituki::avaa_valilehti_jolla(w);
}

// A click on a check box or radio button of the dialog, on the page that holds it.
bool napsauta(Ymparisto& y, QAbstractButton* b) {
    if (!nayta_sivu_jolla(y, b)) return false;
    testituki::napsauta_ruutua(b);
    return true;
}

// Text typed into a field of the dialog, on the page that holds it.
bool kirjoita(Ymparisto& y, QWidget* kentta, const QString& teksti) {
    return nayta_sivu_jolla(y, kentta) && testituki::kirjoita_kenttaan(kentta, teksti);
}

// A key to the widget that has the focus in the dialog.
bool paina(Ymparisto& y, Qt::Key avain, Qt::KeyboardModifiers napit = Qt::NoModifier) {
    return testituki::paina(*y.f, avain, napit);
}

}  // namespace

class AsetusikkunaTesti : public QObject {
    Q_OBJECT
private slots:
    void init() { diag::loki().nollaa(); }

    void vaaraPaivamaaraJaPuuttuvaTietokantaKorjataan() {
        Ymparisto y;
        QVERIFY(kirjoita(y, y.f->notify_dates, "abc"));
        QVERIFY(paina(y, Qt::Key_Return));
        QCOMPARE(y.f->notify_dates->text(), QString("30"));
        QCOMPARE(y.a.notify_dates, std::string("30"));
        QVERIFY(y.f->isVisible());
        QVERIFY(kirjoita(y, y.f->notify_dates, "45"));
        QVERIFY(paina(y, Qt::Key_Return));
        QCOMPARE(y.a.notify_dates, std::string("45"));

        // The catalogue's name is checked when the focus leaves the field by Tab.
        QVERIFY(kirjoita(y, y.f->default_open, "puuttuu.rkb"));
        QVERIFY(paina(y, Qt::Key_Tab));
        QVERIFY(QApplication::focusWidget() != y.f->default_open);
        QCOMPARE(y.f->default_open->currentText(), QString("default.rkb"));
        QCOMPARE(y.a.default_open, std::string("default.rkb"));
        QVERIFY(kirjoita(y, y.f->default_open, "Elokuvat.rkb"));
        QVERIFY(paina(y, Qt::Key_Tab));
        QCOMPARE(y.a.default_open, std::string("Elokuvat.rkb"));

        QCOMPARE(y.tekstit(), (std::vector<std::string>{
                                  "Virheellinen luku, syötä numero!",
                                  "Tiedostoa puuttuu.rkb ei löydy, asetamme arvoksi default.rkb!"}));
        for (const auto& v : y.viestit.naytetyt) QVERIFY(v.laji == diag::Laji::Virhe);

        QVERIFY(kirjoita(y, y.f->ala_kysy_jos_sisaltaa, QString()));
        QVERIFY(paina(y, Qt::Key_Return));
        QVERIFY(!y.f->ala_kysy_jos->isChecked());
        QVERIFY(!y.a.ala_kysy_jos);
    }

    void peruutusPalauttaaUlkoasunJaKaikenMuun() {
        Ymparisto y;
        QWidget paaikkuna;
        auto* nimi = new QLabel("Elokuvan Nimi:", &paaikkuna);
        y.sovitin.lisaa(&paaikkuna, Ikkunalaji::Paaikkuna);
        y.f->show();
        QCOMPARE(kohdat(y.f->skin_dir), (QStringList{"perus", "rikki", "tumma"}));

        QVERIFY(nayta_sivu_jolla(y, y.f->skin_dir));
        QVERIFY(testituki::valitse_nappaimin(y.f->skin_dir, 2));
        QCOMPARE(y.a.skin_dir, std::string("tumma"));
        QCOMPARE(nimi->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(napsauta(y, y.f->notify_enabled));
        QVERIFY(kirjoita(y, y.f->email_nimi, fi("Matti Meikäläinen")));
        QCOMPARE(y.a.email_nimi, std::string("Matti Meikäläinen"));
        QVERIFY(!y.a.notify_enabled);

        QVERIFY(paina(y, Qt::Key_P, Qt::AltModifier));
        QVERIFY(!y.f->isVisible());
        QCOMPARE(y.a.skin_dir, std::string("perus"));
        QCOMPARE(y.a.ulkoasu.paaikkuna_normaali, 0u);
        QCOMPARE(nimi->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(y.a.notify_enabled);
        QVERIFY(y.a.email_nimi.empty());
        QVERIFY(y.tiedosto().find("form_skin_dir=perus") != std::string::npos);
        // The controls show the settings again when the dialog is next opened.
        y.f->show();
        QCOMPARE(y.f->skin_dir->currentText(), QString("perus"));
        QVERIFY(y.f->notify_enabled->isChecked());
        QVERIFY(y.tekstit().empty());
    }

    void kuvauksetonUlkoasuPalaaPerukseen() {
        Ymparisto y;
        QVERIFY(nayta_sivu_jolla(y, y.f->skin_dir));
        // Chosen from the list, refused: the list goes back to "perus" (below).
        testituki::valitse_nappaimin(y.f->skin_dir, 1);
        QCOMPARE(y.tekstit(), std::vector<std::string>{
                                  "Valitsemasi ikkunoiden ulkoasu [rikki] ei ole kelvollinen! Tiedosto ULKOASU.INI "
                                  "puuttuu!\npalautetaan ulkoasu \"perus\"! (Käy asetuksissa, valitse toimiva ulkoasu "
                                  "ja tallenna muutokset)"});
        QVERIFY(y.viestit.naytetyt[0].laji == diag::Laji::Varoitus);
        QCOMPARE(y.a.skin_dir, std::string("perus"));
        QCOMPARE(y.f->skin_dir->currentText(), QString("perus"));
        testituki::valitse_nappaimin(y.f->button_dir, 1);
        QCOMPARE(y.viestit.naytetyt.size(), std::size_t(2));
        QCOMPARE(y.f->button_dir->currentText(), QString("perus"));
    }

    void tallennusKirjoittaaJaSuljee() {
        Ymparisto y;
        int& paivitetty = y.paa.paivitetty;
        QVERIFY(kirjoita(y, y.f->email_nimi, fi("Matti Meikäläinen")));
        QAbstractButton* const valinnat[] = {y.f->tunteina, y.f->print_24bit, y.f->avaa_kannet_tarvittaessa};
        for (QAbstractButton* b : valinnat) {
            QVERIFY2(napsauta(y, b), qPrintable(b->objectName()));
            QVERIFY2(b->isChecked(), qPrintable(b->objectName()));
        }
        QVERIFY(nayta_sivu_jolla(y, y.f->Tarroja) && testituki::napsauta_kenttaan(y.f->Tarroja));
        QVERIFY(paina(y, Qt::Key_Up));
        QVERIFY(paina(y, Qt::Key_T, Qt::AltModifier));
        QVERIFY(!y.f->isVisible());
        QCOMPARE(y.f->result(), int(QDialog::Accepted));
        QCOMPARE(paivitetty, 1);
        const std::string t = y.tiedosto();
        for (const char* rivi : {"email_nimi=Matti Meikäläinen\r\n", "kesto=0\r\n", "16bit=0\r\n",
                                 "Avaa_kannet_heti=0\r\n", "tarroja=15\r\n"})
            QVERIFY2(t.find(rivi) != std::string::npos, rivi);
    }

    void oletusasetuksetIlmanKysymysta() {
        Ymparisto y;
        QVERIFY(napsauta(y, y.f->proxy_enabled));
        QVERIFY(y.f->proxy_enabled->isChecked());
        QVERIFY(nayta_sivu_jolla(y, y.f->skin_dir));
        QVERIFY(testituki::valitse_nappaimin(y.f->skin_dir, 2));
        QVERIFY(paina(y, Qt::Key_T, Qt::AltModifier));
        QVERIFY(!y.f->isVisible());
        y.f->show();
        QVERIFY(paina(y, Qt::Key_O, Qt::AltModifier));
        QVERIFY(y.f->isVisible());
        QVERIFY(!y.f->proxy_enabled->isChecked());
        QCOMPARE(y.f->skin_dir->currentText(), QString("perus"));
        QCOMPARE(y.a.ulkoasu.paaikkuna_normaali, 0u);
        QVERIFY(y.tiedosto().find("proxy_enabled=0") != std::string::npos);
        QCOMPARE(y.viestit.kysymyksia(), 0);
    }

    void avautuuPyydetylleSivulle() {
        Ymparisto y;
        QList<int> nahdyt;
        const auto katso_ja_sulje = [&] {
            QTimer::singleShot(0, y.f.get(), [&] {
                nahdyt << y.f->PageControl->currentIndex();
                QVERIFY(paina(y, Qt::Key_T, Qt::AltModifier));
            });
        };
        katso_ja_sulje();
        QCOMPARE(y.f->nayta(Tasetukset_form::Email_sivu), int(QDialog::Accepted));
        katso_ja_sulje();
        y.f->nayta(Tasetukset_form::Sekalaista_sivu);
        katso_ja_sulje();
        y.f->nayta();  // the page shown last
        katso_ja_sulje();
        y.f->nayta(Tasetukset_form::Tulostus_sivu);
        QCOMPARE(nahdyt, (QList<int>{6, 7, 7, 8}));
    }

    void sahkopostitiliNappiVainKunTiliOn() {
        Ymparisto y;
        nayta_sivu(y, Tasetukset_form::Email_sivu);
        QVERIFY(!y.f->get_emailsetup_from_outlook->isVisible());
        y.f->lue_postitili = [] {
            return Tasetukset_form::Postitili{"Liisa Lähettäjä", "liisa@example.org", "smtp.example.org", ""};
        };
        nayta_sivu(y, 0);
        nayta_sivu(y, Tasetukset_form::Email_sivu);
        QVERIFY(y.f->get_emailsetup_from_outlook->isVisible());
        QVERIFY(kirjoita(y, y.f->email_username, "vanha"));
        QTest::mouseClick(y.f->get_emailsetup_from_outlook, Qt::LeftButton);
        QCOMPARE(y.a.email_nimi, std::string("Liisa Lähettäjä"));
        QCOMPARE(y.a.email_addr, std::string("liisa@example.org"));
        QCOMPARE(y.a.smtp_palvelin, std::string("smtp.example.org"));
        QVERIFY(y.a.email_username.empty());
    }

    // The feedback address is typed on the Email page like the other mail settings and saved with them.
    void palautteenOsoiteEmailSivulla() {
        Ymparisto y;
        nayta_sivu(y, Tasetukset_form::Email_sivu);
        QVERIFY(QTest::qWaitForWindowExposed(y.f.get()));
        QTest::mouseClick(y.f->palaute_addr, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y.f->palaute_addr));
        QTest::keyClicks(QApplication::focusWidget(), "palaute@example.org");
        QVERIFY(paina(y, Qt::Key_T, Qt::AltModifier));
        QVERIFY(!y.f->isVisible());
        QCOMPARE(y.a.palaute_addr, std::string("palaute@example.org"));
        std::string ini;
        QVERIFY(lue_koko_tiedosto(jarjestelman_tiedostot(), y.k.juuri() / "asetukset.ini", ini));
        QVERIFY(ini.find("palaute_addr=palaute@example.org\r\n") != std::string::npos);
    }

    // The movie data source and the contact sent to Wikimedia: chosen and typed as a person does, saved by
    // the keyboard, and shown again from the file.
    void tietolahdeJaYhteystietoTallentuvat() {
        Ymparisto y;
        nayta_sivu(y, Tasetukset_form::Internet_sivu);
        QCOMPARE(y.f->tietolahde->currentText(), fi("IMDb (englanniksi)"));
        QTest::mouseClick(y.f->wikimedia_yhteystieto, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y.f->wikimedia_yhteystieto));
        QTest::keyClicks(QApplication::focusWidget(), "keraaja@example.org");
        // Back to the source list; its next item is Wikidata.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y.f->tietolahde));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!y.f->isVisible());
        QCOMPARE(y.f->result(), int(QDialog::Accepted));
        QVERIFY(y.tekstit().empty());
        const std::string ini = y.tiedosto();
        for (const char* rivi : {"wikimedia_yhteystieto=keraaja@example.org\r\n", "tietolahde=wikidata\r\n"})
            QVERIFY2(ini.find(rivi) != std::string::npos, rivi);

        TAsetukset luettu;
        lue_ini(luettu, y.y);
        QCOMPARE(luettu.tietolahde, std::string("wikidata"));
        QCOMPARE(luettu.wikimedia_yhteystieto, std::string("keraaja@example.org"));
        Tasetukset_form uusi(luettu, y.y, y.paa, asetusikkunan_valinnat());
        uusi.show();
        QCOMPARE(uusi.tietolahde->currentText(), fi("Wikidata ja Wikipedia (suomeksi)"));
        QCOMPARE(uusi.wikimedia_yhteystieto->text(), QString("keraaja@example.org"));
    }

    // A contact the User-Agent cannot carry is mended with a message, when the field is left and when the
    // dialog is saved with the focus still in it.
    void vaaraYhteystietoKorjataan() {
        Ymparisto y;
        nayta_sivu(y, Tasetukset_form::Internet_sivu);
        QTest::mouseClick(y.f->wikimedia_yhteystieto, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y.f->wikimedia_yhteystieto));
        testituki::nappaile(QApplication::focusWidget(), fi("Käyttäjä (koti) k@example.org"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != y.f->wikimedia_yhteystieto);
        QCOMPARE(y.f->wikimedia_yhteystieto->text(), QString("Kyttj koti k@example.org"));
        QCOMPARE(y.a.wikimedia_yhteystieto, std::string("Kyttj koti k@example.org"));

        QTest::mouseClick(y.f->wikimedia_yhteystieto, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y.f->wikimedia_yhteystieto));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QString(250, 'x'));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!y.f->isVisible());
        QCOMPARE(y.tekstit(),
                 (std::vector<std::string>{
                     "Yhteystiedossa saa olla vain kirjaimia a–z ilman ääkkösiä, numeroita, välilyöntejä ja välimerkkejä, "
                     "ei sulkeita eikä ohjausmerkkejä. Muut merkit poistettiin.",
                     "Yhteystieto on liian pitkä (250 merkkiä); siinä saa olla enintään 200 merkkiä. Loppu jätettiin pois."}));
        QVERIFY(y.tiedosto().find("wikimedia_yhteystieto=" + std::string(200, 'x') + "\r\n") != std::string::npos);
    }

    void sivujenListatTaytetaanTekstitSailyttaen() {
        Ymparisto y;
        // The lists are the main window's own combo box values.
        y.a.Nopeus_kentta_oletus = "Laserdisc";
        nayta_sivu(y, Tasetukset_form::Uusi_kortti_sivu);
        QCOMPARE(kohdat(y.f->Nopeus_kentta_oletus),
                 (QStringList{"SP", "LP", "EP", "DVD", "DVD R1", "DVD R2", "VCD", "DivX", "Laserdisc"}));
        QCOMPARE(y.f->Nopeus_kentta_oletus->currentText(), QString("Laserdisc"));
        QCOMPARE(kohdat(y.f->aani_kentta_oletus),
                 (QStringList{"Hifi Stereo", "Dolby Surround", "Dolby Digital 5.1", "DTS", "Ei Hifiraitaa (Mono)"}));
        QCOMPARE(kohdat(y.f->Vari_Kentta_oletus), (QStringList{"", fi("Kyllä"), "Ei"}));
        nayta_sivu(y, Tasetukset_form::Dvd_sivu);
        QCOMPARE(kohdat(y.f->kuva_kentta_jos_dvd).size(), 8);
        QCOMPARE(kohdat(y.f->kuva_kentta_jos_dvd).last(), QString("Super-35"));
        QCOMPARE(y.f->kuva_kentta_jos_dvd->currentText(), QString("2.35:1 Letterbox"));
        QCOMPARE(kohdat(y.f->default_open), (QStringList{"Elokuvat.rkb", "lapset.RKB"}));
    }

    void tulostimenTarkkuus() {
        Ymparisto y;
        nayta_sivu(y, Tasetukset_form::Tulostus_sivu);
        QCOMPARE(y.f->DPI_X_EDIT->value(), 0);
        QTest::mouseClick(y.f->Detect_DPI_button, Qt::LeftButton);  // no printer: nothing changes
        QCOMPARE(y.f->DPI_X_EDIT->value(), 0);
        QCOMPARE(y.a.DPI_Y, 0);
        // The arrows move in tens within 50 to 9999; from "not known" the first step is 50, and a step
        // down from it stays there.
        QVERIFY(testituki::napsauta_kenttaan(y.f->DPI_X_EDIT));
        QVERIFY(paina(y, Qt::Key_Down));
        QCOMPARE(y.a.DPI_X, 0);
        QVERIFY(paina(y, Qt::Key_Up));
        QCOMPARE(y.a.DPI_X, 50);
        y.tulostin = Tarkkuus{600, 300};
        QTest::mouseClick(y.f->Detect_DPI_button, Qt::LeftButton);
        QCOMPARE(y.a.DPI_X, 600);
        QCOMPARE(y.a.DPI_Y, 300);
        QVERIFY(testituki::napsauta_kenttaan(y.f->DPI_Y_EDIT));
        for (int i = 0; i < 3; ++i) QVERIFY(paina(y, Qt::Key_PageDown));
        QCOMPARE(y.a.DPI_Y, 50);
        QVERIFY(testituki::napsauta_kenttaan(y.f->Tarroja));
        for (int i = 0; i < 2; ++i) QVERIFY(paina(y, Qt::Key_PageDown));
        QCOMPARE(y.a.Tarroja, 5);
    }

    void esikatseluVaihtaaVaritHeti() {
        Ymparisto y;
        int& paivitetty = y.paa.paivitetty;
        bool& nakyvissa = y.paa.auki;
        y.f->valitse_vari = [](Vari) { return std::optional<Vari>(0x336699); };
        QVERIFY(napsauta(y, y.f->force_kentan_vari));
        QVERIFY(y.a.force_kentan_vari);
        QTest::mouseClick(y.f->force_vari, Qt::LeftButton);
        QCOMPARE(y.a.force_vari, Vari(0x336699));
        QCOMPARE(y.a.ulkoasu.kenttien_vari, Vari(0x336699));
        QVERIFY(napsauta(y, y.f->force_kentan_vari));
        QCOMPARE(y.a.ulkoasu.kenttien_vari, Vari(0xFFFFFF));
        QVERIFY(napsauta(y, y.f->nayta_arvosana));
        QCOMPARE(paivitetty, 0);
        nakyvissa = true;
        QVERIFY(napsauta(y, y.f->smoothen_cover));
        QCOMPARE(paivitetty, 1);
        // Typing in the skin list is refused.
        QVERIFY(testituki::tabulaattorilla(y.f->skin_dir));
        QVERIFY(paina(y, Qt::Key_T));
        QCOMPARE(y.a.skin_dir, std::string("perus"));
    }

    // Every page, grabbed, and kept as a picture to be looked at.
    void jokainenSivuKuvana() {
        Ymparisto y;
        y.f->lue_postitili = [] { return Tasetukset_form::Postitili{"Liisa", "", "", ""}; };
        for (int i = 0; i < y.f->PageControl->count(); ++i) {
            nayta_sivu(y, i);
            const QPixmap kuva = y.f->grab();
            QVERIFY(kuva.width() >= 600 && kuva.height() >= 380);
            // Nothing of the page runs out of the dialog.
            QVERIFY2(y.f->PageControl->currentWidget()->minimumSizeHint().height() <=
                         y.f->PageControl->currentWidget()->height(),
                     qPrintable(y.f->PageControl->tabText(i)));
            testituki::tallenna_kuva(kuva, QString("asetukset_%1").arg(i));
        }
    }
};

QTEST_MAIN(AsetusikkunaTesti)
#include "asetukset_form_ui_test.moc"
