#include "export/ui/tulostustoiminnot.h"

#include <QAction>

#include "diag/ui/teksti.h"
#include "export/lista.h"
#include "export/ui/listatulostus.h"
#include "export/ui/tallenna_html_lista_form.h"
#include "export/ui/tarrat_form.h"
#include "mainwindow/ui/paaikkuna.h"
#include "storage/varasto.h"

Tulostustoiminnot::Tulostustoiminnot(Paaikkuna& p) : QObject(p.ikkuna()), p_(p) {
    const std::pair<const char*, void (Tulostustoiminnot::*)()> kohdat[] = {
        {"Tallennalistatiedostoon1", &Tulostustoiminnot::tallenna_tekstilista},
        {"tallenna_lista_html_menuitem", &Tulostustoiminnot::tallenna_html_lista},
        {"TTarrat", &Tulostustoiminnot::tarrat},
        {"TulostaLista1", &Tulostustoiminnot::tulosta_lista},
    };
    for (const auto& [nimi, toiminto] : kohdat) {
        QAction* a = p.toiminto(nimi);
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, toiminto);
    }
}

void Tulostustoiminnot::tallenna_tekstilista() {
    const QString nimi = p_.tyopoyta().valitse_tallennettava(
        p_.ikkuna(), fi("Tallenna elokuvalista teksti-tiedostoon"), fi("Textfile (*.txt)"), QStringLiteral("txt"));
    if (nimi.isEmpty()) return;
    Varasto& v = p_.varasto();
    p_.dosavefields();
    // The save dialog has already asked whether an existing file is replaced; its Yes stands.
    const Tulos t = kirjoita_lista(std::filesystem::path(nimi.toStdString()), v.tk.kortit, tanaan(), v.tk.tiedosto,
                                   Olemassaoleva::Korvaa);
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

void Tulostustoiminnot::tulosta_lista() { ::tulosta_lista(p_); }
