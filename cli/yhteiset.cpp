#include <fstream>
#include <sstream>

#include "cli/alikomennot.h"
#include "storage/merkisto.h"

void tulosta_virhe(const std::string& cp1252) {
    const std::string t = merkisto::cp1252_utf8(cp1252);
    std::fprintf(stderr, "%s\n", t.c_str());
}

void KomentoriviViestit::nayta(diag::Laji, const std::string& teksti, const std::string&) { tulosta_virhe(teksti); }

diag::Vastaus KomentoriviViestit::kysy(diag::Laji, const std::string& teksti, bool, const std::string&) {
    tulosta_virhe(teksti + " -> Ei");
    return diag::Vastaus::Ei;
}

bool lue_tiedosto(const std::string& nimi, std::string& sisalto) {
    std::ifstream f(nimi, std::ios::binary);
    if (!f) return false;
    std::ostringstream ss;
    ss << f.rdbuf();
    sisalto = ss.str();
    return !f.bad();
}
