// Rullakko: the program's entry.
#include <QApplication>
#include <QCheckBox>

#include "diag/loki.h"
#include "diag/ui/debug_form.h"
#include "diag/ui/progress_form.h"
#include "diag/ui/qtviestit.h"
#include "diag/ui/teksti.h"
#include "storage/ohjelmakansio.h"
#include "storage/versio.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Ohjelmakansio kansio(Ohjelmakansio::etsi_juuri());
    QtViestit viestit;
    diag::loki().aseta_tiedosto(kansio.polku("rulladb_debug.log"));
    diag::loki().aseta_viestit(&viestit);

    TDebug_Form debug;
    // The switch is honoured only as the exact first parameter.
    if (argc > 1 && std::string(argv[1]) == "-debug") debug.debug2file->setChecked(true);
    debug.setWindowTitle(fi("Debuggeri - ") + fi(ohjelman_otsikko));
    debug.show();
    kirjoita_debug_aina(std::string(ohjelman_otsikko) + " käynnistetty, ohjelmakansio " + polku_tekstiksi(kansio.juuri()));
    return app.exec();
}
