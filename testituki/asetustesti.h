#pragma once
// Skins made to order in a test's program folder.
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "testituki/tilapainen_kansio.h"

namespace asetustesti {

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
inline void tee_ulkoasu(const testituki::Tilapainen_kansio& k, const std::string& nimi, const std::string& kuvaus,
                        std::initializer_list<std::string> ilman = {}) {
    const std::filesystem::path kansio = std::filesystem::path("gfx") / nimi;
    std::filesystem::create_directories(k.juuri() / kansio);
    for (const std::string& kuva : ulkoasun_kuvat)
        if (std::find(ilman.begin(), ilman.end(), kuva) == ilman.end()) k.kirjoita(kansio / kuva, "BM");
    if (!kuvaus.empty()) k.kirjoita(kansio / "ulkoasu.ini", kuvaus);
}

}  // namespace asetustesti
