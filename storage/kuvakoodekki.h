#pragma once
// Cover pictures without the window toolkit: JPEG in and out (libjpeg), the first frame of a GIF (giflib),
// and halving with a 2x2 average.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class Tiedostojarjestelma;

struct RgbKuva {
    int leveys = 0;
    int korkeus = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom, three bytes a pixel
};

// A picture file read whole through the file system and decoded.
bool lue_jpeg(Tiedostojarjestelma& t, const std::filesystem::path& p, RgbKuva& kuva);
// The first frame of a GIF on its logical screen; transparent pixels become white.
bool lue_gif(Tiedostojarjestelma& t, const std::filesystem::path& p, RgbKuva& kuva);
// Encodes the picture and replaces the file with it atomically.
bool kirjoita_jpeg(Tiedostojarjestelma& t, const std::filesystem::path& p, const RgbKuva& kuva, int laatu);
// The same with the bytes in memory, for callers that do their own file steps.
bool lue_jpeg_muistista(std::string_view data, RgbKuva& kuva);
bool lue_gif_muistista(std::string_view data, RgbKuva& kuva);
bool pakkaa_jpeg_muistiin(const RgbKuva& kuva, int laatu, std::string& jpeg);
// Half width and half height (whole-number division), every pixel the average of the 2x2 block it covers.
RgbKuva puolita(const RgbKuva& kuva);
