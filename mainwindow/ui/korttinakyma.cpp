#include "mainwindow/ui/korttinakyma.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "diag/loki.h"
#include "diag/ui/raakateksti.h"
#include "diag/ui/teksti.h"
#include "mainwindow/korttitoiminnot.h"
#include "mainwindow/nakymat.h"
#include "mainwindow/ui/muuta_kentan_nimi_form.h"
#include "mainwindow/ui/tahdet.h"
#include "perus/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/kasetti.h"
#include "storage/kentat.h"
#include "storage/kenttasaannot.h"
#include "storage/kesto.h"
#include "storage/varasto.h"

namespace {

constexpr int rivin_korkeus = 21;
constexpr int otsikon_leveys = 90;
constexpr int kentan_x = 95;

QStringList kohdat(const std::vector<const char*>& t) {
    QStringList l;
    for (const char* s : t) l << fi(s);
    return l;
}

std::vector<std::string> cp_kohdat(const QComboBox* c) {
    std::vector<std::string> t;
    for (int i = 0; i < c->count(); ++i) t.push_back(cp(c->itemText(i)));
    return t;
}

// The card's value into a field only when the control shows something else, so an unchanged value costs
// nothing and a value the user did not change keeps its bytes.
template <class Kentta>
bool vie(Kentta& kentta, std::optional<std::string> uusi) {
    if (!uusi || std::string_view(kentta) == *uusi) return false;
    kentta = std::move(*uusi);
    return true;
}

}  // namespace

Korttinakyma::Korttinakyma(Paaikkuna& p, Muut_ikkunat& muut, QWidget* parent)
    : QWidget(parent), p_(p), muut_(muut), arvot_(p.varasto().viestit) {
    setObjectName("Korttinakyma");
    setGeometry(0, 0, 660, 410);
    setMouseTracking(true);
    tee_kentat();
    tee_pikanappaimet();
    // Every control of the card reports its typing, focus changes and clicks here.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
        w->installEventFilter(this);
    }
    for (QComboBox* c : findChildren<QComboBox*>()) c->view()->installEventFilter(this);
    Kommentti_Kentta->viewport()->setMouseTracking(true);
    // The first additional field is shown and kept together with its renamable name (nayta, tallenna).
    for (const Kenttatieto& t : kentat)
        if (QWidget* w = t.jasen && t.ohjain ? findChild<QWidget*>(t.ohjain) : nullptr) ohjaimet_.emplace_back(&t, w);
}

TKortti* Korttinakyma::nykyinen_kortti() const {
    Tietokanta& tk = p_.varasto().tk();
    if (tk.nykyinen < 1 || tk.nykyinen >= tk.kortit.Count()) return nullptr;
    return tk.kortit.kortti(tk.nykyinen);
}

// ---------------------------------------------------------------------------------------------------------
// Building the view

