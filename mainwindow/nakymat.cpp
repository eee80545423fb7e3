#include "mainwindow/nakymat.h"

#include <algorithm>
#include <array>

Nakyma automaattinen_nakyma(int muiden_elokuvien_rivit, bool kansi) {
    return muiden_elokuvien_rivit == 2 && kansi ? Nakyma::Kansi : Nakyma::ListaJaInfo;
}

int arvosana_luku(const std::string& arvosana) {
    if (arvosana.empty() || arvosana.size() > 3 ||
        !std::all_of(arvosana.begin(), arvosana.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::clamp(std::stoi(arvosana), 0, 10);
}

int tahtien_leikkaus(int arvosana) {
    static constexpr std::array<int, 11> leikkaus = {0, 12, 25, 34, 47, 57, 69, 78, 91, 101, 113};
    return leikkaus[static_cast<std::size_t>(std::clamp(arvosana, 0, 10))];
}

int arvosana_kohdasta(int x) {
    static constexpr std::array<int, 10> rajat = {5, 12, 25, 34, 47, 57, 69, 78, 91, 102};
    int arvo = 0;
    for (const int raja : rajat)
        if (x > raja) ++arvo;
    return arvo;
}

int muiden_elokuvien_korkeus(int rivit, int k) { return std::max(35, std::min(rivit * 16 + 3, 149 - (k * 16 + 3))); }

void pehmenna(unsigned char* kuva, int leveys, int korkeus, int rivin_pituus) {
    for (int y = 2; y <= korkeus - 3; ++y) {
        unsigned char* rivi = kuva + static_cast<std::ptrdiff_t>(y) * rivin_pituus;
        for (int i = 3; i < (leveys - 1) * 3; ++i) {
            const int summa = rivi[i] + rivi[i - 3] + rivi[i + 3] + rivi[i - rivin_pituus] + rivi[i + rivin_pituus];
            rivi[i] = static_cast<unsigned char>(summa / 5);
        }
    }
}

void himmenna(unsigned char* tavut, std::size_t maara) {
    for (std::size_t i = 0; i < maara; ++i)
        if (tavut[i] > 40) tavut[i] = static_cast<unsigned char>(tavut[i] - 40);
}

