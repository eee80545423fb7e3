#pragma once
// Tapes in the program: the tape status window from the menu, and the length of a new cassette asked for
// by the main window.
#include <QObject>
#include <string>

class Paaikkuna;

class Nauhatoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Nauhatoiminnot(Paaikkuna& p);

    // "Nauhatilanne / Etsi tyhjää nauhaa", modally.
    void nayta_nauhatilanne();
    // The main window's posted question for a new cassette whose length is not known.
    void kysy_kasetin_pituus(const std::string& kasetti);

private:
    Paaikkuna& p_;
};
