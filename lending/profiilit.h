#pragma once
// Borrower profiles: name, phone number and e-mail address, kept in lainaaja_profiilit.ini of the
// program folder (cp1252, CR LF, four lines a profile, the last one the separator).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "perus/tulos.h"

class Ohjelmakansio;
class Tiedostojarjestelma;

struct Profiili {
    std::string nimi;
    std::string puhelin;
    std::string email;
    bool operator==(const Profiili&) const = default;
};

inline constexpr const char* profiilitiedoston_nimi = "lainaaja_profiilit.ini";
inline constexpr const char* profiilien_erotin = "## seuraava profiili";

std::filesystem::path profiilitiedosto(const Ohjelmakansio& kansio);

// Replaces `profiilit` by the file's profiles. A missing file changes nothing; a file shorter than 3 bytes
// is deleted and gives an empty list; a file that cannot be read is logged and gives an empty list.
void lue_profiilit(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto, std::vector<Profiili>& profiilit);

// The file text of the profiles (an empty list gives an empty text).
std::string profiilit_tekstiksi(const std::vector<Profiili>& profiilit);

// Writes the file through a new file renamed over the old one.
Tulos kirjoita_profiilit(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto,
                         const std::vector<Profiili>& profiilit);

// The address of the last profile whose name equals `nimi` in lower case; nothing when there is none.
std::optional<std::string> hae_email(const std::vector<Profiili>& profiilit, const std::string& nimi);
