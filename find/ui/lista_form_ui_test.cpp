#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QStyle>
#include <QtTest>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "find/ui/lista_form.h"
#include "testituki/kuvat.h"
#include "testituki/sijaispaaikkuna.h"

using testituki::Sijaispaaikkuna;

namespace {

// Cards titled "Elokuva 1".."Elokuva n", one per cassette.
void lisaa_kortteja(Sijaispaaikkuna& p, int n) {
    p.tk.kortit.tyhjenna();
    for (int i = 1; i <= n; ++i) {
        TKortti& k = p.tk.kortit.lisaa_uusi();
        k.nimi = "Elokuva " + std::to_string(i);
        k.kasetilla = std::to_string(i);
    }
    p.tk.nykyinen = 1;
}

std::vector<std::string> nimet(const Sijaispaaikkuna& p) {
    std::vector<std::string> t;
    for (int i = 1; i < p.tk.kortit.Count(); ++i) t.push_back(p.tk.kortit[i].nimi);
    return t;
}

// The data rows 1.. shown at the top and bottom of the grid's viewport.
int ylin(const TLista_Form& l) { return l.ListaGrid->rowAt(0) + 1; }
int alin(const TLista_Form& l) { return l.ListaGrid->rowAt(l.ListaGrid->viewport()->height() - 1) + 1; }

void klikkaa_otsikkoa(TLista_Form& l, int sarake, Qt::MouseButton nappi) {
    QHeaderView* h = l.ListaGrid->horizontalHeader();
    QTest::mouseClick(h->viewport(), nappi, {}, QPoint(h->sectionViewportPosition(sarake) + 5, h->height() / 2));
}

}  // namespace

class ListaFormTest : public QObject {
    Q_OBJECT

private slots:
    void init() { diag::loki().nollaa(); }

