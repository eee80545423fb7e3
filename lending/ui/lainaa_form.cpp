#include "lending/ui/lainaa_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "lending/lainaus.h"
#include "lending/profiilit.h"
#include "perus/ui/paaikkuna.h"
#include "perus/ui/taydennys.h"
#include "storage/varasto.h"

namespace {

QPushButton* nappi(QWidget* isa, const char* nimi, const char* teksti, const char* vihje = nullptr) {
    auto* b = new QPushButton(fi(teksti), isa);
    b->setObjectName(nimi);
    b->setAutoDefault(false);
    b->setMinimumWidth(b->sizeHint().width() + 12);
    if (vihje) b->setToolTip(fi(vihje));
    return b;
}

// A loan row shows the beginning of a long row; the cassette and the borrower come from the whole row.
std::string lainarivi(const QListWidgetItem* r) { return r->data(Qt::UserRole).toByteArray().toStdString(); }

}  // namespace

Tlainaa_form::Tlainaa_form(Paaikkuna& p) : QDialog(p.ikkuna()), p_(p) {
    setObjectName("lainaa_form");
    setWindowTitle(fi("Lainaa / Palauta"));

    kasetit_edit = new QLineEdit(this);
    kasetit_edit->setObjectName("kasetit_edit");
    lainaaja_edit = new QComboBox(this);
    lainaaja_edit->setObjectName("lainaaja_edit");
    lainaaja_edit->setEditable(true);
    lainaaja_edit->setInsertPolicy(QComboBox::NoInsert);
    lainaaja_edit->setCompleter(nullptr);
    // Borrower names cannot hold commas: the loan text and the loan list are split at them.
    lainaaja_edit->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^,]*")), lainaaja_edit));
    lainaaja_edit->installEventFilter(this);
    lainaa_ohje = new QLabel(fi("Eroita lainattavien/palautettavien kasettien/levyjen/elokuvien nimet tai numerot "
                                "toisistaan pilkulla.   Esimerkiksi (1, 10, 12, Matrix, DVD3)"),
                             this);
    lainaa_ohje->setObjectName("lainaa_ohje");
    lainaa_ohje->setWordWrap(true);
    lista = new QListWidget(this);
    lista->setObjectName("lista");
    lista->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lista->setToolTip(fi("Pidä CTRL pohjassa valitaksesi useampia rivejä."));
    lista->setMinimumHeight(160);

    Lainaa_button = nappi(this, "Lainaa_button", "&Lainaa");
    Palauta = nappi(this, "Palauta", "&Palauta");
    palauta_kaikki = nappi(this, "palauta_kaikki", "Palauta kaikki");
    // Alt+P belongs to &Palauta; two buttons on one letter would only move the focus between them.
    profiilit_button = nappi(this, "profiilit_button", "P&rofiilit");
    sendEmail_button = nappi(this, "sendEmail_button", "Lähetä &email", "Lähetä sähköpostia valitun elokuvan lainaajalle");
    apua_button = nappi(this, "apua_button", "?", "Lue käyttöohjeet!");
    apua_button->setMinimumWidth(0);
    apua_button->setFixedWidth(apua_button->sizeHint().height() + 8);
    peruuta_button = nappi(this, "peruuta_button", "&Sulje");

    auto* kentat = new QGridLayout;
    auto* kasetit_label = new QLabel(fi("Kasetit:"), this);
    kasetit_label->setBuddy(kasetit_edit);
    auto* lainaaja_label = new QLabel(fi("Lainaaja:"), this);
    lainaaja_label->setBuddy(lainaaja_edit);
    kentat->addWidget(kasetit_label, 0, 0);
    kentat->addWidget(kasetit_edit, 0, 1);
    kentat->addWidget(lainaa_ohje, 1, 1);
    kentat->addWidget(lainaaja_label, 2, 0);
    kentat->addWidget(lainaaja_edit, 2, 1);
    kentat->setColumnStretch(1, 1);

    auto* napit = new QHBoxLayout;
    napit->addWidget(Lainaa_button);
    napit->addWidget(Palauta);
    napit->addWidget(palauta_kaikki);
    napit->addStretch(1);
    napit->addWidget(profiilit_button);

    auto* alanapit = new QHBoxLayout;
    alanapit->addWidget(sendEmail_button);
    alanapit->addStretch(1);
    alanapit->addWidget(apua_button);
    alanapit->addWidget(peruuta_button);

    auto* l = new QVBoxLayout(this);
    l->addLayout(kentat);
    l->addLayout(napit);
    l->addSpacing(6);
    l->addWidget(new QLabel(fi("Lainassa olevat kasetit/levyt:"), this));
    l->addWidget(lista, 1);
    l->addLayout(alanapit);
    resize(560, 440);

    connect(Lainaa_button, &QPushButton::clicked, this, &Tlainaa_form::Lainaa_buttonClick);
    connect(Palauta, &QPushButton::clicked, this, &Tlainaa_form::PalautaClick);
    connect(palauta_kaikki, &QPushButton::clicked, this, &Tlainaa_form::palauta_kaikkiClick);
    connect(lista, &QListWidget::itemSelectionChanged, this, &Tlainaa_form::valitse_lainat);
    connect(sendEmail_button, &QPushButton::clicked, this, &Tlainaa_form::sendEmail_buttonClick);
    connect(profiilit_button, &QPushButton::clicked, this, &Tlainaa_form::profiilit_buttonClick);
    connect(apua_button, &QPushButton::clicked, this, &Tlainaa_form::apua_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
}

void Tlainaa_form::showEvent(QShowEvent* e) {
    paivita_lainalista();
    lataa_profiilinimet();
    aseta_kasetit({});
    lainaaja_edit->setEditText(QString());
    lainaaja_edit->setFocus();
    QDialog::showEvent(e);
}

