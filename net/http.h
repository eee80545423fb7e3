#pragma once
// HTTP GET into a file. The transfer runs on the calling thread but hands control back to the caller's
// event pump between network waits, so a window stays responsive and can abort it.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "perus/tulos.h"

namespace net {

struct Valityspalvelin {
    std::string osoite;
    std::string portti;
    std::string kayttaja;
    std::string salasana;
};

// What an old-fashioned client said it accepts and who it is.
inline constexpr const char* vanha_accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
inline constexpr const char* vanha_kayttaja = "Mozilla/3.0 (compatible)";
// Servers of today refuse the old agent; this one is sent when they do.
inline constexpr const char* nykyinen_kayttaja =
    "Mozilla/5.0 (X11; Linux x86_64; rv:115.0) Gecko/20100101 Firefox/115.0";

class HttpAsiakas {
public:
    HttpAsiakas();
    ~HttpAsiakas();
    HttpAsiakas(const HttpAsiakas&) = delete;
    HttpAsiakas& operator=(const HttpAsiakas&) = delete;

    std::string accept = vanha_accept;
    std::string user_agent = vanha_kayttaja;
    std::optional<Valityspalvelin> proxy;
    long yhteys_aikaraja_ms = 20000;
    long aikaraja_ms = 120000;       // the whole transfer
    long pysahdys_aikaraja_s = 30;   // no body bytes for this long ends a stalled transfer

    // Running count of body bytes after each received block.
    std::function<void(std::uint64_t)> vastaanotettu;
    // Lets the caller's window process pending events while the transfer waits on the network.
    std::function<void()> kasittele_viestit;

    // GETs url into `kohde`, following redirects. The body goes to a temporary name beside it and is
    // renamed into place only when complete; an old `kohde` is removed first, so after a failure the
    // file is absent. A status of 400 or above is a failure.
    Tulos hae(const std::string& url, const std::filesystem::path& kohde);

    // Stops a transfer in progress (from an event handler run by kasittele_viestit); harmless otherwise.
    void keskeyta() { keskeytys_ = true; }
    bool kaynnissa() const { return kaynnissa_; }
    long tila() const { return tila_; }           // HTTP status of the last answer, 0 if none
    std::uint64_t tavuja() const { return tavuja_; }

private:
    Tulos hae_kerran(const std::string& url, const std::filesystem::path& valiaikainen, const std::string& agentti);

    bool keskeytys_ = false;
    bool kaynnissa_ = false;
    long tila_ = 0;
    std::uint64_t tavuja_ = 0;
};

}  // namespace net
