#pragma once
// The mapping step of an imported list: the file's header row beside the card fields the columns go to,
// each changeable; the encoding and separator, found from the file, changeable too.
#include <QDialog>
#include <string>
#include <vector>

#include "tuonti/csv.h"
#include "tuonti/kartta.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class Ttuonti_form : public QDialog {
    Q_OBJECT
public:
    // `data` is the whole file; `taulu` the file as read with the encoding and separator found.
    Ttuonti_form(std::string data, Csvtaulu taulu, const QString& tiedosto, QWidget* parent = nullptr);

    QLabel* tiedosto_label;
    QComboBox* merkisto_valinta;
    QComboBox* erotin_valinta;
    QLabel* maara_label;
    QTableWidget* sarakkeet_grid;
    QPushButton* tuo_button;
    QPushButton* peruuta_button;

    const Csvtaulu& taulu() const { return taulu_; }
    // The field chosen for each column of the file.
    Sarakekartta kartta() const;
    // The field box of a column of the file.
    QComboBox* kentta_valinta(int sarake) const;

private:
    void lue_uudelleen();
    void nayta_sarakkeet();

    std::string data_;
    Csvtaulu taulu_;
};
