#include "lending/ui/lainaustoiminnot.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "lending/lainaus.h"
#include "lending/postitus.h"
#include "lending/profiilit.h"
#include "lending/ui/karhuemail_form.h"
#include "lending/ui/lahetys.h"
#include "lending/ui/lainaa_form.h"
#include "lending/ui/lainaajaprofiilit_form.h"
#include "lending/ui/palaute_form.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "perus/ui/paaikkuna.h"
#include "perus/versio.h"
#include "settings/asetukset.h"
#include "settings/ui/asetukset_form.h"
#include "storage/tallennus.h"
#include "storage/varasto.h"

namespace {

// Dialogs opened from another modal dialog stack over it, else over the main window.
QWidget* modaalin_paalle(QWidget* paaikkuna) {
    QWidget* w = QApplication::activeModalWidget();
    return w ? w : paaikkuna;
}

std::vector<std::string> rivit(const QString& teksti) {
    std::vector<std::string> r;
    for (const QString& s : teksti.split(QLatin1Char('\n'))) r.push_back(cp(s));
    return r;
}

}  // namespace

Lainaustoiminnot::Lainaustoiminnot(Paaikkuna& p) : p_(p), lainaa_form_(std::make_unique<Tlainaa_form>(p)) {
    lainaa_form_->avaa_profiilit = [this] { nayta_profiilit(); };
    lainaa_form_->avaa_muistutus = [this](const std::string& lainaaja) { nayta_muistutus(lainaaja); };

    const std::pair<Toiminto, void (Lainaustoiminnot::*)()> kohdat[] = {
        {Toiminto::Lainaa_kasetti, &Lainaustoiminnot::nayta_lainaus},
        {Toiminto::Lainaajaprofiilit, &Lainaustoiminnot::nayta_profiilit},
        {Toiminto::Tarkista_myohastyneet, &Lainaustoiminnot::tarkista_myohastymiset},
        {Toiminto::Laheta_palaute, &Lainaustoiminnot::laheta_palaute},
        {Toiminto::Laheta_tietokanta, &Lainaustoiminnot::laheta_tietokanta},
    };
    for (const auto& [kohta, toiminto] : kohdat) {
        kytke_toiminto(p, kohta, this, toiminto);
    }
    p.toiminto(Toiminto::Lainaa_kasetti)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
}

Lainaustoiminnot::~Lainaustoiminnot() = default;

void Lainaustoiminnot::nayta_lainaus() {
    p_.himmenna_tausta();
    p_.dosavefields();
    p_.tyopoyta().nayta_dialogi(*lainaa_form_);
    p_.palauta_tausta();
}

void Lainaustoiminnot::nayta_profiilit() {
    Tlainaajaprofiilit_form f(p_.varasto().tj(), profiilitiedosto(p_.varasto().kansio), p_.varasto().viestit,
                              modaalin_paalle(p_.ikkuna()));
    p_.tyopoyta().nayta_dialogi(f);
}

void Lainaustoiminnot::nayta_muistutus(const std::string& lainaaja) {
    Tkarhuemail_form f(p_, lainaaja, muistettu_pohja_, modaalin_paalle(p_.ikkuna()));
    f.lainaus_nakyvissa = [this] { return lainaa_form_->isVisible(); };
    f.nayta_lainaus = [this] { nayta_lainaus(); };
    f.avaa_profiilit = [this] { nayta_profiilit(); };
    p_.tyopoyta().nayta_dialogi(f);
}

void Lainaustoiminnot::tarkista_myohastymiset() {
    p_.dosavefields();
    const std::vector<Myohassa> myohassa =
        myohastyneet(p_.varasto().tk().kortit, p_.asetukset().notify_paivat(), tanaan());
    for (const Myohassa& m : myohassa) {
        if (!p_.ikkuna()->isVisible()) {
            p_.update_fields();
            p_.ikkuna()->show();
        }
        if (p_.varasto().viestit.kysy(diag::Laji::Tieto, myohastymiskysymys(m)) == diag::Vastaus::Kylla)
            nayta_muistutus(m.lainaaja);
    }
}

