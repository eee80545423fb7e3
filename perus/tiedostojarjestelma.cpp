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

class Jarjestelma final : public Tiedostojarjestelma {
public:
    int avaa(const fs::path& p, int liput, mode_t oikeudet) override {
        int fd;
        do fd = ::open(p.c_str(), liput | O_CLOEXEC, oikeudet);
        while (fd < 0 && errno == EINTR);
        return fd < 0 ? -virhe() : fd;
    }
    long lue(int fd, void* puskuri, std::size_t n, std::uint64_t kohta) override {
        ssize_t r;
        do r = ::pread(fd, puskuri, n, static_cast<off_t>(kohta));
        while (r < 0 && errno == EINTR);
        return r < 0 ? -virhe() : static_cast<long>(r);
    }
    long kirjoita(int fd, const void* puskuri, std::size_t n) override {
        ssize_t r;
        do r = ::write(fd, puskuri, n);
        while (r < 0 && errno == EINTR);
        return r < 0 ? -virhe() : static_cast<long>(r);
    }
    int synkronoi(int fd) override { return ::fsync(fd) == 0 ? 0 : virhe(); }
    int sulje(int fd) override { return ::close(fd) == 0 || errno == EINTR ? 0 : virhe(); }
    int tiedot(int fd, Tiedostotiedot& t) override {
        struct stat st {};
        if (::fstat(fd, &st) != 0) return virhe();
        tayta(st, t);
        return 0;
    }
    int aseta_oikeudet(int fd, mode_t oikeudet) override { return ::fchmod(fd, oikeudet) == 0 ? 0 : virhe(); }
    int aseta_omistaja(int fd, uid_t omistaja, gid_t ryhma) override {
        return ::fchown(fd, omistaja, ryhma) == 0 ? 0 : virhe();
    }
    int tiedot(const fs::path& p, Tiedostotiedot& t, bool seuraa_linkkia) override {
        struct stat st {};
        if ((seuraa_linkkia ? ::stat(p.c_str(), &st) : ::lstat(p.c_str(), &st)) != 0) return virhe();
        tayta(st, t);
        return 0;
    }
    int lue_linkki(const fs::path& p, fs::path& kohde) override {
        char puskuri[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), puskuri, sizeof puskuri);
        if (n < 0) return virhe();
        if (static_cast<std::size_t>(n) == sizeof puskuri) return ENAMETOOLONG;
        kohde = std::string(puskuri, static_cast<std::size_t>(n));
        return 0;
    }
    int nimea(const fs::path& vanha, const fs::path& uusi) override {
        return ::rename(vanha.c_str(), uusi.c_str()) == 0 ? 0 : virhe();
    }
    int poista(const fs::path& p) override { return ::unlink(p.c_str()) == 0 ? 0 : virhe(); }
    int poista_kaikki(const fs::path& p) override {
        std::error_code ec;
        fs::remove_all(p, ec);
        return ec.value();
    }
    int luo_kansiot(const fs::path& p) override {
        std::error_code ec;
        fs::create_directories(p, ec);
        if (ec) return ec.value();
        return fs::is_directory(p, ec) ? 0 : ENOTDIR;
    }
    int listaa(const fs::path& kansio, std::vector<Kansiorivi>& rivit) override {
        rivit.clear();
        DIR* d = ::opendir(kansio.c_str());
        if (!d) return virhe();
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
                if (e->d_type == DT_UNKNOWN) on_kansio = ok && S_ISDIR(st.st_mode);
            }
            rivit.push_back({nimi, on_kansio, tavallinen});
            errno = 0;  // a failed look at one entry is not a failure to read the folder
        }
        const int e = errno;
        ::closedir(d);
        return e;
    }
    int vapaa_tila(const fs::path& p, std::uint64_t& tavuja) override {
        struct statvfs s {};
        if (::statvfs(p.c_str(), &s) != 0) return virhe();
        tavuja = static_cast<std::uint64_t>(s.f_bavail) * s.f_frsize;
        return 0;
    }
};

}  // namespace

Tiedostojarjestelma& jarjestelman_tiedostot() {
    static Jarjestelma j;
    return j;
}

bool on_olemassa(Tiedostojarjestelma& t, const fs::path& p) {
    Tiedostotiedot tt;
    return t.tiedot(p, tt, false) == 0;
}

bool on_tavallinen(Tiedostojarjestelma& t, const fs::path& p) {
    Tiedostotiedot tt;
    return t.tiedot(p, tt) == 0 && tt.tavallinen;
}

int kirjoita_kaikki(Tiedostojarjestelma& t, int fd, const void* puskuri, std::size_t n) {
    const auto* p = static_cast<const char*>(puskuri);
    while (n > 0) {
        const long r = t.kirjoita(fd, p, n);
        if (r < 0) return static_cast<int>(-r);
        if (r == 0) return EIO;
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return 0;
}

int lue_kaikki(Tiedostojarjestelma& t, int fd, void* puskuri, std::size_t n, std::uint64_t kohta) {
    auto* p = static_cast<char*>(puskuri);
    while (n > 0) {
        const long r = t.lue(fd, p, n, kohta);
        if (r < 0) return static_cast<int>(-r);
        if (r == 0) return EIO;
        p += r;
        n -= static_cast<std::size_t>(r);
        kohta += static_cast<std::uint64_t>(r);
    }
    return 0;
}

int synkronoi_kansio(Tiedostojarjestelma& t, const fs::path& kansio) {
    const int fd = t.avaa(kansio.empty() ? fs::path(".") : kansio, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return -fd;
    const int e = t.synkronoi(fd);
    t.sulje(fd);
    return e;
}
