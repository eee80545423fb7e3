#include "mainwindow/ui/tahdet.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "diag/loki.h"
#include "mainwindow/nakymat.h"
#include "perus/ui/kuvatiedosto.h"

Tahtikuva::Tahtikuva(QWidget* parent) : QWidget(parent) {
    setObjectName("arvosana_kuva");
    setFixedSize(leveys, korkeus);
    setMouseTracking(false);
}

void Tahtikuva::aseta_kuvat(Tiedostojarjestelma& t, const std::filesystem::path& tahdet,
                            const std::filesystem::path& tahdet2) {
    sytytetyt_ = lue_kuva(t, tahdet).convertToFormat(QImage::Format_RGB888);
    sammuneet_ = lue_kuva(t, tahdet2).convertToFormat(QImage::Format_RGB888);
    update();
}

void Tahtikuva::aseta_arvosana(int arvosana) {
    arvosana_ = std::clamp(arvosana, 0, 10);
    update();
}

QImage Tahtikuva::kuva() const {
    if (sytytetyt_.isNull() || sammuneet_.isNull()) return {};
    // Every byte of a row past 3 x cut comes from the unlit picture.
    QImage tulos = sytytetyt_.copy();
    const int raja = 3 * tahtien_leikkaus(arvosana_);
    for (int y = 0; y < std::min(tulos.height(), sammuneet_.height()); ++y) {
        uchar* kohde = tulos.scanLine(y);
        const uchar* lahde = sammuneet_.constScanLine(y);
        const int tavuja = std::min(tulos.width(), sammuneet_.width()) * 3;
        for (int i = raja; i < tavuja; ++i) kohde[i] = lahde[i];
    }
    return tulos;
}

void Tahtikuva::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, kuva());
}

void Tahtikuva::valitse(int x) {
    arvosana_ = arvosana_kohdasta(x);
    update();
    emit arvosana_valittu(arvosana_);
}

void Tahtikuva::mousePressEvent(QMouseEvent* e) {
    if (e->buttons() != Qt::LeftButton) return;
    valitse(static_cast<int>(e->position().x()));
    kirjoita_debug("Arvosana=" + std::to_string(arvosana_));
}

void Tahtikuva::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::LeftButton) valitse(static_cast<int>(e->position().x()));
}

void Tahtikuva::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    kirjoita_debug("WheelDelta=" + std::to_string(delta));
    if (delta != 0) emit rullattu(delta > 0 ? +1 : -1);
    e->accept();
}
