#include "mainwindow/ui/sivupaneeli.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "mainwindow/nakymat.h"
#include "mainwindow/ui/cover_form.h"
#include "mainwindow/ui/pieni_kansi.h"
#include "perus/ui/kuvatiedosto.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/varasto.h"

namespace {

// The panel's own origin in the card area; the skins' pictures are drawn for these positions.
constexpr int ruudukon_x = 27;
constexpr int ruudukon_leveys = 185;
constexpr int alueen_korkeus = 147;

// Checks the view menu's radio item of view n.
void rastita_nakyma(QActionGroup* ryhma, int n) {
    for (QAction* a : ryhma->actions())
        if (a->data().toInt() == n) a->setChecked(true);
}

bool samat_rivit(const MuutElokuvat& a, const MuutElokuvat& b) {
    if (a.otsake != b.otsake || a.liikaa != b.liikaa || a.rivit.size() != b.rivit.size()) return false;
    for (std::size_t i = 0; i < a.rivit.size(); ++i)
        if (a.rivit[i].nimi != b.rivit[i].nimi || a.rivit[i].sijainti != b.rivit[i].sijainti ||
            a.rivit[i].indeksi != b.rivit[i].indeksi)
            return false;
    return true;
}

// Sets a cell's text, reusing the cell's item when it has one.
void aseta_solu(QTableWidget* g, int rivi, int sarake, const QString& t, Qt::ItemFlags liput) {
    QTableWidgetItem* i = g->item(rivi, sarake);
    if (!i) {
        i = new QTableWidgetItem;
        g->setItem(rivi, sarake, i);
    }
    if (i->text() != t) i->setText(t);
    if (i->flags() != liput) i->setFlags(liput);
}

}  // namespace

Sivupaneeli::Sivupaneeli(Paaikkuna& p, QWidget* parent) : QWidget(parent), p_(p) {
    setObjectName("Sivupaneeli");
    setGeometry(440, 216, ruudukon_x + ruudukon_leveys + 1, alueen_korkeus + 1);
    tee_ruudukot();
    tee_nakymat();
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

void Sivupaneeli::tee_ruudukot() {
    Muut_elokuvat_grid = new QTableWidget(1, 2, this);
    Muut_elokuvat_grid->setObjectName("Muut_elokuvat_grid");
    custom_kentat_grid = new QTableWidget(9, 2, this);
    custom_kentat_grid->setObjectName("custom_kentat_grid");
    for (QTableWidget* g : {Muut_elokuvat_grid, custom_kentat_grid}) {
        g->horizontalHeader()->hide();
        g->verticalHeader()->hide();
        g->verticalHeader()->setMinimumSectionSize(12);
        g->verticalHeader()->setDefaultSectionSize(16);
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setWordWrap(false);
        // A text too long for its cell shows its beginning; the whole text is in its tool tip.
        g->setTextElideMode(Qt::ElideRight);
    }
    Muut_elokuvat_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Muut_elokuvat_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Muut_elokuvat_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Muut_elokuvat_grid->setColumnWidth(0, 166);
    Muut_elokuvat_grid->setColumnWidth(1, 14);
    Muut_elokuvat_grid->setGeometry(ruudukon_x, 0, ruudukon_leveys, alueen_korkeus);
    // "Lisätiedot:" reads whole in the name column.
    custom_kentat_grid->setColumnWidth(0, 76);
    custom_kentat_grid->setColumnWidth(1, 104);
    custom_kentat_grid->setGeometry(ruudukon_x, 0, ruudukon_leveys, alueen_korkeus);
    custom_kentat_grid->setItem(0, 0, new QTableWidgetItem(fi("Lisätiedot:")));
    custom_kentat_grid->setItem(0, 1, new QTableWidgetItem());
    for (int c = 0; c < 2; ++c) custom_kentat_grid->item(0, c)->setFlags(Qt::ItemIsEnabled);
    // An edit in the extra fields' grid is a change of the card like typing in a field.
    connect(custom_kentat_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* i) {
        if (paivitetaan_) return;
        p_.varasto().tk().kortit.merkitse_muutetuksi();
        i->setToolTip(nakyva(i->text(), vihjeen_nayttoraja));
    });
    connect(Muut_elokuvat_grid, &QTableWidget::cellClicked, this, [this](int rivi, int) {
        if (rivi < 1 || rivi >= static_cast<int>(muut_rivikartta_.size())) return;
        const int indeksi = muut_rivikartta_[static_cast<std::size_t>(rivi)];
        if (indeksi == MuutElokuvat::tyhja_rivi || indeksi >= p_.varasto().tk().kortit.Count()) return;
        p_.dosavefields();
        p_.varasto().tk().nykyinen = indeksi;
        p_.update_fields();
    });
}

