#pragma once
// How much of a text a view is given. A catalogue may carry a field of tens of megabytes, and laying all of
// it out would stall the window for minutes: what is drawn is cut, the stored value never.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t rivin_nayttoraja = 2000;     // single-line controls, cells, captions, printing
inline constexpr std::size_t alueen_nayttoraja = 20000;   // multi-line controls and message boxes
inline constexpr std::size_t vihjeen_nayttoraja = 500;    // tool tips
inline constexpr std::size_t lainauksen_nayttoraja = 200;  // a field quoted inside a message's sentence

inline bool katkeaa(std::string_view cp1252, std::size_t raja = rivin_nayttoraja) { return cp1252.size() > raja; }

// cp1252 text cut to `raja` characters with "…" (byte 0x85) at the end when it is longer; cp1252 has one byte
// a character, so the cut never splits one.
inline std::string lyhennetty(std::string_view cp1252, std::size_t raja = lainauksen_nayttoraja) {
    if (!katkeaa(cp1252, raja)) return std::string(cp1252);
    std::string t(cp1252.substr(0, raja));
    t += '\x85';
    return t;
}
