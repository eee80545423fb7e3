// gfx/perus and gfx/hiekka: the two installed skins, each both a window skin (backgrounds and colours)
// and a button skin (buttons, view icons, rating stars). One drawing code, two palettes, so any pair of
// them fits together.
//
// Sizes the main window is laid out for: tausta1.bmp 660 x 468 (button band 0-48, card area 52-366 with
// the side panel at x 437-655, y 213-365, buttons and status below), tausta2.bmp 800 x 600, buttons
// 90 x 28, view icons 21 x 21, stars 113 x 21.
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

#include "kuvat.h"

namespace {

struct Paletti {
    const char* kansio;
    const char16_t* kuvaus;
    // Backgrounds.
    QColor tausta_yla, tausta_ala, hehku;
    QColor otsake_yla, otsake_ala, juova, reika, otsikko, alaotsikko;
    QColor paneeli, paneelin_reuna, alue, alueen_reuna, erotin;
    // Buttons.
    QColor nappi_yla, nappi_ala, nappi_reuna, nappi_valo, nappi_teksti, nappi_varjo;
    // View icons.
    QColor ikoni_yla, ikoni_ala, ikoni_reuna, ikoni_kuva, ikoni_saatavilla;
    // Stars.
    QColor levy, levyn_reuna, tahti_yla, tahti_ala, tahti_reuna, sammunut, sammuneen_reuna;
    // The colours of ulkoasu.ini.
    QColor normaali, korostettu, himmennetty, alareuna, muut_normaali, muut_korostettu;
    QColor kentat, extrat, reunat, nuoli;
};

const Paletti perus = {
    "perus",
    u"Rullakon perusulkoasu: syvänsininen tausta, vaaleat tekstit, teräksensiniset napit.",
    QColor(46, 76, 118), QColor(22, 37, 62), QColor(90, 130, 190, 70),
    QColor(16, 27, 46), QColor(30, 50, 82), QColor(232, 182, 64), QColor(52, 78, 118), QColor(240, 245, 252),
    QColor(160, 182, 214),
    QColor(255, 255, 255, 16), QColor(150, 180, 220, 70), QColor(10, 20, 36, 90), QColor(150, 180, 220, 60),
    QColor(150, 180, 220, 70),
    QColor(86, 128, 184), QColor(38, 68, 112), QColor(14, 28, 50), QColor(255, 255, 255, 70), QColor(246, 249, 253),
    QColor(8, 18, 34, 170),
    QColor(66, 98, 142), QColor(40, 64, 100), QColor(16, 30, 52), QColor(196, 208, 224), QColor(236, 190, 70),
    QColor(244, 247, 251), QColor(64, 84, 112), QColor(255, 218, 90), QColor(230, 160, 20), QColor(150, 96, 10),
    QColor(208, 216, 228), QColor(160, 172, 190),
    QColor(230, 237, 247), QColor(255, 210, 74), QColor(142, 163, 192), QColor(200, 212, 230),
    QColor(230, 237, 247), QColor(255, 210, 74),
    QColor(244, 247, 251), QColor(221, 230, 242), QColor(64, 84, 112), QColor(58, 90, 136),
};

const Paletti hiekka = {
    "hiekka",
    u"Vaalea hiekan ja puun sävyinen ulkoasu: tummat tekstit, ruskeat napit.",
    QColor(244, 236, 218), QColor(222, 204, 170), QColor(255, 250, 236, 120),
    QColor(92, 60, 32), QColor(130, 88, 50), QColor(196, 70, 38), QColor(150, 108, 66), QColor(255, 246, 228),
    QColor(236, 210, 170),
    QColor(255, 255, 255, 70), QColor(150, 110, 60, 90), QColor(120, 84, 40, 34), QColor(150, 110, 60, 90),
    QColor(150, 110, 60, 90),
    QColor(166, 118, 70), QColor(112, 74, 38), QColor(70, 44, 20), QColor(255, 255, 255, 80), QColor(255, 248, 234),
    QColor(50, 30, 10, 170),
    QColor(176, 134, 88), QColor(138, 98, 58), QColor(84, 56, 28), QColor(250, 238, 216), QColor(200, 60, 30),
    QColor(255, 253, 247), QColor(150, 118, 78), QColor(255, 196, 80), QColor(226, 128, 24), QColor(150, 74, 10),
    QColor(234, 222, 200), QColor(196, 176, 146),
    QColor(43, 33, 24), QColor(178, 46, 22), QColor(160, 140, 112), QColor(74, 59, 42),
    QColor(43, 33, 24), QColor(178, 46, 22),
    QColor(255, 253, 247), QColor(246, 239, 223), QColor(150, 118, 78), QColor(110, 76, 40),
};

QFont fontti(int pikselit, bool lihava = true, bool kursiivi = false) {
    QFont f("Liberation Sans");
    f.setPixelSize(pikselit);
    f.setBold(lihava);
    f.setItalic(kursiivi);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Pictures are stored without alpha: 24-bit BMP, as the program reads them.
bool tallenna_bmp(const QImage& kuva, const QString& tiedosto) {
    return kuva.convertToFormat(QImage::Format_RGB888).save(tiedosto, "BMP");
}

// A background's gradient with a glow round `keski` that fades out at `sade`.
void tausta(QPainter& p, const QRect& alue, const Paletti& v, QPointF keski, qreal sade) {
    p.fillRect(alue, pystyliuku(0, alue.height(), v.tausta_yla, v.tausta_ala));
    QRadialGradient hehku(keski, sade);
    hehku.setColorAt(0, v.hehku);
    hehku.setColorAt(1, QColor(v.hehku.red(), v.hehku.green(), v.hehku.blue(), 0));
    p.fillRect(alue, hehku);
}

QImage tausta1(const Paletti& v) {
    QImage img(660, 468, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tausta(p, img.rect(), v, QPointF(160, 120), 420);

    // The band behind the button row: the buttons cover it from x 8 to 652 and y 6 to 34, so it holds no
    // picture of its own, only the film strip's perforations below the buttons.
    p.fillRect(QRect(0, 0, 660, 48), pystyliuku(0, 48, v.otsake_yla, v.otsake_ala));
    p.setPen(Qt::NoPen);
    p.setBrush(v.reika);
    for (int x = 6; x < 660; x += 18) p.drawRoundedRect(QRectF(x, 39, 9, 5), 1.5, 1.5);
    p.fillRect(QRect(0, 48, 660, 2), v.juova);

    // The card area, and the side panel for the list, extra fields and cover.
    p.setPen(QPen(v.paneelin_reuna, 1));
    p.setBrush(v.paneeli);
    p.drawRoundedRect(QRectF(4.5, 52.5, 651, 314), 6, 6);
    p.setPen(QPen(v.alueen_reuna, 1));
    p.setBrush(v.alue);
    p.drawRoundedRect(QRectF(436.5, 212.5, 218, 153), 4, 4);
    // A quiet line between the card and the buttons below it.
    p.setPen(QPen(v.erotin, 1));
    p.drawLine(QPointF(12, 411.5), QPointF(648, 411.5));
    return img;
}

QImage tausta2(const Paletti& v) {
    QImage img(800, 600, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tausta(p, img.rect(), v, QPointF(140, 90), 480);
    // Two faint reels in the far corner, where dialogs seldom put a control.
    QColor vesileima = v.paneelin_reuna;
    vesileima.setAlpha(40);
    p.setPen(QPen(vesileima, 6));
    p.setBrush(Qt::NoBrush);
    for (const QPointF c : {QPointF(590, 470), QPointF(730, 470)}) {
        p.drawEllipse(c, 56, 56);
        p.drawEllipse(c, 18, 18);
        for (int i = 0; i < 3; ++i) {
            const double a = i * 2 * M_PI / 3 + 0.3;
            p.drawLine(c + QPointF(22 * std::cos(a), 22 * std::sin(a)), c + QPointF(50 * std::cos(a), 50 * std::sin(a)));
        }
    }
    p.drawLine(QPointF(590, 526), QPointF(730, 526));
    return img;
}

// --- Glyphs, drawn in a 16 x 16 box at the painter's origin. ---

using Kuvio = std::function<void(QPainter&, const QColor&)>;

void lista_kuvio(QPainter& p, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(1, 2 + i * 3.6, 2.4, 2.4));
        p.drawRect(QRectF(5, 2.4 + i * 3.6, 10, 1.6));
    }
}

void etsi_kuvio(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(6.5, 6.5), 4.6, 4.6);
    p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.5, 14.5));
}

