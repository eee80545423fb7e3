#include "diag/ui/tyopoydalle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

void pida_tyopoydalla(QWidget* ikkuna) {
    const QScreen* ruutu = ikkuna->screen() ? ikkuna->screen() : QGuiApplication::primaryScreen();
    if (!ruutu) return;
    const QRect alue = ruutu->availableGeometry();
    QRect kehys = ikkuna->frameGeometry();
    const int lisa_l = kehys.width() - ikkuna->width(), lisa_k = kehys.height() - ikkuna->height();
    if (kehys.width() > alue.width() || kehys.height() > alue.height()) {
        ikkuna->resize(std::min(ikkuna->width(), alue.width() - lisa_l), std::min(ikkuna->height(), alue.height() - lisa_k));
        kehys = ikkuna->frameGeometry();
    }
    const int x = std::clamp(kehys.x(), alue.left(), std::max(alue.left(), alue.right() + 1 - kehys.width()));
    const int y = std::clamp(kehys.y(), alue.top(), std::max(alue.top(), alue.bottom() + 1 - kehys.height()));
    if (x != kehys.x() || y != kehys.y()) ikkuna->move(x, y);
}
