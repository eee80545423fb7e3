#pragma once
// A temporary program folder for one test and skins made to order in it.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace asetustesti {

// A program folder of its own for one test; removed afterwards.
class Kansio {
public:
    Kansio() {
        static std::atomic<int> laskuri{0};
        juuri_ = std::filesystem::temp_directory_path() /
                 ("asetukset_" + std::to_string(::getpid()) + "_" + std::to_string(laskuri++));
        std::filesystem::remove_all(juuri_);
        std::filesystem::create_directories(juuri_);
    }
    ~Kansio() {
        std::error_code ec;
        std::filesystem::remove_all(juuri_, ec);
    }
    Kansio(const Kansio&) = delete;
    Kansio& operator=(const Kansio&) = delete;

    const std::filesystem::path& juuri() const { return juuri_; }

    // Writes bytes (cp1252 as the program's literals are) into a file of the folder.
    void kirjoita(const std::filesystem::path& nimi, const std::string& sisalto) const {
        std::filesystem::create_directories((juuri_ / nimi).parent_path());
        std::ofstream(juuri_ / nimi, std::ios::binary) << sisalto;
    }
    std::string lue(const std::filesystem::path& nimi) const {
        std::ifstream in(juuri_ / nimi, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path juuri_;
};

// The picture files a complete skin holds under the names a description without keys falls back to,
// plus the view icons named by kuvaus_kuvakkein.
inline const std::vector<std::string> ulkoasun_kuvat = {
    "tausta1.bmp", "tausta2.bmp",    "tahdet.bmp",     "tahdet2.bmp",     "_Lista.bmp",  "_etsi.bmp",
    "_poista.bmp", "_uusi.bmp",      "_jarjesta.bmp",  "_Edellinen.bmp",  "_Seuraava.bmp", "_peruuta.bmp",
    "auto.bmp",    "kansi.bmp",      "kansi_on.bmp",   "info.bmp",        "info_on.bmp", "lista.bmp",
    "lista_info.bmp"};

// A button skin description that names the icons above (the icons have no default names).
inline const std::string kuvaus_kuvakkein =
    "[Pääikkuna]\r\nauto_icon=auto.bmp\r\nkansi_icon=kansi.bmp\r\nkansi_available_icon=kansi_on.bmp\r\n"
    "info_icon=info.bmp\r\ninfo_available_icon=info_on.bmp\r\nlista_icon=lista.bmp\r\n"
    "lista&info_icon=lista_info.bmp\r\n";

// gfx\<nimi> with every picture but those in `ilman`, and with `kuvaus` as ulkoasu.ini unless it is empty.
inline void tee_ulkoasu(const Kansio& k, const std::string& nimi, const std::string& kuvaus,
                        std::initializer_list<std::string> ilman = {}) {
    const std::filesystem::path kansio = std::filesystem::path("gfx") / nimi;
    std::filesystem::create_directories(k.juuri() / kansio);
    for (const std::string& kuva : ulkoasun_kuvat)
        if (std::find(ilman.begin(), ilman.end(), kuva) == ilman.end()) k.kirjoita(kansio / kuva, "BM");
    if (!kuvaus.empty()) k.kirjoita(kansio / "ulkoasu.ini", kuvaus);
}

}  // namespace asetustesti
