#include "storage/kuvakoodekki.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <gif_lib.h>
#include <jpeglib.h>

#include "perus/tiedostot.h"

namespace {

// Pictures larger than this are refused by the size in their header, before anything is decoded; no
// cover is anywhere near it.
constexpr long long suurin_pikselimaara = 64LL * 1024 * 1024;
// What the decoder may allocate besides the picture itself (a progressive JPEG keeps every coefficient
// of the picture, about six bytes a pixel), and how many scans it may read: a small file of endless scans
// would otherwise keep it busy without end.
constexpr long suurin_jpeg_muisti = 512L * 1024 * 1024;
constexpr int suurin_skannausmaara = 1000;

struct JpegVirhe {
    jpeg_error_mgr perus;
    std::jmp_buf paluu;
};

void jpeg_virhe(j_common_ptr c) { std::longjmp(reinterpret_cast<JpegVirhe*>(c->err)->paluu, 1); }
void jpeg_hiljaa(j_common_ptr, int) {}

void skannausraja(j_common_ptr c) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(c);
    if (d->is_decompressor && d->input_scan_number > suurin_skannausmaara) jpeg_virhe(c);
}

// `lahde` gives the decompressor its input.
template <typename Lahde>
bool pura_jpeg(Lahde&& lahde, RgbKuva& kuva) {
    jpeg_decompress_struct d{};
    JpegVirhe virhe{};
    d.err = jpeg_std_error(&virhe.perus);
    virhe.perus.error_exit = jpeg_virhe;
    virhe.perus.emit_message = jpeg_hiljaa;
    if (setjmp(virhe.paluu)) {
        jpeg_destroy_decompress(&d);
        return false;
    }
    jpeg_create_decompress(&d);
    d.mem->max_memory_to_use = suurin_jpeg_muisti;
    jpeg_progress_mgr edistyminen{};
    edistyminen.progress_monitor = skannausraja;
    d.progress = &edistyminen;
    lahde(d);
    jpeg_read_header(&d, TRUE);
    if (static_cast<long long>(d.image_width) * d.image_height > suurin_pikselimaara) {
        jpeg_destroy_decompress(&d);
        return false;
    }
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    if (d.output_components != 3) {
        jpeg_destroy_decompress(&d);
        return false;
    }
    kuva.leveys = static_cast<int>(d.output_width);
    kuva.korkeus = static_cast<int>(d.output_height);
    kuva.rgb.assign(static_cast<std::size_t>(kuva.leveys) * kuva.korkeus * 3, 0);
    while (d.output_scanline < d.output_height) {
        JSAMPROW rivi = kuva.rgb.data() + static_cast<std::size_t>(d.output_scanline) * kuva.leveys * 3;
        jpeg_read_scanlines(&d, &rivi, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return true;
}

// `kohde` gives the compressor its output (a file or a buffer that libjpeg grows).
template <typename Kohde>
bool pakkaa_jpeg(Kohde&& kohde, const RgbKuva& kuva, int laatu) {
    jpeg_compress_struct c{};
    JpegVirhe virhe{};
    c.err = jpeg_std_error(&virhe.perus);
    virhe.perus.error_exit = jpeg_virhe;
    virhe.perus.emit_message = jpeg_hiljaa;
    if (setjmp(virhe.paluu)) {
        jpeg_destroy_compress(&c);
        return false;
    }
    jpeg_create_compress(&c);
    kohde(c);
    c.image_width = static_cast<JDIMENSION>(kuva.leveys);
    c.image_height = static_cast<JDIMENSION>(kuva.korkeus);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, laatu, TRUE);
    c.optimize_coding = TRUE;
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW rivi = const_cast<unsigned char*>(kuva.rgb.data()) + static_cast<std::size_t>(c.next_scanline) * kuva.leveys * 3;
        jpeg_write_scanlines(&c, &rivi, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return true;
}

// Reads a GIF from memory for giflib.
struct GifMuisti {
    std::string_view data;
    std::size_t kohta = 0;
};

int gif_lukija(GifFileType* gif, GifByteType* puskuri, int n) {
    auto* m = static_cast<GifMuisti*>(gif->UserData);
    const std::size_t saatu = std::min<std::size_t>(static_cast<std::size_t>(std::max(n, 0)), m->data.size() - m->kohta);
    std::memcpy(puskuri, m->data.data() + m->kohta, saatu);
    m->kohta += saatu;
    return static_cast<int>(saatu);
}

bool pura_gif(GifFileType* gif, RgbKuva& kuva);

}  // namespace

bool lue_jpeg(Tiedostojarjestelma& t, const std::filesystem::path& p, RgbKuva& kuva) {
    std::string data;
    return lue_koko_tiedosto(t, p, data) && lue_jpeg_muistista(data, kuva);
}

bool lue_jpeg_muistista(std::string_view data, RgbKuva& kuva) {
    if (data.empty()) return false;
    return pura_jpeg(
        [&](jpeg_decompress_struct& d) {
            jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
        },
        kuva);
}

bool kirjoita_jpeg(Tiedostojarjestelma& t, const std::filesystem::path& p, const RgbKuva& kuva, int laatu) {
    std::string jpeg;
    return pakkaa_jpeg_muistiin(kuva, laatu, jpeg) && korvaa_tiedosto(t, p, jpeg);
}

bool pakkaa_jpeg_muistiin(const RgbKuva& kuva, int laatu, std::string& jpeg) {
    if (kuva.leveys <= 0 || kuva.korkeus <= 0) return false;
    unsigned char* puskuri = nullptr;
    unsigned long koko = 0;
    const bool ok = pakkaa_jpeg([&](jpeg_compress_struct& c) { jpeg_mem_dest(&c, &puskuri, &koko); }, kuva, laatu);
    if (ok) jpeg.assign(reinterpret_cast<const char*>(puskuri), koko);
    std::free(puskuri);
    return ok;
}

bool lue_gif(Tiedostojarjestelma& t, const std::filesystem::path& p, RgbKuva& kuva) {
    std::string data;
    return lue_koko_tiedosto(t, p, data) && lue_gif_muistista(data, kuva);
}

bool lue_gif_muistista(std::string_view data, RgbKuva& kuva) {
    GifMuisti muisti{data};
    int virhe = 0;
    GifFileType* gif = DGifOpen(&muisti, gif_lukija, &virhe);
    return gif && pura_gif(gif, kuva);
}

namespace {

// Every size a GIF claims is checked before its pixels are allocated: the logical screen and the frame.
bool kohtuullinen_koko(int leveys, int korkeus) {
    return leveys > 0 && korkeus > 0 && static_cast<long long>(leveys) * korkeus <= suurin_pikselimaara;
}

// The first frame, read record by record so nothing after it is decoded, and its transparent colour from
// the control block before it.
bool lue_ensimmainen_kehys(GifFileType* gif, std::vector<GifByteType>& pikselit, int& lapinakyva) {
    if (!kohtuullinen_koko(gif->SWidth, gif->SHeight)) return false;
    for (;;) {
        GifRecordType laji;
        if (DGifGetRecordType(gif, &laji) != GIF_OK) return false;
        if (laji == TERMINATE_RECORD_TYPE) return false;
        if (laji == EXTENSION_RECORD_TYPE) {
            int koodi = 0;
            GifByteType* lohko = nullptr;
            if (DGifGetExtension(gif, &koodi, &lohko) != GIF_OK) return false;
            GraphicsControlBlock gcb;
            if (koodi == GRAPHICS_EXT_FUNC_CODE && lohko && DGifExtensionToGCB(lohko[0], lohko + 1, &gcb) == GIF_OK)
                lapinakyva = gcb.TransparentColor;
            while (lohko)
                if (DGifGetExtensionNext(gif, &lohko) != GIF_OK) return false;
            continue;
        }
        if (laji != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) != GIF_OK) return false;
        const GifImageDesc& d = gif->Image;
        if (!kohtuullinen_koko(d.Width, d.Height)) return false;
        pikselit.resize(static_cast<std::size_t>(d.Width) * d.Height);
        if (d.Interlace) {
            // Rows come in four passes: every eighth from 0, every eighth from 4, every fourth from 2, every other from 1.
            constexpr int alut[] = {0, 4, 2, 1}, askeleet[] = {8, 8, 4, 2};
            for (int k = 0; k < 4; ++k)
                for (int y = alut[k]; y < d.Height; y += askeleet[k])
                    if (DGifGetLine(gif, &pikselit[static_cast<std::size_t>(y) * d.Width], d.Width) != GIF_OK) return false;
        } else if (DGifGetLine(gif, pikselit.data(), static_cast<int>(pikselit.size())) != GIF_OK) {
            return false;
        }
        return true;
    }
}

// Takes the first frame and closes the GIF.
bool pura_gif(GifFileType* gif, RgbKuva& kuva) {
    std::vector<GifByteType> pikselit;
    int lapinakyva = NO_TRANSPARENT_COLOR;
    int virhe = 0;
    if (!lue_ensimmainen_kehys(gif, pikselit, lapinakyva)) {
        DGifCloseFile(gif, &virhe);
        return false;
    }
    const GifImageDesc d = gif->Image;
    const ColorMapObject* kartta = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!kartta) {
        DGifCloseFile(gif, &virhe);
        return false;
    }
    kuva.leveys = gif->SWidth;
    kuva.korkeus = gif->SHeight;
    kuva.rgb.assign(static_cast<std::size_t>(kuva.leveys) * kuva.korkeus * 3, 255);
    for (int y = 0; y < d.Height; ++y) {
        const int ky = d.Top + y;
        if (ky < 0 || ky >= kuva.korkeus) continue;
        for (int x = 0; x < d.Width; ++x) {
            const int kx = d.Left + x;
            if (kx < 0 || kx >= kuva.leveys) continue;
            const int i = pikselit[static_cast<std::size_t>(y) * d.Width + x];
            if (i == lapinakyva || i >= kartta->ColorCount) continue;
            unsigned char* px = &kuva.rgb[(static_cast<std::size_t>(ky) * kuva.leveys + kx) * 3];
            px[0] = kartta->Colors[i].Red;
            px[1] = kartta->Colors[i].Green;
            px[2] = kartta->Colors[i].Blue;
        }
    }
    DGifCloseFile(gif, &virhe);
    return true;
}

}  // namespace

RgbKuva puolita(const RgbKuva& k) {
    RgbKuva t;
    t.leveys = k.leveys / 2;
    t.korkeus = k.korkeus / 2;
    t.rgb.resize(static_cast<std::size_t>(t.leveys) * t.korkeus * 3);
    const auto px = [&](int x, int y, int c) {
        return static_cast<unsigned>(k.rgb[(static_cast<std::size_t>(y) * k.leveys + x) * 3 + c]);
    };
    for (int y = 0; y < t.korkeus; ++y)
        for (int x = 0; x < t.leveys; ++x)
            for (int c = 0; c < 3; ++c)
                t.rgb[(static_cast<std::size_t>(y) * t.leveys + x) * 3 + c] = static_cast<unsigned char>(
                    (px(2 * x, 2 * y, c) + px(2 * x + 1, 2 * y, c) + px(2 * x, 2 * y + 1, c) + px(2 * x + 1, 2 * y + 1, c) + 2) / 4);
    return t;
}
