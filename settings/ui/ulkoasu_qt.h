#pragma once
// The loaded skin (settings/ulkoasu.h) applied to Qt windows. A window registers itself once with the
// Ulkoasusovitin the program owns; every later skin load reaches it, so a live preview in the settings
// dialog recolours the windows that exist.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

#include "settings/ulkoasu.h"

class Tiedostojarjestelma;

// 0xBBGGRR to QColor and back.
QColor qvari(Vari bbggrr);
Vari vari(const QColor& c);

// A skin picture; a null pixmap when the file is missing or unreadable.
QPixmap lataa_kuva(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto);

// The picture brightened as the skin asks for an active icon or a button under the mouse: `maara` is added
// to every colour byte that is neither 0 nor would reach 255.
QImage korostettu(const QImage& kuva, int maara);

// A dialog button drawn with the skin's picture, its caption as the tool tip; with no picture it shows the
// caption (cp1252) as a plain button.
class QPushButton;
void aseta_napin_kuva(QPushButton* nappi, const QPixmap& kuva, const char* teksti);

enum class Ikkunalaji {
    Paaikkuna,  // card fields, memo, combos and check boxes take the field colours; labels the main ones
    Muu,        // search, sort and list windows: labels, check boxes and radio buttons take the other windows' colour
};

// Colours every child of the window by its kind. A widget whose dynamic property "tag" is non-zero is left
// as it is, as are its children; "extrat_panel" and "Extra_info" take the extras colour.
void sovella_ulkoasu(QWidget* ikkuna, const Ulkoasu& u, Ikkunalaji laji);

class Ulkoasusovitin {
public:
    using Sovitus = std::function<void(const Ulkoasu&)>;

    // The window follows every skin load from now on, until it is destroyed. `oma` does what only the
    // window itself knows (its picture buttons, backgrounds, labels); it runs after sovella_ulkoasu.
    void lisaa(QWidget* ikkuna, Ikkunalaji laji, Sovitus oma = {});

    // Applies the skin to every registered window that still exists and repaints it.
    void sovella(const Ulkoasu& u);

private:
    struct Ikkuna {
        QPointer<QWidget> w;
        Ikkunalaji laji;
        Sovitus oma;
    };
    std::vector<Ikkuna> ikkunat_;
};
