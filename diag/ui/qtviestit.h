#pragma once
// Message boxes with Finnish buttons.
#include <QPointer>
#include <QWidget>

#include "diag/viestit.h"

class QtViestit final : public diag::Viestit {
public:
    explicit QtViestit(QWidget* omistaja = nullptr) : omistaja_(omistaja) {}
    void aseta_omistaja(QWidget* w) { omistaja_ = w; }

    void nayta(diag::Laji laji, const std::string& teksti, const std::string& otsikko = {}) override;
    diag::Vastaus kysy(diag::Laji laji, const std::string& teksti, bool peruutettava = false,
                       const std::string& otsikko = {}) override;

private:
    QPointer<QWidget> omistaja_;
};
