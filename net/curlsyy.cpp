#include "net/curlsyy.h"

namespace net {

std::string curl_syy(CURLcode c) {
    switch (c) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return "palvelimen nimeä ei löytynyt";
    case CURLE_COULDNT_CONNECT: return "palvelimeen ei saatu yhteyttä";
    case CURLE_OPERATION_TIMEDOUT: return "palvelin ei vastannut ajoissa";
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING: return "yhteys katkesi kesken siirron";
    case CURLE_TOO_MANY_REDIRECTS: return "liian monta uudelleenohjausta";
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_REMOTE_ACCESS_DENIED: return "palvelin torjui pyynnön";
    case CURLE_LOGIN_DENIED: return "palvelin ei hyväksynyt käyttäjänimeä tai salasanaa";
    case CURLE_USE_SSL_FAILED: return "palvelin ei tarjoa suojattua yhteyttä";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM: return "suojattu yhteys epäonnistui";
    default: return curl_easy_strerror(c);
    }
}

std::string syy_ja_tekninen(const std::string& syy, CURLcode c, const char* virheteksti) {
    const std::string tekninen = virheteksti && *virheteksti ? virheteksti : curl_easy_strerror(c);
    return syy == tekninen ? syy : syy + "\n(" + tekninen + ")";
}

}  // namespace net
