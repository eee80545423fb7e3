// The lookup on the real main window: the title typed into the card view, the field left, the choose
// window offering the reference card, and its values in the card view's fields after Hyväksy.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "diag/ui/teksti.h"
#include "imdb/ui/valitse_oikea_form.h"
#include "imdb/ui/viitetoiminnot.h"
#include "testituki/oikea_paaikkuna.h"
#include "storage/tallennus.h"

class ViitehakuPaaikkunassaTesti : public QObject {
    Q_OBJECT
private slots:
    void kirjoitettuNimiTaydentyyViitteesta() {
        Oikea_paaikkuna i({{"", ""}});
        {
            Tietokanta viitteet;
            TKortti& k = viitteet.kortit.lisaa_uusi();
            k.nimi = "Kummisetä (The Godfather)";
            k.ohjaaja = "Francis Ford Coppola";
            k.formaatti = "DVD";
            k.vuosi = "1972";
            k.kesto = "175 min";
            k.luokitus = "Draama";
            Varasto tallentaja{viitteet, i.kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), i.viestit, i.kiire};
            QVERIFY(tallenna_tietokanta("dbase.rkb", tallentaja));
        }
        Viitetoiminnot viite(*i.f);
        auto* nimi = i.o<QLineEdit>("nimi_kentta");
        i.kirjoita(nimi, fi("Kummisetä"));
        i.poistu(nimi);
        // The main window posts the lookup once the focus has moved; the program hands it to the wiring.
        QTRY_COMPARE(i.muut.viitehaut.size(), std::size_t(1));
        QCOMPARE(i.muut.viitehaut.back(), std::string("Kummisetä"));

        bool tarjottu = false;
        i.tyopoyta.dialogi = [&](QDialog& d) {
            [&] {
                auto& f = dynamic_cast<Tvalitse_oikea_form&>(d);
                d.show();
                tarjottu = true;
                QCOMPARE(f.windowTitle(), fi("Hyväksytäänkö nämä tiedot?"));
                QCOMPARE(f.lista->item(0)->text(), fi("Kummisetä (The Godfather) (DVD)"));
                // Shown in the fields at once, not yet in the card.
                QCOMPARE(i.o<QLineEdit>("Ohjaaja_Kentta")->text(), QString("Francis Ford Coppola"));
                QVERIFY(testituki::paina(f, Qt::Key_H, Qt::AltModifier));
            }();
            return d.result();
        };
        viite.hae_viitetiedot(i.muut.viitehaut.back());
        QVERIFY(tarjottu);
        QCOMPARE(nimi->text(), fi("Kummisetä (The Godfather)"));
        QCOMPARE(i.o<QLineEdit>("Vuosi_Kentta")->text(), QString("1972"));
        QCOMPARE(i.o<QComboBox>("formaatti_kentta")->currentText(), QString("DVD"));
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->currentText(), QString("Draama"));
        QCOMPARE(i.kortti().ohjaaja, std::string("Francis Ford Coppola"));
        QVERIFY(i.tk().kortit.muutettu);
    }

    // The IMDb window's tip sends the user to "Imdb -> Hae puuttuvat kansikuvat": the menu has that name.
    void kansikuvahaunNimiValikossa() {
        Oikea_paaikkuna i({{"", ""}});
        auto* a = i.f->findChild<QAction*>("HaekaikilleImdbstnoudetuillekorteillekansikuvat1");
        QVERIFY(a);
        QCOMPARE(a->text().remove('&'), QString("Hae puuttuvat kansikuvat"));
    }

    // The lookup waits for an edited title to be left for another control of the main window: not for an
    // untouched title, not while another window (the list window, the IMDb window of Ctrl+E) has the focus.
    void vainMuokattuNimiJaVainToiseenKenttaan() {
        Oikea_paaikkuna i({{"", "Oma"}});
        auto* nimi = i.o<QLineEdit>("nimi_kentta");
        const auto jonot_kasitelty = [] {
            for (int n = 0; n < 3; ++n) QCoreApplication::processEvents();
        };
        QVERIFY(testituki::napsauta_kenttaan(nimi));
        i.poistu(nimi);
        jonot_kasitelty();
        QCOMPARE(i.muut.viitehaut.size(), std::size_t(0));

        i.kirjoita(nimi, fi("Kummisetä"));
        QWidget toinen;
        toinen.setObjectName("toinen_ikkuna");
        auto* kentta = new QLineEdit(&toinen);
        toinen.show();
        QCOMPARE(testituki::kohdistettu(toinen), static_cast<QWidget*>(kentta));
        jonot_kasitelty();
        QCOMPARE(i.muut.viitehaut.size(), std::size_t(0));

        // Back in the main window the title field has the focus again.
        QCOMPARE(testituki::kohdistettu(*i.f), static_cast<QWidget*>(nimi));
        i.poistu(nimi);
        QTRY_COMPARE(i.muut.viitehaut.size(), std::size_t(1));
        QCOMPARE(i.muut.viitehaut.back(), std::string("OmaKummisetä"));
        // Leaving again without a new edit asks nothing more.
        QVERIFY(testituki::napsauta_kenttaan(nimi));
        i.poistu(nimi);
        jonot_kasitelty();
        QCOMPARE(i.muut.viitehaut.size(), std::size_t(1));
    }
};

QTEST_MAIN(ViitehakuPaaikkunassaTesti)
#include "viitehaku_paaikkunassa_ui_test.moc"
