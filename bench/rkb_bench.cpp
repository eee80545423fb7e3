// The command-line tool end to end, each run as a process of its own on catalogues of 10 000, 100 000 and
// 300 000 generated cards (tools/aineisto, covers left out), against two baselines timed in the same
// iterations:
// - zlib inflating the same file's body member in this process, into memory this process has used before
//   ("suhde");
// - a process of its own that reads the file and inflates the body to /dev/null 64 KB at a time
//   (bench/apu/pelkka_inflate), which pays the process start and the file read as rkb does ("suhde_prosessi").
// - Runko: `rkb body FILE` into /dev/null. Each ratio is its wall time over the baseline's (minimum and
//   median over the iterations, with the load average), "runko_mt" the body's unpacked size.
// - Html: `rkb export-html FILE OUT`, the same counters.
// - Kaynnistys: `rkb` without a command, which prints its usage: "ms" per process start.
// RULLAKKO_BENCH_KANSIO names the folder to work in (default: the temporary folder); RULLAKKO_BENCH_RKB
// another rkb to measure (an older build, for a before-and-after).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>

#include "bench/mittaus.h"
#include "storage/zlbarkisto.h"
#include "tools/aineisto/suuri_luettelo.h"

namespace fs = std::filesystem;

namespace {

using Kello = std::chrono::steady_clock;

struct Aineisto {
    fs::path juuri;
    fs::path tiedosto;
    std::string pakattu_runko;
    std::size_t runon_koko = 0;
    std::uint64_t runon_sijainti = 0;

    explicit Aineisto(int kortteja) {
        juuri = bench_kansio("rkb_bench_" + std::to_string(kortteja));
        tiedosto = juuri / "oma.rkb";
        aineisto::Luettelo l;
        l.kortteja = kortteja;
        l.kansia = 0;
        aineisto::kirjoita_luettelo(tiedosto, l, juuri / "lahde");
        TZLBArchive zip(jarjestelman_tiedostot());
        if (!zip.Open(tiedosto)) std::abort();
        const TZLBEntry& e = zip.entries()[static_cast<std::size_t>(zip.etsi("avattu.$$$"))];
        pakattu_runko.resize(e.pakattu_koko);
        std::ifstream f(tiedosto, std::ios::binary);
        f.seekg(e.sijainti);
        f.read(pakattu_runko.data(), static_cast<std::streamsize>(pakattu_runko.size()));
        runon_koko = e.koko;
        runon_sijainti = e.sijainti;
    }
    ~Aineisto() { fs::remove_all(juuri); }
};

Aineisto& aineisto(int kortteja) {
    static std::map<int, std::unique_ptr<Aineisto>> kaikki;
    auto& a = kaikki[kortteja];
    if (!a) a = std::make_unique<Aineisto>(kortteja);
    return *a;
}

// rkb (or the one RULLAKKO_BENCH_RKB names) with these arguments and its program folder `koti`.
double aja(const std::vector<std::string>& argumentit, const fs::path& koti) {
    const char* rkb = std::getenv("RULLAKKO_BENCH_RKB");
    std::vector<std::string> a{rkb && *rkb ? rkb : RKB_EXE};
    a.insert(a.end(), argumentit.begin(), argumentit.end());
    return aja_prosessi(a, koti);
}

void Komento(benchmark::State& s, bool html) {
    Aineisto& a = aineisto(static_cast<int>(s.range(0)));
    const fs::path ulos = a.juuri / "lista.html";
    const std::vector<std::string> argumentit =
        html ? std::vector<std::string>{"export-html", a.tiedosto.string(), ulos.string()}
             : std::vector<std::string>{"body", a.tiedosto.string()};
    const std::vector<std::string> inflate{PELKKA_INFLATE_EXE, a.tiedosto.string(), std::to_string(a.runon_sijainti),
                                           std::to_string(a.pakattu_runko.size())};
    Suhteet suhteet, prosessiin;
    for (auto _ : s) {
        const double pohja = inflaten_aika(a.pakattu_runko, a.runon_koko);
        const double prosessipohja = aja_prosessi(inflate);
        const double t = aja(argumentit, a.juuri);
        suhteet.lisaa(t / pohja);
        prosessiin.lisaa(t / prosessipohja);
        s.SetIterationTime(t);
    }
    suhteet.raportoi(s);
    prosessiin.raportoi(s, "suhde_prosessi");
    s.counters["runko_mt"] = static_cast<double>(a.runon_koko) / 1e6;
}

void Runko(benchmark::State& s) { Komento(s, false); }
void Html(benchmark::State& s) { Komento(s, true); }

void Kaynnistys(benchmark::State& s) {
    const fs::path koti = fs::temp_directory_path();
    double yhteensa = 0;
    for (auto _ : s) {
        const double t = aja({}, koti);
        yhteensa += t;
        s.SetIterationTime(t);
    }
    s.counters["ms"] = 1000 * yhteensa / static_cast<double>(s.iterations());
}

BENCHMARK(Runko)->Arg(10000)->Arg(100000)->Arg(300000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Html)->Arg(10000)->Arg(100000)->Arg(300000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Kaynnistys)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
