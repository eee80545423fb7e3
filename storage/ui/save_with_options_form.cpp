#include "storage/ui/save_with_options_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "diag/ui/teksti.h"

namespace {

QLabel* huomautus(QWidget* parent, const char* teksti, int x, int y, int w, int h) {
    auto* l = new QLabel(fi(teksti), parent);
    l->setWordWrap(true);
    l->setGeometry(x, y, w, h);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    l->setFont(f);
    l->setStyleSheet("color: #505050");
    return l;
}

}  // namespace

Tsave_with_options_form::Tsave_with_options_form(Varasto& v, std::function<QString()> kysy_nimi, QWidget* parent)
    : QDialog(parent), v_(v), kysy_nimi_(std::move(kysy_nimi)) {
    setObjectName("save_with_options_form");
    setWindowTitle(fi("Asetukset"));
    setFixedSize(420, 346);

    save_normal = new QRadioButton(fi("&Normaali tallennus (suositus)"), this);
    save_normal->setObjectName("save_normal");
    save_normal->setGeometry(16, 12, 380, 22);
    save_normal->setChecked(true);

    save_jpg = new QRadioButton(fi("&Tallenna kaikki kansikuvat .jpg muodossa"), this);
    save_jpg->setObjectName("save_jpg");
    save_jpg->setGeometry(16, 42, 380, 22);
    huomautus(this,
              "Muuttaa kaikki gif formaatissa olevat kansikuvat jpg formaattiin. Tietokanna vie vähemmän tilaa, mutta "
              "kansikuvat eivät ole yhtä tarkkoja.",
              36, 64, 370, 50);

    puolita_resoluutio = new QCheckBox(fi("Puolita (isojen) kuvien resoluutio"), this);
    puolita_resoluutio->setObjectName("puolita_resoluutio");
    puolita_resoluutio->setGeometry(36, 118, 360, 22);
    huomautus(this, "Puolittaa jokaisen ison kuvan koon puoleen säästäen tilaa vielä enemmän, tarkkuuden kustannuksella.",
              56, 140, 350, 34);

    quality = new QSlider(Qt::Horizontal, this);
    quality->setObjectName("quality");
    quality->setRange(10, 100);
    quality->setValue(80);
    quality->setTickInterval(5);
    quality->setSingleStep(5);
    quality->setPageStep(5);
    quality->setTickPosition(QSlider::TicksBelow);
    quality->setGeometry(36, 180, 350, 28);
    // Higher quality sits at the left end, as the labels read.
    quality->setInvertedAppearance(true);
    auto* parempi = new QLabel(fi("Parempi kuvanlaatu"), this);
    parempi->setGeometry(36, 208, 170, 18);
    auto* pienempi = new QLabel(fi("Pienempi tiedosto"), this);
    pienempi->setGeometry(216, 208, 170, 18);
    pienempi->setAlignment(Qt::AlignRight);

    save_none = new QRadioButton(fi("&Älä tallenna kansikuvia tiedostoon ollenkaan"), this);
    save_none->setObjectName("save_none");
    save_none->setGeometry(16, 240, 380, 22);

    jatka_button = new QPushButton(fi("&Jatka"), this);
    jatka_button->setObjectName("jatka_button");
    jatka_button->setGeometry(224, 300, 88, 28);
    jatka_button->setDefault(true);
    peruuta_button = new QPushButton(fi("&Peruuta"), this);
    peruuta_button->setObjectName("peruuta_button");
    peruuta_button->setGeometry(320, 300, 88, 28);

    for (QRadioButton* r : {save_normal, save_jpg, save_none})
        connect(r, &QRadioButton::toggled, this, &Tsave_with_options_form::paivita_valinnat);
    connect(jatka_button, &QPushButton::clicked, this, &Tsave_with_options_form::jatka_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
    paivita_valinnat();
}

void Tsave_with_options_form::paivita_valinnat() {
    const bool jpg = save_jpg->isChecked();
    puolita_resoluutio->setEnabled(jpg);
    quality->setEnabled(jpg);
}

Kansikuvat Tsave_with_options_form::valittu_tapa() const {
    if (save_jpg->isChecked()) return Kansikuvat::Jpg;
    if (save_none->isChecked()) return Kansikuvat::EiKansia;
    return Kansikuvat::Normaali;
}

void Tsave_with_options_form::jatka_buttonClick() {
    hide();
    const QString nimi = kysy_nimi_ ? kysy_nimi_() : QString();
    if (!nimi.isEmpty())
        tallenna_asetuksin(cp(nimi), valittu_tapa(), quality->value(), puolita_resoluutio->isChecked(), v_);
    accept();
}
