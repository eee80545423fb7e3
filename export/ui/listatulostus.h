#pragma once
// Printing the movie list on the default printer, and the printer check the label printing shares.
#include <QString>
#include <string>
#include <vector>

#include "export/lista.h"

class Paaikkuna;
class QPagedPaintDevice;
class QPainter;
class Tyopoyta;
namespace diag { class Viestit; }

inline constexpr const char* ei_tulostinta_viesti = "Ohjelma ei löydä tulostinta!";
inline constexpr const char* tulostin_kiireinen_viesti =
    "Tulostin tulostaa jo, jos ongelma jatkuu käynnistä windows uudelleen...";

// Today's date as the system writes it briefly (cp1252).
std::string tanaan();

// A print job of this program runs while one of these lives; a second job meanwhile is refused.
class Tulostusvaraus {
public:
    Tulostusvaraus();
    ~Tulostusvaraus();
    Tulostusvaraus(const Tulostusvaraus&) = delete;
    Tulostusvaraus& operator=(const Tulostusvaraus&) = delete;
    static bool kaynnissa();
};

// No printer, or a print of this program already running: the error is shown and false returned.
bool tarkista_tulostin(Tyopoyta& tyopoyta, diag::Viestit& viestit);

inline constexpr int listan_dpi = 300;

// The list's pages onto a device whose painter is active, in its device units; pages taller than the
// printable area are scaled down to fit it.
void piirra_lista(QPainter& maalari, QPagedPaintDevice& laite, const std::vector<std::vector<Tulostusrivi>>& sivut);

// "Tulosta elokuvalista": the whole open catalogue on the default printer.
void tulosta_lista(Paaikkuna& p);