void Korttinakyma::tee_kentat() {
    auto otsikko = [this](const char* nimi, int x, int y, int leveys = otsikon_leveys) {
        auto* l = new QLabel(fi(kentan_otsikko_teksti(nimi)), this);
        l->setObjectName(nimi);
        l->setGeometry(x, y, leveys, rivin_korkeus);
        return l;
    };
    auto rivi = [this](const char* nimi, int x, int y, int leveys) {
        auto* e = new QLineEdit(this);
        e->setObjectName(nimi);
        e->setGeometry(x, y, leveys, rivin_korkeus);
        return e;
    };
    auto lista = [this](const char* nimi, int x, int y, int leveys) {
        auto* c = new QComboBox(this);
        c->setObjectName(nimi);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);  // the program's own type-ahead completes
        c->addItems(kohdat(kentan_valinnat(nimi)));
        c->setCurrentIndex(-1);
        c->setGeometry(x, y, leveys, rivin_korkeus);
        // The drop-down list is as wide as its longest item, whatever the box's width.
        c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
        return c;
    };

    // Fields, three to a row where they are short; tab order follows the table of fields.
    const int y1 = 56, y2 = 84, y3 = 112, y4 = 140, y5 = 168, y6 = 196, y7 = 224, y8 = 252;
    Nimi = otsikko("Nimi", 4, y1);
    nimi_kentta = rivi("nimi_kentta", kentan_x, y1, 557);
    Paanayttelijat = otsikko("Paanayttelijat", 4, y2);
    paanayttelijat_kentta = rivi("paanayttelijat_kentta", kentan_x, y2, 557);

    Maa = otsikko("Maa", 4, y3);
    maa_kentta = lista("maa_kentta", kentan_x, y3, 150);
    Vuosi = otsikko("Vuosi", 252, y3, 74);
    Vuosi->setToolTip(fi("Tuotantovuosi"));
    Vuosi_Kentta = rivi("Vuosi_Kentta", 328, y3, 66);
    Formaatti = otsikko("Formaatti", 400, y3, 70);
    formaatti_kentta = lista("formaatti_kentta", 472, y3, 180);

    Luokitus = otsikko("Luokitus", 4, y4);
    luokitus_kentta = lista("luokitus_kentta", kentan_x, y4, 150);
    luokitus_kentta->setMaxVisibleItems(20);
    Kesto = otsikko("Kesto", 252, y4, 74);
    Kesto->setToolTip(fi("Voit vaihtaa nopeasti elokuvan keston ilmoitustapaa klikkaamalla tähän"));
    Kesto->setCursor(Qt::PointingHandCursor);
    kesto_kentta = rivi("kesto_kentta", 328, y4, 66);
    kesto_kentta->setToolTip(fi("Elokuvan kesto, esim. \"90 min\" tai \"1h 30min\""));
    Kasetilla = otsikko("Kasetilla", 400, y4, 134);
    kasetilla_kentta = rivi("kasetilla_kentta", 536, y4, 66);
    Kenttien_arvot::rajaa_pituus(kasetilla_kentta, 10);
    sijainti_kentta = lista("sijainti_kentta", 606, y4, 46);
    Kenttien_arvot::rajaa_pituus(sijainti_kentta->lineEdit(), 2);

    Aani = otsikko("Aani", 4, y5);
    aani_kentta = lista("aani_kentta", kentan_x, y5, 150);
    Varit = otsikko("Varit", 252, y5, 74);
    vari_kentta = lista("vari_kentta", 328, y5, 66);
    kuvasuhde = otsikko("kuvasuhde", 400, y5, 70);
    kuvasuhde_kentta = lista("kuvasuhde_kentta", 472, y5, 180);

    Ohjaaja = otsikko("Ohjaaja", 4, y6);
    Ohjaaja_Kentta = rivi("Ohjaaja_Kentta", kentan_x, y6, 340);
    Kasikirjoitus = otsikko("Kasikirjoitus", 4, y7);
    Kasikirjoitus->setToolTip(fi("Voit nimetä kentän uudelleen klikkaamalla tähän."));
    Kasikirjoitus->setCursor(Qt::PointingHandCursor);
    Kasikirjoitus_kentta = rivi("Kasikirjoitus_kentta", kentan_x, y7, 340);
    Lainassa = otsikko("Lainassa", 4, y8);
    lainassa_kentta = rivi("lainassa_kentta", kentan_x, y8, 340);

    Juoni = otsikko("Juoni", 4, 280);
    Kommentit = otsikko("Kommentit", 4, 296);
    Extrat = otsikko("Extrat", 4, 312);
    for (QLabel* l : {Juoni, Kommentit, Extrat}) l->setCursor(Qt::PointingHandCursor);
    Kommentti_Kentta = new QPlainTextEdit(this);
    Kommentti_Kentta->setObjectName("Kommentti_Kentta");
    Kommentti_Kentta->setGeometry(kentan_x, 280, 340, 49);
    Kommentti_Kentta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Kommentti_Kentta->setTabChangesFocus(true);

    extrat_panel = new QWidget(this);
    extrat_panel->setObjectName("extrat_panel");
    extrat_panel->setGeometry(kentan_x, 280, 340, 82);
    QFont pienempi = font();
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
    dvdinfo_label->setGeometry(4, 58, 70, rivin_korkeus);
    Extra_info = new QLineEdit(extrat_panel);
    Extra_info->setObjectName("Extra_info");
    Extra_info->setGeometry(76, 58, 260, rivin_korkeus);
    extrat_panel->hide();

    arvosana_kuva = new Tahtikuva(this);
    arvosana_kuva->setObjectName("arvosana_kuva");
    arvosana_kuva->move(538, 56);
    connect(arvosana_kuva, &Tahtikuva::arvosana_valittu, this, [this](int arvosana) {
        TKortti* k = nykyinen_kortti();
        if (!k) return;
        const std::string uusi = std::to_string(std::clamp(arvosana, 0, 10));
        // A rating is a change of the card like typing: the save question must not forget it.
        if (uusi != k->arvosana) p_.varasto().tk().kortit.merkitse_muutetuksi();
        k->arvosana = uusi;
        arvosana_kuva->aseta_arvosana(arvosana);
    });
    connect(arvosana_kuva, &Tahtikuva::rullattu, this, [this](int askel) {
        p_.dosavefields();
        TKortti* k = nykyinen_kortti();
        if (!k) return;
        const std::string uusi = arvosana_rullalla(k->arvosana, askel);
        if (uusi != k->arvosana) p_.varasto().tk().kortit.merkitse_muutetuksi();
        k->arvosana = uusi;
        p_.update_fields();
    });

    // Tab order of the table of fields.
    QWidget* edellinen = nullptr;
    for (QWidget* w : tabikentat()) {
        if (edellinen) setTabOrder(edellinen, w);
        edellinen = w;
    }
    setTabOrder(Kommentti_Kentta, lainassa_kentta);

    // The label that names each field also shows its accelerator while Ctrl is held.
    const std::pair<QLabel*, QWidget*> parit[] = {
        {Nimi, nimi_kentta},           {Paanayttelijat, paanayttelijat_kentta}, {Maa, maa_kentta},
        {Vuosi, Vuosi_Kentta},         {Formaatti, formaatti_kentta},           {Luokitus, luokitus_kentta},
        {Kesto, kesto_kentta},         {Kasetilla, kasetilla_kentta},           {Aani, aani_kentta},
        {kuvasuhde, kuvasuhde_kentta}, {Ohjaaja, Ohjaaja_Kentta},               {Juoni, Kommentti_Kentta},
        {Kommentit, Kommentti_Kentta}, {Varit, vari_kentta},                    {Kasikirjoitus, Kasikirjoitus_kentta},
        {Lainassa, lainassa_kentta}};
    for (const auto& [l, w] : parit) l->setBuddy(w);

    connect(formaatti_kentta, &QComboBox::editTextChanged, this, [this] { nayta_extrat(); });
}

