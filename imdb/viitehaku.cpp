#include "imdb/viitehaku.h"

#include <algorithm>
#include <array>

#include "diag/kiire.h"
#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/teksti.h"
#include "settings/asetukset.h"
#include "storage/kentat.h"
#include "storage/kesto.h"
#include "storage/lataus.h"
#include "storage/tyokansio.h"

namespace fs = std::filesystem;

namespace {

// Characters in 64 classes: ASCII letters without regard to case, digits, the blank and the Finnish and
// Swedish letters each a class of their own, every other byte shared with a few others.
constexpr std::array<std::uint8_t, 256> luokat = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<std::uint8_t>(44 + c % 20);
    for (int c = 0; c < 26; ++c) t['A' + c] = t['a' + c] = static_cast<std::uint8_t>(c);
    for (int c = 0; c < 10; ++c) t['0' + c] = static_cast<std::uint8_t>(26 + c);
    t[' '] = 36;
    const unsigned char kirjaimet[] = {0xe4, 0xf6, 0xe5, 0xc4, 0xd6, 0xc5, 0xe9};  // ä ö å Ä Ö Å é
    for (std::size_t k = 0; k < sizeof kirjaimet; ++k) t[kirjaimet[k]] = static_cast<std::uint8_t>(37 + k);
    return t;
}();

std::uint32_t luokka(char c) { return luokat[static_cast<unsigned char>(c)]; }

constexpr std::uint32_t kolmikot = 64 * 64 * 64;
constexpr std::uint32_t paloja = kolmikot + 64 * 64;

std::uint32_t pala(std::string_view s, std::size_t i) { return luokka(s[i]) << 12 | luokka(s[i + 1]) << 6 | luokka(s[i + 2]); }
std::uint32_t pari(std::string_view s, std::size_t i) { return kolmikot + (luokka(s[i]) << 6 | luokka(s[i + 1])); }

// Every piece of a title once, in the order met (a piece may repeat; the caller skips repeats).
template <class F>
void palat(std::string_view n, F&& f) {
    for (std::size_t j = 0; j + 2 <= n.size(); ++j) {
        f(pari(n, j));
        if (j + 3 <= n.size()) f(pala(n, j));
    }
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
    std::size_t n = 0;
    for (const Kenttatieto& t : kentat)
        if (t.viitteen_maara) n += t.lajittelu == Lajittelu::Kesto ? tunnit2min(t.teksti(k)).size() : t.teksti(k).size();
    return n;
}

bool we_have_a_match(std::string_view viitteen_nimi, std::size_t viitteen_maara, std::string_view nimi,
                     std::size_t nykyisen_maara) {
    if (debug_paalla()) {
        kirjoita_debug("we_have_a_match: " + std::string(viitteen_nimi) + " = " + std::string(nimi));
        kirjoita_debug("L1 (we_have_a_match) = " + std::to_string(nykyisen_maara));
    }
    if (nykyisen_maara >= viitteen_maara) return false;
    kirjoita_debug("lisatty match listaan (L1>L2)");
    return true;
}

void Nimihakemisto::tyhjenna() {
    maskit_.clear();
    alut_.clear();
    indeksit_.clear();
}

void Nimihakemisto::rakenna(const TOmaList& lista) {
    // First the number of titles per piece, then the titles into their places.
    std::vector<std::uint32_t> maara(paloja + 1, 0);
    std::vector<int> viimeinen(paloja, 0);
    maskit_.assign(static_cast<std::size_t>(lista.Count()), 0);
    for (int i = 1; i < lista.Count(); ++i)
        for (char c : lista[i].nimi) maskit_[static_cast<std::size_t>(i)] |= std::uint64_t{1} << luokka(c);
    for (int i = 1; i < lista.Count(); ++i)
        palat(lista[i].nimi, [&](std::uint32_t p) {
            if (viimeinen[p] == i) return;
            viimeinen[p] = i;
            ++maara[p];
        });
    alut_.assign(paloja + 1, 0);
    for (std::uint32_t p = 0; p < paloja; ++p) alut_[p + 1] = alut_[p] + maara[p];
    indeksit_.resize(alut_[paloja]);
    std::vector<std::uint32_t> kohta(alut_.begin(), alut_.end() - 1);
    std::fill(viimeinen.begin(), viimeinen.end(), 0);
    for (int i = 1; i < lista.Count(); ++i)
        palat(lista[i].nimi, [&](std::uint32_t p) {
            if (viimeinen[p] == i) return;
            viimeinen[p] = i;
            indeksit_[kohta[p]++] = i;
        });
}

