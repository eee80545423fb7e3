// rkb search FILE WORDS [--fields LIST]: the search window's list search on a catalogue. One line per
// matching card in catalogue order: index, cassette, position, the list title and the genre.
#include <cstdio>

#include "cli/alikomennot.h"
#include "find/haku.h"
#include "perus/merkisto.h"

namespace {

// "0,3,13": entries of the search window's field list; false for anything else.
bool lue_kentat(const std::string& lista, Hakukentat& kentat) {
    kentat.reset();
    std::size_t alku = 0;
    while (alku <= lista.size()) {
        const std::size_t loppu = std::min(lista.find(',', alku), lista.size());
        const std::string osa = lista.substr(alku, loppu - alku);
        if (osa.empty() || osa.size() > 2 || osa.find_first_not_of("0123456789") != std::string::npos) return false;
        const int n = std::stoi(osa);
        if (n >= hakukenttia) return false;
        kentat.set(static_cast<std::size_t>(n));
        alku = loppu + 1;
    }
    return true;
}

int search(const std::vector<std::string>& p) {
    Hakukentat kentat = kaikki_hakukentat();
    if (p.size() > 2) {
        const bool erikseen = p[2] == "--fields" && p.size() == 4;
        const bool yhdessa = p[2].starts_with("--fields=") && p.size() == 3;
        if ((!erikseen && !yhdessa) || !lue_kentat(erikseen ? p[3] : p[2].substr(9), kentat)) {
            tulosta_virhe("Käyttö: rkb search TIEDOSTO HAKUSANAT [--fields 0,1,...,13]");
            return 1;
        }
    }
    const std::string teksti = merkisto::utf8_cp1252(p[1]);
    if (teksti.empty()) {
        tulosta_virhe(syota_hakusana);
        return 1;
    }
    Avattu a;
    a.asetukset.avaa_kannet_heti = false;
    if (!a.avaa(p[0])) return 1;

    const std::vector<std::string> sanat = eroittele_hakusanat(teksti, a.viestit);
    const std::vector<int> osumat = etsi_listaan(a.tk.kortit, sanat, kentat);
    if (osumat.empty()) {
        tulosta_virhe(ei_hakutuloksia);
        return 1;
    }
    std::string ulos;
    for (const int i : osumat) {
        const TKortti& k = a.tk.kortit[i];
        ulos += std::to_string(i) + '\t' + k.kasetilla + '\t' + k.sijainti + '\t' + listan_nimi(k) + '\t' + k.luokitus + '\n';
    }
    ulos = merkisto::cp1252_utf8(ulos);
    return std::fwrite(ulos.data(), 1, ulos.size(), stdout) == ulos.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"search", 2, 4, search});

}  // namespace
