// A card whose fields run to tens of megabytes: the card view, the side panel and the list window are given
// only the beginning of each, and the stored values stay whole through moves, other edits and a save.
#include <QAbstractItemModel>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <cstdint>
#include <string>

#include "diag/ui/raakateksti.h"
#include "diag/ui/teksti.h"
#include "find/ui/lista_form.h"
#include "testituki/kuvat.h"
#include "testituki/oikea_paaikkuna.h"
#include "storage/lataus.h"

namespace {

// Letters in an order the packer cannot shrink much, so the saved catalogue stays within the reading budget.
std::string pitka_teksti(std::size_t pituus, std::uint32_t siemen) {
    static const std::string merkit =
        std::string("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") + "\xa0\xe4\xf6 ";
    std::string t(pituus, ' ');
    for (char& c : t) {
        siemen = siemen * 1664525u + 1013904223u;
        c = merkit[siemen >> 26];
    }
    return t;
}

// What a control shows of a value longer than its limit.
QString alku(std::string_view arvo, std::size_t raja) { return q(arvo.substr(0, raja)) + QChar(0x2026); }

struct Valtava {
    std::string nimi = pitka_teksti(50u << 20, 1);
    std::string juoni = pitka_teksti(20u << 20, 2);
    std::string luokitus = pitka_teksti(3u << 20, 3);
    std::string lisatieto = pitka_teksti(3u << 20, 4);

    // Card 2 of the window gets the huge fields; the catalogue counts as unchanged.
    void kortille(Oikea_paaikkuna& i) const {
        TKortti& k = i.tk().kortit[2];
        k.nimi = nimi;
        k.juoni = juoni;
        k.luokitus = luokitus;
        k.lisatieto_nimi[1] = "Huom:";
        k.lisatieto[1] = lisatieto;
        i.tk().kortit.muutettu = false;
    }
    bool ehja(const TKortti& k) const {
        return k.nimi == nimi && k.juoni == juoni && k.luokitus == luokitus && k.lisatieto[1] == lisatieto &&
               k.lisatieto_nimi[1] == "Huom:";
    }
    // Whether a catalogue holds the huge card whole, wherever saving sorted it.
    bool ehja(const TOmaList& l) const {
        for (int j = 1; j < l.Count(); ++j)
            if (l[j].nimi.size() == nimi.size()) return ehja(l[j]);
        return false;
    }
};

void kuva(QWidget& w, const char* nimi) {
    const QPixmap p = w.grab();  // painting is part of what is measured
    testituki::tallenna_kuva(p, nimi);
}

}  // namespace

