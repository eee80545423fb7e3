#pragma once
// The large cover: a borderless black window over the main window; a click closes it, the arrow keys
// step to the next or previous card that has a cover.
#include <QDialog>
#include <functional>

#include "storage/varasto.h"

class QLabel;
class QMenu;
class QAction;

class Tcover_form : public QDialog {
    Q_OBJECT
public:
    struct Kytkokset {
        std::function<void()> nayta_kortti;  // the main window shows the current card
        std::function<void()> piippaa;
    };

    Tcover_form(Varasto& v, Kytkokset k, QWidget* paaikkuna);

    QLabel* cover_image;
    QMenu* Cover_popup;
    QAction* find_next;
    QAction* find_prev;

    // Loads the current card's cover; false (with the message) when its file is missing.
    bool lataa_kansi();
    void etsi(int suunta);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void keskita();

    Varasto& v_;
    Kytkokset k_;
};
