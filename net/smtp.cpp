#include "net/smtp.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "diag/loki.h"
#include "net/curlsyy.h"
#include "perus/merkisto.h"

namespace {

constexpr const char* heksa = "0123456789ABCDEF";

// The cp1252 characters at 0x80..0x9F have no place in ISO-8859-1; these are their plain forms.
const char* korvike(unsigned char c) {
    switch (c) {
        case 0x80: return "EUR";
        case 0x82: return ",";
        case 0x84: return ",,";
        case 0x85: return "...";
        case 0x8B: return "<";
        case 0x9B: return ">";
        case 0x91: case 0x92: return "'";
        case 0x93: case 0x94: return "\"";
        case 0x95: return "*";
        case 0x96: case 0x97: return "-";
        case 0x99: return "TM";
        case 0x8A: return "S";
        case 0x9A: return "s";
        case 0x8E: return "Z";
        case 0x9E: return "z";
        case 0x9F: return "Y";
        case 0x8C: return "OE";
        case 0x9C: return "oe";
        default: return "?";
    }
}

bool tarvitsee_koodauksen(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c > 0x7E) return true;
    return false;
}

// Q encoding of RFC 2047, cut into encoded words short enough for a header line.
std::string q_koodaa(const std::string& l1) {
    const std::string alku = "=?ISO-8859-1?Q?";
    std::string tulos, sana;
    auto paata = [&] {
        if (sana.empty()) return;
        if (!tulos.empty()) tulos += "\r\n ";
        tulos += alku + sana + "?=";
        sana.clear();
    };
    for (unsigned char c : l1) {
        std::string osa;
        if (c == ' ') osa = "_";
        else if (std::isalnum(c) && c < 0x80) osa = std::string(1, static_cast<char>(c));
        else if (c == '!' || c == '*' || c == '+' || c == '-' || c == '/') osa = std::string(1, static_cast<char>(c));
        else osa = {'=', heksa[c >> 4], heksa[c & 15]};
        if (alku.size() + sana.size() + osa.size() + 2 > 75) paata();
        sana += osa;
    }
    paata();
    return tulos;
}

// A display name as a header phrase: plain, quoted or encoded.
std::string nimi_otsakkeeseen(const std::string& cp1252) {
    if (tarvitsee_koodauksen(cp1252)) return otsaketeksti(cp1252);
    std::string lainattu = "\"";
    for (char c : cp1252) {
        if (c == '"' || c == '\\') lainattu += '\\';
        lainattu += c;
    }
    return lainattu + "\"";
}

// Quoted-printable of one line (RFC 2045), with soft breaks before 76 characters.
void qp_rivi(const std::string& rivi, std::string& ulos) {
    std::string nykyinen;
    for (std::size_t i = 0; i < rivi.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(rivi[i]);
        const bool viimeinen = i + 1 == rivi.size();
        std::string osa;
        if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !viimeinen))
            osa = std::string(1, static_cast<char>(c));
        else
            osa = {'=', heksa[c >> 4], heksa[c & 15]};
        // A line starting with a dot is left to the transport's dot-stuffing.
        if (nykyinen.size() + osa.size() > 75) {
            ulos += nykyinen + "=\r\n";
            nykyinen.clear();
        }
        nykyinen += osa;
    }
    ulos += nykyinen + "\r\n";
}

std::string base64(const std::string& data) {
    static const char* merkit = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string ulos;
    std::size_t rivilla = 0;
    for (std::size_t i = 0; i < data.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, data.size() - i);
        unsigned v = static_cast<unsigned char>(data[i]) << 16;
        if (n > 1) v |= static_cast<unsigned char>(data[i + 1]) << 8;
        if (n > 2) v |= static_cast<unsigned char>(data[i + 2]);
        ulos += merkit[(v >> 18) & 63];
        ulos += merkit[(v >> 12) & 63];
        ulos += n > 1 ? merkit[(v >> 6) & 63] : '=';
        ulos += n > 2 ? merkit[v & 63] : '=';
        if ((rivilla += 4) >= 76) {
            ulos += "\r\n";
            rivilla = 0;
        }
    }
    if (rivilla) ulos += "\r\n";
    return ulos;
}

