#pragma once
// The reference catalogue in the program: the lookup after a title is typed, and the menu function that
// offers better data for every card. Owns the reference catalogue, loaded on first use.
#include <QObject>
#include <string>

#include "imdb/viitehaku.h"

class Paaikkuna;

class Viitetoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Viitetoiminnot(Paaikkuna& p);

    // The main window's posted lookup after the title field was left.
    void hae_viitetiedot(const std::string& nimi);
    // "Päivitä kortit ajantasalle ohjelman tietokannasta": every card in turn.
    void taydenna_tietokanta_paremmin();

    // The lookup and, when something is found, the choose window. The catalogue is freed when the window
    // closes; a lookup that finds nothing keeps it for the next one.
    void etsi_tietokannasta(const std::string& nimi, Valintatapa tapa);

    const Viitetietokanta& tietokanta() const { return viite_; }

private:
    Paaikkuna& p_;
    Viitetietokanta viite_;
};
