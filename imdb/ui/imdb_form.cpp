#include "imdb/ui/imdb_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "imdb/elokuvasivu.h"
#include "imdb/kansilataus.h"
#include "imdb/osoitteet.h"
#include "imdb/ui/imdb_warning.h"
#include "imdb/versiotiedote.h"
#include "mainwindow/korttitoiminnot.h"
#include "mainwindow/ui/paaikkuna.h"
#include "perus/tiedostot.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/runko.h"
#include "storage/tyokansio.h"
#include "storage/varasto.h"
#include "perus/versio.h"

namespace fs = std::filesystem;

namespace {

constexpr int leveys = 346;
constexpr int korkeus = 235;
constexpr const char* haetaan = "Haetaan IMDB:stä.....";
constexpr const char* selainvirhe =
    "Tiedoston käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. Internet Explorer) "
    "avataksesi tämän dokumentin.";

fs::path sivutiedosto() { return ajon_tyokansio() / "rkb_imdb.html"; }
fs::path versiotiedosto() { return ajon_tyokansio() / "rkb_versio.txt"; }

std::string lue(const fs::path& p) {
    std::string s;
    (void)lue_koko_tiedosto(p, s);
    return s;
}

void poista(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

// The search address: blanks as "+", other bytes outside plain ASCII letters and digits percent-encoded.
std::string hakuosoite(const std::string& hakusana) {
    static const char* heksa = "0123456789ABCDEF";
    std::string q;
    for (unsigned char c : hakulauseke(hakusana)) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
            c == '.' || c == '_' || c == '~' || c == '\'') {
            q += static_cast<char>(c);
        } else {
            q += '%';
            q += heksa[c >> 4];
            q += heksa[c & 15];
        }
    }
    return imdb_osoite() + "/Tsearch?title=" + q + "&restrict=Movies+and+TV";
}

bool on_nimikesivu(const fs::path& p) {
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return false;
    const Sivulaji l = tunnista_sivu(lue(p));
    return l == Sivulaji::VanhaNimike || l == Sivulaji::JsonNimike;
}

// A choice read from the page shows its beginning; the card gets the whole of it.
void lisaa_valinta(QListWidget* lista, const std::string& arvo) {
    auto* r = new QListWidgetItem(q_nakyva(arvo), lista);
    r->setData(Qt::UserRole, QByteArray(arvo.data(), static_cast<qsizetype>(arvo.size())));
}

std::string valinta(const QListWidgetItem* r) { return r->data(Qt::UserRole).toByteArray().toStdString(); }

}  // namespace