void jarjesta_kuvio(QPainter& p, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(1, 2 + i * 3.6, 3 + i * 2.2, 1.8));
    p.setPen(QPen(c, 1.8));
    p.drawLine(QPointF(13, 2), QPointF(13, 13));
    QPainterPath karki;
    karki.moveTo(9.5, 10.5);
    karki.lineTo(16.5, 10.5);
    karki.lineTo(13, 15.5);
    karki.closeSubpath();
    p.setPen(Qt::NoPen);
    p.drawPath(karki);
}

void poista_kuvio(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(2, 3.5), QPointF(14, 3.5));
    p.drawRect(QRectF(6, 1, 4, 2.5));
    QPainterPath astia;
    astia.moveTo(3.5, 5.5);
    astia.lineTo(4.6, 15);
    astia.lineTo(11.4, 15);
    astia.lineTo(12.5, 5.5);
    p.drawPath(astia);
    p.drawLine(QPointF(6.6, 7.5), QPointF(6.9, 13));
    p.drawLine(QPointF(9.4, 7.5), QPointF(9.1, 13));
}

void uusi_kuvio(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(11.5, 4.5), 4.5, 4.5);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.6));
    p.drawLine(QPointF(11.5, 2), QPointF(11.5, 7));
    p.drawLine(QPointF(9, 4.5), QPointF(14, 4.5));
}

