#pragma once
// The real main window over a small catalogue in a program folder of its own, for the window tests.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

#include "diag/kiire.h"
#include "mainwindow/ui/korttinakyma.h"
#include "mainwindow/ui/main_form.h"
#include "mainwindow/ui/pieni_kansi.h"
#include "mainwindow/ui/sivupaneeli.h"
#include "mainwindow/ui/tahdet.h"
#include "settings/ui/ulkoasu_qt.h"
#include "testituki/asetustesti.h"
#include "testituki/kohdistus.h"
#include "testituki/muut_ikkunat.h"
#include "testituki/testityopoyta.h"
#include "testituki/testiviestit.h"
#include "testituki/tilapainen_kansio.h"

// A program folder with the "perus" skin, the settings in memory and the window over a catalogue.
struct Oikea_paaikkuna {
    testituki::Tilapainen_kansio k;
    Ohjelmakansio kansio{k.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset a;
    Asetusymparisto y{kansio, jarjestelman_tiedostot(), viestit, [] { return std::optional<Tarkkuus>(); }, {}};
    testituki::TestiTyopoyta tyopoyta;
    testituki::TestiMuut muut;
    Ulkoasusovitin sovitin;
    std::unique_ptr<TMain_form> f;

    explicit Oikea_paaikkuna(std::initializer_list<std::pair<const char*, const char*>> kasetti_nimi) {
        asetustesti::tee_ulkoasu(k, "perus", asetustesti::kuvaus_kuvakkein);
        // Dialogs run as the program runs them; a test reaches them while they are open.
        tyopoyta.dialogi = [](QDialog& d) { return d.exec(); };
        f = std::make_unique<TMain_form>(kansio, a, y, viestit, kiire, tyopoyta, muut, sovitin);
        for (const auto& [kasetti, nimi] : kasetti_nimi) {
            TKortti& c = tk().kortit.lisaa_uusi();
            c.kasetilla = kasetti;
            c.nimi = nimi;
        }
        tk().tiedosto = "testi.rkb";
        tk().nykyinen = 1;
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }
    ~Oikea_paaikkuna() {
        tk().kortit.muutettu = false;  // no save question at the end of a test
        f->close();
    }

    Tietokanta& tk() { return f->varasto().tk(); }
    TKortti& kortti() { return tk().kortit[tk().nykyinen]; }
    // A control of the window by its object name.
    template <class T = QWidget>
    T* o(const char* nimi) {
        T* w = f->findChild<T*>(nimi);
        if (!w) QTest::qFail(nimi, __FILE__, __LINE__);
        return w;
    }

    // Clicks into a field and types at the end of its text, End pressed first.
    void kirjoita(QWidget* kentta, const QString& teksti) {
        QVERIFY(testituki::napsauta_kenttaan(kentta));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        testituki::nappaile(QApplication::focusWidget(), teksti);
    }
    // Leaves a field by a click into another one.
    void poistu(QWidget* kentta) {
        QWidget* muu = kentta->objectName() == "Vuosi_Kentta" ? o("Ohjaaja_Kentta") : o("Vuosi_Kentta");
        QVERIFY(testituki::napsauta_kenttaan(muu));
        QVERIFY(!kentta->hasFocus());
    }
};
