#pragma once
// The acknowledgements window, which also shows the list of the program's keyboard shortcuts.
#include <QDialog>
#include <QPixmap>

class QPlainTextEdit;
class Tiedostojarjestelma;
struct Ulkoasu;

class Tkiitokset_form final : public QDialog {
    Q_OBJECT
public:
    // The shortcut list, line by line as the window shows it (cp1252).
    static const char* const pikanappaimet[];

    Tkiitokset_form(const Ulkoasu& ulkoasu, Tiedostojarjestelma& tiedostot, QWidget* parent);

    QPlainTextEdit* kiitokset_memo;
    QPlainTextEdit* pikanappaimet_memo;

    // The shortcut list instead of the acknowledgements, under its own caption.
    void nayta_pikanappaimet();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap tausta_;
};
