#include "lending/ui/lainaajaprofiilit_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"

namespace {

QPushButton* nappi(QWidget* isa, const char* nimi, const char* teksti) {
    auto* b = new QPushButton(fi(teksti), isa);
    b->setObjectName(nimi);
    b->setAutoDefault(false);
    b->setMinimumWidth(b->sizeHint().width() + 12);
    return b;
}

QLineEdit* kentta(QWidget* isa, const char* nimi) {
    auto* e = new QLineEdit(isa);
    e->setObjectName(nimi);
    return e;
}

}  // namespace

Tlainaajaprofiilit_form::Tlainaajaprofiilit_form(Tiedostojarjestelma& tiedostot, std::filesystem::path tiedosto,
                                                 diag::Viestit& viestit, QWidget* parent)
    : QDialog(parent), tiedostot_(tiedostot), tiedosto_(std::move(tiedosto)), viestit_(viestit) {
    setObjectName("lainaajaprofiilit_form");
    setWindowTitle(fi("Lainaajaprofiilit"));

    profiili_lista = new QListWidget(this);
    profiili_lista->setObjectName("profiili_lista");
    profiili_lista->setFixedWidth(180);
    nimi_edit = kentta(this, "nimi_edit");
    puh_edit = kentta(this, "puh_edit");
    email_edit = kentta(this, "email_edit");
    email_edit->setMinimumWidth(240);
    lisaa_button = nappi(this, "lisaa_button", "Lisää");
    paivita_profiili = nappi(this, "paivita_profiili", "Päivitä profiili");
    poista_button = nappi(this, "poista_button", "Poista");
    ok = nappi(this, "ok", "OK");
    ok->setDefault(true);
    peruuta_button = nappi(this, "peruuta_button", "Peruuta");

    auto* lomake = new QFormLayout;
    lomake->addRow(fi("Nimi:"), nimi_edit);
    lomake->addRow(fi("Puhelin-numero:"), puh_edit);
    lomake->addRow(fi("Sähköpostiosoite:"), email_edit);
    auto* muokkaus = new QHBoxLayout;
    muokkaus->addWidget(lisaa_button);
    muokkaus->addWidget(paivita_profiili);
    muokkaus->addWidget(poista_button);
    muokkaus->addStretch(1);
    auto* oikea = new QVBoxLayout;
    oikea->addLayout(lomake);
    oikea->addLayout(muokkaus);
    oikea->addStretch(1);
    auto* ylaosa = new QHBoxLayout;
    ylaosa->addWidget(profiili_lista);
    ylaosa->addLayout(oikea, 1);
    auto* alaosa = new QHBoxLayout;
    alaosa->addStretch(1);
    alaosa->addWidget(ok);
    alaosa->addWidget(peruuta_button);
    auto* l = new QVBoxLayout(this);
    l->addLayout(ylaosa, 1);
    l->addLayout(alaosa);
    resize(620, 260);

    connect(profiili_lista, &QListWidget::itemSelectionChanged, this, &Tlainaajaprofiilit_form::profiili_listaClick);
    connect(lisaa_button, &QPushButton::clicked, this, &Tlainaajaprofiilit_form::lisaa_buttonClick);
    connect(paivita_profiili, &QPushButton::clicked, this, &Tlainaajaprofiilit_form::paivita_profiiliClick);
    connect(poista_button, &QPushButton::clicked, this, &Tlainaajaprofiilit_form::poista_buttonClick);
    connect(ok, &QPushButton::clicked, this, &Tlainaajaprofiilit_form::okClick);
    connect(peruuta_button, &QPushButton::clicked, this, &Tlainaajaprofiilit_form::peruuta_buttonClick);

    lue_profiilit(tiedostot_, tiedosto_, profiilit_);
}

void Tlainaajaprofiilit_form::showEvent(QShowEvent* e) {
    tayta_lista(-1);
    QDialog::showEvent(e);
}

void Tlainaajaprofiilit_form::tayta_lista(int valittu) {
    const QSignalBlocker esto(profiili_lista);
    profiili_lista->clear();
    for (const Profiili& p : profiilit_) profiili_lista->addItem(q(p.nimi));
    if (valittu >= 0 && valittu < profiili_lista->count()) profiili_lista->setCurrentRow(valittu);
}

void Tlainaajaprofiilit_form::profiili_listaClick() {
    const int i = profiili_lista->currentRow();
    const bool valittu = i >= 0 && i < static_cast<int>(profiilit_.size()) && profiili_lista->currentItem()->isSelected();
    nimi_edit->setText(valittu ? q(profiilit_[i].nimi) : QString());
    puh_edit->setText(valittu ? q(profiilit_[i].puhelin) : QString());
    email_edit->setText(valittu ? q(profiilit_[i].email) : QString());
}

void Tlainaajaprofiilit_form::lisaa_buttonClick() {
    const std::string nimi = cp(nimi_edit->text());
    for (const Profiili& p : profiilit_)
        if (p.nimi == nimi) {
            viestit_.pelkka("Saman niminen profiili löytyy jo!");
            return;
        }
    profiilit_.push_back({nimi, cp(puh_edit->text()), cp(email_edit->text())});
    tayta_lista(-1);
    nimi_edit->clear();
    puh_edit->clear();
    email_edit->clear();
    nimi_edit->setFocus();
}

void Tlainaajaprofiilit_form::paivita_profiiliClick() {
    const int i = profiili_lista->currentRow();
    if (i >= 0 && i < static_cast<int>(profiilit_.size()) && profiili_lista->currentItem()->isSelected())
        profiilit_[i] = {cp(nimi_edit->text()), cp(puh_edit->text()), cp(email_edit->text())};
    tayta_lista(i);
}

void Tlainaajaprofiilit_form::poista_buttonClick() {
    const int i = profiili_lista->currentRow();
    if (profiilit_.empty() || i < 0 || !profiili_lista->currentItem()->isSelected()) return;
    profiilit_.erase(profiilit_.begin() + i);
    nimi_edit->clear();
    puh_edit->clear();
    email_edit->clear();
    tayta_lista(i <= 1 ? 0 : i - 1);
    profiili_listaClick();
}

void Tlainaajaprofiilit_form::okClick() {
    paivita_profiiliClick();
    if (const Tulos t = kirjoita_profiilit(tiedostot_, tiedosto_, profiilit_); !t) {
        viestit_.virhe(t.viesti);
        return;
    }
    accept();
}

void Tlainaajaprofiilit_form::peruuta_buttonClick() { reject(); }

void Tlainaajaprofiilit_form::reject() {
    profiilit_.clear();
    lue_profiilit(tiedostot_, tiedosto_, profiilit_);
    QDialog::reject();
}
