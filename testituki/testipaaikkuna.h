#pragma once
// A stand-in main window for testing one window of another subsystem: a real catalogue in a program
// folder of its own, recorded messages, a desktop whose dialogs the test answers, and menu items made
// on demand under the names the real menus use.
#include <QAction>
#include <QDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "diag/kiire.h"
#include "mainwindow/korttitoiminnot.h"
#include "perus/ui/paaikkuna.h"
#include "settings/asetukset.h"
#include "settings/ui/ulkoasu_qt.h"
#include "storage/varasto.h"
#include "testituki/asetustesti.h"
#include "testituki/testiviestit.h"

namespace testituki {

// Runs `tee` on the dialog of that kind once its own event loop runs (a log line may let events through
// while the dialog is still being shown, and closing it then would leave its loop waiting forever).
template <class Dialogi, class F>
inline void kun_auki(F tee) {
    auto* ajastin = new QTimer;
    ajastin->setInterval(5);
    const int taso = QThread::currentThread()->loopLevel();
    QObject::connect(ajastin, &QTimer::timeout, [ajastin, tee, taso] {
        if (QThread::currentThread()->loopLevel() <= taso) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<Dialogi*>(w);
            if (!d || !d->isVisible()) continue;
            ajastin->stop();
            ajastin->deleteLater();
            tee(d);
            return;
        }
    });
    ajastin->start();
}

class TestiTyopoyta final : public Tyopoyta {
public:
    std::deque<QString> avattavat;      // answers of the open dialog, in order
    std::deque<QString> tallennettavat;  // answers of the save dialog, in order
    std::vector<QUrl> avatut;            // addresses given to the shell
    std::function<bool(const QUrl&)> avautuu;  // whether the shell opens an address; unset: it does
    bool tulostin = true;
    int piippauksia = 0;
    // Runs each modal dialog; the test drives it and returns its result. Unset: an unexpected dialog.
    std::function<int(QDialog&)> dialogi;

    QString valitse_avattava(QWidget*, const QString&, const QString&) override { return seuraava(avattavat); }
    QString valitse_tallennettava(QWidget*, const QString&, const QString&, const QString&) override {
        return seuraava(tallennettavat);
    }
    bool avaa_osoite(const QUrl& u) override {
        avatut.push_back(u);
        return !avautuu || avautuu(u);
    }
    bool tulostin_olemassa() override { return tulostin; }
    void piippaa() override { ++piippauksia; }
    int nayta_dialogi(QDialog& d) override {
        if (!dialogi) {
            QTest::qFail("odottamaton dialogi", __FILE__, __LINE__);
            return QDialog::Rejected;
        }
        return dialogi(d);
    }

private:
    static QString seuraava(std::deque<QString>& jono) {
        if (jono.empty()) {
            QTest::qFail("odottamaton tiedostodialogi", __FILE__, __LINE__);
            return {};
        }
        QString s = jono.front();
        jono.pop_front();
        return s;
    }
};

class Testipaaikkuna final : public Paaikkuna {
public:
    asetustesti::Kansio k;
    Ohjelmakansio kansio{k.juuri()};
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset a;
    Tietokanta tk;
    Varasto v{tk, kansio, jarjestelman_tiedostot(), viestit, kiire, &a};
    TestiTyopoyta tp;
    Korttimuutokset m;
    Ulkoasusovitin s;
    TPeruuta_muutokset peruutus_;
    QMainWindow w;
    std::map<std::string, QAction*> toiminnot;
    int paivityksia = 0;    // update_fields calls
    int tallennuksia = 0;   // dosavefields calls
    int himmennyksia = 0;   // dims not yet undone
    std::vector<std::pair<std::string, std::string>> ohjeet;  // help documents opened, with their anchors
    std::vector<int> asetussivut;                             // settings dialog opened on these pages
    std::function<void(int)> asetuksissa;                     // what the user does there; unset: nothing
    // A test's own fields bound to the current card: run by dosavefields and update_fields when set.
    std::function<void()> kentat_kortille;
    std::function<void()> kortti_kenttiin;

