#include "mainwindow/ui/cover_form.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>

#include "diag/ui/teksti.h"
#include "mainwindow/korttitoiminnot.h"
#include "perus/ui/kuvatiedosto.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"

Tcover_form::Tcover_form(Varasto& v, Kytkokset k, QWidget* paaikkuna)
    : QDialog(paaikkuna, Qt::FramelessWindowHint | Qt::Dialog), v_(v), k_(std::move(k)) {
    setObjectName("cover_form");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    if (paaikkuna) setGeometry(paaikkuna->geometry());

    cover_image = new QLabel(this);
    cover_image->setObjectName("cover_image");
    // A click on the picture closes the window like a click beside it.
    cover_image->setAttribute(Qt::WA_TransparentForMouseEvents);

    Cover_popup = new QMenu(this);
    Cover_popup->setObjectName("Cover_popup");
    find_next = Cover_popup->addAction(fi("Etsi seuraava kortti jossa on kansikuva"));
    find_next->setObjectName("find_next");
    find_next->setShortcut(Qt::Key_Right);
    find_prev = Cover_popup->addAction(fi("Etsi edellinen kortti jossa on kansikuva"));
    find_prev->setObjectName("find_prev");
    find_prev->setShortcut(Qt::Key_Left);
    addAction(find_next);
    addAction(find_prev);
    connect(find_next, &QAction::triggered, this, [this] { etsi(+1); });
    connect(find_prev, &QAction::triggered, this, [this] { etsi(-1); });
}

bool Tcover_form::lataa_kansi() {
    const TKortti& kortti = v_.tk().kortit[v_.tk().nykyinen];
    const auto polku = kansikuvan_polku(v_.kansio, kortti.cover_fn);
    const QPixmap kuva = polku ? QPixmap::fromImage(lue_kuva(v_.tj(), *polku)) : QPixmap();
    if (kuva.isNull()) {
        v_.viestit.pelkka("Virhe: kuvaa ei löydy, ei ladata!");
        return false;
    }
    cover_image->setPixmap(kuva);
    cover_image->resize(kuva.size());
    keskita();
    return true;
}

void Tcover_form::etsi(int suunta) {
    const int i = seuraava_kansikortti(v_.tk().kortit, v_.tk().nykyinen, suunta);
    if (i < 0) {
        if (k_.piippaa) k_.piippaa();
        return;
    }
    v_.tk().nykyinen = i;
    pura_kansi(v_.tk().kortit[i], v_);
    if (k_.nayta_kortti) k_.nayta_kortti();
    lataa_kansi();
}

void Tcover_form::keskita() { cover_image->move((width() - cover_image->width()) / 2, (height() - cover_image->height()) / 2); }

void Tcover_form::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) accept();
}

void Tcover_form::contextMenuEvent(QContextMenuEvent* e) { Cover_popup->exec(e->globalPos()); }

void Tcover_form::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    keskita();
}
