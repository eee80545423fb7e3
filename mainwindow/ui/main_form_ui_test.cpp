#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/ohjelma.h"
#include "diag/kiire.h"
#include "diag/ui/teksti.h"
#include "mainwindow/tiedostotyyppi.h"
#include "mainwindow/ui/kiitokset_form.h"
#include "mainwindow/ui/main_form.h"
#include "mainwindow/ui/muuta_kentan_nimi_form.h"
#include "storage/kenttasaannot.h"
#include "storage/lataus.h"
#include "storage/tallennus.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/kaynnistys.h"
#include "testituki/oikea_paaikkuna.h"
#include "testituki/testiviestit.h"

namespace fs = std::filesystem;

namespace {

std::string solu(const QTableWidget* g, int rivi, int sarake) {
    const QTableWidgetItem* i = g->item(rivi, sarake);
    return i ? cp(i->text()) : std::string();
}

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void kasettikenttaTyhjanaSaaSeuraavanVapaanNumeron() {
        Oikea_paaikkuna i({{"", "Uusi"}, {"3", "A"}, {"AP7", "B"}, {"12", "C"}});
        i.a.kysy_pituus = false;
        QVERIFY(testituki::napsauta_kenttaan(i.o<QLineEdit>("kasetilla_kentta")));
        i.poistu(i.o<QLineEdit>("kasetilla_kentta"));
        QCOMPARE(cp(i.o<QLineEdit>("kasetilla_kentta")->text()), std::string("13"));
        QCOMPARE(i.kortti().kasetilla, std::string("13"));
        // Entering the position of a numbered cassette fills in the next free position.
        QVERIFY(testituki::napsauta_kenttaan(i.o<QComboBox>("sijainti_kentta")));
        QTRY_COMPARE(i.o<QComboBox>("sijainti_kentta")->currentText(), QString("1"));
    }

