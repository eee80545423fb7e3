#pragma once
// Shared pieces of the benchmarks: silent messages and wall-clock seconds between two instants.
#include <chrono>
#include <string>

#include "diag/viestit.h"

class HiljaisetViestit final : public diag::Viestit {
public:
    void nayta(diag::Laji, const std::string&, const std::string&) override {}
    diag::Vastaus kysy(diag::Laji, const std::string&, bool, const std::string&) override { return diag::Vastaus::Ei; }
};

inline double sekunnit(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}
