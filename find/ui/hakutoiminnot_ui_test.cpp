#include <QCheckBox>
#include <QMessageBox>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QtTest>

#include "perus/tiedostojarjestelma.h"
#include "diag/ui/teksti.h"
#include "find/ui/etsi_form.h"
#include "find/ui/hakutoiminnot.h"
#include "find/ui/lista_form.h"
#include "mainwindow/ui/kiitokset_form.h"
#include "mainwindow/ui/tilastot_ikkuna.h"
#include "mainwindow/ui/main_form.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/lataus.h"
#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"
#include "testituki/muut_ikkunat.h"
#include "testituki/sijaispaaikkuna.h"

using testituki::Sijaispaaikkuna;
using testituki::kirjoita_kenttaan;
using testituki::paina;

namespace {

// The stand-in main window shown and active, so its keys reach the shortcuts.
void nayta(Sijaispaaikkuna& p) {
    p.w.show();
    p.w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p.w));
}

}  // namespace

class HakutoiminnotTest : public QObject {
    Q_OBJECT

private slots:
    void hakuListaanJaTuplaklikkausKorttiin() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Matrix"}, {"3", "Aliens"}, {"4", "Zorro"}});
        p.tk.kortit[3].lainassa = "Pekka";
        p.tk.nykyinen = 2;
        nayta(p);
        Hakutoiminnot h(p);
        Tetsi_form& e = h.haku_ikkuna();
        QVERIFY(e.listaan_chbox->isChecked());
        QCOMPARE(e.windowTitle(), QString("Etsi..."));
        int dialogeja = 0;
        p.tp.dialogi = [&](QDialog& d) {
            ++dialogeja;
            [&] { QCOMPARE(&d, static_cast<QDialog*>(&e)); }();
            d.show();
            QWidget* k = testituki::kohdistettu(d);
            [&] { QCOMPARE(k, static_cast<QWidget*>(e.hakusanat)); }();
            testituki::nappaile(k, "ALIEN\n");
            return d.result();
        };
        h.etsi();
        QCOMPARE(dialogeja, 1);
        QVERIFY(!e.isVisible());
        QCOMPARE(e.etsi_progress->value(), 0);
        QCOMPARE(e.windowTitle(), QString("Etsi..."));
        QVERIFY(e.isEnabled());
        QCOMPARE(p.tk.nykyinen, 2);  // the search itself does not move the card

        TLista_Form& l = h.lista_ikkuna();
        QVERIFY(l.isVisible());
        QVERIFY(h.lista().hakutulokset());
        QVERIFY(!l.mini());
        QCOMPARE(l.windowTitle(), QString("Lista [2 korttia listassa]"));
        QAbstractItemModel* m = l.ListaGrid->model();
        QCOMPARE(m->index(0, 2).data().toString(), QString("Alien"));
        QCOMPARE(m->index(1, 2).data().toString(), QString("Aliens (Lainassa)"));
        QCOMPARE(l.valittu_rivi(), 1);

        // A double click as the window system delivers it: press and release, then the double click.
        const QPoint rivi2 = l.ListaGrid->visualRect(m->index(1, 2)).center();
        QTest::mouseClick(l.ListaGrid->viewport(), Qt::LeftButton, {}, rivi2);
        QTest::mouseDClick(l.ListaGrid->viewport(), Qt::LeftButton, {}, rivi2);
        QCOMPARE(p.tk.nykyinen, 3);
        QVERIFY(!l.isVisible());
        QVERIFY(p.w.isEnabled());

        // The main window browses the results through the list: the first row opened, then onwards.
        h.lista().nayta_hakutulokset();
        QCOMPARE(p.tk.nykyinen, 1);
        QVERIFY(h.lista().siirry_riville(1));
        QCOMPARE(p.tk.nykyinen, 3);
        QVERIFY(!h.lista().siirry_riville(1));
        QCOMPARE(p.tk.nykyinen, 3);
        // The whole list again, the current card selected.
        h.lista().nayta_kaikki();
        QVERIFY(!h.lista().hakutulokset());
        QCOMPARE(l.valittu_rivi(), 3);

