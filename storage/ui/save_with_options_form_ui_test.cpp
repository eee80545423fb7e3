#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"
#include "testituki/testivarasto.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/ui/save_with_options_form.h"
#include "storage/zlbarkisto.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;
using testituki::paina;

class TallennusasetuksetTesti : public QObject {
    Q_OBJECT
private slots:
    void valinnatJaTallennusIlmanKansia() {
        Testivarasto y("tallennusasetukset");
        const fs::path& juuri = y.juuri;
        std::ofstream(y.kannet() / "11111111.jpg") << "kuva";
        Tietokanta& tk = y.tk;
        TKortti& k = tk.kortit.lisaa_uusi();
        k.nimi = "Yksi";
        k.cover_fn = "gfx\\kannet\\11111111.jpg";
        TAsetukset asetukset;
        y.v.asetukset = &asetukset;
        Varasto& v = y.v;
        int kysytty = 0;
        Tsave_with_options_form f(v, [&] {
            ++kysytty;
            return QString::fromStdString((juuri / "uusi.rkb").string());
        });
        f.show();
        QVERIFY(f.save_normal->isChecked());
        QVERIFY(!f.quality->isEnabled());
        QCOMPARE(f.quality->value(), 80);
        QVERIFY(paina(f, Qt::Key_T, Qt::AltModifier));
        QVERIFY(f.save_jpg->isChecked());
        QVERIFY(f.quality->isEnabled() && f.puolita_resoluutio->isEnabled());
        testituki::napsauta_ruutua(f.save_none);
        QVERIFY(f.save_none->isChecked());
        QVERIFY(!f.quality->isEnabled());
        // Return anywhere in the dialog is Continue, its default button.
        QVERIFY(paina(f, Qt::Key_Return));
        QCOMPARE(kysytty, 1);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(tk.kortit[1].cover_fn.empty());
        TZLBArchive zip(jarjestelman_tiedostot());
        QVERIFY(static_cast<bool>(zip.Open(juuri / "uusi.rkb")));
        QCOMPARE(zip.entries().size(), std::size_t(1));
        QVERIFY(!fs::exists(juuri / "gfx" / "kannet" / "11111111.jpg"));
        if (!testituki::kuvakansio().isEmpty()) {
            f.show();
            QVERIFY(paina(f, Qt::Key_T, Qt::AltModifier));
            testituki::tallenna_kuva(f, "tallennusasetukset");
        }
    }

    void peruutusEiTallenna() {
        Tietokanta tk;
        const testituki::Tilapainen_kansio oma_kansio("tallennusasetukset");
        const Ohjelmakansio kansio(oma_kansio.juuri(), jarjestelman_tiedostot());
        diag::TestiViestit viestit;
        diag::EiKiiretta kiire;
        Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire};
        bool kysytty = false;
        Tsave_with_options_form f(v, [&] {
            kysytty = true;
            return QString();
        });
        f.show();
        QVERIFY(paina(f, Qt::Key_J, Qt::AltModifier));  // the save dialog cancelled: the options dialog still closes with OK
        QVERIFY(kysytty);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(viestit.naytetyt.empty());
    }
};

QTEST_MAIN(TallennusasetuksetTesti)
#include "save_with_options_form_ui_test.moc"
