#include "storage/avoimen_kannet.h"

#include <optional>
#include <unordered_set>

#include "diag/loki.h"
#include "diag/nayttoraja.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "storage/kansipurku.h"
#include "storage/kuvakoodekki.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

// The failures of an operation over many covers: each goes to the debug log as it happens, and the user
// gets one box naming how many failed and the first few with their reasons.
class Kansivirheet {
public:
    explicit Kansivirheet(std::string otsikko) : otsikko_(std::move(otsikko)) {}

    void lisaa(const std::string& nimi, const std::string& syy) {
        kirjoita_debug_aina("[" + otsikko_ + "] " + nimi + ": " + syy);
        if (rivit_.size() < naytettavia) rivit_.push_back(lyhennetty(nimi) + ": " + syy);
        ++maara_;
    }
    void kerro(diag::Viestit& viestit, const std::string& loppu) const {
        if (maara_ == 0) return;
        std::string teksti = otsikko_ + " (" + std::to_string(maara_) + " kpl):";
        for (const std::string& r : rivit_) teksti += "\n" + r;
        if (maara_ > rivit_.size())
            teksti += "\n… ja " + std::to_string(maara_ - rivit_.size()) + " muuta (kaikki on kirjattu debug-lokiin).";
        viestit.virhe(teksti + loppu);
    }

private:
    static constexpr std::size_t naytettavia = 5;
    std::string otsikko_;
    std::vector<std::string> rivit_;
    std::size_t maara_ = 0;
};

}  // namespace

void odota_kannet(Tietokanta& tk) {
    // Held here: a handler run while the busy window waits may finish or replace the catalogue's unpacking.
    const std::shared_ptr<Kansipurku> purku = tk.kansipurku;
    if (!purku) return;
    purku->odota();
    if (tk.kansipurku == purku) tk.kansipurku.reset();
}

void keskeyta_kannet(Tietokanta& tk) {
    if (!tk.kansipurku) return;
    tk.kansipurku->peru();
    tk.kansipurku.reset();
}

void avaa_kaikki_kannet(bool nayta_kiire, Varasto& v) {
    odota_kannet(v.tk());
    const fs::path tiedosto = v.kansio.polku(v.tk().tiedosto);
    if (v.tk().tiedosto.empty() || !on_tavallinen(v.tj(), tiedosto)) return;
    std::optional<diag::KiireNakyvissa> kiire;
    if (nayta_kiire) kiire.emplace(v.kiire);
    std::shared_ptr<TZLBArchive> zip;
    const Tulos avaus = avoin_arkisto(v, zip);
    if (!avaus) kirjoita_debug_aina("[avaa_kaikki_kannet] " + avaus.viesti);
    Kansiolistaus kannet = listaa_kannet(v.kansio, v.tj());
    Kansivirheet virheet("Virhe #9912: Kaikkia kansikuvia ei voitu purkaa");
    std::unordered_set<std::string> kasitellyt;  // a cover that several cards name is tried once
    const TOmaList& l = v.tk().kortit;
    const std::string kaikki = std::to_string(l.Count() - 1);
    for (int i = 1; i < l.Count(); ++i) {
        if (nayta_kiire && i % 200 == 1) {
            v.kiire.aseta_teksti("Puretaan kansikuvia [" + std::to_string(i - 1) + "/" + kaikki + "]");
            v.kiire.kasittele_viestit();
        }
        const std::string& nimi = l[i].cover_fn;
        if (nimi.empty() || kansikuva_olemassa(kannet, nimi) || !kasitellyt.insert(pienet_cp1252(nimi)).second) continue;
        if (!kansikuvan_tiedosto(nimi)) {
            virheet.lisaa(nimi, "nimi osoittaa kansikuvakansion ulkopuolelle");
        } else if (!avaus) {
            virheet.lisaa(nimi, "tietokantatiedostoa ei voitu avata (" + avaus.viesti + ")");
        } else if (const int jasen = zip->etsi(nimi); jasen < 0) {
            virheet.lisaa(nimi, "kuvaa ei ole tietokantatiedostossa");
        } else if (const Tulos t = zip->Extract(static_cast<std::size_t>(jasen), kannet); !t) {
            virheet.lisaa(nimi, syyn_teksti(t));
        }
    }
    virheet.kerro(v.viestit, "");
}

bool pura_kansi(const TKortti& kortti, Varasto& v) {
    if (kortti.cover_fn.empty()) return true;
    // Still being unpacked after the open: this one comes out ahead of the others.
    if (v.tk().kansipurku) v.tk().kansipurku->pura_ensin(kortti.cover_fn);
    const auto tiedosto = kansikuvan_tiedosto(kortti.cover_fn);
    // The usual case, a cover unpacked under its own name, costs one look at the file and no folder listing.
    if (tiedosto && on_tavallinen(v.tj(), v.kansio.polku(kansikuvakansio) / *tiedosto)) return true;
    bool ok = false;
    if (tiedosto) {
        Kansiolistaus kannet = listaa_kannet(v.kansio, v.tj());
        if (kannet.tiedosto(*tiedosto)) return true;
        std::shared_ptr<TZLBArchive> zip;
        const Tulos avaus = avoin_arkisto(v, zip);
        const int jasen = avaus ? zip->etsi(kortti.cover_fn) : -1;
        if (!avaus) {
            v.viestit.virhe("Virhe #12232: Openarchive failed");
        } else if (jasen < 0) {
            v.viestit.virhe("Virhe #2255: Tiedostoa " + lyhennetty(kortti.cover_fn) + " ei löydy zipistä");
        } else {
            ok = static_cast<bool>(zip->Extract(static_cast<std::size_t>(jasen), kannet));
        }
    }
    if (!ok)
        v.viestit.virhe("Virhe #1232: Kansikuvan purkaminen epäonnistui!\nMahdollisia syitä:\n\n"
                        "1) Tietokanta on vahingoittunut\n2) Ohjelmassa tapahtui virhe");
    return ok;
}

