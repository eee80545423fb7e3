#include "tapes/nauhatilanne.h"

#include <unordered_set>

#include "diag/viestit.h"
#include "find/haku.h"
#include "perus/teksti.h"
#include "settings/asetukset.h"
#include "storage/kasetti.h"

namespace {

constexpr const char* ei_tiedossa = "--";

std::string minuutit(long long m) { return std::to_string(m) + " min"; }

}  // namespace

std::vector<Nauharivi> tee_nauhalista(const TOmaList& lista, long long vahintaan, const TAsetukset& a,
                                      diag::Viestit& viestit) {
    const auto kasetit = kasettien_kortit(lista);
    // A cassette is counted once: its later cards would only repeat the same answer and its messages.
    std::unordered_set<std::string> kasitellyt;
    std::vector<Nauharivi> rivit;
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        if (k.kasetilla.empty() || kasitellyt.count(k.kasetilla)) continue;
        if (!sisaltaa("P", k.formaatti)) continue;
        // An emptied mark excludes nothing; taken literally it would be in every number and empty the list.
        if (a.ala_kysy_jos && !a.ala_kysy_jos_sisaltaa.empty() && sisaltaa(a.ala_kysy_jos_sisaltaa, k.kasetilla))
            continue;
        kasitellyt.insert(k.kasetilla);

        const std::vector<int>& kortit = kasetit.at(k.kasetilla);
        const std::string pituus = get_kasetin_pituus(lista, k.kasetilla, kortit, viestit);
        const long long pituus_min = lue_alkuluku(pituus, true).arvo;
        const long long kaytetty = lue_alkuluku(get_kasetin_kaytetty(lista, kortit, viestit), true).arvo;
        const long long vapaa = pituus_min - kaytetty;
        if (vahintaan != 0 && (vapaa < vahintaan || kaytetty < 0)) continue;

        Nauharivi r;
        r.kasetti = k.kasetilla;
        r.pituus = pituus.empty() ? std::string() : minuutit(pituus_min);
        r.kaytetty = kaytetty < 0 ? ei_tiedossa : minuutit(kaytetty);
        r.vapaa = pituus.empty() || kaytetty < 0 || vapaa < 0 ? ei_tiedossa : minuutit(vapaa);
        r.ensimmainen = i;
        rivit.push_back(std::move(r));
    }
    return rivit;
}

std::string nauhan_tila(const Nauharivi& r) {
    std::string tila;
    if (r.vapaa == ei_tiedossa || r.kaytetty == ei_tiedossa) tila = "Virhe: Kasetilla on elokuva jonka pituutta ei tiedetä";
    if (r.pituus.empty()) tila = "Virhe: Et ole kertonut ohjelmalle kasetin pituutta";
    if (r.vapaa == ei_tiedossa && r.kaytetty != ei_tiedossa && !r.pituus.empty())
        tila = "Virhe: Vapaan nauhan pituutta ei voitu laskea (osa tiedoista virheellisiä)";
    return tila;
}

Vapaan_haku etsi_vapaata(const TOmaList& lista, std::string_view vahintaan, bool lp, const TAsetukset& a,
                         diag::Viestit& viestit) {
    Vapaan_haku h;
    const Alkuluku luku = lue_alkuluku(vahintaan, true);
    if (!luku.puhdas) {
        viestit.virhe(minuuttivirhe);
        h.luku_kelpaa = false;
        return h;
    }
    // The free column counts SP minutes, and long play records twice as long on them.
    const long long minimi = lp ? luku.arvo / 2 : luku.arvo;
    h.rivit = tee_nauhalista(lista, minimi, a, viestit);
    if (h.rivit.empty()) {
        h.rivit = tee_nauhalista(lista, 0, a, viestit);
        h.loytyi = false;
        viestit.pelkka(ei_loydy);
    }
    return h;
}
