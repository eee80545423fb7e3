#pragma once
// cp1252 is the program's text; UTF-8 is what the file system and the widgets speak.
#include <string>
#include <string_view>

namespace merkisto {

std::string cp1252_utf8(std::string_view cp);
// Characters that cp1252 cannot hold become '?'; invalid UTF-8 bytes are taken as cp1252 bytes.
std::string utf8_cp1252(std::string_view utf8);

}  // namespace merkisto
