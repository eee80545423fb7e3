#pragma once
// The debug log: two sinks (the debug window's last lines and the log file), both off by default so that
// kirjoita_debug costs two flag tests. The window classes hook in through the callbacks.
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class Tiedostojarjestelma;

namespace diag {

class Viestit;

class Loki {
public:
    static constexpr std::size_t ikkunan_rivit = 34;
    static constexpr const char* otsake = "Rullakko debuggeri logi:";

    bool naytolle() const { return naytolle_; }
    bool tiedostoon() const { return tiedostoon_; }
    void aseta_naytolle(bool paalla);
    void aseta_tiedostoon(bool paalla);

    // The file sink's file and the file system it is written through; until then the file sink cannot write.
    void aseta_tiedosto(Tiedostojarjestelma& tiedostot, std::filesystem::path polku) {
        tiedostot_ = &tiedostot;
        tiedosto_ = std::move(polku);
    }
    const std::filesystem::path& tiedosto() const { return tiedosto_; }
    void aseta_viestit(Viestit* v) { viestit_ = v; }

    // aina: the line goes to the window sink even while the display switch is off.
    void kirjoita(std::string_view rivi, bool aina);

    const std::deque<std::string>& rivit() const { return rivit_; }
    void tyhjenna_rivit();

    // Window hooks; any of them may be empty.
    std::function<void()> rivit_muuttuivat;          // repaint the window and process pending events
    std::function<void()> kytkimet_muuttuivat;       // a switch changed from inside the log
    std::function<std::string()> lue_otsikko;        // main window caption, cp1252
    std::function<void(const std::string&)> aseta_otsikko;

    // Back to the state of a fresh start (tests).
    void nollaa();

private:
    bool kirjoita_tiedostoon(std::string_view rivi);

    bool naytolle_ = false;
    bool tiedostoon_ = false;
    Tiedostojarjestelma* tiedostot_ = nullptr;
    std::filesystem::path tiedosto_ = "rulladb_debug.log";
    Viestit* viestit_ = nullptr;
    std::deque<std::string> rivit_;
};

extern Loki loki_olio;
inline Loki& loki() { return loki_olio; }

// Text of the caption suffix shown while a line is being written to the file.
std::string otsikon_jatke(const std::filesystem::path& tiedosto);

}  // namespace diag

// Progress and trace lines: shown only while the display switch is on.
inline void kirjoita_debug(std::string_view rivi) {
    if (diag::loki_olio.tiedostoon() || diag::loki_olio.naytolle()) diag::loki_olio.kirjoita(rivi, false);
}
// Errors, repairs and warnings: always kept in the window's lines.
inline void kirjoita_debug_aina(std::string_view rivi) { diag::loki_olio.kirjoita(rivi, true); }
// For callers that would build an expensive line only to have it dropped.
inline bool debug_paalla() { return diag::loki_olio.tiedostoon() || diag::loki_olio.naytolle(); }
