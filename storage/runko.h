#pragma once
// The catalogue body: a line-oriented cp1252 text, 54 value lines and a separator per card.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "storage/kortti.h"

namespace diag { class Viestit; }

inline constexpr const char* runko_versiorivi = "Tietokanta tallennettu ohjelman versiolla=";
inline constexpr const char* runko_alkaa = "## Tietokanta alkaa tästä";
inline constexpr const char* kortin_erotin = "## Seuraava kortti";
inline constexpr int kortin_rivit_tiedostossa = 54;
inline constexpr int kortin_rivien_raja = 1000;

// Reads a body a line at a time: a line ends at CR, an LF right after it belongs to the line end, and the
// byte 1A ends the text.
class Rivinlukija {
public:
    explicit Rivinlukija(std::string_view teksti) : t_(teksti.substr(0, teksti.find('\x1a'))) {}

    bool loppu() const { return p_ >= t_.size(); }
    // Where the next line starts.
    std::size_t kohta() const { return p_; }

    // The next raw line (LFs inside it kept); empty at the end of the text.
    std::string_view raaka() {
        if (loppu()) return {};
        const std::size_t cr = t_.find('\r', p_);
        const std::size_t pituus = (cr == std::string_view::npos ? t_.size() : cr) - p_;
        const std::string_view rivi = t_.substr(p_, pituus);
        p_ += pituus;
        if (p_ < t_.size()) {
            ++p_;
            if (p_ < t_.size() && t_[p_] == '\n') ++p_;
        }
        return rivi;
    }

    // The next line with every LF inside it removed, as the readers use it.
    std::string rivi();

private:
    std::string_view t_;
    std::size_t p_ = 0;
};

// The line without the LFs that stand inside it.
std::string ilman_lf(std::string_view s);

// Writes cards 1..Count()-1 in list order, every line ended with CR LF.
void kirjoita_runko(const TOmaList& lista, std::string& ulos, std::string_view versio = {});
// The same handed to `kirjoita` in pieces of about a megabyte, so a big catalogue is never held twice in
// memory. Stops, returning false, as soon as `kirjoita` returns false.
bool kirjoita_runko(const TOmaList& lista, const std::function<bool(std::string_view)>& kirjoita,
                    std::string_view versio = {});

struct RungonLuku {
    std::string tiedoston_nimi;  // for the log and the messages
    bool liitos = false;         // merge: a cover name already in the catalogue is dropped
    // With covers unpacked at open: tells whether a cover file exists; a missing one is stored empty.
    std::function<bool(const std::string& cover_fn)> kansi_olemassa;
    // The reading stops at this many cards (0: no limit), for a body that packed far smaller than it reads.
    std::uint64_t enintaan_kortteja = 0;
};

// Damaged: a header line never came. Liikaa: the body holds enintaan_kortteja cards or more.
enum class RungonTila { Luettu, Vahingoittunut, Liikaa };

// A body whose bytes may still be coming: `odota(n)` waits until more than n bytes are ready or no more will
// come, and gives the bytes ready (null: all are). The reader ends lines in place, and the cards point into
// the text, which `omistaja` keeps alive; the rungon_vara bytes after `koko` are NUL.
struct Rungonlahde {
    char* teksti = nullptr;
    std::size_t koko = 0;
    std::shared_ptr<const void> omistaja;
    std::function<std::size_t(std::size_t)> odota;
};

// Reads the header and appends one card per card block. Damaged: a header line never came.
RungonTila lue_runko(std::string_view runko, TOmaList& lista, const RungonLuku& asetukset, diag::Viestit& viestit);
// The same keeping the text itself: the cards' fields point into it until they are changed, and it is freed
// with the last card read from it. Sixteen bytes of spare capacity spare it a copy.
RungonTila lue_runko(std::string&& runko, TOmaList& lista, const RungonLuku& asetukset, diag::Viestit& viestit);
// The same from a body that is read as it comes.
RungonTila lue_runko(const Rungonlahde& lahde, TOmaList& lista, const RungonLuku& asetukset, diag::Viestit& viestit);
// The spare capacity the text of lue_runko needs to be kept as it is.
inline constexpr std::size_t rungon_vara = 16;

// The value of "key=value": the text after the first "=".
std::string eroita_arvo(std::string_view jono);

// A version text as a number whichever of "." and "," it uses as the decimal point; 0 when neither works.
double mkStr2Float(std::string_view str1, diag::Viestit& viestit);

