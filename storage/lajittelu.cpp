#include "storage/lajittelu.h"

#include <algorithm>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/teksti.h"

namespace {

template <typename T>
int merkki(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool numero(char c) { return c >= '0' && c <= '9'; }

// A cassette number split at its first digit: 'AP12' is "AP" and 12; a number without digits is all prefix.
struct Osat {
    std::string_view etuliite;
    long long numero;
};

Osat jaa(std::string_view s) {
    const auto eka = std::find_if(s.begin(), s.end(), numero);
    const auto kohta = static_cast<std::size_t>(eka - s.begin());
    return {s.substr(0, kohta), lue_alkuluku(s.substr(kohta)).arvo};
}

}  // namespace

int vertaa_teksti(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, which is the cp1252 code order.
    const int t = a.compare(b);
    return t < 0 ? -1 : (t > 0 ? 1 : 0);
}

int vertaa_luku(std::string_view a, std::string_view b) {
    return merkki(lue_alkuluku(a, true).arvo, lue_alkuluku(b, true).arvo);
}

int vertaa_nimi(const TKortti& a, const TKortti& b) { return vertaa_teksti(a.nimi, b.nimi); }

int vertaa_kasetti(const TKortti& a, const TKortti& b) {
    const std::string_view A = a.kasetilla;
    const std::string_view B = b.kasetilla;
    if (A.empty() != B.empty()) return A.empty() ? -1 : 1;
    const Alkuluku na = lue_alkuluku(A, true);
    const Alkuluku nb = lue_alkuluku(B, true);
    if (na.puhdas || nb.puhdas) {
        if (na.arvo != nb.arvo) return merkki(na.arvo, nb.arvo);
        return vertaa_luku(a.sijainti, b.sijainti);
    }
    const Osat oa = jaa(A);
    const Osat ob = jaa(B);
    if (debug_paalla())
        kirjoita_debug("[sort] etuliite1 = \"" + std::string(oa.etuliite) + "\", etuliite2 = \"" +
                       std::string(ob.etuliite) + "\"");
    if (oa.etuliite == ob.etuliite && (oa.numero != 0 || ob.numero != 0)) return merkki(oa.numero, ob.numero);
    if (const int t = vertaa_teksti(A, B)) return t;
    return vertaa_teksti(a.nimi, b.nimi);
}

void pikalajittele(std::vector<std::unique_ptr<TKortti>>& kortit, int l, int r, Vertailu vertaa) {
    // The pivot is a card, not a place: it stays the same card while the scans swap it around. The scans
    // need no bounds because every comparison answers 0 for a card against itself.
    while (l < r) {
        int i = l, j = r;
        const TKortti& jakaja = *kortit[static_cast<std::size_t>((l + r) / 2)];
        do {
            while (vertaa(*kortit[static_cast<std::size_t>(i)], jakaja) < 0) ++i;
            while (vertaa(*kortit[static_cast<std::size_t>(j)], jakaja) > 0) --j;
            if (i <= j) {
                std::swap(kortit[static_cast<std::size_t>(i)], kortit[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        // The two halves are sorted independently, so taking the smaller one first by recursion gives the
        // same order with a shallow stack.
        if (j - l < r - i) {
            pikalajittele(kortit, l, j, vertaa);
            l = i;
        } else {
            pikalajittele(kortit, i, r, vertaa);
            r = j;
        }
    }
}

bool tarkista_nollakortti(TOmaList& lista, diag::Viestit& viestit) {
    auto& kortit = lista.sisus();
    const auto nolla = std::find_if(kortit.begin(), kortit.end(),
                                    [&](const std::unique_ptr<TKortti>& k) { return lista.on_nollakortti(k.get()); });
    if (nolla == kortit.end()) {
        viestit.virhe("VIRHE: Tietokannan Index-tiedot ovat sekaisin...");
        return false;
    }
    std::rotate(kortit.begin(), nolla, nolla + 1);
    return true;
}

namespace {

// A missing card would crash the comparisons; every such slot is reported and nothing is sorted.
bool kortit_ehjat(TOmaList& lista, diag::Viestit& viestit) {
    bool ehja = true;
    for (int i = 0; i < lista.Count(); ++i) {
        if (lista.kortti(i) != nullptr) continue;
        viestit.virhe("Kortti " + std::to_string(i) + " ei ole linkitetty oikein!");
        ehja = false;
    }
    return ehja;
}

}  // namespace

void jarjesta_kortit(TOmaList& lista, Vertailu vertaa, Suunta suunta, diag::Viestit& viestit) {
    auto& kortit = lista.sisus();
    pikalajittele(kortit, 0, lista.Count() - 1, vertaa);
    if (suunta == Suunta::Laskeva) std::reverse(kortit.begin(), kortit.end());
    tarkista_nollakortti(lista, viestit);
}

bool jarjesta_tietokanta(Tietokanta& tk, Vertailu vertaa, Suunta suunta, diag::Viestit& viestit) {
    TOmaList& lista = tk.kortit;
    lista.merkitse_muutetuksi();
    if (!kortit_ehjat(lista, viestit)) return false;
    const bool oli_kortti = tk.nykyinen >= 1 && tk.nykyinen < lista.Count();
    std::string nimi, paanayttelijat, kasetilla;
    if (oli_kortti) {
        const TKortti& k = lista[tk.nykyinen];
        nimi = k.nimi;
        paanayttelijat = k.paanayttelijat;
        kasetilla = k.kasetilla;
    }
    jarjesta_kortit(lista, vertaa, suunta, viestit);
    tk.nykyinen = 1;
    if (!oli_kortti) return true;
    for (int i = lista.Count() - 1; i >= 1; --i) {
        const TKortti& k = lista[i];
        if (k.nimi == nimi && k.paanayttelijat == paanayttelijat && k.kasetilla == kasetilla) {
            tk.nykyinen = i;
            break;
        }
    }
    return true;
}

Vertailu tallennuksen_vertailu(const TOmaList& lista) { return lista.korttien_maara() > 1000 ? vertaa_nimi : vertaa_kasetti; }