class PitkatKentatTest : public QObject {
    Q_OBJECT

private slots:
    void valtavaKorttiNaytetaanAlustaJaSailyyTallennuksessa() {
        const Valtava v;
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}, {"2", "C"}});
        v.kortille(i);

        QElapsedTimer kello;
        kello.start();
        QTest::mousePress(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        kuva(*i.f, "valtava_kortti");
        qInfo() << "card view and side panel of the huge card shown and painted in" << kello.elapsed() << "ms";
        QCOMPARE(i.tk().nykyinen, 2);

        // The card view: single-line controls and combo boxes get their limit, the text area its larger one,
        // and each control that shows a cut value is read-only until the user chooses to edit it.
        auto* nimi = i.o<QLineEdit>("nimi_kentta");
        QCOMPARE(nimi->text(), alku(v.nimi, rivin_nayttoraja));
        QCOMPARE(nimi->cursorPosition(), 0);
        QVERIFY(nimi->isReadOnly());
        QCOMPARE(i.o<QComboBox>("luokitus_kentta")->currentText(), alku(v.luokitus, rivin_nayttoraja));
        QVERIFY(i.o<QComboBox>("luokitus_kentta")->lineEdit()->isReadOnly());
        auto* juoni = i.o<QPlainTextEdit>("Kommentti_Kentta");
        QCOMPARE(raakateksti(juoni), alku(v.juoni, alueen_nayttoraja));
        QVERIFY(juoni->isReadOnly());
        QVERIFY(!i.o<QLineEdit>("paanayttelijat_kentta")->isReadOnly());

        // The side panel: the title in the other-movies grid and its tool tip, the extra field's cell.
        auto* muut = i.o<QTableWidget>("Muut_elokuvat_grid");
        QCOMPARE(muut->rowCount(), 3);
        QCOMPARE(muut->item(2, 0)->text(), alku(v.nimi, rivin_nayttoraja));
        QCOMPARE(muut->item(2, 0)->toolTip(), alku(v.nimi, vihjeen_nayttoraja));
        auto* omat = i.o<QTableWidget>("custom_kentat_grid");
        QCOMPARE(omat->item(1, 1)->text(), alku(v.lisatieto, rivin_nayttoraja));
        QVERIFY(!(omat->item(1, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(omat->item(1, 1)->toolTip().size() < static_cast<qsizetype>(vihjeen_nayttoraja) + 100);
        QVERIFY(omat->item(1, 0)->flags() & Qt::ItemIsEditable);

        // The list window, as the list button and a list search show it.
        TLista_Form lista(*i.f, nullptr);
        kello.restart();
        lista.nayta_kaikki();
        kuva(lista, "valtava_lista");
        qInfo() << "list window with the huge card shown and painted in" << kello.elapsed() << "ms";
        const QAbstractItemModel* malli = lista.ListaGrid->model();
        QCOMPARE(malli->data(malli->index(1, 2)).toString(), alku(v.nimi, rivin_nayttoraja));
        QCOMPARE(malli->data(malli->index(1, 3)).toString(), alku(v.luokitus, rivin_nayttoraja));
        QCOMPARE(malli->data(malli->index(0, 2)).toString(), QString("A"));
        lista.close();

        // Moving on and back, and a save, keep every value whole and announce no change.
        for (const char* nappi : {"seuraava_button", "edellinen_button", "edellinen_button", "seuraava_button"})
            QTest::mousePress(i.o<QPushButton>(nappi), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 2);
        QVERIFY(v.ehja(i.tk().kortit[2]));
        QVERIFY(!i.tk().kortit.muutettu);
        kello.restart();
        i.o<QAction>("Tallenna_Menu")->trigger();
        qInfo() << "saved in" << kello.elapsed() << "ms";
        QVERIFY(i.viestit.naytetyt.empty());
        QVERIFY(v.ehja(i.tk().kortit));
        QVERIFY(!i.tk().kortit.muutettu);
        TOmaList luettu;
        QVERIFY(lue_tietueet(i.tk().tiedosto, false, true, luettu, i.f->varasto()));
        QCOMPARE(luettu.Count(), 4);
        QVERIFY(v.ehja(luettu));
    }

    void muokkausValtavanKortinKentissa() {
        const Valtava v;
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}});
        v.kortille(i);
        QTest::mousePress(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);

        // Another field of the card is edited as always; the huge values stay whole.
        auto* nayttelijat = i.o<QLineEdit>("paanayttelijat_kentta");
        i.kirjoita(nayttelijat, "uusi");
        QTest::keyClick(nayttelijat, Qt::Key_Return);
        QCOMPARE(i.kortti().paanayttelijat, std::string("Uusi"));
        QVERIFY(v.ehja(i.kortti()));
        QVERIFY(i.tk().kortit.muutettu);

        // Typing into a control that shows a cut value asks first. No leaves the value whole; keys that only
        // move about or copy ask nothing.
        auto* nimi = i.o<QLineEdit>("nimi_kentta");
        nimi->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(nimi->hasFocus());
        QTest::keyClick(nimi, Qt::Key_End);
        QTest::keyClick(nimi, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(i.viestit.naytetyt.empty());
        i.viestit.vastaukset = {diag::Vastaus::Ei, diag::Vastaus::Ei};
        QTest::keyClick(nimi, Qt::Key_X);
        QTest::keyClick(nimi, Qt::Key_Backspace);
        QCOMPARE(i.viestit.naytetyt.size(), std::size_t{2});
        QVERIFY(i.viestit.naytetyt[0].teksti.find(std::to_string(v.nimi.size()) + " merkki") != std::string::npos);
        QTest::keyClick(nimi, Qt::Key_Return);
        QVERIFY(v.ehja(i.kortti()));

        // Yes: what the control shows, with the edit, becomes the value, as the question said.
        i.viestit.vastaukset = {diag::Vastaus::Kylla};
        nimi->setFocus(Qt::TabFocusReason);
        QTest::keyClick(nimi, Qt::Key_Home);
        QTest::keyClick(nimi, Qt::Key_Z);
        QVERIFY(!nimi->isReadOnly());
        QTest::keyClick(nimi, Qt::Key_Return);
        QCOMPARE(i.kortti().nimi, "z" + v.nimi.substr(0, rivin_nayttoraja) + "\x85");
        QVERIFY(i.kortti().juoni == v.juoni);
        QVERIFY(i.kortti().lisatieto[1] == v.lisatieto);

        // The text area works the same way.
        auto* juoni = i.o<QPlainTextEdit>("Kommentti_Kentta");
        juoni->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(juoni->hasFocus());
        i.viestit.vastaukset = {diag::Vastaus::Ei};
        QTest::keyClick(juoni, Qt::Key_Q);
        QTest::mousePress(i.o<QPushButton>("edellinen_button"), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 1);
        QVERIFY(i.tk().kortit[2].juoni == v.juoni);
    }
};

QTEST_MAIN(PitkatKentatTest)
#include "pitkat_kentat_ui_test.moc"