std::optional<std::vector<int>> Nimihakemisto::ehdokkaat(std::string_view teksti) const {
    if (teksti.size() < 2) return std::nullopt;
    if (alut_.empty()) return std::vector<int>{};
    struct Vali {
        const int* alku;
        const int* loppu;
    };
    const auto vali = [this](std::uint32_t p) { return Vali{indeksit_.data() + alut_[p], indeksit_.data() + alut_[p + 1]}; };
    std::vector<Vali> listat;
    if (teksti.size() == 2) listat.push_back(vali(pari(teksti, 0)));
    for (std::size_t j = 0; j + 3 <= teksti.size(); ++j) listat.push_back(vali(pala(teksti, j)));
    std::sort(listat.begin(), listat.end(), [](const Vali& a, const Vali& b) { return a.loppu - a.alku < b.loppu - b.alku; });
    std::vector<int> tulos(listat.front().alku, listat.front().loppu);
    for (std::size_t k = 1; k < listat.size() && !tulos.empty(); ++k) {
        std::vector<int> uusi;
        std::set_intersection(tulos.begin(), tulos.end(), listat[k].alku, listat[k].loppu, std::back_inserter(uusi));
        tulos = std::move(uusi);
    }
    return tulos;
}

std::vector<int> Nimihakemisto::merkein(std::string_view merkit) const {
    std::uint64_t tarve = 0;
    for (char c : merkit) tarve |= std::uint64_t{1} << luokka(c);
    std::vector<int> tulos;
    for (std::size_t i = 1; i < maskit_.size(); ++i)
        if ((maskit_[i] & tarve) == tarve) tulos.push_back(static_cast<int>(i));
    return tulos;
}

void Viitetietokanta::lataa(Tiedostojarjestelma& t, const fs::path& tiedosto) {
    vapauta();
    kirjoita_debug("tietokanta.count #1 = " + std::to_string(lista_.Count()));
    if (on_tavallinen(t, tiedosto)) {
        // A folder of its own keeps the loader's work file apart from the open catalogue's crash marker.
        const Tyokansio kansio(t, "rullakko");
        if (kansio.polku().empty()) {
            kirjoita_debug_aina("Viitetietokannalle ei voitu tehdä työkansiota: " + polku_tekstiksi(tiedosto));
            return;
        }
        const Ohjelmakansio ok(kansio.polku(), t);
        Lokiviestit viestit;
        diag::EiKiiretta kiire;
        TAsetukset asetukset;
        asetukset.avaa_kannet_heti = false;
        asetukset.notify_enabled = false;
        Tietokanta tk;
        Varasto v{tk, ok, t, ilman_ikkunaa(), viestit, kiire, &asetukset};
        if (lue_tietueet(polku_tekstiksi(tiedosto), false, true, lista_, v)) {
            aseta(std::move(lista_));
        } else {
            lista_.tyhjenna();
        }
    }
    kirjoita_debug("tietokanta.count #2 = " + std::to_string(lista_.Count()));
}

void Viitetietokanta::aseta(TOmaList lista) {
    lista_ = std::move(lista);
    hakemisto_.rakenna(lista_);
    maarat_.assign(static_cast<std::size_t>(lista_.Count()), 0);
    for (int i = 1; i < lista_.Count(); ++i) maarat_[static_cast<std::size_t>(i)] = tiedon_maara(lista_[i]);
    ladattu_ = true;
}

void Viitetietokanta::vapauta() {
    lista_.tyhjenna();
    hakemisto_.tyhjenna();
    maarat_.clear();
    ladattu_ = false;
}

