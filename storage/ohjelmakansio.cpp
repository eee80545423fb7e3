#include "storage/ohjelmakansio.h"

#include <cstdlib>
#include <vector>

#include "storage/merkisto.h"

namespace fs = std::filesystem;

Ohjelmakansio::Ohjelmakansio(fs::path juuri) : juuri_(std::move(juuri)) {}

fs::path Ohjelmakansio::etsi_juuri() {
    if (const char* koti = std::getenv("RULLAKKO_HOME"); koti && *koti) return fs::absolute(koti);
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
    return fs::current_path();
}

fs::path Ohjelmakansio::polku(std::string_view nimi) const { return tiedostopolku(nimi, juuri_); }

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

std::string polku_tekstiksi(const fs::path& p) { return merkisto::utf8_cp1252(p.string()); }

namespace {

std::vector<std::string> osat(std::string_view nimi) {
    std::vector<std::string> tulos;
    std::string osa;
    for (const char c : nimi) {
        if (c == '\\' || c == '/') {
            if (!osa.empty()) tulos.push_back(std::move(osa));
            osa.clear();
        } else {
            osa += c;
        }
    }
    if (!osa.empty()) tulos.push_back(std::move(osa));
    return tulos;
}

// The entry of `kansio` whose name equals `osa` without regard to case, or `osa` itself.
fs::path vastaava_nimi(const fs::path& kansio, const std::string& osa_utf8, const std::string& osa_cp) {
    std::error_code ec;
    if (fs::exists(kansio / osa_utf8, ec)) return osa_utf8;
    const std::string haettu = pienet_cp1252(osa_cp);
    for (fs::directory_iterator it(kansio, ec), loppu; !ec && it != loppu; it.increment(ec)) {
        const std::string nimi = it->path().filename().string();
        if (pienet_cp1252(merkisto::utf8_cp1252(nimi)) == haettu) return nimi;
    }
    return osa_utf8;
}

}  // namespace

fs::path tiedostopolku(std::string_view nimi, const fs::path& juuri) {
    const bool absoluuttinen = !nimi.empty() && nimi.front() == '/';
    fs::path p = absoluuttinen ? fs::path("/") : juuri;
    for (const std::string& osa : osat(nimi)) {
        if (osa == "." || osa == "..") {
            p /= osa;
            continue;
        }
        p /= vastaava_nimi(p, merkisto::cp1252_utf8(osa), osa);
    }
    return p;
}
