#pragma once
// The main window: one card of the open catalogue at a time, the File menu and the program's menus.
// The field rules themselves live in mainwindow/kenttasaannot; this class ties them to the controls.
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <array>
#include <functional>
#include <string>

#include "mainwindow/korttitoiminnot.h"
#include "settings/asetukset.h"
#include "storage/kortti.h"
#include "storage/varasto.h"

class QAction;
class QCheckBox;
class QDialog;
class QDragEnterEvent;
class QDropEvent;
class QMouseEvent;
class QWheelEvent;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QTimer;
class QUrl;
class TDebug_Form;
class TSort_Form;
class Tasetukset_form;
class Tahtikuva;
class PieniKansi;
class QActionGroup;

class TMain_form : public QMainWindow {
    Q_OBJECT
public:
    TMain_form(const Ohjelmakansio& kansio, TAsetukset& asetukset, const Asetusymparisto& ymparisto,
               diag::Viestit& viestit, diag::Kiire& kiire, QWidget* parent = nullptr);
    ~TMain_form() override;

    // The open catalogue, the current card's index and the file name, and what the storage routines need.
    Tietokanta tk;
    Varasto varasto;

    // The windows that live for the whole run (owned by the program); any may be null.
    QPointer<TDebug_Form> debug_form;
    QPointer<TSort_Form> sort_form;
    QPointer<Tasetukset_form> asetukset_form;

    // Seams to the desktop and to the dialogs of other windows; tests replace them.
    std::function<QString(const QString& otsikko)> valitse_avattava;  // open dialog; empty when cancelled
    std::function<QString()> valitse_tallennettava;                   // save dialog; empty when cancelled
    std::function<bool(const QUrl&)> avaa_osoite;                      // the desktop's "open"
    std::function<bool()> tulostin_olemassa;
    std::function<void(const std::string& kasetti)> kysy_kasetin_pituus;  // the tape-length dialog
    std::function<void(const std::string& nimi)> hae_viitetiedot;         // the reference-catalogue lookup
    std::function<void()> piippaa;                                        // the beep at an end, a refused move
    // The large cover window runs modally through this (tests close it themselves).
    std::function<int(QDialog&)> nayta_dialogi;

    // The movie list and search windows, reached through these until those windows are part of the
    // program; each may be empty.
    struct Listaikkuna {
        std::function<bool()> nakyvissa;
        std::function<bool()> hakutulokset;              // it shows search results
        std::function<bool(int suunta)> siirry_riville;  // previous/next row; false at either end
        std::function<void()> seuraa_valintaa;           // its selection follows the current card
        std::function<void()> rakenna;                   // rebuilt from the whole catalogue
        std::function<void()> sulje;
        std::function<void(bool liitetty)> aseta_muoto;  // attached beside the main window, or normal
        std::function<void()> nayta_hakutulokset;        // shown with the search results, first row opened
        std::function<void()> nayta_kaikki;              // shown with the whole catalogue, current card selected

        bool auki() const { return nakyvissa && nakyvissa(); }
        bool haku() const { return hakutulokset && hakutulokset(); }
        static void tee(const std::function<void()>& f) {
            if (f) f();
        }
    } lista;
    std::function<void()> etsi_ikkuna;                   // the search window, modally
    // Which list to show when the list window holds search results (Tkumpi_lista_form's answer).
    std::function<int()> kysy_kumpi_lista;

    // Menus, named as their items.
    QMenu* Avaa;
    QAction* Uusi_Menu;
    QAction* Avaa_Menu;
    QMenu* Quick_avaa;
    std::array<QAction*, 10> Tiedosto{};  // Tiedosto1..Tiedosto10
    QAction* Lisaa_ja_liita;
    QAction* Tallenna_Menu;
    QAction* Tallenna_nimella;
    QAction* Talennanimellasetukset1;
    QAction* Tallennalistatiedostoon1;
    QAction* tallenna_lista_html_menuitem;
    QAction* Lopeta_Menu;
    QMenu* MuokkaaMenu;
    QAction* menu_undo;
    QAction* kopioi_kortti;
    QAction* Liita_kortti;
    QMenu* Toiminnot;
    QAction* Lainaakasetti1;
    QAction* Lainaajaprofiilit1;
    QAction* Tarkistamyhstyneitelokuvia1;
    QAction* tyhjaa_nauhaa;
    QAction* menu_update;
    QAction* taydenna_tietokanta_paremmin;
    QAction* Asetukset;
    QAction* LahetaSahkopostiaTekijalle;
    QAction* laheta_tietokanta_emaililla;
    QAction* siirry_kotisivuille_menu;
    QMenu* Tulosta1;
    QAction* TTarrat;
    QAction* TulostaLista1;
    QAction* TulostimenAsetukset1;
    QMenu* Imdb_menu;
    QAction* EtsitmnkortintiedotIMDBst1;
    QAction* nayta_imdbsta;
    QAction* edit_imdbnum;
    QAction* HaekaikilleImdbstnoudetuillekorteillekansikuvat1;
    QAction* Hae_Kansi;
    QMenu* Help1;
    QAction* Lueminut_html;
    QAction* emailaa_html;
    QAction* historia_html;
    QAction* Kiitokset1;
    QAction* Pikanappaimet_menu;
    QAction* statistics;
    QMenu* Developer_menu;
    QAction* NaytaDebuggeri;
    QAction* remove_dupes;
    QAction* avaa_wanhatietokanta;
    QAction* DeveloperMode1;
    QMenu* Kenttienpikanppimet1;  // the field shortcuts; never shown