    void nayttelijoidenIsotAlkukirjaimetJaPilkut() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.kirjoita(i.o<QLineEdit>("paanayttelijat_kentta"), "anna,b");
        QCOMPARE(i.o<QLineEdit>("paanayttelijat_kentta")->text(), QString("Anna,B"));
        i.poistu(i.o<QLineEdit>("paanayttelijat_kentta"));
        QCOMPARE(i.o<QLineEdit>("paanayttelijat_kentta")->text(), QString("Anna,B"));
        i.kirjoita(i.o<QLineEdit>("paanayttelijat_kentta"), "o virtanen");
        QCOMPARE(i.o<QLineEdit>("paanayttelijat_kentta")->text(), QString("Anna,Bo Virtanen"));
        i.poistu(i.o<QLineEdit>("paanayttelijat_kentta"));
        QCOMPARE(i.o<QLineEdit>("paanayttelijat_kentta")->text(), QString("Anna, Bo Virtanen"));
        i.kirjoita(i.o<QLineEdit>("Ohjaaja_Kentta"), fi("åke ä"));
        QCOMPARE(i.o<QLineEdit>("Ohjaaja_Kentta")->text(), fi("Åke Ä"));
        QVERIFY(i.tk().kortit.muutettu);
    }

    void vainKirjoittaminenMerkitseeMuutetuksi() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        QVERIFY(testituki::napsauta_kenttaan(i.o<QLineEdit>("nimi_kentta")));
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_End, Qt::Key_Shift, Qt::Key_Control})
            QTest::keyClick(QApplication::focusWidget(), k);
        QVERIFY(!i.tk().kortit.muutettu);
        testituki::nappaile(i.o<QLineEdit>("nimi_kentta"), "x");
        QVERIFY(i.tk().kortit.muutettu);
        // The user-named fields' grid and the extras text count too.
        i.tk().kortit.muutettu = false;
        auto* grid = i.o<QTableWidget>("custom_kentat_grid");
        testituki::tuplanapsauta_solua(grid, 3, 1);
        QTRY_VERIFY(QApplication::focusWidget() && grid->isAncestorOf(QApplication::focusWidget()));
        testituki::nappaile(QApplication::focusWidget(), "arvo");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        // The cell's editor hands its text over once the event loop runs.
        QTRY_COMPARE(grid->item(3, 1)->text(), QString("arvo"));
        QVERIFY(i.tk().kortit.muutettu);
        i.f->update_fields();
        i.tk().kortit.muutettu = false;
        testituki::nappaile(i.o<QLineEdit>("Extra_info"), "y");
        QVERIFY(i.tk().kortit.muutettu);
    }

    void kestoSaaYksikon_data() {
        QTest::addColumn<QString>("kirjoitettu");
        QTest::addColumn<QString>("odotettu");
        QTest::newRow("10 on tunteja") << "10" << "10h";
        QTest::newRow("11 on minuutteja") << "11" << "11 min";
        QTest::newRow("yksikko jo annettu") << "1h 5" << "1h 5";
    }
    void kestoSaaYksikon() {
        QFETCH(QString, kirjoitettu);
        QFETCH(QString, odotettu);
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.kirjoita(i.o<QLineEdit>("kesto_kentta"), kirjoitettu);
        i.poistu(i.o<QLineEdit>("kesto_kentta"));
        QCOMPARE(i.o<QLineEdit>("kesto_kentta")->text(), odotettu);
    }

    void kestonNayttotapaVaihtuuOtsikostaKlikkaamalla() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.kortti().kesto = "90 min";
        i.f->update_fields();
        QCOMPARE(i.o<QLineEdit>("kesto_kentta")->text(), QString("90 min"));
        QTest::mouseClick(i.o<QLabel>("Kesto"), Qt::LeftButton);
        QVERIFY(!i.a.minuutteina);
        QCOMPARE(i.o<QLineEdit>("kesto_kentta")->text(), QString("1h 30min"));
    }

    void dvdTuoOletuksetJaSiirtaaKohdistuksen() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.kortti().paanayttelijat = "Joku";
        i.kortti().maa = "Suomi";
        i.kortti().vuosi = "2001";
        i.f->update_fields();
        QVERIFY(!i.o<QLabel>("Extrat")->isVisible());
        i.kirjoita(i.o<QComboBox>("formaatti_kentta"), "d");
        QCOMPARE(i.o<QComboBox>("formaatti_kentta")->currentText(), QString("DVD"));
        QVERIFY(i.o<QLabel>("Extrat")->isVisible());
        QTest::keyClick(i.o<QComboBox>("formaatti_kentta"), Qt::Key_Tab);
        QCOMPARE(i.o<QComboBox>("aani_kentta")->currentText(), QString("Dolby Digital 5.1"));
        QCOMPARE(i.o<QComboBox>("kuvasuhde_kentta")->currentText(), QString("2.35:1 Letterbox"));
        QCOMPARE(i.o<QComboBox>("sijainti_kentta")->currentText(), QString("1"));
        QCOMPARE(i.kortti().aani, std::string("Dolby Digital 5.1"));
        // The first empty field after the format: the genre.
        QTRY_VERIFY(i.o<QComboBox>("luokitus_kentta")->hasFocus());
    }

    void luokituksenEnnakointi() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.kirjoita(i.o<QComboBox>("luokitus_kentta"), "t");
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->currentText(), QString("Toiminta"));
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->lineEdit()->selectedText(), QString("oiminta"));
        testituki::nappaile(i.o<QComboBox>("luokitus_kentta"), "x");
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->currentText(), QString("Tx"));
        QVERIFY(testituki::kirjoita_kenttaan(i.o<QComboBox>("luokitus_kentta"), QString()));
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->currentText(), QString());
        testituki::nappaile(i.o<QComboBox>("luokitus_kentta"), "toimintak");
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->currentText(), QString("Toimintakomedia"));
    }

    void enterTallentaaJaSiirtyyEnsimmaiseenTyhjaanEscHylkaa() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.kirjoita(i.o<QLineEdit>("nimi_kentta"), " 2");
        QTest::keyClick(i.o<QLineEdit>("nimi_kentta"), Qt::Key_Return);
        QCOMPARE(i.kortti().nimi, std::string("Elokuva 2"));
        QTRY_VERIFY(i.o<QLineEdit>("paanayttelijat_kentta")->hasFocus());
        testituki::nappaile(i.o<QLineEdit>("paanayttelijat_kentta"), "Kalle");
        QTest::keyClick(i.o<QLineEdit>("paanayttelijat_kentta"), Qt::Key_Escape);
        QCOMPARE(i.o<QLineEdit>("paanayttelijat_kentta")->text(), QString());
        QCOMPARE(i.kortti().paanayttelijat, std::string());
        // A title left empty takes the focus back whatever the field.
        QVERIFY(testituki::kirjoita_kenttaan(i.o<QLineEdit>("nimi_kentta"), QString()));
        i.f->findChild<Korttinakyma*>()->setfocus_eka_tyhja_kentta(12);
        QTRY_VERIFY(i.o<QLineEdit>("nimi_kentta")->hasFocus());
    }

    void ctrlNayttaaPikanappaimet() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        // Also while a combo box has the focus, where the keys reach the edit inside it.
        for (QWidget* kentta : {static_cast<QWidget*>(i.o<QLineEdit>("nimi_kentta")), static_cast<QWidget*>(i.o<QComboBox>("maa_kentta"))}) {
            QVERIFY(testituki::napsauta_kenttaan(kentta));
            QWidget* w = QApplication::focusWidget();
            QTest::keyPress(w, Qt::Key_Control, Qt::ControlModifier);
            QCOMPARE(i.o<QLabel>("Nimi")->text(), fi("Elokuvan &Nimi:"));
            QCOMPARE(i.o<QLabel>("Aani")->text(), fi("&Ääniraita:"));
            QTest::keyRelease(w, Qt::Key_Control, Qt::NoModifier);
            QCOMPARE(i.o<QLabel>("Nimi")->text(), fi("Elokuvan Nimi:"));
            QCOMPARE(i.o<QLabel>("Kasetilla")->text(), fi("Kasetilla/ levyllä nro:"));
        }
    }

    void ohjevalikonIkkunat() {
        Oikea_paaikkuna i({{"1", "Alien"}});
        i.kortti().cover_fn = "gfx\\kannet\\a.jpg";
        i.tk().kortit.versio = "1.36";
        for (const char* nimi : {"Kiitokset1", "Pikanappaimet_menu", "statistics"}) QVERIFY(i.o<QAction>(nimi)->isEnabled());

        QStringList nahty;
        i.tyopoyta.dialogi = [&](QDialog& d) {
            auto* k = qobject_cast<Tkiitokset_form*>(&d);
            [&] { QVERIFY(k); }();
            if (!k) return 0;
            d.show();
            QPlainTextEdit* m = k->kiitokset_memo->isVisible() ? k->kiitokset_memo : k->pikanappaimet_memo;
            [&] {
                QVERIFY(k->kiitokset_memo->isVisible() != k->pikanappaimet_memo->isVisible());
                QVERIFY(m->isReadOnly());
                QCOMPARE(m->geometry(), QRect(8, 8, 417, 257));
                QCOMPARE(d.size(), QSize(434, 274));
            }();
            nahty << d.windowTitle() << m->toPlainText().section('\n', 1, 2);
            return 0;
        };
        i.o<QAction>("Kiitokset1")->trigger();
        i.o<QAction>("Pikanappaimet_menu")->trigger();
        QCOMPARE(nahty.size(), 4);
        QCOMPARE(nahty[0], QString("Kiitokset!"));
        QCOMPARE(nahty[2], fi("Ohjelman pikanäppäimet"));
        QCOMPARE(nahty[3], QString(17, ' ') + fi("Ohjelman pikanäppäimet\n  ") + QString(53, '-'));

        i.o<QAction>("statistics")->trigger();
        QCOMPARE(i.viestit.naytetyt.size(), 1u);
        QCOMPARE(i.viestit.naytetyt[0].laji, diag::Laji::Tieto);
        QCOMPARE(i.viestit.naytetyt[0].teksti,
                 std::string("Tietokannan versio: 1.36\nKortteja tietokannassa: 1\nKansikuvia tietokannassa: 1\n"
                             "IMDB yhteensopivia kortteja: 0\n0 kortilla on kansikuvan url\n"
                             "0 korttia odottaa kansikuvan haku yritystä\n0 kortille voitaisiin yrittää hakea kansikuva"));
    }

    void kehittajavalikonPikanappaimetToimivatPiilossa() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        QVERIFY(!i.o<QMenu>("Developer_menu")->menuAction()->isVisible());
        QTest::keySequence(i.f.get(), QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(i.muut.debuggeri, 1);
        QTest::keySequence(i.f.get(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
        QVERIFY(i.o<QMenu>("Developer_menu")->menuAction()->isVisible());
    }

    // A text field keeps its editing keys while it has the focus (Ctrl+A selects its text, Ctrl+X, Ctrl+V
    // and Ctrl+Z edit it); elsewhere Ctrl+A opens a catalogue, and the field keys move between fields.
    // (Ctrl+Z with no typing of the field's own to undo is the card's undo, tested with the card operations.)
    void tekstikentanMuokkausnappaimet() {
        Oikea_paaikkuna i({{"1", "Elokuva"}});
        i.tyopoyta.avattavat = {QString()};
        auto* juoni = i.o<QPlainTextEdit>("Kommentti_Kentta");
        i.f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(i.f.get()));
        QTest::mouseClick(juoni->viewport(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(juoni));
        QTest::keyClicks(QApplication::focusWidget(), "Juoni");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(juoni->textCursor().selectedText(), QString("Juoni"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(juoni->toPlainText(), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(juoni->toPlainText(), QString("JuoniJuoni"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(juoni->toPlainText(), QString("Juoni"));
        QCOMPARE(i.tyopoyta.avattavat.size(), std::size_t(1));

        auto* nimi = i.o<QLineEdit>("nimi_kentta");
        QTest::mouseClick(nimi, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(nimi));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(nimi->selectedText(), QString("Elokuva"));
        QCOMPARE(i.tyopoyta.avattavat.size(), std::size_t(1));
        // The field keys still move on from a text field.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(i.o<QLineEdit>("Ohjaaja_Kentta")));

        // Out of the text fields (here the grid of the cassette's other movies) the menu's Ctrl+A opens a
        // catalogue.
        auto* ruudukko = i.o<QTableWidget>("Muut_elokuvat_grid");
        QVERIFY(ruudukko->isVisible());
        QTest::mouseClick(ruudukko->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(ruudukko));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(i.tyopoyta.avattavat.empty());
    }

    void muidenElokuvienRuudukkoSataJaSataYksi() {
        Oikea_paaikkuna i({});  // shown with the one empty card a catalogue always has
        for (int n = 1; n <= 100; ++n) {
            TKortti& c = n == 1 ? i.tk().kortit[1] : i.tk().kortit.lisaa_uusi();
            c.kasetilla = "5";
            c.nimi = "Elokuva " + std::to_string(n) + " (1990)";
            c.sijainti = std::to_string(101 - n);
        }
        i.tk().nykyinen = 1;
        i.f->update_fields();
        QTableWidget* g = i.o<QTableWidget>("Muut_elokuvat_grid");
        QCOMPARE(g->rowCount(), 101);
        QCOMPARE(cp(g->item(0, 0)->toolTip()), std::string("Kasetti (tai dvd) nro: 5"));
        QVERIFY(g->item(0, 0)->text().endsWith(": 5"));  // the number shows even beside a scroll bar
        QCOMPARE(solu(g, 0, 1), std::string("S"));
        QCOMPARE(solu(g, 1, 0), std::string("Elokuva 100"));  // position 1
        QCOMPARE(g->currentRow(), 100);  // card 1 has position 100
        // A click on a row opens its card.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(1, 0)).center());
        QTRY_COMPARE(i.tk().nykyinen, 100);

        i.tk().kortit.lisaa_uusi().kasetilla = "5";
        i.f->update_fields();
        QCOMPARE(g->rowCount(), 2);
        QCOMPARE(cp(g->item(0, 0)->toolTip()), std::string("TOIMINTO EI OLE KÄYTÖSSÄ"));
        QCOMPARE(solu(g, 1, 0), std::string("syy: ei kas./levyjen numerointia"));
        QCOMPARE(solu(g, 1, 1), std::string("0"));
    }

    void kentanNimeaminenTalleJaKaikille() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}, {"2", "C"}});
        i.tk().kortit[2].lisatieto[0] = "Arvo";
        i.tk().kortit[2].lisatieto_nimi[0] = "Käsikirjoitus:";
        testituki::kun_auki<Tmuuta_kentan_nimi_form>([](Tmuuta_kentan_nimi_form* d) {
            QCOMPARE(d->windowTitle(), fi("Vaihda kentän nimi"));
            // The name typed over the whole old one, selected: its first letter is a capital all the same.
            QVERIFY(testituki::kirjoita_kenttaan(d->uusi_nimi, "tuottaja"));
            QCOMPARE(d->uusi_nimi->text(), QString("Tuottaja"));
            QTest::keyClick(d->uusi_nimi, Qt::Key_Return);  // Enter: this card
        });
        QTest::mouseClick(i.o<QLabel>("Kasikirjoitus"), Qt::LeftButton);
        QCOMPARE(i.tk().kortit[1].lisatieto_nimi[0], std::string("Tuottaja:"));
        QCOMPARE(i.o<QLabel>("Kasikirjoitus")->text(), QString("Tuottaja:"));
        QCOMPARE(i.tk().kortit[3].lisatieto_nimi[0], std::string());

        // Every card whose field is empty, the current one included; the card with a value keeps its name.
        i.tk().nykyinen = 2;
        i.f->update_fields();
        i.viestit.naytetyt.clear();
        testituki::kun_auki<Tmuuta_kentan_nimi_form>([](Tmuuta_kentan_nimi_form* d) {
            QVERIFY(testituki::kirjoita_kenttaan(d->uusi_nimi, QString()));
            QTest::mouseClick(d->muuta_kaikki, Qt::LeftButton);
            QVERIFY(d->isVisible());  // an empty name is refused
            // Ctrl+A in the empty field selects; it types no letter.
            QVERIFY(testituki::kirjoita_kenttaan(d->uusi_nimi, "Musiikki"));
            QCOMPARE(d->uusi_nimi->text(), QString("Musiikki"));
            QTest::mouseClick(d->muuta_kaikki, Qt::LeftButton);
        });
        QTest::mouseClick(i.o<QLabel>("Kasikirjoitus"), Qt::LeftButton);
        QCOMPARE(i.viestit.tekstit(),
                 (std::vector<std::string>{"Syötä kentän nimi!",
                                           "Huomaa: ohjelma muuttaa kentän nimen vain jos kenttä on tyhjä.\n"
                                           "Jos kenttä sisältää tekstiä, nimeä ei muuteta."}));
        QCOMPARE(i.tk().kortit[1].lisatieto_nimi[0], std::string("Musiikki:"));
        QCOMPARE(i.tk().kortit[2].lisatieto_nimi[0], std::string("Käsikirjoitus:"));
        QCOMPARE(i.tk().kortit[3].lisatieto_nimi[0], std::string("Musiikki:"));
    }

    void kasetinVaihtoLahettaaPituuskysymyksenJaSekamediailmoituksen() {
        Oikea_paaikkuna i({{"1", "Nauhalla"}, {"DVD1", "Levy"}});
        i.tk().kortit[2].formaatti = "DVD";
        i.kortti().formaatti = "LP";
        i.f->update_fields();
        std::vector<std::string>& kysytyt = i.muut.pituuskysymykset;
        i.kirjoita(i.o<QLineEdit>("kasetilla_kentta"), "7");
        i.poistu(i.o<QLineEdit>("kasetilla_kentta"));
        QVERIFY(kysytyt.empty());  // posted, not run inside the focus change
        QTRY_COMPARE(kysytyt, std::vector<std::string>{"17"});

        // A cassette number with the exclusion text is not asked about.
        QVERIFY(testituki::kirjoita_kenttaan(i.o<QLineEdit>("kasetilla_kentta"), "AP3"));
        i.poistu(i.o<QLineEdit>("kasetilla_kentta"));
        QCoreApplication::sendPostedEvents();  // a question would have been posted by now
        QCOMPARE(kysytyt.size(), std::size_t(1));

        // Putting the tape card on the DVD's disc posts the mixed-media warning.
        QVERIFY(testituki::kirjoita_kenttaan(i.o<QLineEdit>("kasetilla_kentta"), "DVD1"));
        i.poistu(i.o<QLineEdit>("kasetilla_kentta"));
        QTRY_COMPARE(i.viestit.naytetyt.size(), std::size_t(1));
        QCOMPARE(i.viestit.naytetyt[0].teksti, std::string(sekamedia_viesti));
    }

    void pitkaTallennettuArvoNaytetaanJaSailyy() {
        Oikea_paaikkuna i({{"12345678901234", "A"}, {"1", "B"}});
        i.kortti().sijainti = "123";
        i.f->update_fields();
        QCOMPARE(i.o<QLineEdit>("kasetilla_kentta")->text(), QString("12345678901234"));
        QCOMPARE(i.o<QComboBox>("sijainti_kentta")->currentText(), QString("123"));
        // Moving on saves what the fields show: a value from elsewhere is never cut.
        QTest::mousePress(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 2);
        QCOMPARE(i.tk().kortit[1].kasetilla, std::string("12345678901234"));
        QCOMPARE(i.tk().kortit[1].sijainti, std::string("123"));
        // Typing is limited as before.
        i.kirjoita(i.o<QLineEdit>("kasetilla_kentta"), "234567890123");
        QCOMPARE(i.o<QLineEdit>("kasetilla_kentta")->text(), QString("1234567890"));
        // A long value shows its beginning.
        i.kortti().luokitus = std::string(60, 'R') + "omanttinen komedia";
        i.f->update_fields();
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->lineEdit()->cursorPosition(), 0);
    }

    void otsikonValikkoJarjestaaKentanMukaan() {
        Oikea_paaikkuna i({{"1", "Banaani"}, {"2", "Cembalo"}, {"3", "Aapinen"}});
        auto valikko = [&](const char* otsikko, const char* kohta) {
            QLabel* l = i.o<QLabel>(otsikko);
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), l->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(l, &e);
            QTRY_VERIFY(i.o<QMenu>("TextPopup")->isVisible());
            QVERIFY(i.o<QAction>(kohta)->isEnabled());
            i.o<QAction>(kohta)->trigger();
            i.o<QMenu>("TextPopup")->close();
        };
        QCOMPARE(i.o<QAction>("Sort4Nouseva")->text(), fi("Järjestä tämän kentän mukaan nousevasti"));
        QCOMPARE(i.o<QAction>("Sort4Laskeva")->text(), fi("Järjestä tämän kentän mukaan laskevasti"));
        valikko("Nimi", "Sort4Laskeva");
        QCOMPARE(i.tk().kortit[1].nimi, std::string("Cembalo"));
        QCOMPARE(i.tk().kortit[3].nimi, std::string("Aapinen"));
        valikko("Kasetilla", "Sort4Nouseva");
        QCOMPARE(i.tk().kortit[1].nimi, std::string("Banaani"));
        // The plot's label has no key: the catalogue stays as it is and the user is told.
        valikko("Juoni", "Sort4Laskeva");
        QCOMPARE(i.viestit.tekstit(), std::vector<std::string>{"Virhe #2433, väärä ItemIndex parametri (-1)"});
        QCOMPARE(i.tk().kortit[1].nimi, std::string("Banaani"));
    }

    void lainaKoskeeKokoKasettia() {
        Oikea_paaikkuna i({{"4", "A"}, {"4", "B"}, {"5", "C"}});
        i.kirjoita(i.o<QLineEdit>("lainassa_kentta"), "Pekka");
        i.poistu(i.o<QLineEdit>("lainassa_kentta"));
        QCOMPARE(i.tk().kortit[2].lainassa, std::string("Pekka"));
        QCOMPARE(i.tk().kortit[3].lainassa, std::string());
    }

    void tallennusIlmanNimeaEiKirjoitaTiedostoa() {
        Oikea_paaikkuna i({{"1", "A"}});
        QVERIFY(testituki::kirjoita_kenttaan(i.o<QLineEdit>("nimi_kentta"), QString()));
        QVERIFY(testituki::paina(*i.f, Qt::Key_S, Qt::ControlModifier));
        QVERIFY(!fs::exists(i.k.juuri() / "testi.rkb"));
        QCOMPARE(i.o<QLineEdit>("nimi_kentta")->text(), fi("Syötä elokuvan nimi!"));
        QCOMPARE(i.o<QLineEdit>("nimi_kentta")->selectedText(), fi("Syötä elokuvan nimi!"));
        QVERIFY(i.o<QLineEdit>("nimi_kentta")->hasFocus());
    }

    void uusiTiedostoOlemassaKysyyUudelleen() {
        Oikea_paaikkuna i({{"1", "A"}});
        i.k.kirjoita("vanha.rkb", "x");
        i.tyopoyta.avattavat = {QString::fromStdString((i.k.juuri() / "vanha.rkb").string()),
                                QString::fromStdString((i.k.juuri() / "uusi.rkb").string())};
        i.o<QAction>("Uusi_Menu")->trigger();
        QCOMPARE(i.viestit.tekstit(), std::vector<std::string>{"Tiedosto on jo olemassa, syötä uusi tiedoston nimi"});
        QVERIFY(fs::exists(i.k.juuri() / "uusi.rkb"));
        QCOMPARE(i.tk().kortit.Count(), 2);
        QCOMPARE(i.o<QLineEdit>("nimi_kentta")->text(), fi("Syötä elokuvan nimi!"));
        QCOMPARE(i.tk().tiedosto, polku_tekstiksi(i.k.juuri() / "uusi.rkb"));
    }

    void ohjeetJaTulostinKertovatEpaonnistumisesta() {
        Oikea_paaikkuna i({{"1", "A"}});
        i.tyopoyta.avautuu = [&](const QUrl&) { return i.tyopoyta.avatut.size() == 1; };
        const std::vector<QUrl>& avatut = i.tyopoyta.avatut;
        i.o<QAction>("Lueminut_html")->trigger();
        i.o<QAction>("historia_html")->trigger();
        i.tyopoyta.tulostin = false;
        i.o<QAction>("TulostimenAsetukset1")->trigger();
        QCOMPARE(avatut.size(), std::size_t(2));
        QCOMPARE(avatut[0].toLocalFile(), QString::fromStdString((i.k.juuri() / "lueminut.html").string()));
        QCOMPARE(i.viestit.tekstit(),
                 (std::vector<std::string>{"Tiedoston käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna "
                                           "selain (esim. Internet Explorer) avataksesi tämän dokumentin.",
                                           "Ohjelma ei löydä tulostinta!"}));
    }

    void pikaAvausNayttaaKymmenenTiedostoa() {
        Oikea_paaikkuna i({{"1", "A"}});
        for (int n = 0; n < 12; ++n) i.k.kirjoita("t" + std::to_string(10 + n) + (n % 2 ? ".RKB" : ".rkb"), "x");
        emit i.o<QMenu>("Avaa")->aboutToShow();
        int nakyvat = 0;
        for (int n = 1; n <= 10; ++n) nakyvat += i.o<QAction>(("Tiedosto" + std::to_string(n)).c_str())->isVisible() ? 1 : 0;
        QCOMPARE(nakyvat, 10);
    }
};

