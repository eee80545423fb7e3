#include "find/sorttaus.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "diag/loki.h"
#include "perus/teksti.h"
#include "storage/kentat.h"
#include "storage/kesto.h"

namespace {

// The field of each key of the field table.
const std::array<const Kenttatieto*, avainten_maara>& avainten_kentat() {
    static const auto t = kentat_paikoittain<avainten_maara>(&Kenttatieto::lajitteluavain);
    return t;
}

template <std::size_t avain>
const Teksti& arvo(const TKortti& k) {
    return avainten_kentat()[avain]->teksti(k);
}

template <typename T>
int merkki(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

template <std::size_t avain>
int teksti(const TKortti& a, const TKortti& b) {
    return vertaa_teksti(arvo<avain>(a), arvo<avain>(b));
}

template <std::size_t avain>
int luku(const TKortti& a, const TKortti& b) {
    return vertaa_luku(arvo<avain>(a), arvo<avain>(b));
}

template <std::size_t avain>
int kesto(const TKortti& a, const TKortti& b) {
    return merkki(kesto2int(arvo<avain>(a)), kesto2int(arvo<avain>(b)));
}

using Vertailut = std::array<Vertailu, avainten_maara>;

template <std::size_t... avain>
Vertailut valitse(std::index_sequence<avain...>) {
    const Vertailut tekstina = {teksti<avain>...};
    const Vertailut lukuna = {luku<avain>...};
    const Vertailut kestona = {kesto<avain>...};
    Vertailut v{};
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Kenttatieto* k = avainten_kentat()[i];
        if (k == nullptr) continue;
        switch (k->lajittelu) {
            case Lajittelu::Teksti: v[i] = tekstina[i]; break;
            case Lajittelu::Luku: v[i] = lukuna[i]; break;
            case Lajittelu::Kesto: v[i] = kestona[i]; break;
            case Lajittelu::Kasetti: v[i] = vertaa_kasetti; break;
        }
    }
    return v;
}

}  // namespace

const std::array<const char*, avainten_maara> jarjestysavaimet = [] {
    std::array<const char*, avainten_maara> t{};
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = avainten_kentat()[i]->lajitteluotsikko;
    return t;
}();

Vertailu vertailu(int avain) {
    static const Vertailut vertailut = valitse(std::make_index_sequence<avainten_maara>{});
    if (avain < 0 || avain >= avainten_maara) return nullptr;
    return vertailut[static_cast<std::size_t>(avain)];
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

void jarjesta_kortit(TOmaList& lista, int avain, Suunta suunta, diag::Viestit& viestit) {
    if (const Vertailu vertaa = vertailu(avain)) jarjesta_kortit(lista, vertaa, suunta, viestit);
}

bool jarjesta_tietokanta(Tietokanta& tk, int avain, Suunta suunta, diag::Viestit& viestit) {
    const Vertailu vertaa = vertailu(avain);
    return vertaa != nullptr && jarjesta_tietokanta(tk, vertaa, suunta, viestit);
}

int tallennuksen_avain(const TOmaList& lista) {
    return tallennuksen_vertailu(lista) == vertaa_nimi ? avain_nimi : avain_kasetti;
}

int kentan_avain(std::string_view kentan_nimi) {
    const auto& kentat_avaimittain = avainten_kentat();
    for (const Kenttatieto* k : kentat_avaimittain) {
        if (k == nullptr) continue;
        // A label that names two sorted fields ("Kasetilla") belongs to the first; the other is known by its control.
        const bool jaettu = std::any_of(kentat_avaimittain.begin(), kentat_avaimittain.end(), [&](const Kenttatieto* m) {
            return m != nullptr && m < k && m->otsikko && k->otsikko && std::string_view(m->otsikko) == k->otsikko;
        });
        const char* nimi = jaettu ? k->ohjain : k->otsikko;
        if (nimi && kentan_nimi == nimi) return k->lajitteluavain;
    }
    return -1;
}

std::string vaaran_avaimen_viesti(Suunta suunta) {
    return suunta == Suunta::Nouseva ? "Virhe #2432, väärä ItemIndex parametri (-1)"
                                     : "Virhe #2433, väärä ItemIndex parametri (-1)";
}
