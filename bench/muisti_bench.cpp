// Memory of a large open catalogue, measured from the process's resident size (Linux /proc/self/status):
// - Avattu: 100 000 generated cards opened with covers unpacked when needed; "tavua_kortti" is the resident
//   growth per card beyond the unpacked body itself, "runko_mt" the body's size, "huippu_mt" the peak growth
//   during the open over the body.
// - Tallennus: the same catalogue saved; "lisa_mt" is the peak growth during the save over what the open
//   catalogue holds, "suhde" that growth against the open catalogue's own growth.
// Each iteration runs in a fresh child process, so what one run leaves in the heap cannot hide the next.
// RULLAKKO_BENCH_KANSIO names the folder to work in (default: the temporary folder).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/mittaus.h"
#include "diag/kiire.h"
#include "settings/asetukset.h"
#include "storage/lataus.h"
#include "storage/tallennus.h"
#include "storage/zlbarkisto.h"
#include "tools/aineisto/suuri_luettelo.h"

namespace fs = std::filesystem;

namespace {

// "VmRSS" or "VmHWM" in bytes.
long long tila(const char* nimi) {
    std::ifstream f("/proc/self/status");
    std::string rivi;
    const std::string alku = std::string(nimi) + ":";
    while (std::getline(f, rivi))
        if (rivi.rfind(alku, 0) == 0) return std::atoll(rivi.c_str() + alku.size()) * 1024;
    return 0;
}

// The peak resident size starts again from the present one.
void nollaa_huippu() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Tulokset {
    double tavua_kortti, runko_mt, huippu_mt, tallennus_mt, suhde;
};

// Runs in the child: generates, opens and saves, and writes the figures to a pipe.
Tulokset mittaa(const fs::path& juuri) {
    fs::create_directories(juuri / "gfx" / "kannet");
    const fs::path tiedosto = juuri / "oma.rkb";
    std::size_t runko = 0;
    {
        aineisto::Luettelo l;
        l.kansia = 0;
        aineisto::kirjoita_luettelo(tiedosto, l, juuri / "lahde");
        TZLBArchive zip(jarjestelman_tiedostot());
        if (!zip.Open(tiedosto)) std::abort();
        runko = zip.entries()[static_cast<std::size_t>(zip.etsi("avattu.$$$"))].koko;
    }
    malloc_trim(0);
    Tietokanta tk;
    Ohjelmakansio kansio{juuri, jarjestelman_tiedostot()};
    HiljaisetViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.notify_enabled = false;
    asetukset.avaa_kannet_heti = false;
    asetukset.tallenna_sortattuna = false;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &asetukset};

    const long long ennen = tila("VmRSS");
    nollaa_huippu();
    if (!lue_tietueet(tiedosto.string(), false, false, tk.kortit, v)) std::abort();
    const long long huippu = tila("VmHWM");
    malloc_trim(0);
    const long long avattu = tila("VmRSS");
    const double kortteja = tk.kortit.korttien_maara();

    nollaa_huippu();
    tk.kortit.muutettu = true;
    if (!tallenna_tietokanta(tiedosto.string(), v)) std::abort();
    const long long tallennus = tila("VmHWM");
    const double kasvu = static_cast<double>(avattu - ennen);
    return {(kasvu - static_cast<double>(runko)) / kortteja, runko / 1e6, (huippu - ennen - static_cast<double>(runko)) / 1e6,
            (tallennus - avattu) / 1e6, (tallennus - avattu) / kasvu};
}

void Muisti(benchmark::State& s) {
    const char* k = std::getenv("RULLAKKO_BENCH_KANSIO");
    const fs::path pohja = k && *k ? fs::path(k) : fs::temp_directory_path();
    Tulokset summa{};
    for (auto _ : s) {
        const fs::path juuri = pohja / ("muisti_bench_" + std::to_string(::getpid()));
        fs::remove_all(juuri);
        int putki[2];
        if (::pipe(putki) != 0) std::abort();
        const pid_t lapsi = ::fork();
        if (lapsi == 0) {
            const Tulokset t = mittaa(juuri);
            if (::write(putki[1], &t, sizeof t) != static_cast<ssize_t>(sizeof t)) ::_exit(1);
            ::_exit(0);
        }
        ::close(putki[1]);
        Tulokset t{};
        const bool luettu = ::read(putki[0], &t, sizeof t) == static_cast<ssize_t>(sizeof t);
        ::close(putki[0]);
        int tila_ = 0;
        ::waitpid(lapsi, &tila_, 0);
        fs::remove_all(juuri);
        if (!luettu) {
            s.SkipWithError("mittaus epäonnistui");
            return;
        }
        summa.tavua_kortti += t.tavua_kortti;
        summa.runko_mt += t.runko_mt;
        summa.huippu_mt += t.huippu_mt;
        summa.tallennus_mt += t.tallennus_mt;
        summa.suhde += t.suhde;
    }
    const double n = static_cast<double>(s.iterations());
    s.counters["tavua_kortti"] = summa.tavua_kortti / n;
    s.counters["runko_mt"] = summa.runko_mt / n;
    s.counters["huippu_mt"] = summa.huippu_mt / n;
    s.counters["lisa_mt"] = summa.tallennus_mt / n;
    s.counters["suhde"] = summa.suhde / n;
}

BENCHMARK(Muisti)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
