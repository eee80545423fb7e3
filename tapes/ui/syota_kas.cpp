#include "tapes/ui/syota_kas.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "diag/ui/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "perus/ui/taydennys.h"
#include "settings/ui/asetukset_form.h"
#include "storage/kasetti.h"
#include "storage/varasto.h"

Tsyota_kas::Tsyota_kas(Paaikkuna& p, std::string kasetti)
    : QDialog(p.ikkuna(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), p_(p), kasetti_(std::move(kasetti)) {
    setObjectName("syota_kas");
    setWindowTitle(fi("Kasetin pituus ..."));
    selitys_label = new QLabel(
        fi("Olet syöttänyt uuden kasetin jonka pituutta ei  tiedetä, syötä alla olevaan kenttään kasetin pituus. "
           "Tietoa käytetään vapaan nauhan laskemiseen, mikäli et tarvitse kyseistä toimintoa voit poistaa tämän "
           "kyselyn ohjelman asetuksista."),
        this);
    selitys_label->setWordWrap(true);
    selitys_label->setGeometry(10, 8, 330, 80);
    selitys_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* kokonais = new QLabel(fi("Kasetin kokonaispituus:"), this);
    kokonais->setGeometry(10, 98, 150, 22);
    pituus = new QComboBox(this);
    pituus->setObjectName("pituus");
    pituus->setEditable(true);
    pituus->setInsertPolicy(QComboBox::NoInsert);
    pituus->setCompleter(nullptr);
    pituus->addItems({"90", "120", "180", "240"});
    pituus->setEditText("180");
    pituus->setGeometry(165, 97, 70, 24);
    auto* min = new QLabel("min", this);
    min->setGeometry(241, 98, 30, 22);
    kokonais->setBuddy(pituus);

    ok_button = new QPushButton("OK", this);
    ok_button->setObjectName("ok_button");
    ok_button->setGeometry(10, 134, 80, 25);
    ok_button->setDefault(true);
    peruuta_button = new QPushButton("Peruuta", this);
    peruuta_button->setObjectName("peruuta_button");
    peruuta_button->setGeometry(96, 134, 80, 25);
    asetukset_button = new QPushButton("Asetukset", this);
    asetukset_button->setObjectName("asetukset_button");
    asetukset_button->setGeometry(260, 134, 80, 25);
    setFixedSize(350, 169);

    connect(ok_button, &QPushButton::clicked, this, [this] { ok_buttonClick(); });
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
    connect(asetukset_button, &QPushButton::clicked, this, [this] { asetukset_buttonClick(); });
    pituus->installEventFilter(this);
    // The dialog opens on the length, selected, so that the first key typed replaces it.
    pituus->lineEdit()->selectAll();
    pituus->setFocus();
}

void Tsyota_kas::ok_buttonClick() {
    // Whatever was typed is stored: the tape status shows what it makes of it.
    aseta_kasetin_pituus(p_.varasto().tk().kortit, kasetti_, cp(pituus->currentText()));
    accept();
}

void Tsyota_kas::asetukset_buttonClick() { p_.nayta_asetukset(Tasetukset_form::Sekalaista_sivu); }

bool Tsyota_kas::eventFilter(QObject* o, QEvent* ev) {
    if (o == pituus && ev->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(ev);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            ok_buttonClick();
            return true;
        }
        return taydenna_kirjoitettaessa(pituus, k);
    }
    return QDialog::eventFilter(o, ev);
}
