#pragma once
// Keys as a person sends them: the window is activated as a window manager activates it, and the keys go
// to the widget that then has the application's focus, whatever widget that is.
#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

namespace testituki {

// The widget that takes the keys once `ikkuna` is the active window: its focus widget, or the window itself
// when nothing in it has the focus; null when it never becomes active.
inline QWidget* kohdistettu(QWidget& ikkuna) {
    ikkuna.activateWindow();
    if (!QTest::qWaitForWindowActive(&ikkuna)) return nullptr;
    // A dialog counts as active while its parent has the focus; the window manager would give it the focus.
    if (QApplication::activeWindow() != ikkuna.window()) QApplication::setActiveWindow(ikkuna.window());
    return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
}

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

}  // namespace testituki
