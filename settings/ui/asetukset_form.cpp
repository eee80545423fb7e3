#include "settings/ui/asetukset_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "settings/ui/ulkoasu_qt.h"
#include "perus/ohjelmakansio.h"

namespace {

// The printer resolution: 50 to 9999 in steps of 10, and 0 while it is not known.
class DpiKentta final : public QSpinBox {
public:
    explicit DpiKentta(QWidget* parent) : QSpinBox(parent) {
        setRange(0, 9999);
        setSingleStep(10);
    }
    void stepBy(int askeleet) override {
        setValue(value() == 0 ? (askeleet > 0 ? 50 : 0) : std::clamp(value() + askeleet * 10, 50, 9999));
    }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled s = StepNone;
        if (value() < 9999) s |= StepUpEnabled;
        if (value() > 50) s |= StepDownEnabled;
        return s;
    }
};

// Read-only text, so only the arrows change the number.
QSpinBox* vain_nuolet(QSpinBox* s) {
    if (auto* e = s->findChild<QLineEdit*>()) e->setReadOnly(true);
    return s;
}

template <class W>
W* nimetty(W* w, const char* nimi) {
    w->setObjectName(nimi);
    return w;
}

QComboBox* lista(QWidget* parent, const char* nimi, bool muokattava = true) {
    auto* c = nimetty(new QComboBox(parent), nimi);
    c->setEditable(muokattava);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLineEdit* kentta(QWidget* parent, const char* nimi) { return nimetty(new QLineEdit(parent), nimi); }
QCheckBox* ruutu(QWidget* parent, const char* nimi, const char* teksti) {
    return nimetty(new QCheckBox(fi(teksti), parent), nimi);
}
QRadioButton* nappi(QWidget* parent, const char* nimi, const char* teksti) {
    return nimetty(new QRadioButton(fi(teksti), parent), nimi);
}

QLabel* huomautus(const char* teksti) {
    auto* l = new QLabel(fi(teksti));
    l->setWordWrap(true);
    QFont f = l->font();
    f.setItalic(true);
    l->setFont(f);
    return l;
}

QWidget* rivi(std::initializer_list<QWidget*> osat, bool venyva_loppu = true) {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget* o : osat) l->addWidget(o);
    if (venyva_loppu) l->addStretch(1);
    return w;
}

// A form whose fields keep a comfortable width instead of running to the dialog's edge.
QFormLayout* lomake() {
    auto* f = new QFormLayout;
    f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return f;
}

void leveiksi(std::initializer_list<QWidget*> kentat, int leveys) {
    for (QWidget* w : kentat) w->setMinimumWidth(leveys);
}

// A labelled row of a form; the field keeps the given width.
template <class W>
W* lomakkeelle(QFormLayout* f, const char* otsake, W* kentta, int leveys = 320) {
    kentta->setMinimumWidth(leveys);
    if (leveys < 320) kentta->setMaximumWidth(leveys);
    f->addRow(fi(otsake), kentta);
    return kentta;
}

QVBoxLayout* sivun_asettelu(QWidget* sivu) {
    auto* l = new QVBoxLayout(sivu);
    l->setContentsMargins(14, 12, 14, 12);
    l->setSpacing(8);
    return l;
}

}  // namespace

