#pragma once
// The program's run: the single-instance lock, the windows that live for the whole run, the settings and
// the choice of catalogue at start-up. Shut-down is the main window's own close.
#include <QLockFile>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/ohjelmakansio.h"

namespace diag { class Viestit; class Kiire; }
class TMain_form;
class TDebug_Form;
class TSort_Form;
class Tasetukset_form;

class Ohjelma {
public:
    Ohjelma(std::filesystem::path juuri, diag::Viestit& viestit, diag::Kiire& kiire);
    ~Ohjelma();

    // The start-up steps in order, up to showing the main window. False: the program ends (the user has
    // been told why).
    bool kaynnista(const QStringList& argumentit);

    Ohjelmakansio kansio;
    TAsetukset asetukset;
    Ulkoasusovitin sovitin;
    Asetusymparisto ymparisto;
    // Where the file-type registration is kept and which executable it names.
    std::filesystem::path xdg_data;
    std::filesystem::path ohjelmatiedosto;

    std::unique_ptr<TMain_form> Main_form;
    std::unique_ptr<TDebug_Form> Debug_Form;
    std::unique_ptr<TSort_Form> Sort_Form;
    std::unique_ptr<Tasetukset_form> asetukset_form;

private:
    diag::Viestit& viestit_;
    diag::Kiire& kiire_;
    std::unique_ptr<QLockFile> lukko_;
};
