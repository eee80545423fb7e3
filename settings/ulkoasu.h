#pragma once
// The loaded skin: colours and the pictures' files, read from the two skins chosen in the settings. The
// windows take their look from here (settings/ui/ulkoasu_qt.h applies it to Qt widgets).
#include <array>
#include <cstdint>
#include <filesystem>

// A colour as the skin and settings files write it: 0xBBGGRR.
using Vari = std::uint32_t;

// The seven picture buttons of the main window, in the order of their keys in the button skin.
enum class Nappi { Lista, Etsi, Poista, Uusi, Jarjesta, Edellinen, Seuraava };
inline constexpr int nappeja = 7;

// The seven view icons of the main window's side panel.
enum class Ikoni { auto_icon, kansi_icon, kansi_available_icon, info_icon, info_available_icon, lista_icon, lista_info_icon };
inline constexpr int ikoneita = 7;

struct Ulkoasu {
    // Window skin, section "Tekstit".
    Vari paaikkuna_normaali = 0x000000;
    Vari paaikkuna_korostettu = 0x00FFFF;
    Vari paaikkuna_himmennetty = 0x00EEEE;
    Vari paaikkuna_alareuna = 0x000000;
    Vari muut_ikkunat_normaali = 0x000000;
    Vari muut_ikkunat_korostettu = 0x00FFFF;
    // Window skin, section "Kentät"; kenttien_vari is already the forced colour when the settings force one.
    Vari kenttien_vari = 0xFFFFFF;
    Vari extrat = 0xFFFFFF;
    Vari kenttien_reunat = 0x000000;
    Vari kenttien_downarrow = 0xC5D6D9;

    // Main window background and the background the search, sort and list windows paint at their top left.
    std::filesystem::path tausta1;
    std::filesystem::path tausta2;

    std::array<std::filesystem::path, nappeja> napit;
    std::array<std::filesystem::path, ikoneita> ikonit;
    int icon_korostus = 50;  // brightening of the active view icon
    std::filesystem::path jarjesta_jarjesta, jarjesta_peruuta;  // the sort dialog's two buttons
    std::filesystem::path etsi_etsi, etsi_peruuta;              // the search dialog's two buttons
    std::filesystem::path tahdet, tahdet2;                      // lit and unlit rating stars, 113 x 21
    int korosta = 40;  // brightening of a picture button under the mouse

    const std::filesystem::path& nappi(Nappi n) const { return napit[static_cast<int>(n)]; }
    const std::filesystem::path& ikoni(Ikoni i) const { return ikonit[static_cast<int>(i)]; }
};
