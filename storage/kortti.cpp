#include "storage/kortti.h"

const std::array<const char*, 10> extran_nimi = {
    "",
    "Scene access",
    "Commentary",
    "Production notes",
    "Theatrical Trailer(s)",
    "Deleted scenes",
    "Documentary",
    "Hidden extras",
    "Pc-dvd features",
    "Interactive game",
};

void TKortti::kopioi(const TKortti& lahde) {
    const std::int32_t oma_rivit = rivit;
    *this = lahde;
    rivit = oma_rivit;
}

TOmaList::TOmaList() { lisaa_nollakortti(); }

TKortti& TOmaList::lisaa(std::unique_ptr<TKortti> k) {
    kortit_.push_back(std::move(k));
    return *kortit_.back();
}

std::unique_ptr<TKortti> TOmaList::irrota(int i) {
    auto it = kortit_.begin() + i;
    std::unique_ptr<TKortti> k = std::move(*it);
    kortit_.erase(it);
    ++sukupolvi_;
    if (k.get() == nolla_) nolla_ = nullptr;
    return k;
}

void TOmaList::lisaa_kohtaan(int i, std::unique_ptr<TKortti> k) {
    kortit_.insert(kortit_.begin() + i, std::move(k));
}

void TOmaList::lisaa_nollakortti() {
    auto k = std::make_unique<TKortti>();
    k->nimi = nollakortin_nimi;
    k->kasetilla = nollakortin_merkki;
    k->sijainti = nollakortin_merkki;
    nolla_ = k.get();
    kortit_.push_back(std::move(k));
}

void TOmaList::tyhjenna() {
    kortit_.clear();
    ++sukupolvi_;
    lisaa_nollakortti();
}
