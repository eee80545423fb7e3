#include "net/http.h"

#include <curl/curl.h>

#include <memory>

#include "diag/loki.h"
#include "settings/asetukset.h"

namespace net {

namespace {

struct CurlAlustus {
    CurlAlustus() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlAlustus() { curl_global_cleanup(); }
};

void alusta_curl() { static CurlAlustus alustus; }

struct Kirjoitus {
    std::string* runko = nullptr;
    std::size_t enintaan = 0;
    const std::function<void(std::uint64_t)>* ilmoita = nullptr;
    bool liian_suuri = false;
};

// Decoded bytes are counted here, so a packed answer that unpacks beyond the limit stops at the limit.
std::size_t kirjoita(char* data, std::size_t koko, std::size_t maara, void* k) {
    auto* w = static_cast<Kirjoitus*>(k);
    const std::size_t n = koko * maara;
    if (n > w->enintaan - w->runko->size()) {
        w->liian_suuri = true;
        return 0;
    }
    w->runko->append(data, n);
    if (*w->ilmoita) (*w->ilmoita)(w->runko->size());
    return n;
}

// "8 Mt" for whole mebibytes, bytes otherwise.
std::string koko_tekstina(std::size_t tavuja) {
    if (tavuja >= (1u << 20) && tavuja % (1u << 20) == 0) return std::to_string(tavuja >> 20) + " Mt";
    return std::to_string(tavuja) + " tavua";
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

std::string curl_syy(CURLcode c) {
    switch (c) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return "palvelimen nimeä ei löytynyt";
    case CURLE_COULDNT_CONNECT: return "palvelimeen ei saatu yhteyttä";
    case CURLE_OPERATION_TIMEDOUT: return "palvelin ei vastannut ajoissa";
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING: return "yhteys katkesi kesken siirron";
    case CURLE_TOO_MANY_REDIRECTS: return "liian monta uudelleenohjausta";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION: return "suojattu yhteys epäonnistui";
    default: return curl_easy_strerror(c);
    }
}

}  // namespace

std::optional<Valityspalvelin> asetusten_valityspalvelin(const TAsetukset& a) {
    if (!a.proxy_enabled) return std::nullopt;
    return Valityspalvelin{a.proxy_addr, a.proxy_port, a.proxy_username, a.proxy_password};
}

HttpAsiakas::HttpAsiakas() { alusta_curl(); }
HttpAsiakas::~HttpAsiakas() = default;

void HttpAsiakas::keskeyta() {
    keskeytys_ = true;
    std::lock_guard<std::mutex> l(heratys_);
    if (moniote_) curl_multi_wakeup(static_cast<CURLM*>(moniote_));
}

Tulos HttpAsiakas::hae(const HttpPyynto& pyynto, HttpVastaus& vastaus) {
    keskeytys_ = false;
    kaynnissa_ = true;
    const std::string agentti = pyynto.user_agent.empty() ? vanha_kayttaja : pyynto.user_agent;
    Tulos t = hae_kerran(pyynto, agentti, vastaus);
    // Today's servers refuse the old agent outright; a second try with a browser's agent gets the page.
    if (!t && (vastaus.tila == 403 || vastaus.tila == 406) && agentti != nykyinen_kayttaja && !keskeytys_) {
        kirjoita_debug("HTTP " + std::to_string(vastaus.tila) + ", yritetään uudelleen toisella user agentilla");
        t = hae_kerran(pyynto, nykyinen_kayttaja, vastaus);
    }
    kaynnissa_ = false;
    return t;
}

Tulos HttpAsiakas::hae_kerran(const HttpPyynto& pyynto, const std::string& agentti, HttpVastaus& vastaus) {
    vastaus = HttpVastaus{};
    const std::string& url = pyynto.url;
    std::unique_ptr<CURL, EasyPoisto> c(curl_easy_init());
    std::unique_ptr<CURLM, MultiPoisto> m(curl_multi_init());
    if (!c || !m) return Tulos::virhe(CURLE_FAILED_INIT, "HTTP-yhteyttä ei voitu alustaa.");

    Kirjoitus w{&vastaus.runko, pyynto.enintaan, &vastaanotettu};
    curl_slist* lista = curl_slist_append(nullptr, ("Accept: " + (pyynto.accept.empty() ? std::string(vanha_accept)
                                                                                         : pyynto.accept)).c_str());
    for (const std::string& o : pyynto.otsakkeet) lista = curl_slist_append(lista, o.c_str());
    std::unique_ptr<curl_slist, SlistPoisto> otsakkeet(lista);
    curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(c.get(), CURLOPT_HTTPHEADER, otsakkeet.get());
    curl_easy_setopt(c.get(), CURLOPT_USERAGENT, agentti.c_str());
    curl_easy_setopt(c.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c.get(), CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_ACCEPT_ENCODING, "");
    // A declared length beyond the limit is refused before any body byte is taken.
    curl_easy_setopt(c.get(), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(pyynto.enintaan));
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
    {
        std::lock_guard<std::mutex> l(heratys_);
        moniote_ = m.get();
    }
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
    {
        std::lock_guard<std::mutex> l(heratys_);
        moniote_ = nullptr;
    }
    curl_easy_getinfo(c.get(), CURLINFO_RESPONSE_CODE, &vastaus.tila);
    if (char* lopullinen = nullptr; curl_easy_getinfo(c.get(), CURLINFO_EFFECTIVE_URL, &lopullinen) == CURLE_OK && lopullinen)
        vastaus.osoite = lopullinen;
    curl_multi_remove_handle(m.get(), c.get());

    const auto epaonnistui = [&](int koodi, std::string viesti) {
        vastaus.runko.clear();
        vastaus.runko.shrink_to_fit();
        return Tulos::virhe(koodi, std::move(viesti));
    };
    if (keskeytys_) return epaonnistui(keskeytetty_haku, "Siirto keskeytettiin.");
    if (w.liian_suuri || tulos == CURLE_FILESIZE_EXCEEDED)
        return epaonnistui(CURLE_FILESIZE_EXCEEDED, "Vastaus osoitteesta " + url + " on suurempi kuin " +
                                                        koko_tekstina(pyynto.enintaan) +
                                                        ", joten sitä ei otettu vastaan.");
    if (tulos != CURLE_OK)
        return epaonnistui(tulos, "Haku osoitteesta " + url + " epäonnistui: " + curl_syy(tulos) + ".");
    if (vastaus.tila >= 400)
        return epaonnistui(static_cast<int>(vastaus.tila),
                           "Palvelin vastasi osoitteeseen " + url + ": HTTP " + std::to_string(vastaus.tila) + ".");
    return Tulos::ok();
}

}  // namespace net
