// Opening catalogues of 100 000 cards made by the large-catalogue generator (tools/aineisto), each
// measured against a baseline timed in the same iterations:
// - Avaus: the whole open in each unpack mode and body kind; "suhde" is the ratio to zlib inflating the
//   body member alone.
// - KannetAvattaessa: what unpacking every cover at open adds (an open with covers minus one without) at
//   2 000 and 20 000 covers of 20 kB; "suhde" is the ratio to writing the same cover files with plain
//   open/write/close, "kannet_s" the seconds the covers add. The plain cases open while the cover folder
//   holds the covers of the catalogue opened before, as the program does when a catalogue follows another
//   or is opened again; the "tyhjaan" cases open into a folder emptied just before, which on a file system
//   without a journal makes every new file scan past the inodes freed in the last minutes.
// - KansiTarvittaessa: one cover unpacked when its card is shown and decoded, at 100 000 cards; "suhde" is
//   the ratio to decoding the unpacked file alone, "ms_kansi" the milliseconds per cover.
// RULLAKKO_BENCH_KANSIO names the folder to work in (default: the temporary folder).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>

#include "bench/mittaus.h"
#include "diag/kiire.h"
#include "diag/viestit.h"
#include "settings/asetukset.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kuvakoodekki.h"
#include "storage/lataus.h"
#include "storage/zlbarkisto.h"
#include "tools/aineisto/suuri_luettelo.h"

namespace fs = std::filesystem;

namespace {

using Kello = std::chrono::steady_clock;

fs::path pohjakansio() {
    if (const char* k = std::getenv("RULLAKKO_BENCH_KANSIO"); k && *k) return k;
    return fs::temp_directory_path();
}

// A program folder holding one generated catalogue, the body member's stored zlib stream and the covers'
// bytes for the baselines.
struct Aineisto {
    fs::path juuri;
    fs::path tiedosto;
    std::string pakattu_runko;
    std::size_t runon_koko = 0;
    struct Kansi {
        std::string talteen;  // as stored in the file
        std::size_t koko;
        bool raaka;
    };
    std::vector<Kansi> kannet;

    explicit Aineisto(const std::string& nimi, const aineisto::Luettelo& l) {
        juuri = pohjakansio() / ("lataus_bench_" + std::to_string(::getpid()) + "_" + nimi);
        fs::remove_all(juuri);
        fs::create_directories(juuri / "gfx" / "kannet");
        tiedosto = juuri / "oma.rkb";
        aineisto::kirjoita_luettelo(tiedosto, l, juuri / "lahde");
        TZLBArchive zip(jarjestelman_tiedostot());
        if (!zip.Open(tiedosto)) std::abort();
        std::ifstream f(tiedosto, std::ios::binary);
        for (const TZLBEntry& e : zip.entries()) {
            std::string data(e.pakattu_koko, '\0');
            f.seekg(e.sijainti);
            f.read(data.data(), static_cast<std::streamsize>(data.size()));
            if (e.koko_nimi() == "avattu.$$$") {
                pakattu_runko = std::move(data);
                runon_koko = e.koko;
            } else {
                kannet.push_back({std::move(data), e.koko, e.raaka});
            }
        }
    }
    ~Aineisto() { fs::remove_all(juuri); }
};

Aineisto& aineisto_nimelta(const std::string& nimi) {
    static std::map<std::string, std::unique_ptr<Aineisto>> kaikki;
    auto& a = kaikki[nimi];
    if (!a) {
        aineisto::Luettelo l;
        if (nimi == "toistuva") l.vaihteleva = false;
        if (nimi == "kannet20000") l.kansia = 20000;
        a = std::make_unique<Aineisto>(nimi, l);
    }
    return *a;
}

struct Avaaja {
    const Aineisto& a;
    Ohjelmakansio kansio;
    HiljaisetViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;

    explicit Avaaja(const Aineisto& aineisto) : Avaaja(aineisto, aineisto.juuri) {}
    // An open in a program folder of its own.
    Avaaja(const Aineisto& aineisto, const fs::path& juuri) : a(aineisto), kansio(juuri, jarjestelman_tiedostot()) {
        fs::create_directories(juuri / "gfx" / "kannet");
        asetukset.notify_enabled = false;
    }

    double cpu = 0;  // processor seconds of the opens so far

    // One normal open into `tk`; the seconds it took.
    double avaa(Tietokanta& tk, bool heti) {
        asetukset.avaa_kannet_heti = heti;
        Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &asetukset};
        const std::clock_t c = std::clock();
        const auto alku = Kello::now();
        lue_tietueet(a.tiedosto.string(), false, false, tk.kortit, v);
        benchmark::DoNotOptimize(tk.kortit.Count());
        const double t = sekunnit(alku, Kello::now());
        cpu += static_cast<double>(std::clock() - c) / CLOCKS_PER_SEC;
        return t;
    }
};

double pura_runko(const Aineisto& a) { return inflaten_aika(a.pakattu_runko, a.runon_koko); }

void Avaus(benchmark::State& s, const char* nimi, bool heti) {
    Aineisto& a = aineisto_nimelta(nimi);
    Avaaja avaaja(a);
    double oma = 0, pohja = 0;
    for (auto _ : s) {
        poista_kannet(avaaja.kansio);
        pohja += pura_runko(a);
        Tietokanta tk;
        const double t = avaaja.avaa(tk, heti);
        oma += t;
        s.SetIterationTime(t);
    }
    s.counters["suhde"] = oma / pohja;
}