void nuoli_kuvio(QPainter& p, const QColor& c, bool oikealle) {
    QPainterPath n;
    if (oikealle) {
        n.moveTo(4, 2);
        n.lineTo(14, 8);
        n.lineTo(4, 14);
    } else {
        n.moveTo(12, 2);
        n.lineTo(2, 8);
        n.lineTo(12, 14);
    }
    n.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(n);
}

void peruuta_kuvio(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
}

// --- Buttons. ---

QImage nappi(const Paletti& v, const QString& teksti, const Kuvio& kuvio, bool kuvio_oikealla = false) {
    QImage img(90, 28, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), pystyliuku(0, 28, v.nappi_yla, v.nappi_ala));
    p.setPen(v.nappi_reuna);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 89, 27);
    p.setPen(v.nappi_valo);
    p.drawLine(1, 1, 88, 1);
    p.drawLine(1, 1, 1, 26);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(fontti(11));
    const int tekstin_leveys = p.fontMetrics().horizontalAdvance(teksti);
    const int yhteensa = 16 + 5 + tekstin_leveys;
    const int alku = (90 - yhteensa) / 2;
    const int kuvion_x = kuvio_oikealla ? alku + tekstin_leveys + 5 : alku;
    const int tekstin_x = kuvio_oikealla ? alku : alku + 21;
    for (const auto& [siirto, vari] : {std::pair{1, v.nappi_varjo}, std::pair{0, v.nappi_teksti}}) {
        p.save();
        p.translate(kuvion_x + siirto, 6 + siirto);
        kuvio(p, vari);
        p.restore();
        p.setPen(vari);
        p.drawText(QRect(tekstin_x + siirto, siirto, tekstin_leveys + 2, 28), Qt::AlignLeft | Qt::AlignVCenter, teksti);
    }
    return img;
}

// --- View icons: a small tile, so the square reads on any background. ---

QImage ikoni(const Paletti& v, const std::function<void(QPainter&)>& piirra) {
    QImage img(21, 21, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), pystyliuku(0, 21, v.ikoni_yla, v.ikoni_ala));
    p.setPen(v.ikoni_reuna);
    p.drawRect(0, 0, 20, 20);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(2.5, 2.5);
    piirra(p);
    return img;
}

void kansi_kuvio(QPainter& p, const Paletti& v, bool saatavilla) {
    const QColor kuva = v.ikoni_kuva;
    p.setPen(QPen(kuva, 1.3));
    p.setBrush(saatavilla ? QBrush(QColor(40, 70, 110)) : QBrush(Qt::NoBrush));
    p.drawRect(QRectF(1.5, 0.5, 13, 15));
    QPainterPath vuori;
    vuori.moveTo(2.2, 14.8);
    vuori.lineTo(6.5, 8.5);
    vuori.lineTo(9, 11.5);
    vuori.lineTo(10.8, 9.5);
    vuori.lineTo(13.8, 14.8);
    vuori.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(saatavilla ? QColor(110, 170, 90) : kuva);
    p.drawPath(vuori);
    p.setBrush(saatavilla ? v.ikoni_saatavilla : kuva);
    p.drawEllipse(QPointF(10.5, 4.5), 2, 2);
}

