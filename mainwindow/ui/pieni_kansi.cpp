#include "mainwindow/ui/pieni_kansi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>

#include "diag/ui/teksti.h"
#include "mainwindow/nakymat.h"
#include "storage/avoimen_kannet.h"
#include "perus/tiedostojarjestelma.h"
#include "perus/ui/kuvatiedosto.h"
#include "storage/kannet.h"

PieniKansi::PieniKansi(Varasto& v, QWidget* parent) : QLabel(parent), v_(v) {
    setObjectName("cover_image");
    setScaledContents(false);
    setAlignment(Qt::AlignCenter);
    ajastin_.setSingleShot(true);
    ajastin_.setInterval(300);
    connect(&ajastin_, &QTimer::timeout, this, &PieniKansi::lataa);
}

void PieniKansi::ajasta() { ajastin_.start(); }

void PieniKansi::sijoita(int kuvan_leveys) {
    const int w = std::min(kuvan_leveys, leveys);
    const QPoint vasen(keskikohta - w / 2, y());
    setGeometry(vasen.x(), vasen.y(), w, korkeus);
}

void PieniKansi::nayta_paikkamerkki() {
    oikea_kansi_ = false;
    if (paikkamerkki_) return;
    setCursor(Qt::ForbiddenCursor);
    QPixmap kuva = QPixmap::fromImage(lue_kuva(v_.tj(), v_.kansio.polku(std::string(kansikuvakansio) + ei_kuvaa_nimi)));
    // The placeholder is drawn to fit the area, so it never covers the scroll bar and the card counter.
    if (kuva.width() > leveys || kuva.height() > korkeus)
        kuva = kuva.scaled(leveys, korkeus, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(kuva);
    setGeometry(keskikohta - kuva.width() / 2, y(), kuva.width(), korkeus);
    setToolTip(fi("Pudota kannen sisältävä kuvatiedosto ohjelmaikkunaan"));
    paikkamerkki_ = true;
}

void PieniKansi::lataa() {
    ajastin_.stop();
    TKortti& kortti = v_.tk().kortit[v_.tk().nykyinen];
    if (!isVisible() || kortti.cover_fn.empty()) {
        nayta_paikkamerkki();
        return;
    }
    if (!pura_kansi(kortti, v_)) return;
    const auto polku = kansikuvan_polku(v_.kansio, kortti.cover_fn);
    // The picture may still be on its way to the folder; give it up to about eight seconds.
    QElapsedTimer kello;
    kello.start();
    while (!(polku && on_olemassa(v_.tj(), *polku, true)) && kello.elapsed() < 8010) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    if (!polku || !on_olemassa(v_.tj(), *polku, true)) {
        v_.viestit.pelkka("Elokuvan " + lyhennetty(kortti.nimi) + " kannen lataaminen epäonnistui (kesti liian kauan)");
        return;
    }
    QImage kuva(QString::fromStdString(polku->string()));
    if (kuva.isNull()) {
        const std::string nimi = kortti.nimi;
        kortti.cover_fn.clear();
        lataa();
        v_.viestit.virhe("VIRHE: Elokuvan " + lyhennetty(nimi) + " kansikuvan tiedostoformaatti ei ole yhteensopiva\n"
                         "ohjelman kanssa! Ohjelma poistaa kortin kansikuvan!");
        emit kansi_poistettu();
        return;
    }
    // Stretched into the control, never wider than it, keeping the picture's proportions.
    const int w = std::min(leveys, std::max(1, kuva.width() * korkeus / std::max(1, kuva.height())));
    kuva = kuva.scaled(w, korkeus, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB888);
    if (pehmenna_) pehmenna(kuva.bits(), kuva.width(), kuva.height(), static_cast<int>(kuva.bytesPerLine()));
    setPixmap(QPixmap::fromImage(kuva));
    sijoita(w);
    setCursor(Qt::PointingHandCursor);
    setToolTip(fi("Klikkaa nähdäksesi kannen isompana"));
    oikea_kansi_ = true;
    paikkamerkki_ = false;
}

void PieniKansi::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit klikattu();
}