void Sivupaneeli::tee_nakymat() {
    auto ikoni = [this](const char* nimi, int y, const char* vihje) {
        auto* l = new QLabel(this);
        l->setObjectName(nimi);
        l->setGeometry(0, y, 21, 21);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(fi(vihje));
        return l;
    };
    lista_and_info_icon = ikoni("lista_and_info_icon", 0, "Näytä lista muista elokuvista tällä kasetilla ja lisätiedot");
    lista_icon = ikoni("lista_icon", 26, "Näytä lista muista elokuvista tällä kasetilla");
    info_icon = ikoni("info_icon", 52, "Näytä elokuvan lisätiedot");
    kansi_icon = ikoni("kansi_icon", 77, "Näytä elokuvan kansikuva");
    auto_icon = ikoni("auto_icon", 102,
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
    nakyma("nayta_lista_and_info", "Näytä sisältölista && lisätiedot", 0)->setChecked(true);
    nakyma("nayta_lista", "Näytä kasetin/levyn sisältölista", 1);
    nakyma("nayta_lisatiedot", "Elokuvan lisätiedot", 2);
    nakyma("nayta_kansi", "Elokuvan kansikuva", 3);
    NakymaPopUp->addSeparator();
    automode = NakymaPopUp->addAction(fi("Valitse näkymä autom."));
    automode->setObjectName("automode");
    automode->setCheckable(true);
    connect(automode, &QAction::triggered, this, [this] { sovella_nakyma(true); });
    poista_kansikuva = NakymaPopUp->addAction(fi("Poista kansikuva"));
    poista_kansikuva->setObjectName("poista_kansikuva");
    poista_kansikuva->setVisible(false);
    connect(poista_kansikuva, &QAction::triggered, this, &Sivupaneeli::poista_kansikuvaClick);

    cover_image = new PieniKansi(p_.varasto(), this);
    cover_image->setGeometry(ruudukon_x, 0, PieniKansi::leveys, PieniKansi::korkeus);
    cover_image->hide();
    connect(cover_image, &PieniKansi::klikattu, this, &Sivupaneeli::nayta_iso_kansi);
    connect(cover_image, &PieniKansi::kansi_poistettu, this, [this] {
        p_.varasto().tk().kortit.merkitse_muutetuksi();
        nayta_kuvakkeet();
    });
}

// ---------------------------------------------------------------------------------------------------------
// The card

void Sivupaneeli::nayta(const TKortti& k) {
    paivitetaan_ = true;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 0; c < 2; ++c) {
            const std::string_view arvo = c == 0 ? k.lisatieto_nimi[static_cast<std::size_t>(r)] : k.lisatieto[static_cast<std::size_t>(r)];
            const QString t = q_nakyva(arvo);
            // A cell holds only the beginning of a huge value, so it is not edited here: saving what it
            // holds would lose the rest.
            const bool pitka = katkeaa(arvo);
            aseta_solu(custom_kentat_grid, r, c, t,
                       Qt::ItemIsEnabled | Qt::ItemIsSelectable | (pitka ? Qt::NoItemFlags : Qt::ItemIsEditable));
            QString vihje = nakyva(t, vihjeen_nayttoraja);
            if (pitka) {
                vihje += fi("\n\n(") + QString::number(arvo.size()) + fi(" merkkiä: vain alku näytetään, eikä tekstiä voi muokata tässä.)");
                katkaistut_[{r, c}] = t;
            } else {
                katkaistut_.erase({r, c});
            }
            custom_kentat_grid->item(r, c)->setToolTip(vihje);
        }
    }
    paivitetaan_ = false;
    sovella_nakyma(true);
    kirjoita_debug("cover_fn=" + k.cover_fn);
    cover_image->aseta_pehmennys(p_.asetukset().smoothen_cover);
    cover_image->ajasta();
}

