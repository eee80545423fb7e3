#include "mainwindow/ui/tiedostovalikko.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "mainwindow/ui/korttinakyma.h"
#include "mainwindow/ui/toimintorekisteri.h"
#include "perus/tiedostojarjestelma.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "storage/kenttasaannot.h"
#include "storage/korjaus.h"
#include "storage/lataus.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/tallennus.h"
#include "storage/ui/kansipurkuajo.h"
#include "storage/ui/save_with_options_form.h"
#include "storage/varasto.h"

namespace fs = std::filesystem;

namespace {


QString hyvaksy_nimi(QString s) { return s.replace('&', "&&"); }

}  // namespace

Tiedostovalikko::Tiedostovalikko(Paaikkuna& p, Korttinakyma& kortti, Toimintorekisteri& toiminnot, QMenuBar* palkki,
                                 QMenu* kehittaja)
    : QObject(palkki), p_(p), kortti_(kortti), kannet_(new Kansipurkuajo(p.varasto().tk(), this)) {
    QWidget* ikkuna = p.ikkuna();
    auto kohta = [ikkuna](QMenu* m, const char* nimi, const char* otsikko, QKeySequence pika = {}) {
        QAction* a = m->addAction(fi(otsikko));
        a->setObjectName(nimi);
        if (!pika.isEmpty()) {
            a->setShortcut(pika);
            ikkuna->addAction(a);  // the shortcut works wherever the focus is, and while the menu is hidden
        }
        return a;
    };
    Avaa = palkki->addMenu(fi("&Tiedosto"));
    Avaa->setObjectName("Avaa");
    QAction* uusi = kohta(Avaa, "Uusi_Menu", "&Uusi...");
    QAction* avaa = kohta(Avaa, "Avaa_Menu", "&Avaa...", QKeySequence(Qt::CTRL | Qt::Key_A));
    QMenu* pika = Avaa->addMenu(fi("Pika avaa tietokanta..."));
    pika->setObjectName("Quick_avaa");
    for (int i = 0; i < 10; ++i) {
        const std::string nimi = "Tiedosto" + std::to_string(i + 1);
        QAction* a = kohta(pika, nimi.c_str(), nimi.c_str());
        a->setVisible(false);
        Tiedosto[static_cast<std::size_t>(i)] = a;
        connect(a, &QAction::triggered, this, [this, i] { Tiedosto_Click(i); });
    }
    // Merging is the merge subsystem's; it enables the item when it connects to it.
    toiminnot.rekisteroi(Toiminto::Yhdista_tietokanta,
                         kohta(Avaa, "Lisaa_ja_liita", "Yhdistä toinen tietokanta tähän..."));
    // So is importing from lists and other programs.
    toiminnot.rekisteroi(Toiminto::Tuo_elokuvia, kohta(Avaa, "Tuo_elokuvia", "Tuo elokuvia…"));
    Avaa->addSeparator();
    QAction* tallenna = kohta(Avaa, "Tallenna_Menu", "&Tallenna", QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* nimella = kohta(Avaa, "Tallenna_nimella", "Tallenna &nimellä...");
    QAction* asetuksin = kohta(Avaa, "Talennanimellasetukset1", "Tallenna nimellä...   [+asetukset]");
    Avaa->addSeparator();
    // The lists are the export subsystem's.
    toiminnot.rekisteroi(Toiminto::Tallenna_lista_tekstina,
                         kohta(Avaa, "Tallennalistatiedostoon1", "Tallenna elokuvalista teksti-tiedostoon"));
    toiminnot.rekisteroi(Toiminto::Tallenna_lista_utf8,
                         kohta(Avaa, "Tallennalistatiedostoon_utf8", "Tallenna elokuvalista teksti-tiedostoon (UTF-8)"));
    toiminnot.rekisteroi(Toiminto::Tallenna_lista_html,
                         kohta(Avaa, "tallenna_lista_html_menuitem", "Tallenna elokuvalista html-tiedostoon"));
    toiminnot.rekisteroi(Toiminto::Tallenna_lista_csv, kohta(Avaa, "tallenna_lista_csv_menuitem",
                                                             "Tallenna elokuvalista CSV-tiedostoon (taulukkolaskentaan)"));
    Avaa->addSeparator();
    QAction* lopeta = kohta(Avaa, "Lopeta_Menu", "&Lopeta ohjelma");
    connect(Avaa, &QMenu::aboutToShow, this, &Tiedostovalikko::Quick_avaaPopup);
    connect(uusi, &QAction::triggered, this, &Tiedostovalikko::Uusi_MenuClick);
    connect(avaa, &QAction::triggered, this, &Tiedostovalikko::Avaa_MenuClick);
    connect(tallenna, &QAction::triggered, this, &Tiedostovalikko::Tallenna_MenuClick);
    connect(nimella, &QAction::triggered, this, &Tiedostovalikko::Tallenna_nimellaClick);
    connect(asetuksin, &QAction::triggered, this, &Tiedostovalikko::TalennanimellasetuksetClick);
    connect(lopeta, &QAction::triggered, ikkuna, &QWidget::close);

    QAction* vanha = kohta(kehittaja, "avaa_wanhatietokanta", "Avaa versio 0.1...1.14 tietokanta",
                           QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W));
    connect(vanha, &QAction::triggered, this, [this] {
        const QString nimi = kysy_avattava("Avaa versio 0.1...1.14 tietokanta");
        if (nimi.isEmpty()) return;
        kysy_tallennus();
        lue_vanha_tietokanta(cp(nimi), false, p_.varasto());
        p_.muutokset().ilmoita_kortit();
        p_.siirry_korttiin(1);
    });
}

