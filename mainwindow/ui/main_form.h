#pragma once
// The main window: the menus, the button row, the scroll bar and the file line around the card view and
// the side panel. It holds the open catalogue and offers the other windows the narrow interface of
// paaikkuna.h; the subsystems connect their own menu items through it.
#include <QMainWindow>
#include <QPixmap>
#include <string>
#include <vector>

#include "diag/loki.h"
#include "mainwindow/korttitoiminnot.h"
#include "mainwindow/ui/toimintorekisteri.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "storage/kortti.h"
#include "storage/varasto.h"

class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;
class Korttinakyma;
class Sivupaneeli;
class Tiedostovalikko;

class TMain_form : public QMainWindow, public Paaikkuna, private Varaston_ikkuna, private diag::Lokin_otsikko {
    Q_OBJECT
public:
    TMain_form(const Ohjelmakansio& kansio, TAsetukset& asetukset, const Asetusymparisto& ymparisto,
               diag::Viestit& viestit, diag::Kiire& kiire, Tyopoyta& tyopoyta, Muut_ikkunat& muut,
               Ulkoasusovitin& sovitin, QWidget* parent = nullptr);
    ~TMain_form() override;

    // The interface the other windows use.
    QWidget* ikkuna() override { return this; }
    Varasto& varasto() override { return varasto_; }
    TAsetukset& asetukset() override { return a_; }
    Tyopoyta& tyopoyta() override { return tyopoyta_; }
    Korttimuutokset& muutokset() override { return muutokset_; }
    Ulkoasusovitin& sovitin() override { return sovitin_; }
    QAction* toiminto(Toiminto t) override { return toiminnot_.hae(t); }
    // The registry of those items (the start-up test checks that each has exactly one).
    const Toimintorekisteri& toiminnot() const { return toiminnot_; }
    void dosavefields() override;
    void update_fields() override;
    void siirry_korttiin(int indeksi) override;
    TPeruuta_muutokset& peruutus() override { return peruutus_; }
    void himmenna_tausta() override;
    void palauta_tausta() override;
    void avaa_ohje(const char* tiedosto, const char* kohta = nullptr) override;
    void nayta_asetukset(int sivu) override;

    // Opens a catalogue (no merge, not quiet) and shows its first card.
    bool avaa_tietokanta(const std::string& nimi);
    // A new catalogue of one card "Syötä elokuvan nimi!", saved at once under the name.
    void luo_tietokanta(const std::string& nimi);
    // Asks about unsaved changes and saves on Yes.
    void kysy_tallennus();

    // Card moves and operations, as the buttons, keys and menus run them.
    void uusi_kortti();
    // Previous (-1) or next (+1): the left button moves one card, the right one a cassette.
    void siirry(int suunta, Qt::MouseButton nappi = Qt::LeftButton);
    void poista_kortti();
    void Lista_buttonUp(Qt::MouseButton nappi);
    // Puts the list window in its attached form beside this window (moving this one when there is no room).
    void sijoita_lista_viereen(QWidget* listaikkuna);
    // Files dropped on the window (names as cp1252).
    void pudota(const std::vector<std::string>& nimet);
    // A wheel turn (+1 away from the user, -1 towards) over the window or one of its controls.
    void rulla(QObject* kohde, int askel);

    // The view of the side panel (0 list and info, 1 list, 2 info, 3 cover).
    int nakyma() const;
    void aseta_nakyma(int n);

    // The skin's pictures and colours (called whenever a skin is loaded).
    void ota_ulkoasu(const Ulkoasu& u);
    // Label colours by the focused control (after start-up, and every five seconds).
    void varita_otsikot();

    // Shut-down: settings written, timers stopped, unsaved changes asked about, work files removed.
    void lopeta();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // The caption, for the catalogue being loaded or saved and for the log naming its file.
    std::string otsikko() const override;
    void vaihda_otsikko(const std::string& otsikko) override;
    void lista_muuttui() override;
    bool debug_nakyvissa() const override;
    void tarkista_myohastymiset() override;

    void tee_valikot();
    void tee_alue();
    void nayta_kortti_uudelleen();  // the card at the index was replaced: show it with a new snapshot
    bool FormKeyDown(QKeyEvent* e);
    void FormKeyUp();
    void nayta_jarjestys();
    // The acknowledgements, or with `pikanappaimet` the keyboard shortcuts, in one window.
    void nayta_kiitokset(bool pikanappaimet);
    void etsi_buttonClick();
    void kopioi_korttiClick();
    void Liita_korttiClick();
    void menu_undoClick();

    Tietokanta tk_;
    Varasto varasto_;
    const Ohjelmakansio& kansio_;
    TAsetukset& a_;
    const Asetusymparisto& y_;
    diag::Viestit& viestit_;
    Tyopoyta& tyopoyta_;
    Muut_ikkunat& muut_;
    Ulkoasusovitin& sovitin_;
    Korttimuutokset muutokset_;
    TPeruuta_muutokset peruutus_;
    Korttimuisti korttimuisti_;
    Toimintorekisteri toiminnot_;

    Korttinakyma* kortti_;
    Sivupaneeli* sivu_;
    Tiedostovalikko* tiedostot_;
    QMenu* MuokkaaMenu;
    QAction* Liita_kortti;
    QMenu* Developer_menu;
    QPushButton* Lista_button;
    QPushButton* etsi_button;
    QPushButton* Jarjesta_button;
    QPushButton* poista_kortti_button;
    QPushButton* uusi_kortti_button;
    QPushButton* edellinen_button;
    QPushButton* seuraava_button;
    QScrollBar* ScrollBar1;
    QLabel* tiedosto;
    QLabel* Tietue_label;
    QTimer* Timer2;  // label highlighting, every 5 s

    bool naytetty_ = false;
    bool lopetettu_ = false;
    bool paivitetaan_ = false;  // update_fields is filling the controls
    const TKortti* naytetty_kortti_ = nullptr;  // the card the controls were last filled from
    std::uint64_t naytetty_sukupolvi_ = 0;      // the list's generation when they were filled
    QPixmap tausta_;
    QPixmap tausta_talteen_;
    diag::Lokiin_kytketty<diag::Lokin_otsikko> lokin_otsikko_{*this};
};