void Sivupaneeli::tallenna(TKortti& k) const {
    for (int r = 1; r <= 8; ++r) {
        for (int c = 0; c < 2; ++c) {
            const QTableWidgetItem* i = custom_kentat_grid->item(r, c);
            const QString t = i ? i->text() : QString();
            if (const auto j = katkaistut_.find({r, c}); j != katkaistut_.end() && j->second == t) continue;
            auto& kentta = c == 0 ? k.lisatieto_nimi[static_cast<std::size_t>(r)] : k.lisatieto[static_cast<std::size_t>(r)];
            std::string uusi = cp(t);
            if (std::string_view(kentta) != uusi) kentta = std::move(uusi);
        }
    }
}

void Sivupaneeli::uuden_kortin_nimet(TKortti& k) {
    for (int i = 0; i < 4; ++i) {
        k.lisatieto_nimi[static_cast<std::size_t>(i + 1)] = p_.asetukset().custom_default(i);
        aseta_solu(custom_kentat_grid, i + 1, 0, q(p_.asetukset().custom_default(i)),
                   Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    }
}

// ---------------------------------------------------------------------------------------------------------
// The other movies of the cassette and the view

void Sivupaneeli::rakenna_muut_elokuvat() {
    const Tietokanta& tk = p_.varasto().tk();
    MuutElokuvat m = muut_elokuvat(tk.kortit, tk.nykyinen, hakemisto_);
    QTableWidget* g = Muut_elokuvat_grid;
    // Moving within one cassette only moves the selection.
    if (naytetyt_kelvolliset_ && samat_rivit(m, naytetyt_)) {
        if (g->rowCount() > 1) g->selectRow(m.liikaa ? 1 : m.valittu);
        return;
    }
    muut_rivikartta_.assign(1, MuutElokuvat::tyhja_rivi);
    const Qt::ItemFlags otsake = Qt::ItemIsEnabled;
    const Qt::ItemFlags rivi = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m.liikaa) {
        g->setRowCount(2);
        aseta_solu(g, 0, 0, fi("TOIMINTO EI OLE KÄYTÖSSÄ"), otsake);
        aseta_solu(g, 0, 1, QString(), otsake);
        aseta_solu(g, 1, 0, fi("syy: ei kas./levyjen numerointia"), rivi);
        aseta_solu(g, 1, 1, "0", rivi);
        muut_rivikartta_.push_back(MuutElokuvat::tyhja_rivi);
    } else {
        g->setRowCount(static_cast<int>(m.rivit.size()) + 1);
        aseta_solu(g, 0, 0, q_nakyva(m.otsake), otsake);
        aseta_solu(g, 0, 1, "S", otsake);
        for (std::size_t r = 0; r < m.rivit.size(); ++r) {
            aseta_solu(g, static_cast<int>(r) + 1, 0, q_nakyva(m.rivit[r].nimi), rivi);
            aseta_solu(g, static_cast<int>(r) + 1, 1, q_nakyva(m.rivit[r].sijainti), rivi);
            muut_rivikartta_.push_back(m.rivit[r].indeksi);
        }
    }
    for (int r = 0; r < g->rowCount(); ++r) g->item(r, 0)->setToolTip(nakyva(g->item(r, 0)->text(), vihjeen_nayttoraja));
    QFont lihava = g->font();
    lihava.setBold(true);
    lihava.setPixelSize(11);
    for (int c = 0; c < 2; ++c) g->item(0, c)->setFont(lihava);
    // The heading keeps both its beginning and the cassette number at its end when it does not fit.
    const QString koko = g->item(0, 0)->text();
    g->item(0, 0)->setText(QFontMetrics(lihava).elidedText(koko, Qt::ElideMiddle, 152 - 8));
    g->item(0, 0)->setToolTip(nakyva(koko, vihjeen_nayttoraja));
    if (g->rowCount() > 1) g->selectRow(m.liikaa ? 1 : m.valittu);
    naytetyt_ = std::move(m);
    naytetyt_kelvolliset_ = true;
    mitoita_ruudukot();
}

