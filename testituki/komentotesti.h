#pragma once
// Runs a shell command from a test and gives back its exit status and standard output.
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
