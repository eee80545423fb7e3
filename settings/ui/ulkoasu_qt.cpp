#include "settings/ui/ulkoasu_qt.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>

#include "diag/ui/teksti.h"
#include "perus/ui/kuvatiedosto.h"

namespace {

QString css(Vari v) { return qvari(v).name(); }

// Style sheets take pictures only from files: the drop-down arrow and the check mark in the skin's colours
// are drawn once per colour into a folder of this run.
QString kuvatiedosto(const QString& laji, Vari v, const std::function<void(QPainter&)>& piirra) {
    static QTemporaryDir kansio;
    const QString nimi = kansio.filePath(QString("%1_%2.png").arg(laji).arg(v, 6, 16, QChar('0')));
    if (!QFile::exists(nimi)) {
        QImage img(12, 12, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        piirra(p);
        p.end();
        img.save(nimi, "PNG");
    }
    return nimi;
}

QString nuoli(Vari v) {
    return kuvatiedosto("nuoli", v, [v](QPainter& p) {
        QPainterPath n;
        n.moveTo(2, 4);
        n.lineTo(10, 4);
        n.lineTo(6, 9);
        n.closeSubpath();
        p.fillPath(n, qvari(v));
    });
}

QString ruksi(Vari v) {
    return kuvatiedosto("ruksi", v, [v](QPainter& p) {
        p.setPen(QPen(qvari(v), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(2.5, 6.5), QPointF(5, 9), QPointF(9.5, 3)}));
    });
}

// Brightens each byte by `maara`, stopping at 255.
Vari vaalennettu(Vari v, int maara) {
    Vari t = 0;
    for (int s = 0; s < 24; s += 8) t |= static_cast<Vari>(std::min(255, static_cast<int>((v >> s) & 0xFF) + maara)) << s;
    return t;
}

bool merkitty(const QWidget* w) { return w->property("tag").toInt() != 0; }

void aseta_vari(QWidget* w, QPalette::ColorRole rooli, Vari v) {
    QPalette p = w->palette();
    p.setColor(rooli, qvari(v));
    w->setPalette(p);
}

QString kentta(const char* luokka, Vari tausta, Vari reuna) {
    return QString("%1 { background: %2; border: 1px solid %3; }").arg(luokka, css(tausta), css(reuna));
}

void sovella_lapseen(QWidget* w, const Ulkoasu& u, Ikkunalaji laji) {
    const bool paa = laji == Ikkunalaji::Paaikkuna;
    const QString nimi = w->objectName();
    if (nimi == "extrat_panel") {
        w->setAutoFillBackground(true);
        aseta_vari(w, QPalette::Window, u.extrat);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        // The edit inside a combo or spin box belongs to its owner.
        if (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())) return;
        if (nimi == "Extra_info") {
            e->setStyleSheet(kentta("QLineEdit", u.extrat, u.kenttien_reunat));
        } else if (paa) {
            e->setStyleSheet(kentta("QLineEdit", u.kenttien_vari, u.kenttien_reunat));
            e->setFixedHeight(21);
        }
    } else if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)) {
        if (paa) w->setStyleSheet(kentta(w->metaObject()->className(), u.kenttien_vari, u.kenttien_reunat));
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (!paa) return;
        c->setStyleSheet(kentta("QComboBox", u.kenttien_vari, u.kenttien_reunat) +
                         QString(" QComboBox { padding-left: 3px; }"
                                 " QComboBox::drop-down { width: 15px; border-left: 1px solid %1; }"
                                 " QComboBox::down-arrow { image: url(%2); }")
                             .arg(css(u.kenttien_reunat), nuoli(u.kenttien_downarrow)));
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
        // On the other windows' background a caption must read like the labels beside it.
        if (!paa) return aseta_vari(w, QPalette::WindowText, u.muut_ikkunat_normaali);
        QString s = QString("QCheckBox { background: %1; }"
                            " QCheckBox::indicator { width: 11px; height: 11px; background: %1; border: 1px solid %2; }"
                            " QCheckBox::indicator:checked { image: url(%3); }")
                        .arg(css(u.extrat), css(u.kenttien_reunat), ruksi(u.kenttien_reunat));
        // A near-white skin keeps the hover colour as designed rather than washing it out.
        if (u.extrat + 0x222222 < 0xFFFFFF)
            s += QString(" QCheckBox:hover { background: %1; }").arg(css(vaalennettu(u.extrat, 0x22)));
        b->setStyleSheet(s);
    } else if (qobject_cast<QRadioButton*>(w) && !paa) {
        aseta_vari(w, QPalette::WindowText, u.muut_ikkunat_normaali);
    } else if (qobject_cast<QLabel*>(w)) {
        aseta_vari(w, QPalette::WindowText, paa ? u.paaikkuna_normaali : u.muut_ikkunat_normaali);
    }
}

void kay_lapset(QWidget* isa, const Ulkoasu& u, Ikkunalaji laji) {
    for (QObject* o : isa->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || merkitty(w)) continue;
        sovella_lapseen(w, u, laji);
        kay_lapset(w, u, laji);
    }
}

}  // namespace

QColor qvari(Vari v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

Vari vari(const QColor& c) {
    return static_cast<Vari>(c.red()) | static_cast<Vari>(c.green()) << 8 | static_cast<Vari>(c.blue()) << 16;
}

QPixmap lataa_kuva(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto) {
    return QPixmap::fromImage(lue_kuva(t, tiedosto));
}

void aseta_napin_kuva(QPushButton* nappi, const QPixmap& kuva, const char* teksti) {
    if (kuva.isNull()) {
        nappi->setIcon({});
        nappi->setText(fi(teksti));
        nappi->setFlat(false);
    } else {
        nappi->setIcon(kuva);
        nappi->setIconSize(kuva.size());
        nappi->setText({});
        nappi->setFlat(true);
        nappi->setToolTip(fi(teksti));
    }
}

QImage korostettu(const QImage& kuva, int maara) {
    QImage t = kuva.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < t.height(); ++y) {
        auto* rivi = reinterpret_cast<QRgb*>(t.scanLine(y));
        for (int x = 0; x < t.width(); ++x) {
            int c[3] = {qRed(rivi[x]), qGreen(rivi[x]), qBlue(rivi[x])};
            for (int& tavu : c)
                if (tavu != 0 && tavu + maara < 255) tavu += maara;
            rivi[x] = qRgb(c[0], c[1], c[2]);
        }
    }
    return t;
}

void sovella_ulkoasu(QWidget* ikkuna, const Ulkoasu& u, Ikkunalaji laji) {
    if (ikkuna) kay_lapset(ikkuna, u, laji);
}

void Ulkoasusovitin::lisaa(QWidget* ikkuna, Ikkunalaji laji, Sovitus oma) {
    ikkunat_.push_back({ikkuna, laji, std::move(oma)});
}

void Ulkoasusovitin::sovella(const Ulkoasu& u) {
    std::erase_if(ikkunat_, [](const Ikkuna& i) { return i.w.isNull(); });
    // A window's own code may register further windows while this runs.
    const std::vector<Ikkuna> ikkunat = ikkunat_;
    for (const Ikkuna& i : ikkunat) {
        if (i.w.isNull()) continue;
        sovella_ulkoasu(i.w, u, i.laji);
        if (i.oma) i.oma(u);
        i.w->update();
    }
}
