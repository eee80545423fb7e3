// Arbitrary bytes as the old title search's result page: the hit list stays within its row limit, one
// number and one other title per row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imdb/hakusivu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view teksti(reinterpret_cast<const char*>(data), koko);
    const Hakutulokset h = lue_hakutulokset(siivoa_hakusivu(teksti));
    if (h.rivit.size() != h.koodit.size() || h.rivit.size() != h.akat.size()) std::abort();
    if (h.rivit.size() > static_cast<std::size_t>(hakurivien_raja) + 1) std::abort();
    return 0;
}
