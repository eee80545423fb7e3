#include "tuonti/csv.h"

#include <algorithm>

#include "perus/merkisto.h"

namespace {

constexpr std::string_view bom = "\xEF\xBB\xBF";

bool on_utf8_jatko(unsigned char c) { return (c & 0xC0) == 0x80; }

// Whether every non-ASCII byte belongs to a well-formed UTF-8 sequence.
bool kelpaa_utf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if (!on_utf8_jatko(static_cast<unsigned char>(s[i + k]))) return false;
        i += n;
    }
    return true;
}

std::string_view ilman_bomia(std::string_view s) { return s.starts_with(bom) ? s.substr(bom.size()) : s; }

bool vain_tyhjia(const std::vector<std::string>& rivi) {
    for (const std::string& s : rivi)
        if (s.find_first_not_of(" \t") != std::string::npos) return false;
    return true;
}

}  // namespace

Csvmerkisto tunnista_merkisto(std::string_view data) {
    if (data.starts_with(bom)) return Csvmerkisto::Utf8;
    return kelpaa_utf8(data) ? Csvmerkisto::Utf8 : Csvmerkisto::Cp1252;
}

char tunnista_erotin(std::string_view data) {
    data = ilman_bomia(data);
    // The header is the first line with something on it.
    data.remove_prefix(std::min(data.size(), data.find_first_not_of("\r\n")));
    int pilkut = 0, puolipisteet = 0;
    bool lainattu = false;
    for (const char c : data) {
        if (c == '"') lainattu = !lainattu;
        else if (!lainattu && (c == '\n' || c == '\r')) break;
        else if (!lainattu && c == ',') ++pilkut;
        else if (!lainattu && c == ';') ++puolipisteet;
    }
    return puolipisteet > pilkut ? ';' : ',';
}

Tulos lue_csv(std::string_view data, Csvtaulu& ulos, std::optional<Csvmerkisto> merkisto, std::optional<char> erotin) {
    ulos = Csvtaulu{};
    if (data.find('\0') != std::string_view::npos)
        return Tulos::virhe(1, "Tiedosto ei ole CSV-taulukko: siinä on muuta kuin tekstiä.");
    ulos.merkisto = merkisto.value_or(tunnista_merkisto(data));
    ulos.erotin = erotin.value_or(tunnista_erotin(data));
    data = ilman_bomia(data);

    std::vector<std::string> rivi;
    std::string solu;
    int rivinumero = 1;
    bool korvattu = false;
    const auto paata_solu = [&] {
        if (ulos.merkisto == Csvmerkisto::Utf8) {
            std::string cp = merkisto::utf8_cp1252(solu);
            korvattu |= merkisto::cp1252_utf8(cp) != solu;
            solu = std::move(cp);
        }
        rivi.push_back(std::move(solu));
        solu.clear();
    };
    const auto paata_rivi = [&] {
        paata_solu();
        // Blank lines and rows of nothing but separators are not cards; a spreadsheet leaves them at the end.
        if (!vain_tyhjia(rivi)) {
            ulos.rivit.push_back(std::move(rivi));
            ulos.rivinumerot.push_back(rivinumero);
            if (korvattu) ulos.korvatut.push_back(rivinumero);
        }
        rivi.clear();
        korvattu = false;
        ++rivinumero;
    };

    const char e = ulos.erotin;
    bool lainattu = false;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (lainattu) {
            if (c != '"') solu += c;
            else if (i + 1 < data.size() && data[i + 1] == '"') solu += data[++i];
            else lainattu = false;
        } else if (c == '"' && solu.empty()) {
            lainattu = true;
        } else if (c == e) {
            paata_solu();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
            paata_rivi();
        } else {
            // A quote inside an unquoted value is taken as it is, as spreadsheets read it.
            solu += c;
        }
    }
    if (lainattu)
        return Tulos::virhe(2, "Tiedosto ei ole kelvollinen CSV-taulukko: rivillä " + std::to_string(rivinumero) +
                                   " alkava lainausmerkki jää auki.");
    if (!solu.empty() || !rivi.empty()) paata_rivi();
    if (ulos.rivit.empty()) return Tulos::virhe(3, "Tiedostossa ei ole otsikkoriviä eikä elokuvia.");
    return Tulos::ok();
}
