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
        tulosta_virhe("Käyttö: rkb KOMENTO [PARAMETRIT]\nKomennot:");
        for (const auto& [nimi, a] : rekisteri()) tulosta_virhe("  rkb " + nimi + " " + a.kaytto);
        return 1;
    }
    // Errors and warnings the core logs go to standard error, like its messages.
    diag::loki().rivit_muuttuivat = [] {
        if (!diag::loki().rivit().empty()) tulosta_virhe(diag::loki().rivit().back());
    };
    const Alikomento& a = rekisteri()[args[0]];
    const std::vector<std::string> parametrit(args.begin() + 1, args.end());
    if (parametrit.size() < a.vahintaan || parametrit.size() > a.enintaan) {
        tulosta_virhe("Käyttö: rkb " + a.nimi + " " + a.kaytto);
        return 1;
    }
    return a.aja(parametrit);
}
