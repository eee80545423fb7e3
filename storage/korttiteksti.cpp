#include "storage/korttiteksti.h"

#include <cstring>
#include <ostream>
#include <new>
#include <stdexcept>

namespace {

std::uint32_t kentan_pituus(std::size_t n) {
    if (n > UINT32_MAX) throw std::length_error("kortin kenttä on liian pitkä");
    return static_cast<std::uint32_t>(n);
}

std::string yhdessa(std::string_view a, std::string_view b) {
    std::string t;
    t.reserve(a.size() + b.size());
    t.append(a);
    t.append(b);
    return t;
}

}  // namespace

void Teksti::omista(std::string_view s) {
    if (s.empty()) {
        s_ = tyhja();
        return;
    }
    const std::uint32_t n = kentan_pituus(s.size());
    char* lohko = new char[sizeof n + s.size() + 1];
    const auto a = reinterpret_cast<std::uintptr_t>(lohko);
    if ((a & ~osoitteen_bitit) != 0) {
        delete[] lohko;
        throw std::bad_alloc();
    }
    std::memcpy(lohko, &n, sizeof n);
    std::memcpy(lohko + sizeof n, s.data(), s.size());
    lohko[sizeof n + s.size()] = '\0';
    s_ = a | (std::uint64_t{omistettu_} << osoitteen_leveys);
}

Teksti& Teksti::aseta(std::string_view s) {
    // The new bytes are copied before the old ones are freed: `s` may be a part of this text.
    Teksti uusi(s);
    vapauta();
    vie(uusi);
    return *this;
}

Teksti& Teksti::operator+=(std::string_view s) {
    if (s.empty()) return *this;
    return aseta(yhdessa(nakyma(), s));
}

std::string operator+(const Teksti& a, std::string_view b) { return yhdessa(a, b); }
std::string operator+(std::string_view a, const Teksti& b) { return yhdessa(a, b); }
std::string operator+(const Teksti& a, const Teksti& b) { return yhdessa(a, b); }
std::string operator+(const Teksti& a, const std::string& b) { return yhdessa(a, b); }
std::string operator+(const std::string& a, const Teksti& b) { return yhdessa(a, b); }
std::string operator+(const Teksti& a, const char* b) { return yhdessa(a, b); }
std::string operator+(const char* a, const Teksti& b) { return yhdessa(a, b); }
std::string operator+(const Teksti& a, char b) { return yhdessa(a, std::string_view(&b, 1)); }
std::string operator+(char a, const Teksti& b) { return yhdessa(std::string_view(&a, 1), b); }

std::ostream& operator<<(std::ostream& o, const Teksti& t) { return o << t.nakyma(); }
