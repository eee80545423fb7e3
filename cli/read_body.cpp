// rkb read-body FILE: the body read and written back exactly as the program does it.
#include <cstdio>

#include "cli/alikomennot.h"
#include "perus/merkisto.h"
#include "storage/runko.h"

namespace {

int read_body(const std::vector<std::string>& p) {
    std::string sisalto;
    if (!lue_tiedosto(p[0], sisalto)) {
        tulosta_virhe("Tiedostoa " + merkisto::utf8_cp1252(p[0]) + " ei voi lukea.");
        return 1;
    }
    KomentoriviViestit viestit;
    TOmaList lista;
    RungonLuku luku;
    luku.tiedoston_nimi = merkisto::utf8_cp1252(p[0]);
    if (lue_runko(sisalto, lista, luku, viestit) == RungonTila::Vahingoittunut) {
        tulosta_virhe("Tiedosto " + luku.tiedoston_nimi + " on vahingoittunut: sen otsakerivejä ei löytynyt.");
        return 1;
    }
    return tulosta_runko(lista) ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"read-body", 1, 1, read_body});

}  // namespace
