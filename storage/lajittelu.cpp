#include "storage/lajittelu.h"

#include <algorithm>
#include <limits>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "mainwindow/kesto.h"

const std::array<const char*, avainten_maara> jarjestysavaimet = {
    " Elokuvan nimi",
    " Kasetilla/levyllä nro",
    " Luokitus",
    " Kesto",
    " Pääosissa",
    " Ohjaaja",
    " Valimistusmaa",
    " Sijainti kasetilla",
    " Lainassa",
    " Formaatti",
    " Tuotantovuosi",
    " Värit",
    " Käsikirjoitus/custom",
    " Ääniraita",
    " Arvosana",
};

namespace {

template <typename T>
int merkki(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

template <std::string TKortti::*kentta>
int teksti(const TKortti& a, const TKortti& b) {
    return vertaa_teksti(a.*kentta, b.*kentta);
}

template <std::string TKortti::*kentta>
int luku(const TKortti& a, const TKortti& b) {
    return vertaa_luku(a.*kentta, b.*kentta);
}

int kasikirjoitus(const TKortti& a, const TKortti& b) { return vertaa_teksti(a.lisatieto[0], b.lisatieto[0]); }

int kesto(const TKortti& a, const TKortti& b) { return merkki(kesto2int(a.kesto), kesto2int(b.kesto)); }

constexpr std::array<Vertailu, avainten_maara> vertailut = {
    teksti<&TKortti::nimi>,
    vertaa_kasetti,
    teksti<&TKortti::luokitus>,
    kesto,
    teksti<&TKortti::paanayttelijat>,
    teksti<&TKortti::ohjaaja>,
    teksti<&TKortti::maa>,
    luku<&TKortti::sijainti>,
    teksti<&TKortti::lainassa>,
    teksti<&TKortti::formaatti>,
    luku<&TKortti::vuosi>,
    teksti<&TKortti::vari>,
    kasikirjoitus,
    teksti<&TKortti::aani>,
    luku<&TKortti::arvosana>,
};

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

Vertailu vertailu(int avain) {
    if (avain < 0 || avain >= avainten_maara) return nullptr;
    return vertailut[static_cast<std::size_t>(avain)];
}

int vertaa_teksti(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, which is the cp1252 code order.
    const int t = a.compare(b);
    return t < 0 ? -1 : (t > 0 ? 1 : 0);
}

int vertaa_luku(std::string_view a, std::string_view b) {
    return merkki(lue_alkuluku(a, true).arvo, lue_alkuluku(b, true).arvo);
}

int vertaa_kasetti(const TKortti& a, const TKortti& b) {
    const std::string& A = a.kasetilla;
    const std::string& B = b.kasetilla;
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

int kesto2int(std::string_view kesto) {
    const std::string minuutteina = tunnit2min(kesto);
    // The number is what stands before the unit; text without a blank after it is read whole.
    const std::size_t alku = std::min(minuutteina.find_first_not_of(' '), minuutteina.size());
    const std::size_t vali = minuutteina.find(' ', alku);
    if (vali == std::string::npos) kirjoita_debug("[sort] kesto2int FAILED #1");
    const std::string_view otettu = std::string_view(minuutteina).substr(0, vali);
    if (debug_paalla()) kirjoita_debug("[sort, kesto2int] str1 = \"" + std::string(otettu) + "\"");
    const Alkuluku luku = lue_alkuluku(otettu, true);
    if (!luku.puhdas) kirjoita_debug("[sort] kesto2int FAILED #2");
    return static_cast<int>(std::clamp<long long>(luku.arvo, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
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

void jarjesta_kortit(TOmaList& lista, int avain, Suunta suunta, diag::Viestit& viestit) {
    const Vertailu vertaa = vertailu(avain);
    if (vertaa == nullptr) return;
    auto& kortit = lista.sisus();
    pikalajittele(kortit, 0, lista.Count() - 1, vertaa);
    if (suunta == Suunta::Laskeva) std::reverse(kortit.begin(), kortit.end());
    tarkista_nollakortti(lista, viestit);
}

bool jarjesta_tietokanta(Tietokanta& tk, int avain, Suunta suunta, diag::Viestit& viestit) {
    if (vertailu(avain) == nullptr) return false;
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
    jarjesta_kortit(lista, avain, suunta, viestit);
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

int tallennuksen_avain(const TOmaList& lista) { return lista.korttien_maara() > 1000 ? avain_nimi : avain_kasetti; }

int kentan_avain(std::string_view kentan_nimi) {
    static constexpr std::array<std::string_view, avainten_maara> kentat = {
        "Nimi",    "Kasetilla", "Luokitus", "Kesto", "Paanayttelijat", "Ohjaaja",       "Maa",  "sijainti_kentta",
        "Lainassa", "Formaatti", "Vuosi",   "Varit", "Kasikirjoitus",  "Aani", "arvosana_kuva",
    };
    const auto osuma = std::find(kentat.begin(), kentat.end(), kentan_nimi);
    return osuma == kentat.end() ? -1 : static_cast<int>(osuma - kentat.begin());
}

std::string vaaran_avaimen_viesti(Suunta suunta) {
    return suunta == Suunta::Nouseva ? "Virhe #2432, väärä ItemIndex parametri (-1)"
                                     : "Virhe #2433, väärä ItemIndex parametri (-1)";
}
