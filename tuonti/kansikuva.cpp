#include "tuonti/kansikuva.h"

#include <png.h>

#include "storage/kuvakoodekki.h"

namespace {

constexpr int png_laatu = 90;
// The same bound the cover decoders have.
constexpr unsigned long long suurin_pikselimaara = 64ULL * 1024 * 1024;

bool alkaa(std::string_view data, std::string_view merkki) { return data.substr(0, merkki.size()) == merkki; }

// A PNG on white (covers have no transparency); false when it does not decode.
bool lue_png(std::string_view data, RgbKuva& kuva) {
    png_image k{};
    k.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&k, data.data(), data.size())) return false;
    if (static_cast<unsigned long long>(k.width) * k.height > suurin_pikselimaara) {
        png_image_free(&k);
        return false;
    }
    k.format = PNG_FORMAT_RGB;
    kuva.leveys = static_cast<int>(k.width);
    kuva.korkeus = static_cast<int>(k.height);
    kuva.rgb.assign(PNG_IMAGE_SIZE(k), 0);
    png_color valkoinen{255, 255, 255};
    const bool ok = png_image_finish_read(&k, &valkoinen, kuva.rgb.data(), 0, nullptr) != 0;
    png_image_free(&k);
    return ok;
}

}  // namespace

std::string kansikuvaksi(std::string_view data, std::string& kuva, std::string& paate) {
    RgbKuva rgb;
    if (alkaa(data, "\xFF\xD8\xFF")) {
        if (!lue_jpeg_muistista(data, rgb)) return "JPEG-kansikuva on vioittunut";
        kuva.assign(data);
        paate = ".jpg";
        return {};
    }
    if (alkaa(data, "GIF87a") || alkaa(data, "GIF89a")) {
        if (!lue_gif_muistista(data, rgb)) return "GIF-kansikuva on vioittunut";
        kuva.assign(data);
        paate = ".gif";
        return {};
    }
    if (alkaa(data, "\x89PNG\r\n\x1A\n")) {
        if (!lue_png(data, rgb)) return "PNG-kansikuva on vioittunut";
        if (!pakkaa_jpeg_muistiin(rgb, png_laatu, kuva)) return "PNG-kansikuvaa ei saatu muunnettua JPEG-kuvaksi";
        paate = ".jpg";
        return {};
    }
    return "kansikuva ei ole JPEG-, GIF- eikä PNG-kuva";
}
