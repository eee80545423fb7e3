// rkb: the command-line companion. Each subcommand lives in its own file and registers itself here.
#include "cli/alikomennot.h"

#include <cstdio>
#include <map>

#include "cli/komennot.h"
#include "diag/loki.h"

namespace {
std::map<std::string, Alikomento>& rekisteri() {
    static std::map<std::string, Alikomento> r;
    return r;
}

// Errors and warnings the core logs go to standard error, like its messages; the log has no switches here.
class Virheloki final : public diag::Lokin_nakyma {
public:
    void rivit_muuttuivat() override {
        if (!diag::loki().rivit().empty()) tulosta_virhe(diag::loki().rivit().back());
    }
    void kytkimet_muuttuivat() override {}
};
}  // namespace

RekisteroiAlikomento::RekisteroiAlikomento(Alikomento a) { rekisteri()[a.nimi] = std::move(a); }

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || !rekisteri().count(args[0])) {
        tulosta_virhe("Käyttö: rkb KOMENTO [PARAMETRIT]\nKomennot:");
        for (const Komentokuvaus& k : komentokuvaukset())
            if (rekisteri().count(k.nimi)) tulosta_virhe("  " + kayttorivi(k));
        // A command without its row would go missing from the manual page; the test of the table sees this.
        for (const auto& [nimi, a] : rekisteri())
            if (!komentokuvaus(nimi)) tulosta_virhe("  rkb " + nimi + " (kuvaus puuttuu)");
        return 1;
    }
    Virheloki loki;
    const diag::Lokiin_kytketty<diag::Lokin_nakyma> kytkenta(loki);
    const Alikomento& a = rekisteri()[args[0]];
    const std::vector<std::string> parametrit(args.begin() + 1, args.end());
    if (parametrit.size() < a.vahintaan || parametrit.size() > a.enintaan) {
        const Komentokuvaus* k = komentokuvaus(a.nimi);
        tulosta_virhe("Käyttö: " + (k ? kayttorivi(*k) : "rkb " + a.nimi));
        return 1;
    }
    return a.aja(parametrit);
}
