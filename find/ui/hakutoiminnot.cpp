#include "find/ui/hakutoiminnot.h"

#include <QAction>
#include <QShortcut>

#include "find/ui/etsi_form.h"
#include "find/ui/lista_form.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "storage/varasto.h"

Hakutoiminnot::Hakutoiminnot(Paaikkuna& p) : p_(p) {
    lista_ = new TLista_Form(p, p.ikkuna());
    haku_ = new Tetsi_form(p, *lista_, ehdot_, p.ikkuna());

    F3 = new QShortcut(QKeySequence(Qt::Key_F3), p.ikkuna());
    F3->setObjectName("F3");
    connect(F3, &QShortcut::activated, this, &Hakutoiminnot::etsi_seuraava);
}

Hakutoiminnot::~Hakutoiminnot() {
    delete haku_.data();
    delete lista_.data();
}

Listaikkuna& Hakutoiminnot::lista() { return *lista_; }

void Hakutoiminnot::etsi() { p_.tyopoyta().nayta_dialogi(*haku_); }

void Hakutoiminnot::etsi_seuraava() {
    if (!ehdot_.annettu()) {
        p_.himmenna_tausta();
        etsi();
        p_.palauta_tausta();
        return;
    }
    p_.dosavefields();
    haku_->etsi_seuraava(p_.varasto().tk().nykyinen);
}

// Search results would name cards that are no longer there: the list shows the catalogue again.
void Hakutoiminnot::kortit_vaihtuivat() {
    if (lista_) lista_->tee_lista();
}
