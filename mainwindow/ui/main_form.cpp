#include "mainwindow/ui/main_form.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWheelEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "diag/loki.h"
#include "diag/ui/debug_form.h"
#include "diag/ui/teksti.h"
#include "find/ui/sort_form.h"
#include "mainwindow/kasetti.h"
#include "mainwindow/kenttasaannot.h"
#include "mainwindow/kesto.h"
#include "mainwindow/nakymat.h"
#include "mainwindow/ui/cover_form.h"
#include "mainwindow/ui/kumpi_lista_form.h"
#include "mainwindow/ui/muuta_kentan_nimi_form.h"
#include "mainwindow/ui/pieni_kansi.h"
#include "mainwindow/ui/tahdet.h"
#include "settings/ui/asetukset_form.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/kannet.h"
#include "storage/korjaus.h"
#include "storage/lataus.h"
#include "storage/tallennus.h"
#include "storage/ui/save_with_options_form.h"
#include "storage/versio.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* syota_nimi = "Syötä elokuvan nimi!";
constexpr const char* kotisivu = "http://www.rullakko.net/";
constexpr int rivin_korkeus = 21;
constexpr int otsikon_leveys = 90;
constexpr int kentan_x = 95;

QStringList kohdat(std::initializer_list<const char*> t) {
    QStringList l;
    for (const char* s : t) l << fi(s);
    return l;
}

std::vector<std::string> cp_kohdat(const QComboBox* c) {
    std::vector<std::string> t;
    for (int i = 0; i < c->count(); ++i) t.push_back(cp(c->itemText(i)));
    return t;
}

QString teksti(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w)) return m->toPlainText();
    return {};
}

void aseta_teksti(QComboBox* c, const std::string& t) { c->setEditText(q(t)); }

QString hyvaksy_nimi(QString s) { return s.replace('&', "&&"); }

// Checks the view menu's radio item of view n.
void rastita_nakyma(QActionGroup* ryhma, int n) {
    for (QAction* a : ryhma->actions())
        if (a->data().toInt() == n) a->setChecked(true);
}

}  // namespace

TMain_form::TMain_form(const Ohjelmakansio& kansio, TAsetukset& asetukset, const Asetusymparisto& ymparisto,
                       diag::Viestit& viestit, diag::Kiire& kiire, QWidget* parent)
    : QMainWindow(parent),
      varasto{tk, kansio, viestit, kiire, &asetukset, {}, {}, {}, {}, {}},
      kansio_(kansio),
      a_(asetukset),
      y_(ymparisto),
      viestit_(viestit),
      kiire_(kiire) {
    setObjectName("Main_form");
    setWindowTitle(fi(ohjelman_otsikko));
    varasto.lue_otsikko = [this] { return cp(windowTitle()); };
    varasto.aseta_otsikko = [this](const std::string& t) { setWindowTitle(q(t)); };
    varasto.debug_nakyvissa = [this] { return debug_form && debug_form->isVisible(); };

    valitse_avattava = [this](const QString& otsikko) {
        return QFileDialog::getOpenFileName(this, otsikko, QDir::currentPath(), fi("Rullakko (*.rkb)"));
    };
    valitse_tallennettava = [this] { return kysy_tallennusnimi(this, QDir::currentPath()); };
    avaa_osoite = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
    tulostin_olemassa = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };
    piippaa = [] { QApplication::beep(); };
    nayta_dialogi = [](QDialog& d) { return d.exec(); };
    kysy_kumpi_lista = [this] {
        Tkumpi_lista_form f(this);
        return f.exec();
    };
    setAcceptDrops(true);

    tee_valikot();
    tee_kentat();

    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setInterval(5000);
    connect(Timer2, &QTimer::timeout, this, [this] {
        // A Ctrl released while a busy window had the keyboard never reached us: captions back to plain.
        if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier)) FormKeyUp();
        varita_otsikot();
    });
}

TMain_form::~TMain_form() = default;

// ---------------------------------------------------------------------------------------------------------
// Building the window

