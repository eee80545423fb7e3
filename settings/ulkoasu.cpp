// The skin loader and the lists of installed skins and catalogues.
#include <algorithm>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/teksti.h"
#include "settings/asetukset.h"
#include "settings/ini.h"
#include "perus/ohjelmakansio.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* perus = "perus";

// Skin folders and the pictures they name come from files a user may edit: only plain names inside gfx\.
bool pelkka_nimi(const std::string& nimi) {
    return !nimi.empty() && nimi != "." && nimi != ".." && nimi.find_first_of("\\/") == std::string::npos;
}

bool on_tiedosto(Tiedostojarjestelma& t, const fs::path& p) { return !p.empty() && on_tavallinen(t, p); }

// A file of a skin folder; empty when either name is not a plain name.
fs::path ulkoasun_tiedosto(const Ohjelmakansio& kansio, const std::string& ulkoasu, const std::string& nimi) {
    if (!pelkka_nimi(ulkoasu) || !pelkka_nimi(nimi)) return {};
    return kansio.polku("gfx\\" + ulkoasu + "\\" + nimi);
}

Vari lue_vari(const IniTiedosto& ini, const char* osio, const char* avain, Vari oletus) {
    const std::optional<std::string> arvo = ini.lue(osio, avain);
    const std::optional<int> luku = arvo ? ini_kokonaisluku(*arvo) : std::nullopt;
    return luku && *luku >= 0 && *luku <= 0xFFFFFF ? static_cast<Vari>(*luku) : oletus;
}

int lue_maara(const IniTiedosto& ini, const char* osio, const char* avain, int oletus) {
    const std::optional<std::string> arvo = ini.lue(osio, avain);
    const std::optional<int> luku = arvo ? ini_kokonaisluku(*arvo) : std::nullopt;
    return luku ? std::clamp(*luku, 0, 255) : oletus;
}

IniTiedosto lue_kuvaus(Tiedostojarjestelma& t, const Ohjelmakansio& kansio, const std::string& ulkoasu) {
    IniTiedosto ini;
    ini.lataa(t, ulkoasun_tiedosto(kansio, ulkoasu, "ulkoasu.ini"));
    return ini;
}

struct Kuva {
    const char* osio;
    const char* avain;
    const char* oletus;
};

constexpr Kuva nappikuvat[nappeja] = {
    {"Pääikkuna", "Lista", "_Lista.bmp"},       {"Pääikkuna", "Etsi", "_etsi.bmp"},
    {"Pääikkuna", "Poista", "_poista.bmp"},     {"Pääikkuna", "Uusi", "_uusi.bmp"},
    {"Pääikkuna", "Järjestä", "_jarjesta.bmp"}, {"Pääikkuna", "Edellinen", "_Edellinen.bmp"},
    {"Pääikkuna", "Seuraava", "_Seuraava.bmp"},
};

constexpr Kuva ikonikuvat[ikoneita] = {
    {"Pääikkuna", "auto_icon", ""},  {"Pääikkuna", "kansi_icon", ""},        {"Pääikkuna", "kansi_available_icon", ""},
    {"Pääikkuna", "info_icon", ""},  {"Pääikkuna", "info_available_icon", ""}, {"Pääikkuna", "lista_icon", ""},
    {"Pääikkuna", "lista&info_icon", ""},
};

