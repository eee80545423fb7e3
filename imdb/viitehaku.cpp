#include "imdb/viitehaku.h"

#include <algorithm>

#include "diag/kiire.h"
#include "diag/loki.h"
#include "diag/viestit.h"
#include "mainwindow/kesto.h"
#include "settings/asetukset.h"
#include "storage/lataus.h"
#include "storage/tyokansio.h"

namespace fs = std::filesystem;

namespace {

char isoksi(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string pienet_ascii(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return t;
}

std::uint32_t pala(std::string_view s, std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(isoksi(s[i]))) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(isoksi(s[i + 1]))) << 8 |
           static_cast<unsigned char>(isoksi(s[i + 2]));
}

bool kaikki_sanat(const std::vector<std::string>& sanat, std::string_view ehdokas) {
    return std::all_of(sanat.begin(), sanat.end(), [&](const std::string& s) { return sisaltaa(s, ehdokas); });
}

// The reference catalogue's loader never asks or shows anything: its findings go to the log.
class Lokiviestit final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string& teksti, const std::string&) override {
        kirjoita_debug_aina("[dbase] " + teksti);
    }
    diag::Vastaus kysy(diag::Laji, const std::string& teksti, bool, const std::string&) override {
        kirjoita_debug_aina("[dbase] " + teksti + " -> Ei");
        return diag::Vastaus::Ei;
    }
};

std::vector<int> leikkaus(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> c;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(c));
    return c;
}

}  // namespace

