#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "diag/ui/raakateksti.h"
#include "diag/ui/teksti.h"

// A value that is shown and read back without an edit must come back byte for byte, through every kind of
// field the card view uses.
class TekstiTesti : public QObject {
    Q_OBJECT
private slots:
    void jokainenTavuPalaaEnnallaan() {
        std::string kaikki;
        for (int c = 1; c < 256; ++c)
            if (c != '\r' && c != '\n') kaikki += static_cast<char>(c);
        const std::string juoni = "Ennen\xa0j\xe4lkeen \x81\x8d\x8f\x90\x9d loppu\xa0";
        QLineEdit rivi;
        QComboBox valinta;
        valinta.setEditable(true);
        QPlainTextEdit alue;
        for (const std::string& s : {kaikki, juoni}) {
            rivi.setText(q(s));
            valinta.setEditText(q(s));
            alue.setPlainText(q(s));
            QCOMPARE(cp(rivi.text()), s);
            QCOMPARE(cp(valinta.currentText()), s);
            QCOMPARE(cp(raakateksti(&alue)), s);
        }
        // What the plain reading does, and why the card view must not use it.
        QVERIFY(cp(alue.toPlainText()) != juoni);
        alue.setPlainText(q("eka\nrivi\xa0toka"));
        QCOMPARE(cp(raakateksti(&alue)), std::string("eka\nrivi\xa0toka"));
    }
};

QTEST_MAIN(TekstiTesti)
#include "teksti_ui_test.moc"
