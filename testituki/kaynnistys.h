#pragma once
// The whole program as the user starts it, offscreen, in a program folder of its own: the real windows and
// their wiring, with recorded messages and a desktop whose dialogs the test answers.
#include <QtTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ohjelma.h"
#include "diag/kiire.h"
#include "mainwindow/tiedostotyyppi.h"
#include "mainwindow/ui/main_form.h"
#include "storage/lataus.h"
#include "testituki/asetustesti.h"
#include "testituki/testityopoyta.h"
#include "testituki/testiviestit.h"

namespace testituki {

// The built installation data (skins, example catalogue, help pages) the tests copy from.
inline std::filesystem::path datakansio() { return std::filesystem::path(qgetenv("RULLAKKO_DATA").constData()); }

struct Kaynnistys {
    testituki::Tilapainen_kansio k;
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    testituki::TestiTyopoyta tyopoyta;
    std::unique_ptr<Ohjelma> o;

    Kaynnistys() {
        asetustesti::tee_ulkoasu(k, "perus", asetustesti::kuvaus_kuvakkein);
        // The file type counts as registered, so only the questions a test scripts are asked.
        o = std::make_unique<Ohjelma>(k.juuri(), jarjestelman_tiedostot(), viestit, kiire, tyopoyta);
        o->xdg_data = k.juuri() / "xdg";
        QVERIFY(rekisteroi_tiedostotyyppi(o->tiedostot, o->xdg_data, o->ohjelmatiedosto));
    }
    bool kaynnista(QStringList argumentit = {}) { return o->kaynnista(QStringList{"rullakko"} + argumentit); }
    TMain_form& m() { return o->paaikkuna(); }

    // The titles of the cards in a catalogue file, read back as the program reads it.
    std::vector<std::string> tiedoston_nimet(const char* tiedosto) {
        Tietokanta luettu;
        Varasto v{luettu, o->kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire};
        std::vector<std::string> nimet;
        if (!lue_tietueet(polku_tekstiksi(k.juuri() / tiedosto), false, true, luettu.kortit, v)) return nimet;
        for (int n = 1; n < luettu.kortit.Count(); ++n) nimet.push_back(luettu.kortit[n].nimi);
        return nimet;
    }
};


}  // namespace testituki
