#include "diag/loki.h"

#include <cstdio>
#include <memory>

#include "diag/viestit.h"
#include "perus/merkisto.h"

namespace diag {

Loki loki_olio;

std::string otsikon_jatke(const std::filesystem::path& tiedosto) {
    return " // Kirjoitetaan " + merkisto::utf8_cp1252(tiedosto.string()) + " ....";
}

void Loki::aseta_naytolle(bool paalla) { naytolle_ = paalla; }
void Loki::aseta_tiedostoon(bool paalla) { tiedostoon_ = paalla; }

void Loki::tyhjenna_rivit() {
    rivit_.clear();
    if (rivit_muuttuivat) rivit_muuttuivat();
}

void Loki::nollaa() {
    naytolle_ = tiedostoon_ = false;
    rivit_.clear();
    viestit_ = nullptr;
    tiedosto_ = "rulladb_debug.log";
    rivit_muuttuivat = nullptr;
    kytkimet_muuttuivat = nullptr;
    lue_otsikko = nullptr;
    aseta_otsikko = nullptr;
}

namespace {
struct Suljin {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Tiedosto = std::unique_ptr<std::FILE, Suljin>;

bool kirjoita_rivi(std::FILE* f, std::string_view rivi) {
    return std::fwrite(rivi.data(), 1, rivi.size(), f) == rivi.size() && std::fwrite("\r\n", 1, 2, f) == 2;
}
}  // namespace

bool Loki::kirjoita_tiedostoon(std::string_view rivi) {
    std::error_code ec;
    if (!std::filesystem::exists(tiedosto_, ec)) {
        Tiedosto uusi(std::fopen(tiedosto_.c_str(), "wb"));
        if (!uusi || !kirjoita_rivi(uusi.get(), otsake)) return false;
    }
    // Opened and closed for every line so that the log is whole even if the program dies right after.
    Tiedosto f(std::fopen(tiedosto_.c_str(), "ab"));
    if (!f || !kirjoita_rivi(f.get(), rivi)) return false;
    if (std::fflush(f.get()) != 0) return false;
    return std::fclose(f.release()) == 0;
}

void Loki::kirjoita(std::string_view rivi, bool aina) {
    if (tiedostoon_) {
        const std::string otsikko = lue_otsikko ? lue_otsikko() : std::string();
        if (aseta_otsikko) aseta_otsikko(otsikko + otsikon_jatke(tiedosto_));
        const bool onnistui = kirjoita_tiedostoon(rivi);
        if (aseta_otsikko) aseta_otsikko(otsikko);
        if (!onnistui) {
            // One message, then the program goes on without the file sink.
            tiedostoon_ = false;
            if (kytkimet_muuttuivat) kytkimet_muuttuivat();
            const std::string viesti = "Debug-lokitiedostoon " + merkisto::utf8_cp1252(tiedosto_.string()) +
                                       " ei voi kirjoittaa.\nLokin tallennus tiedostoon on kytketty pois päältä.";
            if (viestit_) viestit_->virhe(viesti);
            kirjoita(viesti, true);
        }
    }
    if (aina || naytolle_) {
        rivit_.emplace_back(rivi);
        while (rivit_.size() > ikkunan_rivit) rivit_.pop_front();
        if (rivit_muuttuivat) rivit_muuttuivat();
    }
}

}  // namespace diag
