#pragma once
// Loading a catalogue file (archive or plain body) into a list.
#include <cstdint>
#include <string>

#include "storage/varasto.h"

inline constexpr const char* tyotiedosto = "avattu.$$$";
inline constexpr const char* palautustiedosto = "resume.rkb";

// merge: the file is added to the open catalogue; quiet: the reference catalogue, read without the busy
// window into its own list. Otherwise the list is the open catalogue. False when the file could not be
// read (the user has been told why).
bool lue_tietueet(const std::string& nimi, bool liitos, bool hiljaa, TOmaList& lista, Varasto& v);

// Size in bytes, or 0 (with a log line) when the file does not exist.
std::uintmax_t tiedoston_koko(const std::string& nimi, const Ohjelmakansio& kansio);

// An archive, unless the file is shorter than 50 bytes or starts with "Hae Rullak".
bool on_arkisto(const std::string& nimi, const Ohjelmakansio& kansio);

// The message of a catalogue that could not be opened.
std::string vahingoittuneen_viesti();
