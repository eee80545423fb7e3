#include "mainwindow/ui/kumpi_lista_form.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"

Tkumpi_lista_form::Tkumpi_lista_form(QWidget* parent) : QDialog(parent) {
    setObjectName("kumpi_lista_form");
    setWindowTitle(fi("Kumman listan haluat näkyviin"));
    auto* asettelu = new QVBoxLayout(this);
    hakutulos = new QPushButton(fi("Viimeisimmät hakutulokset"), this);
    hakutulos->setObjectName("hakutulos");
    kaikki = new QPushButton(fi("Lista kaikista korteista (hylkää hakutulokset)"), this);
    kaikki->setObjectName("kaikki");
    peruuta = new QPushButton(fi("Peruuta"), this);
    peruuta->setObjectName("peruuta");
    for (QPushButton* b : {hakutulos, kaikki, peruuta}) asettelu->addWidget(b);
    hakutulos->setDefault(true);
    connect(hakutulos, &QPushButton::clicked, this, [this] { done(Hakutulos); });
    connect(kaikki, &QPushButton::clicked, this, [this] { done(Kaikki); });
    connect(peruuta, &QPushButton::clicked, this, [this] { done(Peruuta); });
    setFixedWidth(340);
}
