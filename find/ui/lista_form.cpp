#include "find/ui/lista_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "diag/ui/tyopoydalle.h"
#include "diag/viestit.h"
#include "find/listan_paikka.h"
#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/varasto.h"

namespace {

constexpr int iso_leveys = 472;
constexpr int iso_korkeus = 516;
constexpr int rivin_korkeus = 15;
constexpr int napin_korkeus = 25;

}  // namespace

QVariant ListaMalli::data(const QModelIndex& i, int rooli) const {
    if (rooli != Qt::DisplayRole || !i.isValid()) return {};
    return q_nakyva(rivit_.solu(i.row() + 1, i.column()));
}

QVariant ListaMalli::headerData(int osa, Qt::Orientation suunta, int rooli) const {
    if (rooli != Qt::DisplayRole || suunta != Qt::Horizontal || osa < 0 || osa >= listan_sarakkeita) return {};
    return fi(listan_otsikot[osa]);
}

TLista_Form::TLista_Form(Paaikkuna& p, QWidget* parent)
    : QWidget(parent, Qt::Window), p_(p), rivit_(p.varasto().tk().kortit) {
    setObjectName("Lista_Form");
    // The background picture covers the whole window; erasing first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);

    malli_ = new ListaMalli(rivit_, this);
    ListaGrid = new QTableView(this);
    ListaGrid->setObjectName("ListaGrid");
    ListaGrid->setModel(malli_);
    ListaGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListaGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ListaGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListaGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    ListaGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListaGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ListaGrid->setWordWrap(false);
    ListaGrid->setTabKeyNavigation(false);
    ListaGrid->verticalHeader()->hide();
    ListaGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListaGrid->verticalHeader()->setMinimumSectionSize(rivin_korkeus);
    ListaGrid->verticalHeader()->setDefaultSectionSize(rivin_korkeus);
    QHeaderView* otsikko = ListaGrid->horizontalHeader();
    otsikko->setSectionsMovable(false);
    otsikko->setHighlightSections(false);
    otsikko->setSectionResizeMode(QHeaderView::Fixed);
    otsikko->setStretchLastSection(false);
    otsikko->setSectionResizeMode(2, QHeaderView::Stretch);
    otsikko->viewport()->installEventFilter(this);
    ListaGrid->installEventFilter(this);
    ListaGrid->viewport()->installEventFilter(this);
    QFont f = ListaGrid->font();
    f.setPixelSize(11);
    ListaGrid->setFont(f);

    auto nappi = [this](const char* nimi, const char* teksti) {
        auto* b = new QPushButton(fi(teksti), this);
        b->setObjectName(nimi);
        b->setAutoDefault(false);
        return b;
    };
    Etsi_Button = nappi("Etsi_Button", "Etsi");
    Seuraava_button = nappi("Seuraava_button", "Seuraava");
    Poista_button = nappi("Poista_button", "Poista Kortti");
    tulosta_button = nappi("tulosta_button", "Tulosta");
    Sulje_Button = nappi("Sulje_Button", "Sulje");
    tulosta_button->setEnabled(false);
    tulosta_button->setToolTip(fi("Listan tulostus ei ole vielä käytössä."));
    etsi_label = new QLabel(fi("Hakusana:"), this);
    etsi_label->setObjectName("etsi_label");
    etsi_edit = new QLineEdit(this);
    etsi_edit->setObjectName("etsi_edit");
    not_found_label = new QLabel(fi("Hakusanalla ei löydy kortteja!"), this);
    not_found_label->setObjectName("not_found_label");
    not_found_label->setAlignment(Qt::AlignCenter);
    QFont lihava = not_found_label->font();
    lihava.setBold(true);
    not_found_label->setFont(lihava);
    // The notice keeps its own colour when the skin colours the other labels.
    not_found_label->setProperty("tag", 1);
    etsi_label->hide();
    etsi_edit->hide();
    not_found_label->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(500);
    ilmoitusaika = new QTimer(this);
    ilmoitusaika->setSingleShot(true);
    ilmoitusaika->setInterval(ilmoituksen_kesto);

    connect(Timer1, &QTimer::timeout, this, [this] {
        if (pikahaku_.tikki()) paivita_otsikko();
    });
    connect(ilmoitusaika, &QTimer::timeout, this, [this] {
        not_found_label->hide();
        nayta_napit(true);
    });
    connect(Etsi_Button, &QPushButton::clicked, this, &TLista_Form::Etsi_ButtonClick);
    connect(Seuraava_button, &QPushButton::clicked, this, &TLista_Form::etsi_listasta);
    connect(etsi_edit, &QLineEdit::returnPressed, this, [this] {
        etsi_edit->hide();
        etsi_label->hide();
        nayta_napit(true);
        haettava_ = cp(etsi_edit->text());
        etsi_listasta();
    });
    connect(Poista_button, &QPushButton::clicked, this, &TLista_Form::Poista_buttonClick);
    connect(tulosta_button, &QPushButton::clicked, this, &TLista_Form::tulosta_buttonClick);
    connect(Sulje_Button, &QPushButton::clicked, this, &QWidget::close);
    connect(ListaGrid, &QTableView::clicked, this, [this] { valitse_kortti_listasta(); });
    connect(ListaGrid, &QTableView::doubleClicked, this, [this] {
        valitse_kortti_listasta();
        p_.ikkuna()->setEnabled(true);
        close();
    });
    connect(ListaGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!valitaan_) valitse_kortti_listasta();
    });
    connect(&p_.muutokset(), &Korttimuutokset::kortit_muuttuivat, this, [this] {
        if (!onko_hakutulos()) return tee_lista();
        const int valittu = valittu_rivi();
        malli_->muuta([this] { rivit_.kortit_muuttuivat(); });
        valitse_hiljaa(std::min(valittu, rivit_.rivit()));
        paivita_otsikko();
    });
    // The mini list goes where the main window goes.
    p_.ikkuna()->installEventFilter(this);

    auto ulkoasu = [this](const Ulkoasu& u) {
        tausta_ = lataa_kuva(p_.varasto().tj(), u.tausta2);
        korostettu_ = u.muut_ikkunat_korostettu;
        QPalette pal = not_found_label->palette();
        pal.setColor(QPalette::WindowText, qvari(korostettu_));
        not_found_label->setPalette(pal);
    };
    sovella_ulkoasu(this, p_.asetukset().ulkoasu, Ikkunalaji::Muu);
    ulkoasu(p_.asetukset().ulkoasu);
    p_.sovitin().lisaa(this, Ikkunalaji::Muu, ulkoasu);

    iso_lista();
    paivita_otsikko();
}

