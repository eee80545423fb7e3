#pragma once
// The file system one step at a time, as the storage code uses it. Everything that reads or writes a
// catalogue, a work file or a cover goes through this interface, so a test can make any single step fail
// with any errno (a full disk, a missing permission, a read error) without mounting anything.
//
// Calls that give a descriptor return it or -errno; calls that move bytes return the count or -errno;
// the others return 0 or the errno.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct Tiedostotiedot {
    bool tavallinen = false;
    bool kansio = false;
    bool linkki = false;  // only when the link itself was asked about
    std::uint64_t koko = 0;
    mode_t oikeudet = 0;  // the permission bits (07777)
    uid_t omistaja = 0;
    gid_t ryhma = 0;
    // Which file it is and when it last changed, so a caller can tell whether a file was replaced.
    std::uint64_t laite = 0, inode = 0;
    std::int64_t muutettu_s = 0, muutettu_ns = 0;
};

struct Kansiorivi {
    std::string nimi;  // in the file system's own bytes
    bool kansio = false;
    bool tavallinen = false;  // a regular file, or a link to one
};

class Tiedostojarjestelma {
public:
    virtual ~Tiedostojarjestelma() = default;

    virtual int avaa(const std::filesystem::path& p, int liput, mode_t oikeudet = 0666) = 0;
    virtual long lue(int fd, void* puskuri, std::size_t n, std::uint64_t kohta) = 0;
    virtual long kirjoita(int fd, const void* puskuri, std::size_t n) = 0;
    virtual int synkronoi(int fd) = 0;
    virtual int sulje(int fd) = 0;
    virtual int tiedot(int fd, Tiedostotiedot& t) = 0;
    virtual int aseta_oikeudet(int fd, mode_t oikeudet) = 0;
    virtual int aseta_omistaja(int fd, uid_t omistaja, gid_t ryhma) = 0;

    // seuraa_linkkia false: a symbolic link is described itself, not its target.
    virtual int tiedot(const std::filesystem::path& p, Tiedostotiedot& t, bool seuraa_linkkia = true) = 0;
    virtual int lue_linkki(const std::filesystem::path& p, std::filesystem::path& kohde) = 0;
    virtual int nimea(const std::filesystem::path& vanha, const std::filesystem::path& uusi) = 0;
    virtual int poista(const std::filesystem::path& p) = 0;
    // Removes a folder with everything in it.
    virtual int poista_kaikki(const std::filesystem::path& p) = 0;
    // The folder and every missing folder above it.
    virtual int luo_kansiot(const std::filesystem::path& p) = 0;
    virtual int listaa(const std::filesystem::path& kansio, std::vector<Kansiorivi>& rivit) = 0;
    virtual int vapaa_tila(const std::filesystem::path& p, std::uint64_t& tavuja) = 0;
};

// The real file system.
Tiedostojarjestelma& jarjestelman_tiedostot();

// Small conveniences over the interface.
bool on_olemassa(Tiedostojarjestelma& t, const std::filesystem::path& p);
bool on_tavallinen(Tiedostojarjestelma& t, const std::filesystem::path& p);
// Writes all of `n` bytes; 0 or the errno.
int kirjoita_kaikki(Tiedostojarjestelma& t, int fd, const void* puskuri, std::size_t n);
// Reads exactly `n` bytes at an offset; 0, the errno, or EIO for a file that ends too soon.
int lue_kaikki(Tiedostojarjestelma& t, int fd, void* puskuri, std::size_t n, std::uint64_t kohta);
// Makes a rename in the folder last through a power cut.
int synkronoi_kansio(Tiedostojarjestelma& t, const std::filesystem::path& kansio);
