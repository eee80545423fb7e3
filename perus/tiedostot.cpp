#include "perus/tiedostot.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>

namespace fs = std::filesystem;

std::string jarjestelman_syy(int virhekoodi) {
    switch (virhekoodi) {
        case ENOSPC: return "levy on täynnä";
        case EDQUOT: return "levykiintiö on täynnä";
        case EACCES:
        case EPERM: return "ei käyttöoikeutta";
        case EROFS: return "levy on kirjoitussuojattu";
        case ENOENT: return "tiedostoa tai kansiota ei ole";
        case ENOTDIR: return "polun osa ei ole kansio";
        case EISDIR: return "nimi on kansio";
        case EIO: return "laitteen luku- tai kirjoitusvirhe";
        case ENAMETOOLONG: return "nimi on liian pitkä";
        case EMFILE:
        case ENFILE: return "liian monta avointa tiedostoa";
        case ENOMEM: return "muisti ei riitä";
        case EFBIG: return "tiedosto on liian suuri";
        case ELOOP: return "liian monta symbolista linkkiä";
        default: return "järjestelmän virhe " + std::to_string(virhekoodi);
    }
}

std::string syyn_teksti(const Tulos& t) { return t.syy ? jarjestelman_syy(t.syy) : t.viesti; }

std::string viesti_ja_syy(const Tulos& t) {
    return t.syy ? t.viesti + " (" + jarjestelman_syy(t.syy) + ")" : t.viesti;
}

namespace {

Tulos kirjoitusvirhe(const fs::path& polku, int koodi) {
    return Tulos::jarjestelma(koodi, "Tiedoston " + polku.string() + " kirjoittaminen epäonnistui: " + jarjestelman_syy(koodi));
}

Tulos lukuvirhe(const fs::path& polku, int koodi) {
    return Tulos::jarjestelma(koodi, "Tiedoston " + polku.string() + " lukeminen epäonnistui: " + jarjestelman_syy(koodi));
}

constexpr std::string_view keskenerainen_paate = ".kesken";

}  // namespace

Tulos lue_koko_tiedosto(Tiedostojarjestelma& t, const fs::path& polku, std::string& sisalto) {
    const int fd = t.avaa(polku, O_RDONLY);
    if (fd < 0) return lukuvirhe(polku, -fd);
    sisalto.clear();
    Tiedostotiedot tt;
    if (t.tiedot(fd, tt) == 0 && tt.tavallinen) sisalto.reserve(static_cast<std::size_t>(tt.koko));
    char pala[65536];
    for (std::uint64_t kohta = 0;;) {
        const long n = t.lue(fd, pala, sizeof pala, kohta);
        if (n < 0) {
            t.sulje(fd);
            return lukuvirhe(polku, static_cast<int>(-n));
        }
        if (n == 0) break;
        sisalto.append(pala, static_cast<std::size_t>(n));
        kohta += static_cast<std::uint64_t>(n);
    }
    t.sulje(fd);
    return Tulos::ok();
}

fs::path linkin_kohde(Tiedostojarjestelma& t, const fs::path& polku) {
    fs::path p = polku;
    for (int kierros = 0; kierros < 40; ++kierros) {
        Tiedostotiedot tt;
        fs::path kohde;
        if (t.tiedot(p, tt, false) != 0 || !tt.linkki || t.lue_linkki(p, kohde) != 0) return p;
        p = kohde.is_absolute() ? kohde : p.parent_path() / kohde;
    }
    return p;
}

int luo_valiaikainen(Tiedostojarjestelma& t, const fs::path& kohde, fs::path& nimi, mode_t oikeudet) {
    static std::atomic<unsigned> laskuri{0};
    const fs::path kansio = kohde.has_parent_path() ? kohde.parent_path() : fs::path(".");
    int fd = -EEXIST;
    for (int yritys = 0; yritys < 100 && fd == -EEXIST; ++yritys) {
        nimi = kansio / ("." + kohde.filename().string() + "~" + std::to_string(::getpid()) + "-" +
                         std::to_string(laskuri++) + std::string(keskenerainen_paate));
        fd = t.avaa(nimi, O_WRONLY | O_CREAT | O_EXCL, oikeudet);
    }
    return fd;
}

