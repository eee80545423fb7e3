#pragma once
// Repair of bodies with doubled line ends, and import of catalogues of versions 0.1 to 1.14.
#include <filesystem>
#include <string>

#include "storage/varasto.h"

// Repairs in place a body whose every line end was written as CR CR LF. A sound body is not touched.
void korjaa_0D0D0A(const std::filesystem::path& runko, Varasto& v);
// The same for a body already read into memory: `teksti` is repaired along with the file.
void korjaa_0D0D0A(const std::filesystem::path& runko, std::string& teksti, Varasto& v);

// Reads an old 17-line-a-card catalogue into the open catalogue.
void lue_vanha_tietokanta(const std::string& nimi, bool liitos, Varasto& v);

// The 17-line cards of an old catalogue text, appended to the list.
void lue_vanhat_kortit(std::string_view teksti, TOmaList& lista);
