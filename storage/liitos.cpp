#include "storage/liitos.h"

#include <unordered_map>

#include "diag/loki.h"
#include "perus/teksti.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kentat.h"
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

// The covers the merged cards name, taken out of the merged file; a name whose picture is not there is
// dropped, as a load that unpacks covers at once does.
void pura_liitetyt_kannet(const std::string& nimi, int ensimmainen, Varasto& v) {
    TOmaList& l = v.tk().kortit;
    TZLBArchive zip(v.tj());
    aseta_purku(zip);
    const bool arkisto = on_arkisto(nimi, v.kansio) && zip.Open(v.kansio.polku(nimi));
    for (int i = ensimmainen; i < l.Count(); ++i) {
        Teksti& kansi = l[i].cover_fn;
        if (kansi.empty() || kansikuva_olemassa(v.kansio, kansi)) continue;
        if (arkisto && kansikuvan_polku(v.kansio, kansi) && zip.etsi(kansi) >= 0) {
            const Tulos t = zip.Extract(kansi, v.kansio.juuri());
            if (!t) kirjoita_debug_aina("[liita_tietokanta] " + kansi + ": " + t.viesti);
        }
        if (!kansikuva_olemassa(v.kansio, kansi)) {
            kirjoita_debug_aina("[liita_tietokanta] kansikuvaa " + kansi + " ei löydy, poistetaan kortilta " +
                                std::to_string(i));
            kansi.clear();
        }
    }
    zip.Close();
}

// Card i's texts into card j where they are longer; the first additional field where j has none.
void yhdista(const TKortti& i, TKortti& j) {
    for (const Kenttatieto& t : kentat) {
        const Teksti& a = t.teksti(i);
        Teksti& b = t.teksti(j);
        switch (t.liitos) {
            case Liitoskaytto::Ei: break;
            case Liitoskaytto::Pidempi:
                if (a.size() > b.size()) b = a;
                break;
            case Liitoskaytto::TayttaaNimineen:
                if (b.empty()) {
                    b = a;
                    *t.lisatiedon_nimi(j) = *t.lisatiedon_nimi(i);
                }
                break;
        }
    }
}

}  // namespace

bool liita_tietokanta(const std::string& nimi, Varasto& v) {
    odota_kannet(v.tk());
    const int ensimmainen = v.tk().kortit.Count();
    if (!lue_tietueet(nimi, true, false, v.tk().kortit, v)) return false;
    if (!v.kannet_heti()) pura_liitetyt_kannet(nimi, ensimmainen, v);
    return true;
}

bool siivoa_kortit(TOmaList& l) {
    bool muuttui = false;
    const auto aseta = [&](Teksti& kentta, const char* arvo) {
        if (kentta == arvo) return;
        kentta = arvo;
        muuttui = true;
    };
    for (int i = 1; i < l.Count(); ++i) {
        TKortti& k = l[i];
        for (const Kenttatieto& t : kentat)
            if (t.viiva_tyhjaksi && t.teksti(k) == "-") aseta(t.teksti(k), "");
        if (k.maa == "USA") aseta(k.maa, "Usa");
        aseta(k.kasetilla, "");
        aseta(k.sijainti, "");
        const long long vuosi = lue_alkuluku(k.vuosi).arvo;
        if (vuosi > 1980 && k.aani.empty()) aseta(k.aani, "Hifi Stereo");
        if (vuosi < 1970 && k.aani.empty()) aseta(k.aani, "Ei Hifiraitaa (Mono)");
    }
    if (muuttui) l.merkitse_muutetuksi();
    return muuttui;
}

int poista_tuplat(Varasto& v) {
    TOmaList& l = v.tk().kortit;
    // The cards of one title and format fold one into the next, so the last of them stays holding the
    // rest; doing it group by group gives that result without rescanning the catalogue for each pair.
    std::unordered_map<std::string, std::vector<int>> ryhmat;
    for (int i = 1; i < l.Count(); ++i) {
        std::string avain = l[i].nimi;
        avain += '\0';
        avain += l[i].formaatti;
        ryhmat[std::move(avain)].push_back(i);
    }
    std::vector<bool> poistetaan(static_cast<std::size_t>(l.Count()), false);
    std::unordered_map<std::string, int> kannen_nimet;
    for (int i = 1; i < l.Count(); ++i)
        if (!l[i].cover_fn.empty()) ++kannen_nimet[pienet_cp1252(l[i].cover_fn)];
    int poistettavia = 0;
    for (const auto& [avain, jasenet] : ryhmat)
        for (std::size_t k = 0; k + 1 < jasenet.size(); ++k) {
            yhdista(l[jasenet[k]], l[jasenet[k + 1]]);
            poistetaan[static_cast<std::size_t>(jasenet[k])] = true;
            ++poistettavia;
        }
    if (poistettavia == 0) return 0;

    odota_kannet(v.tk());
    const diag::KiireNakyvissa kiire(v.kiire);
    int poistettuja = 0;
    auto& kortit = l.sisus();
    std::size_t kirjoitus = 1;
    for (std::size_t i = 1; i < kortit.size(); ++i) {
        if (!poistetaan[i]) {
            if (kirjoitus != i) kortit[kirjoitus] = std::move(kortit[i]);
            ++kirjoitus;
            continue;
        }
        const TKortti& k = *kortit[i];
        if (poistettuja % 64 == 0) {
            v.kiire.aseta_teksti("tietue " + std::to_string(kirjoitus));
            v.kiire.kasittele_viestit();
        }
        kirjoita_debug_aina("Poistettu dupe leffa: " + k.nimi);
        if (!k.cover_fn.empty() && --kannen_nimet[pienet_cp1252(k.cover_fn)] == 0) poista_kortin_kansi(v.kansio, k);
        kortit[i].reset();
        ++poistettuja;
    }
    kortit.resize(kirjoitus);
    v.tk().nykyinen = 1;
    l.merkitse_muutetuksi();
    return poistettuja;
}
