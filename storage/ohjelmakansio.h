#pragma once
// The program folder: where settings, catalogues, covers and skins live. Every relative name the program
// uses (in its own `\` form, cp1252) is resolved against it; the process's current folder is never used.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

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

// One reading of a folder for an operation that looks up or creates many names in it (covers by the
// thousand), matching names as tiedostopolku does without reading the folder again for every name. It sees
// the files the operation records with lisaa, not those that others make meanwhile.
class Kansiolistaus {
public:
    // Reads the folder; a folder that cannot be read lists nothing.
    explicit Kansiolistaus(std::filesystem::path kansio);

    const std::filesystem::path& kansio() const { return kansio_; }
    // The entry of that name (UTF-8): the exact one, else one that differs only in letter case, else the name
    // as given.
    std::filesystem::path polku(std::string_view nimi) const;
    // Whether the folder holds a regular file (or a link to one) under that name in any letter case.
    bool tiedosto(std::string_view nimi) const;
    // A file the operation created.
    void lisaa(std::string_view nimi);

private:
    const std::string* loyda(std::string_view nimi) const;

    std::filesystem::path kansio_;
    std::unordered_map<std::string, bool> nimet_;         // exact name -> is a regular file
    std::unordered_map<std::string, std::string> pienet_;  // lower-case name -> the first exact one
};

// The same mapping against any folder.
std::filesystem::path tiedostopolku(std::string_view nimi, const std::filesystem::path& juuri);

// Lower case of a cp1252 text for name comparisons (ASCII and the Latin-1 letters).
std::string pienet_cp1252(std::string_view s);

// The path back in the program's own text (cp1252).
std::string polku_tekstiksi(const std::filesystem::path& p);
