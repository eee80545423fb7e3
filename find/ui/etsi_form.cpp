#include "find/ui/etsi_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "find/ui/lista_form.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/varasto.h"

namespace {

constexpr int leveys = 380;
constexpr int reuna = 10;

}  // namespace

Tetsi_form::Tetsi_form(Paaikkuna& p, TLista_Form& lista, Hakuehdot& ehdot, QWidget* parent)
    : QDialog(parent), p_(p), lista_(lista), ehdot_(ehdot) {
    setObjectName("etsi_form");
    setWindowTitle(fi("Etsi..."));

    hakusanat_label = new QLabel(fi("Hakusanat"), this);
    hakusanat = new QLineEdit(this);
    hakusanat->setObjectName("hakusanat");
    ohje_label = new QLabel(fi("Voit syöttää useita  hakusanoja, muista kuitenkin eroittaa hakusanat pilkulla toisistaan."), this);
    ohje_label->setWordWrap(true);
    listaan_chbox = new QCheckBox(fi("Tulos Listaan"), this);
    listaan_chbox->setObjectName("listaan_chbox");
    listaan_chbox->setChecked(true);
    minilistaan = new QCheckBox(fi("Käytä minilistaa"), this);
    minilistaan->setObjectName("minilistaan");
    etsi_kentista_label = new QLabel(fi("Etsi kentistä"), this);
    etsi_kentista = new QListWidget(this);
    etsi_kentista->setObjectName("etsi_kentista");
    for (const char* nimi : hakukenttien_nimet) {
        auto* kohta = new QListWidgetItem(fi(nimi), etsi_kentista);
        kohta->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        kohta->setCheckState(Qt::Checked);
    }
    select_kaikki = new QPushButton(fi("Kaikki"), this);
    select_kaikki->setObjectName("select_kaikki");
    select_none = new QPushButton(fi("Tyhjennä"), this);
    select_none->setObjectName("select_none");
    huomaa_label = new QLabel(fi("Huomaa: F3 etsii seuraavan kortin joka täyttää hakuehdot."), this);
    huomaa_label->setObjectName("huomaa_label");
    huomaa_label->setWordWrap(true);
    huomaa_label->hide();
    etsi_progress = new QProgressBar(this);
    etsi_progress->setObjectName("etsi_progress");
    etsi_progress->setTextVisible(false);
    etsi_button = new QPushButton(this);
    etsi_button->setObjectName("etsi_button");
    peruuta_button = new QPushButton(this);
    peruuta_button->setObjectName("peruuta_button");
    // Enter belongs to the words field, which starts the search itself.
    for (QPushButton* b : {select_kaikki, select_none, etsi_button, peruuta_button}) b->setAutoDefault(false);

    const int sisa = leveys - 2 * reuna;
    int y = reuna;
    const int rivi = hakusanat_label->sizeHint().height();
    hakusanat_label->setGeometry(reuna, y, sisa, rivi);
    y += rivi + 2;
    hakusanat->setGeometry(reuna, y, sisa, hakusanat->sizeHint().height());
    y += hakusanat->height() + 4;
    const int ohjeen_korkeus = ohje_label->heightForWidth(sisa);
    ohje_label->setGeometry(reuna, y, sisa, ohjeen_korkeus);
    y += ohjeen_korkeus + 8;
    const int ruudun_korkeus = listaan_chbox->sizeHint().height();
    listaan_chbox->setGeometry(reuna, y, sisa / 2, ruudun_korkeus);
    minilistaan->setGeometry(reuna + sisa / 2, y, sisa / 2, ruudun_korkeus);
    y += ruudun_korkeus + 8;
    etsi_kentista_label->setGeometry(reuna, y, sisa, rivi);
    y += rivi + 2;
    const int listan_leveys = sisa - 110;
    const int listan_korkeus = etsi_kentista->sizeHintForRow(0) * hakukenttia + 2 * etsi_kentista->frameWidth();
    etsi_kentista->setGeometry(reuna, y, listan_leveys, listan_korkeus);
    etsi_kentista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    select_kaikki->setGeometry(reuna + listan_leveys + 10, y, 100, 26);
    select_none->setGeometry(reuna + listan_leveys + 10, y + 32, 100, 26);
    y += listan_korkeus + 8;
    const int huomaa_korkeus = huomaa_label->heightForWidth(sisa);
    huomaa_label->setGeometry(reuna, y, sisa, huomaa_korkeus);
    etsi_progress->setGeometry(reuna, y, sisa, 14);
    y += std::max(huomaa_korkeus, 14) + 10;
    etsi_button->setGeometry(reuna, y, 90, 28);
    peruuta_button->setGeometry(leveys - reuna - 90, y, 90, 28);
    setFixedSize(leveys, y + 28 + reuna);

    connect(hakusanat, &QLineEdit::returnPressed, this, &Tetsi_form::etsi_buttonClick);
    connect(etsi_button, &QPushButton::clicked, this, &Tetsi_form::etsi_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, [this] {
        reject();
        p_.ikkuna()->activateWindow();
    });
    connect(select_kaikki, &QPushButton::clicked, this, &Tetsi_form::select_kaikkiClick);
    connect(select_none, &QPushButton::clicked, this, &Tetsi_form::select_noneClick);
    connect(listaan_chbox, &QCheckBox::clicked, this, &Tetsi_form::listaan_chboxClick);

    auto ulkoasu = [this](const Ulkoasu& u) {
        Tiedostojarjestelma& t = p_.varasto().tj();
        tausta_ = lataa_kuva(t, u.tausta2);
        aseta_napin_kuva(etsi_button, lataa_kuva(t, u.etsi_etsi), "Etsi");
        aseta_napin_kuva(peruuta_button, lataa_kuva(t, u.etsi_peruuta), "Peruuta");
    };
    sovella_ulkoasu(this, p_.asetukset().ulkoasu, Ikkunalaji::Muu);
    ulkoasu(p_.asetukset().ulkoasu);
    p_.sovitin().lisaa(this, Ikkunalaji::Muu, ulkoasu);
}

