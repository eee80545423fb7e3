#pragma once
// The batch of missing covers: every card that has a title number, wants a cover and has none gets one
// from its stored address or from its title page, with pauses between the requests so the server is not
// pressed. The window (or a test) gives the view and the clock, so pacing and abort run without waiting.
#include <string>

#include "diag/viestit.h"
#include "imdb/lahde.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostojarjestelma.h"
#include "perus/verkkohaku.h"
#include "storage/kortti.h"

class KansihaunNakyma {
public:
    virtual ~KansihaunNakyma() = default;
    // Makes the card current and shows it; the window lets pending events through here.
    virtual void nayta_kortti(int indeksi) = 0;
    virtual void tila(const std::string& teksti) = 0;
    // A cover was attached to the card of this name.
    virtual void kansi_loytyi(const std::string& nimi) = 0;
    // Keskeytä was pressed (the window also stops the transfer in progress then).
    virtual bool keskeytetty() = 0;
};

class Kello {
public:
    virtual ~Kello() = default;
    // One second of a pause; it may end early once the batch is aborted.
    virtual void odota_sekunti() = 0;
    // A whole number from alin to ylin, both included.
    virtual int arvo(int alin, int ylin) = 0;
};

struct Kansihaku {
    TOmaList& kortit;
    const Ohjelmakansio& kansio;
    Tiedostojarjestelma& tiedostot;
    diag::Viestit& viestit;
    Elokuvalahde& lahde;
    Verkkohaku& http;
};

// Pauses n seconds, showing the seconds left; an aborted batch does not wait.
void tauko(int sekunnit, KansihaunNakyma& nakyma, Kello& kello);
// The cover address on card i's title page (empty when there is none), after a pause of 2 to 6 seconds.
std::string hae_kansi_url(Kansihaku& h, int i, KansihaunNakyma& nakyma, Kello& kello);
// Cards 1..last in order; each is attempted once (its mark is cleared), the rest keep their marks after an abort.
void hae_kansikuvat(Kansihaku& h, KansihaunNakyma& nakyma, Kello& kello);
