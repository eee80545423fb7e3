// gfx/kannet/ei_kuvaa.gif: shown in place of a cover for a card that has none.
#include <QPainter>

#include "kuvat.h"

namespace {

QImage piirra() {
    QImage img(150, 212, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 44), 2));
    p.setBrush(pystyliuku(0, 212, QColor(92, 98, 112), QColor(52, 56, 66)));
    p.drawRoundedRect(QRectF(6, 6, 138, 200), 6, 6);
    // An empty cover frame with a film strip, so the card reads as "no picture" rather than "broken".
    p.setPen(QPen(QColor(170, 176, 190), 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(20, 20, 110, 124));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 34));
    p.drawRect(QRectF(36, 56, 78, 50));
    p.setBrush(QColor(200, 200, 205));
    for (int i = 0; i < 6; ++i) {
        p.drawRect(QRectF(40 + i * 12.5, 59, 7, 6));
        p.drawRect(QRectF(40 + i * 12.5, 97, 7, 6));
    }
    p.setPen(QColor(235, 235, 240));
    QFont f("DejaVu Sans", 13, QFont::Bold);
    p.setFont(f);
    p.drawText(QRectF(6, 150, 138, 26), Qt::AlignCenter, QStringLiteral("Ei kuvaa"));
    f.setPointSize(8);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRectF(6, 174, 138, 20), Qt::AlignCenter, QStringLiteral("Pudota kansikuva tähän"));
    return img;
}

const RekisteroiKuva rekisteroi("ei_kuvaa.gif", [](const QString& data) {
    return tallenna_gif(data + "/gfx/kannet/ei_kuvaa.gif", {piirra()}, 0);
});

}  // namespace
