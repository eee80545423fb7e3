// The movie list window over a catalogue of 100 000 cards: the model filled with the whole list, the last card's row
// selected and scrolled into view, and the visible rows painted. The same is measured over 100 cards in
// the same run; "suhde" is the big list's time divided by the small one's, so per-row work would show.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <chrono>

#include "find/ui/lista_form.h"
#include "testituki/sijaispaaikkuna.h"

namespace {

double sekunteina(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Ikkunat {
    testituki::Sijaispaaikkuna p;
    TLista_Form lista{p, p.ikkuna()};

    explicit Ikkunat(int kortteja) {
        for (int i = 2; i <= kortteja; ++i) {
            TKortti& k = p.tk.kortit.lisaa_uusi();
            k.nimi = "Elokuva " + std::to_string(i);
            k.kasetilla = std::to_string(i / 4 + 1);
            k.sijainti = std::to_string(i % 4 + 1);
            k.luokitus = "Draama";
            if (i % 10 == 0) k.lainassa = "Pekka";
        }
        p.w.show();
        lista.iso_lista();
        lista.nayta_kaikki();
        QApplication::processEvents();
    }

    // One fill of the whole list (from a one-row search result, so the model is built anew) with the last
    // card current; the time up to the painted window.
    double kierros() {
        lista.nayta_hakutulos({1}, false);
        QApplication::processEvents();
        p.tk.nykyinen = p.tk.kortit.Count() - 1;
        const auto t0 = std::chrono::steady_clock::now();
        lista.tee_lista();
        lista.seuraa_valintaa();
        lista.ListaGrid->viewport()->repaint();
        return sekunteina(std::chrono::steady_clock::now() - t0);
    }
};

void BM_lista_taytto(benchmark::State& state) {
    static Ikkunat pieni(100);
    static Ikkunat iso(100000);
    double isot = 0, pienet = 0;
    for (auto _ : state) {
        const double t = iso.kierros();
        pienet += pieni.kierros();
        isot += t;
        state.SetIterationTime(t);
    }
    if (iso.lista.valittu_rivi() != 100000 || iso.lista.ListaGrid->verticalScrollBar()->value() !=
                                                  iso.lista.ListaGrid->verticalScrollBar()->maximum())
        state.SkipWithError("viimeinen rivi ei valittuna tai nakyvissa");
    state.counters["sata_korttia_ms"] = 1000 * pienet / static_cast<double>(state.iterations());
    state.counters["suhde"] = isot / pienet;
}

}  // namespace

BENCHMARK(BM_lista_taytto)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
