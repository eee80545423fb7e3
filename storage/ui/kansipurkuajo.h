#pragma once
// After an open the catalogue's covers come out of its file a slice at a time between the window's events,
// so the first card shows at once and the window answers meanwhile.
#include <QObject>
#include <QTimer>

struct Tietokanta;

class Kansipurkuajo : public QObject {
    Q_OBJECT
public:
    Kansipurkuajo(Tietokanta& tk, QObject* vanhempi);

    // Goes on with what the last open left to unpack, if anything.
    void aloita();
    bool kaynnissa() const { return ajastin_.isActive(); }

private:
    void pala();

    Tietokanta& tk_;
    QTimer ajastin_;
};
