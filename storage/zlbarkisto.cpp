#include "storage/zlbarkisto.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>
#include <unordered_set>
#include <utility>

#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "perus/merkisto.h"
#include "perus/ohjelmakansio.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t crc_pala = 1 << 20;     // the file's CRC is counted in pieces of this size
constexpr std::size_t rekisterin_pala = 4096;  // the registry is unpacked in pieces of this size
constexpr std::size_t datan_pala = 65536;      // member data is read and packed in these
constexpr std::size_t purun_pala = 1 << 18;    // and unpacked in these: fewer calls for a big body
// Deflate cannot expand data more than about 1032 times; a member claiming more is damaged.
constexpr std::uint64_t suurin_purkusuhde = 1032;
constexpr std::uint32_t formaatti = 1;

std::uint32_t lue32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void kirjoita32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// Reads exactly n bytes at an offset; false on a read error or a short file.
bool lue_kohdasta(Tiedostojarjestelma& t, int fd, void* puskuri, std::size_t n, std::uint64_t sijainti) {
    return lue_kaikki(t, fd, puskuri, n, sijainti).onnistui();
}

std::uint32_t crc32_lisaa(std::uint32_t crc, const void* data, std::size_t n) { return zlb_crc32(crc, data, n); }

class Kahva {
public:
    explicit Kahva(Tiedostojarjestelma& t, int fd = -1) : t_(t), fd_(fd < 0 ? -1 : fd) {}
    ~Kahva() { sulje(); }
    Kahva(const Kahva&) = delete;
    Kahva& operator=(const Kahva&) = delete;
    int fd() const { return fd_; }
    void aseta(int fd) {
        sulje();
        fd_ = fd < 0 ? -1 : fd;
    }
    int irrota() { return std::exchange(fd_, -1); }
    // 0 or the errno of closing.
    int sulje() {
        const int e = fd_ < 0 ? 0 : t_.sulje(fd_).syy;
        fd_ = -1;
        return e;
    }

private:
    Tiedostojarjestelma& t_;
    int fd_;
};

// A new file beside the target whose rename over the target is atomic; removed unless kept.
class Valiaikainen {
public:
    Valiaikainen(Tiedostojarjestelma& t, const fs::path& kohde) : t_(t), kahva_(t) {
        const Kuvaaja a = luo_valiaikainen(t, kohde, polku_);
        virhe_ = a.tulos.syy;
        kahva_.aseta(a.fd);
    }
    ~Valiaikainen() {
        kahva_.sulje();
        if (!pidetty_ && !polku_.empty()) t_.poista(polku_);
    }
    Valiaikainen(const Valiaikainen&) = delete;
    Valiaikainen& operator=(const Valiaikainen&) = delete;

    int fd() const { return kahva_.fd(); }
    // The errno of the last step that failed.
    int virhe() const { return virhe_; }
    // Closes the file and renames it over the target.
    bool vie(const fs::path& kohde) {
        virhe_ = kahva_.sulje();
        if (virhe_ == 0) virhe_ = t_.nimea(polku_, kohde).syy;
        pidetty_ = virhe_ == 0;
        return pidetty_;
    }

private:
    Tiedostojarjestelma& t_;
    Kahva kahva_;
    fs::path polku_;
    int virhe_ = 0;
    bool pidetty_ = false;
};

// Unpacks the zlib stream at [alku, alku + koko) of fd piece by piece into `ulos`. False when the stream is
// damaged, ends before its end mark, or would give more than `enintaan` bytes.
template <typename Ulos>
bool pura_virta(Tiedostojarjestelma& t, int fd, std::uint64_t alku, std::uint64_t koko, std::uint64_t enintaan, std::size_t pala,
                Ulos&& ulos) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    std::vector<unsigned char> sisaan(std::min<std::uint64_t>(std::max<std::size_t>(pala, 4096), koko));
    // No bigger than the member, so small members do not pay for clearing a big buffer each.
    std::vector<unsigned char> ulos_puskuri(static_cast<std::size_t>(std::clamp<std::uint64_t>(enintaan, 1, pala)));
    std::uint64_t luettu = 0, tuotettu = 0;
    int tila = Z_OK;
    while (tila != Z_STREAM_END) {
        if (z.avail_in == 0) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(sisaan.size(), koko - luettu));
            if (n == 0 || !lue_kohdasta(t, fd, sisaan.data(), n, alku + luettu)) break;
            luettu += n;
            z.next_in = sisaan.data();
            z.avail_in = static_cast<uInt>(n);
        }
        z.next_out = ulos_puskuri.data();
        z.avail_out = static_cast<uInt>(ulos_puskuri.size());
        tila = inflate(&z, Z_NO_FLUSH);
        if (tila != Z_OK && tila != Z_STREAM_END) break;
        const std::size_t saatu = ulos_puskuri.size() - z.avail_out;
        tuotettu += saatu;
        if (tuotettu > enintaan || (saatu > 0 && !ulos(ulos_puskuri.data(), saatu))) {
            tila = Z_DATA_ERROR;
            break;
        }
    }
    inflateEnd(&z);
    return tila == Z_STREAM_END;
}

// Copies [alku, alku + koko) of fd piece by piece into `ulos`.
template <typename Ulos>
bool lue_alue(Tiedostojarjestelma& t, int fd, std::uint64_t alku, std::uint64_t koko, std::size_t pala, Ulos&& ulos) {
    // Left uncleared: each piece is read in before it is used.
    const auto puskuri = std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(std::min<std::uint64_t>(pala, koko)));
    for (std::uint64_t tehty = 0; tehty < koko;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(pala, koko - tehty));
        if (!lue_kohdasta(t, fd, puskuri.get(), n, alku + tehty) || !ulos(puskuri.get(), n)) return false;
        tehty += n;
    }
    return true;
}

// Packs `data` at a zlib level. Empty when packing fails or the result would not be smaller than `raja`.
template <typename Edistyminen>
std::string pakkaa(std::string_view data, int taso, std::size_t raja, Edistyminen&& edistyminen) {
    z_stream z{};
    if (deflateInit(&z, taso) != Z_OK) return {};
    std::string ulos(raja, '\0');
    z.next_out = reinterpret_cast<Bytef*>(ulos.data());
    z.avail_out = static_cast<uInt>(raja);
    std::size_t annettu = 0;
    int tila = Z_OK;
    while (tila == Z_OK && z.avail_out > 0) {
        const std::size_t n = std::min(datan_pala, data.size() - annettu);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + annettu));
        z.avail_in = static_cast<uInt>(n);
        annettu += n;
        const bool viimeinen = annettu == data.size();
        tila = deflate(&z, viimeinen ? Z_FINISH : Z_NO_FLUSH);
        // The output ran out before the stream did: packing would not make the data smaller.
        if (z.avail_in > 0) break;
        edistyminen(annettu, data.size());
    }
    const bool valmis = tila == Z_STREAM_END && z.avail_out > 0;
    ulos.resize(valmis ? z.total_out : 0);
    deflateEnd(&z);
    return ulos;
}

