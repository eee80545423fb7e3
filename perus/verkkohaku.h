#pragma once
// Fetching one address over HTTP into memory, as the core asks for it. The network library lives behind
// this interface (net/ implements it), so the movie data sources run the same code against a local test
// server, a fake in a unit test and the real sites.
#include <cstddef>
#include <string>
#include <vector>

#include "perus/tulos.h"

// Most decoded bytes taken from one answer. A title page of today is about 1.5 MB and a cover a few hundred
// KB; an answer beyond its limit is a failure, never cut short and used.
inline constexpr std::size_t sivun_enimmaiskoko = 8u << 20;
inline constexpr std::size_t kannen_enimmaiskoko = 8u << 20;

// Tulos::koodi of a fetch that keskeyta() stopped, so a caller can tell a cancel from a failure.
inline constexpr int keskeytetty_haku = 42;

struct HttpPyynto {
    std::string url;
    std::size_t enintaan = sivun_enimmaiskoko;  // decoded body bytes at most
    std::string accept;                         // empty: the client's own
    std::string user_agent;                     // empty: the client's own
    std::vector<std::string> otsakkeet;         // further "Name: value" lines
};

struct HttpVastaus {
    long tila = 0;          // HTTP status of the last answer; 0 when none came
    std::string runko;      // the whole decoded body
    std::string osoite;     // the address the answer finally came from, after redirects
};

class Verkkohaku {
public:
    virtual ~Verkkohaku() = default;

    // GETs the address, following redirects. A status of 400 or above, a body beyond `enintaan`, a cancel
    // and every network failure are failures whose message tells the reason in Finnish.
    virtual Tulos hae(const HttpPyynto& pyynto, HttpVastaus& vastaus) = 0;

    // Asks the transfer in progress to stop; it returns (as a failure) within about a second. Safe to call
    // from any thread, and harmless when nothing is being fetched.
    virtual void keskeyta() = 0;
};
