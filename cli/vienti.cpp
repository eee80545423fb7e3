#include "cli/vienti.h"

#include <map>

bool lue_valitsimet(const std::vector<std::string>& p, std::size_t alku,
                    std::initializer_list<const char*> sallitut, std::map<std::string, std::string>& arvot) {
    for (std::size_t i = alku; i < p.size(); i += 2) {
        bool tunnettu = false;
        for (const char* s : sallitut) tunnettu |= p[i] == s;
        if (!tunnettu || i + 1 >= p.size()) {
            tulosta_virhe("Tuntematon tai puutteellinen valitsin: " + p[i]);
            return false;
        }
        arvot[p[i]] = p[i + 1];
    }
    return true;
}

int tulos_lopuksi(const Tulos& t) {
    if (t) return 0;
    tulosta_virhe(t.viesti);
    return 1;
}
