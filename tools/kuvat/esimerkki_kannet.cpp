// tools/esimerkki/kannet/*.jpg: the covers of the example catalogue, drawn as simple posters. They live
// beside the example's data (not under data/) because tools/esimerkki/tee_esimerkki.sh packs them into
// data/esimerkki.rkb; a loose file under gfx\kannet\ would be removed with the unpacked covers.
#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include "kuvat.h"

namespace {

struct Kansi {
    const char* tiedosto;
    const char* otsikko;
    QColor yla, ala, kuvio;
    int muoto;  // 0 moon and hills, 1 stars, 2 lighthouse, 3 waves, 4 sun
};

QImage piirra(const Kansi& k) {
    const int w = 150, h = 212;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), pystyliuku(0, h, k.yla, k.ala));
    p.setPen(Qt::NoPen);
    p.setBrush(k.kuvio);
    switch (k.muoto) {
        case 0: {
            p.drawEllipse(QPointF(104, 52), 20, 20);
            QPainterPath m;
            m.moveTo(0, 170);
            m.quadTo(40, 120, 80, 160);
            m.quadTo(115, 130, 150, 150);
            m.lineTo(150, h);
            m.lineTo(0, h);
            p.fillPath(m, k.ala.darker(160));
            break;
        }
        case 1:
            for (int i = 0; i < 40; ++i) p.drawEllipse(QPointF((i * 37) % w, (i * 53) % 150), 1.2 + (i % 3), 1.2 + (i % 3));
            p.drawEllipse(QPointF(75, 120), 34, 34);
            break;
        case 2:
            p.drawRect(QRectF(66, 60, 18, 110));
            p.setBrush(QColor(255, 240, 150));
            p.drawPolygon(QPolygonF({QPointF(84, 66), QPointF(150, 40), QPointF(150, 96)}));
            p.setBrush(k.ala.darker(150));
            p.drawRect(QRectF(0, 168, w, h - 168));
            break;
        case 3:
            for (int i = 0; i < 5; ++i) {
                QPainterPath a;
                a.moveTo(0, 110 + i * 20);
                for (int x = 0; x <= w; x += 25) a.quadTo(x + 6, 100 + i * 20, x + 12.5, 110 + i * 20);
                p.strokePath(a, QPen(k.kuvio, 3));
            }
            break;
        default:
            p.drawEllipse(QPointF(75, 95), 40, 40);
            p.setBrush(k.ala.darker(140));
            p.drawRect(QRectF(0, 150, w, h - 150));
            break;
    }
    p.setPen(QColor(255, 255, 255));
    QFont f("DejaVu Sans");
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    // The titles are cp1252 literals like every narrow string here; their letters are the Latin-1 ones.
    p.drawText(QRectF(6, 6, w - 12, 40), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, QString::fromLatin1(k.otsikko));
    return img;
}

const RekisteroiKuva rekisteroi("esimerkki_kannet", [](const QString& data) {
    const Kansi kannet[] = {
        {"kansi1.jpg", "PAKKASYÖN VARTIJA", QColor(20, 30, 70), QColor(90, 110, 160), QColor(235, 235, 210), 0},
        {"kansi2.jpg", "TÄHTISATAMAN KAPTEENI", QColor(5, 5, 20), QColor(40, 20, 70), QColor(250, 250, 255), 1},
        {"kansi3.jpg", "MYRSKYLUOTO", QColor(40, 50, 60), QColor(70, 90, 100), QColor(230, 230, 220), 2},
        {"kansi4.jpg", "TERÄSAALTO", QColor(10, 40, 80), QColor(0, 90, 130), QColor(160, 210, 240), 3},
        {"kansi5.jpg", "SININEN HETKI", QColor(30, 60, 140), QColor(220, 140, 90), QColor(255, 200, 120), 4},
    };
    const QString kansio = data + "/../tools/esimerkki/kannet";
    QDir().mkpath(kansio);
    bool ok = true;
    for (const Kansi& k : kannet) ok = piirra(k).save(kansio + "/" + k.tiedosto, "JPEG", 80) && ok;
    return ok;
});

}  // namespace