TLista_Form::~TLista_Form() = default;

// ---------------------------------------------------------------------------------------------------------
// Rows and selection

void TLista_Form::tee_lista() {
    if (!rivit_.hakutulos() && rivit_.rivit() == p_.varasto().tk().kortit.korttien_maara()) {
        // Rows read their cards when painted: with the same number of cards a repaint is the rebuild, and
        // the selection, the scroll position and a press under way stay as they are.
        ListaGrid->viewport()->update();
    } else {
        const int valittu = valittu_rivi();
        const int ylin = ListaGrid->verticalScrollBar()->value();
        malli_->muuta([this] { rivit_.tee_lista(); });
        valitse_hiljaa(std::min(valittu, rivit_.rivit()));
        ListaGrid->verticalScrollBar()->setValue(ylin);
    }
    paivita_otsikko();
    if (isVisible() && Sulje_Button->isVisible()) nayta_napit(true);
}

void TLista_Form::valitse_hiljaa(int r) {
    if (r < 1) return;
    valitaan_ = true;
    const QModelIndex i = malli_->index(r - 1, 0);
    ListaGrid->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    valitaan_ = false;
}

int TLista_Form::valittu_rivi() const {
    const QModelIndex i = ListaGrid->selectionModel()->currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void TLista_Form::valitse_listan_entry(int r) {
    if (!isVisible()) return;
    if (r > rivit_.rivit()) {
        kirjoita_debug_aina("Virhe #2 Valitse_listan_entry FAILED, SEL>listagrid.rowcount-1!");
        kirjoita_debug_aina("-> Yritetään korjata tekemällä lista uudelleen");
        kirjoita_debug_aina("-> proc \"valitse_listan_entry\" abortataan kuitenkin turvallisuus syistä");
        p_.varasto().viestit.virhe("Virhe #2! (sel>listagrid.rowcount-1), ohjelma yrittää korjata virheen...");
        tee_lista();
        return;
    }
    if (r < 1) return;
    valitse_hiljaa(r);
    ListaGrid->verticalScrollBar()->setValue(listan_ylarivi(r, rivit_.rivit(), mini_) - 1);
}

void TLista_Form::valitse_kortti_listasta() {
    const int r = valittu_rivi();
    const int i = rivit_.kortti(r);
    if (i == 0) return;
    if (debug_paalla()) {
        const TKortti& k = p_.varasto().tk().kortit[i];
        kirjoita_debug("[lista] klikattu_nimi    =" + k.nimi);
        kirjoita_debug("[lista] ktietue_nimi     =" + k.nimi);
        kirjoita_debug("[lista] klikattu_kasetti =" + k.kasetilla);
        kirjoita_debug("[lista] klikattu_pos     =" + k.sijainti);
    }
    p_.siirry_korttiin(i);
}

bool TLista_Form::siirry_riville(int suunta) {
    const int r = valittu_rivi() + suunta;
    if (r < 1 || r > rivit_.rivit() || rivit_.kortti(r) == 0) return false;
    if (isVisible()) valitse_listan_entry(r);
    else valitse_hiljaa(r);
    valitse_kortti_listasta();
    return true;
}

void TLista_Form::seuraa_valintaa() {
    const int r = rivit_.rivi(p_.varasto().tk().nykyinen);
    if (r > 0) valitse_listan_entry(r);
}

// ---------------------------------------------------------------------------------------------------------
// Layouts and showing

// Room for a disc number such as "DVD123" in the grid's own font; the title column gives way.
int TLista_Form::kasettisarakkeen_leveys() const {
    return std::max(40, ListaGrid->fontMetrics().horizontalAdvance(QStringLiteral("DVD9999")) + 8);
}

void TLista_Form::iso_lista() {
    mini_ = false;
    resize(iso_leveys, iso_korkeus);
    ListaGrid->setGeometry(8, 8, 449, 451);
    ListaGrid->setColumnHidden(1, false);
    ListaGrid->setColumnHidden(3, false);
    ListaGrid->setColumnWidth(0, kasettisarakkeen_leveys());
    ListaGrid->setColumnWidth(1, 22);
    ListaGrid->setColumnWidth(3, 112);
    const int y = 8 + 451 + 10;
    const int leveys = (449 - 4 * 6) / 5;
    int x = 8;
    for (QPushButton* b : {Etsi_Button, Seuraava_button, Poista_button, tulosta_button, Sulje_Button}) {
        b->setGeometry(x, y, leveys, napin_korkeus);
        x += leveys + 6;
    }
    etsi_label->setGeometry(8, y, 75, napin_korkeus);
    etsi_edit->setGeometry(iso_leveys - 8 - (iso_leveys - 95), y, iso_leveys - 95, napin_korkeus);
    not_found_label->setGeometry(8, y, 449, napin_korkeus);
    etsi_label->hide();
    etsi_edit->hide();
    nayta_napit(true);
}

void TLista_Form::mini_lista() {
    mini_ = true;
    const int korkeus = p_.ikkuna()->height();
    resize(mini_leveys, korkeus);
    ListaGrid->setGeometry(2, 2, mini_leveys - 4, std::max(0, korkeus - 4));
    ListaGrid->setColumnHidden(1, true);
    ListaGrid->setColumnHidden(3, true);
    ListaGrid->setColumnWidth(0, kasettisarakkeen_leveys());
    for (QWidget* w : std::initializer_list<QWidget*>{Etsi_Button, Seuraava_button, Poista_button, tulosta_button,
                                                      Sulje_Button, etsi_label, etsi_edit})
        w->hide();
    not_found_label->setGeometry(2, 2, mini_leveys - 4, napin_korkeus);
}

void TLista_Form::telakoi() {
    QWidget* paa = p_.ikkuna();
    const int vasen = paa->screen() ? paa->screen()->availableGeometry().left() : 0;
    const Vierekkain v = liitetyn_listan_paikka(paa->x() - vasen, frameGeometry().width());
    siirretaan_ = true;
    move(vasen + v.lista_x, paa->y());
    paa->move(vasen + v.paa_x, paa->y());
    siirretaan_ = false;
}

void TLista_Form::aseta_muoto(bool liitetty) {
    if (liitetty) mini_lista();
    else iso_lista();
}

void TLista_Form::nayta_hakutulokset() {
    if (mini_) telakoi();
    show();
    if (mini_) telakoi();
    raise();
    valitse_listan_entry(1);
    valitse_kortti_listasta();
    ListaGrid->setFocus();
}

void TLista_Form::nayta_kaikki() {
    tee_lista();
    if (mini_) telakoi();
    show();
    if (mini_) telakoi();
    raise();
    seuraa_valintaa();
    ListaGrid->setFocus();
}

void TLista_Form::nayta_hakutulos(std::vector<int> indeksit, bool mini) {
    malli_->muuta([&] { rivit_.aseta_hakutulos(std::move(indeksit)); });
    aseta_muoto(mini);
    if (mini_) telakoi();
    show();
    if (mini_) telakoi();
    raise();
    activateWindow();
    valitse_listan_entry(1);
    ListaGrid->setFocus();
    paivita_otsikko();
}

void TLista_Form::nayta_napit(bool nakyvissa) {
    if (mini_) nakyvissa = false;
    for (QPushButton* b : {Etsi_Button, Seuraava_button, Sulje_Button}) b->setVisible(nakyvissa);
    // Deleting or printing a row of search results would act on the wrong list.
    const bool kortin_napit = nakyvissa && !onko_hakutulos();
    Poista_button->setVisible(kortin_napit);
    tulosta_button->setVisible(kortin_napit);
}

void TLista_Form::paivita_otsikko() { setWindowTitle(q_nakyva(rivit_.otsikko(pikahaku_.teksti()))); }

void TLista_Form::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!mini_) {
        pida_tyopoydalla(this);
        etsi_edit->hide();
        etsi_label->hide();
        if (!not_found_label->isVisible()) nayta_napit(true);
    }
    Timer1->start();
    pikahaku_.tyhjenna();
    paivita_otsikko();
}

