#pragma once
// The IMDb source: searches titles (today's suggestions first, the old result page only when they give
// nothing) and reads a title page of either layout, over the core's HTTP interface. Every page is fetched
// into memory once, within the page size limit; nothing here touches a window or a file.
#include <atomic>
#include <string>

#include "imdb/lahde.h"
#include "perus/verkkohaku.h"

// The old title search's address of a search term.
std::string vanha_hakuosoite(std::string_view hakusana);

class ImdbLahde final : public Elokuvalahde {
public:
    explicit ImdbLahde(Verkkohaku& http) : http_(http) {}

    // A search that the old result page answers with one title's page gives that title as its only hit,
    // with `yksi_nimike` set; the page is kept, so fetching that title reads it without asking again.
    Tulos etsi(std::string_view hakusana, Hakutulokset& tulokset) override;
    // The title page at today's address or the old one (hits of today's search and numbers of eight digits
    // try today's first). A page without a number of its own gets the number asked for.
    Tulos nouda(std::string_view koodi, const TKortti& kortti, Elokuvasivu& sivu) override;
    void keskeyta() override;

private:
    Tulos hae(const std::string& url, HttpVastaus& vastaus);
    Tulos keskeytetty() const;

    Verkkohaku& http_;
    std::atomic<bool> keskeytys_{false};
    bool nykyinen_ensin_ = false;
    std::string tallessa_koodi_;
    std::string tallessa_sivu_;
};
