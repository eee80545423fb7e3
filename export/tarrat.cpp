#include "export/tarrat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "diag/loki.h"
#include "diag/nayttoraja.h"
#include "perus/teksti.h"

namespace tarrat {

std::vector<std::string> kasettirivit(const TOmaList& lista) {
    std::vector<std::string> rivit;
    std::unordered_set<std::string> nahdyt;
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        if (k.kasetilla.empty() || sisaltaa("DVD", k.formaatti)) continue;
        if (nahdyt.insert(k.kasetilla).second) rivit.push_back(rivin_alku + k.kasetilla);
    }
    return rivit;
}

std::string rivin_kasetti(const std::string& rivi) { return rivi.size() > 9 ? rivi.substr(9) : std::string(); }

std::vector<const TKortti*> kasetin_kortit(const TOmaList& lista, const std::string& kasetti) {
    std::vector<const TKortti*> kortit;
    for (int i = 1; i < lista.Count(); ++i)
        if (lista[i].kasetilla == kasetti) kortit.push_back(&lista[i]);
    return kortit;
}

int arkkeja(int tarroja, int arkilla) {
    if (tarroja <= 0) return 0;
    arkilla = std::max(1, arkilla);
    return (tarroja + arkilla - 1) / arkilla;
}

namespace {
long long megatavuja(int tarroja, long long bittia_yhteensa) {
    return static_cast<long long>(tarroja) * bittia_yhteensa / 8 / 1024 / 1024;
}
}  // namespace

std::string sivutarrojen_otsikko(int tarroja, int arkilla, bool bittia16) {
    const long long bitit = static_cast<long long>(sivu_leveys) * sivu_korkeus * (bittia16 ? 16 : 24);
    return "Tulosta kasetin sivutarroja [" + std::to_string(tarroja) + " tarraa, tulostettuna " +
           std::to_string(arkkeja(tarroja, arkilla)) + " arkkia] [" + std::to_string(megatavuja(tarroja, bitit)) +
           " MB]";
}

std::string paalystarrojen_otsikko(int tarroja, bool bittia16) {
    // The sheet estimate counts the 12 labels a printed sheet really holds.
    const long long bitit = bittia16 ? 29378880LL : 44068320LL;
    return "Tulosta kasetin päälystarroja [" + std::to_string(tarroja) + " tarraa, tulostettuna " +
           std::to_string(arkkeja(tarroja, paalyksia_arkilla)) + " arkkia] [" +
           std::to_string(megatavuja(tarroja, bitit)) + " MB]";
}

long long pyorista(double x) { return static_cast<long long>(std::nearbyint(x)); }

int sivutarran_rivin_tila(int rivit) {
    if (rivit <= 1) return sivu_korkeus - 50;
    if (rivit == 2) return 180;
    return 360 / rivit;
}

namespace {
// More characters than this never fit a label, even on two lines at the smallest height; a longer name is
// fitted by its beginning, so a name of megabytes costs no more than a long one.
constexpr std::size_t sovitettava_enintaan = 400;
}  // namespace

std::string lyhenna(const std::string& koko_teksti, int korkeus, bool lihava, int tila, const Leveys& leveys) {
    if (leveys(koko_teksti, korkeus, lihava) <= tila) return koko_teksti;
    const std::string teksti = koko_teksti.substr(0, sovitettava_enintaan);
    // The longest beginning that fits with the ellipsis; widths grow with the length.
    std::size_t ala = 0, yla = teksti.size();
    while (ala < yla) {
        const std::size_t keski = (ala + yla + 1) / 2;
        if (leveys(teksti.substr(0, keski) + ellipsi, korkeus, lihava) <= tila)
            ala = keski;
        else
            yla = keski - 1;
    }
    std::string alku = teksti.substr(0, ala);
    while (!alku.empty() && alku.back() == ' ') alku.pop_back();
    return alku + ellipsi;
}

namespace {

// The largest height from `ala` to `yla` at which every text fits `tila`; 0 when none does.
int suurin_sopiva(const std::vector<std::string>& tekstit, int ala, int yla, bool lihava, int tila,
                  const Leveys& leveys) {
    auto sopii = [&](int korkeus) {
        for (const std::string& s : tekstit)
            if (leveys(s, korkeus, lihava) > tila) return false;
        return true;
    };
    if (ala > yla || !sopii(ala)) return 0;
    while (ala < yla) {
        const int keski = (ala + yla + 1) / 2;
        if (sopii(keski))
            ala = keski;
        else
            yla = keski - 1;
    }
    return ala;
}

// The break of a text at a blank that leaves its wider half narrowest; npos without blanks.
std::size_t tasaisin_katko(const std::string& teksti, int korkeus, bool lihava, const Leveys& leveys) {
    std::size_t paras = std::string::npos;
    int parhaan_leveys = 0;
    for (std::size_t i = teksti.find(' '); i != std::string::npos; i = teksti.find(' ', i + 1)) {
        if (i == 0 || i + 1 >= teksti.size()) continue;
        const int l = std::max(leveys(teksti.substr(0, i), korkeus, lihava), leveys(teksti.substr(i + 1), korkeus, lihava));
        if (paras == std::string::npos || l < parhaan_leveys) {
            paras = i;
            parhaan_leveys = l;
        }
    }
    return paras;
}

}  // namespace

