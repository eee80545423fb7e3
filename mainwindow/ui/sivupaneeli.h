#pragma once
// The area right of the text area: the view icons and their menu, and one of the views — the other movies
// of the cassette with the extra fields below them, either alone, or the cover picture.
#include <QImage>
#include <QWidget>
#include <QString>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "settings/ulkoasu.h"
#include "storage/kenttasaannot.h"
#include "storage/kortti.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTableWidget;
class Paaikkuna;
class PieniKansi;

class Sivupaneeli : public QWidget {
    Q_OBJECT
public:
    // Placed at (440, 216) of the card area, 213 × 148.
    Sivupaneeli(Paaikkuna& p, QWidget* parent);

    // The current card's extra fields, other movies, view and cover.
    void nayta(const TKortti& k);
    // The extra fields 1..8 back into the card; a cell that shows only the beginning of a huge value leaves
    // the value whole.
    void tallenna(TKortti& k) const;
    // A new card's extra-field names from the settings.
    void uuden_kortin_nimet(TKortti& k);

    // The view (0 list and info, 1 list, 2 info, 3 cover).
    int nakyma() const { return nakyma_; }
    // A view chosen from the menu or an icon (as the user would).
    void aseta_nakyma(int n);
    // Applies the view; with `kortti_naytetty` the automatic mode may choose it first.
    void sovella_nakyma(bool kortti_naytetty);
    // The view the settings remember, at start-up.
    void aloita_nakymalla(int n);
    bool automaattinen() const;
    // The cards of some cassette changed number, order or count: the cassette index is rebuilt when next used.
    void kortit_muuttuivat() { hakemisto_.vanhene(); }

    void nayta_iso_kansi();
    void poista_kansikuvaClick();
    // The grids and the stars scroll or step themselves; the window's wheel leaves them alone.
    bool vierittaa_itse(const QWidget* w) const;
    void ota_ulkoasu(const Ulkoasu& u);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void tee_ruudukot();
    void tee_nakymat();
    void rakenna_muut_elokuvat();
    void mitoita_ruudukot();
    void nayta_kuvakkeet();
    void nayta_nakymavalikko(const QPoint& kohta);

    Paaikkuna& p_;
    QTableWidget* Muut_elokuvat_grid;
    QTableWidget* custom_kentat_grid;
    QLabel* lista_and_info_icon;
    QLabel* lista_icon;
    QLabel* info_icon;
    QLabel* kansi_icon;
    QLabel* auto_icon;
    QMenu* NakymaPopUp;
    QActionGroup* nakymaryhma;
    QAction* automode;
    QAction* poista_kansikuva;
    PieniKansi* cover_image;

    // Row map of Muut_elokuvat_grid: the catalogue index of each grid row (tyhja_rivi for an empty row).
    std::vector<int> muut_rivikartta_;
    Kasettihakemisto hakemisto_;
    MuutElokuvat naytetyt_;  // what the grid shows, so an unchanged cassette is not drawn again
    bool naytetyt_kelvolliset_ = false;
    int nakyma_ = 0;
    // Extra-field cells (row, column) that show only the beginning of their value: the text they were given.
    std::map<std::pair<int, int>, QString> katkaistut_;
    bool paivitetaan_ = false;
    std::array<QImage, ikoneita> ikonit_;  // the skin's view icons, read once per skin
};
