#pragma once
// The IMDb window: searches a title, shows the hits, reads the chosen title page into the current card and
// lets the user pick the sound track and running time (choose view); or fetches the missing covers of the
// whole catalogue (batch view). One window per run, shown modally.
#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "imdb/hakusivu.h"
#include "net/http.h"
#include "storage/kortti.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QStatusBar;
class QTimer;
class Paaikkuna;

// The tagline of the last title page.
struct TImport {
    std::string tagline;
};

class Timdb_form : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kansikuvahaku = "## HAE KANSIKUVAT";

    Timdb_form(Paaikkuna& p, std::string hakusana);
    ~Timdb_form() override;

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

    // Handlers, public so the window can be driven as the user drives it.
    void Hakutulos_listaClick();
    void Hakutulos_listaDblClick();
    void hyvaksy_buttonClick();
    void peruuta_buttonClick();
    void Abort_ButtonClick();
    void vihje_paneeliClick();

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
    void lue_elokuvasivu(const std::filesystem::path& tiedosto);
    void valintanakyma_esiin();
    void hakunakyma_esiin();
    void kansinakyma_esiin();
    // GETs url into the file, with the byte count in the status bar; false when nothing arrived.
    bool hae(const std::string& url, const std::filesystem::path& tiedosto);
    // The title page of a number into the work file: the old address first, today's when that gives no
    // title page (or straight away for hits of today's search). False when no title page came.
    bool hae_nimikesivu(const std::string& koodi, bool nykyinen);
    void korjaa_rivinvaihdot(const std::filesystem::path& tiedosto);
    bool dl_cover(const std::string& url);
    std::string hae_kansi_url(int i);
    void hae_kansikuvat();
    void tauko(int sekunnit);
    void tila(const std::string& teksti);
    void kasittele_viestit();

    Paaikkuna& p_;
    std::string hakusana_;
    net::HttpAsiakas http_;
    TImport import_;
    Hakutulokset tulokset_;
    std::string cover_url_;
    std::string imdb_koodi_;
    TKortti ennen_;  // the card before the title page was read, when the undo snapshot is of another card
    QTimer* Timer;
    bool valinta_ = false;
    bool kansihaku_ = false;
    bool keskeytys_ = false;
    bool suljettu_ = false;
    bool kaynnistetty_ = false;
    bool hyvaksytaan_ = false;
};
