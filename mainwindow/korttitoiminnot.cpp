#include "mainwindow/korttitoiminnot.h"

#include <algorithm>
#include <filesystem>

#include "diag/loki.h"
#include "mainwindow/nakymat.h"
#include "perus/teksti.h"
#include "storage/avoimen_kannet.h"
#include "perus/tiedostot.h"
#include "storage/kannet.h"

namespace fs = std::filesystem;

Siirto siirry_kortti(Tietokanta& tk, int suunta) {
    const int uusi = tk.nykyinen + suunta;
    if (uusi < 1 || uusi > tk.kortit.korttien_maara()) {
        tk.nykyinen = std::clamp(tk.nykyinen, 1, std::max(1, tk.kortit.korttien_maara()));
        return Siirto::Reunalla;
    }
    tk.nykyinen = uusi;
    return Siirto::Siirretty;
}

Siirto siirry_kasetti(Tietokanta& tk, int suunta) {
    const std::string kasetti = tk.kortit[tk.nykyinen].kasetilla;
    for (int i = tk.nykyinen + suunta; i >= 1 && i < tk.kortit.Count(); i += suunta) {
        if (tk.kortit[i].kasetilla != kasetti) {
            tk.nykyinen = i;
            return Siirto::Siirretty;
        }
    }
    return Siirto::Reunalla;
}

int seuraava_kansikortti(const TOmaList& lista, int alku, int suunta) {
    for (int i = alku + suunta; i >= 1 && i < lista.Count(); i += suunta)
        if (!lista[i].cover_fn.empty()) return i;
    return -1;
}

std::string arvosana_rullalla(const std::string& arvosana, int askel) {
    return std::to_string(std::clamp(arvosana_luku(arvosana) + askel, 0, 10));
}

void TPeruuta_muutokset::ota(const Tietokanta& tk) {
    kirjoita_debug("Undotiedot tallennettu");
    kortti_.kopioi(tk.kortit[tk.nykyinen]);
    indeksi_ = tk.nykyinen;
}

void TPeruuta_muutokset::ota_jos_siirrytty(const Tietokanta& tk) {
    if (indeksi_ != tk.nykyinen) ota(tk);
}

void TPeruuta_muutokset::kumoa(Tietokanta& tk, const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    odota_kannet(tk);
    if (!kortti_.cover_fn.empty() && !kansikuva_olemassa(kansio, kortti_.cover_fn)) {
        viestit.tieto("Kansikuvaa ei voida palauttaa, tiedosto on poistettu!");
        kortti_.cover_fn.clear();
    }
    tk.kortit[tk.nykyinen].kopioi(kortti_);
}

void poista_nykyinen_kortti(Tietokanta& tk, const Ohjelmakansio& kansio) {
    odota_kannet(tk);
    tk.kortit.merkitse_muutetuksi();
    poista_kortti(tk.kortit, tk.nykyinen, kansio);
    if (tk.kortit.korttien_maara() == 0) tk.kortit.lisaa_uusi();
    tk.nykyinen = std::min(tk.nykyinen, tk.kortit.korttien_maara());
}

TKortti& lisaa_uusi_kortti(Tietokanta& tk) {
    tk.kortit.merkitse_muutetuksi();
    TKortti& k = tk.kortit.lisaa_uusi();
    tk.nykyinen = tk.kortit.korttien_maara();
    return k;
}

namespace {

constexpr const char* kopiokuvan_paatteet[] = {"jpg", "bmp", "gif"};

fs::path kopiokuva(const Ohjelmakansio& kansio, const std::string& paate) { return kansio.polku("gfx\\kopio." + paate); }

bool kopioi_kuva(const Ohjelmakansio& kansio, const fs::path& lahde, const fs::path& kohde) {
    const Tulos t = kopioi_tiedosto(kansio.tiedostot(), lahde, kohde);
    if (!t) kirjoita_debug_aina("[kopioi_kuva] " + t.viesti);
    return t.onnistui();
}

}  // namespace

void Korttimuisti::poista_kopiokuvat(const Ohjelmakansio& kansio) {
    for (const char* paate : kopiokuvan_paatteet) kansio.tiedostot().poista(kopiokuva(kansio, paate));
}

