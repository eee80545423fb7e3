// rkb: the command-line companion. Each subcommand lives in its own file and registers itself here.
#include "cli/alikomennot.h"

#include <cstdio>
#include <map>

#include "diag/loki.h"

namespace {
std::map<std::string, Alikomento>& rekisteri() {
    static std::map<std::string, Alikomento> r;
    return r;
}
}  // namespace

RekisteroiAlikomento::RekisteroiAlikomento(Alikomento a) { rekisteri()[a.nimi] = std::move(a); }

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || !rekisteri().count(args[0])) {
        std::fprintf(stderr, "Käyttö: rkb KOMENTO [PARAMETRIT]\nKomennot:\n");
        for (const auto& [nimi, a] : rekisteri()) std::fprintf(stderr, "  rkb %s %s\n", nimi.c_str(), a.kaytto.c_str());
        return 1;
    }
    // Errors and warnings the core logs go to standard error, like its messages.
    diag::loki().rivit_muuttuivat = [] {
        if (!diag::loki().rivit().empty()) tulosta_virhe(diag::loki().rivit().back());
    };
    const Alikomento& a = rekisteri()[args[0]];
    const std::vector<std::string> parametrit(args.begin() + 1, args.end());
    if (parametrit.size() < a.vahintaan || parametrit.size() > a.enintaan) {
        std::fprintf(stderr, "Käyttö: rkb %s %s\n", a.nimi.c_str(), a.kaytto.c_str());
        return 1;
    }
    return a.aja(parametrit);
}