Tasetukset_form::Tasetukset_form(TAsetukset& asetukset, const Asetusymparisto& ymparisto, Paaikkuna& paaikkuna,
                                 Valinnat valinnat, QWidget* parent)
    : QDialog(parent), a_(asetukset), y_(ymparisto), paaikkuna_(paaikkuna), valinnat_(std::move(valinnat)) {
    setObjectName("asetukset_form");
    setWindowTitle(fi("Ohjelman asetukset"));
    setModal(true);

    PageControl = nimetty(new QTabWidget(this), "PageControl");
    PageControl->setUsesScrollButtons(false);
    PageControl->addTab(tee_ulkoasu_sivu(), fi("Ulkoasu"));
    PageControl->addTab(tee_uusi_kortti_sivu(), fi("Uuden kortin ominaisuudet"));
    PageControl->addTab(tee_lisatiedot_sivu(), fi("Lisätiedot"));
    PageControl->addTab(tee_dvd_sivu(), fi("DVD"));
    PageControl->addTab(tee_tallennus_sivu(), fi("Tallennus / Avaus"));
    PageControl->addTab(tee_internet_sivu(), fi("Internet"));
    PageControl->addTab(tee_email_sivu(), fi("Email"));
    PageControl->addTab(tee_sekalaista_sivu(), fi("Sekalaista"));
    PageControl->addTab(tee_tulostus_sivu(), fi("Tulostus"));

    Tallenna_button = nimetty(new QPushButton(fi("&Tallenna"), this), "Tallenna_button");
    peruuta_button = nimetty(new QPushButton(fi("&Peruuta"), this), "peruuta_button");
    alkup_asetukset = nimetty(new QPushButton(fi("&Oletusasetukset"), this), "alkup_asetukset");
    Tallenna_button->setAutoDefault(false);
    peruuta_button->setAutoDefault(false);
    alkup_asetukset->setAutoDefault(false);

    auto* napit = new QHBoxLayout;
    napit->addWidget(alkup_asetukset);
    napit->addStretch(1);
    napit->addWidget(Tallenna_button);
    napit->addWidget(peruuta_button);
    auto* koko = new QVBoxLayout(this);
    koko->addWidget(PageControl, 1);
    koko->addLayout(napit);

    connect(Tallenna_button, &QPushButton::clicked, this, &Tasetukset_form::Tallenna_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &Tasetukset_form::peruuta_buttonClick);
    connect(alkup_asetukset, &QPushButton::clicked, this, &Tasetukset_form::alkup_asetuksetClick);
    connect(PageControl, &QTabWidget::currentChanged, this, &Tasetukset_form::sivu_naytetty);

    valitse_vari = [this](Vari nyt) -> std::optional<Vari> {
        const QColor c = QColorDialog::getColor(qvari(nyt), this, fi("Kenttien taustaväri"));
        if (!c.isValid()) return std::nullopt;
        return vari(c);
    };
    // The desktop here has no mail program whose account could be read.
    lue_postitili = [] { return Postitili{}; };
    lopeta_ohjelma = [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); };

    resize(sizeHint().expandedTo(QSize(640, 400)));
    kentat_asetuksista();
}

// --- Pages. ---

