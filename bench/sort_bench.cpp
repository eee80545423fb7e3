// Sorting 100 000 cards by each key: our quicksort against std::sort with the same comparison, both
// measured in the same iteration on the same starting order. The reported time is ours; the counter
// "suhde" is ours divided by std::sort's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "find/sorttaus.h"
#include "perus/merkisto.h"

namespace {

constexpr int korttien_maara = 100000;

struct Aineisto {
    std::vector<std::unique_ptr<TKortti>> kortit;
    std::vector<TKortti*> alku;  // the starting order, restored before every sort

    // Puts the cards back in their starting order without copying them.
    void palauta() {
        for (auto& k : kortit) k.release();
        for (std::size_t i = 0; i < kortit.size(); ++i) kortit[i].reset(alku[i]);
    }
};

// Cassette numbers are plain numbers, "AP" and "DVD" numbers and a few empty ones: on such numbers the
// cassette comparison is a strict weak order, which std::sort needs.
Aineisto& aineisto() {
    static Aineisto a = [] {
        Aineisto u;
        std::mt19937 arpa(1);
        const auto valitse = [&](std::initializer_list<const char*> t) { return std::string(t.begin()[arpa() % t.size()]); };
        const auto sana = [&] {
            std::string s(1, static_cast<char>("ABKLMSTZaeiÄÖ"[arpa() % 13]));
            for (int i = 0, n = 3 + static_cast<int>(arpa() % 8); i < n; ++i) s += static_cast<char>('a' + arpa() % 26);
            return s;
        };
        for (int i = 0; i < korttien_maara; ++i) {
            auto k = std::make_unique<TKortti>();
            k->nimi = sana() + " " + sana();
            const unsigned r = arpa() % 100;
            const std::string n = std::to_string(1 + arpa() % 3000);
            k->kasetilla = r < 70 ? n : r < 90 ? "AP" + n : r < 95 ? "DVD" + n : "";
            k->sijainti = std::to_string(1 + arpa() % 8);
            k->luokitus = valitse({"Draama", "Kauhu", "Komedia", "Toiminta", "Lasten", ""});
            const unsigned m = 60 + arpa() % 120;
            k->kesto = valitse({"min", "h", "raw"}) == "min" ? std::to_string(m) + " min"
                       : m % 60 ? std::to_string(m / 60) + "h " + std::to_string(m % 60) + "min"
                                : std::to_string(m / 60) + "h";
            k->paanayttelijat = sana() + ", " + sana();
            k->ohjaaja = sana();
            k->maa = valitse({"USA", "Suomi", "Ruotsi", "Ranska", "Iso-Britannia"});
            k->lainassa = arpa() % 10 ? "" : sana();
            k->formaatti = valitse({"SP", "LP", "EP", "DVD", "DVD R2", "VCD", "DivX"});
            k->vuosi = std::to_string(1930 + arpa() % 76);
            k->vari = valitse({"Värit", "Mv"});
            k->lisatieto[0] = arpa() % 3 ? "" : sana();
            k->aani = valitse({"Mono", "Stereo", "Dolby Surround", "DTS"});
            k->arvosana = std::to_string(arpa() % 11);
            u.alku.push_back(k.get());
            u.kortit.push_back(std::move(k));
        }
        return u;
    }();
    return a;
}

double sekunteina(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_jarjesta(benchmark::State& state) {
    const Vertailu vertaa = vertailu(static_cast<int>(state.range(0)));
    Aineisto& a = aineisto();
    double oma = 0, vakio = 0;
    for (auto _ : state) {
        a.palauta();
        const auto t0 = std::chrono::steady_clock::now();
        pikalajittele(a.kortit, 0, korttien_maara - 1, vertaa);
        const auto t1 = std::chrono::steady_clock::now();
        a.palauta();
        const auto t2 = std::chrono::steady_clock::now();
        std::sort(a.kortit.begin(), a.kortit.end(),
                  [vertaa](const std::unique_ptr<TKortti>& x, const std::unique_ptr<TKortti>& y) { return vertaa(*x, *y) < 0; });
        const auto t3 = std::chrono::steady_clock::now();
        state.SetIterationTime(sekunteina(t1 - t0));
        oma += sekunteina(t1 - t0);
        vakio += sekunteina(t3 - t2);
    }
    state.SetLabel(merkisto::cp1252_utf8(jarjestysavaimet[static_cast<std::size_t>(state.range(0))]));
    state.counters["std_sort_ms"] = 1000 * vakio / static_cast<double>(state.iterations());
    state.counters["suhde"] = oma / vakio;
}

}  // namespace

BENCHMARK(BM_jarjesta)->DenseRange(0, avainten_maara - 1)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
