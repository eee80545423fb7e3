#pragma once
// The program folder: where settings, catalogues, covers and skins live. Every relative name the program
// uses (in its own `\` form, cp1252) is resolved against it; the process's current folder is never used.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class Ohjelmakansio {
public:
    explicit Ohjelmakansio(std::filesystem::path juuri);

    // RULLAKKO_HOME when set, otherwise the folder of the running executable.
    static std::filesystem::path etsi_juuri();

    const std::filesystem::path& juuri() const { return juuri_; }

    // A name such as "gfx\kannet\x.jpg" or an absolute name, as a path on this file system. Components
    // that do not exist with the exact letter case are matched without regard to case.
    std::filesystem::path polku(std::string_view nimi) const;

private:
    std::filesystem::path juuri_;
};

// The same mapping against any folder.
std::filesystem::path tiedostopolku(std::string_view nimi, const std::filesystem::path& juuri);

// Lower case of a cp1252 text for name comparisons (ASCII and the Latin-1 letters).
std::string pienet_cp1252(std::string_view s);

// The path back in the program's own text (cp1252).
std::string polku_tekstiksi(const std::filesystem::path& p);

class Tiedostojarjestelma;

// Whether the program can write its folder (settings, catalogues, covers, the single-instance lock);
// the message for the user when it cannot, with the system's reason.
std::optional<std::string> ohjelmakansion_kirjoitusvirhe(const std::filesystem::path& juuri, Tiedostojarjestelma& t);