void info_kuvio(QPainter& p, const Paletti& v, bool saatavilla) {
    const QColor c = saatavilla ? v.ikoni_saatavilla : v.ikoni_kuva;
    p.setPen(QPen(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(8, 4.4), 1.3, 1.3);
    p.drawRect(QRectF(7, 6.8, 2, 5.6));
}

void lista_ja_info_kuvio(QPainter& p, const Paletti& v) {
    p.setPen(Qt::NoPen);
    p.setBrush(v.ikoni_kuva);
    for (int i = 0; i < 3; ++i) p.drawRect(QRectF(0.5, 1 + i * 3.4, 9, 1.7));
    p.drawRect(QRectF(0.5, 11.2, 5, 1.7));
    p.setPen(QPen(v.ikoni_kuva, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(11.8, 11.5), 3.8, 3.8);
    p.setPen(Qt::NoPen);
    p.setBrush(v.ikoni_kuva);
    p.drawEllipse(QPointF(11.8, 9.6), 0.8, 0.8);
    p.drawRect(QRectF(11.2, 10.9, 1.2, 2.9));
}

void auto_kuvio(QPainter& p, const Paletti& v) {
    // Two arrows chasing each other round: the view chooses itself.
    p.setPen(QPen(v.ikoni_kuva, 1.7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF r(2, 2, 12, 12);
    p.drawArc(r, 30 * 16, 130 * 16);
    p.drawArc(r, 210 * 16, 130 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(v.ikoni_kuva);
    for (const double kulma : {30.0, 210.0}) {
        const double a = kulma * M_PI / 180;
        const QPointF karki(8 + 6 * std::cos(a), 8 - 6 * std::sin(a));
        const QPointF suunta(std::sin(a), std::cos(a));  // clockwise along the circle
        const QPointF normaali(std::cos(a), -std::sin(a));
        QPainterPath n;
        n.moveTo(karki + suunta * 3.2);
        n.lineTo(karki + normaali * 2.6);
        n.lineTo(karki - normaali * 2.6);
        n.closeSubpath();
        p.drawPath(n);
    }
}

// --- Rating stars on a plate as high as a card field. ---

QPainterPath tahti(QPointF keski, double ulko, double sisa) {
    QPainterPath t;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? sisa : ulko;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF piste = keski + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0) t.moveTo(piste);
        else t.lineTo(piste);
    }
    t.closeSubpath();
    return t;
}

QImage tahdet(const Paletti& v, bool palavat) {
    QImage img(113, 21, QImage::Format_RGB32);
    img.fill(v.levy);
    QPainter p(&img);
    p.setPen(v.levyn_reuna);
    p.drawRect(0, 0, 112, 20);
    p.setRenderHint(QPainter::Antialiasing);
    // Star i is cut in half at the program's half-star columns 12, 34, 57, 78 and 101.
    for (const double x : {12.5, 34.5, 57.5, 78.5, 101.5}) {
        const QPainterPath t = tahti(QPointF(x, 11), 9.2, 3.9);
        if (palavat) {
            p.setBrush(pystyliuku(2, 19, v.tahti_yla, v.tahti_ala));
            p.setPen(QPen(v.tahti_reuna, 1));
        } else {
            p.setBrush(v.sammunut);
            p.setPen(QPen(v.sammuneen_reuna, 1));
        }
        p.drawPath(t);
    }
    return img;
}

// --- The skin description. ---

QString bbggrr(const QColor& c) {
    return QString("0x%1").arg((c.blue() << 16) | (c.green() << 8) | c.red(), 6, 16, QChar('0')).toUpper().replace("0X", "0x");
}

bool kirjoita_kuvaus(const QString& kansio, const Paletti& v) {
    const QStringList rivit = {
        QString("; ") + QString::fromUtf16(v.kuvaus),
        QStringLiteral("; Värit muodossa 0xBBGGRR. Kuvat: tausta1.bmp 660 x 468, tausta2.bmp 800 x 600,"),
        QStringLiteral("; napit 90 x 28, näkymäkuvakkeet 21 x 21, tähdet 113 x 21."),
        "",
        "[Tekstit]",
        QStringLiteral("Pääikkuna_Normaali=") + bbggrr(v.normaali),
        QStringLiteral("Pääikkuna_Korostettu=") + bbggrr(v.korostettu),
        QStringLiteral("Pääikkuna_Himmennetty=") + bbggrr(v.himmennetty),
        QStringLiteral("Pääikkuna_Alareuna=") + bbggrr(v.alareuna),
        "Muut_Ikkunat_Normaali=" + bbggrr(v.muut_normaali),
        "Muut_Ikkunat_Korostettu=" + bbggrr(v.muut_korostettu),
        "",
        QStringLiteral("[Kentät]"),
        "Kenttien_Vari=" + bbggrr(v.kentat),
        "Extrat=" + bbggrr(v.extrat),
        "Kenttien_reunat=" + bbggrr(v.reunat),
        "Kenttien_DownArrow=" + bbggrr(v.nuoli),
        "",
        QStringLiteral("[Pääikkuna]"),
        "Lista=_Lista.bmp",
        "Etsi=_etsi.bmp",
        "Poista=_poista.bmp",
        "Uusi=_uusi.bmp",
        QStringLiteral("Järjestä=_jarjesta.bmp"),
        "Edellinen=_Edellinen.bmp",
        "Seuraava=_Seuraava.bmp",
        "auto_icon=_auto.bmp",
        "kansi_icon=_kansi.bmp",
        "kansi_available_icon=_kansi_on.bmp",
        "info_icon=_info.bmp",
        "info_available_icon=_info_on.bmp",
        "lista_icon=_lista_ikoni.bmp",
        "lista&info_icon=_lista_info.bmp",
        "icon_korostus=50",
        "",
        QStringLiteral("[Järjestä]"),
        QStringLiteral("Järjestä=_jarjesta.bmp"),
        "Peruuta=_peruuta.bmp",
        "",
        "[Etsi]",
        "Etsi=_etsi.bmp",
        "Peruuta=_peruuta.bmp",
        "",
        "[Napit]",
        "Korosta=40",
    };
    QFile f(kansio + "/ulkoasu.ini");
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    // The program reads its INI files as cp1252; every character here is in Latin-1, which agrees with it.
    return f.write((rivit.join("\r\n") + "\r\n").toLatin1()) > 0;
}

bool piirra_ulkoasu(const QString& data, const Paletti& v) {
    const QString kansio = data + "/gfx/" + v.kansio;
    if (!QDir().mkpath(kansio)) return false;
    bool ok = kirjoita_kuvaus(kansio, v);
    ok &= tallenna_bmp(tausta1(v), kansio + "/tausta1.bmp");
    ok &= tallenna_bmp(tausta2(v), kansio + "/tausta2.bmp");
    const auto kuvio = [](void (*f)(QPainter&, const QColor&)) { return Kuvio(f); };
    ok &= tallenna_bmp(nappi(v, "Lista", kuvio(lista_kuvio)), kansio + "/_Lista.bmp");
    ok &= tallenna_bmp(nappi(v, "Etsi", kuvio(etsi_kuvio)), kansio + "/_etsi.bmp");
    ok &= tallenna_bmp(nappi(v, "Poista", kuvio(poista_kuvio)), kansio + "/_poista.bmp");
    ok &= tallenna_bmp(nappi(v, "Uusi", kuvio(uusi_kuvio)), kansio + "/_uusi.bmp");
    ok &= tallenna_bmp(nappi(v, QStringLiteral("Järjestä"), kuvio(jarjesta_kuvio)), kansio + "/_jarjesta.bmp");
    ok &= tallenna_bmp(nappi(v, "Edellinen", [](QPainter& p, const QColor& c) { nuoli_kuvio(p, c, false); }),
                       kansio + "/_Edellinen.bmp");
    ok &= tallenna_bmp(nappi(v, "Seuraava", [](QPainter& p, const QColor& c) { nuoli_kuvio(p, c, true); }, true),
                       kansio + "/_Seuraava.bmp");
    ok &= tallenna_bmp(nappi(v, "Peruuta", kuvio(peruuta_kuvio)), kansio + "/_peruuta.bmp");
    const auto lasi = [&](const char* nimi, const std::function<void(QPainter&)>& piirra) {
        return tallenna_bmp(ikoni(v, piirra), kansio + "/" + nimi);
    };
    ok &= lasi("_auto.bmp", [&](QPainter& p) { auto_kuvio(p, v); });
    ok &= lasi("_kansi.bmp", [&](QPainter& p) { kansi_kuvio(p, v, false); });
    ok &= lasi("_kansi_on.bmp", [&](QPainter& p) { kansi_kuvio(p, v, true); });
    ok &= lasi("_info.bmp", [&](QPainter& p) { info_kuvio(p, v, false); });
    ok &= lasi("_info_on.bmp", [&](QPainter& p) { info_kuvio(p, v, true); });
    ok &= lasi("_lista_ikoni.bmp", [&](QPainter& p) {
        p.translate(0, 0.5);
        lista_kuvio(p, v.ikoni_kuva);
    });
    ok &= lasi("_lista_info.bmp", [&](QPainter& p) { lista_ja_info_kuvio(p, v); });
    ok &= tallenna_bmp(tahdet(v, true), kansio + "/tahdet.bmp");
    ok &= tallenna_bmp(tahdet(v, false), kansio + "/tahdet2.bmp");
    return ok;
}

const RekisteroiKuva perus_rekisteri("gfx/perus", [](const QString& data) { return piirra_ulkoasu(data, perus); });
const RekisteroiKuva hiekka_rekisteri("gfx/hiekka", [](const QString& data) { return piirra_ulkoasu(data, hiekka); });

}  // namespace
