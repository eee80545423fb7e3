#pragma once
// A downloaded cover picture becomes the current card's cover: named by its first bytes, checked to
// decode as a picture, and only then attached.
#include <filesystem>
#include <string>
#include <string_view>

#include "diag/viestit.h"
#include "storage/kortti.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostojarjestelma.h"
#include "perus/verkkohaku.h"

// What the first three bytes of a downloaded file say.
struct Kuvalaji {
    bool gif = false;   // "GIF": the file gets ".gif", anything else ".jpg"
    bool html = false;  // three line feeds: a web page came instead of a picture
};
Kuvalaji tunnista_kuva(std::string_view alku);

inline constexpr const char* html_kansi_viesti =
    "Vastaanotettu kansikuva ei ole kuvatiedosto vaan HTML dokumentti!\n"
    "Virheen aiheutti mahdollisesti\n"
    "1) Internet Movie Databasen www-sivujen rakenteen muuttuminen\n"
    "2) Ohjelman tekemä väärä sivun/linkin tulkinta\n"
    "Mikäli virhe toistuu muillakin elokuvilla, ohjelma tarvitsee päivityksen\n"
    "ennenkuin kansikuvien haku toimii!";
inline constexpr const char* ei_vastaanotettu_viesti =
    "Virhe #3432: Tiedostoa ei vastaanotettu!\nEhkä sinulta loppui kiintolevytila tai internetyhteytesi katkesi?";
inline constexpr const char* ei_kuva_viesti =
    "Vastaanotettu tiedosto ei ole luettava kuva, joten sitä ei liitetty kortille kansikuvaksi.";

// The file gfx\kannet\<stem> (no extension) was downloaded from url: give it its extension and attach it
// to card `indeksi`. A file that does not decode as a picture is deleted and reported. True when attached.
bool liita_ladattu_kansi(const std::string& stem, const std::string& url, TOmaList& lista, int indeksi,
                         const Ohjelmakansio& kansio, Tiedostojarjestelma& t, diag::Viestit& viestit);

// Downloads the cover at url (within the cover size limit) for card `indeksi` and attaches it. A failed
// download says why; a cancelled one says nothing. True when attached.
bool dl_cover(Verkkohaku& http, const std::string& url, TOmaList& lista, int indeksi, const Ohjelmakansio& kansio,
              Tiedostojarjestelma& t, diag::Viestit& viestit);
