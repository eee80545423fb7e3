#pragma once
// The debug window: the last log lines and the two switches of the log.
#include <QWidget>

class QListWidget;
class QPushButton;
class QCheckBox;

class TDebug_Form : public QWidget {
    Q_OBJECT
public:
    static constexpr int korkeus = 518;

    explicit TDebug_Form(QWidget* parent = nullptr);
    ~TDebug_Form() override;

    QListWidget* Debug_Box;
    QPushButton* Clear_button;
    QCheckBox* debug_enabled;
    QCheckBox* debug2file;

    void Clear_buttonClick();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void paivita_rivit();
    void paivita_kytkimet();
};