// A file packed as it is read, so that a big file is never held whole in memory: only its packed bytes are,
// and only while they stay smaller than the file.
struct Pakattu {
    std::uint64_t koko = 0;
    std::uint32_t crc = 0;
    std::string talteen;  // the packed bytes; empty when raaka
    bool raaka = false;   // packing would not make it smaller: the file is stored as it is
};

// Reads fd from the start to its end, packing at a zlib level; 0 or the errno of a read that failed.
// `arvio` is the size the file was said to have, for the progress.
template <typename Edistyminen>
int pakkaa_tiedosto(Tiedostojarjestelma& t, int fd, std::uint64_t arvio, int taso, Pakattu& p, Edistyminen&& edistyminen) {
    p = {};
    p.crc = crc32_lisaa(0, nullptr, 0);
    z_stream z{};
    const bool pakataan = deflateInit(&z, taso) == Z_OK;
    std::vector<unsigned char> sisaan(datan_pala), ulos(datan_pala);
    int tila = Z_OK, virhe = 0;
    bool kesken = pakataan;  // the packed stream is still being made
    for (;;) {
        const Siirretty luettu = t.lue(fd, sisaan.data(), sisaan.size(), p.koko);
        if (!luettu.tulos) {
            virhe = luettu.tulos.syy;
            break;
        }
        const std::size_t n = luettu.tavuja;
        p.crc = crc32_lisaa(p.crc, sisaan.data(), n);
        p.koko += n;
        if (kesken) {
            z.next_in = sisaan.data();
            z.avail_in = static_cast<uInt>(n);
            do {
                z.next_out = ulos.data();
                z.avail_out = static_cast<uInt>(ulos.size());
                tila = deflate(&z, n == 0 ? Z_FINISH : Z_NO_FLUSH);
                p.talteen.append(reinterpret_cast<const char*>(ulos.data()), ulos.size() - z.avail_out);
            } while (z.avail_out == 0 && tila == Z_OK);
            // Packed bytes as many as the file has: storing it as it is will be smaller.
            if (tila == Z_STREAM_ERROR || p.talteen.size() >= std::max(p.koko, arvio)) kesken = false;
        }
        if (n == 0) break;
        edistyminen(p.koko, std::max(p.koko, arvio));
    }
    if (pakataan) deflateEnd(&z);
    p.raaka = !(kesken && tila == Z_STREAM_END && p.talteen.size() < p.koko);
    if (p.raaka) std::string().swap(p.talteen);
    return virhe;
}

int zlib_taso(TZLBCompressionLevel t) {
    switch (t) {
        case TZLBCompressionLevel::None: return 0;
        case TZLBCompressionLevel::Fastest: return 1;
        case TZLBCompressionLevel::Default: return Z_DEFAULT_COMPRESSION;
        case TZLBCompressionLevel::Maximum: return 9;
    }
    return 9;
}

// A length-prefixed field of 256 bytes; a longer text does not fit.
void kirjoita_nimikentta(unsigned char* p, const std::string& s) {
    p[0] = static_cast<unsigned char>(s.size());
    std::memcpy(p + 1, s.data(), s.size());
}

std::string lue_nimikentta(const unsigned char* p) { return std::string(reinterpret_cast<const char*>(p + 1), p[0]); }

void kirjoita_entry(unsigned char* p, const TZLBEntry& e) {
    std::memset(p, 0, TZLBArchive::entryn_koko);
    kirjoita_nimikentta(p, e.nimi);
    kirjoita_nimikentta(p + 256, e.kansio);
    kirjoita32(p + 512, e.koko);
    kirjoita32(p + 516, e.pakattu_koko);
    kirjoita32(p + 520, e.sijainti);
    kirjoita32(p + 524, e.crc);
    p[528] = e.raaka ? 1 : 0;
    p[529] = e.taso;
}

TZLBEntry lue_entry(const unsigned char* p) {
    TZLBEntry e;
    e.nimi = lue_nimikentta(p);
    e.kansio = lue_nimikentta(p + 256);
    e.koko = lue32(p + 512);
    e.pakattu_koko = lue32(p + 516);
    e.sijainti = lue32(p + 520);
    e.crc = lue32(p + 524);
    e.raaka = p[528] != 0;
    e.taso = p[529];
    return e;
}

bool on_erotin(char c) { return c == '\\' || c == '/'; }

// A member folder may only lead further down: no "..", no drive letter or other ':', no NUL. A leading
// backslash is what the writer leaves of "C:\x\", and it lands below the destination like any other.
bool turvallinen_kansio(std::string_view kansio) {
    if (kansio.find(':') != std::string_view::npos || kansio.find('\0') != std::string_view::npos) return false;
    std::size_t alku = 0;
    while (alku <= kansio.size()) {
        std::size_t loppu = alku;
        while (loppu < kansio.size() && !on_erotin(kansio[loppu])) ++loppu;
        if (kansio.substr(alku, loppu - alku) == "..") return false;
        alku = loppu + 1;
    }
    return true;
}

bool turvallinen_nimi(std::string_view nimi) {
    return !nimi.empty() && nimi != "." && nimi != ".." &&
           std::none_of(nimi.begin(), nimi.end(), [](char c) { return on_erotin(c) || c == '\0'; });
}

std::string tiedoston_nimi_osa(std::string_view nimi) {
    std::size_t i = nimi.size();
    while (i > 0 && !on_erotin(nimi[i - 1])) --i;
    return std::string(nimi.substr(i));
}

// The files to add: folders expanded (RecursePaths) or dropped, each with its name in the program's form.
struct Lisattava {
    std::string nimi;
    fs::path polku;
};

// The regular files under a folder and its subfolders; links to folders are not followed.
void kansion_tiedostot(Tiedostojarjestelma& t, const fs::path& kansio, std::vector<fs::path>& tiedostot) {
    std::vector<Kansiorivi> rivit;
    if (!t.listaa(kansio, rivit)) return;
    for (const Kansiorivi& r : rivit) {
        const fs::path p = kansio / r.nimi;
        Tiedostotiedot tt;
        if (r.tavallinen) tiedostot.push_back(p);
        else if (r.kansio && t.tiedot(p, tt, false) && tt.kansio) kansion_tiedostot(t, p, tiedostot);
    }
}

