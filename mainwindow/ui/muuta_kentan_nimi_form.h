#pragma once
// Renaming the first user-named field, for the current card or for every card whose field is empty.
#include <QDialog>

#include "storage/kortti.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace diag { class Viestit; }

class Tmuuta_kentan_nimi_form : public QDialog {
    Q_OBJECT
public:
    Tmuuta_kentan_nimi_form(Tietokanta& tk, diag::Viestit& viestit, QWidget* parent = nullptr);

    QLabel* cust_label;
    QLineEdit* uusi_nimi;
    QPushButton* muuta_tama;
    QPushButton* muuta_kaikki;

    void muuta_tamaClick();
    void muuta_kaikkiClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // The typed name with its ':'; empty (after telling the user) when nothing was typed.
    std::string nimi();

    Tietokanta& tk_;
    diag::Viestit& viestit_;
};
