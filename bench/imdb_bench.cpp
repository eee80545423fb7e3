// Hostile IMDb pages of 8 MB in the shapes that once made the readers quadratic: unclosed "<script" tags,
// "&" without ";" (in the JSON-LD text and through the entity decoder), runs of numeric references, bold
// tags before a votes line, runtime rows and deep JSON nesting. Each reader's time is compared with one
// plain pass over the same bytes (std::count) in the same iterations; "suhde" is the reader's time divided
// by that pass's, and "sekunteja" the reader's time per page.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "bench/mittaus.h"
#include "imdb/elokuvasivu.h"
#include "imdb/hakusivu.h"
#include "imdb/leikkurit.h"

namespace {

constexpr std::size_t koko = 8u << 20;

std::string toistettu(const std::string& pala, const std::string& loppu = {}) {
    std::string s;
    s.reserve(koko + pala.size() + loppu.size());
    while (s.size() < koko) s += pala;
    return s + loppu;
}

template <class F>
void mittaa(benchmark::State& state, const std::string& sivu, F lukija) {
    using Kello = std::chrono::steady_clock;
    double oma = 0, perus = 0;
    for (auto _ : state) {
        const auto a = Kello::now();
        benchmark::DoNotOptimize(std::count(sivu.begin(), sivu.end(), '<'));
        const auto b = Kello::now();
        lukija(sivu);
        const auto c = Kello::now();
        perus += sekunnit(a, b);
        oma += sekunnit(b, c);
    }
    state.counters["suhde"] = oma / perus;
    state.counters["sekunteja"] = oma / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(sivu.size()));
}

void lue_sivu(const std::string& sivu) { benchmark::DoNotOptimize(lue_elokuvasivu(sivu, TKortti{})); }

void BM_SkriptitIlmanLoppua(benchmark::State& state) {
    mittaa(state, toistettu("<script", ">"), lue_sivu);
}
void BM_EtMerkitIlmanPuolipistetta(benchmark::State& state) {
    mittaa(state, toistettu("&a"), [](const std::string& s) { benchmark::DoNotOptimize(pura_html_viitteet(s)); });
}
void BM_JsonKuvausIlmanPuolipisteita(benchmark::State& state) {
    const std::string sivu = "<script type=\"application/ld+json\">{\"@type\":\"Movie\",\"description\":\"" +
                             toistettu("&amp") + "\"}</script>";
    mittaa(state, sivu, lue_sivu);
}
void BM_NumeerisetViitteet(benchmark::State& state) {
    std::string pala;
    for (int i = 100; i < 256; ++i) pala += "&#" + std::to_string(i) + ";";
    mittaa(state, "<TITLE>" + toistettu(pala) + " (1999)</TITLE>\n", lue_sivu);
}
void BM_LihavatEnnenAania(benchmark::State& state) {
    mittaa(state, toistettu("<B>1.") + " (10 votes)\n", lue_sivu);
}
void BM_KestoRivit(benchmark::State& state) {
    mittaa(state, "<B CLASS=\"ch\">Runtime:</B> " + toistettu("1 / ") + "\n", lue_sivu);
}
void BM_SyvaJson(benchmark::State& state) {
    const std::string syva = toistettu("[") + std::string(koko, ']');
    mittaa(state, "<script type=\"application/ld+json\">" + syva + "</script>", lue_sivu);
}
void BM_VanhaHakusivu(benchmark::State& state) {
    const std::string sivu = "<A NAME=\"top\">Most popular searches</A>\n" +
                             toistettu("<A HREF=\"/Title?0133093\">Matrix, The (1999)</A> <I>aka</I>\n");
    mittaa(state, sivu, [](const std::string& s) { benchmark::DoNotOptimize(lue_hakutulokset(siivoa_hakusivu(s))); });
}

}  // namespace

BENCHMARK(BM_SkriptitIlmanLoppua)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EtMerkitIlmanPuolipistetta)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_JsonKuvausIlmanPuolipisteita)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NumeerisetViitteet)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LihavatEnnenAania)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KestoRivit)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SyvaJson)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VanhaHakusivu)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
