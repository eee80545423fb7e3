#pragma once
// The printed movie list: laid out for the page it goes on, drawn onto a printer, a PDF or a preview.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "export/lista.h"
#include "export/ui/tulostettava.h"

class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

inline constexpr const char* listatyon_nimi = "Rullakko:n listan tulostus...";

// Today's date as the system writes it briefly (cp1252).
std::string tanaan();

inline constexpr int listan_dpi = listan_yksikot_tuumalla;

// The advance and line height of the list's font per point of its size.
Fontin_mitat listan_fontin_mitat();

// The list's pages laid out for a page: orientation and font size chosen for its printable area (or the
// orientation given), and as many lines to a page as it holds.
struct Listan_tuloste {
    std::vector<std::vector<Tulostusrivi>> sivut;
    Listan_asu asu;
};
Listan_tuloste asettele_lista(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto,
                              const QPageLayout& sivu, std::optional<bool> vaaka = std::nullopt);

// Turns the printer's page and sets the list's resolution before painting starts.
void aseta_listan_sivu(QPrinter& tulostin, const Listan_asu& asu);

// The pages from `eka` to `vika` (from 1; 0: to the end) onto a device whose painter is active, in the
// list's units of a 300 dpi page, in the fixed-pitch font of the given size.
void piirra_lista(QPainter& maalari, QPagedPaintDevice& laite, const std::vector<std::vector<Tulostusrivi>>& sivut,
                  double pisteet, int eka = 1, int vika = 0);

// Paints the whole list onto a printer prepared by aseta_listan_sivu, within its page range; false when
// painting could not start.
bool tulosta_lista_laitteelle(QPrinter& tulostin, const Listan_tuloste& t);

// The list as a document to preview, print or save: laid out anew for each printer it is prepared for,
// in the orientation given, or the one the user chose in the print dialog. Everything given must outlive it;
// `tuloste` holds the layout of the last preparation.
Tulostettava listatuloste(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto,
                          Listan_tuloste& tuloste, std::optional<bool> vaaka = std::nullopt);
