#include "tuonti/tuonti.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "perus/merkisto.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kasetti.h"
#include "storage/kentat.h"
#include "tuonti/kansikuva.h"
#include "tuonti/saannot.h"

namespace fs = std::filesystem;

namespace {

// A card's texts are one line each in the catalogue, so additions to the comments are set apart on it.
constexpr const char* kommenttien_erotin = " / ";

// What no field took, into the comments with the name it had, so nothing of the file is lost.
void lisaa_kommenttiin(TKortti& k, std::string_view otsikko, std::string_view arvo) {
    std::string t = k.kommentti;
    if (!t.empty()) t += kommenttien_erotin;
    t += yhdelle_riville(otsikko);
    t += ": ";
    t += yhdelle_riville(arvo);
    k.kommentti = t;
}

std::string lainattu(std::string_view s) { return "\"" + std::string(s) + "\""; }

void tarkista_nimi(const TKortti& k, int rivi, Tuotavat& ulos) {
    if (k.nimi.empty())
        ulos.huomauta(rivi, "elokuvalla ei ole nimeä; kortti poistuu tallennettaessa, ellei sille anna nimeä");
}

constexpr const char* korvausviesti = "merkit, joita ohjelma ei osaa esittää, korvattiin ?-merkillä";

// Puts a value through the rules; what does not fit is reported, what cannot be placed goes to comments.
void sijoita(TKortti& k, const Sarake& s, std::string_view otsikko, std::string_view arvo, bool muunna, int rivi,
             Tuotavat& ulos) {
    // Columns without a field of their own may have gone to the comments already; the comments of the
    // file come before them.
    const std::string muut = s.nimi == "kommentti" ? std::string(k.kommentti) : std::string();
    const Sijoitus t = aseta_tuotu_arvo(k, s, arvo, muunna);
    if (!muut.empty()) k.kommentti = k.kommentti.empty() ? muut : k.kommentti + kommenttien_erotin + muut;
    if (!t.sijoitettu) {
        lisaa_kommenttiin(k, otsikko, arvo);
        ulos.huomauta(rivi, t.huomautus + "; arvo vietiin kommentteihin");
    } else if (!t.huomautus.empty()) {
        ulos.huomauta(rivi, t.huomautus + "; arvo jätettiin kenttään sellaisenaan");
    }
}

// The values of a field joined as the card shows lists ("A, B"); a table row's columns joined with " - ".
std::string yhdista(const Tellicokentta& k, std::size_t sarake = std::string::npos) {
    std::string ulos;
    for (const std::vector<std::string>& rivi : k.arvot) {
        std::string arvo;
        for (std::size_t i = 0; i < rivi.size(); ++i) {
            if (sarake != std::string::npos && i != sarake) continue;
            if (rivi[i].empty()) continue;
            if (!arvo.empty()) arvo += " - ";
            arvo += rivi[i];
        }
        if (arvo.empty()) continue;
        if (!ulos.empty()) ulos += ", ";
        ulos += arvo;
    }
    return ulos;
}

// The roles of a cast table ("Anna: Liisa; Bo: Ville"), for the comments; empty when none is given.
std::string roolit(const Tellicokentta& k) {
    std::string ulos;
    for (const std::vector<std::string>& rivi : k.arvot) {
        if (rivi.size() < 2 || rivi[1].empty()) continue;
        if (!ulos.empty()) ulos += "; ";
        ulos += rivi[0] + ": " + rivi[1];
    }
    return ulos;
}

// Tellico's video fields that have a card field of their own.
struct Tellicosijoitus {
    const char* kentta;
    Teksti TKortti::*jasen;  // the card field; the name of its column is the field table's
};
constexpr Tellicosijoitus tellicon_kentat[] = {
    {"title", &TKortti::nimi},        {"year", &TKortti::vuosi},
    {"director", &TKortti::ohjaaja},  {"genre", &TKortti::luokitus},
    {"nationality", &TKortti::maa},   {"running-time", &TKortti::kesto},
    {"plot", &TKortti::juoni},        {"medium", &TKortti::formaatti},
    {"comments", &TKortti::kommentti}, {"color", &TKortti::vari},
    {"aspect-ratio", &TKortti::kuvasuhde}, {"audio-track", &TKortti::aani},
};
// Kept by Tellico for itself: when the entry was made and changed.
constexpr const char* tellicon_omat[] = {"cdate", "mdate", "id"};

const Sarake* tellico_sarake(std::string_view kentta) {
    for (const Tellicosijoitus& t : tellicon_kentat)
        if (kentta == t.kentta) return sarake_jasenesta(t.jasen);
    return nullptr;
}

bool tellicon_oma(std::string_view kentta) {
    for (const char* t : tellicon_omat)
        if (kentta == t) return true;
    return false;
}

// Eight digits 1 to 8 that no cover name contains: the rule of uusi_kansikuvan_nimi, with every 8-character
// piece of the names gathered once so a big catalogue is not read through for each cover.
class Kansinimet {
public:
    explicit Kansinimet(const TOmaList& l) {
        for (int i = 1; i < l.Count(); ++i) lisaa(l[i].cover_fn);
    }
    std::string uusi() {
        std::uniform_int_distribution<int> numero(1, 8);
        for (;;) {
            std::string nimi(8, '1');
            for (char& c : nimi) c = static_cast<char>('0' + numero(satunnainen_));
            if (!palat_.count(nimi)) return nimi;
        }
    }
    void lisaa(std::string_view nimi) {
        const std::string n = pienet_cp1252(nimi);
        for (std::size_t i = 0; i + 8 <= n.size(); ++i) palat_.insert(n.substr(i, 8));
    }

private:
    std::unordered_set<std::string> palat_;
    std::mt19937 satunnainen_{std::random_device{}()};
};

// A cassette's tape length is kept on every card of it: an imported card on a cassette the catalogue
// already has takes its length, and a cassette that now mixes tape and disc formats is reported, as the
// card view does when a cassette number is typed. One pass over the cassettes, however many there are.
void tarkista_kasetit(TOmaList& l, int ensimmainen, Tuotavat& t) {
    const auto rivi = [&](int i) { return t.rivit[static_cast<std::size_t>(i - ensimmainen)]; };
    for (const auto& [numero, kortit] : kasettien_kortit(l)) {
        if (kortit.back() < ensimmainen) continue;
        std::string pituus;
        for (const int i : kortit)
            if (i < ensimmainen && !l[i].nauha.empty()) {
                pituus = l[i].nauha;
                break;
            }
        int eka = 0;
        for (const int i : kortit) {
            if (i < ensimmainen) continue;
            if (eka == 0) eka = i;
            TKortti& k = l[i];
            if (pituus.empty() || k.nauha == pituus) continue;
            if (k.nauha.empty()) k.nauha = pituus;
            else
                t.huomauta(rivi(i), "kasetin " + numero + " nauhan pituus " + lainattu(k.nauha) +
                                        " eroaa luettelon pituudesta " + lainattu(pituus) +
                                        "; arvo jätettiin kenttään sellaisenaan");
        }
        if (!tarkista_kasetin_mediat(l, kortit))
            t.huomauta(rivi(eka), "kasetilla/levyllä " + numero + " on nyt elokuvia eri medioilta (esimerkiksi DVD ja VHS)");
    }
    // The cassettes came in no particular order; the report goes by row.
    std::stable_sort(t.huomautukset.begin(), t.huomautukset.end(),
                     [](const Tuontihuomautus& a, const Tuontihuomautus& b) { return a.rivi < b.rivi; });
}

std::string paate(const fs::path& p) { return pienet_ascii(p.extension().string()); }

}  // namespace

