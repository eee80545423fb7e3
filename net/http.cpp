#include "net/http.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "diag/loki.h"
#include "net/curlsyy.h"
#include "perus/tiedostot.h"

namespace fs = std::filesystem;

namespace net {

namespace {

struct CurlAlustus {
    CurlAlustus() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlAlustus() { curl_global_cleanup(); }
};

void alusta_curl() { static CurlAlustus alustus; }

struct Kirjoitus {
    std::FILE* f = nullptr;
    std::uint64_t* tavuja = nullptr;
    const std::function<void(std::uint64_t)>* ilmoita = nullptr;
    bool kirjoitusvirhe = false;
};

std::size_t kirjoita(char* data, std::size_t koko, std::size_t maara, void* k) {
    auto* w = static_cast<Kirjoitus*>(k);
    const std::size_t n = koko * maara;
    if (std::fwrite(data, 1, n, w->f) != n) {
        w->kirjoitusvirhe = true;
        return 0;
    }
    *w->tavuja += n;
    if (*w->ilmoita) (*w->ilmoita)(*w->tavuja);
    return n;
}

struct EasyPoisto {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiPoisto {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct SlistPoisto {
    void operator()(curl_slist* s) const { curl_slist_free_all(s); }
};

}  // namespace

HttpAsiakas::HttpAsiakas() { alusta_curl(); }
HttpAsiakas::~HttpAsiakas() = default;

Tulos HttpAsiakas::hae(const std::string& url, const fs::path& kohde) {
    std::error_code ec;
    fs::remove(kohde, ec);
    const fs::path valiaikainen = fs::path(kohde).concat(".osittain");
    keskeytys_ = false;
    kaynnissa_ = true;
    Tulos t = hae_kerran(url, valiaikainen, user_agent);
    // Today's servers refuse the old agent outright; a second try with a browser's agent gets the page.
    if (!t && (tila_ == 403 || tila_ == 406) && user_agent != nykyinen_kayttaja && !keskeytys_) {
        kirjoita_debug("HTTP " + std::to_string(tila_) + ", yritetään uudelleen toisella user agentilla");
        t = hae_kerran(url, valiaikainen, nykyinen_kayttaja);
    }
    kaynnissa_ = false;
    if (!t) {
        fs::remove(valiaikainen, ec);
        return t;
    }
    fs::rename(valiaikainen, kohde, ec);
    if (ec) {
        fs::remove(valiaikainen, ec);
        return Tulos::virhe(ec.value(), "Tiedostoa " + kohde.string() + " ei voitu kirjoittaa: " +
                                            jarjestelman_syy(ec.value()));
    }
    return Tulos::ok();
}

Tulos HttpAsiakas::hae_kerran(const std::string& url, const fs::path& valiaikainen, const std::string& agentti) {
    tila_ = 0;
    tavuja_ = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(valiaikainen.c_str(), "wb"), &std::fclose);
    if (!f) {
        const int e = errno;
        return Tulos::virhe(e, "Tiedostoa " + valiaikainen.string() + " ei voitu luoda: " + jarjestelman_syy(e));
    }
    std::unique_ptr<CURL, EasyPoisto> c(curl_easy_init());
    std::unique_ptr<CURLM, MultiPoisto> m(curl_multi_init());
    if (!c || !m) return Tulos::virhe(CURLE_FAILED_INIT, "HTTP-yhteyttä ei voitu alustaa.");

    Kirjoitus w{f.get(), &tavuja_, &vastaanotettu};
    std::unique_ptr<curl_slist, SlistPoisto> otsakkeet(curl_slist_append(nullptr, ("Accept: " + accept).c_str()));
    curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(c.get(), CURLOPT_HTTPHEADER, otsakkeet.get());
    curl_easy_setopt(c.get(), CURLOPT_USERAGENT, agentti.c_str());
    curl_easy_setopt(c.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c.get(), CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c.get(), CURLOPT_CONNECTTIMEOUT_MS, yhteys_aikaraja_ms);
    curl_easy_setopt(c.get(), CURLOPT_TIMEOUT_MS, aikaraja_ms);
    curl_easy_setopt(c.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c.get(), CURLOPT_LOW_SPEED_TIME, pysahdys_aikaraja_s);
    curl_easy_setopt(c.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c.get(), CURLOPT_WRITEFUNCTION, &kirjoita);
    curl_easy_setopt(c.get(), CURLOPT_WRITEDATA, &w);
    if (proxy && !proxy->osoite.empty()) {
        curl_easy_setopt(c.get(), CURLOPT_PROXY, proxy->osoite.c_str());
        char* loppu = nullptr;
        const long portti = std::strtol(proxy->portti.c_str(), &loppu, 10);
        if (portti > 0 && portti < 65536) curl_easy_setopt(c.get(), CURLOPT_PROXYPORT, portti);
        if (!proxy->kayttaja.empty()) {
            curl_easy_setopt(c.get(), CURLOPT_PROXYUSERNAME, proxy->kayttaja.c_str());
            curl_easy_setopt(c.get(), CURLOPT_PROXYPASSWORD, proxy->salasana.c_str());
            curl_easy_setopt(c.get(), CURLOPT_PROXYAUTH, CURLAUTH_ANY);
        }
    }

    curl_multi_add_handle(m.get(), c.get());
    CURLcode tulos = CURLE_OK;
    for (;;) {
        int kaynnissa = 0;
        const CURLMcode mc = curl_multi_perform(m.get(), &kaynnissa);
        if (mc != CURLM_OK) {
            tulos = CURLE_RECV_ERROR;
            break;
        }
        if (kaynnissa == 0) {
            int jonossa = 0;
            while (CURLMsg* msg = curl_multi_info_read(m.get(), &jonossa))
                if (msg->msg == CURLMSG_DONE) tulos = msg->data.result;
            break;
        }
        if (kasittele_viestit) kasittele_viestit();
        if (keskeytys_) break;
        curl_multi_poll(m.get(), nullptr, 0, 20, nullptr);
        if (kasittele_viestit) kasittele_viestit();
        if (keskeytys_) break;
    }
    curl_easy_getinfo(c.get(), CURLINFO_RESPONSE_CODE, &tila_);
    curl_multi_remove_handle(m.get(), c.get());
    const bool kirjoitettu = std::fflush(f.get()) == 0 && !w.kirjoitusvirhe;

    if (keskeytys_) return Tulos::virhe(CURLE_ABORTED_BY_CALLBACK, "Siirto keskeytettiin.");
    if (w.kirjoitusvirhe || tulos == CURLE_WRITE_ERROR || !kirjoitettu)
        return Tulos::virhe(CURLE_WRITE_ERROR, "Tiedostoa " + valiaikainen.string() + " ei voitu kirjoittaa.");
    if (tulos != CURLE_OK)
        return Tulos::virhe(tulos, "Haku osoitteesta " + url + " epäonnistui: " + curl_syy(tulos) + ".");
    if (tila_ >= 400)
        return Tulos::virhe(static_cast<int>(tila_),
                            "Palvelin vastasi osoitteeseen " + url + ": HTTP " + std::to_string(tila_) + ".");
    return Tulos::ok();
}

}  // namespace net
