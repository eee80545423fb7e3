#pragma once
// The debug log: two sinks (the debug window's last lines and the log file), both off by default so that
// kirjoita_debug costs two flag tests. What shows the log connects itself for its own lifetime.
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>

class Tiedostojarjestelma;

namespace diag {

class Viestit;

// What shows the log's lines: the debug window, or the command line's standard error.
class Lokin_nakyma {
public:
    virtual ~Lokin_nakyma() = default;
    // A line was added or the lines were cleared: repaint, and let pending events through.
    virtual void rivit_muuttuivat() = 0;
    // A switch changed from inside the log (the file sink went off after a failed write).
    virtual void kytkimet_muuttuivat() = 0;
};

// The main window's caption, cp1252, which names the log file while a line is written to it.
class Lokin_otsikko {
public:
    virtual ~Lokin_otsikko() = default;
    virtual std::string otsikko() const = 0;
    virtual void vaihda_otsikko(const std::string& otsikko) = 0;
};

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

    // One view and one caption at a time; the last one connected is the one shown. Disconnecting one that
    // has since been replaced leaves the newer one in place.
    void kytke(Lokin_nakyma& n) { nakyma_ = &n; }
    void irrota(const Lokin_nakyma& n) {
        if (nakyma_ == &n) nakyma_ = nullptr;
    }
    void kytke(Lokin_otsikko& o) { otsikko_ = &o; }
    void irrota(const Lokin_otsikko& o) {
        if (otsikko_ == &o) otsikko_ = nullptr;
    }

    // Back to the state of a fresh start (tests).
    void nollaa();

private:
    bool kirjoita_tiedostoon(std::string_view rivi);
    void nayta_rivit() {
        if (nakyma_) nakyma_->rivit_muuttuivat();
    }

    bool naytolle_ = false;
    bool tiedostoon_ = false;
    Tiedostojarjestelma* tiedostot_ = nullptr;
    std::filesystem::path tiedosto_ = "rulladb_debug.log";
    Viestit* viestit_ = nullptr;
    Lokin_nakyma* nakyma_ = nullptr;
    Lokin_otsikko* otsikko_ = nullptr;
    std::deque<std::string> rivit_;
};

extern Loki loki_olio;
inline Loki& loki() { return loki_olio; }

// Keeps a view or a caption connected to the log while it lives.
template <class Katsoja>
class Lokiin_kytketty {
public:
    explicit Lokiin_kytketty(Katsoja& k) : k_(k) { loki().kytke(k_); }
    ~Lokiin_kytketty() { loki().irrota(k_); }
    Lokiin_kytketty(const Lokiin_kytketty&) = delete;
    Lokiin_kytketty& operator=(const Lokiin_kytketty&) = delete;

private:
    Katsoja& k_;
};

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
