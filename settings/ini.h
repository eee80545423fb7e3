#pragma once
// A small INI reader and writer for the settings file and the skin descriptions. Text stays cp1252 bytes;
// section and key names match without regard to case (the Latin-1 letters included, several names hold
// "ä"); lines the program does not know are kept as they are, so a user's own notes survive a write.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perus/tiedostot.h"
#include "perus/tulos.h"

class IniTiedosto {
public:
    // The file's lines; a missing file gives an empty text. False when the file exists but cannot be read.
    bool lataa(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto);
    void jasenna(std::string_view sisalto);

    // The value of the first matching key of the first matching section, without the blanks around it
    // (and without one pair of quotes around it); nullopt when the section or key is missing.
    std::optional<std::string> lue(std::string_view osio, std::string_view avain) const;

    // Updates the key where it stands, adds it to the end of its section, or adds the section to the end.
    void kirjoita(std::string_view osio, std::string_view avain, std::string_view arvo);

    // The whole text, every line ended with CR LF.
    std::string sisalto() const;

    // Replaces the file atomically, so a failed write leaves the old file whole.
    Tulos tallenna(Tiedostojarjestelma& t, const std::filesystem::path& tiedosto, Korvausohje ohje = {}) const;

    const std::vector<std::string>& rivit() const { return rivit_; }

private:
    // Index of the first line of the section's body, or npos when the section is missing.
    std::size_t osion_alku(std::string_view osio) const;
    // Index one past the section's last line.
    std::size_t osion_loppu(std::size_t alku) const;

    std::vector<std::string> rivit_;
};

// An integer as the settings take it: blanks around it allowed, an optional sign, decimal digits or a
// hexadecimal number after "0x" or "$"; anything else, or a value beyond 32 bits, gives nullopt.
std::optional<int> ini_kokonaisluku(std::string_view teksti);
