#pragma once
// A stand-in main window for testing one window of another subsystem: a real catalogue in a program
// folder of its own, recorded messages, a desktop whose dialogs the test answers, and menu items made
// on demand under the names the real menus use.
#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "diag/kiire.h"
#include "mainwindow/korttitoiminnot.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/varasto.h"
#include "testituki/testityopoyta.h"
#include "testituki/testiviestit.h"
#include "testituki/tilapainen_kansio.h"

namespace testituki {

class Sijaispaaikkuna final : public Paaikkuna {
public:
    testituki::Tilapainen_kansio k;
    Ohjelmakansio kansio{k.juuri(), jarjestelman_tiedostot()};
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset a;
    Tietokanta tk;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &a};
    TestiTyopoyta tp;
    Korttimuutokset m;
    Ulkoasusovitin s;
    TPeruuta_muutokset peruutus_;
    QMainWindow w;
    std::map<Toiminto, QAction*> toiminnot;
    int paivityksia = 0;    // update_fields calls
    int tallennuksia = 0;   // dosavefields calls
    int himmennyksia = 0;   // dims not yet undone
    std::vector<std::pair<std::string, std::string>> ohjeet;  // help documents opened, with their anchors
    std::vector<int> asetussivut;                             // settings dialog opened on these pages
    std::function<void(int)> asetuksissa;                     // what the user does there; unset: nothing
    // A test's own fields bound to the current card: run by dosavefields and update_fields when set.
    std::function<void()> kentat_kortille;
    std::function<void()> kortti_kenttiin;

    // Cards as (cassette, title) pairs; the first becomes current.
    explicit Sijaispaaikkuna(std::initializer_list<std::pair<const char*, const char*>> kasetti_nimi = {}) {
        for (const auto& [kasetti, nimi] : kasetti_nimi) {
            TKortti& c = tk.kortit.lisaa_uusi();
            c.kasetilla = kasetti;
            c.nimi = nimi;
        }
        if (tk.kortit.Count() == 1) tk.kortit.lisaa_uusi();
        tk.tiedosto = (k.juuri() / "testi.rkb").string();
        tk.nykyinen = 1;
        w.resize(640, 480);
    }

    QWidget* ikkuna() override { return &w; }
    Varasto& varasto() override { return v; }
    TAsetukset& asetukset() override { return a; }
    Tyopoyta& tyopoyta() override { return tp; }
    Korttimuutokset& muutokset() override { return m; }
    Ulkoasusovitin& sovitin() override { return s; }
    // The item is made the first time it is asked for, captioned by its number in the list.
    QAction* toiminto(Toiminto t) override {
        QAction*& a = toiminnot[t];
        if (!a) a = w.menuBar()->addAction(QString::number(static_cast<int>(t)));
        return a;
    }
    void dosavefields() override {
        ++tallennuksia;
        if (kentat_kortille) kentat_kortille();
    }
    void update_fields() override {
        ++paivityksia;
        if (kortti_kenttiin) kortti_kenttiin();
    }
    void siirry_korttiin(int indeksi) override {
        tk.nykyinen = indeksi;
        peruutus_.ota(tk);
        m.ilmoita_nykyinen(indeksi);
    }
    TPeruuta_muutokset& peruutus() override { return peruutus_; }
    void himmenna_tausta() override { ++himmennyksia; }
    void palauta_tausta() override { --himmennyksia; }
    void avaa_ohje(const char* tiedosto, const char* kohta) override {
        ohjeet.emplace_back(tiedosto, kohta ? kohta : "");
    }
    void nayta_asetukset(int sivu) override {
        asetussivut.push_back(sivu);
        if (asetuksissa) asetuksissa(sivu);
    }

    TKortti& kortti() { return tk.kortit[tk.nykyinen]; }
};

}  // namespace testituki
