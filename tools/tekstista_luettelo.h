#pragma once
// What the tools that build a catalogue from a text file share: the fields of a data line, and a catalogue
// saved with the program's own save routine so the file is exactly what the program writes.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "diag/kiire.h"
#include "diag/viestit.h"
#include "settings/asetukset.h"
#include "perus/merkisto.h"
#include "storage/sarakkeet.h"
#include "storage/tallennus.h"

namespace tekstista_luettelo {

// Messages to standard error in UTF-8; every message counts as a fault and every question is answered No.
class Viestit final : public diag::Viestit {
public:
    int virheet = 0;
    void nayta(diag::Laji, const std::string& t, const std::string& = {}) override {
        std::fprintf(stderr, "%s\n", merkisto::cp1252_utf8(t).c_str());
        ++virheet;
    }
    diag::Vastaus kysy(diag::Laji, const std::string& t, bool = false, const std::string& = {}) override {
        nayta(diag::Laji::Tieto, t);
        return diag::Vastaus::Ei;
    }
};

// The '|'-separated fields of a UTF-8 data line as cp1252; a trailing '|' gives an empty last field.
inline std::vector<std::string> rivin_kentat(const std::string& rivi) {
    std::vector<std::string> t;
    std::stringstream s(rivi);
    for (std::string k; std::getline(s, k, '|');) t.push_back(merkisto::utf8_cp1252(k));
    if (!rivi.empty() && rivi.back() == '|') t.emplace_back();
    return t;
}

// The columns of a data file as its line "#: nimi|luokitus|..." names them: a card's column by the name the
// catalogue's CSV list gives it, or a name of the tool's own (a cover picture, say) that the tool reads itself.
class Sarakkeet {
public:
    // Takes the names of a "#: " line; false for any other line.
    bool lue(const std::string& rivi) {
        if (rivi.rfind("#: ", 0) != 0) return false;
        nimet_ = rivin_kentat(rivi.substr(3));
        return true;
    }
    std::size_t maara() const { return nimet_.size(); }
    // The place of a named column; maara() when the file has no such column.
    std::size_t paikka(std::string_view nimi) const {
        std::size_t i = 0;
        while (i < nimet_.size() && nimet_[i] != nimi) ++i;
        return i;
    }
    // The card's columns from the fields of a data line (as many as there are names).
    void aseta(TKortti& k, const std::vector<std::string>& arvot) const {
        for (std::size_t i = 0; i < nimet_.size(); ++i)
            if (const Sarake* s = sarake_nimelta(nimet_[i])) aseta_sarakkeen_arvo(k, *s, arvot[i]);
    }

private:
    std::vector<std::string> nimet_;
};

// The catalogue being built, in a work folder of its own that stands for the program folder (covers are
// copied into its gfx/kannet) and is removed at the end.
class Luettelo {
public:
    explicit Luettelo(const std::string& tyokalu)
        : tyo_(std::filesystem::temp_directory_path() / (tyokalu + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(tyo_);
        std::filesystem::create_directories(kannet());
        asetukset_.tallenna_sortattuna = false;  // the cards stay in the order of the data file
    }
    ~Luettelo() {
        std::error_code ec;
        std::filesystem::remove_all(tyo_, ec);
    }
    Luettelo(const Luettelo&) = delete;
    Luettelo& operator=(const Luettelo&) = delete;

    TOmaList& kortit() { return tk_.kortit; }
    std::filesystem::path kannet() const { return tyo_ / "gfx" / "kannet"; }

    // Saved to `kohde` as the program saves; false when saving failed or anything was reported.
    bool tallenna(const char* kohde) {
        const bool ok = tallenna_tietokanta(polku_tekstiksi(std::filesystem::absolute(kohde)), v_);
        return ok && viestit_.virheet == 0;
    }

private:
    std::filesystem::path tyo_;
    Ohjelmakansio kansio_{tyo_, jarjestelman_tiedostot()};
    Tietokanta tk_;
    Viestit viestit_;
    diag::EiKiiretta kiire_;
    TAsetukset asetukset_;
    Varasto v_{tk_, kansio_, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit_, kiire_, &asetukset_};
};

}  // namespace tekstista_luettelo
