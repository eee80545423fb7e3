#include "storage/kannet.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>
#include <unordered_set>

#include "diag/loki.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "perus/merkisto.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

// The part of a cover name after gfx\kannet\, when the name stays inside that folder.
std::optional<std::string_view> kansikuvan_osa(std::string_view cover_fn) {
    const std::string_view etuliite = kansikuvakansio;
    if (cover_fn.size() <= etuliite.size() || pienet_cp1252(cover_fn.substr(0, etuliite.size())) != etuliite)
        return std::nullopt;
    const std::string_view tiedosto = cover_fn.substr(etuliite.size());
    if (tiedosto == "." || tiedosto == ".." || tiedosto.find_first_of("\\/:") != std::string_view::npos ||
        tiedosto.find('\0') != std::string_view::npos)
        return std::nullopt;
    return tiedosto;
}


}  // namespace

std::optional<fs::path> kansikuvan_polku(const Ohjelmakansio& kansio, std::string_view cover_fn) {
    if (!kansikuvan_osa(cover_fn)) return std::nullopt;
    return kansio.polku(cover_fn);
}

bool kansikuva_olemassa(const Ohjelmakansio& kansio, std::string_view cover_fn) {
    const auto p = kansikuvan_polku(kansio, cover_fn);
    return p && on_tavallinen(kansio.tiedostot(), *p);
}

std::optional<std::string> kansikuvan_tiedosto(std::string_view cover_fn) {
    const auto osa = kansikuvan_osa(cover_fn);
    if (!osa) return std::nullopt;
    return merkisto::cp1252_utf8(*osa);
}

Kansiolistaus listaa_kannet(const Ohjelmakansio& kansio, Tiedostojarjestelma& t) {
    const fs::path kannet = kansio.polku(kansikuvakansio);
    t.luo_kansiot(kannet);
    return Kansiolistaus(kannet, t);
}

