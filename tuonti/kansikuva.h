#pragma once
// Cover pictures from another program, turned into the program's own covers (JPEG or GIF).
#include <string>
#include <string_view>

// JPEG and GIF stay as they are once they are known to decode; PNG is decoded and written as JPEG.
// `paate` gets ".jpg" or ".gif". Returns why the picture cannot be a cover (Finnish), empty on success.
std::string kansikuvaksi(std::string_view data, std::string& kuva, std::string& paate);
