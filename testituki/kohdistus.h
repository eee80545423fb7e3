#pragma once
// Keys and clicks as a person sends them: the window is activated as a window manager activates it, the
// keys go to the widget that then has the application's focus, whatever widget that is, and the focus
// moves by Tab or by a click, never by a call.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
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

// Makes the window holding `w` the active one, as a window manager would on a click into it.
inline bool aktivoi_ikkuna(QWidget* w) {
    return w && kohdistettu(*w->window()) != nullptr;
}

// Types text a character at a time as key presses (Finnish letters included, which QTest cannot type);
// a line break is the Return key.
inline void nappaile(QWidget* w, const QString& teksti) {
    for (const QChar c : teksti) {
        const bool rivinvaihto = c == QLatin1Char('\n');
        const int avain = rivinvaihto ? int(Qt::Key_Return) : int(c.toUpper().unicode());
        const QString merkki = rivinvaihto ? QStringLiteral("\r") : QString(c);
        QKeyEvent alas(QEvent::KeyPress, avain, Qt::NoModifier, merkki);
        QApplication::sendEvent(w, &alas);
        QKeyEvent ylos(QEvent::KeyRelease, avain, Qt::NoModifier, merkki);
        QApplication::sendEvent(w, &ylos);
    }
}

// Moves the focus as a person does, with Tab (or Shift+Tab backwards) pressed on the widget that has it,
// until `kohde` has it; false when the keys never get there (a field the chain skips, or a widget that
// keeps the key for itself).
inline bool tabulaattorilla(QWidget* kohde, bool taaksepain = false) {
    if (!aktivoi_ikkuna(kohde)) return false;
    for (int askel = 0; askel < 64; ++askel) {
        QWidget* nyt = QApplication::focusWidget();
        if (nyt == kohde) return true;
        if (!nyt) return false;
        if (taaksepain) QTest::keyClick(nyt, Qt::Key_Backtab, Qt::ShiftModifier);
        else QTest::keyClick(nyt, Qt::Key_Tab);
        if (QApplication::focusWidget() == nyt) return false;
    }
    return false;
}

// Presses a key in the window as a person does (a shortcut, Return for the default button, Escape): the
// window is activated and the key goes to the widget that has the focus. A button's shortcut presses it
// as a short animation; this returns once every button of the window is up again, so the button's work is
// done. False when the window never becomes active.
inline bool paina(QWidget& ikkuna, Qt::Key avain, Qt::KeyboardModifiers napit = Qt::NoModifier) {
    QWidget* k = kohdistettu(ikkuna);
    if (!k) return false;
    const QPointer<QWidget> w(ikkuna.window());
    QTest::keyClick(k, avain, napit);
    return QTest::qWaitFor([&] {
        if (!w) return true;
        const QList<QAbstractButton*> painikkeet = w->findChildren<QAbstractButton*>();
        return std::none_of(painikkeet.begin(), painikkeet.end(), [](const QAbstractButton* b) { return b->isDown(); });
    });
}

// Where a person's mouse lands to type into a widget: the text area of a scroll area, the line of an
// editable combo box, the widget itself otherwise.
inline QWidget* napsautuskohta(QWidget* kentta) {
    if (auto* a = qobject_cast<QAbstractScrollArea*>(kentta)) return a->viewport();
    if (auto* c = qobject_cast<QComboBox*>(kentta); c && c->lineEdit()) return c->lineEdit();
    return kentta;
}

// Clicks into a field with the mouse; true when the click gives it the focus (the field itself, or a part
// of it such as a spin box's text).
inline bool napsauta_kenttaan(QWidget* kentta) {
    if (!aktivoi_ikkuna(kentta)) return false;
    QTest::mouseClick(napsautuskohta(kentta), Qt::LeftButton);
    QWidget* k = QApplication::focusWidget();
    return k && (k == kentta || kentta->isAncestorOf(k));
}

// Clicks into a field with the mouse, selects all it holds with Ctrl+A and types the new text over it
// (an empty text deletes it); the keys go to the widget that has the focus after the click. False when
// the click does not give the field the focus.
inline bool kirjoita_kenttaan(QWidget* kentta, const QString& teksti) {
    if (!napsauta_kenttaan(kentta)) return false;
    QWidget* k = QApplication::focusWidget();
    QTest::keyClick(k, Qt::Key_A, Qt::ControlModifier);
    if (teksti.isEmpty()) QTest::keyClick(k, Qt::Key_Delete);
    else nappaile(k, teksti);
    return true;
}

// Opens a page of a tab widget with a click on its tab.
inline void napsauta_valilehtea(QTabWidget* t, QWidget* sivu) {
    aktivoi_ikkuna(t);
    QTabBar* palkki = t->tabBar();
    QTest::mouseClick(palkki, Qt::LeftButton, Qt::NoModifier, palkki->tabRect(t->indexOf(sivu)).center());
}

