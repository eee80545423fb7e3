// "Tuo elokuvia..." from the File menu: the mapping step of a list, a Tellico collection with its covers
// into the real main window, and files that cannot be imported.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <fstream>

#include "diag/ui/teksti.h"
#include "mainwindow/ui/pieni_kansi.h"
#include "storage/kannet.h"
#include "testituki/kaynnistys.h"
#include "testituki/kuvat.h"
#include "testituki/sijaispaaikkuna.h"
#include "tuonti/ui/tuonti_form.h"
#include "tuonti/ui/tuontitoiminnot.h"

namespace fs = std::filesystem;

namespace {

QString testdata(const char* nimi) { return QString(RULLAKKO_SOURCE_DIR "/tuonti/testdata/") + nimi; }

void kirjoita(const fs::path& p, const std::string& sisalto) { std::ofstream(p, std::ios::binary) << sisalto; }

// A spreadsheet saved with a Finnish locale: semicolons, Windows-1252.
const char* suomalainen_taulukko =
    "Nimi;Vuosi;Ohjaaja;Kasetti;Kesto;Hinta;Huomiot\r\n"
    "Tuntematon sotilas;1955;Edvin Laine;12;2h 5min;5 \x80;Isän lahja\r\n"
    "Pikku Pietarin piha;1961;Jack Witikka;12;95;;\r\n";

}  // namespace

class TuontitoiminnotTesti : public QObject {
    Q_OBJECT
private slots:
    void taulukkoKarttavaiheenKautta() {
        testituki::Sijaispaaikkuna p({{"1", "Oma"}});
        p.tk.kortit.muutettu = false;
        Tuontitoiminnot t(p);
        QVERIFY(p.toiminto(Toiminto::Tuo_elokuvia)->isEnabled());
        kirjoita(p.k.juuri() / "elokuvat.csv", suomalainen_taulukko);

        p.tp.avattavat.push_back(QString());  // cancelled at the file dialog
        p.toiminto(Toiminto::Tuo_elokuvia)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 1);

        QStringList otsikot, arvatut;
        QString merkisto, maara;
        p.tp.dialogi = [&](QDialog& d) {
            auto& f = dynamic_cast<Ttuonti_form&>(d);
            f.show();
            if (!QTest::qWaitForWindowExposed(&f)) return int(QDialog::Rejected);
            for (int r = 0; r < f.sarakkeet_grid->rowCount(); ++r) {
                otsikot << f.sarakkeet_grid->item(r, 0)->text();
                arvatut << f.kentta_valinta(r)->currentText();
            }
            merkisto = f.merkisto_valinta->currentText();
            maara = f.maara_label->text();
            // "Huomiot" is not guessed; the user types the start of the field's name into its box.
            QComboBox* huomiot = f.kentta_valinta(6);
            huomiot->setFocus();
            QTest::keyClicks(huomiot, "Kommentit");
            testituki::tallenna_kuva(f, "tuonti_kartta");
            QTest::mouseClick(f.tuo_button, Qt::LeftButton);
            return f.result();
        };
        p.tp.avattavat.push_back(QString::fromStdString((p.k.juuri() / "elokuvat.csv").string()));
        p.toiminto(Toiminto::Tuo_elokuvia)->trigger();
        QCOMPARE(otsikot, (QStringList{"Nimi", "Vuosi", "Ohjaaja", "Kasetti", "Kesto", "Hinta", "Huomiot"}));
        QCOMPARE(arvatut, (QStringList{fi("Elokuvan nimi"), "Tuotantovuosi", "Ohjaaja", fi("Kasetilla/levyllä nro"),
                                       "Kesto", fi(kommentteihin), fi(kommentteihin)}));
        QCOMPARE(merkisto, QString("Windows-1252"));
        QCOMPARE(maara, QString("Elokuvia: 2"));