        // The mini list chosen in the dialog.
        p.tp.dialogi = [&](QDialog& d) {
            d.show();
            testituki::aktivoi_ikkuna(&d);
            testituki::napsauta_ruutua(e.minilistaan);
            [&] {
                QVERIFY(e.minilistaan->isChecked());
                QVERIFY(kirjoita_kenttaan(e.hakusanat, "zorro"));
            }();
            QTest::mouseClick(e.etsi_button, Qt::LeftButton);
            return d.result();
        };
        h.etsi();
        QVERIFY(l.mini());
        QCOMPARE(l.windowTitle(), QString("Lista [1 korttia listassa]"));
        QCOMPARE(l.x() + l.frameGeometry().width() - 1, p.w.x());
    }

    // The whole list stays in step with the card when the search window jumps to a hit and when F3,
    // pressed in the main window, finds the next.
    void listaSeuraaHakuaJaF3a() {
        Sijaispaaikkuna p({{"1", "Matrix"}, {"2", "Alien"}, {"3", "Zorro"}, {"4", "Aliens"}});
        p.tk.nykyinen = 1;
        nayta(p);
        Hakutoiminnot h(p);
        TLista_Form& l = h.lista_ikkuna();
        h.lista().aseta_muoto(false);
        h.lista().nayta_kaikki();
        QCOMPARE(l.valittu_rivi(), 1);
        Tetsi_form& e = h.haku_ikkuna();
        p.tp.dialogi = [&](QDialog& d) {
            d.show();
            QWidget* k = testituki::kohdistettu(d);
            [&] {
                QVERIFY(k);
                QCOMPARE(k, static_cast<QWidget*>(e.hakusanat));
            }();
            testituki::nappaile(k, "alien");
            // The search jumps to the next hit instead of listing them; the click gives the words the
            // focus back, so Return there searches.
            testituki::napsauta_ruutua(e.listaan_chbox);
            [&] {
                QVERIFY(!e.listaan_chbox->isChecked());
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.hakusanat));
                QVERIFY(paina(d, Qt::Key_Return));
            }();
            return d.result();
        };
        h.etsi();
        QCOMPARE(p.tk.nykyinen, 2);
        QCOMPARE(l.valittu_rivi(), 2);
        QWidget* k = testituki::kohdistettu(p.w);
        QVERIFY(k);
        QTest::keyClick(k, Qt::Key_F3);
        QCOMPARE(p.tk.nykyinen, 4);
        QCOMPARE(l.valittu_rivi(), 4);
        l.close();
    }

    void eiOsumiaJattaaDialoginAuki() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Matrix"}});
        nayta(p);
        Hakutoiminnot h(p);
        Tetsi_form& e = h.haku_ikkuna();
        h.lista_ikkuna().nayta_hakutulos({1}, false);
        p.tk.nykyinen = 2;
        p.tp.dialogi = [&](QDialog& d) {
            d.show();
            testituki::aktivoi_ikkuna(&d);
            QTest::mouseClick(e.etsi_button, Qt::LeftButton);  // no words
            QTest::mouseClick(e.select_none, Qt::LeftButton);
            [&] {
                QVERIFY(kirjoita_kenttaan(e.hakusanat, "alien"));  // nothing checked: nothing matches
                QTest::mouseClick(e.etsi_button, Qt::LeftButton);
                QVERIFY(d.isVisible());
                QTest::mouseClick(e.select_kaikki, Qt::LeftButton);
                QVERIFY(kirjoita_kenttaan(e.hakusanat, "zzz"));
                QVERIFY(paina(d, Qt::Key_Return));
                QVERIFY(d.isVisible());
                QVERIFY(paina(d, Qt::Key_Escape));
                QVERIFY(!d.isVisible());
            }();
            return d.result();
        };
        h.etsi();
        QCOMPARE(p.viestit.tekstit(), (std::vector<std::string>{"Syötä hakusana/hakusanoja!", "Hakuehdoilla ei löydy kortteja!",
                                                                "Hakuehdoilla ei löydy kortteja!"}));
        QCOMPARE(p.tk.nykyinen, 2);
        // The results that were there give way to the whole list.
        QVERIFY(!h.lista().hakutulokset());
        QCOMPARE(h.lista_ikkuna().ListaGrid->model()->rowCount(), 2);
    }

    void F3EtsiiSeuraavanLoppuunAsti() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Matrix"}, {"3", "Aliens"}, {"4", "Zorro"}});
        p.tk.nykyinen = 4;
        nayta(p);
        Hakutoiminnot h(p);
        Tetsi_form& e = h.haku_ikkuna();
        // Before any search F3 opens the dialog over the dimmed main window.
        int himmeana = 0;
        p.tp.dialogi = [&](QDialog& d) {
            himmeana = p.himmennyksia;
            d.show();
            testituki::aktivoi_ikkuna(&d);
            testituki::napsauta_ruutua(e.listaan_chbox);
            [&] {
                QVERIFY(e.huomaa_label->isVisible() && !e.etsi_progress->isVisible() && !e.minilistaan->isVisible());
                // The click gives the words field the focus back.
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.hakusanat));
            }();
            testituki::nappaile(e.hakusanat, "alien");
            QTest::mouseClick(e.etsi_button, Qt::LeftButton);
            return d.result();
        };
        QVERIFY(paina(p.w, Qt::Key_F3));
        QCOMPARE(himmeana, 1);
        QCOMPARE(p.himmennyksia, 0);
        QCOMPARE(p.tk.nykyinen, 1);  // from the first card, whatever was current
        QVERIFY(!e.isVisible());
        QVERIFY(!h.lista_ikkuna().isVisible());

        p.tp.dialogi = nullptr;  // from now on F3 finds the next card without the dialog
        const int tallennuksia = p.tallennuksia;
        QVERIFY(paina(p.w, Qt::Key_F3));
        QCOMPARE(p.tk.nykyinen, 3);
        QVERIFY(p.tallennuksia > tallennuksia);
        QVERIFY(p.viestit.naytetyt.empty());
        QVERIFY(paina(p.w, Qt::Key_F3));
        QCOMPARE(p.tk.nykyinen, 3);  // no wrap-around to the first card
        QCOMPARE(p.viestit.tekstit(), std::vector<std::string>{"Ei löydy!"});
        QCOMPARE(p.viestit.naytetyt[0].laji, diag::Laji::Tieto);
    }

    void kokoListaJaVaihtunutTietokanta() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Matrix"}, {"3", "Aliens"}});
        p.tk.nykyinen = 2;
        nayta(p);
        Hakutoiminnot h(p);
        TLista_Form& l = h.lista_ikkuna();
        l.nayta_hakutulos({1, 3}, true);
        l.close();
        l.aseta_muoto(false);
        l.nayta_kaikki();
        QVERIFY(l.isVisible());
        QVERIFY(!l.mini());
        QVERIFY(!l.onko_hakutulos());
        QCOMPARE(l.valittu_rivi(), 2);
        QCOMPARE(l.windowTitle(), QString("Lista [3 korttia listassa]"));

        // A catalogue replaced under the list (as opening another file does) is shown at once.
        l.nayta_hakutulos({3}, false);
        p.tk.kortit.tyhjenna();
        p.tk.kortit.lisaa_uusi().nimi = "Uusi";
        p.tk.nykyinen = 1;
        h.kortit_vaihtuivat();
        QVERIFY(!l.onko_hakutulos());
        QCOMPARE(l.ListaGrid->model()->rowCount(), 1);
        QCOMPARE(l.ListaGrid->model()->index(0, 2).data().toString(), QString("Uusi"));
    }

    // Pictures of the windows over the example catalogue and the "perus" skin, for looking at them.
    void kuvakaappaukset() {
        if (testituki::kuvakansio().isEmpty()) QSKIP("kuvat otetaan vain kun RULLAKKO_KUVAT on asetettu");
        const std::filesystem::path data(qEnvironmentVariable("RULLAKKO_DATA").toStdString());
        Sijaispaaikkuna p;
        const Ohjelmakansio asennus(data, jarjestelman_tiedostot());
        const Asetusymparisto y{asennus, p.varasto().tj(), p.viestit, {}, {}};
        QCOMPARE(lataa_ulkoasu(p.a, y), Lataustulos::Valmis);
        p.a.avaa_kannet_heti = false;
        p.tk.kortit.tyhjenna();
        QVERIFY(lue_tietueet(polku_tekstiksi(data / "esimerkki.rkb"), false, false, p.tk.kortit, p.v));
        p.tk.kortit[2].lainassa = "Pekka";
        p.tk.nykyinen = 1;
        Hakutoiminnot h(p);

        Tetsi_form& e = h.haku_ikkuna();
        e.show();
        QVERIFY(kirjoita_kenttaan(e.hakusanat, "alien, matrix"));
        testituki::tallenna_kuva(e, "haku");
        QTest::mouseClick(e.listaan_chbox, Qt::LeftButton);
        testituki::tallenna_kuva(e, "haku_seuraava");
        QTest::mouseClick(e.listaan_chbox, Qt::LeftButton);
        e.close();

        TLista_Form& l = h.lista_ikkuna();
        h.lista().aseta_muoto(false);
        h.lista().nayta_kaikki();
        l.valitse_listan_entry(2);
        testituki::tallenna_kuva(l, "lista");
        QTest::mouseClick(l.Etsi_Button, Qt::LeftButton);
        QTest::keyClicks(l.etsi_edit, "alien");
        testituki::tallenna_kuva(l, "lista_hakusana");
        QTest::keyClick(l.etsi_edit, Qt::Key_Return);
        l.ilmoitusaika->stop();
        QTest::mouseClick(l.Seuraava_button, Qt::LeftButton);
        QTest::mouseClick(l.Seuraava_button, Qt::LeftButton);
        QTest::mouseClick(l.Seuraava_button, Qt::LeftButton);
        testituki::tallenna_kuva(l, "lista_ei_loydy");
        l.close();

        // The mini list beside the real main window, each drawn where the docking put it.
        diag::EiKiiretta kiire;
        testituki::TestiMuut muut;
        Ulkoasusovitin sovitin;
        TMain_form m(asennus, p.a, y, p.viestit, kiire, p.tp, muut, sovitin);
        m.ota_ulkoasu(p.a.ulkoasu);
        m.avaa_tietokanta(polku_tekstiksi(data / "esimerkki.rkb"));
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        p.w.resize(m.size());
        p.w.move(400, 0);
        h.lista().aseta_muoto(true);
        h.lista().nayta_kaikki();
        QImage yhdessa(p.w.x() + m.width(), m.height(), QImage::Format_RGB32);
        yhdessa.fill(Qt::white);
        QPainter maalari(&yhdessa);
        maalari.drawPixmap(l.x(), 0, l.grab());
        maalari.drawPixmap(p.w.x(), 0, m.grab());
        maalari.end();
        testituki::tallenna_kuva(yhdessa, "minilista");
        m.varasto().tk().kortit.muutettu = false;
        m.lopeta();
        l.close();

        QMessageBox tilastot(QMessageBox::Information, "Tiedoksi", {}, QMessageBox::NoButton, &p.w);
        tilastot.addButton("OK", QMessageBox::AcceptRole);
        nayta_tilastot(p);
        tilastot.setText(q(p.viestit.naytetyt.back().teksti));
        tilastot.show();
        testituki::tallenna_kuva(tilastot, "tilastot");

        Tkiitokset_form k(p.a.ulkoasu, jarjestelman_tiedostot(), &p.w);
        k.show();
        testituki::tallenna_kuva(k, "kiitokset");
        k.nayta_pikanappaimet();
        testituki::tallenna_kuva(k, "pikanappaimet");
    }
};

QTEST_MAIN(HakutoiminnotTest)
#include "hakutoiminnot_ui_test.moc"
