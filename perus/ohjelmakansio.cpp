#include "perus/ohjelmakansio.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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

fs::path ohjelman_kansio(Tiedostojarjestelma& t) {
    fs::path exe;
    if (t.lue_linkki("/proc/self/exe", exe)) return exe.parent_path();
    std::error_code ec;
    return fs::current_path(ec);
}

// The build folder and a copy unpacked in one folder have the skins beside the executable.
bool on_asennustiedostoja(Tiedostojarjestelma& t, const fs::path& kansio) { return on_kansio(t, kansio / "gfx"); }

std::vector<std::string> osat(std::string_view nimi);

}  // namespace

Ohjelmakansio::Ohjelmakansio(fs::path juuri, Tiedostojarjestelma& t) : Ohjelmakansio(std::move(juuri), asennettu_data(t), t) {}

Ohjelmakansio::Ohjelmakansio(fs::path juuri, fs::path asennus, Tiedostojarjestelma& t)
    : juuri_(std::move(juuri)), asennus_(std::move(asennus)), t_(&t) {}

fs::path Ohjelmakansio::etsi_juuri(Tiedostojarjestelma& t) { return etsi_juuri(ohjelman_kansio(t), t); }

fs::path Ohjelmakansio::etsi_juuri(const fs::path& ohjelman_kansio, Tiedostojarjestelma& t) {
    if (const char* koti = std::getenv("RULLAKKO_HOME"); koti && *koti) return fs::absolute(koti);
    if (on_asennustiedostoja(t, ohjelman_kansio)) return ohjelman_kansio;
    return xdg_data_kansio() / "rullakko";
}

fs::path Ohjelmakansio::asennettu_data(Tiedostojarjestelma& t) { return asennettu_data(ohjelman_kansio(t), t); }

fs::path Ohjelmakansio::asennettu_data(const fs::path& ohjelman_kansio, Tiedostojarjestelma& t) {
    if (ohjelman_kansio.empty() || on_asennustiedostoja(t, ohjelman_kansio)) return {};
    const fs::path data = asennuksen_jaettu_kansio(ohjelman_kansio) / "rullakko";
    return on_kansio(t, data) ? data : fs::path();
}

fs::path Ohjelmakansio::polku(std::string_view nimi) const {
    fs::path p = tiedostopolku(*t_, nimi, juuri_);
    if (asennus_.empty() || !asennuksen_luettava(nimi)) return p;
    if (on_olemassa(*t_, p, true)) return p;
    fs::path asennettu = tiedostopolku(*t_, nimi, asennus_);
    return on_olemassa(*t_, asennettu, true) ? asennettu : p;
}

