#include "storage/ui/liitostoiminnot.h"

#include <QAction>
#include <QWidget>

#include "diag/ui/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "storage/liitos.h"
#include "storage/varasto.h"

Liitostoiminnot::Liitostoiminnot(Paaikkuna& p) : p_(p) {
    kytke_toiminto(p_, Toiminto::Yhdista_tietokanta, this, [this] { Lisaa_ja_liitaClick(); });
    kytke_toiminto(p_, Toiminto::Poista_tuplat, this, [this] { remove_dupesClick(); });
}

void Liitostoiminnot::Lisaa_ja_liitaClick() {
    const QString nimi =
        p_.tyopoyta().valitse_avattava(p_.ikkuna(), fi("Yhdistä toinen tietokanta tähän"), fi("Rullakko (*.rkb)"));
    if (nimi.isEmpty()) return;
    p_.dosavefields();
    // The open catalogue stays and grows, so there is nothing to ask about unsaved changes.
    liita_tietokanta(cp(nimi), p_.varasto());
    p_.muutokset().ilmoita_kortit();
    p_.update_fields();
}

void Liitostoiminnot::remove_dupesClick() {
    diag::Viestit& viestit = p_.varasto().viestit;
    if (viestit.kysy(diag::Laji::Varoitus, "Hei, tää saattaa sotkea tietokannan! Jatketaanko") != diag::Vastaus::Kylla)
        return;
    p_.dosavefields();
    siivoa_kortit(p_.varasto().tk().kortit);
    if (viestit.kysy(diag::Laji::Varoitus, "Duperemove?") == diag::Vastaus::Kylla) poista_tuplat(p_.varasto());
    p_.muutokset().ilmoita_kortit();
    p_.update_fields();
}
