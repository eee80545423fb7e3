#include "tuonti/ui/tuontitoiminnot.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"
#include "tuonti/tuonti.h"
#include "tuonti/ui/tuonti_form.h"

namespace fs = std::filesystem;

namespace {

// Notes shown in the box; all of them go to the debug log.
constexpr std::size_t naytettavia_huomautuksia = 20;

}  // namespace

Tuontitoiminnot::Tuontitoiminnot(Paaikkuna& p) : p_(p) {
    QAction* tuo = p_.toiminto(Toiminto::Tuo_elokuvia);
    tuo->setEnabled(true);
    connect(tuo, &QAction::triggered, this, [this] { Tuo_elokuviaClick(); });
}

bool Tuontitoiminnot::lue_tuotavat(const fs::path& p, const QString& nimi, Tuotavat& t) {
    diag::Viestit& viestit = p_.varasto().viestit;
    if (arvaa_muoto(p_.varasto().tj(), p) == Tuontimuoto::Tellico) {
        Tellicokokoelma kokoelma;
        if (const Tulos r = lue_tellico(p_.varasto().tj(), p, kokoelma); !r) {
            viestit.virhe(r.viesti);
            return false;
        }
        tee_tellico_kortit(kokoelma, t);
        return true;
    }
    std::string data;
    Csvtaulu taulu;
    Tulos r = lue_csv_tiedosto(p_.varasto().tj(), p, data);
    if (r) r = lue_csv(data, taulu);
    if (!r) {
        viestit.virhe(r.viesti);
        return false;
    }
    Ttuonti_form lomake(std::move(data), std::move(taulu), QFileInfo(nimi).fileName(), p_.ikkuna());
    if (p_.tyopoyta().nayta_dialogi(lomake) != QDialog::Accepted) return false;
    tee_csv_kortit(lomake.taulu(), lomake.kartta(), t);
    return true;
}

void Tuontitoiminnot::Tuo_elokuviaClick() {
    const QString nimi = p_.tyopoyta().valitse_avattava(
        p_.ikkuna(), fi("Tuo elokuvia"),
        fi("Taulukot ja kokoelmat (*.csv *.txt *.tc *.xml);;CSV-taulukot (*.csv *.txt);;Tellico-kokoelmat (*.tc *.xml);;"
           "Kaikki tiedostot (*)"));
    if (nimi.isEmpty()) return;
    p_.dosavefields();
    Tuotavat t;
    if (!lue_tuotavat(fs::path(QFile::encodeName(nimi).toStdString()), nimi, t)) return;
    // The open catalogue stays and grows, as in a merge.
    const int ensimmainen = lisaa_tuodut(t, p_.varasto());
    for (const Tuontihuomautus& h : t.huomautukset) kirjoita_debug_aina("[tuonti] " + huomautuksen_rivi(h, t.rivisana));
    p_.muutokset().ilmoita_kortit();
    if (ensimmainen < p_.varasto().tk().kortit.Count()) p_.siirry_korttiin(ensimmainen);
    else p_.update_fields();
    p_.varasto().viestit.tieto(tuontiraportti(t, naytettavia_huomautuksia));
}
