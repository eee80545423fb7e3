#include "export/ui/listatulostus.h"

#include <QDate>
#include <QFontMetricsF>
#include <QtMath>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include "diag/ui/teksti.h"

namespace {

QFont listan_fontti() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setBold(true);
    return f;
}

}  // namespace

std::string tanaan() { return cp(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)); }

Fontin_mitat listan_fontin_mitat() {
    QFont f = listan_fontti();
    constexpr int koko = 1000;
    f.setPixelSize(koko);
    const QFontMetricsF m(f);
    return {m.horizontalAdvance(QLatin1Char('M')) / koko, m.height() / koko};
}

Listan_tuloste asettele_lista(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto,
                              const QPageLayout& sivu, std::optional<bool> vaaka) {
    QPageLayout pysty = sivu;
    pysty.setOrientation(QPageLayout::Portrait);
    const QRectF ala = pysty.paintRect(QPageLayout::Point);
    Listan_tuloste t;
    const int merkkeja = listan_leveimman_rivin_merkit(listan_sivut(lista, paivays, tiedosto));
    t.asu = valitse_listan_asu(merkkeja, listan_fontin_mitat(), ala.width(), ala.height(), vaaka);
    t.sivut = listan_sivut(lista, paivays, tiedosto, t.asu.rivit_sivulla);
    return t;
}

void aseta_listan_sivu(QPrinter& tulostin, const Listan_asu& asu) {
    tulostin.setPageOrientation(asu.vaaka ? QPageLayout::Landscape : QPageLayout::Portrait);
    tulostin.setResolution(listan_dpi);
}

void piirra_lista(QPainter& maalari, QPagedPaintDevice& laite, const std::vector<std::vector<Tulostusrivi>>& sivut,
                  double pisteet, int eka, int vika) {
    // Positions are units of a 300 dpi page whatever the device's own resolution.
    const qreal yksikko = qreal(laite.logicalDpiY()) / listan_dpi;
    QFont fontti = listan_fontti();
    fontti.setPixelSize(std::max(1, qRound(pisteet * listan_dpi / 72.0)));
    const QFontMetricsF mitat(fontti);
    const int tarve = listan_korkeus(sivut, qCeil(mitat.height()));
    const qreal korkeus = laite.height() / yksikko;
    // The layout keeps to the printable area; a page shorter than its lines is scaled to fit.
    const qreal skaala = yksikko * (korkeus > 0 && tarve > korkeus ? korkeus / tarve : 1.0);
    const int viimeinen = vika > 0 ? std::min<int>(vika, static_cast<int>(sivut.size())) : static_cast<int>(sivut.size());
    bool ensimmainen = true;
    for (int s = std::max(1, eka); s <= viimeinen; ++s) {
        if (!ensimmainen) laite.newPage();
        ensimmainen = false;
        maalari.save();
        maalari.scale(skaala, skaala);
        maalari.setBackgroundMode(Qt::TransparentMode);
        maalari.setPen(Qt::black);
        maalari.setFont(fontti);
        for (const Tulostusrivi& r : sivut[static_cast<std::size_t>(s - 1)])
            maalari.drawText(QPointF(r.x, r.y + mitat.ascent()), q_nakyva(r.teksti));
        maalari.restore();
    }
}

bool tulosta_lista_laitteelle(QPrinter& tulostin, const Listan_tuloste& t) {
    QPainter maalari;
    if (!maalari.begin(&tulostin)) return false;
    const bool alue = tulostin.printRange() == QPrinter::PageRange;
    piirra_lista(maalari, tulostin, t.sivut, t.asu.pisteet, alue ? tulostin.fromPage() : 1,
                 alue ? tulostin.toPage() : 0);
    return maalari.end();
}

Tulostettava listatuloste(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto,
                          Listan_tuloste& tuloste, std::optional<bool> vaaka) {
    Tulostettava t;
    t.otsikko = listatyon_nimi;
    t.valmistele = [&lista, &paivays, &tiedosto, &tuloste, vaaka](QPrinter& tulostin, bool valittu_suunta) {
        const std::optional<bool> suunta =
            valittu_suunta ? std::optional<bool>(tulostin.pageLayout().orientation() == QPageLayout::Landscape) : vaaka;
        tuloste = asettele_lista(lista, paivays, tiedosto, tulostin.pageLayout(), suunta);
        aseta_listan_sivu(tulostin, tuloste.asu);
    };
    t.piirra = [&tuloste](QPrinter& tulostin) { return tulosta_lista_laitteelle(tulostin, tuloste); };
    t.sivuja = [&tuloste] { return static_cast<int>(tuloste.sivut.size()); };
    return t;
}
