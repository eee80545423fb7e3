#pragma once
// The main window over a small catalogue in a program folder of its own, for the window tests.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

#include "diag/kiire.h"
#include "diag/testiviestit.h"
#include "mainwindow/ui/main_form.h"
#include "settings/asetustesti.h"

// Types text a character at a time as key presses (Finnish letters included, which QTest cannot type).
inline void nappaile(QWidget* w, const QString& teksti) {
    for (const QChar c : teksti) {
        const int avain = c.toUpper().unicode();
        QKeyEvent alas(QEvent::KeyPress, avain, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &alas);
        QKeyEvent ylos(QEvent::KeyRelease, avain, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &ylos);
    }
}

// A program folder with the "perus" skin, the settings in memory and the window over a catalogue.
struct Ikkuna {
    asetustesti::Kansio k;
    Ohjelmakansio kansio{k.juuri()};
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset a;
    Asetusymparisto y{kansio, viestit, [] { return std::optional<Tarkkuus>(); }, {}};
    std::unique_ptr<TMain_form> f;

    explicit Ikkuna(std::initializer_list<std::pair<const char*, const char*>> kasetti_nimi) {
        asetustesti::tee_ulkoasu(k, "perus", asetustesti::kuvaus_kuvakkein);
        f = std::make_unique<TMain_form>(kansio, a, y, viestit, kiire);
        for (const auto& [kasetti, nimi] : kasetti_nimi) {
            TKortti& c = f->tk.kortit.lisaa_uusi();
            c.kasetilla = kasetti;
            c.nimi = nimi;
        }
        f->tk.tiedosto = "testi.rkb";
        f->tk.nykyinen = 1;
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }
    ~Ikkuna() {
        f->tk.kortit.muutettu = false;  // no save question at the end of a test
        f->close();
    }

    TKortti& kortti() { return f->tk.kortit[f->tk.nykyinen]; }

    // Gives a field the focus and types at the end of its text.
    void kirjoita(QWidget* kentta, const QString& teksti) {
        kentta->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(kentta->hasFocus());
        if (auto* e = qobject_cast<QLineEdit*>(kentta)) e->end(false);
        nappaile(kentta, teksti);
    }
    void poistu(QWidget* kentta) {
        QWidget* muu = kentta == f->Vuosi_Kentta ? static_cast<QWidget*>(f->Ohjaaja_Kentta) : f->Vuosi_Kentta;
        muu->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!kentta->hasFocus());
    }
};
