#pragma once
// What imdb-find and imdb-fetch share: a search through a movie data source, its failures on stderr.
#include <string>

#include "imdb/lahde.h"

// Searches and prints the source's failure; an empty hit list is reported and is a failure too.
bool etsi_elokuvia(Elokuvalahde& lahde, const std::string& hakusana, Hakutulokset& h);
