// Moving from card to card in the real main window, offscreen, over 100 000 cards: each move commits the
// fields, shows the next card with its side panel and repaints the window. The baseline assigns the same
// texts to the same widgets and repaints, which is the least any card view can do. Counters: "ms_siirto"
// is our time per move, "suhde" ours divided by the baseline's.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <chrono>
#include <random>

#include "bench/mittaus.h"
#include "testituki/oikea_paaikkuna.h"

namespace {

constexpr int korttien_maara = 100000;

// The main window of the window tests, over the benchmark's catalogue, in the given view.
struct Ymparisto {
    Oikea_paaikkuna ikkuna;
    TMain_form* f = ikkuna.f.get();

    explicit Ymparisto(int nakyma) : ikkuna({}) {
        std::mt19937 arpa(7);
        const auto sana = [&] {
            std::string s(1, static_cast<char>('A' + arpa() % 26));
            for (int i = 0, n = 3 + static_cast<int>(arpa() % 8); i < n; ++i) s += static_cast<char>('a' + arpa() % 26);
            return s;
        };
        Tietokanta& tk = ikkuna.tk();
        int kasetti = 1, kasetilla = 0;
        for (int i = 0; i < korttien_maara; ++i) {
            TKortti& c = tk.kortit.lisaa_uusi();
            if (kasetilla == 0) kasetilla = 1 + static_cast<int>(arpa() % 4);
            c.nimi = sana() + " " + sana() + " (" + std::to_string(1950 + arpa() % 70) + ")";
            c.kasetilla = std::to_string(kasetti);
            c.sijainti = std::to_string(5 - kasetilla);
            if (--kasetilla == 0) ++kasetti;
            c.paanayttelijat = sana() + " " + sana() + ", " + sana() + " " + sana();
            c.ohjaaja = sana() + " " + sana();
            c.luokitus = "Draama";
            c.maa = "Suomi";
            c.vuosi = "1987";
            c.kesto = "92 min";
            c.formaatti = "LP";
            for (int s = 0; s < 20; ++s) c.juoni += sana() + " ";
            c.lisatieto_nimi[1] = "Kansi:";
            c.lisatieto[1] = sana();
        }
        tk.nykyinen = 1;
        f->aseta_nakyma(nakyma);
        QApplication::processEvents();
    }
};

// The texts of one card put into the window's own controls, and a repaint.
void aseta_tekstit(TMain_form& f, const TKortti& k) {
    static const std::pair<const char*, Teksti TKortti::*> rivit[] = {
        {"nimi_kentta", &TKortti::nimi}, {"paanayttelijat_kentta", &TKortti::paanayttelijat},
        {"Vuosi_Kentta", &TKortti::vuosi}, {"kesto_kentta", &TKortti::kesto},
        {"kasetilla_kentta", &TKortti::kasetilla}, {"Ohjaaja_Kentta", &TKortti::ohjaaja},
        {"lainassa_kentta", &TKortti::lainassa}};
    static const std::pair<const char*, Teksti TKortti::*> listat[] = {
        {"maa_kentta", &TKortti::maa}, {"formaatti_kentta", &TKortti::formaatti},
        {"luokitus_kentta", &TKortti::luokitus}, {"sijainti_kentta", &TKortti::sijainti},
        {"aani_kentta", &TKortti::aani}, {"vari_kentta", &TKortti::vari}, {"kuvasuhde_kentta", &TKortti::kuvasuhde}};
    static std::vector<std::pair<QLineEdit*, Teksti TKortti::*>> e;
    static std::vector<std::pair<QComboBox*, Teksti TKortti::*>> c;
    static QPlainTextEdit* juoni = nullptr;
    if (e.empty()) {
        for (const auto& [n, m] : rivit) e.emplace_back(f.findChild<QLineEdit*>(n), m);
        for (const auto& [n, m] : listat) c.emplace_back(f.findChild<QComboBox*>(n), m);
        juoni = f.findChild<QPlainTextEdit*>("Kommentti_Kentta");
    }
    for (const auto& [w, m] : e) w->setText(QString::fromLatin1((k.*m).c_str()));
    for (const auto& [w, m] : c) w->setEditText(QString::fromLatin1((k.*m).c_str()));
    juoni->setPlainText(QString::fromLatin1(k.juoni.c_str()));
    f.repaint();
}

// Both windows live from before the first benchmark to before the application ends.
std::unique_ptr<Ymparisto> listanakyma, kansinakyma;

void Korttisiirto(benchmark::State& state) {
    Ymparisto& y = state.range(0) == 3 ? *kansinakyma : *listanakyma;
    TMain_form& f = *y.f;
    Tietokanta& tk = f.varasto().tk();
    constexpr int siirtoja = 1000;
    double oma = 0, pohja = 0;
    for (auto _ : state) {
        tk.nykyinen = 1 + static_cast<int>(state.iterations() * siirtoja % (korttien_maara - siirtoja - 1));
        f.update_fields();
        const auto a = std::chrono::steady_clock::now();
        for (int i = 0; i < siirtoja; ++i) {
            f.siirry(1);
            f.repaint();
        }
        const auto b = std::chrono::steady_clock::now();
        const int alku = tk.nykyinen;
        for (int i = 0; i < siirtoja; ++i) aseta_tekstit(f, tk.kortit[alku - siirtoja + i]);
        const auto c = std::chrono::steady_clock::now();
        oma += sekunnit(a, b);
        pohja += sekunnit(b, c);
        f.update_fields();
    }
    state.counters["ms_siirto"] = oma * 1000.0 / (static_cast<double>(state.iterations()) * siirtoja);
    state.counters["suhde"] = oma / pohja;
}
BENCHMARK(Korttisiirto)->Arg(0)->Arg(3)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    listanakyma = std::make_unique<Ymparisto>(0);
    kansinakyma = std::make_unique<Ymparisto>(3);
    benchmark::RunSpecifiedBenchmarks();
    kansinakyma.reset();
    listanakyma.reset();
    return 0;
}