void TMain_form::tee_valikot() {
    auto valikko = [this](QMenu* isa, const char* nimi, const char* otsikko) {
        QMenu* m = isa ? isa->addMenu(fi(otsikko)) : menuBar()->addMenu(fi(otsikko));
        m->setObjectName(nimi);
        return m;
    };
    auto kohta = [this](QMenu* m, const char* nimi, const char* otsikko, QKeySequence pika = {}) {
        QAction* a = m->addAction(fi(otsikko));
        a->setObjectName(nimi);
        if (!pika.isEmpty()) {
            a->setShortcut(pika);
            addAction(a);  // the shortcut works wherever the focus is, and while the menu is hidden
        }
        return a;
    };
    // Items whose windows are not part of the program yet are shown but cannot be chosen.
    auto tuleva = [&](QMenu* m, const char* nimi, const char* otsikko, QKeySequence pika = {}) {
        QAction* a = kohta(m, nimi, otsikko, pika);
        a->setEnabled(false);
        return a;
    };

    Avaa = valikko(nullptr, "Avaa", "&Tiedosto");
    Uusi_Menu = kohta(Avaa, "Uusi_Menu", "&Uusi...");
    Avaa_Menu = kohta(Avaa, "Avaa_Menu", "&Avaa...", QKeySequence(Qt::CTRL | Qt::Key_A));
    Quick_avaa = valikko(Avaa, "Quick_avaa", "Pika avaa tietokanta...");
    for (int i = 0; i < 10; ++i) {
        const std::string nimi = "Tiedosto" + std::to_string(i + 1);
        Tiedosto[static_cast<std::size_t>(i)] = kohta(Quick_avaa, nimi.c_str(), nimi.c_str());
        Tiedosto[static_cast<std::size_t>(i)]->setVisible(false);
        connect(Tiedosto[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { Tiedosto_Click(i); });
    }
    Lisaa_ja_liita = tuleva(Avaa, "Lisaa_ja_liita", "Yhdistä toinen tietokanta tähän...");
    Avaa->addSeparator();
    Tallenna_Menu = kohta(Avaa, "Tallenna_Menu", "&Tallenna", QKeySequence(Qt::CTRL | Qt::Key_S));
    Tallenna_nimella = kohta(Avaa, "Tallenna_nimella", "Tallenna &nimellä...");
    Talennanimellasetukset1 = kohta(Avaa, "Talennanimellasetukset1", "Tallenna nimellä...   [+asetukset]");
    Avaa->addSeparator();
    Tallennalistatiedostoon1 = tuleva(Avaa, "Tallennalistatiedostoon1", "Tallenna elokuvalista teksti-tiedostoon");
    tallenna_lista_html_menuitem = tuleva(Avaa, "tallenna_lista_html_menuitem", "Tallenna elokuvalista html-tiedostoon");
    Avaa->addSeparator();
    Lopeta_Menu = kohta(Avaa, "Lopeta_Menu", "&Lopeta ohjelma");
    connect(Avaa, &QMenu::aboutToShow, this, &TMain_form::Quick_avaaPopup);
    connect(Uusi_Menu, &QAction::triggered, this, &TMain_form::Uusi_MenuClick);
    connect(Avaa_Menu, &QAction::triggered, this, &TMain_form::Avaa_MenuClick);
    connect(Tallenna_Menu, &QAction::triggered, this, &TMain_form::Tallenna_MenuClick);
    connect(Tallenna_nimella, &QAction::triggered, this, &TMain_form::Tallenna_nimellaClick);
    connect(Talennanimellasetukset1, &QAction::triggered, this, &TMain_form::TalennanimellasetuksetClick);
    connect(Lopeta_Menu, &QAction::triggered, this, &QWidget::close);

    MuokkaaMenu = valikko(nullptr, "MuokkaaMenu", "&Muokkaa");
    menu_undo = kohta(MuokkaaMenu, "menu_undo", "Kumoa korttiin tehdyt muutokset", QKeySequence(Qt::CTRL | Qt::Key_Z));
    kopioi_kortti = kohta(MuokkaaMenu, "kopioi_kortti", "Kopioi kortti muistiin");
    Liita_kortti = kohta(MuokkaaMenu, "Liita_kortti", "Liitä kortti");
    Liita_kortti->setEnabled(false);
    // A copied card is pasted once: the item is offered only while a copy waits.
    connect(MuokkaaMenu, &QMenu::aboutToShow, this, [this] { Liita_kortti->setEnabled(korttimuisti.on_kopio()); });
    connect(menu_undo, &QAction::triggered, this, &TMain_form::menu_undoClick);
    connect(kopioi_kortti, &QAction::triggered, this, &TMain_form::kopioi_korttiClick);
    connect(Liita_kortti, &QAction::triggered, this, &TMain_form::Liita_korttiClick);

    Toiminnot = valikko(nullptr, "Toiminnot", "T&oiminnot");
    Lainaakasetti1 = tuleva(Toiminnot, "Lainaakasetti1", "&Lainaa / Palauta elokuva, listaa lainatut elokuvat",
                            QKeySequence(Qt::CTRL | Qt::Key_L));
    Lainaajaprofiilit1 = tuleva(Toiminnot, "Lainaajaprofiilit1", "Lainaajaprofiilit");
    Tarkistamyhstyneitelokuvia1 =
        tuleva(Toiminnot, "Tarkistamyhstyneitelokuvia1", "Tarkista löytyykö pitkään lainassa olleita elokuvia");
    tyhjaa_nauhaa = tuleva(Toiminnot, "tyhjaa_nauhaa", "Nauhatilanne / Etsi tyhjää nauhaa");
    Toiminnot->addSeparator();
    menu_update = tuleva(Toiminnot, "menu_update", "&Päivitä tietokanta Internetistä uusimpaan versioon");
    menu_update->setToolTip(fi("Toiminto ei ole vielä käytössä, ehkä tulevaisuudessa?"));
    taydenna_tietokanta_paremmin =
        tuleva(Toiminnot, "taydenna_tietokanta_paremmin", "Päivitä kortit ajantasalle ohjelman tietokannasta");
    Toiminnot->addSeparator();
    Asetukset = kohta(Toiminnot, "Asetukset", "&Ohjelman asetukset");
    connect(Asetukset, &QAction::triggered, this, [this] {
        if (!asetukset_form) return;
        asetukset_form->nayta();
        update_fields();
    });
    Toiminnot->addSeparator();
    LahetaSahkopostiaTekijalle = tuleva(Toiminnot, "LahetaSahkopostiaTekijalle", "Lähetä palautetta ohjelman tekijälle");
    laheta_tietokanta_emaililla =
        tuleva(Toiminnot, "laheta_tietokanta_emaililla", "Lähetä tämä tietokanta sähköpostilla osoitteeseen...");
    siirry_kotisivuille_menu = kohta(Toiminnot, "siirry_kotisivuille_menu", "Siirry ohjelman kotisivuille");
    connect(siirry_kotisivuille_menu, &QAction::triggered, this, [this] {
        if (!avaa_osoite(QUrl(QString::fromLatin1(kotisivu))))
            viestit_.virhe("Selaimen käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. "
                           "Internet Explorer) avataksesi tämän dokumentin.");
    });

    Tulosta1 = valikko(nullptr, "Tulosta1", "T&ulosta");
    TTarrat = tuleva(Tulosta1, "TTarrat", "&Tulosta kasettien tarroja");
    TulostaLista1 = tuleva(Tulosta1, "TulostaLista1", "Tulosta elokuva&lista");
    TulostimenAsetukset1 = kohta(Tulosta1, "TulostimenAsetukset1", "Tulostimen a&setukset");
    connect(TulostimenAsetukset1, &QAction::triggered, this, [this] {
        himmenna_tausta();
        if (!tulostin_olemassa()) {
            viestit_.virhe("Ohjelma ei löydä tulostinta!");
        } else {
            QPrinter tulostin;
            QPrintDialog PrinterSetupDialog(&tulostin, this);
            PrinterSetupDialog.setObjectName("PrinterSetupDialog");
            PrinterSetupDialog.exec();
        }
        palauta_tausta();
    });

    Imdb_menu = valikko(nullptr, "Imdb_menu", "Imdb");
    EtsitmnkortintiedotIMDBst1 = tuleva(Imdb_menu, "EtsitmnkortintiedotIMDBst1",
                                        "&Etsi tämän kortin tiedot Internet Movie Databasesta",
                                        QKeySequence(Qt::CTRL | Qt::Key_E));
    nayta_imdbsta = tuleva(Imdb_menu, "nayta_imdbsta", "Näytä elokuvan sivu Internet Movie Databasessa");
    edit_imdbnum = tuleva(Imdb_menu, "edit_imdbnum", "Muokkaa elokuvan Imdb-numeroa");
    HaekaikilleImdbstnoudetuillekorteillekansikuvat1 =
        tuleva(Imdb_menu, "HaekaikilleImdbstnoudetuillekorteillekansikuvat1",
               "Hae kaikille Imdb:stä noudetuille korteille kansikuvat");
    Hae_Kansi = tuleva(Imdb_menu, "Hae_Kansi", "Hae kansikuva");
    Hae_Kansi->setCheckable(true);

    Help1 = valikko(nullptr, "Help1", "&Ohjeet");
    Lueminut_html = kohta(Help1, "Lueminut_html", "&Lueminut");
    emailaa_html = kohta(Help1, "emailaa_html", "&Emailaa");
    historia_html = kohta(Help1, "historia_html", "&Historia");
    connect(Lueminut_html, &QAction::triggered, this, [this] { avaa_ohje("lueminut.html"); });
    connect(emailaa_html, &QAction::triggered, this, [this] { avaa_ohje("emailaa.html"); });
    connect(historia_html, &QAction::triggered, this, [this] { avaa_ohje("historia.html"); });
    Help1->addSeparator();
    Kiitokset1 = tuleva(Help1, "Kiitokset1", "Kiitokset");
    Pikanappaimet_menu = tuleva(Help1, "Pikanappaimet_menu", "Pikanäppäimet", QKeySequence(Qt::Key_F1));
    statistics = tuleva(Help1, "statistics", "Tietoa tästä tietokannasta");

    Developer_menu = valikko(nullptr, "Developer_menu", "Debug / Developer");
    Developer_menu->menuAction()->setVisible(false);
    NaytaDebuggeri = kohta(Developer_menu, "NaytaDebuggeri", "Näytä Debug infot", QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(NaytaDebuggeri, &QAction::triggered, this, [this] {
        if (debug_form) debug_form->show();
    });
    remove_dupes = tuleva(Developer_menu, "remove_dupes", "Remove dupe entries && clean");
    avaa_wanhatietokanta = kohta(Developer_menu, "avaa_wanhatietokanta", "Avaa versio 0.1...1.14 tietokanta",
                                 QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W));
    connect(avaa_wanhatietokanta, &QAction::triggered, this, [this] {
        const QString nimi = valitse_avattava(fi("Avaa versio 0.1...1.14 tietokanta"));
        palaa_ohjelmakansioon();
        if (nimi.isEmpty()) return;
        kysy_tallennus();
        lue_vanha_tietokanta(cp(nimi), false, varasto);
        tk.nykyinen = 1;
        nayta_kortti_uudelleen();
    });
    DeveloperMode1 = kohta(Developer_menu, "DeveloperMode1", "Developer Mode", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    DeveloperMode1->setVisible(false);
    // A hidden item's own shortcut never fires, so the window carries the key for it.
    auto* kehittaja = new QShortcut(DeveloperMode1->shortcut(), this);
    connect(kehittaja, &QShortcut::activated, DeveloperMode1, &QAction::trigger);
    connect(DeveloperMode1, &QAction::triggered, this, [this] { Developer_menu->menuAction()->setVisible(true); });

    // The field shortcuts: a menu of its own that is never shown; each item moves the focus into its field.
    Kenttienpikanppimet1 = new QMenu(this);
    Kenttienpikanppimet1->setObjectName("Kenttienpikanppimet1");
}

void TMain_form::tee_kentat() {
    auto* keski = new QWidget(this);
    keski->setObjectName("keski");
    setCentralWidget(keski);
    // The card has a fixed layout that the skins' background pictures are drawn for.
    keski->setFixedSize(660, 410);
    QFont kirjasin = keski->font();
    kirjasin.setPixelSize(12);
    keski->setFont(kirjasin);

    auto otsikko = [keski](const char* nimi, const char* teksti, int x, int y, int leveys = otsikon_leveys) {
        auto* l = new QLabel(fi(teksti), keski);
        l->setObjectName(nimi);
        l->setGeometry(x, y, leveys, rivin_korkeus);
        return l;
    };
    auto rivi = [keski](const char* nimi, int x, int y, int leveys) {
        auto* e = new QLineEdit(keski);
        e->setObjectName(nimi);
        e->setGeometry(x, y, leveys, rivin_korkeus);
        return e;
    };
    auto lista = [keski](const char* nimi, int x, int y, int leveys, const QStringList& k) {
        auto* c = new QComboBox(keski);
        c->setObjectName(nimi);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);  // the program's own type-ahead completes
        c->addItems(k);
        c->setCurrentIndex(-1);
        c->setGeometry(x, y, leveys, rivin_korkeus);
        return c;
    };

    // The button row.
    auto nappi = [keski](const char* nimi, const char* teksti, const char* vihje, int x) {
        auto* b = new QPushButton(fi(teksti), keski);
        b->setObjectName(nimi);
        b->setToolTip(fi(vihje));
        b->setGeometry(x, 6, 52, 44);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    Lista_button = nappi("Lista_button", "Lista", "", 8);
    etsi_button = nappi("etsi_button", "Etsi", "Etsii kortteja syöttämilläsi hakusanoilla", 64);
    Jarjesta_button = nappi("Jarjesta_button", "Järjestä", "Järjestää tietokantasi kortit haluamaasi järjestykseen", 120);
    poista_kortti_button = nappi("poista_kortti_button", "Poista", "Poistaa tämän kortin", 176);
    uusi_kortti_button = nappi("uusi_kortti_button", "Uusi", "Lisää uuden kortin tietokantaan", 232);
    edellinen_button = nappi("edellinen_button", "<", "Siirtyy edelliseen korttiin", 544);
    seuraava_button = nappi("seuraava_button", ">", "Siirtyy seuraavaan korttiin", 600);
    connect(etsi_button, &QPushButton::clicked, this, &TMain_form::etsi_buttonClick);
    connect(poista_kortti_button, &QPushButton::clicked, this, &TMain_form::poista_kortti);
    connect(Jarjesta_button, &QPushButton::clicked, this, [this] {
        if (!nimi_annettu()) return;
        dosavefields();
        nayta_jarjestys();
    });
    connect(uusi_kortti_button, &QPushButton::clicked, this, &TMain_form::uusi_kortti);
    // Previous and next act on the press, by the button pressed (see eventFilter).

    // Fields, three to a row where they are short; tab order follows the table of fields.
    const int y1 = 56, y2 = 84, y3 = 112, y4 = 140, y5 = 168, y6 = 196, y7 = 224, y8 = 252;
    Nimi = otsikko("Nimi", "Elokuvan Nimi:", 4, y1);
    nimi_kentta = rivi("nimi_kentta", kentan_x, y1, 557);
    Paanayttelijat = otsikko("Paanayttelijat", "Pääosissa:", 4, y2);
    paanayttelijat_kentta = rivi("paanayttelijat_kentta", kentan_x, y2, 557);

    Maa = otsikko("Maa", "Valmistusmaa:", 4, y3);
    maa_kentta = lista("maa_kentta", kentan_x, y3, 150,
                       kohdat({"Usa", "Englanti", "Suomi", "Ruotsi", "Hong-Kong", "Japani", "Meksiko", "Ranska", "Kanada"}));
    Vuosi = otsikko("Vuosi", "Tuotantov. :", 256, y3, 70);
    Vuosi->setToolTip(fi("Tuotantovuosi"));
    Vuosi_Kentta = rivi("Vuosi_Kentta", 328, y3, 60);
    Formaatti = otsikko("Formaatti", "Formaatti:", 400, y3, 70);
    formaatti_kentta = lista("formaatti_kentta", 472, y3, 180,
                             kohdat({"SP", "LP", "EP", "DVD", "DVD R1", "DVD R2", "VCD", "DivX", "Laserdisc"}));

    Luokitus = otsikko("Luokitus", "Luokitus:", 4, y4);
    luokitus_kentta = lista("luokitus_kentta", kentan_x, y4, 150,
                            kohdat({"Draama", "Dokumentti", "Erotiikka", "Jännitys", "Kauhu", "Komedia", "Lännenelokuva",
                                    "Piirretty", "Romanttinen komedia", "Scifi", "Seikkailu", "Toiminta",
                                    "Toimintakomedia", "Toiminta-Trilleri", "Trilleri"}));
    luokitus_kentta->setMaxVisibleItems(20);
    Kesto = otsikko("Kesto", "Kesto:", 256, y4, 70);
    Kesto->setToolTip(fi("Voit vaihtaa nopeasti elokuvan keston ilmoitustapaa klikkaamalla tähän"));
    Kesto->setCursor(Qt::PointingHandCursor);
    kesto_kentta = rivi("kesto_kentta", 328, y4, 60);
    kesto_kentta->setToolTip(fi("Elokuvan kesto, esim. \"90 min\" tai \"1h 30min\""));
    Kasetilla = otsikko("Kasetilla", "Kasetilla/ levyllä nro:", 400, y4, 130);
    kasetilla_kentta = rivi("kasetilla_kentta", 536, y4, 66);
    kasetilla_kentta->setMaxLength(10);
    QStringList paikat;
    for (int i = 1; i <= 8; ++i) paikat << QString::number(i);
    sijainti_kentta = lista("sijainti_kentta", 606, y4, 46, paikat);
    sijainti_kentta->lineEdit()->setMaxLength(2);

    Aani = otsikko("Aani", "Ääniraita:", 4, y5);
    aani_kentta = lista("aani_kentta", kentan_x, y5, 150,
                        kohdat({"Hifi Stereo", "Dolby Surround", "Dolby Digital 5.1", "DTS", "Ei Hifiraitaa (Mono)"}));
    Varit = otsikko("Varit", "Värit:", 256, y5, 70);
    vari_kentta = lista("vari_kentta", 328, y5, 60, kohdat({"Kyllä", "Ei"}));
    kuvasuhde = otsikko("kuvasuhde", "Kuvasuhde:", 400, y5, 70);
    kuvasuhde_kentta = lista("kuvasuhde_kentta", 472, y5, 180,
                             kohdat({"1.33:1 [4:3]", "1.66:1", "1.85:1 [16:9]", "1.85:1 [16:9] Letterbox",
                                     "1.85:1 [16:9] Anamorph.", "2.35:1 Anamorphinen", "2.35:1 Letterbox", "Super-35"}));

    Ohjaaja = otsikko("Ohjaaja", "Ohjaaja:", 4, y6);
    Ohjaaja_Kentta = rivi("Ohjaaja_Kentta", kentan_x, y6, 340);
    Kasikirjoitus = otsikko("Kasikirjoitus", "Käsikirjoitus:", 4, y7);
    Kasikirjoitus->setToolTip(fi("Voit nimetä kentän uudelleen klikkaamalla tähän."));
    Kasikirjoitus->setCursor(Qt::PointingHandCursor);
    Kasikirjoitus_kentta = rivi("Kasikirjoitus_kentta", kentan_x, y7, 340);
    Lainassa = otsikko("Lainassa", "Lainassa:", 4, y8);
    lainassa_kentta = rivi("lainassa_kentta", kentan_x, y8, 340);

    Juoni = otsikko("Juoni", "Juoni:", 4, 280);
    Kommentit = otsikko("Kommentit", "Kommentit:", 4, 296);
    Extrat = otsikko("Extrat", "Extrat:", 4, 312);
    for (QLabel* l : {Juoni, Kommentit, Extrat}) l->setCursor(Qt::PointingHandCursor);
    Kommentti_Kentta = new QPlainTextEdit(keski);
    Kommentti_Kentta->setObjectName("Kommentti_Kentta");
    Kommentti_Kentta->setGeometry(kentan_x, 280, 340, 49);
    Kommentti_Kentta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Kommentti_Kentta->setTabChangesFocus(true);

    extrat_panel = new QWidget(keski);
    extrat_panel->setObjectName("extrat_panel");
    extrat_panel->setGeometry(kentan_x, 280, 340, 82);
    QFont pienempi = kirjasin;
    pienempi.setPixelSize(10);
    // Three columns as wide as their longest captions need, so "Theatrical Trailer(s)" reads whole.
    constexpr int sarakkeet[3][2] = {{2, 116}, {120, 104}, {226, 110}};
    for (int i = 1; i <= 9; ++i) {
        auto* c = new QCheckBox(fi(extran_nimi[static_cast<std::size_t>(i)]), extrat_panel);
        c->setObjectName(QString("Extra%1").arg(i));
        c->setFont(pienempi);
        const auto& [x, leveys] = sarakkeet[(i - 1) % 3];
        c->setGeometry(x, 2 + ((i - 1) / 3) * 18, leveys, 17);
        Extra[static_cast<std::size_t>(i)] = c;
    }
    dvdinfo_label = new QLabel(fi("Lisätietoa:"), extrat_panel);
    dvdinfo_label->setObjectName("dvdinfo_label");
    dvdinfo_label->setGeometry(4, 58, 64, rivin_korkeus);
    Extra_info = new QLineEdit(extrat_panel);
    Extra_info->setObjectName("Extra_info");
    Extra_info->setGeometry(70, 58, 266, rivin_korkeus);
    extrat_panel->hide();

    // The right-hand area: the other movies of the cassette above, the user-named fields below.
    Muut_elokuvat_grid = new QTableWidget(1, 2, keski);
    Muut_elokuvat_grid->setObjectName("Muut_elokuvat_grid");
    custom_kentat_grid = new QTableWidget(9, 2, keski);
    custom_kentat_grid->setObjectName("custom_kentat_grid");
    for (QTableWidget* g : {Muut_elokuvat_grid, custom_kentat_grid}) {
        g->horizontalHeader()->hide();
        g->verticalHeader()->hide();
        g->verticalHeader()->setMinimumSectionSize(12);
        g->verticalHeader()->setDefaultSectionSize(16);
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setWordWrap(false);
    }
    Muut_elokuvat_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Muut_elokuvat_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Muut_elokuvat_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Muut_elokuvat_grid->setColumnWidth(0, 166);
    Muut_elokuvat_grid->setColumnWidth(1, 14);
    Muut_elokuvat_grid->setGeometry(467, 216, 185, 147);
    custom_kentat_grid->setColumnWidth(0, 68);
    custom_kentat_grid->setColumnWidth(1, 112);
    custom_kentat_grid->setGeometry(467, 216, 185, 147);
    custom_kentat_grid->setItem(0, 0, new QTableWidgetItem(fi("Lisätiedot:")));
    custom_kentat_grid->setItem(0, 1, new QTableWidgetItem());
    for (int c = 0; c < 2; ++c) custom_kentat_grid->item(0, c)->setFlags(Qt::ItemIsEnabled);
    // An edit in the extra fields' grid is a change of the card like typing in a field.
    connect(custom_kentat_grid, &QTableWidget::itemChanged, this, [this] {
        if (!paivitetaan_) tk.kortit.merkitse_muutetuksi();
    });
    connect(Muut_elokuvat_grid, &QTableWidget::cellClicked, this, [this](int rivi, int) {
        if (rivi < 1 || rivi >= static_cast<int>(muut_rivikartta.size())) return;
        const int indeksi = muut_rivikartta[static_cast<std::size_t>(rivi)];
        if (indeksi == MuutElokuvat::tyhja_rivi || indeksi >= tk.kortit.Count()) return;
        dosavefields();
        tk.nykyinen = indeksi;
        update_fields();
    });

    ScrollBar1 = new QScrollBar(Qt::Horizontal, keski);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setGeometry(8, 368, 644, 17);
    ScrollBar1->setFocusPolicy(Qt::NoFocus);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int arvo) {
        if (paivitetaan_ || arvo < 1 || arvo >= tk.kortit.Count()) return;
        tk.nykyinen = arvo;
        if (this->lista.auki() && !this->lista.haku()) Listaikkuna::tee(this->lista.seuraa_valintaa);
        update_fields();
    });
    tiedosto = otsikko("tiedosto", "Tiedosto: ", 4, 388, 470);
    Tietue_label = otsikko("Tietue_label", "Kortti: ", 480, 388, 172);
    Tietue_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Tab order of the table of fields.
    QWidget* edellinen = nullptr;
    for (QWidget* w : tabikentat()) {
        if (edellinen) setTabOrder(edellinen, w);
        edellinen = w;
    }
    setTabOrder(Kommentti_Kentta, lainassa_kentta);
    setTabOrder(lainassa_kentta, Muut_elokuvat_grid);
    setTabOrder(Muut_elokuvat_grid, custom_kentat_grid);

    // The label that names each field also shows its accelerator while Ctrl is held.
    const std::pair<QLabel*, QWidget*> parit[] = {
        {Nimi, nimi_kentta},           {Paanayttelijat, paanayttelijat_kentta}, {Maa, maa_kentta},
        {Vuosi, Vuosi_Kentta},         {Formaatti, formaatti_kentta},           {Luokitus, luokitus_kentta},
        {Kesto, kesto_kentta},         {Kasetilla, kasetilla_kentta},           {Aani, aani_kentta},
        {kuvasuhde, kuvasuhde_kentta}, {Ohjaaja, Ohjaaja_Kentta},               {Juoni, Kommentti_Kentta},
        {Kommentit, Kommentti_Kentta}, {Varit, vari_kentta},                    {Kasikirjoitus, Kasikirjoitus_kentta},
        {Lainassa, lainassa_kentta}};
    for (const auto& [l, w] : parit) l->setBuddy(w);

    struct Pika {
        const char* nimi;
        QKeySequence avain;
        QWidget* kentta;
    };
    const Pika pikat[] = {
        {"nimi_shortkey", QKeySequence(Qt::CTRL | Qt::Key_N), nimi_kentta},
        {"paanayttelijat_shortkey", QKeySequence(Qt::CTRL | Qt::Key_P), paanayttelijat_kentta},
        {"maa_shortkey", QKeySequence(Qt::CTRL | Qt::Key_I), maa_kentta},
        {"vuosi_shortkey", QKeySequence(Qt::CTRL | Qt::Key_T), Vuosi_Kentta},
        {"formaatti_shortkey", QKeySequence(Qt::CTRL | Qt::Key_F), formaatti_kentta},
        {"luokitus_shortkey", QKeySequence(Qt::CTRL | Qt::Key_U), luokitus_kentta},
        {"kesto_shortkey", QKeySequence(Qt::CTRL | Qt::Key_K), kesto_kentta},
        {"kasetilla_shortkey", QKeySequence(Qt::CTRL | Qt::Key_R), kasetilla_kentta},
        {"aani_shortkey", QKeySequence(Qt::CTRL | Qt::Key_Adiaeresis), aani_kentta},
        {"ohjaaja_shortkey", QKeySequence(Qt::CTRL | Qt::Key_O), Ohjaaja_Kentta},
        {"kasik_shortkey", QKeySequence(), Kasikirjoitus_kentta},
    };
    for (const Pika& p : pikat) {
        QAction* a = Kenttienpikanppimet1->addAction(QString::fromLatin1(p.nimi));
        a->setObjectName(p.nimi);
        a->setShortcut(p.avain);
        addAction(a);
        QWidget* kentta = p.kentta;
        connect(a, &QAction::triggered, this, [kentta] { kentta->setFocus(Qt::ShortcutFocusReason); });
    }
    // Ctrl+J and Ctrl+M turn the text area to the plot or the comments.
    for (const auto& [nimi, avain, sivu] :
         {std::tuple{"juoni_shortkey", Qt::Key_J, 0}, std::tuple{"kommentit_shortkey", Qt::Key_M, 1}}) {
        QAction* a = Kenttienpikanppimet1->addAction(QString::fromLatin1(nimi));
        a->setObjectName(nimi);
        a->setShortcut(QKeySequence(Qt::CTRL | avain));
        addAction(a);
        const int s = sivu;
        connect(a, &QAction::triggered, this, [this, s] { vaihda_sivu(s); });
    }

    connect(formaatti_kentta, &QComboBox::editTextChanged, this, [this] { nayta_extrat(); });

    tee_nakymat();

    // Every control of the card reports its keys, focus changes and clicks here.
    for (QWidget* w : keski->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
        w->installEventFilter(this);
    }
    for (QComboBox* c : keski->findChildren<QComboBox*>()) c->view()->installEventFilter(this);
    // The background itself: moving over it puts an enlarged text area back.
    keski->setMouseTracking(true);
    keski->installEventFilter(this);
    Kommentti_Kentta->viewport()->setMouseTracking(true);
}

