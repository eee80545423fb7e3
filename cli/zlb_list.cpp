// rkb list FILE: one line per member in archive order, for people and scripts checking a catalogue file.
#include <cinttypes>
#include <cstdio>

#include "cli/alikomennot.h"
#include "perus/merkisto.h"
#include "storage/zlbarkisto.h"

namespace {

int list(const std::vector<std::string>& p) {
    TZLBArchive arkisto(jarjestelman_tiedostot());
    if (const Tulos t = arkisto.Open(p[0]); !t) {
        tulosta_virhe(t.viesti);
        return 1;
    }
    for (const TZLBEntry& e : arkisto.entries())
        std::printf("%s\t%" PRIu32 "\t%" PRIu32 "\t%d\t%08" PRIx32 "\n", merkisto::cp1252_utf8(e.koko_nimi()).c_str(),
                    e.koko, e.pakattu_koko, e.raaka ? 1 : 0, e.crc);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"list", 1, 1, list});

}  // namespace
