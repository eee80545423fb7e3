#include "mainwindow/ui/otsikkovalikko.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>

#include "diag/ui/teksti.h"
#include "find/sorttaus.h"
#include "mainwindow/ui/korttinakyma.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"

Otsikkovalikko::Otsikkovalikko(Paaikkuna& p, Korttinakyma& kortti) : QObject(&kortti), p_(p), kortti_(kortti) {
    TextPopup = new QMenu(&kortti);
    TextPopup->setObjectName("TextPopup");
    aseta_def_nakymaksi = TextPopup->addAction(QString());
    aseta_def_nakymaksi->setObjectName("aseta_def_nakymaksi");
    Sort4Nouseva = TextPopup->addAction(fi("Järjestä tämän kentän mukaan nousevasti"));
    Sort4Nouseva->setObjectName("Sort4Nouseva");
    Sort4Laskeva = TextPopup->addAction(fi("Järjestä tämän kentän mukaan laskevasti"));
    Sort4Laskeva->setObjectName("Sort4Laskeva");
    connect(aseta_def_nakymaksi, &QAction::triggered, this,
            [this] { kortti_.vaihda_sivu(aseta_def_nakymaksi->data().toInt()); });
    connect(Sort4Nouseva, &QAction::triggered, this, [this] { jarjesta(false); });
    connect(Sort4Laskeva, &QAction::triggered, this, [this] { jarjesta(true); });
    for (QLabel* l : kortti.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) l->installEventFilter(this);
}

bool Otsikkovalikko::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::ContextMenu) {
        nayta(static_cast<QLabel*>(o), static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    return QObject::eventFilter(o, e);
}

void Otsikkovalikko::nayta(QLabel* otsikko, const QPoint& kohta) {
    const int sivu = kortti_.otsikon_sivu(otsikko);
    static constexpr const char* nimet[] = {" juoni", " kommentit", " extrat"};
    aseta_def_nakymaksi->setVisible(sivu >= 0);
    if (sivu >= 0) {
        aseta_def_nakymaksi->setText(fi("Aseta kortin oletusnäkymäksi ") + fi(nimet[sivu]));
        aseta_def_nakymaksi->setData(sivu);
    }
    Sort4Nouseva->setVisible(sivu <= 0);
    Sort4Laskeva->setVisible(sivu <= 0);
    valikon_otsikko_ = otsikko;
    TextPopup->popup(kohta);
}

void Otsikkovalikko::jarjesta(bool laskeva) {
    const Suunta suunta = laskeva ? Suunta::Laskeva : Suunta::Nouseva;
    const int avain = valikon_otsikko_ ? kentan_avain(cp(valikon_otsikko_->objectName())) : -1;
    if (avain < 0) {
        p_.varasto().viestit.virhe(vaaran_avaimen_viesti(suunta));
        return;
    }
    p_.dosavefields();
    p_.ikkuna()->setEnabled(false);
    jarjesta_tietokanta(p_.varasto().tk(), avain, suunta, p_.varasto().viestit);
    p_.ikkuna()->setEnabled(true);
    p_.muutokset().ilmoita_kortit();
    p_.siirry_korttiin(p_.varasto().tk().nykyinen);
}
