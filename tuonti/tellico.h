#pragma once
// Video collections of the Tellico catalogue program: a .tc file (a zip holding tellico.xml and the
// pictures under images/) or the same XML on its own, its pictures inside it in base64. Both come from
// anywhere, so the zip and the XML get the bounds the catalogue archive has: counts and sizes checked
// before anything is allocated, unpacked sizes bounded, no entity declarations (a billion laughs).
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tulos.h"

class Tiedostojarjestelma;

struct Tellicokentta {
    std::string nimi;                            // the field's element name, singular ("title", "genre", "cast")
    std::vector<std::vector<std::string>> arvot;  // one row per value; a table field's row has its columns
};

struct Tellicotietue {
    int numero = 0;                     // the entry's place in the file, from 1
    std::vector<Tellicokentta> kentat;  // in the order of the file; texts cp1252
    bool korvattuja = false;            // a character cp1252 cannot hold became '?'

    // The values of a field (empty when the entry has none).
    const Tellicokentta* kentta(std::string_view nimi) const;
};

struct Tellicokokoelma {
    std::vector<Tellicotietue> tietueet;
    std::map<std::string, std::string> otsikot;  // field name -> its title, as the collection defines it
    std::map<std::string, std::string> kuvat;    // picture id -> its bytes
};

// Bounds of what an imported file may hold.
inline constexpr std::uint64_t suurin_xml = 256ull << 20;
inline constexpr std::uint64_t suurin_tc = 1ull << 30;
inline constexpr std::uint64_t suurin_kuva = 8ull << 20;

// A .tc file or plain Tellico XML, told apart by the zip's signature.
Tulos lue_tellico(Tiedostojarjestelma& t, const std::filesystem::path& p, Tellicokokoelma& ulos);
// Tellico XML from memory; pictures inside it are decoded.
Tulos lue_tellico_xml(std::string_view xml, Tellicokokoelma& ulos);
