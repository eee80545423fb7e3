// One reference lookup (exact pass and word pass) on 100 000 reference cards, against one linear pass of
// sisaltaa over the same titles, both measured in the same iteration. The reported time is ours; the
// counter "suhde" is ours divided by the linear pass.
#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

#include "imdb/viitehaku.h"
#include "perus/teksti.h"

namespace {

constexpr int korttien_maara = 100000;

std::string sana(std::mt19937& arpa) {
    static const char* alut[] = {"Ta", "Ku", "Mi", "Ve", "Lo", "Sa", "Pe", "Ha", "Ri", "No", "Äi", "Ö"};
    std::string s = alut[arpa() % 12];
    for (int i = 0, n = 2 + static_cast<int>(arpa() % 7); i < n; ++i) s += "aeiouklmnprstvyä"[arpa() % 16];
    return s;
}

struct Aineisto {
    Viitetietokanta viite;
    std::vector<std::string> haut;
};

Aineisto& aineisto() {
    static Aineisto a = [] {
        Aineisto u;
        std::mt19937 arpa(5);
        TOmaList l;
        for (int i = 0; i < korttien_maara; ++i) {
            TKortti& k = l.lisaa_uusi();
            std::string suomeksi = sana(arpa);
            for (int w = 0, n = static_cast<int>(arpa() % 4); w < n; ++w) suomeksi += " " + sana(arpa);
            k.nimi = arpa() % 3 ? suomeksi + " (" + sana(arpa) + " " + sana(arpa) + ")" : suomeksi;
            if (arpa() % 10 == 0) k.nimi += " " + std::to_string(2 + arpa() % 3);
            k.ohjaaja = sana(arpa) + " " + sana(arpa);
            k.luokitus = "Draama";
            k.vuosi = std::to_string(1930 + arpa() % 75);
            k.kesto = std::to_string(80 + arpa() % 90) + " min";
        }
        // Whole titles, their Finnish part, one word, a title with a "- " part, a title nowhere.
        for (int i = 0; i < 4; ++i) {
            const std::string& n = l[1 + static_cast<int>(arpa() % korttien_maara)].nimi;
            u.haut.push_back(n);
            u.haut.push_back(n.substr(0, n.find(" (")));
            u.haut.push_back(n.substr(0, n.find(' ')));
        }
        u.haut.push_back("Tähtien sota - Imperiumin vastaisku");
        u.haut.push_back("Ei tällaista elokuvaa ole");
        // Two-character words, single characters only, and no words at all (every title matches and is
        // offered).
        u.haut.push_back("Ta ke 2");
        u.haut.push_back("A E I");
        u.haut.push_back("(Alien)");
        u.viite.aseta(std::move(l));
        return u;
    }();
    return a;
}

double sekunteina(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_viitehaku(benchmark::State& state) {
    Aineisto& a = aineisto();
    const std::string& haku = a.haut[static_cast<std::size_t>(state.range(0))];
    const TOmaList& l = a.viite.kortit();
    const TKortti tyhja;
    double oma = 0, lineaarinen = 0;
    std::size_t osumia = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const std::vector<int> o = a.viite.etsi(haku, tyhja);
        const auto t1 = std::chrono::steady_clock::now();
        int n = 0;
        for (int i = 1; i < l.Count(); ++i) n += sisaltaa(haku, l[i].nimi);
        const auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(n);
        osumia = o.size();
        state.SetIterationTime(sekunteina(t1 - t0));
        oma += sekunteina(t1 - t0);
        lineaarinen += sekunteina(t2 - t1);
    }
    state.counters["osumia"] = static_cast<double>(osumia);
    state.counters["lineaarinen_ms"] = 1000 * lineaarinen / static_cast<double>(state.iterations());
    state.counters["suhde"] = oma / lineaarinen;
}

// Building the index when the reference catalogue is loaded, against the same linear pass.
void BM_hakemiston_rakennus(benchmark::State& state) {
    const TOmaList& l = aineisto().viite.kortit();
    double oma = 0, lineaarinen = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        Nimihakemisto h;
        h.rakenna(l);
        const auto t1 = std::chrono::steady_clock::now();
        int n = 0;
        for (int i = 1; i < l.Count(); ++i) n += sisaltaa("Tähtien", l[i].nimi);
        const auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(n);
        state.SetIterationTime(sekunteina(t1 - t0));
        oma += sekunteina(t1 - t0);
        lineaarinen += sekunteina(t2 - t1);
    }
    state.counters["suhde"] = oma / lineaarinen;
}

}  // namespace

BENCHMARK(BM_viitehaku)->DenseRange(0, 16, 1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_hakemiston_rakennus)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
