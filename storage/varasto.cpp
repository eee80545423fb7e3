#include "storage/varasto.h"

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

std::string lukuvirheen_viesti(int virhekoodi) {
    return "Virhe [" + std::to_string(virhekoodi) + "] tiedoston lukemisessa, ohitetaan...";
}

bool Varasto::kannet_heti() const { return asetukset ? asetukset->avaa_kannet_heti : TAsetukset{}.avaa_kannet_heti; }
bool Varasto::myohastymiset_kaytossa() const { return asetukset ? asetukset->notify_enabled : TAsetukset{}.notify_enabled; }

namespace {

class Ilman_ikkunaa final : public Varaston_ikkuna {
public:
    std::string otsikko() const override { return {}; }
    void vaihda_otsikko(const std::string&) override {}
    void lista_muuttui() override {}
    bool debug_nakyvissa() const override { return false; }
    void tarkista_myohastymiset() override {}
};

}  // namespace

Varaston_ikkuna& ilman_ikkunaa() {
    static Ilman_ikkunaa ei;
    return ei;
}
