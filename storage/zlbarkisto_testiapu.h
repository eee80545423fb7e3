#pragma once
// Whole files in and out, for the archive tests.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace zlb_testi {

inline std::string lue(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// Makes the missing folders on the way.
inline void kirjoita(const std::filesystem::path& p, std::string_view sisalto) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << sisalto;
}

}  // namespace zlb_testi
