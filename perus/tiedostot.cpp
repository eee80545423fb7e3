#include "perus/tiedostot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
        default: return "järjestelmän virhe " + std::to_string(virhekoodi);
    }
}

namespace {

bool kirjoita_kaikki(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

Tulos kirjoitusvirhe(const fs::path& polku, int koodi) {
    return Tulos::virhe(koodi, "Tiedoston " + polku.string() + " kirjoittaminen epäonnistui: " + jarjestelman_syy(koodi));
}

}  // namespace

Tulos lue_koko_tiedosto(const fs::path& polku, std::string& sisalto) {
    const int fd = ::open(polku.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        return Tulos::virhe(e, "Tiedoston " + polku.string() + " lukeminen epäonnistui: " + jarjestelman_syy(e));
    }
    sisalto.clear();
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) sisalto.reserve(static_cast<std::size_t>(st.st_size));
    char pala[65536];
    for (;;) {
        const ssize_t n = ::read(fd, pala, sizeof pala);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            return Tulos::virhe(e, "Tiedoston " + polku.string() + " lukeminen epäonnistui: " + jarjestelman_syy(e));
        }
        if (n == 0) break;
        sisalto.append(pala, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return Tulos::ok();
}

Tulos korvaa_tiedosto(const fs::path& polku, std::string_view data) {
    const fs::path kansio = polku.has_parent_path() ? polku.parent_path() : fs::path(".");
    std::string malli = (kansio / ("." + polku.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(malli.data(), O_CLOEXEC);
    if (fd < 0) return kirjoitusvirhe(polku, errno);
    struct stat vanha {};
    const mode_t tila = ::stat(polku.c_str(), &vanha) == 0 ? (vanha.st_mode & 07777) : 0644;
    int virhe = 0;
    if (::fchmod(fd, tila) != 0 || !kirjoita_kaikki(fd, data) || ::fsync(fd) != 0) virhe = errno;
    if (::close(fd) != 0 && virhe == 0) virhe = errno;
    if (virhe == 0 && ::rename(malli.c_str(), polku.c_str()) != 0) virhe = errno;
    if (virhe != 0) {
        ::unlink(malli.c_str());
        return kirjoitusvirhe(polku, virhe);
    }
    return Tulos::ok();
}
