// Saving a catalogue of 100 000 cards with 2 000 covers, against zlib level-9 compression of the same
// bytes (body and covers). The "suhde" counter is the ratio to that baseline measured in the same run.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <fstream>
#include <random>
#include <unistd.h>

#include "bench/mittaus.h"
#include "diag/kiire.h"
#include "diag/viestit.h"
#include "settings/asetukset.h"
#include "storage/runko.h"
#include "storage/tallennus.h"

namespace fs = std::filesystem;

namespace {

void pakkaa9(const std::string& s) {
    uLongf koko = compressBound(s.size());
    std::string ulos(koko, '\0');
    compress2(reinterpret_cast<Bytef*>(ulos.data()), &koko, reinterpret_cast<const Bytef*>(s.data()), s.size(), 9);
    benchmark::DoNotOptimize(ulos.data());
}

void Tallennus(benchmark::State& s) {
    const fs::path juuri = fs::temp_directory_path() / ("tallennus_bench_" + std::to_string(::getpid()));
    fs::remove_all(juuri);
    fs::create_directories(juuri / "gfx" / "kannet");
    const Ohjelmakansio kansio(juuri, jarjestelman_tiedostot());
    Tietokanta tk;
    std::vector<std::string> kannet;
    std::mt19937 r(1);
    for (int i = 0; i < 100000; ++i) {
        TKortti& k = tk.kortit.lisaa_uusi();
        k.nimi = "Elokuva numero " + std::to_string(i);
        k.kasetilla = std::to_string(i / 3 + 1);
        k.paanayttelijat = "Näyttelijä Yksi, Näyttelijä Kaksi";
        k.juoni = std::string(150 + i % 50, static_cast<char>('a' + i % 26));
        if (i % 50 == 0) {
            k.cover_fn = "gfx\\kannet\\" + std::to_string(10000000 + i) + ".jpg";
            std::string kuva(20000, '\0');
            for (auto& c : kuva) c = static_cast<char>(r());
            std::ofstream(kansio.polku(k.cover_fn), std::ios::binary) << kuva;
            kannet.push_back(std::move(kuva));
        }
    }
    HiljaisetViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.tallenna_sortattuna = false;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &asetukset};
    double oma = 0, pohja = 0;
    for (auto _ : s) {
        const auto t0 = std::chrono::steady_clock::now();
        std::string runko;
        kirjoita_runko(tk.kortit, runko);
        pakkaa9(runko);
        for (const std::string& k : kannet) pakkaa9(k);
        const auto t1 = std::chrono::steady_clock::now();
        tallenna_tietokanta("oma.rkb", v);
        const auto t2 = std::chrono::steady_clock::now();
        pohja += sekunnit(t0, t1);
        oma += sekunnit(t1, t2);
        s.SetIterationTime(sekunnit(t1, t2));
    }
    s.counters["suhde"] = oma / pohja;
    fs::remove_all(juuri);
}

BENCHMARK(Tallennus)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
