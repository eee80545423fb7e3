#include "perus/teksti.h"

#include <algorithm>
#include <limits>

namespace {

constexpr long long suurin = std::numeric_limits<int>::max();

bool on_numero(char c) { return c >= '0' && c <= '9'; }

bool sama_pienena(char a, char b) { return pieni_ascii(a) == pieni_ascii(b); }

}  // namespace

Alkuluku lue_alkuluku(std::string_view s, bool etumerkki) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool miinus = false;
    if (etumerkki && i < s.size() && (s[i] == '-' || s[i] == '+')) miinus = s[i++] == '-';
    const std::size_t alku = i;
    long long arvo = 0;
    for (; i < s.size() && on_numero(s[i]); ++i) arvo = std::min(arvo * 10 + (s[i] - '0'), suurin);
    return {miinus ? -arvo : arvo, i > alku && i == s.size()};
}

std::string pienet_ascii(std::string_view s) {
    std::string t(s);
    for (char& c : t) c = pieni_ascii(c);
    return t;
}

std::string pienet_kirjaimet(std::string_view teksti) {
    std::string t = pienet_ascii(teksti);
    for (char& c : t) {
        if (c == '\xC4') c = '\xE4';       // Ä
        else if (c == '\xD6') c = '\xF6';  // Ö
    }
    return t;
}

std::string pienet_cp1252(std::string_view s) {
    std::string t(s);
    for (char& c : t) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 0x20);
        else if (u == 0x8A || u == 0x8C || u == 0x8E) c = static_cast<char>(u + 0x10);
        else if (u == 0x9F) c = static_cast<char>(0xFF);
    }
    return t;
}

std::size_t etsi_pienella(std::string_view teksti, std::string_view haettava, std::size_t alku) {
    if (haettava.empty() || alku > teksti.size()) return std::string_view::npos;
    const auto osuma = std::search(teksti.begin() + static_cast<std::ptrdiff_t>(alku), teksti.end(), haettava.begin(),
                                   haettava.end(), sama_pienena);
    return osuma == teksti.end() ? std::string_view::npos : static_cast<std::size_t>(osuma - teksti.begin());
}

bool sisaltaa(std::string_view haettava, std::string_view teksti) {
    if (teksti.empty()) return false;
    return haettava.empty() || etsi_pienella(teksti, haettava) != std::string_view::npos;
}

bool alkaa_pienella(std::string_view teksti, std::string_view alku) {
    return alku.size() <= teksti.size() && std::equal(alku.begin(), alku.end(), teksti.begin(), sama_pienena);
}

std::string tiedoston_nimi(const std::string& polku) {
    const std::size_t i = polku.find_last_of("/\\");
    return i == std::string::npos ? polku : polku.substr(i + 1);
}