QString Tiedostovalikko::kysy_avattava(const char* otsikko) {
    const QString nimi =
        p_.tyopoyta().valitse_avattava(p_.ikkuna(), fi(otsikko), fi("Rullakko tietokannat (*.rkb);;Kaikki tiedostot (*)"));
    palaa_ohjelmakansioon();
    return nimi;
}

QString Tiedostovalikko::kysy_tallennettava() {
    const QString nimi = p_.tyopoyta().valitse_tallennettava(p_.ikkuna(), fi("Tallenna nimellä"),
                                                             fi("Rullakko tietokannat (*.rkb)"), "rkb");
    palaa_ohjelmakansioon();
    return nimi;
}

void Tiedostovalikko::palaa_ohjelmakansioon() {
    if (QDir::setCurrent(QFile::decodeName(p_.varasto().kansio.juuri().c_str()))) return;
    p_.varasto().viestit.virhe("Ohjelma ei päässyt hakemistoonsa (Bugi?), lopetetaan ohjelma... tiedossa ongelmia..");
    QApplication::exit(1);
}

void Tiedostovalikko::kysy_tallennus() {
    Varasto& v = p_.varasto();
    if (!v.tk().kortit.muutettu) return;
    if (v.viestit.kysy(diag::Laji::Tieto, "Tietokantaa on muuteltu, tallennetaanko muutokset?") != diag::Vastaus::Kylla)
        return;
    p_.dosavefields();
    tallenna_nykyiseen();
}

bool Tiedostovalikko::tallenna_nykyiseen() {
    Varasto& v = p_.varasto();
    // A catalogue that never got a file (its open failed) is saved under a name the user chooses.
    if (v.tk().tiedosto.empty()) {
        const QString nimi = kysy_tallennettava();
        if (nimi.isEmpty()) return false;
        return tallenna_tietokanta(cp(nimi), v);
    }
    return tallenna_tietokanta(v.tk().tiedosto, v);
}

bool Tiedostovalikko::avaa_tietokanta(const std::string& nimi) {
    Varasto& v = p_.varasto();
    const bool ok = lue_tietueet(nimi, false, false, v.tk().kortit, v);
    p_.muutokset().ilmoita_kortit();
    p_.siirry_korttiin(1);
    kannet_->aloita();
    return ok;
}

