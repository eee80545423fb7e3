// Arbitrary bytes as today's title suggestions: the hit list stays within its row limit and every title
// row has its number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imdb/hakusivu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view teksti(reinterpret_cast<const char*>(data), koko);
    const Hakutulokset h = lue_ehdotukset(teksti);
    if (h.rivit.size() != h.koodit.size() || h.rivit.size() != h.akat.size()) std::abort();
    if (h.rivit.size() > static_cast<std::size_t>(hakurivien_raja) + 1) std::abort();
    for (std::size_t i = 0; i < h.rivit.size(); ++i)
        if (h.koodit[i].empty() != (h.rivit[i].rfind("--", 0) == 0)) std::abort();
    return 0;
}
