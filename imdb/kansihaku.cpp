#include "imdb/kansihaku.h"

#include "diag/loki.h"
#include "imdb/kansilataus.h"
#include "storage/kannet.h"

void tauko(int sekunnit, KansihaunNakyma& nakyma, Kello& kello) {
    for (int s = sekunnit; s >= 1; --s) {
        nakyma.tila("Pidetään taukoa " + std::to_string(s) + " sekunttia...");
        if (!nakyma.keskeytetty()) kello.odota_sekunti();
    }
}

std::string hae_kansi_url(Kansihaku& h, int i, KansihaunNakyma& nakyma, Kello& kello) {
    Elokuvasivu sivu;
    const Tulos t = h.lahde.nouda(h.kortit[i].imdb_koodi, TKortti{}, sivu);
    tauko(kello.arvo(2, 6), nakyma, kello);
    return t ? sivu.cover_url : std::string();
}

void hae_kansikuvat(Kansihaku& h, KansihaunNakyma& nakyma, Kello& kello) {
    for (int i = 1; i < h.kortit.Count(); ++i) {
        nakyma.nayta_kortti(i);
        // After Keskeytä the cards not yet looked at keep their marks for the next batch.
        if (nakyma.keskeytetty()) break;
        TKortti& k = h.kortit[i];
        if (k.imdb_koodi.empty() || kansikuva_olemassa(h.kansio, k.cover_fn) || !k.hae_kansi) {
            k.hae_kansi = false;
            continue;
        }
        std::string url;
        if (k.cover_url.empty()) {
            url = hae_kansi_url(h, i, nakyma, kello);
        } else {
            kirjoita_debug("Kortilla " + std::to_string(i) + " on cover_url valmiina, käytetään sitä!");
            url = k.cover_url;
        }
        h.kortit[i].hae_kansi = false;
        if (!url.empty() && !nakyma.keskeytetty()) {
            nakyma.tila("Haetaan kansikuvaa..... ");
            if (dl_cover(h.http, url, h.kortit, i, h.kansio, h.tiedostot, h.viestit)) nakyma.kansi_loytyi(h.kortit[i].nimi);
        }
        nakyma.nayta_kortti(i);
        tauko(kello.arvo(5, 24), nakyma, kello);
    }
}