void Tiedostovalikko::luo_tietokanta(const std::string& nimi) {
    Varasto& v = p_.varasto();
    keskeyta_kannet(v.tk());
    v.tk().tiedosto = nimi;
    v.tk().tyhjenna();
    v.tk().kortit.lisaa_uusi().nimi = syota_nimi;
    tallenna_tietokanta(nimi, v);
    p_.muutokset().ilmoita_kortit();
    p_.siirry_korttiin(1);
    kortti_.valitse_nimi();
}

void Tiedostovalikko::Uusi_MenuClick() {
    for (;;) {
        const QString nimi = kysy_avattava("Uusi tietokanta");
        if (nimi.isEmpty()) return;
        kysy_tallennus();
        if (on_olemassa(p_.varasto().tj(), p_.varasto().kansio.polku(cp(nimi)), true)) {
            p_.varasto().viestit.varoitus("Tiedosto on jo olemassa, syötä uusi tiedoston nimi");
            continue;
        }
        luo_tietokanta(cp(nimi));
        return;
    }
}

void Tiedostovalikko::Avaa_MenuClick() {
    p_.himmenna_tausta();
    const QString nimi = kysy_avattava("Avaa tietokanta");
    if (!nimi.isEmpty()) {
        kysy_tallennus();
        const std::string n = cp(nimi);
        if (on_olemassa(p_.varasto().tj(), p_.varasto().kansio.polku(n), true)) {
            avaa_tietokanta(n);
        } else if (p_.varasto().viestit.kysy(diag::Laji::Tieto,
                                             "Tiedostoa ei löydy,\nluodaanko uusi tietokanta syöttämälläsi nimellä?") ==
                   diag::Vastaus::Kylla) {
            luo_tietokanta(n);
        }
    }
    p_.update_fields();
    p_.palauta_tausta();
}

void Tiedostovalikko::Tallenna_MenuClick() {
    if (!kortti_.nimi_annettu()) return;
    p_.dosavefields();
    tallenna_nykyiseen();
    p_.update_fields();
    if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier)) kortti_.palauta_otsikot();
}

void Tiedostovalikko::Tallenna_nimellaClick() {
    if (!kortti_.nimi_annettu()) return;
    p_.dosavefields();
    p_.himmenna_tausta();
    const QString nimi = kysy_tallennettava();
    if (!nimi.isEmpty()) tallenna_tietokanta(cp(nimi), p_.varasto());
    p_.palauta_tausta();
    p_.update_fields();
}

void Tiedostovalikko::TalennanimellasetuksetClick() {
    if (!kortti_.nimi_annettu()) return;
    p_.dosavefields();
    Tsave_with_options_form f(p_.varasto(), [this] { return kysy_tallennettava(); }, p_.ikkuna());
    p_.tyopoyta().nayta_dialogi(f);
    p_.update_fields();
}

void Tiedostovalikko::Quick_avaaPopup() {
    const Ohjelmakansio& kansio = p_.varasto().kansio;
    const std::vector<std::string> nimet = listaa_tietokannat(kansio);
    kirjoita_debug("Pika avaa: haetaan " + polku_tekstiksi(kansio.juuri()) + "/*.rkb");
    for (std::size_t i = 0; i < nimet.size() && i < Tiedosto.size(); ++i) {
        Tiedosto[i]->setText(hyvaksy_nimi(q(nimet[i])));
        Tiedosto[i]->setData(q(nimet[i]));
        Tiedosto[i]->setVisible(true);
    }
}

void Tiedostovalikko::Tiedosto_Click(int i) {
    kysy_tallennus();
    // The name is kept beside the caption, so a name with "&" opens as it is.
    avaa_tietokanta(cp(Tiedosto[static_cast<std::size_t>(i)]->data().toString()));
}
