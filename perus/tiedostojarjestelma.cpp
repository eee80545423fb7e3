#include "perus/tiedostojarjestelma.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace fs = std::filesystem;

namespace {

void tayta(const struct stat& st, Tiedostotiedot& t) {
    t.tavallinen = S_ISREG(st.st_mode);
    t.kansio = S_ISDIR(st.st_mode);
    t.linkki = S_ISLNK(st.st_mode);
    t.koko = static_cast<std::uint64_t>(st.st_size);
    t.oikeudet = st.st_mode & 07777;
    t.omistaja = st.st_uid;
    t.ryhma = st.st_gid;
    t.laite = static_cast<std::uint64_t>(st.st_dev);
    t.inode = static_cast<std::uint64_t>(st.st_ino);
    t.muutettu_s = st.st_mtim.tv_sec;
    t.muutettu_ns = st.st_mtim.tv_nsec;
}

int virhe() { return errno ? errno : EIO; }

// 0 when a call that returns 0 on success succeeded, else its errno.
int virhe_jos(int palautus) { return palautus == 0 ? 0 : virhe(); }

Siirretty siirretty(ssize_t r) {
    if (r < 0) return {0, jarjestelmalta(virhe())};
    return {static_cast<std::size_t>(r), Tulos::ok()};
}

class Jarjestelma final : public Tiedostojarjestelma {
public:
    Kuvaaja avaa(const fs::path& p, int liput, mode_t oikeudet) override {
        int fd;
        do fd = ::open(p.c_str(), liput | O_CLOEXEC, oikeudet);
        while (fd < 0 && errno == EINTR);
        if (fd < 0) return {-1, jarjestelmalta(virhe())};
        return {fd, Tulos::ok()};
    }
    Siirretty lue(int fd, void* puskuri, std::size_t n, std::uint64_t kohta) override {
        ssize_t r;
        do r = ::pread(fd, puskuri, n, static_cast<off_t>(kohta));
        while (r < 0 && errno == EINTR);
        return siirretty(r);
    }
    Siirretty kirjoita(int fd, const void* puskuri, std::size_t n) override {
        ssize_t r;
        do r = ::write(fd, puskuri, n);
        while (r < 0 && errno == EINTR);
        return siirretty(r);
    }
    Tulos synkronoi(int fd) override { return jarjestelmalta(virhe_jos(::fsync(fd))); }
    Tulos sulje(int fd) override { return jarjestelmalta(::close(fd) == 0 || errno == EINTR ? 0 : virhe()); }
    Tulos tiedot(int fd, Tiedostotiedot& t) override {
        struct stat st {};
        if (::fstat(fd, &st) != 0) return jarjestelmalta(virhe());
        tayta(st, t);
        return Tulos::ok();
    }
    Tulos aseta_oikeudet(int fd, mode_t oikeudet) override { return jarjestelmalta(virhe_jos(::fchmod(fd, oikeudet))); }
    Tulos aseta_omistaja(int fd, uid_t omistaja, gid_t ryhma) override {
        return jarjestelmalta(virhe_jos(::fchown(fd, omistaja, ryhma)));
    }
    Tulos tiedot(const fs::path& p, Tiedostotiedot& t, bool seuraa_linkkia) override {
        struct stat st {};
        if ((seuraa_linkkia ? ::stat(p.c_str(), &st) : ::lstat(p.c_str(), &st)) != 0) return jarjestelmalta(virhe());
        tayta(st, t);
        return Tulos::ok();
    }
    Tulos kirjoitusoikeus(const fs::path& p) override { return jarjestelmalta(virhe_jos(::access(p.c_str(), W_OK))); }
    Tulos lue_linkki(const fs::path& p, fs::path& kohde) override {
        char puskuri[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), puskuri, sizeof puskuri);
        if (n < 0) return jarjestelmalta(virhe());
        if (static_cast<std::size_t>(n) == sizeof puskuri) return jarjestelmalta(ENAMETOOLONG);
        kohde = std::string(puskuri, static_cast<std::size_t>(n));
        return Tulos::ok();
    }
    Tulos nimea(const fs::path& vanha, const fs::path& uusi) override {
        return jarjestelmalta(virhe_jos(::rename(vanha.c_str(), uusi.c_str())));
    }
    Tulos poista(const fs::path& p) override { return jarjestelmalta(virhe_jos(::unlink(p.c_str()))); }
    Tulos poista_kaikki(const fs::path& p) override {
        std::error_code ec;
        fs::remove_all(p, ec);
        return jarjestelmalta(ec.value());
    }
    Tulos luo_kansiot(const fs::path& p) override {
        std::error_code ec;
        fs::create_directories(p, ec);
        if (ec) return jarjestelmalta(ec.value());
        return jarjestelmalta(fs::is_directory(p, ec) ? 0 : ENOTDIR);
    }
    Tulos luo_kansio(const fs::path& p, mode_t oikeudet) override { return jarjestelmalta(virhe_jos(::mkdir(p.c_str(), oikeudet))); }
    Tulos listaa(const fs::path& kansio, std::vector<Kansiorivi>& rivit) override {
        rivit.clear();
        DIR* d = ::opendir(kansio.c_str());
        if (!d) return jarjestelmalta(virhe());
        errno = 0;
        while (const dirent* e = ::readdir(d)) {
            const std::string nimi = e->d_name;
            if (nimi == "." || nimi == "..") continue;
            bool on_kansio = e->d_type == DT_DIR;
            bool tavallinen = e->d_type == DT_REG;
            if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
                struct stat st {};
                const bool ok = ::fstatat(::dirfd(d), e->d_name, &st, 0) == 0;
                tavallinen = ok && S_ISREG(st.st_mode);
                on_kansio = ok && S_ISDIR(st.st_mode);
            }
            rivit.push_back({nimi, on_kansio, tavallinen});
            errno = 0;  // a failed look at one entry is not a failure to read the folder
        }
        const int e = errno;
        ::closedir(d);
        return jarjestelmalta(e);
    }
    Tulos vapaa_tila(const fs::path& p, std::uint64_t& tavuja) override {
        struct statvfs s {};
        if (::statvfs(p.c_str(), &s) != 0) return jarjestelmalta(virhe());
        tavuja = static_cast<std::uint64_t>(s.f_bavail) * s.f_frsize;
        return Tulos::ok();
    }
};

}  // namespace

