#pragma once
// Whole-file reading and atomic replacement of a file. A replacement is written to a new file beside the
// target, flushed to disk and renamed over it, so a failure at any step leaves the old file whole.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "perus/tiedostojarjestelma.h"
#include "perus/tulos.h"

// A failure's reason for the user: the system's reason when the system refused a step, else its message.
std::string syyn_teksti(const Tulos& t);
// A failure's message followed by the system's reason in parentheses when there is one, for the log.
std::string viesti_ja_syy(const Tulos& t);

// The whole file into `sisalto`. The code of a failure is the errno.
Tulos lue_koko_tiedosto(Tiedostojarjestelma& t, const std::filesystem::path& polku, std::string& sisalto);

// A copy of `lahde` under a new name: a name that is taken is left alone (EEXIST), and a copy that could
// not be written whole is removed. The code of a failure is the errno; the message names the file.
Tulos kopioi_tiedosto(Tiedostojarjestelma& t, const std::filesystem::path& lahde, const std::filesystem::path& kohde);

// Writes `data` as the new content of `polku` atomically. A symbolic link is followed, so its target gets
// the new content; an existing file keeps its permission bits and, where permitted, its owner.
// The code of a failure is the errno of the failed step; the message names the file and the reason.
struct Korvausohje {
    // Masks the permission bits: a file that may hold a password allows 0600, and an existing file keeps
    // its own bits only where they are stricter.
    mode_t sallitut = 07777;
    // Replacement files of the same target left by processes that are gone are removed first. A caller
    // writing many files of one folder lists it once itself instead.
    bool siivoa = true;
};

Tulos korvaa_tiedosto(Tiedostojarjestelma& t, const std::filesystem::path& polku, std::string_view data,
                      Korvausohje ohje = {});

// A file replaced atomically by writing it in pieces, for output too big to hold whole or written by
// another library under a name. The pieces go to a new file beside the target; valmis() flushes it to disk
// and renames it over the target. Without valmis() (a failure, an exception, a cancel) the new file is
// removed and the target stays as it was. The first failed step is kept and reported by valmis().
class Korvaus {
public:
    Korvaus(Tiedostojarjestelma& t, const std::filesystem::path& kohde, Korvausohje ohje = {});
    ~Korvaus();
    Korvaus(const Korvaus&) = delete;
    Korvaus& operator=(const Korvaus&) = delete;

    // False once a step has failed; the rest of the writing can then be skipped.
    bool kunnossa() const { return virhe_ == 0; }
    void kirjoita(std::string_view pala);
    // A failure of the writer itself (a device that did not finish its file): valmis() reports it.
    void epaonnistui(int virhekoodi) {
        if (virhe_ == 0) virhe_ = virhekoodi;
    }
    // The new file's name, for a writer that opens files by name (a PDF device). It exists and is empty;
    // whatever the writer leaves there when it has closed the file is what valmis() puts in place.
    const std::filesystem::path& valiaikainen() const { return valiaikainen_; }
    // Flushes, gives the new file the old one's permissions and renames it over the target.
    Tulos valmis();

private:
    Tiedostojarjestelma& t_;
    std::filesystem::path annettu_;
    std::filesystem::path polku_;
    std::filesystem::path valiaikainen_;
    int fd_ = -1;
    int virhe_ = 0;
    bool valmis_ = false;
};

// The file a name finally stands for: symbolic links are followed (relative ones against their own folder).
std::filesystem::path linkin_kohde(Tiedostojarjestelma& t, const std::filesystem::path& polku);

// A new file beside `kohde` for writing its replacement, created exclusively under a name of its own
// ("." + name + "~" + process + "-" + serial + ".kesken").
Kuvaaja luo_valiaikainen(Tiedostojarjestelma& t, const std::filesystem::path& kohde, std::filesystem::path& nimi,
                     mode_t oikeudet = 0666);

// Gives the replacement the old file's permission bits (masked by `sallitut`) and, where permitted, its
// owner; a new file keeps the bits it was created with.
void kopioi_oikeudet(Tiedostojarjestelma& t, int fd, const std::filesystem::path& vanha, mode_t sallitut = 07777);

// The process that made a replacement file of this name, or 0 when the name is not one of ours.
pid_t keskeneraisen_tekija(std::string_view nimi);

// Removes the replacement files in a folder whose process is gone (a crash or kill in the middle of a
// write); files of running processes are left alone. With `kohde` only the replacements of that file name.
void siivoa_keskeneraiset(Tiedostojarjestelma& t, const std::filesystem::path& kansio, std::string_view kohde = {});
