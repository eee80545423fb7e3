#include "diag/ui/teksti.h"

#include "storage/merkisto.h"

QString q(std::string_view cp1252) { return QString::fromStdString(merkisto::cp1252_utf8(cp1252)); }

std::string cp(const QString& s) { return merkisto::utf8_cp1252(s.toStdString()); }
