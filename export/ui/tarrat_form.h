#pragma once
// "Tulosta": the label window, with the cassette spine labels and the top labels on their own pages.
#include <QDialog>
#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "export/ui/tarrapiirto.h"

class Paaikkuna;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;

// The large preview of a sheet of spine labels.
class Ttarrat_preview_form : public QDialog {
    Q_OBJECT
public:
    Ttarrat_preview_form(const QImage& arkki, QWidget* parent = nullptr);
    QLabel* kuva;
};

class Ttarrat_form : public QDialog {
    Q_OBJECT
public:
    explicit Ttarrat_form(Paaikkuna& p, QWidget* parent = nullptr);
    ~Ttarrat_form() override;

    QTabWidget* PageControl;
    QWidget* STarrat;
    QWidget* PTarrat;

    QListWidget* Tulosta_kasetit_lista;
    QPushButton* sel_all;
    QPushButton* sel_none;
    QLabel* tarra_prev;
    QComboBox* starra_fn;
    QLabel* kasetin_numeron_vari;
    QLabel* Preview;
    QPushButton* iso_esikatselu_button;
    QPushButton* esikatsele_button;
    QPushButton* asetukset_button;
    QPushButton* Tulosta;
    QPushButton* sulje_button;
    QProgressBar* ProgressBar1;
    QLabel* tyoskennellaan_label;

    QListWidget* ptarra_lista;
    QPushButton* sel_all_plista;
    QPushButton* sel_none_plista;
    QFrame* PTarra_prew_panel;
    QLabel* ptarra_preview;
    QLabel* preview_vihje;
    QComboBox* PTarra_fn;
    QCheckBox* keskita_teksti;
    QCheckBox* lisaa_nopeus;
    QCheckBox* remove_eng;
    QPushButton* tulosta_ptarrat_button;
    QPushButton* asetukset_button2;
    QPushButton* psulje_button;
    QProgressBar* PT_Progressbar;
    QProgressBar* tee_ptarra_progress;

    // The last sheet drawn by a preview (563 x 1125, or 844 x 1687 for the large one).
    QImage esikatselu;

    void TulostaClick();
    void tulosta_ptarrat_buttonClick();
    void esikatsele_buttonClick();
    void iso_esikatselu_buttonClick();
    void ptarra_listaDblClick();
    void sulje_buttonClick();
    void paivita_otsikko();
    // The cassette numbers of the checked rows of a list, in list order.
    std::vector<std::string> valitut(const QListWidget* lista) const;

protected:
    bool eventFilter(QObject* kohde, QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void esikatsele(QImage& kohde, bool kopioi);
    void kirjoita_asetukset();
    void jarjesta();
    void lataa_sivupohja();
    void lataa_paalyspohja();
    void vaihda_sivu(int uusi);
    void aseta_numeron_vari(bool musta);
    Tarra_asetukset valinnat() const;
    void tyoskennellaan(bool paalla, int maksimi);
    bool tulosta(bool paalys);

    Paaikkuna& p_;
    std::unique_ptr<Tarrapiirtaja> piirtaja_;
    QImage paalyspohja_;
    bool musta_numero_ = false;
    int sivu_ = 0;
};
