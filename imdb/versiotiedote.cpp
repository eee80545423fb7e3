#include "imdb/versiotiedote.h"

#include "diag/viestit.h"
#include "imdb/leikkurit.h"
#include "imdb/osoitteet.h"
#include "diag/loki.h"
#include "storage/runko.h"

namespace {

class Hiljaiset final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string&, const std::string&) override {}
    diag::Vastaus kysy(diag::Laji, const std::string&, bool, const std::string&) override { return diag::Vastaus::Ei; }
};

}  // namespace

std::string uusi_versio_teksti(std::string_view tiedosto, double oma_versio) {
    std::string t = "Rullakkosta löytyy uudempi versio\n" + std::string(47, '-') + "\n\n";
    double osio = 0;
    Hiljaiset hiljaa;
    for (const std::string& rivi : jaa_rivit(tiedosto)) {
        if (rivi.size() == 4 && rivi[1] == '.') {
            osio = mkStr2Float(rivi, hiljaa);
            continue;
        }
        if (!rivi.empty() && osio > oma_versio) t += rivi + "\n";
    }
    t += "\nHaluatko siirtyä ohjelman kotisivuille?";
    return t.size() > 150 ? t : std::string();
}

std::string hae_versiotiedote(Verkkohaku& http, double oma_versio) {
    HttpPyynto p;
    p.url = paivitys_osoite() + "/rkb_versio.txt";
    p.enintaan = 1u << 20;
    HttpVastaus v;
    if (const Tulos t = http.hae(p, v); !t) {
        kirjoita_debug("[uusi_versio] " + t.viesti);
        return {};
    }
    return uusi_versio_teksti(v.runko, oma_versio);
}
