#include <QLabel>
#include <QtTest>
#include <filesystem>

#include "mainwindow/ui/cover_form.h"
#include "testituki/testivarasto.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

class KansiIkkunaTesti : public QObject {
    Q_OBJECT
private slots:
    void selaaKansikortteja() {
        Testivarasto y("kansi_ikkuna");
        QImage kuva(120, 200, QImage::Format_RGB32);
        kuva.fill(Qt::darkCyan);
        QVERIFY(kuva.save(QString::fromStdString((y.kannet() / "a.jpg").string())));
        Tietokanta& tk = y.tk;
        for (const char* kansi : {"gfx\\kannet\\a.jpg", "", "gfx\\kannet\\puuttuu.jpg"}) tk.kortit.lisaa_uusi().cover_fn = kansi;
        diag::TestiViestit& viestit = y.viestit;
        Varasto& v = y.v;
        QWidget paa;
        paa.setGeometry(100, 100, 660, 480);
        int piippauksia = 0, naytetty = 0;
        Tcover_form f(v, {[&] { ++naytetty; }, [&] { ++piippauksia; }}, &paa);
        QCOMPARE(f.geometry(), paa.geometry());
        QVERIFY(f.lataa_kansi());
        QCOMPARE(f.cover_image->size(), QSize(120, 200));
        QCOMPARE(f.cover_image->pos(), QPoint(270, 140));
        f.find_prev->trigger();
        QCOMPARE(piippauksia, 1);
        f.find_next->trigger();  // card 3: its cover file is missing
        QCOMPARE(tk.nykyinen, 3);
        QCOMPARE(naytetty, 1);
        QVERIFY(viestit.tekstit().back() == "Virhe: kuvaa ei löydy, ei ladata!");
    }

    // The picture is read through the program's file system: a cover that is there but cannot be read is
    // told as one that cannot be loaded, and nothing is shown.
    void lukuvirheKerrotaan() {
        Testivarasto y("kansi_lukuvirhe");
        QImage kuva(120, 200, QImage::Format_RGB32);
        kuva.fill(Qt::darkCyan);
        QVERIFY(kuva.save(QString::fromStdString((y.kannet() / "a.jpg").string())));
        y.tk.kortit.lisaa_uusi().cover_fn = "gfx\\kannet\\a.jpg";
        y.tk.nykyinen = 1;
        VikaantuvatTiedostot vt;
        vt.epaonnistu(VikaantuvatTiedostot::Vaihe::Lue, EIO, "a.jpg");
        Varasto v{y.tk, y.kansio, vt, ilman_ikkunaa(), y.viestit, y.kiire};
        QWidget paa;
        Tcover_form f(v, {[] {}, [] {}}, &paa);
        QVERIFY(!f.lataa_kansi());
        QCOMPARE(vt.epaonnistuneet(VikaantuvatTiedostot::Vaihe::Lue), 1);
        QVERIFY(y.viestit.tekstit() == std::vector<std::string>{"Virhe: kuvaa ei löydy, ei ladata!"});
        QVERIFY(f.cover_image->pixmap().isNull());
    }
};

QTEST_MAIN(KansiIkkunaTesti)
#include "cover_form_ui_test.moc"