std::vector<int> Viitetietokanta::etsi(std::string_view nimi, const TKortti& nykyinen) const {
    std::vector<int> osumat;
    if (nimi.size() < 2 || !ladattu_) return osumat;
    const std::size_t l1 = tiedon_maara(nykyinen);
    const auto tarjotaan = [&](int i) {
        return we_have_a_match(lista_[i].nimi, maarat_[static_cast<std::size_t>(i)], nimi, l1);
    };

    // Exact titles: among the titles that hold the name, those that are nothing else.
    const std::string pienena = pienet_ascii(nimi);
    std::vector<int> samat;
    const std::vector<int> kokonaan = *hakemisto_.ehdokkaat(nimi);
    for (int i : kokonaan)
        if (lista_[i].nimi.size() == nimi.size() && pienet_ascii(lista_[i].nimi) == pienena) samat.push_back(i);
    for (int i : samat)
        if (tarjotaan(i)) osumat.push_back(i);
    if (nimi.size() < 3) return osumat;

    // Only titles that hold the whole name, or every word of it, can match; a name without words matches
    // every title, so then each is read.
    const std::vector<std::string> sanat = hakusanat(nimi);
    std::optional<std::vector<int>> sanoista;
    std::string merkit;  // the one-character words
    for (const std::string& s : sanat) {
        auto e = hakemisto_.ehdokkaat(s);
        if (!e) {
            merkit += s;
            continue;
        }
        sanoista = sanoista ? leikkaus(*sanoista, *e) : std::move(*e);
    }
    if (!sanoista && !merkit.empty()) sanoista = hakemisto_.merkein(merkit);
    std::vector<int> ehdokkaat;
    if (sanoista) {
        std::set_union(sanoista->begin(), sanoista->end(), kokonaan.begin(), kokonaan.end(),
                       std::back_inserter(ehdokkaat));
    } else {
        ehdokkaat.resize(static_cast<std::size_t>(lista_.korttien_maara()));
        for (std::size_t k = 0; k < ehdokkaat.size(); ++k) ehdokkaat[k] = static_cast<int>(k) + 1;
    }

    for (int i : ehdokkaat) {
        const std::string_view n = lista_[i].nimi;
        if (!kaikki_sanat(sanat, n) && !sisaltaa(nimi, n)) continue;
        if (std::binary_search(samat.begin(), samat.end(), i)) {
            kirjoita_debug("ei lisätä listaan (a=" + std::to_string(i) + ")");
            continue;
        }
        if (tarjotaan(i)) osumat.push_back(i);
    }
    return osumat;
}

void sovella_viitekortti(TKortti& k, const TKortti& r, Valintatapa tapa) {
    const bool vain_tyhjiin = tapa == Valintatapa::Paivitys;
    for (const Kenttatieto& t : kentat) {
        Teksti& kentta = t.teksti(k);
        const Teksti& arvo = t.teksti(r);
        // An empty reference value never wipes what the card has: accepting would lose it unnoticed.
        if (arvo.empty()) continue;
        switch (t.viite) {
            case Viitekaytto::Ei: break;
            case Viitekaytto::Korvaa: kentta = arvo; break;
            case Viitekaytto::Tayttaa:
                if (!vain_tyhjiin || kentta.empty()) kentta = arvo;
                break;
            case Viitekaytto::TayttaaNimineen: {
                // The card view shows an unnamed, empty field under its default name.
                Teksti& nimi = *t.lisatiedon_nimi(k);
                if (kentta.empty() && (nimi == lisatiedon_oletusnimi || nimi.empty())) {
                    nimi = *t.lisatiedon_nimi(r);
                    kentta = arvo;
                }
                break;
            }
        }
    }
}

bool samat_viitekentat(const TKortti& a, const TKortti& b) {
    for (const Kenttatieto& t : kentat) {
        if (t.viite == Viitekaytto::Ei) continue;
        if (t.teksti(a) != t.teksti(b)) return false;
        if (t.viite == Viitekaytto::TayttaaNimineen && *t.lisatiedon_nimi(a) != *t.lisatiedon_nimi(b)) return false;
    }
    return true;
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
