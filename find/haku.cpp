#include "find/haku.h"

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/teksti.h"
#include "storage/kentat.h"

namespace {

constexpr int edistymisen_vali = 1024;

// The field of each entry of the search window's list.
const std::array<const Kenttatieto*, hakukenttia>& entryjen_kentat() {
    static const auto t = kentat_paikoittain<hakukenttia>(&Kenttatieto::hakuentry);
    return t;
}

}  // namespace

const std::array<const char*, hakukenttia> hakukenttien_nimet = [] {
    std::array<const char*, hakukenttia> t{};
    for (std::size_t e = 0; e < t.size(); ++e) t[e] = entryjen_kentat()[e]->hakuotsikko;
    return t;
}();

const Teksti& hakukentta(const TKortti& k, int entry) {
    return entryjen_kentat()[static_cast<std::size_t>(entry)]->teksti(k);
}

std::vector<std::string> eroittele_hakusanat(std::string_view teksti, diag::Viestit& viestit) {
    std::vector<std::string> sanat;
    if (teksti.size() < 5) {
        sanat.emplace_back(teksti);
    } else {
        std::string t(teksti);
        if (t.back() != ',') t += ',';
        std::size_t alku = 0;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] != ',' || i - alku < 2) continue;
            if (sanat.size() == hakusanoja_enintaan) {
                viestit.virhe(liian_monta_hakusanaa);
                break;
            }
            sanat.push_back(t.substr(alku, i - alku));
            alku = i + 1;
        }
    }
    for (const std::string& s : sanat) kirjoita_debug("eroittele_hakusanat: str2(#2)=" + s);
    kirjoita_debug("hakusanoja yhteensä: " + std::to_string(sanat.size()));
    return sanat;
}

bool tayttaa_ehdot(const TKortti& k, const std::vector<std::string>& sanat, const Hakukentat& valitut) {
    for (int e = 0; e < hakukenttia; ++e) {
        if (!valitut[static_cast<std::size_t>(e)]) continue;
        const std::string_view kentta = hakukentta(k, e);
        if (kentta.empty()) continue;
        for (const std::string& sana : sanat)
            if (sisaltaa(sana, kentta)) return true;
    }
    return false;
}

std::vector<int> etsi_listaan(const TOmaList& lista, const std::vector<std::string>& sanat, const Hakukentat& valitut,
                              const std::function<void(int)>& edistyminen) {
    std::vector<int> osumat;
    const bool loki = debug_paalla();
    for (int i = 1; i < lista.Count(); ++i) {
        if (edistyminen && i % edistymisen_vali == 0) edistyminen(i);
        if (!tayttaa_ehdot(lista[i], sanat, valitut)) continue;
        osumat.push_back(i);
        if (loki) kirjoita_debug("lisätään löytyi listaan: " + lista[i].nimi);
    }
    if (edistyminen) edistyminen(lista.Count() - 1);
    kirjoita_debug("etsi_ja_tulos_listaan: var founded=" + std::to_string(osumat.size()));
    return osumat;
}

int etsi_seuraava(const TOmaList& lista, int alku, const std::vector<std::string>& sanat, const Hakukentat& valitut) {
    for (int i = std::max(alku + 1, 1); i < lista.Count(); ++i)
        if (tayttaa_ehdot(lista[i], sanat, valitut)) return i;
    return 0;
}

std::string listan_nimi(const TKortti& k) { return k.lainassa.empty() ? k.nimi : k.nimi + lainassa_jatke; }
