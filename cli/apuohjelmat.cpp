// The subcommands of rkb that run an executable of their own (see apuohjelmat.h).
#include "cli/apuohjelmat.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "perus/merkisto.h"
#include "perus/tiedostot.h"

namespace fs = std::filesystem;

namespace {

// Beside rkb in the build folder; under libexec/rullakko of the prefix in an installed copy.
fs::path apuohjelman_polku(const char* ohjelma) {
    std::error_code ec;
    const fs::path oma = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const fs::path vieressa = oma / ohjelma;
    if (::access(vieressa.c_str(), X_OK) == 0) return vieressa;
    return oma.parent_path() / "libexec" / "rullakko" / ohjelma;
}

// Replaces this process with the executable, so its output and exit status are the subcommand's own.
int aja_apuohjelma(const Apuohjelma& a, const std::vector<std::string>& p) {
    const fs::path polku = apuohjelman_polku(a.ohjelma);
    std::vector<std::string> argumentit{polku.string(), a.nimi};
    argumentit.insert(argumentit.end(), p.begin(), p.end());
    std::vector<char*> argv;
    for (std::string& s : argumentit) argv.push_back(s.data());
    argv.push_back(nullptr);
    ::execv(polku.c_str(), argv.data());
    tulosta_virhe("Ohjelmaa " + merkisto::utf8_cp1252(polku.string()) + " ei voi käynnistää: " + jarjestelman_syy(errno));
    return 1;
}

const struct Rekisterointi {
    Rekisterointi() {
        for (const Apuohjelma& a : apuohjelmat) {
            const RekisteroiAlikomento r(
                apuohjelman_komento(a, [&a](const std::vector<std::string>& p) { return aja_apuohjelma(a, p); }));
        }
    }
} rekisterointi;

}  // namespace
