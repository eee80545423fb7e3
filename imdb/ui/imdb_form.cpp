#include "imdb/ui/imdb_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
#include "imdb/kansilataus.h"
#include "imdb/osoitteet.h"
#include "imdb/ui/imdb_warning.h"
#include "imdb/versiotiedote.h"
#include "perus/ui/paaikkuna.h"
#include "perus/versio.h"
#include "settings/asetukset.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/runko.h"
#include "storage/varasto.h"

namespace {

constexpr int leveys = 346;
constexpr int korkeus = 235;
constexpr const char* selainvirhe =
    "Tiedoston käynnistäminen epäonnistui,\nkoneessasi ei ole selainta. Asenna selain (esim. Internet Explorer) "
    "avataksesi tämän dokumentin.";

// A choice read from the page shows its beginning; the card gets the whole of it.
void lisaa_valinta(QListWidget* lista, const std::string& arvo) {
    auto* r = new QListWidgetItem(q_nakyva(arvo), lista);
    r->setData(Qt::UserRole, QByteArray(arvo.data(), static_cast<qsizetype>(arvo.size())));
}

std::string valinta(const QListWidgetItem* r) { return r->data(Qt::UserRole).toByteArray().toStdString(); }

}  // namespace

Timdb_form::Timdb_form(Paaikkuna& p, std::string hakusana, Imdbyhteydet yhteydet)
    : QDialog(p.ikkuna()), p_(p), hakusana_(std::move(hakusana)), yhteydet_(yhteydet), lahde_(oletuslahde(p.asetukset())) {
    setObjectName("imdb_form");
    setWindowTitle(fi("... hetkinen"));
    setMinimumSize(300, 100);
    resize(leveys, korkeus);
    kansihaku_ = hakusana_ == kansikuvahaku;

    lahde_label = new QLabel(fi("Lähde:"), this);
    lahde_label->setObjectName("lahde_label");
    lahde_valinta = new QComboBox(this);
    lahde_valinta->setObjectName("lahde_valinta");
    for (Lahdelaji l : lahdelajit) lahde_valinta->addItem(fi(lahdekuvaus(l).nimi));
    lahde_valinta->setCurrentIndex(static_cast<int>(lahde_));
    connect(lahde_valinta, &QComboBox::currentIndexChanged, this, [this](int rivi) { lahde_valintaChange(rivi); });

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

    if (kansihaku_) {
        // The batch cannot be closed from the title bar; it ends by itself or through Keskeytä.
        setWindowFlags((windowFlags() & ~(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)) |
                       Qt::CustomizeWindowHint);
        kansinakyma_esiin();
    } else {
        hakunakyma_esiin();
    }
}

Timdb_form::~Timdb_form() = default;

// ---------------------------------------------------------------------------------------------------------
// Views

void Timdb_form::hakunakyma_esiin() {
    valinta_ = false;
    Hakutulos_lista->show();
    // The cover batch reads IMDb's title pages only.
    lahde_label->setVisible(!kansihaku_);
    lahde_valinta->setVisible(!kansihaku_);
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
    lahde_label->hide();
    lahde_valinta->hide();
    aaniraita_label->show();
    aaniraita_lista->show();
    vihje_paneeli->show();
    download_cover->show();
    download_cover->setChecked(p_.asetukset().dl_cover_default);
    if (!cover_url_.empty()) {
        download_cover->setEnabled(true);
        TKortti& k = p_.varasto().tk().kortit[p_.varasto().tk().nykyinen];
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
    lahde_label->setGeometry(8, 5, 44, 24);
    lahde_valinta->setGeometry(54, 5, w - 59, 24);
    Hakutulos_lista->setGeometry(5, 34, w - 10, std::max(10, h - 58 - 1));
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
        setWindowTitle(fi(lahdekuvaus(kansihaku_ ? Lahdelaji::Imdb : lahde_).otsikko));
        if (!kansihaku_) Hakutulos_lista->setFocus();
        if (QWidget* isa = parentWidget()) move(isa->geometry().center() - rect().center());
        Timer->start();
    }
}

void Timdb_form::TimerTimer() {
    if (!isVisible()) return;
    setWindowTitle(fi(lahdekuvaus(kansihaku_ ? Lahdelaji::Imdb : lahde_).otsikko));
    if (kansihaku_) hae_kansikuvat();
    else hae_imdb();
}

void Timdb_form::keskeyta_haut() {
    yhteydet_.lahteet.keskeyta();
    yhteydet_.kannet.keskeyta();
    yhteydet_.paivitys.keskeyta();
}

