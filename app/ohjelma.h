#pragma once
// The program's run: the single-instance lock, the windows that live for the whole run, the settings and
// the choice of catalogue at start-up. It is also what the main window and the settings dialog reach the
// other windows through. Shut-down is the main window's own close.
#include <QLockFile>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "mainwindow/ui/tyopoyta_qt.h"
#include "perus/ohjelmakansio.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/asetukset_form.h"
#include "settings/ui/ulkoasu_qt.h"

namespace diag { class Viestit; class Kiire; }
class TMain_form;
class TDebug_Form;
class TSort_Form;
class Imdbtoiminnot;
class Hakutoiminnot;
class Lainaustoiminnot;
class Tulostustoiminnot;
class Viitetoiminnot;
class Nauhatoiminnot;
class Liitostoiminnot;
class Tuontitoiminnot;

// What the settings dialog offers from the movie data sources and the card view's fields.
Tasetukset_form::Valinnat asetusikkunan_valinnat();

class Ohjelma final : public Muut_ikkunat, public Tasetukset_form::Paaikkuna {
public:
    // `tiedostot` is the file system every file of the run is read and written through; `tyopoyta` is the
    // desktop the windows use (tests pass one that answers the dialogs).
    Ohjelma(std::filesystem::path juuri, Tiedostojarjestelma& tiedostot, diag::Viestit& viestit, diag::Kiire& kiire,
            Tyopoyta& tyopoyta);
    ~Ohjelma() override;

    // The start-up steps in order, up to showing the main window. False: the program ends (the user has
    // been told why).
    bool kaynnista(const QStringList& argumentit);

    TMain_form& paaikkuna() { return *Main_form; }
    TDebug_Form& debug_ikkuna() { return *Debug_Form; }
    TSort_Form& jarjestysikkuna() { return *Sort_Form; }
    Tasetukset_form& asetusikkuna() { return *asetukset_form; }

    // What the main window asks of the other windows.
    Listaikkuna& lista() override;
    void etsi() override;
    void kysy_kasetin_pituus(const std::string& kasetti) override;
    void hae_viitetiedot(const std::string& nimi) override;
    bool jarjesta() override;
    void nayta_asetukset(int sivu) override;
    void nayta_debuggeri() override;
    void sulje_kaikki() override;
    bool debuggeri_nakyvissa() const override;
    void kortit_vaihtuivat() override;
    void tarkista_myohastymiset() override;

    // What the settings dialog asks of the main window.
    bool nakyvissa() const override;
    void paivita() override;
    void lataa_kaikki_kannet() override;

    Tiedostojarjestelma& tiedostot;
    Ohjelmakansio kansio;
    TAsetukset asetukset;
    Ulkoasusovitin sovitin;
    Asetusymparisto ymparisto;
    // Where the file-type registration is kept and which executable it names.
    std::filesystem::path xdg_data;
    std::filesystem::path ohjelmatiedosto;

private:
    void tee_ikkunat();

    diag::Viestit& viestit_;
    diag::Kiire& kiire_;
    Tyopoyta& tyopoyta_;
    std::unique_ptr<QLockFile> lukko_;
    std::unique_ptr<TMain_form> Main_form;
    std::unique_ptr<TDebug_Form> Debug_Form;
    std::unique_ptr<TSort_Form> Sort_Form;
    std::unique_ptr<Tasetukset_form> asetukset_form;
    // The subsystems' own menu items and windows.
    std::unique_ptr<Imdbtoiminnot> imdb_;
    std::unique_ptr<Hakutoiminnot> haku_;
    std::unique_ptr<Lainaustoiminnot> lainaus_;
    std::unique_ptr<Tulostustoiminnot> tulostus_;
    std::unique_ptr<Viitetoiminnot> viite_;
    std::unique_ptr<Nauhatoiminnot> nauhat_;
    std::unique_ptr<Liitostoiminnot> liitos_;
    std::unique_ptr<Tuontitoiminnot> tuonti_;
};
