#include "app/ohjelma.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QProxyStyle>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "diag/loki.h"
#include "diag/ui/debug_form.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "export/ui/tulostustoiminnot.h"
#include "find/ui/etsi_form.h"
#include "find/ui/hakutoiminnot.h"
#include "find/ui/lista_form.h"
#include "find/ui/sort_form.h"
#include "imdb/lahteet.h"
#include "imdb/ui/imdbtoiminnot.h"
#include "imdb/ui/viitetoiminnot.h"
#include "lending/ui/lainaustoiminnot.h"
#include "mainwindow/tiedostotyyppi.h"
#include "mainwindow/ui/main_form.h"
#include "perus/tiedostot.h"
#include "perus/versio.h"
#include "settings/asetukset.h"
#include "settings/ui/asetukset_form.h"
#include "settings/ui/tulostin.h"
#include "storage/avoimen_kannet.h"
#include "storage/kentat.h"
#include "storage/kannet.h"
#include "storage/tyokansio.h"
#include "storage/ui/liitostoiminnot.h"
#include "tapes/ui/nauhatoiminnot.h"
#include "tuonti/ui/tuontitoiminnot.h"

namespace fs = std::filesystem;

namespace {

// Tool tips show after 1.2 seconds.
class Vihjetyyli final : public QProxyStyle {
public:
    int styleHint(StyleHint h, const QStyleOption* o, const QWidget* w, QStyleHintReturn* r) const override {
        if (h == SH_ToolTip_WakeUpDelay) return 1200;
        return QProxyStyle::styleHint(h, o, w, r);
    }
};

fs::path oma_ohjelmatiedosto() {
    std::error_code ec;
    const fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path(QCoreApplication::applicationFilePath().toStdString()) : p;
}

std::vector<std::string> tekstit(const std::vector<const char*>& t) { return {t.begin(), t.end()}; }

}  // namespace

Tasetukset_form::Valinnat asetusikkunan_valinnat() {
    Tasetukset_form::Valinnat v;
    for (Lahdelaji laji : lahdelajit) v.lahteet.push_back({lahdekuvaus(laji).tunnus, lahdekuvaus(laji).nimi});
    v.formaatit = tekstit(kentan_valinnat("formaatti_kentta"));
    v.kuvasuhteet = tekstit(kentan_valinnat("kuvasuhde_kentta"));
    v.aaniraidat = tekstit(kentan_valinnat("aani_kentta"));
    return v;
}

Ohjelma::Ohjelma(fs::path juuri, Tiedostojarjestelma& tiedostot, diag::Viestit& viestit, diag::Kiire& kiire,
                 Tyopoyta& tyopoyta)
    : tiedostot(tiedostot),
      kansio(std::move(juuri), tiedostot),
      ymparisto{kansio, tiedostot, viestit, [] { return tulostimen_tarkkuus(); }, [this] { sovitin.sovella(asetukset.ulkoasu); }},
      xdg_data(xdg_data_kansio()),
      ohjelmatiedosto(oma_ohjelmatiedosto()),
      viestit_(viestit),
      kiire_(kiire),
      tyopoyta_(tyopoyta) {}

Ohjelma::~Ohjelma() {
    if (Main_form) Main_form->lopeta();
    tuonti_.reset();
    liitos_.reset();
    nauhat_.reset();
    viite_.reset();
    tulostus_.reset();
    lainaus_.reset();
    haku_.reset();
    imdb_.reset();
}

