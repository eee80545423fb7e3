#pragma once
// The covers of the open catalogue as a whole: waiting for the ones its open left to unpack, unpacking one or
// all of them, converting them to JPEG.
#include "storage/kannet.h"
#include "storage/varasto.h"

// The one place everything that reads or writes unpacked covers waits: the open catalogue's covers, which an
// open leaves to be unpacked after its first card is shown (storage/kansipurku.h), all unpacked (those that
// can be), with progress in the busy window; then the unpacking is gone.
void odota_kannet(Tietokanta& tk);
// That unpacking stopped between two covers, for a close or another open that removes them.
void keskeyta_kannet(Tietokanta& tk);

// Extracts from the open catalogue file every cover that is not unpacked yet.
void avaa_kaikki_kannet(bool nayta_kiire, Varasto& v);
// Extracts one card's cover when it is about to be shown. False when it could not be extracted.
bool pura_kansi(const TKortti& kortti, Varasto& v);
// Re-encodes every cover as JPEG at the given quality, halving large ones when asked.
void muunna_kannet_jpg(int laatu, bool puolita_kuvat, Varasto& v);
