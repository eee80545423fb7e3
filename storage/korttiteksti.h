#pragma once
// The text of a card field: 8 bytes that either own a copy of the text or, for a field nobody has changed
// since it was read, point at the line of the unpacked body it came from, so a large catalogue costs little
// more than its body.
#include <compare>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

class Teksti {
public:
    using size_type = std::size_t;
    using value_type = char;
    using const_iterator = const char*;
    using iterator = const char*;
    static constexpr size_type npos = std::string_view::npos;

    Teksti() noexcept = default;
    explicit Teksti(std::string_view s) { omista(s); }
    // A copy always owns its bytes, so it stays valid whatever happens to the body the original points into.
    Teksti(const Teksti& t) { omista(t.nakyma()); }
    Teksti(Teksti&& t) {
        if (t.oma()) vie(t);
        else omista(t.nakyma());
    }
    ~Teksti() { vapauta(); }

    Teksti& operator=(const Teksti& t) {
        if (this != &t) aseta(t.nakyma());
        return *this;
    }
    Teksti& operator=(Teksti&& t) {
        if (this == &t) return *this;
        if (!t.oma()) return aseta(t.nakyma());
        vapauta();
        vie(t);
        return *this;
    }
    Teksti& operator=(std::string_view s) { return aseta(s); }
    Teksti& operator=(const std::string& s) { return aseta(s); }
    Teksti& operator=(const char* s) { return aseta(std::string_view(s)); }
    Teksti& assign(std::string_view s) { return aseta(s); }

    // Points at `n` bytes that stay valid and end in a NUL byte while the caller keeps them alive. A text
    // too long for a view, or at an address beyond one, is copied instead.
    void nayta(const char* p, std::uint32_t n) {
        const auto a = reinterpret_cast<std::uintptr_t>(p);
        if (n >= omistettu_ || (a & ~osoitteen_bitit) != 0) {
            aseta(std::string_view(p, n));
            return;
        }
        vapauta();
        s_ = a | (static_cast<std::uint64_t>(n) << osoitteen_leveys);
    }
    // Whether the text is a view of bytes owned elsewhere (not an owned copy).
    bool lainattu() const noexcept { return !oma() && pituus() != 0; }