void Ohjelma::tee_ikkunat() {
    Main_form = std::make_unique<TMain_form>(kansio, asetukset, ymparisto, viestit_, kiire_, tyopoyta_, *this, sovitin);
    TMain_form& m = *Main_form;
    Debug_Form = std::make_unique<TDebug_Form>();
    Debug_Form->setWindowTitle(fi("Debuggeri"));
    Sort_Form = std::make_unique<TSort_Form>(m.varasto().tk(), viestit_, &m);
    asetukset_form = std::make_unique<Tasetukset_form>(asetukset, ymparisto, *this, asetusikkunan_valinnat(), &m);
    sovitin.lisaa(&m, Ikkunalaji::Paaikkuna, [&m](const Ulkoasu& u) { m.ota_ulkoasu(u); });
    sovitin.lisaa(Sort_Form.get(), Ikkunalaji::Muu, [this](const Ulkoasu& u) {
        Sort_Form->aseta_ulkoasu({u.muut_ikkunat_normaali, u.muut_ikkunat_korostettu, lataa_kuva(tiedostot, u.tausta2),
                                  lataa_kuva(tiedostot, u.jarjesta_jarjesta),
                                  lataa_kuva(tiedostot, u.jarjesta_peruuta)});
    });
    imdb_ = std::make_unique<Imdbtoiminnot>(m);
    haku_ = std::make_unique<Hakutoiminnot>(m);
    lainaus_ = std::make_unique<Lainaustoiminnot>(m);
    tulostus_ = std::make_unique<Tulostustoiminnot>(m);
    haku_->lista_ikkuna().aseta_tulostus([this] { tulostus_->tulosta_lista(); });
    viite_ = std::make_unique<Viitetoiminnot>(m);
    nauhat_ = std::make_unique<Nauhatoiminnot>(m);
    liitos_ = std::make_unique<Liitostoiminnot>(m);
    tuonti_ = std::make_unique<Tuontitoiminnot>(m);
}

bool Ohjelma::kaynnista(const QStringList& argumentit) {
    // 1. A folder the program cannot write to is said as it is, not taken for another copy running.
    if (const Tulos koe = ohjelmakansion_kirjoituskoe(kansio.juuri(), tiedostot); !koe) {
        viestit_.virhe(koe.viesti);
        return false;
    }
    // One copy at a time. A lock file of a crashed run is found stale and taken over.
    lukko_ = std::make_unique<QLockFile>(QFile::decodeName(kansio.polku("GCRullakkoGC").c_str()));
    if (!lukko_->tryLock(0)) {
        viestit_.virhe("Rullakko on jo käynnissä!");
        return false;
    }
    // What crashed runs left behind: their work folders and half-written saves.
    siivoa_vanhat_tyokansiot(tiedostot, "rullakko");
    siivoa_keskeneraiset(tiedostot, kansio.juuri());
    siivoa_vanhat_asetuskopiot(tiedostot, kansio);
    // 2. The program folder is also the process's current folder, where the file dialogs start.
    if (!QDir::setCurrent(QFile::decodeName(kansio.juuri().c_str()))) {
        viestit_.virhe("Ohjelma ei päässyt hakemistoonsa (Bugi?), lopetetaan ohjelma...");
        return false;
    }
    // 3. The window system adds the display name to every caption, and the captions already name the
    // program: the display name stays empty.
    QApplication::setApplicationName("Rullakko");
    QApplication::setApplicationDisplayName(QString());

    // 4. The windows of the whole run.
    tee_ikkunat();
    TMain_form& m = *Main_form;
    kirjoita_debug("Formit tehty onnistuneesti");

    // 5.
    const std::string eka = argumentit.size() > 1 ? cp(argumentit[1]) : std::string();
    if (eka == "-debug") Debug_Form->debug2file->setChecked(true);

    // 6.
    if (lue_ini(asetukset, ymparisto) == Lataustulos::Lopeta) {
        m.close();
        return false;
    }

    // 7. Tool tips.
    if (qApp) qApp->setStyle(new Vihjetyyli);
    for (QWidget* w : m.findChildren<QWidget*>()) w->setToolTipDuration(6500);
    m.findChild<QWidget*>("Muut_elokuvat_grid")
        ->setToolTip(fi("Tässä listassa näkyvät muut samalla kasetilla/levyllä olevat elokuvat.\n"
                        "S kirjain listan yläreunassa ilmoittaa monentenako elokuva on kasetilla/levyllä.\n"
                        "Hiiren kakkosnapilla voit vaihtaa näkymää."));

    // 8.
    kirjoita_debug("Tarkistetaan tiedostotyypin rekisteröinti");
    tarkista_tiedostotyyppi(tiedostot, xdg_data, ohjelmatiedosto, viestit_);
    kirjoita_debug("Tiedostotyyppi tarkistettu");

    // 9. The catalogue.
    const std::string oletus = asetukset.default_open.empty() ? std::string("default.rkb") : asetukset.default_open;
    if (!eka.empty() && eka[0] == '-') {
        m.avaa_tietokanta(polku_tekstiksi(kansio.juuri() / "") + oletus);
    } else if (!eka.empty()) {
        m.avaa_tietokanta(eka);
    } else if (fs::exists(kansio.polku(oletus))) {
        m.avaa_tietokanta(polku_tekstiksi(kansio.juuri() / "") + oletus);
    } else {
        m.luo_tietokanta(oletus);
        if (fs::exists(kansio.polku("esimerkki.rkb")) &&
            viestit_.kysy(diag::Laji::Tieto,
                          "Olet käynnistänyt ohjelman ensimmäistä kertaa!\n"
                          "Haluatko kokeilla ohjelmaa esimerkki tietokannalla. Esimerkki tietokantaa kokeilemalla voit "
                          "tutustua ohjelmaan ennen kuin alat luomaan omaa tietokantaa.\n"
                          "Huom: Esimerkkitietokannan kansien kuvat eivät ole kovin tarkkoja, tarkempien kuvien\n"
                          "laittaminen olisi kasvattanut tiedoston kohtuuttoman suureksi.") == diag::Vastaus::Kylla)
            m.avaa_tietokanta("esimerkki.rkb");
    }
    kirjoita_debug("Tietokanta valittu");

    // 10. and 11.
    m.varita_otsikot();
    kirjoita_debug("Otsikoiden värit asetettu");

    // 12.
    m.show();
    return true;
}

