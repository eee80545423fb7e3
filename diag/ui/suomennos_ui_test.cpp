// The file dialogs the program shows speak Finnish all through: the type of a folder and a file's size too.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "diag/ui/suomennos.h"
#include "mainwindow/ui/tyopoyta_qt.h"
#include "testituki/tilapainen_kansio.h"

class SuomennosTesti : public QObject {
    Q_OBJECT
private slots:
    void tiedostodialogiSuomeksi() {
        const Suomennokset suomennokset(*QCoreApplication::instance());
        const testituki::Tilapainen_kansio kansio("suomennos");
        std::filesystem::create_directory(kansio / "kannet");
        kansio.kirjoita("elokuvat.rkb", std::string(500, 'x'));
        QDir::setCurrent(QString::fromStdString(kansio.juuri().string()));

        // What the person reads in the detail view's rows, once the folder has been listed.
        QStringList tiedosto, alikansio;
        QTimer vahti;
        QObject::connect(&vahti, &QTimer::timeout, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* puu = d ? d->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
            if (!puu || !puu->isVisible()) return;
            const QAbstractItemModel* m = puu->model();
            for (int r = 0; r < m->rowCount(puu->rootIndex()); ++r) {
                QStringList rivi;
                for (int s = 0; s < 3; ++s) rivi << m->index(r, s, puu->rootIndex()).data().toString();
                if (rivi[0] == QStringLiteral("elokuvat.rkb")) tiedosto = rivi;
                if (rivi[0] == QStringLiteral("kannet")) alikansio = rivi;
            }
            if (!tiedosto.isEmpty() && !alikansio.isEmpty()) d->reject();
        });
        vahti.start(20);
        QtTyopoyta tyopoyta;
        QTimer::singleShot(10000, [] {
            if (QWidget* w = QApplication::activeModalWidget()) static_cast<QDialog*>(w)->reject();
        });
        QCOMPARE(tyopoyta.valitse_tallennettava(nullptr, QStringLiteral("Tallenna"), QStringLiteral("Kaikki (*)"),
                                                QStringLiteral("rkb")),
                 QString());
        QCOMPARE(tiedosto.mid(0, 2), (QStringList{"elokuvat.rkb", "500 tavua"}));
        // The file's type in the words of the MIME database's Finnish description.
        QVERIFY2(!tiedosto.value(2).contains(QStringLiteral("document")), qPrintable(tiedosto.value(2)));
        QCOMPARE(alikansio.value(2), QStringLiteral("Kansio"));
        QCOMPARE(koko_tekstina(5000), QStringLiteral("4,9 kt"));
        QCOMPARE(koko_tekstina(3 * 1024 * 1024), QStringLiteral("3,0 Mt"));
    }
};

QTEST_MAIN(SuomennosTesti)
#include "suomennos_ui_test.moc"