bool kansikuva_olemassa(const Kansiolistaus& kannet, std::string_view cover_fn) {
    const auto tiedosto = kansikuvan_tiedosto(cover_fn);
    return tiedosto && kannet.tiedosto(*tiedosto);
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

namespace {

// Inside gfx\kannet\, where a rename is cheap; no cover name can reach it.
constexpr const char* kierratyskansio = ".kierratettavat";

}  // namespace

void poista_kannet(const Ohjelmakansio& kansio) {
    Tiedostojarjestelma& t = kansio.tiedostot();
    const fs::path kannet = kansio.polku(kansikuvakansio);
    t.poista_kaikki(kannet / kierratyskansio);
    std::vector<Kansiorivi> rivit;
    t.listaa(kannet, rivit);
    for (const Kansiorivi& r : rivit)
        if (!r.kansio && r.nimi != ei_kuvaa_nimi) t.poista(kannet / r.nimi);
}

void poista_kortin_kansi(const Ohjelmakansio& kansio, const TKortti& kortti) {
    if (const auto p = kansikuvan_polku(kansio, kortti.cover_fn))
        if (on_tavallinen(kansio.tiedostot(), *p) && p->filename() != ei_kuvaa_nimi) kansio.tiedostot().poista(*p);
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

bool arkiston_voi_pitaa(const Varasto& v) { return &v.tj() == &jarjestelman_tiedostot(); }

Tulos avoin_arkisto(Varasto& v, std::shared_ptr<TZLBArchive>& zip) {
    const fs::path tiedosto = v.kansio.polku(v.tk().tiedosto);
    if (arkiston_voi_pitaa(v) && v.tk().arkisto && v.tk().arkisto->FileName() == tiedosto && v.tk().arkisto->ennallaan()) {
        zip = v.tk().arkisto;
        return Tulos::ok();
    }
    v.tk().arkisto.reset();
    zip = std::make_shared<TZLBArchive>(v.tj());
    aseta_purku(*zip);
    if (const Tulos t = v.tk().tiedosto.empty() ? zlb_tulos(zlb_virhe::ei_loydy) : zip->Open(tiedosto); !t) {
        zip.reset();
        return t;
    }
    if (arkiston_voi_pitaa(v)) v.tk().arkisto = zip;
    return Tulos::ok();
}

Kansikierratys::Kansikierratys(const Ohjelmakansio& kansio, Tiedostojarjestelma& t)
    : t_(t), kansio_(kansio.polku(kansikuvakansio) / kierratyskansio) {
    const fs::path kannet = kansio_.parent_path();
    std::vector<Kansiorivi> rivit;
    if (!t_.luo_kansiot(kansio_)) {
        poista_kannet(kansio);
        return;
    }
    if (t_.listaa(kannet, rivit)) {
        for (const Kansiorivi& r : rivit) {
            if (r.kansio || r.nimi == ei_kuvaa_nimi) continue;
            if (!r.tavallinen || !t_.nimea(kannet / r.nimi, kansio_ / r.nimi)) t_.poista(kannet / r.nimi);
        }
    }
    // Files a crash left here are taken over as well.
    if (!t_.listaa(kansio_, rivit)) return;
    for (const Kansiorivi& r : rivit) {
        Tiedostotiedot tt;
        if (r.tavallinen && t_.tiedot(kansio_ / r.nimi, tt, false) && tt.tavallinen) tiedostot_.emplace(tt.koko, r.nimi);
    }
}

Kansikierratys::~Kansikierratys() { t_.poista_kaikki(kansio_); }

fs::path Kansikierratys::ota(std::uint64_t enintaan) {
    auto it = tiedostot_.upper_bound(enintaan);
    if (it == tiedostot_.begin()) return {};
    --it;
    fs::path p = kansio_ / it->second;
    tiedostot_.erase(it);
    return p;
}

void pura_arkiston_kansi(TZLBArchive& zip, std::size_t jasen, Kansiolistaus& kannet, Kansikierratys* kierratys,
                         Purkamattomat& purkamatta) {
    const TZLBEntry& e = zip.entries()[jasen];
    const std::string nimi = e.koko_nimi();
    const auto tiedosto = kansikuvan_tiedosto(nimi);
    if (!tiedosto || kannet.tiedosto(*tiedosto)) return;
    if (const Tulos t = zip.Extract(jasen, kannet, kierratys ? kierratys->ota(e.koko) : fs::path()); !t) {
        kirjoita_debug_aina("[ZIP] " + nimi + ": " + viesti_ja_syy(t));
        if (purkamatta.jasenet.empty()) purkamatta.ensimmainen = t;
        purkamatta.jasenet.push_back(nimi);
    }
}

Purkamattomat pura_arkiston_kannet(TZLBArchive& zip, Kansiolistaus& kannet, diag::Kiire& kiire,
                                   Kansikierratys* kierratys) {
    Purkamattomat purkamatta;
    const std::string kaikki = std::to_string(zip.entries().size());
    for (std::size_t i = 0; i < zip.entries().size(); ++i) {
        if (i % 200 == 0) {
            kiire.aseta_teksti("Puretaan kansikuvia [" + std::to_string(i) + "/" + kaikki + "]");
            kiire.kasittele_viestit();
        }
        pura_arkiston_kansi(zip, i, kannet, kierratys, purkamatta);
    }
    return purkamatta;
}

std::string purkamattomien_viesti(const Purkamattomat& p) {
    std::unordered_set<std::string> nimet;
    for (const std::string& j : p.jasenet) nimet.insert(pienet_cp1252(j));
    const int syy = p.ensimmainen.syy;
    return "Kaikkia kansikuvia ei voitu purkaa (" + std::to_string(nimet.size()) + " kpl, ensimmäinen " +
           p.jasenet.front() + ")" + (syy ? ": " + jarjestelman_syy(syy) : std::string()) +
           ".\nKortit säilyttävät kansikuvansa, ja tallennettaessa ne otetaan tietokantatiedostosta.";
}
