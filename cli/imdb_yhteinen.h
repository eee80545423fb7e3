#pragma once
// What imdb-find and imdb-fetch share: their options, the source they ask, a search with its failures on
// stderr.
#include <optional>
#include <string>
#include <vector>

#include "imdb/lahde.h"
#include "imdb/lahteet.h"

struct TAsetukset;

struct Imdbvalinnat {
    std::vector<std::string> nimetyt;  // the parameters that are not options, in order
    std::optional<std::string> osuma;  // after --hit
    std::optional<std::string> lahde;  // after --source
};

// The parameters split into options and the rest; nullopt for an option without its value or one the
// command does not take (`osuma_sallittu`: --hit is one of them).
std::optional<Imdbvalinnat> lue_imdbvalinnat(const std::vector<std::string>& p, bool osuma_sallittu);

// The source named after --source, else the one the settings name; nullopt after a message for a name
// that is no source.
std::optional<Lahdelaji> valittu_lahde(const Imdbvalinnat& v, const TAsetukset& a);

// Searches and prints the source's failure; an empty hit list is reported and is a failure too.
bool etsi_elokuvia(Elokuvalahde& lahde, const Lahdekuvaus& kuvaus, const std::string& hakusana, Hakutulokset& h);
