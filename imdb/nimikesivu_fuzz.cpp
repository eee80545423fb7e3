// Arbitrary bytes as a title page of the old layout: the reader may not crash, run away or put markup
// into the card.
#include <cstddef>
#include <cstdint>
#include <string>

#include "imdb/elokuvasivu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view teksti(reinterpret_cast<const char*>(data), koko);
    TKortti kortti;
    kortti.nimi = "Troija (Troy)";
    (void)tunnista_sivu(teksti);
    (void)lue_elokuvasivu(teksti, kortti);
    return 0;
}
