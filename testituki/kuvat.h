#pragma once
// Pictures of windows and prints for a person to look at: kept in the folder RULLAKKO_KUVAT names, when it
// names one; without it a test takes none.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace testituki {

// The folder the pictures go to, made when it is missing; empty when no pictures are kept.
inline QString kuvakansio() {
    const QString kansio = qEnvironmentVariable("RULLAKKO_KUVAT");
    if (!kansio.isEmpty()) QDir().mkpath(kansio);
    return kansio;
}

// `kuva` as <nimi>.png in the picture folder.
inline void tallenna_kuva(const QImage& kuva, const QString& nimi) {
    if (const QString kansio = kuvakansio(); !kansio.isEmpty()) kuva.save(kansio + "/" + nimi + ".png");
}
inline void tallenna_kuva(const QPixmap& kuva, const QString& nimi) {
    if (const QString kansio = kuvakansio(); !kansio.isEmpty()) kuva.save(kansio + "/" + nimi + ".png");
}
// The widget as it is painted now.
inline void tallenna_kuva(QWidget& w, const QString& nimi) {
    if (!kuvakansio().isEmpty()) tallenna_kuva(w.grab(), nimi);
}

}  // namespace testituki
