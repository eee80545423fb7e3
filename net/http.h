#pragma once
// HTTP GET into memory over libcurl: the core's Verkkohaku. The transfer runs on the calling thread and,
// between network waits of at most 20 ms, hands control to the caller's event pump, so a window stays
// responsive; keskeyta() from the pump or from any other thread stops it at the next wait.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "perus/tulos.h"
#include "perus/verkkohaku.h"

struct TAsetukset;

namespace net {

struct Valityspalvelin {
    std::string osoite;
    std::string portti;
    std::string kayttaja;
    std::string salasana;
};

// The proxy the settings ask for (section Internet), if any.
std::optional<Valityspalvelin> asetusten_valityspalvelin(const TAsetukset& a);

// What an old-fashioned client said it accepts and who it is.
inline constexpr const char* vanha_accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
inline constexpr const char* vanha_kayttaja = "Mozilla/3.0 (compatible)";
// Servers of today refuse the old agent; this one is sent when they do.
inline constexpr const char* nykyinen_kayttaja =
    "Mozilla/5.0 (X11; Linux x86_64; rv:115.0) Gecko/20100101 Firefox/115.0";

class HttpAsiakas final : public Verkkohaku {
public:
    HttpAsiakas();
    ~HttpAsiakas() override;
    HttpAsiakas(const HttpAsiakas&) = delete;
    HttpAsiakas& operator=(const HttpAsiakas&) = delete;

    std::optional<Valityspalvelin> proxy;
    long yhteys_aikaraja_ms = 20000;
    long aikaraja_ms = 120000;       // the whole transfer
    long pysahdys_aikaraja_s = 30;   // no body bytes for this long ends a stalled transfer

    // Running count of decoded body bytes after each received block (on the fetching thread).
    std::function<void(std::uint64_t)> vastaanotettu;
    // Lets the caller's window process pending events while the transfer waits on the network.
    std::function<void()> kasittele_viestit;

    // GETs the address into memory, following redirects (see Verkkohaku). A server that refuses the old
    // agent with 403 or 406 is asked once more with today's.
    Tulos hae(const HttpPyynto& pyynto, HttpVastaus& vastaus) override;
    void keskeyta() override;

    bool kaynnissa() const { return kaynnissa_; }

private:
    Tulos hae_kerran(const HttpPyynto& pyynto, const std::string& agentti, HttpVastaus& vastaus);

    std::atomic<bool> keskeytys_{false};
    std::atomic<bool> kaynnissa_{false};
    std::mutex heratys_;      // guards moniote_ against the transfer's end while another thread wakes it
    void* moniote_ = nullptr;  // the running transfer's multi handle, woken by keskeyta()
};

}  // namespace net
