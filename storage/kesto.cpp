#include "storage/kesto.h"

#include <algorithm>
#include <limits>

#include "diag/loki.h"
#include "perus/teksti.h"

namespace {

bool numero(char c) { return c >= '0' && c <= '9'; }

std::string ilman_valeja(std::string_view s) {
    std::string t;
    t.reserve(s.size());
    for (char c : s)
        if (c != ' ') t += c;
    return t;
}

}  // namespace

std::string muotoile_kesto(std::string_view kesto) {
    std::string t;
    t.reserve(kesto.size() + 2);
    for (std::size_t i = 0; i < kesto.size(); ++i) {
        const char c = kesto[i];
        // Positions 2 to 4 are where the unit of a one- to three-digit minute count stands.
        if (c == 'm' && i >= 1 && i <= 3 && kesto[i - 1] != ' ') {
            t += ' ';
            t += c;
        } else if (c == 'h' && i + 1 < kesto.size() && kesto[i + 1] != ' ') {
            t += c;
            t += ' ';
        } else {
            t += c;
        }
    }
    return t;
}

std::string tunnit2min(std::string_view kesto) {
    if (debug_paalla()) kirjoita_debug("tunnit2min in_str =" + std::string(kesto));
    const long long tunnit = lue_alkuluku(kesto).arvo;
    if (tunnit == 0) return muotoile_kesto(kesto);
    const std::string s = ilman_valeja(kesto);
    if (debug_paalla()) kirjoita_debug("str1 =" + s);
    if (s.empty()) return muotoile_kesto(kesto);
    // Only one digit of hours is read, so '12h' is left as the user wrote it.
    if (s.size() < 2 || (s[1] != 'h' && s[1] != 'H')) return muotoile_kesto(kesto);
    std::string numerot;
    for (std::size_t i = 2; i < s.size() && s[i] != ','; ++i)
        if (numero(s[i])) numerot += s[i];
    if (debug_paalla()) kirjoita_debug("tunnit2min str2 =" + numerot);
    const long long minuutit = lue_alkuluku(numerot).arvo;
    return muotoile_kesto(std::to_string(tunnit * 60 + minuutit) + " min");
}

std::string min2tunnit(std::string_view kesto) {
    const std::string s = ilman_valeja(kesto);
    if (s.empty()) return muotoile_kesto(kesto);
    std::string numerot;
    for (char c : s) {
        if (c == 'h' || c == 'H') return muotoile_kesto(kesto);
        if (c == ',') break;
        if (numero(c)) numerot += c;
    }
    if (debug_paalla()) kirjoita_debug("min2tunnit str2=" + numerot);
    const long long m = lue_alkuluku(numerot).arvo;
    if (m <= 59) return muotoile_kesto(kesto);
    const long long tunnit = m / 60, loput = m % 60;
    if (debug_paalla()) {
        kirjoita_debug("min2tunnit tunnit   =" + std::to_string(tunnit));
        kirjoita_debug("min2tunnit minuutit =" + std::to_string(loput));
    }
    std::string tulos = std::to_string(tunnit) + "h";
    if (loput != 0) tulos += " " + std::to_string(loput) + "min";
    return muotoile_kesto(tulos);
}

std::string kesto_nakyviin(std::string_view kesto, bool minuutteina) {
    return minuutteina ? tunnit2min(kesto) : min2tunnit(kesto);
}
