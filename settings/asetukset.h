#pragma once
// The program's settings: one plain structure, owned by the program for the whole run and passed by
// reference to every part that reads it. The settings dialog edits it; `lue_ini` and `Kirjoita_ini` move
// it between memory and `asetukset.ini` in the program folder. Member names are the names of the settings
// dialog's controls; texts are cp1252. Catalogue and template names are the program's own `\` names:
// map them to the file system through Ohjelmakansio::polku.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tiedostojarjestelma.h"
#include "settings/ulkoasu.h"

class Ohjelmakansio;
namespace diag { class Viestit; }

struct TAsetukset {
    std::string versionumero;  // the version that last wrote the file; read back, not used

    // "Näkymä"
    bool minuutteina = true;  // durations as "90 min"; false: as "1h 30min" (the `tunteina` button)
    bool himmenna_taustakuva = false;
    std::string skin_dir = "perus";    // window skin under gfx\ (colours, backgrounds)
    std::string button_dir = "perus";  // button skin under gfx\ (buttons, icons, stars)
    bool nayta_arvosana = true;
    bool Fade_buttons = true;
    bool smoothen_cover = true;
    bool force_kentan_vari = false;
    Vari force_vari = 0xFFFFFF;

    // "Tallennus"
    bool tallenna_sortattuna = true;
    bool avaa_kannet_heti = true;  // false: load covers only when needed (`avaa_kannet_tarvittaessa`)

    // "Tyhjan kortti": the values of a new card.
    std::string Vari_Kentta_oletus = "Kyllä";
    std::string kuvasuhde_kentta_oletus = "1.33:1 [4:3]";
    std::string aani_kentta_oletus;
    std::string Nopeus_kentta_oletus;
    std::string maa_kentta_oletus;

    // "Tulostus"
    int Tarroja = 14;  // spine labels per sheet, 5 to 15
    bool print_16bit = true;  // false: 24-bit printing (`print_24bit`)
    int def_kas_num_color = 0;  // 1: black cassette numbers on spine labels, else white
    int DPI_X = 0;  // printer resolution, 50 to 9999; 0 while not known
    int DPI_Y = 0;
    bool alternative_printing = false;
    std::string starra_fn;
    std::string ptarra_fn;
    bool ptarra_lisaa_nopeus = false;
    bool ptarra_remove_eng = false;
    bool ptarra_keskita = true;

    // "DVD": what a card gets when its format becomes DVD.
    bool jos_dvd_muuta_aani = true;
    std::string aani_kentta_jos_dvd = "Dolby Digital 5.1";
    bool jos_dvd_muuta_kuva = true;
    std::string kuva_kentta_jos_dvd = "2.35:1 Letterbox";
    bool jos_dvd_nimea_kasik = false;  // hidden option, cleared on every read

    // "Custom kentät": names of the first four user-named fields of a new card.
    std::string custom1_default, custom2_default, custom3_default, custom4_default;

    // "Email"
    std::string smtp_palvelin;
    std::string email_addr;
    std::string email_nimi;
    std::string email_username;
    bool email_logon = false;
    std::string email_password;  // plain text, like the proxy password
    std::string palaute_addr;    // where feedback goes; no feedback menu when empty

    // "Sekalaista"
    bool notify_enabled = true;
    std::string notify_dates = "30";  // always a whole number of days
    std::string default_open = "default.rkb";
    int nakyma_mode = 0;  // the main window's side-panel view; it keeps this up to date before a write
    int warn_imdb = 0;
    bool kysy_pituus = true;
    bool ala_kysy_jos = true;
    std::string ala_kysy_jos_sisaltaa = "AP";

    // "Internet"
    bool proxy_enabled = false;
    std::string proxy_addr;
    std::string proxy_port = "80";
    std::string proxy_username;
    std::string proxy_password;  // plain text, as the dialog warns

    // "IMDB"
    bool dl_cover_default = true;
    // Sent to Wikidata and Wikipedia with every request so their operators can reach the user (an e-mail
    // or web address); the program's home page is always named.
    std::string wikimedia_yhteystieto;
    // The movie data source the IMDb window starts with and rkb asks by default: "imdb" or "wikidata".
    std::string tietolahde = "imdb";

    // Not in the file.
    bool paivitys_tarkistettu = false;  // the check for a newer version has run in this run
    Ulkoasu ulkoasu;                    // the skin loaded by lataa_ulkoasu

