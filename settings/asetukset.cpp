#include "settings/asetukset.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <variant>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/teksti.h"
#include "settings/ini.h"
#include "perus/ohjelmakansio.h"
#include "perus/versio.h"

namespace fs = std::filesystem;

namespace {

template <class T>
using Jasen = T TAsetukset::*;

struct Avain {
    const char* osio;
    const char* nimi;
    std::variant<Jasen<bool>, Jasen<int>, Jasen<Vari>, Jasen<std::string>> kentta;
};

// Every key of the file, in the order a new file lists them.
const Avain avaimet[] = {
    {"Info", "versionumero", &TAsetukset::versionumero},
    {"Näkymä", "kesto", &TAsetukset::minuutteina},
    {"Näkymä", "himmennys", &TAsetukset::himmenna_taustakuva},
    {"Näkymä", "form_skin_dir", &TAsetukset::skin_dir},
    {"Näkymä", "button_skin_dir", &TAsetukset::button_dir},
    {"Näkymä", "naytä_arvosana", &TAsetukset::nayta_arvosana},
    {"Näkymä", "fade_buttons", &TAsetukset::Fade_buttons},
    {"Näkymä", "smoothen_cover", &TAsetukset::smoothen_cover},
    {"Näkymä", "force_kentan_vari", &TAsetukset::force_kentan_vari},
    {"Näkymä", "force_vari", &TAsetukset::force_vari},
    {"Tallennus", "sortattuna", &TAsetukset::tallenna_sortattuna},
    {"Tallennus", "Avaa_kannet_heti", &TAsetukset::avaa_kannet_heti},
    {"Tyhjan kortti", "vari", &TAsetukset::Vari_Kentta_oletus},
    {"Tyhjan kortti", "kuvasuhde", &TAsetukset::kuvasuhde_kentta_oletus},
    {"Tyhjan kortti", "aani", &TAsetukset::aani_kentta_oletus},
    {"Tyhjan kortti", "formaatti", &TAsetukset::Nopeus_kentta_oletus},
    {"Tyhjan kortti", "maa", &TAsetukset::maa_kentta_oletus},
    {"Tulostus", "tarroja", &TAsetukset::Tarroja},
    {"Tulostus", "16bit", &TAsetukset::print_16bit},
    {"Tulostus", "def_kas_num_color", &TAsetukset::def_kas_num_color},
    {"Tulostus", "DPI_X", &TAsetukset::DPI_X},
    {"Tulostus", "DPI_Y", &TAsetukset::DPI_Y},
    {"Tulostus", "alternative", &TAsetukset::alternative_printing},
    {"Tulostus", "starra_fn", &TAsetukset::starra_fn},
    {"Tulostus", "ptarra_fn", &TAsetukset::ptarra_fn},
    {"Tulostus", "ptarra_lisaa_nopeus", &TAsetukset::ptarra_lisaa_nopeus},
    {"Tulostus", "ptarra_remove_eng", &TAsetukset::ptarra_remove_eng},
    {"Tulostus", "ptarra_keskita", &TAsetukset::ptarra_keskita},
    {"DVD", "muuta_aani", &TAsetukset::jos_dvd_muuta_aani},
    {"DVD", "muuta_aani_muotoon", &TAsetukset::aani_kentta_jos_dvd},
    {"DVD", "muuta_kuva", &TAsetukset::jos_dvd_muuta_kuva},
    {"DVD", "muuta_kuva_muotoon", &TAsetukset::kuva_kentta_jos_dvd},
    {"DVD", "nimea_kasik", &TAsetukset::jos_dvd_nimea_kasik},
    {"Custom kentät", "custom1", &TAsetukset::custom1_default},
    {"Custom kentät", "custom2", &TAsetukset::custom2_default},
    {"Custom kentät", "custom3", &TAsetukset::custom3_default},
    {"Custom kentät", "custom4", &TAsetukset::custom4_default},
    {"Email", "smtp_palvelin", &TAsetukset::smtp_palvelin},
    {"Email", "email_addr", &TAsetukset::email_addr},
    {"Email", "email_nimi", &TAsetukset::email_nimi},
    {"Email", "email_username", &TAsetukset::email_username},
    {"Email", "email_logon", &TAsetukset::email_logon},
    {"Email", "email_password", &TAsetukset::email_password},
    {"Email", "palaute_addr", &TAsetukset::palaute_addr},
    {"Sekalaista", "notify_enabled", &TAsetukset::notify_enabled},
    {"Sekalaista", "notify_dates", &TAsetukset::notify_dates},
    {"Sekalaista", "default_open", &TAsetukset::default_open},
    {"Sekalaista", "nakyma_mode", &TAsetukset::nakyma_mode},
    {"Sekalaista", "warn_imdb", &TAsetukset::warn_imdb},
    {"Sekalaista", "kysy_pituus", &TAsetukset::kysy_pituus},
    {"Sekalaista", "ala_kysy_jos", &TAsetukset::ala_kysy_jos},
    {"Sekalaista", "ala_kysy_jos_sisaltaa", &TAsetukset::ala_kysy_jos_sisaltaa},
    {"Internet", "proxy_enabled", &TAsetukset::proxy_enabled},
    {"Internet", "proxy_addr", &TAsetukset::proxy_addr},
    {"Internet", "proxy_port", &TAsetukset::proxy_port},
    {"Internet", "proxy_username", &TAsetukset::proxy_username},
    {"Internet", "proxy_password", &TAsetukset::proxy_password},
    {"IMDB", "dl_cover_default", &TAsetukset::dl_cover_default},
    {"IMDB", "wikimedia_yhteystieto", &TAsetukset::wikimedia_yhteystieto},
    {"IMDB", "tietolahde", &TAsetukset::tietolahde},
};

constexpr int dpi_pienin = 50;
constexpr int dpi_suurin = 9999;

void lue_avain(TAsetukset& a, const TAsetukset& oletus, const IniTiedosto& ini, const Avain& k) {
    const std::optional<std::string> arvo = ini.lue(k.osio, k.nimi);
    const std::optional<int> luku = arvo ? ini_kokonaisluku(*arvo) : std::nullopt;
    std::visit(
        [&](auto jasen) {
            using T = std::remove_reference_t<decltype(a.*jasen)>;
            if constexpr (std::is_same_v<T, std::string>) {
                a.*jasen = arvo ? *arvo : oletus.*jasen;
            } else if constexpr (std::is_same_v<T, bool>) {
                a.*jasen = luku ? *luku != 0 : oletus.*jasen;
            } else if constexpr (std::is_same_v<T, Vari>) {
                a.*jasen = luku && *luku >= 0 && *luku <= 0xFFFFFF ? static_cast<Vari>(*luku) : oletus.*jasen;
            } else {
                a.*jasen = luku ? *luku : oletus.*jasen;
            }
        },
        k.kentta);
}

std::string kirjoitettava(const TAsetukset& a, const Avain& k) {
    return std::visit(
        [&](auto jasen) -> std::string {
            using T = std::remove_cvref_t<decltype(a.*jasen)>;
            if constexpr (std::is_same_v<T, std::string>) return a.*jasen;
            else if constexpr (std::is_same_v<T, bool>) return a.*jasen ? "1" : "0";
            else return std::to_string(a.*jasen);
        },
        k.kentta);
}

int dpi_rajoissa(int dpi) { return dpi == 0 ? 0 : std::clamp(dpi, dpi_pienin, dpi_suurin); }

// The rules that follow reading the keys.
void johda(TAsetukset& a, const Asetusymparisto& y) {
    a.DPI_X = dpi_rajoissa(a.DPI_X);
    a.DPI_Y = dpi_rajoissa(a.DPI_Y);
    if (a.DPI_X == 0 || a.DPI_Y == 0) {
        const std::optional<Tarkkuus> t = y.tulostimen_tarkkuus ? y.tulostimen_tarkkuus() : std::nullopt;
        if (t && t->x > 0 && t->y > 0) {
            a.DPI_X = dpi_rajoissa(t->x);
            a.DPI_Y = dpi_rajoissa(t->y);
        }
    }
    if (a.Tarroja < 5) a.Tarroja = 14;
    a.Tarroja = std::min(a.Tarroja, 15);
    a.jos_dvd_nimea_kasik = false;
    // The loan check counts with this number; a hand-edited file must not break it.
    if (!on_kokonaisluku(a.notify_dates)) a.notify_dates = TAsetukset{}.notify_dates;
}

}  // namespace

