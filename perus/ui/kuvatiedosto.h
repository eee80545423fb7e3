#pragma once
// A picture file read through the program's file system and decoded in memory, so that pictures are read
// the one way every other file is, and a failing disk can be shown for them too.
#include <QImage>
#include <filesystem>

class Tiedostojarjestelma;

// The picture; a null image when the file cannot be read, is larger than any picture the decoder would
// accept, or holds no picture.
QImage lue_kuva(Tiedostojarjestelma& t, const std::filesystem::path& polku);
