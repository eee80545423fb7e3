#pragma once
// Every rkb command described once: its parameters, what it does and what it writes. The usage that rkb
// prints, the COMMANDS section of the manual page asennus/rkb.1 and the command list of README.md are all
// made from this table (a test compares the two files with it), so a new command is one row here.
#include <string>
#include <string_view>
#include <vector>

struct Komentokuvaus {
    const char* nimi;
    const char* parametrit;  // as on the usage line: "FILE OUT.csv [--option VALUE]"
    const char* tekee;       // what it does, a sentence or two
    const char* kirjoittaa;  // what it writes, where and in which form
};

const std::vector<Komentokuvaus>& komentokuvaukset();
const Komentokuvaus* komentokuvaus(std::string_view nimi);

// "rkb name parameters".
std::string kayttorivi(const Komentokuvaus& k);

// The COMMANDS section of the manual page (roff), and the command list of the README (an indented block),
// both UTF-8.
std::string man_komennot();
std::string readme_komennot();

// `teksti` with what stands between the lines `alku` and `loppu` replaced by `uusi`; false when either
// line is missing.
bool korvaa_osio(std::string& teksti, std::string_view alku, std::string_view loppu, const std::string& uusi);
