#include "lending/ui/lahetys.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"

Tlahetys_form::Tlahetys_form(QWidget* parent) : QDialog(parent) {
    setObjectName("lahetys_form");
    setWindowTitle(fi("Lähetetään sähköpostia"));
    setWindowModality(Qt::ApplicationModal);
    auto* l = new QVBoxLayout(this);
    teksti_label = new QLabel(fi("ODOTA: Lähetetään sähköpostia...."), this);
    teksti_label->setObjectName("teksti_label");
    l->addWidget(teksti_label);
    auto* palkki = new QProgressBar(this);
    palkki->setRange(0, 0);
    palkki->setTextVisible(false);
    l->addWidget(palkki);
    keskeyta_button = new QPushButton(fi("&Keskeytä"), this);
    keskeyta_button->setObjectName("keskeyta_button");
    l->addWidget(keskeyta_button, 0, Qt::AlignRight);
    connect(keskeyta_button, &QPushButton::clicked, this, &Tlahetys_form::reject);
    setMinimumWidth(320);
}

void Tlahetys_form::reject() {
    keskeytetty_ = true;
    teksti_label->setText(fi("Keskeytetään..."));
    keskeyta_button->setEnabled(false);
}

Tulos laheta_odottaen(QWidget* isa, const SmtpPalvelin& palvelin, const Sahkoposti& s) {
    Tlahetys_form f(isa);
    f.show();
    // The sending window keeps the program's windows alive while the mail goes, so Keskeytä is heard.
    const auto kasittele = [] { QApplication::processEvents(QEventLoop::AllEvents, 20); };
    kasittele();
    const Tulos t = laheta_sahkoposti(palvelin, s, [&] {
        kasittele();
        return !f.keskeytetty();
    });
    f.hide();
    return t;
}

void nayta_lahetyksen_tulos(diag::Viestit& viestit, const Tulos& t) {
    if (t) viestit.tieto(t.viesti.empty() ? smtp_lahetetty : t.viesti);
    else if (t.koodi == smtp_koodi_keskeytetty) viestit.tieto(t.viesti);
    else viestit.virhe(t.viesti);
}
