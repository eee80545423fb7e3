#include <gif_lib.h>

#include <QColor>

#include "kuvat.h"

namespace {

// 6x7x6 colour cube plus greys: enough for the simple drawings of the installation pictures.
std::vector<QRgb> paletti() {
    std::vector<QRgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b) p.push_back(qRgb(r * 51, g * 255 / 6, b * 51));
    while (p.size() < 256) {
        const int v = static_cast<int>((p.size() - 252) * 255 / 3);
        p.push_back(qRgb(v, v, v));
    }
    return p;
}

}  // namespace

bool tallenna_gif(const QString& tiedosto, const std::vector<QImage>& kehykset, int viive_cs) {
    if (kehykset.empty()) return false;
    const std::vector<QRgb> p = paletti();
    QList<QRgb> taulu(p.begin(), p.end());
    int virhe = 0;
    GifFileType* gif = EGifOpenFileName(tiedosto.toLocal8Bit().constData(), false, &virhe);
    if (!gif) return false;
    const int w = kehykset[0].width(), h = kehykset[0].height();
    ColorMapObject* kartta = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i) {
        kartta->Colors[i].Red = static_cast<GifByteType>(qRed(p[static_cast<std::size_t>(i)]));
        kartta->Colors[i].Green = static_cast<GifByteType>(qGreen(p[static_cast<std::size_t>(i)]));
        kartta->Colors[i].Blue = static_cast<GifByteType>(qBlue(p[static_cast<std::size_t>(i)]));
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, kartta) == GIF_OK;
    if (kehykset.size() > 1) {
        unsigned char silmukka[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        unsigned char toisto[] = {1, 0, 0};
        ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, sizeof silmukka, silmukka) == GIF_OK &&
             EGifPutExtensionBlock(gif, sizeof toisto, toisto) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    for (const QImage& kehys : kehykset) {
        if (!ok) break;
        const QImage ix = kehys.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, taulu,
                                                                                       Qt::ThresholdDither);
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.DelayTime = viive_cs;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        const size_t n = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y)
            ok = EGifPutLine(gif, const_cast<GifPixelType*>(ix.constScanLine(y)), w) == GIF_OK;
    }
    GifFreeMapObject(kartta);
    return EGifCloseFile(gif, &virhe) == GIF_OK && ok;
}
