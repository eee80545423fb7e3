#pragma once
// The desktop as a window test gives it: file dialogs answered from a script, addresses and beeps recorded,
// and modal dialogs run by the test.
#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <deque>
#include <functional>
#include <vector>

#include "perus/ui/paaikkuna.h"

namespace testituki {

// Runs `tee` on the dialog of that kind once its own event loop runs (a log line may let events through
// while the dialog is still being shown, and closing it then would leave its loop waiting forever).
template <class Dialogi, class F>
inline void kun_auki(F tee) {
    auto* ajastin = new QTimer;
    ajastin->setInterval(5);
    const int taso = QThread::currentThread()->loopLevel();
    QObject::connect(ajastin, &QTimer::timeout, [ajastin, tee, taso] {
        if (QThread::currentThread()->loopLevel() <= taso) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<Dialogi*>(w);
            if (!d || !d->isVisible()) continue;
            ajastin->stop();
            ajastin->deleteLater();
            tee(d);
            return;
        }
    });
    ajastin->start();
}

// A modal dialog run by the test: the checks inside may fail the test, the dialog's answer is not used.
template <class F>
std::function<int(QDialog&)> dialogi(F f) {
    return [f](QDialog& d) {
        f(d);
        return int(QDialog::Rejected);
    };
}

// The same where the answer counts: the result the test left the dialog with (accepted once it clicked
// the button that accepts).
template <class F>
std::function<int(QDialog&)> dialogi_tuloksineen(F f) {
    return [f](QDialog& d) {
        f(d);
        return d.result();
    };
}

class TestiTyopoyta final : public Tyopoyta {
public:
    std::deque<QString> avattavat;      // answers of the open dialog, in order
    std::deque<QString> tallennettavat;  // answers of the save dialog, in order
    std::vector<QUrl> avatut;            // addresses given to the shell
    std::function<bool(const QUrl&)> avautuu;  // whether the shell opens an address; unset: it does
    bool tulostin = true;
    int piippauksia = 0;
    // Runs each modal dialog; the test drives it and returns its result. Unset: an unexpected dialog.
    std::function<int(QDialog&)> dialogi;

    QString valitse_avattava(QWidget*, const QString&, const QString&) override { return seuraava(avattavat); }
    QString valitse_tallennettava(QWidget*, const QString&, const QString&, const QString&) override {
        return seuraava(tallennettavat);
    }
    bool avaa_osoite(const QUrl& u) override {
        avatut.push_back(u);
        return !avautuu || avautuu(u);
    }
    bool tulostin_olemassa() override { return tulostin; }
    void piippaa() override { ++piippauksia; }
    int nayta_dialogi(QDialog& d) override {
        if (!dialogi) {
            QTest::qFail("odottamaton dialogi", __FILE__, __LINE__);
            return QDialog::Rejected;
        }
        return dialogi(d);
    }

private:
    static QString seuraava(std::deque<QString>& jono) {
        if (jono.empty()) {
            QTest::qFail("odottamaton tiedostodialogi", __FILE__, __LINE__);
            return {};
        }
        QString s = jono.front();
        jono.pop_front();
        return s;
    }
};

}  // namespace testituki
