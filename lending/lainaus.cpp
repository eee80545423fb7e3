#include "lending/lainaus.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <unordered_set>

#include "diag/loki.h"
#include "diag/nayttoraja.h"
#include "diag/viestit.h"
#include "perus/teksti.h"

namespace {

std::string isoksi(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return t;
}

std::optional<int> luku(std::string_view s) {
    if (s.empty() || s.size() > 4) return std::nullopt;
    int n = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return n;
}

bool kelvollinen(const Paiva& p) {
    static const int pituus[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (p.vuosi < 1 || p.kuukausi < 1 || p.kuukausi > 12 || p.paiva < 1) return false;
    const bool karkaus = (p.vuosi % 4 == 0 && p.vuosi % 100 != 0) || p.vuosi % 400 == 0;
    const int suurin = p.kuukausi == 2 && !karkaus ? 28 : pituus[p.kuukausi - 1];
    return p.paiva <= suurin;
}

std::vector<std::string_view> paloiksi(std::string_view s, char erotin) {
    std::vector<std::string_view> osat;
    std::size_t alku = 0;
    for (std::size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == erotin) {
            osat.push_back(s.substr(alku, i - alku));
            alku = i + 1;
        }
    return osat;
}

// Splits at commas: an empty piece is no entry, its comma starts the next one.
std::vector<std::string> kohdat(const std::string& s) {
    std::vector<std::string> tulos;
    std::size_t alku = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ',' && i != alku) {
            tulos.push_back(s.substr(alku, i - alku));
            alku = i + 1;
        }
    }
    if (alku < s.size()) tulos.push_back(s.substr(alku));
    return tulos;
}

bool lainassa_lainaajalla(const TKortti& k, const std::string& lainaaja) {
    return sisaltaa(lainaaja, k.lainassa);
}

}  // namespace

Paiva tanaan() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

std::string paiva_tekstiksi(const Paiva& p) {
    return std::to_string(p.paiva) + "." + std::to_string(p.kuukausi) + "." + std::to_string(p.vuosi);
}

std::optional<Paiva> lue_paiva(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\r')) t.remove_suffix(1);
    Paiva p;
    if (t.find('-') != std::string_view::npos) {
        const auto o = paloiksi(t, '-');
        if (o.size() != 3 || o[0].size() != 4 || o[1].size() != 2 || o[2].size() != 2) return std::nullopt;
        const auto v = luku(o[0]), k = luku(o[1]), d = luku(o[2]);
        if (!v || !k || !d) return std::nullopt;
        p = {*v, *k, *d};
    } else {
        const auto o = paloiksi(t, '.');
        if (o.size() != 3 || o[0].size() > 2 || o[1].size() > 2 || (o[2].size() != 2 && o[2].size() != 4))
            return std::nullopt;
        const auto d = luku(o[0]), k = luku(o[1]), v = luku(o[2]);
        if (!v || !k || !d) return std::nullopt;
        int vuosi = *v;
        if (o[2].size() == 2) vuosi += vuosi >= 30 ? 1900 : 2000;
        p = {vuosi, *k, *d};
    }
    if (!kelvollinen(p)) return std::nullopt;
    return p;
}

std::string lainausteksti(const std::string& lainaaja, const std::string& paiva) {
    return lainaaja + ", Lainattu: " + paiva;
}

std::string lainaajan_nimi(const std::string& lainassa) {
    const auto pilkku = lainassa.rfind(',');
    return pilkku == std::string::npos ? lainassa : lainassa.substr(0, pilkku);
}

std::string lainauspaiva(const std::string& lainassa) {
    if (lainassa.size() < 3) return {};
    const auto kohta = lainassa.rfind(": ");
    return kohta == std::string::npos ? std::string() : lainassa.substr(kohta + 2);
}

