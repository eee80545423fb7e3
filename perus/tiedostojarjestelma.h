#pragma once
// The file system one step at a time, as the storage code uses it. Everything that reads or writes a
// catalogue, a work file or a cover goes through this interface, so a test can make any single step fail
// with any errno (a full disk, a missing permission, a read error) without mounting anything.
//
// Every call gives its outcome as a Tulos whose code and reason are the errno of a refused step and whose
// message is that reason in Finnish; an open gives its descriptor and a read or write its count beside it.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "perus/tulos.h"

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
    bool kansio = false;      // a folder, or a link to one
    bool tavallinen = false;  // a regular file, or a link to one
};

// The descriptor of an opened file; -1 when the open failed.
struct Kuvaaja {
    int fd = -1;
    Tulos tulos;
};

// How many bytes a read or write moved; 0 from a read is the end of the file.
struct Siirretty {
    std::size_t tavuja = 0;
    Tulos tulos;
};

class Tiedostojarjestelma {
public:
    virtual ~Tiedostojarjestelma() = default;

    virtual Kuvaaja avaa(const std::filesystem::path& p, int liput, mode_t oikeudet = 0666) = 0;
    virtual Siirretty lue(int fd, void* puskuri, std::size_t n, std::uint64_t kohta) = 0;
    virtual Siirretty kirjoita(int fd, const void* puskuri, std::size_t n) = 0;
    virtual Tulos synkronoi(int fd) = 0;
    virtual Tulos sulje(int fd) = 0;
    virtual Tulos tiedot(int fd, Tiedostotiedot& t) = 0;
    virtual Tulos aseta_oikeudet(int fd, mode_t oikeudet) = 0;
    virtual Tulos aseta_omistaja(int fd, uid_t omistaja, gid_t ryhma) = 0;

    // seuraa_linkkia false: a symbolic link is described itself, not its target.
    virtual Tulos tiedot(const std::filesystem::path& p, Tiedostotiedot& t, bool seuraa_linkkia = true) = 0;
    // Whether this user may write the file, as the system decides it (permission bits, ACLs, a read-only mount).
    virtual Tulos kirjoitusoikeus(const std::filesystem::path& p) = 0;
    virtual Tulos lue_linkki(const std::filesystem::path& p, std::filesystem::path& kohde) = 0;
    virtual Tulos nimea(const std::filesystem::path& vanha, const std::filesystem::path& uusi) = 0;
    virtual Tulos poista(const std::filesystem::path& p) = 0;
    // Removes a folder with everything in it.
    virtual Tulos poista_kaikki(const std::filesystem::path& p) = 0;
    // The folder and every missing folder above it.
    virtual Tulos luo_kansiot(const std::filesystem::path& p) = 0;
    // A new folder, made here and now: EEXIST when the name is taken.
    virtual Tulos luo_kansio(const std::filesystem::path& p, mode_t oikeudet = 0777) = 0;
    virtual Tulos listaa(const std::filesystem::path& kansio, std::vector<Kansiorivi>& rivit) = 0;
    virtual Tulos vapaa_tila(const std::filesystem::path& p, std::uint64_t& tavuja) = 0;
};

// The real file system.
Tiedostojarjestelma& jarjestelman_tiedostot();

// The system's reason for an errno in Finnish ("levy on täynnä", "ei käyttöoikeutta", …).
std::string jarjestelman_syy(int virhekoodi);
// The outcome of a step the system refused with this errno (0: the step succeeded).
Tulos jarjestelmalta(int virhekoodi);

// Small conveniences over the interface.
// Whether the name exists; with seuraa_linkkia a link counts only when what it points at exists.
bool on_olemassa(Tiedostojarjestelma& t, const std::filesystem::path& p, bool seuraa_linkkia = false);
bool on_tavallinen(Tiedostojarjestelma& t, const std::filesystem::path& p);
bool on_kansio(Tiedostojarjestelma& t, const std::filesystem::path& p);
// Read-only as file managers and editors see it: no write bit at all, or none for this user.
bool kirjoitussuojattu(Tiedostojarjestelma& t, const std::filesystem::path& p, const Tiedostotiedot& tt);
// Writes all of `n` bytes.
Tulos kirjoita_kaikki(Tiedostojarjestelma& t, int fd, const void* puskuri, std::size_t n);
// Reads exactly `n` bytes at an offset; a file that ends too soon is EIO.
Tulos lue_kaikki(Tiedostojarjestelma& t, int fd, void* puskuri, std::size_t n, std::uint64_t kohta);
// Makes a rename in the folder last through a power cut.
Tulos synkronoi_kansio(Tiedostojarjestelma& t, const std::filesystem::path& kansio);
