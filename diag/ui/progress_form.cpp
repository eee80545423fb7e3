#include "diag/ui/progress_form.h"

#include <QApplication>
#include <QLabel>
#include <QMovie>
#include <QScreen>

#include "diag/ui/teksti.h"

Tprogress_form::Tprogress_form(const std::filesystem::path& kuva, QWidget* paaikkuna, QWidget* listaikkuna)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("progress_form");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setCursor(Qt::WaitCursor);

    working_image = new QLabel(this);
    working_image->setObjectName("working_image");
    animaatio_ = new QMovie(QString::fromStdString(kuva.string()), QByteArray(), this);
    working_image->setMovie(animaatio_);
    animaatio_->start();
    const QSize koko = animaatio_->currentImage().isNull() ? QSize(200, 100) : animaatio_->currentImage().size();
    working_image->setGeometry(0, 0, koko.width(), koko.height());
    resize(koko);

    Teksti_label = new QLabel(this);
    Teksti_label->setObjectName("Teksti_label");
    Teksti_label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette lp = Teksti_label->palette();
    lp.setColor(QPalette::WindowText, Qt::white);
    Teksti_label->setPalette(lp);
    Teksti_label->hide();

    if (const QScreen* ruutu = QApplication::primaryScreen())
        move(ruutu->availableGeometry().center() - rect().center());

    for (QWidget* w : {paaikkuna, listaikkuna}) {
        if (!w || (w == listaikkuna && !w->isVisible())) continue;
        estetyt_.push_back({w, w->isEnabled()});
        w->setEnabled(false);
    }
}

Tprogress_form::~Tprogress_form() {
    for (const Estetty& e : estetyt_)
        if (e.ikkuna) e.ikkuna->setEnabled(e.oli_kaytossa);
}

void Tprogress_form::aseta_teksti(const std::string& teksti) {
    if (teksti.empty()) {
        Teksti_label->hide();
        return;
    }
    Teksti_label->setText(q_nakyva(teksti));
    Teksti_label->adjustSize();
    Teksti_label->move(width() / 2 - Teksti_label->width() / 2, height() - Teksti_label->height() - 8);
    Teksti_label->show();
    Teksti_label->repaint();
}

void QtKiire::nayta() {
    ikkuna_ = std::make_unique<Tprogress_form>(kuva_, paaikkuna_, listaikkuna_);
    ikkuna_->show();
    QApplication::processEvents();
}

void QtKiire::aseta_teksti(const std::string& teksti) {
    if (ikkuna_) ikkuna_->aseta_teksti(teksti);
}

void QtKiire::piilota() { ikkuna_.reset(); }

void QtKiire::kasittele_viestit() { QApplication::processEvents(); }
