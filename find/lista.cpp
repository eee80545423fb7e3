#include "find/lista.h"

#include <algorithm>
#include <unordered_map>

#include "find/haku.h"
#include "find/sorttaus.h"
#include "perus/teksti.h"

const char* const listan_otsikot[listan_sarakkeita] = {"Nro:", "S", "Elokuvan Nimi", "Luokitus"};

void Elokuvalista::tee_lista() {
    hakutulos_ = false;
    indeksit_.clear();
    kortit_.clear();
    rivit_ = lista_.Count() - 1;
}

void Elokuvalista::aseta_hakutulos(std::vector<int> indeksit) {
    hakutulos_ = true;
    indeksit_ = std::move(indeksit);
    kortit_.clear();
    kortit_.reserve(indeksit_.size());
    for (int i : indeksit_) kortit_.push_back(i > 0 && i < lista_.Count() ? &lista_[i] : nullptr);
    rivit_ = static_cast<int>(indeksit_.size());
}

int Elokuvalista::kortti(int rivi) const {
    if (rivi < 1 || rivi > rivit_) return 0;
    const int i = hakutulos_ ? indeksit_[static_cast<std::size_t>(rivi - 1)] : rivi;
    return i > 0 && i < lista_.Count() ? i : 0;
}

int Elokuvalista::rivi(int kortti) const {
    if (!hakutulos_) return kortti >= 1 && kortti <= rivit_ ? kortti : 0;
    const auto p = std::find(indeksit_.begin(), indeksit_.end(), kortti);
    return p == indeksit_.end() ? 0 : static_cast<int>(p - indeksit_.begin()) + 1;
}

std::string Elokuvalista::solu(int rivi, int sarake) const {
    const int i = kortti(rivi);
    if (i == 0) return {};
    const TKortti& k = lista_[i];
    switch (sarake) {
        case 0: return k.kasetilla;
        case 1: return k.sijainti;
        case 2: return listan_nimi(k);
        case 3: return k.luokitus;
        default: return {};
    }
}

void Elokuvalista::kortit_muuttuivat() {
    if (!hakutulos_) return tee_lista();
    std::unordered_map<const TKortti*, int> paikat;
    paikat.reserve(static_cast<std::size_t>(lista_.Count()));
    for (int i = 1; i < lista_.Count(); ++i) paikat.emplace(&lista_[i], i);
    std::vector<int> uudet;
    for (const TKortti* k : kortit_) {
        const auto p = paikat.find(k);
        if (p != paikat.end()) uudet.push_back(p->second);
    }
    aseta_hakutulos(std::move(uudet));
}

int Elokuvalista::pikahaku(std::string_view pienet) const {
    if (pienet.empty()) return 0;
    for (int r = 1; r <= rivit_; ++r) {
        const int i = kortti(r);
        if (i == 0) continue;
        // The title is compared before " (Lainassa)" only when it is shorter than the text.
        const std::string_view nimi = lista_[i].nimi;
        if (nimi.size() >= pienet.size()) {
            if (pienet_kirjaimet(nimi.substr(0, pienet.size())) == pienet) return r;
        } else if (pienet_kirjaimet(listan_nimi(lista_[i])).starts_with(pienet)) {
            return r;
        }
    }
    return 0;
}

int Elokuvalista::etsi_listasta(int valittu, std::string_view teksti) const {
    if (teksti.empty()) return 0;
    for (int r = std::max(valittu + 1, 1); r <= rivit_; ++r) {
        const int i = kortti(r);
        if (i == 0) continue;
        const TKortti& k = lista_[i];
        if (sisaltaa(teksti, k.kasetilla) || sisaltaa(teksti, k.sijainti) || sisaltaa(teksti, listan_nimi(k)) ||
            sisaltaa(teksti, k.luokitus))
            return r;
    }
    return 0;
}

std::string Elokuvalista::otsikko(std::string_view pikahaku) const {
    std::string t = "Lista [" + std::to_string(rivit_) + " korttia listassa]";
    if (!pikahaku.empty()) t += " Pikaetsi: " + std::string(pikahaku);
    return t;
}

int listan_ylarivi(int r, int rivit, bool mini) {
    const int alareuna = mini ? 14 : 12;
    const int vali = mini ? 28 : 26;
    int ylin = 1;
    if (r - 14 >= 1 && r + alareuna <= rivit) ylin = r - 14;
    if (rivit < r + alareuna) ylin = std::max(1, rivit - vali);
    return ylin;
}

int sarakkeen_avain(int sarake) {
    switch (sarake) {
        case 0: return avain_kasetti;
        case 1: return 7;
        case 2: return avain_nimi;
        case 3: return 2;
        default: return -1;
    }
}

bool Pikahaku::nappain(char c) {
    tikit_ = 0;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool enter = c == '\r' || c == '\n';
    if ((c >= 'A' && c <= 'Z') || c == ' ' || (c >= '0' && c <= '9')) {
        teksti_ += c;
    } else if (c == '\xE4' || c == '\xC4') {  // ä, Ä
        teksti_ += '\xE4';
    } else if (c == '\xF6' || c == '\xD6') {  // ö, Ö
        teksti_ += '\xF6';
    } else if (!enter) {
        teksti_.clear();
    }
    teksti_ = pienet_kirjaimet(teksti_);
    return enter;
}

bool Pikahaku::tikki() {
    if (++tikit_ < 5) return false;
    tyhjenna();
    return true;
}
