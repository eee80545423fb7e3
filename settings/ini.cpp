#include "settings/ini.h"


#include <climits>
#include <iterator>

#include "perus/ohjelmakansio.h"
#include "perus/teksti.h"

namespace fs = std::filesystem;

namespace {

bool tyhja_merkki(char c) { return c == ' ' || c == '\t'; }

std::string_view karsi(std::string_view s) {
    while (!s.empty() && tyhja_merkki(s.front())) s.remove_prefix(1);
    while (!s.empty() && tyhja_merkki(s.back())) s.remove_suffix(1);
    return s;
}

bool samat_nimet(std::string_view a, std::string_view b) {
    return a.size() == b.size() && pienet_cp1252(a) == pienet_cp1252(b);
}

// The section name of a "[name]" line.
std::optional<std::string_view> osion_nimi(std::string_view rivi) {
    rivi = karsi(rivi);
    if (rivi.empty() || rivi.front() != '[') return std::nullopt;
    const std::size_t loppu = rivi.find(']');
    if (loppu == std::string_view::npos) return std::nullopt;
    return karsi(rivi.substr(1, loppu - 1));
}

struct Avainrivi {
    std::string_view avain;
    std::string_view arvo;
};

std::optional<Avainrivi> avainrivi(std::string_view rivi) {
    const std::size_t yhtakuin = rivi.find('=');
    if (yhtakuin == std::string_view::npos || osion_nimi(rivi)) return std::nullopt;
    const std::string_view avain = karsi(rivi.substr(0, yhtakuin));
    if (avain.empty()) return std::nullopt;
    return Avainrivi{avain, karsi(rivi.substr(yhtakuin + 1))};
}

// A value cannot break its line apart.
std::string yhdelle_riville(std::string_view arvo) {
    std::string t(arvo);
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

}  // namespace

bool IniTiedosto::lataa(Tiedostojarjestelma& t, const fs::path& tiedosto) {
    rivit_.clear();
    Tiedostotiedot tt;
    if (!t.tiedot(tiedosto, tt)) return true;
    if (!tt.tavallinen) return false;
    std::string sisalto;
    if (!lue_koko_tiedosto(t, tiedosto, sisalto)) return false;
    jasenna(sisalto);
    return true;
}

void IniTiedosto::jasenna(std::string_view sisalto) {
    rivit_.clear();
    while (!sisalto.empty()) {
        const std::size_t lf = sisalto.find('\n');
        std::string_view rivi = sisalto.substr(0, lf);
        if (!rivi.empty() && rivi.back() == '\r') rivi.remove_suffix(1);
        rivit_.emplace_back(rivi);
        if (lf == std::string_view::npos) break;
        sisalto.remove_prefix(lf + 1);
    }
}

std::size_t IniTiedosto::osion_alku(std::string_view osio) const {
    for (std::size_t i = 0; i < rivit_.size(); ++i) {
        const auto nimi = osion_nimi(rivit_[i]);
        if (nimi && samat_nimet(*nimi, osio)) return i + 1;
    }
    return std::string::npos;
}

std::size_t IniTiedosto::osion_loppu(std::size_t alku) const {
    std::size_t i = alku;
    while (i < rivit_.size() && !osion_nimi(rivit_[i])) ++i;
    return i;
}

std::optional<std::string> IniTiedosto::lue(std::string_view osio, std::string_view avain) const {
    const std::size_t alku = osion_alku(osio);
    if (alku == std::string::npos) return std::nullopt;
    const std::size_t loppu = osion_loppu(alku);
    for (std::size_t i = alku; i < loppu; ++i) {
        const auto r = avainrivi(rivit_[i]);
        if (!r || !samat_nimet(r->avain, avain)) continue;
        std::string_view arvo = r->arvo;
        if (arvo.size() >= 2 && (arvo.front() == '"' || arvo.front() == '\'') && arvo.back() == arvo.front())
            arvo = arvo.substr(1, arvo.size() - 2);
        return std::string(arvo);
    }
    return std::nullopt;
}

void IniTiedosto::kirjoita(std::string_view osio, std::string_view avain, std::string_view arvo) {
    std::string rivi = std::string(avain) + "=" + yhdelle_riville(arvo);
    const std::size_t alku = osion_alku(osio);
    if (alku == std::string::npos) {
        rivit_.push_back("[" + std::string(osio) + "]");
        rivit_.push_back(std::move(rivi));
        return;
    }
    const std::size_t loppu = osion_loppu(alku);
    for (std::size_t i = alku; i < loppu; ++i) {
        const auto r = avainrivi(rivit_[i]);
        if (r && samat_nimet(r->avain, avain)) {
            rivit_[i] = std::move(rivi);
            return;
        }
    }
    // After the section's last line that is not blank, so blank separators stay between sections.
    std::size_t paikka = loppu;
    while (paikka > alku && karsi(rivit_[paikka - 1]).empty()) --paikka;
    rivit_.insert(rivit_.begin() + static_cast<std::ptrdiff_t>(paikka), std::move(rivi));
}

std::string IniTiedosto::sisalto() const {
    std::string t;
    for (const std::string& r : rivit_) {
        t += r;
        t += "\r\n";
    }
    return t;
}

Tulos IniTiedosto::tallenna(Tiedostojarjestelma& t, const fs::path& tiedosto, Korvausohje ohje) const {
    return korvaa_tiedosto(t, tiedosto, sisalto(), ohje);
}

std::optional<int> ini_kokonaisluku(std::string_view teksti) {
    std::string_view s = karsi(teksti);
    bool negatiivinen = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negatiivinen = s.front() == '-';
        s.remove_prefix(1);
    }
    int kanta = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        kanta = 16;
        s.remove_prefix(2);
    } else if (s.size() > 1 && s[0] == '$') {
        kanta = 16;
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long arvo = 0;
    for (const char c : s) {
        int numero;
        if (c >= '0' && c <= '9') numero = c - '0';
        else if (kanta == 16 && c >= 'a' && c <= 'f') numero = c - 'a' + 10;
        else if (kanta == 16 && c >= 'A' && c <= 'F') numero = c - 'A' + 10;
        else return std::nullopt;
        arvo = arvo * kanta + numero;
        if (arvo > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (negatiivinen) arvo = -arvo;
    if (arvo < INT_MIN || arvo > INT_MAX) return std::nullopt;
    return static_cast<int>(arvo);
}
