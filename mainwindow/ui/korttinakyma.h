#pragma once
// The card view: the fields of one card with their labels, the text area's three pages, the extras and
// the rating stars, and the field rules that run as the user types and leaves a field. The window around
// it decides which card is shown; this class only copies a card into its controls and back.
#include <QWidget>
#include <array>
#include <utility>
#include <vector>
#include <string>

#include "mainwindow/ui/kenttien_arvot.h"
#include "storage/kortti.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class Paaikkuna;
class Muut_ikkunat;
class Tahtikuva;
struct Ulkoasu;

class Korttinakyma : public QWidget {
    Q_OBJECT
public:
    // Covers the main window's card area (660 × 410); its own parts are placed as the skins' pictures expect.
    Korttinakyma(Paaikkuna& p, Muut_ikkunat& muut, QWidget* parent);

    // The card into the controls (without the extra-fields grid, which the side panel shows).
    void nayta(const TKortti& k);
    // The controls into the card; true when a field of the field table changed. A control that shows only the
    // beginning of a huge value leaves the value whole unless the user changed what it shows.
    bool tallenna(TKortti& k);
    void ennen_tallennusta();

    // The title guard: false, with the title field asking for a title, when it is empty.
    bool nimi_annettu();
    // The title field focused with its text selected, so typing replaces it.
    void valitse_nimi();
    // The settings' defaults for a new card's empty combo boxes, then the format's rules.
    void uuden_kortin_oletukset();
    // The caption of the first extra field (the side panel's grid holds the rest).
    void aseta_kasikirjoitus_otsikko(const std::string& nimi);

    void setfocus_eka_tyhja_kentta(int paikka);
    // The label colours by the focused control; nothing before the window has been shown.
    void varita_otsikot(QWidget* kohde = nullptr);
    void salli_varitys() { naytetty_ = true; }
    // Captions with their accelerators while Ctrl is held; back to plain when released.
    void aseta_otsikot(bool pikanappaimet);
    void palauta_otsikot();

    // The text-area page (0 plot, 1 comments, 2 extras) of the current card.
    void aseta_sivu(int sivu, bool paivita);
    void vaihda_sivu(int sivu);
    // The page a label of this view names; -1 for the label of a field.
    int otsikon_sivu(const QLabel* otsikko) const;
    bool tekstialue_suurennettu() const { return suurennettu_; }
    QWidget* tekstialue() const;
    void suurenna_tekstialue_();
    void palauta_tekstialue();

    // The rating stars; they are hidden (and the title field wider) when the settings say so.
    Tahtikuva* tahdet() const { return arvosana_kuva; }
    void ota_ulkoasu(const Ulkoasu& u);

    // The tab-order fields 0..14 that the move to the first empty field looks at.
    std::array<QWidget*, 15> tabikentat() const;
    bool on_kentta(const QObject* o) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void tee_kentat();
    void tee_pikanappaimet();
    void processfields(QWidget* kentta);
    bool Oma_Keypress(QWidget* kentta, QKeyEvent* e);
    void OnEnterDoHilight(QWidget* kentta);
    void kasetilla_poistuttu();
    void formaatti_poistuttu();
    void nayta_extrat();
    void kasikirjoitus_klikattu();
    void kesto_klikattu();
    QLabel* kentan_otsikko(QWidget* kentta) const;
    TKortti* nykyinen_kortti() const;

    Paaikkuna& p_;
    Muut_ikkunat& muut_;
    // The controls of the field table's fields, found once.
    std::vector<std::pair<const struct Kenttatieto*, QWidget*>> ohjaimet_;

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
    QWidget* extrat_panel;
    std::array<QCheckBox*, 10> Extra{};  // Extra[1]..Extra[9]
    QLineEdit* Extra_info;
    QLabel* dvdinfo_label;

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

    Tahtikuva* arvosana_kuva;
    QMenu* Kenttienpikanppimet1;  // the field shortcuts; never shown

    Kenttien_arvot arvot_;

    bool naytetty_ = false;
    bool paivitetaan_ = false;  // nayta is filling the controls
    bool pituusdialogi_auki_ = false;
    bool suurennettu_ = false;
};
