#pragma once
// The search and the movie list window, tied to the main window's menu items and keys (F3 search / find
// next; F2 is the main window's list button).
#include <QObject>
#include <QPointer>

#include "find/haku.h"

class Listaikkuna;
class Paaikkuna;
class QShortcut;
class TLista_Form;
class Tetsi_form;

class Hakutoiminnot final : public QObject {
    Q_OBJECT
public:
    explicit Hakutoiminnot(Paaikkuna& p);
    ~Hakutoiminnot() override;

    // The list window as the main window drives it.
    Listaikkuna& lista();
    // The search window, modally (the main window has checked the title and dimmed itself).
    void etsi();
    // F3: the next card by the last search, or the search window before any search.
    void etsi_seuraava();
    // Another catalogue was opened, merged or pasted into.
    void kortit_vaihtuivat();

    TLista_Form& lista_ikkuna() { return *lista_; }
    Tetsi_form& haku_ikkuna() { return *haku_; }
    const Hakuehdot& ehdot() const { return ehdot_; }

    QShortcut* F3;

private:
    Paaikkuna& p_;
    Hakuehdot ehdot_;
    // Both are children of the main window, which may go first at shut-down.
    QPointer<TLista_Form> lista_;
    QPointer<Tetsi_form> haku_;
};