// Brings a widget on a page of a tab widget into view as a person does, with a click on the page's tab
// (on each tab widget it lies in, the outermost first). False when it is not visible afterwards.
inline bool avaa_valilehti_jolla(QWidget* w) {
    aktivoi_ikkuna(w);
    QList<QTabWidget*> sisakkain;
    for (QWidget* isa = w->parentWidget(); isa; isa = isa->parentWidget())
        if (auto* t = qobject_cast<QTabWidget*>(isa)) sisakkain.prepend(t);
    for (QTabWidget* t : sisakkain)
        for (int i = 0; i < t->count(); ++i)
            if (t->widget(i)->isAncestorOf(w) && t->currentIndex() != i) napsauta_valilehtea(t, t->widget(i));
    return w->isVisible();
}

// Clicks a row of a list or table with the mouse, Ctrl or Shift held as given.
inline void napsauta_rivia(QAbstractItemView* nakyma, int rivi, Qt::KeyboardModifiers napit = Qt::NoModifier) {
    aktivoi_ikkuna(nakyma);
    const QModelIndex i = nakyma->model()->index(rivi, 0, nakyma->rootIndex());
    nakyma->scrollTo(i);
    QTest::mouseClick(nakyma->viewport(), Qt::LeftButton, napit, nakyma->visualRect(i).center());
}

// Clicks an item of an open menu with the mouse; true once the menu has closed behind it.
inline bool napsauta_valikosta(QMenu* valikko, QAction* kohta) {
    QTest::mouseClick(valikko, Qt::LeftButton, Qt::NoModifier, valikko->actionGeometry(kohta).center());
    return QTest::qWaitFor([valikko] { return !valikko->isVisible(); });
}

// A right click at `kohta` of `w` sent to its window, as the window system sends it: the window turns it
// into the mouse events and the context-menu request the widget would get from a real click.
inline void napsauta_oikealla(QWidget* w, QPoint kohta) {
    QTest::mouseClick(w->window()->windowHandle(), Qt::RightButton, Qt::NoModifier, w->mapTo(w->window(), kohta));
}

// Clicks a check box or a radio button where a person aims, on its box: the middle of a button stretched
// wider than its text is no part of it.
inline void napsauta_ruutua(QAbstractButton* b) {
    QStyleOptionButton o;
    o.initFrom(b);
    o.text = b->text();
    const bool radio = qobject_cast<QRadioButton*>(b) != nullptr;
    const QRect ruutu =
        b->style()->subElementRect(radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &o, b);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, ruutu.center());
}

// Double-clicks a cell as the mouse sends it: a click, then the second press that makes it a double click.
inline void tuplanapsauta_solua(QAbstractItemView* nakyma, int rivi, int sarake) {
    aktivoi_ikkuna(nakyma);
    const QModelIndex i = nakyma->model()->index(rivi, sarake, nakyma->rootIndex());
    nakyma->scrollTo(i);
    const QPoint kohta = nakyma->visualRect(i).center();
    QTest::mouseClick(nakyma->viewport(), Qt::LeftButton, Qt::NoModifier, kohta);
    QTest::mouseDClick(nakyma->viewport(), Qt::LeftButton, Qt::NoModifier, kohta);
}

// Double-clicks a row (its first column).
inline void tuplanapsauta_rivia(QAbstractItemView* nakyma, int rivi) { tuplanapsauta_solua(nakyma, rivi, 0); }

// Turns the check box of a row on or off as a person does from the keyboard: a click on the row, then Space
// to the widget that has the focus. False when the click leaves the focus elsewhere.
inline bool ruksaa_rivi(QAbstractItemView* nakyma, int rivi) {
    napsauta_rivia(nakyma, rivi);
    if (QApplication::focusWidget() != nakyma) return false;
    QTest::keyClick(nakyma, Qt::Key_Space);
    return true;
}

// Picks an item of a combo box as a person does without the mouse: Tab (or Shift+Tab) to the combo, F4 to
// open its list, Home and Down to the item in the list, Return. The list changes the combo only on Return,
// so the items passed on the way are not chosen. False when the combo cannot be reached, its list does not
// open or the item does not become current.
inline bool valitse_nappaimin(QComboBox* c, int indeksi, bool taaksepain = false) {
    if (!tabulaattorilla(c, taaksepain)) return false;
    QTest::keyClick(c, Qt::Key_F4);
    QAbstractItemView* lista = c->view();
    if (!QTest::qWaitFor([&] { return lista->isVisible() && QApplication::focusWidget() == lista; })) return false;
    QTest::keyClick(lista, Qt::Key_Home);
    for (int i = 0; i < indeksi; ++i) QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Return);
    return QTest::qWaitFor([&] { return !lista->isVisible(); }) && c->currentIndex() == indeksi;
}

}  // namespace testituki