// The program's start-up and shut-down with the real windows, each in a folder of its own.
class KaynnistysTest : public QObject {
    Q_OBJECT

    static fs::path esimerkki() { return testituki::datakansio() / "esimerkki.rkb"; }

private slots:
    void ilmanOletustaLuodaanUusiJaAsetuksetKirjoitetaan() {
        testituki::Kaynnistys s;
        QVERIFY(s.kaynnista());
        QVERIFY(fs::exists(s.k.juuri() / "default.rkb"));
        QCOMPARE(s.m().varasto().tk().kortit.Count(), 2);
        QCOMPARE(s.m().varasto().tk().kortit[1].nimi, std::string("Syötä elokuvan nimi!"));
        QCOMPARE(s.m().varasto().tk().tiedosto, polku_tekstiksi(s.k.juuri() / "default.rkb"));
        QVERIFY(s.m().isVisible());
        QVERIFY(s.m().findChild<QTimer*>("Timer2")->isActive());
        const std::string ini = s.k.lue("asetukset.ini");
        const auto kohta = [&](const char* avain) { return ini.find(avain); };
        QVERIFY(kohta("versionumero=") < kohta("kesto="));
        QVERIFY(kohta("form_skin_dir=") < kohta("button_skin_dir="));
        QVERIFY(kohta("button_skin_dir=") < kohta("sortattuna="));
        s.m().close();
    }

