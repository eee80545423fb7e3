// Arbitrary bytes as a reminder template, filled in for a borrower who has cassettes out: the template's
// placeholders may not crash the filling or make it run away.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lending/lainaus.h"
#include "storage/kortti.h"

namespace {

const TOmaList& lainat() {
    static const TOmaList l = [] {
        TOmaList t;
        for (int i = 1; i <= 40; ++i) {
            TKortti& k = t.lisaa_uusi();
            k.kasetilla = std::to_string(i / 2 + 1);
            k.nimi = "Elokuva " + std::to_string(i);
            k.lainassa = std::string(i % 3 ? "Matti" : "Liisa") + ", Lainattu: 1.3.2004";
        }
        return t;
    }();
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
    const std::string_view pohja(reinterpret_cast<const char*>(data), koko);
    const Muistutus m = tee_muistutus(pohja, lainat(), koko % 2 ? "Matti" : "Liisa", {"Rullakko", "Pertti"});
    (void)m;
    return 0;
}
