#pragma once
// Whole-file reading and atomic replacement of a file. A replacement is written to a new file beside the
// target, flushed to disk and renamed over it, so a failure at any step leaves the old file whole.
#include <filesystem>
#include <string>
#include <string_view>

#include "perus/tulos.h"

// The system's reason for an errno in Finnish ("levy on täynnä", "ei kirjoitusoikeutta", …).
std::string jarjestelman_syy(int virhekoodi);

// The whole file into `sisalto`. The code of a failure is the errno.
Tulos lue_koko_tiedosto(const std::filesystem::path& polku, std::string& sisalto);

// Writes `data` as the new content of `polku` atomically. An existing file keeps its permission bits.
// The code of a failure is the errno of the failed step; the message names the file and the reason.
Tulos korvaa_tiedosto(const std::filesystem::path& polku, std::string_view data);
