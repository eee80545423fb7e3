#pragma once
// The pop-up menu of the card view's field labels: on the label of a text-area page it makes that page the
// card's default, on the label of a field it sorts the catalogue by the field.
#include <QObject>

class QAction;
class QLabel;
class QMenu;
class QPoint;
class Korttinakyma;
class Paaikkuna;

class Otsikkovalikko : public QObject {
    Q_OBJECT
public:
    // Listens to the card view's own labels; the menu is the card view's child.
    Otsikkovalikko(Paaikkuna& p, Korttinakyma& kortti);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void nayta(QLabel* otsikko, const QPoint& kohta);
    void jarjesta(bool laskeva);

    Paaikkuna& p_;
    Korttinakyma& kortti_;
    QMenu* TextPopup;
    QAction* aseta_def_nakymaksi;
    QAction* Sort4Nouseva;
    QAction* Sort4Laskeva;
    QLabel* valikon_otsikko_ = nullptr;  // the label the menu was opened on
};
