#include "mainwindow/ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <filesystem>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "find/listan_paikka.h"
#include "mainwindow/nakymat.h"
#include "mainwindow/ui/kiitokset_form.h"
#include "mainwindow/ui/korttinakyma.h"
#include "mainwindow/ui/kumpi_lista_form.h"
#include "mainwindow/ui/otsikkovalikko.h"
#include "mainwindow/ui/sivupaneeli.h"
#include "mainwindow/ui/tahdet.h"
#include "mainwindow/ui/tiedostovalikko.h"
#include "mainwindow/ui/tilastot_ikkuna.h"
#include "perus/versio.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kentat.h"
#include "storage/kenttasaannot.h"

namespace fs = std::filesystem;

namespace {

// The editing keys a text field keeps for itself while it has the focus: select all, copy, cut and paste
// always; undo while the field has typing of its own to undo, else the window's undo of the card.
bool kentan_muokkausnappain(const QWidget* w, const QKeyEvent* k) {
    const QLineEdit* rivi = qobject_cast<const QLineEdit*>(w);
    if (auto* c = qobject_cast<const QComboBox*>(w)) rivi = c->isEditable() ? c->lineEdit() : nullptr;
    const auto* alue = qobject_cast<const QPlainTextEdit*>(w);
    if ((!rivi || rivi->isReadOnly()) && (!alue || alue->isReadOnly())) return false;
    for (const QKeySequence::StandardKey n : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                                              QKeySequence::Paste})
        if (k->matches(n)) return true;
    if (!k->matches(QKeySequence::Undo)) return false;
    return rivi ? rivi->isUndoAvailable() : alue->document()->isUndoAvailable();
}

constexpr const char* kotisivu = "http://www.rullakko.net/";

}  // namespace