void Sivupaneeli::mitoita_ruudukot() {
    QTableWidget* g = Muut_elokuvat_grid;
    QRect muut(ruudukon_x, 0, ruudukon_leveys, alueen_korkeus);
    QRect omat = muut;
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
        muut.setHeight(korkeus);
        omat = QRect(ruudukon_x, korkeus - 3, ruudukon_leveys, alueen_korkeus + 3 - korkeus);
    }
    // Nothing is resized or scrolled when the layout stays as it was.
    if (g->geometry() != muut) g->setGeometry(muut);
    if (custom_kentat_grid->geometry() != omat) {
        custom_kentat_grid->setGeometry(omat);
        custom_kentat_grid->scrollToTop();
    }
    const bool kaikki_nakyvat = g->rowCount() * 16 + 3 <= g->height();
    const auto palkki = kaikki_nakyvat ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn;
    if (g->verticalScrollBarPolicy() != palkki) g->setVerticalScrollBarPolicy(palkki);
    if (g->columnWidth(0) != (kaikki_nakyvat ? 166 : 152)) g->setColumnWidth(0, kaikki_nakyvat ? 166 : 152);
    const auto valitut = g->selectionModel()->selectedRows();
    if (!valitut.isEmpty()) g->scrollToItem(g->item(valitut.first().row(), 0));
}

bool Sivupaneeli::automaattinen() const { return automode->isChecked(); }

void Sivupaneeli::aseta_nakyma(int n) {
    n = std::clamp(n, 0, 3);
    rastita_nakyma(nakymaryhma, n);
    sovella_nakyma(false);
    if (n == 0) Muut_elokuvat_grid->setFocus(Qt::OtherFocusReason);
    if (n == 3) p_.update_fields();
}

void Sivupaneeli::aloita_nakymalla(int n) {
    rastita_nakyma(nakymaryhma, std::clamp(n, 0, 3));
    sovella_nakyma(false);
}

void Sivupaneeli::sovella_nakyma(bool kortti_naytetty) {
    const Tietokanta& tk = p_.varasto().tk();
    if (kortti_naytetty && automaattinen()) {
        // The movies are counted on the cassette of the card just shown, not of the one before it.
        const TKortti& k = tk.kortit[tk.nykyinen];
        const MuutElokuvat m = muut_elokuvat(tk.kortit, tk.nykyinen, hakemisto_);
        const int rivit = m.liikaa ? 0 : static_cast<int>(m.rivit.size()) + 1;
        rastita_nakyma(nakymaryhma, static_cast<int>(automaattinen_nakyma(rivit, !k.cover_fn.empty())));
    }
    nakyma_ = nakymaryhma->checkedAction() ? nakymaryhma->checkedAction()->data().toInt() : 0;
    p_.asetukset().nakyma_mode = nakyma_;
    Muut_elokuvat_grid->setVisible(nakyma_ == 0 || nakyma_ == 1);
    custom_kentat_grid->setVisible(nakyma_ == 0 || nakyma_ == 2);
    cover_image->setVisible(nakyma_ == 3);
    if ((nakyma_ == 0 || nakyma_ == 1) && tk.kortit.Count() > 1) rakenna_muut_elokuvat();
    mitoita_ruudukot();
    nayta_kuvakkeet();
}

void Sivupaneeli::nayta_kuvakkeet() {
    const Tietokanta& tk = p_.varasto().tk();
    const Ulkoasu& u = p_.asetukset().ulkoasu;
    auto aseta = [this, &u](QLabel* l, Ikoni i, bool kirkas) {
        const QImage& kuva = ikonit_[static_cast<std::size_t>(i)];
        const qint64 avain = kuva.cacheKey() ^ (kirkas ? 1 : 0);
        // The same picture is not set again: a move between cards changes the icons seldom.
        if (l->property("kuva").toLongLong() == avain && !l->pixmap().isNull()) return;
        l->setProperty("kuva", avain);
        l->setPixmap(QPixmap::fromImage(kirkas && !kuva.isNull() ? korostettu(kuva, u.icon_korostus) : kuva));
    };
    const bool kortti = tk.nykyinen >= 1 && tk.nykyinen < tk.kortit.Count();
    bool lisatietoja = false, kansi = false;
    if (kortti) {
        const TKortti& k = tk.kortit[tk.nykyinen];
        kansi = !k.cover_fn.empty();
        for (std::size_t i = 1; i <= 8; ++i) lisatietoja = lisatietoja || !k.lisatieto_nimi[i].empty() || !k.lisatieto[i].empty();
    }
    const bool nakyvissa = window()->isVisible();
    aseta(auto_icon, Ikoni::auto_icon, automaattinen());
    aseta(lista_and_info_icon, Ikoni::lista_info_icon, nakyma_ == 0);
    aseta(lista_icon, Ikoni::lista_icon, nakyma_ == 1);
    aseta(info_icon, nakyvissa && lisatietoja ? Ikoni::info_available_icon : Ikoni::info_icon, nakyma_ == 2);
    aseta(kansi_icon, nakyvissa && kansi ? Ikoni::kansi_available_icon : Ikoni::kansi_icon, nakyma_ == 3);
}