QWidget* Tasetukset_form::tee_ulkoasu_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);

    auto* kesto = new QGroupBox(fi("Näytä elokuvan kesto"));
    auto* kl = new QVBoxLayout(kesto);
    minuutteina = nappi(kesto, "minuutteina", "Minuutteina (esimerkiksi 90 min)");
    tunteina = nappi(kesto, "tunteina", "Tunnit ja minuutit (esimerkiksi 1h 30min)");
    kl->addWidget(minuutteina);
    kl->addWidget(tunteina);
    sido(minuutteina, tunteina, &TAsetukset::minuutteina);
    l->addWidget(kesto);

    auto* efektit = new QGroupBox(fi("Ulkoasu ja efektit"));
    auto* el = new QVBoxLayout(efektit);
    auto* valinnat = lomake();
    skin_dir = lomakkeelle(valinnat, "Ikkunoiden ulkoasu:", lista(efektit, "skin_dir", false), 200);
    button_dir = lomakkeelle(valinnat, "Nappien ulkoasu:", lista(efektit, "button_dir", false), 200);
    skin_dir->installEventFilter(this);
    button_dir->installEventFilter(this);
    el->addLayout(valinnat);
    connect(skin_dir, &QComboBox::currentIndexChanged, this, &Tasetukset_form::skin_dirChange);
    connect(button_dir, &QComboBox::currentIndexChanged, this, &Tasetukset_form::button_dirChange);

    himmenna_taustakuva = sido(ruutu(efektit, "himmenna_taustakuva", "Himmennä pääikkuna kun se jää taustalle"),
                               &TAsetukset::himmenna_taustakuva);
    himmenna_taustakuva->hide();
    nayta_arvosana =
        sido(ruutu(efektit, "nayta_arvosana", "Näytä elokuvan arvosana (tähdet)"), &TAsetukset::nayta_arvosana);
    Fade_buttons = sido(ruutu(efektit, "Fade_buttons", "Käytä liukuvaa nappien valoefektiä"), &TAsetukset::Fade_buttons);
    smoothen_cover = sido(ruutu(efektit, "smoothen_cover", "Pehmennä mini-kansikuvaa"), &TAsetukset::smoothen_cover);
    force_kentan_vari = sido(ruutu(efektit, "force_kentan_vari", "Pakota kenttien taustaväriksi:"),
                             &TAsetukset::force_kentan_vari);
    force_vari = nimetty(new QPushButton(efektit), "force_vari");
    force_vari->setToolTip(fi("Kenttien taustaväri"));
    force_vari->setFixedSize(56, 20);
    force_vari->setAutoDefault(false);
    for (QCheckBox* c : {nayta_arvosana, Fade_buttons, smoothen_cover}) el->addWidget(c);
    el->addWidget(rivi({force_kentan_vari, force_vari}));
    tayttajat_.push_back([this] { nayta_force_vari(); });
    connect(Fade_buttons, &QCheckBox::clicked, this, &Tasetukset_form::lataa_ulkoasu_nyt);
    connect(force_kentan_vari, &QCheckBox::clicked, this, &Tasetukset_form::lataa_ulkoasu_nyt);
    connect(force_vari, &QPushButton::clicked, this, &Tasetukset_form::force_variClick);
    connect(nayta_arvosana, &QCheckBox::clicked, this, &Tasetukset_form::paivita_kortti_jos_nakyvissa);
    connect(smoothen_cover, &QCheckBox::clicked, this, &Tasetukset_form::paivita_kortti_jos_nakyvissa);
    l->addWidget(efektit);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_uusi_kortti_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    auto* f = lomake();
    kuvasuhde_kentta_oletus = lomakkeelle(
        f, "Kuvasuhde:", sido(lista(sivu, "kuvasuhde_kentta_oletus"), &TAsetukset::kuvasuhde_kentta_oletus));
    aani_kentta_oletus =
        lomakkeelle(f, "Ääniraita:", sido(lista(sivu, "aani_kentta_oletus"), &TAsetukset::aani_kentta_oletus));
    Vari_Kentta_oletus =
        lomakkeelle(f, "Värit:", sido(lista(sivu, "Vari_Kentta_oletus"), &TAsetukset::Vari_Kentta_oletus));
    Vari_Kentta_oletus->addItems({QString(), fi("Kyllä"), fi("Ei")});
    Nopeus_kentta_oletus =
        lomakkeelle(f, "Formaatti:", sido(lista(sivu, "Nopeus_kentta_oletus"), &TAsetukset::Nopeus_kentta_oletus));
    maa_kentta_oletus =
        lomakkeelle(f, "Valmistusmaa:", sido(kentta(sivu, "maa_kentta_oletus"), &TAsetukset::maa_kentta_oletus));
    l->addLayout(f);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_lisatiedot_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    auto* f = lomake();
    custom1_default =
        lomakkeelle(f, "Lisätiedot1:", sido(kentta(sivu, "custom1_default"), &TAsetukset::custom1_default));
    custom2_default =
        lomakkeelle(f, "Lisätiedot2:", sido(kentta(sivu, "custom2_default"), &TAsetukset::custom2_default));
    custom3_default =
        lomakkeelle(f, "Lisätiedot3:", sido(kentta(sivu, "custom3_default"), &TAsetukset::custom3_default));
    custom4_default =
        lomakkeelle(f, "Lisätiedot4:", sido(kentta(sivu, "custom4_default"), &TAsetukset::custom4_default));
    l->addLayout(f);
    lueminut = nimetty(new QLabel(fi("<a href=\"Lueminut.html\">Lueminut.html</a>"), sivu), "lueminut");
    lueminut->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(lueminut, &QLabel::linkActivated, this, [this](const QString& nimi) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(y_.kansio.polku(cp(nimi)).c_str())));
    });
    l->addWidget(lueminut);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_dvd_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    l->addWidget(new QLabel(fi("Jos syötettävä elokuva on formaatiltaan DVD...")));
    jos_dvd_muuta_kuva = sido(ruutu(sivu, "jos_dvd_muuta_kuva", "... muuta kuvasuhde automaattisesti muotoon:"),
                              &TAsetukset::jos_dvd_muuta_kuva);
    kuva_kentta_jos_dvd = sido(lista(sivu, "kuva_kentta_jos_dvd"), &TAsetukset::kuva_kentta_jos_dvd);
    jos_dvd_muuta_aani = sido(ruutu(sivu, "jos_dvd_muuta_aani", "... muuta ääniraita automaattisesti muotoon:"),
                              &TAsetukset::jos_dvd_muuta_aani);
    aani_kentta_jos_dvd = sido(lista(sivu, "aani_kentta_jos_dvd"), &TAsetukset::aani_kentta_jos_dvd);
    jos_dvd_nimea_kasik =
        sido(ruutu(sivu, "jos_dvd_nimea_kasik", "... nimeä käsikirjoituskenttä muotoon \"Extrat:\""),
             &TAsetukset::jos_dvd_nimea_kasik);
    jos_dvd_nimea_kasik->hide();
    leveiksi({kuva_kentta_jos_dvd, aani_kentta_jos_dvd}, 220);
    auto* g = new QGridLayout;
    g->setColumnStretch(2, 1);
    g->addWidget(jos_dvd_muuta_kuva, 0, 0);
    g->addWidget(kuva_kentta_jos_dvd, 0, 1);
    g->addWidget(jos_dvd_muuta_aani, 1, 0);
    g->addWidget(aani_kentta_jos_dvd, 1, 1);
    l->addLayout(g);
    l->addWidget(jos_dvd_nimea_kasik);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_tallennus_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    auto* avaus = new QGroupBox(fi("Avaus"));
    auto* al = new QVBoxLayout(avaus);
    avaa_kannet_heti = nappi(avaus, "avaa_kannet_heti", "Lataa kansikuvat valmiiksi tietokannan avauksen yhteydessä");
    avaa_kannet_tarvittaessa =
        nappi(avaus, "avaa_kannet_tarvittaessa", "Lataa kansikuvat vain tarvittaessa (nopeampi käynnistys/avaus)");
    al->addWidget(avaa_kannet_heti);
    al->addWidget(avaa_kannet_tarvittaessa);
    al->addWidget(huomautus("Huom: Muutokset tulevat voimaan vasta kun käynnistät ohjelman uudelleen!"));
    sido(avaa_kannet_heti, avaa_kannet_tarvittaessa, &TAsetukset::avaa_kannet_heti);
    connect(avaa_kannet_heti, &QRadioButton::clicked, this, &Tasetukset_form::avaa_kannet_hetiClick);
    l->addWidget(avaus);

    auto* tallennus = new QGroupBox(fi("Tallennus"));
    auto* tl = new QVBoxLayout(tallennus);
    tallenna_sortattuna =
        sido(ruutu(tallennus, "tallenna_sortattuna", "Tallenna tietokanta kas./dvd numeron mukaan järjestettynä"),
             &TAsetukset::tallenna_sortattuna);
    tl->addWidget(tallenna_sortattuna);
    l->addWidget(tallennus);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_internet_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    auto* proxy = new QGroupBox(fi("Proxy"));
    auto* pl = new QVBoxLayout(proxy);
    proxy_enabled =
        sido(ruutu(proxy, "proxy_enabled", "Käytä proxy palvelinta www-yhteyksiin"), &TAsetukset::proxy_enabled);
    pl->addWidget(proxy_enabled);
    auto* f = lomake();
    proxy_addr = lomakkeelle(f, "Osoite:", sido(kentta(proxy, "proxy_addr"), &TAsetukset::proxy_addr));
    proxy_port = lomakkeelle(f, "Portti:", sido(kentta(proxy, "proxy_port"), &TAsetukset::proxy_port), 70);
    proxy_username =
        lomakkeelle(f, "Käyttäjänimi:", sido(kentta(proxy, "proxy_username"), &TAsetukset::proxy_username));
    proxy_password = lomakkeelle(f, "Salasana:", sido(kentta(proxy, "proxy_password"), &TAsetukset::proxy_password));
    proxy_password->setEchoMode(QLineEdit::Password);
    pl->addLayout(f);
    pl->addWidget(huomautus("Huom: Salasanoja ei salakirjoiteta mitenkään"));
    l->addWidget(proxy);

    auto* lahteet = new QGroupBox(fi("Elokuvatietojen haku"));
    auto* ll = new QVBoxLayout(lahteet);
    auto* lf = lomake();
    tietolahde = lomakkeelle(lf, "Oletuslähde:", lista(lahteet, "tietolahde", false));
    for (const Valinnat::Lahde& lahde : valinnat_.lahteet) tietolahde->addItem(q(lahde.nimi), q(lahde.tunnus));
    tayttajat_.push_back([this] { tietolahde->setCurrentIndex(std::max(tietolahde->findData(q(a_.tietolahde)), 0)); });
    connect(tietolahde, &QComboBox::currentIndexChanged, this,
            [this] { a_.tietolahde = cp(tietolahde->currentData().toString()); });
    wikimedia_yhteystieto = lomakkeelle(lf, "Yhteystietosi:",
                                        sido(kentta(lahteet, "wikimedia_yhteystieto"), &TAsetukset::wikimedia_yhteystieto));
    wikimedia_yhteystieto->setPlaceholderText(fi("sähköposti- tai www-osoite"));
    connect(wikimedia_yhteystieto, &QLineEdit::editingFinished, this, &Tasetukset_form::wikimedia_yhteystietoExit);
    ll->addLayout(lf);
    ll->addWidget(huomautus("Wikidata ja Wikipedia saavat yhteystietosi jokaisen haun mukana, jotta niiden ylläpitäjät "
                            "voivat tarvittaessa tavoittaa sinut. Kentän voi jättää tyhjäksi."));
    l->addWidget(lahteet);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_email_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    auto* f = lomake();
    smtp_palvelin =
        lomakkeelle(f, "Smtp palvelimen osoite:", sido(kentta(sivu, "smtp_palvelin"), &TAsetukset::smtp_palvelin));
    email_addr = lomakkeelle(f, "Sähköpostiosoitteesi:", sido(kentta(sivu, "email_addr"), &TAsetukset::email_addr));
    email_nimi = lomakkeelle(f, "Nimesi:", sido(kentta(sivu, "email_nimi"), &TAsetukset::email_nimi));
    palaute_addr = lomakkeelle(f, "Palautteen vastaanottaja:",
                               sido(kentta(sivu, "palaute_addr"), &TAsetukset::palaute_addr));
    email_logon = sido(ruutu(sivu, "email_logon", "Palvelin vaatii sisäänkirjautumisen"), &TAsetukset::email_logon);
    f->addRow(QString(), email_logon);
    email_username =
        lomakkeelle(f, "Käyttäjänimi:", sido(kentta(sivu, "email_username"), &TAsetukset::email_username));
    email_password = lomakkeelle(f, "Salasana:", sido(kentta(sivu, "email_password"), &TAsetukset::email_password));
    email_password->setEchoMode(QLineEdit::Password);
    l->addLayout(f);
    l->addWidget(huomautus("Huom: Salasanoja ei salakirjoiteta mitenkään"));
    get_emailsetup_from_outlook =
        nimetty(new QPushButton(fi("Hae asetukset outlook expressistä"), sivu), "get_emailsetup_from_outlook");
    get_emailsetup_from_outlook->setAutoDefault(false);
    get_emailsetup_from_outlook->hide();
    connect(get_emailsetup_from_outlook, &QPushButton::clicked, this,
            &Tasetukset_form::get_emailsetup_from_outlookClick);
    l->addWidget(rivi({get_emailsetup_from_outlook}));
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_sekalaista_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    notify_enabled = sido(ruutu(sivu, "notify_enabled", "Huomauta minua jos kasetti/levy on lainassa kauemmin kuin"),
                          &TAsetukset::notify_enabled);
    notify_dates = sido(kentta(sivu, "notify_dates"), &TAsetukset::notify_dates);
    notify_dates->setMaximumWidth(48);
    l->addWidget(rivi({notify_enabled, notify_dates, new QLabel(fi("päivää"))}));
    connect(notify_dates, &QLineEdit::editingFinished, this, &Tasetukset_form::notify_datesExit);

    l->addSpacing(6);
    l->addWidget(new QLabel(fi("Mikä tietokanta avataan ohjelman käynnistyessä:")));
    default_open = sido(lista(sivu, "default_open"), &TAsetukset::default_open);
    default_open->setMinimumWidth(300);
    default_open->installEventFilter(this);
    l->addWidget(rivi({default_open}));

    l->addSpacing(6);
    kysy_pituus =
        sido(ruutu(sivu, "kysy_pituus", "Kysy kasetin pituus, mikäli sitä ei tiedetä"), &TAsetukset::kysy_pituus);
    ala_kysy_jos =
        sido(ruutu(sivu, "ala_kysy_jos", "Älä kysy jos kasetin nro sisältää tekstin :"), &TAsetukset::ala_kysy_jos);
    ala_kysy_jos_sisaltaa = sido(kentta(sivu, "ala_kysy_jos_sisaltaa"), &TAsetukset::ala_kysy_jos_sisaltaa);
    ala_kysy_jos_sisaltaa->setMaximumWidth(80);
    l->addWidget(kysy_pituus);
    l->addWidget(rivi({ala_kysy_jos, ala_kysy_jos_sisaltaa}));
    connect(ala_kysy_jos_sisaltaa, &QLineEdit::editingFinished, this, &Tasetukset_form::ala_kysy_jos_sisaltaaExit);
    l->addStretch(1);
    return sivu;
}

