#pragma once
// The widget boundary: the program's cp1252 text to and from QString.
#include <QString>
#include <string>
#include <string_view>

#include "diag/nayttoraja.h"

// cp1252 bytes (every narrow literal of the program is compiled as cp1252) to QString.
QString q(std::string_view cp1252);
inline QString fi(const char* cp1252) { return q(cp1252); }
// QString back to cp1252; characters cp1252 cannot hold become '?'.
std::string cp(const QString& s);

// The text as q() gives it, cut to `raja` characters with "…" at the end when it is longer.
QString q_nakyva(std::string_view cp1252, std::size_t raja = rivin_nayttoraja);
// The same for text that is already a QString.
QString nakyva(const QString& s, std::size_t raja = rivin_nayttoraja);
