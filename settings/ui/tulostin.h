#pragma once
// The printer's resolution through CUPS, for the settings' "DPI_X" and "DPI_Y".
#include <QPrinterInfo>
#include <optional>

#include "settings/asetukset.h"

// The default printer's dots per inch across and down (the first printer when none is the default);
// nullopt when no printer is installed.
std::optional<Tarkkuus> tulostimen_tarkkuus();

// The default printer, or the first one when none is the default; null when no printer is installed.
QPrinterInfo oletustulostin();
