// Opening a catalogue of 100 000 cards and 2 000 covers in both unpack modes, against inflating the body
// member with zlib alone. The "suhde" counter is the ratio to that baseline measured in the same run.
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
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

struct Aineisto {
    fs::path juuri;
    std::string runko;
    std::string pakattu;

    Aineisto() {
        juuri = fs::temp_directory_path() / ("lataus_bench_" + std::to_string(::getpid()));
        fs::remove_all(juuri);
        fs::create_directories(juuri / "lahde" / "gfx" / "kannet");
        fs::create_directories(juuri / "gfx" / "kannet");
        TOmaList l;
        std::vector<std::string> nimet{"avattu.$$$"};
        std::mt19937 r(1);
        for (int i = 0; i < 100000; ++i) {
            TKortti& k = l.lisaa_uusi();
            k.nimi = "Elokuva numero " + std::to_string(i);
            k.luokitus = "Toiminta";
            k.kasetilla = std::to_string(i / 3 + 1);
            k.sijainti = std::to_string(i % 3 + 1);
            k.paanayttelijat = "Näyttelijä Yksi, Näyttelijä Kaksi";
            k.juoni = std::string(150 + i % 50, static_cast<char>('a' + i % 26));
            k.imdb_koodi = std::to_string(1000000 + i);
            if (i % 50 == 0) {
                k.cover_fn = "gfx\\kannet\\" + std::to_string(10000000 + i) + ".jpg";
                std::string kuva(20000, '\0');
                for (auto& c : kuva) c = static_cast<char>(r());
                std::ofstream(juuri / "lahde" / "gfx" / "kannet" / (std::to_string(10000000 + i) + ".jpg"), std::ios::binary) << kuva;
                nimet.push_back(k.cover_fn);
            }
        }
        kirjoita_runko(l, runko);
        std::ofstream(juuri / "lahde" / "avattu.$$$", std::ios::binary) << runko;
        TZLBArchive zip;
        zip.Create(juuri / "oma.rkb");
        zip.AddFiles(nimet, juuri / "lahde");
        zip.Close();
        uLongf koko = compressBound(runko.size());
        pakattu.resize(koko);
        compress2(reinterpret_cast<Bytef*>(pakattu.data()), &koko, reinterpret_cast<const Bytef*>(runko.data()), runko.size(), 9);
        pakattu.resize(koko);
    }
    ~Aineisto() { fs::remove_all(juuri); }
};

Aineisto& aineisto() {
    static Aineisto a;
    return a;
}

void Avaus(benchmark::State& s, bool heti) {
    Aineisto& a = aineisto();
    const Ohjelmakansio kansio(a.juuri);
    HiljaisetViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.avaa_kannet_heti = heti;
    asetukset.notify_enabled = false;
    double oma = 0, pohja = 0;
    for (auto _ : s) {
        const auto t0 = std::chrono::steady_clock::now();
        std::string purettu(a.runko.size(), '\0');
        uLongf koko = purettu.size();
        uncompress(reinterpret_cast<Bytef*>(purettu.data()), &koko, reinterpret_cast<const Bytef*>(a.pakattu.data()), a.pakattu.size());
        benchmark::DoNotOptimize(purettu.data());
        const auto t1 = std::chrono::steady_clock::now();
        Tietokanta tk;
        Varasto v{tk, kansio, viestit, kiire, &asetukset};
        lue_tietueet((a.juuri / "oma.rkb").string(), false, false, tk.kortit, v);
        benchmark::DoNotOptimize(tk.kortit.Count());
        const auto t2 = std::chrono::steady_clock::now();
        pohja += sekunnit(t0, t1);
        oma += sekunnit(t1, t2);
        s.SetIterationTime(sekunnit(t1, t2));
    }
    s.counters["suhde"] = oma / pohja;
}

BENCHMARK_CAPTURE(Avaus, kannet_tarvittaessa, false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Avaus, kannet_heti, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