void kopioi_oikeudet(Tiedostojarjestelma& t, int fd, const fs::path& vanha, mode_t sallitut) {
    Tiedostotiedot tt;
    if (t.tiedot(vanha, tt) != 0 || !tt.tavallinen) return;
    // Only root may give a file away; anyone may keep the group they belong to.
    if (t.aseta_omistaja(fd, tt.omistaja, tt.ryhma) != 0) t.aseta_omistaja(fd, static_cast<uid_t>(-1), tt.ryhma);
    t.aseta_oikeudet(fd, tt.oikeudet & sallitut);
}

pid_t keskeneraisen_tekija(std::string_view nimi) {
    if (nimi.size() <= keskenerainen_paate.size() || nimi.front() != '.' ||
        nimi.substr(nimi.size() - keskenerainen_paate.size()) != keskenerainen_paate)
        return 0;
    nimi.remove_suffix(keskenerainen_paate.size());
    const std::size_t tilde = nimi.rfind('~');
    const std::size_t viiva = nimi.rfind('-');
    if (tilde == std::string_view::npos || viiva == std::string_view::npos || viiva < tilde) return 0;
    int pid = 0;
    unsigned sarja = 0;
    const char* a = nimi.data() + tilde + 1;
    const char* b = nimi.data() + viiva;
    if (std::from_chars(a, b, pid).ptr != b || pid <= 0) return 0;
    if (std::from_chars(b + 1, nimi.data() + nimi.size(), sarja).ptr != nimi.data() + nimi.size()) return 0;
    return static_cast<pid_t>(pid);
}

void siivoa_keskeneraiset(Tiedostojarjestelma& t, const fs::path& kansio, std::string_view kohde) {
    std::vector<Kansiorivi> rivit;
    if (t.listaa(kansio.empty() ? fs::path(".") : kansio, rivit) != 0) return;
    const std::string alku = "." + std::string(kohde) + "~";
    for (const Kansiorivi& r : rivit) {
        if (!kohde.empty() && r.nimi.compare(0, alku.size(), alku) != 0) continue;
        const pid_t tekija = keskeneraisen_tekija(r.nimi);
        if (r.kansio || tekija <= 0 || tekija == ::getpid()) continue;
        if (::kill(tekija, 0) == 0 || errno != ESRCH) continue;
        t.poista(kansio / r.nimi);
    }
}

Tulos korvaa_tiedosto(Tiedostojarjestelma& t, const fs::path& annettu, std::string_view data, Korvausohje ohje) {
    Korvaus k(t, annettu, ohje);
    k.kirjoita(data);
    return k.valmis();
}

Korvaus::Korvaus(Tiedostojarjestelma& t, const fs::path& kohde, Korvausohje ohje)
    : t_(t), annettu_(kohde), polku_(linkin_kohde(t, kohde)) {
    // A writer killed halfway leaves its file; the next write of the same target takes it away.
    if (ohje.siivoa)
        siivoa_keskeneraiset(t_, polku_.has_parent_path() ? polku_.parent_path() : fs::path("."), polku_.filename().string());
    fd_ = luo_valiaikainen(t_, polku_, valiaikainen_, 0666 & ohje.sallitut);
    if (fd_ < 0) {
        virhe_ = -fd_;
        valiaikainen_.clear();
        return;
    }
    kopioi_oikeudet(t_, fd_, polku_, ohje.sallitut);
}

Korvaus::~Korvaus() {
    if (valmis_) return;
    if (fd_ >= 0) t_.sulje(fd_);
    if (!valiaikainen_.empty()) t_.poista(valiaikainen_);
}

void Korvaus::kirjoita(std::string_view pala) {
    if (virhe_ == 0) virhe_ = kirjoita_kaikki(t_, fd_, pala.data(), pala.size());
}

Tulos Korvaus::valmis() {
    // fsync of any descriptor of the file flushes what a writer working by name has written and closed.
    if (virhe_ == 0) virhe_ = t_.synkronoi(fd_);
    if (fd_ >= 0) {
        if (const int s = t_.sulje(fd_); virhe_ == 0) virhe_ = s;
        fd_ = -1;
    }
    if (virhe_ == 0) virhe_ = t_.nimea(valiaikainen_, polku_);
    if (virhe_ != 0) {
        if (!valiaikainen_.empty()) t_.poista(valiaikainen_);
        valiaikainen_.clear();
        return kirjoitusvirhe(annettu_, virhe_);
    }
    valmis_ = true;
    synkronoi_kansio(t_, polku_.parent_path());
    return Tulos::ok();
}
