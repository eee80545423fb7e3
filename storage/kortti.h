#pragma once
// The card and the catalogue in memory.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/korttiteksti.h"

// Keeps alive the unpacked body that a card's unchanged fields point into. A copied or moved card owns all
// its texts (see Teksti), so the reference is never passed on.
class Runkoviite {
public:
    Runkoviite() = default;
    Runkoviite(const Runkoviite&) noexcept {}
    Runkoviite& operator=(const Runkoviite&) noexcept { return *this; }
    void sido(std::shared_ptr<const void> p) noexcept { p_ = std::move(p); }
    const void* get() const noexcept { return p_.get(); }

private:
    std::shared_ptr<const void> p_;
};

struct TKortti {
    static constexpr std::int32_t uuden_rivit = 48;

    Teksti nimi;
    Teksti luokitus;
    Teksti maa;
    Teksti kasetilla;
    Teksti aani;
    Teksti paanayttelijat;
    Teksti ohjaaja;
    Teksti juoni;
    Teksti kommentti;
    Teksti kuvasuhde;
    Teksti sijainti;
    Teksti lainassa;
    Teksti formaatti;
    Teksti kesto;
    Teksti nauha;
    Teksti vuosi;
    Teksti vari;
    Teksti arvosana;
    Teksti imdb_koodi;
    Teksti cover_fn;
    std::array<Teksti, 9> lisatieto_nimi;
    std::array<Teksti, 9> lisatieto;
    std::int32_t nakyma = 0;
    // extra[1]..extra[9]; extra[0] is unused so the indices read as the extras are numbered.
    std::array<bool, 10> extra{};
    Teksti extra_info;
    std::int32_t rivit = uuden_rivit;
    bool hae_kansi = true;
    Teksti cover_url;
    // The unpacked body that the fields read from it and not changed since point into.
    Runkoviite runko;

    // Every field from the source; rivit is a constant of this program and stays as it is.
    void kopioi(const TKortti& lahde);

    // Cards live in big blocks of their own: opening a catalogue of 100 000 cards then costs a few dozen
    // page faults and no allocator search per card.
    static void* operator new(std::size_t koko);
    static void operator delete(void* p, std::size_t koko) noexcept;
};

// The nine DVD extras, as the extras page names them.
extern const std::array<const char*, 10> extran_nimi;

// Texts of the placeholder card at index 0.
inline constexpr const char* nollakortin_nimi = "Tämän kortin ei pitäisi näkyä missään";
inline constexpr const char* nollakortin_merkki = "##";

// The catalogue: owns its cards; index 0 always holds the placeholder, real cards are 1..Count()-1.
class TOmaList {
public:
    TOmaList();

    bool muutettu = false;
    std::string versio;

    int Count() const { return static_cast<int>(kortit_.size()); }
    int korttien_maara() const { return Count() - 1; }
    TKortti& operator[](int i) { return *kortit_[static_cast<std::size_t>(i)]; }
    const TKortti& operator[](int i) const { return *kortit_[static_cast<std::size_t>(i)]; }
    TKortti* kortti(int i) { return kortit_[static_cast<std::size_t>(i)].get(); }

    // Appends a card and returns it.
    TKortti& lisaa(std::unique_ptr<TKortti> k);
    TKortti& lisaa_uusi() { return lisaa(std::make_unique<TKortti>()); }
    std::unique_ptr<TKortti> irrota(int i);
    void poista(int i) { irrota(i); }
    void lisaa_kohtaan(int i, std::unique_ptr<TKortti> k);
    void vaihda(int i, int j) { std::swap(kortit_[static_cast<std::size_t>(i)], kortit_[static_cast<std::size_t>(j)]); }

    // Frees every card and adds a new placeholder.
    void tyhjenna();
    // Empties the list completely; the caller adds its own placeholder (the reference catalogue does).
    void tyhjenna_kokonaan() {
        kortit_.clear();
        nolla_ = nullptr;
        ++sukupolvi_;
    }

    // The placeholder is known by identity, so a loaded card that carries "##" is never taken for it.
    const TKortti* nollakortti() const { return nolla_; }
    bool on_nollakortti(const TKortti* k) const { return k != nullptr && k == nolla_; }
    // Adds a placeholder card at the end (the list must be empty) and remembers it.
    void lisaa_nollakortti();

    void merkitse_muutetuksi() { muutettu = true; }

    std::vector<std::unique_ptr<TKortti>>& sisus() {
        ++sukupolvi_;
        return kortit_;
    }

    // Changes whenever a card may have been freed: a card's address alone cannot tell that the card shown
    // is still the same, because a new card may be allocated where a freed one stood.
    std::uint64_t sukupolvi() const { return sukupolvi_; }

private:
    std::vector<std::unique_ptr<TKortti>> kortit_;
    const TKortti* nolla_ = nullptr;
    std::uint64_t sukupolvi_ = 0;
};

class TZLBArchive;
class Kansipurku;

// The open catalogue with the program-wide state that goes with it.
struct Tietokanta {
    TOmaList kortit;
    int nykyinen = 1;        // index of the current card
    std::string tiedosto;    // full name of the open catalogue file, cp1252; empty before the first load or save
    // That file as an archive, kept open so that covers come out of it without checking the whole file again.
    std::shared_ptr<TZLBArchive> arkisto;
    // The covers of that file still being unpacked after its open (storage/kansipurku.h), or null.
    std::shared_ptr<Kansipurku> kansipurku;

    // Clear catalogue: frees every card, adds a new placeholder and points at index 1.
    void tyhjenna() {
        kortit.tyhjenna();
        nykyinen = 1;
    }
};