std::vector<Lisattava> laajenna(Tiedostojarjestelma& t, const std::vector<std::string>& nimet, const fs::path& juuri,
                                bool rekursio) {
    std::vector<Lisattava> tulos;
    for (const std::string& nimi : nimet) {
        const fs::path p = tiedostopolku(t, nimi, juuri);
        if (!on_kansio(t, p)) {
            tulos.push_back({nimi, p});
            continue;
        }
        if (!rekursio) continue;
        std::vector<fs::path> tiedostot;
        kansion_tiedostot(t, p, tiedostot);
        std::vector<Lisattava> kansiosta;
        for (const fs::path& tiedosto : tiedostot) {
            std::string suhteellinen = polku_tekstiksi(tiedosto.lexically_relative(p));
            std::replace(suhteellinen.begin(), suhteellinen.end(), '/', '\\');
            std::string kokonaan = nimi;
            if (!kokonaan.empty() && !on_erotin(kokonaan.back())) kokonaan += '\\';
            kansiosta.push_back({kokonaan + suhteellinen, tiedosto});
        }
        std::sort(kansiosta.begin(), kansiosta.end(),
                  [](const Lisattava& a, const Lisattava& b) { return a.nimi < b.nimi; });
        tulos.insert(tulos.end(), kansiosta.begin(), kansiosta.end());
    }
    return tulos;
}

}  // namespace

namespace {

#if defined(__x86_64__)
// The CRC of whole 16-byte blocks (at least 64 bytes) by carry-less multiplication, folding four lanes at a
// time and reducing them with the reflected polynomial's constants: several times zlib's table method, which
// matters because every open reads the whole file for its CRC. `tila` is the inverted running CRC.
#define ZLB_KERTOLASKU __attribute__((target("pclmul,sse4.1")))

ZLB_KERTOLASKU inline __m128i lataa(const unsigned char* q) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)); }

// One 128-bit lane carried 512 or 128 bits forward (by the constants k) and the next block added.
ZLB_KERTOLASKU inline __m128i taita(__m128i x, __m128i k, __m128i seuraava) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x11), _mm_clmulepi64_si128(x, k, 0x00)), seuraava);
}

ZLB_KERTOLASKU std::uint32_t crc32_kertolasku(std::uint32_t tila, const unsigned char* p, std::size_t n) {
    alignas(16) static const std::uint64_t k1k2[] = {0x0154442bd4, 0x01c6e41596};
    alignas(16) static const std::uint64_t k3k4[] = {0x01751997d0, 0x00ccaa009e};
    alignas(16) static const std::uint64_t k5k0[] = {0x0163cd6124, 0x0000000000};
    alignas(16) static const std::uint64_t poly[] = {0x01db710641, 0x01f7011641};
    __m128i x1 = _mm_xor_si128(lataa(p), _mm_cvtsi32_si128(static_cast<int>(tila)));
    __m128i x2 = lataa(p + 16), x3 = lataa(p + 32), x4 = lataa(p + 48);
    p += 64;
    n -= 64;
    __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(k1k2));
    for (; n >= 64; p += 64, n -= 64) {
        x1 = taita(x1, k, lataa(p));
        x2 = taita(x2, k, lataa(p + 16));
        x3 = taita(x3, k, lataa(p + 32));
        x4 = taita(x4, k, lataa(p + 48));
    }
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
    x1 = taita(x1, k, x2);
    x1 = taita(x1, k, x3);
    x1 = taita(x1, k, x4);
    for (; n >= 16; p += 16, n -= 16) x1 = taita(x1, k, lataa(p));
    // 128 bits to 64, then to 32 by Barrett reduction.
    const __m128i maski = _mm_setr_epi32(~0, 0, ~0, 0);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k, 0x10));
    k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 4), _mm_clmulepi64_si128(_mm_and_si128(x1, maski), k, 0x00));
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
    __m128i x2b = _mm_and_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, maski), k, 0x10), maski);
    x1 = _mm_xor_si128(x1, _mm_clmulepi64_si128(x2b, k, 0x00));
    return static_cast<std::uint32_t>(_mm_extract_epi32(x1, 1));
}

const bool kertolasku_kaytossa = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
#endif

}  // namespace

std::uint32_t zlb_crc32(std::uint32_t crc, const void* data, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
#if defined(__x86_64__)
    if (kertolasku_kaytossa && n >= 64) {
        const std::size_t lohkot = n & ~static_cast<std::size_t>(15);
        crc = ~crc32_kertolasku(~crc, p, lohkot);
        p += lohkot;
        n -= lohkot;
    }
#endif
    while (n > 0) {
        const std::size_t pala = std::min<std::size_t>(n, 1u << 30);
        crc = static_cast<std::uint32_t>(::crc32(crc, p, static_cast<uInt>(pala)));
        p += pala;
        n -= pala;
    }
    return crc;
}

std::string zlb_teksti(const char* malli, std::string_view nimi) {
    std::string t(malli);
    if (const auto i = t.find("%s"); i != std::string::npos) t.replace(i, 2, nimi);
    return t;
}

std::string zlb_teksti(const char* malli, long indeksi) {
    std::string t(malli);
    if (const auto i = t.find("%d"); i != std::string::npos) t.replace(i, 2, std::to_string(indeksi));
    return t;
}

std::string zlb_jasenen_kansio(std::string_view nimi) {
    std::string kansio(nimi.substr(0, nimi.size() - tiedoston_nimi_osa(nimi).size()));
    std::replace(kansio.begin(), kansio.end(), '/', '\\');
    if (const auto kaksoispiste = kansio.find(':'); kaksoispiste != std::string::npos) kansio.erase(0, kaksoispiste + 1);
    return kansio;
}

TZLBArchive::TZLBArchive(Tiedostojarjestelma& tiedostot) : t_(tiedostot) {}

TZLBArchive::~TZLBArchive() { Close(); }

void TZLBArchive::Close() {
    if (fd_ >= 0) t_.sulje(fd_);
    fd_ = -1;
    entries_.clear();
    nimi_.clear();
    uusi_ = false;
    rekisterin_sijainti_ = 0;
    indeksit_.clear();
    tunniste_ = {};
}

void TZLBArchive::kirjaa(const std::string& teksti) {
    if (OnErrorLogged) OnErrorLogged(*this, teksti);
}

void TZLBArchive::edistyminen(const std::string& teksti, std::uint64_t tehty, std::uint64_t kaikki) {
    if (!OnProgress) return;
    const int prosentti = kaikki == 0 ? 100 : static_cast<int>(std::lround(100.0 * static_cast<double>(tehty) /
                                                                            static_cast<double>(kaikki)));
    OnProgress(*this, teksti, prosentti);
}

int TZLBArchive::etsi(std::string_view jasen) const {
    const auto it = indeksit_.find(pienet_cp1252(jasen));
    return it == indeksit_.end() ? -1 : it->second;
}

