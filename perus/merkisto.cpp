#include "perus/merkisto.h"

#include <array>
#include <cstdint>

namespace merkisto {
namespace {

// Code points of bytes 0x80..0x9F; the five bytes cp1252 leaves undefined map to the C1 controls.
constexpr std::array<char32_t, 32> korkeat = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t koodipiste(unsigned char c) { return (c >= 0x80 && c < 0xA0) ? korkeat[c - 0x80] : c; }

void lisaa_utf8(std::string& ulos, char32_t cp) {
    if (cp < 0x80) {
        ulos += static_cast<char>(cp);
    } else if (cp < 0x800) {
        ulos += static_cast<char>(0xC0 | (cp >> 6));
        ulos += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        ulos += static_cast<char>(0xE0 | (cp >> 12));
        ulos += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ulos += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int tavu_cp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < korkeat.size(); ++i)
        if (korkeat[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

// Length of a valid UTF-8 sequence starting at s[i], and its code point; 0 when not valid.
std::size_t lue_utf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; cp = c & 0x07; }
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000)) return 0;
    return n;
}

}  // namespace

std::string cp1252_utf8(std::string_view cp) {
    std::string ulos;
    ulos.reserve(cp.size() + cp.size() / 8);
    for (const char c : cp) lisaa_utf8(ulos, koodipiste(static_cast<unsigned char>(c)));
    return ulos;
}

std::string utf8_cp1252(std::string_view utf8) {
    std::string ulos;
    ulos.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            ulos += static_cast<char>(c);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t n = lue_utf8(utf8, i, cp);
        if (n == 0) {
            ulos += static_cast<char>(c);
            ++i;
            continue;
        }
        const int t = tavu_cp1252(cp);
        ulos += t < 0 ? '?' : static_cast<char>(t);
        i += n;
    }
    return ulos;
}

}  // namespace merkisto
