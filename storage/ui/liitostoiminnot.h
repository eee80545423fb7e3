#pragma once
// Merging another catalogue into the open one (File menu) and the developer menu's clean-up and
// duplicate removal.
#include <QObject>

class Paaikkuna;

class Liitostoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Liitostoiminnot(Paaikkuna& p);

    void Lisaa_ja_liitaClick();
    void remove_dupesClick();

private:
    Paaikkuna& p_;
};