Timdb_form::Timdb_form(Paaikkuna& p, std::string hakusana)
    : QDialog(p.ikkuna()), p_(p), hakusana_(std::move(hakusana)) {
    setObjectName("imdb_form");
    setWindowTitle(fi("... hetkinen"));
    setMinimumSize(300, 100);
    resize(leveys, korkeus);
    kansihaku_ = hakusana_ == kansikuvahaku;

    Hakutulos_lista = new QListWidget(this);
    Hakutulos_lista->setObjectName("Hakutulos_lista");
    Hakutulos_lista->installEventFilter(this);
    connect(Hakutulos_lista, &QListWidget::itemClicked, this, [this] { Hakutulos_listaClick(); });
    connect(Hakutulos_lista, &QListWidget::currentRowChanged, this, [this] { Hakutulos_listaClick(); });
    connect(Hakutulos_lista, &QListWidget::itemDoubleClicked, this, [this] { Hakutulos_listaDblClick(); });

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);

    QFont lihava = font();
    lihava.setBold(true);
    aaniraita_label = new QLabel(fi("Ääniraita:"), this);
    aaniraita_label->setObjectName("aaniraita_label");
    aaniraita_label->setFont(lihava);
    aaniraita_lista = new QListWidget(this);
    aaniraita_lista->setObjectName("aaniraita_lista");
    kesto_label = new QLabel(fi("Kesto:"), this);
    kesto_label->setObjectName("kesto_label");
    kesto_label->setFont(lihava);
    kesto_lista = new QListWidget(this);
    kesto_lista->setObjectName("kesto_lista");

    hyvaksy_button = new QPushButton(fi("&Hyväksy"), this);
    hyvaksy_button->setObjectName("hyvaksy_button");
    hyvaksy_button->setDefault(true);
    connect(hyvaksy_button, &QPushButton::clicked, this, [this] { hyvaksy_buttonClick(); });
    peruuta_button = new QPushButton(fi("&Peruuta"), this);
    peruuta_button->setObjectName("peruuta_button");
    connect(peruuta_button, &QPushButton::clicked, this, [this] { peruuta_buttonClick(); });

    download_cover = new QCheckBox(fi("Hae elokuvan kansikuva"), this);
    download_cover->setObjectName("download_cover");
    download_cover->setChecked(true);
    download_cover->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu");
    set_def_on = PopupMenu->addAction(fi("Aseta oletus arvoksi päälle"));
    set_def_on->setObjectName("set_def_on");
    set_def_on->setCheckable(true);
    set_def_off = PopupMenu->addAction(fi("Aseta oletus arvoksi poissa"));
    set_def_off->setObjectName("set_def_off");
    set_def_off->setCheckable(true);
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] {
        set_def_on->setChecked(p_.asetukset().dl_cover_default);
        set_def_off->setChecked(!p_.asetukset().dl_cover_default);
    });
    connect(set_def_on, &QAction::triggered, this, [this] { p_.asetukset().dl_cover_default = true; });
    connect(set_def_off, &QAction::triggered, this, [this] { p_.asetukset().dl_cover_default = false; });
    connect(download_cover, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& kohta) { PopupMenu->popup(download_cover->mapToGlobal(kohta)); });

    Abort_Button = new QPushButton(fi("Keskeytä"), this);
    Abort_Button->setObjectName("Abort_Button");
    connect(Abort_Button, &QPushButton::clicked, this, [this] { Abort_ButtonClick(); });

    vihje_paneeli = new QLabel(fi("- >    vihje     <-"), this);
    vihje_paneeli->setObjectName("vihje_paneeli");
    vihje_paneeli->setAlignment(Qt::AlignCenter);
    vihje_paneeli->setFrameShape(QFrame::Panel);
    vihje_paneeli->setFrameShadow(QFrame::Raised);
    vihje_paneeli->setCursor(Qt::PointingHandCursor);
    vihje_paneeli->installEventFilter(this);

    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(1);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });

    http_.kasittele_viestit = [this] { kasittele_viestit(); };
    http_.vastaanotettu = [this](std::uint64_t n) { tila("Vastaanotettu " + std::to_string(n) + " tavua"); };
    const TAsetukset& a = p_.asetukset();
    if (a.proxy_enabled)
        http_.proxy = net::Valityspalvelin{a.proxy_addr, a.proxy_port, a.proxy_username, a.proxy_password};

    if (kansihaku_) {
        // The batch cannot be closed from the title bar; it ends by itself or through Keskeytä.
        setWindowFlags((windowFlags() & ~(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)) |
                       Qt::CustomizeWindowHint);
        kansinakyma_esiin();
    } else {
        hakunakyma_esiin();
    }
}

Timdb_form::~Timdb_form() {
    poista(sivutiedosto());
}

// ---------------------------------------------------------------------------------------------------------
// Views

void Timdb_form::hakunakyma_esiin() {
    valinta_ = false;
    Hakutulos_lista->show();
    for (QWidget* w : std::initializer_list<QWidget*>{aaniraita_label, aaniraita_lista, kesto_label, kesto_lista,
                                                        peruuta_button, hyvaksy_button, vihje_paneeli, Abort_Button})
        w->hide();
    download_cover->hide();
    download_cover->setEnabled(false);
}

