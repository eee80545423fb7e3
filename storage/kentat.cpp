#include "storage/kentat.h"

#include <map>

// One entry a field; each line of an entry serves one use: the body and the card view, sorting, searching,
// the reference lookup and folding duplicates, the HTML list.
const std::array<Kenttatieto, kenttien_maara> kentat = {{
    {.nimi = "nimi", .jasen = &TKortti::nimi, .runkorivi = 1, .ohjain = "nimi_kentta", .otsikko = "Nimi",
     .lajitteluavain = 0, .lajitteluotsikko = " Elokuvan nimi",
     .hakuentry = 0, .hakuotsikko = "Elokuvan nimi",
     .viite = Viitekaytto::Korvaa, .liitos = Liitoskaytto::Pidempi, .viiva_tyhjaksi = true,
     .vientisarake = 1, .vientiotsikko = "Nimi"},
    {.nimi = "luokitus", .jasen = &TKortti::luokitus, .runkorivi = 2, .ohjain = "luokitus_kentta",
     .otsikko = "Luokitus",
     .lajitteluavain = 2, .lajitteluotsikko = " Luokitus",
     .hakuentry = 2, .hakuotsikko = "Luokitus",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi, .viiva_tyhjaksi = true,
     .vientisarake = 4, .vientiotsikko = "Luokitus", .vientivalinta = "luokitus"},
    {.nimi = "maa", .jasen = &TKortti::maa, .runkorivi = 3, .ohjain = "maa_kentta", .otsikko = "Maa",
     .lajitteluavain = 6, .lajitteluotsikko = " Valimistusmaa",
     .hakuentry = 9, .hakuotsikko = "Valmistusmaa",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi, .viiva_tyhjaksi = true},
    {.nimi = "kasetilla", .jasen = &TKortti::kasetilla, .runkorivi = 4, .ohjain = "kasetilla_kentta",
     .otsikko = "Kasetilla",
     .lajitteluavain = 1, .lajittelu = Lajittelu::Kasetti, .lajitteluotsikko = " Kasetilla/levyllä nro",
     .hakuentry = 6, .hakuotsikko = "Kasetin/levyn nro",
     .vientisarake = 0, .vientiotsikko = "Nro", .vientivalinta = "nro"},
    {.nimi = "aani", .jasen = &TKortti::aani, .runkorivi = 5, .ohjain = "aani_kentta", .otsikko = "Aani",
     .lajitteluavain = 13, .lajitteluotsikko = " Ääniraita",
     .hakuentry = 5, .hakuotsikko = "Ääniraita",
     .viite = Viitekaytto::Tayttaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi,
     .vientisarake = 7, .vientiotsikko = "Ääniraita", .vientivalinta = "aaniraita"},
    {.nimi = "paanayttelijat", .jasen = &TKortti::paanayttelijat, .runkorivi = 6, .ohjain = "paanayttelijat_kentta",
     .otsikko = "Paanayttelijat",
     .lajitteluavain = 4, .lajitteluotsikko = " Pääosissa",
     .hakuentry = 1, .hakuotsikko = "Päänäyttelijä",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi,
     .vientisarake = 2, .vientiotsikko = "Pääosissa", .vientivalinta = "paaos"},
    {.nimi = "ohjaaja", .jasen = &TKortti::ohjaaja, .runkorivi = 7, .ohjain = "Ohjaaja_Kentta", .otsikko = "Ohjaaja",
     .lajitteluavain = 5, .lajitteluotsikko = " Ohjaaja",
     .hakuentry = 11, .hakuotsikko = "Ohjaaja",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi},
    // The search window has always called the plot the comment.
    {.nimi = "juoni", .jasen = &TKortti::juoni, .runkorivi = 8, .ohjain = "Kommentti_Kentta", .otsikko = "Juoni",
     .hakuentry = 13, .hakuotsikko = "Kommentti",
     .viite = Viitekaytto::Tayttaa, .liitos = Liitoskaytto::Pidempi},
    {.nimi = "kuvasuhde", .jasen = &TKortti::kuvasuhde, .runkorivi = 9, .ohjain = "kuvasuhde_kentta",
     .otsikko = "kuvasuhde"},
    {.nimi = "sijainti", .jasen = &TKortti::sijainti, .runkorivi = 10, .ohjain = "sijainti_kentta",
     .otsikko = "Kasetilla",
     .lajitteluavain = 7, .lajittelu = Lajittelu::Luku, .lajitteluotsikko = " Sijainti kasetilla",
     .hakuentry = 7, .hakuotsikko = "Sijainti"},
    {.nimi = "lainassa", .jasen = &TKortti::lainassa, .runkorivi = 11, .ohjain = "lainassa_kentta",
     .otsikko = "Lainassa",
     .lajitteluavain = 8, .lajitteluotsikko = " Lainassa"},
    {.nimi = "formaatti", .jasen = &TKortti::formaatti, .runkorivi = 12, .ohjain = "formaatti_kentta",
     .otsikko = "Formaatti",
     .lajitteluavain = 9, .lajitteluotsikko = " Formaatti",
     .hakuentry = 3, .hakuotsikko = "Formaatti",
     .viite = Viitekaytto::Tayttaa,
     .vientisarake = 6, .vientiotsikko = "Form.", .vientivalinta = "formaatti"},
    // The reference lookup counts a duration in minutes, however it is written.
    {.nimi = "kesto", .jasen = &TKortti::kesto, .runkorivi = 13, .ohjain = "kesto_kentta", .otsikko = "Kesto",
     .lajitteluavain = 3, .lajittelu = Lajittelu::Kesto, .lajitteluotsikko = " Kesto",
     .hakuentry = 4, .hakuotsikko = "Kesto",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi, .viiva_tyhjaksi = true,
     .vientisarake = 5, .vientiotsikko = "Kesto", .vientivalinta = "kesto"},
    {.nimi = "vuosi", .jasen = &TKortti::vuosi, .runkorivi = 14, .ohjain = "Vuosi_Kentta", .otsikko = "Vuosi",
     .lajitteluavain = 10, .lajittelu = Lajittelu::Luku, .lajitteluotsikko = " Tuotantovuosi",
     .hakuentry = 10, .hakuotsikko = "Valmistusvuosi",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true, .liitos = Liitoskaytto::Pidempi, .viiva_tyhjaksi = true,
     .vientisarake = 3, .vientiotsikko = "Vuosi", .vientivalinta = "vuosi"},
    {.nimi = "vari", .jasen = &TKortti::vari, .runkorivi = 15, .ohjain = "vari_kentta", .otsikko = "Varit",
     .lajitteluavain = 11, .lajitteluotsikko = " Värit",
     .hakuentry = 8, .hakuotsikko = "Värit",
     .viite = Viitekaytto::Korvaa, .viitteen_maara = true},
    {.nimi = "arvosana", .jasen = &TKortti::arvosana, .runkorivi = 16, .otsikko = "arvosana_kuva",
     .lajitteluavain = 14, .lajittelu = Lajittelu::Luku, .lajitteluotsikko = " Arvosana",
     .vientisarake = 8, .vientiotsikko = "Arvosana", .vientivalinta = "arvosana"},
    // The first additional field: the screenplay until the user renames it.
    {.nimi = "lisatieto1", .sarja = &TKortti::lisatieto, .indeksi = 0, .runkorivi = 17,
     .ohjain = "Kasikirjoitus_kentta", .otsikko = "Kasikirjoitus",
     .lajitteluavain = 12, .lajitteluotsikko = " Käsikirjoitus/custom",
     .hakuentry = 12, .hakuotsikko = "Käsikirjoitus",
     .viite = Viitekaytto::TayttaaNimineen, .liitos = Liitoskaytto::TayttaaNimineen},
    {.nimi = "imdb_koodi", .jasen = &TKortti::imdb_koodi, .runkorivi = 36},
    {.nimi = "nauha", .jasen = &TKortti::nauha, .runkorivi = 37},
    {.nimi = "kommentti", .jasen = &TKortti::kommentti, .runkorivi = 38, .ohjain = "Kommentti_Kentta",
     .otsikko = "Kommentit"},
    {.nimi = "extra_info", .jasen = &TKortti::extra_info, .runkorivi = 48, .ohjain = "Extra_info",
     .otsikko = "dvdinfo_label"},
}};

void aseta_kasikirjoitus(TKortti& k, std::string_view arvo) {
    k.lisatieto[0] = arvo;
    k.lisatieto_nimi[0] = lisatiedon_oletusnimi;
}

namespace {

std::array<Runkorivi, runkorivien_maara> tee_runkorivit() {
    std::array<Runkorivi, runkorivien_maara> r{};
    // Lines 17..34: each additional value followed by its name.
    for (std::uint8_t p = 0; p < 9; ++p) {
        r[16u + 2u * p] = {Rivilaji::Teksti, nullptr, &TKortti::lisatieto, p};
        r[17u + 2u * p] = {Rivilaji::Teksti, nullptr, &TKortti::lisatieto_nimi, p};
    }
    for (const Kenttatieto& k : kentat) {
        Runkorivi& rivi = r[static_cast<std::size_t>(k.runkorivi - 1)];
        rivi = {Rivilaji::Teksti, k.jasen, k.sarja, k.indeksi};
        rivi.yksi_rivi = k.jasen == &TKortti::juoni;
    }
    r[17].oletus = lisatiedon_oletusnimi;
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
