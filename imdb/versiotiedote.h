#pragma once
// The news of versions newer than the running one, out of the update server's version file.
#include <string>
#include <string_view>

#include "perus/verkkohaku.h"

// The question to ask, or empty when the file holds no news for this version. Lines of four characters
// with "." second ("1.37") head the news of that version.
std::string uusi_versio_teksti(std::string_view tiedosto, double oma_versio);

// The update server's version file fetched and read; empty when it has no news or cannot be reached.
std::string hae_versiotiedote(Verkkohaku& http, double oma_versio);