void TMain_form::tee_nakymat() {
    QWidget* keski = centralWidget();
    auto ikoni = [keski](const char* nimi, int y, const char* vihje) {
        auto* l = new QLabel(keski);
        l->setObjectName(nimi);
        l->setGeometry(440, y, 21, 21);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(fi(vihje));
        return l;
    };
    lista_and_info_icon = ikoni("lista_and_info_icon", 216, "Näytä lista muista elokuvista tällä kasetilla ja lisätiedot");
    lista_icon = ikoni("lista_icon", 242, "Näytä lista muista elokuvista tällä kasetilla");
    info_icon = ikoni("info_icon", 268, "Näytä elokuvan lisätiedot");
    kansi_icon = ikoni("kansi_icon", 293, "Näytä elokuvan kansikuva");
    auto_icon = ikoni("auto_icon", 318,
                      "Näyttää elokuvan kansikuvan jos kasetilla/levyllä on vain yksi elokuva, muulloin lista ja lisätiedot.");

    NakymaPopUp = new QMenu(this);
    NakymaPopUp->setObjectName("NakymaPopUp");
    nakymaryhma = new QActionGroup(this);
    nakymaryhma->setExclusive(true);
    auto nakyma = [this](const char* nimi, const char* otsikko, int n) {
        QAction* a = NakymaPopUp->addAction(fi(otsikko));
        a->setObjectName(nimi);
        a->setCheckable(true);
        a->setData(n);
        nakymaryhma->addAction(a);
        connect(a, &QAction::triggered, this, [this, n] { aseta_nakyma(n); });
        return a;
    };
    nayta_lista_and_info = nakyma("nayta_lista_and_info", "Näytä sisältölista && lisätiedot", 0);
    nayta_lista = nakyma("nayta_lista", "Näytä kasetin/levyn sisältölista", 1);
    nayta_lisatiedot = nakyma("nayta_lisatiedot", "Elokuvan lisätiedot", 2);
    nayta_kansi = nakyma("nayta_kansi", "Elokuvan kansikuva", 3);
    nayta_lista_and_info->setChecked(true);
    NakymaPopUp->addSeparator();
    automode = NakymaPopUp->addAction(fi("Valitse näkymä autom."));
    automode->setObjectName("automode");
    automode->setCheckable(true);
    connect(automode, &QAction::triggered, this, [this] { sovella_nakyma(true); });
    poista_kansikuva = NakymaPopUp->addAction(fi("Poista kansikuva"));
    poista_kansikuva->setObjectName("poista_kansikuva");
    poista_kansikuva->setVisible(false);
    connect(poista_kansikuva, &QAction::triggered, this, &TMain_form::poista_kansikuvaClick);

    cover_image = new PieniKansi(varasto, keski);
    cover_image->setGeometry(467, 216, PieniKansi::leveys, PieniKansi::korkeus);
    cover_image->hide();
    connect(cover_image, &PieniKansi::klikattu, this, &TMain_form::nayta_iso_kansi);
    connect(cover_image, &PieniKansi::kansi_poistettu, this, [this] {
        tk.kortit.merkitse_muutetuksi();
        nayta_kuvakkeet();
    });

    arvosana_kuva = new Tahtikuva(keski);
    arvosana_kuva->move(538, 56);
    connect(arvosana_kuva, &Tahtikuva::arvosana_valittu, this, &TMain_form::aseta_arvosana);
    connect(arvosana_kuva, &Tahtikuva::rullattu, this, [this](int askel) {
        dosavefields();
        TKortti& k = tk.kortit[tk.nykyinen];
        const std::string uusi = arvosana_rullalla(k.arvosana, askel);
        if (uusi != k.arvosana) tk.kortit.merkitse_muutetuksi();
        k.arvosana = uusi;
        update_fields();
    });

    TextPopup = new QMenu(this);
    TextPopup->setObjectName("TextPopup");
    aseta_def_nakymaksi = TextPopup->addAction(QString());
    aseta_def_nakymaksi->setObjectName("aseta_def_nakymaksi");
    Sort4Nouseva = TextPopup->addAction(fi("Järjestä nousevasti (1234...)"));
    Sort4Nouseva->setObjectName("Sort4Nouseva");
    Sort4Laskeva = TextPopup->addAction(fi("Järjestä laskevasti (...4321)"));
    Sort4Laskeva->setObjectName("Sort4Laskeva");
    // Sorting by a label's field arrives with the sort dialog's own menu items.
    Sort4Nouseva->setEnabled(false);
    Sort4Laskeva->setEnabled(false);
    connect(aseta_def_nakymaksi, &QAction::triggered, this, [this] { vaihda_sivu(aseta_def_nakymaksi->data().toInt()); });
}

