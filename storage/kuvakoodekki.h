#pragma once
// Cover pictures without the window toolkit: JPEG in and out (libjpeg), the first frame of a GIF (giflib),
// and halving with a 2x2 average.
#include <filesystem>
#include <vector>

struct RgbKuva {
    int leveys = 0;
    int korkeus = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom, three bytes a pixel
};

bool lue_jpeg(const std::filesystem::path& p, RgbKuva& kuva);
// The first frame of a GIF on its logical screen; transparent pixels become white.
bool lue_gif(const std::filesystem::path& p, RgbKuva& kuva);
bool kirjoita_jpeg(const std::filesystem::path& p, const RgbKuva& kuva, int laatu);
// Half width and half height (whole-number division), every pixel the average of the 2x2 block it covers.
RgbKuva puolita(const RgbKuva& kuva);