void Korttinakyma::tee_pikanappaimet() {
    // The field shortcuts: a menu of its own that is never shown; each item moves the focus into its field.
    Kenttienpikanppimet1 = new QMenu(this);
    Kenttienpikanppimet1->setObjectName("Kenttienpikanppimet1");
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
    QWidget* ikkuna = p_.ikkuna();
    for (const Pika& pika : pikat) {
        QAction* a = Kenttienpikanppimet1->addAction(QString::fromLatin1(pika.nimi));
        a->setObjectName(pika.nimi);
        a->setShortcut(pika.avain);
        ikkuna->addAction(a);
        QWidget* kentta = pika.kentta;
        connect(a, &QAction::triggered, this, [kentta] { kentta->setFocus(Qt::ShortcutFocusReason); });
    }
    // Ctrl+J and Ctrl+M turn the text area to the plot or the comments.
    for (const auto& [nimi, avain, sivu] :
         {std::tuple{"juoni_shortkey", Qt::Key_J, 0}, std::tuple{"kommentit_shortkey", Qt::Key_M, 1}}) {
        QAction* a = Kenttienpikanppimet1->addAction(QString::fromLatin1(nimi));
        a->setObjectName(nimi);
        a->setShortcut(QKeySequence(Qt::CTRL | avain));
        ikkuna->addAction(a);
        const int s = sivu;
        connect(a, &QAction::triggered, this, [this, s] { vaihda_sivu(s); });
    }
}