std::array<QWidget*, 15> TMain_form::tabikentat() const {
    return {nimi_kentta,     paanayttelijat_kentta, maa_kentta,       Vuosi_Kentta,     formaatti_kentta,
            luokitus_kentta, kesto_kentta,          kasetilla_kentta, sijainti_kentta,  aani_kentta,
            vari_kentta,     kuvasuhde_kentta,      Ohjaaja_Kentta,   Kasikirjoitus_kentta, Kommentti_Kentta};
}

bool TMain_form::on_kentta(const QObject* o) const {
    for (QWidget* w : tabikentat())
        if (w == o) return true;
    return o == lainassa_kentta;
}

QLabel* TMain_form::kentan_otsikko(QWidget* w) const {
    if (w == sijainti_kentta) return Kasetilla;
    if (w == Kommentti_Kentta) return tk.nykyinen < tk.kortit.Count() && tk.kortit[tk.nykyinen].nakyma == 1 ? Kommentit : Juoni;
    for (QLabel* l : findChildren<QLabel*>())
        if (l->buddy() == w && l != Juoni && l != Kommentit) return l;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// The card and the controls

void TMain_form::update_fields() {
    if (tk.kortit.Count() < 2) tk.kortit.lisaa_uusi();  // a catalogue always shows a real card
    tk.nykyinen = std::clamp(tk.nykyinen, 1, tk.kortit.Count() - 1);
    TKortti& k = tk.kortit[tk.nykyinen];
    kirjoita_debug("update_fields");
    kirjoita_debug("nauhaa = " + k.nauha);
    paivitetaan_ = true;

    nimi_kentta->setText(q(k.nimi));
    aseta_teksti(luokitus_kentta, k.luokitus);
    aseta_teksti(maa_kentta, k.maa);
    kasetilla_kentta->setText(q(k.kasetilla));
    paanayttelijat_kentta->setText(q(k.paanayttelijat));
    Ohjaaja_Kentta->setText(q(k.ohjaaja));
    aseta_sivu(k.nakyma, true);
    if (k.nakyma == 0) Kommentti_Kentta->setPlainText(q(k.juoni));
    else if (k.nakyma == 1) Kommentti_Kentta->setPlainText(q(k.kommentti));

    aseta_teksti(sijainti_kentta, k.sijainti == "0" ? std::string() : k.sijainti);
    lainassa_kentta->setText(q(k.lainassa));
    Vuosi_Kentta->setText(q(k.vuosi));
    aseta_teksti(vari_kentta, k.vari);
    aseta_teksti(kuvasuhde_kentta, k.kuvasuhde);
    aseta_teksti(formaatti_kentta, k.formaatti);
    aseta_teksti(aani_kentta, k.aani);

    Hae_Kansi->setChecked(k.hae_kansi);
    for (int i = 1; i <= 9; ++i) Extra[static_cast<std::size_t>(i)]->setChecked(k.extra[static_cast<std::size_t>(i)]);
    Extra_info->setText(q(k.extra_info));
    nayta_extrat();

    std::string nimi0 = k.lisatieto_nimi[0];
    if (nimi0.empty() && k.lisatieto[0].empty()) nimi0 = "Käsikirjoitus:";
    if (nimi0.empty()) nimi0 = "[Ei määritelty?]:";
    Kasikirjoitus->setText(q(nimi0));
    Kasikirjoitus_kentta->setText(q(k.lisatieto[0]));

    for (int r = 1; r <= 8; ++r) {
        custom_kentat_grid->setItem(r, 0, new QTableWidgetItem(q(k.lisatieto_nimi[static_cast<std::size_t>(r)])));
        custom_kentat_grid->setItem(r, 1, new QTableWidgetItem(q(k.lisatieto[static_cast<std::size_t>(r)])));
    }

    sovella_nakyma(true);
    kirjoita_debug("cover_fn=" + k.cover_fn);
    cover_image->aseta_pehmennys(a_.smoothen_cover);
    cover_image->ajasta();

    kesto_kentta->setText(q(kesto_nakyviin(k.kesto, a_.minuutteina)));

    Tietue_label->setText(fi("Kortti: ") + QString::number(tk.nykyinen) + "/" + QString::number(tk.kortit.Count() - 1));
    ScrollBar1->setRange(1, tk.kortit.Count() - 1);
    ScrollBar1->setPageStep(15);
    ScrollBar1->setValue(tk.nykyinen);

    // The name is only made absolute: on a case-sensitive file system a lower-cased name is another file.
    if (!tk.tiedosto.empty() && !fs::path(tk.tiedosto).is_absolute())
        tk.tiedosto = polku_tekstiksi(kansio_.polku(tk.tiedosto));
    tiedosto->setText(fi("Tiedosto: ") + q(tk.tiedosto));

    rakenna_muut_elokuvat();
    nimi_kentta->setFixedWidth(a_.nayta_arvosana ? 433 : 557);
    arvosana_kuva->setVisible(a_.nayta_arvosana);
    arvosana_kuva->aseta_arvosana(arvosana_luku(k.arvosana));
    paivitetaan_ = false;
    peruutus.ota_jos_siirrytty(tk);
}

void TMain_form::tallenna_kentat_kortille(TKortti& k) {
    k.nimi = cp(nimi_kentta->text());
    k.luokitus = cp(luokitus_kentta->currentText());
    k.maa = cp(maa_kentta->currentText());
    k.kasetilla = cp(kasetilla_kentta->text());
    k.aani = cp(aani_kentta->currentText());
    k.paanayttelijat = cp(paanayttelijat_kentta->text());
    k.ohjaaja = cp(Ohjaaja_Kentta->text());
    if (k.nakyma == 0) k.juoni = cp(Kommentti_Kentta->toPlainText());
    else if (k.nakyma == 1) k.kommentti = cp(Kommentti_Kentta->toPlainText());
    k.kuvasuhde = cp(kuvasuhde_kentta->currentText());
    k.sijainti = cp(sijainti_kentta->currentText());
    k.lainassa = cp(lainassa_kentta->text());
    k.formaatti = cp(formaatti_kentta->currentText());
    k.kesto = cp(kesto_kentta->text());
    k.vuosi = cp(Vuosi_Kentta->text());
    k.vari = cp(vari_kentta->currentText());
    k.lisatieto[0] = cp(Kasikirjoitus_kentta->text());
    k.lisatieto_nimi[0] = cp(Kasikirjoitus->text());
    for (int i = 1; i <= 9; ++i) k.extra[static_cast<std::size_t>(i)] = Extra[static_cast<std::size_t>(i)]->isChecked();
    k.extra_info = cp(Extra_info->text());
    for (int r = 1; r <= 8; ++r) {
        const auto solu = [this, r](int c) {
            const QTableWidgetItem* i = custom_kentat_grid->item(r, c);
            return i ? cp(i->text()) : std::string();
        };
        k.lisatieto_nimi[static_cast<std::size_t>(r)] = solu(0);
        k.lisatieto[static_cast<std::size_t>(r)] = solu(1);
    }
}

void TMain_form::dosavefields() {
    if (tk.nykyinen < 1 || tk.nykyinen >= tk.kortit.Count()) return;
    QWidget* f = QApplication::focusWidget();
    if (f == lainassa_kentta || f == kasetilla_kentta) processfields(f);
    kirjoita_debug("[dosavefields]");
    tallenna_kentat_kortille(tk.kortit[tk.nykyinen]);
    varasto.paivita_lista();
}

void TMain_form::processfields(QWidget* kentta) {
    if (tk.nykyinen < 1 || tk.nykyinen >= tk.kortit.Count()) return;
    TKortti& k = tk.kortit[tk.nykyinen];
    if (kentta == lainassa_kentta) {
        if (!k.kasetilla.empty()) lainaa_kasetti(tk.kortit, cp(kasetilla_kentta->text()), cp(lainassa_kentta->text()));
    } else if (kentta == kasetilla_kentta) {
        kasetilla_poistuttu();
    } else if (kentta == kesto_kentta) {
        const std::string vanha = cp(kesto_kentta->text());
        const std::string uusi = kesto_yksikolla(vanha);
        if (uusi == vanha) return;
        kesto_kentta->setText(q(uusi));
    } else if (kentta == paanayttelijat_kentta) {
        paanayttelijat_kentta->setText(q(nayttelijoiden_pilkut(cp(paanayttelijat_kentta->text()))));
    } else if (kentta == formaatti_kentta) {
        formaatti_poistuttu();
    }
    varasto.paivita_lista();
}

void TMain_form::kasetilla_poistuttu() {
    TKortti& k = tk.kortit[tk.nykyinen];
    if (kasetilla_kentta->text().isEmpty()) kasetilla_kentta->setText(q(seuraava_vapaa_kasetti(tk.kortit, tk.nykyinen)));
    const std::string numero = cp(kasetilla_kentta->text());
    if (numero != k.kasetilla) {
        k.nauha = get_kasetin_pituus(tk.kortit, numero, viestit_);
        kirjoita_debug("päivitettiin (kas=" + numero + ") kestoksi :" + k.nauha);
    }
    k.kasetilla = numero;
    if (k.nauha.empty() && !numero.empty() && sisaltaa("P", cp(formaatti_kentta->currentText())) && a_.kysy_pituus &&
        a_.ala_kysy_jos && !sisaltaa(a_.ala_kysy_jos_sisaltaa, numero)) {
        QMetaObject::invokeMethod(this, [this, numero] {
            if (pituusdialogi_auki_ || !kysy_kasetin_pituus) return;
            pituusdialogi_auki_ = true;
            kysy_kasetin_pituus(numero);
            pituusdialogi_auki_ = false;
        }, Qt::QueuedConnection);
    }
    if (!tarkista_kasetin_mediat(tk.kortit, numero))
        QMetaObject::invokeMethod(this, [this] { sekamedia_ilmoitus(); }, Qt::QueuedConnection);
}

void TMain_form::sekamedia_ilmoitus() { viestit_.tieto(sekamedia_viesti); }

void TMain_form::formaatti_poistuttu() {
    const bool dvd = sisaltaa("DVD", cp(formaatti_kentta->currentText()));
    Extrat->setVisible(dvd);
    if (dvd && a_.jos_dvd_muuta_aani) {
        aseta_teksti(aani_kentta, a_.aani_kentta_jos_dvd);
        dosavefields();
    }
    if (dvd && a_.jos_dvd_muuta_kuva) {
        aseta_teksti(kuvasuhde_kentta, a_.kuva_kentta_jos_dvd);
        dosavefields();
    }
    if (Kasikirjoitus_kentta->text().isEmpty() && dvd && a_.jos_dvd_nimea_kasik) {
        tk.kortit[tk.nykyinen].lisatieto_nimi[0] = "Extrat:";
        update_fields();
    }
    if (sijainti_kentta->currentText().isEmpty() && dvd) sijainti_kentta->setEditText("1");
    // The focus moves once the focus change that brought us here is over.
    if (dvd) QMetaObject::invokeMethod(this, [this] { setfocus_eka_tyhja_kentta(4); }, Qt::QueuedConnection);
}

void TMain_form::nayta_extrat() { Extrat->setVisible(sisaltaa("DVD", cp(formaatti_kentta->currentText()))); }

bool TMain_form::Oma_Keypress(QWidget* kentta, QKeyEvent* e) {
    tk.kortit.merkitse_muutetuksi();
    const int avain = e->key();
    if (kentta == sijainti_kentta && e->text() == "#") return true;
    if (avain == Qt::Key_Escape) {
        update_fields();
        return true;
    }
    if (avain == Qt::Key_Return || avain == Qt::Key_Enter) {
        dosavefields();
        update_fields();
        setfocus_eka_tyhja_kentta(-1);
        return true;
    }
    const QString t = e->text();
    const bool merkki = t.size() == 1 && t[0].isPrint();
    if ((kentta == paanayttelijat_kentta || kentta == Ohjaaja_Kentta) && merkki) {
        auto* le = static_cast<QLineEdit*>(kentta);
        const std::string c = cp(t);
        if (alkaa_nimen(cp(le->text()), le->cursorPosition()) && isoksi_kirjaimeksi(c[0]) != c[0]) {
            le->insert(q(std::string(1, isoksi_kirjaimeksi(c[0]))));
            return true;
        }
        return false;
    }
    if (auto* c = qobject_cast<QComboBox*>(kentta); c && c != sijainti_kentta && (merkki || avain == Qt::Key_Backspace)) {
        QLineEdit* le = c->lineEdit();
        const int alku = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
        const int pituus = le->hasSelectedText() ? static_cast<int>(le->selectedText().size()) : 0;
        const Ennakointi en = ennakoi(cp(le->text()), alku, pituus, avain == Qt::Key_Backspace ? '\b' : cp(t)[0],
                                      cp_kohdat(c));
        switch (en.tulos) {
            case Ennakointi::Laatikolle:
            case Ennakointi::Ei_osumaa: return false;
            case Ennakointi::Tyhjenna: c->setEditText(QString()); return true;
            case Ennakointi::Taydenna:
                c->setCurrentIndex(en.kohta);
                c->setEditText(c->itemText(en.kohta));
                le->setSelection(static_cast<int>(le->text().size()), en.kursori - static_cast<int>(le->text().size()));
                return true;
        }
    }
    return false;
}

void TMain_form::OnEnterDoHilight(QWidget* kentta) {
    if (kentta == sijainti_kentta && sijainti_kentta->currentText().isEmpty() && !kasetilla_kentta->text().isEmpty())
        sijainti_kentta->setEditText(q(seuraava_sijainti(tk.kortit, cp(kasetilla_kentta->text()))));
    varita_otsikot(kentta);
}

void TMain_form::varita_otsikot(QWidget* kohde) {
    if (!naytetty_) return;
    const Ulkoasu& u = a_.ulkoasu;
    auto vari = [](QLabel* l, Vari v) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, qvari(v));
        l->setPalette(p);
    };
    for (QLabel* l : centralWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) vari(l, u.paaikkuna_normaali);
    const int sivu = tk.nykyinen < tk.kortit.Count() ? tk.kortit[tk.nykyinen].nakyma : 0;
    for (auto [l, s] : {std::pair{Juoni, 0}, std::pair{Kommentit, 1}, std::pair{Extrat, 2}})
        vari(l, s == sivu ? u.paaikkuna_normaali : u.paaikkuna_himmennetty);
    vari(tiedosto, u.paaikkuna_alareuna);
    vari(Tietue_label, u.paaikkuna_alareuna);
    QWidget* f = QApplication::focusWidget();
    if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
    for (QWidget* w : {f, kohde})
        if (QLabel* l = w ? kentan_otsikko(w) : nullptr) vari(l, u.paaikkuna_korostettu);
}

