#pragma once
// The main window's menu items that other subsystems connect, in menu order. The main window registers
// one item for each; a subsystem names the item it wants here, so an item that does not exist does not
// compile.
#include <cstddef>

enum class Toiminto {
    // Tiedosto
    Yhdista_tietokanta,
    Tuo_elokuvia,
    Tallenna_lista_tekstina,
    Tallenna_lista_utf8,
    Tallenna_lista_html,
    Tallenna_lista_csv,
    // Toiminnot
    Lainaa_kasetti,
    Lainaajaprofiilit,
    Tarkista_myohastyneet,
    Nauhatilanne,
    Taydenna_viitetiedoista,
    Laheta_palaute,
    Laheta_tietokanta,
    // Tulosta
    Tulosta_tarrat,
    Tulosta_lista,
    // Imdb
    Etsi_imdbsta,
    Nayta_imdbssa,
    Muokkaa_imdb_numeroa,
    Hae_puuttuvat_kannet,
    Hae_kansi,
    // Debug / Developer
    Poista_tuplat,
};

// How many there are. An item added after the last one moves this along; the main window's registry
// refuses a value beyond it at start-up.
inline constexpr std::size_t toimintoja = static_cast<std::size_t>(Toiminto::Poista_tuplat) + 1;
