#pragma once
// What the export and label subcommands share besides opening the catalogue.
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "cli/alikomennot.h"
#include "perus/tulos.h"

// "--name value" pairs after the fixed parameters; false after a message for anything else.
bool lue_valitsimet(const std::vector<std::string>& p, std::size_t alku,
                    std::initializer_list<const char*> sallitut, std::map<std::string, std::string>& arvot);

// The exit status of a command that ends with this outcome: 0, or 1 after its message.
int tulos_lopuksi(const Tulos& t);