void Timdb_form::kansinakyma_esiin() {
    setFixedSize(leveys, korkeus);
    hakunakyma_esiin();
    Abort_Button->show();
}

void Timdb_form::valintanakyma_esiin() {
    valinta_ = true;
    setFixedSize(leveys, korkeus);
    setWindowTitle(fi("Valitse oikeat tiedot"));
    Hakutulos_lista->hide();
    aaniraita_label->show();
    aaniraita_lista->show();
    vihje_paneeli->show();
    download_cover->show();
    download_cover->setChecked(p_.asetukset().dl_cover_default);
    if (!cover_url_.empty()) {
        download_cover->setEnabled(true);
        TKortti& k = p_.varasto().tk.kortit[p_.varasto().tk.nykyinen];
        k.hae_kansi = true;
        k.cover_url = cover_url_;
    }
    kesto_label->show();
    kesto_lista->show();
    peruuta_button->show();
    hyvaksy_button->show();
    hyvaksy_button->setEnabled(true);
    peruuta_button->setEnabled(true);
    aaniraita_lista->setEnabled(true);
    kesto_lista->setEnabled(true);
    resizeEvent(nullptr);
    hyvaksy_button->setFocus();
}

void Timdb_form::resizeEvent(QResizeEvent* e) {
    if (e) QDialog::resizeEvent(e);
    const int w = width(), h = height();
    const int tila_k = 20;
    StatusBar->setGeometry(0, h - tila_k, w, tila_k);
    if (kansihaku_) {
        Hakutulos_lista->setGeometry(5, 5, w - 10, 145);
        Abort_Button->setGeometry(5, 155, w - 10, 30);
        return;
    }
    Hakutulos_lista->setGeometry(5, 5, w - 10, std::max(10, h - 58 + 28));
    const int sarake = (w - 24) / 2;
    aaniraita_label->setGeometry(8, 6, sarake, 18);
    aaniraita_lista->setGeometry(8, 26, sarake, 106);
    kesto_label->setGeometry(16 + sarake, 6, sarake, 18);
    kesto_lista->setGeometry(16 + sarake, 26, sarake, 106);
    download_cover->setGeometry(8, 138, sarake + 30, 22);
    vihje_paneeli->setGeometry(16 + sarake + 40, 138, sarake - 40, 22);
    hyvaksy_button->setGeometry(8, 170, sarake, 32);
    peruuta_button->setGeometry(16 + sarake, 170, sarake, 32);
}

void Timdb_form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!kaynnistetty_) {
        kaynnistetty_ = true;
        setWindowTitle("Internet Movie Database");
        if (!kansihaku_) Hakutulos_lista->setFocus();
        if (QWidget* isa = parentWidget()) move(isa->geometry().center() - rect().center());
        Timer->start();
    }
}

void Timdb_form::TimerTimer() {
    if (!isVisible()) return;
    setWindowTitle("Internet Movie Database");
    if (kansihaku_) hae_kansikuvat();
    else hae_imdb();
}

void Timdb_form::closeEvent(QCloseEvent* e) {
    if ((kansihaku_ || hyvaksytaan_) && !suljettu_) {
        e->ignore();
        return;
    }
    suljettu_ = true;
    http_.keskeyta();
    QDialog::closeEvent(e);
}

void Timdb_form::reject() {
    // The batch closes itself when it is done; an accepted card is finished before the window goes.
    if ((kansihaku_ || hyvaksytaan_) && !suljettu_) return;
    if (valinta_) {
        peruuta_buttonClick();
        return;
    }
    suljettu_ = true;
    http_.keskeyta();
    QDialog::reject();
}

