#pragma once
// Generator of the installation pictures under data/. Each picture family registers a drawing function.
#include <QColor>
#include <QImage>
#include <QLinearGradient>
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

// A top-to-bottom gradient from `yla` at height y0 to `ala` at y1.
inline QLinearGradient pystyliuku(qreal y0, qreal y1, const QColor& yla, const QColor& ala) {
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, yla);
    g.setColorAt(1, ala);
    return g;
}
