#include "tools/aineisto/suuri_luettelo.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

#include "storage/kuvakoodekki.h"
#include "perus/ohjelmakansio.h"
#include "storage/kentat.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace aineisto {

namespace {

using Arpa = std::mt19937;

template <std::size_t N>
const char* yksi(Arpa& r, const char* const (&t)[N]) {
    return t[r() % N];
}

bool todennakoisyys(Arpa& r, int prosenttia) { return static_cast<int>(r() % 100) < prosenttia; }

const char* const alkusanat[] = {"Pakkasyön", "Kesän", "Viimeinen", "Kadonnut", "Hiljainen", "Punainen", "Musta",
                                 "Yön", "Meren", "Tähtien", "Kultainen", "Villi", "Salainen", "Kuoleman", "Rakkauden",
                                 "Kolmas", "Pohjoisen", "Unohdettu", "Rautainen", "Lumen", "Myrskyn", "Sateen",
                                 "Vanhan", "Nuoren", "Ikuinen", "Vaarallinen", "Kuuma", "Kylmä", "Sininen", "Harmaa"};
const char* const loppusanat[] = {"vartija", "kesä", "tie", "kaupunki", "ranta", "talo", "sydän", "matka", "valhe",
                                  "perintö", "kosto", "pako", "saari", "metsä", "satama", "yö", "aamu", "laulu",
                                  "kapteeni", "veli", "sisar", "morsian", "sotilas", "vaeltaja", "ritari", "agentti",
                                  "tuomari", "metsästäjä", "unelma", "muisto", "aave", "lupaus", "salaisuus"};
const char* const englanniksi[] = {"Night", "Return", "Storm", "Last Stand", "Dark Water", "Silent Road",
                                   "Cold Fire", "Iron Heart", "Long Way Home", "Blue Harbour", "Deadline",
                                   "Broken Arrow", "Wild Card", "Outpost", "Red Horizon", "Lost Signal"};
const char* const lajit[] = {"Jännitys", "Draama", "Komedia", "Toiminta", "Scifi", "Kauhu", "Dokumentti",
                             "Animaatio", "Romantiikka", "Sota", "Western", "Musikaali", "Rikos", "Fantasia",
                             "Perhe", "Seikkailu"};
const char* const maat[] = {"Suomi", "Usa", "Ruotsi", "Ranska", "Iso-Britannia", "Saksa", "Italia", "Japani",
                            "Norja", "Tanska", "Kanada", "Australia", "Espanja", "Neuvostoliitto", "Hongkong"};
const char* const etunimet[] = {"Ilmari", "Kaisa", "Olli", "Aarne", "Liisa", "Veikko", "Marja", "Pekka", "Sirkka",
                                "Juhani", "Tuula", "Eero", "Helena", "Matti", "Anja", "Rick", "Marla", "Danny",
                                "Sue Ellen", "Buck", "James", "Mel", "Greta", "Jean-Luc", "Ingrid", "Akira",
                                "Sophie", "Lars", "Åsa", "Jörg", "Françoise", "Tapio", "Eila", "Väinö"};
const char* const sukunimet[] = {"Rasi", "Vuorela", "Hanka", "Mäkelä", "Orava", "Laulaja", "Virtanen", "Nieminen",
                                 "Korhonen", "Lehtonen", "Heikkinen", "Dalton", "Stone", "Morrow", "Pike", "Harlan",
                                 "Weller", "Ostrander", "Lindqvist", "Bergström", "Duval", "Moreau", "Tanaka",
                                 "Schäfer", "Rossi", "Kallio", "Peltonen", "Hämäläinen", "Öhman", "Ekholm"};
const char* const aanet[] = {"Hifi Stereo", "Mono", "Dolby Surround", "Dolby Digital 5.1", "DTS 5.1", "Stereo"};
const char* const kuvasuhteet[] = {"1.33:1 [4:3]", "1.85:1 [16:9]", "2.35:1", "1.78:1 [16:9]", "1.66:1"};
const char* const formaatit[] = {"SP", "LP", "EP", "DVD", "DVD", "DVD", "DivX", "VCD", "Laserdisc", "SP", "LP"};
const char* const tekijat[] = {"Yövartija", "Opettaja", "Vanha rahtilentäjä", "Nuori poliisi", "Kolme ystävää",
                               "Eläkkeellä oleva agentti", "Maalaistyttö", "Kirjailija", "Laivan kokki",
                               "Kuuluisa pianisti", "Pieni poika", "Yksinhuoltajaäiti", "Kyläpoliisi",
                               "Palkkasoturi", "Tutkija", "Nyrkkeilijä", "Toimittaja", "Lentäjä"};
const char* const teot[] = {"huomaa, että", "palaa kotiseudulleen ja saa tietää, että", "joutuu pakenemaan, kun",
                            "saa viimeisen tehtävän, vaikka", "rakastuu, mutta", "löytää vanhat kirjeet, joiden mukaan",
                            "yrittää selvittää, miksi", "lupaa auttaa, vaikka tietää, että"};
const char* const tapahtumat[] = {"satamavaraston kylmiössä tapahtuu jotain outoa",
                                  "koko perheen historia on valhetta",
                                  "kaupungin pormestari on mukana salaliitossa",
                                  "lasti on jotain aivan muuta kuin luvattiin",
                                  "vanha ystävä on palannut kostamaan",
                                  "talven ensimmäinen myrsky katkaisee kaikki yhteydet",
                                  "kadonnut maalaus löytyy kirkon kellarista",
                                  "kukaan ei halua hänen näkevän totuutta",
                                  "aika on käymässä vähiin"};
const char* const lopetukset[] = {"Lopulta kaikki ratkeaa odottamattomalla tavalla.",
                                  "Matkasta tulee pidempi kuin kukaan arvasi.",
                                  "Apua löytyy yllättävältä taholta.",
                                  "Vastassa on koko kaupunki.",
                                  "Elokuva perustuu tositapahtumiin.",
                                  "Mukana paljon musiikkia ja huumoria."};
const char* const kommentit[] = {"Nauhoitettu televisiosta.", "Alussa mainoksia.", "Kuvanlaatu heikko lopussa.",
                                 "Lahja joululta.", "Ostettu kirpputorilta.", "Suomenkielinen tekstitys.",
                                 "Ohjaajan versio.", "Katsottu monta kertaa!", "Kesken, loppu puuttuu."};

std::string henkilo(Arpa& r) { return std::string(yksi(r, etunimet)) + " " + yksi(r, sukunimet); }

std::string nimi(Arpa& r, int i) {
    std::string n;
    switch (r() % 5) {
        case 0: n = std::string(yksi(r, englanniksi)); break;
        case 1: n = std::string(yksi(r, alkusanat)) + " " + yksi(r, loppusanat) + " " + std::to_string(2 + r() % 3); break;
        default: n = std::string(yksi(r, alkusanat)) + " " + yksi(r, loppusanat);
    }
    // Some titles repeat across a big collection; the number keeps most of them apart as real titles are.
    if (i % 7 == 0) n += " (" + std::to_string(1950 + i % 57) + ")";
    return n;
}

std::string juoni(Arpa& r) {
    std::string j = std::string(yksi(r, tekijat)) + " " + yksi(r, teot) + " " + yksi(r, tapahtumat) + ".";
    for (unsigned n = r() % 3; n-- > 0;) j += std::string(" ") + yksi(r, lopetukset);
    return j;
}

// Eight digits 1 to 8 from a number, as the program's cover names have them.
std::string kannen_varsi(int numero) {
    std::string s(8, '1');
    for (int i = 7; i >= 0; --i, numero /= 8) s[static_cast<std::size_t>(i)] = static_cast<char>('1' + numero % 8);
    return s;
}

void vaihteleva_kortti(TKortti& k, Arpa& r, int i) {
    k.nimi = nimi(r, i);
    k.luokitus = yksi(r, lajit);
    k.maa = yksi(r, maat);
    k.formaatti = yksi(r, formaatit);
    const bool vhs = k.formaatti == "SP" || k.formaatti == "LP" || k.formaatti == "EP";
    k.kasetilla = std::to_string(vhs ? i / 3 + 1 : 50000 + i);
    k.sijainti = std::to_string(vhs ? i % 3 + 1 : 1);
    k.aani = yksi(r, aanet);
    std::string nayttelijat = henkilo(r);
    for (unsigned n = 1 + r() % 4; n-- > 0;) nayttelijat += ", " + henkilo(r);
    k.paanayttelijat = nayttelijat;
    k.ohjaaja = henkilo(r);
    k.juoni = juoni(r);
    if (todennakoisyys(r, 20)) k.kommentti = yksi(r, kommentit);
    k.kuvasuhde = yksi(r, kuvasuhteet);
    if (todennakoisyys(r, 3))
        k.lainassa = henkilo(r) + ", Lainattu: " + std::to_string(1 + r() % 28) + "." + std::to_string(1 + r() % 12) + ".2006";
    const int minuutit = 75 + static_cast<int>(r() % 90);
    k.kesto = std::to_string(minuutit / 60) + "h " + std::to_string(minuutit % 60) + "min";
    if (vhs) k.nauha = (r() % 2) ? "240" : "180";
    k.vuosi = std::to_string(1950 + r() % 57);
    k.vari = todennakoisyys(r, 90) ? "Kyllä" : "Ei";
    k.arvosana = std::to_string(1 + r() % 10);
    if (todennakoisyys(r, 60)) k.imdb_koodi = std::to_string(100000 + r() % 900000);
    k.lisatieto_nimi[0] = lisatiedon_oletusnimi;
    if (todennakoisyys(r, 50)) k.lisatieto[0] = henkilo(r);
    if (k.formaatti == "DVD") {
        k.extra[1] = k.extra[4] = true;
        k.extra[2] = todennakoisyys(r, 50);
        k.extra_info = "Suomenkielinen tekstitys";
        k.lisatieto_nimi[1] = "Tekstitys:";
        k.lisatieto[1] = "suomi, ruotsi";
    }
    k.nakyma = static_cast<std::int32_t>(r() % 3 == 0);
}

// The cards of the original benchmark: one short text repeated, compressing to almost nothing.
void toistuva_kortti(TKortti& k, int i) {
    k.nimi = "Elokuva numero " + std::to_string(i);
    k.luokitus = "Toiminta";
    k.kasetilla = std::to_string(i / 3 + 1);
    k.sijainti = std::to_string(i % 3 + 1);
    k.paanayttelijat = "Näyttelijä Yksi, Näyttelijä Kaksi";
    k.juoni = std::string(150 + static_cast<std::size_t>(i % 50), static_cast<char>('a' + i % 26));
    k.imdb_koodi = std::to_string(1000000 + i);
}

RgbKuva piirra(Arpa& r, double kohina) {
    RgbKuva k;
    k.leveys = 200;
    k.korkeus = 300;
    k.rgb.resize(static_cast<std::size_t>(k.leveys) * k.korkeus * 3);
    const int pohja[3] = {static_cast<int>(r() % 200), static_cast<int>(r() % 200), static_cast<int>(r() % 200)};
    const int kaista = 30 + static_cast<int>(r() % 150);
    const double cx = r() % 200, cy = 80 + r() % 150, sade = 30 + r() % 50;
    std::normal_distribution<double> hajonta(0.0, kohina);
    for (int y = 0; y < k.korkeus; ++y)
        for (int x = 0; x < k.leveys; ++x) {
            const bool ympyra = std::hypot(x - cx, y - cy) < sade;
            const bool otsikko = y >= kaista && y < kaista + 28 && ((x / 9 + y / 14) % 3 != 0);
            for (int c = 0; c < 3; ++c) {
                double v = pohja[c] + y * (c == 2 ? 0.15 : -0.1) + x * 0.05;
                if (ympyra) v = 255 - v * 0.6;
                if (otsikko) v = c == 0 ? 240 : 230;
                v += hajonta(r);
                k.rgb[(static_cast<std::size_t>(y) * k.leveys + x) * 3 + c] =
                    static_cast<unsigned char>(std::clamp(v, 0.0, 255.0));
            }
        }
    return k;
}

std::string lue(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TOmaList kortit(const Luettelo& l) {
    TOmaList lista;
    Arpa r(l.siemen);
    const int vali = l.kansia > 0 ? std::max(1, l.kortteja / l.kansia) : 0;
    int kansia = 0;
    for (int i = 0; i < l.kortteja; ++i) {
        TKortti& k = lista.lisaa_uusi();
        if (l.vaihteleva) vaihteleva_kortti(k, r, i);
        else toistuva_kortti(k, i);
        if (vali > 0 && i % vali == 0 && kansia < l.kansia)
            k.cover_fn = "gfx\\kannet\\" + kannen_varsi(kansia++) + ".jpg";
    }
    return lista;
}

Kansikuvat::Kansikuvat(std::size_t koko, unsigned siemen) {
    Arpa r(siemen);
    const fs::path tilapainen = fs::temp_directory_path() / ("kansikuva_" + std::to_string(siemen) + "_" +
                                                            std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".jpg");
    for (int i = 0; i < 12; ++i) {
        // The noise that gives the size asked, found by halving the interval.
        double ala = 0, yla = 80;
        std::string paras;
        for (int kierros = 0; kierros < 9; ++kierros) {
            const double kohina = (ala + yla) / 2;
            Arpa kuvan_arpa(siemen * 131 + static_cast<unsigned>(i));
            if (!kirjoita_jpeg(jarjestelman_tiedostot(), tilapainen, piirra(kuvan_arpa, kohina), 85)) throw std::runtime_error("JPEG");
            paras = lue(tilapainen);
            (paras.size() < koko ? ala : yla) = kohina;
        }
        pohjat_.push_back(std::move(paras));
    }
    fs::remove(tilapainen);
}

std::string Kansikuvat::kansi(int numero) const {
    const std::string& pohja = pohjat_[static_cast<std::size_t>(numero) % pohjat_.size()];
    // A COM segment right after the start marker: every decoder skips it.
    const std::string teksti = "kansi " + std::to_string(numero);
    std::string s = pohja.substr(0, 2);
    s += '\xff';
    s += '\xfe';
    const std::size_t pituus = teksti.size() + 2;
    s += static_cast<char>(pituus >> 8);
    s += static_cast<char>(pituus & 0xff);
    s += teksti;
    s.append(pohja, 2);
    return s;
}

TOmaList kirjoita_luettelo(const fs::path& tiedosto, const Luettelo& l, const fs::path& tyokansio) {
    TOmaList lista = kortit(l);
    fs::remove_all(tyokansio);
    fs::create_directories(tyokansio / "gfx" / "kannet");
    std::vector<std::string> nimet{"avattu.$$$"};
    {
        std::string runko;
        kirjoita_runko(lista, runko);
        std::ofstream(tyokansio / "avattu.$$$", std::ios::binary) << runko;
    }
    const Kansikuvat kuvat(l.kannen_koko, l.siemen);
    int numero = 0;
    for (int i = 1; i < lista.Count(); ++i) {
        const std::string& kansi = lista[i].cover_fn;
        if (kansi.empty()) continue;
        std::ofstream(tiedostopolku(jarjestelman_tiedostot(), kansi, tyokansio), std::ios::binary) << kuvat.kansi(numero++);
        nimet.push_back(kansi);
    }
    fs::remove(tiedosto);
    TZLBArchive zip(jarjestelman_tiedostot());
    Tulos t = zip.Create(tiedosto);
    if (t) t = zip.AddFiles(nimet, tyokansio);
    zip.Close();
    fs::remove_all(tyokansio);
    if (!t) throw std::runtime_error(t.viesti);
    return lista;
}

}  // namespace aineisto