std::vector<std::string> hakusanat(std::string_view nimi) {
    std::string_view t = nimi;
    if (const auto viiva = t.find("- "); viiva != std::string_view::npos) t = t.substr(viiva + 2);
    if (const auto sulku = t.find('('); sulku != std::string_view::npos) t = t.substr(0, sulku);
    if (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    std::vector<std::string> sanat;
    // A word that starts at the last character is not taken (a lone sequel number, say).
    for (std::size_t p = 0; p + 1 < t.size();) {
        std::size_t loppu = t.find(' ', p);
        if (loppu == std::string_view::npos) loppu = t.size();
        if (loppu > p) sanat.emplace_back(t.substr(p, loppu - p));
        p = loppu + 1;
    }
    return sanat;
}

bool sanat_loytyvat(std::string_view nimi, std::string_view ehdokas) { return kaikki_sanat(hakusanat(nimi), ehdokas); }

std::size_t tiedon_maara(const TKortti& k) {
    return k.luokitus.size() + k.maa.size() + k.aani.size() + k.paanayttelijat.size() + k.ohjaaja.size() +
           k.vuosi.size() + tunnit2min(k.kesto).size() + k.vari.size();
}

bool we_have_a_match(const TKortti& viite, std::string_view nimi, std::size_t nykyisen_maara) {
    if (debug_paalla()) {
        kirjoita_debug("we_have_a_match: " + viite.nimi + " = " + std::string(nimi));
        kirjoita_debug("L1 (we_have_a_match) = " + std::to_string(nykyisen_maara));
    }
    if (nykyisen_maara >= tiedon_maara(viite)) return false;
    kirjoita_debug("lisatty match listaan (L1>L2)");
    return true;
}

void Nimihakemisto::tyhjenna() {
    palat_.clear();
    nimet_.clear();
}

void Nimihakemisto::rakenna(const TOmaList& lista) {
    tyhjenna();
    for (int i = 1; i < lista.Count(); ++i) {
        const std::string& n = lista[i].nimi;
        nimet_[pienet_ascii(n)].push_back(i);
        for (std::size_t j = 0; j + 3 <= n.size(); ++j) {
            std::vector<int>& p = palat_[pala(n, j)];
            if (p.empty() || p.back() != i) p.push_back(i);
        }
    }
}

std::optional<std::vector<int>> Nimihakemisto::ehdokkaat(std::string_view teksti) const {
    if (teksti.size() < 3) return std::nullopt;
    std::vector<const std::vector<int>*> listat;
    for (std::size_t j = 0; j + 3 <= teksti.size(); ++j) {
        const auto it = palat_.find(pala(teksti, j));
        if (it == palat_.end()) return std::vector<int>{};
        listat.push_back(&it->second);
    }
    std::sort(listat.begin(), listat.end(), [](auto* a, auto* b) { return a->size() < b->size(); });
    listat.erase(std::unique(listat.begin(), listat.end()), listat.end());
    std::vector<int> tulos = *listat.front();
    for (std::size_t k = 1; k < listat.size() && !tulos.empty(); ++k) tulos = leikkaus(tulos, *listat[k]);
    return tulos;
}

const std::vector<int>& Nimihakemisto::samat(std::string_view nimi) const {
    static const std::vector<int> ei_yhtaan;
    const auto it = nimet_.find(pienet_ascii(nimi));
    return it == nimet_.end() ? ei_yhtaan : it->second;
}

void Viitetietokanta::lataa(const fs::path& tiedosto) {
    vapauta();
    kirjoita_debug("tietokanta.count #1 = " + std::to_string(lista_.Count()));
    std::error_code ec;
    if (fs::is_regular_file(tiedosto, ec)) {
        // A folder of its own keeps the loader's work file apart from the open catalogue's crash marker.
        const fs::path kansio = ajon_tyokansio() / "dbase";
        fs::create_directories(kansio, ec);
        const Ohjelmakansio ok(kansio);
        Lokiviestit viestit;
        diag::EiKiiretta kiire;
        TAsetukset asetukset;
        asetukset.avaa_kannet_heti = false;
        asetukset.notify_enabled = false;
        Tietokanta tk;
        const Varasto v{tk, ok, viestit, kiire, &asetukset};
        if (lue_tietueet(polku_tekstiksi(tiedosto), false, true, lista_, v)) {
            hakemisto_.rakenna(lista_);
            ladattu_ = true;
        } else {
            lista_.tyhjenna();
        }
    }
    kirjoita_debug("tietokanta.count #2 = " + std::to_string(lista_.Count()));
}

void Viitetietokanta::aseta(TOmaList lista) {
    lista_ = std::move(lista);
    hakemisto_.rakenna(lista_);
    ladattu_ = true;
}

void Viitetietokanta::vapauta() {
    lista_.tyhjenna();
    hakemisto_.tyhjenna();
    ladattu_ = false;
}

std::vector<int> Viitetietokanta::etsi(std::string_view nimi, const TKortti& nykyinen) const {
    std::vector<int> osumat;
    if (nimi.size() < 2 || !ladattu_) return osumat;
    const std::size_t l1 = tiedon_maara(nykyinen);

    const std::vector<int>& samat = hakemisto_.samat(nimi);
    for (int i : samat)
        if (we_have_a_match(lista_[i], nimi, l1)) osumat.push_back(i);
    if (nimi.size() < 3) return osumat;

    // Only titles that hold the whole name, or every long word of it, can match; with no word long enough
    // to narrow the search every title is read.
    const std::vector<std::string> sanat = hakusanat(nimi);
    std::optional<std::vector<int>> sanoista;
    if (!sanat.empty()) {
        for (const std::string& s : sanat) {
            auto e = hakemisto_.ehdokkaat(s);
            if (!e) continue;
            sanoista = sanoista ? leikkaus(*sanoista, *e) : std::move(*e);
        }
    }
    std::vector<int> ehdokkaat;
    if (sanoista) {
        const std::vector<int> kokonaan = *hakemisto_.ehdokkaat(nimi);
        std::set_union(sanoista->begin(), sanoista->end(), kokonaan.begin(), kokonaan.end(),
                       std::back_inserter(ehdokkaat));
    } else {
        ehdokkaat.resize(static_cast<std::size_t>(lista_.korttien_maara()));
        for (std::size_t k = 0; k < ehdokkaat.size(); ++k) ehdokkaat[k] = static_cast<int>(k) + 1;
    }

    for (int i : ehdokkaat) {
        const std::string& n = lista_[i].nimi;
        if (!kaikki_sanat(sanat, n) && !sisaltaa(nimi, n)) continue;
        if (std::binary_search(samat.begin(), samat.end(), i)) {
            kirjoita_debug("ei lisätä listaan (a=" + std::to_string(i) + ")");
            continue;
        }
        if (we_have_a_match(lista_[i], nimi, l1)) osumat.push_back(i);
    }
    return osumat;
}

void sovella_viitekortti(TKortti& k, const TKortti& r, Valintatapa tapa) {
    // An empty reference value never wipes what the card has: accepting would lose it unnoticed.
    const auto ota = [](std::string& kentta, const std::string& arvo, bool vain_tyhjaan) {
        if (!arvo.empty() && (!vain_tyhjaan || kentta.empty())) kentta = arvo;
    };
    ota(k.nimi, r.nimi, false);
    ota(k.luokitus, r.luokitus, false);
    ota(k.maa, r.maa, false);
    ota(k.kesto, r.kesto, false);
    ota(k.vuosi, r.vuosi, false);
    ota(k.vari, r.vari, false);
    ota(k.paanayttelijat, r.paanayttelijat, false);
    ota(k.ohjaaja, r.ohjaaja, false);
    const bool vain_tyhjiin = tapa == Valintatapa::Paivitys;
    ota(k.juoni, r.juoni, vain_tyhjiin);
    ota(k.formaatti, r.formaatti, vain_tyhjiin);
    ota(k.aani, r.aani, vain_tyhjiin);
    // The card view shows an unnamed, empty first field under its default name.
    const bool oletusnimi = k.lisatieto_nimi[0] == "Käsikirjoitus:" || k.lisatieto_nimi[0].empty();
    if (k.lisatieto[0].empty() && oletusnimi && !r.lisatieto[0].empty()) {
        k.lisatieto_nimi[0] = r.lisatieto_nimi[0];
        k.lisatieto[0] = r.lisatieto[0];
    }
}

bool samat_viitekentat(const TKortti& a, const TKortti& b) {
    return a.nimi == b.nimi && a.luokitus == b.luokitus && a.maa == b.maa && a.kesto == b.kesto && a.vuosi == b.vuosi &&
           a.vari == b.vari && a.paanayttelijat == b.paanayttelijat && a.ohjaaja == b.ohjaaja && a.juoni == b.juoni &&
           a.formaatti == b.formaatti && a.aani == b.aani && a.lisatieto[0] == b.lisatieto[0] &&
           a.lisatieto_nimi[0] == b.lisatieto_nimi[0];
}

std::string valintarivi(const TKortti& viite) {
    return viite.formaatti.empty() ? viite.nimi : viite.nimi + " (" + viite.formaatti + ")";
}

std::string valintaikkunan_otsikko(std::size_t osumia, Valintatapa tapa) {
    if (tapa == Valintatapa::Paivitys) return "Mahdollisesti paremmat tiedot löytyivät...";
    if (osumia == 1) return "Hyväksytäänkö nämä tiedot?";
    return "Valitse oikeat tiedot [" + std::to_string(osumia) + " löytyi]";
}

Valintaikkunan_mitat valintaikkunan_mitat(std::size_t riveja) {
    const std::size_t luonnollinen = riveja * 13 + 4;
    const int lista = luonnollinen > 210 ? 214 : static_cast<int>(luonnollinen);
    return {lista, lista + 12, lista + 65};
}
