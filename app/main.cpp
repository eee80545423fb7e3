// Rullakko: the program's entry.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <memory>

#include "app/ohjelma.h"
#include "diag/loki.h"
#include "diag/ui/progress_form.h"
#include "diag/ui/qtviestit.h"
#include "diag/ui/suomennos.h"
#include "mainwindow/ui/main_form.h"
#include "mainwindow/ui/tyopoyta_qt.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostojarjestelma.h"

namespace {

// A request to end (logout, `kill`) reaches the event loop through this pipe, so the program shuts down
// as when its window is closed: settings written, covers cleared.
int lopetusputki[2] = {-1, -1};

void lopetuspyynto(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(lopetusputki[1], &c, 1);
}

void ota_lopetuspyynnot() {
    if (::pipe2(lopetusputki, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction sa {};
    sa.sa_handler = lopetuspyynto;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &sa, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    ota_lopetuspyynnot();
    // Qt's file dialogs write dates in the system locale's form, read from the environment when the
    // application starts; a user who has chosen one for everything (LC_ALL) keeps it.
    if (!qEnvironmentVariableIsSet("LC_ALL")) qputenv("LC_TIME", "fi_FI.UTF-8");
    QApplication app(argc, argv);
    // Dates, numbers and Qt's own dialogs (file, print) in Finnish.
    const Suomennokset suomennokset(app);

    Tiedostojarjestelma& tiedostot = jarjestelman_tiedostot();
    const auto juuri = Ohjelmakansio::etsi_juuri(tiedostot);
    QtViestit viestit;
    // An installed copy's folder is the user's own, made and seeded at the first start.
    if (const Tulos t = valmistele_ohjelmakansio(tiedostot, juuri, Ohjelmakansio::asennettu_data(tiedostot)); !t) {
        viestit.virhe("Ohjelma ei päässyt hakemistoonsa (Bugi?), lopetetaan ohjelma...\n" + t.viesti);
        return 1;
    }
    const Ohjelmakansio kansio(juuri, tiedostot);
    QtKiire kiire(kansio.polku("gfx\\working.gif"));
    diag::loki().aseta_tiedosto(tiedostot, juuri / "rulladb_debug.log");
    diag::loki().aseta_viestit(&viestit);

    QtTyopoyta tyopoyta;
    Ohjelma ohjelma(juuri, tiedostot, viestit, kiire, tyopoyta);
    if (!ohjelma.kaynnista(app.arguments())) return 1;
    viestit.aseta_omistaja(&ohjelma.paaikkuna());
    kiire.aseta_paaikkuna(&ohjelma.paaikkuna());

    // Requests that came during start-up wait in the pipe until the window is up.
    std::unique_ptr<QSocketNotifier> lopetus;
    if (lopetusputki[0] >= 0) {
        lopetus = std::make_unique<QSocketNotifier>(lopetusputki[0], QSocketNotifier::Read);
        QObject::connect(lopetus.get(), &QSocketNotifier::activated, &app, [&ohjelma] {
            char c;
            while (::read(lopetusputki[0], &c, 1) > 0) {
            }
            if (ohjelma.paaikkuna().close()) QCoreApplication::quit();
        });
    }
    return app.exec();
}
