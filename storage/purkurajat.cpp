#include "storage/purkurajat.h"

#include <unistd.h>

#include <algorithm>

#include "storage/kortti.h"

namespace {

// A body of near-empty cards packs about fifty to one and costs about five packed bytes a card; covers
// hardly pack at all. Beyond these a big file was made to exhaust the memory or the disk.
constexpr std::uint64_t suurin_purkusuhde = 128;
constexpr std::uint64_t purkuvara = 1u << 20;
constexpr std::uint64_t tavua_korttia_kohden = 2;
constexpr std::uint64_t korttivara = 1000;

constexpr std::uint64_t vahin_raja = 64ull << 20;
constexpr std::uint64_t suurin_raja = 1ull << 30;
// A card in memory: its fields and its share of the lists that hold it.
constexpr std::uint64_t kortin_muisti = sizeof(TKortti) + 64;

}  // namespace

Purkurajat koneen_purkurajat() {
    const long sivuja = ::sysconf(_SC_PHYS_PAGES);
    const long sivu = ::sysconf(_SC_PAGESIZE);
    const std::uint64_t muisti = sivuja > 0 && sivu > 0 ? static_cast<std::uint64_t>(sivuja) * static_cast<std::uint64_t>(sivu) : 0;
    Purkurajat r;
    r.tavuja = std::clamp(muisti / 4, vahin_raja, suurin_raja);
    r.kortteja = r.tavuja / kortin_muisti;
    return r;
}

std::uint64_t purkubudjetti(std::uint64_t koko, const Purkurajat& r) {
    return std::max(koko * suurin_purkusuhde + purkuvara, r.tavuja);
}

std::uint64_t korttibudjetti(std::uint64_t koko, const Purkurajat& r) {
    return std::max(koko / tavua_korttia_kohden + korttivara, r.kortteja);
}

Tulos purkurajan_tarkistus(std::uint64_t koko, std::uint64_t purettavaa, const Purkurajat& r) {
    const std::uint64_t raja = purkubudjetti(koko, r);
    if (purettavaa <= raja) return Tulos::ok();
    return Tulos::virhe(-1, "sen sisältö olisi purettuna " + std::to_string(purettavaa) + " tavua, ja " + std::to_string(koko) +
           " tavun tiedosto saa tällä koneella purkautua enintään " + std::to_string(raja) + " tavuksi");
}

Tulos korttirajan_tarkistus(std::uint64_t koko, std::uint64_t kortteja, const Purkurajat& r, bool vahintaan) {
    const std::uint64_t raja = korttibudjetti(koko, r);
    if (kortteja <= raja) return Tulos::ok();
    return Tulos::virhe(-1, "siinä on " + std::string(vahintaan ? "yli " + std::to_string(raja) : std::to_string(kortteja)) +
           " korttia, ja " + std::to_string(koko) + " tavun tiedostossa saa tällä koneella olla enintään " +
           std::to_string(raja) + " korttia");
}

std::string rajan_ylityksen_viesti(const std::string& nimi, const std::string& syy) {
    return "VIRHE: Tietokantaa \"" + nimi + "\" ei avattu, koska " + syy + ".";
}
