#include "find/ui/sort_form.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

#include "diag/ui/teksti.h"
#include "settings/ui/ulkoasu_qt.h"
#include "diag/viestit.h"

namespace {

constexpr int vahin_leveys = 260;
constexpr int reuna = 10;

QColor bgr(std::uint32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace

TSort_Form::TSort_Form(Tietokanta& tietokanta, diag::Viestit& viestit, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), tk_(tietokanta), viestit_(viestit) {
    setObjectName("Sort_Form");
    setWindowTitle(fi("Järjestä kortit"));

    valitse_kentta_text = new QLabel(fi("Valitse kenttä jonka mukaan järjestetään"), this);
    valitse_kentta_text->setObjectName("valitse_kentta_text");
    Jarjesta_Listbox = new QListWidget(this);
    Jarjesta_Listbox->setObjectName("Jarjesta_Listbox");
    Jarjesta_Listbox->setSelectionMode(QAbstractItemView::SingleSelection);
    Jarjesta_Listbox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const char* avain : jarjestysavaimet) Jarjesta_Listbox->addItem(fi(avain));
    valitse_suunta_text = new QLabel(fi("Järjestyksen suunta."), this);
    valitse_suunta_text->setObjectName("valitse_suunta_text");
    sort_by = new QComboBox(this);
    sort_by->setObjectName("sort_by");
    sort_by->addItem(fi(nouseva_teksti));
    sort_by->addItem(fi(laskeva_teksti));
    sort_by->installEventFilter(this);
    Jarjesta_button = new QPushButton(this);
    Jarjesta_button->setObjectName("Jarjesta_button");
    peruuta_button = new QPushButton(this);
    peruuta_button->setObjectName("peruuta_button");
    // Enabled by Timer1 or a click on a key once the window is up, so it cannot sort without a key.
    Jarjesta_button->setEnabled(false);

    // Every key is visible at once: the list is as tall as its fifteen rows, the window as wide as its
    // longest label in the font at hand.
    const int leveys = std::max(vahin_leveys, valitse_kentta_text->sizeHint().width() + 2 * reuna);
    const int rivi = valitse_kentta_text->sizeHint().height();
    int y = reuna;
    valitse_kentta_text->setGeometry(reuna, y, leveys - 2 * reuna, rivi);
    y += rivi + 4;
    const int listan_korkeus = Jarjesta_Listbox->sizeHintForRow(0) * avainten_maara + 2 * Jarjesta_Listbox->frameWidth();
    Jarjesta_Listbox->setGeometry(reuna, y, leveys - 2 * reuna, listan_korkeus);
    y += listan_korkeus + 8;
    valitse_suunta_text->setGeometry(reuna, y, leveys - 2 * reuna, rivi);
    y += rivi + 4;
    sort_by->setGeometry(reuna, y, leveys - 2 * reuna, sort_by->sizeHint().height());
    y += sort_by->height() + 12;
    const int napin_leveys = (leveys - 3 * reuna) / 2;
    Jarjesta_button->setGeometry(reuna, y, napin_leveys, 30);
    peruuta_button->setGeometry(2 * reuna + napin_leveys, y, napin_leveys, 30);
    setFixedSize(leveys, y + 30 + reuna);

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    Timer2 = new QTimer(this);
    Timer2->setInterval(250);

    connect(Timer1, &QTimer::timeout, this, &TSort_Form::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TSort_Form::Timer2Timer);
    connect(Jarjesta_Listbox, &QListWidget::itemSelectionChanged, this, &TSort_Form::Jarjesta_ListboxClick);
    connect(Jarjesta_Listbox, &QListWidget::itemClicked, this, &TSort_Form::Jarjesta_ListboxClick);
    connect(Jarjesta_button, &QPushButton::clicked, this, &TSort_Form::Jarjesta_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &TSort_Form::peruuta_buttonClick);

    aseta_ulkoasu(Nakoasu{});
}

void TSort_Form::aseta_ulkoasu(const Nakoasu& nakoasu) {
    nakoasu_ = nakoasu;
    aseta_napin_kuva(Jarjesta_button, nakoasu_.jarjesta_kuva, "Järjestä");
    aseta_napin_kuva(peruuta_button, nakoasu_.peruuta_kuva, "Peruuta");
    aseta_vari(valitse_kentta_text, false);
    aseta_vari(valitse_suunta_text, false);
    update();
}

int TSort_Form::valittu_avain() const {
    // The selection, not the current row: focus alone makes the first row current without choosing it.
    const QList<QListWidgetItem*> valitut = Jarjesta_Listbox->selectedItems();
    return valitut.isEmpty() ? -1 : Jarjesta_Listbox->row(valitut.first());
}

Suunta TSort_Form::suunta() const {
    return cp(sort_by->currentText()) == laskeva_teksti ? Suunta::Laskeva : Suunta::Nouseva;
}

void TSort_Form::Jarjesta_buttonClick() {
    if (!Jarjesta_button->isEnabled() || valittu_avain() < 0) return;
    suorita(valittu_avain(), suunta());
}

void TSort_Form::peruuta_buttonClick() { reject(); }

bool TSort_Form::jarjesta(int avain, Suunta suunta) {
    if (vertailu(avain) == nullptr) {
        viestit_.virhe(vaaran_avaimen_viesti(suunta));
        return false;
    }
    {
        // Choosing for the caller is not the user's click: the labels stay as they are.
        const QSignalBlocker esto(Jarjesta_Listbox);
        Jarjesta_Listbox->setCurrentRow(avain);
    }
    sort_by->setCurrentIndex(suunta == Suunta::Laskeva ? 1 : 0);
    suorita(avain, suunta);
    return true;
}

void TSort_Form::suorita(int avain, Suunta suunta) {
    setEnabled(false);
    jarjesta_tietokanta(tk_, avain, suunta, viestit_);
    emit jarjestetty(avain, suunta == Suunta::Laskeva);
    setEnabled(true);
    accept();
}

void TSort_Form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Timer1->start();
}

