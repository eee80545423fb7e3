// tarrat/starrat/*.bmp (cassette spine labels, 3378 x 450) and tarrat/ptarrat/*.bmp (top labels,
// 1818 x 1110): the label backgrounds, at 600 dpi. Stored as run-length coded 8-bit BMP so the
// installation stays small; the designs run in even bands so the rows compress well.
//
// Spine labels: the cassette number is drawn at x 120 to about 320 in white or black, the movie names
// from x 560 in black; so a coloured band for the number on the left and a light field for the names.
// Top labels: up to ten lines of black text over nearly the whole label.
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>

#include "kuvat.h"

namespace {

void le16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void le32(QByteArray& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

// An RLE8 BMP of the picture reduced to at most 256 colours without dithering (dithering breaks the runs).
bool tallenna_rle8(const QImage& kuva, const QString& tiedosto) {
    const QImage ind = kuva.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither |
                                                                     Qt::ThresholdAlphaDither);
    QByteArray data;
    for (int y = ind.height() - 1; y >= 0; --y) {
        const uchar* rivi = ind.constScanLine(y);
        int x = 0;
        while (x < ind.width()) {
            int n = 1;
            while (x + n < ind.width() && n < 255 && rivi[x + n] == rivi[x]) ++n;
            data.append(char(n));
            data.append(char(rivi[x]));
            x += n;
        }
        data.append(char(0));
        data.append(char(0));
    }
    data.append(char(0));
    data.append(char(1));
    const QList<QRgb> varit = ind.colorTable();
    const int paletti = 256 * 4;
    QByteArray b;
    b.append("BM");
    le32(b, 14 + 40 + paletti + data.size());
    le32(b, 0);
    le32(b, 14 + 40 + paletti);
    le32(b, 40);
    le32(b, ind.width());
    le32(b, ind.height());
    le16(b, 1);
    le16(b, 8);
    le32(b, 1);  // BI_RLE8
    le32(b, data.size());
    le32(b, 23622);  // 600 dpi
    le32(b, 23622);
    le32(b, 256);
    le32(b, 0);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < varit.size() ? varit[i] : 0;
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append(char(0));
    }
    b.append(data);
    QDir().mkpath(QFileInfo(tiedosto).path());
    QFile f(tiedosto);
    if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size()) return false;
    f.close();
    // Read back: the program must be able to load what was written.
    const QImage luettu(tiedosto);
    return luettu.size() == kuva.size();
}

struct Sivuvarit {
    const char* nimi;
    QColor nauha_yla, nauha_ala, erotin, kentta_yla, kentta_ala, reuna;
};

QImage sivutarra(const Sivuvarit& v) {
    const int W = 3378, H = 450;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    // Vertical gradients only: every row is one run per band.
    p.fillRect(0, 0, W, H, pystyliuku(0, H, v.kentta_yla, v.kentta_ala));
    p.fillRect(0, 0, 470, H, pystyliuku(0, H, v.nauha_yla, v.nauha_ala));
    p.fillRect(470, 0, 14, H, v.erotin);
    p.fillRect(498, 0, 5, H, v.erotin);
    p.fillRect(0, 0, W, 16, v.reuna);
    p.fillRect(0, H - 16, W, 16, v.reuna);
    p.fillRect(503, 30, W - 503, 4, v.erotin);
    p.fillRect(503, H - 34, W - 503, 4, v.erotin);
    p.fillRect(W - 60, 16, 60, H - 32, v.nauha_ala);
    return img;
}

struct Paalysvarit {
    const char* nimi;
    QColor tausta_yla, tausta_ala, kehys, sisakehys, kulma;
};

QImage paalystarra(const Paalysvarit& v, bool filmi) {
    const int W = 1818, H = 1110;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, W, H, pystyliuku(0, H, v.tausta_yla, v.tausta_ala));
    if (filmi) {
        // Film strip edges at the top and bottom.
        for (int y : {0, H - 54}) {
            p.fillRect(0, y, W, 54, v.kehys);
            for (int x = 22; x < W - 40; x += 72) p.fillRect(x, y + 15, 36, 24, v.tausta_yla);
        }
        p.fillRect(0, 54, W, 6, v.sisakehys);
        p.fillRect(0, H - 60, W, 6, v.sisakehys);
    } else {
        p.fillRect(0, 0, W, 22, v.kehys);
        p.fillRect(0, H - 22, W, 22, v.kehys);
        p.fillRect(0, 0, 22, H, v.kehys);
        p.fillRect(W - 22, 0, 22, H, v.kehys);
        p.fillRect(40, 40, W - 80, 6, v.sisakehys);
        p.fillRect(40, H - 46, W - 80, 6, v.sisakehys);
        p.fillRect(40, 40, 6, H - 80, v.sisakehys);
        p.fillRect(W - 46, 40, 6, H - 80, v.sisakehys);
        for (QPoint k : {QPoint(40, 40), QPoint(W - 100, 40), QPoint(40, H - 100), QPoint(W - 100, H - 100)})
            p.fillRect(QRect(k, QSize(60, 60)), v.kulma);
    }
    return img;
}

const Sivuvarit sivut[] = {
    {"sininen.bmp", QColor(26, 52, 120), QColor(12, 28, 74), QColor(214, 170, 60), QColor(250, 252, 255),
     QColor(214, 226, 244), QColor(12, 28, 74)},
    {"punainen.bmp", QColor(150, 24, 30), QColor(92, 10, 16), QColor(40, 40, 40), QColor(255, 251, 240),
     QColor(240, 228, 204), QColor(92, 10, 16)},
    {"harmaa.bmp", QColor(70, 74, 80), QColor(34, 36, 40), QColor(200, 120, 30), QColor(250, 250, 250),
     QColor(218, 220, 224), QColor(34, 36, 40)},
};

const Paalysvarit paalykset[] = {
    {"klassinen.bmp", QColor(255, 252, 242), QColor(240, 232, 210), QColor(26, 52, 120), QColor(214, 170, 60),
     QColor(26, 52, 120)},
    {"sininen.bmp", QColor(236, 244, 255), QColor(200, 218, 242), QColor(12, 28, 74), QColor(255, 255, 255),
     QColor(12, 28, 74)},
    {"filmi.bmp", QColor(252, 252, 252), QColor(226, 228, 232), QColor(30, 30, 34), QColor(200, 120, 30),
     QColor(30, 30, 34)},
};

const RekisteroiKuva rekisteroi("tarrat", [](const QString& data) {
    bool ok = true;
    for (const Sivuvarit& v : sivut)
        ok &= tallenna_rle8(sivutarra(v), data + "/tarrat/starrat/" + QString::fromLatin1(v.nimi));
    for (const Paalysvarit& v : paalykset)
        ok &= tallenna_rle8(paalystarra(v, QString::fromLatin1(v.nimi) == "filmi.bmp"),
                            data + "/tarrat/ptarrat/" + QString::fromLatin1(v.nimi));
    return ok;
});

}  // namespace
