#include <QSignalSpy>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "mainwindow/ui/pieni_kansi.h"
#include "testituki/testivarasto.h"

namespace fs = std::filesystem;

class PieniKansiTesti : public QObject {
    Q_OBJECT
private slots:
    void kansiPaikkamerkkiJaRikkinainen() {
        Testivarasto y("pieni_kansi");
        const fs::path& juuri = y.juuri;
        const fs::path data = fs::path(qEnvironmentVariable("RULLAKKO_DATA").toStdString());
        fs::copy_file(data / "gfx" / "kannet" / "ei_kuvaa.gif", juuri / "gfx" / "kannet" / "ei_kuvaa.gif");
        QImage kuva(300, 500, QImage::Format_RGB32);
        kuva.fill(Qt::red);
        QVERIFY(kuva.save(QString::fromStdString((juuri / "gfx" / "kannet" / "a.jpg").string())));
        std::ofstream(juuri / "gfx" / "kannet" / "rikki.jpg") << "ei kuva";
        Tietokanta& tk = y.tk;
        tk.kortit.lisaa_uusi().cover_fn = "gfx\\kannet\\a.jpg";
        TKortti& rikki = tk.kortit.lisaa_uusi();
        rikki.nimi = "Rikki";
        rikki.cover_fn = "gfx\\kannet\\rikki.jpg";
        tk.kortit.lisaa_uusi();
        diag::TestiViestit& viestit = y.viestit;
        Varasto& v = y.v;
        QWidget ikkuna;
        ikkuna.resize(660, 468);
        PieniKansi k(v, &ikkuna);
        k.move(467, 216);
        ikkuna.show();

        k.ajasta();
        QVERIFY(k.lataus_kesken());
        QTRY_VERIFY(!k.lataus_kesken());
        QVERIFY(k.nayttaa_kannen());
        QCOMPARE(k.width(), 87);  // 300 x 500 stretched to the height of 145
        QCOMPARE(k.x() + k.width() / 2, PieniKansi::keskikohta);

        tk.nykyinen = 3;
        k.lataa();
        QVERIFY(!k.nayttaa_kannen());
        QCOMPARE(k.cursor().shape(), Qt::ForbiddenCursor);
        // The placeholder fits the area, clear of the scroll bar and the card counter below it.
        QVERIFY(!k.pixmap().isNull());
        QVERIFY(k.pixmap().width() <= PieniKansi::leveys && k.pixmap().height() <= PieniKansi::korkeus);
        QCOMPARE(k.height(), PieniKansi::korkeus);

        tk.nykyinen = 2;
        QSignalSpy poistettu(&k, &PieniKansi::kansi_poistettu);
        k.lataa();
        QCOMPARE(poistettu.count(), 1);
        QVERIFY(rikki.cover_fn.empty());
        QVERIFY(!k.nayttaa_kannen());
        QCOMPARE(viestit.naytetyt.size(), std::size_t(1));
    }
};

QTEST_MAIN(PieniKansiTesti)
#include "pieni_kansi_ui_test.moc"
