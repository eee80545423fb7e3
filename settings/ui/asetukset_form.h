#pragma once
// The settings dialog. It edits the program's TAsetukset in place while it is open (so the skin and the
// card view preview every change at once); "Tallenna" writes the file, "Peruuta" (and Esc, and closing
// the window) reads the file back, which drops every change made since and reloads the skin.
#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/asetukset.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

class Tasetukset_form : public QDialog {
    Q_OBJECT
public:
    // The pages of PageControl, in order.
    enum Sivu { Ulkoasu_sivu, Uusi_kortti_sivu, Lisatiedot_sivu, Dvd_sivu, Tallennus_sivu, Internet_sivu,
                Email_sivu, Sekalaista_sivu, Tulostus_sivu };

    // A mail account of the desktop's own mail program.
    struct Postitili {
        std::string nimi, osoite, palvelin, kayttaja;
    };

    // What the dialog asks of the main window while it is open.
    class Paaikkuna {
    public:
        virtual ~Paaikkuna() = default;
        virtual bool nakyvissa() const = 0;
        // Show the current card again (the settings change what it shows).
        virtual void paivita() = 0;
        // Unpack every cover of the open catalogue now.
        virtual void lataa_kaikki_kannet() = 0;
    };

    // What the dialog offers that other parts of the program own; the program's wiring fills it in.
    struct Valinnat {
        struct Lahde {
            std::string tunnus;  // in asetukset.ini
            std::string nimi;    // as the list offers it
        };
        // The movie data sources; the first is the one a setting that names none of them stands for.
        std::vector<Lahde> lahteet;
        // The values of the card view's combo boxes whose defaults the dialog sets.
        std::vector<std::string> formaatit, kuvasuhteet, aaniraidat;
    };

    Tasetukset_form(TAsetukset& asetukset, const Asetusymparisto& ymparisto, Paaikkuna& paaikkuna,
                    Valinnat valinnat, QWidget* parent = nullptr);

    // Shows the dialog modally, on the given page or on the page it showed last.
    int nayta(int sivu = -1);

    // The desktop's dialogs; tests replace them.
    std::function<std::optional<Vari>(Vari)> valitse_vari;  // default: the colour dialog
    std::function<Postitili()> lue_postitili;               // default: none (no such source here)
    std::function<void()> lopeta_ohjelma;                   // default: ask the application to quit

    // Controls, named as the settings they hold.
    QTabWidget* PageControl;
    QRadioButton* minuutteina;
    QRadioButton* tunteina;
    QComboBox* skin_dir;
    QComboBox* button_dir;
    QCheckBox* himmenna_taustakuva;
    QCheckBox* nayta_arvosana;
    QCheckBox* Fade_buttons;
    QCheckBox* smoothen_cover;
    QCheckBox* force_kentan_vari;
    QPushButton* force_vari;

    QComboBox* kuvasuhde_kentta_oletus;
    QComboBox* aani_kentta_oletus;
    QComboBox* Vari_Kentta_oletus;
    QComboBox* Nopeus_kentta_oletus;
    QLineEdit* maa_kentta_oletus;

    QLineEdit* custom1_default;
    QLineEdit* custom2_default;
    QLineEdit* custom3_default;
    QLineEdit* custom4_default;
    QLabel* lueminut;

    QCheckBox* jos_dvd_muuta_kuva;
    QComboBox* kuva_kentta_jos_dvd;
    QCheckBox* jos_dvd_muuta_aani;
    QComboBox* aani_kentta_jos_dvd;
    QCheckBox* jos_dvd_nimea_kasik;

    QRadioButton* avaa_kannet_heti;
    QRadioButton* avaa_kannet_tarvittaessa;
    QCheckBox* tallenna_sortattuna;

    QCheckBox* proxy_enabled;
    QLineEdit* proxy_addr;
    QLineEdit* proxy_port;
    QLineEdit* proxy_username;
    QLineEdit* proxy_password;
    QComboBox* tietolahde;             // the movie data source the IMDb window starts with
    QLineEdit* wikimedia_yhteystieto;  // sent to Wikidata and Wikipedia in the User-Agent

    QLineEdit* smtp_palvelin;
    QLineEdit* email_addr;
    QLineEdit* email_nimi;
    QLineEdit* palaute_addr;  // where the feedback window sends
    QCheckBox* email_logon;
    QLineEdit* email_username;
    QLineEdit* email_password;
    QPushButton* get_emailsetup_from_outlook;

    QCheckBox* notify_enabled;
    QLineEdit* notify_dates;
    QComboBox* default_open;
    QCheckBox* kysy_pituus;
    QCheckBox* ala_kysy_jos;
    QLineEdit* ala_kysy_jos_sisaltaa;

    QSpinBox* Tarroja;  // the edit and its up-down UpDown1 in one
    QRadioButton* print_24bit;
    QRadioButton* print_16bit;
    QSpinBox* DPI_X_EDIT;  // with UpDown_DPI_X
    QSpinBox* DPI_Y_EDIT;  // with UpDown_DPI_Y
    QPushButton* Detect_DPI_button;
    QCheckBox* alternative_printing;

    QPushButton* Tallenna_button;
    QPushButton* peruuta_button;
    QPushButton* alkup_asetukset;

    // Handlers.
    void FormShow();
    void Tallenna_buttonClick();
    void peruuta_buttonClick();
    void alkup_asetuksetClick();
    void skin_dirChange();
    void button_dirChange();
    void force_variClick();
    void avaa_kannet_hetiClick();
    void Detect_DPI_buttonClick();
    void get_emailsetup_from_outlookClick();
    void notify_datesExit();
    void default_openExit();
    void ala_kysy_jos_sisaltaaExit();
    void wikimedia_yhteystietoExit();
    void TabSheet2Show();
    void dvd_optionsShow();
    void TabSheet6Show();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* tee_ulkoasu_sivu();
    QWidget* tee_uusi_kortti_sivu();
    QWidget* tee_lisatiedot_sivu();
    QWidget* tee_dvd_sivu();
    QWidget* tee_tallennus_sivu();
    QWidget* tee_internet_sivu();
    QWidget* tee_email_sivu();
    QWidget* tee_sekalaista_sivu();
    QWidget* tee_tulostus_sivu();

    // Ties a control to its setting: the control shows the setting, and every change goes straight into it.
    QCheckBox* sido(QCheckBox* c, bool TAsetukset::*jasen);
    void sido(QRadioButton* kylla, QRadioButton* ei, bool TAsetukset::*jasen);
    QLineEdit* sido(QLineEdit* e, std::string TAsetukset::*jasen);
    QComboBox* sido(QComboBox* c, std::string TAsetukset::*jasen);
    QSpinBox* sido(QSpinBox* s, int TAsetukset::*jasen);

    void kentat_asetuksista();  // every control from the settings, without firing handlers
    void sivu_naytetty(int sivu);
    void lataa_ulkoasu_nyt();
    void paivita_kortti_jos_nakyvissa();
    // Checks a line as it is left; a mended value goes back into it.
    void tarkista_rivi(QLineEdit* rivi, bool (*tarkista)(std::string&, diag::Viestit&));
    void nayta_force_vari();
    static void tayta_lista(QComboBox* c, const std::vector<std::string>& kohdat);

    TAsetukset& a_;
    const Asetusymparisto& y_;
    Paaikkuna& paaikkuna_;
    const Valinnat valinnat_;
    std::vector<std::function<void()>> tayttajat_;
    bool tarkistus_kesken_ = false;
};
