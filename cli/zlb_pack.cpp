// rkb pack OUT NAME...: a new archive of the named files in the given order, each stored with the folder
// part of its name, as the program stores its covers under gfx\kannet\.
#include <filesystem>

#include "cli/alikomennot.h"
#include "perus/merkisto.h"
#include "perus/ohjelmakansio.h"
#include "storage/zlbarkisto.h"

namespace {

int pack(const std::vector<std::string>& p) {
    namespace fs = std::filesystem;
    const fs::path juuri = fs::current_path();
    std::vector<std::string> nimet;
    // Every name is checked first, so that a mistyped one leaves no half-made archive behind.
    for (auto it = p.begin() + 1; it != p.end(); ++it) {
        nimet.push_back(merkisto::utf8_cp1252(*it));
        std::error_code ec;
        if (!fs::is_regular_file(tiedostopolku(jarjestelman_tiedostot(), nimet.back(), juuri), ec)) {
            tulosta_virhe(zlb_teksti(zlb_virhe::ei_avaudu, nimet.back()));
            return 1;
        }
    }
    TZLBArchive arkisto(jarjestelman_tiedostot());
    arkisto.CompressionLevel = TZLBCompressionLevel::Maximum;
    arkisto.OnErrorLogged = [](TZLBArchive&, const std::string& teksti) { tulosta_virhe(teksti); };
    Tulos t = arkisto.Create(p[0]);
    if (t) t = arkisto.AddFiles(nimet, juuri);
    if (!t) tulosta_virhe(t.viesti);
    // A file that vanished after the check was skipped with a message: the archive lacks it.
    return t && arkisto.entries().size() == nimet.size() ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"pack", 2, 100000, pack});

}  // namespace
