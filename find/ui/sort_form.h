#pragma once
// The sort window: the fifteen keys, the direction, and two blinking labels that point the user at what
// to choose next. Sorting itself is storage/lajittelu; the window tells its caller through jarjestetty().
#include <QDialog>
#include <QPixmap>
#include <cstdint>

#include "find/sorttaus.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace diag { class Viestit; }

class TSort_Form : public QDialog {
    Q_OBJECT
public:
    // The skin's look. Colours are the skin file's 0xBBGGRR values of "Muut_Ikkunat_Normaali" and
    // "Muut_Ikkunat_Korostettu"; a missing picture leaves the window plain and the buttons with their text.
    struct Nakoasu {
        std::uint32_t normaali = 0x000000;
        std::uint32_t korostettu = 0x00FFFF;
        QPixmap tausta;
        QPixmap jarjesta_kuva;
        QPixmap peruuta_kuva;
    };

    TSort_Form(Tietokanta& tietokanta, diag::Viestit& viestit, QWidget* parent = nullptr);

    QLabel* valitse_kentta_text;
    QListWidget* Jarjesta_Listbox;
    QLabel* valitse_suunta_text;
    QComboBox* sort_by;
    QPushButton* Jarjesta_button;
    QPushButton* peruuta_button;
    QTimer* Timer1;  // blinks the key label until a key is chosen
    QTimer* Timer2;  // blinks the direction label three times after a key is chosen

    void aseta_ulkoasu(const Nakoasu& nakoasu);

    // The selected key, -1 when none.
    int valittu_avain() const;
    Suunta suunta() const;

    // The sort button: sorts by the chosen key and direction and closes; nothing while the button is disabled.
    void Jarjesta_buttonClick();
    void peruuta_buttonClick();

    // For the field labels' pop-up menu and for saving: chooses the key and direction and sorts whatever
    // state the button is in. A key outside 0..14 (a control without a key) gives the wrong-index message.
    bool jarjesta(int avain, Suunta suunta);

signals:
    // After every sort, so the main window can show the current card and rebuild the list window.
    void jarjestetty(int avain, bool laskeva);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* kohde, QEvent* e) override;

private:
    void Jarjesta_ListboxClick();
    void Timer1Timer();
    void Timer2Timer();
    void suorita(int avain, Suunta suunta);
    void aseta_vari(QLabel* nimio, bool korostettu);
    void vaihda_vari(QLabel* nimio);

    Tietokanta& tk_;
    diag::Viestit& viestit_;
    Nakoasu nakoasu_;
    int vilkutukset_ = 0;
};