QWidget* Tasetukset_form::tee_tulostus_sivu() {
    auto* sivu = new QWidget;
    auto* l = sivun_asettelu(sivu);
    Tarroja = vain_nuolet(nimetty(new QSpinBox(sivu), "Tarroja"));
    Tarroja->setRange(5, 15);
    sido(Tarroja, &TAsetukset::Tarroja);
    l->addWidget(rivi({new QLabel(fi("Montako kasetin sivutarraa tulostetaan paperille")), Tarroja}));

    auto* varit = new QGroupBox(fi("Tulostuslaatu"));
    auto* vl = new QVBoxLayout(varit);
    print_24bit = nappi(varit, "print_24bit", "24 bittinen tulostus (parempi kuvanlaatu, vie paljon muistia)");
    print_16bit = nappi(varit, "print_16bit", "16 bittinen tulostus (huonompi kuvanlaatu)");
    vl->addWidget(print_24bit);
    vl->addWidget(print_16bit);
    sido(print_16bit, print_24bit, &TAsetukset::print_16bit);
    l->addWidget(varit);

    auto* dpi = new QGroupBox(fi("Tulostimen tarkkuus (DPI)"));
    auto* dl = new QHBoxLayout(dpi);
    DPI_X_EDIT = sido(vain_nuolet(nimetty(new DpiKentta(dpi), "DPI_X_EDIT")), &TAsetukset::DPI_X);
    DPI_Y_EDIT = sido(vain_nuolet(nimetty(new DpiKentta(dpi), "DPI_Y_EDIT")), &TAsetukset::DPI_Y);
    Detect_DPI_button = nimetty(new QPushButton(fi("Hae autom."), dpi), "Detect_DPI_button");
    Detect_DPI_button->setAutoDefault(false);
    dl->addWidget(new QLabel(fi("Vaaka:")));
    dl->addWidget(DPI_X_EDIT);
    dl->addSpacing(10);
    dl->addWidget(new QLabel(fi("Pysty:")));
    dl->addWidget(DPI_Y_EDIT);
    dl->addSpacing(10);
    dl->addWidget(Detect_DPI_button);
    dl->addStretch(1);
    connect(Detect_DPI_button, &QPushButton::clicked, this, &Tasetukset_form::Detect_DPI_buttonClick);
    l->addWidget(dpi);

    alternative_printing = sido(ruutu(sivu, "alternative_printing", "Käytä toista/vaihtoehtoista tulostusmenetelmää"),
                                &TAsetukset::alternative_printing);
    l->addWidget(alternative_printing);
    l->addStretch(1);
    return sivu;
}