// Colours of the window skin and the pictures of both skins, as the two folders describe them.
Ulkoasu lue_ulkoasu(const TAsetukset& a, Tiedostojarjestelma& t, const Ohjelmakansio& kansio) {
    Ulkoasu u;
    const Ulkoasu oletus;
    const IniTiedosto ikkuna = lue_kuvaus(t, kansio, a.skin_dir);
    u.paaikkuna_normaali = lue_vari(ikkuna, "Tekstit", "Pääikkuna_Normaali", oletus.paaikkuna_normaali);
    u.paaikkuna_korostettu = lue_vari(ikkuna, "Tekstit", "Pääikkuna_Korostettu", oletus.paaikkuna_korostettu);
    u.paaikkuna_himmennetty = lue_vari(ikkuna, "Tekstit", "Pääikkuna_Himmennetty", oletus.paaikkuna_himmennetty);
    u.paaikkuna_alareuna = lue_vari(ikkuna, "Tekstit", "Pääikkuna_Alareuna", oletus.paaikkuna_alareuna);
    u.muut_ikkunat_normaali = lue_vari(ikkuna, "Tekstit", "Muut_Ikkunat_Normaali", oletus.muut_ikkunat_normaali);
    u.muut_ikkunat_korostettu =
        lue_vari(ikkuna, "Tekstit", "Muut_Ikkunat_Korostettu", oletus.muut_ikkunat_korostettu);
    u.kenttien_vari = lue_vari(ikkuna, "Kentät", "Kenttien_Vari", oletus.kenttien_vari);
    u.extrat = lue_vari(ikkuna, "Kentät", "Extrat", oletus.extrat);
    u.kenttien_reunat = lue_vari(ikkuna, "Kentät", "Kenttien_reunat", oletus.kenttien_reunat);
    u.kenttien_downarrow = lue_vari(ikkuna, "Kentät", "Kenttien_DownArrow", oletus.kenttien_downarrow);
    if (a.force_kentan_vari) u.kenttien_vari = a.force_vari;

    u.tausta1 = ulkoasun_tiedosto(kansio, a.skin_dir, "tausta1.bmp");
    u.tausta2 = ulkoasun_tiedosto(kansio, a.skin_dir, "tausta2.bmp");
    if (!on_tiedosto(t, u.tausta2)) u.tausta2 = ulkoasun_tiedosto(kansio, perus, "tausta2.bmp");

    const IniTiedosto napit = lue_kuvaus(t, kansio, a.button_dir);
    const auto kuva = [&](const Kuva& k) {
        return ulkoasun_tiedosto(kansio, a.button_dir, napit.lue(k.osio, k.avain).value_or(k.oletus));
    };
    for (int i = 0; i < nappeja; ++i) u.napit[i] = kuva(nappikuvat[i]);
    for (int i = 0; i < ikoneita; ++i) u.ikonit[i] = kuva(ikonikuvat[i]);
    u.icon_korostus = lue_maara(napit, "Pääikkuna", "icon_korostus", oletus.icon_korostus);
    u.jarjesta_jarjesta = kuva({"Järjestä", "Järjestä", "_jarjesta.bmp"});
    u.jarjesta_peruuta = kuva({"Järjestä", "Peruuta", "_peruuta.bmp"});
    u.etsi_etsi = kuva({"Etsi", "Etsi", "_etsi.bmp"});
    u.etsi_peruuta = kuva({"Etsi", "Peruuta", "_peruuta.bmp"});
    u.tahdet = ulkoasun_tiedosto(kansio, a.button_dir, "tahdet.bmp");
    u.tahdet2 = ulkoasun_tiedosto(kansio, a.button_dir, "tahdet2.bmp");
    u.korosta = lue_maara(napit, "Napit", "Korosta", oletus.korosta);
    return u;
}

// The 21 pictures a skin pair must have.
bool kuvat_olemassa(Tiedostojarjestelma& t, const Ulkoasu& u) {
    std::vector<const fs::path*> kuvat = {&u.tausta1,       &u.tahdet,        &u.tahdet2,  &u.jarjesta_jarjesta,
                                          &u.jarjesta_peruuta, &u.etsi_etsi, &u.etsi_peruuta};
    for (const fs::path& p : u.napit) kuvat.push_back(&p);
    for (const fs::path& p : u.ikonit) kuvat.push_back(&p);
    return std::all_of(kuvat.begin(), kuvat.end(), [&t](const fs::path* p) { return on_tiedosto(t, *p); });
}

void tarkista_kuvaus(std::string& ulkoasu, const char* laji, const Asetusymparisto& y) {
    if (on_tiedosto(y.tiedostot, ulkoasun_tiedosto(y.kansio, ulkoasu, "ulkoasu.ini"))) return;
    y.viestit.varoitus(std::string("Valitsemasi ") + laji + " ulkoasu [" + ulkoasu +
                       "] ei ole kelvollinen! Tiedosto ULKOASU.INI puuttuu!\n"
                       "palautetaan ulkoasu \"perus\"! (Käy asetuksissa, valitse toimiva ulkoasu ja tallenna muutokset)");
    ulkoasu = perus;
}