void Tlainaa_form::hideEvent(QHideEvent* e) {
    p_.update_fields();
    p_.varasto().paivita_lista();
    p_.ikkuna()->setEnabled(true);
    QDialog::hideEvent(e);
}

void Tlainaa_form::Lainaa_buttonClick() {
    diag::Viestit& v = p_.varasto().viestit;
    const std::string lainaaja = cp(lainaaja_edit->currentText());
    std::string kasetit = this->kasetit();
    if (kasetit.empty() || lainaaja.empty()) {
        v.varoitus("Syötä lainaaja ja lainattavien kasettien tai levyjen numerot!");
        return;
    }
    if (lainaa_kasetit(p_.varasto().tk().kortit, kasetit, lainaaja, paiva_tekstiksi(tanaan()), v))
        aseta_kasetit(kasetit);
    paivita_lainalista();
}

void Tlainaa_form::PalautaClick() {
    diag::Viestit& v = p_.varasto().viestit;
    const std::string lainaaja = cp(lainaaja_edit->currentText());
    std::string kasetit = this->kasetit();
    if (!kasetit.empty() && !lainaaja.empty()) {
        v.varoitus("Syötä joko palautettavat kasetit tai palauttajan nimi, ei kumpiakin!");
        return;
    }
    if (kasetit.empty() && lainaaja.empty()) {
        v.varoitus("Anna palautettavat kasetit tai henkilö joka palautti kasetit!\nVoit myös valita palautettavat "
                   "kasetit suoraan listasta.");
        return;
    }
    TOmaList& kortit = p_.varasto().tk().kortit;
    if (!kasetit.empty()) {
        if (lainaa_kasetit(kortit, kasetit, "", "", v)) aseta_kasetit(kasetit);
    } else {
        palauta_lainaajalta(kortit, lainaaja);
    }
    paivita_lainalista();
}

void Tlainaa_form::palauta_kaikkiClick() {
    if (p_.varasto().viestit.kysy(diag::Laji::Vahvistus, "Haluatko varmasti merkitä kaikki kasetit palautetuiksi?") !=
        diag::Vastaus::Kylla)
        return;
    ::palauta_kaikki(p_.varasto().tk().kortit);
    paivita_lainalista();
    reject();
}

void Tlainaa_form::valitse_lainat() {
    std::vector<std::string> valitut;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->isSelected()) valitut.push_back(lainarivi(lista->item(i)));
    aseta_kasetit(valitut_kasetit(valitut));
}

void Tlainaa_form::aseta_kasetit(const std::string& kasetit) {
    const QString naytetty = q_nakyva(kasetit);
    kasetit_edit->setText(naytetty);
    kasetit_edit->setCursorPosition(0);
    kasetit_naytetty_ = katkeaa(kasetit) ? naytetty : QString();
    kasetit_koko_ = katkeaa(kasetit) ? kasetit : std::string();
}

std::string Tlainaa_form::kasetit() const {
    const QString t = kasetit_edit->text();
    if (!kasetit_koko_.empty() && t == kasetit_naytetty_) return kasetit_koko_;
    return cp(t);
}

void Tlainaa_form::sendEmail_buttonClick() {
    const QList<QListWidgetItem*> valitut = lista->selectedItems();
    if (valitut.isEmpty()) {
        p_.varasto().viestit.tieto("Valitse listasta laina, jonka lainaajalle sähköposti lähetetään.");
        return;
    }
    const std::string lainaaja = lainarivin_lainaaja(lainarivi(valitut.front()));
    if (lainaaja.empty()) {
        p_.varasto().viestit.virhe("Virhe #2342: Nimeä ei löydy, ilmoitathan tästä bugista ohjelman tekijälle!");
        return;
    }
    if (avaa_muistutus) avaa_muistutus(lainaaja);
    paivita_lainalista();
}

void Tlainaa_form::profiilit_buttonClick() {
    if (avaa_profiilit) avaa_profiilit();
    lataa_profiilinimet();
}

void Tlainaa_form::apua_buttonClick() {
    p_.varasto().viestit.tieto("Katso kohta 4a. Lainaus ja palautus");
    p_.avaa_ohje("lueminut.html", "4a");
}

void Tlainaa_form::paivita_lainalista() {
    const QSignalBlocker esto(lista);
    lista->clear();
    for (const std::string& rivi : lainalista(p_.varasto().tk().kortit)) {
        auto* r = new QListWidgetItem(q_nakyva(rivi), lista);
        r->setData(Qt::UserRole, QByteArray(rivi.data(), static_cast<qsizetype>(rivi.size())));
    }
}

void Tlainaa_form::lataa_profiilinimet() {
    const QString teksti = lainaaja_edit->currentText();
    lainaaja_edit->clear();
    std::vector<Profiili> profiilit;
    lue_profiilit(p_.varasto().tj(), profiilitiedosto(p_.varasto().kansio), profiilit);
    for (const Profiili& pr : profiilit) lainaaja_edit->addItem(q(pr.nimi));
    lainaaja_edit->setEditText(teksti);
}

bool Tlainaa_form::eventFilter(QObject* o, QEvent* e) {
    if (o == lainaaja_edit && e->type() == QEvent::KeyPress) return lainaaja_editKeyPress(static_cast<QKeyEvent*>(e));
    return QDialog::eventFilter(o, e);
}

// Completes the borrower from the profile names as the user types: the typed part stays, the rest is
// selected so the next key replaces it. Borrower names cannot hold commas.
bool Tlainaa_form::lainaaja_editKeyPress(const QKeyEvent* e) {
    if (e->text() == QStringLiteral(",")) {
        p_.tyopoyta().piippaa();
        return true;
    }
    return taydenna_kirjoitettaessa(lainaaja_edit, e);
}