TMain_form::TMain_form(const Ohjelmakansio& kansio, TAsetukset& asetukset, const Asetusymparisto& ymparisto,
                       diag::Viestit& viestit, diag::Kiire& kiire, Tyopoyta& tyopoyta, Muut_ikkunat& muut,
                       Ulkoasusovitin& sovitin, QWidget* parent)
    : QMainWindow(parent),
      varasto_{tk_, kansio, ymparisto.tiedostot, *this, viestit, kiire, &asetukset},
      kansio_(kansio),
      a_(asetukset),
      y_(ymparisto),
      viestit_(viestit),
      tyopoyta_(tyopoyta),
      muut_(muut),
      sovitin_(sovitin) {
    setObjectName("Main_form");
    setWindowTitle(fi(ohjelman_otsikko));
    setAcceptDrops(true);

    tee_alue();
    tee_valikot();
    // The card has a fixed layout that the skins' background pictures are drawn for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(&muutokset_, &Korttimuutokset::kortit_muuttuivat, sivu_, &Sivupaneeli::kortit_muuttuivat);
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
    auto valikko = [this](const char* nimi, const char* otsikko) {
        QMenu* m = menuBar()->addMenu(fi(otsikko));
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
    // Items that another subsystem connects.
    auto muun = [&](Toiminto t, QMenu* m, const char* nimi, const char* otsikko, QKeySequence pika = {}) {
        return toiminnot_.rekisteroi(t, kohta(m, nimi, otsikko, pika));
    };

    Developer_menu = new QMenu(fi("Debug / Developer"), this);
    Developer_menu->setObjectName("Developer_menu");
    tiedostot_ = new Tiedostovalikko(*this, *kortti_, toiminnot_, menuBar(), Developer_menu);

    MuokkaaMenu = valikko("MuokkaaMenu", "&Muokkaa");
    QAction* undo = kohta(MuokkaaMenu, "menu_undo", "Kumoa korttiin tehdyt muutokset", QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* kopioi = kohta(MuokkaaMenu, "kopioi_kortti", "Kopioi kortti muistiin");
    Liita_kortti = kohta(MuokkaaMenu, "Liita_kortti", "Liitä kortti");
    Liita_kortti->setEnabled(false);
    // A copied card is pasted once: the item is offered only while a copy waits.
    connect(MuokkaaMenu, &QMenu::aboutToShow, this, [this] { Liita_kortti->setEnabled(korttimuisti_.on_kopio()); });
    connect(undo, &QAction::triggered, this, &TMain_form::menu_undoClick);
    connect(kopioi, &QAction::triggered, this, &TMain_form::kopioi_korttiClick);
    connect(Liita_kortti, &QAction::triggered, this, &TMain_form::Liita_korttiClick);

    QMenu* Toiminnot = valikko("Toiminnot", "T&oiminnot");
    muun(Toiminto::Lainaa_kasetti, Toiminnot, "Lainaakasetti1", "&Lainaa / Palauta elokuva, listaa lainatut elokuvat",
         QKeySequence(Qt::CTRL | Qt::Key_L));
    muun(Toiminto::Lainaajaprofiilit, Toiminnot, "Lainaajaprofiilit1", "Lainaajaprofiilit");
    muun(Toiminto::Tarkista_myohastyneet, Toiminnot, "Tarkistamyhstyneitelokuvia1",
         "Tarkista löytyykö pitkään lainassa olleita elokuvia");
    muun(Toiminto::Nauhatilanne, Toiminnot, "tyhjaa_nauhaa", "Nauhatilanne / Etsi tyhjää nauhaa");
    Toiminnot->addSeparator();
    // Nothing offers the update yet: the item stays unavailable.
    QAction* paivitys = kohta(Toiminnot, "menu_update", "&Päivitä tietokanta Internetistä uusimpaan versioon");
    paivitys->setEnabled(false);
    paivitys->setToolTip(fi("Toiminto ei ole vielä käytössä, ehkä tulevaisuudessa?"));
    muun(Toiminto::Taydenna_viitetiedoista, Toiminnot, "taydenna_tietokanta_paremmin",
         "Päivitä kortit ajantasalle ohjelman tietokannasta");
    Toiminnot->addSeparator();
    connect(kohta(Toiminnot, "Asetukset", "&Ohjelman asetukset"), &QAction::triggered, this, [this] {
        nayta_asetukset(-1);
    });
    Toiminnot->addSeparator();
    muun(Toiminto::Laheta_palaute, Toiminnot, "LahetaSahkopostiaTekijalle", "Lähetä palautetta ohjelman tekijälle");
    muun(Toiminto::Laheta_tietokanta, Toiminnot, "laheta_tietokanta_emaililla",
         "Lähetä tämä tietokanta sähköpostilla osoitteeseen...");
    connect(kohta(Toiminnot, "siirry_kotisivuille_menu", "Siirry ohjelman kotisivuille"), &QAction::triggered, this, [this] {
        if (!tyopoyta_.avaa_osoite(QUrl(QString::fromLatin1(kotisivu))))
            viestit_.virhe("Selaimen käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. "
                           "Internet Explorer) avataksesi tämän dokumentin.");
    });

    QMenu* Tulosta1 = valikko("Tulosta1", "T&ulosta");
    muun(Toiminto::Tulosta_tarrat, Tulosta1, "TTarrat", "&Tulosta kasettien tarroja");
    muun(Toiminto::Tulosta_lista, Tulosta1, "TulostaLista1", "Tulosta elokuva&lista");
    connect(kohta(Tulosta1, "TulostimenAsetukset1", "Tulostimen a&setukset"), &QAction::triggered, this, [this] {
        himmenna_tausta();
        if (!tyopoyta_.tulostin_olemassa()) {
            viestit_.virhe("Ohjelma ei löydä tulostinta!");
        } else {
            QPrinter tulostin;
            QPrintDialog PrinterSetupDialog(&tulostin, this);
            PrinterSetupDialog.setObjectName("PrinterSetupDialog");
            tyopoyta_.nayta_dialogi(PrinterSetupDialog);
        }
        palauta_tausta();
    });

    QMenu* Imdb_menu = valikko("Imdb_menu", "Imdb");
    muun(Toiminto::Etsi_imdbsta, Imdb_menu, "EtsitmnkortintiedotIMDBst1",
         "&Etsi tämän kortin tiedot Internet Movie Databasesta", QKeySequence(Qt::CTRL | Qt::Key_E));
    muun(Toiminto::Nayta_imdbssa, Imdb_menu, "nayta_imdbsta", "Näytä elokuvan sivu Internet Movie Databasessa");
    muun(Toiminto::Muokkaa_imdb_numeroa, Imdb_menu, "edit_imdbnum", "Muokkaa elokuvan Imdb-numeroa");
    // The choose view's tip sends the user here by this name.
    muun(Toiminto::Hae_puuttuvat_kannet, Imdb_menu, "HaekaikilleImdbstnoudetuillekorteillekansikuvat1",
         "Hae puuttuvat kansikuvat");
    muun(Toiminto::Hae_kansi, Imdb_menu, "Hae_Kansi", "Hae kansikuva")->setCheckable(true);

    QMenu* Help1 = valikko("Help1", "&Ohjeet");
    connect(kohta(Help1, "Lueminut_html", "&Lueminut"), &QAction::triggered, this, [this] { avaa_ohje("lueminut.html"); });
    connect(kohta(Help1, "emailaa_html", "&Emailaa"), &QAction::triggered, this, [this] { avaa_ohje("emailaa.html"); });
    connect(kohta(Help1, "historia_html", "&Historia"), &QAction::triggered, this, [this] { avaa_ohje("historia.html"); });
    Help1->addSeparator();
    connect(kohta(Help1, "Kiitokset1", "Kiitokset"), &QAction::triggered, this, [this] { nayta_kiitokset(false); });
    connect(kohta(Help1, "Pikanappaimet_menu", "Pikanäppäimet", QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            [this] { nayta_kiitokset(true); });
    connect(kohta(Help1, "statistics", "Tietoa tästä tietokannasta"), &QAction::triggered, this,
            [this] { nayta_tilastot(*this); });

    menuBar()->addMenu(Developer_menu);
    Developer_menu->menuAction()->setVisible(false);
    QAction* debuggeri = kohta(Developer_menu, "NaytaDebuggeri", "Näytä Debug infot", QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(debuggeri, &QAction::triggered, this, [this] { muut_.nayta_debuggeri(); });
    muun(Toiminto::Poista_tuplat, Developer_menu, "remove_dupes", "Remove dupe entries && clean");
    // The old-catalogue import sits between these two; the File menu's class added it.
    Developer_menu->addAction(findChild<QAction*>("avaa_wanhatietokanta"));
    QAction* kehittaja = kohta(Developer_menu, "DeveloperMode1", "Developer Mode", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    kehittaja->setVisible(false);
    // A hidden item's own shortcut never fires, so the window carries the key for it.
    auto* pika = new QShortcut(kehittaja->shortcut(), this);
    connect(pika, &QShortcut::activated, kehittaja, &QAction::trigger);
    connect(kehittaja, &QAction::triggered, this, [this] { Developer_menu->menuAction()->setVisible(true); });
}

void TMain_form::nayta_kiitokset(bool pikanappaimet) {
    Tkiitokset_form f(asetukset().ulkoasu, varasto_.tj(), this);
    if (pikanappaimet) f.nayta_pikanappaimet();
    tyopoyta().nayta_dialogi(f);
}

void TMain_form::tee_alue() {
    auto* keski = new QWidget(this);
    keski->setObjectName("keski");
    setCentralWidget(keski);
    keski->setFixedSize(660, 410);
    QFont kirjasin = keski->font();
    kirjasin.setPixelSize(12);
    keski->setFont(kirjasin);

    // The card view lies under the side panel and the window's own controls.
    kortti_ = new Korttinakyma(*this, muut_, keski);
    new Otsikkovalikko(*this, *kortti_);  // the labels' pop-up menu, owned by the card view
    sivu_ = new Sivupaneeli(*this, keski);

    auto nappi = [keski](const char* nimi, const char* teksti, const char* vihje, int x) {
        auto* b = new QPushButton(fi(teksti), keski);
        b->setObjectName(nimi);
        b->setToolTip(fi(vihje));
        b->setGeometry(x, 6, 52, 44);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    Lista_button = nappi("Lista_button", "Lista",
                         "Näyttää listan kaikista tietokannan korteista.\nHiiren kakkosnapilla saat näkyviin minilistan.", 8);
    etsi_button = nappi("etsi_button", "Etsi", "Etsii kortteja syöttämilläsi hakusanoilla", 64);
    Jarjesta_button = nappi("Jarjesta_button", "Järjestä", "Järjestää tietokantasi kortit haluamaasi järjestykseen", 120);
    poista_kortti_button = nappi("poista_kortti_button", "Poista", "Poistaa tämän kortin", 176);
    uusi_kortti_button = nappi("uusi_kortti_button", "Uusi", "Lisää uuden kortin tietokantaan", 232);
    edellinen_button = nappi("edellinen_button", "<", "Siirtyy edelliseen korttiin", 544);
    seuraava_button = nappi("seuraava_button", ">", "Siirtyy seuraavaan korttiin", 600);
    connect(etsi_button, &QPushButton::clicked, this, &TMain_form::etsi_buttonClick);
    connect(poista_kortti_button, &QPushButton::clicked, this, &TMain_form::poista_kortti);
    connect(Jarjesta_button, &QPushButton::clicked, this, [this] {
        if (!kortti_->nimi_annettu()) return;
        dosavefields();
        nayta_jarjestys();
    });
    connect(uusi_kortti_button, &QPushButton::clicked, this, &TMain_form::uusi_kortti);
    // Previous and next act on the press, by the button pressed (see eventFilter).

    ScrollBar1 = new QScrollBar(Qt::Horizontal, keski);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setGeometry(8, 368, 644, 17);
    ScrollBar1->setFocusPolicy(Qt::NoFocus);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int arvo) {
        if (paivitetaan_ || arvo < 1 || arvo >= tk_.kortit.Count()) return;
        tk_.nykyinen = arvo;
        if (muut_.lista().nakyvissa() && !muut_.lista().hakutulokset()) muut_.lista().seuraa_valintaa();
        update_fields();
    });
    tiedosto = new QLabel(keski);
    tiedosto->setObjectName("tiedosto");
    tiedosto->setGeometry(4, 388, 470, 21);
    // A long path shows its end, where the file's own name is; the whole of it is in the tool tip.
    tiedosto->setTextFormat(Qt::PlainText);
    Tietue_label = new QLabel(keski);
    Tietue_label->setObjectName("Tietue_label");
    Tietue_label->setGeometry(480, 388, 172, 21);
    Tietue_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The window's keys, the wheel and the previous/next presses are seen here before any control's own
    // handling; the card view's filter, installed earlier, comes after this one.
    for (QWidget* w : keski->findChildren<QWidget*>()) w->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------------------
// The card and the controls

void TMain_form::update_fields() {
    if (tk_.kortit.Count() < 2) tk_.kortit.lisaa_uusi();  // a catalogue always shows a real card
    tk_.nykyinen = std::clamp(tk_.nykyinen, 1, tk_.kortit.Count() - 1);
    const TKortti& k = tk_.kortit[tk_.nykyinen];
    kirjoita_debug("update_fields");
    kirjoita_debug("nauhaa = " + k.nauha);
    paivitetaan_ = true;
    kortti_->nayta(k);
    sivu_->nayta(k);
    naytetty_kortti_ = &k;
    naytetty_sukupolvi_ = tk_.kortit.sukupolvi();

    Tietue_label->setText(fi("Kortti: ") + QString::number(tk_.nykyinen) + "/" + QString::number(tk_.kortit.Count() - 1));
    if (ScrollBar1->maximum() != tk_.kortit.Count() - 1) ScrollBar1->setRange(1, tk_.kortit.Count() - 1);
    ScrollBar1->setPageStep(15);
    ScrollBar1->setValue(tk_.nykyinen);

    // The name is only made absolute: on a case-sensitive file system a lower-cased name is another file.
    if (!tk_.tiedosto.empty() && !fs::path(tk_.tiedosto).is_absolute())
        tk_.tiedosto = polku_tekstiksi(kansio_.polku(tk_.tiedosto));
    const QString nimi = fi("Tiedosto: ") + q(tk_.tiedosto);
    if (tiedosto->toolTip() != nimi) {
        tiedosto->setToolTip(nimi);
        tiedosto->setText(tiedosto->fontMetrics().elidedText(nimi, Qt::ElideMiddle, tiedosto->width()));
    }
    paivitetaan_ = false;
    peruutus_.ota_jos_siirrytty(tk_);
    muutokset_.ilmoita_nykyinen(tk_.nykyinen);
}

void TMain_form::dosavefields() {
    if (tk_.nykyinen < 1 || tk_.nykyinen >= tk_.kortit.Count()) return;
    // The controls belong to the card they were filled from: after another catalogue was read in (and
    // before it is shown) they would write an old card's text over a new one.
    if (tk_.kortit.kortti(tk_.nykyinen) != naytetty_kortti_ || tk_.kortit.sukupolvi() != naytetty_sukupolvi_) return;
    kortti_->ennen_tallennusta();
    kirjoita_debug("[dosavefields]");
    TKortti& k = tk_.kortit[tk_.nykyinen];
    // The controls are compared with the card field by field: a copy of the card would cost as much as its
    // largest field on every move.
    const bool muuttui = kortti_->tallenna(k);
    sivu_->tallenna(k);
    // The windows that show cards only hear of a card that changed.
    if (muuttui) muutokset_.ilmoita_kortit();
}

void TMain_form::siirry_korttiin(int indeksi) {
    tk_.nykyinen = indeksi;
    nayta_kortti_uudelleen();
}

void TMain_form::nayta_kortti_uudelleen() {
    update_fields();
    peruutus_.ota(tk_);
}

void TMain_form::varita_otsikot() {
    kortti_->varita_otsikot();
    for (QLabel* l : {tiedosto, Tietue_label}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, qvari(a_.ulkoasu.paaikkuna_alareuna));
        l->setPalette(p);
    }
}

int TMain_form::nakyma() const { return sivu_->nakyma(); }
void TMain_form::aseta_nakyma(int n) { sivu_->aseta_nakyma(n); }

// ---------------------------------------------------------------------------------------------------------
// Keys and the mouse

bool TMain_form::FormKeyDown(QKeyEvent* e) {
    const int avain = e->key();
    const auto mod = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    kirjoita_debug("Key=" + std::to_string(avain));
    if (mod == Qt::ControlModifier) kortti_->aseta_otsikot(true);
    if (mod == Qt::ControlModifier && (avain == Qt::Key_Adiaeresis || avain == 222)) {
        findChild<QWidget*>("aani_kentta")->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (mod == Qt::ControlModifier && (avain == Qt::Key_Home || avain == Qt::Key_End)) {
        tk_.nykyinen = avain == Qt::Key_Home ? 1 : tk_.kortit.Count() - 1;
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
    return false;
}

void TMain_form::FormKeyUp() { kortti_->palauta_otsikot(); }

bool TMain_form::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    switch (e->type()) {
        case QEvent::ShortcutOverride: {
            // The window's Ctrl shortcuts (open, undo, the field keys) win over the fields' own, except
            // that a text field keeps its editing keys while it has the focus.
            auto* k = static_cast<QKeyEvent*>(e);
            if ((k->modifiers() & Qt::ControlModifier) && !kentan_muokkausnappain(w, k)) {
                e->ignore();
                return true;
            }
            break;
        }
        case QEvent::KeyPress:
            if (FormKeyDown(static_cast<QKeyEvent*>(e))) return true;
            break;
        case QEvent::KeyRelease: FormKeyUp(); break;
        case QEvent::MouseButtonPress:
            // The button still shows its press; it has no click of its own to run.
            if (o == edellinen_button || o == seuraava_button)
                siirry(o == edellinen_button ? -1 : 1, static_cast<QMouseEvent*>(e)->button());
            break;
        case QEvent::MouseButtonRelease:
            if (o == Lista_button) Lista_buttonUp(static_cast<QMouseEvent*>(e)->button());
            break;
        case QEvent::Wheel: {
            // The stars step the rating themselves; the text area and the grids scroll.
            if (o == static_cast<QObject*>(kortti_->tahdet()) || sivu_->vierittaa_itse(w)) break;
            const int delta = static_cast<QWheelEvent*>(e)->angleDelta().y();
            if (w && kortti_->tekstialue()->isAncestorOf(w)) {
                rulla(kortti_->tekstialue(), delta);
                break;
            }
            if (w && centralWidget()->isAncestorOf(w)) {
                rulla(o, delta);
                return true;
            }
            break;
        }
        default: break;
    }
    return QMainWindow::eventFilter(o, e);
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

// ---------------------------------------------------------------------------------------------------------
// Card moves

void TMain_form::uusi_kortti() {
    if (!kortti_->nimi_annettu()) return;
    dosavefields();
    lisaa_uusi_kortti(tk_);
    muutokset_.ilmoita_kortit();
    update_fields();
    kortti_->uuden_kortin_oletukset();
    sivu_->uuden_kortin_nimet(tk_.kortit[tk_.nykyinen]);
    kortti_->aseta_kasikirjoitus_otsikko(lisatiedon_oletusnimi);
    // Search results do not hold the new card; the whole list does, with it selected.
    Listaikkuna& lista = muut_.lista();
    if (lista.hakutulokset()) {
        lista.sulje();
    } else {
        lista.rakenna();
        lista.seuraa_valintaa();
    }
    dosavefields();
    findChild<QWidget*>("nimi_kentta")->setFocus(Qt::OtherFocusReason);
}

void TMain_form::siirry(int suunta, Qt::MouseButton nappi) {
    if (!kortti_->nimi_annettu()) return;
    dosavefields();
    Listaikkuna& lista = muut_.lista();
    if (nappi == Qt::LeftButton && lista.nakyvissa() && lista.hakutulokset()) {
        // Search results are browsed in their own order, row by row of the list window.
        if (!lista.siirry_riville(suunta)) tyopoyta_.piippaa();
        return;
    }
    if (nappi == Qt::LeftButton || nappi == Qt::RightButton) {
        const Siirto s = nappi == Qt::LeftButton ? siirry_kortti(tk_, suunta) : siirry_kasetti(tk_, suunta);
        if (s == Siirto::Reunalla) tyopoyta_.piippaa();
    }
    if (!lista.hakutulokset() && lista.nakyvissa()) lista.seuraa_valintaa();
    update_fields();
}

void TMain_form::poista_kortti() {
    const bool poistetaan =
        viestit_.kysy(diag::Laji::Vahvistus, "Haluatko varmasti poistaa tämän kortin?") == diag::Vastaus::Kylla;
    if (poistetaan) {
        poista_nykyinen_kortti(tk_, kansio_);
        muutokset_.ilmoita_kortit();
    }
    Listaikkuna& lista = muut_.lista();
    if (lista.hakutulokset() && lista.nakyvissa()) lista.sulje();
    else lista.rakenna();
    // Another card now sits at this index: undo must not put the deleted one over it.
    if (poistetaan) nayta_kortti_uudelleen();
    else update_fields();
}

void TMain_form::kopioi_korttiClick() {
    odota_kannet(tk_);
    korttimuisti_.kopioi(tk_.kortit[tk_.nykyinen], kansio_, viestit_);
}

void TMain_form::Liita_korttiClick() {
    // The card being left keeps what was typed into it.
    dosavefields();
    if (!korttimuisti_.liita(tk_, kansio_, viestit_)) return;
    muutokset_.ilmoita_kortit();
    update_fields();
}

void TMain_form::menu_undoClick() {
    peruutus_.kumoa(tk_, kansio_, viestit_);
    muutokset_.ilmoita_kortit();
    update_fields();
}

void TMain_form::pudota(const std::vector<std::string>& nimet) {
    dosavefields();
    if (pudota_tiedostot(nimet, tk_, kansio_, viestit_) == Pudotus::Tietokanta) {
        tiedostot_->kysy_tallennus();
        tiedostot_->avaa_tietokanta(nimet[0]);
    }
    update_fields();
}

void TMain_form::rulla(QObject* kohde, int delta) {
    kirjoita_debug("WheelDelta=" + std::to_string(delta));
    if (delta == 0) return;
    if (kohde == kortti_->tekstialue()) {
        kortti_->tekstialue()->setFocus(Qt::MouseFocusReason);
        return;
    }
    dosavefields();
    QWidget* f = QApplication::focusWidget();
    if (f && (f->objectName() == "nimi_kentta" || f->objectName() == "paanayttelijat_kentta")) {
        siirry(delta > 0 ? -1 : 1);
        return;
    }
    update_fields();
}

void TMain_form::Lista_buttonUp(Qt::MouseButton nappi) {
    if (!kortti_->nimi_annettu()) return;
    dosavefields();
    Listaikkuna& lista = muut_.lista();
    if (nappi == Qt::LeftButton || nappi == Qt::RightButton) lista.aseta_muoto(nappi == Qt::RightButton);
    if (lista.hakutulokset()) {
        Tkumpi_lista_form f(this);
        const int valinta = tyopoyta_.nayta_dialogi(f);
        if (valinta == Tkumpi_lista_form::Peruuta) return;
        if (valinta == Tkumpi_lista_form::Hakutulos) return lista.nayta_hakutulokset();
    }
    lista.nayta_kaikki();
}

void TMain_form::sijoita_lista_viereen(QWidget* listaikkuna) {
    const int vasen = screen() ? screen()->availableGeometry().left() : 0;
    const Vierekkain v = liitetyn_listan_paikka(x() - vasen, listaikkuna->frameGeometry().width());
    listaikkuna->move(vasen + v.lista_x, y());
    move(vasen + v.paa_x, y());
}

void TMain_form::etsi_buttonClick() {
    if (!kortti_->nimi_annettu()) return;
    dosavefields();
    himmenna_tausta();
    muut_.etsi();
    palauta_tausta();
}

void TMain_form::nayta_jarjestys() {
    himmenna_tausta();
    const bool jarjestetty = muut_.jarjesta();
    palauta_tausta();
    if (jarjestetty) muutokset_.ilmoita_kortit();
    Listaikkuna& lista = muut_.lista();
    if (lista.nakyvissa()) {
        lista.rakenna();
        lista.seuraa_valintaa();
    }
    nayta_kortti_uudelleen();
}

// ---------------------------------------------------------------------------------------------------------
// The desktop and the other windows

bool TMain_form::avaa_tietokanta(const std::string& nimi) { return tiedostot_->avaa_tietokanta(nimi); }
void TMain_form::luo_tietokanta(const std::string& nimi) { tiedostot_->luo_tietokanta(nimi); }
void TMain_form::kysy_tallennus() { tiedostot_->kysy_tallennus(); }

void TMain_form::avaa_ohje(const char* nimi, const char* kohta) {
    const fs::path p = kansio_.polku(nimi);
    QUrl osoite = QUrl::fromLocalFile(QFile::decodeName(p.c_str()));
    if (kohta) osoite.setFragment(QString::fromLatin1(kohta));
    if (!tyopoyta_.avaa_osoite(osoite))
        viestit_.virhe("Tiedoston käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. "
                       "Internet Explorer) avataksesi tämän dokumentin.");
}

void TMain_form::nayta_asetukset(int sivu) {
    muut_.nayta_asetukset(sivu);
    update_fields();
}

// ---------------------------------------------------------------------------------------------------------
// Look, show and close

void TMain_form::ota_ulkoasu(const Ulkoasu& u) {
    tausta_ = lataa_kuva(varasto_.tj(), u.tausta1);
    kortti_->ota_ulkoasu(u);
    sivu_->ota_ulkoasu(u);
    const std::pair<QPushButton*, Nappi> napit[] = {
        {Lista_button, Nappi::Lista},       {etsi_button, Nappi::Etsi},         {poista_kortti_button, Nappi::Poista},
        {uusi_kortti_button, Nappi::Uusi},  {Jarjesta_button, Nappi::Jarjesta}, {edellinen_button, Nappi::Edellinen},
        {seuraava_button, Nappi::Seuraava}};
    for (const auto& [b, n] : napit) {
        const QPixmap kuva = lataa_kuva(varasto_.tj(), u.nappi(n));
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
    Timer2->start();
    kortti_->salli_varitys();
    update_fields();
    // The view the settings remember, without the focus move a user's choice of list and info makes.
    const int alku = a_.nakyma() >= 0 ? a_.nakyma() : 0;
    sivu_->aloita_nakymalla(alku);
    if (alku == 3) update_fields();
    // A new catalogue asks for its first title: typing replaces the request.
    if (tk_.kortit[tk_.nykyinen].nimi == syota_nimi) kortti_->valitse_nimi();
    varita_otsikot();
}

void TMain_form::lopeta() {
    if (lopetettu_) return;
    lopetettu_ = true;
    a_.nakyma_mode = sivu_->nakyma();
    Kirjoita_ini(a_, y_);
    Timer2->stop();
    kysy_tallennus();
    keskeyta_kannet(tk_);
    tk_.tyhjenna();
    poista_kannet(kansio_);
    Korttimuisti::poista_kopiokuvat(kansio_);
}

void TMain_form::closeEvent(QCloseEvent* e) {
    lopeta();
    muut_.sulje_kaikki();
    e->accept();
}

std::string TMain_form::otsikko() const { return cp(windowTitle()); }

void TMain_form::vaihda_otsikko(const std::string& otsikko) { setWindowTitle(q_nakyva(otsikko)); }

// The main window's own notice of the change goes out before the list is rebuilt.
void TMain_form::lista_muuttui() {
    muutokset_.ilmoita_kortit();
    muut_.kortit_vaihtuivat();
}

bool TMain_form::debug_nakyvissa() const { return muut_.debuggeri_nakyvissa(); }

void TMain_form::tarkista_myohastymiset() { muut_.tarkista_myohastymiset(); }
