#include "export/ui/listatulostus.h"

#include <QDate>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include "diag/kiire.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "export/ui/tarrapiirto.h"
#include "mainwindow/ui/paaikkuna.h"
#include "settings/ui/tulostin.h"
#include "storage/varasto.h"

namespace {
bool varattu = false;
}

std::string tanaan() { return cp(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)); }

Tulostusvaraus::Tulostusvaraus() { varattu = true; }
Tulostusvaraus::~Tulostusvaraus() { varattu = false; }
bool Tulostusvaraus::kaynnissa() { return varattu; }

bool tarkista_tulostin(Tyopoyta& tyopoyta, diag::Viestit& viestit) {
    if (!tyopoyta.tulostin_olemassa()) {
        viestit.virhe(ei_tulostinta_viesti);
        return false;
    }
    if (Tulostusvaraus::kaynnissa()) {
        viestit.virhe(tulostin_kiireinen_viesti);
        return false;
    }
    return true;
}

void piirra_lista(QPainter& maalari, QPagedPaintDevice& laite, const std::vector<std::vector<Tulostusrivi>>& sivut) {
    const QFont fontti = tarrafontti(QStringLiteral("Courier New"), QFont::TypeWriter, listan_fontin_korkeus, true);
    const int tarve = listan_korkeus(sivut);
    // The layout is in device units; a printable area shorter than a full page would cut its last lines.
    const qreal skaala = laite.height() > 0 && tarve > laite.height() ? qreal(laite.height()) / tarve : 1.0;
    for (std::size_t s = 0; s < sivut.size(); ++s) {
        if (s > 0) laite.newPage();
        maalari.save();
        maalari.scale(skaala, skaala);
        maalari.setBackgroundMode(Qt::TransparentMode);
        maalari.setPen(Qt::black);
        maalari.setFont(fontti);
        const qreal nousu = QFontMetricsF(fontti).ascent();
        for (const Tulostusrivi& r : sivut[s]) maalari.drawText(QPointF(r.x, r.y + nousu), q_nakyva(r.teksti));
        maalari.restore();
    }
}

void tulosta_lista(Paaikkuna& p) {
    Varasto& v = p.varasto();
    if (!tarkista_tulostin(p.tyopoyta(), v.viestit)) return;
    p.dosavefields();
    Tulostusvaraus varaus;
    QPrinter tulostin(oletustulostin(), QPrinter::HighResolution);
    // The list's positions are device units of a 300 dpi page, where its 62 lines fill a sheet; at a
    // printer's own 600 or 1200 dpi the list would shrink into a corner of the page.
    tulostin.setResolution(listan_dpi);
    tulostin.setDocName(fi("Rullakko:n listan tulostus..."));
    tulostin.setPageOrientation(QPageLayout::Portrait);
    diag::KiireNakyvissa kiire(v.kiire);
    QPainter maalari;
    if (!maalari.begin(&tulostin)) {
        v.viestit.virhe("Tulostusta ei voitu aloittaa: " + cp(tulostin.printerName()));
        return;
    }
    piirra_lista(maalari, tulostin, listan_sivut(v.tk.kortit, tanaan(), v.tk.tiedosto));
    maalari.end();
}
