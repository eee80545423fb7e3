#pragma once
// Generator of the installation pictures under data/. Each picture family registers a drawing function.
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

struct Kuvatehtava {
    QString nimi;
    std::function<bool(const QString& data_kansio)> piirra;
};

struct RekisteroiKuva {
    RekisteroiKuva(QString nimi, std::function<bool(const QString&)> piirra);
};

// Writes frames as a looping GIF (giflib), every frame shown `viive_cs` hundredths of a second.
bool tallenna_gif(const QString& tiedosto, const std::vector<QImage>& kehykset, int viive_cs);