// --- Binding controls to the settings. ---

QCheckBox* Tasetukset_form::sido(QCheckBox* c, bool TAsetukset::*jasen) {
    tayttajat_.push_back([this, c, jasen] { c->setChecked(a_.*jasen); });
    connect(c, &QCheckBox::toggled, this, [this, jasen](bool b) { a_.*jasen = b; });
    return c;
}

void Tasetukset_form::sido(QRadioButton* kylla, QRadioButton* ei, bool TAsetukset::*jasen) {
    tayttajat_.push_back([this, kylla, ei, jasen] { (a_.*jasen ? kylla : ei)->setChecked(true); });
    connect(kylla, &QRadioButton::toggled, this, [this, jasen](bool b) { a_.*jasen = b; });
}

QLineEdit* Tasetukset_form::sido(QLineEdit* e, std::string TAsetukset::*jasen) {
    tayttajat_.push_back([this, e, jasen] { e->setText(q(a_.*jasen)); });
    connect(e, &QLineEdit::textChanged, this, [this, jasen](const QString& t) { a_.*jasen = cp(t); });
    return e;
}

QComboBox* Tasetukset_form::sido(QComboBox* c, std::string TAsetukset::*jasen) {
    tayttajat_.push_back([this, c, jasen] { c->setEditText(q(a_.*jasen)); });
    connect(c, &QComboBox::editTextChanged, this, [this, jasen](const QString& t) { a_.*jasen = cp(t); });
    return c;
}