void lue_asetusarvot(TAsetukset& a, const IniTiedosto& ini, const Asetusymparisto& y);

namespace {

Lataustulos lue(TAsetukset& a, const Asetusymparisto& y, const IniTiedosto& ini) {
    lue_asetusarvot(a, ini, y);
    if (lataa_ulkoasu(a, y) == Lataustulos::Lopeta) return Lataustulos::Lopeta;
    Kirjoita_ini(a, y);
    kirjoita_debug("procedure lue_ini lopetettu");
    return Lataustulos::Valmis;
}

}  // namespace

void lue_asetusarvot(TAsetukset& a, const IniTiedosto& ini, const Asetusymparisto& y) {
    const TAsetukset oletus;
    for (const Avain& k : avaimet) lue_avain(a, oletus, ini, k);
    kirjoita_debug("Ini tiedosto luettu");
    johda(a, y);
}

int TAsetukset::notify_paivat() const { return on_kokonaisluku(notify_dates) ? std::stoi(notify_dates) : 30; }

const std::string& TAsetukset::custom_default(int i) const {
    switch (i) {
        case 0: return custom1_default;
        case 1: return custom2_default;
        case 2: return custom3_default;
        default: return custom4_default;
    }
}

fs::path asetustiedosto(const Ohjelmakansio& kansio) { return kansio.polku("asetukset.ini"); }

