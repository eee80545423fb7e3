#include "find/haku.h"

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/teksti.h"

const std::array<const char*, hakukenttia> hakukenttien_nimet = {
    "Elokuvan nimi", "Päänäyttelijä", "Luokitus", "Formaatti", "Kesto",   "Ääniraita",      "Kasetin/levyn nro",
    "Sijainti",      "Värit",         "Valmistusmaa", "Valmistusvuosi", "Ohjaaja", "Käsikirjoitus", "Kommentti"};

namespace {

using Kentta = Teksti TKortti::*;

// Entries 0..11 and 13 are plain members; 12 is the first additional field.
constexpr std::array<Kentta, hakukenttia> kentat = {
    &TKortti::nimi,  &TKortti::paanayttelijat, &TKortti::luokitus, &TKortti::formaatti, &TKortti::kesto,
    &TKortti::aani,  &TKortti::kasetilla,      &TKortti::sijainti, &TKortti::vari,      &TKortti::maa,
    &TKortti::vuosi, &TKortti::ohjaaja,        nullptr,            &TKortti::juoni};

constexpr int kasikirjoitus = 12;
constexpr int edistymisen_vali = 1024;

}  // namespace

const Teksti& hakukentta(const TKortti& k, int entry) {
    return entry == kasikirjoitus ? k.lisatieto[0] : k.*kentat[static_cast<std::size_t>(entry)];
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