void TSort_Form::hideEvent(QHideEvent* e) {
    // A hidden window has nothing to blink, and a running Timer1 would keep disabling the button.
    Timer1->stop();
    Timer2->stop();
    aseta_vari(valitse_kentta_text, false);
    aseta_vari(valitse_suunta_text, false);
    QDialog::hideEvent(e);
}

void TSort_Form::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    if (nakoasu_.tausta.isNull()) return;
    QPainter maalari(this);
    maalari.drawPixmap(0, 0, nakoasu_.tausta);
}

bool TSort_Form::eventFilter(QObject* kohde, QEvent* e) {
    // The direction is chosen from the list only; typed letters are refused.
    if (kohde == sort_by && e->type() == QEvent::KeyPress) {
        const auto* n = static_cast<QKeyEvent*>(e);
        if (!n->text().isEmpty() && n->text().at(0).isPrint()) {
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(kohde, e);
}

void TSort_Form::Jarjesta_ListboxClick() {
    Timer1->stop();
    vilkutukset_ = 0;
    Timer2->start();
    aseta_vari(valitse_kentta_text, false);
    Jarjesta_button->setEnabled(true);
}

void TSort_Form::Timer1Timer() {
    Jarjesta_button->setEnabled(false);
    if (valittu_avain() >= 0) {
        Jarjesta_button->setEnabled(true);
        aseta_vari(valitse_kentta_text, false);
        Timer1->stop();
    } else {
        vaihda_vari(valitse_kentta_text);
    }
}

void TSort_Form::Timer2Timer() {
    if (++vilkutukset_ >= 7) {
        aseta_vari(valitse_suunta_text, false);
        Timer2->stop();
        return;
    }
    vaihda_vari(valitse_suunta_text);
    valitse_suunta_text->repaint();
}

void TSort_Form::aseta_vari(QLabel* nimio, bool korostettu) {
    nimio->setProperty("korostettu", korostettu);
    QPalette p = nimio->palette();
    p.setColor(QPalette::WindowText, bgr(korostettu ? nakoasu_.korostettu : nakoasu_.normaali));
    nimio->setPalette(p);
}

void TSort_Form::vaihda_vari(QLabel* nimio) { aseta_vari(nimio, !nimio->property("korostettu").toBool()); }
