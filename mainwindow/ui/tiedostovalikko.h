#pragma once
// The File menu: new, open, quick open, save, save as (with options), the oldest catalogues' import and
// quitting; and the question about unsaved changes that every replacement of the catalogue asks.
#include <QObject>
#include <array>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class Kansipurkuajo;
class Korttinakyma;
class Paaikkuna;
class Ohjelmakansio;
class Toimintorekisteri;

class Tiedostovalikko : public QObject {
    Q_OBJECT
public:
    // Adds the File menu to the menu bar, its items for other subsystems to `toiminnot`; the old-catalogue
    // import goes on the developer menu.
    Tiedostovalikko(Paaikkuna& p, Korttinakyma& kortti, Toimintorekisteri& toiminnot, QMenuBar* palkki,
                    QMenu* kehittaja);

    QMenu* valikko() const { return Avaa; }

    // Asks about unsaved changes and saves on Yes.
    void kysy_tallennus();
    // Saves under the catalogue's file name, or asks for one when it has none.
    bool tallenna_nykyiseen();
    // Opens a catalogue (no merge, not quiet) and shows its first card.
    bool avaa_tietokanta(const std::string& nimi);
    // A new catalogue of one card "Syötä elokuvan nimi!", saved at once under the name.
    void luo_tietokanta(const std::string& nimi);

    void Uusi_MenuClick();
    void Avaa_MenuClick();
    void Tallenna_MenuClick();
    void Tallenna_nimellaClick();
    void TalennanimellasetuksetClick();
    void Quick_avaaPopup();  // fills Tiedosto1..10 as the File menu opens
    void Tiedosto_Click(int i);

private:
    QString kysy_avattava(const char* otsikko);
    QString kysy_tallennettava();
    void palaa_ohjelmakansioon();

    Paaikkuna& p_;
    Korttinakyma& kortti_;
    Kansipurkuajo* kannet_;  // the covers of the catalogue opened last
    QMenu* Avaa;
    std::array<QAction*, 10> Tiedosto{};  // Tiedosto1..Tiedosto10
};