std::string rfc5322_aika(std::time_t t) {
    static const char* paivat[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* kuut[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm tm{};
    localtime_r(&t, &tm);
    const long siirto = tm.tm_gmtoff / 60;
    const long h = std::labs(siirto) / 60, m = std::labs(siirto) % 60;
    char b[64];
    std::snprintf(b, sizeof b, "%s, %d %s %04d %02d:%02d:%02d %c%02ld%02ld", paivat[tm.tm_wday], tm.tm_mday,
                  kuut[tm.tm_mon], tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec, siirto < 0 ? '-' : '+', h, m);
    return b;
}

// A filename parameter: quoted when plain ASCII, else in the RFC 2231 form.
std::string tiedostonimi_parametri(const std::string& l1) {
    if (!tarvitsee_koodauksen(l1) && l1.find_first_of("\"\\") == std::string::npos) return "filename=\"" + l1 + "\"";
    std::string s = "filename*=ISO-8859-1''";
    for (unsigned char c : l1) {
        if ((std::isalnum(c) && c < 0x80) || c == '.' || c == '-' || c == '_') s += static_cast<char>(c);
        else s += {'%', heksa[c >> 4], heksa[c & 15]};
    }
    return s;
}

bool kelvollinen_osoite(const std::string& a) {
    if (a.empty() || a.find('@') == std::string::npos) return false;
    for (unsigned char c : a)
        if (c <= 0x20 || c >= 0x7F || c == '<' || c == '>' || c == ',' || c == '"') return false;
    return true;
}

struct Lukija {
    const std::string* data;
    std::size_t kohta = 0;
};

std::size_t lue(char* puskuri, std::size_t koko, std::size_t n, void* omistaja) {
    auto* l = static_cast<Lukija*>(omistaja);
    const std::size_t maara = std::min(koko * n, l->data->size() - l->kohta);
    std::memcpy(puskuri, l->data->data() + l->kohta, maara);
    l->kohta += maara;
    return maara;
}

void alusta_curl() {
    static std::once_flag kerran;
    std::call_once(kerran, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

std::string smtp_osoite(std::string p) {
    bool salattu = false;
    for (const char* etu : {"smtp://", "SMTP://", "smtps://", "SMTPS://"}) {
        if (p.rfind(etu, 0) != 0) continue;
        salattu = std::strlen(etu) == 8;
        p = p.substr(std::strlen(etu));
        break;
    }
    while (!p.empty() && (p.back() == '/' || p.back() == ' ')) p.pop_back();
    while (!p.empty() && p.front() == ' ') p.erase(0, 1);
    std::string isanta = p, portti = salattu ? "465" : "25";
    if (!p.empty() && p.front() == '[') {
        const auto loppu = p.find(']');
        if (loppu != std::string::npos && loppu + 1 < p.size() && p[loppu + 1] == ':') {
            isanta = p.substr(0, loppu + 1);
            portti = p.substr(loppu + 2);
        }
    } else if (std::count(p.begin(), p.end(), ':') == 1) {
        isanta = p.substr(0, p.find(':'));
        portti = p.substr(p.find(':') + 1);
    }
    // Port 465 speaks TLS from the first byte; every other port starts in the clear.
    return (salattu || portti == "465" ? "smtps://" : "smtp://") + isanta + ":" + portti;
}

std::string latin1(const std::string& cp1252) {
    std::string s;
    s.reserve(cp1252.size());
    for (unsigned char c : cp1252) {
        if (c >= 0x80 && c <= 0x9F) s += korvike(c);
        else s += static_cast<char>(c);
    }
    return s;
}

std::string otsaketeksti(const std::string& cp1252) {
    const std::string l1 = latin1(cp1252);
    return tarvitsee_koodauksen(l1) ? q_koodaa(l1) : l1;
}

std::string rakenna_viesti(const Sahkoposti& s) {
    static std::atomic<unsigned> laskuri{0};
    const std::time_t aika = s.aika ? s.aika : std::time(nullptr);
    std::string v;
    v += "Date: " + rfc5322_aika(aika) + "\r\n";
    v += "From: ";
    if (!s.lahettajan_nimi.empty()) v += nimi_otsakkeeseen(s.lahettajan_nimi) + " ";
    v += "<" + s.lahettaja + ">\r\n";
    if (!s.vastausosoite.empty()) v += "Reply-To: <" + s.vastausosoite + ">\r\n";
    v += "To: <" + s.vastaanottaja + ">\r\n";
    v += "Subject: " + otsaketeksti(s.otsikko) + "\r\n";
    const auto at = s.lahettaja.find('@');
    const std::string verkkotunnus = at == std::string::npos ? "localhost" : s.lahettaja.substr(at + 1);
    v += "Message-ID: <" + std::to_string(aika) + "." + std::to_string(::getpid()) + "." +
         std::to_string(++laskuri) + "@" + verkkotunnus + ">\r\n";
    if (!s.ohjelma.empty()) v += "X-Mailer: " + otsaketeksti(s.ohjelma) + "\r\n";
    v += "MIME-Version: 1.0\r\n";

    std::string teksti;
    for (const std::string& r : s.rivit) qp_rivi(latin1(r), teksti);
    const std::string tekstin_otsakkeet =
        "Content-Type: text/plain; charset=ISO-8859-1\r\nContent-Transfer-Encoding: quoted-printable\r\n";
    if (s.liitteen_nimi.empty()) {
        v += tekstin_otsakkeet + "\r\n" + teksti;
        return v;
    }
    const std::string raja = "=_rullakko_" + std::to_string(aika) + "_" + std::to_string(laskuri.load());
    v += "Content-Type: multipart/mixed; boundary=\"" + raja + "\"\r\n\r\n";
    v += "This is a multi-part message in MIME format.\r\n";
    v += "--" + raja + "\r\n" + tekstin_otsakkeet + "\r\n" + teksti;
    const std::string nimi = latin1(s.liitteen_nimi);
    v += "--" + raja + "\r\n";
    v += "Content-Type: application/octet-stream\r\n";
    v += "Content-Transfer-Encoding: base64\r\n";
    v += "Content-Disposition: attachment; " + tiedostonimi_parametri(nimi) + "\r\n\r\n";
    v += base64(s.liite);
    v += "--" + raja + "--\r\n";
    return v;
}

namespace {

// One transfer on a thread of its own, so that a server that stops answering (libcurl waits for some
// answers without returning) never holds up the window: a cancel shuts the socket, which ends every wait.
class Siirto {
public:
    explicit Siirto(CURL* e) : e_(e) {
        curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &Siirto::avaa);
        curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, this);
        curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, &Siirto::sulje);
        curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, this);
        curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Siirto::edistyminen);
        curl_easy_setopt(e, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
        saie_ = std::thread([this] {
            const CURLcode k = curl_easy_perform(e_);
            std::lock_guard lukko(m_);
            koodi_ = k;
            valmis_ = true;
            cv_.notify_all();
        });
    }
    ~Siirto() { saie_.join(); }
    Siirto(const Siirto&) = delete;
    Siirto& operator=(const Siirto&) = delete;

    // Waits at most `ms` milliseconds; true when the transfer has ended.
    bool odota(int ms) {
        std::unique_lock lukko(m_);
        return cv_.wait_for(lukko, std::chrono::milliseconds(ms), [this] { return valmis_; });
    }
    void keskeyta() {
        std::lock_guard lukko(m_);
        keskeytetty_ = true;
        if (pistoke_ != CURL_SOCKET_BAD) ::shutdown(pistoke_, SHUT_RDWR);
    }
    // The result, once odota() has said the transfer ended.
    CURLcode koodi() {
        std::lock_guard lukko(m_);
        return koodi_;
    }

private:
    static curl_socket_t avaa(void* omistaja, curlsocktype, curl_sockaddr* osoite) {
        auto* s = static_cast<Siirto*>(omistaja);
        std::lock_guard lukko(s->m_);
        if (s->keskeytetty_) return CURL_SOCKET_BAD;
        s->pistoke_ = ::socket(osoite->family, osoite->socktype | SOCK_CLOEXEC, osoite->protocol);
        return s->pistoke_;
    }
    static int sulje(void* omistaja, curl_socket_t pistoke) {
        auto* s = static_cast<Siirto*>(omistaja);
        std::lock_guard lukko(s->m_);
        if (pistoke == s->pistoke_) s->pistoke_ = CURL_SOCKET_BAD;
        return ::close(pistoke);
    }
    static int edistyminen(void* omistaja, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* s = static_cast<Siirto*>(omistaja);
        std::lock_guard lukko(s->m_);
        return s->keskeytetty_ ? 1 : 0;
    }

    CURL* e_;
    std::mutex m_;
    std::condition_variable cv_;
    bool valmis_ = false;
    bool keskeytetty_ = false;
    curl_socket_t pistoke_ = CURL_SOCKET_BAD;
    CURLcode koodi_ = CURLE_FAILED_INIT;
    std::thread saie_;
};

std::string epaonnistumisen_syy(CURLcode koodi, long vastaus, const char* virheteksti) {
    if (koodi == CURLE_USE_SSL_FAILED) return net::syy_ja_tekninen(smtp_ei_suojausta, koodi, virheteksti);
    // A server that answered with a refusal says more than the transport's word for it.
    if (vastaus >= 400 && koodi != CURLE_LOGIN_DENIED)
        return net::syy_ja_tekninen("palvelin torjui viestin (vastaus " + std::to_string(vastaus) + ")", koodi,
                                    virheteksti);
    return net::syy_ja_tekninen(net::curl_syy(koodi), koodi, virheteksti);
}

}  // namespace