void siivoa_vanhat_asetuskopiot(Tiedostojarjestelma& t, const Ohjelmakansio& kansio) {
    const fs::path tiedosto = asetustiedosto(kansio);
    const std::string alku = tiedosto.filename().string() + ".";
    std::vector<Kansiorivi> rivit;
    t.listaa(tiedosto.parent_path(), rivit);
    for (const Kansiorivi& e : rivit) {
        const std::string& nimi = e.nimi;
        // Earlier versions wrote the file through a copy named by mkstemp: six letters or digits at the end.
        if (nimi.size() != alku.size() + 6 || nimi.compare(0, alku.size(), alku) != 0 ||
            !std::all_of(nimi.begin() + static_cast<std::ptrdiff_t>(alku.size()), nimi.end(),
                         [](unsigned char c) { return std::isalnum(c) != 0; }))
            continue;
        if (e.tavallinen) t.poista(tiedosto.parent_path() / nimi);
    }
}

Lataustulos lue_ini(TAsetukset& a, const Asetusymparisto& y) {
    kirjoita_debug("Procedure lue_ini executed - Luemme .INI tiedoston");
    IniTiedosto ini;
    if (!ini.lataa(y.tiedostot, asetustiedosto(y.kansio)))
        kirjoita_debug_aina("Asetustiedostoa ei voitu lukea: " + polku_tekstiksi(asetustiedosto(y.kansio)));
    return lue(a, y, ini);
}