std::vector<Tarrateksti> sovita_nimi(const std::string& koko_teksti, int korkeus, bool lihava, int rivin_tila,
                                     int keskikohta, const Leveys& leveys) {
    const int tila = nimen_tila;
    const std::string teksti = koko_teksti.substr(0, sovitettava_enintaan);
    auto yksi = [&](const std::string& s, int h) {
        return std::vector<Tarrateksti>{{s, nimien_x, keskikohta - h / 2, h, lihava}};
    };
    if (leveys(teksti, korkeus, lihava) <= tila) return yksi(teksti, korkeus);
    // Shrinking a little keeps the name on one line.
    const int pienin = std::min(korkeus, std::max(pienin_nimen_korkeus, korkeus * 3 / 4));
    if (const int h = suurin_sopiva({teksti}, pienin, korkeus, lihava, tila, leveys)) return yksi(teksti, h);
    // Then two lines, where the line's room takes two.
    const int kahden_korkeus = std::min(korkeus, rivin_tila / 2);
    if (kahden_korkeus >= pienin_nimen_korkeus) {
        const std::size_t katko = tasaisin_katko(teksti, kahden_korkeus, lihava, leveys);
        if (katko != std::string::npos) {
            const std::string eka = teksti.substr(0, katko);
            const std::string toka = teksti.substr(katko + 1);
            int h = suurin_sopiva({eka, toka}, pienin_nimen_korkeus, kahden_korkeus, lihava, tila, leveys);
            const bool lyhennetaan = h == 0;
            if (lyhennetaan) h = pienin_nimen_korkeus;
            return {{lyhennetaan ? lyhenna(eka, h, lihava, tila, leveys) : eka, nimien_x, keskikohta - h, h, lihava},
                    {lyhennetaan ? lyhenna(toka, h, lihava, tila, leveys) : toka, nimien_x, keskikohta, h, lihava}};
        }
    }
    // What still does not fit ends in an ellipsis.
    return yksi(lyhenna(teksti, pienin, lihava, tila, leveys), pienin);
}

Sivutarra sivutarran_asettelu(const std::vector<std::string>& kaikki, const std::string& kasetti,
                              const Leveys& leveys) {
    Sivutarra t;
    const std::vector<std::string> nimet(kaikki.begin(),
                                         kaikki.begin() + std::min<std::size_t>(kaikki.size(), sivutarran_nimia_enintaan));
    const int N = static_cast<int>(nimet.size());
    if (N == 0) {
        t.varoitukset.push_back("Kasettia " + lyhennetty(kasetti) + " ei löydy? (Ohjelmointi-virhe?)");
        kirjoita_debug("Kasettia " + kasetti + " ei löydy (tarrojen_tulostus)");
    }
    int h = N == 4 || N == 6 ? 115 : N > 6 ? 80 : 155;
    std::vector<std::string> rivit;
    if (N == 5 || N == 6) {
        rivit = {nimet[0] + ", " + nimet[1], nimet[2] + ", " + nimet[3],
                 N == 5 ? nimet[4] : nimet[4] + ", " + nimet[5]};
    } else {
        if (N > 6)
            t.varoitukset.push_back("Kasettilla " + lyhennetty(kasetti) +
                                    " on liian monta elokuvaa, kaikki eivät mahdu tarraan!");
        rivit = nimet;
    }
    const int n = static_cast<int>(rivit.size());
    // The count of names, not of lines, picks the size: paired lines of six names stay at their size.
    auto sovita = [&](const std::string& rivi, int& korkeus, bool& lihava) {
        korkeus = N == 3 ? 145 : h;
        lihava = true;
        if (N != 6 && rivi.size() >= 51) korkeus = std::min(korkeus, 116);
        if (N != 6 && rivi.size() >= 61) {
            korkeus = std::min(korkeus, 97);
            lihava = false;
        }
    };
    for (int k = 1; k <= n; ++k) {
        std::string rivi = rivit[static_cast<std::size_t>(k - 1)];
        int korkeus = h;
        bool lihava = true;
        sovita(rivi, korkeus, lihava);
        long long y = pyorista(360.0 / n * k);
        if (n == 1) y = 225;
        if (n == 2) y -= 40;
        if (n == 3) y -= 20;
        if (leveys(rivi, korkeus, lihava) > sivu_leveys - nimien_x) {
            const std::size_t sulku = rivi.find('(');
            if (sulku != std::string::npos) {
                rivi.resize(sulku);
                while (!rivi.empty() && rivi.back() == ' ') rivi.pop_back();
                sovita(rivi, korkeus, lihava);
            }
        }
        const int alkuperainen = korkeus;
        for (Tarrateksti& r : sovita_nimi(rivi, korkeus, lihava, sivutarran_rivin_tila(n), static_cast<int>(y), leveys))
            t.rivit.push_back(std::move(r));
        // The next line of two starts from the height this one was given by the rules above.
        if (n == 2) h = alkuperainen;
    }

    const int L = static_cast<int>(kasetti.size());
    if (L >= 5) {
        t.varoitukset.push_back("Kasetin " + lyhennetty(kasetti) + " numero ei mahdu tarraan");
    } else {
        for (int j = 1; j <= L; ++j) {
            const std::string merkki(1, kasetti[static_cast<std::size_t>(j - 1)]);
            switch (L) {
                case 1: t.numero.push_back({merkki, 120, 74, 290, false}); break;
                case 2: t.numero.push_back({merkki, 120, 168 - (j - 1) * 155, 290, false}); break;
                case 3: t.numero.push_back({merkki, 120, 223 - (j - 1) * 116, 210, false}); break;
                case 4: t.numero.push_back({merkki, 120, 270 - (j - 1) * 93, 180, false}); break;
            }
        }
    }
    return t;
}

