#include <QSignalSpy>
#include <QtTest>

#include "perus/tiedostojarjestelma.h"
#include "mainwindow/ui/tahdet.h"

class TahtiTesti : public QObject {
    Q_OBJECT
private slots:
    void leikkausJaHiiri() {
        const std::filesystem::path gfx = std::filesystem::path(qEnvironmentVariable("RULLAKKO_DATA").toStdString()) / "gfx" / "perus";
        Tahtikuva t;
        t.aseta_kuvat(jarjestelman_tiedostot(), gfx / "tahdet.bmp", gfx / "tahdet2.bmp");
        const QImage lit = QImage(QString::fromStdString((gfx / "tahdet.bmp").string())).convertToFormat(QImage::Format_RGB888);
        const QImage unlit = QImage(QString::fromStdString((gfx / "tahdet2.bmp").string())).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(lit.size(), QSize(113, 21));
        t.aseta_arvosana(7);
        const QImage k = t.kuva();
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 113; ++x) QCOMPARE(k.pixel(x, y), (x < 78 ? lit : unlit).pixel(x, y));
        }
        t.aseta_arvosana(0);
        QCOMPARE(t.kuva(), unlit);

        QSignalSpy valittu(&t, &Tahtikuva::arvosana_valittu);
        QTest::mousePress(&t, Qt::LeftButton, Qt::NoModifier, QPoint(103, 10));
        QTest::mouseRelease(&t, Qt::LeftButton, Qt::NoModifier, QPoint(103, 10));
        QTest::mousePress(&t, Qt::LeftButton, Qt::NoModifier, QPoint(102, 10));
        QTest::mouseRelease(&t, Qt::LeftButton, Qt::NoModifier, QPoint(102, 10));
        QTest::mousePress(&t, Qt::RightButton, Qt::NoModifier, QPoint(50, 10));
        QCOMPARE(valittu.count(), 2);
        QCOMPARE(valittu.at(0).at(0).toInt(), 10);
        QCOMPARE(valittu.at(1).at(0).toInt(), 9);
    }
};

QTEST_MAIN(TahtiTesti)
#include "tahdet_ui_test.moc"
