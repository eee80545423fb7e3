#pragma once
// "Tallenna nimellä... [+asetukset]": saving under a new name without covers or with covers recompressed.
#include <QDialog>
#include <functional>

#include "storage/tallennus.h"

class QRadioButton;
class QCheckBox;
class QSlider;
class QPushButton;

class Tsave_with_options_form : public QDialog {
    Q_OBJECT
public:
    // `kysy_nimi` asks for the target name (the save dialog); empty when cancelled.
    Tsave_with_options_form(Varasto& v, std::function<QString()> kysy_nimi, QWidget* parent = nullptr);

    QRadioButton* save_normal;
    QRadioButton* save_jpg;
    QCheckBox* puolita_resoluutio;
    QSlider* quality;
    QRadioButton* save_none;
    QPushButton* jatka_button;
    QPushButton* peruuta_button;

    void jatka_buttonClick();
    Kansikuvat valittu_tapa() const;

private:
    void paivita_valinnat();

    Varasto& v_;
    std::function<QString()> kysy_nimi_;
};

