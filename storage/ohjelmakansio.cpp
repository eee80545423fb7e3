#include "storage/ohjelmakansio.h"

#include <dirent.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "perus/tiedostot.h"
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

// Lower case of one UTF-8 name for comparisons: ASCII and the two-byte Latin-1 capitals, which keeps the
// byte length, so names of different length never match.
void pienenna_utf8(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 'A' && c <= 'Z') {
            s[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < s.size()) {
            const auto d = static_cast<unsigned char>(s[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) s[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
}

// The entry of `kansio` whose name equals `osa` without regard to case, or `osa` itself. Covers are looked
// up by the thousand in one folder, so the scan reads the folder directly and compares lengths first.
fs::path vastaava_nimi(const fs::path& kansio, const std::string& osa_utf8) {
    std::error_code ec;
    if (fs::exists(kansio / osa_utf8, ec)) return osa_utf8;
    DIR* d = ::opendir(kansio.c_str());
    if (!d) return osa_utf8;
    std::string haettu = osa_utf8;
    pienenna_utf8(haettu);
    std::string loydetty = osa_utf8, nimi;
    while (const dirent* e = ::readdir(d)) {
        const std::size_t pituus = std::strlen(e->d_name);
        if (pituus != haettu.size()) continue;
        nimi.assign(e->d_name, pituus);
        pienenna_utf8(nimi);
        if (nimi == haettu) {
            loydetty.assign(e->d_name, pituus);
            break;
        }
    }
    ::closedir(d);
    return loydetty;
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
        p /= vastaava_nimi(p, merkisto::cp1252_utf8(osa));
    }
    return p;
}

std::optional<std::string> ohjelmakansion_kirjoitusvirhe(const fs::path& juuri, Tiedostojarjestelma& t) {
    fs::path koe;
    const int fd = luo_valiaikainen(t, juuri / "kirjoituskoe", koe);
    if (fd >= 0) {
        t.sulje(fd);
        t.poista(koe);
        return std::nullopt;
    }
    return "Ohjelman kansioon " + polku_tekstiksi(juuri) + " ei voi kirjoittaa (" + jarjestelman_syy(-fd) +
           ").\nRullakko tallentaa kansioonsa asetukset, tietokannat ja kansikuvat, joten se ei voi toimia siellä.\n"
           "Anna kansioon kirjoitusoikeus tai asenna ohjelma kansioon, johon voit kirjoittaa.";
}
