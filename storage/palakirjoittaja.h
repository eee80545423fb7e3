#pragma once
// Output gathered into pieces of about a megabyte and handed on as each fills, so that a big file is written
// without being held whole in memory and without a system call per line.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class Palakirjoittaja {
public:
    static constexpr std::size_t pala = std::size_t{1} << 20;
    using Kirjoita = std::function<bool(std::string_view)>;

    // `kirjoita` takes each piece; once it returns false nothing more is handed to it.
    explicit Palakirjoittaja(const Kirjoita& kirjoita) : kirjoita_(kirjoita) { t_.reserve(pala + 4096); }

    void lisaa(std::string_view s) { t_.append(s); }
    // The piece being gathered, for a caller that changes what it has just added.
    std::string& puskuri() { return t_; }
    // Ends a line with CR LF; a full piece goes on.
    void rivinvaihto() {
        t_.append("\r\n", 2);
        if (t_.size() >= pala) tyhjenna();
    }
    // Hands on what is gathered; false once a piece could not be written.
    bool tyhjenna() {
        if (ok_ && !t_.empty()) ok_ = kirjoita_(t_);
        t_.clear();
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    const Kirjoita& kirjoita_;
    std::string t_;
    bool ok_ = true;
};
