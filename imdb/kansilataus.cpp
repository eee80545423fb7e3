#include "imdb/kansilataus.h"

#include "diag/loki.h"
#include "perus/tiedostot.h"
#include "storage/kannet.h"
#include "storage/kuvakoodekki.h"

namespace fs = std::filesystem;

Kuvalaji tunnista_kuva(std::string_view alku) {
    Kuvalaji l;
    const std::string_view kolme = alku.substr(0, 3);
    l.html = kolme == "\n\n\n";
    l.gif = kolme == "GIF";
    kirjoita_debug(std::string(l.gif ? "Kansikuva tunnistettiin GIF tiedostoksi! (STR1="
                                     : "Kansikuva tunnistettiin JPG tiedostoksi! (STR1=") +
                   std::string(kolme) + ")");
    return l;
}

bool liita_ladattu_kansi(const std::string& stem, const std::string& url, TOmaList& lista, int indeksi,
                         const Ohjelmakansio& kansio, Tiedostojarjestelma& t, diag::Viestit& viestit) {
    const std::string nimi = std::string(kansikuvakansio) + stem;
    const fs::path ladattu = kansio.polku(nimi);
    std::string sisalto;
    (void)lue_koko_tiedosto(t, ladattu, sisalto);  // a file that cannot be read is told as not received below
    const Kuvalaji laji = tunnista_kuva(sisalto);
    if (laji.html) viestit.virhe(html_kansi_viesti);
    const std::string cover_fn = nimi + (laji.gif ? ".gif" : ".jpg");
    const auto polku = kansikuvan_polku(kansio, cover_fn);
    if (polku && on_olemassa(t, ladattu)) t.nimea(ladattu, *polku);
    if (!polku || !on_tavallinen(t, *polku)) {
        t.poista(ladattu);
        viestit.virhe(ei_vastaanotettu_viesti);
        return false;
    }
    // A page saved under a picture's name would be a cover nothing can show; it is not attached.
    RgbKuva kuva;
    if (!(laji.gif ? lue_gif(t, *polku, kuva) : lue_jpeg(t, *polku, kuva))) {
        kirjoita_debug_aina("Ladattu kansikuva ei ole kuva, poistetaan: " + cover_fn);
        t.poista(*polku);
        viestit.virhe(ei_kuva_viesti);
        return false;
    }
    lista.merkitse_muutetuksi();
    TKortti& k = lista[indeksi];
    k.cover_fn = cover_fn;
    k.cover_url = url;
    k.hae_kansi = false;
    return true;
}

bool dl_cover(Verkkohaku& http, const std::string& url, TOmaList& lista, int indeksi, const Ohjelmakansio& kansio,
              Tiedostojarjestelma& t, diag::Viestit& viestit) {
    kirjoita_debug("downloading cover from url: " + url);
    if (url.empty()) {
        viestit.virhe("Virhe: dl_cover ei saanut parametriä!");
        return false;
    }
    HttpPyynto pyynto;
    pyynto.url = url;
    pyynto.enintaan = kannen_enimmaiskoko;
    HttpVastaus vastaus;
    if (const Tulos t = http.hae(pyynto, vastaus); !t) {
        kirjoita_debug_aina("[dl_cover] " + t.viesti);
        if (t.koodi != keskeytetty_haku) viestit.virhe(std::string(ei_vastaanotettu_viesti) + "\n\n" + t.viesti);
        return false;
    }
    const std::string stem = uusi_kansikuvan_nimi(lista);
    const fs::path polku = kansio.polku(std::string(kansikuvakansio) + stem);
    t.luo_kansiot(polku.parent_path());
    if (const Tulos k = korvaa_tiedosto(t, polku, vastaus.runko); !k) {
        viestit.virhe(std::string(ei_vastaanotettu_viesti) + "\n\n" + k.viesti);
        return false;
    }
    return liita_ladattu_kansi(stem, url, lista, indeksi, kansio, t, viestit);
}
