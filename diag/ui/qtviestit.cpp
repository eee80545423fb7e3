#include "diag/ui/qtviestit.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "diag/ui/teksti.h"

namespace {

QMessageBox::Icon kuvake(diag::Laji laji) {
    switch (laji) {
        case diag::Laji::Virhe: return QMessageBox::Critical;
        case diag::Laji::Tieto: return QMessageBox::Information;
        case diag::Laji::Varoitus: return QMessageBox::Warning;
        case diag::Laji::Vahvistus: return QMessageBox::Question;
        case diag::Laji::Pelkka: break;
    }
    return QMessageBox::NoIcon;
}

QString oletusotsikko(diag::Laji laji) {
    switch (laji) {
        case diag::Laji::Virhe: return fi("Virhe");
        case diag::Laji::Tieto: return fi("Tiedoksi");
        case diag::Laji::Varoitus: return fi("Varoitus");
        case diag::Laji::Vahvistus: return fi("Vahvistus");
        case diag::Laji::Pelkka: break;
    }
    return fi("Rullakko");
}

}  // namespace

// A message that quotes a card's field is cut like any other view of it, so a huge field cannot stall the box.
void QtViestit::nayta(diag::Laji laji, const std::string& teksti, const std::string& otsikko) {
    QMessageBox b(kuvake(laji), otsikko.empty() ? oletusotsikko(laji) : q_nakyva(otsikko),
                  q_nakyva(teksti, alueen_nayttoraja), QMessageBox::NoButton,
                  omistaja_ ? omistaja_.data() : QApplication::activeWindow());
    b.addButton(fi("OK"), QMessageBox::AcceptRole);
    b.exec();
}

diag::Vastaus QtViestit::kysy(diag::Laji laji, const std::string& teksti, bool peruutettava, const std::string& otsikko) {
    QMessageBox b(kuvake(laji), otsikko.empty() ? oletusotsikko(laji) : q_nakyva(otsikko),
                  q_nakyva(teksti, alueen_nayttoraja), QMessageBox::NoButton,
                  omistaja_ ? omistaja_.data() : QApplication::activeWindow());
    QPushButton* kylla = b.addButton(fi("&Kyllä"), QMessageBox::YesRole);
    QPushButton* ei = b.addButton(fi("&Ei"), QMessageBox::NoRole);
    QPushButton* peruuta = peruutettava ? b.addButton(fi("Peruuta"), QMessageBox::RejectRole) : nullptr;
    b.setDefaultButton(kylla);
    b.setEscapeButton(peruuta ? peruuta : ei);
    b.exec();
    if (b.clickedButton() == kylla) return diag::Vastaus::Kylla;
    if (peruuta && b.clickedButton() == peruuta) return diag::Vastaus::Peruuta;
    return diag::Vastaus::Ei;
}