bool TZLBArchive::ennallaan() const {
    Tiedostotiedot tt;
    if (!auki() || uusi_ || !t_.tiedot(nimi_, tt)) return false;
    return tunniste_ == Tunniste{tt.laite, tt.inode, tt.koko, tt.muutettu_s, tt.muutettu_ns};
}

namespace {

// The CRC of the file's data against the one its trailer records; the trailer is left in `trailer`.
Tulos tarkista_crc(Tiedostojarjestelma& t, int fd, std::uint64_t koko, const std::string& teksti,
                      unsigned char* trailer) {
    std::uint32_t crc = crc32_lisaa(0, nullptr, 0);
    const std::uint64_t datan_koko = koko - TZLBArchive::trailerin_koko;
    const bool luettu = lue_alue(t, fd, 0, datan_koko, crc_pala, [&](const unsigned char* p, std::size_t n) {
        crc = crc32_lisaa(crc, p, n);
        return true;
    });
    if (!luettu || !lue_kohdasta(t, fd, trailer, TZLBArchive::trailerin_koko, datan_koko))
        return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, teksti), EIO);
    if (lue32(trailer) != crc) return zlb_tulos(zlb_virhe::vioittunut);
    return {};
}

}  // namespace

Tulos TZLBArchive::Open(const fs::path& tiedosto, bool tarkista) {
    Close();
    Tiedostotiedot tt;
    if (tiedosto.empty() || !t_.tiedot(tiedosto, tt)) return zlb_tulos(zlb_virhe::ei_loydy);
    const std::string teksti = polku_tekstiksi(tiedosto);
    const Kuvaaja a = t_.avaa(tiedosto, O_RDONLY);
    Kahva k(t_, a.fd);
    if (!a.tulos) return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, teksti), a.tulos.syy);
    if (!t_.tiedot(k.fd(), tt) || !tt.tavallinen) return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, teksti), EIO);
    const auto koko = tt.koko;
    if (koko < trailerin_koko) return zlb_tulos(zlb_virhe::vioittunut);

    unsigned char trailer[trailerin_koko];
    if (tarkista) {
        if (Tulos t = tarkista_crc(t_, k.fd(), koko, teksti, trailer); !t) return t;
    } else if (!lue_kohdasta(t_, k.fd(), trailer, trailerin_koko, koko - trailerin_koko)) {
        return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, teksti), EIO);
    }

    fd_ = k.irrota();
    nimi_ = tiedosto;
    tunniste_ = {tt.laite, tt.inode, koko, tt.muutettu_s, tt.muutettu_ns};
    if (!lue_rekisteri(trailer, koko)) {
        // A damaged file is reported as such whatever part of it the damage hit first.
        Tulos t = tarkista ? Tulos{} : tarkista_tiedosto();
        Close();
        return t ? zlb_tulos(zlb_virhe::ei_luettelo) : t;
    }
    if (OnArchiveOpened) OnArchiveOpened(*this);
    return {};
}

Tulos TZLBArchive::tarkista_tiedosto() const {
    if (!auki() || uusi_) return zlb_tulos(zlb_virhe::ei_auki);
    unsigned char trailer[trailerin_koko];
    return tarkista_crc(t_, fd_, tunniste_.koko, polku_tekstiksi(nimi_), trailer);
}

bool TZLBArchive::lue_rekisteri(const unsigned char* trailer, std::uint64_t tiedoston_koko) {
    const auto maara = static_cast<std::int32_t>(lue32(trailer + 4));
    const auto koko = static_cast<std::int32_t>(lue32(trailer + 12));
    const auto sijainti = static_cast<std::int32_t>(lue32(trailer + 16));
    const unsigned char pakattu = trailer[20];
    if (maara < 0 || koko < 0 || sijainti < 0 || pakattu > 1) return false;
    if (static_cast<std::uint64_t>(sijainti) + static_cast<std::uint64_t>(koko) > tiedoston_koko - trailerin_koko)
        return false;
    const std::uint64_t tarvitaan = static_cast<std::uint64_t>(maara) * entryn_koko;
    // Checked before anything is allocated: the entries must fit in what the file can hold. A packed entry
    // costs several bytes even when it repeats its neighbour (its offset differs), so a registry of more
    // entries than bytes was made to blow up.
    if (pakattu ? static_cast<std::uint64_t>(maara) > static_cast<std::uint64_t>(koko)
                : tarvitaan > static_cast<std::uint64_t>(koko))
        return false;

    std::vector<TZLBEntry> entries;
    unsigned char kesken[entryn_koko];
    std::size_t kesken_n = 0;
    const auto ota = [&](const unsigned char* p, std::size_t n) {
        while (n > 0) {
            const std::size_t k = std::min(n, entryn_koko - kesken_n);
            std::memcpy(kesken + kesken_n, p, k);
            kesken_n += k;
            p += k;
            n -= k;
            if (kesken_n == entryn_koko) {
                entries.push_back(lue_entry(kesken));
                kesken_n = 0;
            }
        }
        return true;
    };
    bool ok;
    if (pakattu) {
        ok = pura_virta(t_, fd_, static_cast<std::uint64_t>(sijainti), static_cast<std::uint64_t>(koko), tarvitaan,
                        rekisterin_pala, [&](const unsigned char* p, std::size_t n) {
                            ota(p, n);
                            edistyminen("Extracting archive registry", entries.size(), static_cast<std::uint64_t>(maara));
                            return true;
                        });
    } else {
        ok = lue_alue(t_, fd_, static_cast<std::uint64_t>(sijainti), tarvitaan, rekisterin_pala, ota);
    }
    if (!ok || entries.size() != static_cast<std::size_t>(maara) || kesken_n != 0) return false;
    // No two members share bytes: an archive whose members overlap would unpack the same stream again and
    // again from a small file.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> alueet;
    alueet.reserve(entries.size());
    for (const TZLBEntry& e : entries) {
        const std::uint64_t loppu = static_cast<std::uint64_t>(e.sijainti) + e.pakattu_koko;
        // A member reaching past the data is reported as corrupt when it is extracted.
        if (e.pakattu_koko > 0 && loppu <= static_cast<std::uint64_t>(sijainti)) alueet.emplace_back(e.sijainti, loppu);
    }
    std::sort(alueet.begin(), alueet.end());
    for (std::size_t i = 1; i < alueet.size(); ++i)
        if (alueet[i].first < alueet[i - 1].second) return false;
    entries_ = std::move(entries);
    rekisterin_sijainti_ = static_cast<std::uint32_t>(sijainti);
    // Lower-cased once here, so that a lookup costs one lower-casing of the name asked for.
    indeksit_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        indeksit_.emplace(pienet_cp1252(entries_[i].koko_nimi()), static_cast<int>(i));
    return true;
}

