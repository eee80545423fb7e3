#include "imdb/ui/viitetoiminnot.h"

#include <QAction>
#include <QWidget>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "imdb/ui/valitse_oikea_form.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"

Viitetoiminnot::Viitetoiminnot(Paaikkuna& p) : p_(p) {
    QAction* a = kytke_toiminto(p_, Toiminto::Taydenna_viitetiedoista, this, [this] { taydenna_tietokanta_paremmin(); });
    a->setStatusTip(fi("Katso ohjeista lisää tietoa tästä toiminnosta."));
    a->setToolTip(a->statusTip());
}

void Viitetoiminnot::hae_viitetiedot(const std::string& nimi) { etsi_tietokannasta(nimi, Valintatapa::Muokkaus); }

void Viitetoiminnot::taydenna_tietokanta_paremmin() {
    p_.dosavefields();
    const Tietokanta& tk = p_.varasto().tk();
    for (int i = 1; i < tk.kortit.Count(); ++i) {
        p_.siirry_korttiin(i);
        etsi_tietokannasta(tk.kortit[i].nimi, Valintatapa::Paivitys);
        p_.dosavefields();
    }
}

void Viitetoiminnot::etsi_tietokannasta(const std::string& nimi, Valintatapa tapa) {
    if (nimi.size() < 2) return;
    Tietokanta& tk = p_.varasto().tk();
    if (tk.nykyinen < 1 || tk.nykyinen >= tk.kortit.Count()) return;
    if (!viite_.ladattu()) viite_.lataa(p_.varasto().tj(), p_.varasto().kansio.polku(viitetietokannan_nimi));

    QWidget* w = p_.ikkuna();
    const QString otsikko = w->windowTitle();
    w->setWindowTitle(fi("Etsitään tietokannasta..."));
    // The card's own values are what the reference cards are measured against and restored from.
    p_.dosavefields();
    const std::vector<int> osumat = viite_.etsi(nimi, tk.kortit[tk.nykyinen]);
    if (!osumat.empty()) {
        Tvalitse_oikea_form f(p_, viite_, osumat, tapa);
        f.alusta();
        p_.tyopoyta().nayta_dialogi(f);
        viite_.vapauta();
        kirjoita_debug("Tietokanta vapautettu muistista!");
    }
    w->setWindowTitle(otsikko);
}
