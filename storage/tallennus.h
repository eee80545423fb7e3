#pragma once
// Saving the open catalogue: the body and every cover packed into a new archive under the target name.
#include <string>

#include "storage/varasto.h"

// Drops untitled cards, sorts when the settings ask for it, writes the body and packs it with the covers.
// The old file is replaced only by a complete new archive: a failed save leaves it whole, keeps the
// catalogue marked as changed and keeps its old name. True when the file was saved.
bool tallenna_tietokanta(const std::string& kohde, const Varasto& v);

enum class Kansikuvat { Normaali, Jpg, EiKansia };

// The save-with-options dialog's action after the target name has been chosen.
bool tallenna_asetuksin(const std::string& kohde, Kansikuvat kannet, int laatu, bool puolita, const Varasto& v);

// Every card whose title is empty is removed with its own cover file.
void poista_nimettomat(const Varasto& v);

// Seam for tests: the step at which a save is made to fail.
enum class Tallennusvaihe { Ei, Runko, Pakkaus, Nimeaminen };
extern Tallennusvaihe tallennus_kaatuu_vaiheessa;
