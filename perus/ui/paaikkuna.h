#pragma once
// What the program's other windows see of the main window, and what the main window sees of them.
// Each subsystem's ui/ folder connects its menu items and windows through Paaikkuna; nothing of theirs
// lives in the main window's own files.
#include <QAction>
#include <QObject>
#include <QString>
#include <string>
#include <utility>

#include "perus/ui/toiminto.h"

class QDialog;
class QUrl;
class QWidget;
class TPeruuta_muutokset;
class Ulkoasusovitin;
struct TAsetukset;
struct Varasto;

// The desktop: file dialogs, the shell's "open", the printer check, the beep and modal dialogs.
// The program shows real dialogs; tests answer them.
class Tyopoyta {
public:
    virtual ~Tyopoyta() = default;
    // The open dialog; `suodatin` as Qt's name filters ("Rullakko tietokannat (*.rkb)"). Empty when
    // cancelled. A name that does not exist is returned too; the caller decides what it means.
    virtual QString valitse_avattava(QWidget* isa, const QString& otsikko, const QString& suodatin) = 0;
    // The save dialog; `paate` is the extension added to a name typed without one ("rkb", "html", "txt").
    virtual QString valitse_tallennettava(QWidget* isa, const QString& otsikko, const QString& suodatin,
                                          const QString& paate) = 0;
    virtual bool avaa_osoite(const QUrl& osoite) = 0;
    virtual bool tulostin_olemassa() = 0;
    virtual void piippaa() = 0;
    // Runs a dialog modally and returns its result.
    virtual int nayta_dialogi(QDialog& d) = 0;
};

// One notifier for every change of the open catalogue; windows that show cards listen to it.
class Korttimuutokset : public QObject {
    Q_OBJECT
signals:
    // Cards were added, removed, reordered or replaced, or another catalogue was opened.
    void kortit_muuttuivat();
    // Another card became the current one.
    void nykyinen_muuttui(int indeksi);

public:
    void ilmoita_kortit() { emit kortit_muuttuivat(); }
    void ilmoita_nykyinen(int indeksi) { emit nykyinen_muuttui(indeksi); }
};

class Paaikkuna {
public:
    virtual ~Paaikkuna() = default;

    // The parent and centre of other windows.
    virtual QWidget* ikkuna() = 0;
    // The open catalogue (tk: cards, current index, file name), the program folder, messages, busy window.
    virtual Varasto& varasto() = 0;
    virtual TAsetukset& asetukset() = 0;
    virtual Tyopoyta& tyopoyta() = 0;
    virtual Korttimuutokset& muutokset() = 0;
    // Windows that follow the skin register here.
    virtual Ulkoasusovitin& sovitin() = 0;
    // A menu item of the main window that a subsystem connects. The subsystem enables it and connects its
    // own handler; the item's place, caption and object name belong to the menu.
    virtual QAction* toiminto(Toiminto t) = 0;

    // Controls to the current card (before reading card data the user may be editing) and back.
    virtual void dosavefields() = 0;
    virtual void update_fields() = 0;
    // Makes a card current and shows it (with a new undo snapshot).
    virtual void siirry_korttiin(int indeksi) = 0;
    // The undo snapshot of the current card (the IMDb window restores it when cancelled).
    virtual TPeruuta_muutokset& peruutus() = 0;

    // The background dimmed while a dialog is open, when the settings ask for it.
    virtual void himmenna_tausta() = 0;
    virtual void palauta_tausta() = 0;

    // A help document of the program folder, optionally at an anchor ("lueminut.html", "laina").
    virtual void avaa_ohje(const char* tiedosto, const char* kohta = nullptr) = 0;
    // The settings dialog opened on a page (-1: the page it showed last).
    virtual void nayta_asetukset(int sivu) = 0;
};

// The list window as the main window drives it (previous/next through results, following the card).
class Listaikkuna {
public:
    virtual ~Listaikkuna() = default;
    virtual bool nakyvissa() const = 0;
    // It shows search results rather than the whole catalogue.
    virtual bool hakutulokset() const = 0;
    // Previous (-1) or next (+1) row, making its card current; false at either end.
    virtual bool siirry_riville(int suunta) = 0;
    // Its selection follows the current card.
    virtual void seuraa_valintaa() = 0;
    // Rebuilt from the whole catalogue (when visible).
    virtual void rakenna() = 0;
    virtual void sulje() = 0;
    // Attached beside the main window (the mini list), or the full list.
    virtual void aseta_muoto(bool liitetty) = 0;
    // Shown with the search results, the first row opened.
    virtual void nayta_hakutulokset() = 0;
    // Shown with the whole catalogue, the current card selected.
    virtual void nayta_kaikki() = 0;
};

// What the main window asks of the program's other windows.
class Muut_ikkunat {
public:
    virtual ~Muut_ikkunat() = default;
    virtual Listaikkuna& lista() = 0;
    // The search window, modally.
    virtual void etsi() = 0;
    // The tape-length dialog for a cassette whose length is not known yet.
    virtual void kysy_kasetin_pituus(const std::string& kasetti) = 0;
    // The reference-catalogue lookup after the title field was left with a new title.
    virtual void hae_viitetiedot(const std::string& nimi) = 0;
    // The sort dialog, modally; true when the catalogue was sorted.
    virtual bool jarjesta() = 0;
    // The settings dialog on a page (-1: the page it showed last), modally.
    virtual void nayta_asetukset(int sivu) = 0;
    // The debug window, shown with its screen switch on.
    virtual void nayta_debuggeri() = 0;
    // The main window closes: so do the windows that live for the whole run.
    virtual void sulje_kaikki() = 0;
    // The debug window is visible.
    virtual bool debuggeri_nakyvissa() const = 0;
    // Another catalogue was opened, merged or pasted into: the movie list shows its cards.
    virtual void kortit_vaihtuivat() = 0;
    // The overdue-loan check after an open.
    virtual void tarkista_myohastymiset() = 0;
};

// A subsystem takes over one of the main window's menu items: it is enabled and runs `tee` in `kohde`.
template <typename Kohde, typename Tee>
QAction* kytke_toiminto(Paaikkuna& p, Toiminto t, Kohde* kohde, Tee&& tee) {
    QAction* a = p.toiminto(t);
    a->setEnabled(true);
    QObject::connect(a, &QAction::triggered, kohde, std::forward<Tee>(tee));
    return a;
}