QSpinBox* Tasetukset_form::sido(QSpinBox* s, int TAsetukset::*jasen) {
    tayttajat_.push_back([this, s, jasen] { s->setValue(a_.*jasen); });
    connect(s, &QSpinBox::valueChanged, this, [this, jasen](int v) { a_.*jasen = v; });
    return s;
}

void Tasetukset_form::kentat_asetuksista() {
    std::vector<QSignalBlocker> estot;
    for (QObject* o : findChildren<QWidget*>()) estot.emplace_back(o);
    for (const auto& tayta : tayttajat_) tayta();
    // The skin lists hold what the settings name even when the folder has gone.
    for (auto [c, nimi] : {std::pair{skin_dir, &a_.skin_dir}, std::pair{button_dir, &a_.button_dir}}) {
        const int i = c->findText(q(*nimi), Qt::MatchFixedString);
        if (i < 0) c->addItem(q(*nimi));
        c->setCurrentIndex(i < 0 ? c->count() - 1 : i);
    }
}

void Tasetukset_form::tayta_lista(QComboBox* c, const std::vector<std::string>& kohdat) {
    const QSignalBlocker esto(c);
    const QString teksti = c->currentText();
    c->clear();
    for (const std::string& k : kohdat) c->addItem(q(k));
    c->setEditText(teksti);
}