Tuontimuoto arvaa_muoto(Tiedostojarjestelma& t, const fs::path& p) {
    const std::string e = paate(p);
    if (e == ".csv" || e == ".txt") return Tuontimuoto::Csv;
    if (e == ".tc" || e == ".xml") return Tuontimuoto::Tellico;
    char alku[5] = {};
    std::size_t luettu = 0;
    if (const Kuvaaja k = t.avaa(p, O_RDONLY); k.tulos) {
        if (const Siirretty s = t.lue(k.fd, alku, sizeof alku, 0); s.tulos) luettu = s.tavuja;
        t.sulje(k.fd);
    }
    const std::string_view a(alku, luettu);
    return a.starts_with("PK\x03\x04") || a.starts_with("<?xml") ? Tuontimuoto::Tellico : Tuontimuoto::Csv;
}

Tulos lue_csv_tiedosto(Tiedostojarjestelma& t, const fs::path& p, std::string& data) {
    Tiedostotiedot tt;
    if (const int e = t.tiedot(p, tt).syy; e != 0 || !tt.tavallinen)
        return Tulos::virhe(1, "Tiedostoa ei voi lukea: " +
                                   merkisto::utf8_cp1252(std::generic_category().message(e != 0 ? e : tt.kansio ? EISDIR : ENOTSUP)));
    if (tt.koko > suurin_csv) return Tulos::virhe(2, "Tiedosto on liian suuri tuotavaksi (yli 256 Mt).");
    if (const Tulos luku = lue_koko_tiedosto(t, p, data); !luku)
        return Tulos::virhe(luku.koodi, "Tiedostoa ei voi lukea: " + jarjestelman_syy(luku.koodi));
    return Tulos::ok();
}