void Korttimuisti::kopioi(const TKortti& kortti, const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    kopio_ = std::make_unique<TKortti>();
    kopio_->kopioi(kortti);
    if (kortti.cover_fn.empty()) return;
    poista_kopiokuvat(kansio);
    const auto lahde = kansikuvan_polku(kansio, kortti.cover_fn);
    const std::string paate = pienet_cp1252(kortti.cover_fn.substr(kortti.cover_fn.size() - std::min<std::size_t>(3, kortti.cover_fn.size())));
    const bool tunnettu = std::find(std::begin(kopiokuvan_paatteet), std::end(kopiokuvan_paatteet), paate) != std::end(kopiokuvan_paatteet);
    if (!lahde || !tunnettu || !kopioi_kuva(kansio, *lahde, kopiokuva(kansio, paate)))
        viestit.virhe("Virhe #325255: tiedoston kopioinnissa, kansikuvan kopionti epäonnistui");
}

bool Korttimuisti::liita(Tietokanta& tk, const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    if (!kopio_) return false;
    odota_kannet(tk);
    TKortti& uusi = lisaa_uusi_kortti(tk);
    uusi.kopioi(*kopio_);
    kopio_.reset();
    std::string paate;
    for (const char* p : kopiokuvan_paatteet)
        if (on_tavallinen(kansio.tiedostot(), kopiokuva(kansio, p))) paate = p;
    if (paate.empty()) {
        uusi.cover_fn.clear();
        return true;
    }
    uusi.cover_fn = std::string(kansikuvakansio) + uusi_kansikuvan_nimi(tk.kortit) + "." + paate;
    if (!kopioi_kuva(kansio, kopiokuva(kansio, paate), kansio.polku(uusi.cover_fn))) {
        viestit.virhe("Virhe #325256: tiedoston kopioinnissa, kansikuvan kopionti epäonnistui");
        uusi.cover_fn.clear();
    }
    poista_kopiokuvat(kansio);
    return true;
}

Pudotus pudota_tiedostot(const std::vector<std::string>& nimet, Tietokanta& tk, const Ohjelmakansio& kansio,
                         diag::Viestit& viestit) {
    if (nimet.size() != 1) {
        viestit.virhe("Raahaa ikkunan päälle vain yksi tiedosto!");
        return Pudotus::Hylatty;
    }
    const std::string& nimi = nimet[0];
    // The extension is matched with its letter case, as it always has been: COVER.JPG is refused.
    const std::string paate = nimi.size() >= 4 ? nimi.substr(nimi.size() - 4) : std::string();
    if (paate == ".rkb") return Pudotus::Tietokanta;
    if (paate != ".jpg" && paate != ".gif") {
        if (paate == ".bmp") viestit.pelkka(".bmp ei ole toistaiseksi tuettu! Muuta kuvatiedosto .jpg tai .gif formaattiin");
        viestit.virhe("Raahaamasi tiedosto ei ole Rullakkon tietokanta tai kansikuva tiedosto (.jpg tai .gif)!");
        return Pudotus::Hylatty;
    }
    odota_kannet(tk);
    const fs::path lahde = kansio.polku(nimi);
    const std::string oma_nimi = polku_tekstiksi(lahde.filename());
    std::string kohde = std::string(kansikuvakansio) + oma_nimi;
    if (!kansikuvan_polku(kansio, kohde) || kansikuva_olemassa(kansio, kohde))
        kohde = std::string(kansikuvakansio) + uusi_kansikuvan_nimi(tk.kortit) + paate;
    if (!kopioi_kuva(kansio, lahde, kansio.polku(kohde))) {
        viestit.virhe("Virhe #325254: tiedoston kopioinnissa!");
        return Pudotus::Hylatty;
    }
    TKortti& kortti = tk.kortit[tk.nykyinen];
    if (!kansi_jaettu(tk.kortit, tk.nykyinen)) poista_kortin_kansi(kansio, kortti);
    kortti.cover_fn = kohde;
    tk.kortit.merkitse_muutetuksi();
    return Pudotus::Kansi;
}