    void esimerkkiTarjotaan_data() {
        QTest::addColumn<bool>("kylla");
        QTest::newRow("kyllä") << true;
        QTest::newRow("ei") << false;
    }
    void esimerkkiTarjotaan() {
        QFETCH(bool, kylla);
        testituki::Kaynnistys s;
        fs::copy_file(esimerkki(), s.k.juuri() / "esimerkki.rkb");
        s.viestit.vastaukset = {kylla ? diag::Vastaus::Kylla : diag::Vastaus::Ei};
        QVERIFY(s.kaynnista());
        QCOMPARE(s.viestit.naytetyt.size(), std::size_t(1));
        QVERIFY(s.viestit.naytetyt[0].teksti.rfind("Olet käynnistänyt ohjelman ensimmäistä kertaa!\n", 0) == 0);
        QVERIFY(fs::exists(s.k.juuri() / "default.rkb"));
        if (kylla) {
            QCOMPARE(s.m().varasto().tk().tiedosto, polku_tekstiksi(s.k.juuri() / "esimerkki.rkb"));
            QVERIFY(s.m().varasto().tk().kortit.Count() > 40);
            QCOMPARE(s.m().findChild<QLineEdit*>("nimi_kentta")->text(), fi("Pakkasyön vartija (1987)"));
        } else {
            QCOMPARE(s.m().varasto().tk().kortit.Count(), 2);
        }
        s.m().close();
    }

