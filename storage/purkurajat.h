#pragma once
// How much a catalogue file may unpack to and how many cards it may hold. The loader refuses what goes
// beyond, and the saver refuses to write it, so whatever the program saves it can open again.
#include <cstdint>
#include <string>

#include "perus/tulos.h"

struct Purkurajat {
    // Any file may unpack to this many bytes and hold this many cards, whatever its own size; a bigger
    // file may go further in proportion to its size.
    std::uint64_t tavuja = 0;
    std::uint64_t kortteja = 0;
};

// A quarter of the machine's memory, at least 64 MiB and at most 1 GiB, and the cards that fit in it.
Purkurajat koneen_purkurajat();

// The bytes and cards a file of `tiedoston_koko` bytes may unpack to.
std::uint64_t purkubudjetti(std::uint64_t tiedoston_koko, const Purkurajat& r);
std::uint64_t korttibudjetti(std::uint64_t tiedoston_koko, const Purkurajat& r);

// Whether a file of this size may unpack to `purettavaa` bytes; when it may not, the message says why.
Tulos purkurajan_tarkistus(std::uint64_t tiedoston_koko, std::uint64_t purettavaa, const Purkurajat& r);
// The same for `kortteja` cards (`vahintaan`: counting stopped at the limit).
Tulos korttirajan_tarkistus(std::uint64_t tiedoston_koko, std::uint64_t kortteja, const Purkurajat& r,
                            bool vahintaan = false);

// The message of a catalogue that was not opened because it exceeds a limit.
std::string rajan_ylityksen_viesti(const std::string& nimi, const std::string& syy);
