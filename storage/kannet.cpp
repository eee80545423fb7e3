#include "storage/kannet.h"

#include <chrono>
#include <random>

#include "diag/loki.h"
#include "storage/kuvakoodekki.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

std::optional<fs::path> kansikuvan_polku(const Ohjelmakansio& kansio, std::string_view cover_fn) {
    const std::string_view etuliite = kansikuvakansio;
    if (cover_fn.size() <= etuliite.size() || pienet_cp1252(cover_fn.substr(0, etuliite.size())) != etuliite)
        return std::nullopt;
    const std::string_view tiedosto = cover_fn.substr(etuliite.size());
    if (tiedosto == "." || tiedosto == ".." || tiedosto.find_first_of("\\/:") != std::string_view::npos ||
        tiedosto.find('\0') != std::string_view::npos)
        return std::nullopt;
    return kansio.polku(cover_fn);
}

bool kansikuva_olemassa(const Ohjelmakansio& kansio, std::string_view cover_fn) {
    const auto p = kansikuvan_polku(kansio, cover_fn);
    std::error_code ec;
    return p && fs::is_regular_file(*p, ec);
}

std::string uusi_kansikuvan_nimi(const TOmaList& lista) {
    // Seeded once from the clock; re-seeding on each call would repeat names within one clock tick.
    static std::mt19937 satunnainen(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                                    std::random_device{}());
    std::uniform_int_distribution<int> numero(1, 8);
    for (;;) {
        std::string nimi(8, '1');
        for (char& c : nimi) c = static_cast<char>('0' + numero(satunnainen));
        bool varattu = false;
        for (int i = 1; i < lista.Count() && !varattu; ++i)
            varattu = pienet_cp1252(lista[i].cover_fn).find(nimi) != std::string::npos;
        if (!varattu) return nimi;
    }
}

void poista_kannet(const Ohjelmakansio& kansio) {
    std::error_code ec;
    const fs::path kannet = kansio.polku(kansikuvakansio);
    for (fs::directory_iterator it(kannet, ec), loppu; !ec && it != loppu; it.increment(ec)) {
        if (it->is_directory(ec) || it->path().filename() == ei_kuvaa_nimi) continue;
        std::error_code poisto;
        fs::remove(it->path(), poisto);
    }
}

void poista_kortin_kansi(const Ohjelmakansio& kansio, const TKortti& kortti) {
    if (const auto p = kansikuvan_polku(kansio, kortti.cover_fn)) {
        std::error_code ec;
        if (fs::is_regular_file(*p, ec) && p->filename() != ei_kuvaa_nimi) fs::remove(*p, ec);
    }
}

bool kansi_jaettu(const TOmaList& lista, int i) {
    if (lista[i].cover_fn.empty()) return false;
    const std::string nimi = pienet_cp1252(lista[i].cover_fn);
    for (int j = 1; j < lista.Count(); ++j)
        if (j != i && pienet_cp1252(lista[j].cover_fn) == nimi) return true;
    return false;
}

void poista_kortti(TOmaList& lista, int i, const Ohjelmakansio& kansio) {
    if (!kansi_jaettu(lista, i)) poista_kortin_kansi(kansio, lista[i]);
    lista.poista(i);
}

void aseta_purku(TZLBArchive& zip) {
    zip.ExtractWithPath = true;
    zip.OnReplaceFile = [](TZLBArchive&, const std::string&, bool& korvaa) { korvaa = false; };
}

void avaa_kaikki_kannet(bool nayta_kiire, const Varasto& v) {
    std::error_code ec;
    const fs::path tiedosto = v.kansio.polku(v.tk.tiedosto);
    if (v.tk.tiedosto.empty() || !fs::is_regular_file(tiedosto, ec)) return;
    std::optional<diag::KiireNakyvissa> kiire;
    if (nayta_kiire) kiire.emplace(v.kiire);
    TZLBArchive zip(v.tj());
    aseta_purku(zip);
    const ZlbTulos avaus = zip.Open(tiedosto);
    if (!avaus) kirjoita_debug_aina("[avaa_kaikki_kannet] " + avaus.virhe);
    const TOmaList& l = v.tk.kortit;
    for (int i = 1; i < l.Count(); ++i) {
        const std::string& nimi = l[i].cover_fn;
        if (nimi.empty() || kansikuva_olemassa(v.kansio, nimi)) continue;
        const bool purettu = avaus && kansikuvan_polku(v.kansio, nimi) && zip.Extract(nimi, v.kansio.juuri());
        if (!purettu) v.viestit.virhe("Virhe #9912: Avaa kaikki kannet FAILED (" + nimi + ")");
    }
    zip.Close();
}

