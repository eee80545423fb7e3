#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "diag/loki.h"
#include "diag/ui/debug_form.h"
#include "diag/ui/progress_form.h"
#include "diag/ui/teksti.h"
#include "perus/tiedostojarjestelma.h"
#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"

class DebugIkkunaTesti : public QObject {
    Q_OBJECT
private slots:
    void init() { diag::loki().nollaa(); }
    void cleanup() { diag::loki().nollaa(); }

    void nayttaa34ViimeistaJaTyhjentaa() {
        TDebug_Form f;
        f.show();
        testituki::napsauta_ruutua(f.debug_enabled);
        QVERIFY(diag::loki().naytolle());
        for (int i = 1; i <= 35; ++i) kirjoita_debug("rivi " + std::to_string(i));
        QCOMPARE(f.Debug_Box->count(), 34);
        QCOMPARE(f.Debug_Box->item(0)->text(), QString("rivi 2"));
        QCOMPARE(f.Debug_Box->item(33)->text(), QString("rivi 35"));
        QTest::mouseClick(f.Clear_button, Qt::LeftButton);
        QCOMPARE(f.Debug_Box->count(), 0);
    }

    // Log lines that quote a huge field: every refresh re-adds all rows, each by its beginning only.
    void valtavatRivitNaytetaanAlustaan() {
        TDebug_Form f;
        f.show();
        testituki::napsauta_ruutua(f.debug_enabled);
        QVERIFY(diag::loki().naytolle());
        const std::string valtava = "Lisätty tarra: " + std::string(4u << 20, 'k');
        for (int i = 0; i < 40; ++i) kirjoita_debug(valtava);
        QCOMPARE(f.Debug_Box->count(), 34);
        for (int i = 0; i < f.Debug_Box->count(); ++i) QCOMPARE(f.Debug_Box->item(i)->text(), q_nakyva(valtava));
    }

    void ainaRiviNakyyVaikkaNayttoOnPois() {
        TDebug_Form f;
        kirjoita_debug("jälki");
        kirjoita_debug_aina("Korjataan 0D0D0A vahingoittunut tiedosto...");
        QCOMPARE(f.Debug_Box->count(), 1);
        QCOMPARE(f.Debug_Box->item(0)->text(), fi("Korjataan 0D0D0A vahingoittunut tiedosto..."));
    }

    void korkeusKiinteaLeveysSeuraa() {
        TDebug_Form f;
        f.show();
        f.resize(700, 300);
        QCOMPARE(f.height(), TDebug_Form::korkeus);
        QCOMPARE(f.Debug_Box->width(), 690);
    }

    void kirjoitusvirheKytkeeTiedostoruudunPois() {
        TDebug_Form f;
        diag::loki().aseta_tiedosto(jarjestelman_tiedostot(), "/proc/ei_voi_kirjoittaa/rulladb_debug.log");
        f.show();
        testituki::napsauta_ruutua(f.debug2file);
        QVERIFY(diag::loki().tiedostoon());
        kirjoita_debug("yksi");
        QVERIFY(!f.debug2file->isChecked());
        QVERIFY(!diag::loki().tiedostoon());
    }

    void kiireikkunanTekstiJaEstetytIkkunat() {
        QWidget paa, lista;
        paa.show();
        const std::filesystem::path kuva = std::filesystem::path(qEnvironmentVariable("RULLAKKO_DATA").toStdString()) / "gfx" / "working.gif";
        QVERIFY(std::filesystem::exists(kuva));
        {
            Tprogress_form p(kuva, &paa, &lista);
            QVERIFY(!paa.isEnabled());
            QVERIFY(lista.isEnabled());  // a hidden list window is left alone
            QVERIFY(!p.Teksti_label->isVisible());
            QCOMPARE(p.size(), QSize(240, 120));
            p.show();
            p.aseta_teksti("Tallennetaan kortit [1/4]");
            QVERIFY(p.Teksti_label->isVisible());
            QCOMPARE(p.Teksti_label->text(), fi("Tallennetaan kortit [1/4]"));
            QCOMPARE(p.Teksti_label->x(), p.width() / 2 - p.Teksti_label->width() / 2);
            p.aseta_teksti("");
            QVERIFY(!p.Teksti_label->isVisible());
            p.aseta_teksti("Puretaan kansikuvia...");
            QVERIFY(p.Teksti_label->isVisible());
            testituki::tallenna_kuva(p, "kiireikkuna");
        }
        QVERIFY(paa.isEnabled());

        paa.setEnabled(false);
        lista.show();
        QtKiire kiire(kuva);
        kiire.aseta_paaikkuna(&paa);
        kiire.aseta_listaikkuna(&lista);
        kiire.nayta();
        QVERIFY(!lista.isEnabled());
        kiire.piilota();
        kiire.piilota();  // a second close does nothing
        QVERIFY(!paa.isEnabled());  // the main window gets back the state it had
        QVERIFY(lista.isEnabled());
    }
};

QTEST_MAIN(DebugIkkunaTesti)
#include "debug_form_ui_test.moc"
