#pragma once
// The preview window of a print: the pages as they will come out, and from there the print dialog
// (printer, copies, page range) or a PDF file, all drawn by the same code.
#include <QDialog>

#include "export/ui/tulostettava.h"

class Paaikkuna;
class Tyopoyta;
namespace diag { class Viestit; }
class QPrintPreviewWidget;
class QPushButton;

class Tulostuksen_esikatselu : public QDialog {
    Q_OBJECT
public:
    enum class Valinta { Sulje, Tulosta, Pdf };

    Tulostuksen_esikatselu(QPrinter& tulostin, const Tulostettava& t, QWidget* parent = nullptr);

    QPrintPreviewWidget* esikatselu;
    QPushButton* tulosta_button;
    QPushButton* pdf_button;
    QPushButton* sulje_button;
    Valinta valinta = Valinta::Sulje;
};

inline constexpr const char* pdf_valinta = "Tallenna PDF:ksi...";
inline constexpr const char* ei_tulostinta_viesti = "Ohjelma ei löydä tulostinta!";
inline constexpr const char* tulostin_kiireinen_viesti =
    "Tulostin tulostaa jo, jos ongelma jatkuu käynnistä windows uudelleen...";

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

// The preview window; from it the print dialog and the print, or the PDF file asked for.
void esikatsele_ja_tulosta(Paaikkuna& p, const Tulostettava& t);