namespace {

// One cover re-encoded, its bytes read and written through the catalogue's file system. A cover that cannot
// be read as a picture, or would not get smaller, is left as it is; a failed step leaves the card and its
// file as they were and is recorded. Gives the card's name after the conversion.
std::string muunna_kansi(const std::string& cover_fn, int laatu, bool puolita_kuvat, Kansiolistaus& kannet,
                         Kansivirheet& virheet, Varasto& v) {
    const std::string pienena = pienet_cp1252(cover_fn);
    if (pienena.size() < 4) return cover_fn;
    const std::string paate = pienena.substr(pienena.size() - 4);
    const bool gif = paate == ".gif";
    const auto tiedosto = kansikuvan_tiedosto(cover_fn);
    if ((paate != ".jpg" && !gif) || !tiedosto) return cover_fn;
    Tiedostojarjestelma& t = v.tj();
    const fs::path vanha = kannet.polku(*tiedosto);

    std::string data;
    if (const Tulos luku = lue_koko_tiedosto(t, vanha, data); !luku) {
        // A cover that is not unpacked has been reported already, and a save takes it from the catalogue file.
        if (luku.koodi != ENOENT) virheet.lisaa(cover_fn, jarjestelman_syy(luku.koodi));
        return cover_fn;
    }
    RgbKuva kuva;
    if (!(gif ? lue_gif_muistista(data, kuva) : lue_jpeg_muistista(data, kuva))) return cover_fn;
    if (puolita_kuvat && kuva.korkeus / 2 > 210) kuva = puolita(kuva);
    std::string jpeg;
    if (!pakkaa_jpeg_muistiin(kuva, laatu, jpeg) || jpeg.size() > data.size()) return cover_fn;

    if (!gif) {
        if (const Tulos k = korvaa_tiedosto(t, vanha, jpeg, {.siivoa = false}); !k) virheet.lisaa(cover_fn, jarjestelman_syy(k.koodi));
        return cover_fn;
    }
    const std::string uusi_nimi = pienena.substr(0, pienena.size() - 4) + ".jpg";
    const std::string uusi_tiedosto = *kansikuvan_tiedosto(uusi_nimi);
    // A file of the new name belongs to some other cover: it is never written over.
    if (kannet.tiedosto(uusi_tiedosto)) {
        kirjoita_debug_aina("[muunna_kannet_jpg] " + cover_fn + " jää GIF-kuvaksi: " + uusi_nimi + " on jo olemassa");
        return cover_fn;
    }
    if (const Tulos k = korvaa_tiedosto(t, kannet.polku(uusi_tiedosto), jpeg, {.siivoa = false}); !k) {
        virheet.lisaa(cover_fn, jarjestelman_syy(k.koodi));
        return cover_fn;
    }
    kannet.lisaa(uusi_tiedosto);
    // A GIF left behind only takes room: the card already names the new file.
    if (const Tulos e = t.poista(vanha); !e) kirjoita_debug_aina("[muunna_kannet_jpg] " + cover_fn + ": " + e.viesti);
    return uusi_nimi;
}

}  // namespace

void muunna_kannet_jpg(int laatu, bool puolita_kuvat, Varasto& v) {
    odota_kannet(v.tk());
    const diag::KiireNakyvissa kiire(v.kiire);
    v.kiire.aseta_teksti("Puretaan kansikuvia...");
    avaa_kaikki_kannet(false, v);
    Kansiolistaus kannet = listaa_kannet(v.kansio, v.tj());
    // Conversions a kill cut short are cleared once here rather than at every cover's replacement.
    siivoa_keskeneraiset(v.tj(), v.kansio.polku(kansikuvakansio));
    Kansivirheet virheet("Kaikkia kansikuvia ei voitu muuntaa JPEG-muotoon");
    // Each file is converted once however many cards name it, and they all get its new name.
    std::unordered_map<std::string, std::string> muunnetut;  // lower-case name -> the new name, if it changed
    TOmaList& l = v.tk().kortit;
    for (int i = 1; i < l.Count(); ++i) {
        if (i % 4 == 1) {
            v.kiire.aseta_teksti("Uudelleenpakataan [" + std::to_string(i) + "/" + std::to_string(l.Count() - 1) + "]");
            v.kiire.kasittele_viestit();
        }
        Teksti& kentta = l[i].cover_fn;
        if (kentta.empty()) continue;
        const std::string nimi = kentta;
        const auto [it, uusi] = muunnetut.try_emplace(pienet_cp1252(nimi));
        if (uusi) {
            const std::string tulos = muunna_kansi(nimi, laatu, puolita_kuvat, kannet, virheet, v);
            if (tulos != nimi) it->second = tulos;
        }
        if (!it->second.empty()) kentta = it->second;
    }
    virheet.kerro(v.viestit, "\nNiiden kortit säilyttävät alkuperäisen kansikuvansa.");
}
