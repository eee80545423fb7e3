#pragma once
// Cards known by their names: a card with a name and the few values that tell copies of one movie apart,
// for tests of the reference lookup and of folding duplicates; and catalogue files saved as the program
// saves them but unsorted, among them one of cards that have only their names, for tests of commands that
// fill cards by their names.
#include <initializer_list>
#include <string>

#include "diag/kiire.h"
#include "perus/ohjelmakansio.h"
#include "settings/asetukset.h"
#include "storage/tallennus.h"
#include "storage/varasto.h"
#include "testituki/testiviestit.h"

namespace testituki {

inline TKortti kortti(const char* nimi, const char* formaatti = "", const char* ohjaaja = "", const char* kesto = "",
                      const char* juoni = "") {
    TKortti k;
    k.nimi = nimi;
    k.formaatti = formaatti;
    k.ohjaaja = ohjaaja;
    k.kesto = kesto;
    k.juoni = juoni;
    return k;
}

}  // namespace testituki

// Saves the cards as the program saves them, unsorted, with `kansio` as the program folder.
inline bool tallenna_kortit(const std::filesystem::path& kansio, const std::string& tiedosto, Tietokanta& tk) {
    const Ohjelmakansio ohjelma(kansio, jarjestelman_tiedostot());
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset a;
    a.tallenna_sortattuna = false;
    Varasto tallentaja{tk, ohjelma, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &a};
    return static_cast<bool>(tallenna_tietokanta(tiedosto, tallentaja));
}

inline bool tallenna_nimetyt_kortit(const std::filesystem::path& kansio, const std::string& tiedosto,
                                    std::initializer_list<const char*> nimet) {
    Tietokanta tk;
    for (const char* nimi : nimet) tk.kortit.lisaa_uusi().nimi = nimi;
    return tallenna_kortit(kansio, tiedosto, tk);
}
