#include <QLabel>
#include <QtTest>
#include <filesystem>

#include "diag/testiviestit.h"
#include "mainwindow/ui/cover_form.h"

namespace fs = std::filesystem;

class KansiIkkunaTesti : public QObject {
    Q_OBJECT
private slots:
    void selaaKansikortteja() {
        const fs::path juuri = fs::temp_directory_path() / ("kansi_ikkuna_" + std::to_string(::getpid()));
        fs::remove_all(juuri);
        fs::create_directories(juuri / "gfx" / "kannet");
        QImage kuva(120, 200, QImage::Format_RGB32);
        kuva.fill(Qt::darkCyan);
        QVERIFY(kuva.save(QString::fromStdString((juuri / "gfx" / "kannet" / "a.jpg").string())));
        const Ohjelmakansio kansio(juuri);
        Tietokanta tk;
        for (const char* kansi : {"gfx\\kannet\\a.jpg", "", "gfx\\kannet\\puuttuu.jpg"}) tk.kortit.lisaa_uusi().cover_fn = kansi;
        diag::TestiViestit viestit;
        diag::EiKiiretta kiire;
        const Varasto v{tk, kansio, viestit, kiire};
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
        fs::remove_all(juuri);
    }
};

QTEST_MAIN(KansiIkkunaTesti)
#include "cover_form_uitest.moc"
