#include "imdb/ui/imdbtoiminnot.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QUrl>

#include "diag/ui/teksti.h"
#include "imdb/lahteet.h"
#include "imdb/leikkurit.h"
#include "imdb/osoitteet.h"
#include "imdb/ui/imdb_form.h"
#include "net/http.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "storage/varasto.h"

namespace {

TKortti& nykyinen(Paaikkuna& p) { return p.varasto().tk().kortit[p.varasto().tk().nykyinen]; }

bool kortti_olemassa(Paaikkuna& p) {
    const Tietokanta& tk = p.varasto().tk();
    return tk.nykyinen >= 1 && tk.nykyinen < tk.kortit.Count();
}

}  // namespace

Imdbtoiminnot::Imdbtoiminnot(Paaikkuna& p)
    : p_(p),
      etsi_(p.toiminto(Toiminto::Etsi_imdbsta)),
      nayta_(p.toiminto(Toiminto::Nayta_imdbssa)),
      numero_(p.toiminto(Toiminto::Muokkaa_imdb_numeroa)),
      kaikki_kannet_(p.toiminto(Toiminto::Hae_puuttuvat_kannet)),
      hae_kansi_(p.toiminto(Toiminto::Hae_kansi)) {
    etsi_->setEnabled(true);
    numero_->setEnabled(true);
    kaikki_kannet_->setEnabled(true);
    hae_kansi_->setCheckable(true);
    connect(etsi_, &QAction::triggered, this, [this] { EtsitmnkortintiedotIMDBst1Click(); });
    connect(nayta_, &QAction::triggered, this, [this] { nayta_imdbstaClick(); });
    connect(numero_, &QAction::triggered, this, [this] { edit_imdbnumClick(); });
    connect(kaikki_kannet_, &QAction::triggered, this, [this] { HaekaikilleImdbstnoudetuillekorteillekansikuvat1Click(); });
    connect(hae_kansi_, &QAction::triggered, this, [this](bool paalla) { Hae_KansiClick(paalla); });
    for (QObject* o : etsi_->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(o)) connect(m, &QMenu::aboutToShow, this, [this] { Imdb_menuClick(true); });
    connect(&p.muutokset(), &Korttimuutokset::nykyinen_muuttui, this, [this] { Imdb_menuClick(false); });
    connect(&p.muutokset(), &Korttimuutokset::kortit_muuttuivat, this, [this] { Imdb_menuClick(false); });
    Imdb_menuClick(false);
}

void Imdbtoiminnot::Imdb_menuClick(bool menu_auki) {
    if (!kortti_olemassa(p_)) return;
    TKortti& k = nykyinen(p_);
    const bool numero = !k.imdb_koodi.empty();
    numero_->setText(fi(numero ? "Muokkaa Imdb tunnistenumeroa" : "Syötä Imdb tunnistenumero"));
    nayta_->setEnabled(numero);
    if (k.cover_fn.empty() && numero) {
        hae_kansi_->setEnabled(true);
        hae_kansi_->setChecked(k.hae_kansi);
    } else {
        if (menu_auki) k.hae_kansi = false;
        hae_kansi_->setEnabled(false);
        hae_kansi_->setChecked(false);
    }
}

void Imdbtoiminnot::nayta_ikkuna(const char* hakusana) {
    std::string sana;
    if (hakusana) {
        sana = hakusana;
    } else {
        p_.dosavefields();
        sana = lahdekuvaus(oletuslahde(p_.asetukset())).hakusana(nykyinen(p_).nimi);
    }
    // The window fetches through the source; the pump keeps it answering Peruuta and Escape meanwhile.
    net::HttpAsiakas http, paivitys;
    http.proxy = paivitys.proxy = net::asetusten_valityspalvelin(p_.asetukset());
    http.kasittele_viestit = paivitys.kasittele_viestit = [] { QApplication::processEvents(QEventLoop::AllEvents, 20); };
    // The version news is a courtesy: a silent update server must not hold up the search for long.
    paivitys.yhteys_aikaraja_ms = 5000;
    paivitys.aikaraja_ms = 10000;
    Elokuvalahteet lahteet(http, p_.asetukset());
    Timdb_form ikkuna(p_, sana, Imdbyhteydet{lahteet, http, paivitys});
    http.vastaanotettu = paivitys.vastaanotettu = [&ikkuna](std::uint64_t n) { ikkuna.vastaanotettu(n); };
    ikkuna.sekunnin_pituus_ms = tauon_sekunti_ms;
    p_.tyopoyta().nayta_dialogi(ikkuna);
    Imdb_menuClick(false);
}