std::array<QWidget*, 15> Korttinakyma::tabikentat() const {
    return {nimi_kentta,     paanayttelijat_kentta, maa_kentta,       Vuosi_Kentta,     formaatti_kentta,
            luokitus_kentta, kesto_kentta,          kasetilla_kentta, sijainti_kentta,  aani_kentta,
            vari_kentta,     kuvasuhde_kentta,      Ohjaaja_Kentta,   Kasikirjoitus_kentta, Kommentti_Kentta};
}

bool Korttinakyma::on_kentta(const QObject* o) const {
    for (QWidget* w : tabikentat())
        if (w == o) return true;
    return o == lainassa_kentta;
}

QWidget* Korttinakyma::tekstialue() const { return Kommentti_Kentta; }

int Korttinakyma::otsikon_sivu(const QLabel* otsikko) const {
    return otsikko == Juoni ? 0 : otsikko == Kommentit ? 1 : otsikko == Extrat ? 2 : -1;
}

QLabel* Korttinakyma::kentan_otsikko(QWidget* w) const {
    if (w == sijainti_kentta) return Kasetilla;
    if (w == Kommentti_Kentta) {
        const TKortti* k = nykyinen_kortti();
        return k && k->nakyma == 1 ? Kommentit : Juoni;
    }
    // Only this view's own labels: a dialog's label with a buddy is never coloured.
    for (QLabel* l : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->buddy() == w && l != Juoni && l != Kommentit) return l;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// The card and the controls

void Korttinakyma::nayta(const TKortti& k) {
    paivitetaan_ = true;
    for (const auto& [t, w] : ohjaimet_) {
        if (t->jasen == &TKortti::kesto || t->jasen == &TKortti::sijainti || w == Kommentti_Kentta) continue;
        arvot_.nayta(w, k.*t->jasen);
    }
    aseta_sivu(k.nakyma, true);
    if (k.nakyma == 0) arvot_.nayta(Kommentti_Kentta, k.juoni);
    else if (k.nakyma == 1) arvot_.nayta(Kommentti_Kentta, k.kommentti);

    const std::string_view sijainti = k.sijainti;
    arvot_.nayta(sijainti_kentta, sijainti == "0" ? std::string_view() : sijainti);

    for (int i = 1; i <= 9; ++i) Extra[static_cast<std::size_t>(i)]->setChecked(k.extra[static_cast<std::size_t>(i)]);
    nayta_extrat();

    std::string_view nimi0 = k.lisatieto_nimi[0];
    const std::string_view lisatieto0 = k.lisatieto[0];
    if (nimi0.empty() && lisatieto0.empty()) nimi0 = lisatiedon_oletusnimi;
    if (nimi0.empty()) nimi0 = "[Ei määritelty?]:";
    arvot_.nayta(Kasikirjoitus, nimi0);
    arvot_.nayta(Kasikirjoitus_kentta, lisatieto0);

    const TAsetukset& a = p_.asetukset();
    arvot_.nayta(kesto_kentta, kesto_nakyviin(k.kesto, a.minuutteina));
    nimi_kentta->setFixedWidth(a.nayta_arvosana ? 433 : 557);
    arvosana_kuva->setVisible(a.nayta_arvosana);
    arvosana_kuva->aseta_arvosana(arvosana_luku(k.arvosana));
    paivitetaan_ = false;
}

bool Korttinakyma::tallenna(TKortti& k) {
    bool muuttui = false;
    for (const auto& [t, w] : ohjaimet_)
        if (w != Kommentti_Kentta) muuttui = vie(k.*t->jasen, arvot_.muokattu(w)) || muuttui;
    if (k.nakyma == 0) muuttui = vie(k.juoni, arvot_.muokattu(Kommentti_Kentta)) || muuttui;
    else if (k.nakyma == 1) muuttui = vie(k.kommentti, arvot_.muokattu(Kommentti_Kentta)) || muuttui;
    vie(k.lisatieto[0], arvot_.muokattu(Kasikirjoitus_kentta));
    vie(k.lisatieto_nimi[0], arvot_.muokattu(Kasikirjoitus));
    for (int i = 1; i <= 9; ++i) k.extra[static_cast<std::size_t>(i)] = Extra[static_cast<std::size_t>(i)]->isChecked();
    return muuttui;
}

void Korttinakyma::ennen_tallennusta() {
    QWidget* f = QApplication::focusWidget();
    if (f == lainassa_kentta || f == kasetilla_kentta) processfields(f);
}

void Korttinakyma::processfields(QWidget* kentta) {
    TKortti* k = nykyinen_kortti();
    // A cut value nobody edited is no entry of the user's to tidy, and tidying its beginning would lose the rest.
    if (!k || arvot_.katkaistu(kentta)) return;
    if (kentta == lainassa_kentta) {
        if (!k->kasetilla.empty())
            lainaa_kasetti(p_.varasto().tk().kortit, cp(kasetilla_kentta->text()), cp(lainassa_kentta->text()));
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
    p_.muutokset().ilmoita_kortit();
}

void Korttinakyma::kasetilla_poistuttu() {
    Tietokanta& tk = p_.varasto().tk();
    TKortti& k = tk.kortit[tk.nykyinen];
    if (kasetilla_kentta->text().isEmpty()) kasetilla_kentta->setText(q(seuraava_vapaa_kasetti(tk.kortit, tk.nykyinen)));
    const std::string numero = cp(kasetilla_kentta->text());
    if (numero != k.kasetilla) {
        k.nauha = get_kasetin_pituus(tk.kortit, numero, p_.varasto().viestit);
        kirjoita_debug("päivitettiin (kas=" + numero + ") kestoksi :" + k.nauha);
    }
    k.kasetilla = numero;
    const TAsetukset& a = p_.asetukset();
    if (k.nauha.empty() && !numero.empty() && sisaltaa("P", cp(formaatti_kentta->currentText())) && a.kysy_pituus &&
        a.ala_kysy_jos && !sisaltaa(a.ala_kysy_jos_sisaltaa, numero)) {
        QMetaObject::invokeMethod(this, [this, numero] {
            if (pituusdialogi_auki_) return;
            pituusdialogi_auki_ = true;
            muut_.kysy_kasetin_pituus(numero);
            pituusdialogi_auki_ = false;
        }, Qt::QueuedConnection);
    }
    if (!tarkista_kasetin_mediat(tk.kortit, numero))
        QMetaObject::invokeMethod(this, [this] { p_.varasto().viestit.tieto(sekamedia_viesti); }, Qt::QueuedConnection);
}

void Korttinakyma::formaatti_poistuttu() {
    const TAsetukset& a = p_.asetukset();
    const bool dvd = sisaltaa("DVD", cp(formaatti_kentta->currentText()));
    Extrat->setVisible(dvd);
    if (dvd && a.jos_dvd_muuta_aani) {
        arvot_.aseta(aani_kentta, a.aani_kentta_jos_dvd);
        p_.dosavefields();
    }
    if (dvd && a.jos_dvd_muuta_kuva) {
        arvot_.aseta(kuvasuhde_kentta, a.kuva_kentta_jos_dvd);
        p_.dosavefields();
    }
    if (Kasikirjoitus_kentta->text().isEmpty() && dvd && a.jos_dvd_nimea_kasik) {
        if (TKortti* k = nykyinen_kortti()) k->lisatieto_nimi[0] = "Extrat:";
        p_.update_fields();
    }
    if (sijainti_kentta->currentText().isEmpty() && dvd) sijainti_kentta->setEditText("1");
    // The focus moves once the focus change that brought us here is over.
    if (dvd) QMetaObject::invokeMethod(this, [this] { setfocus_eka_tyhja_kentta(4); }, Qt::QueuedConnection);
}

void Korttinakyma::nayta_extrat() { Extrat->setVisible(sisaltaa("DVD", cp(formaatti_kentta->currentText()))); }

void Korttinakyma::uuden_kortin_oletukset() {
    const TAsetukset& a = p_.asetukset();
    const std::pair<QComboBox*, const std::string*> oletukset[] = {
        {maa_kentta, &a.maa_kentta_oletus},         {aani_kentta, &a.aani_kentta_oletus},
        {formaatti_kentta, &a.Nopeus_kentta_oletus}, {kuvasuhde_kentta, &a.kuvasuhde_kentta_oletus},
        {vari_kentta, &a.Vari_Kentta_oletus}};
    for (const auto& [c, arvo] : oletukset)
        if (c->currentText().isEmpty()) arvot_.aseta(c, *arvo);
    formaatti_poistuttu();
}

void Korttinakyma::aseta_kasikirjoitus_otsikko(const std::string& nimi) { arvot_.aseta(Kasikirjoitus, nimi); }

bool Korttinakyma::nimi_annettu() {
    if (!nimi_kentta->text().isEmpty()) return true;
    p_.tyopoyta().piippaa();
    nimi_kentta->setText(fi(syota_nimi));
    valitse_nimi();
    return false;
}

void Korttinakyma::valitse_nimi() {
    nimi_kentta->setFocus(Qt::OtherFocusReason);
    nimi_kentta->selectAll();
}

bool Korttinakyma::Oma_Keypress(QWidget* kentta, QKeyEvent* e) {
    p_.varasto().tk().kortit.merkitse_muutetuksi();
    const int avain = e->key();
    if (kentta == sijainti_kentta && e->text() == "#") return true;
    if (avain == Qt::Key_Escape) {
        p_.update_fields();
        return true;
    }
    if (avain == Qt::Key_Return || avain == Qt::Key_Enter) {
        p_.dosavefields();
        p_.update_fields();
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

void Korttinakyma::OnEnterDoHilight(QWidget* kentta) {
    if (kentta == sijainti_kentta && sijainti_kentta->currentText().isEmpty() && !kasetilla_kentta->text().isEmpty())
        sijainti_kentta->setEditText(q(seuraava_sijainti(p_.varasto().tk().kortit, cp(kasetilla_kentta->text()))));
    varita_otsikot(kentta);
}

void Korttinakyma::varita_otsikot(QWidget* kohde) {
    if (!naytetty_) return;
    const Ulkoasu& u = p_.asetukset().ulkoasu;
    auto vari = [](QLabel* l, Vari v) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, qvari(v));
        l->setPalette(p);
    };
    for (QLabel* l : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) vari(l, u.paaikkuna_normaali);
    const TKortti* k = nykyinen_kortti();
    const int sivu = k ? k->nakyma : 0;
    for (auto [l, s] : {std::pair{Juoni, 0}, std::pair{Kommentit, 1}, std::pair{Extrat, 2}})
        vari(l, s == sivu ? u.paaikkuna_normaali : u.paaikkuna_himmennetty);
    QWidget* f = QApplication::focusWidget();
    if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
    for (QWidget* w : {f, kohde})
        if (QLabel* l = w && isAncestorOf(w) ? kentan_otsikko(w) : nullptr) vari(l, u.paaikkuna_korostettu);
}

void Korttinakyma::setfocus_eka_tyhja_kentta(int paikka) {
    const auto kentat_ = tabikentat();
    QWidget* f = QApplication::focusWidget();
    if (f && qobject_cast<QComboBox*>(f->parentWidget())) f = f->parentWidget();
    int nykyinen = ei_kenttaa;
    for (int i = 0; i <= 13; ++i)
        if (kentat_[static_cast<std::size_t>(i)] == f) nykyinen = i;
    if (paikka != -1) {
        nykyinen = paikka;
        kirjoita_debug("setfocus_eka_tyhja_kentta: dd override!");
    }
    kirjoita_debug("[setfocus, current field] dd=" + std::to_string(nykyinen));
    std::array<bool, tabikenttia> tyhja{};
    for (int i = 0; i < tabikenttia; ++i) tyhja[static_cast<std::size_t>(i)] = ohjaimen_teksti(kentat_[static_cast<std::size_t>(i)]).isEmpty();
    const int kohde = eka_tyhja_kentta(tyhja, nykyinen);
    kirjoita_debug("[setfocus, destination field] ss=" + std::to_string(kohde));
    if (kohde >= 0) {
        QWidget* w = kentat_[static_cast<std::size_t>(kohde)];
        if (w == sijainti_kentta) OnEnterDoHilight(sijainti_kentta);
        w->setFocus(Qt::OtherFocusReason);
    }
    // The enlarged text area lies over the field that would come next; the text area takes the focus.
    if (suurennettu_ && Kasikirjoitus_kentta->hasFocus()) Kommentti_Kentta->setFocus(Qt::OtherFocusReason);
    varita_otsikot();
}

void Korttinakyma::aseta_otsikot(bool pikanappaimet) {
    for (const Otsikkopari& o : kenttien_otsikot)
        if (auto* l = findChild<QLabel*>(o.nimio)) l->setText(fi(pikanappaimet ? o.pikanappain : o.tavallinen));
}

void Korttinakyma::palauta_otsikot() {
    if (Nimi->text() == fi("Elokuvan &Nimi:")) aseta_otsikot(false);
}

// ---------------------------------------------------------------------------------------------------------
// Events of the fields and labels

bool Korttinakyma::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    switch (e->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            // Only keys that type something count as editing: moving about a field changes nothing.
            const bool kirjoittaa = !k->text().isEmpty() && k->text() != "\t";
            if (w && arvot_.estetty_muokkaus(w, k)) return true;
            if (kirjoittaa && on_kentta(o) && Oma_Keypress(w, k)) return true;
            if (kirjoittaa && o == Extra_info) p_.varasto().tk().kortit.merkitse_muutetuksi();
            if (o == Kommentti_Kentta && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) return true;
            break;
        }
        case QEvent::FocusIn:
            if (on_kentta(o)) OnEnterDoHilight(w);
            break;
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent*>(e)->reason() == Qt::PopupFocusReason || paivitetaan_) break;
            if (o == nimi_kentta) {
                // Only an edited title, and only when the focus went to another control of this window: a
                // switch to another window or a dialog opening (Ctrl+E) is no leaving of the field.
                if (!nimi_kentta->isModified()) break;
                QMetaObject::invokeMethod(this, [this] {
                    const QWidget* uusi = QApplication::focusWidget();
                    if (!uusi || uusi == nimi_kentta || uusi->window() != window() || !nimi_kentta->isModified()) return;
                    nimi_kentta->setModified(false);
                    muut_.hae_viitetiedot(cp(nimi_kentta->text()));
                }, Qt::QueuedConnection);
            } else if (on_kentta(o)) {
                processfields(w);
            }
            break;
        case QEvent::Show:
            // A combo box's list dropping down counts as entering its field.
            for (QComboBox* c : findChildren<QComboBox*>())
                if (o == c->view()) OnEnterDoHilight(c);
            break;
        case QEvent::MouseButtonPress:
            for (int i = 1; i <= 9; ++i)
                if (o == Extra[static_cast<std::size_t>(i)]) p_.varasto().tk().kortit.merkitse_muutetuksi();
            break;
        case QEvent::MouseMove:
            if (o == Kommentti_Kentta->viewport()) suurenna_tekstialue_();
            break;
        case QEvent::MouseButtonRelease:
            if (o == Kesto) kesto_klikattu();
            else if (o == Kasikirjoitus) kasikirjoitus_klikattu();
            else if ((o == Juoni || o == Kommentit || o == Extrat) &&
                     static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
                vaihda_sivu(o == Juoni ? 0 : o == Kommentit ? 1 : 2);
            break;
        default: break;
    }
    return QWidget::eventFilter(o, e);
}

