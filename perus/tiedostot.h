#pragma once
// Whole-file reading and atomic replacement of a file. A replacement is written to a new file beside the
// target, flushed to disk and renamed over it, so a failure at any step leaves the old file whole.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "perus/tiedostojarjestelma.h"
#include "perus/tulos.h"

// The system's reason for an errno in Finnish ("levy on täynnä", "ei kirjoitusoikeutta", …).
std::string jarjestelman_syy(int virhekoodi);

// The whole file into `sisalto`. The code of a failure is the errno.
Tulos lue_koko_tiedosto(const std::filesystem::path& polku, std::string& sisalto);
Tulos lue_koko_tiedosto(Tiedostojarjestelma& t, const std::filesystem::path& polku, std::string& sisalto);

// Writes `data` as the new content of `polku` atomically. A symbolic link is followed, so its target gets
// the new content; an existing file keeps its permission bits and, where permitted, its owner.
// The code of a failure is the errno of the failed step; the message names the file and the reason.
Tulos korvaa_tiedosto(const std::filesystem::path& polku, std::string_view data);
Tulos korvaa_tiedosto(Tiedostojarjestelma& t, const std::filesystem::path& polku, std::string_view data);

// The file a name finally stands for: symbolic links are followed (relative ones against their own folder).
std::filesystem::path linkin_kohde(Tiedostojarjestelma& t, const std::filesystem::path& polku);

// A new file beside `kohde` for writing its replacement, created exclusively under a name of its own
// ("." + name + "~" + process + "-" + serial + ".kesken"). Gives the descriptor or -errno.
int luo_valiaikainen(Tiedostojarjestelma& t, const std::filesystem::path& kohde, std::filesystem::path& nimi);

// Gives the replacement the old file's permission bits and, where permitted, its owner; a new file keeps
// the bits it was created with.
void kopioi_oikeudet(Tiedostojarjestelma& t, int fd, const std::filesystem::path& vanha);

// The process that made a replacement file of this name, or 0 when the name is not one of ours.
pid_t keskeneraisen_tekija(std::string_view nimi);

// Removes the replacement files in a folder whose process is gone (a crash or kill in the middle of a
// write); files of running processes are left alone.
void siivoa_keskeneraiset(Tiedostojarjestelma& t, const std::filesystem::path& kansio);
