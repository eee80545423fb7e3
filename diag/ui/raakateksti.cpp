#include "diag/ui/raakateksti.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString raakateksti(const QPlainTextEdit* kentta) {
    QString t = kentta->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t;
}
