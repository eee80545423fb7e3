#pragma once
// The lists and labels of the main window's menus: the text and HTML lists, the printed list and the
// label window.
#include <QObject>

class Paaikkuna;

class Tulostustoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Tulostustoiminnot(Paaikkuna& p);

    // "Tallenna elokuvalista teksti-tiedostoon".
    void tallenna_tekstilista();
    // "Tallenna elokuvalista html-tiedostoon": the options dialog, modally.
    void tallenna_html_lista();
    // "Tulosta kasettien tarroja": the label window, modally.
    void tarrat();
    // "Tulosta elokuvalista" (also the list window's print button).
    void tulosta_lista();

private:
    Paaikkuna& p_;
};
