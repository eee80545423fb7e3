#include "export/csv.h"

#include "perus/merkisto.h"
#include "perus/tiedostot.h"
#include "storage/sarakkeet.h"

namespace {

// Pieces of about this size go to the writer, so a big catalogue never stands whole in memory.
constexpr std::size_t palan_koko = 64 * 1024;

void lisaa_rivi_loppuun(std::string& puskuri) { puskuri.append("\r\n", 2); }

}  // namespace

std::string csv_kentta(std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
    std::string s;
    s.reserve(utf8.size() + 8);
    s += '"';
    for (char c : utf8) {
        if (c == '"') s += '"';
        s += c;
    }
    s += '"';
    return s;
}

void kirjoita_csv(const TOmaList& lista, const std::function<void(std::string_view)>& kirjoita) {
    std::string puskuri(csv_tavujarjestysmerkki);
    const std::vector<Sarake>& sarakkeet_ = sarakkeet();
    for (std::size_t i = 0; i < sarakkeet_.size(); ++i) {
        if (i > 0) puskuri += ',';
        puskuri += csv_kentta(merkisto::cp1252_utf8(sarakkeet_[i].nimi));
    }
    lisaa_rivi_loppuun(puskuri);
    for (int k = 0; k < lista.Count(); ++k) {
        const TKortti& kortti = lista[k];
        if (lista.on_nollakortti(&kortti)) continue;
        for (std::size_t i = 0; i < sarakkeet_.size(); ++i) {
            if (i > 0) puskuri += ',';
            puskuri += csv_kentta(merkisto::cp1252_utf8(sarakkeen_arvo(kortti, sarakkeet_[i])));
        }
        lisaa_rivi_loppuun(puskuri);
        if (puskuri.size() >= palan_koko) {
            kirjoita(puskuri);
            puskuri.clear();
        }
    }
    if (!puskuri.empty()) kirjoita(puskuri);
}

Tulos vie_csv(Tiedostojarjestelma& t, const TOmaList& lista, const std::filesystem::path& kohde) {
    Korvaus korvaus(t, kohde);
    kirjoita_csv(lista, [&](std::string_view pala) { korvaus.kirjoita(pala); });
    return korvaus.valmis();
}
