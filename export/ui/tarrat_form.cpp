#include "export/ui/tarrat_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>
#include <tuple>

#include "diag/loki.h"
#include "diag/ui/nappi.h"
#include "diag/ui/teksti.h"
#include "export/ui/esikatselu.h"
#include "find/sorttaus.h"
#include "perus/tiedostojarjestelma.h"
#include "perus/teksti.h"
#include "perus/ui/kuvatiedosto.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/asetukset_form.h"
#include "settings/ui/tulostin.h"
#include "storage/varasto.h"

namespace {

constexpr const char* kotisivu = "http://www.rullakko.net/";
constexpr int esikatselu_leveys = 282;
constexpr QSize paalyksen_esikatselu(364, 222);

QProgressBar* palkki(QWidget* isa, const char* nimi) {
    auto* p = new QProgressBar(isa);
    p->setObjectName(nimi);
    p->setTextVisible(false);
    return p;
}

// A page's cassette list with its select-all and select-none buttons, in a group box of its own:
// the box, the list and the two buttons.
std::tuple<QGroupBox*, QListWidget*, QPushButton*, QPushButton*> kasettiryhma(QWidget* sivu, const char* listan_nimi,
                                                                              const char* kaikki_nimi,
                                                                              const char* tyhja_nimi) {
    auto* lista = new QListWidget(sivu);
    lista->setObjectName(listan_nimi);
    lista->setUniformItemSizes(true);
    QPushButton* kaikki = nappi(sivu, kaikki_nimi, "Kaikki");
    QPushButton* tyhja = nappi(sivu, tyhja_nimi, "Tyhjennä");
    auto* ryhma = new QGroupBox(fi("Kasetit"), sivu);
    auto* l = new QGridLayout(ryhma);
    l->addWidget(lista, 0, 0, 1, 2);
    l->addWidget(kaikki, 1, 0);
    l->addWidget(tyhja, 1, 1);
    return {ryhma, lista, kaikki, tyhja};
}

void aseta_kaikki(QListWidget* l, bool paalla) {
    for (int i = 0; i < l->count(); ++i) l->item(i)->setCheckState(paalla ? Qt::Checked : Qt::Unchecked);
}

int valittuja(const QListWidget* l) {
    int n = 0;
    for (int i = 0; i < l->count(); ++i) n += l->item(i)->checkState() == Qt::Checked;
    return n;
}

// A row shows the beginning of its cassette number and keeps the whole number, which the labels are made of.
void lisaa_rivi(QListWidget* l, const QByteArray& kasetti, Qt::CheckState tila) {
    const std::string_view k(kasetti.constData(), static_cast<std::size_t>(kasetti.size()));
    auto* r = new QListWidgetItem(fi(tarrat::rivin_alku) + q_nakyva(k), l);
    r->setData(Qt::UserRole, kasetti);
    r->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    r->setCheckState(tila);
}

QByteArray rivin_kasetti(const QListWidgetItem* r) { return r->data(Qt::UserRole).toByteArray(); }

}  // namespace

Ttarrat_preview_form::Ttarrat_preview_form(const QImage& arkki, QWidget* parent) : QDialog(parent) {
    setWindowTitle(fi("Esikatselu"));
    kuva = new QLabel(this);
    kuva->setObjectName("kuva");
    const QScreen* naytto = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const int korkein = naytto ? naytto->availableGeometry().height() * 85 / 100 : 800;
    kuva->setPixmap(QPixmap::fromImage(arkki.scaledToHeight(std::min(korkein, arkki.height()), Qt::SmoothTransformation)));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(kuva);
    l->setSizeConstraint(QLayout::SetFixedSize);
}