std::string paalystarran_teksti(const TKortti& k, bool remove_eng, bool lisaa_nopeus) {
    std::string s = k.nimi;
    if (remove_eng) {
        const std::size_t sulku = s.find('(');
        if (sulku != std::string::npos) {
            s.resize(sulku);
            if (!s.empty() && s.back() == ' ') s.pop_back();
        }
    }
    if (lisaa_nopeus) s += " (" + pienet_kirjaimet(k.formaatti) + ")";
    return s;
}

namespace {
constexpr int suurin_korkeus = 1365;
constexpr int pienin_korkeus = 50;
constexpr int tekstin_tila = paalys_leveys - 135;

int katto(int n) {
    if (n == 4) return 160;
    if (n == 5) return 140;
    if (n == 6) return 120;
    if (n > 6) return 90;
    return suurin_korkeus;
}
}  // namespace

int paalystarran_korkeus(const std::vector<std::string>& tekstit, const Leveys& leveys) {
    const int n = static_cast<int>(tekstit.size());
    // Heights above the cap never count, so the search starts there; each text goes on from the lowest
    // height reached so far, since a text that fits there cannot lower the common height. Nothing is drawn
    // smaller than the floor, so measuring below it would only cost time (a very long name would try them all).
    int korkeus = katto(n);
    for (const std::string& t : tekstit)
        while (korkeus > pienin_korkeus && leveys(t, korkeus, true) > tekstin_tila) --korkeus;
    kirjoita_debug("Fontin koko: " + std::to_string(korkeus));
    return korkeus;
}

std::vector<Tarrateksti> paalystarran_asettelu(const std::vector<std::string>& tekstit, bool keskita,
                                               const Leveys& leveys) {
    std::vector<Tarrateksti> t;
    const int n = static_cast<int>(tekstit.size());
    if (n == 0) return t;
    const int korkeus = paalystarran_korkeus(tekstit, leveys);
    for (int m = 1; m <= n; ++m) {
        // Even at the smallest height a text may be too long; it ends in "…" rather than off the label.
        const std::string teksti = lyhenna(tekstit[static_cast<std::size_t>(m - 1)], korkeus, true, tekstin_tila, leveys);
        long long y = n == 1 ? 570 : pyorista(paalys_korkeus * 0.7 / n * m) + n * 35;
        y -= korkeus / 2;
        const int x = keskita ? paalys_leveys / 2 - leveys(teksti, korkeus, true) / 2 : 67;
        t.push_back({teksti, x, static_cast<int>(y), korkeus, true});
    }
    return t;
}

namespace {
int skaalaa(long long v, int dpi) { return static_cast<int>(v * dpi / suunnittelu_dpi); }
}  // namespace

Paikka sivutarran_paikka(int p, int dpi_x, int dpi_y) {
    return {0, skaalaa(static_cast<long long>(p - 1) * sivu_korkeus, dpi_y), skaalaa(sivu_leveys, dpi_x),
            skaalaa(static_cast<long long>(p) * sivu_korkeus, dpi_y)};
}

Paikka paalystarran_paikka(int sarake, int rivi, int dpi_x, int dpi_y) {
    return {skaalaa(static_cast<long long>(paalys_leveys) * sarake, dpi_x),
            skaalaa(static_cast<long long>(paalys_korkeus) * rivi, dpi_y),
            skaalaa(static_cast<long long>(paalys_leveys) * (sarake + 1), dpi_x),
            skaalaa(static_cast<long long>(paalys_korkeus) * (rivi + 1), dpi_y)};
}

}  // namespace tarrat
