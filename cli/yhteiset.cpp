#include <unistd.h>

#include <fstream>
#include <sstream>

#include "cli/alikomennot.h"
#include "settings/ini.h"
#include "perus/merkisto.h"
#include "perus/ohjelmakansio.h"
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/tyokansio.h"

void tulosta_virhe(const std::string& cp1252) {
    const std::string t = merkisto::cp1252_utf8(cp1252);
    std::fprintf(stderr, "%s\n", t.c_str());
}

void KomentoriviViestit::nayta(diag::Laji laji, const std::string& teksti, const std::string&) {
    if (laji == diag::Laji::Virhe) ++virheita;
    tulosta_virhe(teksti);
}

diag::Vastaus KomentoriviViestit::kysy(diag::Laji, const std::string& teksti, bool, const std::string&) {
    tulosta_virhe(teksti + " -> Ei");
    return diag::Vastaus::Ei;
}

bool lue_tiedosto(const std::string& nimi, std::string& sisalto) {
    std::ifstream f(nimi, std::ios::binary);
    if (!f) return false;
    std::ostringstream ss;
    ss << f.rdbuf();
    sisalto = ss.str();
    return !f.bad();
}

TilapainenOhjelmakansio::TilapainenOhjelmakansio() {
    // A run killed in the middle leaves its folder behind; the next run removes it.
    siivoa_vanhat_tyokansiot(jarjestelman_tiedostot(), "rkb");
    tyo_.emplace(jarjestelman_tiedostot(), "rkb");
    if (tyo_->polku().empty())
        throw std::filesystem::filesystem_error("mkdtemp", std::error_code(tyo_->tulos().syy, std::generic_category()));
    std::filesystem::create_directories(tyo_->polku() / "gfx" / "kannet");
}

std::string ohjelman_nimi(const std::string& nimi) {
    return merkisto::utf8_cp1252(std::filesystem::absolute(nimi).lexically_normal().string());
}

bool tulosta_runko(const TOmaList& lista) {
    // The writer's pieces go out as they come, so the body is never held a second time.
    const bool ok = kirjoita_runko(lista, [](std::string_view pala) {
        return std::fwrite(pala.data(), 1, pala.size(), stdout) == pala.size();
    });
    return std::fflush(stdout) == 0 && ok;
}

std::optional<TAsetukset> ohjelmakansion_asetukset(const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    TAsetukset a;
    IniTiedosto ini;
    if (!ini.lataa(jarjestelman_tiedostot(), asetustiedosto(kansio))) {
        tulosta_virhe("Asetustiedostoa ei voi lukea.");
        return std::nullopt;
    }
    lue_asetusarvot(a, ini, Asetusymparisto{kansio, jarjestelman_tiedostot(), viestit});
    return a;
}

bool Avattu::lue_asetukset() {
    std::optional<TAsetukset> a = ohjelmakansion_asetukset(ohjelma, viestit);
    if (!a) return false;
    asetukset = std::move(*a);
    asetukset.notify_enabled = false;
    return true;
}

bool Avattu::avaa(const std::string& komentorivin_nimi) {
    return lue_tietueet(ohjelman_nimi(komentorivin_nimi), false, false, tk.kortit, v);
}

bool tulosta_rivi(const std::string& cp1252) {
    const std::string t = merkisto::cp1252_utf8(cp1252) + "\n";
    return std::fwrite(t.data(), 1, t.size(), stdout) == t.size();
}
