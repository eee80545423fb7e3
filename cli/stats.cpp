// rkb stats FILE: the lines of the catalogue statistics box.
#include <cstdio>

#include "cli/alikomennot.h"
#include "mainwindow/tilastot.h"
#include "perus/merkisto.h"

namespace {

int stats(const std::vector<std::string>& p) {
    Avattu a;
    a.asetukset.avaa_kannet_heti = false;
    if (!a.avaa(p[0])) return 1;
    std::string ulos;
    for (const std::string& rivi : tilastorivit(a.tk.kortit)) ulos += rivi + '\n';
    ulos = merkisto::cp1252_utf8(ulos);
    return std::fwrite(ulos.data(), 1, ulos.size(), stdout) == ulos.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"stats", 1, 1, stats});

}  // namespace
