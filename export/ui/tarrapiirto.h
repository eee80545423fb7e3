#pragma once
// Drawing of the cassette labels into 600 dpi bitmaps and their transfer onto a printer's (or a PDF's)
// pages: one code for the label window, its previews and the command-line tool.
#include <QFont>
#include <QImage>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "export/tarrat.h"
#include "export/ui/tulostettava.h"

class Ohjelmakansio;
class QPagedPaintDevice;
class QPainter;
struct TAsetukset;
namespace diag {
class Kiire;
class Viestit;
}  // namespace diag

// A font whose whole character cell is `korkeus` pixels high (the height the label layout speaks of).
QFont tarrafontti(const QString& perhe, QFont::StyleHint vihje, int korkeus, bool lihava);

// The label choices: from the settings, or from the label window's controls.
struct Tarra_asetukset {
    std::string starra_fn;
    std::string ptarra_fn;
    bool musta_numero = false;
    bool bittia16 = true;
    bool keskita = true;
    bool lisaa_nopeus = false;
    bool remove_eng = false;
    bool vaihtoehtoinen = false;  // alternative_printing
};
Tarra_asetukset tarra_asetukset(const TAsetukset& a);

inline constexpr const char* sivupohjat = "Tarrat\\Starrat\\";
inline constexpr const char* paalyspohjat = "tarrat\\ptarrat\\";

// The *.bmp templates of a folder of the program folder, lower-cased and sorted.
std::vector<std::string> listaa_pohjat(const Ohjelmakansio& kansio, const char* pohjakansio);

class Tarrapiirtaja {
public:
    Tarrapiirtaja(const TOmaList& lista, const Ohjelmakansio& kansio, diag::Viestit& viestit, diag::Kiire& kiire,
                  Tarra_asetukset asetukset);
    ~Tarrapiirtaja();

    const Tarra_asetukset& asetukset() const { return a_; }
    diag::Viestit& viestit() { return viestit_; }
    diag::Kiire& kiire() { return kiire_; }
    void aseta(const Tarra_asetukset& a);

    // The spine label of a cassette drawn into a rectangle of a painter: its template as a picture, its
    // texts as text, so a printer or PDF gets them as vectors at any resolution. False (after an error
    // message) when the template cannot be read.
    bool piirra_sivutarra(QPainter& maalari, const QRectF& kohde, const std::string& kasetti);
    // The top label of a cassette on the given template (already loaded) drawn into a rectangle.
    void piirra_paalystarra(QPainter& maalari, const QRectF& kohde, const std::string& kasetti, const QImage& pohja,
                            const std::function<void(int, int)>& edistyminen = {});

    // The same labels as pictures at their design size (3378 x 450 and 1818 x 1110).
    std::optional<QImage> sivutarra(const std::string& kasetti);
    QImage paalystarra(const std::string& kasetti, const QImage& pohja,
                       const std::function<void(int, int)>& edistyminen = {});
    // A template of a folder; nullopt after an error message when it cannot be read.
    std::optional<QImage> lataa_pohja(const char* pohjakansio, const std::string& nimi);

    // Widths measured as the drawing sets its fonts.
    int nimen_leveys(const std::string& teksti, int korkeus, bool lihava);
    int paalyksen_leveys(const std::string& teksti, int korkeus, bool lihava);

private:
    QImage::Format muoto() const;
    const QFont& fontti(int laji, int korkeus, bool lihava);
    bool lataa_sivupohja();
    void rekisteroi_pystyfontti();

    const TOmaList& lista_;
    const Ohjelmakansio& kansio_;
    diag::Viestit& viestit_;
    diag::Kiire& kiire_;
    Tarra_asetukset a_;
    std::optional<QImage> sivupohja_;
    std::string sivupohjan_nimi_;
    std::map<std::tuple<int, int, bool>, QFont> fontit_;
    // The vertical font is registered while this drawer lives, from its first spine label on.
    int pystyfontti_ = -1;
    bool pystyfontti_kokeiltu_ = false;
};

// Position and work of one print of labels.
struct Tarratyo {
    std::vector<std::string> kasetit;
    int dpi_x = 600;
    int dpi_y = 600;
    int arkilla = 14;  // spine labels per sheet
    std::function<void(int)> edistyminen;  // labels done so far
    // The sheets printed, from 1; 0: to the last.
    int eka_arkki = 1;
    int vika_arkki = 0;
};

// Transfers a template picture into a label's rectangle (both methods of the settings draw through Qt).
void SiirraBitmap(QPainter& maalari, const QImage& kuva, const QRectF& kohde, bool vaihtoehtoinen,
                  diag::Viestit& viestit);

// Spine labels onto the pages of a device whose painter is active: `arkilla` to a sheet, top down.
// False when a label could not be drawn (the print stops there).
bool tulosta_sivutarrat(QPainter& maalari, QPagedPaintDevice& laite, Tarrapiirtaja& piirtaja, const Tarratyo& t);
// Top labels, 12 to a landscape sheet in 3 columns and 4 rows.
bool tulosta_paalystarrat(QPainter& maalari, QPagedPaintDevice& laite, Tarrapiirtaja& piirtaja,
                          const Tarratyo& t);

inline constexpr const char* tarratyon_nimi = "Rullakkon tarrojen tulostus";

// A print of labels for the preview, the printer and PDF: spine labels on portrait sheets, top labels on
// landscape ones, the printer's resolution that of the work, the sheets of its page range. The drawer and
// the work must outlive it.
Tulostettava tarratuloste(Tarrapiirtaja& piirtaja, const Tarratyo& tyo, bool paalys);
inline constexpr const char* resoluutio_nolla_viesti =
    "Virhe: vaaka- tai pystyresoluutio on nolla! Tarkasta ohjelman asetukset (Kohta Tulostus, DPI)";
