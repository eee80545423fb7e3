#pragma once
// Why a transfer failed, in the user's words: one Finnish reason for a libcurl result, shared by the HTTP
// and SMTP clients.
#include <curl/curl.h>

#include <string>

namespace net {

// The Finnish reason (cannot connect, name not found, timed out, refused, secure connection failed, …);
// libcurl's own text for a result without one.
std::string curl_syy(CURLcode c);

// A reason and, on the next line in parentheses, libcurl's technical line (its error buffer when it wrote
// one), for whoever has to find out more.
std::string syy_ja_tekninen(const std::string& syy, CURLcode c, const char* virheteksti);

}  // namespace net
