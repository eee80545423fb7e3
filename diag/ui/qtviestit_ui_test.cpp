// A message box given megabytes (a core message that quotes a whole field) shows a beginning and answers.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "diag/ui/qtviestit.h"
#include "diag/ui/teksti.h"
#include "testituki/kuvat.h"
#include "testituki/testityopoyta.h"

class QtViestitTesti : public QObject {
    Q_OBJECT
private slots:
    void valtavaViestiNaytetaanAlustaan() {
        const std::string kentta(8u << 20, 'x');
        const std::string teksti = "Elokuvan " + kentta + " kansi puuttuu";
        QtViestit v;
        for (bool kysymys : {false, true}) {
            QString naytetty, otsikko;
            testituki::kun_auki<QMessageBox>([&](QMessageBox* b) {
                naytetty = b->text();
                otsikko = b->windowTitle();
                // Laid out and painted as a person would see it.
                const QPixmap kuva = b->grab();
                testituki::tallenna_kuva(kuva, "valtava_viesti");
                b->buttons().front()->click();
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
#include "qtviestit_ui_test.moc"
