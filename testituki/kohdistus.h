#pragma once
// Keys as a person sends them: the window is activated as a window manager activates it, and the keys go
// to the widget that then has the application's focus, whatever widget that is.
#include <QApplication>
#include <QtTest>

namespace testituki {

// The widget that takes the keys once `ikkuna` is the active window; null when it never becomes active.
inline QWidget* kohdistettu(QWidget& ikkuna) {
    ikkuna.activateWindow();
    if (!QTest::qWaitForWindowActive(&ikkuna)) return nullptr;
    return QApplication::focusWidget();
}

}  // namespace testituki