void Timdb_form::closeEvent(QCloseEvent* e) {
    // The batch and an accepted card finish by themselves once their transfer is stopped; the window
    // closes right after.
    if ((kansihaku_ || hyvaksytaan_) && !suljettu_) {
        if (kansihaku_) Abort_ButtonClick();
        else keskeyta_haut();
        e->ignore();
        return;
    }
    suljettu_ = true;
    keskeyta_haut();
    QDialog::closeEvent(e);
}

void Timdb_form::reject() {
    if ((kansihaku_ || hyvaksytaan_) && !suljettu_) {
        if (kansihaku_) Abort_ButtonClick();
        else keskeyta_haut();
        return;
    }
    if (valinta_) {
        peruuta_buttonClick();
        return;
    }
    suljettu_ = true;
    keskeyta_haut();
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

void Timdb_form::aseta_haetaan(bool haetaan) {
    haetaan_ = haetaan;
    lahde_valinta->setEnabled(!haetaan);
}

void Timdb_form::vastaanotettu(std::uint64_t tavuja) { tila("Vastaanotettu " + std::to_string(tavuja) + " tavua"); }

// ---------------------------------------------------------------------------------------------------------
// Search

void Timdb_form::hae_imdb() {
    diag::Viestit& viestit = p_.varasto().viestit;
    const Lahdekuvaus& kuvaus = lahdekuvaus(lahde_);
    setWindowTitle(fi(kuvaus.otsikko));
    if (hakusana_.empty()) {
        viestit.virhe(kuvaus.ei_hakusanaa);
        return;
    }
    TAsetukset& a = p_.asetukset();
    if (kuvaus.kayttoehdot && a.warn_imdb == 0) {
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

    tila(kuvaus.haetaan);
    Hakutulokset h;
    aseta_haetaan(true);
    const Tulos t = yhteydet_.lahteet[lahde_].etsi(hakusana_, h);
    aseta_haetaan(false);
    if (suljettu_) return;
    if (!t) {
        tila("Haku epäonnistui");
        viestit.virhe(t.viesti);
        return;
    }
    if (h.yksi_nimike) {
        tulokset_ = std::move(h);
        nouda_nimike(tulokset_.koodit.front());
        return;
    }
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
    if (haetaan_ || valinta_) return;  // one fetch at a time; a second click waits for nothing
    const int r = Hakutulos_lista->currentRow();
    const bool valittu = r >= 0 && Hakutulos_lista->currentItem() && Hakutulos_lista->currentItem()->isSelected();
    if (!valittu || r >= static_cast<int>(tulokset_.koodit.size()) || tulokset_.koodit[static_cast<std::size_t>(r)].empty()) {
        p_.varasto().viestit.virhe("VIRHE: Valitse elokuva listasta!");
        return;
    }
    nouda_nimike(tulokset_.koodit[static_cast<std::size_t>(r)]);
}

void Timdb_form::uusi_versio() {
    TAsetukset& a = p_.asetukset();
    if (a.paivitys_tarkistettu) return;
    a.paivitys_tarkistettu = true;
    aseta_haetaan(true);
    const std::string teksti = hae_versiotiedote(yhteydet_.paivitys, mkStr2Float(ohjelman_versio, p_.varasto().viestit));
    aseta_haetaan(false);
    if (suljettu_ || teksti.empty()) return;
    if (p_.varasto().viestit.kysy(diag::Laji::Vahvistus, teksti) == diag::Vastaus::Kylla &&
        !p_.tyopoyta().avaa_osoite(QUrl(QString::fromLatin1(kotisivun_osoite))))
        p_.varasto().viestit.virhe(selainvirhe);
}

// ---------------------------------------------------------------------------------------------------------
// The title page and the choose view

void Timdb_form::nouda_nimike(const std::string& koodi) {
    Varasto& v = p_.varasto();
    // Peruuta goes back to the card as it is now, with whatever the user typed before asking IMDb.
    p_.dosavefields();
    ennen_.kopioi(v.tk().kortit[v.tk().nykyinen]);
    tila(lahdekuvaus(lahde_).haetaan);
    Elokuvasivu s;
    aseta_haetaan(true);
    const Tulos t = yhteydet_.lahteet[lahde_].nouda(koodi, v.tk().kortit[v.tk().nykyinen], s);
    aseta_haetaan(false);
    if (suljettu_) return;
    if (!t) {
        tila("");
        v.viestit.virhe(t.viesti);
        return;
    }
    nayta_elokuvasivu(s);
}

void Timdb_form::nayta_elokuvasivu(const Elokuvasivu& s) {
    Varasto& v = p_.varasto();
    Tietokanta& tk = v.tk();
    TKortti& k = tk.kortit[tk.nykyinen];
    tk.kortit.merkitse_muutetuksi();
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
    aaniraita_lista->setEnabled(false);
    kesto_lista->setEnabled(false);
    p_.dosavefields();
    Varasto& v = p_.varasto();
    Tietokanta& tk = v.tk();
    const int indeksi = tk.nykyinen;
    const QListWidgetItem* kesto = kesto_lista->currentItem();
    const QListWidgetItem* aani = aaniraita_lista->currentItem();
    hyvaksy_valinnat(tk.kortit[indeksi], kesto ? valinta(kesto) : std::string(), aani ? valinta(aani) : std::string(),
                     imdb_koodi_);
    if (download_cover->isEnabled() && !cover_url_.empty()) {
        // The card wants the cover until it has it: a download stopped by Peruuta is left to the batch.
        tk.kortit[indeksi].cover_url = cover_url_;
        tk.kortit[indeksi].hae_kansi = true;
        if (download_cover->isChecked()) {
            download_cover->setEnabled(false);
            tila("Haetaan kansikuvaa..... ");
            odota_kannet(tk);
            dl_cover(yhteydet_.kannet, cover_url_, tk.kortit, indeksi, v.kansio, v.tj(), v.viestit);
        }
    }
    p_.update_fields();
    valinta_ = false;
    suljettu_ = true;
    accept();
}

void Timdb_form::peruuta_buttonClick() {
    if (hyvaksytaan_) {
        // The values are accepted; Peruuta now only stops the cover on its way.
        keskeyta_haut();
        return;
    }
    Varasto& v = p_.varasto();
    if (valinta_) {
        v.tk().kortit[v.tk().nykyinen].kopioi(ennen_);
        p_.update_fields();
    }
    valinta_ = false;
    suljettu_ = true;
    keskeyta_haut();
    QDialog::reject();
}

void Timdb_form::lahde_valintaChange(int rivi) {
    const Lahdelaji l = lahdelajit[rivi];
    if (l == lahde_ || haetaan_ || valinta_) return;
    lahde_ = l;
    p_.asetukset().tietolahde = lahdekuvaus(l).tunnus;
    const Tietokanta& tk = p_.varasto().tk();
    hakusana_ = lahdekuvaus(l).hakusana(tk.kortit[tk.nykyinen].nimi);
    Hakutulos_lista->clear();
    tulokset_ = Hakutulokset{};
    hae_imdb();
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

void Timdb_form::nayta_kortti(int indeksi) {
    if (p_.varasto().tk().nykyinen != indeksi) p_.siirry_korttiin(indeksi);
    else p_.update_fields();
    kasittele_viestit();
}

void Timdb_form::kansi_loytyi(const std::string& nimi) {
    Hakutulos_lista->addItem(q_nakyva("Kansikuva löytyi elokuvalle: " + nimi));
    Hakutulos_lista->scrollToBottom();
}

void Timdb_form::odota_sekunti() {
    if (keskeytys_) return;
    QEventLoop odotus;
    QTimer ajastin;
    ajastin.setSingleShot(true);
    connect(&ajastin, &QTimer::timeout, &odotus, &QEventLoop::quit);
    ajastin.start(sekunnin_pituus_ms);
    odotus_ = &odotus;
    odotus.exec();
    odotus_ = nullptr;
}

int Timdb_form::arvo(int alin, int ylin) { return QRandomGenerator::global()->bounded(alin, ylin + 1); }

void Timdb_form::Abort_ButtonClick() {
    keskeytys_ = true;
    Abort_Button->setEnabled(false);
    keskeyta_haut();
    if (odotus_) odotus_->quit();
}

void Timdb_form::hae_kansikuvat() {
    Varasto& v = p_.varasto();
    avaa_kaikki_kannet(false, v);
    setCursor(Qt::WaitCursor);
    Hakutulos_lista->setCursor(Qt::WaitCursor);
    Kansihaku haku{v.tk().kortit, v.kansio, v.tj(), v.viestit, yhteydet_.lahteet[Lahdelaji::Imdb], yhteydet_.kannet};
    ::hae_kansikuvat(haku, *this, *this);
    unsetCursor();
    Hakutulos_lista->unsetCursor();
    suljettu_ = true;
    accept();
}