    // A full list opened low on a small desktop comes up whole within it, and disc numbers of two and three
    // digits show whole in the cassette column, in both layouts.
    void tyopoydallaJaLevynNumerotKokonaan() {
        Sijaispaaikkuna p({{"DVD10", "Alien"}, {"DVD123", "Heat"}, {"7", "Ronin"}});
        TLista_Form l(p, p.ikkuna());
        const QRect alue = l.screen()->availableGeometry();
        l.move(alue.left() + 40, alue.bottom() - 100);
        l.nayta_kaikki();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        QVERIFY2(alue.contains(l.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(l.frameGeometry().x())
                     .arg(l.frameGeometry().y()).arg(l.frameGeometry().width()).arg(l.frameGeometry().height())));
        const QFontMetrics fm(l.ListaGrid->font());
        const int tarve = fm.horizontalAdvance(QStringLiteral("DVD123")) +
                          2 * (l.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l.ListaGrid) + 1);
        QVERIFY(l.ListaGrid->columnWidth(0) >= tarve);
        testituki::tallenna_kuva(l, "lista_levyt");
        l.aseta_muoto(true);
        QVERIFY(l.ListaGrid->columnWidth(0) >= tarve);
        l.close();
    }

    void otsikkoJaRivitKortilta() {
        Sijaispaaikkuna p({{"7", "Alien"}});
        p.kortti().lainassa = "Pekka";
        p.kortti().luokitus = "Kauhu";
        TLista_Form l(p, p.ikkuna());
        l.nayta_kaikki();
        QCOMPARE(l.windowTitle(), QString("Lista [1 korttia listassa]"));
        QAbstractItemModel* m = l.ListaGrid->model();
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QString("Elokuvan Nimi"));
        QCOMPARE(m->index(0, 2).data().toString(), QString("Alien (Lainassa)"));
        QCOMPARE(m->index(0, 3).data().toString(), QString("Kauhu"));
        QCOMPARE(l.size(), QSize(472, 516));
        QVERIFY(l.Sulje_Button->isVisible());
        // Printing comes with the list printing: present, disabled, and saying why.
        QVERIFY(l.tulosta_button->isVisible());
        QVERIFY(!l.tulosta_button->isEnabled());
        QVERIFY(!l.tulosta_button->toolTip().isEmpty());
        bool tulostettu = false;
        l.aseta_tulostus([&] { tulostettu = true; });
        p.viestit.vastaukset = {diag::Vastaus::Kylla};
        QTest::mouseClick(l.tulosta_button, Qt::LeftButton);
        QVERIFY(tulostettu);
        QCOMPARE(p.viestit.tekstit().back(), std::string("Haluatko varmasti tulostaa listan?"));
    }

    void valittuRiviVierittyyNakyviin() {
        Sijaispaaikkuna p;
        lisaa_kortteja(p, 100);
        TLista_Form l(p, p.ikkuna());
        // Opened on a card near the end: the first showing already scrolls.
        p.tk.nykyinen = 97;
        l.nayta_kaikki();
        QCOMPARE(l.valittu_rivi(), 97);
        QCOMPARE(alin(l), 100);
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        p.tk.nykyinen = 1;
        l.valitse_listan_entry(95);
        QCOMPARE(l.valittu_rivi(), 95);
        QCOMPARE(alin(l), 100);  // the last rows fill the window
        QVERIFY(ylin(l) <= 95);
        l.valitse_listan_entry(3);
        QCOMPARE(l.valittu_rivi(), 3);
        QCOMPARE(ylin(l), 1);
        l.valitse_listan_entry(50);
        QCOMPARE(ylin(l), 36);
        // Rebuilding (as every activation of the window does) keeps the place, with a card more or not.
        l.tee_lista();
        QCOMPARE(ylin(l), 36);
        p.tk.kortit.lisaa_uusi().nimi = "Elokuva 101";
        l.tee_lista();
        QCOMPARE(ylin(l), 36);
        QCOMPARE(l.valittu_rivi(), 50);
        QCOMPARE(l.ListaGrid->model()->rowCount(), 101);
        p.tk.kortit.poista(101);
        l.tee_lista();
        // Selecting does not move the main window's card; a click does.
        QCOMPARE(p.tk.nykyinen, 1);
        QTest::mouseClick(l.ListaGrid->viewport(), Qt::LeftButton, {},
                          l.ListaGrid->visualRect(l.ListaGrid->model()->index(51, 2)).center());
        QCOMPARE(p.tk.nykyinen, 52);
        QTest::keyClick(l.ListaGrid, Qt::Key_Down);
        QCOMPARE(p.tk.nykyinen, 53);

        // A row past the end is logged and told, and the list is built again.
        // A card gone behind the list's back leaves an empty row, never a read past the catalogue.
        p.tk.kortit.poista(100);
        l.valitse_listan_entry(100);
        QCOMPARE(l.ListaGrid->model()->index(99, 2).data().toString(), QString());
        l.ListaGrid->viewport()->repaint();
        l.valitse_listan_entry(101);
        QCOMPARE(p.viestit.tekstit(), std::vector<std::string>{"Virhe #2! (sel>listagrid.rowcount-1), ohjelma yrittää korjata virheen..."});
        const auto& rivit = diag::loki().rivit();
        QVERIFY(std::find(rivit.begin(), rivit.end(), "-> Yritetään korjata tekemällä lista uudelleen") != rivit.end());
        QCOMPARE(l.ListaGrid->model()->rowCount(), 99);
    }

    void pikahakuJaSenAikaraja() {
        Sijaispaaikkuna p({{"1", "Zorro"}, {"2", "Mad Max"}, {"3", "matrix"}, {"4", "Terminator"}});
        p.tk.kortit[2].lainassa = "Pekka";
        TLista_Form l(p, p.ikkuna());
        l.nayta_kaikki();
        l.ListaGrid->setFocus();
        QTest::keyClicks(l.ListaGrid, "ma");
        QCOMPARE(l.valittu_rivi(), 2);  // the lent 'Mad Max' is found by its title
        QCOMPARE(p.tk.nykyinen, 2);
        QCOMPARE(l.windowTitle(), QString("Lista [4 korttia listassa] Pikaetsi: ma"));
        QTest::keyClicks(l.ListaGrid, "t");
        QCOMPARE(l.valittu_rivi(), 3);
        // 2.5 seconds after the last key the text is gone and a key starts a new one.
        l.Timer1->setInterval(10);
        QTRY_COMPARE(l.windowTitle(), QString("Lista [4 korttia listassa]"));
        QTest::keyClicks(l.ListaGrid, "t");
        QCOMPARE(l.pikahaku().teksti(), std::string("t"));
        QCOMPARE(l.valittu_rivi(), 4);
        QCOMPARE(p.tk.nykyinen, 4);
        // Enter closes the list; arrows still move in it and do not touch the text.
        QTest::keyClick(l.ListaGrid, Qt::Key_Up);
        QCOMPARE(l.pikahaku().teksti(), std::string("t"));
        QTest::keyClick(l.ListaGrid, Qt::Key_Return);
        QVERIFY(!l.isVisible());
        QVERIFY(!l.Timer1->isActive());
    }

    void otsikonKlikkausJarjestaaMuttaEiHakutuloksia() {
        Sijaispaaikkuna p({{"3", "Beta"}, {"1", "Alfa"}, {"2", "Gamma"}});
        TLista_Form l(p, p.ikkuna());
        l.nayta_kaikki();
        p.tk.kortit.muutettu = false;
        klikkaa_otsikkoa(l, 2, Qt::LeftButton);
        QCOMPARE(nimet(p), (std::vector<std::string>{"Alfa", "Beta", "Gamma"}));
        QCOMPARE(p.kortti().nimi, std::string("Beta"));  // the card shown before stays shown
        QVERIFY(p.tk.kortit.muutettu);
        QCOMPARE(l.ListaGrid->model()->index(0, 2).data().toString(), QString("Alfa"));
        QCOMPARE(l.valittu_rivi(), p.tk.nykyinen);
        klikkaa_otsikkoa(l, 0, Qt::RightButton);  // cassette numbers, descending
        QCOMPARE(nimet(p), (std::vector<std::string>{"Beta", "Gamma", "Alfa"}));
        klikkaa_otsikkoa(l, 2, Qt::MiddleButton);  // keeps the last direction
        QCOMPARE(nimet(p), (std::vector<std::string>{"Gamma", "Beta", "Alfa"}));

        l.nayta_hakutulos({1, 3}, false);
        klikkaa_otsikkoa(l, 2, Qt::LeftButton);
        QCOMPARE(p.viestit.tekstit(), std::vector<std::string>{"Virhe: Hakutuloksia ei toistaiseksi voi järjestää"});
        QCOMPARE(nimet(p), (std::vector<std::string>{"Gamma", "Beta", "Alfa"}));
        QVERIFY(l.onko_hakutulos());
        // Deleting and printing are not offered over search results.
        QVERIFY(!l.Poista_button->isVisible());
        QVERIFY(!l.tulosta_button->isVisible());
        QVERIFY(l.Sulje_Button->isVisible());
    }

    void miniListaTelakoituuJaTyontaaReunalta() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Matrix"}});
        p.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.w));
        const int vasen = p.w.screen()->availableGeometry().left();
        TLista_Form l(p, p.ikkuna());
        p.w.move(vasen + 500, 60);
        l.aseta_muoto(true);
        l.nayta_kaikki();
        QVERIFY(l.mini());
        const int leveys = l.frameGeometry().width();
        QCOMPARE(l.width(), TLista_Form::mini_leveys);
        QCOMPARE(l.height(), p.w.height());
        QCOMPARE(l.x(), vasen + 500 - leveys + 1);
        QCOMPARE(l.y(), p.w.y());
        QVERIFY(l.ListaGrid->isColumnHidden(1) && l.ListaGrid->isColumnHidden(3));
        QVERIFY(!l.Sulje_Button->isVisible() && !l.Etsi_Button->isVisible());
        QCOMPARE(l.ListaGrid->height(), l.height() - 4);

        // The list follows the main window.
        p.w.move(vasen + 600, 90);
        QTRY_COMPARE(l.pos(), QPoint(vasen + 600 - leveys + 1, 90));
        p.w.resize(p.w.width(), 520);
        QTRY_COMPARE(l.height(), 520);

        // No room on the left: the list goes to the edge and pushes the main window right.
        l.close();
        p.w.move(vasen + 100, 60);
        l.aseta_muoto(true);
        l.nayta_kaikki();
        QCOMPARE(l.x(), vasen);
        QCOMPARE(p.w.x(), vasen + leveys - 1);

        // The full list again: its own size, buttons back.
        l.aseta_muoto(false);
        l.nayta_kaikki();
        QCOMPARE(l.size(), QSize(472, 516));
        QVERIFY(!l.ListaGrid->isColumnHidden(1));
        QVERIFY(l.Sulje_Button->isVisible());
    }

    void poistoKysyyJaPitaaNaytetynKortin() {
        Sijaispaaikkuna p({{"1", "A"}, {"2", "B"}, {"3", "C"}});
        p.tk.nykyinen = 3;
        TLista_Form l(p, p.ikkuna());
        l.nayta_kaikki();
        l.valitse_listan_entry(1);
        p.viestit.vastaukset = {diag::Vastaus::Ei, diag::Vastaus::Kylla};
        QTest::mouseClick(l.Poista_button, Qt::LeftButton);
        QCOMPARE(p.tk.kortit.Count(), 4);
        QTest::mouseClick(l.Poista_button, Qt::LeftButton);
        QCOMPARE(nimet(p), (std::vector<std::string>{"B", "C"}));
        QCOMPARE(p.kortti().nimi, std::string("C"));
        QVERIFY(p.tk.kortit.muutettu);
        QCOMPARE(l.windowTitle(), QString("Lista [2 korttia listassa]"));
        // The last card is replaced by an empty one, as the main window's delete does.
        p.viestit.vastaukset = {diag::Vastaus::Kylla, diag::Vastaus::Kylla};
        QTest::mouseClick(l.Poista_button, Qt::LeftButton);
        QTest::mouseClick(l.Poista_button, Qt::LeftButton);
        QCOMPARE(p.tk.kortit.Count(), 2);
        QCOMPARE(p.kortti().nimi, std::string());
        QCOMPARE(p.tk.nykyinen, 1);
    }

    void etsiListastaJaVilkkuvaIlmoitus() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Matrix"}, {"3", "Aliens"}, {"4", "Zorro"}});
        p.tk.kortit[4].luokitus = "Kauhu";
        TLista_Form l(p, p.ikkuna());
        l.nayta_kaikki();
        QTest::mouseClick(l.Etsi_Button, Qt::LeftButton);
        QVERIFY(l.etsi_edit->isVisible() && l.etsi_label->isVisible());
        QVERIFY(!l.Etsi_Button->isVisible() && !l.Sulje_Button->isVisible());
        QCOMPARE(l.etsi_edit->width(), l.width() - 95);
        QTest::keyClicks(l.etsi_edit, "alien");
        QTest::keyClick(l.etsi_edit, Qt::Key_Return);
        QCOMPARE(l.valittu_rivi(), 3);  // from the row after the selected one
        QVERIFY(!l.etsi_edit->isVisible() && l.Sulje_Button->isVisible());
        QTest::mouseClick(l.Seuraava_button, Qt::LeftButton);
        QCOMPARE(l.valittu_rivi(), 3);  // no further hit: the notice
        QCOMPARE(p.tp.piippauksia, 1);
        QVERIFY(l.not_found_label->isVisible());
        QVERIFY(!l.Sulje_Button->isVisible() && !l.Poista_button->isVisible());
        QCOMPARE(l.not_found_label->palette().color(QPalette::WindowText), qvari(p.a.ulkoasu.muut_ikkunat_korostettu));
        l.ilmoitusaika->setInterval(10);
        l.ilmoitusaika->start();
        QTRY_VERIFY(!l.not_found_label->isVisible());
        QVERIFY(l.Sulje_Button->isVisible() && l.Poista_button->isVisible());

        // Closed while the notice is up: the next opening shows the buttons, not the notice.
        l.ilmoitusaika->setInterval(TLista_Form::ilmoituksen_kesto);
        QTest::mouseClick(l.Seuraava_button, Qt::LeftButton);
        QVERIFY(l.not_found_label->isVisible());
        l.close();
        l.aseta_muoto(true);
        l.nayta_kaikki();
        QVERIFY(!l.not_found_label->isVisible());
        l.aseta_muoto(false);
        l.nayta_kaikki();
        QVERIFY(l.Sulje_Button->isVisible());
    }
};

QTEST_MAIN(ListaFormTest)
#include "lista_form_ui_test.moc"