bool lainaa_kasetit(TOmaList& lista, std::string& kasetit, const std::string& lainaaja, const std::string& paiva,
                    diag::Viestit& viestit) {
    std::string teksti;
    for (char c : kasetit)
        if (c != ' ') teksti += c;
    if (!teksti.empty() && teksti.back() == ',') teksti.pop_back();
    std::vector<std::string> w = kohdat(teksti);
    if (static_cast<int>(w.size()) > lainauksia_enintaan) {
        viestit.varoitus("Annoit " + std::to_string(w.size()) + " kasettia tai elokuvaa. Kerralla voi lainata tai "
                         "palauttaa enintään " + std::to_string(lainauksia_enintaan) +
                         ", joten mitään ei muutettu.\nJaa lista useampaan osaan.");
        return false;
    }
    kasetit = teksti;
    lista.merkitse_muutetuksi();

    const std::string uusi = lainaaja.empty() ? std::string() : lainausteksti(lainaaja, paiva);
    std::vector<std::string> isot(w.size());
    for (std::size_t j = 0; j < w.size(); ++j) isot[j] = isoksi(w[j]);
    std::vector<bool> loytyi(w.size(), false);
    // An entry turned from a title into a cassette number is not taken for a title again (no endless rescans).
    std::vector<bool> nimesta(w.size(), false);
    for (int i = 1; i < lista.Count(); ++i) {
        TKortti& k = lista[i];
        const std::string kasetti = isoksi(k.kasetilla);
        bool alusta = false;
        for (std::size_t j = 0; j < w.size(); ++j) {
            if (!isot[j].empty() && kasetti == isot[j]) {
                k.lainassa = uusi;
                loytyi[j] = true;
            }
            if (!nimesta[j] && w[j].size() > 5 && sisaltaa(isot[j], isoksi(k.nimi))) {
                k.lainassa = uusi;
                kirjoita_debug("Syötetty lainattavaksi elokuva nimi!");
                kirjoita_debug("-> Lisätään tämän kasetin numero listaan nimen paikalle ja aloitetaan lainaus alusta");
                w[j] = k.kasetilla;
                isot[j] = kasetti;
                loytyi[j] = true;
                nimesta[j] = true;
                alusta = true;
                break;
            }
        }
        if (alusta) i = 0;
    }
    for (std::size_t j = 0; j < w.size(); ++j)
        if (!loytyi[j])
            viestit.tieto("\"" + lyhennetty(w[j]) + "\" jäi lainaamatta. Tietokanta ei sisällä annetun numeroista tai nimistä "
                          "elokuvaa/kasettia/levyä.");
    return true;
}

int palauta_lainaajalta(TOmaList& lista, const std::string& lainaaja) {
    lista.merkitse_muutetuksi();
    int n = 0;
    for (int i = 1; i < lista.Count(); ++i)
        if (lainassa_lainaajalla(lista[i], lainaaja)) {
            lista[i].lainassa.clear();
            ++n;
        }
    return n;
}

void palauta_kaikki(TOmaList& lista) {
    lista.merkitse_muutetuksi();
    for (int i = 1; i < lista.Count(); ++i) lista[i].lainassa.clear();
}

std::vector<std::string> lainalista(const TOmaList& lista) {
    std::vector<std::string> rivit;
    std::unordered_set<std::string> nahty;
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        if (k.lainassa.empty()) continue;
        std::string rivi = "Nro: " + k.kasetilla + ", Lainaaja: " + k.lainassa;
        if (nahty.insert(rivi).second) rivit.push_back(std::move(rivi));
    }
    return rivit;
}

std::string lainarivin_kasetti(const std::string& rivi) {
    if (rivi.size() <= 5) return {};
    const auto pilkku = rivi.find(',');
    if (pilkku == std::string::npos || pilkku < 5) return rivi.substr(5);
    return rivi.substr(5, pilkku - 5);
}

std::string lainarivin_lainaaja(const std::string& rivi) {
    const auto alku = rivi.find("ainaaja: ");
    if (alku == std::string::npos) return {};
    const std::string loppu = rivi.substr(alku + 9);
    return loppu.substr(0, loppu.find(','));
}

std::string valitut_kasetit(const std::vector<std::string>& rivit) {
    std::string s;
    for (const std::string& r : rivit) {
        if (!s.empty()) s += ", ";
        s += lainarivin_kasetti(r);
    }
    return s;
}

int lainapaivia(const Paiva& l, const Paiva& t) {
    return (t.vuosi - l.vuosi) * 365 + (t.kuukausi - l.kuukausi) * 30 + (t.paiva - l.paiva);
}