std::vector<std::string> lajiteltu(std::vector<std::string> nimet) {
    std::sort(nimet.begin(), nimet.end(),
              [](const std::string& x, const std::string& y) { return pienet_cp1252(x) < pienet_cp1252(y); });
    return nimet;
}

}  // namespace

Lataustulos lataa_ulkoasu(TAsetukset& a, const Asetusymparisto& y) {
    if (a.skin_dir.empty() || a.button_dir.empty()) {
        y.viestit.virhe(
            "Ohjelma yritti ladata grafiikkoja ennen asetuksia (bugi?!)\n"
            "nollataan ohjelman asetukset ja lopetetaan ohjelma");
        nollaa_asetukset(a, y);
        return Lataustulos::Lopeta;
    }
    tarkista_kuvaus(a.skin_dir, "ikkunoiden", y);
    tarkista_kuvaus(a.button_dir, "nappien", y);
    Ulkoasu u = lue_ulkoasu(a, y.tiedostot, y.kansio);
    if (!kuvat_olemassa(y.tiedostot, u)) {
        y.viestit.varoitus("Valitsemasi ulkoasu [" + a.skin_dir + "/" + a.button_dir +
                           "] ei ole kelvollinen (tiedostoja puuttuu!)\n"
                           "Käy asetuksissa, valitse ja tallenna toimiva ulkoasu! Ulkoasu saattaa näkyä väärin!");
        kirjoita_debug_aina("lataa_ulkoasu: kuvia puuttuu, palataan ulkoasuun perus");
        a.skin_dir = perus;
        a.button_dir = perus;
        // Colours and pictures then come from one skin; a broken "perus" is used as it is.
        u = lue_ulkoasu(a, y.tiedostot, y.kansio);
    }
    a.ulkoasu = std::move(u);
    if (y.ulkoasu_ladattu) y.ulkoasu_ladattu();
    return Lataustulos::Valmis;
}

Ulkoasulistat listaa_ulkoasut(const Ohjelmakansio& kansio) {
    Ulkoasulistat l;
    // An installed copy has its skins in the installed data and perhaps the user's own beside them.
    std::vector<std::string> nahdyt;
    for (const fs::path& gfx : kansio.kansiot("gfx")) {
        kirjoita_debug("asetukset_form (skinlist) hakemisto=" + polku_tekstiksi(gfx / "*"));
        std::vector<Kansiorivi> rivit;
        kansio.tiedostot().listaa(gfx, rivit);
        for (const Kansiorivi& r : rivit) {
            const std::string nimi = polku_tekstiksi(r.nimi);
            kirjoita_debug(nimi);
            // Hidden folders are not offered, as folders with any attribute beyond "directory" never were.
            if (nimi.empty() || nimi.front() == '.' || !r.kansio) continue;
            if (std::find(nahdyt.begin(), nahdyt.end(), pienet_cp1252(nimi)) != nahdyt.end()) continue;
            nahdyt.push_back(pienet_cp1252(nimi));
            if (on_tiedosto(kansio.tiedostot(), ulkoasun_tiedosto(kansio, nimi, "tausta1.bmp"))) l.ikkunat.push_back(pienet_cp1252(nimi));
            if (on_tiedosto(kansio.tiedostot(), ulkoasun_tiedosto(kansio, nimi, "tahdet.bmp"))) l.napit.push_back(nimi);
        }
    }
    l.ikkunat = lajiteltu(std::move(l.ikkunat));
    l.napit = lajiteltu(std::move(l.napit));
    return l;
}

std::vector<std::string> listaa_tietokannat(const Ohjelmakansio& kansio) {
    std::vector<std::string> nimet;
    std::vector<Kansiorivi> rivit;
    kansio.tiedostot().listaa(kansio.juuri(), rivit);
    for (const Kansiorivi& r : rivit) {
        const std::string nimi = polku_tekstiksi(r.nimi);
        if (nimi.size() < 4 || pienet_cp1252(nimi.substr(nimi.size() - 4)) != ".rkb" || !r.tavallinen) continue;
        kirjoita_debug_aina(nimi);
        nimet.push_back(nimi);
    }
    return lajiteltu(std::move(nimet));
}
