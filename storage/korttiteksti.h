#pragma once
// The text of a card field: 16 bytes that either own a copy of the text or, for a field nobody has changed
// since it was read, point at the line of the unpacked body it came from, so a large catalogue costs little
// more than its body.
#include <compare>
#include <cstdint>
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
        if (t.oma_) vie(t);
        else omista(t.nakyma());
    }
    ~Teksti() { vapauta(); }

    Teksti& operator=(const Teksti& t) {
        if (this != &t) aseta(t.nakyma());
        return *this;
    }
    Teksti& operator=(Teksti&& t) {
        if (this == &t) return *this;
        if (!t.oma_) return aseta(t.nakyma());
        vapauta();
        vie(t);
        return *this;
    }
    Teksti& operator=(std::string_view s) { return aseta(s); }
    Teksti& operator=(const std::string& s) { return aseta(s); }
    Teksti& operator=(const char* s) { return aseta(std::string_view(s)); }
    Teksti& assign(std::string_view s) { return aseta(s); }

    // Points at `n` bytes that stay valid and end in a NUL byte while the caller keeps them alive.
    void nayta(const char* p, std::uint32_t n) noexcept {
        vapauta();
        p_ = p;
        n_ = n;
    }
    // Whether the text is a view of bytes owned elsewhere (not an owned copy).
    bool lainattu() const noexcept { return !oma_ && n_ != 0; }

    const char* data() const noexcept { return p_; }
    const char* c_str() const noexcept { return p_; }
    size_type size() const noexcept { return n_; }
    size_type length() const noexcept { return n_; }
    bool empty() const noexcept { return n_ == 0; }
    char operator[](size_type i) const noexcept { return p_[i]; }
    char front() const noexcept { return p_[0]; }
    char back() const noexcept { return p_[n_ - 1]; }
    const char* begin() const noexcept { return p_; }
    const char* end() const noexcept { return p_ + n_; }

    std::string_view nakyma() const noexcept { return {p_, n_}; }
    std::string str() const { return std::string(p_, n_); }
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
        p_ = tyhja_;
        n_ = 0;
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
    static constexpr const char* tyhja_ = "";

    Teksti& aseta(std::string_view s);
    void omista(std::string_view s);
    void vapauta() noexcept {
        if (oma_) delete[] p_;
        oma_ = false;
    }
    void vie(Teksti& t) noexcept {
        p_ = t.p_;
        n_ = t.n_;
        oma_ = t.oma_;
        t.p_ = tyhja_;
        t.n_ = 0;
        t.oma_ = false;
    }

    const char* p_ = tyhja_;
    std::uint32_t n_ = 0;
    bool oma_ = false;  // p_ was allocated by this text
};

static_assert(sizeof(Teksti) == 16);

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
