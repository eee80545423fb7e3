#include "lending/ui/palaute_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "diag/ui/nappi.h"
#include "diag/ui/teksti.h"

namespace {

QHBoxLayout* napit(QPushButton* laheta, QPushButton* peruuta) {
    auto* r = new QHBoxLayout;
    r->addStretch(1);
    r->addWidget(laheta);
    r->addWidget(peruuta);
    return r;
}

// A plain address: something@something, no blanks or separators.
bool osoite_kelpaa(const QString& s) {
    static const QRegularExpression malli(QStringLiteral("^[^@\\s<>,;\"]+@[^@\\s<>,;\"]+$"));
    return malli.match(s).hasMatch();
}

}  // namespace

Tpalaute_form::Tpalaute_form(const QString& lahettaja, const QString& vastaanottaja, QWidget* parent)
    : QDialog(parent) {
    setObjectName("palaute_form");
    setWindowTitle(fi("Lähetä palautetta ohjelman tekijälle"));
    aihe_edit = new QLineEdit(this);
    aihe_edit->setObjectName("aihe_edit");
    viesti_memo = new QPlainTextEdit(this);
    viesti_memo->setObjectName("viesti_memo");
    viesti_memo->setMinimumSize(440, 200);
    lahettaja_label = new QLabel(lahettaja, this);
    lahettaja_label->setObjectName("lahettaja_label");
    laheta_button = nappi(this, "laheta_button", "&Lähetä");
    peruuta_button = nappi(this, "peruuta_button", "Peruuta");
    auto* f = new QFormLayout;
    f->addRow(fi("Vastaanottaja:"), new QLabel(vastaanottaja, this));
    f->addRow(fi("Lähettäjä:"), lahettaja_label);
    f->addRow(fi("Aihe:"), aihe_edit);
    auto* l = new QVBoxLayout(this);
    l->addLayout(f);
    l->addWidget(new QLabel(fi("Viesti:"), this));
    l->addWidget(viesti_memo, 1);
    l->addLayout(napit(laheta_button, peruuta_button));
    connect(laheta_button, &QPushButton::clicked, this, &Tpalaute_form::laheta_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
}

void Tpalaute_form::laheta_buttonClick() {
    if (viesti_memo->toPlainText().trimmed().isEmpty()) {
        viesti_memo->setFocus();
        return;
    }
    accept();
}

Tlaheta_tietokanta_form::Tlaheta_tietokanta_form(const QString& tiedosto, QWidget* parent) : QDialog(parent) {
    setObjectName("laheta_tietokanta_form");
    setWindowTitle(fi("Lähetä tietokanta sähköpostilla"));
    osoite_edit = new QLineEdit(this);
    osoite_edit->setObjectName("osoite_edit");
    osoite_edit->setMinimumWidth(300);
    osoite_edit->setPlaceholderText(QStringLiteral("nimi@esimerkki.fi"));
    osoite_virhe = new QLabel(fi("Osoite ei kelpaa: kirjoita muodossa nimi@palvelin.fi"), this);
    osoite_virhe->setObjectName("osoite_virhe");
    osoite_virhe->setStyleSheet(QStringLiteral("color: #b00000"));
    osoite_virhe->hide();
    connect(osoite_edit, &QLineEdit::textEdited, this, [this] {
        osoite_edit->setStyleSheet(QString());
        osoite_virhe->hide();
    });
    saate_memo = new QPlainTextEdit(this);
    saate_memo->setObjectName("saate_memo");
    saate_memo->setFixedHeight(90);
    laheta_button = nappi(this, "laheta_button", "&Lähetä");
    peruuta_button = nappi(this, "peruuta_button", "Peruuta");
    auto* f = new QFormLayout;
    f->addRow(fi("Tietokanta:"), new QLabel(tiedosto, this));
    f->addRow(fi("Vastaanottajan osoite:"), osoite_edit);
    f->addRow(QString(), osoite_virhe);
    f->addRow(fi("Saate:"), saate_memo);
    auto* l = new QVBoxLayout(this);
    l->addLayout(f);
    l->addLayout(napit(laheta_button, peruuta_button));
    connect(laheta_button, &QPushButton::clicked, this, &Tlaheta_tietokanta_form::laheta_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
}

void Tlaheta_tietokanta_form::laheta_buttonClick() {
    osoite_edit->setText(osoite_edit->text().trimmed());
    if (!osoite_kelpaa(osoite_edit->text())) {
        osoite_edit->setFocus();
        osoite_edit->selectAll();
        osoite_edit->setStyleSheet(QStringLiteral("background: #ffd8d8"));
        osoite_virhe->show();
        return;
    }
    osoite_edit->setStyleSheet(QString());
    osoite_virhe->hide();
    accept();
}
