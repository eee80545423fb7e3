#include "mainwindow/ui/muuta_kentan_nimi_form.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "storage/kentat.h"
#include "storage/kenttasaannot.h"

Tmuuta_kentan_nimi_form::Tmuuta_kentan_nimi_form(Tietokanta& tk, diag::Viestit& viestit, QWidget* parent)
    : QDialog(parent), tk_(tk), viestit_(viestit) {
    setObjectName("muuta_kentan_nimi_form");
    setWindowTitle(fi("Vaihda kentän nimi"));
    cust_label = new QLabel(fi("Kentän nimi:"), this);
    cust_label->setObjectName("cust_label");
    cust_label->setGeometry(10, 12, 80, 21);
    uusi_nimi = new QLineEdit(fi(lisatiedon_oletusnimi), this);
    uusi_nimi->setObjectName("uusi_nimi");
    uusi_nimi->installEventFilter(this);
    muuta_tama = new QPushButton(fi("Muuta tähän korttiin"), this);
    muuta_tama->setObjectName("muuta_tama");
    muuta_kaikki = new QPushButton(fi("Muuta kaikkiin kortteihin"), this);
    muuta_kaikki->setObjectName("muuta_kaikki");
    // The buttons are as wide as the longer caption needs, with room on both sides of it.
    const int leveys = std::max({150, muuta_tama->sizeHint().width(), muuta_kaikki->sizeHint().width()}) + 16;
    muuta_tama->setGeometry(10, 52, leveys, 30);
    muuta_kaikki->setGeometry(20 + leveys, 52, leveys, 30);
    uusi_nimi->setGeometry(92, 12, 2 * leveys + 10 - 82, 21);
    setFixedSize(2 * leveys + 30, 96);
    muuta_tama->setAutoDefault(false);
    muuta_kaikki->setAutoDefault(false);
    connect(muuta_tama, &QPushButton::clicked, this, &Tmuuta_kentan_nimi_form::muuta_tamaClick);
    connect(muuta_kaikki, &QPushButton::clicked, this, &Tmuuta_kentan_nimi_form::muuta_kaikkiClick);
}

std::string Tmuuta_kentan_nimi_form::nimi() {
    if (uusi_nimi->text().isEmpty()) {
        viestit_.virhe("Syötä kentän nimi!");
        return {};
    }
    return kentan_nimi(cp(uusi_nimi->text()));
}

void Tmuuta_kentan_nimi_form::muuta_tamaClick() {
    const std::string n = nimi();
    if (n.empty()) return;
    if (tk_.nykyinen >= 1 && tk_.nykyinen < tk_.kortit.Count()) tk_.kortit[tk_.nykyinen].lisatieto_nimi[0] = n;
    accept();
}

void Tmuuta_kentan_nimi_form::muuta_kaikkiClick() {
    const std::string n = nimi();
    if (n.empty()) return;
    viestit_.tieto("Huomaa: ohjelma muuttaa kentän nimen vain jos kenttä on tyhjä.\n"
                   "Jos kenttä sisältää tekstiä, nimeä ei muuteta.");
    nimea_tyhjat_kentat(tk_.kortit, n);
    accept();
}

bool Tmuuta_kentan_nimi_form::eventFilter(QObject* o, QEvent* e) {
    if (o == uusi_nimi && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            muuta_tamaClick();
            return true;
        }
        const QString t = k->text();
        // Where the letter lands: at the start of the selection it replaces, or at the caret. A key held
        // with Ctrl or Alt is a shortcut (Ctrl+A, Ctrl+V), whatever letter some systems give it as text.
        const int kohta = uusi_nimi->hasSelectedText() ? uusi_nimi->selectionStart() : uusi_nimi->cursorPosition();
        const bool pikanappain = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (kohta == 0 && !pikanappain && t.size() == 1 && t[0] >= 'a' && t[0] <= 'z') {
            uusi_nimi->insert(t.toUpper());
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
