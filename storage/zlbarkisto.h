#pragma once
// The catalogue archive: member data one after the other, the registry of 532-byte entries (normally one
// zlib stream) and a 36-byte trailer. Member names and folders are cp1252 with backslashes, exactly as
// stored; they become file-system paths only when a member is added or extracted.
//
// Archives come from anywhere, so every count, offset and size read from a file is checked against the
// file before it is used, and no member may land outside the destination folder.
#include <cstdint>
#include <filesystem>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "perus/tiedostojarjestelma.h"
#include "perus/tulos.h"

class Kansiolistaus;

// An archive operation's failure: one of the texts below, and the errno when a step of the file system
// failed.
inline Tulos zlb_tulos(std::string teksti, int syy = 0) { return Tulos::jarjestelma(syy, std::move(teksti)); }

// The component's failure texts, given with the name or the entry's index filled in.
namespace zlb_virhe {
inline constexpr const char* ei_loydy = "Archive file not found";
inline constexpr const char* ei_avaudu = "Unable to open file (%s)";
inline constexpr const char* vioittunut = "The archive file appears to be corrupted";
inline constexpr const char* ei_luettelo = "Unable to read archive file list";
inline constexpr const char* on_jo = "File already exists";
inline constexpr const char* ei_auki = "No archive is currently open";
inline constexpr const char* ei_arkistossa = "File not found in archive";
inline constexpr const char* ei_kansiota = "Unable to create destination path";
inline constexpr const char* jasen_rikki = "File (%d) is corrupt";
inline constexpr const char* crc_vaara = "File (%d) failed CRC check";
inline constexpr const char* jo_arkistossa = "%s already exists in the archive";  // logged only
// Texts for limits of the format that the writer meets before it would write a broken archive.
inline constexpr const char* liian_pitka_nimi = "File name too long (%s)";  // logged only; file skipped
inline constexpr const char* liian_suuri = "Archive too large";
inline constexpr const char* ei_kirjoitu = "Unable to write archive file";
}  // namespace zlb_virhe

// zlib's CRC-32 (crc32(crc, data, n)), faster on processors with carry-less multiplication.
std::uint32_t zlb_crc32(std::uint32_t crc, const void* data, std::size_t n);

// "%s" or "%d" of a failure text filled in.
std::string zlb_teksti(const char* malli, std::string_view nimi);
std::string zlb_teksti(const char* malli, long indeksi);

struct TZLBEntry {
    std::string nimi;    // file name
    std::string kansio;  // folder ending with '\', or empty
    std::uint32_t koko = 0;          // unpacked size
    std::uint32_t pakattu_koko = 0;  // stored size
    std::uint32_t sijainti = 0;      // offset of the stored data from the start of the file
    std::uint32_t crc = 0;           // CRC-32 of the unpacked data
    bool raaka = false;              // stored uncompressed
    std::uint8_t taso = 0;           // 0 none, 1 fastest, 2 default, 3 maximum

    std::string koko_nimi() const { return kansio + nimi; }
};

// A member being unpacked into memory on a thread of its own, so that its reader can work through the part
// already unpacked while the rest is still coming. Destroying it stops the unpacking.
class Jasenvirta {
public:
    ~Jasenvirta();
    Jasenvirta(const Jasenvirta&) = delete;
    Jasenvirta& operator=(const Jasenvirta&) = delete;

    // The member's size as its entry records it.
    std::size_t koko() const { return koko_; }
    // koko() bytes of the member, then the spare bytes asked for, which are NUL. Bytes below what odota()
    // last gave are the reader's to read and change.
    char* data() const { return puskuri_.get(); }
    // Keeps the bytes alive after the stream is gone.
    std::shared_ptr<char[]> omistaja() const { return puskuri_; }
    // Waits until more than `n` bytes are ready or no more will come; the bytes ready.
    std::size_t odota(std::size_t n);
    // Waits for the end: success when the member came out whole at its recorded size (and CRC when checked).
    Tulos tulos();

private:
    friend class TZLBArchive;
    Jasenvirta() = default;
    // Unpacks `pakattu_` into the buffer on a thread of its own (here, when no thread can be had).
    void pura(long indeksi, bool tarkista_crc, std::uint32_t crc);
    void pura_kaikki(long indeksi, bool tarkista_crc, std::uint32_t crc);

    std::size_t koko_ = 0;
    std::shared_ptr<char[]> puskuri_;
    std::shared_ptr<char[]> pakattu_;
    std::size_t pakattu_koko_ = 0;
    std::mutex lukko_;
    std::condition_variable muuttui_;
    std::size_t valmiina_ = 0;
    bool loppui_ = false;
    bool peruttu_ = false;
    Tulos tulos_;
    std::thread saie_;
};

enum class TZLBCompressionLevel : std::uint8_t { None = 0, Fastest = 1, Default = 2, Maximum = 3 };

class TZLBArchive {
public:
    static constexpr std::size_t trailerin_koko = 36;
    static constexpr std::size_t entryn_koko = 532;

    explicit TZLBArchive(Tiedostojarjestelma& tiedostot);
    ~TZLBArchive();
    TZLBArchive(const TZLBArchive&) = delete;
    TZLBArchive& operator=(const TZLBArchive&) = delete;

    // Properties, set to the values the program uses.
    TZLBCompressionLevel CompressionLevel = TZLBCompressionLevel::Maximum;
    bool ExtractWithPath = true;  // extract into the member's folder below the destination
    bool SavePaths = true;        // store the folder of each added name
    bool CheckCRC = false;        // verify the CRC of each extracted member
    bool RecursePaths = false;    // a folder given to AddFiles adds the files below it

