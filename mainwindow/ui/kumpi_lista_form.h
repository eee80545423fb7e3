#pragma once
// Asked when the list button is used while the list window holds search results: which list to show.
#include <QDialog>

class QPushButton;

class Tkumpi_lista_form : public QDialog {
    Q_OBJECT
public:
    enum Valinta { Hakutulos = 1, Kaikki = 2, Peruuta = 0 };

    explicit Tkumpi_lista_form(QWidget* parent = nullptr);

    QPushButton* hakutulos;
    QPushButton* kaikki;
    QPushButton* peruuta;
};
