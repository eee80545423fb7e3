// The list search over 100 000 cards, all fourteen fields checked, three words that mostly miss: ours
// against a plain loop running the same containment test over the same fields. The reported time is ours;
// the counter "suhde" is ours divided by the plain loop's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

#include "find/haku.h"
#include "perus/teksti.h"

namespace {

constexpr int korttien_maara = 100000;

const TOmaList& aineisto() {
    static TOmaList l = [] {
        TOmaList u;
        std::mt19937 arpa(7);
        const auto sana = [&] {
            std::string s(1, static_cast<char>('A' + arpa() % 26));
            for (int i = 0, n = 3 + static_cast<int>(arpa() % 8); i < n; ++i) s += static_cast<char>('a' + arpa() % 26);
            return s;
        };
        for (int i = 0; i < korttien_maara; ++i) {
            TKortti& k = u.lisaa_uusi();
            k.nimi = sana() + " " + sana();
            k.paanayttelijat = sana() + " " + sana() + ", " + sana() + " " + sana();
            k.luokitus = "Draama";
            k.formaatti = "DVD";
            k.kesto = std::to_string(60 + arpa() % 120) + " min";
            k.aani = "Stereo";
            k.kasetilla = std::to_string(1 + arpa() % 3000);
            k.sijainti = std::to_string(1 + arpa() % 8);
            k.vari = "Värit";
            k.maa = "USA";
            k.vuosi = std::to_string(1930 + arpa() % 76);
            k.ohjaaja = sana() + " " + sana();
            k.lisatieto[0] = arpa() % 3 ? "" : sana();
            k.juoni = sana() + " " + sana() + " " + sana() + " " + sana() + " " + sana() + " " + sana();
        }
        return u;
    }();
    return l;
}

const std::vector<std::string> sanat = {"matrix", "alien", "zorro"};

// What the search must not be much slower than: every word against every field of every card.
int tavallinen_silmukka(const TOmaList& l) {
    int osumia = 0;
    for (int i = 1; i < l.Count(); ++i) {
        bool osuu = false;
        for (int e = 0; e < hakukenttia && !osuu; ++e)
            for (const std::string& s : sanat)
                if (sisaltaa(s, hakukentta(l[i], e))) {
                    osuu = true;
                    break;
                }
        osumia += osuu;
    }
    return osumia;
}

double sekunteina(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_etsi_listaan(benchmark::State& state) {
    const TOmaList& l = aineisto();
    double oma = 0, perus = 0;
    std::size_t osumia = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const std::vector<int> tulos = etsi_listaan(l, sanat, kaikki_hakukentat(), [](int i) { benchmark::DoNotOptimize(i); });
        const auto t1 = std::chrono::steady_clock::now();
        const int vertailu = tavallinen_silmukka(l);
        const auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(vertailu);
        osumia = tulos.size();
        state.SetIterationTime(sekunteina(t1 - t0));
        oma += sekunteina(t1 - t0);
        perus += sekunteina(t2 - t1);
        if (static_cast<int>(tulos.size()) != vertailu) state.SkipWithError("osumat eroavat");
    }
    state.counters["osumia"] = static_cast<double>(osumia);
    state.counters["silmukka_ms"] = 1000 * perus / static_cast<double>(state.iterations());
    state.counters["suhde"] = oma / perus;
}

}  // namespace

BENCHMARK(BM_etsi_listaan)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
