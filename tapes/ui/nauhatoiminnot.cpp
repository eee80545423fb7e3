#include "tapes/ui/nauhatoiminnot.h"

#include <QAction>

#include "perus/ui/paaikkuna.h"
#include "tapes/ui/syota_kas.h"
#include "tapes/ui/tyhjaa_nauhaa_form.h"

Nauhatoiminnot::Nauhatoiminnot(Paaikkuna& p) : p_(p) {
    kytke_toiminto(p_, Toiminto::Nauhatilanne, this, [this] { nayta_nauhatilanne(); });
}

void Nauhatoiminnot::nayta_nauhatilanne() {
    Ttyhjaa_nauhaa_form f(p_);
    p_.tyopoyta().nayta_dialogi(f);
}

void Nauhatoiminnot::kysy_kasetin_pituus(const std::string& kasetti) {
    Tsyota_kas f(p_, kasetti);
    p_.tyopoyta().nayta_dialogi(f);
}
