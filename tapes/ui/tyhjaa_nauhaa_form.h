#pragma once
// "Nauhatilanne": every tape cassette with its length, used and free minutes, and the search for a
// cassette with enough free tape.
#include <QDialog>
#include <vector>

#include "tapes/nauhatilanne.h"

class Paaikkuna;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTableWidget;

class Ttyhjaa_nauhaa_form : public QDialog {
    Q_OBJECT
public:
    explicit Ttyhjaa_nauhaa_form(Paaikkuna& p);

    QTableWidget* ListaGrid;
    QLineEdit* vahintaan;
    QRadioButton* SP;
    QRadioButton* LP;
    QPushButton* etsi_vapaata_button;
    QPushButton* nayta_kaikki;
    QPushButton* sulje_button;
    QStatusBar* StatusBar;

    // The rows shown, as the grid shows them.
    const std::vector<Nauharivi>& rivit() const { return rivit_; }

    void tee_nauhalista(long long vahintaan_min);
    void etsi_vapaata_buttonClick();
    void ListaGridClick();
    void ListaGridDblClick();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void nayta(std::vector<Nauharivi> rivit);

    Paaikkuna& p_;
    std::vector<Nauharivi> rivit_;
    bool rakennetaan_ = false;
};
