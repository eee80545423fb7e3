#include "storage/korjaus.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"

#include "diag/loki.h"
#include "perus/tiedostot.h"
#include "storage/kentat.h"
#include "storage/runko.h"

namespace fs = std::filesystem;

namespace {

constexpr int vanhan_kortin_rivit = 17;

}  // namespace

void korjaa_0D0D0A(const fs::path& runko, Varasto& v) {
    std::string teksti;
    if (lue_koko_tiedosto(v.tj(), runko, teksti)) korjaa_0D0D0A(runko, teksti, v);
}

void korjaa_0D0D0A(const fs::path& runko, std::string& teksti, Varasto& v) {
    Rivinlukija alku(teksti);
    alku.raaka();
    if (alku.loppu() || !alku.raaka().empty()) return;

    kirjoita_debug_aina("Korjataan 0D0D0A vahingoittunut tiedosto...");
    const std::string otsikko = v.otsikko();
    v.vaihda_otsikko("Luetaan/korjataan vahingoittunutta tai väärin tallennettua tietokantaa, odota...");

    std::string korjattu;
    korjattu.reserve(teksti.size());
    for (Rivinlukija r(teksti); !r.loppu(); r.raaka()) {
        korjattu += r.raaka();
        korjattu += "\r\n";
    }
    // Replaced whole or not at all: a failure leaves the file as it was, and the repaired text is read anyway.
    if (const Tulos t = korvaa_tiedosto(v.tj(), runko, korjattu); !t) {
        kirjoita_debug_aina("[korjaa_0D0D0A] " + t.viesti);
        v.viestit.virhe(t.viesti + "\nTiedosto jäi ennalleen; korjattu tietokanta on avattuna.");
    }
    teksti = std::move(korjattu);
    v.vaihda_otsikko(otsikko);
}

void lue_vanhat_kortit(std::string_view teksti, TOmaList& lista) {
    Rivinlukija r(teksti);
    while (!r.loppu()) {
        TKortti& k = lista.lisaa_uusi();
        // An old card holds the first seventeen lines of today's card block, the last of them the first
        // additional field as "name¶value".
        for (const Kenttatieto& t : kentat) {
            if (t.runkorivi > vanhan_kortin_rivit) break;
            const std::string rivi = r.rivi();
            const std::size_t merkki = t.jasen ? std::string::npos : rivi.rfind('\xb6');
            if (merkki == std::string::npos) {
                t.teksti(k) = rivi;
            } else {
                *t.lisatiedon_nimi(k) = rivi.substr(0, merkki);
                t.teksti(k) = rivi.substr(merkki + 1);
            }
        }
        if (k.sijainti == "0") k.sijainti.clear();
    }
}

void lue_vanha_tietokanta(const std::string& nimi, bool liitos, Varasto& v) {
    if (nimi.empty()) {
        v.viestit.virhe("Virhe! Funktio lue_tietueet ei saanut tiedostoparametriä!");
        return;
    }
    const fs::path polku = v.kansio.polku(nimi);
    if (!on_olemassa(v.tj(), polku)) {
        v.viestit.virhe(puuttuvan_tiedoston_viesti(nimi, true));
        return;
    }
    if (!liitos) {
        keskeyta_kannet(v.tk());
        v.tk().tyhjenna();
    }
    std::string teksti;
    if (const Tulos luku = lue_koko_tiedosto(v.tj(), polku, teksti); !luku) {
        v.viestit.virhe(lukuvirheen_viesti(luku.koodi));
        kirjoita_debug_aina("IO ERROR: " + std::to_string(luku.koodi));
        v.viestit.virhe("Virhe! Tiedosto \"" + nimi + "\" on jo käytössä toisessa sovelluksessa!\n"
                        "Ohjelma ohittaa virheen (sisäinen tietokanta jäi lukematta), mutta ohjelman "
                        "uudelleenkäynnistäminen on suositeltavaa.\nJos ongelma jatkuu ota yhteys ohjelman tekijään.");
        if (v.tk().kortit.korttien_maara() == 0) v.tk().kortit.lisaa_uusi();
        return;
    }
    if (teksti.size() < lyhin_runko) {
        liian_lyhyt_runko(nimi, teksti.size());
        // The window needs a card to show, as after every failed load.
        v.tk().tyhjenna();
        v.tk().kortit.lisaa_uusi();
        return;
    }
    v.tk().tyhjenna();
    v.tk().kortit.muutettu = false;
    lue_vanhat_kortit(teksti, v.tk().kortit);
    if (v.tk().kortit.korttien_maara() == 0) v.tk().kortit.lisaa_uusi();
    v.paivita_lista();
    if (!liitos) {
        v.tk().tiedosto = nimi;
        v.tk().nykyinen = 1;
    }
}
