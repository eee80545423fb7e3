#include "cli/vienti.h"

#include <map>

#include "settings/ini.h"
#include "storage/lataus.h"

bool Avattu::avaa(const std::string& tiedosto) {
    IniTiedosto ini;
    if (!ini.lataa(asetustiedosto(ohjelma))) {
        tulosta_virhe("Asetustiedostoa ei voi lukea.");
        return false;
    }
    lue_asetusarvot(asetukset, ini, Asetusymparisto{kansio, viestit});
    asetukset.notify_enabled = false;
    return lue_tietueet(ohjelman_nimi(tiedosto), false, false, tk.kortit, v);
}

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