void TLista_Form::hideEvent(QHideEvent* e) {
    Timer1->stop();
    // A notice still up when the window goes would greet the next opening.
    if (ilmoitusaika->isActive()) {
        ilmoitusaika->stop();
        not_found_label->hide();
        nayta_napit(true);
    }
    QWidget::hideEvent(e);
}

void TLista_Form::closeEvent(QCloseEvent* e) {
    p_.ikkuna()->setEnabled(true);
    QWidget::closeEvent(e);
}

void TLista_Form::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // Edits made in the main window meanwhile reach the list when it is taken into use.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        p_.dosavefields();
        if (isVisible() && !onko_hakutulos()) tee_lista();
    }
}

void TLista_Form::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (!mini_ || siirretaan_ || !isVisible() || not_found_label->isVisible() || !e->spontaneous()) return;
    QWidget* paa = p_.ikkuna();
    siirretaan_ = true;
    paa->move(x() + frameGeometry().width() - 1, y());
    siirretaan_ = false;
}

void TLista_Form::paintEvent(QPaintEvent*) {
    QPainter maalari(this);
    maalari.fillRect(rect(), palette().window());
    if (!tausta_.isNull()) maalari.drawPixmap(0, 0, tausta_);
}

bool TLista_Form::eventFilter(QObject* kohde, QEvent* e) {
    if (kohde == p_.ikkuna()) {
        if (mini_ && isVisible() && !siirretaan_ && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) {
            QWidget* paa = p_.ikkuna();
            siirretaan_ = true;
            if (e->type() == QEvent::Resize) {
                resize(width(), paa->height());
                ListaGrid->setGeometry(2, 2, mini_leveys - 4, std::max(0, paa->height() - 4));
            }
            move(paa->x() - frameGeometry().width() + 1, paa->y());
            siirretaan_ = false;
        }
        return false;
    }
    if (kohde == ListaGrid->viewport() && e->type() == QEvent::Wheel) return true;
    if (kohde == ListaGrid && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->text().isEmpty() || k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab ||
            (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        return ListaGridKeyPress(k->text());
    }
    if (kohde == ListaGrid->horizontalHeader()->viewport() && e->type() == QEvent::MouseButtonRelease) {
        const auto* h = static_cast<QMouseEvent*>(e);
        otsikkoa_klikattu(ListaGrid->horizontalHeader()->logicalIndexAt(h->position().toPoint()), h->button());
        return true;
    }
    return QWidget::eventFilter(kohde, e);
}

// ---------------------------------------------------------------------------------------------------------
// Quick search, find in list, sorting, delete, print

bool TLista_Form::ListaGridKeyPress(const QString& teksti) {
    const std::string merkki = cp(teksti.left(1));
    const bool enter = pikahaku_.nappain(merkki.empty() ? '\0' : merkki[0]);
    if (enter) close();
    kirjoita_debug("Pikaetsi: " + pikahaku_.teksti());
    paivita_otsikko();
    const int r = rivit_.pikahaku(pikahaku_.teksti());
    if (r > 0) {
        if (isVisible()) valitse_listan_entry(r);
        else valitse_hiljaa(r);
        valitse_kortti_listasta();
    }
    return true;
}

void TLista_Form::Etsi_ButtonClick() {
    nayta_napit(false);
    etsi_label->show();
    etsi_edit->clear();
    etsi_edit->setGeometry(width() - 8 - (width() - 95), etsi_edit->y(), width() - 95, napin_korkeus);
    etsi_edit->show();
    etsi_edit->setFocus();
}

void TLista_Form::etsi_listasta() {
    const int r = rivit_.etsi_listasta(valittu_rivi(), haettava_);
    if (r == 0) return ilmoita_ei_loydy();
    valitse_hiljaa(r);
    if (r - 14 > 1 && r + 12 < rivit_.rivit() + 1) ListaGrid->verticalScrollBar()->setValue(r - 14 - 1);
    ListaGrid->setFocus();
}

void TLista_Form::ilmoita_ei_loydy() {
    p_.tyopoyta().piippaa();
    etsi_edit->hide();
    etsi_label->hide();
    for (QPushButton* b : {Etsi_Button, Seuraava_button, Poista_button, tulosta_button, Sulje_Button}) b->hide();
    not_found_label->show();
    not_found_label->raise();
    ilmoitusaika->start();
}

void TLista_Form::otsikkoa_klikattu(int sarake, Qt::MouseButton nappi) {
    const int avain = sarakkeen_avain(sarake);
    if (avain < 0) return;
    if (onko_hakutulos()) {
        p_.varasto().viestit.virhe("Virhe: Hakutuloksia ei toistaiseksi voi järjestää");
        return;
    }
    if (nappi == Qt::LeftButton) viimeisin_suunta_ = Suunta::Nouseva;
    else if (nappi == Qt::RightButton) viimeisin_suunta_ = Suunta::Laskeva;
    p_.dosavefields();
    Tietokanta& tk = p_.varasto().tk();
    if (!jarjesta_tietokanta(tk, avain, viimeisin_suunta_, p_.varasto().viestit)) return;
    p_.siirry_korttiin(tk.nykyinen);
    p_.muutokset().ilmoita_kortit();
    tee_lista();
    seuraa_valintaa();
}

void TLista_Form::Poista_buttonClick() {
    if (p_.varasto().viestit.kysy(diag::Laji::Vahvistus, "Haluatko varmasti poistaa tämän kortin?") !=
        diag::Vastaus::Kylla)
        return;
    Tietokanta& tk = p_.varasto().tk();
    const int i = rivit_.kortti(valittu_rivi());
    if (i == 0) return;
    odota_kannet(tk);
    tk.kortit.merkitse_muutetuksi();
    poista_kortti(tk.kortit, i, p_.varasto().kansio);
    if (tk.kortit.korttien_maara() == 0) tk.kortit.lisaa_uusi();
    // The card that was shown stays shown when an earlier one goes.
    if (i < tk.nykyinen) --tk.nykyinen;
    tk.nykyinen = std::clamp(tk.nykyinen, 1, tk.kortit.korttien_maara());
    tee_lista();
    p_.muutokset().ilmoita_kortit();
    p_.siirry_korttiin(tk.nykyinen);
    valitse_listan_entry(std::min(i, rivit_.rivit()));
    paivita_otsikko();
}

void TLista_Form::aseta_tulostus(std::function<void()> tulosta) {
    tulosta_ = std::move(tulosta);
    tulosta_button->setEnabled(static_cast<bool>(tulosta_));
    tulosta_button->setToolTip({});
}

void TLista_Form::tulosta_buttonClick() {
    if (!tulosta_) return;
    if (p_.varasto().viestit.kysy(diag::Laji::Vahvistus, "Haluatko varmasti tulostaa listan?") == diag::Vastaus::Kylla)
        tulosta_();
}