    void debugAvaaPuuttuvanOletuksenLataajalla() {
        testituki::Kaynnistys s;
        QVERIFY(s.kaynnista({"-debug"}));
        QVERIFY(!fs::exists(s.k.juuri() / "default.rkb"));
        QCOMPARE(s.viestit.naytetyt.size(), std::size_t(1));
        QVERIFY(s.viestit.naytetyt[0].teksti.find("default.rkb") != std::string::npos);
        // With no file behind the catalogue, saving asks for a name instead of failing.
        QCOMPARE(s.m().varasto().tk().tiedosto, std::string());
        QVERIFY(testituki::kirjoita_kenttaan(s.m().findChild<QLineEdit*>("nimi_kentta"), fi("Ensimmäinen")));
        s.tyopoyta.tallennettavat = {QString::fromStdString((s.k.juuri() / "talteen.rkb").string())};
        QVERIFY(testituki::paina(s.m(), Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(s.tiedoston_nimet("talteen.rkb"), std::vector<std::string>{"Ensimmäinen"});
        s.m().close();
    }

    void toinenKopioEiKaynnisty() {
        testituki::Kaynnistys s;
        QVERIFY(s.kaynnista());
        diag::TestiViestit toiset;
        Ohjelma toinen(s.k.juuri(), jarjestelman_tiedostot(), toiset, s.kiire, s.tyopoyta);
        QVERIFY(!toinen.kaynnista({"rullakko"}));
        QCOMPARE(toiset.tekstit(), std::vector<std::string>{"Rullakko on jo käynnissä!"});
        s.m().close();
    }

    void uusiKorttiNimiJaTallennusLevylle() {
        testituki::Kaynnistys s;
        fs::copy_file(esimerkki(), s.k.juuri() / "omat.rkb");
        QVERIFY(s.kaynnista({QString::fromStdString((s.k.juuri() / "omat.rkb").string())}));
        TMain_form& m = s.m();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        const int ennen = m.varasto().tk().kortit.Count();
        QTest::keyClick(m.findChild<QLineEdit*>("nimi_kentta"), Qt::Key_F6);
        QCOMPARE(m.varasto().tk().kortit.Count(), ennen + 1);
        QTRY_VERIFY(m.findChild<QLineEdit*>("nimi_kentta")->hasFocus());
        testituki::nappaile(m.findChild<QLineEdit*>("nimi_kentta"), fi("Äänetön elokuva"));
        QTest::keySequence(&m, QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(!m.varasto().tk().kortit.muutettu);

        const std::vector<std::string> nimet = s.tiedoston_nimet("omat.rkb");
        QCOMPARE(static_cast<int>(nimet.size()), ennen);
        QVERIFY(std::count(nimet.begin(), nimet.end(), "Äänetön elokuva") == 1);
        m.close();
    }

    void lopetusKysyyMuutoksistaJaPoistaaTyotiedostot() {
        testituki::Kaynnistys s;
        fs::copy_file(esimerkki(), s.k.juuri() / "omat.rkb");
        QVERIFY(s.kaynnista({"omat.rkb"}));
        TMain_form& m = s.m();
        // The covers come out after the first card is shown.
        QTRY_VERIFY(fs::exists(s.k.juuri() / "gfx" / "kannet" / "11111111.jpg"));
        s.k.kirjoita("gfx/kopio.jpg", "x");
        QVERIFY(testituki::kirjoita_kenttaan(m.findChild<QLineEdit*>("nimi_kentta"), "Muutettu nimi"));
        m.varasto().tk().kortit.merkitse_muutetuksi();
        s.viestit.vastaukset = {diag::Vastaus::Kylla};
        m.findChild<QAction*>("Lopeta_Menu")->trigger();
        QCOMPARE(s.viestit.tekstit(), std::vector<std::string>{"Tietokantaa on muuteltu, tallennetaanko muutokset?"});
        QVERIFY(!fs::exists(s.k.juuri() / "gfx" / "kannet" / "11111111.jpg"));
        QVERIFY(!fs::exists(s.k.juuri() / "gfx" / "kopio.jpg"));
        QVERIFY(fs::exists(s.k.juuri() / "asetukset.ini"));

        const std::vector<std::string> nimet = s.tiedoston_nimet("omat.rkb");
        QVERIFY(std::count(nimet.begin(), nimet.end(), "Muutettu nimi") == 1);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int tulos = 0;
    {
        MainFormTest t;
        tulos |= QTest::qExec(&t, argc, argv);
    }
    {
        KaynnistysTest t;
        tulos |= QTest::qExec(&t, argc, argv);
    }
    return tulos;
}

#include "main_form_ui_test.moc"