    // Card fields, in tab order.
    QLineEdit* nimi_kentta;
    QLineEdit* paanayttelijat_kentta;
    QComboBox* maa_kentta;
    QLineEdit* Vuosi_Kentta;
    QComboBox* formaatti_kentta;
    QComboBox* luokitus_kentta;
    QLineEdit* kesto_kentta;
    QLineEdit* kasetilla_kentta;
    QComboBox* sijainti_kentta;
    QComboBox* aani_kentta;
    QComboBox* vari_kentta;
    QComboBox* kuvasuhde_kentta;
    QLineEdit* Ohjaaja_Kentta;
    QLineEdit* Kasikirjoitus_kentta;
    QPlainTextEdit* Kommentti_Kentta;
    QLineEdit* lainassa_kentta;
    QTableWidget* Muut_elokuvat_grid;
    QTableWidget* custom_kentat_grid;
    QWidget* extrat_panel;
    std::array<QCheckBox*, 10> Extra{};  // Extra[1]..Extra[9]
    QLineEdit* Extra_info;
    QLabel* dvdinfo_label;

    // Labels.
    QLabel* Nimi;
    QLabel* Paanayttelijat;
    QLabel* Maa;
    QLabel* Vuosi;
    QLabel* Formaatti;
    QLabel* Luokitus;
    QLabel* Kesto;
    QLabel* Kasetilla;
    QLabel* Aani;
    QLabel* Varit;
    QLabel* kuvasuhde;
    QLabel* Ohjaaja;
    QLabel* Kasikirjoitus;
    QLabel* Juoni;
    QLabel* Kommentit;
    QLabel* Extrat;
    QLabel* Lainassa;
    QLabel* Tietue_label;
    QLabel* tiedosto;
    QScrollBar* ScrollBar1;

    QPushButton* Lista_button;
    QPushButton* etsi_button;
    QPushButton* Jarjesta_button;
    QPushButton* poista_kortti_button;
    QPushButton* uusi_kortti_button;
    QPushButton* edellinen_button;
    QPushButton* seuraava_button;

    QTimer* Timer2;  // label highlighting, every 5 s

    // The right-hand area's view icons, menu, small cover and the rating stars.
    QLabel* lista_and_info_icon;
    QLabel* lista_icon;
    QLabel* info_icon;
    QLabel* kansi_icon;
    QLabel* auto_icon;
    QMenu* NakymaPopUp;
    QActionGroup* nakymaryhma;
    QAction* nayta_lista_and_info;
    QAction* nayta_lista;
    QAction* nayta_lisatiedot;
    QAction* nayta_kansi;
    QAction* automode;
    QAction* poista_kansikuva;
    PieniKansi* cover_image;
    Tahtikuva* arvosana_kuva;
    // The field labels' right-click menu.
    QMenu* TextPopup;
    QAction* aseta_def_nakymaksi;
    QAction* Sort4Nouseva;
    QAction* Sort4Laskeva;

    // The undo snapshot and the copied card.
    TPeruuta_muutokset peruutus;
    Korttimuisti korttimuisti;

    // Row map of Muut_elokuvat_grid: the catalogue index of each grid row (99999 for an empty row).
    std::vector<int> muut_rivikartta;

    // The card and the controls.
    void update_fields();
    void dosavefields();
    void processfields(QWidget* kentta);
    // A key in a field; true when the key was swallowed.
    bool Oma_Keypress(QWidget* kentta, QKeyEvent* e);
    void OnEnterDoHilight(QWidget* kentta);
    void setfocus_eka_tyhja_kentta(int paikka);
    // The label colours by the focused control.
    void varita_otsikot(QWidget* kohde = nullptr);
    // The window's keys, seen before the fields; true when the key was handled.
    bool FormKeyDown(QKeyEvent* e);
    void FormKeyUp();

