// Arbitrary bytes as the JSON-LD block of a title page of today, and through the entity decoder its texts
// go through: nothing may crash or recurse without bound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "imdb/elokuvasivu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view teksti(reinterpret_cast<const char*>(data), koko);
    const std::string sivu = "<html><script type=\"application/ld+json\">" + std::string(teksti) + "</script></html>";
    TKortti kortti;
    kortti.nimi = "Matriisi (Matrix)";
    (void)lue_elokuvasivu(sivu, kortti);
    (void)pura_html_viitteet(teksti);
    return 0;
}