void tee_csv_kortit(const Csvtaulu& taulu, const Sarakekartta& kartta, Tuotavat& ulos) {
    const std::vector<std::string>& otsikko = taulu.rivit[0];
    const bool oma = on_oma_otsikko(otsikko);
    std::vector<std::string> kommentteihin;
    for (std::size_t c = 0; c < otsikko.size(); ++c)
        if (!kartta[c]) kommentteihin.push_back(lainattu(yhdelle_riville(otsikko[c])));
    if (!kommentteihin.empty()) {
        std::string t = "sarakkeet, joille ei ole kenttää, vietiin kommentteihin otsikkoineen:";
        for (const std::string& o : kommentteihin) t += " " + o;
        ulos.huomauta(0, t);
    }
    std::size_t korvattu = 0;
    for (std::size_t r = 1; r < taulu.rivit.size(); ++r) {
        const std::vector<std::string>& rivi = taulu.rivit[r];
        const int nro = taulu.rivinumerot[r];
        auto k = std::make_unique<TKortti>();
        std::vector<const Sarake*> asetetut;
        for (std::size_t c = 0; c < rivi.size(); ++c) {
            const std::string& arvo = rivi[c];
            if (c >= otsikko.size()) {
                if (arvo.empty()) continue;
                lisaa_kommenttiin(*k, "Sarake " + std::to_string(c + 1), arvo);
                ulos.huomauta(nro, "rivillä on enemmän arvoja kuin otsikossa sarakkeita; ylimääräiset vietiin kommentteihin");
                continue;
            }
            const Sarake* s = kartta[c];
            if (!s) {
                if (!arvo.empty()) lisaa_kommenttiin(*k, otsikko[c], arvo);
                continue;
            }
            const bool jo_asetettu = std::find(asetetut.begin(), asetetut.end(), s) != asetetut.end();
            if (jo_asetettu) {
                if (arvo.empty()) continue;
                lisaa_kommenttiin(*k, otsikko[c], arvo);
                ulos.huomauta(nro, "kenttä " + kohteen_nimi(s) + " oli jo täytetty; sarakkeen " + lainattu(otsikko[c]) +
                                       " arvo vietiin kommentteihin");
                continue;
            }
            asetetut.push_back(s);
            if (arvo.empty() && !oma) continue;
            sijoita(*k, *s, otsikko[c], arvo, !oma, nro, ulos);
        }
        while (korvattu < taulu.korvatut.size() && taulu.korvatut[korvattu] < nro) ++korvattu;
        if (korvattu < taulu.korvatut.size() && taulu.korvatut[korvattu] == nro) ulos.huomauta(nro, korvausviesti);
        tarkista_nimi(*k, nro, ulos);
        ulos.kortit.push_back(std::move(k));
        ulos.rivit.push_back(nro);
        ulos.kannet.emplace_back();
    }
}

void tee_tellico_kortit(const Tellicokokoelma& kokoelma, Tuotavat& ulos) {
    ulos.rivisana = "Tietue";
    for (const Tellicotietue& t : kokoelma.tietueet) {
        auto k = std::make_unique<TKortti>();
        std::string kansi;
        const auto otsikko = [&](const std::string& kentta) {
            const auto o = kokoelma.otsikot.find(kentta);
            return o != kokoelma.otsikot.end() ? o->second : kentta;
        };
        for (const Tellicokentta& f : t.kentat) {
            if (tellicon_oma(f.nimi)) continue;
            if (f.nimi == "cast") {
                sijoita(*k, *sarake_jasenesta(&TKortti::paanayttelijat), otsikko(f.nimi), yhdista(f, 0), true,
                        t.numero, ulos);
                if (const std::string r = roolit(f); !r.empty()) lisaa_kommenttiin(*k, "Roolit", r);
            } else if (f.nimi == "rating") {
                const std::string tahdet = yhdista(f);
                const std::string arvosana = tahdet_arvosanaksi(tahdet);
                sijoita(*k, *sarake_jasenesta(&TKortti::arvosana), otsikko(f.nimi),
                        arvosana.empty() ? tahdet : arvosana, true, t.numero, ulos);
            } else if (f.nimi == "writer") {
                aseta_kasikirjoitus(*k, yhdelle_riville(yhdista(f)));
            } else if (f.nimi == "cover") {
                const std::string id = merkisto::cp1252_utf8(yhdista(f));
                const auto kuva = kokoelma.kuvat.find(id);
                if (kuva == kokoelma.kuvat.end())
                    ulos.huomauta(t.numero, "kansikuvaa " + lainattu(yhdista(f)) + " ei ole tiedostossa");
                else
                    kansi = kuva->second;
            } else if (const Sarake* s = tellico_sarake(f.nimi)) {
                sijoita(*k, *s, otsikko(f.nimi), yhdista(f), true, t.numero, ulos);
            } else if (const std::string arvo = yhdista(f); !arvo.empty()) {
                lisaa_kommenttiin(*k, otsikko(f.nimi), arvo);
            }
        }
        if (t.korvattuja) ulos.huomauta(t.numero, korvausviesti);
        tarkista_nimi(*k, t.numero, ulos);
        ulos.kortit.push_back(std::move(k));
        ulos.rivit.push_back(t.numero);
        ulos.kannet.push_back(std::move(kansi));
    }
}