Tiedostojarjestelma& jarjestelman_tiedostot() {
    static Jarjestelma j;
    return j;
}

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

Tulos jarjestelmalta(int virhekoodi) {
    if (virhekoodi == 0) return Tulos::ok();
    return Tulos::jarjestelma(virhekoodi, jarjestelman_syy(virhekoodi));
}

bool on_olemassa(Tiedostojarjestelma& t, const fs::path& p, bool seuraa_linkkia) {
    Tiedostotiedot tt;
    return t.tiedot(p, tt, seuraa_linkkia).onnistui();
}

bool on_tavallinen(Tiedostojarjestelma& t, const fs::path& p) {
    Tiedostotiedot tt;
    return t.tiedot(p, tt).onnistui() && tt.tavallinen;
}

bool on_kansio(Tiedostojarjestelma& t, const fs::path& p) {
    Tiedostotiedot tt;
    return t.tiedot(p, tt).onnistui() && tt.kansio;
}

bool kirjoitussuojattu(Tiedostojarjestelma& t, const fs::path& p, const Tiedostotiedot& tt) {
    return (tt.oikeudet & 0222) == 0 || !t.kirjoitusoikeus(p);
}

Tulos kirjoita_kaikki(Tiedostojarjestelma& t, int fd, const void* puskuri, std::size_t n) {
    const auto* p = static_cast<const char*>(puskuri);
    while (n > 0) {
        const Siirretty r = t.kirjoita(fd, p, n);
        if (!r.tulos) return r.tulos;
        if (r.tavuja == 0) return jarjestelmalta(EIO);
        p += r.tavuja;
        n -= r.tavuja;
    }
    return Tulos::ok();
}

Tulos lue_kaikki(Tiedostojarjestelma& t, int fd, void* puskuri, std::size_t n, std::uint64_t kohta) {
    auto* p = static_cast<char*>(puskuri);
    while (n > 0) {
        const Siirretty r = t.lue(fd, p, n, kohta);
        if (!r.tulos) return r.tulos;
        if (r.tavuja == 0) return jarjestelmalta(EIO);
        p += r.tavuja;
        n -= r.tavuja;
        kohta += r.tavuja;
    }
    return Tulos::ok();
}

Tulos synkronoi_kansio(Tiedostojarjestelma& t, const fs::path& kansio) {
    const Kuvaaja a = t.avaa(kansio.empty() ? fs::path(".") : kansio, O_RDONLY | O_DIRECTORY);
    if (!a.tulos) return a.tulos;
    Tulos s = t.synkronoi(a.fd);
    t.sulje(a.fd);
    return s;
}
