#pragma once
// The figures of the catalogue statistics box, as its lines (cp1252).
#include <string>
#include <vector>

#include "storage/kortti.h"

// Version, cards, covers, IMDb cards, cover addresses, cards waiting for a cover fetch and cards whose
// cover could still be fetched. The last figure is a plain difference and goes negative when covers came
// from elsewhere than IMDb. Each cover address is written to the debug log.
std::vector<std::string> tilastorivit(const TOmaList& lista);