    // Events; any may be empty. File names are cp1252 texts of the paths.
    // OnReplaceFile: the target exists; Replace starts false and the handler decides. Without a handler an
    // existing file is replaced.
    std::function<void(TZLBArchive&, const std::string& tiedosto, bool& Replace)> OnReplaceFile;
    std::function<void(TZLBArchive&, const std::string& tiedosto)> OnFileExtracted;
    std::function<void(TZLBArchive&)> OnArchiveOpened;
    std::function<void(TZLBArchive&, const std::string& teksti)> OnErrorLogged;
    std::function<void(TZLBArchive&, const std::string& teksti, int prosentti)> OnProgress;

    // Closes any open archive, checks the file's CRC and reads its registry. Without `tarkista_crc` the CRC is
    // left to tarkista_tiedosto(), which the caller must pass before it trusts anything read from the file.
    Tulos Open(const std::filesystem::path& tiedosto, bool tarkista_crc = true);
    // The file's CRC against its trailer, as Open checks it. It only reads, so it may run on another thread
    // as long as nothing else uses the archive's file system meanwhile.
    Tulos tarkista_tiedosto() const;
    // Closes any open archive and names a new one; nothing is written until files are added.
    Tulos Create(const std::filesystem::path& tiedosto);
    // Adds files named in the program's form ("gfx\kannet\a.jpg", cp1252; '/' also separates), relative
    // names resolved against `juuri`. The folder part becomes the member folder. The archive is rewritten
    // through a temporary file beside it, so a failure leaves the old archive as it was. A name whose file
    // does not exist is taken from `lahde`, an open archive holding a member of that full name, as stored
    // there; without one it is skipped, as a file that cannot be read at all is.
    Tulos AddFiles(const std::vector<std::string>& nimet, const std::filesystem::path& juuri,
                      const TZLBArchive* lahde = nullptr);
    // The first member of that full name (letter case ignored) into the destination folder.
    Tulos Extract(std::string_view jasen, const std::filesystem::path& kohde);
    // Every member in order; stops at the first failure. Each target folder is read once.
    Tulos ExtractAll(const std::filesystem::path& kohde);
    // Member `indeksi` into a folder the caller has listed, whatever the member's own folder; the listing
    // learns the file created. For callers that take many members out of one folder. `kierratettava`, when
    // given, is a file of no worth on the same file system that the member takes over (renamed to the
    // member's name, which the listing says is free, and overwritten) instead of a new file being created;
    // it must be no longer than the member, else it is deleted and a new file made.
    Tulos Extract(std::size_t indeksi, Kansiolistaus& kansio, const std::filesystem::path& kierratettava = {});
    void Close();

    bool auki() const { return !nimi_.empty(); }
    bool uusi() const { return uusi_; }
    const std::filesystem::path& FileName() const { return nimi_; }
    // The file system every step of this archive goes through.
    Tiedostojarjestelma& tiedostot() const { return t_; }
    const std::vector<TZLBEntry>& entries() const { return entries_; }
    // Index of the first member of that full name (letter case ignored), or -1.
    int etsi(std::string_view jasen) const;
    // Whether the file under the archive's name is still the one opened (same file, size and time), so
    // that what Open checked still holds.
    bool ennallaan() const;
    // Whether a member's data unpacks whole to its recorded size and CRC.
    bool tarkista_jasen(std::size_t indeksi) const;
    // Member `indeksi` unpacked into memory (its CRC checked when CheckCRC is set), with `vara` bytes of
    // spare capacity after it, for a caller that reads it in place.
    Tulos lue_jasen(std::size_t indeksi, std::string& ulos, std::size_t vara = 0) const;
    // The same unpacked on a thread of its own into `virta`, which the caller reads as it fills. The stored
    // bytes are read before this returns, so the thread never touches the file.
    Tulos pura_taustalla(std::size_t indeksi, std::unique_ptr<Jasenvirta>& virta, std::size_t vara = 0) const;
    // The files the last AddFiles had to leave out although they exist (or were in the source archive):
    // the name as given and the errno of the failure.
    const std::vector<std::pair<std::string, int>>& ohitetut() const { return ohitetut_; }

private:
    bool lue_rekisteri(const unsigned char* trailer, std::uint64_t tiedoston_koko);
    Tulos tarkista(std::size_t indeksi) const;
    Tulos pura(std::size_t indeksi, const std::filesystem::path& kohde, bool kaikki,
                  std::unordered_map<std::string, Kansiolistaus>* listatut);
    Tulos kirjoita_jasen(std::size_t indeksi, const std::filesystem::path& kansio, Kansiolistaus* listaus, bool kaikki,
                            const std::filesystem::path& kierratettava = {});
    void edistyminen(const std::string& teksti, std::uint64_t tehty, std::uint64_t kaikki);
    void kirjaa(const std::string& teksti);

    Tiedostojarjestelma& t_;
    std::filesystem::path nimi_;
    bool uusi_ = false;
    int fd_ = -1;
    std::uint32_t rekisterin_sijainti_ = 0;  // end of the member data
    std::vector<TZLBEntry> entries_;
    std::unordered_map<std::string, int> indeksit_;  // lower-case full name -> first member of it
    struct Tunniste {
        std::uint64_t laite = 0, inode = 0, koko = 0;
        std::int64_t muutettu_s = 0, muutettu_ns = 0;
        bool operator==(const Tunniste&) const = default;
    } tunniste_;
    std::vector<std::pair<std::string, int>> ohitetut_;
};

// The member folder for a name being added: the folder part with '/' as '\', everything up to and
// including the first ':' removed.
std::string zlb_jasenen_kansio(std::string_view nimi);
