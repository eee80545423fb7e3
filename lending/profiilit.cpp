#include "lending/profiilit.h"

#include "diag/loki.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "perus/ohjelmakansio.h"

namespace fs = std::filesystem;

fs::path profiilitiedosto(const Ohjelmakansio& kansio) { return kansio.polku(profiilitiedoston_nimi); }

void lue_profiilit(Tiedostojarjestelma& tj, const fs::path& tiedosto, std::vector<Profiili>& profiilit) {
    kirjoita_debug("Luetaan lainaajaprofiilit muistiin");
    if (!on_olemassa(tj, tiedosto)) return;
    std::string sisalto;
    const Tulos t = lue_koko_tiedosto(tj, tiedosto, sisalto);
    if (!t) {
        // An unreadable file is kept: it may hold profiles that a change of permissions brings back.
        kirjoita_debug_aina("Virhe #1 profiilitiedoston lukemisessa : " + t.viesti);
        profiilit.clear();
        return;
    }
    if (sisalto.size() < 3) {
        kirjoita_debug_aina("Virhe #1 profiilitiedoston lukemisessa : tiedosto tyhjä!");
        tj.poista(tiedosto);
        profiilit.clear();
        return;
    }
    std::vector<std::string> rivit;
    std::size_t alku = 0;
    while (alku < sisalto.size()) {
        std::size_t loppu = sisalto.find('\n', alku);
        if (loppu == std::string::npos) loppu = sisalto.size();
        std::string rivi = sisalto.substr(alku, loppu - alku);
        if (!rivi.empty() && rivi.back() == '\r') rivi.pop_back();
        rivit.push_back(std::move(rivi));
        alku = loppu + 1;
    }
    std::vector<Profiili> luetut;
    std::size_t i = 0;
    while (i < rivit.size()) {
        Profiili p;
        const std::string& eka = rivit[i++];
        if (eka != profiilien_erotin) {
            p.nimi = eka;
            if (i < rivit.size()) p.puhelin = rivit[i++];
            if (i < rivit.size()) p.email = rivit[i++];
            while (i < rivit.size() && rivit[i++] != profiilien_erotin) {
            }
        }
        luetut.push_back(std::move(p));
    }
    profiilit = std::move(luetut);
    kirjoita_debug("Profiilit luettu");
}

std::string profiilit_tekstiksi(const std::vector<Profiili>& profiilit) {
    std::string s;
    for (const Profiili& p : profiilit)
        s += p.nimi + "\r\n" + p.puhelin + "\r\n" + p.email + "\r\n" + profiilien_erotin + "\r\n";
    return s;
}

Tulos kirjoita_profiilit(Tiedostojarjestelma& tj, const fs::path& tiedosto, const std::vector<Profiili>& profiilit) {
    const Tulos t = korvaa_tiedosto(tj, tiedosto, profiilit_tekstiksi(profiilit));
    if (!t) kirjoita_debug_aina("[kirjoita_profiilit] " + t.viesti);
    return t;
}

std::optional<std::string> hae_email(const std::vector<Profiili>& profiilit, const std::string& nimi) {
    const std::string haettava = pienet_kirjaimet(nimi);
    std::optional<std::string> osoite;
    for (const Profiili& p : profiilit)
        if (pienet_kirjaimet(p.nimi) == haettava) osoite = p.email;
    return osoite;
}
