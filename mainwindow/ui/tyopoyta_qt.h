#pragma once
// The desktop the program runs on: Qt's file dialogs, the shell's "open", CUPS printers, the beep.
#include "perus/ui/paaikkuna.h"

class QtTyopoyta final : public Tyopoyta {
public:
    QString valitse_avattava(QWidget* isa, const QString& otsikko, const QString& suodatin) override;
    QString valitse_tallennettava(QWidget* isa, const QString& otsikko, const QString& suodatin,
                                  const QString& paate) override;
    bool avaa_osoite(const QUrl& osoite) override;
    bool tulostin_olemassa() override;
    void piippaa() override;
    int nayta_dialogi(QDialog& d) override;
};
