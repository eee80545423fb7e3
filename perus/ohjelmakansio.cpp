#include "perus/ohjelmakansio.h"

#include <dirent.h>
#include <pwd.h>
#include <unistd.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "perus/tiedostojarjestelma.h"
#include "perus/tiedostot.h"
#include "perus/merkisto.h"
#include "perus/teksti.h"

// Where `share` is seen from the installed `bin`; the build sets it from the install directories.
#ifndef RULLAKKO_JAETTU_BINISTA
#define RULLAKKO_JAETTU_BINISTA "../share"
#endif

namespace fs = std::filesystem;

namespace {

fs::path ohjelman_kansio() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

// The build folder and a copy unpacked in one folder have the skins beside the executable.
bool on_asennustiedostoja(const fs::path& kansio) {
    std::error_code ec;
    return fs::is_directory(kansio / "gfx", ec);
}

std::vector<std::string> osat(std::string_view nimi);

}  // namespace

Ohjelmakansio::Ohjelmakansio(fs::path juuri) : Ohjelmakansio(std::move(juuri), asennettu_data()) {}

Ohjelmakansio::Ohjelmakansio(fs::path juuri, fs::path asennus) : juuri_(std::move(juuri)), asennus_(std::move(asennus)) {}

fs::path Ohjelmakansio::etsi_juuri() { return etsi_juuri(ohjelman_kansio()); }

fs::path Ohjelmakansio::etsi_juuri(const fs::path& ohjelman_kansio) {
    if (const char* koti = std::getenv("RULLAKKO_HOME"); koti && *koti) return fs::absolute(koti);
    if (on_asennustiedostoja(ohjelman_kansio)) return ohjelman_kansio;
    return xdg_data_kansio() / "rullakko";
}

const fs::path& Ohjelmakansio::asennettu_data() {
    static const fs::path data = asennettu_data(ohjelman_kansio());
    return data;
}

fs::path Ohjelmakansio::asennettu_data(const fs::path& ohjelman_kansio) {
    if (ohjelman_kansio.empty() || on_asennustiedostoja(ohjelman_kansio)) return {};
    const fs::path data = asennuksen_jaettu_kansio(ohjelman_kansio) / "rullakko";
    std::error_code ec;
    return fs::is_directory(data, ec) ? data : fs::path();
}

fs::path Ohjelmakansio::polku(std::string_view nimi) const {
    fs::path p = tiedostopolku(nimi, juuri_);
    if (asennus_.empty() || !asennuksen_luettava(nimi)) return p;
    std::error_code ec;
    if (fs::exists(p, ec)) return p;
    fs::path asennettu = tiedostopolku(nimi, asennus_);
    return fs::exists(asennettu, ec) ? asennettu : p;
}

std::vector<fs::path> Ohjelmakansio::kansiot(std::string_view nimi) const {
    std::vector<fs::path> k;
    std::error_code ec;
    if (const fs::path p = tiedostopolku(nimi, juuri_); fs::is_directory(p, ec)) k.push_back(p);
    const bool suhteellinen = !nimi.empty() && nimi.front() != '/' && nimi.front() != '\\';
    if (!asennus_.empty() && suhteellinen) {
        for (const std::string& osa : osat(nimi))
            if (osa == "..") return k;
        if (const fs::path p = tiedostopolku(nimi, asennus_); fs::is_directory(p, ec) && (k.empty() || k[0] != p))
            k.push_back(p);
    }
    return k;
}

fs::path asennuksen_jaettu_kansio(const fs::path& ohjelman_kansio) {
    return (ohjelman_kansio / RULLAKKO_JAETTU_BINISTA).lexically_normal();
}

bool asennuksen_luettava(std::string_view nimi) {
    if (nimi.empty() || nimi.front() == '/' || nimi.front() == '\\') return false;
    std::vector<std::string> o = osat(nimi);
    for (std::string& osa : o) {
        if (osa == "..") return false;
        osa = pienet_cp1252(osa);
    }
    if (o.empty()) return false;
    if (o.size() == 1)
        return o[0].ends_with(".html") || o[0].ends_with(".htm") || o[0].ends_with(".ttf") ||
               o[0].ends_with("_lisenssi.txt") || o[0] == "dbase.rkb";
    if (o[0] == "tarrat") return true;
    if (o[0] != "gfx") return false;
    if (o[1] == "kannet") return o.size() == 3 && o[2] == "ei_kuvaa.gif";
    return !(o.size() == 2 && o[1].starts_with("kopio."));
}

