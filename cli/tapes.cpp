// rkb tapes FILE [--min N] [--lp]: the tape status rows (cassette, length, used, free) as the status window
// shows them; with a minimum only the cassettes with that much free tape, or all and "Ei löydy!".
#include "cli/alikomennot.h"
#include "perus/merkisto.h"
#include "tapes/nauhatilanne.h"

namespace {

int tapes(const std::vector<std::string>& p) {
    std::string tiedosto, vahintaan;
    bool minimi = false, lp = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == "--lp") {
            lp = true;
        } else if (p[i] == "--min" && i + 1 < p.size()) {
            minimi = true;
            vahintaan = p[++i];
        } else if (tiedosto.empty() && p[i].rfind("--", 0) != 0) {
            tiedosto = p[i];
        } else {
            tulosta_virhe("Käyttö: rkb tapes TIEDOSTO [--min N] [--lp]");
            return 1;
        }
    }
    if (tiedosto.empty()) {
        tulosta_virhe("Käyttö: rkb tapes TIEDOSTO [--min N] [--lp]");
        return 1;
    }
    Avattu a;
    if (!a.lue_asetukset()) return 1;
    a.asetukset.avaa_kannet_heti = false;  // the covers are not needed here
    if (!a.avaa(tiedosto)) return 1;

    std::vector<Nauharivi> rivit;
    if (minimi) {
        Vapaan_haku h = etsi_vapaata(a.tk.kortit, merkisto::utf8_cp1252(vahintaan), lp, a.asetukset, a.viestit);
        if (!h.luku_kelpaa) return 1;
        rivit = std::move(h.rivit);
    } else {
        rivit = tee_nauhalista(a.tk.kortit, 0, a.asetukset, a.viestit);
    }
    for (const Nauharivi& r : rivit)
        if (!tulosta_rivi(r.kasetti + "\t" + r.pituus + "\t" + r.kaytetty + "\t" + r.vapaa)) return 1;
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"tapes", 1, 4, tapes});

}  // namespace
