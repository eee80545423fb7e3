#pragma once
// The preview window of a print: the pages as they will come out, and from there the print dialog
// (printer, copies, page range) or a PDF file, all drawn by the same code.
#include <QDialog>
#include <filesystem>
#include <functional>

#include "perus/tulos.h"

class Paaikkuna;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

// What a print needs to know of the document.
struct Tulostettava {
    const char* otsikko = "";  // the job's and the preview window's title (cp1252)
    // Sets the printer's page and resolution before painting. `valittu_suunta`: the user chose the
    // orientation in the print dialog, and it is kept.
    std::function<void(QPrinter&, bool valittu_suunta)> valmistele;
    // Paints the document (within the printer's page range); false when it could not be done.
    std::function<bool(QPrinter&)> piirra;
    // Pages of the document as last prepared.
    std::function<int()> sivuja;
    // Labels are placed from the corner of the sheet, not from the printable area.
    bool koko_arkki = false;
};

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

// Writes the document as a PDF of A4 sheets in place of `kohde`; a failure leaves an existing file as it was.
Tulos kirjoita_pdf(const std::filesystem::path& kohde, const Tulostettava& t);

// The preview window; from it the print dialog and the print, or the PDF file asked for.
void esikatsele_ja_tulosta(Paaikkuna& p, const Tulostettava& t);