void TMain_form::setfocus_eka_tyhja_kentta(int paikka) {
    const auto kentat = tabikentat();
    QWidget* f = QApplication::focusWidget();
    if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
    int nykyinen = ei_kenttaa;
    for (int i = 0; i <= 13; ++i)
        if (kentat[static_cast<std::size_t>(i)] == f) nykyinen = i;
    if (paikka != -1) {
        nykyinen = paikka;
        kirjoita_debug("setfocus_eka_tyhja_kentta: dd override!");
    }
    kirjoita_debug("[setfocus, current field] dd=" + std::to_string(nykyinen));
    std::array<bool, tabikenttia> tyhja{};
    for (int i = 0; i < tabikenttia; ++i) tyhja[static_cast<std::size_t>(i)] = teksti(kentat[static_cast<std::size_t>(i)]).isEmpty();
    const int kohde = eka_tyhja_kentta(tyhja, nykyinen);
    kirjoita_debug("[setfocus, destination field] ss=" + std::to_string(kohde));
    if (kohde >= 0) {
        QWidget* w = kentat[static_cast<std::size_t>(kohde)];
        if (w == sijainti_kentta) OnEnterDoHilight(sijainti_kentta);
        w->setFocus(Qt::OtherFocusReason);
    }
    // The enlarged text area lies over the field that would come next; the text area takes the focus.
    if (suurennettu_ && Kasikirjoitus_kentta->hasFocus()) Kommentti_Kentta->setFocus(Qt::OtherFocusReason);
    varita_otsikot();
}

void TMain_form::aseta_otsikot(bool pikanappaimet) {
    for (const Otsikkopari& o : kenttien_otsikot)
        if (auto* l = findChild<QLabel*>(o.nimio)) l->setText(fi(pikanappaimet ? o.pikanappain : o.tavallinen));
}

