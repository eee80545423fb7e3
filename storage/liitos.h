#pragma once
// Merging another catalogue into the open one, and the maintenance command that tidies placeholder values
// and folds together cards of the same movie in the same format.
#include <string>

#include "storage/varasto.h"

// Appends every card of the file to the open catalogue and marks it changed; the open file name stays.
// The merged file's covers are unpacked into the program folder whatever the unpack setting, so the next
// save packs them instead of looking for them in the open file. False when the file could not be read
// (the open catalogue is then as it was).
bool liita_tietokanta(const std::string& nimi, Varasto& v);

// "-" becomes empty in the title, genre, country, duration and year; "USA" becomes "Usa"; cassette numbers
// and positions are cleared; an empty sound track is guessed from the year. A change marks the catalogue
// changed; true when there was one.
bool siivoa_kortit(TOmaList& lista);

// Cards with the same title and format (exact) become one: the last of them stays, holding the longest
// text of each compared field and the last non-empty first additional field; the others are deleted with
// their cover files unless another card names the file. The current card becomes the first and the
// catalogue is marked changed. Returns the number of cards removed.
int poista_tuplat(Varasto& v);
