// gfx/working.gif: a cassette whose two reels turn, on a dark panel so the busy window's white text reads.
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "kuvat.h"

namespace {

void kela(QPainter& p, QPointF keski, double kulma) {
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(keski, 17, 17);
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(keski, 6, 6);
    p.setPen(QPen(QColor(235, 235, 235), 2.5));
    for (int i = 0; i < 6; ++i) {
        const double a = kulma + i * M_PI / 3;
        p.drawLine(keski + QPointF(3 * std::cos(a), 3 * std::sin(a)), keski + QPointF(6 * std::cos(a), 6 * std::sin(a)));
    }
}

QImage kehys(int n, int kehyksia) {
    QImage img(240, 120, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 40, 72));
    p.drawRoundedRect(QRectF(2, 2, 236, 116), 14, 14);
    // The cassette body.
    p.setBrush(QColor(20, 20, 20));
    p.setPen(QPen(QColor(120, 130, 150), 1.5));
    p.drawRoundedRect(QRectF(52, 14, 136, 70), 6, 6);
    p.setBrush(QColor(200, 170, 90));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(64, 20, 112, 12));
    p.setBrush(QColor(70, 70, 70));
    p.drawRoundedRect(QRectF(76, 40, 88, 32), 4, 4);
    const double kulma = 2 * M_PI * n / kehyksia;
    kela(p, QPointF(96, 56), kulma);
    kela(p, QPointF(144, 56), kulma);
    // The moving tape between the reels.
    p.setPen(QPen(QColor(110, 80, 40), 2));
    p.drawLine(QPointF(96, 73), QPointF(144, 73));
    return img;
}

const RekisteroiKuva rekisteroi("working.gif", [](const QString& data) {
    std::vector<QImage> kehykset;
    constexpr int maara = 12;
    for (int i = 0; i < maara; ++i) kehykset.push_back(kehys(i, maara));
    return tallenna_gif(data + "/gfx/working.gif", kehykset, 8);
});

}  // namespace
