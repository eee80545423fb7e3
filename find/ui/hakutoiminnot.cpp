#include "find/ui/hakutoiminnot.h"

#include <QAction>
#include <QShortcut>

#include "find/ui/etsi_form.h"
#include "find/ui/lista_form.h"
#include "mainwindow/ui/kiitokset_form.h"
#include "mainwindow/ui/paaikkuna.h"
#include "mainwindow/ui/tilastot_ikkuna.h"
#include "settings/asetukset.h"
#include "storage/varasto.h"

Hakutoiminnot::Hakutoiminnot(Paaikkuna& p) : p_(p) {
    lista_ = new TLista_Form(p, p.ikkuna());
    haku_ = new Tetsi_form(p, *lista_, ehdot_, p.ikkuna());

    auto kytke = [this](const char* nimi, void (Hakutoiminnot::*toiminto)()) {
        QAction* a = p_.toiminto(nimi);
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, toiminto);
    };
    kytke("Kiitokset1", &Hakutoiminnot::nayta_kiitokset);
    kytke("Pikanappaimet_menu", &Hakutoiminnot::nayta_pikanappaimet);
    QAction* tilastot = p_.toiminto("statistics");
    tilastot->setEnabled(true);
    connect(tilastot, &QAction::triggered, this, [this] { nayta_tilastot(p_); });

    // Another catalogue opened, merged or pasted into: the list shows it (search results would name cards
    // that are no longer there).
    // The main window's own notice of the change still goes out first.
    p.varasto().lista_muuttui = [this, ilmoitus = p.varasto().lista_muuttui] {
        if (ilmoitus) ilmoitus();
        if (lista_) lista_->tee_lista();
    };

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
    haku_->etsi_seuraava(p_.varasto().tk.nykyinen);
}

void Hakutoiminnot::nayta_kiitokset() {
    Tkiitokset_form f(p_.asetukset().ulkoasu, p_.ikkuna());
    p_.tyopoyta().nayta_dialogi(f);
}

void Hakutoiminnot::nayta_pikanappaimet() {
    Tkiitokset_form f(p_.asetukset().ulkoasu, p_.ikkuna());
    f.nayta_pikanappaimet();
    p_.tyopoyta().nayta_dialogi(f);
}
