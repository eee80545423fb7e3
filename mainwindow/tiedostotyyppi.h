#pragma once
// Registration of the catalogue file type with the desktop: a shared-mime-info type for "*.rkb" and a
// desktop entry whose Exec line opens a catalogue with this program, both under $XDG_DATA_HOME.
#include <filesystem>
#include <string>

namespace diag { class Viestit; }

// $XDG_DATA_HOME, or ~/.local/share when it is not set.
std::filesystem::path xdg_data_kansio();

// The Exec line the program wants: the executable's full path in double quotes and "%f".
std::string avauskomento(const std::filesystem::path& ohjelma);
// The Exec line of the registered desktop entry; empty when there is none.
std::string lue_avauskomento(const std::filesystem::path& data_kansio);
// Writes the mime type and the desktop entry. False when a file could not be written.
bool rekisteroi_tiedostotyyppi(const std::filesystem::path& data_kansio, const std::filesystem::path& ohjelma);

// The start-up check: logs the registered command and, when it is not this program's, offers to register.
void tarkista_tiedostotyyppi(const std::filesystem::path& data_kansio, const std::filesystem::path& ohjelma,
                             diag::Viestit& viestit);