Tulos TZLBArchive::Create(const fs::path& tiedosto) {
    Close();
    if (tiedosto.empty()) return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, ""));
    if (on_olemassa(t_, tiedosto)) return zlb_tulos(zlb_virhe::on_jo);
    nimi_ = tiedosto;
    uusi_ = true;
    if (OnArchiveOpened) OnArchiveOpened(*this);
    return {};
}

Tulos TZLBArchive::AddFiles(const std::vector<std::string>& nimet, const fs::path& juuri, const TZLBArchive* lahde) {
    if (!auki()) return zlb_tulos(zlb_virhe::ei_auki);
    ohitetut_.clear();
    const std::vector<Lisattava> lisattavat = laajenna(t_, nimet, juuri, RecursePaths);

    Valiaikainen tmp(t_, nimi_);
    if (tmp.fd() < 0) return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, polku_tekstiksi(nimi_)), tmp.virhe());
    if (!uusi_) kopioi_oikeudet(t_, tmp.fd(), nimi_);
    int kirjoitusvirhe = 0;
    const auto kirjoitus_epaonnistui = [&] { return zlb_tulos(zlb_virhe::ei_kirjoitu, kirjoitusvirhe ? kirjoitusvirhe : EIO); };

    std::uint32_t crc = crc32_lisaa(0, nullptr, 0);
    const auto kirjoita = [&](const void* p, std::size_t n) {
        crc = crc32_lisaa(crc, p, n);
        kirjoitusvirhe = kirjoita_kaikki(t_, tmp.fd(), p, n).syy;
        return kirjoitusvirhe == 0;
    };
    std::uint64_t sijainti = 0;
    if (!uusi_) {
        if (!lue_alue(t_, fd_, 0, rekisterin_sijainti_, datan_pala,
                      [&](const unsigned char* p, std::size_t n) { return kirjoita(p, n); }))
            return kirjoitus_epaonnistui();
        sijainti = rekisterin_sijainti_;
    }

    // A file that packing would not make smaller is read a second time and stored as it is; it must still
    // hold the bytes the first reading counted, or the member would not match its registry entry.
    const auto kopioi_ennallaan = [&](const fs::path& polku, const Pakattu& pk) -> int {
        const Kuvaaja a = t_.avaa(polku, O_RDONLY);
        if (!a.tulos) return a.tulos.syy;
        Kahva tiedosto(t_, a.fd);
        std::vector<unsigned char> puskuri(datan_pala);
        std::uint32_t tarkiste = crc32_lisaa(0, nullptr, 0);
        for (std::uint64_t tehty = 0; tehty < pk.koko;) {
            const Siirretty n = t_.lue(a.fd, puskuri.data(), static_cast<std::size_t>(std::min<std::uint64_t>(puskuri.size(), pk.koko - tehty)), tehty);
            if (!n.tulos) return n.tulos.syy;
            if (n.tavuja == 0) return EIO;
            tarkiste = crc32_lisaa(tarkiste, puskuri.data(), n.tavuja);
            if (!kirjoita(puskuri.data(), n.tavuja)) return kirjoitusvirhe;
            tehty += n.tavuja;
        }
        return tarkiste == pk.crc ? 0 : EIO;
    };

    std::vector<TZLBEntry> entries = entries_;
    std::unordered_set<std::string> nimet_ennestaan;
    for (const TZLBEntry& e : entries) nimet_ennestaan.insert(pienet_cp1252(e.koko_nimi()));
    const int taso = zlib_taso(CompressionLevel);
    for (const Lisattava& l : lisattavat) {
        TZLBEntry e;
        e.nimi = tiedoston_nimi_osa(l.nimi);
        e.kansio = SavePaths ? zlb_jasenen_kansio(l.nimi) : std::string();
        const std::string jasen = e.koko_nimi();
        if (e.nimi.size() > 255 || e.kansio.size() > 255) {
            kirjaa(zlb_teksti(zlb_virhe::liian_pitka_nimi, l.nimi));
            continue;
        }
        if (!nimet_ennestaan.insert(pienet_cp1252(jasen)).second) kirjaa(zlb_teksti(zlb_virhe::jo_arkistossa, jasen));
        const std::string teksti = zlb_teksti("Updating %s", l.nimi);
        Pakattu pk;
        int lukuvirhe = 0;
        {
            const Kuvaaja a = t_.avaa(l.polku, O_RDONLY);
            Kahva tiedosto(t_, a.fd);
            Tiedostotiedot tt;
            if (!a.tulos) {
                lukuvirhe = a.tulos.syy;
            } else {
                const std::uint64_t arvio = t_.tiedot(tiedosto.fd(), tt) && tt.tavallinen ? tt.koko : 0;
                edistyminen(teksti, 0, arvio);
                lukuvirhe = pakkaa_tiedosto(t_, tiedosto.fd(), arvio, taso, pk,
                                            [&](std::uint64_t tehty, std::uint64_t kaikki) { edistyminen(teksti, tehty, kaikki); });
            }
        }
        if (lukuvirhe) {
            const int lahteessa = lukuvirhe == ENOENT && lahde ? lahde->etsi(jasen) : -1;
            if (lahteessa >= 0) {
                // Taken as stored: a cover that was never unpacked needs no room on the disk to be saved.
                TZLBEntry vanha = lahde->entries()[static_cast<std::size_t>(lahteessa)];
                if (!lahde->tarkista_jasen(static_cast<std::size_t>(lahteessa))) {
                    ohitetut_.push_back({l.nimi, EIO});
                    continue;
                }
                if (sijainti + vanha.pakattu_koko > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
                    return zlb_tulos(zlb_virhe::liian_suuri);
                if (!lue_alue(lahde->t_, lahde->fd_, vanha.sijainti, vanha.pakattu_koko, datan_pala,
                              [&](const unsigned char* p, std::size_t n) { return kirjoita(p, n); })) {
                    if (kirjoitusvirhe) return kirjoitus_epaonnistui();
                    ohitetut_.push_back({l.nimi, EIO});
                    continue;
                }
                vanha.nimi = e.nimi;
                vanha.kansio = e.kansio;
                vanha.sijainti = static_cast<std::uint32_t>(sijainti);
                sijainti += vanha.pakattu_koko;
                entries.push_back(std::move(vanha));
                continue;
            }
            if (lukuvirhe != ENOENT) ohitetut_.push_back({l.nimi, lukuvirhe});
            kirjaa(zlb_teksti(zlb_virhe::ei_avaudu, l.nimi));
            continue;
        }
        if (pk.koko > std::numeric_limits<std::uint32_t>::max()) return zlb_tulos(zlb_virhe::liian_suuri);
        e.raaka = pk.raaka;
        const std::uint64_t talteen_koko = e.raaka ? pk.koko : pk.talteen.size();
        // The registry's offset is a signed 32-bit number, so all member data must stay below 2 GB.
        if (sijainti + talteen_koko > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            return zlb_tulos(zlb_virhe::liian_suuri);
        e.koko = static_cast<std::uint32_t>(pk.koko);
        e.pakattu_koko = static_cast<std::uint32_t>(talteen_koko);
        e.sijainti = static_cast<std::uint32_t>(sijainti);
        e.crc = pk.crc;
        e.taso = e.raaka ? 0 : static_cast<std::uint8_t>(CompressionLevel);
        if (!e.raaka) {
            if (!kirjoita(pk.talteen.data(), pk.talteen.size())) return kirjoitus_epaonnistui();
        } else if (const int virhe = kopioi_ennallaan(l.polku, pk)) {
            // Part of the file is in the new archive already, so the archive cannot go on without it.
            if (kirjoitusvirhe) return kirjoitus_epaonnistui();
            return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, l.nimi), virhe);
        }
        sijainti += talteen_koko;
        entries.push_back(std::move(e));
    }

    std::string rekisteri(entries.size() * entryn_koko, '\0');
    for (std::size_t i = 0; i < entries.size(); ++i)
        kirjoita_entry(reinterpret_cast<unsigned char*>(rekisteri.data()) + i * entryn_koko, entries[i]);
    edistyminen("Writing archive registry", 0, 1);
    std::string pakattu_rekisteri = pakkaa(rekisteri, taso, std::max<std::size_t>(compressBound(rekisteri.size()), 1),
                                           [](std::size_t, std::size_t) {});
    const bool rekisteri_pakattu = !pakattu_rekisteri.empty();
    const std::string& talteen = rekisteri_pakattu ? pakattu_rekisteri : rekisteri;
    if (sijainti + talteen.size() > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return zlb_tulos(zlb_virhe::liian_suuri);
    if (!kirjoita(talteen.data(), talteen.size())) return kirjoitus_epaonnistui();
    edistyminen("Writing archive registry", 1, 1);

    unsigned char trailer[trailerin_koko] = {};
    kirjoita32(trailer, crc);
    kirjoita32(trailer + 4, static_cast<std::uint32_t>(entries.size()));
    kirjoita32(trailer + 8, formaatti);
    kirjoita32(trailer + 12, static_cast<std::uint32_t>(talteen.size()));
    kirjoita32(trailer + 16, static_cast<std::uint32_t>(sijainti));
    trailer[20] = rekisteri_pakattu ? 1 : 0;
    kirjoitusvirhe = kirjoita_kaikki(t_, tmp.fd(), trailer, trailerin_koko).syy;
    if (kirjoitusvirhe == 0) kirjoitusvirhe = t_.synkronoi(tmp.fd()).syy;
    if (kirjoitusvirhe != 0) return kirjoitus_epaonnistui();

    // The old archive stays whole until the new one is complete on disk.
    const fs::path nimi = nimi_;
    if (!tmp.vie(nimi)) {
        kirjoitusvirhe = tmp.virhe();
        return kirjoitus_epaonnistui();
    }
    synkronoi_kansio(t_, nimi.parent_path());
    return Open(nimi);
}

