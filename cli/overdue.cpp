// rkb overdue FILE [--today YYYY-MM-DD] [--days N]: borrowers whose loans have run too long, with days.
#include <iostream>

#include "cli/alikomennot.h"
#include "lending/lainaus.h"
#include "perus/merkisto.h"

namespace {

int overdue(const std::vector<std::string>& p) {
    KomentoriviViestit viestit;
    const Ohjelmakansio kansio(Ohjelmakansio::etsi_juuri(jarjestelman_tiedostot()), jarjestelman_tiedostot());
    std::optional<Paiva> paiva = tanaan();
    std::optional<int> paivia;
    for (std::size_t i = 1; i < p.size(); i += 2) {
        if (i + 1 >= p.size()) {
            tulosta_virhe("Käyttö: rkb overdue TIEDOSTO [--today VVVV-KK-PP] [--days N]");
            return 1;
        }
        if (p[i] == "--today") {
            paiva = lue_paiva(p[i + 1]);
            if (!paiva || p[i + 1].find('-') == std::string::npos) {
                tulosta_virhe("Päivä ei kelpaa: " + merkisto::utf8_cp1252(p[i + 1]) + " (muoto VVVV-KK-PP)");
                return 1;
            }
        } else if (p[i] == "--days" && on_kokonaisluku(p[i + 1]) && p[i + 1].size() < 7) {
            paivia = std::stoi(p[i + 1]);
        } else {
            tulosta_virhe("Tuntematon tai virheellinen valitsin: " + merkisto::utf8_cp1252(p[i]));
            return 1;
        }
    }
    if (!paivia) {
        const std::optional<TAsetukset> a = ohjelmakansion_asetukset(kansio, viestit);
        if (!a) return 1;
        paivia = a->notify_paivat();
    }
    Avattu lainat;
    lainat.asetukset.avaa_kannet_heti = false;
    if (!lainat.avaa(p[0])) return 1;
    const Tietokanta& tk = lainat.tk;
    for (const Myohassa& m : myohastyneet(tk.kortit, *paivia, *paiva))
        std::cout << merkisto::cp1252_utf8(m.lainaaja) << '\t' << m.paivia << '\n';
    std::cout.flush();
    return std::cout ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"overdue", 1, 5, overdue});

}  // namespace
