#pragma once
// The IMDb window: searches a title, shows the hits, reads the chosen title page into the current card and
// lets the user pick the sound track and running time (choose view); or fetches the missing covers of the
// whole catalogue (batch view). One window per run, shown modally.
#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "imdb/elokuvasivu.h"
#include "imdb/hakusivu.h"
#include "imdb/kansihaku.h"
#include "imdb/lahde.h"
#include "imdb/lahteet.h"
#include "perus/verkkohaku.h"
#include "storage/kortti.h"

class QCheckBox;
class QComboBox;
class QEventLoop;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QStatusBar;
class QTimer;
class Paaikkuna;

// What the window fetches through: the movie data sources, the cover downloads and the update server's
// version news (the last with short time limits of its own).
struct Imdbyhteydet {
    Elokuvalahteet& lahteet;
    Verkkohaku& kannet;
    Verkkohaku& paivitys;
};

// The tagline of the last title page.
struct TImport {
    std::string tagline;
};

class Timdb_form : public QDialog, private KansihaunNakyma, private Kello {
    Q_OBJECT
public:
    static constexpr const char* kansikuvahaku = "## HAE KANSIKUVAT";

    Timdb_form(Paaikkuna& p, std::string hakusana, Imdbyhteydet yhteydet);
    ~Timdb_form() override;

    QLabel* lahde_label;
    QComboBox* lahde_valinta;  // the source searched; the search view only
    QListWidget* Hakutulos_lista;
    QStatusBar* StatusBar;
    QLabel* aaniraita_label;
    QListWidget* aaniraita_lista;
    QLabel* kesto_label;
    QListWidget* kesto_lista;
    QPushButton* hyvaksy_button;
    QPushButton* peruuta_button;
    QCheckBox* download_cover;
    QPushButton* Abort_Button;
    QLabel* vihje_paneeli;
    QMenu* PopupMenu;
    QAction* set_def_on;
    QAction* set_def_off;

    // One second of the batch's pauses (tests shorten it).
    int sekunnin_pituus_ms = 1000;

    const std::string& hakusana() const { return hakusana_; }
    const Hakutulokset& hakutulokset() const { return tulokset_; }
    // The choose view is showing (a title page was read).
    bool valintanakyma() const { return valinta_; }
    bool keskeytetty() const { return keskeytys_; }
    Lahdelaji lahde() const { return lahde_; }

    // Handlers, public so the window can be driven as the user drives it.
    void Hakutulos_listaClick();
    void Hakutulos_listaDblClick();
    void hyvaksy_buttonClick();
    void peruuta_buttonClick();
    void Abort_ButtonClick();
    void vihje_paneeliClick();
    // Another source chosen: it becomes the default and searches the card's name at once.
    void lahde_valintaChange(int rivi);
    // The running count of a transfer, for the status bar.
    void vastaanotettu(std::uint64_t tavuja);

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

public slots:
    void reject() override;

private:
    void TimerTimer();
    void hae_imdb();
    void uusi_versio();
    void nayta_tulokset(Hakutulokset h);
    void nouda_nimike(const std::string& koodi);
    void nayta_elokuvasivu(const Elokuvasivu& s);
    void valintanakyma_esiin();
    void hakunakyma_esiin();
    void kansinakyma_esiin();
    void hae_kansikuvat();
    // Stops whatever is being fetched: the search, the title page or the cover.
    void keskeyta_haut();
    void tila(const std::string& teksti) override;
    void kasittele_viestit();
    // A request of the window runs (or has ended): the source cannot be changed meanwhile.
    void aseta_haetaan(bool haetaan);

    // The batch's view and clock.
    void nayta_kortti(int indeksi) override;
    void kansi_loytyi(const std::string& nimi) override;
    bool keskeytetty() override { return keskeytys_; }
    void odota_sekunti() override;
    int arvo(int alin, int ylin) override;

    Paaikkuna& p_;
    std::string hakusana_;
    Imdbyhteydet yhteydet_;
    Lahdelaji lahde_;
    TImport import_;
    Hakutulokset tulokset_;
    std::string cover_url_;
    std::string imdb_koodi_;
    TKortti ennen_;  // the card just before the title page was read, the user's own typing included
    QTimer* Timer;
    QEventLoop* odotus_ = nullptr;  // the second of a pause being waited, ended by an abort
    bool valinta_ = false;
    bool kansihaku_ = false;
    bool keskeytys_ = false;
    bool suljettu_ = false;
    bool kaynnistetty_ = false;
    bool hyvaksytaan_ = false;
    bool haetaan_ = false;
};