Tulos TZLBArchive::Extract(std::string_view jasen, const fs::path& kohde) {
    if (!auki()) return zlb_tulos(zlb_virhe::ei_auki);
    const int i = etsi(jasen);
    if (i < 0) return zlb_tulos(zlb_virhe::ei_arkistossa);
    return pura(static_cast<std::size_t>(i), kohde, false, nullptr);
}

Tulos TZLBArchive::ExtractAll(const fs::path& kohde) {
    if (!auki()) return zlb_tulos(zlb_virhe::ei_auki);
    std::unordered_map<std::string, Kansiolistaus> listatut;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (Tulos t = pura(i, kohde, true, &listatut); !t) return t;
    return {};
}

Tulos TZLBArchive::Extract(std::size_t indeksi, Kansiolistaus& kansio, const fs::path& kierratettava) {
    if (!auki()) return zlb_tulos(zlb_virhe::ei_auki);
    if (indeksi >= entries_.size()) return zlb_tulos(zlb_virhe::ei_arkistossa);
    if (Tulos t = tarkista(indeksi); !t) return t;
    return kirjoita_jasen(indeksi, kansio.kansio(), &kansio, false, kierratettava);
}

bool TZLBArchive::tarkista_jasen(std::size_t indeksi) const {
    const TZLBEntry& e = entries_[indeksi];
    if (static_cast<std::uint64_t>(e.sijainti) + e.pakattu_koko > rekisterin_sijainti_) return false;
    if (e.raaka ? e.pakattu_koko != e.koko
                : static_cast<std::uint64_t>(e.koko) > static_cast<std::uint64_t>(e.pakattu_koko) * suurin_purkusuhde)
        return false;
    std::uint32_t crc = crc32_lisaa(0, nullptr, 0);
    std::uint64_t saatu = 0;
    const auto laske = [&](const unsigned char* p, std::size_t n) {
        crc = crc32_lisaa(crc, p, n);
        saatu += n;
        return true;
    };
    const bool luettu = e.raaka ? lue_alue(t_, fd_, e.sijainti, e.pakattu_koko, purun_pala, laske)
                                : pura_virta(t_, fd_, e.sijainti, e.pakattu_koko, e.koko, purun_pala, laske);
    return luettu && saatu == e.koko && crc == e.crc;
}

Tulos TZLBArchive::lue_jasen(std::size_t indeksi, std::string& ulos, std::size_t vara) const {
    if (!auki()) return zlb_tulos(zlb_virhe::ei_auki);
    if (indeksi >= entries_.size()) return zlb_tulos(zlb_virhe::ei_arkistossa);
    if (Tulos t = tarkista(indeksi); !t) return t;
    const TZLBEntry& e = entries_[indeksi];
    ulos.clear();
    ulos.reserve(static_cast<std::size_t>(e.koko) + vara);
    std::uint32_t crc = crc32_lisaa(0, nullptr, 0);
    const auto lisaa = [&](const unsigned char* p, std::size_t n) {
        ulos.append(reinterpret_cast<const char*>(p), n);
        return true;
    };
    const bool luettu = e.raaka ? lue_alue(t_, fd_, e.sijainti, e.pakattu_koko, purun_pala, lisaa)
                                : pura_virta(t_, fd_, e.sijainti, e.pakattu_koko, e.koko, purun_pala, lisaa);
    if (CheckCRC) crc = crc32_lisaa(crc, ulos.data(), ulos.size());
    if (!luettu || ulos.size() != e.koko) return zlb_tulos(zlb_teksti(zlb_virhe::jasen_rikki, static_cast<long>(indeksi)));
    if (CheckCRC && crc != e.crc) return zlb_tulos(zlb_teksti(zlb_virhe::crc_vaara, static_cast<long>(indeksi)));
    return {};
}