    // The File menu and the catalogue.
    void Uusi_MenuClick();
    void Avaa_MenuClick();
    void Tallenna_MenuClick();
    void Tallenna_nimellaClick();
    void TalennanimellasetuksetClick();
    void Quick_avaaPopup();  // fills Tiedosto1..10 as the File menu opens
    void Tiedosto_Click(int i);
    // Asks about unsaved changes and saves on Yes.
    void kysy_tallennus();
    // Saves under the catalogue's file name, or asks for one when it has none.
    bool tallenna_nykyiseen();
    // Opens a catalogue (no merge, not quiet) and shows its first card.
    bool avaa_tietokanta(const std::string& nimi);
    // A new catalogue of one card "Syötä elokuvan nimi!", saved at once under the name.
    void luo_tietokanta(const std::string& nimi);
    // The title guard: false, with the title field asking for a title, when it is empty.
    bool nimi_annettu();
    void avaa_ohje(const char* tiedosto);

    // Card moves and operations.
    void uusi_kortti();
    // Previous (-1) or next (+1): the left button moves one card, the right one a cassette.
    void siirry(int suunta, Qt::MouseButton nappi = Qt::LeftButton);
    void siirry_korttiin(int indeksi);
    void nayta_jarjestys();  // the sort dialog
    void poista_kortti();
    void kopioi_korttiClick();
    void Liita_korttiClick();
    void menu_undoClick();
    // Files dropped on the window (names as cp1252).
    void pudota(const std::vector<std::string>& nimet);
    // A wheel turn (+1 away from the user, -1 towards) over the window or one of its controls.
    void rulla(QObject* kohde, int askel);
    void Lista_buttonUp(Qt::MouseButton nappi);
    // Puts the list window in its attached form beside this window (moving this one when there is no room).
    void sijoita_lista_viereen(QWidget* listaikkuna);
    void etsi_buttonClick();

    // The rating from the stars.
    void aseta_arvosana(int arvosana);
    // The large cover window.
    void nayta_iso_kansi();
    void poista_kansikuvaClick();
    // Text area enlarged over the labels while a long text is read; restored over the background.
    bool tekstialue_suurennettu() const { return suurennettu_; }
    void suurenna_tekstialue_();
    void palauta_tekstialue();

    // The right-hand view (0 list and info, 1 list, 2 info, 3 cover) and the text-area page.
    int nakyma() const { return nakyma_; }
    // A view chosen from the menu or an icon (as the user would).
    void aseta_nakyma(int n);
    // Applies the view; with `kortti_naytetty` the automatic mode may choose it first.
    void sovella_nakyma(bool kortti_naytetty);
    bool automaattinen() const;
    void aseta_sivu(int sivu, bool paivita);

    // Dims the background picture while a dialog is open, when the settings ask for it.
    void himmenna_tausta();
    void palauta_tausta();

    // The skin's pictures and colours (called whenever a skin is loaded).
    void ota_ulkoasu(const Ulkoasu& u);

    // Shut-down: settings written, timers stopped, unsaved changes asked about, work files removed.
    void lopeta();

    // The tab-order fields 0..14 that the move to the first empty field looks at.
    std::array<QWidget*, 15> tabikentat() const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void tee_valikot();
    void tee_kentat();
    void tee_nakymat();
    void nayta_kuvakkeet();
    void nayta_tekstivalikko(QLabel* otsikko, const QPoint& kohta);
    void nayta_nakymavalikko(const QPoint& kohta);
    void vaihda_sivu(int sivu);
    void nayta_kortti_uudelleen();  // the card at the index was replaced: show it with a new snapshot
    void rakenna_muut_elokuvat();
    void mitoita_ruudukot();
    void nayta_extrat();
    void kasetilla_poistuttu();
    void formaatti_poistuttu();
    void kasikirjoitus_klikattu();
    void kesto_klikattu();
    void aseta_otsikot(bool pikanappaimet);
    bool on_kentta(const QObject* o) const;
    QLabel* kentan_otsikko(QWidget* kentta) const;
    void tallenna_kentat_kortille(TKortti& k);
    void sekamedia_ilmoitus();
    void palaa_ohjelmakansioon();

    const Ohjelmakansio& kansio_;
    TAsetukset& a_;
    const Asetusymparisto& y_;
    diag::Viestit& viestit_;
    diag::Kiire& kiire_;

    int nakyma_ = 0;
    bool naytetty_ = false;
    bool lopetettu_ = false;
    bool paivitetaan_ = false;  // update_fields is filling the controls
    bool pituusdialogi_auki_ = false;
    bool suurennettu_ = false;
    std::array<QImage, ikoneita> ikonit_;  // the skin's view icons, read once per skin
    QPixmap tausta_;
    QPixmap tausta_talteen_;
};
