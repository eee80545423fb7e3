#pragma once
// One run of arbitrary bytes through the archive reader, shared by the fuzz target and the test that
// replays the inputs the fuzzer once crashed on.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "storage/zlbarkisto.h"

// The bytes are written as an archive whose trailer CRC is made to match, since a fuzzer would almost
// never get past that check by itself; then the archive is opened, every member extracted into
// `kansio`/kohde, and a file added to it.
inline void aja_arkistotapaus(const std::uint8_t* data, std::size_t koko, const std::filesystem::path& kansio) {
    std::string tavut(reinterpret_cast<const char*>(data), koko);
    if (tavut.size() >= TZLBArchive::trailerin_koko) {
        const std::size_t n = tavut.size() - TZLBArchive::trailerin_koko;
        const auto crc = static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(tavut.data()),
                                                            static_cast<uInt>(n)));
        for (int i = 0; i < 4; ++i) tavut[n + i] = static_cast<char>(crc >> (8 * i));
    }
    const std::filesystem::path arkisto = kansio / "tapaus.rkb";
    std::ofstream(arkisto, std::ios::binary | std::ios::trunc) << tavut;
    TZLBArchive a(jarjestelman_tiedostot());
    a.CheckCRC = true;
    if (!a.Open(arkisto)) return;
    (void)a.ExtractAll(kansio / "kohde");
    for (const TZLBEntry& e : a.entries()) (void)a.Extract(e.koko_nimi(), kansio / "kohde");
    // Adding copies the old member data as it is; the result must open again.
    std::ofstream(kansio / "lisa.txt", std::ios::binary) << "lisätty";
    if (a.AddFiles({"lisa.txt"}, kansio) && !a.Open(arkisto)) std::abort();
    std::filesystem::remove(kansio / "lisa.txt");
    // Members copied as stored into a new archive, as a save takes the covers that were never unpacked.
    if (a.auki()) {
        std::vector<std::string> nimet;
        for (const TZLBEntry& e : a.entries()) nimet.push_back(e.koko_nimi());
        const std::filesystem::path kopio = kansio / "kopio.rkb";
        TZLBArchive k(jarjestelman_tiedostot());
        if (k.Create(kopio) && k.AddFiles(nimet, kansio / "ei_ole", &a) && !k.Open(kopio)) std::abort();
        k.Close();
        std::filesystem::remove(kopio);
    }
}