Ttarrat_form::Ttarrat_form(Paaikkuna& p, QWidget* parent) : QDialog(parent), p_(p) {
    Varasto& v = p.varasto();
    TAsetukset& a = p.asetukset();
    piirtaja_ = std::make_unique<Tarrapiirtaja>(v.tk().kortit, v.kansio, v.viestit, v.kiire, tarra_asetukset(a));
    setWindowTitle(fi("Tulosta"));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    STarrat = new QWidget;
    STarrat->setObjectName("STarrat");
    PTarrat = new QWidget;
    PTarrat->setObjectName("PTarrat");
    PageControl->addTab(STarrat, fi("Sivutarrat"));
    PageControl->addTab(PTarrat, fi("Päälystarrat"));

    // Spine labels.
    QGroupBox* kasetit = nullptr;
    std::tie(kasetit, Tulosta_kasetit_lista, sel_all, sel_none) =
        kasettiryhma(STarrat, "Tulosta_kasetit_lista", "sel_all", "sel_none");

    auto* ulkoasu = new QGroupBox(fi("Tarran ulkoasu"), STarrat);
    tarra_prev = new QLabel(ulkoasu);
    tarra_prev->setObjectName("tarra_prev");
    tarra_prev->setFixedSize(338, 45);
    tarra_prev->setScaledContents(true);
    tarra_prev->setCursor(Qt::PointingHandCursor);
    tarra_prev->setToolTip(fi("Napsauta vaihtaaksesi seuraavaan tarrapohjaan"));
    tarra_prev->installEventFilter(this);
    starra_fn = new QComboBox(ulkoasu);
    starra_fn->setObjectName("starra_fn");
    kasetin_numeron_vari = new QLabel(ulkoasu);
    kasetin_numeron_vari->setObjectName("kasetin_numeron_vari");
    kasetin_numeron_vari->setFixedSize(40, 22);
    kasetin_numeron_vari->setFrameShape(QFrame::Box);
    kasetin_numeron_vari->setAutoFillBackground(true);
    kasetin_numeron_vari->setCursor(Qt::PointingHandCursor);
    kasetin_numeron_vari->installEventFilter(this);
    auto* ul = new QGridLayout(ulkoasu);
    ul->addWidget(starra_fn, 0, 0, 1, 2);
    ul->addWidget(tarra_prev, 1, 0, 1, 2);
    ul->addWidget(new QLabel(fi("Kasetin numeron väri"), ulkoasu), 2, 0);
    ul->addWidget(kasetin_numeron_vari, 2, 1, Qt::AlignLeft);

    auto* esikatselu_ryhma = new QGroupBox(fi("Esikatselu"), STarrat);
    Preview = new QLabel(esikatselu_ryhma);
    Preview->setObjectName("Preview");
    Preview->setFixedSize(esikatselu_leveys, esikatselu_leveys);
    Preview->setStyleSheet(QStringLiteral("background: white; border: 1px solid #888;"));
    Preview->installEventFilter(this);
    iso_esikatselu_button = nappi(esikatselu_ryhma, "iso_esikatselu_button", "Suurempi esikatselu");
    auto* el = new QVBoxLayout(esikatselu_ryhma);
    el->addWidget(Preview);
    el->addWidget(iso_esikatselu_button);

    esikatsele_button = nappi(STarrat, "esikatsele_button", "Esikatsele");
    asetukset_button = nappi(STarrat, "asetukset_button", "Asetukset");
    Tulosta = nappi(STarrat, "Tulosta", "Tulosta");
    sulje_button = nappi(STarrat, "sulje_button", "Sulje");
    ProgressBar1 = palkki(STarrat, "ProgressBar1");
    tyoskennellaan_label = new QLabel(fi("Työskennellään..."), STarrat);
    tyoskennellaan_label->setObjectName("tyoskennellaan_label");
    tyoskennellaan_label->hide();

    auto* keski = new QVBoxLayout;
    keski->addWidget(ulkoasu);
    keski->addStretch();
    keski->addWidget(tyoskennellaan_label);
    keski->addWidget(ProgressBar1);
    auto* snapit = new QHBoxLayout;
    snapit->addWidget(esikatsele_button);
    snapit->addWidget(asetukset_button);
    snapit->addWidget(Tulosta);
    snapit->addWidget(sulje_button);
    keski->addLayout(snapit);
    auto* sl = new QHBoxLayout(STarrat);
    sl->addWidget(kasetit, 1);
    sl->addLayout(keski, 0);
    sl->addWidget(esikatselu_ryhma, 0);

    // Top labels.
    QGroupBox* pkasetit = nullptr;
    std::tie(pkasetit, ptarra_lista, sel_all_plista, sel_none_plista) =
        kasettiryhma(PTarrat, "ptarra_lista", "sel_all_plista", "sel_none_plista");

    auto* pesikatselu = new QGroupBox(fi("Esikatselu"), PTarrat);
    PTarra_prew_panel = new QFrame(pesikatselu);
    PTarra_prew_panel->setObjectName("PTarra_prew_panel");
    PTarra_prew_panel->setStyleSheet(QStringLiteral("#PTarra_prew_panel { background: white; }"));
    ptarra_preview = new QLabel(PTarra_prew_panel);
    ptarra_preview->setObjectName("ptarra_preview");
    ptarra_preview->setFixedSize(paalyksen_esikatselu);
    ptarra_preview->setScaledContents(true);
    ptarra_preview->installEventFilter(this);
    auto* ppl = new QVBoxLayout(PTarra_prew_panel);
    ppl->setContentsMargins(6, 6, 6, 6);
    ppl->addWidget(ptarra_preview);
    preview_vihje = new QLabel(fi("Tuplaklikkaa kasetin numeroa listasta nähdäksesi esikatselun"), pesikatselu);
    preview_vihje->setObjectName("preview_vihje");
    preview_vihje->setAlignment(Qt::AlignCenter);
    preview_vihje->setStyleSheet(QStringLiteral("background: #DDDDDD; color: black; padding: 3px;"));
    tee_ptarra_progress = palkki(pesikatselu, "tee_ptarra_progress");
    tee_ptarra_progress->setMaximumHeight(8);
    auto* pel = new QVBoxLayout(pesikatselu);
    pel->addWidget(PTarra_prew_panel, 0, Qt::AlignHCenter);
    pel->addWidget(tee_ptarra_progress);
    pel->addWidget(preview_vihje);

    auto* pasetukset = new QGroupBox(fi("Asetukset"), PTarrat);
    PTarra_fn = new QComboBox(pasetukset);
    PTarra_fn->setObjectName("PTarra_fn");
    PTarra_fn->installEventFilter(this);
    keskita_teksti = new QCheckBox(fi("Keskitä teksti"), pasetukset);
    keskita_teksti->setObjectName("keskita_teksti");
    lisaa_nopeus = new QCheckBox(fi("Lisää nauhanopeus elokuvan nimen perään"), pasetukset);
    lisaa_nopeus->setObjectName("lisaa_nopeus");
    remove_eng = new QCheckBox(fi("Poista englanninkielinen elokuvan nimi"), pasetukset);
    remove_eng->setObjectName("remove_eng");
    auto* pal = new QGridLayout(pasetukset);
    pal->addWidget(new QLabel(fi("Tarran ulkoasu:"), pasetukset), 0, 0);
    pal->addWidget(PTarra_fn, 0, 1);
    pal->addWidget(keskita_teksti, 1, 0, 1, 2);
    pal->addWidget(lisaa_nopeus, 2, 0, 1, 2);
    pal->addWidget(remove_eng, 3, 0, 1, 2);

    auto* huomautus = new QLabel(
        fi("Kuvien suuresta tarkkuudesta johtuen tulostus kuluttaa paljon keskusmuistia. Jos koneessasi on alle "
           "alle 64 Megatavua muistia, kannattaa tulostaa vain yksi sivu kerrallaan. Varmista myös että koneessa "
           "on tarpeeksi tyhjää kiintolevyä virtuaalimuistille!"),
        PTarrat);
    huomautus->setWordWrap(true);
    tulosta_ptarrat_button = nappi(PTarrat, "tulosta_ptarrat_button", "Tulosta");
    asetukset_button2 = nappi(PTarrat, "asetukset_button2", "Asetukset");
    psulje_button = nappi(PTarrat, "psulje_button", "Sulje");
    PT_Progressbar = palkki(PTarrat, "PT_Progressbar");
    auto* pkeski = new QVBoxLayout;
    pkeski->addWidget(pesikatselu);
    pkeski->addWidget(pasetukset);
    pkeski->addWidget(huomautus);
    pkeski->addStretch();
    pkeski->addWidget(PT_Progressbar);
    auto* pnapit = new QHBoxLayout;
    pnapit->addStretch();
    pnapit->addWidget(tulosta_ptarrat_button);
    pnapit->addWidget(asetukset_button2);
    pnapit->addWidget(psulje_button);
    pkeski->addLayout(pnapit);
    auto* pl = new QHBoxLayout(PTarrat);
    pl->addWidget(pkasetit, 1);
    pl->addLayout(pkeski, 0);
    huomautus->setMaximumWidth(paalyksen_esikatselu.width() + 60);

    auto* l = new QVBoxLayout(this);
    l->addWidget(PageControl);
    resize(860, 520);

    // The cassette lists.
    const std::vector<std::string> rivit = tarrat::kasettirivit(v.tk().kortit);
    for (const std::string& r : rivit) {
        const std::string kasetti = tarrat::rivin_kasetti(r);
        const QByteArray k(kasetti.data(), static_cast<qsizetype>(kasetti.size()));
        lisaa_rivi(Tulosta_kasetit_lista, k, Qt::Unchecked);
        lisaa_rivi(ptarra_lista, k, Qt::Unchecked);
    }
    if (rivit.empty())
        v.viestit.virhe("Tietokanta ei sisällä kasettien numeroita!\nNumeroi korttisi (Kasetilla/Levyllä nro), "
                        "katso mallia esimerkki tietokannasta (esimerkki.rkb)");

    // The templates.
    const std::vector<std::string> ppohjat = listaa_pohjat(v.kansio, paalyspohjat);
    const std::vector<std::string> spohjat = listaa_pohjat(v.kansio, sivupohjat);
    for (const std::string& n : ppohjat) PTarra_fn->addItem(q(n));
    for (const std::string& n : spohjat) starra_fn->addItem(q(n));
    if (ppohjat.empty() || spohjat.empty())
        v.viestit.virhe(std::string("Virhe! Tiedostoja puuttuu! Hae ohjalma kokonaisuudessaan osoitteesta ") + kotisivu);

    std::uint64_t vapaana = 0;
    if (v.tj().vapaa_tila(v.kansio.juuri(), vapaana) && vapaana / 1000024 < 50)
        v.viestit.tieto("C-asemallasi on vähän tilaa. Ohjelmalta saattaa loppua virtuaalimuisti kesken, mikäli "
                        "koneessasi on vähän muistia! Lisätietoa asiasta tiedoston [Lueminut.HTML - 5b. ongelmia] "
                        "osiossa.");

    auto valitse = [](QComboBox* c, const std::string& nimi) {
        const int i = c->findText(q(pienet_kirjaimet(nimi)));
        c->setCurrentIndex(i >= 0 ? i : (c->count() > 0 ? 0 : -1));
    };
    valitse(starra_fn, a.starra_fn);
    valitse(PTarra_fn, a.ptarra_fn);
    aseta_numeron_vari(a.def_kas_num_color == 1);
    keskita_teksti->setChecked(a.ptarra_keskita);
    lisaa_nopeus->setChecked(a.ptarra_lisaa_nopeus);
    remove_eng->setChecked(a.ptarra_remove_eng);
    lataa_sivupohja();
    lataa_paalyspohja();

    connect(starra_fn, &QComboBox::currentIndexChanged, this, [this] { lataa_sivupohja(); });
    connect(PTarra_fn, &QComboBox::currentIndexChanged, this, [this] { lataa_paalyspohja(); });
    for (const auto& [lista, kaikki, tyhja] : {std::tuple{Tulosta_kasetit_lista, sel_all, sel_none},
                                               std::tuple{ptarra_lista, sel_all_plista, sel_none_plista}}) {
        QListWidget* l = lista;
        connect(kaikki, &QPushButton::clicked, this, [this, l] { aseta_kaikki(l, true); paivita_otsikko(); });
        connect(tyhja, &QPushButton::clicked, this, [this, l] { aseta_kaikki(l, false); paivita_otsikko(); });
        connect(l, &QListWidget::itemChanged, this, [this] { paivita_otsikko(); });
    }
    connect(ptarra_lista, &QListWidget::itemDoubleClicked, this, [this] { ptarra_listaDblClick(); });
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int i) { vaihda_sivu(i); });
    for (QPushButton* b : {asetukset_button, asetukset_button2})
        connect(b, &QPushButton::clicked, this, [this] {
            p_.nayta_asetukset(Tasetukset_form::Tulostus_sivu);
            piirtaja_->aseta(valinnat());
            paivita_otsikko();
        });
    connect(esikatsele_button, &QPushButton::clicked, this, &Ttarrat_form::esikatsele_buttonClick);
    connect(iso_esikatselu_button, &QPushButton::clicked, this, &Ttarrat_form::iso_esikatselu_buttonClick);
    connect(Tulosta, &QPushButton::clicked, this, &Ttarrat_form::TulostaClick);
    connect(tulosta_ptarrat_button, &QPushButton::clicked, this, &Ttarrat_form::tulosta_ptarrat_buttonClick);
    connect(sulje_button, &QPushButton::clicked, this, &Ttarrat_form::sulje_buttonClick);
    connect(psulje_button, &QPushButton::clicked, this, &Ttarrat_form::sulje_buttonClick);
    PageControl->setCurrentIndex(0);
    paivita_otsikko();
}