void Lainaustoiminnot::laheta_palaute() {
    diag::Viestit& v = p_.varasto().viestit;
    const TAsetukset& a = p_.asetukset();
    if (a.palaute_addr.empty() &&
        v.kysy(diag::Laji::Tieto, "Palautteen vastaanottajaa ei ole asetettu.\nHaluatko syöttää osoitteen "
                                  "asetusten Email-sivulle nyt?") == diag::Vastaus::Kylla)
        p_.nayta_asetukset(Tasetukset_form::Email_sivu);
    if (a.palaute_addr.empty()) return;
    if (!tarkista_email_asetukset(a, v, [this] { p_.nayta_asetukset(Tasetukset_form::Email_sivu); })) return;
    Tpalaute_form f(q(a.email_nimi + " <" + a.email_addr + ">"), q(a.palaute_addr), p_.ikkuna());
    if (p_.tyopoyta().nayta_dialogi(f) != QDialog::Accepted) return;
    std::string aihe = cp(f.aihe_edit->text());
    if (aihe.empty()) aihe = std::string("Palautetta: ") + ohjelman_otsikko;
    const Sahkoposti s = sahkoposti_kayttajalta(a, a.palaute_addr, aihe, rivit(f.viesti_memo->toPlainText()));
    nayta_lahetyksen_tulos(v, laheta_odottaen(p_.ikkuna(), smtp_palvelin(a), s));
}

void Lainaustoiminnot::laheta_tietokanta() {
    diag::Viestit& v = p_.varasto().viestit;
    Tietokanta& tk = p_.varasto().tk();
    p_.dosavefields();
    if (tk.kortit.muutettu || tk.tiedosto.empty()) {
        const diag::Vastaus vastaus = v.kysy(
            diag::Laji::Vahvistus,
            tk.tiedosto.empty() ? "Tietokantaa ei ole vielä tallennettu. Tallennetaanko se nyt, jotta sen voi lähettää?"
                                : "Tietokantaa on muuteltu, tallennetaanko muutokset ennen lähettämistä?",
            !tk.tiedosto.empty());
        if (vastaus == diag::Vastaus::Peruuta) return;
        if (vastaus == diag::Vastaus::Kylla) {
            std::string nimi = tk.tiedosto;
            if (nimi.empty()) {
                const QString valittu = p_.tyopoyta().valitse_tallennettava(
                    p_.ikkuna(), fi("Tallenna tietokanta"), fi("Rullakko tietokannat (*.rkb)"), QStringLiteral("rkb"));
                if (valittu.isEmpty()) return;
                nimi = cp(valittu);
            }
            if (!tallenna_tietokanta(nimi, p_.varasto())) return;
            p_.update_fields();
        } else if (tk.tiedosto.empty()) {
            return;
        }
    }
    const std::string nimi = tk.tiedosto;
    std::string tavut;
    if (const Tulos t = lue_koko_tiedosto(p_.varasto().tj(), p_.varasto().kansio.polku(nimi), tavut); !t) {
        v.virhe(t.viesti);
        return;
    }
    const TAsetukset& a = p_.asetukset();
    if (!tarkista_email_asetukset(a, v, [this] { p_.nayta_asetukset(Tasetukset_form::Email_sivu); })) return;
    Tlaheta_tietokanta_form f(q(tiedoston_nimi(nimi)), p_.ikkuna());
    if (p_.tyopoyta().nayta_dialogi(f) != QDialog::Accepted) return;

    std::vector<std::string> teksti = rivit(f.saate_memo->toPlainText());
    if (teksti.size() == 1 && teksti[0].empty()) teksti.clear();
    if (!teksti.empty()) teksti.push_back("");
    teksti.push_back("Liitteenä " + std::string(ohjelman_otsikko) + " -tietokanta " + tiedoston_nimi(nimi) + " (" +
                     std::to_string(tk.kortit.korttien_maara()) + " elokuvaa).");
    teksti.push_back("");
    teksti.push_back(a.email_nimi);
    Sahkoposti s = sahkoposti_kayttajalta(a, cp(f.osoite_edit->text()),
                                          "Elokuvatietokanta " + tiedoston_nimi(nimi), std::move(teksti));
    s.liitteen_nimi = tiedoston_nimi(nimi);
    s.liite = std::move(tavut);
    kirjoita_debug("mail TO: " + s.vastaanottaja);
    nayta_lahetyksen_tulos(v, laheta_odottaen(p_.ikkuna(), smtp_palvelin(a), s));
}
