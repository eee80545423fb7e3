#pragma once
// The user agreement shown before the first search: Jatka accepts it once and for all.
#include <QDialog>

class QTextEdit;
class QPushButton;

class Timdb_warning : public QDialog {
    Q_OBJECT
public:
    explicit Timdb_warning(QWidget* isa);

    QTextEdit* Memo;
    QPushButton* jatka_button;
    QPushButton* peruuta_button;
};
