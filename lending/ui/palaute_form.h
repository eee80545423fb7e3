#pragma once
// Two small mail windows of the main window: feedback to the address of the settings, and the address
// the open catalogue is mailed to.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Subject, message and the sender (from the settings). "Lähetä" accepts; the owner sends.
class Tpalaute_form : public QDialog {
    Q_OBJECT
public:
    Tpalaute_form(const QString& lahettaja, const QString& vastaanottaja, QWidget* parent);
    QLineEdit* aihe_edit;
    QPlainTextEdit* viesti_memo;
    QLabel* lahettaja_label;
    QPushButton* laheta_button;
    QPushButton* peruuta_button;

private:
    void laheta_buttonClick();
};

// The recipient's address and an optional covering note.
class Tlaheta_tietokanta_form : public QDialog {
    Q_OBJECT
public:
    Tlaheta_tietokanta_form(const QString& tiedosto, QWidget* parent);
    QLineEdit* osoite_edit;
    QLabel* osoite_virhe;
    QPlainTextEdit* saate_memo;
    QPushButton* laheta_button;
    QPushButton* peruuta_button;

private:
    void laheta_buttonClick();
};
