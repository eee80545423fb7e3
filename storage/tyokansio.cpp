#include "storage/tyokansio.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <random>
#include <string>

#include "perus/tiedostojarjestelma.h"

namespace fs = std::filesystem;

fs::path jarjestelman_tilapaiskansio() {
    for (const char* muuttuja : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"})
        if (const char* k = std::getenv(muuttuja); k && *k) return k;
    return "/tmp";
}

Tyokansio::Tyokansio(Tiedostojarjestelma& t, std::string_view etuliite, const fs::path& kansio) : t_(t) {
    static constexpr char merkit[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937 satunnainen(std::random_device{}());
    std::uniform_int_distribution<std::size_t> merkki(0, sizeof merkit - 2);
    const std::string alku = std::string(etuliite) + "-" + std::to_string(::getpid()) + "-";
    // A name nobody has taken, made so that nobody else can take it meanwhile.
    for (int yritys = 0; yritys < 100; ++yritys) {
        std::string nimi = alku;
        for (int i = 0; i < 6; ++i) nimi += merkit[merkki(satunnainen)];
        tulos_ = t_.luo_kansio(kansio / nimi, 0700);
        if (tulos_) {
            polku_ = kansio / nimi;
            return;
        }
        if (tulos_.syy != EEXIST) return;
    }
}

Tyokansio::~Tyokansio() {
    if (!polku_.empty()) t_.poista_kaikki(polku_);
}

void siivoa_vanhat_tyokansiot(Tiedostojarjestelma& t, std::string_view etuliite, const fs::path& kansio) {
    const std::string alku = std::string(etuliite) + "-";
    std::vector<Kansiorivi> rivit;
    if (!t.listaa(kansio, rivit)) return;
    for (const Kansiorivi& r : rivit) {
        const std::string& nimi = r.nimi;
        if (nimi.rfind(alku, 0) != 0) continue;
        // "<prefix>-<pid>-XXXXXX": the process id, then six characters.
        const std::size_t viiva = nimi.find('-', alku.size());
        if (viiva == std::string::npos || nimi.size() != viiva + 7) continue;
        int pid = 0;
        const char* a = nimi.data() + alku.size();
        if (std::from_chars(a, nimi.data() + viiva, pid).ptr != nimi.data() + viiva || pid <= 0 || pid == ::getpid()) continue;
        Tiedostotiedot tt;
        if (!t.tiedot(kansio / nimi, tt, false) || !tt.kansio || tt.omistaja != ::geteuid()) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        t.poista_kaikki(kansio / nimi);
    }
}
