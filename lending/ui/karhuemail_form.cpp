#include "lending/ui/karhuemail_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/loki.h"
#include "diag/ui/nappi.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "lending/postitus.h"
#include "lending/profiilit.h"
#include "lending/ui/lahetys.h"
#include "perus/ui/paaikkuna.h"
#include "perus/versio.h"
#include "settings/asetukset.h"
#include "settings/ui/asetukset_form.h"
#include "storage/varasto.h"

Tkarhuemail_form::Tkarhuemail_form(Paaikkuna& p, std::string lainaaja, std::string& muistettu_pohja, QWidget* parent)
    : QDialog(parent ? parent : p.ikkuna()), p_(p), lainaaja_(std::move(lainaaja)), muistettu_pohja_(muistettu_pohja) {
    setObjectName("karhuemail_form");
    setWindowTitle(q_nakyva(lainaaja_));

    // Made in the order they stand, top down, which is the order Tab visits them: the message field keeps
    // Tab for itself, so anything made after it would be out of the keyboard's reach.
    email_file = new QComboBox(this);
    email_file->setObjectName("email_file");
    email_file->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    subject_edit = new QLineEdit(this);
    subject_edit->setObjectName("subject_edit");
    email = new QPlainTextEdit(this);
    email->setObjectName("email");
    email->setMinimumSize(460, 220);
    nayta_muokkaa_lainattuja = nappi(this, "nayta_muokkaa_lainattuja", "Näytä/muokkaa lainattuja elokuvia");
    email_send = nappi(this, "email_send", "Lähetä");
    email_send->setDefault(true);
    peruuta_button = nappi(this, "peruuta_button", "Peruuta");

    auto* ylaosa = new QFormLayout;
    ylaosa->addRow(fi("Viesti tiedostosta:"), email_file);
    ylaosa->addRow(fi("Viestin otsikko:"), subject_edit);
    auto* napit = new QHBoxLayout;
    napit->addWidget(nayta_muokkaa_lainattuja);
    napit->addStretch(1);
    napit->addWidget(email_send);
    napit->addWidget(peruuta_button);
    auto* l = new QVBoxLayout(this);
    l->addLayout(ylaosa);
    l->addWidget(new QLabel(fi("Viesti:"), this));
    l->addWidget(email, 1);
    l->addLayout(napit);
    resize(560, 420);

    connect(email_file, &QComboBox::currentIndexChanged, this, &Tkarhuemail_form::email_fileChange);
    connect(nayta_muokkaa_lainattuja, &QPushButton::clicked, this, &Tkarhuemail_form::nayta_muokkaa_lainattujaClick);
    connect(email_send, &QPushButton::clicked, this, &Tkarhuemail_form::email_sendClick);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
}

void Tkarhuemail_form::showEvent(QShowEvent* e) {
    nayta_muokkaa_lainattuja->setVisible(!(lainaus_nakyvissa && lainaus_nakyvissa()));
    setWindowTitle(fi("Lähetä sähköpostia lainaajalle [") + q_nakyva(lainaaja_) + fi("]"));
    {
        const QSignalBlocker esto(email_file);
        email_file->clear();
        email->clear();
        for (const std::string& nimi : muistutuspohjat(p_.varasto().kansio)) {
            kirjoita_debug(nimi);
            email_file->addItem(q(nimi));
        }
        const int muistettu = email_file->findText(q(muistettu_pohja_));
        email_file->setCurrentIndex(muistettu >= 0 ? muistettu : email_file->count() > 0 ? 0 : -1);
    }
    if (email_file->count() > 0) lue_muistutuspohja(cp(email_file->currentText()));
    QDialog::showEvent(e);
}

void Tkarhuemail_form::lue_muistutuspohja(const std::string& nimi) {
    email->clear();
    std::string pohja;
    if (const Tulos t = ::lue_muistutuspohja(p_.varasto().tj(), p_.varasto().kansio, nimi, pohja); !t) {
        p_.varasto().viestit.virhe(t.viesti);
        return;
    }
    const Muistutus m =
        tee_muistutus(pohja, p_.varasto().tk().kortit, lainaaja_, {ohjelman_otsikko, p_.asetukset().email_nimi});
    subject_edit->setText(q_nakyva(m.otsikko));
    QStringList rivit;
    // A line that quotes a huge field is cut as any view of it: the mail is written, not the card.
    for (const std::string& r : m.rivit) rivit << q_nakyva(r);
    email->setPlainText(rivit.join(QLatin1Char('\n')));
    email->document()->setModified(false);
}

void Tkarhuemail_form::email_fileChange() {
    if (email_file->currentIndex() < 0) return;
    muistettu_pohja_ = cp(email_file->currentText());
    lue_muistutuspohja(muistettu_pohja_);
}

void Tkarhuemail_form::nayta_muokkaa_lainattujaClick() {
    if (nayta_lainaus) nayta_lainaus();
    email_fileChange();
}

void Tkarhuemail_form::email_sendClick() {
    diag::Viestit& v = p_.varasto().viestit;
    const TAsetukset& a = p_.asetukset();
    // The template is filled again once the settings are entered, so the signature carries the name just
    // typed; a message the user has edited is left as it is.
    const auto avaa_asetukset = [this] {
        p_.nayta_asetukset(Tasetukset_form::Email_sivu);
        if (!email->document()->isModified() && email_file->currentIndex() >= 0)
            lue_muistutuspohja(cp(email_file->currentText()));
    };
    if (!tarkista_email_asetukset(a, v, avaa_asetukset)) return;

    std::vector<Profiili> profiilit;
    lue_profiilit(p_.varasto().tj(), profiilitiedosto(p_.varasto().kansio), profiilit);
    std::optional<std::string> osoite = hae_email(profiilit, lainaaja_);
    while (!osoite || osoite->empty()) {
        if (v.kysy(diag::Laji::Varoitus, "Lainaajan \"" + lyhennetty(lainaaja_) +
                                             "\" nimellä ei löytynyt profiilia, haluatko luoda profiilin nyt?") !=
            diag::Vastaus::Kylla) {
            v.virhe("Ilman profiilia ei voida lähettää sähköpostia, keskeytetään!");
            return;
        }
        if (avaa_profiilit) avaa_profiilit();
        lue_profiilit(p_.varasto().tj(), profiilitiedosto(p_.varasto().kansio), profiilit);
        osoite = hae_email(profiilit, lainaaja_);
    }
    kirjoita_debug("mail TO: " + *osoite);

    std::vector<std::string> rivit;
    for (const QString& r : email->toPlainText().split(QLatin1Char('\n'))) rivit.push_back(cp(r));
    const Sahkoposti s = sahkoposti_kayttajalta(a, *osoite, cp(subject_edit->text()), std::move(rivit));

    const QString otsikko = windowTitle();
    setWindowTitle(fi("ODOTA: Lähetetään sähköpostia...."));
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->setEnabled(false);
    const Tulos t = laheta_odottaen(this, smtp_palvelin(a), s);
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->setEnabled(true);
    setWindowTitle(otsikko);
    nayta_lahetyksen_tulos(v, t);
    if (t) accept();
}
