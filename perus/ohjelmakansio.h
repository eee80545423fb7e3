#pragma once
// The program folder: where settings, catalogues, covers and skins live. Every relative name the program
// uses (in its own `\` form, cp1252) is resolved against it; the process's current folder is never used.
//
// An installed copy keeps two folders apart. Its program folder is the user's own, writable one; the data
// installed with the executable (`share/rullakko` of the prefix) is never written. One rule per file kind:
//   copied into the program folder when it is created: every file at the top of the installed data that
//     is not of a read-only kind below (the example catalogue `esimerkki.rkb`, which the user edits and
//     saves; the reminder templates `*.txt`, which the user rewrites and which are listed from the folder);
//   read in place, unless the program folder has its own copy: the help pages `*.html`, the label font
//     `*.ttf` with its licence `*_LISENSSI.txt` (no reminder template), the reference catalogue `dbase.rkb`, everything under `gfx\` (skins, the busy picture, the
//     no-cover picture `gfx\kannet\ei_kuvaa.gif`) except covers and the copied card's `gfx\kopio.*`, and
//     everything under `tarrat\` (label backgrounds);
//   everything else (settings, profiles, catalogues, covers, work files, the debug log) exists only in the
//     program folder.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "perus/tulos.h"

class Tiedostojarjestelma;

class Ohjelmakansio {
public:
    // A program folder whose missing read-only installation files come from the data installed with this
    // executable; from the build folder there is no such data, and the folder stands alone. Every look-up
    // of a name goes through `t`.
    Ohjelmakansio(std::filesystem::path juuri, Tiedostojarjestelma& t);
    // The same with the installed data given (empty: none).
    Ohjelmakansio(std::filesystem::path juuri, std::filesystem::path asennus, Tiedostojarjestelma& t);

    // RULLAKKO_HOME when set; otherwise the executable's folder when it holds installation data (the build
    // folder, a copy unpacked in one folder); otherwise the user's folder $XDG_DATA_HOME/rullakko.
    static std::filesystem::path etsi_juuri(Tiedostojarjestelma& t);
    static std::filesystem::path etsi_juuri(const std::filesystem::path& ohjelman_kansio, Tiedostojarjestelma& t);

    // The installation data of an installed executable (`../share/rullakko` beside its `bin`); empty when
    // the executable's own folder holds installation data or nothing is installed.
    static std::filesystem::path asennettu_data(Tiedostojarjestelma& t);
    static std::filesystem::path asennettu_data(const std::filesystem::path& ohjelman_kansio, Tiedostojarjestelma& t);

    const std::filesystem::path& juuri() const { return juuri_; }
    const std::filesystem::path& asennus() const { return asennus_; }
    // The file system the folder's names are looked up in.
    Tiedostojarjestelma& tiedostot() const { return *t_; }

    // A name such as "gfx\kannet\x.jpg" or an absolute name, as a path on this file system. Components
    // that do not exist with the exact letter case are matched without regard to case. A read-only
    // installation file missing from the program folder is the installed one; every other name stays in
    // the program folder, so whatever the program writes lands there.
    std::filesystem::path polku(std::string_view nimi) const;

    // The folders a listing must cover for `nimi` ("gfx", "tarrat\starrat"): the program folder's and the
    // installed one, those that exist, the program folder's first. Each name found is then opened by polku.
    std::vector<std::filesystem::path> kansiot(std::string_view nimi) const;

private:
    std::filesystem::path juuri_;
    std::filesystem::path asennus_;
    Tiedostojarjestelma* t_;
};

// The prefix's `share` folder as seen from the folder of an installed executable (`bin`).
std::filesystem::path asennuksen_jaettu_kansio(const std::filesystem::path& ohjelman_kansio);

// True for a relative name of a read-only installation kind (see the table at the top).
bool asennuksen_luettava(std::string_view nimi);

// Makes a missing program folder: an installed copy's is seeded with the installed files that are copied
// (see the table at the top). The folder appears whole or not at all; an existing folder is left as it is.
Tulos valmistele_ohjelmakansio(Tiedostojarjestelma& t, const std::filesystem::path& juuri,
                               const std::filesystem::path& asennus);

// $XDG_DATA_HOME, or ~/.local/share when it is not set (or not absolute).
std::filesystem::path xdg_data_kansio();

// One reading of a folder for an operation that looks up or creates many names in it (covers by the
// thousand), matching names as tiedostopolku does without reading the folder again for every name. It sees
// the files the operation records with lisaa, not those that others make meanwhile.
class Kansiolistaus {
public:
    // Reads the folder; a folder that cannot be read lists nothing.
    Kansiolistaus(std::filesystem::path kansio, Tiedostojarjestelma& t);

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
std::filesystem::path tiedostopolku(Tiedostojarjestelma& t, std::string_view nimi, const std::filesystem::path& juuri);

// The path back in the program's own text (cp1252).
std::string polku_tekstiksi(const std::filesystem::path& p);

// Whether the program can write its folder (settings, catalogues, covers, the single-instance lock); a
// failure's message is for the user, with the system's reason.
Tulos ohjelmakansion_kirjoituskoe(const std::filesystem::path& juuri, Tiedostojarjestelma& t);
