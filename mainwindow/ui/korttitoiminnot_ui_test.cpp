// Moving between cards, the card operations, the views, the cover and the rating, driven through the
// real main window.
#include <QActionGroup>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <optional>

#include "diag/ui/teksti.h"
#include "mainwindow/ui/main_form.h"
#include "testituki/oikea_paaikkuna.h"
#include "mainwindow/ui/pieni_kansi.h"
#include "mainwindow/ui/tahdet.h"
#include "storage/kannet.h"

namespace fs = std::filesystem;
using testituki::kirjoita_kenttaan;
using testituki::paina;

namespace {


void rullaa(QWidget* w, int delta) {
    const QPointF kohta(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(kohta, w->mapToGlobal(kohta), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

void liikuta(QWidget* w) {
    const QPointF kohta(5, 5);
    QMouseEvent e(QEvent::MouseMove, kohta, w->mapToGlobal(kohta), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void pudota(TMain_form& f, const std::vector<fs::path>& tiedostot) {
    QMimeData data;
    QList<QUrl> osoitteet;
    for (const fs::path& p : tiedostot) osoitteet << QUrl::fromLocalFile(QString::fromStdString(p.string()));
    data.setUrls(osoitteet);
    // A drop reaches the window that accepted the drag's entry.
    QDragEnterEvent sisaan(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f, &sisaan);
    QVERIFY(sisaan.isAccepted());
    QDropEvent e(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f, &e);
}

void tee_kuva(const fs::path& p, QColor vari, int leveys = 40, int korkeus = 60) {
    fs::create_directories(p.parent_path());
    QImage kuva(leveys, korkeus, QImage::Format_RGB32);
    kuva.fill(vari);
    QVERIFY(kuva.save(QString::fromStdString(p.string())));
}

// Opens the Edit menu of the main window with its Alt letter, as a person does; null when it does not open.
QMenu* avaa_muokkaa(Oikea_paaikkuna& i) {
    QMenu* m = i.o<QMenu>("MuokkaaMenu");
    QWidget* k = testituki::kohdistettu(*i.f);
    if (!k) return nullptr;
    QTest::keyClick(k, Qt::Key_M, Qt::AltModifier);
    return QTest::qWaitFor([m] { return m->isVisible(); }) ? m : nullptr;
}

// Picks an item of the Edit menu with the mouse, the menu opened first.
bool valitse_muokkaa(Oikea_paaikkuna& i, const char* kohta) {
    QMenu* m = avaa_muokkaa(i);
    return m && testituki::napsauta_valikosta(m, i.o<QAction>(kohta));
}

// Picks an item of the view menu that a right click on the right-hand area opens, with the mouse.
bool valitse_nakymavalikosta(Oikea_paaikkuna& i, const char* kohta) {
    QMenu* m = i.o<QMenu>("NakymaPopUp");
    QAction* a = i.o<QAction>(kohta);
    QTest::mouseClick(i.f->findChild<Sivupaneeli*>(), Qt::RightButton, Qt::NoModifier, QPoint(160, 134));
    return QTest::qWaitFor([m] { return m->isVisible(); }) && a->isVisible() && testituki::napsauta_valikosta(m, a);
}

}  // namespace

class KorttitoiminnotTest : public QObject {
    Q_OBJECT

private slots:
    void edellinenJaSeuraavaReunoilla() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}, {"2", "C"}});
        QTest::mouseClick(i.o<QPushButton>("edellinen_button"), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 1);
        QCOMPARE(i.tyopoyta.piippauksia, 1);
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 3);
        QCOMPARE(i.tyopoyta.piippauksia, 1);
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 3);
        QCOMPARE(i.tyopoyta.piippauksia, 2);
        QCOMPARE(cp(i.o<QLineEdit>("nimi_kentta")->text()), std::string("C"));
        // Ctrl+Alt+Left acts as a left press on previous.
        QVERIFY(paina(*i.f, Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier));
        QCOMPARE(i.tk().nykyinen, 2);
    }

    void kasettihypytOikeallaNapilla() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}, {"2", "C"}, {"2", "D"}, {"3", "E"}});
        struct Askel {
            QPushButton* nappi;
            int indeksi;
            int piippauksia;
        };
        const Askel askeleet[] = {
            {i.o<QPushButton>("seuraava_button"), 3, 0},   // first card of the next cassette
            {i.o<QPushButton>("seuraava_button"), 5, 0},
            {i.o<QPushButton>("seuraava_button"), 5, 1},   // past the last cassette: beep, back at the start card
            {i.o<QPushButton>("edellinen_button"), 4, 1},  // last card of the previous cassette
            {i.o<QPushButton>("edellinen_button"), 2, 1},
            {i.o<QPushButton>("edellinen_button"), 2, 2},
        };
        for (const Askel& a : askeleet) {
            QTest::mouseClick(a.nappi, Qt::RightButton);
            QCOMPARE(i.tk().nykyinen, a.indeksi);
            QCOMPARE(i.tyopoyta.piippauksia, a.piippauksia);
        }
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::MiddleButton);
        QCOMPARE(i.tk().nykyinen, 2);
    }

    void nimetonKorttiEiPaastaLiikkumaan() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}});
        QVERIFY(kirjoita_kenttaan(i.o<QLineEdit>("nimi_kentta"), QString()));
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        QCOMPARE(i.tk().nykyinen, 1);
        QCOMPARE(i.tyopoyta.piippauksia, 1);
        QCOMPARE(cp(i.o<QLineEdit>("nimi_kentta")->text()), std::string("Syötä elokuvan nimi!"));
        QVERIFY(i.o<QLineEdit>("nimi_kentta")->hasFocus());
        QCOMPARE(i.o<QLineEdit>("nimi_kentta")->selectedText(), i.o<QLineEdit>("nimi_kentta")->text());
        // The list button asks first for a title too, and never reaches the list.
        QVERIFY(kirjoita_kenttaan(i.o<QLineEdit>("nimi_kentta"), QString()));
        QTest::mouseClick(i.o<QPushButton>("Lista_button"), Qt::LeftButton);
        QCOMPARE(i.muut.lista_.kaikkia, 0);
        QCOMPARE(i.tyopoyta.piippauksia, 2);
    }

    void listanappiKysyyKummanListan() {
        Oikea_paaikkuna i({{"1", "A"}});
        int kysytty = 0, vastaus = 0;
        testituki::Testilista& lista = i.muut.lista_;
        i.tyopoyta.dialogi = [&](QDialog& d) {
            if (d.objectName() == "kumpi_lista_form") ++kysytty;
            return vastaus;
        };
        QTest::mouseClick(i.o<QPushButton>("Lista_button"), Qt::RightButton);
        QCOMPARE(kysytty, 0);
        QCOMPARE(lista.kaikkia, 1);
        QVERIFY(lista.muoto.value_or(false));
        lista.haku = true;
        for (const int v : {0, 1, 2}) {
            vastaus = v;
            QTest::mouseClick(i.o<QPushButton>("Lista_button"), Qt::LeftButton);
        }
        QVERIFY(!lista.muoto.value_or(true));
        QCOMPARE(kysytty, 3);
        QCOMPARE(lista.hakutuloksia, 1);
        QCOMPARE(lista.kaikkia, 2);
    }

    void hakutuloksetSelataanListanRiveittain() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}});
        std::vector<int> pyydetyt;
        bool lopussa = false;
        i.muut.lista_.auki = true;
        i.muut.lista_.haku = true;
        i.muut.lista_.rivi = [&](int suunta) {
            pyydetyt.push_back(suunta);
            return !lopussa;
        };
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        lopussa = true;
        QTest::mouseClick(i.o<QPushButton>("edellinen_button"), Qt::LeftButton);
        QCOMPARE(pyydetyt, (std::vector<int>{1, -1}));
        QCOMPARE(i.tyopoyta.piippauksia, 1);
        QCOMPARE(i.tk().nykyinen, 1);  // the list window opens the rows itself
        // The right button still jumps by cassette in the catalogue's order.
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::RightButton);
        QCOMPARE(pyydetyt.size(), std::size_t(2));
    }

    void valikotOikeallaNapilla() {
        Oikea_paaikkuna i({{"1", "A"}});
        tee_kuva(i.k.juuri() / "gfx" / "kannet" / "33333333.jpg", Qt::cyan);
        i.kortti().cover_fn = "gfx\\kannet\\33333333.jpg";
        // The view menu over the right-hand area offers removing the cover only while a cover is shown.
        for (const int nakyma : {0, 3}) {
            i.f->aseta_nakyma(nakyma);
            if (nakyma == 3) QTRY_VERIFY(i.o<PieniKansi>("cover_image")->nayttaa_kannen());
            QTest::mouseClick(i.f->findChild<Sivupaneeli*>(), Qt::RightButton, Qt::NoModifier, QPoint(160, 134));
            QTRY_VERIFY(i.o<QMenu>("NakymaPopUp")->isVisible());
            QCOMPARE(i.o<QAction>("poista_kansikuva")->isVisible(), nakyma == 3);
            QCOMPARE(i.o<QAction>("nayta_kansi")->isChecked(), nakyma == 3);
            QTest::keyClick(i.o<QMenu>("NakymaPopUp"), Qt::Key_Escape);
            QTRY_VERIFY(!i.o<QMenu>("NakymaPopUp")->isVisible());
        }
        QTest::mouseClick(i.f->findChild<Korttinakyma*>(), Qt::RightButton, Qt::NoModifier, QPoint(400, 350));
        QVERIFY(!i.o<QMenu>("NakymaPopUp")->isVisible());

        // The labels' menu: the page item on the page labels, the sort items on the field labels.
        struct Tapaus {
            QLabel* otsikko;
            const char* kohta;
            bool lajittelu;
        };
        const Tapaus tapaukset[] = {{i.o<QLabel>("Kommentit"), "Aseta kortin oletusnäkymäksi  kommentit", false},
                                    {i.o<QLabel>("Juoni"), "Aseta kortin oletusnäkymäksi  juoni", true},
                                    {i.o<QLabel>("Nimi"), nullptr, true}};
        for (const Tapaus& t : tapaukset) {
            testituki::napsauta_oikealla(t.otsikko, QPoint(2, 2));
            QTRY_VERIFY(i.o<QMenu>("TextPopup")->isVisible());
            QCOMPARE(i.o<QAction>("aseta_def_nakymaksi")->isVisible(), t.kohta != nullptr);
            if (t.kohta) QCOMPARE(cp(i.o<QAction>("aseta_def_nakymaksi")->text()), std::string(t.kohta));
            QCOMPARE(i.o<QAction>("Sort4Nouseva")->isVisible(), t.lajittelu);
            QTest::keyClick(i.o<QMenu>("TextPopup"), Qt::Key_Escape);
            QTRY_VERIFY(!i.o<QMenu>("TextPopup")->isVisible());
        }
        testituki::napsauta_oikealla(i.o<QLabel>("Kommentit"), QPoint(2, 2));
        QMenu* tekstivalikko = i.o<QMenu>("TextPopup");
        QTRY_VERIFY(tekstivalikko->isVisible());
        QVERIFY(testituki::napsauta_valikosta(tekstivalikko, i.o<QAction>("aseta_def_nakymaksi")));
        QCOMPARE(i.kortti().nakyma, 1);
    }

    void taustaHimmenneeHaunAjaksi() {
        Oikea_paaikkuna i({{"1", "A"}});
        const fs::path tausta = i.k.juuri() / "tausta.bmp";
        tee_kuva(tausta, QColor(100, 150, 30), 660, 410);
        i.a.ulkoasu.tausta1 = tausta;
        i.a.himmenna_taustakuva = true;
        i.f->ota_ulkoasu(i.a.ulkoasu);
        const QPoint kulma = i.f->centralWidget()->mapTo(i.f.get(), QPoint(3, 3));
        auto vari = [&] { return i.f->grab().toImage().pixelColor(kulma); };
        QColor haun_aikana;
        i.muut.etsinta = [&] { haun_aikana = vari(); };
        QTest::mouseClick(i.o<QPushButton>("etsi_button"), Qt::LeftButton);
        QCOMPARE(haun_aikana, QColor(60, 110, 30));  // bytes of 40 and below stay
        QCOMPARE(vari(), QColor(100, 150, 30));
    }

    void liitettyListaMainIkkunanViereen() {
        Oikea_paaikkuna i({{"1", "A"}});
        QWidget listaikkuna;
        listaikkuna.resize(300, 400);
        listaikkuna.show();
        const int vasen = i.f->screen()->availableGeometry().left();
        const int leveys = listaikkuna.frameGeometry().width();  // with its frame
        // Room on the left: the list's right edge one pixel over the main window. No room: both move.
        const std::pair<int, std::pair<int, int>> paa_lista_paa[] = {{500, {500 - leveys + 1, 500}},
                                                                     {100, {0, leveys - 1}}};
        for (const auto& [paa, odotus] : paa_lista_paa) {
            i.f->move(vasen + paa, 10);
            i.f->sijoita_lista_viereen(&listaikkuna);
            QCOMPARE(listaikkuna.x() - vasen, odotus.first);
            QCOMPARE(i.f->x() - vasen, odotus.second);
            QCOMPARE(listaikkuna.y(), i.f->y());
        }
    }

    void rullaTahtienJaKenttienPaalla() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}, {"1", "C"}});
        i.tk().nykyinen = 2;
        i.kortti().arvosana = "10";
        i.f->update_fields();
        i.tk().kortit.muutettu = false;
        rullaa(i.o<Tahtikuva>("arvosana_kuva"), 120);
        QCOMPARE(i.kortti().arvosana, std::string("10"));
        QVERIFY(!i.tk().kortit.muutettu);
        rullaa(i.o<Tahtikuva>("arvosana_kuva"), -120);
        QCOMPARE(i.kortti().arvosana, std::string("9"));
        QCOMPARE(i.o<Tahtikuva>("arvosana_kuva")->arvosana(), 9);
        QVERIFY(i.tk().kortit.muutettu);
        i.kortti().arvosana = "abc";
        rullaa(i.o<Tahtikuva>("arvosana_kuva"), 120);
        QCOMPARE(i.kortti().arvosana, std::string("1"));

        // Over the title field with the focus in it: away from the user is previous, towards is next.
        QVERIFY(testituki::napsauta_kenttaan(i.o<QLineEdit>("nimi_kentta")));
        rullaa(i.o<QLineEdit>("nimi_kentta"), 120);
        QCOMPARE(i.tk().nykyinen, 1);
        rullaa(i.o<QLineEdit>("nimi_kentta"), -120);
        rullaa(i.o<QLineEdit>("nimi_kentta"), -120);
        QCOMPARE(i.tk().nykyinen, 3);
        // Elsewhere the card is only shown again: what was typed is committed, nothing moves.
        QVERIFY(kirjoita_kenttaan(i.o<QLineEdit>("Vuosi_Kentta"), "1999"));
        rullaa(i.o<QLineEdit>("Vuosi_Kentta"), -120);
        QCOMPARE(i.tk().nykyinen, 3);
        QCOMPARE(i.kortti().vuosi, std::string("1999"));
        // The text area scrolls itself and takes the focus.
        rullaa(i.o<QPlainTextEdit>("Kommentti_Kentta")->viewport(), -120);
        QTRY_VERIFY(i.o<QPlainTextEdit>("Kommentti_Kentta")->hasFocus());
        QCOMPARE(i.tk().nykyinen, 3);
    }

    void kumoaPalauttaaKortinSellaisenaKuinSiihenTultiin() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}});
        i.tk().kortit[2].kommentti = "alku";
        i.tk().kortit[2].nakyma = 1;
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        i.kirjoita(i.o<QPlainTextEdit>("Kommentti_Kentta"), " ja loppu");
        QVERIFY(paina(*i.f, Qt::Key_Return));
        QCOMPARE(i.kortti().kommentti, std::string("alku ja loppu"));
        i.kirjoita(i.o<QLineEdit>("paanayttelijat_kentta"), "Uusi");
        QVERIFY(paina(*i.f, Qt::Key_Return));
        i.tk().kortit.muutettu = true;
        QVERIFY(paina(*i.f, Qt::Key_Z, Qt::ControlModifier));
        QCOMPARE(i.kortti().kommentti, std::string("alku"));
        QCOMPARE(i.kortti().paanayttelijat, std::string());
        QCOMPARE(cp(i.o<QPlainTextEdit>("Kommentti_Kentta")->toPlainText()), std::string("alku"));
        QVERIFY(i.tk().kortit.muutettu);

        // A deleted card's snapshot is never put over the card that takes its index.
        i.viestit.vastaukset = {diag::Vastaus::Kylla};
        QVERIFY(paina(*i.f, Qt::Key_F5));
        QCOMPARE(i.tk().nykyinen, 1);
        QCOMPARE(i.kortti().nimi, std::string("A"));
        QVERIFY(paina(*i.f, Qt::Key_Z, Qt::ControlModifier));
        QCOMPARE(i.kortti().nimi, std::string("A"));
    }

    // Moving over cards stores the fields back into them: values nobody edited stay byte for byte, the
    // non-breaking space and the bytes cp1252 leaves undefined included, and so do values the card view
    // shows in another form (position "0" shown empty, a duration in minutes, the default custom caption).
    void muokkaamatonTekstiSailyyTavuilleen() {
        Oikea_paaikkuna i({{"1", "A"}, {"1", "B"}});
        i.a.minuutteina = true;
        const std::string erikoiset = "a\xa0" "b \x81\x8d\x8f\x90\x9d\x80\x9f\tloppu\xa0";
        TKortti& eka = i.tk().kortit[1];
        eka.juoni = "Juoni " + erikoiset;
        eka.paanayttelijat = "N\xa0" + erikoiset;
        eka.luokitus = "L\xa0" + erikoiset;
        eka.sijainti = "0";
        eka.kesto = "1h 35min";
        TKortti& toka = i.tk().kortit[2];
        toka.nakyma = 1;
        toka.kommentti = "Kommentti " + erikoiset;
        toka.ohjaaja = "O\xa0" + erikoiset;
        toka.kesto = "95";
        const TKortti eka_ennen = eka, toka_ennen = toka;
        i.f->update_fields();
        QCOMPARE(i.o<QLineEdit>("kesto_kentta")->text(), QString("95 min"));
        for (const char* nappi : {"seuraava_button", "edellinen_button", "seuraava_button"})
            QTest::mouseClick(i.o<QPushButton>(nappi), Qt::LeftButton);
        for (const auto& [nyt, ennen] : {std::pair{&eka, &eka_ennen}, std::pair{&toka, &toka_ennen}}) {
            QCOMPARE(nyt->juoni, ennen->juoni);
            QCOMPARE(nyt->kommentti, ennen->kommentti);
            QCOMPARE(nyt->paanayttelijat, ennen->paanayttelijat);
            QCOMPARE(nyt->luokitus, ennen->luokitus);
            QCOMPARE(nyt->ohjaaja, ennen->ohjaaja);
            QCOMPARE(nyt->sijainti, ennen->sijainti);
            QCOMPARE(nyt->kesto, ennen->kesto);
            QCOMPARE(nyt->lisatieto_nimi[0], ennen->lisatieto_nimi[0]);
        }
        QVERIFY(!i.tk().kortit.muutettu);

        // An edit is stored as typed, and clearing a field that was shown empty stores the empty value.
        QLineEdit* kesto = i.o<QLineEdit>("kesto_kentta");
        QVERIFY(kirjoita_kenttaan(kesto, "100 min"));
        QComboBox* sijainti = i.o<QComboBox>("sijainti_kentta");
        QTest::mouseClick(i.o<QPushButton>("edellinen_button"), Qt::LeftButton);
        QCOMPARE(toka.kesto, std::string("100 min"));
        QCOMPARE(eka.sijainti, std::string("0"));
        QVERIFY(kirjoita_kenttaan(sijainti, "3"));
        QTest::mouseClick(i.o<QPushButton>("seuraava_button"), Qt::LeftButton);
        QCOMPARE(eka.sijainti, std::string("3"));
    }

    void poistoKysyyJaJattaaYhdenKortin() {
        Oikea_paaikkuna i({{"1", "Ainoa"}});
        i.tk().kortit.muutettu = false;
        i.viestit.vastaukset = {diag::Vastaus::Ei, diag::Vastaus::Kylla};
        QTest::mouseClick(i.o<QPushButton>("poista_kortti_button"), Qt::LeftButton);
        QCOMPARE(i.tk().kortit.korttien_maara(), 1);
        QCOMPARE(i.kortti().nimi, std::string("Ainoa"));
        QVERIFY(!i.tk().kortit.muutettu);
        QTest::mouseClick(i.o<QPushButton>("poista_kortti_button"), Qt::LeftButton);
        QCOMPARE(i.tk().kortit.korttien_maara(), 1);
        QCOMPARE(i.kortti().nimi, std::string());
        QVERIFY(i.tk().kortit.muutettu);
        QCOMPARE(i.viestit.naytetyt.back().teksti, std::string("Haluatko varmasti poistaa tämän kortin?"));
    }

    void liitaTarjotaanKerranKopiotaKohden() {
        Oikea_paaikkuna i({{"1", "Kannellinen"}, {"2", "Kanneton"}});
        tee_kuva(i.k.juuri() / "gfx" / "kannet" / "12345678.jpg", Qt::blue);
        i.tk().kortit[1].cover_fn = "gfx\\kannet\\12345678.jpg";
        // Whether the open Edit menu offers pasting; the menu is closed again with Escape. Nothing when the
        // menu does not open or close, which equals neither answer.
        auto tarjotaan = [&]() -> std::optional<bool> {
            QMenu* m = avaa_muokkaa(i);
            if (!m) return std::nullopt;
            const bool liita = i.o<QAction>("Liita_kortti")->isEnabled();
            QTest::keyClick(m, Qt::Key_Escape);
            if (!QTest::qWaitFor([m] { return !m->isVisible(); })) return std::nullopt;
            return liita;
        };
        QVERIFY(tarjotaan() == false);
        QVERIFY(valitse_muokkaa(i, "kopioi_kortti"));
        QVERIFY(fs::exists(i.k.juuri() / "gfx" / "kopio.jpg"));
        QVERIFY(tarjotaan() == true);
        QVERIFY(valitse_muokkaa(i, "Liita_kortti"));
        QCOMPARE(i.tk().nykyinen, 3);
        QCOMPARE(i.kortti().nimi, std::string("Kannellinen"));
        // The pasted card has a picture of its own, and the copied picture is gone.
        QVERIFY(i.kortti().cover_fn != "gfx\\kannet\\12345678.jpg");
        QVERIFY(kansikuva_olemassa(i.kansio, i.kortti().cover_fn));
        QVERIFY(!fs::exists(i.k.juuri() / "gfx" / "kopio.jpg"));
        QVERIFY(tarjotaan() == false);

        // A card without a cover pastes without a cover and without a word.
        i.tk().nykyinen = 2;
        i.f->update_fields();
        QVERIFY(valitse_muokkaa(i, "kopioi_kortti"));
        QVERIFY(tarjotaan() == true);
        QVERIFY(valitse_muokkaa(i, "Liita_kortti"));
        QCOMPARE(i.kortti().nimi, std::string("Kanneton"));
        QVERIFY(i.kortti().cover_fn.empty());
        QVERIFY(i.viestit.naytetyt.empty());
        QVERIFY(tarjotaan() == false);
    }

    void pudotetutTiedostot() {
        Oikea_paaikkuna i({{"1", "A"}});
        const fs::path ulkona = i.k.juuri() / "ulkona";
        tee_kuva(ulkona / "kansi.jpg", Qt::green);
        tee_kuva(ulkona / "COVER.JPG", Qt::green);
        fs::create_directories(i.k.juuri() / "gfx" / "kannet");
        i.tk().kortit.muutettu = false;

        pudota(*i.f, {ulkona / "kansi.jpg", ulkona / "COVER.JPG"});
        QTRY_COMPARE(i.viestit.naytetyt.size(), std::size_t(1));
        QCOMPARE(i.viestit.naytetyt[0].teksti, std::string("Raahaa ikkunan päälle vain yksi tiedosto!"));
        pudota(*i.f, {ulkona / "COVER.JPG"});
        QTRY_COMPARE(i.viestit.naytetyt.size(), std::size_t(2));
        QCOMPARE(i.viestit.naytetyt[1].teksti,
                 std::string("Raahaamasi tiedosto ei ole Rullakkon tietokanta tai kansikuva tiedosto (.jpg tai .gif)!"));
        QVERIFY(i.kortti().cover_fn.empty());
        QVERIFY(!i.tk().kortit.muutettu);

        pudota(*i.f, {ulkona / "kansi.jpg"});
        QTRY_COMPARE(i.kortti().cover_fn, std::string("gfx\\kannet\\kansi.jpg"));
        QVERIFY(fs::exists(i.k.juuri() / "gfx" / "kannet" / "kansi.jpg"));
        QVERIFY(i.tk().kortit.muutettu);

        // A catalogue: first the question about the unsaved changes, then it is opened.
        const fs::path esimerkki = fs::path(qEnvironmentVariable("RULLAKKO_DATA").toStdString()) / "esimerkki.rkb";
        fs::copy_file(esimerkki, ulkona / "esimerkki.rkb");
        i.viestit.vastaukset = {diag::Vastaus::Ei};
        pudota(*i.f, {ulkona / "esimerkki.rkb"});
        QTRY_VERIFY(i.tk().kortit.korttien_maara() > 1);
        QCOMPARE(i.viestit.naytetyt[2].teksti, std::string("Tietokantaa on muuteltu, tallennetaanko muutokset?"));
        QVERIFY(i.tk().tiedosto.ends_with("esimerkki.rkb"));
        QCOMPARE(i.tk().nykyinen, 1);
    }

    void automaattinenNakyma() {
        Oikea_paaikkuna i({{"1", "Yksin"}, {"2", "Pari 1"}, {"2", "Pari 2"}, {"3", "Yksin ilman kantta"}});
        tee_kuva(i.k.juuri() / "gfx" / "kannet" / "11111111.jpg", Qt::red);
        for (int n : {1, 2}) i.tk().kortit[n].cover_fn = "gfx\\kannet\\11111111.jpg";
        QVERIFY(!i.o<QAction>("automode")->isChecked());
        QVERIFY(valitse_nakymavalikosta(i, "automode"));
        QVERIFY(i.o<QAction>("automode")->isChecked());
        QCOMPARE(i.f->nakyma(), 3);
        QVERIFY(i.o<PieniKansi>("cover_image")->isVisible());
        QVERIFY(!i.o<QTableWidget>("Muut_elokuvat_grid")->isVisible());
        QTRY_VERIFY(i.o<PieniKansi>("cover_image")->nayttaa_kannen());
        const std::pair<int, int> kortti_nakyma[] = {{2, 0}, {4, 0}, {1, 3}};
        for (const auto& [kortti, nakyma] : kortti_nakyma) {
            i.f->siirry_korttiin(kortti);
            QCOMPARE(i.f->nakyma(), nakyma);
        }
        // Without the automatic mode the view stays as chosen.
        QVERIFY(valitse_nakymavalikosta(i, "automode"));
        QVERIFY(!i.o<QAction>("automode")->isChecked());
        i.f->aseta_nakyma(1);
        i.f->siirry_korttiin(4);
        QCOMPARE(i.f->nakyma(), 1);
        QVERIFY(i.o<QTableWidget>("Muut_elokuvat_grid")->isVisible());
        QVERIFY(!i.o<QTableWidget>("custom_kentat_grid")->isVisible());
        QVERIFY(!i.o<PieniKansi>("cover_image")->isVisible());
    }

    void nakymakuvakkeet() {
        Oikea_paaikkuna i({{"1", "A"}});
        const fs::path kansio = i.k.juuri() / "ikonit";
        const std::pair<Ikoni, int> ikoni_harmaa[] = {{Ikoni::lista_icon, 100}, {Ikoni::kansi_icon, 60},
                                                      {Ikoni::kansi_available_icon, 200}};
        for (const auto& [ikoni, harmaa] : ikoni_harmaa) {
            const fs::path p = kansio / (std::to_string(static_cast<int>(ikoni)) + ".bmp");
            tee_kuva(p, QColor(harmaa, harmaa, harmaa), 21, 21);
            i.a.ulkoasu.ikonit[static_cast<std::size_t>(ikoni)] = p;
        }
        i.a.ulkoasu.icon_korostus = 50;
        i.f->ota_ulkoasu(i.a.ulkoasu);
        auto harmaa = [](QLabel* l) { return l->pixmap().toImage().pixelColor(10, 10).red(); };
        QCOMPARE(harmaa(i.o<QLabel>("lista_icon")), 100);
        QCOMPARE(harmaa(i.o<QLabel>("kansi_icon")), 60);
        i.f->aseta_nakyma(1);
        QCOMPARE(harmaa(i.o<QLabel>("lista_icon")), 150);  // the active view's icon is brightened
        // A card with a cover shows the cover icon's "available" picture; 200 + 50 would reach 255.
        i.kortti().cover_fn = "gfx\\kannet\\x.jpg";
        i.f->update_fields();
        QCOMPARE(harmaa(i.o<QLabel>("kansi_icon")), 200);
        i.f->aseta_nakyma(0);
        QCOMPARE(harmaa(i.o<QLabel>("lista_icon")), 100);
    }

    void tekstialueSuureneeYli135Merkilla() {
        Oikea_paaikkuna i({{"1", "A"}});
        for (const int pituus : {135, 136}) {
            i.kortti().juoni = std::string(static_cast<std::size_t>(pituus), 'x');
            i.f->update_fields();
            liikuta(i.o<QPlainTextEdit>("Kommentti_Kentta")->viewport());
            QCOMPARE(i.f->findChild<Korttinakyma*>()->tekstialue_suurennettu(), pituus == 136);
            QCOMPARE(i.o<QPlainTextEdit>("Kommentti_Kentta")->y(), pituus == 136 ? 248 : 280);
            QCOMPARE(i.o<QLabel>("Lainassa")->isHidden(), pituus == 136);
        }
        QCOMPARE(i.o<QLabel>("Juoni")->y(), 248);
        QVERIFY(i.o<QLabel>("Kommentit")->isHidden());
        QCOMPARE(i.o<QPlainTextEdit>("Kommentti_Kentta")->height(), 114);
        QCOMPARE(i.o<QPlainTextEdit>("Kommentti_Kentta")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // Enter in the field before the script field would land in it; the enlarged text area takes over.
        QVERIFY(testituki::napsauta_kenttaan(i.o<QLineEdit>("Ohjaaja_Kentta")));
        QVERIFY(paina(*i.f, Qt::Key_Return));
        QVERIFY(i.o<QPlainTextEdit>("Kommentti_Kentta")->hasFocus());
        liikuta(i.f->findChild<Korttinakyma*>());
        QVERIFY(!i.f->findChild<Korttinakyma*>()->tekstialue_suurennettu());
        QCOMPARE(i.o<QPlainTextEdit>("Kommentti_Kentta")->geometry(), QRect(95, 280, 340, 49));
        QVERIFY(!i.o<QLabel>("Kommentit")->isHidden());
        QCOMPARE(i.o<QLabel>("Juoni")->y(), 280);
    }

    void tahdetJaArvosanaOsoittimella() {
        Oikea_paaikkuna i({{"1", "A"}});
        const fs::path kuvat = i.k.juuri() / "tahdet";
        tee_kuva(kuvat / "tahdet.bmp", Qt::white, 113, 21);
        tee_kuva(kuvat / "tahdet2.bmp", Qt::black, 113, 21);
        i.a.ulkoasu.tahdet = kuvat / "tahdet.bmp";
        i.a.ulkoasu.tahdet2 = kuvat / "tahdet2.bmp";
        i.f->ota_ulkoasu(i.a.ulkoasu);
        QCOMPARE(i.o<Tahtikuva>("arvosana_kuva")->geometry(), QRect(538, 56, 113, 21));
        auto sytytetyt = [&] {
            const QImage kuva = i.o<Tahtikuva>("arvosana_kuva")->kuva();
            int x = 0;
            while (x < kuva.width() && kuva.pixelColor(x, 10) == Qt::white) ++x;
            return x;
        };
        const std::pair<const char*, int> arvosana_sarakkeet[] = {{"7", 78}, {"abc", 0}, {"10", 113}, {"", 0}};
        for (const auto& [arvosana, sarakkeet] : arvosana_sarakkeet) {
            i.kortti().arvosana = arvosana;
            i.f->update_fields();
            QCOMPARE(sytytetyt(), sarakkeet);
        }
        const std::pair<int, const char*> kohta_arvosana[] = {{102, "9"}, {103, "10"}, {5, "0"}, {6, "1"}};
        for (const auto& [x, arvosana] : kohta_arvosana) {
            QTest::mousePress(i.o<Tahtikuva>("arvosana_kuva"), Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
            QCOMPARE(i.kortti().arvosana, std::string(arvosana));
        }
        i.a.nayta_arvosana = false;
        i.f->update_fields();
        QVERIFY(i.o<Tahtikuva>("arvosana_kuva")->isHidden());
        QCOMPARE(i.o<QLineEdit>("nimi_kentta")->width(), 557);
    }

    void isoKansiJaKannenPoisto() {
        Oikea_paaikkuna i({{"1", "A"}, {"2", "B"}});
        int avattu = 0;
        i.tyopoyta.dialogi = [&](QDialog&) { return ++avattu; };
        i.f->findChild<Sivupaneeli*>()->nayta_iso_kansi();
        QCOMPARE(avattu, 0);
        QCOMPARE(i.viestit.naytetyt.size(), std::size_t(1));
        QVERIFY(i.viestit.naytetyt[0].teksti.starts_with("Kortti ei sisällä elokuvan kansikuvaa"));

        i.kortti().cover_fn = "gfx\\kannet\\puuttuu.jpg";
        i.f->findChild<Sivupaneeli*>()->nayta_iso_kansi();
        // The picture is first sought in the catalogue file (which this test does not have).
        const auto tekstit = i.viestit.tekstit();
        QCOMPARE(tekstit.end()[-2],
                 std::string("VIRHE: Tiedostoa \"gfx\\kannet\\puuttuu.jpg\" ei löydy, poistetaan kansikuva.."));
        QCOMPARE(tekstit.back(), tekstit.front());  // and then there is no cover to show
        QVERIFY(i.kortti().cover_fn.empty());

        const fs::path kansi = i.k.juuri() / "gfx" / "kannet" / "22222222.jpg";
        tee_kuva(kansi, Qt::yellow);
        i.kortti().cover_fn = "gfx\\kannet\\22222222.jpg";
        i.f->findChild<Sivupaneeli*>()->nayta_iso_kansi();
        QCOMPARE(avattu, 1);
        // The menu offers removing the cover in the cover view, once the cover is shown.
        QVERIFY(valitse_nakymavalikosta(i, "nayta_kansi"));
        QTRY_VERIFY(i.o<PieniKansi>("cover_image")->nayttaa_kannen());
        QVERIFY(valitse_nakymavalikosta(i, "poista_kansikuva"));
        QVERIFY(i.kortti().cover_fn.empty());
        QVERIFY(!fs::exists(kansi));
    }

    void kansiPoistuuKortiltaMuttaJaettuTiedostoJaa() {
        Oikea_paaikkuna i({{"1", "A"}, {"2", "B"}, {"3", "Rikki"}});
        const fs::path kansi = i.k.juuri() / "gfx" / "kannet" / "44444444.jpg";
        tee_kuva(kansi, Qt::magenta);
        for (int n : {1, 2}) i.tk().kortit[n].cover_fn = "gfx\\kannet\\44444444.jpg";
        i.f->aseta_nakyma(3);
        QTRY_VERIFY(i.o<PieniKansi>("cover_image")->nayttaa_kannen());  // the menu offers removing a shown cover
        i.tk().kortit.muutettu = false;
        QVERIFY(valitse_nakymavalikosta(i, "poista_kansikuva"));
        QVERIFY(i.kortti().cover_fn.empty());
        QVERIFY(fs::exists(kansi));  // card 2 still shows it
        QVERIFY(i.tk().kortit.muutettu);

        // A picture that cannot be read leaves the card, and the catalogue knows it changed.
        std::ofstream(i.k.juuri() / "gfx" / "kannet" / "rikki.jpg") << "ei kuva";
        i.tk().kortit[3].cover_fn = "gfx\\kannet\\rikki.jpg";
        i.tk().kortit.muutettu = false;
        i.f->siirry_korttiin(3);
        QTRY_VERIFY(i.kortti().cover_fn.empty());
        QVERIFY(i.tk().kortit.muutettu);
        QVERIFY(i.viestit.naytetyt.back().teksti.starts_with("VIRHE: Elokuvan Rikki kansikuvan"));
    }
};

QTEST_MAIN(KorttitoiminnotTest)
#include "korttitoiminnot_ui_test.moc"
