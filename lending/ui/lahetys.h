#pragma once
// Sending one e-mail from a window: a small window with a cancel button stays up while the message goes,
// and the program keeps processing its events between network steps.
#include <QDialog>
#include <string>

#include "net/smtp.h"

class QLabel;
class QPushButton;
namespace diag { class Viestit; }

class Tlahetys_form : public QDialog {
    Q_OBJECT
public:
    explicit Tlahetys_form(QWidget* parent);
    QLabel* teksti_label;
    QPushButton* keskeyta_button;
    bool keskeytetty() const { return keskeytetty_; }

public slots:
    void reject() override;

private:
    bool keskeytetty_ = false;
};

// Sends and returns the outcome while the sending window, over `isa`, stays up; the program's windows
// process their events meanwhile.
Tulos laheta_odottaen(QWidget* isa, const SmtpPalvelin& palvelin, const Sahkoposti& s);

// The outcome to the user: success as information, a failure as an error, a cancel as information.
void nayta_lahetyksen_tulos(diag::Viestit& viestit, const Tulos& t);
