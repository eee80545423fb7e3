#include "tapes/ui/tyhjaa_nauhaa_form.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"
#include "tapes/ui/syota_kas.h"

Ttyhjaa_nauhaa_form::Ttyhjaa_nauhaa_form(Paaikkuna& p) : QDialog(p.ikkuna()), p_(p) {
    setObjectName("tyhjaa_nauhaa_form");
    setWindowTitle(fi("Nauhatilanne"));

    ListaGrid = new QTableWidget(0, 4, this);
    ListaGrid->setObjectName("ListaGrid");
    ListaGrid->setHorizontalHeaderLabels({fi("Kasetti"), fi("Pituus"), fi("Käytetty"), fi("Vapaata (SP)")});
    ListaGrid->verticalHeader()->hide();
    ListaGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListaGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ListaGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListaGrid->horizontalHeader()->setHighlightSections(false);
    ListaGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListaGrid->verticalHeader()->setDefaultSectionSize(18);
    ListaGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListaGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Widths of 41, 53, 53 and 78 pixels, each widened to what its header and a value such as "9999 min"
    // need in this font.
    const int leveydet[] = {41, 53, 53, 78};
    const int arvolle = ListaGrid->fontMetrics().horizontalAdvance("9999 min") + 12;
    int yhteensa = 0;
    for (int c = 0; c < 4; ++c) {
        const int tarve = std::max(ListaGrid->horizontalHeader()->sectionSizeHint(c), c == 0 ? 0 : arvolle);
        ListaGrid->setColumnWidth(c, std::max(leveydet[c], tarve));
        yhteensa += ListaGrid->columnWidth(c);
    }
    ListaGrid->setFixedWidth(yhteensa + ListaGrid->verticalScrollBar()->sizeHint().width() + 2 * ListaGrid->frameWidth());
    ListaGrid->viewport()->installEventFilter(this);

    vahintaan = new QLineEdit(this);
    vahintaan->setObjectName("vahintaan");
    vahintaan->setFixedWidth(50);
    SP = new QRadioButton("SP", this);
    SP->setObjectName("SP");
    SP->setChecked(true);
    LP = new QRadioButton("LP", this);
    LP->setObjectName("LP");
    etsi_vapaata_button = new QPushButton(fi("Etsi vapaata nauhaa"), this);
    etsi_vapaata_button->setObjectName("etsi_vapaata_button");
    etsi_vapaata_button->setDefault(true);
    nayta_kaikki = new QPushButton(fi("Näytä kaikki"), this);
    nayta_kaikki->setObjectName("nayta_kaikki");
    sulje_button = new QPushButton(fi("Sulje"), this);
    sulje_button->setObjectName("sulje_button");
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);

    auto* minuutit = new QHBoxLayout;
    minuutit->addWidget(new QLabel(fi("Vähintään"), this));
    minuutit->addWidget(vahintaan);
    minuutit->addWidget(new QLabel(fi("min."), this));
    minuutit->addStretch();
    auto* nopeus = new QHBoxLayout;
    nopeus->addWidget(SP);
    nopeus->addWidget(LP);
    nopeus->addStretch();
    auto* oikea = new QVBoxLayout;
    oikea->addLayout(minuutit);
    oikea->addLayout(nopeus);
    oikea->addWidget(etsi_vapaata_button);
    oikea->addWidget(nayta_kaikki);
    oikea->addStretch();
    oikea->addWidget(sulje_button);
    auto* ylaosa = new QHBoxLayout;
    ylaosa->addWidget(ListaGrid);
    ylaosa->addLayout(oikea);
    auto* koko = new QVBoxLayout(this);
    koko->setContentsMargins(6, 6, 6, 0);
    koko->addLayout(ylaosa, 1);
    koko->addWidget(StatusBar);
    resize(sizeHint().width(), 360);

    connect(etsi_vapaata_button, &QPushButton::clicked, this, [this] { etsi_vapaata_buttonClick(); });
    connect(nayta_kaikki, &QPushButton::clicked, this, [this] { tee_nauhalista(0); });
    connect(sulje_button, &QPushButton::clicked, this, &QDialog::accept);
    // Moving the selection with the keys shows that row's state and card as a click does.
    connect(ListaGrid, &QTableWidget::currentCellChanged, this, [this](int rivi, int, int edellinen) {
        if (!rakennetaan_ && rivi != edellinen) ListaGridClick();
    });
    connect(ListaGrid, &QTableWidget::cellDoubleClicked, this, [this] { ListaGridDblClick(); });
}

void Ttyhjaa_nauhaa_form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) tee_nauhalista(0);
}

bool Ttyhjaa_nauhaa_form::eventFilter(QObject* o, QEvent* e) {
    // The mouse wheel does nothing in the grid.
    if (o == ListaGrid->viewport() && e->type() == QEvent::Wheel) return true;
    return QDialog::eventFilter(o, e);
}

void Ttyhjaa_nauhaa_form::tee_nauhalista(long long vahintaan_min) {
    // The card being edited counts with what is typed in it.
    p_.dosavefields();
    nayta(::tee_nauhalista(p_.varasto().tk().kortit, vahintaan_min, p_.asetukset(), p_.varasto().viestit));
}

void Ttyhjaa_nauhaa_form::nayta(std::vector<Nauharivi> rivit) {
    rivit_ = std::move(rivit);
    rakennetaan_ = true;
    ListaGrid->clearContents();
    ListaGrid->setRowCount(static_cast<int>(rivit_.size()));
    for (int r = 0; r < static_cast<int>(rivit_.size()); ++r) {
        const Nauharivi& n = rivit_[static_cast<std::size_t>(r)];
        const std::string solut[] = {n.kasetti, n.pituus, n.kaytetty, n.vapaa};
        for (int c = 0; c < 4; ++c) ListaGrid->setItem(r, c, new QTableWidgetItem(q_nakyva(solut[c])));
    }
    if (!rivit_.empty()) ListaGrid->selectRow(0);
    rakennetaan_ = false;
    ListaGridClick();
}

void Ttyhjaa_nauhaa_form::etsi_vapaata_buttonClick() {
    p_.dosavefields();
    Vapaan_haku h = etsi_vapaata(p_.varasto().tk().kortit, cp(vahintaan->text()), LP->isChecked(), p_.asetukset(),
                                 p_.varasto().viestit);
    if (!h.luku_kelpaa) {
        vahintaan->clear();
        vahintaan->setFocus(Qt::OtherFocusReason);
        return;
    }
    nayta(std::move(h.rivit));
}

void Ttyhjaa_nauhaa_form::ListaGridClick() {
    const int r = ListaGrid->currentRow();
    if (r < 0 || r >= static_cast<int>(rivit_.size())) {
        StatusBar->clearMessage();
        return;
    }
    const Nauharivi& n = rivit_[static_cast<std::size_t>(r)];
    const std::string tila = nauhan_tila(n);
    if (tila.empty()) StatusBar->clearMessage();
    else StatusBar->showMessage(q(tila));
    if (n.ensimmainen < p_.varasto().tk().kortit.Count()) p_.siirry_korttiin(n.ensimmainen);
}

void Ttyhjaa_nauhaa_form::ListaGridDblClick() {
    const int r = ListaGrid->currentRow();
    if (r < 0 || r >= static_cast<int>(rivit_.size())) return;
    Tsyota_kas f(p_, rivit_[static_cast<std::size_t>(r)].kasetti);
    p_.tyopoyta().nayta_dialogi(f);
    tee_nauhalista(0);
}
