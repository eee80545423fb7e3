#include "storage/kasetti.h"

#include "diag/loki.h"
#include "diag/nayttoraja.h"
#include "diag/viestit.h"
#include "perus/teksti.h"
#include "storage/kesto.h"

namespace {

// Removes "min" in any letter case in one pass from left to right, and every blank.
std::string ilman_yksikkoa(std::string_view s) {
    std::string t;
    for (std::size_t i = 0; i < s.size();) {
        if (i + 3 <= s.size() && pienet_kirjaimet(s.substr(i, 3)) == "min") {
            i += 3;
            continue;
        }
        if (s[i] != ' ') t += s[i];
        ++i;
    }
    return t;
}

constexpr long long tuntematon = -99999;

}  // namespace

namespace {

std::vector<int> kasetin_kortit(const TOmaList& lista, std::string_view numero) {
    std::vector<int> kortit;
    for (int i = 1; i < lista.Count(); ++i)
        if (lista[i].kasetilla == numero) kortit.push_back(i);
    return kortit;
}

}  // namespace

std::unordered_map<std::string, std::vector<int>> kasettien_kortit(const TOmaList& lista) {
    std::unordered_map<std::string, std::vector<int>> kasetit;
    for (int i = 1; i < lista.Count(); ++i)
        if (!lista[i].kasetilla.empty()) kasetit[lista[i].kasetilla].push_back(i);
    return kasetit;
}

std::string get_kasetin_pituus(const TOmaList& lista, std::string_view numero, diag::Viestit& viestit) {
    return get_kasetin_pituus(lista, numero, kasetin_kortit(lista, numero), viestit);
}

std::string get_kasetin_pituus(const TOmaList& lista, std::string_view numero, const std::vector<int>& kortit,
                               diag::Viestit& viestit) {
    std::string viimeinen, tulos;
    // A card of another cassette compares the last length with itself, which after a conflict takes the
    // last length up again; cards in a row change nothing more.
    const auto valissa = [&] {
        if (tulos.empty()) tulos = viimeinen;
    };
    int edellinen = 0;
    for (int i : kortit) {
        if (i > edellinen + 1) valissa();
        edellinen = i;
        const TKortti& k = lista[i];
        viimeinen = k.nauha;
        if (!tulos.empty() && viimeinen != tulos) {
            viestit.pelkka("VIRHE: Kasetin " + lyhennetty(k.kasetilla) + " nauhan pituusmerkintä on väärin");
            kirjoita_debug_aina("get_kasetin_pituus, num=" + std::string(numero));
            kirjoita_debug_aina("get_kasetin_pituus, str1=" + viimeinen);
            kirjoita_debug_aina("get_kasetin_pituus, str2=" + tulos);
            tulos.clear();
        } else {
            tulos = viimeinen;
        }
    }
    if (edellinen + 1 < lista.Count()) valissa();
    kirjoita_debug("get_kasetin_pituus [" + std::string(numero) + "] palauttaa: " + tulos);
    return tulos;
}

bool tarkista_kasetin_mediat(const TOmaList& lista, std::string_view numero) {
    return tarkista_kasetin_mediat(lista, kasetin_kortit(lista, numero));
}

bool tarkista_kasetin_mediat(const TOmaList& lista, const std::vector<int>& kortit) {
    bool nauha = false, levy = false;
    for (const int i : kortit) {
        const TKortti& k = lista[i];
        const std::string f = pienet_kirjaimet(k.formaatti);
        if (sisaltaa("p", f)) nauha = true;
        if (sisaltaa("v", f)) levy = true;
        if (nauha && levy) return false;
    }
    return true;
}

std::string get_kasetin_kaytetty(const TOmaList& lista, std::string_view numero, diag::Viestit& viestit) {
    return get_kasetin_kaytetty(lista, kasetin_kortit(lista, numero), viestit);
}

std::string get_kasetin_kaytetty(const TOmaList& lista, const std::vector<int>& kortit, diag::Viestit& viestit) {
    long long yhteensa = 0;
    for (int i : kortit) {
        const TKortti& k = lista[i];
        const std::string d = ilman_yksikkoa(tunnit2min(k.kesto));
        const Alkuluku luku = lue_alkuluku(d);
        if (d.empty()) yhteensa = tuntematon;
        if (!d.empty() && !luku.puhdas) {
            viestit.pelkka("VIRHE: Kortin " + std::to_string(i) + " kesto on virheellinen!");
            continue;
        }
        // Long play fits twice and extended play three times the standard minutes on the same tape.
        const std::string f = pienet_kirjaimet(k.formaatti);
        if (f == "sp") yhteensa += luku.arvo;
        else if (f == "lp") yhteensa += luku.arvo / 2;
        else if (f == "ep") yhteensa += luku.arvo / 3;
        else yhteensa = tuntematon;
    }
    return std::to_string(yhteensa);
}

void aseta_kasetin_pituus(TOmaList& lista, std::string_view numero, const std::string& pituus) {
    lista.merkitse_muutetuksi();
    for (int i = 1; i < lista.Count(); ++i)
        if (lista[i].kasetilla == numero) lista[i].nauha = pituus;
}
