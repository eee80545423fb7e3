#pragma once
// The cover pictures: unpacked working copies under gfx\kannet\ of the program folder.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tulos.h"
#include "storage/varasto.h"

class Kansiolistaus;
class TZLBArchive;
namespace diag { class Kiire; }

inline constexpr const char* kansikuvakansio = "gfx\\kannet\\";
inline constexpr const char* ei_kuvaa_nimi = "ei_kuvaa.gif";

// The file of a card's cover, but only when the name stays inside gfx\kannet\ (names come from files).
std::optional<std::filesystem::path> kansikuvan_polku(const Ohjelmakansio& kansio, std::string_view cover_fn);
bool kansikuva_olemassa(const Ohjelmakansio& kansio, std::string_view cover_fn);
// The file part of a cover name that stays inside gfx\kannet\, as a file-system name (UTF-8).
std::optional<std::string> kansikuvan_tiedosto(std::string_view cover_fn);

// One reading of gfx\kannet\ (made when missing) for an operation over many covers.
Kansiolistaus listaa_kannet(const Ohjelmakansio& kansio, Tiedostojarjestelma& t);
bool kansikuva_olemassa(const Kansiolistaus& kannet, std::string_view cover_fn);

// A new eight-character stem of digits 1 to 8 that no card's cover name contains.
std::string uusi_kansikuvan_nimi(const TOmaList& lista);

// Deletes every file in gfx\kannet\ but the no-cover picture, and the files an open left to take over.
void poista_kannet(const Ohjelmakansio& kansio);
// Deletes a card's cover file, if it has one.
void poista_kortin_kansi(const Ohjelmakansio& kansio, const TKortti& kortti);
// Whether a card other than i names the same cover file.
bool kansi_jaettu(const TOmaList& lista, int i);
// Deletes card i and its cover file; a cover that another card also names stays on disk for that card.
void poista_kortti(TOmaList& lista, int i, const Ohjelmakansio& kansio);

// An archive set up as the program uses it for extraction: an existing file is never replaced.
void aseta_purku(TZLBArchive& zip);

// The open catalogue file as an archive in `zip`: the one the catalogue keeps while the file on disk is
// unchanged, otherwise opened (and checked) again. The archive's failure when it cannot be opened.
Tulos avoin_arkisto(Varasto& v, std::shared_ptr<TZLBArchive>& zip);
// Whether an archive opened through `v`'s file system may be kept by the catalogue: only the real one lives
// as long as the catalogue does.
bool arkiston_voi_pitaa(const Varasto& v);

// At an open, the covers of the catalogue open before are moved aside instead of deleted, and the covers
// unpacked next take over their files: a file system without a journal does not reuse an inode freed in the
// last minutes, so each new file after thousands of deletions costs a scan past all of them. Whatever is
// not taken over is deleted when this ends (or by the next poista_kannet, after a crash).
class Kansikierratys {
public:
    // Moves every file poista_kannet would delete; one that cannot be moved is deleted.
    Kansikierratys(const Ohjelmakansio& kansio, Tiedostojarjestelma& t);
    ~Kansikierratys();
    Kansikierratys(const Kansikierratys&) = delete;
    Kansikierratys& operator=(const Kansikierratys&) = delete;

    // The longest file left of at most `enintaan` bytes, or an empty path when there is none.
    std::filesystem::path ota(std::uint64_t enintaan);

private:
    Tiedostojarjestelma& t_;
    std::filesystem::path kansio_;
    std::multimap<std::uint64_t, std::string> tiedostot_;  // size -> name
};

struct Purkamattomat {
    std::vector<std::string> jasenet;  // the members that could not be unpacked
    Tulos ensimmainen;                 // the failure of the first of them
};

// Member `jasen` of the archive, when it is a cover that the folder does not hold yet, the listing learning
// the file made; a file of `kierratys` is taken over before a new one is made. A failure is recorded.
void pura_arkiston_kansi(TZLBArchive& zip, std::size_t jasen, Kansiolistaus& kannet, Kansikierratys* kierratys,
                         Purkamattomat& purkamatta);
// Every cover member of the archive so, with progress in the busy window.
Purkamattomat pura_arkiston_kannet(TZLBArchive& zip, Kansiolistaus& kannet, diag::Kiire& kiire,
                                   Kansikierratys* kierratys = nullptr);
// The message of covers that could not be unpacked at an open (each name counted once).
std::string purkamattomien_viesti(const Purkamattomat& p);

