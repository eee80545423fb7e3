#include "storage/kenttasaannot.h"

#include <algorithm>

#include "diag/nayttoraja.h"
#include "perus/teksti.h"

namespace {

long long alkuluku(std::string_view s) { return lue_alkuluku(s).arvo; }

char isoksi_ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string seuraava_vapaa_kasetti(const TOmaList& lista, int ohitettava) {
    long long suurin = 0;
    for (int i = 1; i < lista.Count(); ++i)
        if (i != ohitettava) suurin = std::max(suurin, alkuluku(lista[i].kasetilla));
    return std::to_string(suurin + 1);
}

std::string seuraava_sijainti(const TOmaList& lista, std::string_view kasetilla) {
    long long suurin = 0;
    for (int i = 1; i < lista.Count(); ++i)
        if (lista[i].kasetilla == kasetilla) suurin = std::max(suurin, alkuluku(lista[i].sijainti));
    return std::to_string(suurin + 1);
}

std::string nayttelijoiden_pilkut(std::string_view teksti) {
    std::string t;
    for (std::size_t i = 0; i < teksti.size(); ++i) {
        t += teksti[i];
        if (teksti[i] == ',' && i + 2 < teksti.size() && teksti[i + 1] != ' ') t += ' ';
    }
    return t;
}

bool alkaa_nimen(std::string_view teksti, int kohta) {
    if (kohta == 0) return true;
    if (kohta < 2 || kohta > static_cast<int>(teksti.size())) return false;
    const char edella = teksti[static_cast<std::size_t>(kohta - 1)];
    return edella == ' ' || edella == ',';
}

char isoksi_kirjaimeksi(char c) {
    switch (static_cast<unsigned char>(c)) {
        case 0xE4: return static_cast<char>(0xC4);  // ä
        case 0xF6: return static_cast<char>(0xD6);  // ö
        case 0xE5: return static_cast<char>(0xC5);  // å
        default: return isoksi_ascii(c);
    }
}

std::string kesto_yksikolla(std::string_view kesto) {
    if (kesto.empty() || sisaltaa("min", kesto) || sisaltaa("h", kesto)) return std::string(kesto);
    return std::string(kesto) + (alkuluku(kesto) > 10 ? " min" : "h");
}

void lainaa_kasetti(TOmaList& lista, std::string_view kasetilla, std::string_view lainassa) {
    for (int i = 1; i < lista.Count(); ++i)
        if (lista[i].kasetilla == kasetilla) lista[i].lainassa = lainassa;
}

std::string kentan_nimi(std::string_view nimi) {
    std::string t(nimi);
    if (!t.empty() && t.back() != ':') t += ':';
    return t;
}

void nimea_tyhjat_kentat(TOmaList& lista, const std::string& nimi) {
    for (int i = 1; i < lista.Count(); ++i)
        if (lista[i].lisatieto[0].empty()) lista[i].lisatieto_nimi[0] = nimi;
}

Ennakointi ennakoi(std::string_view teksti, int alku, int pituus, char merkki, const std::vector<std::string>& kohdat) {
    const int koko = static_cast<int>(teksti.size());
    alku = std::clamp(alku, 0, koko);
    pituus = std::clamp(pituus, 0, koko - alku);
    std::string uusi(teksti);
    const bool askel = merkki == '\b';
    if (askel) {
        if (pituus > 0) uusi.erase(static_cast<std::size_t>(alku), static_cast<std::size_t>(pituus));
        else if (alku > 0) uusi.erase(static_cast<std::size_t>(alku - 1), 1);
    } else {
        uusi.replace(static_cast<std::size_t>(alku), static_cast<std::size_t>(pituus), 1, merkki);
    }
    Ennakointi e;
    if (uusi.empty()) return e;
    e.kursori = askel ? std::max(0, alku - 1) : alku + 1;
    if (e.kursori == 0) {
        e.tulos = Ennakointi::Tyhjenna;
        return e;
    }
    for (std::size_t i = 0; i < kohdat.size(); ++i) {
        if (alkaa_pienella(kohdat[i], uusi)) {
            e.tulos = Ennakointi::Taydenna;
            e.kohta = static_cast<int>(i);
            return e;
        }
    }
    e.tulos = Ennakointi::Ei_osumaa;
    return e;
}

int eka_tyhja_kentta(const std::array<bool, tabikenttia>& tyhja, int nykyinen) {
    if (tyhja[0]) return 0;
    for (int i = 1; i < tabikenttia; ++i)
        if (i > nykyinen && tyhja[static_cast<std::size_t>(i)]) return i;
    return -1;
}

std::string lyhyt_nimi(std::string_view nimi) {
    std::string t(nimi.substr(0, std::min(nimi.find('('), nimi.size())));
    if (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

namespace {

// The grid's rows from the cards of one cassette, `indeksit` in catalogue order.
MuutElokuvat muut_elokuvat_korteista(const TOmaList& lista, int nykyinen, const std::string& kasetti,
                                     std::span<const int> indeksit) {
    MuutElokuvat m;
    m.otsake = kasetti.empty() ? "Numeroimattomat kasetit tai levyt" : "Kasetti (tai dvd) nro: " + kasetti;
    if (static_cast<int>(indeksit.size()) > MuutElokuvat::raja) {
        m.liikaa = true;
        return m;
    }
    // The grid shows only a beginning (one character more than it shows tells it to cut), so a field of
    // megabytes is not copied on every move.
    const auto alku = [](std::string_view s) { return s.substr(0, rivin_nayttoraja + 1); };
    for (const int i : indeksit)
        m.rivit.push_back({lyhyt_nimi(alku(lista[i].nimi)), std::string(alku(lista[i].sijainti)), i});
    // An exchange sort by position; rows whose position is 0 or no number stay where they are.
    const int rivimaara = static_cast<int>(m.rivit.size()) + 1;
    for (int kierros = 0; kierros < rivimaara + 10; ++kierros) {
        for (std::size_t r = 0; r + 1 < m.rivit.size(); ++r) {
            const long long a = alkuluku(m.rivit[r].sijainti);
            const long long b = alkuluku(m.rivit[r + 1].sijainti);
            if (a > b && a != 0 && b != 0) std::swap(m.rivit[r], m.rivit[r + 1]);
        }
    }
    for (std::size_t r = 0; r < m.rivit.size(); ++r)
        if (m.rivit[r].indeksi == nykyinen) m.valittu = static_cast<int>(r) + 1;
    return m;
}

std::string nykyinen_kasetti(const TOmaList& lista, int nykyinen) {
    return nykyinen >= 1 && nykyinen < lista.Count() ? lista[nykyinen].kasetilla : std::string();
}

}  // namespace

MuutElokuvat muut_elokuvat(const TOmaList& lista, int nykyinen) {
    const std::string kasetti = nykyinen_kasetti(lista, nykyinen);
    std::vector<int> indeksit;
    for (int i = 1; i < lista.Count() && static_cast<int>(indeksit.size()) <= MuutElokuvat::raja; ++i)
        if (lista[i].kasetilla == kasetti) indeksit.push_back(i);
    return muut_elokuvat_korteista(lista, nykyinen, kasetti, indeksit);
}

void Kasettihakemisto::rakenna(const TOmaList& lista) {
    jaksot_.clear();
    const int n = lista.Count();
    // Each card's run, counted as the cards come; then the runs laid out one after another and each filled
    // from its end backwards, so that every run ends up in catalogue order and starting at its own start.
    std::vector<Jakso*> jakso(static_cast<std::size_t>(std::max(n, 1)));
    for (int i = 1; i < n; ++i) {
        Jakso& j = jaksot_[std::string(lista[i].kasetilla)];
        ++j.pituus;
        jakso[static_cast<std::size_t>(i)] = &j;
    }
    int loppu = 0;
    for (auto& [kasetti, j] : jaksot_) {
        loppu += j.pituus;
        j.alku = loppu;
    }
    kortit_.assign(static_cast<std::size_t>(loppu), 0);
    for (int i = n - 1; i >= 1; --i) kortit_[static_cast<std::size_t>(--jakso[static_cast<std::size_t>(i)]->alku)] = i;
    maara_ = n;
    ajan_tasalla_ = true;
}

std::span<const int> Kasettihakemisto::kortit(const std::string& kasetti) const {
    const auto i = jaksot_.find(kasetti);
    if (i == jaksot_.end()) return {};
    return std::span<const int>(kortit_).subspan(static_cast<std::size_t>(i->second.alku),
                                                 static_cast<std::size_t>(i->second.pituus));
}

MuutElokuvat muut_elokuvat(const TOmaList& lista, int nykyinen, Kasettihakemisto& hakemisto) {
    const std::string kasetti = nykyinen_kasetti(lista, nykyinen);
    // A change that was not announced shows as an entry that no longer fits; the index is then rebuilt.
    auto kelpaa = [&] {
        if (hakemisto.korttien_maara() != lista.Count()) return false;
        const std::span<const int> k = hakemisto.kortit(kasetti);
        bool nykyinen_mukana = nykyinen < 1 || nykyinen >= lista.Count();
        for (const int i : k) {
            if (i >= lista.Count() || lista[i].kasetilla != kasetti) return false;
            nykyinen_mukana = nykyinen_mukana || i == nykyinen;
        }
        return nykyinen_mukana;
    };
    if (!hakemisto.ajan_tasalla() || !kelpaa()) hakemisto.rakenna(lista);
    return muut_elokuvat_korteista(lista, nykyinen, kasetti, hakemisto.kortit(kasetti));
}

const std::array<Otsikkopari, 13> kenttien_otsikot = {{
    {"Nimi", "Elokuvan Nimi:", "Elokuvan &Nimi:"},
    {"Paanayttelijat", "Pääosissa:", "&Pääosissa:"},
    {"Maa", "Valmistusmaa:", "Valm&istusmaa:"},
    {"Vuosi", "Tuotantov.:", "&Tuotantov.:"},
    {"Formaatti", "Formaatti:", "&Formaatti:"},
    {"Luokitus", "Luokitus:", "L&uokitus:"},
    {"Kesto", "Kesto:", "&Kesto:"},
    {"Kasetilla", "Kasetilla/ levyllä nro:", "Kasetilla/ levyllä n&ro:"},
    {"Aani", "Ääniraita:", "&Ääniraita:"},
    {"kuvasuhde", "Kuvasuhde:", "Kuvasu&hde:"},
    {"Ohjaaja", "Ohjaaja:", "&Ohjaaja:"},
    {"Kommentit", "Kommentit:", "Ko&mmentit:"},
    {"Juoni", "Juoni:", "&Juoni:"},
}};

const char* const sekamedia_viesti =
    "Syöttämälläsi kasetilla/levyllä on virheellisesti elokuvia eri medioilta (esimerkiksi DVD ja VHS kaseteilta)!\n"
    "\n"
    "Numeroi DVD elokuvasi: DVD1, DVD2, DVD3 .. ja VHS kasetit 1, 2, 3 .. tai kummatkin 1, 2, 3, 4 ... \n"
    "Älä kuitenkaan laita samalle \"kasetille\" sekä DVD että VHS elokuvia\n"
    "\n"
    "Ohjelman mukana tulleessa esimerkkitietokannassa näet miten elokuvat kannattaa numeroida";