bool Kirjoita_ini(const TAsetukset& a, const Asetusymparisto& y) {
    kirjoita_debug("Procedure Kirjoita_ini - executed");
    const fs::path tiedosto = asetustiedosto(y.kansio);
    Tiedostotiedot tt;
    if (y.tiedostot.tiedot(tiedosto, tt) && tt.tavallinen && kirjoitussuojattu(y.tiedostot, tiedosto, tt)) {
        // Replacing it through the folder would work, but the user asked for the file to stay as it is.
        kirjoita_debug_aina("Asetustiedosto on kirjoitussuojattu, ei kirjoiteta: " + polku_tekstiksi(tiedosto));
        if (!y.kirjoitussuojaus_kerrottu)
            y.viestit.tieto("Asetustiedosto " + polku_tekstiksi(tiedosto) +
                            " on kirjoitussuojattu.\nTämän ajon aikana muutettuja asetuksia ei tallenneta.");
        y.kirjoitussuojaus_kerrottu = true;
        return false;
    }
    IniTiedosto ini;
    // A file we cannot read is not replaced: its lines would be lost.
    Tulos tulos = Tulos::virhe(EIO, {});
    if (ini.lataa(y.tiedostot, tiedosto)) {
        TAsetukset kirjoitettavat = a;
        kirjoitettavat.versionumero = ohjelman_versio;
        for (const Avain& k : avaimet) ini.kirjoita(k.osio, k.nimi, kirjoitettava(kirjoitettavat, k));
        // The file holds the mail password: for the user's eyes only.
        tulos = ini.tallenna(y.tiedostot, tiedosto, {.sallitut = 0600});
    }
    if (!tulos) {
        const std::string viesti = "Unable to write to " + polku_tekstiksi(tiedosto) +
                                   (tulos.viesti.empty() ? std::string() : "\n\n" + tulos.viesti);
        kirjoita_debug_aina(viesti);
        y.viestit.virhe(viesti);
        return false;
    }
    kirjoita_debug("Procedure kirjoita_ini valmis!");
    return true;
}

void nollaa_asetukset(TAsetukset& a, const Asetusymparisto& y) {
    kirjoita_debug("Resetoimme asetukset!");
    y.tiedostot.poista(asetustiedosto(y.kansio));
    // Read from an empty file rather than the disk: a file that could not be removed must not bring its
    // values back (an empty skin name there would reset again and again).
    kirjoita_debug("Procedure lue_ini executed - Luemme .INI tiedoston");
    lue(a, y, IniTiedosto{});
    Kirjoita_ini(a, y);
}

bool on_kokonaisluku(std::string_view teksti) {
    return !teksti.empty() && teksti.size() <= 9 &&
           std::all_of(teksti.begin(), teksti.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool tarkista_notify_dates(std::string& teksti, diag::Viestit& viestit) {
    if (on_kokonaisluku(teksti)) return true;
    teksti = "30";
    viestit.virhe("Virheellinen luku, syötä numero!");
    return false;
}

bool tarkista_default_open(std::string& teksti, const Ohjelmakansio& kansio, diag::Viestit& viestit) {
    // The default itself needs no check: telling that it is put back would only repeat it.
    if (pienet_cp1252(teksti) == "default.rkb") return true;
    if (!teksti.empty() && on_tavallinen(kansio.tiedostot(), kansio.polku(teksti))) return true;
    const std::string viesti = "Tiedostoa " + teksti + " ei löydy, asetamme arvoksi default.rkb!";
    teksti = "default.rkb";
    viestit.virhe(viesti);
    return false;
}

bool tarkista_yhteystieto(std::string& teksti, diag::Viestit& viestit) {
    std::string kelvollinen;
    for (char c : teksti)
        if (kelpaa_yhteystietoon(c)) kelvollinen += c;
    std::string viesti;
    if (kelvollinen.size() != teksti.size())
        viesti = "Yhteystiedossa saa olla vain kirjaimia a–z ilman ääkkösiä, numeroita, välilyöntejä ja välimerkkejä, "
                 "ei sulkeita eikä ohjausmerkkejä. Muut merkit poistettiin.";
    if (kelvollinen.size() > yhteystiedon_enimmaispituus) {
        if (!viesti.empty()) viesti += "\n\n";
        viesti += "Yhteystieto on liian pitkä (" + std::to_string(kelvollinen.size()) + " merkkiä); siinä saa olla enintään " +
                  std::to_string(yhteystiedon_enimmaispituus) + " merkkiä. Loppu jätettiin pois.";
        kelvollinen.resize(yhteystiedon_enimmaispituus);
    }
    if (viesti.empty()) return true;
    teksti = std::move(kelvollinen);
    viestit.virhe(viesti);
    return false;
}