int lisaa_tuodut(Tuotavat& tuotavat, Varasto& v) {
    odota_kannet(v.tk());
    TOmaList& l = v.tk().kortit;
    const int ensimmainen = l.Count();
    Kansinimet nimet(l);
    // A program folder of its own (an installed copy) gets the covers folder with its first cover.
    const bool kansia = std::any_of(tuotavat.kannet.begin(), tuotavat.kannet.end(), [](const std::string& k) { return !k.empty(); });
    if (kansia) v.tj().luo_kansiot(v.kansio.polku(kansikuvakansio));
    for (std::size_t i = 0; i < tuotavat.kortit.size(); ++i) {
        TKortti& k = l.lisaa(std::move(tuotavat.kortit[i]));
        if (tuotavat.kannet[i].empty()) continue;
        std::string kuva, loppu;
        std::string syy = kansikuvaksi(tuotavat.kannet[i], kuva, loppu);
        if (syy.empty()) {
            const std::string nimi = std::string(kansikuvakansio) + nimet.uusi() + loppu;
            const std::optional<fs::path> p = kansikuvan_polku(v.kansio, nimi);
            const Tulos t = p ? korvaa_tiedosto(v.tj(), *p, kuva) : Tulos::virhe(1, "kansikuvakansio puuttuu");
            if (t) {
                k.cover_fn = nimi;
                nimet.lisaa(nimi);
            } else {
                syy = "kansikuvaa ei voitu tallentaa: " + t.viesti;
            }
        }
        if (!syy.empty()) tuotavat.huomauta(tuotavat.rivit[i], syy);
        tuotavat.kannet[i].clear();
    }
    tuotavat.kortit.clear();
    tarkista_kasetit(l, ensimmainen, tuotavat);
    l.merkitse_muutetuksi();
    return ensimmainen;
}

Tulos tuo_tiedosto(const fs::path& p, std::optional<Tuontimuoto> muoto, const std::string& kartta, Varasto& v,
                   Tuotavat& tuotavat) {
    tuotavat = Tuotavat{};
    if (muoto.value_or(arvaa_muoto(v.tj(), p)) == Tuontimuoto::Tellico) {
        Tellicokokoelma kokoelma;
        if (Tulos t = lue_tellico(v.tj(), p, kokoelma); !t) return t;
        tee_tellico_kortit(kokoelma, tuotavat);
    } else {
        std::string data;
        if (Tulos t = lue_csv_tiedosto(v.tj(), p, data); !t) return t;
        Csvtaulu taulu;
        if (Tulos t = lue_csv(data, taulu); !t) return t;
        Sarakekartta k = arvaa_kartta(taulu.rivit[0]);
        if (Tulos t = muuta_karttaa(k, taulu.rivit[0], kartta); !t) return t;
        tee_csv_kortit(taulu, k, tuotavat);
    }
    lisaa_tuodut(tuotavat, v);
    return Tulos::ok();
}

std::string huomautuksen_rivi(const Tuontihuomautus& h, const char* rivisana) {
    return (h.rivi == 0 ? std::string("Tiedosto") : rivisana + (" " + std::to_string(h.rivi))) + ": " + h.teksti;
}

std::string tuonnin_yhteenveto(const Tuotavat& t) {
    const std::size_t n = t.rivit.size();
    return std::to_string(n) + (n == 1 ? " elokuva tuotiin." : " elokuvaa tuotiin.");
}

std::string tuontiraportti(const Tuotavat& t, std::size_t enintaan) {
    std::string r = tuonnin_yhteenveto(t);
    for (std::size_t i = 0; i < t.huomautukset.size() && i < enintaan; ++i) r += "\n" + huomautuksen_rivi(t.huomautukset[i], t.rivisana);
    if (t.huomautukset.size() > enintaan)
        r += "\n... ja " + std::to_string(t.huomautukset.size() - enintaan) + " muuta huomautusta (debug-lokissa).";
    return r;
}
