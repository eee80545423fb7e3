#include "diag/ui/teksti.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "perus/merkisto.h"

QString q(std::string_view cp1252) { return QString::fromStdString(merkisto::cp1252_utf8(cp1252)); }

std::string cp(const QString& s) { return merkisto::utf8_cp1252(s.toStdString()); }

// cp1252 has one byte a character, so a cut at a byte never splits a character.
QString q_nakyva(std::string_view cp1252, std::size_t raja) {
    if (!katkeaa(cp1252, raja)) return q(cp1252);
    return q(cp1252.substr(0, raja)) + QChar(0x2026);
}

QString nakyva(const QString& s, std::size_t raja) {
    if (static_cast<std::size_t>(s.size()) <= raja) return s;
    return s.left(static_cast<qsizetype>(raja)) + QChar(0x2026);
}

QString raakateksti(const QPlainTextEdit* kentta) {
    QString t = kentta->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t;
}
