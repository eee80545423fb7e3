#include "diag/ui/teksti.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "perus/merkisto.h"

QString q(std::string_view cp1252) { return QString::fromStdString(merkisto::cp1252_utf8(cp1252)); }

std::string cp(const QString& s) { return merkisto::utf8_cp1252(s.toStdString()); }

QString raakateksti(const QPlainTextEdit* kentta) {
    QString t = kentta->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t;
}
