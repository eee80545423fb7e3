#pragma once
// A document that is printed, previewed or saved as PDF: how it prepares a printer's page and paints onto
// it. Drawing only, without windows, so the command line draws the same pages as the windows.
#include <filesystem>
#include <functional>

#include "perus/tulos.h"

class Tiedostojarjestelma;

class QPrinter;

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

// The job's name, and for labels the whole sheet without margins.
void aseta_arkki(QPrinter& tulostin, const Tulostettava& t);

// Writes the document as a PDF of A4 sheets in place of `kohde`, through `tj`'s atomic replace; a failure
// leaves an existing file as it was.
Tulos kirjoita_pdf(Tiedostojarjestelma& tj, const std::filesystem::path& kohde, const Tulostettava& t);