void Timdb_form::keyPressEvent(QKeyEvent* e) {
    if (Hakutulos_lista->hasFocus() && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        Hakutulos_listaDblClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool Timdb_form::eventFilter(QObject* o, QEvent* e) {
    if (o == Hakutulos_lista && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Hakutulos_listaDblClick();
            return true;
        }
    }
    if (o == vihje_paneeli && e->type() == QEvent::MouseButtonRelease) {
        vihje_paneeliClick();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void Timdb_form::tila(const std::string& teksti) { StatusBar->showMessage(q_nakyva(teksti)); }

void Timdb_form::kasittele_viestit() { QApplication::processEvents(QEventLoop::AllEvents, 20); }

// ---------------------------------------------------------------------------------------------------------
// Transfers

bool Timdb_form::hae(const std::string& url, const fs::path& tiedosto) {
    const Tulos t = http_.hae(url, tiedosto);
    std::error_code ec;
    const auto koko = fs::exists(tiedosto, ec) ? fs::file_size(tiedosto, ec) : 0;
    tila("Vastaanotettu " + std::to_string(ec ? 0 : koko) + " tavua");
    if (!t) kirjoita_debug_aina("[imdb] " + t.viesti);
    return t.onnistui();
}

void Timdb_form::korjaa_rivinvaihdot(const fs::path& tiedosto) {
    std::string s;
    if (!lue_koko_tiedosto(tiedosto, s)) return;
    const std::string korjattu = ::korjaa_rivinvaihdot(s);
    if (korjattu != s) (void)korvaa_tiedosto(tiedosto, korjattu);
}

bool Timdb_form::hae_nimikesivu(const std::string& koodi, bool nykyinen) {
    if (!nykyinen) {
        if (hae(vanha_nimikesivu(koodi), sivutiedosto()) && on_nimikesivu(sivutiedosto())) return true;
        if (suljettu_ || keskeytys_) return false;
    }
    return hae(nykyinen_nimikesivu(koodi), sivutiedosto()) && on_nimikesivu(sivutiedosto());
}

// ---------------------------------------------------------------------------------------------------------
// Search

void Timdb_form::hae_imdb() {
    diag::Viestit& viestit = p_.varasto().viestit;
    if (hakusana_.empty()) {
        viestit.virhe("Syötä elokuvan englanninkielinen nimi \"elokuvan nimi\" kenttään!");
        return;
    }
    TAsetukset& a = p_.asetukset();
    if (a.warn_imdb == 0) {
        Timdb_warning varoitus(this);
        if (p_.tyopoyta().nayta_dialogi(varoitus) != QDialog::Accepted) {
            suljettu_ = true;
            QDialog::reject();
            return;
        }
        a.warn_imdb = 1;
    }
    uusi_versio();
    if (suljettu_) return;

    tila(haetaan);
    kirjoita_debug("IMDB hakusana=" + hakulauseke(hakusana_));
    const fs::path sivu = sivutiedosto();
    const bool saatiin = hae(hakuosoite(hakusana_), sivu);
    if (suljettu_) return;
    if (saatiin) {
        korjaa_rivinvaihdot(sivu);
        const std::string teksti = lue(sivu);
        switch (tunnista_sivu(teksti)) {
        case Sivulaji::VanhaHaku:
            poista(sivu);
            nayta_tulokset(lue_hakutulokset(siivoa_hakusivu(teksti)));
            return;
        case Sivulaji::VanhaNimike:
        case Sivulaji::JsonNimike:
            lue_elokuvasivu(sivu);
            poista(sivu);
            return;
        case Sivulaji::Ehdotukset:
            poista(sivu);
            nayta_tulokset(lue_ehdotukset(teksti));
            return;
        case Sivulaji::Tuntematon: break;
        }
    }
    // The old search address gives nothing useful today; the title suggestions of today's site do.
    tila(haetaan);
    const bool ehdotukset = hae(ehdotusosoite(hakusana_), sivu);
    if (suljettu_) return;
    Hakutulokset h;
    if (ehdotukset) {
        const std::string teksti = lue(sivu);
        if (tunnista_sivu(teksti) == Sivulaji::Ehdotukset) h = lue_ehdotukset(teksti);
    }
    poista(sivu);
    nayta_tulokset(std::move(h));
}

void Timdb_form::nayta_tulokset(Hakutulokset h) {
    tulokset_ = std::move(h);
    Hakutulos_lista->clear();
    for (const std::string& rivi : tulokset_.rivit) {
        Hakutulos_lista->addItem(q_nakyva(rivi));
        kasittele_viestit();
    }
    for (const std::string& v : tulokset_.viestit)
        if (v.rfind("Liian monta", 0) == 0) p_.varasto().viestit.virhe(v);
        else p_.varasto().viestit.pelkka(v);
    if (tulokset_.rivit.size() >= 2) {
        const int eka = ensimmainen_nimike(tulokset_);
        if (eka >= 0) Hakutulos_lista->setCurrentRow(eka);
        Hakutulos_listaClick();
        setWindowTitle(fi("Valitse oikea elokuva kaksoisnäpäytyksellä"));
    } else {
        Hakutulos_lista->clear();
        tulokset_ = Hakutulokset{};
        setWindowTitle(fi("Hakusanalla ei löytynyt yhtään elokuvaa"));
    }
}

void Timdb_form::Hakutulos_listaClick() {
    std::string aka;
    for (const QListWidgetItem* i : Hakutulos_lista->selectedItems()) {
        const int r = Hakutulos_lista->row(i);
        if (r > 0 && r < static_cast<int>(tulokset_.akat.size())) aka = tulokset_.akat[static_cast<std::size_t>(r)];
    }
    tila(aka.empty() ? std::string() : "... aka " + aka);
}

void Timdb_form::Hakutulos_listaDblClick() {
    if (http_.kaynnissa() || valinta_) return;  // one fetch at a time; a second click waits for nothing
    const int r = Hakutulos_lista->currentRow();
    const bool valittu = r >= 0 && Hakutulos_lista->currentItem() && Hakutulos_lista->currentItem()->isSelected();
    if (!valittu || r >= static_cast<int>(tulokset_.koodit.size()) || tulokset_.koodit[static_cast<std::size_t>(r)].empty()) {
        p_.varasto().viestit.virhe("VIRHE: Valitse elokuva listasta!");
        return;
    }
    tila(haetaan);
    const bool saatiin = hae_nimikesivu(tulokset_.koodit[static_cast<std::size_t>(r)], tulokset_.nykyinen);
    if (suljettu_) return;
    // Only a page that is a title page is read; anything else would fill the choose view with nothing.
    if (saatiin) {
        korjaa_rivinvaihdot(sivutiedosto());
        lue_elokuvasivu(sivutiedosto());
    } else {
        p_.varasto().viestit.virhe("Haku epäonnistui!");
    }
}

void Timdb_form::uusi_versio() {
    TAsetukset& a = p_.asetukset();
    if (a.paivitys_tarkistettu) return;
    a.paivitys_tarkistettu = true;
    const fs::path tiedosto = versiotiedosto();
    poista(tiedosto);
    // The notice is a courtesy: a silent update server must not hold up the search for long.
    const long yhteys = http_.yhteys_aikaraja_ms, kaikki = http_.aikaraja_ms;
    http_.yhteys_aikaraja_ms = 5000;
    http_.aikaraja_ms = 10000;
    hae(paivitys_osoite() + "/rkb_versio.txt", tiedosto);
    http_.yhteys_aikaraja_ms = yhteys;
    http_.aikaraja_ms = kaikki;
    std::error_code ec;
    if (!suljettu_ && fs::is_regular_file(tiedosto, ec)) {
        const std::string teksti = uusi_versio_teksti(lue(tiedosto), mkStr2Float(ohjelman_versio, p_.varasto().viestit));
        if (!teksti.empty() && p_.varasto().viestit.kysy(diag::Laji::Vahvistus, teksti) == diag::Vastaus::Kylla) {
            if (!p_.tyopoyta().avaa_osoite(QUrl(QString::fromLatin1(kotisivun_osoite))))
                p_.varasto().viestit.virhe(selainvirhe);
        }
    }
    poista(tiedosto);
}

// ---------------------------------------------------------------------------------------------------------
// The title page and the choose view

void Timdb_form::lue_elokuvasivu(const fs::path& tiedosto) {
    Varasto& v = p_.varasto();
    Tietokanta& tk = v.tk;
    p_.dosavefields();
    cover_url_.clear();
    TKortti& k = tk.kortit[tk.nykyinen];
    ennen_.kopioi(k);
    tk.kortit.merkitse_muutetuksi();
    const Elokuvasivu s = ::lue_elokuvasivu(lue(tiedosto), k);
    for (const std::string& viesti : s.viestit) v.viestit.pelkka(viesti);
    k.kopioi(s.kortti);
    import_.tagline = s.tagline;
    cover_url_ = s.cover_url;
    imdb_koodi_ = s.imdb_koodi;
    p_.update_fields();

    aaniraita_lista->clear();
    for (const std::string& r : s.aanilista) lisaa_valinta(aaniraita_lista, r);
    if (aaniraita_lista->count() > 0) aaniraita_lista->setCurrentRow(0);
    kesto_lista->clear();
    for (const std::string& r : s.kestolista) lisaa_valinta(kesto_lista, r);
    if (kesto_lista->count() > 0) kesto_lista->setCurrentRow(0);
    valintanakyma_esiin();
}

void Timdb_form::hyvaksy_buttonClick() {
    if (hyvaksytaan_) return;
    hyvaksytaan_ = true;
    hyvaksy_button->setEnabled(false);
    peruuta_button->setEnabled(false);
    aaniraita_lista->setEnabled(false);
    kesto_lista->setEnabled(false);
    p_.dosavefields();
    Tietokanta& tk = p_.varasto().tk;
    const int indeksi = tk.nykyinen;

    if (const QListWidgetItem* i = kesto_lista->currentItem()) {
        const std::string kesto = vain_numerot(valinta(i));
        if (!kesto.empty()) tk.kortit[indeksi].kesto = kesto;
    }
    if (const QListWidgetItem* i = aaniraita_lista->currentItem(); i && !valinta(i).empty())
        tk.kortit[indeksi].aani = valinta(i);
    if (download_cover->isEnabled() && !cover_url_.empty()) {
        if (!download_cover->isChecked()) {
            tk.kortit[indeksi].cover_url = cover_url_;
            tk.kortit[indeksi].hae_kansi = true;
        } else {
            download_cover->setEnabled(false);
            dl_cover(cover_url_);
        }
    }
    kirjoita_debug("imdb_koodi=" + imdb_koodi_);
    // A page without a title number keeps the number the card already had.
    if (!imdb_koodi_.empty()) tk.kortit[indeksi].imdb_koodi = imdb_koodi_;
    p_.update_fields();
    valinta_ = false;
    suljettu_ = true;
    accept();
}

void Timdb_form::peruuta_buttonClick() {
    Varasto& v = p_.varasto();
    if (valinta_) {
        if (p_.peruutus().indeksi() == v.tk.nykyinen) p_.peruutus().kumoa(v.tk, v.kansio, v.viestit);
        else v.tk.kortit[v.tk.nykyinen].kopioi(ennen_);
        p_.update_fields();
    }
    valinta_ = false;
    suljettu_ = true;
    http_.keskeyta();
    QDialog::reject();
}

void Timdb_form::vihje_paneeliClick() {
    p_.varasto().viestit.tieto(
        "1) Voit myös hakea kaikki kansikuvat kerralla jälkikäteen!\n"
        "Ota yllä oleva valinta pois ja hae ne myöhemmin valitsemalla ohjelman\n"
        "riippuvalikosta: Imdb -> Hae puuttuvat kansikuvat.\n\n"
        "2) Voit muuttaa ohjelman tarjoamaa oletusasetusta yllä olevaan\n"
        "\"Hae elokuvan kansikuva\" kohtaan painamalla siihen hiiren kakkosnapilla.");
}

// ---------------------------------------------------------------------------------------------------------
// Covers

bool Timdb_form::dl_cover(const std::string& url) {
    Varasto& v = p_.varasto();
    kirjoita_debug("downloading cover from url: " + url);
    if (url.empty()) {
        v.viestit.virhe("Virhe: dl_cover ei saanut parametriä!");
        return false;
    }
    tila("Haetaan kansikuvaa..... ");
    const std::string stem = uusi_kansikuvan_nimi(v.tk.kortit);
    const fs::path polku = v.kansio.polku(std::string(kansikuvakansio) + stem);
    std::error_code ec;
    fs::create_directories(polku.parent_path(), ec);
    hae(url, polku);
    return liita_ladattu_kansi(stem, url, v.tk.kortit, v.tk.nykyinen, v.kansio, v.viestit);
}

std::string Timdb_form::hae_kansi_url(int i) {
    const std::string koodi = p_.varasto().tk.kortit[i].imdb_koodi;
    const bool saatiin = hae_nimikesivu(koodi, false);
    if (saatiin) korjaa_rivinvaihdot(sivutiedosto());
    tauko(QRandomGenerator::global()->bounded(2, 7));
    std::string url;
    if (saatiin) url = ::lue_elokuvasivu(lue(sivutiedosto()), TKortti{}).cover_url;
    poista(sivutiedosto());
    return url;
}

void Timdb_form::tauko(int sekunnit) {
    for (int s = sekunnit; s >= 1; --s) {
        tila("Pidetään taukoa " + std::to_string(s) + " sekunttia...");
        if (keskeytys_) continue;
        QEventLoop odotus;
        QTimer ajastin;
        ajastin.setSingleShot(true);
        connect(&ajastin, &QTimer::timeout, &odotus, &QEventLoop::quit);
        const auto yhteys = connect(Abort_Button, &QPushButton::clicked, &odotus, &QEventLoop::quit);
        ajastin.start(sekunnin_pituus_ms);
        odotus.exec();
        disconnect(yhteys);
    }
}

void Timdb_form::Abort_ButtonClick() {
    keskeytys_ = true;
    Abort_Button->setEnabled(false);
}

void Timdb_form::hae_kansikuvat() {
    Varasto& v = p_.varasto();
    Tietokanta& tk = v.tk;
    avaa_kaikki_kannet(false, v);
    setCursor(Qt::WaitCursor);
    Hakutulos_lista->setCursor(Qt::WaitCursor);
    for (int i = 1; i < tk.kortit.Count(); ++i) {
        p_.siirry_korttiin(i);
        kasittele_viestit();
        // After Keskeytä the cards not yet looked at keep their marks for the next batch.
        if (keskeytys_) break;
        TKortti& k = tk.kortit[i];
        if (k.imdb_koodi.empty() || kansikuva_olemassa(v.kansio, k.cover_fn) || !k.hae_kansi) {
            k.hae_kansi = false;
            continue;
        }
        std::string url;
        if (k.cover_url.empty()) {
            url = hae_kansi_url(i);
        } else {
            kirjoita_debug("Kortilla " + std::to_string(i) + " on cover_url valmiina, käytetään sitä!");
            url = k.cover_url;
        }
        tk.kortit[i].hae_kansi = false;
        if (!url.empty() && !keskeytys_) {
            if (dl_cover(url)) {
                Hakutulos_lista->addItem(q_nakyva("Kansikuva löytyi elokuvalle: " + tk.kortit[i].nimi));
                Hakutulos_lista->scrollToBottom();
            }
        }
        p_.update_fields();
        tauko(QRandomGenerator::global()->bounded(5, 25));
    }
    unsetCursor();
    Hakutulos_lista->unsetCursor();
    suljettu_ = true;
    accept();
}