void Sivupaneeli::nayta_nakymavalikko(const QPoint& kohta) {
    poista_kansikuva->setVisible(nakyma_ == 3 && cover_image->nayttaa_kannen());
    NakymaPopUp->popup(kohta);
}

bool Sivupaneeli::vierittaa_itse(const QWidget* w) const {
    return w && (Muut_elokuvat_grid->isAncestorOf(w) || custom_kentat_grid->isAncestorOf(w));
}

// ---------------------------------------------------------------------------------------------------------
// Events

bool Sivupaneeli::eventFilter(QObject* o, QEvent* e) {
    switch (e->type()) {
        case QEvent::FocusIn:
            if (o == custom_kentat_grid && nakyma_ != 2) aseta_nakyma(2);
            break;
        case QEvent::MouseButtonPress: {
            const auto* m = static_cast<QMouseEvent*>(e);
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
        default: break;
    }
    return QWidget::eventFilter(o, e);
}

void Sivupaneeli::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::RightButton && p.x() >= ruudukon_x + 1 && p.y() >= 1 && p.y() <= alueen_korkeus - 3) {
        nayta_nakymavalikko(e->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(e);
}

// ---------------------------------------------------------------------------------------------------------
// The cover

void Sivupaneeli::nayta_iso_kansi() {
    while (cover_image->lataus_kesken()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Varasto& v = p_.varasto();
    TKortti& k = v.tk().kortit[v.tk().nykyinen];
    // The picture is looked for on disk, so the large cover opens from the list views too.
    if (!k.cover_fn.empty()) pura_kansi(k, v);
    if (!k.cover_fn.empty() && !kansikuva_olemassa(v.kansio, k.cover_fn)) {
        v.viestit.virhe("VIRHE: Tiedostoa \"" + lyhennetty(k.cover_fn) + "\" ei löydy, poistetaan kansikuva..");
        k.cover_fn.clear();
        v.tk().kortit.merkitse_muutetuksi();
        nayta_kuvakkeet();
    }
    if (k.cover_fn.empty()) {
        v.viestit.tieto("Kortti ei sisällä elokuvan kansikuvaa, voit liittää korttiin kansikuvan\n"
                        "raahaamalla tiedoston (.gif tai .jpg) ohjelmaikkunaan");
        return;
    }
    Tcover_form f(v, {[this] { p_.update_fields(); }, [this] { p_.tyopoyta().piippaa(); }}, p_.ikkuna());
    if (f.lataa_kansi()) p_.tyopoyta().nayta_dialogi(f);
}

void Sivupaneeli::poista_kansikuvaClick() {
    Varasto& v = p_.varasto();
    odota_kannet(v.tk());
    TKortti& k = v.tk().kortit[v.tk().nykyinen];
    if (k.cover_fn.empty() || !kansikuva_olemassa(v.kansio, k.cover_fn)) return;
    if (!kansi_jaettu(v.tk().kortit, v.tk().nykyinen)) poista_kortin_kansi(v.kansio, k);
    k.cover_fn.clear();
    v.tk().kortit.merkitse_muutetuksi();
    p_.update_fields();
}

void Sivupaneeli::ota_ulkoasu(const Ulkoasu& u) {
    for (int i = 0; i < ikoneita; ++i)
        ikonit_[static_cast<std::size_t>(i)] = lue_kuva(p_.varasto().tj(), u.ikoni(static_cast<Ikoni>(i)));
    nayta_kuvakkeet();
}
