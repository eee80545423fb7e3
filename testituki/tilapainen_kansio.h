#pragma once
// A folder of its own for one test: a program folder, or a place for the files a test writes and reads.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testituki {

// Made empty under the system's temporary folder, with a name no other test or process uses; removed with
// everything in it when the object goes.
class Tilapainen_kansio {
public:
    // `nimi` starts the folder's name, so a folder left by a crashed test tells which test it was.
    explicit Tilapainen_kansio(std::string nimi = "rullakko") {
        static std::atomic<int> laskuri{0};
        std::replace(nimi.begin(), nimi.end(), '/', '_');  // names of parameterised tests hold slashes
        juuri_ = std::filesystem::temp_directory_path() /
                 (nimi + "_" + std::to_string(::getpid()) + "_" + std::to_string(laskuri++));
        std::filesystem::remove_all(juuri_);
        std::filesystem::create_directories(juuri_);
    }
    ~Tilapainen_kansio() {
        std::error_code ec;
        std::filesystem::remove_all(juuri_, ec);
    }
    Tilapainen_kansio(const Tilapainen_kansio&) = delete;
    Tilapainen_kansio& operator=(const Tilapainen_kansio&) = delete;

    const std::filesystem::path& juuri() const { return juuri_; }
    std::filesystem::path operator/(const std::filesystem::path& nimi) const { return juuri_ / nimi; }

    // Writes bytes (cp1252 as the program's literals are) into a file of the folder, making its folders.
    void kirjoita(const std::filesystem::path& nimi, const std::string& sisalto) const {
        std::filesystem::create_directories((juuri_ / nimi).parent_path());
        std::ofstream(juuri_ / nimi, std::ios::binary) << sisalto;
    }
    // A file of the folder as bytes; empty when it cannot be read.
    std::string lue(const std::filesystem::path& nimi) const {
        std::ifstream in(juuri_ / nimi, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path juuri_;
};

}  // namespace testituki
