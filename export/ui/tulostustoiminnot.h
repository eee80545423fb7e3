#pragma once
// The lists and labels of the main window's menus: the text and HTML lists, the printed list and the
// label window.
#include <QObject>

#include "export/lista.h"

class Paaikkuna;

class Tulostustoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Tulostustoiminnot(Paaikkuna& p);

    // "Tallenna elokuvalista teksti-tiedostoon", in the catalogue's own character set or in UTF-8.
    void tallenna_tekstilista();
    void tallenna_tekstilista_utf8();
    // "Tallenna elokuvalista CSV-tiedostoon": every field of every card for spreadsheets.
    void tallenna_csv();
    // "Tallenna elokuvalista html-tiedostoon": the options dialog, modally.
    void tallenna_html_lista();
    // "Tulosta kasettien tarroja": the label window, modally.
    void tarrat();
    // "Tulosta elokuvalista" (also the list window's print button).
    void tulosta_lista();

private:
    void tallenna_tekstilista_merkistolla(Listan_merkisto merkisto);

    Paaikkuna& p_;
};
