#include "storage/varasto.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "diag/loki.h"
#include "settings/asetukset.h"

void liian_lyhyt_runko(const std::string& nimi, std::uintmax_t koko) {
    kirjoita_debug_aina("IO ERROR: Tiedosto " + nimi + " vie alle 35 tavua tilaa! (" + std::to_string(koko) +
                        " tavua)... Keskeytetään tiedoston lukeminen");
    kirjoita_debug_aina("   -----> Korjataan asettamalla yksi tyhjä kortti..");
}

std::string puuttuvan_tiedoston_viesti(const std::string& nimi, bool mutta) {
    return "Virhe! ohjelma yritti lukea tiedoston \"" + nimi + "\" jota ei kuitenkaan löydy!\n" +
           "Ohjelma ohittaa virheen (lukeminen keskeytetty), " + (mutta ? "mutta " : "") +
           "ohjelman uudelleenkäynnistäminen on suositeltavaa.\nJos ongelma jatkuu ota yhteys ohjelman tekijään.";
}

bool lue_tavut(const std::filesystem::path& p, std::string& sisalto, int& virhekoodi) {
    struct Suljin {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    sisalto.clear();
    errno = 0;
    std::unique_ptr<std::FILE, Suljin> f(std::fopen(p.c_str(), "rb"));
    if (!f) {
        virhekoodi = errno ? errno : EIO;
        return false;
    }
    char puskuri[1 << 16];
    for (std::size_t n; (n = std::fread(puskuri, 1, sizeof puskuri, f.get())) > 0;) sisalto.append(puskuri, n);
    if (std::ferror(f.get())) {
        virhekoodi = errno ? errno : EIO;
        return false;
    }
    virhekoodi = 0;
    return true;
}

std::string lukuvirheen_viesti(int virhekoodi) {
    return "Virhe [" + std::to_string(virhekoodi) + "] tiedoston lukemisessa, ohitetaan...";
}

bool Varasto::kannet_heti() const { return asetukset ? asetukset->avaa_kannet_heti : TAsetukset{}.avaa_kannet_heti; }
bool Varasto::myohastymiset_kaytossa() const { return asetukset ? asetukset->notify_enabled : TAsetukset{}.notify_enabled; }