Tulos valmistele_ohjelmakansio(const fs::path& juuri, const fs::path& asennus) {
    std::error_code ec;
    const auto virhe = [&](const std::string& mita, const fs::path& p) {
        return Tulos::virhe(ec.value(), mita + " " + polku_tekstiksi(p) + ": " + jarjestelman_syy(ec.value()));
    };
    if (fs::is_directory(juuri, ec)) return Tulos::ok();
    if (fs::exists(juuri, ec)) {
        ec = std::make_error_code(std::errc::not_a_directory);
        return virhe("Ohjelman kansio ei ole kansio:", juuri);
    }
    const fs::path ylempi = juuri.parent_path();
    if (!fs::create_directories(ylempi, ec) && ec) return virhe("Kansiota ei voi luoda:", ylempi);
    // Seeded in a folder of its own and renamed into place, so an interrupted first start is started over.
    const fs::path uusi = ylempi / ("." + juuri.filename().string() + ".uusi-" + std::to_string(::getpid()));
    fs::remove_all(uusi, ec);
    if (!fs::create_directory(uusi, ec)) return virhe("Kansiota ei voi luoda:", uusi);
    if (!asennus.empty()) {
        for (fs::directory_iterator it(asennus, ec), loppu; !ec && it != loppu; it.increment(ec)) {
            std::error_code ec2;
            if (!it->is_regular_file(ec2) || asennuksen_luettava(polku_tekstiksi(it->path().filename()))) continue;
            const fs::path kohde = uusi / it->path().filename();
            // The copy is the user's to change, whatever the installed file's mode.
            if (!fs::copy_file(it->path(), kohde, ec) ||
                (fs::permissions(kohde, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec), ec)) {
                const fs::path lahde = it->path();
                const Tulos t = virhe("Tiedostoa ei voi kopioida:", lahde);
                fs::remove_all(uusi, ec2);
                return t;
            }
        }
        if (ec) {
            const Tulos t = virhe("Asennettua kansiota ei voi lukea:", asennus);
            std::error_code ec2;
            fs::remove_all(uusi, ec2);
            return t;
        }
    }
    fs::rename(uusi, juuri, ec);
    if (ec) {
        std::error_code ec2;
        fs::remove_all(uusi, ec2);
        // Another start that made the folder first is as good.
        if (fs::is_directory(juuri, ec2)) return Tulos::ok();
        return virhe("Kansiota ei voi luoda:", juuri);
    }
    return Tulos::ok();
}

fs::path xdg_data_kansio() {
    if (const char* d = std::getenv("XDG_DATA_HOME"); d && *d == '/') return d;
    const char* koti = std::getenv("HOME");
    if (!koti || *koti != '/') {
        // Without HOME the account's own home folder, never a folder relative to the current one.
        const passwd* pw = ::getpwuid(::getuid());
        koti = pw && pw->pw_dir ? pw->pw_dir : "/";
    }
    return fs::path(koti) / ".local" / "share";
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

Kansiolistaus::Kansiolistaus(fs::path kansio, Tiedostojarjestelma& t) : kansio_(std::move(kansio)) {
    std::vector<Kansiorivi> rivit;
    if (t.listaa(kansio_, rivit) != 0) return;
    for (Kansiorivi& r : rivit) {
        const auto it = nimet_.emplace(std::move(r.nimi), r.tavallinen).first;
        std::string pieni = it->first;
        pienenna_utf8(pieni);
        pienet_.emplace(std::move(pieni), it->first);
    }
}

const std::string* Kansiolistaus::loyda(std::string_view nimi) const {
    const std::string haettu(nimi);
    if (const auto it = nimet_.find(haettu); it != nimet_.end()) return &it->first;
    std::string pieni = haettu;
    pienenna_utf8(pieni);
    if (const auto it = pienet_.find(pieni); it != pienet_.end()) return &it->second;
    return nullptr;
}

fs::path Kansiolistaus::polku(std::string_view nimi) const {
    const std::string* loydetty = loyda(nimi);
    return kansio_ / (loydetty ? *loydetty : std::string(nimi));
}

bool Kansiolistaus::tiedosto(std::string_view nimi) const {
    const std::string* loydetty = loyda(nimi);
    return loydetty && nimet_.at(*loydetty);
}

void Kansiolistaus::lisaa(std::string_view nimi) {
    const auto [it, uusi] = nimet_.insert_or_assign(std::string(nimi), true);
    if (!uusi) return;
    std::string pieni = it->first;
    pienenna_utf8(pieni);
    pienet_.emplace(std::move(pieni), it->first);
}

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
