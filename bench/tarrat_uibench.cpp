// Spine labels of 140 cassettes into a PDF, drawn as text and shapes (what the program does), against the
// same labels drawn as 600 dpi pictures stretched onto the pages (how they were printed before), in one
// run. Counters: seconds of each, their ratio, and kilobytes a page of each PDF.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>

#include "perus/tiedostojarjestelma.h"
#include "bench/mittaus.h"
#include "diag/kiire.h"
#include "export/ui/esikatselu.h"
#include "export/ui/tarrapiirto.h"
#include "perus/ohjelmakansio.h"

namespace fs = std::filesystem;

namespace {

constexpr int kasetteja = 140;

struct Tarrat {
    QTemporaryDir kansio;
    fs::path juuri{kansio.path().toStdString()};
    Ohjelmakansio ohjelma{juuri, jarjestelman_tiedostot()};
    HiljaisetViestit viestit;
    diag::EiKiiretta kiire;
    TOmaList lista;
    Tarratyo tyo;

    Tarrat() {
        // The installation data is copied beside the benchmark's executable.
        const fs::path data = QCoreApplication::applicationDirPath().toStdString();
        fs::copy(data / "tarrat", juuri / "tarrat", fs::copy_options::recursive);
        fs::copy_file(data / "VERTFONT.TTF", juuri / "VERTFONT.TTF");
        for (int c = 1; c <= kasetteja; ++c) {
            for (int m = 1; m <= 2; ++m) {
                TKortti& k = lista.lisaa_uusi();
                k.kasetilla = std::to_string(c);
                k.nimi = "Elokuva " + std::to_string(c) + "-" + std::to_string(m) + " ja sen pitkä nimi";
            }
            tyo.kasetit.push_back(std::to_string(c));
        }
    }

    Tarra_asetukset asetukset() const {
        Tarra_asetukset a;
        a.starra_fn = "harmaa.bmp";
        return a;
    }

    double vektorit(const fs::path& pdf) {
        Tarrapiirtaja piirtaja(lista, ohjelma, viestit, kiire, asetukset());
        const auto t0 = std::chrono::steady_clock::now();
        if (!kirjoita_pdf(jarjestelman_tiedostot(), pdf, tarratuloste(piirtaja, tyo, false))) return -1;
        return sekunnit(t0, std::chrono::steady_clock::now());
    }

    // Each label a picture at the design resolution, stretched into its place.
    double bittikartat(const fs::path& pdf) {
        Tarrapiirtaja piirtaja(lista, ohjelma, viestit, kiire, asetukset());
        const auto t0 = std::chrono::steady_clock::now();
        {
            QPrinter tulostin(QPrinter::HighResolution);
            tulostin.setOutputFormat(QPrinter::PdfFormat);
            tulostin.setOutputFileName(QString::fromStdString(pdf.string()));
            tulostin.setFullPage(true);
            tulostin.setResolution(tyo.dpi_x);
            QPainter m(&tulostin);
            int p = 0;
            for (const std::string& k : tyo.kasetit) {
                if (++p > tyo.arkilla) {
                    tulostin.newPage();
                    p = 1;
                }
                const tarrat::Paikka paikka = tarrat::sivutarran_paikka(p, tyo.dpi_x, tyo.dpi_y);
                m.drawImage(QRect(paikka.vasen, paikka.yla, paikka.leveys(), paikka.korkeus()), *piirtaja.sivutarra(k));
            }
        }
        return sekunnit(t0, std::chrono::steady_clock::now());
    }
};

double kilotavua_sivulla(const fs::path& pdf, int sivuja) {
    return static_cast<double>(fs::file_size(pdf)) / 1024.0 / sivuja;
}

void BM_sivutarrat_140(benchmark::State& state) {
    static Tarrat t;
    const fs::path vektori = t.juuri / "vektori.pdf";
    const fs::path bitti = t.juuri / "bittikartta.pdf";
    double v = 0, b = 0;
    for (auto _ : state) {
        const double tv = t.vektorit(vektori);
        const double tb = t.bittikartat(bitti);
        if (tv < 0) state.SkipWithError("PDF:n kirjoitus epäonnistui");
        v += tv;
        b += tb;
        state.SetIterationTime(tv);
    }
    const int sivuja = tarrat::arkkeja(kasetteja, t.tyo.arkilla);
    const double n = static_cast<double>(state.iterations());
    state.counters["vektori_s"] = v / n;
    state.counters["bittikartta_s"] = b / n;
    state.counters["suhde"] = b / v;
    state.counters["vektori_kt_sivu"] = kilotavua_sivulla(vektori, sivuja);
    state.counters["bittikartta_kt_sivu"] = kilotavua_sivulla(bitti, sivuja);
}

}  // namespace

BENCHMARK(BM_sivutarrat_140)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
