#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "find/ui/sort_form.h"
#include "testituki/kuvat.h"

namespace {

// Records every message; the sort window never asks a question, so one counts as a fault.
class Viestit final : public diag::Viestit {
public:
    std::vector<std::string> tekstit;
    int kysymykset = 0;
    void nayta(diag::Laji, const std::string& teksti, const std::string& = {}) override { tekstit.push_back(teksti); }
    diag::Vastaus kysy(diag::Laji, const std::string& teksti, bool = false, const std::string& = {}) override {
        tekstit.push_back(teksti);
        ++kysymykset;
        return diag::Vastaus::Ei;
    }
};

const QColor musta(0, 0, 0);
const QColor keltainen(255, 255, 0);

QColor vari(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

void klikkaa_avainta(QListWidget* lista, int avain) {
    const QRect r = lista->visualItemRect(lista->item(avain));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class SortFormTest : public QObject {
    Q_OBJECT

    Tietokanta tk;
    Viestit viestit;

    std::vector<std::string> vuodet() const {
        std::vector<std::string> t;
        for (int i = 1; i < tk.kortit.Count(); ++i) t.push_back(tk.kortit[i].vuosi);
        return t;
    }

private slots:
    void init() {
        tk.tyhjenna();
        for (const char* v : {"1986", "2004", "1979", "1999"}) {
            TKortti& k = tk.kortit.lisaa_uusi();
            k.vuosi = v;
            k.nimi = std::string("Elokuva ") + v;
        }
        tk.nykyinen = 3;  // 1979
        tk.kortit.muutettu = false;
        viestit = Viestit();
    }

    void kenttaVilkkuuKunnesAvainValitaanJaSuuntaKolmesti() {
        TSort_Form f(tk, viestit);
        QCOMPARE(f.Timer1->interval(), 500);
        QCOMPARE(f.Timer2->interval(), 250);
        QCOMPARE(f.Jarjesta_Listbox->count(), avainten_maara);
        QCOMPARE(f.sort_by->currentText(), QString("Nouseva (1234...)"));
        f.Timer1->setInterval(10);
        f.Timer2->setInterval(10);
        f.show();
        QVERIFY(f.Timer1->isActive());
        QTRY_COMPARE(vari(f.valitse_kentta_text), keltainen);
        QTRY_COMPARE(vari(f.valitse_kentta_text), musta);
        QVERIFY(!f.Jarjesta_button->isEnabled());

        std::vector<QColor> suunnan_varit;
        connect(f.Timer2, &QTimer::timeout, &f, [&] { suunnan_varit.push_back(vari(f.valitse_suunta_text)); });
        klikkaa_avainta(f.Jarjesta_Listbox, 10);
        QCOMPARE(f.valittu_avain(), 10);
        QVERIFY(f.Jarjesta_button->isEnabled());
        QVERIFY(!f.Timer1->isActive());
        QCOMPARE(vari(f.valitse_kentta_text), musta);
        QTRY_VERIFY(!f.Timer2->isActive());
        const std::vector<QColor> odotettu = {keltainen, musta, keltainen, musta, keltainen, musta, musta};
        QVERIFY(suunnan_varit == odotettu);
    }

    void valittuAvainOttaaNapinKayttoonKunIkkunaAvataanUudelleen() {
        TSort_Form f(tk, viestit);
        f.Timer1->setInterval(10);
        f.jarjesta(2, Suunta::Nouseva);  // remembered from an earlier sort
        f.Jarjesta_button->setEnabled(false);
        f.show();
        QTRY_VERIFY(f.Jarjesta_button->isEnabled());
        QVERIFY(!f.Timer1->isActive());
        f.hide();
        QVERIFY(!f.Timer1->isActive());
    }

    void jarjestaNappiJarjestaaJaLoytaaNykyisenKortin() {
        TSort_Form f(tk, viestit);
        QSignalSpy ilmoitus(&f, &TSort_Form::jarjestetty);
        f.show();
        klikkaa_avainta(f.Jarjesta_Listbox, 10);
        QTest::keyClick(f.sort_by, Qt::Key_Down);
        QCOMPARE(f.sort_by->currentText(), QString("Laskeva (...4321)"));
        QTest::mouseClick(f.Jarjesta_button, Qt::LeftButton);
        QVERIFY((vuodet() == std::vector<std::string>{"2004", "1999", "1986", "1979"}));
        QCOMPARE(tk.kortit[tk.nykyinen].vuosi, std::string("1979"));
        QVERIFY(tk.kortit.on_nollakortti(&tk.kortit[0]));
        QVERIFY(tk.kortit.muutettu);
        QCOMPARE(ilmoitus.count(), 1);
        QCOMPARE(ilmoitus.at(0).at(0).toInt(), 10);
        QCOMPARE(ilmoitus.at(0).at(1).toBool(), true);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(!f.isVisible());
        QVERIFY(f.isEnabled());
        QVERIFY(viestit.tekstit.empty());
    }

    void estettyNappiJaPeruutaEivatJarjesta() {
        TSort_Form f(tk, viestit);
        QSignalSpy ilmoitus(&f, &TSort_Form::jarjestetty);
        f.show();
        klikkaa_avainta(f.Jarjesta_Listbox, 10);
        f.Jarjesta_button->setEnabled(false);
        f.Jarjesta_buttonClick();
        QVERIFY(f.isVisible());
        QTest::mouseClick(f.peruuta_button, Qt::LeftButton);
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QCOMPARE(ilmoitus.count(), 0);
        QVERIFY((vuodet() == std::vector<std::string>{"1986", "2004", "1979", "1999"}));
        QVERIFY(!tk.kortit.muutettu);
    }

    void valikostaJaTallennuksestaJarjestetaanNapinTilastaRiippumatta() {
        TSort_Form f(tk, viestit);
        QSignalSpy ilmoitus(&f, &TSort_Form::jarjestetty);
        QVERIFY(!f.Jarjesta_button->isEnabled());
        QVERIFY(!f.jarjesta(-1, Suunta::Laskeva));
        QVERIFY(!f.jarjesta(-1, Suunta::Nouseva));
        QVERIFY((viestit.tekstit == std::vector<std::string>{"Virhe #2433, väärä ItemIndex parametri (-1)",
                                                            "Virhe #2432, väärä ItemIndex parametri (-1)"}));
        QCOMPARE(ilmoitus.count(), 0);

        QVERIFY(f.jarjesta(10, Suunta::Nouseva));
        QVERIFY((vuodet() == std::vector<std::string>{"1979", "1986", "1999", "2004"}));
        QCOMPARE(tk.nykyinen, 1);
        QCOMPARE(f.valittu_avain(), 10);
        QCOMPARE(f.sort_by->currentText(), QString("Nouseva (1234...)"));
        QCOMPARE(ilmoitus.count(), 1);
        QCOMPARE(viestit.kysymykset, 0);
    }

    void suunnanTekstiaEiVoiKirjoittaa() {
        TSort_Form f(tk, viestit);
        f.show();
        QTest::keyClicks(f.sort_by, "Laskeva");
        QCOMPARE(f.sort_by->currentIndex(), 0);
        QCOMPARE(f.suunta(), Suunta::Nouseva);
    }

    void ulkoasuPiirtyyJaKaikkiAvaimetNakyvat() {
        TSort_Form f(tk, viestit);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.rect().contains(f.valitse_kentta_text->geometry()));
        QVERIFY(f.valitse_kentta_text->width() >= f.valitse_kentta_text->sizeHint().width());
        QCOMPARE(f.Jarjesta_button->text(), fi("Järjestä"));
        testituki::tallenna_kuva(f, "sort_form_perus");
        f.hide();

        QPixmap tausta(40, 20);
        tausta.fill(QColor(0, 128, 0));
        QPixmap nappi(60, 22);
        nappi.fill(QColor(200, 0, 0));
        f.aseta_ulkoasu({0x0000FF, 0xFF0000, tausta, nappi, nappi});
        QCOMPARE(vari(f.valitse_suunta_text), QColor(255, 0, 0));
        QVERIFY(f.Jarjesta_button->text().isEmpty());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.Jarjesta_Listbox->verticalScrollBar()->maximum(), 0);
        QVERIFY(f.Jarjesta_Listbox->geometry().bottom() < f.valitse_suunta_text->geometry().top());
        QVERIFY(f.sort_by->geometry().bottom() < f.Jarjesta_button->geometry().top());
        QVERIFY(f.rect().contains(f.peruuta_button->geometry()));
        QVERIFY(f.windowFlags() & Qt::WindowStaysOnTopHint);
        const QImage kuva = f.grab().toImage();
        QCOMPARE(kuva.pixelColor(1, 1), QColor(0, 128, 0));
        testituki::tallenna_kuva(kuva, "sort_form_ulkoasu");
    }
};

QTEST_MAIN(SortFormTest)
#include "sort_form_ui_test.moc"