void Imdbtoiminnot::EtsitmnkortintiedotIMDBst1Click() {
    if (!kortti_olemassa(p_)) return;
    nayta_ikkuna(nullptr);
}

void Imdbtoiminnot::nayta_imdbstaClick() {
    if (!kortti_olemassa(p_) || nykyinen(p_).imdb_koodi.empty()) return;
    // The old title address no longer answers; today's address shows the same title.
    const std::string osoite = nykyinen_nimikesivu(nykyinen(p_).imdb_koodi);
    if (!p_.tyopoyta().avaa_osoite(QUrl(q(osoite))))
        p_.varasto().viestit.virhe(
            "Tiedoston käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. Internet "
            "Explorer) avataksesi tämän dokumentin.");
}

void Imdbtoiminnot::edit_imdbnumClick() {
    if (!kortti_olemassa(p_)) return;
    p_.dosavefields();
    const std::string vanha = nykyinen(p_).imdb_koodi;
    QInputDialog d(p_.ikkuna());
    d.setObjectName("syota_imdbnum");
    d.setInputMode(QInputDialog::TextInput);
    d.setWindowTitle(fi("Syötä kortille elokuvan imdb-numero"));
    d.setLabelText(vanha.empty() ? fi("Numeron näet imdb:ssa elokuvan www-osoitteesta")
                                 : fi("Vanha numero: ") + q_nakyva(vanha));
    d.setTextValue(QString());
    d.setOkButtonText("OK");
    d.setCancelButtonText("Peruuta");
    if (p_.tyopoyta().nayta_dialogi(d) != QDialog::Accepted) return;
    // A number copied from the browser's address ("tt0332452" or the whole address) is stored as its digits.
    const std::string syotetty = cp(d.textValue().trimmed());
    const std::string numero = imdb_numero(syotetty);
    const std::string uusi = numero.empty() ? syotetty : numero;
    if (uusi != vanha) p_.varasto().tk().kortit.merkitse_muutetuksi();
    nykyinen(p_).imdb_koodi = uusi;
    p_.update_fields();
    Imdb_menuClick(false);
}

void Imdbtoiminnot::HaekaikilleImdbstnoudetuillekorteillekansikuvat1Click() {
    p_.dosavefields();
    const diag::Vastaus v = p_.varasto().viestit.kysy(
        diag::Laji::Vahvistus,
        "Toiminto hakee kansikuvat vain korteille joilla on:\n"
        "1) Imdb tunniste numero\n"
        "2) Merkintä kansikuvan hausta. Tämä on oletus mutta merkintä poistuu mikäli haku epäonnistuu kerran \n"
        "tai kortilla on kansikuva jo ennestään.\n"
        "\n"
        "Ohjelma pitää jokaisen haun välissä 5-25 sekunttia taukoa, tällä estetään Imdb palvelimen liika kuormitus.\n"
        "Imdb:n palvelimen turhasta kuormituksesta voi saada pahimmillaan kiellon koko palveluun. \n"
        "Haluatko jatkaa?");
    if (v != diag::Vastaus::Kylla) return;
    nayta_ikkuna(Timdb_form::kansikuvahaku);
}

void Imdbtoiminnot::Hae_KansiClick(bool paalla) {
    if (!kortti_olemassa(p_)) return;
    TKortti& k = nykyinen(p_);
    if (k.hae_kansi != paalla) p_.varasto().tk().kortit.merkitse_muutetuksi();
    k.hae_kansi = paalla;
}
