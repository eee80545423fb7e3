#pragma once
// The choose window: reference cards that hold more than the card being edited, one of which the user
// takes into the card (while editing, the first is shown at once) or refuses.
#include <QDialog>
#include <vector>

#include "imdb/viitehaku.h"

class Paaikkuna;
class QListWidget;
class QPushButton;

class Tvalitse_oikea_form : public QDialog {
    Q_OBJECT
public:
    // `osumat` are reference indices in the order they are listed. The card's own values are taken from
    // the current card, so the main window's fields must be stored into it first.
    Tvalitse_oikea_form(Paaikkuna& p, const Viitetietokanta& viite, std::vector<int> osumat, Valintatapa tapa);

    QListWidget* lista;
    QPushButton* hyvaksy_button;
    QPushButton* peruuta_button;
    QPushButton* nayta_alkup_button;

    // While editing, the selected row's values go into the card before the window is shown.
    void alusta();

    void listaClick();
    void hyvaksy_buttonClick();
    void peruuta_buttonClick();
    void nayta_alkup_buttonClick();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    // Esc and the window manager's close refuse, as the cancel button does.
    void reject() override;

private:
    TKortti& kortti();
    void sovella(int rivi);
    void palauta();

    Paaikkuna& p_;
    const Viitetietokanta& viite_;
    std::vector<int> osumat_;
    Valintatapa tapa_;
    TKortti alkuperainen_;
    bool suljettu_ = false;
};
