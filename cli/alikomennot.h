#pragma once
// Shared pieces of the rkb subcommands.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diag/kiire.h"
#include "diag/viestit.h"
#include "settings/asetukset.h"
#include "perus/ohjelmakansio.h"
#include "storage/tyokansio.h"
#include "storage/varasto.h"

// A command as rkb runs it; its parameters and description are its row in cli/komennot.cpp.
struct Alikomento {
    std::string nimi;
    std::size_t vahintaan = 0;
    std::size_t enintaan = 0;
    std::function<int(const std::vector<std::string>&)> aja;
};

struct RekisteroiAlikomento {
    explicit RekisteroiAlikomento(Alikomento a);
};

// Messages go to standard error in the terminal's UTF-8; every question is answered No.
class KomentoriviViestit final : public diag::Viestit {
public:
    int virheita = 0;  // error boxes shown

    void nayta(diag::Laji, const std::string& teksti, const std::string& = {}) override;
    diag::Vastaus kysy(diag::Laji, const std::string& teksti, bool = false, const std::string& = {}) override;
};

// Prints a cp1252 text to standard error as UTF-8, with a line end.
void tulosta_virhe(const std::string& cp1252);

// Whole file into memory; false when it cannot be read.
bool lue_tiedosto(const std::string& nimi, std::string& sisalto);

// A private program folder for one run of the tool, removed at the end.
class TilapainenOhjelmakansio {
public:
    TilapainenOhjelmakansio();
    const std::filesystem::path& polku() const { return tyo_->polku(); }

private:
    std::optional<Tyokansio> tyo_;
};

// A file name from the command line as the program's own text: absolute, cp1252.
std::string ohjelman_nimi(const std::string& komentorivin_nimi);

// The settings of the program folder (defaults for keys it lacks); nullopt when the file cannot be read.
std::optional<TAsetukset> ohjelmakansion_asetukset(const Ohjelmakansio& kansio, diag::Viestit& viestit);

// A catalogue opened as the program opens it; its covers are unpacked into a private folder of this run,
// never into the program folder. The settings are the defaults with the overdue check off until
// lue_asetukset() reads the program folder's.
struct Avattu {
    TilapainenOhjelmakansio tila;
    Ohjelmakansio kansio{tila.polku(), jarjestelman_tiedostot()};
    Ohjelmakansio ohjelma{Ohjelmakansio::etsi_juuri(jarjestelman_tiedostot()), jarjestelman_tiedostot()};
    KomentoriviViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    Tietokanta tk;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &asetukset};

    Avattu() { asetukset.notify_enabled = false; }
    // The settings of the program folder the tool runs from, the overdue check kept off; false after a message.
    bool lue_asetukset();
    // The catalogue named on the command line into tk; false after a message.
    bool avaa(const std::string& komentorivin_nimi);
};

// Prints a cp1252 text to standard output as UTF-8, with a line end; false when it could not be written.
bool tulosta_rivi(const std::string& cp1252);

// The body of the list to standard output; false when it could not be written.
class TOmaList;
bool tulosta_runko(const TOmaList& lista);
