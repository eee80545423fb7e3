#include "perus/ui/taydennys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Lower case of the ASCII letters only, as the completion compares.
QString ascii_pienet(const QString& s) {
    QString t = s;
    for (QChar& c : t)
        if (c.unicode() >= 'A' && c.unicode() <= 'Z') c = QChar(c.unicode() - 'A' + 'a');
    return t;
}

}  // namespace

bool taydenna_kirjoitettaessa(QComboBox* c, const QKeyEvent* e) {
    QLineEdit* le = c->lineEdit();
    const bool askel = e->key() == Qt::Key_Backspace;
    const QString merkki = e->text();
    const bool kirjoitus = merkki.size() == 1 && merkki.at(0).isPrint();
    if (!le || le->isReadOnly() || (!askel && !kirjoitus) || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    QString t = le->text();
    const int alku = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    const int valittu = le->hasSelectedText() ? static_cast<int>(le->selectedText().size()) : 0;
    if (!askel) t.replace(alku, valittu, merkki);
    else if (valittu > 0) t.remove(alku, valittu);
    else if (alku > 0) t.remove(alku - 1, 1);
    if (t.isEmpty()) {
        c->setEditText(QString());
        return true;
    }
    const QString haettava = ascii_pienet(t);
    for (int i = 0; i < c->count(); ++i) {
        const QString kohde = c->itemText(i);
        if (!ascii_pienet(kohde).startsWith(haettava)) continue;
        c->setEditText(kohde);
        le->setSelection(static_cast<int>(kohde.size()), static_cast<int>(t.size() - kohde.size()));
        return true;
    }
    return false;
}