namespace {

// Room for a member unpacked in memory. A big one is mapped with large pages where the system has them,
// which spares the unpacking most of its page faults.
std::shared_ptr<char[]> jasenen_puskuri(std::size_t n) {
    constexpr std::size_t iso = std::size_t{4} << 20;
    if (n < iso) return std::shared_ptr<char[]>(new char[n]);
    void* m = ::mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(m, n, MADV_HUGEPAGE);
#endif
    return std::shared_ptr<char[]>(static_cast<char*>(m), [n](char* p) { ::munmap(p, n); });
}

}  // namespace

Tulos TZLBArchive::pura_taustalla(std::size_t indeksi, std::unique_ptr<Jasenvirta>& virta, std::size_t vara) const {
    virta.reset();
    if (!auki()) return zlb_tulos(zlb_virhe::ei_auki);
    if (indeksi >= entries_.size()) return zlb_tulos(zlb_virhe::ei_arkistossa);
    if (Tulos t = tarkista(indeksi); !t) return t;
    const TZLBEntry& e = entries_[indeksi];
    const Tulos rikki = zlb_tulos(zlb_teksti(zlb_virhe::jasen_rikki, static_cast<long>(indeksi)));
    std::unique_ptr<Jasenvirta> v(new Jasenvirta);
    v->koko_ = e.koko;
    // Not cleared: the unpacking writes every byte before the reader may look at it.
    v->puskuri_ = jasenen_puskuri(static_cast<std::size_t>(e.koko) + vara);
    std::memset(v->puskuri_.get() + e.koko, 0, vara);
    if (e.raaka) {
        if (!lue_kohdasta(t_, fd_, v->puskuri_.get(), e.koko, e.sijainti)) return rikki;
        if (CheckCRC && crc32_lisaa(crc32_lisaa(0, nullptr, 0), v->puskuri_.get(), e.koko) != e.crc)
            return zlb_tulos(zlb_teksti(zlb_virhe::crc_vaara, static_cast<long>(indeksi)));
        v->valmiina_ = e.koko;
        v->loppui_ = true;
    } else {
        // Left uncleared, as the unpacked room is: the read fills it whole or fails.
        v->pakattu_koko_ = e.pakattu_koko;
        v->pakattu_ = jasenen_puskuri(v->pakattu_koko_);
        if (!lue_kohdasta(t_, fd_, v->pakattu_.get(), v->pakattu_koko_, e.sijainti)) return rikki;
        v->pura(static_cast<long>(indeksi), CheckCRC, e.crc);
    }
    virta = std::move(v);
    return {};
}

Jasenvirta::~Jasenvirta() {
    {
        std::lock_guard<std::mutex> l(lukko_);
        peruttu_ = true;
    }
    if (saie_.joinable()) saie_.join();
}

std::size_t Jasenvirta::odota(std::size_t n) {
    std::unique_lock<std::mutex> l(lukko_);
    muuttui_.wait(l, [&] { return valmiina_ > n || loppui_; });
    return valmiina_;
}

Tulos Jasenvirta::tulos() {
    std::unique_lock<std::mutex> l(lukko_);
    muuttui_.wait(l, [&] { return loppui_; });
    return tulos_;
}

void Jasenvirta::pura(long indeksi, bool tarkista_crc, std::uint32_t crc) {
    try {
        saie_ = std::thread([this, indeksi, tarkista_crc, crc] { pura_kaikki(indeksi, tarkista_crc, crc); });
    } catch (const std::system_error&) {
        // Without a thread to spare the member is unpacked here, whole, before its reader starts.
        pura_kaikki(indeksi, tarkista_crc, crc);
    }
}

void Jasenvirta::pura_kaikki(long indeksi, bool tarkista_crc, std::uint32_t crc) {
    // Handed on in pieces that grow from 64 KB to a megabyte: the reader starts soon, and waking it later
    // costs little.
    constexpr std::size_t suurin_pala = 1 << 20;
    std::size_t pala = 1 << 16;
    z_stream z{};
    bool ok = inflateInit(&z) == Z_OK;
    const bool alustettu = ok;
    z.next_in = reinterpret_cast<Bytef*>(pakattu_.get());
    z.avail_in = static_cast<uInt>(pakattu_koko_);
    unsigned char* const ulos = reinterpret_cast<unsigned char*>(puskuri_.get());
    std::size_t tehty = 0;
    std::uint32_t laskettu = crc32_lisaa(0, nullptr, 0);
    int tila = Z_OK;
    while (ok && tila != Z_STREAM_END) {
        {
            std::lock_guard<std::mutex> l(lukko_);
            if (peruttu_) break;
        }
        // Past the recorded size only a byte of room is given: a stream that still has data is damaged.
        unsigned char yli;
        const std::size_t tilaa = std::min(pala, koko_ - tehty);
        z.next_out = tilaa ? ulos + tehty : &yli;
        z.avail_out = tilaa ? static_cast<uInt>(tilaa) : 1u;
        tila = inflate(&z, Z_NO_FLUSH);
        if ((tila != Z_OK && tila != Z_STREAM_END) || (tilaa == 0 && z.avail_out == 0) ||
            (tila == Z_OK && z.avail_out > 0 && z.avail_in == 0)) {
            ok = false;
            break;
        }
        const std::size_t saatu = tilaa - (tilaa ? z.avail_out : 0);
        if (tarkista_crc) laskettu = crc32_lisaa(laskettu, ulos + tehty, saatu);
        tehty += saatu;
        pala = std::min(2 * pala, suurin_pala);
        std::lock_guard<std::mutex> l(lukko_);
        valmiina_ = tehty;
        muuttui_.notify_all();
    }
    if (alustettu) inflateEnd(&z);
    // The packed bytes are not needed once the member is out.
    pakattu_.reset();
    std::lock_guard<std::mutex> l(lukko_);
    if (!ok || tila != Z_STREAM_END || tehty != koko_) tulos_ = zlb_tulos(zlb_teksti(zlb_virhe::jasen_rikki, indeksi));
    else if (tarkista_crc && laskettu != crc) tulos_ = zlb_tulos(zlb_teksti(zlb_virhe::crc_vaara, indeksi));
    loppui_ = true;
    muuttui_.notify_all();
}

