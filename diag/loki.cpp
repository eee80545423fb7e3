#include "diag/loki.h"

#include <fcntl.h>

#include <cerrno>

#include "diag/viestit.h"
#include "perus/merkisto.h"
#include "perus/tiedostojarjestelma.h"

namespace diag {

Loki loki_olio;

std::string otsikon_jatke(const std::filesystem::path& tiedosto) {
    return " // Kirjoitetaan " + merkisto::utf8_cp1252(tiedosto.string()) + " ....";
}

void Loki::aseta_naytolle(bool paalla) { naytolle_ = paalla; }
void Loki::aseta_tiedostoon(bool paalla) { tiedostoon_ = paalla; }

void Loki::tyhjenna_rivit() {
    rivit_.clear();
    nayta_rivit();
}

void Loki::nollaa() {
    naytolle_ = tiedostoon_ = false;
    rivit_.clear();
    viestit_ = nullptr;
    tiedostot_ = nullptr;
    tiedosto_ = "rulladb_debug.log";
    nakyma_ = nullptr;
    otsikko_ = nullptr;
}

bool Loki::kirjoita_tiedostoon(std::string_view rivi) {
    if (!tiedostot_) return false;
    Tiedostojarjestelma& t = *tiedostot_;
    // Opened and closed for every line so that the log is whole even if the program dies right after.
    std::string teksti;
    Kuvaaja a = t.avaa(tiedosto_, O_WRONLY | O_APPEND | O_CREAT | O_EXCL);
    if (a.tulos) {
        teksti = std::string(otsake) + "\r\n";
    } else if (a.tulos.syy == EEXIST) {
        a = t.avaa(tiedosto_, O_WRONLY | O_APPEND);
    }
    if (!a.tulos) return false;
    teksti.append(rivi).append("\r\n");
    const Tulos kirjoitus = kirjoita_kaikki(t, a.fd, teksti.data(), teksti.size());
    return t.sulje(a.fd).onnistui() && kirjoitus.onnistui();
}

void Loki::kirjoita(std::string_view rivi, bool aina) {
    if (tiedostoon_) {
        const std::string otsikko = otsikko_ ? otsikko_->otsikko() : std::string();
        if (otsikko_) otsikko_->vaihda_otsikko(otsikko + otsikon_jatke(tiedosto_));
        const bool onnistui = kirjoita_tiedostoon(rivi);
        if (otsikko_) otsikko_->vaihda_otsikko(otsikko);
        if (!onnistui) {
            // One message, then the program goes on without the file sink.
            tiedostoon_ = false;
            if (nakyma_) nakyma_->kytkimet_muuttuivat();
            const std::string viesti = "Debug-lokitiedostoon " + merkisto::utf8_cp1252(tiedosto_.string()) +
                                       " ei voi kirjoittaa.\nLokin tallennus tiedostoon on kytketty pois päältä.";
            if (viestit_) viestit_->virhe(viesti);
            kirjoita(viesti, true);
        }
    }
    if (aina || naytolle_) {
        rivit_.emplace_back(rivi);
        while (rivit_.size() > ikkunan_rivit) rivit_.pop_front();
        nayta_rivit();
    }
}

}  // namespace diag
