#include "tuonti/ui/tuonti_form.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"

namespace {

constexpr int kommentit_valinta = 0;  // the first choice of every field box

}  // namespace

Ttuonti_form::Ttuonti_form(std::string data, Csvtaulu taulu, const QString& tiedosto, QWidget* parent)
    : QDialog(parent), data_(std::move(data)), taulu_(std::move(taulu)) {
    setObjectName("tuonti_form");
    setWindowTitle(fi("Tuo elokuvia"));
    resize(720, 480);
    auto* pysty = new QVBoxLayout(this);
    tiedosto_label = new QLabel(fi("Tiedosto: ") + tiedosto, this);
    tiedosto_label->setObjectName("tiedosto_label");
    pysty->addWidget(tiedosto_label);
    auto* ohje = new QLabel(fi("Valitse jokaiselle tiedoston sarakkeelle kortin kenttä. Sarakkeet, joille ei ole "
                               "kenttää, viedään kortin kommentteihin otsikkoineen, joten mitään ei menetetä."),
                            this);
    ohje->setWordWrap(true);
    pysty->addWidget(ohje);

    auto* valinnat = new QHBoxLayout;
    valinnat->addWidget(new QLabel(fi("Merkistö:"), this));
    merkisto_valinta = new QComboBox(this);
    merkisto_valinta->setObjectName("merkisto_valinta");
    merkisto_valinta->addItems({"UTF-8", "Windows-1252"});
    merkisto_valinta->setCurrentIndex(taulu_.merkisto == Csvmerkisto::Utf8 ? 0 : 1);
    valinnat->addWidget(merkisto_valinta);
    valinnat->addSpacing(16);
    valinnat->addWidget(new QLabel(fi("Erotin:"), this));
    erotin_valinta = new QComboBox(this);
    erotin_valinta->setObjectName("erotin_valinta");
    erotin_valinta->addItems({fi("pilkku ( , )"), fi("puolipiste ( ; )")});
    erotin_valinta->setCurrentIndex(taulu_.erotin == ',' ? 0 : 1);
    valinnat->addWidget(erotin_valinta);
    valinnat->addStretch();
    maara_label = new QLabel(this);
    maara_label->setObjectName("maara_label");
    valinnat->addWidget(maara_label);
    pysty->addLayout(valinnat);

    sarakkeet_grid = new QTableWidget(this);
    sarakkeet_grid->setObjectName("sarakkeet_grid");
    sarakkeet_grid->setColumnCount(3);
    sarakkeet_grid->setHorizontalHeaderLabels({fi("Tiedoston sarake"), fi("Ensimmäisen elokuvan arvo"), fi("Kortin kenttä")});
    sarakkeet_grid->verticalHeader()->hide();
    sarakkeet_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sarakkeet_grid->setSelectionMode(QAbstractItemView::NoSelection);
    sarakkeet_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    sarakkeet_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    sarakkeet_grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    pysty->addWidget(sarakkeet_grid);

    auto* napit = new QHBoxLayout;
    napit->addStretch();
    tuo_button = new QPushButton(fi("Tuo"), this);
    tuo_button->setObjectName("tuo_button");
    tuo_button->setDefault(true);
    peruuta_button = new QPushButton(fi("Peruuta"), this);
    peruuta_button->setObjectName("peruuta_button");
    napit->addWidget(tuo_button);
    napit->addWidget(peruuta_button);
    pysty->addLayout(napit);

    connect(tuo_button, &QPushButton::clicked, this, &QDialog::accept);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
    connect(merkisto_valinta, &QComboBox::currentIndexChanged, this, [this] { lue_uudelleen(); });
    connect(erotin_valinta, &QComboBox::currentIndexChanged, this, [this] { lue_uudelleen(); });
    nayta_sarakkeet();
}

void Ttuonti_form::lue_uudelleen() {
    const Csvmerkisto m = merkisto_valinta->currentIndex() == 0 ? Csvmerkisto::Utf8 : Csvmerkisto::Cp1252;
    const char e = erotin_valinta->currentIndex() == 0 ? ',' : ';';
    Csvtaulu uusi;
    // The file was read once already, so another encoding or separator cannot make it fail to read.
    if (lue_csv(data_, uusi, m, e)) taulu_ = std::move(uusi);
    nayta_sarakkeet();
}

void Ttuonti_form::nayta_sarakkeet() {
    const std::vector<std::string>& otsikko = taulu_.rivit[0];
    const Sarakekartta arvaus = arvaa_kartta(otsikko);
    const std::size_t elokuvia = taulu_.rivit.size() - 1;
    maara_label->setText(fi("Elokuvia: ") + QString::number(elokuvia));
    sarakkeet_grid->setRowCount(static_cast<int>(otsikko.size()));
    const std::vector<Sarake>& kentat = sarakkeet();
    for (std::size_t i = 0; i < otsikko.size(); ++i) {
        const int r = static_cast<int>(i);
        sarakkeet_grid->setItem(r, 0, new QTableWidgetItem(q(otsikko[i])));
        const std::vector<std::string>* eka = elokuvia ? &taulu_.rivit[1] : nullptr;
        sarakkeet_grid->setItem(r, 1, new QTableWidgetItem(eka && i < eka->size() ? q_nakyva((*eka)[i]) : QString()));
        auto* valinta = new QComboBox;
        valinta->addItem(fi(kommentteihin), -1);
        for (std::size_t k = 0; k < kentat.size(); ++k)
            valinta->addItem(q(kohteen_nimi(&kentat[k])), static_cast<int>(k));
        valinta->setCurrentIndex(arvaus[i] ? valinta->findData(static_cast<int>(arvaus[i] - kentat.data())) : kommentit_valinta);
        sarakkeet_grid->setCellWidget(r, 2, valinta);
    }
}

QComboBox* Ttuonti_form::kentta_valinta(int sarake) const {
    return qobject_cast<QComboBox*>(sarakkeet_grid->cellWidget(sarake, 2));
}

Sarakekartta Ttuonti_form::kartta() const {
    Sarakekartta k;
    for (int r = 0; r < sarakkeet_grid->rowCount(); ++r) {
        const int valittu = kentta_valinta(r)->currentData().toInt();
        k.push_back(valittu < 0 ? nullptr : &sarakkeet()[static_cast<std::size_t>(valittu)]);
    }
    return k;
}
