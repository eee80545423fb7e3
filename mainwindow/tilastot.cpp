#include "mainwindow/tilastot.h"

#include "diag/loki.h"
#include "diag/nayttoraja.h"

std::vector<std::string> tilastorivit(const TOmaList& lista) {
    int kansia = 0, imdb = 0, osoitteita = 0, odottaa = 0, haettavissa = 0;
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        if (!k.cover_fn.empty()) ++kansia;
        if (!k.imdb_koodi.empty()) ++imdb;
        if (!k.cover_url.empty()) {
            ++osoitteita;
            kirjoita_debug(k.cover_url);
        }
        if (k.hae_kansi && !k.imdb_koodi.empty()) ++odottaa;
        // A card can get a cover when it has none yet and there is somewhere to fetch one from; counting the
        // cards themselves keeps the figure from going below zero.
        if (k.cover_fn.empty() && (!k.cover_url.empty() || !k.imdb_koodi.empty())) ++haettavissa;
    }
    // The version comes from the file as it is; quoted by its beginning so the counts below it stay in view.
    return {"Tietokannan versio: " + lyhennetty(lista.versio),
            "Kortteja tietokannassa: " + std::to_string(lista.Count() - 1),
            "Kansikuvia tietokannassa: " + std::to_string(kansia),
            "IMDB yhteensopivia kortteja: " + std::to_string(imdb),
            std::to_string(osoitteita) + " kortilla on kansikuvan url",
            std::to_string(odottaa) + " korttia odottaa kansikuvan haku yritystä",
            std::to_string(haettavissa) + " kortille voitaisiin yrittää hakea kansikuva"};
}
