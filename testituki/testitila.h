#pragma once
// A program folder of its own for each test, with the seams recorded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "diag/loki.h"
#include "testituki/testiviestit.h"
#include "storage/varasto.h"

class Testitila : public ::testing::Test {
protected:
    void SetUp() override {
        juuri_ = std::filesystem::temp_directory_path() /
                 ("rullakko_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(juuri_);
        std::filesystem::create_directories(juuri_ / "gfx" / "kannet");
        kansio_ = std::make_unique<Ohjelmakansio>(juuri_);
        diag::loki().nollaa();  // the log is the process's own, and a test reads only its own lines
    }
    void TearDown() override { std::filesystem::remove_all(juuri_); }

    Varasto varasto(Tiedostojarjestelma& t = jarjestelman_tiedostot()) {
        Varasto v{tk_, *kansio_, t, viestit_, kiire_};
        v.lue_otsikko = [this] { return otsikko_; };
        v.aseta_otsikko = [this](const std::string& t) {
            otsikot_.push_back(t);
            otsikko_ = t;
        };
        return v;
    }

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

    std::filesystem::path juuri_;
    std::unique_ptr<Ohjelmakansio> kansio_;
    Tietokanta tk_;
    diag::TestiViestit viestit_;
    diag::EiKiiretta kiire_;
    std::string otsikko_ = "Rullakko v1.36";
    std::vector<std::string> otsikot_;
};
