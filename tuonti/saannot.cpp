#include "tuonti/saannot.h"

#include <cstdlib>
#include <regex>

#include "perus/teksti.h"
#include "storage/kenttasaannot.h"
#include "storage/kesto.h"

namespace {

constexpr int kasetin_pituus = 10;    // the card view's cassette field holds this many characters
constexpr int sijainnin_pituus = 2;   // and its position field this many

std::string_view ilman_tyhjia(std::string_view s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool on_sarake(const Sarake& s, const char* nimi) { return s.nimi == nimi; }

// A number written with either '.' or ',' as its decimal point; false for anything else.
bool desimaaliluku(std::string_view s, double& arvo) {
    std::string t(ilman_tyhjia(s));
    for (char& c : t)
        if (c == ',') c = '.';
    if (t.empty()) return false;
    char* loppu = nullptr;
    arvo = std::strtod(t.c_str(), &loppu);
    return loppu == t.c_str() + t.size();
}

// "1:30" as hours and minutes; empty when it is not that.
std::string kellonaika_kestoksi(std::string_view s) {
    static const std::regex aika(R"(^(\d{1,2}):([0-5]\d)(:[0-5]\d)?$)");
    std::cmatch m;
    if (!std::regex_match(s.data(), s.data() + s.size(), m, aika)) return {};
    const std::string tunnit = m[1].str();
    const int minuutit = std::atoi(m[2].str().c_str());
    if (std::atoi(tunnit.c_str()) == 0) return std::to_string(minuutit) + " min";
    return minuutit == 0 ? tunnit + "h" : tunnit + "h " + std::to_string(minuutit) + "min";
}

bool kelpaa_kestoksi(std::string_view s) {
    static const std::regex muoto(R"(^(\d+ ?min|\d+ ?h( ?\d+ ?min)?)$)", std::regex::icase);
    return std::regex_match(s.begin(), s.end(), muoto);
}

// Yes and no as the extras and the cover switch read them; -1 for anything else.
int totuusarvo(std::string_view s) {
    const std::string t = pienet_kirjaimet(ilman_tyhjia(s));
    if (t.empty() || t == "false" || t == "ei" || t == "no" || t == "0") return 0;
    if (t == "true" || t == "kyllä" || t == "yes" || t == "x" || t == "1") return 1;
    return -1;
}

std::string siisti_arvo(const Sarake& s, std::string_view arvo) {
    const std::string_view t = ilman_tyhjia(arvo);
    if (on_sarake(s, "kesto")) {
        if (const std::string aika = kellonaika_kestoksi(t); !aika.empty()) return aika;
        if (lue_alkuluku(t).puhdas) return kesto_yksikolla(t);
        if (sisaltaa("min", t) || sisaltaa("h", t)) {
            const std::string m = muotoile_kesto(t);
            if (kelpaa_kestoksi(m)) return m;
        }
        return std::string(t);
    }
    if (on_sarake(s, "paanayttelijat")) return nayttelijoiden_pilkut(t);
    return std::string(t);
}

}  // namespace

std::string yhdelle_riville(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

std::string sopimattomuus(const Sarake& s, std::string_view arvo) {
    if (arvo.empty()) return {};
    const std::string a(arvo);
    if (on_sarake(s, "kesto") && !kelpaa_kestoksi(arvo))
        return "kesto \"" + a + "\" ei ole minuutteina eikä tunteina ja minuutteina";
    if (on_sarake(s, "vuosi")) {
        const Alkuluku v = lue_alkuluku(arvo);
        if (!v.puhdas || arvo.size() != 4 || v.arvo < 1870 || v.arvo > 2100)
            return "vuosi \"" + a + "\" ei ole vuosiluku";
    }
    if (on_sarake(s, "kasetilla") && arvo.size() > kasetin_pituus)
        return "kasetin numero \"" + a + "\" on pidempi kuin " + std::to_string(kasetin_pituus) + " merkkiä";
    if (on_sarake(s, "sijainti") && (arvo.size() > sijainnin_pituus || arvo.find('#') != std::string_view::npos))
        return "sijainti \"" + a + "\" ei ole kasetin paikka (enintään " + std::to_string(sijainnin_pituus) +
               " merkkiä, ei #-merkkiä)";
    double luku = 0;
    if (on_sarake(s, "arvosana") && (!desimaaliluku(arvo, luku) || luku < 0 || luku > 10))
        return "arvosana \"" + a + "\" ei ole luku 0-10";
    return {};
}

Sijoitus aseta_tuotu_arvo(TKortti& k, const Sarake& s, std::string_view arvo, bool muunna) {
    const Runkorivi& r = *s.rivi;
    const std::string yksi = yhdelle_riville(arvo);
    if (!muunna) {
        aseta_sarakkeen_arvo(k, s, yksi);
        return {true, sopimattomuus(s, yksi)};
    }
    arvo = yksi;
    switch (r.laji) {
        case Rivilaji::Extra:
        case Rivilaji::HaeKansi: {
            const int t = totuusarvo(arvo);
            if (t < 0) return {false, s.nimi + " \"" + std::string(arvo) + "\" ei ole kyllä eikä ei"};
            aseta_sarakkeen_arvo(k, s, t ? "TRUE" : "FALSE");
            return {};
        }
        case Rivilaji::Nakyma: {
            const Alkuluku n = lue_alkuluku(ilman_tyhjia(arvo));
            if (!n.puhdas || n.arvo > 2) return {false, "näkymä \"" + std::string(arvo) + "\" ei ole 0, 1 tai 2"};
            aseta_sarakkeen_arvo(k, s, ilman_tyhjia(arvo));
            return {};
        }
        default: {
            const std::string t = siisti_arvo(s, arvo);
            aseta_sarakkeen_arvo(k, s, t);
            return {true, sopimattomuus(s, t)};
        }
    }
}

std::string tahdet_arvosanaksi(std::string_view tahdet) {
    double luku = 0;
    if (!desimaaliluku(tahdet, luku) || luku < 0 || luku > 5) return {};
    const int puolikkaat = static_cast<int>(luku * 2 + 0.5);
    return std::to_string(puolikkaat);
}
