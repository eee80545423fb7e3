// rkb lookup DBASE TITLE: the reference cards the choose window would offer for a title on an empty card,
// one row per line as the window lists them.
#include <filesystem>

#include "cli/alikomennot.h"
#include "imdb/viitehaku.h"
#include "perus/merkisto.h"

namespace {

int lookup(const std::vector<std::string>& p) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p[0], ec)) {
        tulosta_virhe("Tiedostoa " + merkisto::utf8_cp1252(p[0]) + " ei löydy.");
        return 1;
    }
    Viitetietokanta viite;
    viite.lataa(jarjestelman_tiedostot(), std::filesystem::absolute(p[0]));
    if (!viite.ladattu()) {
        tulosta_virhe("Tiedostoa " + merkisto::utf8_cp1252(p[0]) + " ei voi lukea.");
        return 1;
    }
    for (int i : viite.etsi(merkisto::utf8_cp1252(p[1]), TKortti{}))
        if (!tulosta_rivi(valintarivi(viite.kortit()[i]))) return 1;
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"lookup", 2, 2, lookup});

}  // namespace