// ---------------------------------------------------------------------------------------------------------
// The other windows, as the main window asks for them

Listaikkuna& Ohjelma::lista() { return haku_->lista(); }

void Ohjelma::etsi() { haku_->etsi(); }

void Ohjelma::kysy_kasetin_pituus(const std::string& kasetti) { nauhat_->kysy_kasetin_pituus(kasetti); }
void Ohjelma::hae_viitetiedot(const std::string& nimi) { viite_->hae_viitetiedot(nimi); }

bool Ohjelma::jarjesta() { return tyopoyta_.nayta_dialogi(*Sort_Form) == QDialog::Accepted; }

void Ohjelma::nayta_asetukset(int sivu) { asetukset_form->nayta(sivu); }

void Ohjelma::nayta_debuggeri() {
    Debug_Form->show();
    Debug_Form->debug_enabled->setChecked(true);
    kirjoita_debug("DEBUGGERIMODE ENABLED! btw: ohjelma hidastuu...");
}

void Ohjelma::sulje_kaikki() {
    Debug_Form->close();
    Sort_Form->close();
}

bool Ohjelma::debuggeri_nakyvissa() const { return Debug_Form && Debug_Form->isVisible(); }

void Ohjelma::kortit_vaihtuivat() {
    if (haku_) haku_->kortit_vaihtuivat();
}

void Ohjelma::tarkista_myohastymiset() {
    if (lainaus_) lainaus_->tarkista_myohastymiset();
}

bool Ohjelma::nakyvissa() const { return Main_form && Main_form->isVisible(); }

void Ohjelma::paivita() { Main_form->update_fields(); }

void Ohjelma::lataa_kaikki_kannet() { avaa_kaikki_kannet(true, Main_form->varasto()); }