void Tasetukset_form::nayta_force_vari() {
    force_vari->setStyleSheet(QString("QPushButton { background: %1; border: 1px solid #404040; }")
                                  .arg(qvari(a_.force_vari).name()));
}

// --- Showing. ---

int Tasetukset_form::nayta(int sivu) {
    if (sivu >= 0 && sivu < PageControl->count()) PageControl->setCurrentIndex(sivu);
    // Centred on the desktop, not on the main window.
    adjustSize();
    if (QScreen* n = screen() ? screen() : QGuiApplication::primaryScreen())
        move(n->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    return exec();
}

void Tasetukset_form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void Tasetukset_form::FormShow() {
    const Ulkoasulistat ulkoasut = listaa_ulkoasut(y_.kansio);
    {
        const QSignalBlocker a(skin_dir), b(button_dir);
        skin_dir->clear();
        button_dir->clear();
        for (const std::string& n : ulkoasut.ikkunat) skin_dir->addItem(q(n));
        for (const std::string& n : ulkoasut.napit) button_dir->addItem(q(n));
    }
    {
        const QSignalBlocker esto(default_open);
        default_open->clear();
        for (const std::string& n : listaa_tietokannat(y_.kansio)) default_open->addItem(q(n));
    }
    kentat_asetuksista();
    sivu_naytetty(PageControl->currentIndex());
}

void Tasetukset_form::sivu_naytetty(int sivu) {
    switch (sivu) {
        case Uusi_kortti_sivu: TabSheet2Show(); break;
        case Dvd_sivu: dvd_optionsShow(); break;
        case Email_sivu: TabSheet6Show(); break;
        default: break;
    }
}

void Tasetukset_form::TabSheet2Show() {
    tayta_lista(Nopeus_kentta_oletus, valinnat_.formaatit);
    tayta_lista(kuvasuhde_kentta_oletus, valinnat_.kuvasuhteet);
    tayta_lista(aani_kentta_oletus, valinnat_.aaniraidat);
}

void Tasetukset_form::dvd_optionsShow() {
    tayta_lista(aani_kentta_jos_dvd, valinnat_.aaniraidat);
    tayta_lista(kuva_kentta_jos_dvd, valinnat_.kuvasuhteet);
}

void Tasetukset_form::TabSheet6Show() {
    get_emailsetup_from_outlook->setVisible(lue_postitili && !lue_postitili().nimi.empty());
}

void Tasetukset_form::get_emailsetup_from_outlookClick() {
    const Postitili t = lue_postitili ? lue_postitili() : Postitili{};
    email_nimi->setText(q(t.nimi));
    email_addr->setText(q(t.osoite));
    smtp_palvelin->setText(q(t.palvelin));
    email_username->setText(q(t.kayttaja));
}

// --- Closing. ---

void Tasetukset_form::Tallenna_buttonClick() {
    // A shortcut key leaves the focus where it was: the field is checked as if it had been left.
    if (notify_dates->hasFocus()) notify_datesExit();
    if (default_open->hasFocus()) default_openExit();
    if (ala_kysy_jos_sisaltaa->hasFocus()) ala_kysy_jos_sisaltaaExit();
    if (wikimedia_yhteystieto->hasFocus()) wikimedia_yhteystietoExit();
    Kirjoita_ini(a_, y_);
    QDialog::accept();
    paaikkuna_.paivita();
}

void Tasetukset_form::peruuta_buttonClick() {
    // Reading the file drops every change made in the dialog and loads the saved skin again.
    const Lataustulos t = lue_ini(a_, y_);
    kentat_asetuksista();
    QDialog::reject();
    paaikkuna_.paivita();
    if (t == Lataustulos::Lopeta && lopeta_ohjelma) lopeta_ohjelma();
}

void Tasetukset_form::reject() { peruuta_buttonClick(); }

void Tasetukset_form::alkup_asetuksetClick() {
    nollaa_asetukset(a_, y_);
    kentat_asetuksista();
}

// --- Live preview. ---

void Tasetukset_form::lataa_ulkoasu_nyt() {
    const Lataustulos t = lataa_ulkoasu(a_, y_);
    // A fallback to "perus" shows in the lists at once.
    kentat_asetuksista();
    if (t == Lataustulos::Lopeta && lopeta_ohjelma) lopeta_ohjelma();
}

void Tasetukset_form::skin_dirChange() {
    a_.skin_dir = cp(skin_dir->currentText());
    lataa_ulkoasu_nyt();
}

void Tasetukset_form::button_dirChange() {
    a_.button_dir = cp(button_dir->currentText());
    lataa_ulkoasu_nyt();
}

void Tasetukset_form::force_variClick() {
    if (!valitse_vari) return;
    const std::optional<Vari> v = valitse_vari(a_.force_vari);
    if (!v) return;
    a_.force_vari = *v;
    nayta_force_vari();
    lataa_ulkoasu_nyt();
}

void Tasetukset_form::paivita_kortti_jos_nakyvissa() {
    if (paaikkuna_.nakyvissa()) paaikkuna_.paivita();
}

void Tasetukset_form::avaa_kannet_hetiClick() {
    if (!paaikkuna_.nakyvissa()) return;
    setEnabled(false);
    paaikkuna_.lataa_kaikki_kannet();
    setEnabled(true);
}

void Tasetukset_form::Detect_DPI_buttonClick() {
    const std::optional<Tarkkuus> t = y_.tulostimen_tarkkuus ? y_.tulostimen_tarkkuus() : std::nullopt;
    if (!t) return;
    DPI_X_EDIT->setValue(t->x);
    DPI_Y_EDIT->setValue(t->y);
}

// --- Leaving fields. ---

// The message box takes the focus, which would report leaving the field a second time.
void Tasetukset_form::tarkista_rivi(QLineEdit* rivi, bool (*tarkista)(std::string&, diag::Viestit&)) {
    if (tarkistus_kesken_) return;
    const QScopedValueRollback kesken(tarkistus_kesken_, true);
    std::string t = cp(rivi->text());
    if (tarkista(t, y_.viestit)) return;
    rivi->setText(q(t));
}

void Tasetukset_form::notify_datesExit() { tarkista_rivi(notify_dates, tarkista_notify_dates); }

void Tasetukset_form::wikimedia_yhteystietoExit() { tarkista_rivi(wikimedia_yhteystieto, tarkista_yhteystieto); }

void Tasetukset_form::default_openExit() {
    if (tarkistus_kesken_) return;
    const QScopedValueRollback kesken(tarkistus_kesken_, true);
    std::string t = cp(default_open->currentText());
    if (tarkista_default_open(t, y_.kansio, y_.viestit)) return;
    default_open->setEditText(q(t));
}

void Tasetukset_form::ala_kysy_jos_sisaltaaExit() {
    if (ala_kysy_jos_sisaltaa->text().isEmpty()) ala_kysy_jos->setChecked(false);
}

bool Tasetukset_form::eventFilter(QObject* o, QEvent* e) {
    if ((o == skin_dir || o == button_dir) && e->type() == QEvent::KeyPress) {
        // Skins are chosen from the list only; typed letters are refused with a beep.
        const auto* k = static_cast<QKeyEvent*>(e);
        if (!k->text().isEmpty() && k->text().at(0).isPrint()) {
            QApplication::beep();
            return true;
        }
    }
    if (o == default_open && e->type() == QEvent::FocusOut) default_openExit();
    return QDialog::eventFilter(o, e);
}