Ttarrat_form::~Ttarrat_form() = default;

Tarra_asetukset Ttarrat_form::valinnat() const {
    Tarra_asetukset t = tarra_asetukset(p_.asetukset());
    t.starra_fn = cp(starra_fn->currentText());
    t.ptarra_fn = cp(PTarra_fn->currentText());
    t.musta_numero = musta_numero_;
    t.keskita = keskita_teksti->isChecked();
    t.lisaa_nopeus = lisaa_nopeus->isChecked();
    t.remove_eng = remove_eng->isChecked();
    return t;
}

void Ttarrat_form::lataa_sivupohja() {
    piirtaja_->aseta(valinnat());
    const std::filesystem::path polku = p_.varasto().kansio.polku(sivupohjat + cp(starra_fn->currentText()));
    const QImage kuva = lue_kuva(p_.varasto().tj(), polku);
    tarra_prev->setPixmap(kuva.isNull() ? QPixmap() : QPixmap::fromImage(kuva.scaled(tarra_prev->size() * 2,
                                                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void Ttarrat_form::lataa_paalyspohja() {
    piirtaja_->aseta(valinnat());
    const std::filesystem::path polku = p_.varasto().kansio.polku(paalyspohjat + cp(PTarra_fn->currentText()));
    paalyspohja_ = lue_kuva(p_.varasto().tj(), polku);
    ptarra_preview->setPixmap(paalyspohja_.isNull() ? QPixmap()
                                                    : QPixmap::fromImage(paalyspohja_.scaled(
                                                          ptarra_preview->size() * 2, Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation)));
}

void Ttarrat_form::aseta_numeron_vari(bool musta) {
    musta_numero_ = musta;
    QPalette pa = kasetin_numeron_vari->palette();
    pa.setColor(QPalette::Window, musta ? Qt::black : Qt::white);
    kasetin_numeron_vari->setPalette(pa);
    p_.asetukset().def_kas_num_color = musta ? 1 : 0;
    piirtaja_->aseta(valinnat());
}

std::vector<std::string> Ttarrat_form::valitut(const QListWidget* lista) const {
    std::vector<std::string> k;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->checkState() == Qt::Checked) k.push_back(rivin_kasetti(lista->item(i)).toStdString());
    return k;
}

void Ttarrat_form::paivita_otsikko() {
    const TAsetukset& a = p_.asetukset();
    if (PageControl->currentWidget() == PTarrat)
        setWindowTitle(q(tarrat::paalystarrojen_otsikko(valittuja(ptarra_lista), a.print_16bit)));
    else
        setWindowTitle(q(tarrat::sivutarrojen_otsikko(valittuja(Tulosta_kasetit_lista), a.Tarroja, a.print_16bit)));
}

void Ttarrat_form::vaihda_sivu(int uusi) {
    if (uusi == sivu_) return;
    QListWidget* lahde = sivu_ == 0 ? Tulosta_kasetit_lista : ptarra_lista;
    QListWidget* kohde = sivu_ == 0 ? ptarra_lista : Tulosta_kasetit_lista;
    const QSignalBlocker esto(kohde);
    kohde->clear();
    for (int i = 0; i < lahde->count(); ++i)
        lisaa_rivi(kohde, rivin_kasetti(lahde->item(i)), lahde->item(i)->checkState());
    if (sivu_ == 0) lataa_paalyspohja();
    sivu_ = uusi;
    paivita_otsikko();
}

void Ttarrat_form::jarjesta() {
    kirjoita_debug("esikatsele / tulostus suoritti aloitti quicksortin");
    Varasto& v = p_.varasto();
    p_.dosavefields();
    jarjesta_tietokanta(v.tk(), avain_kasetti, Suunta::Nouseva, v.viestit);
    p_.update_fields();
    p_.muutokset().ilmoita_kortit();
}

void Ttarrat_form::tyoskennellaan(bool paalla, int maksimi) {
    tyoskennellaan_label->setVisible(paalla);
    PageControl->setEnabled(!paalla);
    if (paalla) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ProgressBar1->setRange(0, std::max(1, maksimi));
        ProgressBar1->setValue(0);
    } else {
        QApplication::restoreOverrideCursor();
        ProgressBar1->setValue(0);
    }
}

void Ttarrat_form::esikatsele(QImage& kohde, bool kopioi) {
    piirtaja_->aseta(valinnat());
    jarjesta();
    const std::vector<std::string> kasetit = valitut(Tulosta_kasetit_lista);
    const int arkilla = std::max(1, p_.asetukset().Tarroja);
    tyoskennellaan(true, std::min<int>(arkilla, static_cast<int>(kasetit.size())));
    kohde.fill(Qt::white);
    const int W = kohde.width();
    const int H = kohde.height();
    auto nayta = [this](const QImage& arkki) {
        // The preview shows the upper half of the sheet.
        QPixmap kuva(Preview->size());
        kuva.fill(Qt::white);
        QPainter m(&kuva);
        m.setRenderHint(QPainter::SmoothPixmapTransform);
        m.drawImage(QRect(0, 0, kuva.width(), kuva.height() * 2), arkki);
        m.end();
        Preview->setPixmap(kuva);
    };
    int p = 0;
    for (const std::string& kasetti : kasetit) {
        if (++p > arkilla) break;
        {
            QPainter m(&kohde);
            if (!piirtaja_->piirra_sivutarra(m, QRectF(0, (H / 15) * (p - 1), W, H / 15), kasetti)) break;
        }
        ProgressBar1->setValue(p);
        if (kopioi) nayta(kohde);
    }
    if (kasetit.empty()) p_.varasto().viestit.varoitus("Et ole valinnut yhtään kasettia esikatseluun");
    nayta(kohde);
    kirjoita_debug("Tarrat [Width: " + std::to_string(W) + " Height: " + std::to_string(H) + "]");
    tyoskennellaan(false, 0);
}

void Ttarrat_form::esikatsele_buttonClick() {
    esikatselu = QImage(563, 1125, QImage::Format_RGB32);
    esikatsele(esikatselu, true);
}

void Ttarrat_form::iso_esikatselu_buttonClick() {
    esikatselu = QImage(844, 1687, QImage::Format_RGB32);
    esikatsele(esikatselu, false);
    Ttarrat_preview_form f(esikatselu, this);
    p_.tyopoyta().nayta_dialogi(f);
}

void Ttarrat_form::ptarra_listaDblClick() {
    QListWidgetItem* r = ptarra_lista->currentItem();
    if (!r || paalyspohja_.isNull()) return;
    piirtaja_->aseta(valinnat());
    const QImage tarra = piirtaja_->paalystarra(rivin_kasetti(r).toStdString(), paalyspohja_,
                                                [this](int arvo, int maksimi) {
                                                    tee_ptarra_progress->setRange(0, maksimi);
                                                    tee_ptarra_progress->setValue(arvo);
                                                });
    ptarra_preview->setPixmap(QPixmap::fromImage(
        tarra.scaled(ptarra_preview->size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

bool Ttarrat_form::tulosta(bool paalys) {
    Varasto& v = p_.varasto();
    const TAsetukset& a = p_.asetukset();
    if (Tulostusvaraus::kaynnissa()) {
        v.viestit.virhe(tulostin_kiireinen_viesti);
        return false;
    }
    QListWidget* lista = paalys ? ptarra_lista : Tulosta_kasetit_lista;
    if (valittuja(lista) == 0) {
        if (paalys)
            v.viestit.virhe("Valitse kasetit joille haluat tulostaa tarrat!");
        else
            v.viestit.varoitus("Valitse tulostettavat tarrat!");
        return false;
    }
    if (paalys) jarjesta();
    if (a.DPI_X == 0 || a.DPI_Y == 0) {
        v.viestit.virhe(resoluutio_nolla_viesti);
        return false;
    }
    Tarratyo t;
    t.kasetit = valitut(lista);
    t.dpi_x = a.DPI_X;
    t.dpi_y = a.DPI_Y;
    t.arkilla = a.Tarroja;
    QProgressBar* edistyminen = paalys ? PT_Progressbar : ProgressBar1;
    t.edistyminen = [edistyminen](int n) { edistyminen->setValue(n); };
    piirtaja_->aseta(valinnat());

    edistyminen->setRange(0, static_cast<int>(t.kasetit.size()));
    esikatsele_ja_tulosta(p_, tarratuloste(*piirtaja_, t, paalys));
    edistyminen->setValue(0);
    if (paalys) {
        PT_Progressbar->setValue(PT_Progressbar->maximum());
        QTimer::singleShot(1000, PT_Progressbar, [bar = PT_Progressbar] { bar->setValue(0); });
    }
    return true;
}

void Ttarrat_form::TulostaClick() { tulosta(false); }
void Ttarrat_form::tulosta_ptarrat_buttonClick() { tulosta(true); }

void Ttarrat_form::sulje_buttonClick() {
    TAsetukset& a = p_.asetukset();
    a.starra_fn = cp(starra_fn->currentText());
    a.ptarra_fn = cp(PTarra_fn->currentText());
    a.ptarra_keskita = keskita_teksti->isChecked();
    a.ptarra_lisaa_nopeus = lisaa_nopeus->isChecked();
    a.ptarra_remove_eng = remove_eng->isChecked();
    kirjoita_asetukset();
    accept();
}

void Ttarrat_form::kirjoita_asetukset() {
    Varasto& v = p_.varasto();
    Kirjoita_ini(p_.asetukset(), Asetusymparisto{v.kansio, v.tj(), v.viestit});
}

void Ttarrat_form::hideEvent(QHideEvent* e) {
    kirjoita_asetukset();
    QDialog::hideEvent(e);
}

bool Ttarrat_form::eventFilter(QObject* kohde, QEvent* e) {
    if (kohde == tarra_prev && e->type() == QEvent::MouseButtonRelease && starra_fn->count() > 0) {
        starra_fn->setCurrentIndex((starra_fn->currentIndex() + 1) % starra_fn->count());
        return true;
    }
    if (kohde == kasetin_numeron_vari && e->type() == QEvent::MouseButtonRelease) {
        aseta_numeron_vari(!musta_numero_);
        return true;
    }
    if (kohde == Preview && e->type() == QEvent::MouseButtonDblClick) {
        iso_esikatselu_buttonClick();
        return true;
    }
    if (kohde == ptarra_preview && (e->type() == QEvent::Enter || e->type() == QEvent::Leave)) {
        preview_vihje->setStyleSheet(e->type() == QEvent::Enter
                                         ? QStringLiteral("background: #EEEEEE; color: black; padding: 3px;")
                                         : QStringLiteral("background: #DDDDDD; color: black; padding: 3px;"));
        return false;
    }
    if (kohde == PTarra_fn && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (!k->text().isEmpty() && k->text().at(0).isPrint()) {
            p_.tyopoyta().piippaa();
            return true;
        }
    }
    return QDialog::eventFilter(kohde, e);
}