// The floor of unpacking covers: each cover member inflated in memory with zlib (unless stored raw) and
// written to a new file of a fresh folder.
double kirjoita_kannet(const Aineisto& a) {
    const fs::path kansio = a.juuri / "pohja";
    fs::remove_all(kansio);
    fs::create_directories(kansio);
    const auto alku = Kello::now();
    std::string kuva;
    for (std::size_t i = 0; i < a.kannet.size(); ++i) {
        const Aineisto::Kansi& k = a.kannet[i];
        kuva.resize(k.koko);
        uLongf koko = kuva.size();
        if (!k.raaka && uncompress(reinterpret_cast<Bytef*>(kuva.data()), &koko,
                                   reinterpret_cast<const Bytef*>(k.talteen.data()), k.talteen.size()) != Z_OK)
            std::abort();
        const std::string& data = k.raaka ? k.talteen : kuva;
        const int fd = ::open((kansio / (std::to_string(i) + ".jpg")).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd < 0 || ::write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size())) std::abort();
        ::close(fd);
    }
    const double t = sekunnit(alku, Kello::now());
    fs::remove_all(kansio);
    return t;
}

void KannetAvattaessa(benchmark::State& s, const char* nimi, bool tyhjaan) {
    Aineisto& a = aineisto_nimelta(nimi);
    Avaaja avaaja(a);
    // The open without covers works in a folder of its own, so that it leaves the covers of the one before.
    Avaaja ilman_kansia(a, a.juuri / "ilman");
    if (!tyhjaan) {
        Tietokanta edellinen;
        avaaja.avaa(edellinen, true);
    }
    double kannet = 0, pohja = 0, ilman_cpu = 0, kansin_cpu = 0;
    for (auto _ : s) {
        Tietokanta ilman;
        const double ennen = ilman_kansia.cpu;
        const double t_ilman = ilman_kansia.avaa(ilman, false);
        ilman_cpu += ilman_kansia.cpu - ennen;
        if (tyhjaan) poista_kannet(avaaja.kansio);
        Tietokanta kansin;
        const double ennen_kansin = avaaja.cpu;
        const double t_kansin = avaaja.avaa(kansin, true);
        kansin_cpu += avaaja.cpu - ennen_kansin;
        pohja += kirjoita_kannet(a);
        kannet += t_kansin - t_ilman;
        s.SetIterationTime(std::max(t_kansin - t_ilman, 1e-6));
    }
    s.counters["kannet_s"] = kannet / static_cast<double>(s.iterations());
    // On a machine shared with other work the processor time shows what the covers cost apart from waiting.
    s.counters["kannet_cpu_s"] = (kansin_cpu - ilman_cpu) / static_cast<double>(s.iterations());
    s.counters["suhde"] = kannet / pohja;
}

void KansiTarvittaessa(benchmark::State& s) {
    Aineisto& a = aineisto_nimelta("vaihteleva");
    Avaaja avaaja(a);
    poista_kannet(avaaja.kansio);
    Tietokanta tk;
    avaaja.avaa(tk, false);
    Varasto v{tk, avaaja.kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), avaaja.viestit, avaaja.kiire, &avaaja.asetukset};
    std::vector<int> kortit;
    for (int i = 1; i < tk.kortit.Count() && kortit.size() < 200; ++i)
        if (!tk.kortit[i].cover_fn.empty()) kortit.push_back(i);
    double oma = 0, pohja = 0;
    std::size_t naytetty = 0;
    for (auto _ : s) {
        poista_kannet(avaaja.kansio);
        double t = 0;
        for (const int i : kortit) {
            const TKortti& k = tk.kortit[i];
            auto alku = Kello::now();
            RgbKuva kuva;
            if (!pura_kansi(k, v) || !lue_jpeg(jarjestelman_tiedostot(), *kansikuvan_polku(avaaja.kansio, k.cover_fn), kuva)) std::abort();
            t += sekunnit(alku, Kello::now());
            alku = Kello::now();
            if (!lue_jpeg(jarjestelman_tiedostot(), *kansikuvan_polku(avaaja.kansio, k.cover_fn), kuva)) std::abort();
            pohja += sekunnit(alku, Kello::now());
        }
        oma += t;
        naytetty += kortit.size();
        s.SetIterationTime(t);
    }
    s.counters["ms_kansi"] = 1000 * oma / static_cast<double>(naytetty);
    s.counters["suhde"] = oma / pohja;
}

BENCHMARK_CAPTURE(Avaus, vaihteleva_tarvittaessa, "vaihteleva", false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Avaus, toistuva_tarvittaessa, "toistuva", false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Avaus, vaihteleva_heti, "vaihteleva", true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(KannetAvattaessa, kannet2000, "vaihteleva", false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(KannetAvattaessa, kannet20000, "kannet20000", false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(KannetAvattaessa, kannet2000_tyhjaan, "vaihteleva", true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(KannetAvattaessa, kannet20000_tyhjaan, "kannet20000", true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(KansiTarvittaessa)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
