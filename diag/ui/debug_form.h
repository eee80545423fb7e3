#pragma once
// The debug window: the last log lines and the two switches of the log.
#include <QWidget>

#include "diag/loki.h"

class QListWidget;
class QPushButton;
class QCheckBox;

class TDebug_Form : public QWidget, private diag::Lokin_nakyma {
    Q_OBJECT
public:
    static constexpr int korkeus = 518;

    explicit TDebug_Form(QWidget* parent = nullptr);

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
    void rivit_muuttuivat() override;
    void kytkimet_muuttuivat() override { paivita_kytkimet(); }

    diag::Lokiin_kytketty<diag::Lokin_nakyma> kytkenta_{*this};
};
