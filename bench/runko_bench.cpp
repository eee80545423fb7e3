// Reading and writing a body of 100 000 cards, against merely splitting the same bytes into lines and
// merely concatenating the same lines. The "suhde" counter is the ratio to that baseline in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/mittaus.h"
#include "diag/kiire.h"
#include "diag/viestit.h"
#include "storage/kentat.h"
#include "storage/runko.h"

namespace {

const TOmaList& luettelo() {
    static TOmaList l = [] {
        TOmaList t;
        for (int i = 0; i < 100000; ++i) {
            TKortti& k = t.lisaa_uusi();
            k.nimi = "Elokuva numero " + std::to_string(i);
            k.luokitus = "Toiminta";
            k.maa = "USA";
            k.kasetilla = std::to_string(i / 3 + 1);
            k.sijainti = std::to_string(i % 3 + 1);
            k.paanayttelijat = "Näyttelijä Yksi, Näyttelijä Kaksi, Näyttelijä Kolme";
            k.ohjaaja = "Ohjaaja " + std::to_string(i % 97);
            k.juoni = std::string(200, 'j');
            k.kesto = "1h 45min";
            k.vuosi = std::to_string(1950 + i % 70);
            k.arvosana = "7";
            k.imdb_koodi = std::to_string(1000000 + i);
            k.lisatieto_nimi[0] = lisatiedon_oletusnimi;
            k.lisatieto[0] = "Kirjoittaja";
        }
        return t;
    }();
    return l;
}

const std::string& runko() {
    static const std::string s = [] {
        std::string t;
        kirjoita_runko(luettelo(), t);
        return t;
    }();
    return s;
}

std::vector<std::string> pilko(const std::string& s) {
    std::vector<std::string> rivit;
    std::size_t p = 0;
    while (p < s.size()) {
        const std::size_t e = s.find('\r', p);
        const std::size_t loppu = e == std::string::npos ? s.size() : e;
        rivit.emplace_back(s, p, loppu - p);
        p = loppu + 2;
    }
    return rivit;
}

void Luku(benchmark::State& s) {
    const std::string& teksti = runko();
    HiljaisetViestit v;
    double oma = 0, pohja = 0;
    for (auto _ : s) {
        const auto t0 = std::chrono::steady_clock::now();
        auto rivit = pilko(teksti);
        benchmark::DoNotOptimize(rivit.data());
        const auto t1 = std::chrono::steady_clock::now();
        TOmaList l;
        lue_runko(teksti, l, RungonLuku{}, v);
        benchmark::DoNotOptimize(l.Count());
        const auto t2 = std::chrono::steady_clock::now();
        pohja += sekunnit(t0, t1);
        oma += sekunnit(t1, t2);
        s.SetIterationTime(sekunnit(t1, t2));
    }
    s.counters["suhde"] = oma / pohja;
    s.SetBytesProcessed(static_cast<int64_t>(s.iterations() * teksti.size()));
}

void Kirjoitus(benchmark::State& s) {
    const std::vector<std::string> rivit = pilko(runko());
    double oma = 0, pohja = 0;
    for (auto _ : s) {
        const auto t0 = std::chrono::steady_clock::now();
        std::string yhdessa;
        for (const std::string& r : rivit) {
            yhdessa += r;
            yhdessa += "\r\n";
        }
        benchmark::DoNotOptimize(yhdessa.data());
        const auto t1 = std::chrono::steady_clock::now();
        std::string ulos;
        kirjoita_runko(luettelo(), ulos);
        benchmark::DoNotOptimize(ulos.data());
        const auto t2 = std::chrono::steady_clock::now();
        pohja += sekunnit(t0, t1);
        oma += sekunnit(t1, t2);
        s.SetIterationTime(sekunnit(t1, t2));
    }
    s.counters["suhde"] = oma / pohja;
}

BENCHMARK(Luku)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Kirjoitus)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
