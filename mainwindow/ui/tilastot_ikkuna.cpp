#include "mainwindow/ui/tilastot_ikkuna.h"

#include "diag/viestit.h"
#include "mainwindow/tilastot.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"

void nayta_tilastot(Paaikkuna& p) {
    std::string teksti;
    for (const std::string& rivi : tilastorivit(p.varasto().tk().kortit)) {
        if (!teksti.empty()) teksti += '\n';
        teksti += rivi;
    }
    p.varasto().viestit.tieto(teksti);
}