Tulos laheta_sahkoposti(const SmtpPalvelin& palvelin, const Sahkoposti& s, const std::function<bool()>& jatka) {
    if (!kelvollinen_osoite(s.lahettaja) || !kelvollinen_osoite(s.vastaanottaja) ||
        (!s.vastausosoite.empty() && !kelvollinen_osoite(s.vastausosoite)))
        return Tulos::virhe(smtp_koodi_viallinen,
                            std::string(smtp_epaonnistui) + "\nSähköpostiosoite ei kelpaa: " +
                                (kelvollinen_osoite(s.lahettaja) ? s.vastaanottaja : s.lahettaja));
    alusta_curl();
    const std::string viesti = rakenna_viesti(s);
    Lukija lukija{&viesti};
    char virheteksti[CURL_ERROR_SIZE] = "";

    CURL* e = curl_easy_init();
    if (!e) return Tulos::virhe(CURLE_FAILED_INIT, smtp_epaonnistui);
    const std::string url = smtp_osoite(palvelin.palvelin);
    const std::string kuoren_lahettaja = "<" + s.lahettaja + ">";
    curl_slist* vastaanottajat = curl_slist_append(nullptr, ("<" + s.vastaanottaja + ">").c_str());
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(e, CURLOPT_MAIL_FROM, kuoren_lahettaja.c_str());
    curl_easy_setopt(e, CURLOPT_MAIL_RCPT, vastaanottajat);
    // A password never crosses the network in the clear: with log-on the connection must be encrypted
    // (STARTTLS, or TLS from the start on port 465), and the server's certificate is checked as always.
    const std::string kayttaja = merkisto::cp1252_utf8(palvelin.kayttaja);
    const std::string salasana = merkisto::cp1252_utf8(palvelin.salasana);
    curl_easy_setopt(e, CURLOPT_USE_SSL, static_cast<long>(kayttaja.empty() ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    if (!kayttaja.empty()) {
        curl_easy_setopt(e, CURLOPT_USERNAME, kayttaja.c_str());
        curl_easy_setopt(e, CURLOPT_PASSWORD, salasana.c_str());
    }
    if (!palvelin.varmenteet.empty()) curl_easy_setopt(e, CURLOPT_CAINFO, palvelin.varmenteet.c_str());
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, palvelin.yhteysaika_s);
    // A server that stops answering mid-message is given up on instead of waiting for ever.
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, 60L);
    curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(e, CURLOPT_READFUNCTION, lue);
    curl_easy_setopt(e, CURLOPT_READDATA, &lukija);
    curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(viesti.size()));
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, virheteksti);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);

    bool keskeytetty = false;
    CURLcode koodi;
    {
        Siirto siirto(e);
        // The caller's window processes its events between short waits; a cancel there ends the transfer.
        do {
            if (!keskeytetty && jatka && !jatka()) {
                keskeytetty = true;
                siirto.keskeyta();
            }
        } while (!siirto.odota(jatka ? 30 : 1000));
        koodi = siirto.koodi();
    }
    long vastaus = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &vastaus);
    curl_easy_cleanup(e);
    curl_slist_free_all(vastaanottajat);

    // A message the server took before the cancel reached the connection has gone, and is reported so.
    if (keskeytetty && koodi != CURLE_OK) {
        kirjoita_debug_aina("[smtp] lähetys keskeytetty");
        return Tulos::virhe(smtp_koodi_keskeytetty, smtp_keskeytetty);
    }
    if (koodi == CURLE_OK) {
        kirjoita_debug("[smtp] viesti lähetetty: " + url);
        return Tulos{0, smtp_lahetetty};
    }
    kirjoita_debug_aina("[smtp] " + url + ": " + (virheteksti[0] ? virheteksti : curl_easy_strerror(koodi)) + " (" +
                        std::to_string(vastaus) + ")");
    const std::string syy = epaonnistumisen_syy(koodi, vastaus, virheteksti);
    if (koodi == CURLE_LOGIN_DENIED) return Tulos::virhe(koodi, std::string(smtp_kayttaja_hylatty) + "\n" + syy);
    return Tulos::virhe(koodi, std::string(smtp_epaonnistui) + "\n" + syy);
}