void Korttinakyma::mouseMoveEvent(QMouseEvent* e) {
    // Moving over the background puts an enlarged text area back.
    if (suurennettu_) palauta_tekstialue();
    QWidget::mouseMoveEvent(e);
}

void Korttinakyma::kesto_klikattu() {
    p_.dosavefields();
    p_.asetukset().minuutteina = !p_.asetukset().minuutteina;
    p_.update_fields();
}

void Korttinakyma::kasikirjoitus_klikattu() {
    p_.dosavefields();
    Tmuuta_kentan_nimi_form f(p_.varasto().tk(), p_.varasto().viestit, p_.ikkuna());
    p_.tyopoyta().nayta_dialogi(f);
    p_.update_fields();
}

// ---------------------------------------------------------------------------------------------------------
// The text area's pages and its enlargement

void Korttinakyma::vaihda_sivu(int sivu) {
    // The text area's text goes into the field of the page being left.
    p_.dosavefields();
    aseta_sivu(sivu, false);
    if (sivu < 2) Kommentti_Kentta->setFocus(Qt::OtherFocusReason);
}

void Korttinakyma::aseta_sivu(int sivu, bool paivita) {
    TKortti* k = nykyinen_kortti();
    if (!k) return;
    sivu = std::clamp(sivu, 0, 2);
    k->nakyma = sivu;
    extrat_panel->setVisible(sivu == 2);
    Kommentti_Kentta->setVisible(sivu != 2);
    Lainassa->setVisible(sivu != 2);
    if (sivu < 2 && !paivita) p_.update_fields();
    varita_otsikot();
}

