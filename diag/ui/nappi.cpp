#include "diag/ui/nappi.h"

#include <QPushButton>

#include "diag/ui/teksti.h"

QPushButton* nappi(QWidget* isa, const char* nimi, const char* cp1252_teksti) {
    auto* b = new QPushButton(fi(cp1252_teksti), isa);
    b->setObjectName(nimi);
    b->setAutoDefault(false);
    return b;
}
