#pragma once
// "Kasetin pituus ...": the total length of a tape cassette, asked when a new cassette of unknown length
// is entered and when a row of the tape status is double-clicked.
#include <QDialog>
#include <string>

class Paaikkuna;
class QComboBox;
class QLabel;
class QPushButton;

class Tsyota_kas : public QDialog {
    Q_OBJECT
public:
    Tsyota_kas(Paaikkuna& p, std::string kasetti);

    QLabel* selitys_label;
    QComboBox* pituus;
    QPushButton* ok_button;
    QPushButton* peruuta_button;
    QPushButton* asetukset_button;

    void ok_buttonClick();
    void asetukset_buttonClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    Paaikkuna& p_;
    std::string kasetti_;
};
