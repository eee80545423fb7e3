#include "imdb/kansilataus.h"

#include <fstream>

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
                         const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    const std::string nimi = std::string(kansikuvakansio) + stem;
    const fs::path ladattu = kansio.polku(nimi);
    std::string alku(3, '\0');
    {
        std::ifstream in(ladattu, std::ios::binary);
        in.read(alku.data(), 3);
        alku.resize(static_cast<std::size_t>(in.gcount()));
    }
    const Kuvalaji laji = tunnista_kuva(alku);
    if (laji.html) viestit.virhe(html_kansi_viesti);
    const std::string cover_fn = nimi + (laji.gif ? ".gif" : ".jpg");
    const auto polku = kansikuvan_polku(kansio, cover_fn);
    std::error_code ec;
    if (polku && fs::exists(ladattu, ec)) fs::rename(ladattu, *polku, ec);
    if (!polku || !fs::is_regular_file(*polku, ec)) {
        fs::remove(ladattu, ec);
        viestit.virhe(ei_vastaanotettu_viesti);
        return false;
    }
    // A page saved under a picture's name would be a cover nothing can show; it is not attached.
    RgbKuva kuva;
    if (!(laji.gif ? lue_gif(*polku, kuva) : lue_jpeg(*polku, kuva))) {
        kirjoita_debug_aina("Ladattu kansikuva ei ole kuva, poistetaan: " + cover_fn);
        fs::remove(*polku, ec);
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
              diag::Viestit& viestit) {
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
    std::error_code ec;
    fs::create_directories(polku.parent_path(), ec);
    if (const Tulos t = korvaa_tiedosto(polku, vastaus.runko); !t) {
        viestit.virhe(std::string(ei_vastaanotettu_viesti) + "\n\n" + t.viesti);
        return false;
    }
    return liita_ladattu_kansi(stem, url, lista, indeksi, kansio, viestit);
}
