#pragma once
// A program folder of its own for each test, with the seams recorded.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "diag/loki.h"
#include "storage/varasto.h"
#include "testituki/testiviestit.h"
#include "testituki/tilapainen_kansio.h"

class Testitila : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(juuri_ / "gfx" / "kannet");
        kansio_ = std::make_unique<Ohjelmakansio>(juuri_, jarjestelman_tiedostot());
        diag::loki().nollaa();  // the log is the process's own, and a test reads only its own lines
    }

    // Kept by the fixture, so a test can hand it straight to a routine that changes the catalogue.
    Varasto& varasto(Tiedostojarjestelma& t = jarjestelman_tiedostot()) {
        return varastot_.emplace_back(tk_, *kansio_, t, ikkuna_, viestit_, kiire_);
    }

    // The window the fixture's catalogue reports to: the caption is kept, the overdue checks counted.
    class Ikkuna final : public Varaston_ikkuna {
    public:
        explicit Ikkuna(Testitila& t) : t_(t) {}
        std::string otsikko() const override { return t_.otsikko_; }
        void vaihda_otsikko(const std::string& otsikko) override {
            t_.otsikot_.push_back(otsikko);
            t_.otsikko_ = otsikko;
        }
        void lista_muuttui() override {}
        bool debug_nakyvissa() const override { return false; }
        void tarkista_myohastymiset() override {
            ++t_.myohastymistarkistuksia_;
            if (t_.myohastymisilla_) t_.myohastymisilla_();
        }

    private:
        Testitila& t_;
    };

    std::filesystem::path polku(const std::string& nimi) const { return kansio_->polku(nimi); }

    void kirjoita(const std::string& nimi, const std::string& sisalto) const {
        std::ofstream f(polku(nimi), std::ios::binary | std::ios::trunc);
        f << sisalto;
    }
    std::string lue(const std::string& nimi) const {
        std::ifstream f(polku(nimi), std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }

    testituki::Tilapainen_kansio tila_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::filesystem::path juuri_ = tila_.juuri();
    std::unique_ptr<Ohjelmakansio> kansio_;
    Tietokanta tk_;
    diag::TestiViestit viestit_;
    diag::EiKiiretta kiire_;
    std::string otsikko_ = "Rullakko v1.36";
    std::vector<std::string> otsikot_;
    int myohastymistarkistuksia_ = 0;
    std::function<void()> myohastymisilla_;  // what a test does when the overdue check is asked for
    Ikkuna ikkuna_{*this};
    std::deque<Varasto> varastot_;
};
