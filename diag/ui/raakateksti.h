#pragma once
// The text of a multi-line field as the program stores it.
#include <QString>

class QPlainTextEdit;

// The text of a multi-line field exactly as typed or set: toPlainText() turns a non-breaking space into a
// plain one, which would change a stored value that nobody edited.
QString raakateksti(const QPlainTextEdit* kentta);
