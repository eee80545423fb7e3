#pragma once
// A cassette is every card that carries the same number (exact, case-sensitive). Its tape length is kept
// on each of those cards; these routines read and write it and count the tape already used.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/kortti.h"

namespace diag { class Viestit; }

// The tape length the cards of the cassette carry, or empty. A card whose length differs from the card
// before it gets one plain message.
std::string get_kasetin_pituus(const TOmaList& lista, std::string_view numero, diag::Viestit& viestit);

// False when the cassette holds both tape formats (with a "p": SP, LP, EP) and disc formats (with a "v").
bool tarkista_kasetin_mediat(const TOmaList& lista, std::string_view numero);

// Tape minutes used, in standard-play minutes, as decimal text. Negative when a card's format or
// duration cannot be counted; an unreadable duration gets a plain message and counts nothing.
std::string get_kasetin_kaytetty(const TOmaList& lista, std::string_view numero, diag::Viestit& viestit);

// Writes the length to every card of the cassette and marks the catalogue changed.
void aseta_kasetin_pituus(TOmaList& lista, std::string_view numero, const std::string& pituus);

// The cards of every cassette by number, each list in catalogue order; cards without a number are left out.
std::unordered_map<std::string, std::vector<int>> kasettien_kortit(const TOmaList& lista);

// get_kasetin_pituus and get_kasetin_kaytetty over the cassette's own cards (ascending indices, as
// kasettien_kortit gives them): the same answers and messages without reading the whole catalogue, for
// callers that go through every cassette.
std::string get_kasetin_pituus(const TOmaList& lista, std::string_view numero, const std::vector<int>& kortit,
                               diag::Viestit& viestit);
std::string get_kasetin_kaytetty(const TOmaList& lista, const std::vector<int>& kortit, diag::Viestit& viestit);
bool tarkista_kasetin_mediat(const TOmaList& lista, const std::vector<int>& kortit);