Tulos TZLBArchive::tarkista(std::size_t indeksi) const {
    const TZLBEntry& e = entries_[indeksi];
    const Tulos rikki = zlb_tulos(zlb_teksti(zlb_virhe::jasen_rikki, static_cast<long>(indeksi)));
    if (!turvallinen_kansio(ExtractWithPath ? e.kansio : std::string()) || !turvallinen_nimi(e.nimi))
        return zlb_tulos(zlb_virhe::ei_kansiota);
    // Sizes are checked against the member data before a folder is made or a byte is written.
    if (static_cast<std::uint64_t>(e.sijainti) + e.pakattu_koko > rekisterin_sijainti_) return rikki;
    if (e.raaka ? e.pakattu_koko != e.koko
                : static_cast<std::uint64_t>(e.koko) > static_cast<std::uint64_t>(e.pakattu_koko) * suurin_purkusuhde)
        return rikki;
    return {};
}

Tulos TZLBArchive::pura(std::size_t indeksi, const fs::path& kohde, bool kaikki,
                           std::unordered_map<std::string, Kansiolistaus>* listatut) {
    if (Tulos t = tarkista(indeksi); !t) return t;
    const TZLBEntry& e = entries_[indeksi];
    const std::string kansio_teksti = ExtractWithPath ? e.kansio : std::string();
    // Leading backslashes are dropped as the doubled ones are, so the folder always starts at the destination.
    const std::size_t alku = std::min(kansio_teksti.find_first_not_of("\\/"), kansio_teksti.size());
    const std::string_view suhteellinen = std::string_view(kansio_teksti).substr(alku);
    if (listatut) {
        if (const auto it = listatut->find(std::string(suhteellinen)); it != listatut->end())
            return kirjoita_jasen(indeksi, it->second.kansio(), &it->second, kaikki);
    }
    const fs::path kansio = tiedostopolku(t_, suhteellinen, kohde);
    if (const Tulos virhe = t_.luo_kansiot(kansio); !virhe) return zlb_tulos(zlb_virhe::ei_kansiota, virhe.syy);
    if (!listatut) return kirjoita_jasen(indeksi, kansio, nullptr, kaikki);
    Kansiolistaus& listaus = listatut->emplace(std::string(suhteellinen), Kansiolistaus(kansio, t_)).first->second;
    return kirjoita_jasen(indeksi, kansio, &listaus, kaikki);
}

Tulos TZLBArchive::kirjoita_jasen(std::size_t indeksi, const fs::path& kansio, Kansiolistaus* listaus, bool kaikki,
                                      const fs::path& kierratettava) {
    const TZLBEntry& e = entries_[indeksi];
    const Tulos rikki = zlb_tulos(zlb_teksti(zlb_virhe::jasen_rikki, static_cast<long>(indeksi)));
    const std::string nimi = listaus ? merkisto::cp1252_utf8(e.nimi) : std::string();
    const fs::path kohdetiedosto = listaus ? listaus->polku(nimi) : tiedostopolku(t_, e.nimi, kansio);
    const std::string kohde_teksti = polku_tekstiksi(kohdetiedosto);

    // A new file is written in place: created exclusively, it replaces nothing, and is removed again when the
    // data turns out damaged or cannot be written. Only a file that replaces another goes through a temporary
    // file and a rename, so damaged data never replaces a good file. A file taken over is renamed only to a
    // name the listing says is free, and is then written like a new one: over its old bytes from the start,
    // never cut to nothing first (a file truncated to empty and written again is pushed to the disk when
    // closed), so only one no longer than the member will do.
    Kuvaaja suora;
    if (!kierratettava.empty() && listaus && !listaus->tiedosto(nimi) && t_.nimea(kierratettava, kohdetiedosto)) {
        suora = t_.avaa(kohdetiedosto, O_WRONLY);
        Tiedostotiedot tt;
        if (suora.tulos && (!t_.tiedot(suora.fd, tt) || !tt.tavallinen || tt.koko > e.koko)) {
            t_.sulje(suora.fd);
            suora = {};
        }
        if (suora.fd < 0) t_.poista(kohdetiedosto);
    }
    if (suora.fd < 0) suora = t_.avaa(kohdetiedosto, O_WRONLY | O_CREAT | O_EXCL, 0666);
    Kahva suoraan(t_, suora.fd);
    std::optional<Valiaikainen> tmp;
    if (suora.fd < 0) {
        if (suora.tulos.syy != EEXIST) return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, kohde_teksti), suora.tulos.syy);
        if (OnReplaceFile) {
            bool korvaa = false;
            OnReplaceFile(*this, kohde_teksti, korvaa);
            if (!korvaa) return {};
        }
        tmp.emplace(t_, kohdetiedosto);
        if (tmp->fd() < 0) return zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, kohde_teksti), tmp->virhe());
    }
    const int fd = tmp ? tmp->fd() : suoraan.fd();
    bool valmis = false;
    const auto siivoa = [&] {
        if (!tmp && !valmis) {
            suoraan.sulje();
            t_.poista(kohdetiedosto);
        }
    };

    const std::string teksti = zlb_teksti("Extracting %s", e.koko_nimi());
    std::uint32_t crc = crc32_lisaa(0, nullptr, 0);
    std::uint64_t kirjoitettu = 0;
    int kirjoitusvirhe = 0;
    const auto kirjoita = [&](const unsigned char* p, std::size_t n) {
        if (CheckCRC) crc = crc32_lisaa(crc, p, n);
        kirjoitusvirhe = kirjoita_kaikki(t_, fd, p, n).syy;
        kirjoitettu += n;
        edistyminen(teksti, kirjoitettu, e.koko);
        return kirjoitusvirhe == 0;
    };
    edistyminen(teksti, 0, e.koko);
    const bool luettu = e.raaka ? lue_alue(t_, fd_, e.sijainti, e.pakattu_koko, purun_pala, kirjoita)
                                : pura_virta(t_, fd_, e.sijainti, e.pakattu_koko, e.koko, purun_pala, kirjoita);
    Tulos tulos;
    if (kirjoitusvirhe) tulos = zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, kohde_teksti), kirjoitusvirhe);
    else if (!luettu || kirjoitettu != e.koko) tulos = rikki;
    else if (CheckCRC && crc != e.crc)
        tulos = zlb_tulos(zlb_teksti(kaikki ? zlb_virhe::jasen_rikki : zlb_virhe::crc_vaara, static_cast<long>(indeksi)));
    else if (tmp) {
        if (!tmp->vie(kohdetiedosto)) tulos = zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, kohde_teksti), tmp->virhe());
        else valmis = true;
    } else if (const int virhe = suoraan.sulje()) tulos = zlb_tulos(zlb_teksti(zlb_virhe::ei_avaudu, kohde_teksti), virhe);
    else valmis = true;
    siivoa();
    if (!valmis) return tulos;
    if (listaus) listaus->lisaa(kohdetiedosto.filename().string());
    if (OnFileExtracted) OnFileExtracted(*this, kohde_teksti);
    return {};
}