    // The checked view of the main window (0 to 3), or -1 when the stored value checks none.
    int nakyma() const { return nakyma_mode >= 0 && nakyma_mode <= 3 ? nakyma_mode : -1; }
    int notify_paivat() const;
    const std::string& custom_default(int i) const;  // 0 to 3
};

// Printer resolution in dots per inch.
struct Tarkkuus {
    int x = 0;
    int y = 0;
};

// What reading and writing the settings needs from around it.
struct Asetusymparisto {
    const Ohjelmakansio& kansio;
    // The settings file and the skin descriptions are read and written through it.
    Tiedostojarjestelma& tiedostot;
    diag::Viestit& viestit;
    // The default printer's resolution; nullopt (or empty) when no printer is installed.
    std::function<std::optional<Tarkkuus>()> tulostimen_tarkkuus;
    // Called whenever a skin has been loaded, so the windows that exist can take it.
    std::function<void()> ulkoasu_ladattu;
    // The user has been told that a read-only settings file will not be written during this run.
    mutable bool kirjoitussuojaus_kerrottu = false;
};

enum class Lataustulos { Valmis, Lopeta };

// Reads asetukset.ini (missing keys take their defaults), applies the derived rules, loads the skin and
// writes the file back. Lopeta: the skin settings were empty, the settings were reset and the program
// should end (through its normal shut-down).
Lataustulos lue_ini(TAsetukset& a, const Asetusymparisto& y);

// The keys of an INI text with their defaults and the derived rules, without the skin and without writing
// anything back (for tools that only need the values).
class IniTiedosto;
void lue_asetusarvot(TAsetukset& a, const IniTiedosto& ini, const Asetusymparisto& y);

// Writes every key in the table's order, keeping the file's other lines. A file that cannot be written
// gives the error "Unable to write to <file>"; the settings in memory and the old file stay as they were.
// A file the user made read-only is left alone, and the user is told once per run that settings are not saved.
bool Kirjoita_ini(const TAsetukset& a, const Asetusymparisto& y);

// Every setting back to its default and the file written anew.
void nollaa_asetukset(TAsetukset& a, const Asetusymparisto& y);

// Loads the skins named by skin_dir and button_dir into a.ulkoasu, falling back to "perus" with a warning
// when a skin lacks its description or pictures.
Lataustulos lataa_ulkoasu(TAsetukset& a, const Asetusymparisto& y);

std::filesystem::path asetustiedosto(const Ohjelmakansio& kansio);
// Removes the copies of the settings file that earlier versions left when a write was cut short (they may
// hold the mail password and were readable by everyone).
void siivoa_vanhat_asetuskopiot(Tiedostojarjestelma& t, const Ohjelmakansio& kansio);

// Checks of the settings dialog on leaving a field; each puts a sound value back and tells the user.
// False when the text had to be replaced.
bool tarkista_notify_dates(std::string& teksti, diag::Viestit& viestit);
bool tarkista_default_open(std::string& teksti, const Ohjelmakansio& kansio, diag::Viestit& viestit);

// The longest contact the User-Agent of the Wikimedia sites carries; a longer one is cut.
inline constexpr std::size_t yhteystiedon_enimmaispituus = 200;
// What a contact may hold: printable ASCII without parentheses (the User-Agent would show anything else
// as '?').
constexpr bool kelpaa_yhteystietoon(char c) { return c >= 0x20 && c < 0x7F && c != '(' && c != ')'; }
// The contact as the user types it: a bad one is mended (the other characters dropped, the rest cut to the
// limit) and the user told why; false then.
bool tarkista_yhteystieto(std::string& teksti, diag::Viestit& viestit);

// A count of days: digits only.
bool on_kokonaisluku(std::string_view teksti);

// The skins offered in the settings: folders under gfx\ holding "tausta1.bmp" (window skins, in lower
// case) and folders holding "tahdet.bmp" (button skins), sorted by name.
struct Ulkoasulistat {
    std::vector<std::string> ikkunat;
    std::vector<std::string> napit;
};
Ulkoasulistat listaa_ulkoasut(const Ohjelmakansio& kansio);

// Catalogue files (".rkb" in any letter case) in the program folder, sorted by name.
std::vector<std::string> listaa_tietokannat(const Ohjelmakansio& kansio);