bool TMain_form::FormKeyDown(QKeyEvent* e) {
    const int avain = e->key();
    const auto mod = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    kirjoita_debug("Key=" + std::to_string(avain));
    if (mod == Qt::ControlModifier) aseta_otsikot(true);
    if (mod == Qt::ControlModifier && (avain == Qt::Key_Adiaeresis || avain == 222)) {
        aani_kentta->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (mod == Qt::ControlModifier && (avain == Qt::Key_Home || avain == Qt::Key_End)) {
        tk.nykyinen = avain == Qt::Key_Home ? 1 : tk.kortit.Count() - 1;
        update_fields();
        return true;
    }
    if (mod == (Qt::ControlModifier | Qt::AltModifier) && (avain == Qt::Key_Right || avain == Qt::Key_Left)) {
        siirry(avain == Qt::Key_Right ? 1 : -1);
        return true;
    }
    if (mod == Qt::NoModifier && avain == Qt::Key_F4) {
        nayta_jarjestys();
        return true;
    }
    if (avain == Qt::Key_F6) {
        uusi_kortti();
        return true;
    }
    if (avain == Qt::Key_F5) {
        poista_kortti();
        return true;
    }
    if (avain == Qt::Key_F2) {
        Lista_buttonUp(Qt::LeftButton);
        return true;
    }
    if (avain == Qt::Key_F3) {
        dosavefields();
        return true;
    }
    return false;
}

void TMain_form::FormKeyUp() {
    if (Nimi->text() == fi("Elokuvan &Nimi:")) aseta_otsikot(false);
}

bool TMain_form::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    switch (e->type()) {
        case QEvent::ShortcutOverride: {
            // The window's Ctrl shortcuts (open, undo, the field keys) win over the edit fields' own,
            // except copy, cut and paste.
            auto* k = static_cast<QKeyEvent*>(e);
            if ((k->modifiers() & Qt::ControlModifier) && !k->matches(QKeySequence::Copy) &&
                !k->matches(QKeySequence::Cut) && !k->matches(QKeySequence::Paste)) {
                e->ignore();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (FormKeyDown(k)) return true;
            // Only keys that type something count as editing: moving about a field changes nothing.
            const bool kirjoittaa = !k->text().isEmpty() && k->text() != "\t";
            if (kirjoittaa && on_kentta(o) && Oma_Keypress(w, k)) return true;
            if (kirjoittaa && o == Extra_info) tk.kortit.merkitse_muutetuksi();
            if (o == Kommentti_Kentta && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) return true;
            break;
        }
        case QEvent::KeyRelease: FormKeyUp(); break;
        case QEvent::FocusIn:
            if (on_kentta(o)) OnEnterDoHilight(w);
            if (o == custom_kentat_grid && nakyma_ != 2) aseta_nakyma(2);
            break;
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent*>(e)->reason() == Qt::PopupFocusReason || paivitetaan_) break;
            if (o == nimi_kentta) {
                const std::string nimi = cp(nimi_kentta->text());
                QMetaObject::invokeMethod(this, [this, nimi] {
                    if (hae_viitetiedot) hae_viitetiedot(nimi);
                }, Qt::QueuedConnection);
            } else if (on_kentta(o)) {
                processfields(w);
            }
            break;
        case QEvent::Show:
            // A combo box's list dropping down counts as entering its field.
            for (QComboBox* c : centralWidget()->findChildren<QComboBox*>())
                if (o == c->view()) OnEnterDoHilight(c);
            break;
        case QEvent::MouseButtonPress: {
            const auto* m = static_cast<QMouseEvent*>(e);
            for (int i = 1; i <= 9; ++i)
                if (o == Extra[static_cast<std::size_t>(i)]) tk.kortit.merkitse_muutetuksi();
            // The button still shows its press; it has no click of its own to run.
            if (o == edellinen_button || o == seuraava_button) siirry(o == edellinen_button ? -1 : 1, m->button());
            const std::pair<QLabel*, int> kuvakkeet[] = {
                {lista_and_info_icon, 0}, {lista_icon, 1}, {info_icon, 2}, {kansi_icon, 3}};
            for (const auto& [l, n] : kuvakkeet)
                if (o == l && m->button() == Qt::LeftButton) aseta_nakyma(n);
            if (o == auto_icon && m->button() == Qt::LeftButton) {
                automode->setChecked(!automode->isChecked());
                sovella_nakyma(true);
            }
            if (o == cover_image && m->button() == Qt::RightButton) {
                nayta_nakymavalikko(m->globalPosition().toPoint());
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (o == kansi_icon) nayta_iso_kansi();
            break;
        case QEvent::ContextMenu:
            if (auto* l = qobject_cast<QLabel*>(o); l && l->parentWidget() == centralWidget()) {
                nayta_tekstivalikko(l, static_cast<QContextMenuEvent*>(e)->globalPos());
                return true;
            }
            break;
        case QEvent::Wheel: {
            // The stars step the rating themselves; the text area and the grids scroll.
            if (o == arvosana_kuva) break;
            for (QWidget* vierittyva : {static_cast<QWidget*>(Muut_elokuvat_grid), static_cast<QWidget*>(custom_kentat_grid)})
                if (w && vierittyva->isAncestorOf(w)) return QMainWindow::eventFilter(o, e);
            const int delta = static_cast<QWheelEvent*>(e)->angleDelta().y();
            if (w && Kommentti_Kentta->isAncestorOf(w)) {
                rulla(Kommentti_Kentta, delta);
                break;
            }
            if (w && centralWidget()->isAncestorOf(w)) {
                rulla(o, delta);
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (o == Kommentti_Kentta->viewport()) suurenna_tekstialue_();
            else if (o == centralWidget() && suurennettu_) palauta_tekstialue();
            break;
        case QEvent::MouseButtonRelease:
            if (o == Kesto) kesto_klikattu();
            else if (o == Kasikirjoitus) kasikirjoitus_klikattu();
            else if ((o == Juoni || o == Kommentit || o == Extrat) &&
                     static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
                vaihda_sivu(o == Juoni ? 0 : o == Kommentit ? 1 : 2);
            else if (o == Lista_button)
                Lista_buttonUp(static_cast<QMouseEvent*>(e)->button());
            break;
        default: break;
    }
    return QMainWindow::eventFilter(o, e);
}

void TMain_form::nayta_nakymavalikko(const QPoint& kohta) {
    poista_kansikuva->setVisible(nakyma_ == 3 && cover_image->nayttaa_kannen());
    NakymaPopUp->popup(kohta);
}

void TMain_form::mousePressEvent(QMouseEvent* e) {
    const QPoint p = centralWidget()->mapFrom(this, e->position().toPoint());
    if (e->button() == Qt::RightButton && p.x() >= 468 && p.x() <= 651 && p.y() >= 217 && p.y() <= 360) {
        nayta_nakymavalikko(e->globalPosition().toPoint());
        return;
    }
    QMainWindow::mousePressEvent(e);
}

void TMain_form::wheelEvent(QWheelEvent* e) {
    rulla(this, e->angleDelta().y());
    e->accept();
}

void TMain_form::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TMain_form::dropEvent(QDropEvent* e) {
    std::vector<std::string> nimet;
    for (const QUrl& u : e->mimeData()->urls()) nimet.push_back(cp(u.toLocalFile()));
    e->acceptProposedAction();
    // The drop's own event must end before a catalogue is opened or a message box is shown.
    QMetaObject::invokeMethod(this, [this, nimet] { pudota(nimet); }, Qt::QueuedConnection);
}

void TMain_form::keyPressEvent(QKeyEvent* e) {
    if (!FormKeyDown(e)) QMainWindow::keyPressEvent(e);
}

void TMain_form::keyReleaseEvent(QKeyEvent* e) {
    FormKeyUp();
    QMainWindow::keyReleaseEvent(e);
}

void TMain_form::kesto_klikattu() {
    dosavefields();
    a_.minuutteina = !a_.minuutteina;
    update_fields();
}

void TMain_form::kasikirjoitus_klikattu() {
    dosavefields();
    Tmuuta_kentan_nimi_form f(tk, viestit_, this);
    f.exec();
    update_fields();
}

// ---------------------------------------------------------------------------------------------------------
// The other movies of the cassette, the view and the page

void TMain_form::rakenna_muut_elokuvat() {
    const MuutElokuvat m = muut_elokuvat(tk.kortit, tk.nykyinen);
    QTableWidget* g = Muut_elokuvat_grid;
    g->clearContents();
    muut_rivikartta.assign(1, MuutElokuvat::tyhja_rivi);
    auto solu = [g](int rivi, int sarake, const QString& t) {
        auto* i = new QTableWidgetItem(t);
        i->setFlags(rivi == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        g->setItem(rivi, sarake, i);
    };
    if (m.liikaa) {
        g->setRowCount(2);
        solu(0, 0, fi("TOIMINTO EI OLE KÄYTÖSSÄ"));
        solu(0, 1, QString());
        solu(1, 0, fi("syy: ei kas./levyjen numerointia"));
        solu(1, 1, "0");
        muut_rivikartta.push_back(MuutElokuvat::tyhja_rivi);
    } else {
        g->setRowCount(static_cast<int>(m.rivit.size()) + 1);
        solu(0, 0, q(m.otsake));
        solu(0, 1, "S");
        for (std::size_t r = 0; r < m.rivit.size(); ++r) {
            solu(static_cast<int>(r) + 1, 0, q(m.rivit[r].nimi));
            solu(static_cast<int>(r) + 1, 1, q(m.rivit[r].sijainti));
            muut_rivikartta.push_back(m.rivit[r].indeksi);
        }
    }
    QFont lihava = g->font();
    lihava.setBold(true);
    for (int c = 0; c < 2; ++c)
        if (g->item(0, c)) g->item(0, c)->setFont(lihava);
    if (g->rowCount() > 1) g->selectRow(m.liikaa ? 1 : m.valittu);
    mitoita_ruudukot();
}

void TMain_form::mitoita_ruudukot() {
    QTableWidget* g = Muut_elokuvat_grid;
    if (nakyma_ == 0) {
        int k = 1;
        for (int r = 0; r < 9; ++r) {
            const auto* a = custom_kentat_grid->item(r, 0);
            const auto* b = custom_kentat_grid->item(r, 1);
            if (a && b && !a->text().isEmpty() && !b->text().isEmpty()) k = r + 1;
        }
        kirjoita_debug("zz=" + std::to_string(k));
        const int korkeus = muiden_elokuvien_korkeus(g->rowCount(), k);
        kirjoita_debug("height=" + std::to_string(korkeus));
        g->setGeometry(467, 216, 185, korkeus);
        custom_kentat_grid->setGeometry(467, 216 + korkeus - 3, 185, 362 - (216 + korkeus - 3));
        custom_kentat_grid->scrollToTop();
    } else {
        g->setGeometry(467, 216, 185, 147);
        custom_kentat_grid->setGeometry(467, 216, 185, 147);
    }
    const bool kaikki_nakyvat = g->rowCount() * 16 + 3 <= g->height();
    g->setVerticalScrollBarPolicy(kaikki_nakyvat ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    g->setColumnWidth(0, kaikki_nakyvat ? 166 : 152);
    g->setColumnWidth(1, 14);
    const auto valitut = g->selectionModel()->selectedRows();
    if (!valitut.isEmpty()) g->scrollToItem(g->item(valitut.first().row(), 0));
}

bool TMain_form::automaattinen() const { return automode->isChecked(); }

void TMain_form::aseta_nakyma(int n) {
    n = std::clamp(n, 0, 3);
    rastita_nakyma(nakymaryhma, n);
    sovella_nakyma(false);
    if (n == 0) Muut_elokuvat_grid->setFocus(Qt::OtherFocusReason);
    if (n == 3) update_fields();
}

void TMain_form::sovella_nakyma(bool kortti_naytetty) {
    if (kortti_naytetty) {
        if (!automaattinen()) {
            nayta_kuvakkeet();
            return;
        }
        // The movies are counted on the cassette of the card just shown, not of the one before it.
        const TKortti& k = tk.kortit[tk.nykyinen];
        const MuutElokuvat m = muut_elokuvat(tk.kortit, tk.nykyinen);
        const int rivit = m.liikaa ? 0 : static_cast<int>(m.rivit.size()) + 1;
        const int valittu = static_cast<int>(automaattinen_nakyma(rivit, !k.cover_fn.empty()));
        rastita_nakyma(nakymaryhma, valittu);
    }
    nakyma_ = nakymaryhma->checkedAction() ? nakymaryhma->checkedAction()->data().toInt() : 0;
    a_.nakyma_mode = nakyma_;
    Muut_elokuvat_grid->setVisible(nakyma_ == 0 || nakyma_ == 1);
    custom_kentat_grid->setVisible(nakyma_ == 0 || nakyma_ == 2);
    cover_image->setVisible(nakyma_ == 3);
    if ((nakyma_ == 0 || nakyma_ == 1) && tk.kortit.Count() > 1) rakenna_muut_elokuvat();
    else mitoita_ruudukot();
    nayta_kuvakkeet();
}

void TMain_form::nayta_kuvakkeet() {
    auto aseta = [this](QLabel* l, Ikoni i, bool kirkas) {
        const QImage& kuva = ikonit_[static_cast<std::size_t>(i)];
        l->setPixmap(QPixmap::fromImage(kirkas && !kuva.isNull() ? korostettu(kuva, a_.ulkoasu.icon_korostus) : kuva));
    };
    const bool kortti = tk.nykyinen >= 1 && tk.nykyinen < tk.kortit.Count();
    bool lisatietoja = false, kansi = false;
    if (kortti) {
        const TKortti& k = tk.kortit[tk.nykyinen];
        kansi = !k.cover_fn.empty();
        for (std::size_t i = 1; i <= 8; ++i) lisatietoja = lisatietoja || !k.lisatieto_nimi[i].empty() || !k.lisatieto[i].empty();
    }
    aseta(auto_icon, Ikoni::auto_icon, automaattinen());
    aseta(lista_and_info_icon, Ikoni::lista_info_icon, nakyma_ == 0);
    aseta(lista_icon, Ikoni::lista_icon, nakyma_ == 1);
    aseta(info_icon, isVisible() && lisatietoja ? Ikoni::info_available_icon : Ikoni::info_icon, nakyma_ == 2);
    aseta(kansi_icon, isVisible() && kansi ? Ikoni::kansi_available_icon : Ikoni::kansi_icon, nakyma_ == 3);
}

void TMain_form::vaihda_sivu(int sivu) {
    // The text area's text goes into the field of the page being left.
    dosavefields();
    aseta_sivu(sivu, false);
    if (sivu < 2) Kommentti_Kentta->setFocus(Qt::OtherFocusReason);
}

void TMain_form::nayta_tekstivalikko(QLabel* otsikko, const QPoint& kohta) {
    const int sivu = otsikko == Juoni ? 0 : otsikko == Kommentit ? 1 : otsikko == Extrat ? 2 : -1;
    static constexpr const char* nimet[] = {" juoni", " kommentit", " extrat"};
    aseta_def_nakymaksi->setVisible(sivu >= 0);
    if (sivu >= 0) {
        aseta_def_nakymaksi->setText(fi("Aseta kortin oletusnäkymäksi ") + fi(nimet[sivu]));
        aseta_def_nakymaksi->setData(sivu);
    }
    Sort4Nouseva->setVisible(sivu <= 0);
    Sort4Laskeva->setVisible(sivu <= 0);
    TextPopup->popup(kohta);
}

void TMain_form::aseta_sivu(int sivu, bool paivita) {
    if (tk.nykyinen < 1 || tk.nykyinen >= tk.kortit.Count()) return;
    TKortti& k = tk.kortit[tk.nykyinen];
    sivu = std::clamp(sivu, 0, 2);
    k.nakyma = sivu;
    extrat_panel->setVisible(sivu == 2);
    Kommentti_Kentta->setVisible(sivu != 2);
    Lainassa->setVisible(sivu != 2);
    if (sivu < 2 && !paivita) update_fields();
    varita_otsikot();
}

// ---------------------------------------------------------------------------------------------------------
// The File menu

bool TMain_form::nimi_annettu() {
    if (!nimi_kentta->text().isEmpty()) return true;
    piippaa();
    nimi_kentta->setText(fi(syota_nimi));
    nimi_kentta->setFocus(Qt::OtherFocusReason);
    nimi_kentta->selectAll();
    return false;
}

void TMain_form::kysy_tallennus() {
    if (!tk.kortit.muutettu) return;
    if (viestit_.kysy(diag::Laji::Tieto, "Tietokantaa on muuteltu, tallennetaanko muutokset?") != diag::Vastaus::Kylla)
        return;
    dosavefields();
    tallenna_nykyiseen();
}

bool TMain_form::tallenna_nykyiseen() {
    // A catalogue that never got a file (its open failed) is saved under a name the user chooses.
    if (tk.tiedosto.empty()) {
        const QString nimi = valitse_tallennettava();
        palaa_ohjelmakansioon();
        if (nimi.isEmpty()) return false;
        return tallenna_tietokanta(cp(nimi), varasto);
    }
    return tallenna_tietokanta(tk.tiedosto, varasto);
}

bool TMain_form::avaa_tietokanta(const std::string& nimi) {
    const bool ok = lue_tietueet(nimi, false, false, tk.kortit, varasto);
    tk.nykyinen = 1;
    nayta_kortti_uudelleen();
    return ok;
}

void TMain_form::luo_tietokanta(const std::string& nimi) {
    tk.tiedosto = nimi;
    tk.tyhjenna();
    tk.kortit.lisaa_uusi().nimi = syota_nimi;
    tallenna_tietokanta(nimi, varasto);
    nayta_kortti_uudelleen();
    nimi_kentta->setFocus(Qt::OtherFocusReason);
    nimi_kentta->selectAll();
}

void TMain_form::palaa_ohjelmakansioon() {
    if (QDir::setCurrent(QFile::decodeName(kansio_.juuri().c_str()))) return;
    viestit_.virhe("Ohjelma ei päässyt hakemistoonsa (Bugi?), lopetetaan ohjelma... tiedossa ongelmia..");
    QApplication::exit(1);
}

void TMain_form::Uusi_MenuClick() {
    for (;;) {
        const QString nimi = valitse_avattava(fi("Uusi tietokanta"));
        palaa_ohjelmakansioon();
        if (nimi.isEmpty()) return;
        kysy_tallennus();
        if (fs::exists(kansio_.polku(cp(nimi)))) {
            viestit_.varoitus("Tiedosto on jo olemassa, syötä uusi tiedoston nimi");
            continue;
        }
        luo_tietokanta(cp(nimi));
        return;
    }
}

void TMain_form::Avaa_MenuClick() {
    himmenna_tausta();
    const QString nimi = valitse_avattava(fi("Avaa tietokanta"));
    palaa_ohjelmakansioon();
    if (!nimi.isEmpty()) {
        kysy_tallennus();
        const std::string n = cp(nimi);
        if (fs::exists(kansio_.polku(n))) {
            avaa_tietokanta(n);
        } else if (viestit_.kysy(diag::Laji::Tieto, "Tiedostoa ei löydy,\nluodaanko uusi tietokanta syöttämälläsi nimellä?") ==
                   diag::Vastaus::Kylla) {
            luo_tietokanta(n);
        }
    }
    update_fields();
    palauta_tausta();
}

void TMain_form::Tallenna_MenuClick() {
    if (!nimi_annettu()) return;
    dosavefields();
    tallenna_nykyiseen();
    update_fields();
    if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier)) FormKeyUp();
}

void TMain_form::Tallenna_nimellaClick() {
    if (!nimi_annettu()) return;
    dosavefields();
    himmenna_tausta();
    const QString nimi = valitse_tallennettava();
    palaa_ohjelmakansioon();
    if (!nimi.isEmpty()) tallenna_tietokanta(cp(nimi), varasto);
    palauta_tausta();
    update_fields();
}

void TMain_form::TalennanimellasetuksetClick() {
    if (!nimi_annettu()) return;
    dosavefields();
    Tsave_with_options_form f(varasto, [this] {
        const QString nimi = valitse_tallennettava();
        palaa_ohjelmakansioon();
        return nimi;
    }, this);
    f.exec();
    update_fields();
}

void TMain_form::Quick_avaaPopup() {
    const std::vector<std::string> nimet = listaa_tietokannat(kansio_);
    kirjoita_debug("Pika avaa: haetaan " + polku_tekstiksi(kansio_.juuri()) + "/*.rkb");
    for (std::size_t i = 0; i < nimet.size() && i < Tiedosto.size(); ++i) {
        Tiedosto[i]->setText(hyvaksy_nimi(q(nimet[i])));
        Tiedosto[i]->setData(q(nimet[i]));
        Tiedosto[i]->setVisible(true);
    }
}

void TMain_form::Tiedosto_Click(int i) {
    kysy_tallennus();
    // The name is kept beside the caption, so a name with "&" opens as it is.
    avaa_tietokanta(cp(Tiedosto[static_cast<std::size_t>(i)]->data().toString()));
}

void TMain_form::avaa_ohje(const char* nimi) {
    const fs::path p = kansio_.polku(nimi);
    if (!avaa_osoite(QUrl::fromLocalFile(QFile::decodeName(p.c_str()))))
        viestit_.virhe("Tiedoston käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. "
                       "Internet Explorer) avataksesi tämän dokumentin.");
}

// ---------------------------------------------------------------------------------------------------------
// Card moves

void TMain_form::uusi_kortti() {
    if (!nimi_annettu()) return;
    dosavefields();
    lisaa_uusi_kortti(tk);
    varasto.paivita_lista();
    update_fields();
    const std::pair<QComboBox*, const std::string*> oletukset[] = {
        {maa_kentta, &a_.maa_kentta_oletus},         {aani_kentta, &a_.aani_kentta_oletus},
        {formaatti_kentta, &a_.Nopeus_kentta_oletus}, {kuvasuhde_kentta, &a_.kuvasuhde_kentta_oletus},
        {vari_kentta, &a_.Vari_Kentta_oletus}};
    for (const auto& [c, arvo] : oletukset)
        if (c->currentText().isEmpty()) aseta_teksti(c, *arvo);
    formaatti_poistuttu();
    TKortti& k = tk.kortit[tk.nykyinen];
    for (int i = 0; i < 4; ++i) {
        k.lisatieto_nimi[static_cast<std::size_t>(i + 1)] = a_.custom_default(i);
        custom_kentat_grid->setItem(i + 1, 0, new QTableWidgetItem(q(a_.custom_default(i))));
    }
    Kasikirjoitus->setText(fi("Käsikirjoitus:"));
    // Search results do not hold the new card; the whole list does, with it selected.
    if (lista.haku()) {
        Listaikkuna::tee(lista.sulje);
    } else {
        Listaikkuna::tee(lista.rakenna);
        Listaikkuna::tee(lista.seuraa_valintaa);
    }
    dosavefields();
    nimi_kentta->setFocus(Qt::OtherFocusReason);
}

void TMain_form::siirry(int suunta, Qt::MouseButton nappi) {
    if (!nimi_annettu()) return;
    dosavefields();
    if (nappi == Qt::LeftButton && lista.auki() && lista.haku()) {
        // Search results are browsed in their own order, row by row of the list window.
        if (!lista.siirry_riville || !lista.siirry_riville(suunta)) piippaa();
        return;
    }
    if (nappi == Qt::LeftButton || nappi == Qt::RightButton) {
        const Siirto s = nappi == Qt::LeftButton ? siirry_kortti(tk, suunta) : siirry_kasetti(tk, suunta);
        if (s == Siirto::Reunalla) piippaa();
    }
    if (!lista.haku()) Listaikkuna::tee(lista.seuraa_valintaa);
    update_fields();
}

void TMain_form::nayta_kortti_uudelleen() {
    update_fields();
    peruutus.ota(tk);
}

void TMain_form::poista_kortti() {
    const bool poistetaan =
        viestit_.kysy(diag::Laji::Vahvistus, "Haluatko varmasti poistaa tämän kortin?") == diag::Vastaus::Kylla;
    if (poistetaan) poista_nykyinen_kortti(tk, kansio_);
    if (lista.haku() && lista.auki()) Listaikkuna::tee(lista.sulje);
    else Listaikkuna::tee(lista.rakenna);
    // Another card now sits at this index: undo must not put the deleted one over it.
    if (poistetaan) nayta_kortti_uudelleen();
    else update_fields();
}

void TMain_form::kopioi_korttiClick() { korttimuisti.kopioi(tk.kortit[tk.nykyinen], kansio_, viestit_); }

void TMain_form::Liita_korttiClick() {
    // The card being left keeps what was typed into it.
    dosavefields();
    if (!korttimuisti.liita(tk, kansio_, viestit_)) return;
    varasto.paivita_lista();
    update_fields();
}

void TMain_form::menu_undoClick() {
    peruutus.kumoa(tk, kansio_, viestit_);
    update_fields();
}

void TMain_form::pudota(const std::vector<std::string>& nimet) {
    dosavefields();
    if (pudota_tiedostot(nimet, tk, kansio_, viestit_) == Pudotus::Tietokanta) {
        kysy_tallennus();
        avaa_tietokanta(nimet[0]);
        peruutus.ota(tk);
    }
    update_fields();
}

void TMain_form::rulla(QObject* kohde, int delta) {
    kirjoita_debug("WheelDelta=" + std::to_string(delta));
    if (delta == 0) return;
    if (kohde == Kommentti_Kentta) {
        Kommentti_Kentta->setFocus(Qt::MouseFocusReason);
        return;
    }
    dosavefields();
    QWidget* f = QApplication::focusWidget();
    if (f == nimi_kentta || f == paanayttelijat_kentta) {
        siirry(delta > 0 ? -1 : 1);
        return;
    }
    update_fields();
}

void TMain_form::Lista_buttonUp(Qt::MouseButton nappi) {
    if (!nimi_annettu()) return;
    dosavefields();
    if (lista.aseta_muoto && (nappi == Qt::LeftButton || nappi == Qt::RightButton))
        lista.aseta_muoto(nappi == Qt::RightButton);
    if (lista.haku()) {
        const int valinta = kysy_kumpi_lista();
        if (valinta == Tkumpi_lista_form::Peruuta) return;
        if (valinta == Tkumpi_lista_form::Hakutulos) return Listaikkuna::tee(lista.nayta_hakutulokset);
    }
    Listaikkuna::tee(lista.nayta_kaikki);
}

void TMain_form::sijoita_lista_viereen(QWidget* listaikkuna) {
    const int vasen = screen() ? screen()->availableGeometry().left() : 0;
    const Vierekkain v = liitetyn_listan_paikka(x() - vasen, listaikkuna->frameGeometry().width());
    listaikkuna->move(vasen + v.lista_x, y());
    move(vasen + v.paa_x, y());
}

void TMain_form::etsi_buttonClick() {
    if (!nimi_annettu()) return;
    dosavefields();
    himmenna_tausta();
    if (etsi_ikkuna) etsi_ikkuna();
    palauta_tausta();
}

void TMain_form::aseta_arvosana(int arvosana) {
    TKortti& k = tk.kortit[tk.nykyinen];
    const std::string uusi = std::to_string(std::clamp(arvosana, 0, 10));
    // A rating is a change of the card like typing: the save question must not forget it.
    if (uusi != k.arvosana) tk.kortit.merkitse_muutetuksi();
    k.arvosana = uusi;
    arvosana_kuva->aseta_arvosana(arvosana);
}

void TMain_form::nayta_iso_kansi() {
    while (cover_image->lataus_kesken()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    TKortti& k = tk.kortit[tk.nykyinen];
    // The picture is looked for on disk, so the large cover opens from the list views too.
    if (!k.cover_fn.empty()) pura_kansi(k, varasto);
    if (!k.cover_fn.empty() && !kansikuva_olemassa(kansio_, k.cover_fn)) {
        viestit_.virhe("VIRHE: Tiedostoa \"" + k.cover_fn + "\" ei löydy, poistetaan kansikuva..");
        k.cover_fn.clear();
        tk.kortit.merkitse_muutetuksi();
        nayta_kuvakkeet();
    }
    if (k.cover_fn.empty()) {
        viestit_.tieto("Kortti ei sisällä elokuvan kansikuvaa, voit liittää korttiin kansikuvan\n"
                       "raahaamalla tiedoston (.gif tai .jpg) ohjelmaikkunaan");
        return;
    }
    Tcover_form f(varasto, {[this] { update_fields(); }, piippaa}, this);
    if (f.lataa_kansi()) nayta_dialogi(f);
}

void TMain_form::poista_kansikuvaClick() {
    TKortti& k = tk.kortit[tk.nykyinen];
    if (k.cover_fn.empty() || !kansikuva_olemassa(kansio_, k.cover_fn)) return;
    if (!kansi_jaettu(tk.kortit, tk.nykyinen)) poista_kortin_kansi(kansio_, k);
    k.cover_fn.clear();
    tk.kortit.merkitse_muutetuksi();
    update_fields();
}

void TMain_form::suurenna_tekstialue_() {
    const std::string teksti = cp(Kommentti_Kentta->toPlainText());
    if (!suurenna_tekstialue(teksti)) return;
    const bool kommentit = tk.kortit[tk.nykyinen].nakyma == 1;
    for (QLabel* l : {Lainassa, Extrat, Kasikirjoitus, kommentit ? Juoni : Kommentit}) l->hide();
    (kommentit ? Kommentit : Juoni)->move(4, 248);
    Kommentti_Kentta->setGeometry(kentan_x, 248, 340, 114);
    Kommentti_Kentta->raise();
    Kommentti_Kentta->setVerticalScrollBarPolicy(teksti.size() > vierityspalkin_raja ? Qt::ScrollBarAlwaysOn
                                                                                     : Qt::ScrollBarAlwaysOff);
    if (QApplication::focusWidget() == Kasikirjoitus_kentta) {
        dosavefields();
        Kommentti_Kentta->setFocus(Qt::OtherFocusReason);
    }
    suurennettu_ = true;
}

void TMain_form::palauta_tekstialue() {
    Juoni->move(4, 280);
    Kommentit->move(4, 296);
    for (QLabel* l : {Juoni, Kommentit, Lainassa, Kasikirjoitus}) l->show();
    nayta_extrat();
    Kommentti_Kentta->setGeometry(kentan_x, 280, 340, 49);
    Kommentti_Kentta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    suurennettu_ = false;
}

void TMain_form::siirry_korttiin(int indeksi) {
    tk.nykyinen = indeksi;
    update_fields();
}

void TMain_form::nayta_jarjestys() {
    if (!sort_form) return;
    himmenna_tausta();
    sort_form->exec();
    palauta_tausta();
    if (lista.auki()) {
        Listaikkuna::tee(lista.rakenna);
        Listaikkuna::tee(lista.seuraa_valintaa);
    }
    nayta_kortti_uudelleen();
}

// ---------------------------------------------------------------------------------------------------------
// Look, show and close

void TMain_form::ota_ulkoasu(const Ulkoasu& u) {
    tausta_ = lataa_kuva(u.tausta1);
    arvosana_kuva->aseta_kuvat(u.tahdet, u.tahdet2);
    for (int i = 0; i < ikoneita; ++i)
        ikonit_[static_cast<std::size_t>(i)] = lataa_kuva(u.ikoni(static_cast<Ikoni>(i))).toImage();
    nayta_kuvakkeet();
    // The extras label sits on the extras colour, not on the background picture the label colours suit.
    QPalette p = dvdinfo_label->palette();
    p.setColor(QPalette::WindowText, qvari(u.extrat).lightness() > 128 ? Qt::black : Qt::white);
    dvdinfo_label->setPalette(p);
    const std::pair<QPushButton*, Nappi> napit[] = {
        {Lista_button, Nappi::Lista},       {etsi_button, Nappi::Etsi},         {poista_kortti_button, Nappi::Poista},
        {uusi_kortti_button, Nappi::Uusi},  {Jarjesta_button, Nappi::Jarjesta}, {edellinen_button, Nappi::Edellinen},
        {seuraava_button, Nappi::Seuraava}};
    for (const auto& [b, n] : napit) {
        const QPixmap kuva = lataa_kuva(u.nappi(n));
        if (kuva.isNull()) continue;
        b->setIcon(kuva);
        b->setIconSize(kuva.size());
        b->setText(QString());
        b->setFlat(true);
        b->resize(kuva.size());
    }
    // The buttons take the size of their pictures: five from the left edge, previous and next at the right.
    int x = 8;
    for (QPushButton* b : {Lista_button, etsi_button, Jarjesta_button, poista_kortti_button, uusi_kortti_button}) {
        b->move(x, 6);
        x += b->width() + 2;
    }
    seuraava_button->move(652 - seuraava_button->width(), 6);
    edellinen_button->move(seuraava_button->x() - 2 - edellinen_button->width(), 6);
    varita_otsikot();
    update();
}

void TMain_form::paintEvent(QPaintEvent* e) {
    if (!tausta_.isNull()) {
        QPainter p(this);
        p.drawPixmap(centralWidget()->pos(), tausta_);
    }
    QMainWindow::paintEvent(e);
}

void TMain_form::himmenna_tausta() {
    if (!a_.himmenna_taustakuva || tausta_.isNull()) return;
    tausta_talteen_ = tausta_;
    QImage kuva = tausta_.toImage().convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < kuva.height(); ++y) himmenna(kuva.scanLine(y), static_cast<std::size_t>(kuva.width()) * 3);
    tausta_ = QPixmap::fromImage(kuva);
    repaint();
}

void TMain_form::palauta_tausta() {
    if (!a_.himmenna_taustakuva || tausta_talteen_.isNull()) return;
    tausta_ = tausta_talteen_;
    tausta_talteen_ = QPixmap();
    repaint();
}

void TMain_form::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (naytetty_) return;
    naytetty_ = true;
    update_fields();
    // The view the settings remember, without the focus move a user's choice of list and info makes.
    const int alku = a_.nakyma() >= 0 ? a_.nakyma() : 0;
    rastita_nakyma(nakymaryhma, alku);
    sovella_nakyma(false);
    if (alku == 3) update_fields();
    varita_otsikot();
}

void TMain_form::lopeta() {
    if (lopetettu_) return;
    lopetettu_ = true;
    a_.nakyma_mode = nakyma_;
    Kirjoita_ini(a_, y_);
    Timer2->stop();
    kysy_tallennus();
    tk.tyhjenna();
    poista_kannet(kansio_);
    Korttimuisti::poista_kopiokuvat(kansio_);
}

void TMain_form::closeEvent(QCloseEvent* e) {
    lopeta();
    if (debug_form) debug_form->close();
    if (sort_form) sort_form->close();
    e->accept();
}
