#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include "diag/ui/teksti.h"
#include "settings/ui/asetukset_form.h"
#include "tapes/ui/nauhatoiminnot.h"
#include "tapes/ui/syota_kas.h"
#include "tapes/ui/tyhjaa_nauhaa_form.h"
#include "testituki/kohdistus.h"
#include "testituki/kasettikortit.h"
#include "testituki/kuvat.h"
#include "testituki/sijaispaaikkuna.h"

namespace {

// The catalogue becomes these cards, each titled after its cassette.
void tayta(testituki::Sijaispaaikkuna& p, const std::vector<testituki::Kasettikortti>& kortit) {
    p.tk.kortit.tyhjenna();
    testituki::lisaa_kasettikortit(p.tk.kortit, kortit);
    for (int i = 1; i < p.tk.kortit.Count(); ++i) p.tk.kortit[i].nimi = "Elokuva " + p.tk.kortit[i].kasetilla;
    p.tk.nykyinen = 1;
}

QStringList rivi(const QTableWidget* g, int r) {
    QStringList t;
    for (int c = 0; c < 4; ++c) t << g->item(r, c)->text();
    return t;
}

}  // namespace

class NauhatoiminnotTesti : public QObject {
    Q_OBJECT
private slots:
    void nauhatilanneHakuJaKlikkaus() {
        testituki::Sijaispaaikkuna p;
        tayta(p, {{"1", "SP", "90 min", "180"},
                  {"1", "SP", "1h", "180"},
                  {"2", "DVD", "100 min", ""},
                  {"3", "LP", "100 min", ""},
                  {"4", "SP", "100 min", "240"}});
        Nauhatoiminnot n(p);
        bool naytetty = false;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            naytetty = true;
            auto& f = dynamic_cast<Ttyhjaa_nauhaa_form&>(d);
            d.show();
            QCOMPARE(f.windowTitle(), QString("Nauhatilanne"));
            QTableWidget* g = f.ListaGrid;
            QCOMPARE(g->horizontalHeaderItem(3)->text(), QString("Vapaata (SP)"));
            const int leveydet[] = {41, 53, 53, 78};
            for (int c = 0; c < 4; ++c) {
                QVERIFY(g->columnWidth(c) >= leveydet[c]);
                QVERIFY(g->columnWidth(c) >= g->horizontalHeader()->sectionSizeHint(c));  // headers are whole
            }
            QCOMPARE(g->rowCount(), 3);
            for (int r = 0; r < g->rowCount(); ++r)  // no cell is cut short
                for (int c = 0; c < 4; ++c)
                    QVERIFY(g->columnWidth(c) >= g->fontMetrics().horizontalAdvance(g->item(r, c)->text()) + 6);
            QCOMPARE(rivi(g, 0), (QStringList{"1", "180 min", "150 min", "30 min"}));
            QCOMPARE(rivi(g, 1), (QStringList{"3", "", "50 min", "--"}));
            QCOMPARE(p.tk.nykyinen, 1);
            testituki::tallenna_kuva(f, "nauhatilanne");

            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(1, 0)).center());
            QCOMPARE(p.tk.nykyinen, 4);
            QCOMPARE(f.StatusBar->currentMessage(), fi("Virhe: Et ole kertonut ohjelmalle kasetin pituutta"));
            QTest::keyClick(g, Qt::Key_Down);
            QCOMPARE(p.tk.nykyinen, 5);
            QVERIFY(f.StatusBar->currentMessage().isEmpty());

            // The minutes typed and Return pressed in their field: the search is the default button.
            testituki::napsauta_ruutua(f.LP);
            QVERIFY(f.LP->isChecked());
            QVERIFY(testituki::kirjoita_kenttaan(f.vahintaan, "30"));
            QVERIFY(testituki::paina(f, Qt::Key_Return));
            QCOMPARE(g->rowCount(), 2);  // 15 SP minutes: cassettes 1 and 4
            QCOMPARE(g->item(1, 0)->text(), QString("4"));

            QVERIFY(testituki::kirjoita_kenttaan(f.vahintaan, "noin 90"));
            QVERIFY(testituki::paina(f, Qt::Key_Return));
            QCOMPARE(p.viestit.tekstit().back(), std::string("VIRHE: Syötä kenttään haettava minuuttimäärä esim \"90\""));
            QVERIFY(f.vahintaan->text().isEmpty());
            QCOMPARE(g->rowCount(), 2);

            QVERIFY(testituki::kirjoita_kenttaan(f.vahintaan, "500"));
            QVERIFY(testituki::paina(f, Qt::Key_Return));
            QCOMPARE(g->rowCount(), 3);
            QCOMPARE(p.viestit.tekstit().back(), std::string("Ei löydy!"));
            QTest::mouseClick(f.sulje_button, Qt::LeftButton);
            QVERIFY(!f.isVisible());
            return;
        });
        p.toiminto(Toiminto::Nauhatilanne)->trigger();
        QVERIFY(naytetty);
    }

    // A double click asks the cassette's length; the list shows it at once.
    void tuplaklikkausKysyyPituuden() {
        testituki::Sijaispaaikkuna p;
        tayta(p, {{"1", "SP", "90 min", ""}, {"2", "SP", "60 min", ""}, {"1", "LP", "60 min", ""}});
        Nauhatoiminnot n(p);
        QStringList tilanne;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            if (auto* s = dynamic_cast<Tsyota_kas*>(&d)) {
                d.show();
                QCOMPARE(s->pituus->currentText(), QString("180"));
                testituki::tallenna_kuva(*s, "syota_kas");
                // The length is selected when the dialog opens: typing "2" replaces it and completes.
                QWidget* k = testituki::kohdistettu(*s);
                QCOMPARE(k, static_cast<QWidget*>(s->pituus));
                QTest::keyClick(k, Qt::Key_2);
                QCOMPARE(s->pituus->currentText(), QString("240"));
                QCOMPARE(s->pituus->lineEdit()->selectedText(), QString("40"));
                QVERIFY(testituki::paina(*s, Qt::Key_Return));
                return;
            }
            auto& f = dynamic_cast<Ttyhjaa_nauhaa_form&>(d);
            d.show();
            QTableWidget* g = f.ListaGrid;
            const QPoint kohta = g->visualItemRect(g->item(0, 0)).center();
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, kohta);
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, kohta);
            tilanne = rivi(g, 0);
            return;
        });
        p.toiminto(Toiminto::Nauhatilanne)->trigger();
        QCOMPARE(tilanne, (QStringList{"1", "240 min", "120 min", "120 min"}));
        QCOMPARE(p.tk.kortit[3].nauha, std::string("240"));
        QCOMPARE(p.tk.kortit[2].nauha, std::string());
        QVERIFY(p.tk.kortit.muutettu);
    }

    // A cassette number of megabytes: its cell shows a beginning, and the length asked for it reaches its cards.
    void valtavaKasetinNumero() {
        const std::string kasetti = "K" + std::string(3u << 20, 'k');
        testituki::Sijaispaaikkuna p;
        tayta(p, {{"1", "SP", "90 min", "180"}, {"2", "SP", "60 min", ""}, {"2", "SP", "30 min", ""}});
        p.tk.kortit[2].kasetilla = kasetti;
        p.tk.kortit[3].kasetilla = kasetti;
        Nauhatoiminnot n(p);
        QStringList tilanne;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            if (auto* s = dynamic_cast<Tsyota_kas*>(&d)) {
                d.show();
                QVERIFY(testituki::kirjoita_kenttaan(s->pituus, "240"));
                QCOMPARE(s->pituus->currentText(), QString("240"));
                QTest::mouseClick(s->ok_button, Qt::LeftButton);
                return;
            }
            auto& f = dynamic_cast<Ttyhjaa_nauhaa_form&>(d);
            d.show();
            QTableWidget* g = f.ListaGrid;
            int r = 0;
            while (r < g->rowCount() && g->item(r, 0)->text() != q_nakyva(kasetti)) ++r;
            QVERIFY(r < g->rowCount());
            testituki::tallenna_kuva(f, "nauhatilanne_valtava");
            const QPoint kohta = g->visualItemRect(g->item(r, 1)).center();
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, kohta);
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, kohta);
            for (r = 0; r < g->rowCount() && g->item(r, 0)->text() != q_nakyva(kasetti);) ++r;
            tilanne = rivi(g, r);
        });
        p.toiminto(Toiminto::Nauhatilanne)->trigger();
        QCOMPARE(tilanne, (QStringList{q_nakyva(kasetti), "240 min", "90 min", "150 min"}));
        QCOMPARE(p.tk.kortit[2].nauha, std::string("240"));
        QCOMPARE(p.tk.kortit[3].nauha, std::string("240"));
        QVERIFY(p.tk.kortit[2].kasetilla == kasetti && p.tk.kortit[3].kasetilla == kasetti);
    }

    void pituudenTaydennys_data() {
        QTest::addColumn<QString>("alku");
        QTest::addColumn<int>("valinta");  // characters selected from the end
        QTest::addColumn<int>("nappain");
        QTest::addColumn<QString>("teksti");
        QTest::addColumn<QString>("valittu");
        QTest::newRow("1 -> 120") << "" << 0 << int(Qt::Key_1) << "120" << "20";
        QTest::newRow("9 -> 90") << "" << 0 << int(Qt::Key_9) << "90" << "0";
        QTest::newRow("18 -> 180") << "1" << 0 << int(Qt::Key_8) << "180" << "0";
        QTest::newRow("ei osumaa") << "" << 0 << int(Qt::Key_5) << "5" << "";
        QTest::newRow("askelpalautin valinnasta") << "180" << 2 << int(Qt::Key_Backspace) << "120" << "20";
        QTest::newRow("tyhjaksi") << "9" << 0 << int(Qt::Key_Backspace) << "" << "";
    }
    void pituudenTaydennys() {
        QFETCH(QString, alku);
        QFETCH(int, valinta);
        QFETCH(int, nappain);
        QFETCH(QString, teksti);
        QFETCH(QString, valittu);
        testituki::Sijaispaaikkuna p;
        Tsyota_kas s(p, "1");
        s.show();
        QLineEdit* e = s.pituus->lineEdit();
        // The starting text and selection are set, not typed: typing them would complete them.
        e->setText(alku);
        if (valinta) e->setSelection(static_cast<int>(alku.size()), -valinta);
        else e->end(false);
        QWidget* k = testituki::kohdistettu(s);
        QCOMPARE(k, static_cast<QWidget*>(s.pituus));
        QTest::keyClick(k, Qt::Key(nappain));
        QCOMPARE(e->text(), teksti);
        QCOMPARE(e->selectedText(), valittu);
    }

    void kysyttyPituusTallentuuTaiPeruuntuu() {
        testituki::Sijaispaaikkuna p;
        tayta(p, {{"7", "SP", "90 min", ""}, {"7", "SP", "10 min", ""}});
        Nauhatoiminnot n(p);
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& s = dynamic_cast<Tsyota_kas&>(d);
            s.show();
            QTest::mouseClick(s.asetukset_button, Qt::LeftButton);
            QTest::mouseClick(s.peruuta_button, Qt::LeftButton);
            return;
        });
        n.kysy_kasetin_pituus("7");
        QCOMPARE(p.tk.kortit[1].nauha, std::string());
        QCOMPARE(p.asetussivut, std::vector<int>{Tasetukset_form::Sekalaista_sivu});

        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& s = dynamic_cast<Tsyota_kas&>(d);
            s.show();
            QVERIFY(testituki::kirjoita_kenttaan(s.pituus, "195"));
            QCOMPARE(s.pituus->currentText(), QString("195"));
            QVERIFY(testituki::paina(s, Qt::Key_Return));
            return;
        });
        n.kysy_kasetin_pituus("7");
        QCOMPARE(p.tk.kortit[1].nauha, std::string("195"));
        QCOMPARE(p.tk.kortit[2].nauha, std::string("195"));
    }
};

QTEST_MAIN(NauhatoiminnotTesti)
#include "nauhatoiminnot_ui_test.moc"