bool pura_kansi(const TKortti& kortti, const Varasto& v) {
    if (kortti.cover_fn.empty() || kansikuva_olemassa(v.kansio, kortti.cover_fn)) return true;
    bool ok = false;
    if (kansikuvan_polku(v.kansio, kortti.cover_fn)) {
        TZLBArchive zip(v.tj());
        aseta_purku(zip);
        if (!zip.Open(v.kansio.polku(v.tk.tiedosto))) {
            v.viestit.virhe("Virhe #12232: Openarchive failed");
        } else if (zip.etsi(kortti.cover_fn) < 0) {
            v.viestit.virhe("Virhe #2255: Tiedostoa " + kortti.cover_fn + " ei löydy zipistä");
        } else {
            ok = static_cast<bool>(zip.Extract(kortti.cover_fn, v.kansio.juuri()));
        }
        zip.Close();
    }
    if (!ok)
        v.viestit.virhe("Virhe #1232: Kansikuvan purkaminen epäonnistui!\nMahdollisia syitä:\n\n"
                        "1) Tietokanta on vahingoittunut\n2) Ohjelmassa tapahtui virhe");
    return ok;
}

namespace {

std::uintmax_t koko(const fs::path& p) {
    std::error_code ec;
    const auto k = fs::file_size(p, ec);
    return ec ? 0 : k;
}

// One cover: true when the card keeps a usable name (the same or the new .jpg one).
bool muunna_kansi(TKortti& kortti, int i, int laatu, bool puolita_kuvat, const Varasto& v) {
    const std::string pienena = pienet_cp1252(kortti.cover_fn);
    if (pienena.size() < 4) return true;
    const std::string paate = pienena.substr(pienena.size() - 4);
    const bool gif = paate == ".gif";
    if (paate != ".jpg" && !gif) return true;
    const auto vanha = kansikuvan_polku(v.kansio, kortti.cover_fn);
    if (!vanha) return true;

    RgbKuva kuva;
    if (!(gif ? lue_gif(*vanha, kuva) : lue_jpeg(*vanha, kuva))) return true;
    if (puolita_kuvat && kuva.korkeus / 2 > 210) kuva = puolita(kuva);

    const std::string uusi_nimi = gif ? pienena.substr(0, pienena.size() - 4) + ".jpg" : kortti.cover_fn;
    const auto kohde = kansikuvan_polku(v.kansio, uusi_nimi);
    fs::path valiaikainen = *kohde;
    valiaikainen += "$$";
    std::error_code ec;
    if (!kirjoita_jpeg(valiaikainen, kuva, laatu) || koko(valiaikainen) > koko(*vanha)) {
        fs::remove(valiaikainen, ec);
        return true;
    }
    if (gif) {
        fs::rename(valiaikainen, *kohde, ec);
        if (!ec) {
            fs::remove(*vanha, ec);
            kortti.cover_fn = uusi_nimi;
            return true;
        }
    } else {
        fs::rename(valiaikainen, *vanha, ec);
        if (!ec) return true;
    }
    fs::remove(valiaikainen, ec);
    v.viestit.virhe("Virhe kuvatiedoston käsittelyssä!\nPoistetaan kortin " + std::to_string(i) + " kansikuva");
    return false;
}

}  // namespace

void muunna_kannet_jpg(int laatu, bool puolita_kuvat, const Varasto& v) {
    const diag::KiireNakyvissa kiire(v.kiire);
    v.kiire.aseta_teksti("Puretaan kansikuvia...");
    avaa_kaikki_kannet(false, v);
    TOmaList& l = v.tk.kortit;
    for (int i = 1; i < l.Count(); ++i) {
        if (i % 4 == 1) {
            v.kiire.aseta_teksti("Uudelleenpakataan [" + std::to_string(i) + "/" + std::to_string(l.Count() - 1) + "]");
            v.kiire.kasittele_viestit();
        }
        if (!muunna_kansi(l[i], i, laatu, puolita_kuvat, v)) l[i].cover_fn.clear();
    }
}
