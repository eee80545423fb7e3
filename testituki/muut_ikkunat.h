#pragma once
// The program's other windows as the real main window reaches them in a test: recorded, with scripted
// answers.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "perus/ui/paaikkuna.h"

namespace testituki {

// The list window as a test sees it: what it was asked to do, and scripted answers.
class Testilista final : public Listaikkuna {
public:
    bool auki = false;
    bool haku = false;
    std::function<bool(int)> rivi;  // previous/next row; unset: at an end
    int seurattu = 0, rakennettu = 0, suljettu = 0, hakutuloksia = 0, kaikkia = 0;
    std::optional<bool> muoto;

    bool nakyvissa() const override { return auki; }
    bool hakutulokset() const override { return haku; }
    bool siirry_riville(int suunta) override { return rivi && rivi(suunta); }
    void seuraa_valintaa() override { ++seurattu; }
    void rakenna() override { ++rakennettu; }
    void sulje() override {
        ++suljettu;
        auki = false;
    }
    void aseta_muoto(bool liitetty) override { muoto = liitetty; }
    void nayta_hakutulokset() override { ++hakutuloksia; }
    void nayta_kaikki() override { ++kaikkia; }
};

// The program's other windows as the main window reaches them, recorded.
class TestiMuut final : public Muut_ikkunat {
public:
    Testilista lista_;
    std::function<void()> etsinta;     // the search window; unset: nothing happens
    std::function<bool()> jarjestys;   // the sort dialog; unset: cancelled
    std::vector<std::string> pituuskysymykset;
    std::vector<std::string> viitehaut;
    std::vector<int> asetussivut;
    int debuggeri = 0, suljettu = 0, kortit_vaihtuneet = 0, myohastymistarkistuksia = 0;

    Listaikkuna& lista() override { return lista_; }
    void etsi() override {
        if (etsinta) etsinta();
    }
    void kysy_kasetin_pituus(const std::string& kasetti) override { pituuskysymykset.push_back(kasetti); }
    void hae_viitetiedot(const std::string& nimi) override { viitehaut.push_back(nimi); }
    bool jarjesta() override { return jarjestys && jarjestys(); }
    void nayta_asetukset(int sivu) override { asetussivut.push_back(sivu); }
    void nayta_debuggeri() override { ++debuggeri; }
    void sulje_kaikki() override { ++suljettu; }
    bool debuggeri_nakyvissa() const override { return false; }
    void kortit_vaihtuivat() override { ++kortit_vaihtuneet; }
    void tarkista_myohastymiset() override { ++myohastymistarkistuksia; }
};

}  // namespace testituki