    const char* data() const noexcept {
        const char* p = osoite();
        return oma() ? p + sizeof(std::uint32_t) : p;
    }
    const char* c_str() const noexcept { return data(); }
    size_type size() const noexcept {
        if (!oma()) return pituus();
        std::uint32_t n;
        std::memcpy(&n, osoite(), sizeof n);
        return n;
    }
    size_type length() const noexcept { return size(); }
    bool empty() const noexcept { return pituus() == 0; }
    char operator[](size_type i) const noexcept { return data()[i]; }
    char front() const noexcept { return data()[0]; }
    char back() const noexcept { return data()[size() - 1]; }
    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }

    std::string_view nakyma() const noexcept { return {data(), size()}; }
    std::string str() const { return std::string(nakyma()); }
    operator std::string_view() const noexcept { return nakyma(); }
    operator std::string() const { return str(); }

    size_type find(std::string_view s, size_type pos = 0) const noexcept { return nakyma().find(s, pos); }
    size_type find(char c, size_type pos = 0) const noexcept { return nakyma().find(c, pos); }
    size_type find(const char* s, size_type pos = 0) const noexcept { return nakyma().find(s, pos); }
    size_type rfind(std::string_view s, size_type pos = npos) const noexcept { return nakyma().rfind(s, pos); }
    size_type rfind(char c, size_type pos = npos) const noexcept { return nakyma().rfind(c, pos); }
    size_type rfind(const char* s, size_type pos = npos) const noexcept { return nakyma().rfind(s, pos); }
    size_type find_first_of(std::string_view s, size_type pos = 0) const noexcept { return nakyma().find_first_of(s, pos); }
    size_type find_last_of(std::string_view s, size_type pos = npos) const noexcept { return nakyma().find_last_of(s, pos); }
    size_type find_first_not_of(std::string_view s, size_type pos = 0) const noexcept {
        return nakyma().find_first_not_of(s, pos);
    }
    size_type find_last_not_of(std::string_view s, size_type pos = npos) const noexcept {
        return nakyma().find_last_not_of(s, pos);
    }
    std::string substr(size_type pos = 0, size_type n = npos) const { return std::string(nakyma().substr(pos, n)); }
    int compare(std::string_view s) const noexcept { return nakyma().compare(s); }
    bool starts_with(std::string_view s) const noexcept { return nakyma().starts_with(s); }
    bool ends_with(std::string_view s) const noexcept { return nakyma().ends_with(s); }

    void clear() noexcept {
        vapauta();
        s_ = tyhja();
    }
    Teksti& operator+=(std::string_view s);
    Teksti& operator+=(const std::string& s) { return *this += std::string_view(s); }
    Teksti& operator+=(const char* s) { return *this += std::string_view(s); }
    Teksti& operator+=(char c) { return *this += std::string_view(&c, 1); }
    Teksti& append(std::string_view s) { return *this += s; }
    void push_back(char c) { *this += c; }

    friend bool operator==(const Teksti& a, const Teksti& b) noexcept { return a.nakyma() == b.nakyma(); }
    friend bool operator==(const Teksti& a, std::string_view b) noexcept { return a.nakyma() == b; }
    friend bool operator==(const Teksti& a, const std::string& b) noexcept { return a.nakyma() == b; }
    friend bool operator==(const Teksti& a, const char* b) noexcept { return a.nakyma() == b; }
    friend std::strong_ordering operator<=>(const Teksti& a, const Teksti& b) noexcept {
        return a.nakyma() <=> b.nakyma();
    }
    friend std::strong_ordering operator<=>(const Teksti& a, std::string_view b) noexcept { return a.nakyma() <=> b; }
    friend std::strong_ordering operator<=>(const Teksti& a, const std::string& b) noexcept {
        return a.nakyma() <=> std::string_view(b);
    }
    friend std::strong_ordering operator<=>(const Teksti& a, const char* b) noexcept {
        return a.nakyma() <=> std::string_view(b);
    }

private:
    // One word holds the text. The low 48 bits are an address (user space on Linux stays below 2^48); the
    // high 16 bits are the length of a view, or all ones for an owned text, whose address is then that of a
    // block of its own: the length as 4 bytes, the bytes, a NUL.
    static constexpr int osoitteen_leveys = 48;
    static constexpr std::uint64_t osoitteen_bitit = (std::uint64_t{1} << osoitteen_leveys) - 1;
    static constexpr std::uint32_t omistettu_ = 0xffff;

    static std::uint64_t tyhja() noexcept { return reinterpret_cast<std::uintptr_t>(""); }
    bool oma() const noexcept { return pituus() == omistettu_; }
    // The length of a view; omistettu_ for an owned text (whose length is in its block, and never 0).
    std::uint32_t pituus() const noexcept { return static_cast<std::uint32_t>(s_ >> osoitteen_leveys); }
    const char* osoite() const noexcept { return reinterpret_cast<const char*>(s_ & osoitteen_bitit); }

    Teksti& aseta(std::string_view s);
    void omista(std::string_view s);
    void vapauta() noexcept {
        if (oma()) delete[] osoite();
    }
    void vie(Teksti& t) noexcept {
        s_ = t.s_;
        t.s_ = tyhja();
    }

    std::uint64_t s_ = tyhja();
};

static_assert(sizeof(Teksti) == 8);

std::string operator+(const Teksti& a, std::string_view b);
std::string operator+(std::string_view a, const Teksti& b);
std::string operator+(const Teksti& a, const Teksti& b);
std::string operator+(const Teksti& a, const std::string& b);
std::string operator+(const std::string& a, const Teksti& b);
std::string operator+(const Teksti& a, const char* b);
std::string operator+(const char* a, const Teksti& b);
std::string operator+(const Teksti& a, char b);
std::string operator+(char a, const Teksti& b);
std::ostream& operator<<(std::ostream& o, const Teksti& t);

template <>
struct std::hash<Teksti> {
    std::size_t operator()(const Teksti& t) const noexcept { return std::hash<std::string_view>{}(t.nakyma()); }
};
