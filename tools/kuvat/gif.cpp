#include <gif_lib.h>

#include <QColor>
#include <algorithm>

#include "kuvat.h"

namespace {

// The 256 most common colours of the frames at 5 bits a channel: the drawings have few real colours plus
// antialiased edges, so this keeps their surfaces exact.
std::vector<QRgb> paletti(const std::vector<QImage>& kehykset) {
    std::vector<std::pair<long, int>> maarat(32768);
    for (int i = 0; i < 32768; ++i) maarat[static_cast<std::size_t>(i)] = {0, i};
    for (const QImage& k : kehykset)
        for (int y = 0; y < k.height(); ++y)
            for (int x = 0; x < k.width(); ++x) {
                const QRgb c = k.pixel(x, y);
                ++maarat[static_cast<std::size_t>(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3))].first;
            }
    std::sort(maarat.begin(), maarat.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<QRgb> p;
    for (const auto& [maara, v] : maarat) {
        if (maara == 0 || p.size() == 256) break;
        p.push_back(qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31));
    }
    while (p.size() < 256) p.push_back(qRgb(0, 0, 0));
    return p;
}

}  // namespace

bool tallenna_gif(const QString& tiedosto, const std::vector<QImage>& kehykset, int viive_cs) {
    if (kehykset.empty()) return false;
    const std::vector<QRgb> p = paletti(kehykset);
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