    // Cards as (cassette, title) pairs; the first becomes current.
    explicit Testipaaikkuna(std::initializer_list<std::pair<const char*, const char*>> kasetti_nimi = {}) {
        for (const auto& [kasetti, nimi] : kasetti_nimi) {
            TKortti& c = tk.kortit.lisaa_uusi();
            c.kasetilla = kasetti;
            c.nimi = nimi;
        }
        if (tk.kortit.Count() == 1) tk.kortit.lisaa_uusi();
        tk.tiedosto = (k.juuri() / "testi.rkb").string();
        tk.nykyinen = 1;
        w.resize(640, 480);
    }

    QWidget* ikkuna() override { return &w; }
    Varasto& varasto() override { return v; }
    TAsetukset& asetukset() override { return a; }
    Tyopoyta& tyopoyta() override { return tp; }
    Korttimuutokset& muutokset() override { return m; }
    Ulkoasusovitin& sovitin() override { return s; }
    QAction* toiminto(const char* nimi) override {
        QAction*& a = toiminnot[nimi];
        if (!a) {
            a = w.menuBar()->addAction(QString::fromLatin1(nimi));
            a->setObjectName(nimi);
        }
        return a;
    }
    void dosavefields() override {
        ++tallennuksia;
        if (kentat_kortille) kentat_kortille();
    }
    void update_fields() override {
        ++paivityksia;
        if (kortti_kenttiin) kortti_kenttiin();
    }
    void siirry_korttiin(int indeksi) override {
        tk.nykyinen = indeksi;
        peruutus_.ota(tk);
        m.ilmoita_nykyinen(indeksi);
    }
    TPeruuta_muutokset& peruutus() override { return peruutus_; }
    void himmenna_tausta() override { ++himmennyksia; }
    void palauta_tausta() override { --himmennyksia; }
    void avaa_ohje(const char* tiedosto, const char* kohta) override {
        ohjeet.emplace_back(tiedosto, kohta ? kohta : "");
    }
    void nayta_asetukset(int sivu) override {
        asetussivut.push_back(sivu);
        if (asetuksissa) asetuksissa(sivu);
    }

    TKortti& kortti() { return tk.kortit[tk.nykyinen]; }
};

}  // namespace testituki

namespace testituki {

// The list window as a test sees it: what it was asked to do, and scripted answers.
class Testilista final : public Listaikkuna {
public:
    bool auki = false;
    bool haku = false;
    std::function<bool(int)> rivi;  // previous/next row; unset: at an end
    int seurattu = 0, rakennettu = 0, suljettu = 0, hakutuloksia = 0, kaikkia = 0;
    std::optional<bool> muoto;

    bool nakyvissa() const override { return auki; }
    bool hakutulokset() const override { return haku; }
    bool siirry_riville(int suunta) override { return rivi && rivi(suunta); }
    void seuraa_valintaa() override { ++seurattu; }
    void rakenna() override { ++rakennettu; }
    void sulje() override {
        ++suljettu;
        auki = false;
    }
    void aseta_muoto(bool liitetty) override { muoto = liitetty; }
    void nayta_hakutulokset() override { ++hakutuloksia; }
    void nayta_kaikki() override { ++kaikkia; }
};

// The program's other windows as the main window reaches them, recorded.
class TestiMuut final : public Muut_ikkunat {
public:
    Testilista lista_;
    std::function<void()> etsinta;     // the search window; unset: nothing happens
    std::function<bool()> jarjestys;   // the sort dialog; unset: cancelled
    std::vector<std::string> pituuskysymykset;
    std::vector<std::string> viitehaut;
    std::vector<int> asetussivut;
    int debuggeri = 0, suljettu = 0;

    Listaikkuna& lista() override { return lista_; }
    void etsi() override {
        if (etsinta) etsinta();
    }
    void kysy_kasetin_pituus(const std::string& kasetti) override { pituuskysymykset.push_back(kasetti); }
    void hae_viitetiedot(const std::string& nimi) override { viitehaut.push_back(nimi); }
    bool jarjesta() override { return jarjestys && jarjestys(); }
    void nayta_asetukset(int sivu) override { asetussivut.push_back(sivu); }
    void nayta_debuggeri() override { ++debuggeri; }
    void sulje_kaikki() override { ++suljettu; }
};

}  // namespace testituki
