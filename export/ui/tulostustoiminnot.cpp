#include "export/ui/tulostustoiminnot.h"

#include <QAction>

#include "diag/kiire.h"
#include "diag/ui/teksti.h"
#include "export/csv.h"
#include "export/lista.h"
#include "export/ui/esikatselu.h"
#include "export/ui/listatulostus.h"
#include "export/ui/tallenna_html_lista_form.h"
#include "export/ui/tarrat_form.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"

Tulostustoiminnot::Tulostustoiminnot(Paaikkuna& p) : QObject(p.ikkuna()), p_(p) {
    const std::pair<Toiminto, void (Tulostustoiminnot::*)()> kohdat[] = {
        {Toiminto::Tallenna_lista_tekstina, &Tulostustoiminnot::tallenna_tekstilista},
        {Toiminto::Tallenna_lista_utf8, &Tulostustoiminnot::tallenna_tekstilista_utf8},
        {Toiminto::Tallenna_lista_csv, &Tulostustoiminnot::tallenna_csv},
        {Toiminto::Tallenna_lista_html, &Tulostustoiminnot::tallenna_html_lista},
        {Toiminto::Tulosta_tarrat, &Tulostustoiminnot::tarrat},
        {Toiminto::Tulosta_lista, &Tulostustoiminnot::tulosta_lista},
    };
    for (const auto& [kohta, toiminto] : kohdat) {
        kytke_toiminto(p, kohta, this, toiminto);
    }
}

void Tulostustoiminnot::tallenna_tekstilista() { tallenna_tekstilista_merkistolla(Listan_merkisto::Cp1252); }

void Tulostustoiminnot::tallenna_tekstilista_utf8() { tallenna_tekstilista_merkistolla(Listan_merkisto::Utf8); }

void Tulostustoiminnot::tallenna_tekstilista_merkistolla(Listan_merkisto merkisto) {
    const QString nimi = p_.tyopoyta().valitse_tallennettava(
        p_.ikkuna(), fi("Tallenna elokuvalista teksti-tiedostoon"), fi("Textfile (*.txt)"), QStringLiteral("txt"));
    if (nimi.isEmpty()) return;
    Varasto& v = p_.varasto();
    p_.dosavefields();
    // The save dialog has already asked whether an existing file is replaced; its Yes stands.
    const Tulos t = kirjoita_lista(v.tj(), std::filesystem::path(nimi.toStdString()), v.tk().kortit, tanaan(),
                                   v.tk().tiedosto, merkisto, Olemassaoleva::Korvaa);
    if (!t) v.viestit.virhe(t.viesti);
}

void Tulostustoiminnot::tallenna_csv() {
    const QString nimi = p_.tyopoyta().valitse_tallennettava(
        p_.ikkuna(), fi("Tallenna elokuvalista CSV-tiedostoon"), fi("CSV (*.csv)"), QStringLiteral("csv"));
    if (nimi.isEmpty()) return;
    Varasto& v = p_.varasto();
    p_.dosavefields();
    diag::KiireNakyvissa kiire(v.kiire);
    const Tulos t = vie_csv(v.tj(), v.tk().kortit, std::filesystem::path(nimi.toStdString()));
    if (!t) v.viestit.virhe(t.viesti);
}

void Tulostustoiminnot::tallenna_html_lista() {
    Ttallenna_html_lista_form f(p_, p_.ikkuna());
    p_.tyopoyta().nayta_dialogi(f);
}

void Tulostustoiminnot::tarrat() {
    Ttarrat_form f(p_, p_.ikkuna());
    p_.tyopoyta().nayta_dialogi(f);
}

void Tulostustoiminnot::tulosta_lista() {
    Varasto& v = p_.varasto();
    if (Tulostusvaraus::kaynnissa()) {
        v.viestit.virhe(tulostin_kiireinen_viesti);
        return;
    }
    p_.dosavefields();
    const std::string paivays = tanaan();
    Listan_tuloste tuloste;
    esikatsele_ja_tulosta(p_, listatuloste(v.tk().kortit, paivays, v.tk().tiedosto, tuloste));
}