void Tetsi_form::select_kaikkiClick() {
    for (int i = 0; i < etsi_kentista->count(); ++i) etsi_kentista->item(i)->setCheckState(Qt::Checked);
}

void Tetsi_form::select_noneClick() {
    for (int i = 0; i < etsi_kentista->count(); ++i) etsi_kentista->item(i)->setCheckState(Qt::Unchecked);
}

void Tetsi_form::listaan_chboxClick() {
    const bool listaan = listaan_chbox->isChecked();
    minilistaan->setVisible(listaan);
    etsi_progress->setVisible(listaan);
    huomaa_label->setVisible(!listaan);
    hakusanat->setFocus();
}

Hakukentat Tetsi_form::valitut_kentat() const {
    Hakukentat k;
    for (int i = 0; i < hakukenttia; ++i) k[static_cast<std::size_t>(i)] = etsi_kentista->item(i)->checkState() == Qt::Checked;
    return k;
}

void Tetsi_form::etsi_buttonClick() {
    if (hakusanat->text().isEmpty()) {
        p_.varasto().viestit.varoitus(syota_hakusana);
        hakusanat->setFocus();
        return;
    }
    ehdot_.sanat = eroittele_hakusanat(cp(hakusanat->text()), p_.varasto().viestit);
    ehdot_.kentat = valitut_kentat();
    if (listaan_chbox->isChecked()) etsi_ja_tulos_listaan();
    else etsi_seuraava(0);
}

void Tetsi_form::etsi_ja_tulos_listaan() {
    setEnabled(false);
    setWindowTitle(fi("Odota, etsitään.... "));
    Tietokanta& tk = p_.varasto().tk();
    const int muistettu = tk.nykyinen;
    etsi_progress->setMaximum(std::max(1, tk.kortit.Count() - 1));
    std::vector<int> osumat = etsi_listaan(tk.kortit, ehdot_.sanat, ehdot_.kentat, [this](int i) {
        etsi_progress->setValue(i);
        p_.varasto().kiire.kasittele_viestit();
    });
    etsi_progress->setValue(0);
    setEnabled(true);
    setWindowTitle(fi("Etsi..."));
    if (!osumat.empty()) {
        lista_.nayta_hakutulos(std::move(osumat), minilistaan->isChecked());
        accept();
        return;
    }
    p_.varasto().viestit.varoitus(ei_hakutuloksia);
    tk.nykyinen = muistettu;
    lista_.tee_lista();
    hakusanat->setFocus();
}

void Tetsi_form::etsi_seuraava(int alku) {
    const int i = ::etsi_seuraava(p_.varasto().tk().kortit, alku, ehdot_.sanat, ehdot_.kentat);
    if (i > 0) {
        p_.siirry_korttiin(i);
        // The list shows where the search went, as it does after the main window's own moves.
        if (lista_.nakyvissa()) lista_.seuraa_valintaa();
        if (isVisible()) accept();
        return;
    }
    p_.update_fields();
    p_.varasto().viestit.tieto(ei_loydy);
}

void Tetsi_form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    hakusanat->setFocus();
}

void Tetsi_form::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    if (tausta_.isNull()) return;
    QPainter maalari(this);
    maalari.drawPixmap(0, 0, tausta_);
}
