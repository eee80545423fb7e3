#pragma once
// The Imdb menu of the main window: search this card (Ctrl+E), show it in the browser, enter its number,
// fetch the missing covers of the catalogue and the card's own "fetch a cover" mark.
#include <QObject>
#include <QPointer>

class Paaikkuna;
class QAction;
class QMenu;

class Imdbtoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Imdbtoiminnot(Paaikkuna& p);

    // One second of the cover batch's pauses (tests shorten it).
    int tauon_sekunti_ms = 1000;

    void EtsitmnkortintiedotIMDBst1Click();
    void nayta_imdbstaClick();
    void edit_imdbnumClick();
    void HaekaikilleImdbstnoudetuillekorteillekansikuvat1Click();
    void Hae_KansiClick(bool paalla);
    // Captions, enabling and the check mark for the current card; `menu_auki` as when the menu opens,
    // which also clears the mark of a card that cannot have its cover fetched.
    void Imdb_menuClick(bool menu_auki);

private:
    void nayta_ikkuna(const char* hakusana_tai_null);

    Paaikkuna& p_;
    QAction* etsi_;
    QAction* nayta_;
    QAction* numero_;
    QAction* kaikki_kannet_;
    QAction* hae_kansi_;
};
