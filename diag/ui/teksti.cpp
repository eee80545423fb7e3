#include "diag/ui/teksti.h"

#include "perus/merkisto.h"

QString q(std::string_view cp1252) { return QString::fromStdString(merkisto::cp1252_utf8(cp1252)); }

std::string cp(const QString& s) { return merkisto::utf8_cp1252(s.toStdString()); }

QString q_nakyva(std::string_view cp1252, std::size_t raja) {
    return katkeaa(cp1252, raja) ? q(lyhennetty(cp1252, raja)) : q(cp1252);
}

QString nakyva(const QString& s, std::size_t raja) {
    if (static_cast<std::size_t>(s.size()) <= raja) return s;
    return s.left(static_cast<qsizetype>(raja)) + QChar(0x2026);
}
