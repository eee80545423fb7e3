#pragma once
// Saving the open catalogue: the body and every cover packed into a new archive under the target name.
#include <string>

#include "storage/varasto.h"

// Drops untitled cards, sorts when the settings ask for it, writes the body and packs it with the covers.
// The old file is replaced only by a complete new archive: a failed save leaves it whole, keeps the
// catalogue marked as changed and keeps its old name. Covers that are not unpacked are taken from the
// catalogue file they came from; a cover that exists but cannot be read fails the save rather than being
// dropped. A symbolic link is saved through to its target, whose permissions and owner stay; a read-only
// target is replaced only when the user agrees. True when the file was saved.
bool tallenna_tietokanta(const std::string& kohde, Varasto& v);

enum class Kansikuvat { Normaali, Jpg, EiKansia };

// The save-with-options dialog's action after the target name has been chosen.
bool tallenna_asetuksin(const std::string& kohde, Kansikuvat kannet, int laatu, bool puolita, Varasto& v);

// Every card whose title is empty is removed with its own cover file.
void poista_nimettomat(Varasto& v);

// The first line of the box of a save that failed after the work file was written.
inline constexpr const char* tallennusvirheen_alku =
    "Tiedoston tallennuksessa tapahtui virhe, yritä tallentaa tietokanta toisella nimellä\n"
    "[Tiedosto -> Tallenna nimellä...]";