void Korttinakyma::suurenna_tekstialue_() {
    const std::string teksti = cp(raakateksti(Kommentti_Kentta));
    if (!suurenna_tekstialue(teksti)) return;
    const TKortti* k = nykyinen_kortti();
    const bool kommentit = k && k->nakyma == 1;
    for (QLabel* l : {Lainassa, Extrat, Kasikirjoitus, kommentit ? Juoni : Kommentit}) l->hide();
    (kommentit ? Kommentit : Juoni)->move(4, 248);
    Kommentti_Kentta->setGeometry(kentan_x, 248, 340, 114);
    Kommentti_Kentta->raise();
    Kommentti_Kentta->setVerticalScrollBarPolicy(teksti.size() > vierityspalkin_raja ? Qt::ScrollBarAlwaysOn
                                                                                     : Qt::ScrollBarAlwaysOff);
    if (QApplication::focusWidget() == Kasikirjoitus_kentta) {
        p_.dosavefields();
        Kommentti_Kentta->setFocus(Qt::OtherFocusReason);
    }
    suurennettu_ = true;
}

void Korttinakyma::palauta_tekstialue() {
    Juoni->move(4, 280);
    Kommentit->move(4, 296);
    for (QLabel* l : {Juoni, Kommentit, Lainassa, Kasikirjoitus}) l->show();
    nayta_extrat();
    Kommentti_Kentta->setGeometry(kentan_x, 280, 340, 49);
    Kommentti_Kentta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    suurennettu_ = false;
}

void Korttinakyma::ota_ulkoasu(const Ulkoasu& u) {
    arvosana_kuva->aseta_kuvat(p_.varasto().tj(), u.tahdet, u.tahdet2);
    // The extras label sits on the extras colour, not on the background picture the label colours suit.
    QPalette pal = dvdinfo_label->palette();
    pal.setColor(QPalette::WindowText, qvari(u.extrat).lightness() > 128 ? Qt::black : Qt::white);
    dvdinfo_label->setPalette(pal);
    varita_otsikot();
}
