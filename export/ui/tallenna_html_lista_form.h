#pragma once
// "Tallenna elokuvalista html-tiedostoon": the columns and tag attributes of the HTML list, and saving it.
#include <QDialog>

#include "export/lista.h"

class Paaikkuna;
class QCheckBox;
class QLineEdit;
class QPushButton;

class Ttallenna_html_lista_form : public QDialog {
    Q_OBJECT
public:
    explicit Ttallenna_html_lista_form(Paaikkuna& p, QWidget* parent = nullptr);

    QCheckBox* lisaa_nro;
    QCheckBox* lisaa_paaos;
    QCheckBox* lisaa_vuosi;
    QCheckBox* lisaa_luokitus;
    QCheckBox* lisaa_kesto;
    QCheckBox* lisaa_formaatti;
    QCheckBox* lisaa_aaniraita;
    QCheckBox* lisaa_arvosana;
    QLineEdit* table;
    QLineEdit* td;
    QLineEdit* td_kasnum;
    QLineEdit* td_sarakkeet;
    QPushButton* tallenna_button;
    QPushButton* peruuta_button;

    Html_asetukset valinnat() const;
    void tallenna_buttonClick();

private:
    Paaikkuna& p_;
};
