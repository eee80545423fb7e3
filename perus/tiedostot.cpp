#include "perus/tiedostot.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>

namespace fs = std::filesystem;

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
    const Kuvaaja a = t.avaa(polku, O_RDONLY);
    if (!a.tulos) return lukuvirhe(polku, a.tulos.syy);
    sisalto.clear();
    Tiedostotiedot tt;
    if (t.tiedot(a.fd, tt) && tt.tavallinen) sisalto.reserve(static_cast<std::size_t>(tt.koko));
    char pala[65536];
    for (std::uint64_t kohta = 0;;) {
        const Siirretty n = t.lue(a.fd, pala, sizeof pala, kohta);
        if (!n.tulos) {
            t.sulje(a.fd);
            return lukuvirhe(polku, n.tulos.syy);
        }
        if (n.tavuja == 0) break;
        sisalto.append(pala, n.tavuja);
        kohta += n.tavuja;
    }
    t.sulje(a.fd);
    return Tulos::ok();
}

Tulos kopioi_tiedosto(Tiedostojarjestelma& t, const fs::path& lahde, const fs::path& kohde) {
    std::string sisalto;
    if (Tulos luku = lue_koko_tiedosto(t, lahde, sisalto); !luku) return luku;
    const Kuvaaja a = t.avaa(kohde, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (!a.tulos) return kirjoitusvirhe(kohde, a.tulos.syy);
    Tulos kirjoitus = kirjoita_kaikki(t, a.fd, sisalto.data(), sisalto.size());
    if (Tulos s = t.sulje(a.fd); kirjoitus) kirjoitus = std::move(s);
    if (kirjoitus) return Tulos::ok();
    t.poista(kohde);
    return kirjoitusvirhe(kohde, kirjoitus.syy);
}

fs::path linkin_kohde(Tiedostojarjestelma& t, const fs::path& polku) {
    fs::path p = polku;
    for (int kierros = 0; kierros < 40; ++kierros) {
        Tiedostotiedot tt;
        fs::path kohde;
        if (!t.tiedot(p, tt, false) || !tt.linkki || !t.lue_linkki(p, kohde)) return p;
        p = kohde.is_absolute() ? kohde : p.parent_path() / kohde;
    }
    return p;
}

Kuvaaja luo_valiaikainen(Tiedostojarjestelma& t, const fs::path& kohde, fs::path& nimi, mode_t oikeudet) {
    static std::atomic<unsigned> laskuri{0};
    const fs::path kansio = kohde.has_parent_path() ? kohde.parent_path() : fs::path(".");
    Kuvaaja a{-1, jarjestelmalta(EEXIST)};
    for (int yritys = 0; yritys < 100 && a.tulos.syy == EEXIST; ++yritys) {
        nimi = kansio / ("." + kohde.filename().string() + "~" + std::to_string(::getpid()) + "-" +
                         std::to_string(laskuri++) + std::string(keskenerainen_paate));
        a = t.avaa(nimi, O_WRONLY | O_CREAT | O_EXCL, oikeudet);
    }
    return a;
}

void kopioi_oikeudet(Tiedostojarjestelma& t, int fd, const fs::path& vanha, mode_t sallitut) {
    Tiedostotiedot tt;
    if (!t.tiedot(vanha, tt) || !tt.tavallinen) return;
    // Only root may give a file away; anyone may keep the group they belong to.
    if (!t.aseta_omistaja(fd, tt.omistaja, tt.ryhma)) t.aseta_omistaja(fd, static_cast<uid_t>(-1), tt.ryhma);
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
    if (!t.listaa(kansio.empty() ? fs::path(".") : kansio, rivit)) return;
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
    const Kuvaaja a = luo_valiaikainen(t_, polku_, valiaikainen_, 0666 & ohje.sallitut);
    fd_ = a.fd;
    if (!a.tulos) {
        virhe_ = a.tulos.syy;
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
    if (virhe_ == 0) virhe_ = kirjoita_kaikki(t_, fd_, pala.data(), pala.size()).syy;
}

Tulos Korvaus::valmis() {
    // fsync of any descriptor of the file flushes what a writer working by name has written and closed.
    if (virhe_ == 0) virhe_ = t_.synkronoi(fd_).syy;
    if (fd_ >= 0) {
        if (const int s = t_.sulje(fd_).syy; virhe_ == 0) virhe_ = s;
        fd_ = -1;
    }
    if (virhe_ == 0) virhe_ = t_.nimea(valiaikainen_, polku_).syy;
    if (virhe_ != 0) {
        if (!valiaikainen_.empty()) t_.poista(valiaikainen_);
        valiaikainen_.clear();
        return kirjoitusvirhe(annettu_, virhe_);
    }
    valmis_ = true;
    synkronoi_kansio(t_, polku_.parent_path());
    return Tulos::ok();
}
