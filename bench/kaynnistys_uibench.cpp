// The real program started offscreen with a catalogue of 100 000 generated cards (tools/aineisto, 2 000
// covers) named on its command line, up to its main window painted with the first card:
// - Kaynnistys: in both cover modes (unpacked at open, the default, and left packed), against an empty start
//   (the same start with a catalogue of one card) plus `rkb body` of the same file run as a process, both
//   timed in the same iterations. "suhde" is ours over their sum (minimum and median, with the load average),
//   "ms" our mean time.
// - Muisti: the resident size of the program with the 100 000 cards over the same program with one card, less
//   the unpacked body, per card ("tavua_kortti"); each start in a child process of its own, covers left packed.
// RULLAKKO_BENCH_KANSIO names the folder to work in (default: the temporary folder).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <fstream>

#include "bench/mittaus.h"
#include "storage/zlbarkisto.h"
#include "testituki/kaynnistys.h"
#include "tools/aineisto/suuri_luettelo.h"

namespace fs = std::filesystem;

namespace {

using Kello = std::chrono::steady_clock;

struct Luettelot {
    fs::path juuri;
    fs::path suuri, pieni;
    std::size_t runon_koko = 0;
    int kortteja = 0;

    Luettelot() {
        juuri = bench_kansio("kaynnistys_bench");
        suuri = juuri / "suuri.rkb";
        pieni = juuri / "pieni.rkb";
        aineisto::Luettelo l;
        kortteja = l.kortteja;
        aineisto::kirjoita_luettelo(suuri, l, juuri / "lahde");
        l.kortteja = 1;
        l.kansia = 0;
        aineisto::kirjoita_luettelo(pieni, l, juuri / "lahde");
        TZLBArchive zip(jarjestelman_tiedostot());
        if (!zip.Open(suuri)) std::abort();
        runon_koko = zip.entries()[static_cast<std::size_t>(zip.etsi("avattu.$$$"))].koko;
    }
    ~Luettelot() { fs::remove_all(juuri); }
};

Luettelot& luettelot() {
    static Luettelot l;
    return l;
}

// A program folder of its own with the skin and settings of the window tests; the start is timed up to the
// first paint of the main window.
double kaynnista(const fs::path& luettelo, bool kannet_heti) {
    testituki::Kaynnistys s;
    s.k.kirjoita("asetukset.ini", std::string("[Tallennus]\r\nsortattuna=0\r\nAvaa_kannet_heti=") +
                                      (kannet_heti ? "1" : "0") + "\r\n");
    const auto alku = Kello::now();
    if (!s.kaynnista({QString::fromStdString(luettelo.string())})) std::abort();
    QApplication::processEvents();
    s.m().repaint();
    const double t = sekunnit(alku, Kello::now());
    if (s.m().varasto().tk().kortit.korttien_maara() < 1) std::abort();
    return t;
}

double rkb_body(const fs::path& luettelo) { return aja_prosessi({RKB_EXE, "body", luettelo.string()}); }

void Kaynnistys(benchmark::State& s) {
    const bool heti = s.range(0) != 0;
    Luettelot& l = luettelot();
    Suhteet suhteet;
    double oma_yht = 0;
    for (auto _ : s) {
        const double tyhja = kaynnista(l.pieni, heti);
        const double runko = rkb_body(l.suuri);
        const double oma = kaynnista(l.suuri, heti);
        suhteet.lisaa(oma / (tyhja + runko));
        oma_yht += oma;
        s.SetIterationTime(oma);
    }
    suhteet.raportoi(s);
    s.counters["ms"] = 1000 * oma_yht / static_cast<double>(s.iterations());
}

// "VmRSS" in bytes.
long long muisti() {
    std::ifstream f("/proc/self/status");
    std::string rivi;
    while (std::getline(f, rivi))
        if (rivi.rfind("VmRSS:", 0) == 0) return std::atoll(rivi.c_str() + 6) * 1024;
    return 0;
}

// The program's resident size once started with the catalogue, measured in a child process of its own.
long long muisti_kaynnistettyna(const fs::path& luettelo) {
    int putki[2];
    if (::pipe(putki) != 0) std::abort();
    const pid_t lapsi = ::fork();
    if (lapsi == 0) {
        int argc = 1;
        char nimi[] = "rullakko";
        char* argv[] = {nimi, nullptr};
        QApplication app(argc, argv);
        long long m = 0;
        {
            testituki::Kaynnistys k;
            k.k.kirjoita("asetukset.ini", "[Tallennus]\r\nsortattuna=0\r\nAvaa_kannet_heti=0\r\n");
            if (k.kaynnista({QString::fromStdString(luettelo.string())})) {
                QApplication::processEvents();
                malloc_trim(0);
                m = muisti();
            }
        }
        ::_exit(::write(putki[1], &m, sizeof m) == static_cast<ssize_t>(sizeof m) ? 0 : 1);
    }
    ::close(putki[1]);
    long long m = 0;
    if (::read(putki[0], &m, sizeof m) != static_cast<ssize_t>(sizeof m)) m = 0;
    ::close(putki[0]);
    int tila = 0;
    ::waitpid(lapsi, &tila, 0);
    return m;
}

// Measured before the application object exists (a child cannot start a second one), reported here.
struct {
    long long pieni = 0, suuri = 0;
} muistit;

void Muisti(benchmark::State& s) {
    for (auto _ : s) {
    }
    const Luettelot& l = luettelot();
    if (muistit.pieni <= 0 || muistit.suuri <= 0) {
        s.SkipWithError("mittaus epäonnistui");
        return;
    }
    s.counters["tavua_kortti"] =
        static_cast<double>(muistit.suuri - muistit.pieni - static_cast<long long>(l.runon_koko)) / l.kortteja;
    s.counters["ikkuna_mt"] = static_cast<double>(muistit.suuri) / 1e6;
    s.counters["runko_mt"] = static_cast<double>(l.runon_koko) / 1e6;
}

BENCHMARK(Kaynnistys)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Muisti)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    // Memory first, in children forked before this process starts its own window system.
    muistit.pieni = muisti_kaynnistettyna(luettelot().pieni);
    muistit.suuri = muisti_kaynnistettyna(luettelot().suuri);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
