#include "imdb/ui/valitse_oikea_form.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"

namespace {

constexpr int leveys = 480;
constexpr int reuna = 6;
constexpr int rivin_korkeus = 13;

}  // namespace

Tvalitse_oikea_form::Tvalitse_oikea_form(Paaikkuna& p, const Viitetietokanta& viite, std::vector<int> osumat,
                                         Valintatapa tapa)
    : QDialog(p.ikkuna(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      p_(p), viite_(viite), osumat_(std::move(osumat)), tapa_(tapa), alkuperainen_(kortti()) {
    setObjectName("valitse_oikea_form");
    setWindowTitle(q(valintaikkunan_otsikko(osumat_.size(), tapa_)));

    const Valintaikkunan_mitat m = valintaikkunan_mitat(osumat_.size());
    lista = new QListWidget(this);
    lista->setObjectName("lista");
    lista->setGeometry(reuna, reuna, leveys - 2 * reuna, m.listan_korkeus);
    lista->setUniformItemSizes(true);
    QFont pieni = lista->font();
    pieni.setPixelSize(11);
    lista->setFont(pieni);
    for (int i : osumat_) {
        auto* rivi = new QListWidgetItem(q_nakyva(valintarivi(viite_.kortit()[i])), lista);
        rivi->setSizeHint(QSize(0, rivin_korkeus));
        rivi->setToolTip(nakyva(rivi->text(), vihjeen_nayttoraja));
    }
    if (lista->count() > 0) lista->setCurrentRow(0);

    const int ylareuna = reuna + m.nappien_ylareuna;
    hyvaksy_button = new QPushButton(this);
    hyvaksy_button->setObjectName("hyvaksy_button");
    hyvaksy_button->setGeometry(reuna, ylareuna, 130, 25);
    peruuta_button = new QPushButton(this);
    peruuta_button->setObjectName("peruuta_button");
    peruuta_button->setGeometry(reuna + 136, ylareuna, 110, 25);
    nayta_alkup_button = new QPushButton(fi("&Näytä kortin alkuperäiset tiedot"), this);
    nayta_alkup_button->setObjectName("nayta_alkup_button");
    nayta_alkup_button->setGeometry(leveys - reuna - 210, ylareuna, 210, 25);
    setFixedSize(leveys, ylareuna + 25 + 10);

    if (tapa_ == Valintatapa::Muokkaus) {
        nayta_alkup_button->hide();
        peruuta_button->setText(fi("&Peruuta"));
        hyvaksy_button->setText(fi("&Hyväksy tiedot"));
    } else {
        peruuta_button->setText(fi("&Älä päivitä"));
        hyvaksy_button->setText(fi("&Päivitä tiedot"));
    }

    connect(lista, &QListWidget::itemClicked, this, [this] { listaClick(); });
    connect(hyvaksy_button, &QPushButton::clicked, this, [this] { hyvaksy_buttonClick(); });
    connect(peruuta_button, &QPushButton::clicked, this, [this] { peruuta_buttonClick(); });
    connect(nayta_alkup_button, &QPushButton::clicked, this, [this] { nayta_alkup_buttonClick(); });
    // Key preview: the window's keys work whichever control has the focus.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

TKortti& Tvalitse_oikea_form::kortti() {
    Tietokanta& tk = p_.varasto().tk();
    return tk.kortit[tk.nykyinen];
}

void Tvalitse_oikea_form::alusta() {
    if (tapa_ == Valintatapa::Muokkaus && lista->currentRow() >= 0) sovella(lista->currentRow());
}

void Tvalitse_oikea_form::sovella(int rivi) {
    if (rivi < 0 || rivi >= static_cast<int>(osumat_.size())) return;
    // Each row starts again from the card's own values, so a row tried before leaves nothing behind.
    TKortti& k = kortti();
    k.kopioi(alkuperainen_);
    sovella_viitekortti(k, viite_.kortit()[osumat_[static_cast<std::size_t>(rivi)]], tapa_);
    p_.update_fields();
}

void Tvalitse_oikea_form::palauta() {
    kortti().kopioi(alkuperainen_);
    p_.update_fields();
}

void Tvalitse_oikea_form::listaClick() { sovella(lista->currentRow()); }

void Tvalitse_oikea_form::hyvaksy_buttonClick() {
    if (suljettu_) return;
    suljettu_ = true;
    p_.dosavefields();
    // Taken values are a change like typing them would be; closing right after must offer to save them.
    if (!samat_viitekentat(kortti(), alkuperainen_)) p_.varasto().tk().kortit.merkitse_muutetuksi();
    p_.update_fields();
    QDialog::accept();
}

void Tvalitse_oikea_form::peruuta_buttonClick() {
    if (suljettu_) return;
    suljettu_ = true;
    palauta();
    QDialog::reject();
}

void Tvalitse_oikea_form::nayta_alkup_buttonClick() {
    palauta();
    lista->clearSelection();
    lista->setCurrentRow(-1);
}

void Tvalitse_oikea_form::reject() { peruuta_buttonClick(); }

void Tvalitse_oikea_form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    lista->setFocus(Qt::OtherFocusReason);
    if (tapa_ == Valintatapa::Paivitys) {
        nayta_alkup_button->setFocus(Qt::OtherFocusReason);
        lista->clearSelection();
        lista->setCurrentRow(-1);
    }
}

bool Tvalitse_oikea_form::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    kirjoita_debug("key=" + std::to_string(k->key()));
    if (k->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return QDialog::eventFilter(o, e);
    switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Y:
        case Qt::Key_K: hyvaksy_buttonClick(); return true;
        case Qt::Key_N:
        case Qt::Key_E: peruuta_buttonClick(); return true;
        default: return QDialog::eventFilter(o, e);
    }
}
