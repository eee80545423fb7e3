// Rullakko: the program's entry.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "diag/loki.h"
#include "diag/ui/progress_form.h"
#include "diag/ui/qtviestit.h"
#include "mainwindow/ui/main_form.h"
#include "mainwindow/ui/ohjelma.h"
#include "mainwindow/ui/tyopoyta_qt.h"
#include "storage/ohjelmakansio.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Dates, numbers and Qt's own dialogs (file, print) in Finnish.
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    QTranslator qt_fi;
    if (qt_fi.load("qtbase_fi", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) app.installTranslator(&qt_fi);

    const auto juuri = Ohjelmakansio::etsi_juuri();
    QtViestit viestit;
    QtKiire kiire(juuri / "gfx" / "working.gif");
    diag::loki().aseta_tiedosto(juuri / "rulladb_debug.log");
    diag::loki().aseta_viestit(&viestit);

    QtTyopoyta tyopoyta;
    Ohjelma ohjelma(juuri, viestit, kiire, tyopoyta);
    if (!ohjelma.kaynnista(app.arguments())) return 1;
    viestit.aseta_omistaja(&ohjelma.paaikkuna());
    kiire.aseta_paaikkuna(&ohjelma.paaikkuna());
    return app.exec();
}
