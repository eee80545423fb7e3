#include "storage/kentat.h"

#include <map>

const std::array<Kenttatieto, 20> kentat = {{
    {"nimi", &TKortti::nimi, 1, "nimi_kentta", "Nimi", 0},
    {"luokitus", &TKortti::luokitus, 2, "luokitus_kentta", "Luokitus", 2},
    {"maa", &TKortti::maa, 3, "maa_kentta", "Maa", 6},
    {"kasetilla", &TKortti::kasetilla, 4, "kasetilla_kentta", "Kasetilla", 1, Lajittelu::Kasetti},
    {"aani", &TKortti::aani, 5, "aani_kentta", "Aani", 13},
    {"paanayttelijat", &TKortti::paanayttelijat, 6, "paanayttelijat_kentta", "Paanayttelijat", 4},
    {"ohjaaja", &TKortti::ohjaaja, 7, "Ohjaaja_Kentta", "Ohjaaja", 5},
    {"juoni", &TKortti::juoni, 8, "Kommentti_Kentta", "Juoni", -1},
    {"kuvasuhde", &TKortti::kuvasuhde, 9, "kuvasuhde_kentta", "kuvasuhde", -1},
    {"sijainti", &TKortti::sijainti, 10, "sijainti_kentta", "Kasetilla", 7, Lajittelu::Luku},
    {"lainassa", &TKortti::lainassa, 11, "lainassa_kentta", "Lainassa", 8},
    {"formaatti", &TKortti::formaatti, 12, "formaatti_kentta", "Formaatti", 9},
    {"kesto", &TKortti::kesto, 13, "kesto_kentta", "Kesto", 3, Lajittelu::Kesto},
    {"vuosi", &TKortti::vuosi, 14, "Vuosi_Kentta", "Vuosi", 10, Lajittelu::Luku},
    {"vari", &TKortti::vari, 15, "vari_kentta", "Varit", 11},
    {"arvosana", &TKortti::arvosana, 16, nullptr, "arvosana_kuva", 14, Lajittelu::Luku},
    {"imdb_koodi", &TKortti::imdb_koodi, 36, nullptr, nullptr, -1},
    {"nauha", &TKortti::nauha, 37, nullptr, nullptr, -1},
    {"kommentti", &TKortti::kommentti, 38, "Kommentti_Kentta", "Kommentit", -1},
    {"extra_info", &TKortti::extra_info, 48, "Extra_info", "dvdinfo_label", -1},
}};

namespace {

std::array<Runkorivi, runkorivien_maara> tee_runkorivit() {
    std::array<Runkorivi, runkorivien_maara> r{};
    const auto teksti = [](const Kenttatieto& k) {
        Runkorivi rivi{Rivilaji::Teksti, k.jasen};
        rivi.yksi_rivi = k.jasen == &TKortti::juoni;
        return rivi;
    };
    for (const Kenttatieto& k : kentat) r[static_cast<std::size_t>(k.runkorivi - 1)] = teksti(k);
    // Lines 17..34: each additional value followed by its name.
    for (std::uint8_t p = 0; p < 9; ++p) {
        r[16u + 2u * p] = {Rivilaji::Teksti, nullptr, &TKortti::lisatieto, p};
        r[17u + 2u * p] = {Rivilaji::Teksti, nullptr, &TKortti::lisatieto_nimi, p};
    }
    r[17].oletus = "Käsikirjoitus:";
    r[34] = {Rivilaji::Kansi, &TKortti::cover_fn};
    for (std::uint8_t e = 1; e <= 9; ++e) r[37u + e] = {Rivilaji::Extra, nullptr, nullptr, e};
    r[48] = {Rivilaji::Nakyma};
    r[49] = {Rivilaji::HaeKansi};
    r[50] = {Rivilaji::Kansiosoite, &TKortti::cover_url};
    r[51] = {Rivilaji::Toisto, &TKortti::cover_fn};
    r[52] = {Rivilaji::Toisto, &TKortti::imdb_koodi};
    r[53] = {Rivilaji::Toisto, &TKortti::nauha};
    return r;
}

}  // namespace

const std::array<Runkorivi, runkorivien_maara> runkorivit = tee_runkorivit();

const Kenttatieto* kentta_rivilta(int runkorivi) {
    // Lines 1..16 are the first sixteen entries; the rest are few enough to look through.
    if (runkorivi >= 1 && runkorivi <= 16) return &kentat[static_cast<std::size_t>(runkorivi - 1)];
    for (const Kenttatieto& k : kentat)
        if (k.runkorivi == runkorivi) return &k;
    return nullptr;
}

const Kenttatieto* kentta_ohjaimesta(std::string_view ohjain) {
    for (const Kenttatieto& k : kentat)
        if (k.ohjain && ohjain == k.ohjain) return &k;
    return nullptr;
}

const char* kentan_otsikko_teksti(std::string_view otsikko) {
    static const std::map<std::string_view, const char*> otsikot = {
        {"Nimi", "Elokuvan Nimi:"}, {"Paanayttelijat", "Pääosissa:"}, {"Maa", "Valmistusmaa:"},
        {"Vuosi", "Tuotantov. :"},  {"Formaatti", "Formaatti:"},      {"Luokitus", "Luokitus:"},
        {"Kesto", "Kesto:"},        {"Kasetilla", "Kasetilla/ levyllä nro:"}, {"Aani", "Ääniraita:"},
        {"Varit", "Värit:"},        {"kuvasuhde", "Kuvasuhde:"},      {"Ohjaaja", "Ohjaaja:"},
        {"Kasikirjoitus", "Käsikirjoitus:"}, {"Juoni", "Juoni:"},      {"Kommentit", "Kommentit:"},
        {"Extrat", "Extrat:"},      {"Lainassa", "Lainassa:"},        {"dvdinfo_label", "Lisätietoa:"}};
    const auto i = otsikot.find(otsikko);
    return i == otsikot.end() ? "" : i->second;
}

const std::vector<const char*>& kentan_valinnat(std::string_view ohjain) {
    static const std::map<std::string_view, std::vector<const char*>> valinnat = {
        {"maa_kentta", {"Usa", "Englanti", "Suomi", "Ruotsi", "Hong-Kong", "Japani", "Meksiko", "Ranska", "Kanada"}},
        {"formaatti_kentta", {"SP", "LP", "EP", "DVD", "DVD R1", "DVD R2", "VCD", "DivX", "Laserdisc"}},
        {"luokitus_kentta",
         {"Draama", "Dokumentti", "Erotiikka", "Jännitys", "Kauhu", "Komedia", "Lännenelokuva", "Piirretty",
          "Romanttinen komedia", "Scifi", "Seikkailu", "Toiminta", "Toimintakomedia", "Toiminta-Trilleri", "Trilleri"}},
        {"sijainti_kentta", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"aani_kentta", {"Hifi Stereo", "Dolby Surround", "Dolby Digital 5.1", "DTS", "Ei Hifiraitaa (Mono)"}},
        {"vari_kentta", {"Kyllä", "Ei"}},
        {"kuvasuhde_kentta",
         {"1.33:1 [4:3]", "1.66:1", "1.85:1 [16:9]", "1.85:1 [16:9] Letterbox", "1.85:1 [16:9] Anamorph.",
          "2.35:1 Anamorphinen", "2.35:1 Letterbox", "Super-35"}}};
    static const std::vector<const char*> ei_valintoja;
    const auto i = valinnat.find(ohjain);
    return i == valinnat.end() ? ei_valintoja : i->second;
}
