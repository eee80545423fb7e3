#pragma once
// Registration of the catalogue file type with the desktop: a shared-mime-info type for "*.rkb" and a
// desktop entry whose Exec line opens a catalogue with this program, both under $XDG_DATA_HOME.
#include <filesystem>
#include <string>

#include "perus/ohjelmakansio.h"

class Tiedostojarjestelma;
namespace diag { class Viestit; }

// xdg_data_kansio() is declared with the program folder, which uses it too.

inline constexpr const char* rkb_tyyppi = "application/x-rullakko";
// The desktop entry an installation puts under the prefix's share folder.
inline constexpr const char* asennettu_kuvaustiedosto = "applications/net.rullakko.Rullakko.desktop";

// The Exec line the program wants: the executable's full path in double quotes and "%f".
std::string avauskomento(const std::filesystem::path& ohjelma);
// The Exec line of the registered desktop entry; empty when there is none.
std::string lue_avauskomento(Tiedostojarjestelma& t, const std::filesystem::path& data_kansio);
// True when the program was installed with its desktop entry and MIME type (under the share folder of its
// prefix, the entry starting this program): the desktop knows the file type without a registration.
bool asennettu_rekisterointi(Tiedostojarjestelma& t, const std::filesystem::path& ohjelma);
// Writes the mime type and the desktop entry, each replaced atomically. False when a file could not be written.
bool rekisteroi_tiedostotyyppi(Tiedostojarjestelma& t, const std::filesystem::path& data_kansio,
                               const std::filesystem::path& ohjelma);

// The start-up check: logs the registered command and, when it is not this program's and the program was
// not installed with its own registration, offers to register.
void tarkista_tiedostotyyppi(Tiedostojarjestelma& t, const std::filesystem::path& data_kansio,
                             const std::filesystem::path& ohjelma, diag::Viestit& viestit);
