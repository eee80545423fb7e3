#pragma once
// Shared pieces of the benchmarks: silent messages, wall-clock seconds between two instants, and ratios
// gathered over the iterations with the machine's load beside them.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

#include "diag/viestit.h"

class HiljaisetViestit final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string&, const std::string&) override {}
    diag::Vastaus kysy(diag::Laji, const std::string&, bool, const std::string&) override { return diag::Vastaus::Ei; }
};

inline double sekunnit(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// A folder of this run's own, emptied, under RULLAKKO_BENCH_KANSIO or the temporary folder.
inline std::filesystem::path bench_kansio(const std::string& nimi) {
    const char* k = std::getenv("RULLAKKO_BENCH_KANSIO");
    const std::filesystem::path p =
        (k && *k ? std::filesystem::path(k) : std::filesystem::temp_directory_path()) / (nimi + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
}

// The seconds zlib takes to inflate a stored member of `koko` bytes in memory: the baseline the catalogue
// benchmarks are measured against.
inline double inflaten_aika(const std::string& pakattu, std::size_t koko) {
    const auto alku = std::chrono::steady_clock::now();
    std::string purettu(koko, '\0');
    uLongf n = purettu.size();
    if (uncompress(reinterpret_cast<Bytef*>(purettu.data()), &n, reinterpret_cast<const Bytef*>(pakattu.data()),
                   pakattu.size()) != Z_OK)
        std::abort();
    benchmark::DoNotOptimize(purettu.data());
    return sekunnit(alku, std::chrono::steady_clock::now());
}

// A program run as a process of its own (argumentit[0] names it), its output to /dev/null, with `koti` as its
// RULLAKKO_HOME when one is given; the seconds from start to exit. (Its peak memory cannot be told from
// here: a child started from this process counts this process's pages until it replaces itself.)
inline double aja_prosessi(std::vector<std::string> argumentit, const std::filesystem::path& koti = {}) {
    std::vector<char*> argv;
    for (std::string& s : argumentit) argv.push_back(s.data());
    argv.push_back(nullptr);
    std::vector<std::string> ymparisto;
    if (!koti.empty()) ymparisto.push_back("RULLAKKO_HOME=" + koti.string());
    for (char** e = environ; *e; ++e)
        if (koti.empty() || std::string_view(*e).rfind("RULLAKKO_HOME=", 0) != 0) ymparisto.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& s : ymparisto) envp.push_back(s.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t f;
    posix_spawn_file_actions_init(&f);
    posix_spawn_file_actions_addopen(&f, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&f, 2, "/dev/null", O_WRONLY, 0);
    const auto alku = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &f, nullptr, argv.data(), envp.data()) != 0) std::abort();
    int tila = 0;
    ::waitpid(pid, &tila, 0);
    posix_spawn_file_actions_destroy(&f);
    return sekunnit(alku, std::chrono::steady_clock::now());
}

// One ratio per iteration, reported as its minimum and median with the load average of the last minute, so
// a figure from a busy machine can be told apart.
class Suhteet {
public:
    void lisaa(double suhde) { s_.push_back(suhde); }
    void raportoi(benchmark::State& tila, const std::string& nimi = "suhde") const {
        if (s_.empty()) return;
        std::vector<double> j = s_;
        std::sort(j.begin(), j.end());
        tila.counters[nimi + "_min"] = j.front();
        tila.counters[nimi + "_med"] = j.size() % 2 ? j[j.size() / 2] : (j[j.size() / 2 - 1] + j[j.size() / 2]) / 2;
        double kuorma = 0;
        if (::getloadavg(&kuorma, 1) == 1) tila.counters["kuorma"] = kuorma;
    }

private:
    std::vector<double> s_;
};