std::vector<fs::path> Ohjelmakansio::kansiot(std::string_view nimi) const {
    std::vector<fs::path> k;
    if (const fs::path p = tiedostopolku(*t_, nimi, juuri_); on_kansio(*t_, p)) k.push_back(p);
    const bool suhteellinen = !nimi.empty() && nimi.front() != '/' && nimi.front() != '\\';
    if (!asennus_.empty() && suhteellinen) {
        for (const std::string& osa : osat(nimi))
            if (osa == "..") return k;
        if (const fs::path p = tiedostopolku(*t_, nimi, asennus_); on_kansio(*t_, p) && (k.empty() || k[0] != p))
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

Tulos valmistele_ohjelmakansio(Tiedostojarjestelma& t, const fs::path& juuri, const fs::path& asennus) {
    const auto virhe = [](const std::string& mita, const fs::path& p, int syy) {
        return Tulos::jarjestelma(syy, mita + " " + polku_tekstiksi(p) + ": " + jarjestelman_syy(syy));
    };
    if (on_kansio(t, juuri)) return Tulos::ok();
    if (on_olemassa(t, juuri, true)) return virhe("Ohjelman kansio ei ole kansio:", juuri, ENOTDIR);
    const fs::path ylempi = juuri.parent_path();
    if (const Tulos r = t.luo_kansiot(ylempi); !r) return virhe("Kansiota ei voi luoda:", ylempi, r.syy);
    // Seeded in a folder of its own and renamed into place, so an interrupted first start is started over.
    const fs::path uusi = ylempi / ("." + juuri.filename().string() + ".uusi-" + std::to_string(::getpid()));
    t.poista_kaikki(uusi);
    if (const Tulos r = t.luo_kansiot(uusi); !r) return virhe("Kansiota ei voi luoda:", uusi, r.syy);
    if (!asennus.empty()) {
        std::vector<Kansiorivi> rivit;
        if (const Tulos r = t.listaa(asennus, rivit); !r) {
            t.poista_kaikki(uusi);
            return virhe("Asennettua kansiota ei voi lukea:", asennus, r.syy);
        }
        for (const Kansiorivi& r : rivit) {
            if (!r.tavallinen || asennuksen_luettava(polku_tekstiksi(r.nimi))) continue;
            // The copy is the user's to change, whatever the installed file's mode.
            if (const Tulos k = kopioi_tiedosto(t, asennus / r.nimi, uusi / r.nimi); !k) {
                t.poista_kaikki(uusi);
                return virhe("Tiedostoa ei voi kopioida:", asennus / r.nimi, k.syy);
            }
        }
    }
    if (const Tulos r = t.nimea(uusi, juuri); !r) {
        t.poista_kaikki(uusi);
        // Another start that made the folder first is as good.
        if (on_kansio(t, juuri)) return Tulos::ok();
        return virhe("Kansiota ei voi luoda:", juuri, r.syy);
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

// The entry of `kansio` whose name equals `osa` without regard to case, or `osa` itself. The folder is read
// only when the exact name is missing, and lengths are compared before letters.
fs::path vastaava_nimi(Tiedostojarjestelma& t, const fs::path& kansio, const std::string& osa_utf8) {
    if (on_olemassa(t, kansio / osa_utf8, true)) return osa_utf8;
    std::vector<Kansiorivi> rivit;
    if (!t.listaa(kansio, rivit)) return osa_utf8;
    std::string haettu = osa_utf8;
    pienenna_utf8(haettu);
    std::string nimi;
    for (const Kansiorivi& r : rivit) {
        if (r.nimi.size() != haettu.size()) continue;
        nimi = r.nimi;
        pienenna_utf8(nimi);
        if (nimi == haettu) return r.nimi;
    }
    return osa_utf8;
}

}  // namespace

Kansiolistaus::Kansiolistaus(fs::path kansio, Tiedostojarjestelma& t) : kansio_(std::move(kansio)) {
    std::vector<Kansiorivi> rivit;
    if (!t.listaa(kansio_, rivit)) return;
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

fs::path tiedostopolku(Tiedostojarjestelma& t, std::string_view nimi, const fs::path& juuri) {
    const bool absoluuttinen = !nimi.empty() && nimi.front() == '/';
    fs::path p = absoluuttinen ? fs::path("/") : juuri;
    for (const std::string& osa : osat(nimi)) {
        if (osa == "." || osa == "..") {
            p /= osa;
            continue;
        }
        p /= vastaava_nimi(t, p, merkisto::cp1252_utf8(osa));
    }
    return p;
}

Tulos ohjelmakansion_kirjoituskoe(const fs::path& juuri, Tiedostojarjestelma& t) {
    fs::path koe;
    const Kuvaaja a = luo_valiaikainen(t, juuri / "kirjoituskoe", koe);
    if (a.tulos) {
        t.sulje(a.fd);
        t.poista(koe);
        return Tulos::ok();
    }
    return Tulos::jarjestelma(
        a.tulos.syy,
        "Ohjelman kansioon " + polku_tekstiksi(juuri) + " ei voi kirjoittaa (" + jarjestelman_syy(a.tulos.syy) +
            ").\nRullakko tallentaa kansioonsa asetukset, tietokannat ja kansikuvat, joten se ei voi toimia siellä.\n"
            "Anna kansioon kirjoitusoikeus tai asenna ohjelma kansioon, johon voit kirjoittaa.");
}
