// Packing and unpacking a big catalogue: a 50 MB body and 500 covers of 40 KB that do not compress.
// Each benchmark times the archive and plain zlib compress2/uncompress of the same bytes in the same
// iterations and reports their ratio as "suhde".
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/mittaus.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

using Kello = std::chrono::steady_clock;

// Memory-backed when the machine has it, so that the disk's speed at creating 500 files does not hide the
// archive's own cost; RULLAKKO_BENCH_KANSIO names another folder (a real disk, for comparison).
fs::path pohjakansio() {
    if (const char* k = std::getenv("RULLAKKO_BENCH_KANSIO"); k && *k) return k;
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
    return fs::temp_directory_path();
}

// The files of the catalogue, written once into a folder of their own.
struct Aineisto {
    fs::path kansio;
    std::vector<std::string> nimet;   // as the program names them
    std::vector<std::string> sisallot;

    Aineisto() {
        kansio = pohjakansio() / ("arkisto_bench_" + std::to_string(::getpid()));
        fs::create_directories(kansio / "gfx" / "kannet");
        std::mt19937 g(42);
        // Card bodies: value lines only, a third of them empty, the rest numbers, flags and words.
        static const char* const tavut[] = {"ka", "ta", "lo", "mi", "su", "ne", "ri", "va", "he", "jo",
                                            "ää", "ö",  "pe", "ku", "sa", "to", "li", "an", "en", "in"};
        static const char* const liput[] = {"FALSE", "TRUE", "SP", "LP", "DVD", "VHS"};
        std::vector<std::string> sanasto(3000);
        for (std::string& sana : sanasto)
            for (unsigned n = 1 + g() % 4; n-- > 0;) sana += tavut[g() % std::size(tavut)];
        std::string runko;
        runko.reserve((50u << 20) + 4096);
        while (runko.size() < (50u << 20)) {
            for (int rivi = 0; rivi < 54; ++rivi) {
                const unsigned laji = g() % 100;
                if (laji < 20) runko += std::to_string(g() % 2000);
                else if (laji < 30) runko += liput[g() % std::size(liput)];
                else if (laji >= 65)
                    for (unsigned n = 1 + g() % 12; n-- > 0;) (runko += sanasto[g() % sanasto.size()]) += ' ';
                runko += "\r\n";
            }
            runko += "## Seuraava kortti\r\n";
        }
        lisaa("avattu.$$$", std::move(runko));
        for (int i = 0; i < 500; ++i) {
            std::string kuva(40u << 10, '\0');
            for (std::size_t k = 0; k < kuva.size(); k += 4) {
                const std::uint32_t v = g();
                std::memcpy(kuva.data() + k, &v, 4);
            }
            lisaa("gfx\\kannet\\kansi" + std::to_string(i) + ".jpg", std::move(kuva));
        }
    }
    ~Aineisto() { fs::remove_all(kansio); }

    void lisaa(std::string nimi, std::string sisalto) {
        std::string polku = nimi;
        std::replace(polku.begin(), polku.end(), '\\', '/');
        std::ofstream(kansio / polku, std::ios::binary) << sisalto;
        nimet.push_back(std::move(nimi));
        sisallot.push_back(std::move(sisalto));
    }
};

Aineisto& aineisto() {
    static Aineisto a;
    return a;
}

std::string zlib_pakkaa(const std::string& s) {
    uLongf n = compressBound(s.size());
    std::string ulos(n, '\0');
    if (compress2(reinterpret_cast<Bytef*>(ulos.data()), &n, reinterpret_cast<const Bytef*>(s.data()), s.size(), 9) != Z_OK)
        std::abort();
    ulos.resize(n);
    return ulos;
}

void zlib_pura(const std::string& pakattu, std::string& ulos) {
    uLongf n = ulos.size();
    if (uncompress(reinterpret_cast<Bytef*>(ulos.data()), &n, reinterpret_cast<const Bytef*>(pakattu.data()),
                   pakattu.size()) != Z_OK)
        std::abort();
}

// Processor seconds of this process; on a machine shared with other builds they show the cost apart from
// the waiting that the wall clock also counts.
double cpu() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void raportoi(benchmark::State& state, double oma, double zlib, double oma_cpu, double zlib_cpu) {
    state.counters["oma_s"] = oma / static_cast<double>(state.iterations());
    state.counters["zlib_s"] = zlib / static_cast<double>(state.iterations());
    state.counters["suhde"] = oma / zlib;
    state.counters["suhde_cpu"] = oma_cpu / zlib_cpu;
}

void BM_Pakkaus(benchmark::State& state) {
    Aineisto& a = aineisto();
    const fs::path arkisto = a.kansio / "bench.rkb";
    double oma = 0, zlib = 0, oma_cpu = 0, zlib_cpu = 0;
    for (auto _ : state) {
        fs::remove(arkisto);
        auto alku = Kello::now();
        double c = cpu();
        TZLBArchive z(jarjestelman_tiedostot());
        if (!z.Create(arkisto) || !z.AddFiles(a.nimet, a.kansio)) std::abort();
        oma += sekunnit(alku, Kello::now());
        oma_cpu += cpu() - c;

        alku = Kello::now();
        c = cpu();
        for (const std::string& s : a.sisallot) benchmark::DoNotOptimize(zlib_pakkaa(s));
        zlib += sekunnit(alku, Kello::now());
        zlib_cpu += cpu() - c;
    }
    raportoi(state, oma, zlib, oma_cpu, zlib_cpu);
}

void BM_AvausJaPurku(benchmark::State& state) {
    Aineisto& a = aineisto();
    const fs::path arkisto = a.kansio / "bench.rkb";
    const fs::path kohde = a.kansio / "kohde";
    {
        TZLBArchive z(jarjestelman_tiedostot());
        fs::remove(arkisto);
        if (!z.Create(arkisto) || !z.AddFiles(a.nimet, a.kansio)) std::abort();
    }
    std::vector<std::string> pakatut;
    for (const std::string& s : a.sisallot) pakatut.push_back(zlib_pakkaa(s));
    std::vector<std::string> puretut;
    for (const std::string& s : a.sisallot) puretut.emplace_back(s.size(), '\0');

    double oma = 0, zlib = 0, oma_cpu = 0, zlib_cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(kohde);
        state.ResumeTiming();
        auto alku = Kello::now();
        double c = cpu();
        TZLBArchive z(jarjestelman_tiedostot());
        if (!z.Open(arkisto) || !z.ExtractAll(kohde)) std::abort();
        oma += sekunnit(alku, Kello::now());
        oma_cpu += cpu() - c;

        alku = Kello::now();
        c = cpu();
        for (std::size_t i = 0; i < pakatut.size(); ++i) zlib_pura(pakatut[i], puretut[i]);
        zlib += sekunnit(alku, Kello::now());
        zlib_cpu += cpu() - c;
    }
    raportoi(state, oma, zlib, oma_cpu, zlib_cpu);
}

}  // namespace

BENCHMARK(BM_Pakkaus)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AvausJaPurku)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
