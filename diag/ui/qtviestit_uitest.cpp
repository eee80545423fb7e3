// A message box given megabytes (a core message that quotes a whole field) shows a beginning and answers.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "diag/ui/qtviestit.h"
#include "diag/ui/teksti.h"

namespace {

// Runs `tee` on the box once it is open, from inside its own event loop.
void kun_auki(std::function<void(QMessageBox&)> tee) {
    auto* ajastin = new QTimer;
    ajastin->setInterval(5);
    QObject::connect(ajastin, &QTimer::timeout, [ajastin, tee] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) {
                ajastin->stop();
                ajastin->deleteLater();
                tee(*b);
                return;
            }
    });
    ajastin->start();
}

}  // namespace

class QtViestitTesti : public QObject {
    Q_OBJECT
private slots:
    void valtavaViestiNaytetaanAlustaan() {
        const std::string kentta(8u << 20, 'x');
        const std::string teksti = "Elokuvan " + kentta + " kansi puuttuu";
        QtViestit v;
        for (bool kysymys : {false, true}) {
            QString naytetty, otsikko;
            kun_auki([&](QMessageBox& b) {
                naytetty = b.text();
                otsikko = b.windowTitle();
                // Laid out and painted as a person would see it; saved when RULLAKKO_KUVAT names a folder.
                const QPixmap kuva = b.grab();
                if (qEnvironmentVariableIsSet("RULLAKKO_KUVAT"))
                    kuva.save(qEnvironmentVariable("RULLAKKO_KUVAT") + "/valtava_viesti.png");
                b.buttons().front()->click();
            });
            if (kysymys) {
                QCOMPARE(v.kysy(diag::Laji::Vahvistus, teksti, false, kentta), diag::Vastaus::Kylla);
                QCOMPARE(otsikko, q_nakyva(kentta));
            } else {
                v.nayta(diag::Laji::Virhe, teksti);
            }
            QCOMPARE(naytetty, q_nakyva(teksti, alueen_nayttoraja));
        }
    }
};

QTEST_MAIN(QtViestitTesti)
#include "qtviestit_uitest.moc"
