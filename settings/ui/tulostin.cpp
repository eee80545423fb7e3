#include "settings/ui/tulostin.h"

#include <QPrinter>
#include <QPrinterInfo>

QPrinterInfo oletustulostin() {
    const QStringList nimet = QPrinterInfo::availablePrinterNames();
    if (nimet.isEmpty()) return {};
    QPrinterInfo tiedot = QPrinterInfo::defaultPrinter();
    if (tiedot.isNull()) tiedot = QPrinterInfo::printerInfo(nimet.first());
    return tiedot;
}

std::optional<Tarkkuus> tulostimen_tarkkuus() {
    const QPrinterInfo tiedot = oletustulostin();
    if (tiedot.isNull()) return std::nullopt;
    // The labels are painted through a QPrinter in high resolution mode, so its device units are the
    // resolution that counts (not the screen's, and not a default the queue's driver may advertise).
    QPrinter tulostin(tiedot, QPrinter::HighResolution);
    if (!tulostin.isValid()) return std::nullopt;
    const Tarkkuus t{tulostin.logicalDpiX(), tulostin.logicalDpiY()};
    if (t.x <= 0 || t.y <= 0) return std::nullopt;
    return t;
}
