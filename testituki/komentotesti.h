#pragma once
// Runs a shell command from a test and gives back its exit status and standard output; and runs rkb, the
// one way every test runs the command-line tool.
#include <sys/wait.h>

#include <cstdio>
#include <string>

struct Ajotulos {
    int koodi;
    std::string ulos;
};

inline Ajotulos aja(const std::string& komento) {
    Ajotulos t{0, {}};
    FILE* p = ::popen(komento.c_str(), "r");
    if (!p) return {-1, {}};
    char puskuri[4096];
    for (std::size_t n; (n = std::fread(puskuri, 1, sizeof puskuri, p)) > 0;) t.ulos.append(puskuri, n);
    t.koodi = WEXITSTATUS(::pclose(p));
    return t;
}

#ifdef RKB_EXE
// rkb run as a script runs it. `edella` is what the shell does first: settings of the environment
// ("RULLAKKO_HOME=/x RULLAKKO_IMDB_URL=…") or a change of folder ("cd /x &&"). The caller quotes the words of
// a run for the shell; `virheet` says where standard error goes unless a run says otherwise ("2>&1" reads
// it with the output).
struct Rkb {
    std::string edella;
    std::string virheet = "2>/dev/null";

    std::string komento(const std::string& parametrit, const std::string& ohjaus) const {
        return edella + " '" RKB_EXE "' " + parametrit + " " + ohjaus;
    }
    Ajotulos operator()(const std::string& parametrit) const { return aja(komento(parametrit, virheet)); }
    Ajotulos operator()(const std::string& parametrit, const std::string& ohjaus) const {
        return aja(komento(parametrit, ohjaus));
    }
};
#endif