std::vector<Myohassa> myohastyneet(const TOmaList& lista, int paivia, const Paiva& nyt) {
    std::vector<Myohassa> tulos;
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        const std::string teksti = lainauspaiva(k.lainassa);
        if (teksti.empty()) continue;
        Paiva lainattu;
        if (const auto p = lue_paiva(teksti)) lainattu = *p;
        else kirjoita_debug_aina("tarkista_myohastymiset virhe, (syy: StrToDate FAILED)");
        const int n = lainapaivia(lainattu, nyt);
        if (paivia < n) {
            const std::string nimi = lainaajan_nimi(k.lainassa);
            if (std::none_of(tulos.begin(), tulos.end(), [&](const Myohassa& m) { return m.lainaaja == nimi; }))
                tulos.push_back({nimi, n});
        }
        kirjoita_debug("Current_date=" + paiva_tekstiksi(nyt));
        kirjoita_debug("Lainaus_date=" + teksti);
        kirjoita_debug("Paivia_lainassa=" + std::to_string(n));
    }
    return tulos;
}

std::string myohastymiskysymys(const Myohassa& m) {
    return m.lainaaja + " ei ole palauttanut lainaamiaan elokuvia!\nElokuvat ovat olleet lainassa " +
           std::to_string(m.paivia) + " päivää,\nHaluatko lähettää lainaajalle muistutus sähköpostia?";
}

std::string lainauspaivat(const TOmaList& lista, const std::string& lainaaja) {
    std::vector<std::string> paivat;
    for (int i = 1; i < lista.Count(); ++i) {
        const TKortti& k = lista[i];
        if (!lainassa_lainaajalla(k, lainaaja)) continue;
        std::string p = lainauspaiva(k.lainassa);
        if (!p.empty() && std::find(paivat.begin(), paivat.end(), p) == paivat.end()) paivat.push_back(std::move(p));
    }
    std::string s;
    for (std::size_t i = 0; i < paivat.size(); ++i) {
        if (i > 0) s += i + 1 == paivat.size() ? " ja " : ", ";
        s += paivat[i];
    }
    return s.size() < 7 ? "joku päivä" : s;
}

std::string lainattujen_maara(const TOmaList& lista, const std::string& lainaaja) {
    std::unordered_set<std::string> kasetit;
    for (int i = 1; i < lista.Count(); ++i)
        if (lainassa_lainaajalla(lista[i], lainaaja)) kasetit.insert(isoksi(lista[i].kasetilla));
    return std::to_string(kasetit.size());
}

Muistutus tee_muistutus(std::string_view pohja, const TOmaList& lista, const std::string& lainaaja,
                        const Muistutustiedot& tiedot) {
    std::vector<std::string_view> rivit = paloiksi(pohja, '\n');
    if (!rivit.empty() && rivit.back().empty()) rivit.pop_back();  // the end of the last line
    Muistutus m;
    if (rivit.empty()) return m;
    auto ilman_cr = [](std::string_view r) {
        if (!r.empty() && r.back() == '\r') r.remove_suffix(1);
        return std::string(r);
    };
    m.otsikko = ilman_cr(rivit[0]);
    const std::pair<std::string, std::string> paikat[] = {
        {pienet_kirjaimet("%%OHJELMA"), tiedot.ohjelma},
        {pienet_kirjaimet("%%PÄIVÄ"), lainauspaivat(lista, lainaaja)},
        {pienet_kirjaimet("%%ELOKUVIA"), lainattujen_maara(lista, lainaaja)},
        {pienet_kirjaimet("%%MINÄ"), tiedot.mina},
    };
    for (std::size_t r = 1; r < rivit.size(); ++r) {
        const std::string rivi = ilman_cr(rivit[r]);
        if (rivi == "##--") continue;
        if (rivi == "%%LISTA") {
            for (int i = 1; i < lista.Count(); ++i)
                if (lainassa_lainaajalla(lista[i], lainaaja))
                    m.rivit.push_back(lista[i].nimi + ", Kasetti/Levy numero: " + lista[i].kasetilla);
            continue;
        }
        const std::string pienena = pienet_kirjaimet(rivi);
        std::string uusi;
        for (std::size_t i = 0; i < rivi.size();) {
            bool korvattu = false;
            for (const auto& [paikka, arvo] : paikat)
                if (pienena.compare(i, paikka.size(), paikka) == 0) {
                    uusi += arvo;
                    i += paikka.size();
                    korvattu = true;
                    break;
                }
            if (!korvattu) uusi += rivi[i++];
        }
        m.rivit.push_back(std::move(uusi));
    }
    return m;
}