        QCOMPARE(p.tk.kortit.korttien_maara(), 3);
        QCOMPARE(p.tk.kortit[2].nimi, std::string("Tuntematon sotilas"));
        QCOMPARE(p.tk.kortit[2].kommentti, std::string("Isän lahja / Hinta: 5 \x80"));
        QCOMPARE(p.tk.kortit[3].kesto, std::string("95 min"));
        QVERIFY(p.tk.kortit.muutettu);
        QCOMPARE(p.tk.nykyinen, 2);  // the first imported card is shown
        QCOMPARE(p.viestit.tekstit().back(),
                 std::string("2 elokuvaa tuotiin.\nTiedosto: sarakkeet, joille ei ole kenttää, vietiin kommentteihin "
                             "otsikkoineen: \"Hinta\""));
    }

    void peruutusJaHuonoTiedostoEivatMuutaMitaan() {
        testituki::Sijaispaaikkuna p({{"1", "Oma"}});
        p.tk.kortit.muutettu = false;
        Tuontitoiminnot t(p);
        kirjoita(p.k.juuri() / "elokuvat.csv", suomalainen_taulukko);
        kirjoita(p.k.juuri() / "rikki.tc", "PK\x03\x04 ei ole zip");
        p.tp.dialogi = [](QDialog& d) {
            QTest::mouseClick(dynamic_cast<Ttuonti_form&>(d).peruuta_button, Qt::LeftButton);
            return d.result();
        };
        p.tp.avattavat = {QString::fromStdString((p.k.juuri() / "elokuvat.csv").string()),
                          QString::fromStdString((p.k.juuri() / "rikki.tc").string())};
        p.toiminto(Toiminto::Tuo_elokuvia)->trigger();
        p.toiminto(Toiminto::Tuo_elokuvia)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 1);
        QVERIFY(!p.tk.kortit.muutettu);
        QCOMPARE(p.viestit.tekstit(),
                 std::vector<std::string>{"Tellico-tiedosto on vioittunut: sen zip-rakenne ei ole kunnossa."});
    }

    // The whole program: the collection appended to the open catalogue, its first movie shown with its cover.
    void tellicoKokoelmaPaaikkunaan() {
        testituki::Kaynnistys s;
        QVERIFY(s.kaynnista());
        TMain_form& m = s.m();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        const int ennen = m.varasto().tk().kortit.Count();
        s.tyopoyta.avattavat.push_back(testdata("videot.tc"));
        m.toiminto(Toiminto::Tuo_elokuvia)->trigger();
        const TOmaList& l = m.varasto().tk().kortit;
        QCOMPARE(l.Count(), ennen + 3);
        QCOMPARE(m.varasto().tk().nykyinen, ennen);
        QCOMPARE(l[ennen].nimi, std::string("Pakkasyön vartija"));
        QVERIFY(kansikuva_olemassa(m.varasto().kansio, l[ennen].cover_fn));
        QVERIFY(l.muutettu);
        QVERIFY(s.viestit.tekstit().back().starts_with("3 elokuvaa tuotiin.\nTietue 2: "));
        // The cover view, as a click on its icon beside the card gives it.
        QTest::mouseClick(m.findChild<QLabel*>("kansi_icon"), Qt::LeftButton);
        auto* kansi = m.findChild<PieniKansi*>();
        QVERIFY(kansi);
        QTRY_VERIFY(!kansi->lataus_kesken() && kansi->nayttaa_kannen());
        testituki::tallenna_kuva(m, "tuonti_kortti");
        // The next movie's cover was a PNG with a transparent hole, now a JPEG on white.
        QTest::keyClick(&m, Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(m.varasto().tk().nykyinen, ennen + 1);
        QTRY_VERIFY(!kansi->lataus_kesken() && kansi->nayttaa_kannen());
        testituki::tallenna_kuva(m, "tuonti_png_kortti");
        s.viestit.vastaukset.push_back(diag::Vastaus::Ei);  // not saved at the end
        m.close();
    }
};

QTEST_MAIN(TuontitoiminnotTesti)
#include "tuontitoiminnot_ui_test.moc"
