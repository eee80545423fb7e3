// The IMDb window end to end against pages served from 127.0.0.1: search, hit list, title page, choose
// view, accept with the cover download, cancel, today's pages, the cover batch and the Imdb menu.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <httplib.h>

#include <QTimer>
#include <filesystem>
#include <functional>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "diag/ui/teksti.h"
#include "imdb/kansilataus.h"
#include "imdb/ui/imdb_form.h"
#include "imdb/ui/imdbtoiminnot.h"
#include "perus/tiedostot.h"
#include "storage/kannet.h"
#include "storage/kuvakoodekki.h"
#include "testituki/http_palvelin.h"
#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"
#include "testituki/pieni_jpeg.h"
#include "testituki/suljettu_portti.h"
#include "testituki/sijaispaaikkuna.h"
#include "testituki/tiedoston_sisalto.h"
#include "testituki/wikidatapalvelin.h"

namespace fs = std::filesystem;
using testituki::Sijaispaaikkuna;
using testituki::paina;

namespace {

std::string testdata(const char* nimi) { return testituki::testitiedosto("imdb", nimi); }

std::string korvaa(std::string s, const std::string& mita, const std::string& milla) {
    for (std::size_t p = 0; (p = s.find(mita, p)) != std::string::npos; p += milla.size()) s.replace(p, mita.size(), milla);
    return s;
}

// Pages of both layouts, covers and failures, served the way the two sites answer.
class Imdbpalvelin : public testituki::Http_palvelin {
public:
    std::string jpeg;

    Imdbpalvelin() : jpeg(testituki::pieni_jpeg()) {
        s.Get("/Tsearch", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            const std::string sana = q.get_param_value("title");
            if (sana == "Matrix") r.set_content(testdata("vanha_haku.html"), "text/html");
            else if (sana == "Yksi") r.set_content(osoitteilla(testdata("json_nimike.html")), "text/html");
            else r.status = 404;
        });
        s.Get("/Title", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            if (q.params.count("0133093") || q.params.count("0234215"))
                r.set_content(osoitteilla(testdata("vanha_nimike.html")), "text/html");
            else r.status = 404;
        });
        s.Get(R"(/title/tt(\d+)/)", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            if (q.matches[1] == "0000099") odota();  // a title page that takes its time
            if (q.matches[1] == "0242653") r.status = 404;  // a title gone from both addresses
            else r.set_content(osoitteilla(testdata("json_nimike.html")), "text/html");
        });
        s.Get(R"(/suggestion/(.)/(.+)\.json)", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            if (q.matches[2] == "nykyinen") r.set_content(testdata("ehdotukset.json"), "application/json");
            else if (q.matches[2] == "hidas")
                r.set_content(R"({"d":[{"id":"tt0000099","l":"Hidas","qid":"movie","y":2001}]})", "application/json");
            else r.status = 404;
        });
        s.Get(R"(/posters/(.+))", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            odota();
            if (q.matches[1] == "sivu.jpg") r.set_content("\n\n\n<html><body>Not here</body></html>", "text/html");
            else r.set_content(jpeg, "image/jpeg");
        });
        s.Get("/images/M/matrix.jpg", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            odota();
            r.set_content(jpeg, "image/jpeg");
        });
        s.Get("/rkb_versio.txt", [this](const httplib::Request& q, httplib::Response& r) {
            kirjaa(rivi(q));
            r.status = 404;  // the update server has nothing to say
        });
        kaynnista();
    }
    ~Imdbpalvelin() { lopeta(); }

    // The fixtures name the sites' own hosts; here every link leads back to this server.
    std::string osoitteilla(const std::string& sivu) const {
        return korvaa(korvaa(sivu, "http://posters.imdb.com", osoite()), "https://m.media.example", osoite());
    }

private:
    // A request as it is noted: the path and its parameters.
    static std::string rivi(const httplib::Request& q) {
        std::string rivi = q.path;
        for (const auto& [k, v] : q.params) rivi += (rivi == q.path ? "?" : "&") + k + (v.empty() ? "" : "=" + v);
        return rivi;
    }
};

// Runs `tee` once, as soon as `ehto` holds, from whatever event loop is running then: the batch waits in
// loops of its own, where only events reach the test.
class Kun : public QObject {
public:
    Kun(std::function<bool()> ehto, std::function<void()> tee) : ehto_(std::move(ehto)), tee_(std::move(tee)) {
        ajastin_.setInterval(5);
        QObject::connect(&ajastin_, &QTimer::timeout, this, [this] {
            if (tehty || !ehto_()) return;
            tehty = true;
            ajastin_.stop();
            tee_();
        });
        ajastin_.start();
    }
    bool tehty = false;

private:
    std::function<bool()> ehto_;
    std::function<void()> tee_;
    QTimer ajastin_;
};

}  // namespace

class ImdbFormTest : public QObject {
    Q_OBJECT

    Imdbpalvelin palvelin;

    // Double-clicks a row of the hit list as the user does.
    static void kaksoisnapsauta(QListWidget* l, int rivi) {
        const QRect r = l->visualItemRect(l->item(rivi));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }

    // The IMDb window as the test's stand-in main window shows it: `vaiheet` drives it (a failed check returns
    // from the steps only) and the window's result goes back to the caller.
    static std::function<int(QDialog&)> imdb_ikkuna(std::function<void(Timdb_form&)> vaiheet) {
        return [vaiheet = std::move(vaiheet)](QDialog& d) {
            auto& f = dynamic_cast<Timdb_form&>(d);
            vaiheet(f);
            return f.result();
        };
    }

    // Escape as a person presses it while the window works: to the widget of the window that has the focus.
    static void paina_esc(Timdb_form& f) {
        QWidget* k = QApplication::focusWidget();
        QVERIFY(k && k->window() == &f);
        QTest::keyClick(k, Qt::Key_Escape);
    }

    // The terms of use accepted and today's update check done, so the search window is the only dialog.
    static void vain_hakuikkuna(Sijaispaaikkuna& p) {
        p.a.warn_imdb = 1;
        p.a.paivitys_tarkistettu = true;
    }

    // Drives the search view until the hit list is there and opens the row; leaves the window in the choose view.
    static void valitse_osuma(Timdb_form& f, int rivi, int riveja) {
        QTRY_COMPARE_WITH_TIMEOUT(f.Hakutulos_lista->count(), riveja, 10000);
        QCOMPARE(f.windowTitle(), fi("Valitse oikea elokuva kaksoisnäpäytyksellä"));
        kaksoisnapsauta(f.Hakutulos_lista, rivi);
        QTRY_VERIFY_WITH_TIMEOUT(f.valintanakyma(), 10000);
    }

private slots:
    void initTestCase() {
        qputenv("RULLAKKO_IMDB_URL", QByteArray::fromStdString(palvelin.osoite()));
        qputenv("RULLAKKO_POSTER_URL", QByteArray::fromStdString(palvelin.osoite()));
        qputenv("RULLAKKO_IMDB_HAKU_URL", QByteArray::fromStdString(palvelin.osoite()));
        qputenv("RULLAKKO_PAIVITYS_URL", QByteArray::fromStdString(palvelin.osoite()));
    }
    void init() { palvelin.tyhjenna(); }

    void hakuValintaJaHyvaksyntaTayttavatKortin() {
        Sijaispaaikkuna p({{"1", "Matriisi (Matrix)"}});
        p.kortti().aani = "Hifi-Stereo";
        p.kortti().kesto = "120 min";
        Imdbtoiminnot t(p);
        bool varoitettu = false;
        const auto haku = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            QCOMPARE(f.hakusana(), std::string("Matrix"));
            QTRY_COMPARE_WITH_TIMEOUT(f.Hakutulos_lista->count(), 7, 10000);
            QCOMPARE(f.Hakutulos_lista->currentRow(), 1);  // the first title row, not the header
            testituki::tallenna_kuva(f, "imdb_haku");
            // A header row has no title behind it.
            kaksoisnapsauta(f.Hakutulos_lista, 2);
            QCOMPARE(p.viestit.tekstit().back(), std::string("VIRHE: Valitse elokuva listasta!"));
            // The aka title of a hit shows in the status bar.
            QTest::mouseClick(f.Hakutulos_lista->viewport(), Qt::LeftButton, {},
                              f.Hakutulos_lista->visualItemRect(f.Hakutulos_lista->item(3)).center());
            QCOMPARE(f.StatusBar->currentMessage(), QString("... aka Matrix 2"));
            kaksoisnapsauta(f.Hakutulos_lista, 4);
            QCOMPARE(p.viestit.tekstit().back(), std::string("Haku epäonnistui!"));
            QVERIFY(!f.valintanakyma());
            kaksoisnapsauta(f.Hakutulos_lista, 1);
            QTRY_VERIFY_WITH_TIMEOUT(f.valintanakyma(), 10000);
            QCOMPARE(f.windowTitle(), fi("Valitse oikeat tiedot"));
            QVERIFY(f.download_cover->isEnabled());
            QVERIFY(f.download_cover->isChecked());
            QCOMPARE(f.aaniraita_lista->currentItem()->text(), QString("Dolby Digital"));
            QCOMPARE(f.kesto_lista->count(), 2);
            // The values are on the card before acceptance, so the card view shows them.
            QCOMPARE(p.kortti().nimi, std::string("Matriisi (The Matrix)"));
            testituki::tallenna_kuva(f, "imdb_valinta");
            f.kesto_lista->setCurrentRow(1);  // Argentina:140 min
            QTest::mouseClick(f.hyvaksy_button, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 10000);
        });
        p.tp.dialogi = [&](QDialog& d) {
            if (d.objectName() == "imdb_warning") {
                varoitettu = true;
                return int(QDialog::Accepted);
            }
            return haku(d);
        };
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();

        QVERIFY(varoitettu);
        QCOMPARE(p.a.warn_imdb, 1);
        const TKortti& k = p.kortti();
        QCOMPARE(k.nimi, std::string("Matriisi (The Matrix)"));
        QCOMPARE(k.vuosi, std::string("1999"));
        QCOMPARE(k.ohjaaja, std::string("Lana Wachowski"));
        QCOMPARE(k.luokitus, std::string("Toiminta/Jännitys"));
        QCOMPARE(k.paanayttelijat.substr(0, 30), std::string("Keanu Reeves, Laurence Fishbur"));
        QCOMPARE(k.juoni, std::string("A computer hacker learns about the true nature of his reality."));
        QCOMPARE(k.arvosana, std::string("8"));
        QCOMPARE(k.kesto, std::string("140 min"));
        QCOMPARE(k.aani, std::string("Dolby Digital"));
        QCOMPARE(k.imdb_koodi, std::string("0133093"));
        QVERIFY(kansikuva_olemassa(p.kansio, k.cover_fn));
        QVERIFY(QString::fromStdString(k.cover_fn).endsWith(".jpg"));
        QCOMPARE(k.cover_url, palvelin.osoite() + "/posters/0133093.jpg");
        QVERIFY(!k.hae_kansi);
        QVERIFY(p.tk.kortit.muutettu);
        QVERIFY(p.paivityksia > 0 && p.tallennuksia > 0);
        QCOMPARE(palvelin.pyynnot().front(), std::string("/rkb_versio.txt"));
        QCOMPARE(palvelin.pyyntoja("/Tsearch?restrict=Movies and TV&title=Matrix"), 1);
        QCOMPARE(palvelin.pyyntoja("/rkb_versio.txt"), 1);  // a silent update server changes nothing
        QCOMPARE(p.viestit.tekstit(), (std::vector<std::string>{"VIRHE: Valitse elokuva listasta!", "Haku epäonnistui!"}));
        QCOMPARE(palvelin.pyyntoja("/Title?0242653"), 1);  // the old address first, then today's
        QCOMPARE(palvelin.pyyntoja("/title/tt0242653/"), 1);
    }

    // The Finnish source chosen in the window: its search, the choose view and the accept fill the card in
    // Finnish, the cover comes from Commons, and the choice becomes the default.
    void wikidataValitaanIkkunassa() {
        Wikidatapalvelin wd(palvelin.jpeg);
        qputenv("RULLAKKO_WIKIDATA_URL", QByteArray::fromStdString(wd.osoite()));
        qputenv("RULLAKKO_WIKIPEDIA_URL", QByteArray::fromStdString(wd.osoite()));
        qputenv("RULLAKKO_COMMONS_URL", QByteArray::fromStdString(wd.osoite()));
        Sijaispaaikkuna p({{"1", "Tuntematon sotilas"}});
        vain_hakuikkuna(p);
        p.a.wikimedia_yhteystieto = "keraaja@example.org";
        p.kortti().aani = "Mono";
        Imdbtoiminnot t(p);
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            QCOMPARE(f.lahde(), Lahdelaji::Imdb);
            QVERIFY(f.lahde_valinta->isVisible());
            // IMDb knows no such title; the user turns to the Finnish source.
            QTRY_COMPARE_WITH_TIMEOUT(f.windowTitle(), fi("Hakusanalla ei löytynyt yhtään elokuvaa"), 10000);
            QTRY_VERIFY_WITH_TIMEOUT(f.lahde_valinta->isEnabled(), 10000);
            // Shift+Tab from the hit list to the source, and the next source picked from its list.
            QCOMPARE(testituki::kohdistettu(f), static_cast<QWidget*>(f.Hakutulos_lista));
            QVERIFY(testituki::valitse_nappaimin(f.lahde_valinta, 1, true));
            QCOMPARE(f.lahde(), Lahdelaji::Wikidata);
            QTRY_COMPARE_WITH_TIMEOUT(f.Hakutulos_lista->count(), 3, 10000);
            QCOMPARE(f.hakusana(), std::string("Tuntematon sotilas"));
            QCOMPARE(f.Hakutulos_lista->item(0)->text(), QString("Tuntematon sotilas (1955), ohj. Edvin Laine"));
            QCOMPARE(f.Hakutulos_lista->currentRow(), 0);
            testituki::tallenna_kuva(f, "wikidata_haku");
            kaksoisnapsauta(f.Hakutulos_lista, 0);
            QTRY_VERIFY_WITH_TIMEOUT(f.valintanakyma(), 10000);
            QVERIFY(!f.lahde_valinta->isVisible());
            QVERIFY(f.download_cover->isEnabled());
            QCOMPARE(f.kesto_lista->currentItem()->text(), QString("181 min"));
            QCOMPARE(p.kortti().ohjaaja, std::string("Edvin Laine"));
            testituki::tallenna_kuva(f, "wikidata_valinta");
            QTest::mouseClick(f.hyvaksy_button, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 10000);
        });
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();

        const TKortti& k = p.kortti();
        QCOMPARE(k.nimi, std::string("Tuntematon sotilas"));
        QCOMPARE(k.vuosi, std::string("1955"));
        QCOMPARE(k.lisatieto[0], std::string("Juha Nevalainen, Väinö Linna"));
        QCOMPARE(k.luokitus, std::string("Sotaelokuva/Draamaelokuva"));
        QCOMPARE(k.maa, std::string("Suomi"));
        QCOMPARE(k.kesto, std::string("181 min"));
        QCOMPARE(k.aani, std::string("Mono"));
        QCOMPARE(k.imdb_koodi, std::string("0048732"));
        QVERIFY(k.juoni.str().rfind("Tuntematon sotilas on Edvin Laineen ohjaama sotaelokuva", 0) == 0);
        QVERIFY(k.kommentti.str().rfind("Juoni: Wikipedia, artikkeli \"Tuntematon sotilas (vuoden 1955 elokuva)\"", 0) == 0);
        QVERIFY(kansikuva_olemassa(p.kansio, k.cover_fn));
        QVERIFY(!k.hae_kansi);
        QCOMPARE(p.a.tietolahde, std::string("wikidata"));
        QCOMPARE(wd.agentti(), std::string("Rullakko/1.36 (http://www.rullakko.net/; keraaja@example.org)"));
        qunsetenv("RULLAKKO_WIKIDATA_URL");
        qunsetenv("RULLAKKO_WIKIPEDIA_URL");
        qunsetenv("RULLAKKO_COMMONS_URL");
    }

    // With the Finnish source as the default the window searches the card's Finnish name at once, and
    // IMDb's terms of use are not asked for a source that is not IMDb.
    void wikidataOletuksena() {
        Wikidatapalvelin wd;
        qputenv("RULLAKKO_WIKIDATA_URL", QByteArray::fromStdString(wd.osoite()));
        Sijaispaaikkuna p({{"1", "Tuntematon sotilas (The Unknown Soldier)"}});
        p.a.warn_imdb = 0;
        p.a.paivitys_tarkistettu = true;
        p.a.tietolahde = "wikidata";
        Imdbtoiminnot t(p);
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            QCOMPARE(f.lahde(), Lahdelaji::Wikidata);
            QCOMPARE(f.lahde_valinta->currentText(), fi("Wikidata ja Wikipedia (suomeksi)"));
            QCOMPARE(f.hakusana(), std::string("Tuntematon sotilas"));
            QTRY_COMPARE_WITH_TIMEOUT(f.Hakutulos_lista->count(), 3, 10000);
            QVERIFY(paina(f, Qt::Key_Escape));
            QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 10000);
        });
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
        QCOMPARE(p.a.warn_imdb, 0);
        QCOMPARE(p.kortti().nimi, std::string("Tuntematon sotilas (The Unknown Soldier)"));
        qunsetenv("RULLAKKO_WIKIDATA_URL");
    }

    void peruutaPalauttaaKortin() {
        Sijaispaaikkuna p({{"1", "Matriisi (Matrix)"}});
        vain_hakuikkuna(p);
        p.kortti().vuosi = "2000";
        p.kortti().arvosana = "3";
        p.kortti().hae_kansi = false;
        p.siirry_korttiin(1);
        // What the user typed before Ctrl+E is saved into the card by the window's fields.
        bool kirjoitettu = false;
        p.kentat_kortille = [&] {
            if (!kirjoitettu) p.kortti().ohjaaja = "Itse kirjoitettu";
            kirjoitettu = true;
        };
        TKortti ennen = p.kortti();
        ennen.ohjaaja = "Itse kirjoitettu";
        Imdbtoiminnot t(p);
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            valitse_osuma(f, 1, 7);
            QCOMPARE(p.kortti().ohjaaja, std::string("Lana Wachowski"));
            QCOMPARE(p.kortti().vuosi, std::string("1999"));
            QVERIFY(p.kortti().hae_kansi);  // marked for the cover while the user decides
            QTest::mouseClick(f.peruuta_button, Qt::LeftButton);
            QTRY_VERIFY(!f.isVisible());
        });
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
        const TKortti& k = p.kortti();
        QCOMPARE(k.nimi, ennen.nimi);
        QCOMPARE(k.ohjaaja, std::string("Itse kirjoitettu"));  // the user's own typing stays
        QCOMPARE(k.vuosi, ennen.vuosi);
        QCOMPARE(k.arvosana, ennen.arvosana);
        QCOMPARE(k.juoni, ennen.juoni);
        QCOMPARE(k.cover_url, ennen.cover_url);
        QCOMPARE(k.hae_kansi, false);
        QVERIFY(k.cover_fn.empty());
        QCOMPARE(palvelin.pyyntoja("/posters/"), 0);
    }

    void yhdenOsumanJsonSivuJaKansiMyohemmin() {
        Sijaispaaikkuna p({{"1", "Yksi"}});
        vain_hakuikkuna(p);
        Imdbtoiminnot t(p);
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            QTRY_VERIFY_WITH_TIMEOUT(f.valintanakyma(), 10000);  // straight to the choose view
            QVERIFY(!f.Hakutulos_lista->isVisible());
            QCOMPARE(f.kesto_lista->currentItem()->text(), QString("136 min"));
            // The check box's default is set from its pop-up menu; the tip tells about it.
            testituki::napsauta_oikealla(f.download_cover, f.download_cover->rect().center());
            QTRY_VERIFY(f.PopupMenu->isVisible());
            QVERIFY(f.set_def_on->isChecked() && !f.set_def_off->isChecked());
            QVERIFY(testituki::napsauta_valikosta(f.PopupMenu, f.set_def_off));
            QVERIFY(!p.a.dl_cover_default);
            QTest::mouseClick(f.vihje_paneeli, Qt::LeftButton);
            QCOMPARE(p.viestit.tekstit().back().substr(0, 30), std::string("1) Voit myös hakea kaikki kans"));
            // The tip names the menu item by the caption the main window's menu shows (checked there).
            QVERIFY(p.viestit.tekstit().back().find("Imdb -> Hae puuttuvat kansikuvat.") != std::string::npos);
            QVERIFY(f.download_cover->isChecked());  // the default of this window, set before it opened
            testituki::napsauta_ruutua(f.download_cover);  // fetched later by the batch
            QVERIFY(!f.download_cover->isChecked());
            QTest::mouseClick(f.hyvaksy_button, Qt::LeftButton);
            QTRY_VERIFY(!f.isVisible());
        });
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
        const TKortti& k = p.kortti();
        QCOMPARE(k.nimi, std::string("Yksi (The Matrix)"));
        QCOMPARE(k.vuosi, std::string("1999"));
        QCOMPARE(k.lisatieto[0], std::string("Lilly Wachowski, Lana Wachowski"));
        QCOMPARE(k.kesto, std::string("136 min"));
        QCOMPARE(k.imdb_koodi, std::string("0133093"));
        QVERIFY(k.cover_fn.empty());
        QVERIFY(k.hae_kansi);
        QCOMPARE(k.cover_url, palvelin.osoite() + "/images/M/matrix.jpg");
        QCOMPARE(palvelin.pyyntoja("/images/"), 0);
        // The page the search landed on is read once: no second request for the same title.
        QCOMPARE(palvelin.pyyntoja("/Tsearch"), 1);
        QCOMPARE(palvelin.pyyntoja("/title/"), 0);
        QCOMPARE(palvelin.pyyntoja("/Title"), 0);
    }

    void nykyinenHakuJaEnterAvaaOsuman() {
        Sijaispaaikkuna p({{"1", "Uusi (nykyinen)"}});
        vain_hakuikkuna(p);
        Imdbtoiminnot t(p);
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            QTRY_COMPARE_WITH_TIMEOUT(f.Hakutulos_lista->count(), 5, 10000);
            // The hit list has the focus; Return opens its current row.
            QCOMPARE(testituki::kohdistettu(f), static_cast<QWidget*>(f.Hakutulos_lista));
            QVERIFY(paina(f, Qt::Key_Return));
            QTRY_VERIFY_WITH_TIMEOUT(f.valintanakyma(), 10000);
            // Esc while the accepted card's cover is on its way stops the download, not the acceptance.
            palvelin.pidata();
            Kun esc([&] { return f.StatusBar->currentMessage().startsWith("Haetaan kansikuvaa"); },
                    [&] { paina_esc(f); });
            QTest::mouseClick(f.hyvaksy_button, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 10000);
            QVERIFY(esc.tehty);
            QCOMPARE(f.result(), int(QDialog::Accepted));
            palvelin.paasta();
        });
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
        // The suggestions give the hit (the old search is not asked), today's title page the values.
        QCOMPARE(palvelin.pyyntoja("/Tsearch"), 0);
        QCOMPARE(palvelin.pyyntoja("/suggestion/n/nykyinen.json"), 1);
        QCOMPARE(palvelin.pyyntoja("/title/tt0133093/"), 1);
        QCOMPARE(palvelin.pyyntoja("/Title"), 0);
        QCOMPARE(p.kortti().nimi, std::string("Uusi (The Matrix)"));
        QCOMPARE(p.kortti().imdb_koodi, std::string("0133093"));
        // The stopped cover is left for the batch.
        QVERIFY(p.kortti().cover_fn.empty());
        QVERIFY(p.kortti().hae_kansi);
        QCOMPARE(p.kortti().cover_url, palvelin.osoite() + "/images/M/matrix.jpg");
    }

    // A title page that does not come is given up by Escape, closing the window, or Peruuta on the cover.
    void hidasSivuJaKansiPeruutetaan() {
        {
            Sijaispaaikkuna p({{"1", "Vanha (hidas)"}});
            vain_hakuikkuna(p);
            Imdbtoiminnot t(p);
            palvelin.pidata();
            p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
                f.show();
                QTRY_COMPARE_WITH_TIMEOUT(f.Hakutulos_lista->count(), 2, 10000);
                Kun esc([&] { return palvelin.pyyntoja("/title/tt0000099/") == 1; },
                        [&] { paina_esc(f); });
                QCOMPARE(testituki::kohdistettu(f), static_cast<QWidget*>(f.Hakutulos_lista));
                QVERIFY(paina(f, Qt::Key_Return));
                QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 10000);
                QVERIFY(esc.tehty);
                QVERIFY(!f.valintanakyma());
            });
            p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
            palvelin.paasta();
            QCOMPARE(p.kortti().nimi, std::string("Vanha (hidas)"));
            QVERIFY(p.viestit.tekstit().empty());  // a cancel is not an error
        }
        palvelin.tyhjenna();
        {
            Sijaispaaikkuna p({{"1", "Matriisi (Matrix)"}});
            vain_hakuikkuna(p);
            Imdbtoiminnot t(p);
            p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
                f.show();
                valitse_osuma(f, 1, 7);
                palvelin.pidata();  // the cover answer waits
                QVERIFY(f.download_cover->isChecked());  // the default: the cover is fetched
                Kun peruuta([&] { return f.StatusBar->currentMessage().startsWith("Haetaan kansikuvaa"); },
                            [&] { QTest::mouseClick(f.peruuta_button, Qt::LeftButton); });
                QTest::mouseClick(f.hyvaksy_button, Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 10000);
                QVERIFY(peruuta.tehty);
                palvelin.paasta();
            });
            p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
            QCOMPARE(p.kortti().nimi, std::string("Matriisi (The Matrix)"));
            QCOMPARE(p.kortti().imdb_koodi, std::string("0133093"));
            QVERIFY(p.viestit.tekstit().empty());
        }
    }

    // No server answers: the user is told so with the reason, not that no movie was found.
    void palvelinAlhaallaKerrotaan() {
        const QByteArray vanha = qgetenv("RULLAKKO_IMDB_URL"), haku = qgetenv("RULLAKKO_IMDB_HAKU_URL");
        const QByteArray kiinni = QByteArray("http://127.0.0.1:") + QByteArray::number(testituki::vapaa_portti());
        qputenv("RULLAKKO_IMDB_URL", kiinni);
        qputenv("RULLAKKO_IMDB_HAKU_URL", kiinni);
        Sijaispaaikkuna p({{"1", "Matrix"}});
        vain_hakuikkuna(p);
        Imdbtoiminnot t(p);
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            f.show();
            QTRY_VERIFY_WITH_TIMEOUT(!p.viestit.tekstit().empty(), 10000);
            QVERIFY(f.windowTitle() != fi("Hakusanalla ei löytynyt yhtään elokuvaa"));
            f.reject();
        });
        p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
        qputenv("RULLAKKO_IMDB_URL", vanha);
        qputenv("RULLAKKO_IMDB_HAKU_URL", haku);
        const std::string viesti = p.viestit.tekstit().front();
        QVERIFY2(viesti.rfind("Yhteys Internet Movie Databaseen epäonnistui.\n", 0) == 0, viesti.c_str());
        QVERIFY2(viesti.find("palvelimeen ei saatu yhteyttä") != std::string::npos, viesti.c_str());
    }

    void eiOsumiaJaHylattyKayttoehto() {
        {
            Sijaispaaikkuna p({{"1", "Ei ole"}});
            vain_hakuikkuna(p);
            Imdbtoiminnot t(p);
            p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
                f.show();
                QTRY_COMPARE_WITH_TIMEOUT(f.windowTitle(), fi("Hakusanalla ei löytynyt yhtään elokuvaa"), 10000);
                QCOMPARE(f.Hakutulos_lista->count(), 0);
                f.reject();
            });
            p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
            QCOMPARE(p.kortti().nimi, std::string("Ei ole"));
        }
        palvelin.tyhjenna();
        {
            Sijaispaaikkuna p({{"1", "Matrix"}});
            Imdbtoiminnot t(p);
            p.tp.dialogi = [&](QDialog& d) {
                if (d.objectName() == "imdb_warning") {
                    testituki::tallenna_kuva(d, "imdb_kayttoehdot");
                    return int(QDialog::Rejected);
                }
                [&] {
                    d.show();
                    QTRY_VERIFY(!d.isVisible());  // declining closes the window
                }();
                return d.result();
            };
            p.toiminto(Toiminto::Etsi_imdbsta)->trigger();
            QCOMPARE(p.a.warn_imdb, 0);
            QVERIFY(palvelin.pyynnot().empty());
        }
    }

    void kansikuvaerajaKortitJaLiputKasitellaan() {
        Sijaispaaikkuna p({{"1", "Haettava"}, {"2", "Valmis osoite"}, {"3", "Ei merkintää"}, {"4", "Ei numeroa"},
                          {"5", "Kansi jo"}, {"6", "Sivu kuvan sijaan"}});
        const std::string osoite = palvelin.osoite();
        auto& kortit = p.tk.kortit;
        kortit[1].imdb_koodi = "0133093";
        kortit[2].imdb_koodi = "0000002";
        kortit[2].cover_url = osoite + "/posters/valmis.jpg";
        kortit[3].imdb_koodi = "0000003";
        kortit[3].hae_kansi = false;
        kortit[5].imdb_koodi = "0000005";
        p.k.kirjoita("gfx/kannet/55555555.jpg", palvelin.jpeg);
        kortit[5].cover_fn = "gfx\\kannet\\55555555.jpg";
        kortit[6].imdb_koodi = "0000006";
        kortit[6].cover_url = osoite + "/posters/sivu.jpg";
        p.viestit.vastaukset.push_back(diag::Vastaus::Kylla);
        Imdbtoiminnot t(p);
        t.tauon_sekunti_ms = 1;
        p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
            Kun kuvaus([&] { return f.Hakutulos_lista->count() >= 1; }, [&] { testituki::tallenna_kuva(f, "imdb_kansikuvat"); });
            f.show();
            QVERIFY(f.Abort_Button->isVisible());
            QVERIFY(!(f.windowFlags() & Qt::WindowCloseButtonHint));
            QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 60000);
            QVERIFY(kuvaus.tehty);
        });
        p.toiminto(Toiminto::Hae_puuttuvat_kannet)->trigger();

        QCOMPARE(p.viestit.naytetyt.front().teksti.substr(0, 50), std::string("Toiminto hakee kansikuvat vain korteille joilla on"));
        for (int i = 1; i <= 6; ++i) QVERIFY2(!kortit[i].hae_kansi, std::to_string(i).c_str());
        QVERIFY(kansikuva_olemassa(p.kansio, kortit[1].cover_fn));
        QCOMPARE(kortit[1].cover_url, osoite + "/posters/0133093.jpg");
        QVERIFY(kansikuva_olemassa(p.kansio, kortit[2].cover_fn));
        QCOMPARE(palvelin.pyyntoja("/Title?0000002"), 0);  // the stored address is used as it is
        QCOMPARE(palvelin.pyyntoja("/title/tt0000002/"), 0);
        QVERIFY(kortit[3].cover_fn.empty());
        QCOMPARE(palvelin.pyyntoja("/Title?0000003"), 0);
        QCOMPARE(kortit[5].cover_fn, std::string("gfx\\kannet\\55555555.jpg"));
        QVERIFY(kortit[6].cover_fn.empty());  // an HTML page is not a cover
        const auto tekstit = p.viestit.tekstit();
        QCOMPARE(std::count(tekstit.begin(), tekstit.end(), std::string(html_kansi_viesti)), 1L);
        QCOMPARE(std::count(tekstit.begin(), tekstit.end(), std::string(ei_kuva_viesti)), 1L);
        QCOMPARE(palvelin.pyyntoja("/posters/"), 3);
    }

    // Keskeytä, Escape and the window's close each end the batch in a pause, without further requests.
    void keskeytysTauonAikanaLopettaaEran() {
        for (const char* tapa : {"Keskeytä", "Escape", "sulje"}) {
            palvelin.tyhjenna();
            Sijaispaaikkuna p({{"1", "Eka"}, {"2", "Toka"}, {"3", "Kolmas"}});
            for (int i = 1; i <= 3; ++i) {
                p.tk.kortit[i].imdb_koodi = "000000" + std::to_string(i);
                p.tk.kortit[i].cover_url = palvelin.osoite() + "/posters/k" + std::to_string(i) + ".jpg";
            }
            p.viestit.vastaukset.push_back(diag::Vastaus::Kylla);
            Imdbtoiminnot t(p);
            t.tauon_sekunti_ms = 600000;  // only an abort can end this pause in time
            p.tp.dialogi = imdb_ikkuna([&](Timdb_form& f) {
                Kun keskeytys([&] { return f.StatusBar->currentMessage().startsWith(fi("Pidetään taukoa")); }, [&] {
                    if (std::string(tapa) == "Keskeytä") QTest::mouseClick(f.Abort_Button, Qt::LeftButton);
                    else if (std::string(tapa) == "Escape") paina_esc(f);
                    else f.close();
                });
                f.show();
                QTRY_VERIFY_WITH_TIMEOUT(!f.isVisible(), 20000);
                QVERIFY(keskeytys.tehty);
                QVERIFY(!f.Abort_Button->isEnabled());
            });
            p.toiminto(Toiminto::Hae_puuttuvat_kannet)->trigger();
            QCOMPARE(palvelin.pyyntoja("/posters/"), 1);
            QVERIFY(!p.tk.kortit[1].cover_fn.empty());
            // The cards not reached keep their marks for the next batch.
            QVERIFY2(p.tk.kortit[2].hae_kansi, tapa);
            QVERIFY2(p.tk.kortit[3].hae_kansi, tapa);
        }
    }

    void imdbValikonSaannotJaNumero() {
        Sijaispaaikkuna p({{"1", "Ilman numeroa"}, {"2", "Numerollinen"}});
        p.tk.kortit[2].imdb_koodi = "0133093";
        Imdbtoiminnot t(p);
        QAction* nayta = p.toiminto(Toiminto::Nayta_imdbssa);
        QAction* numero = p.toiminto(Toiminto::Muokkaa_imdb_numeroa);
        QAction* kansi = p.toiminto(Toiminto::Hae_kansi);
        QVERIFY(p.toiminto(Toiminto::Etsi_imdbsta)->isEnabled());
        QVERIFY(p.toiminto(Toiminto::Hae_puuttuvat_kannet)->isEnabled());

        t.Imdb_menuClick(true);
        QCOMPARE(numero->text(), fi("Syötä Imdb tunnistenumero"));
        QVERIFY(!nayta->isEnabled());
        QVERIFY(!kansi->isEnabled() && !kansi->isChecked());
        QVERIFY(!p.kortti().hae_kansi);  // a card without a number cannot want a cover

        p.siirry_korttiin(2);
        QCOMPARE(numero->text(), fi("Muokkaa Imdb tunnistenumeroa"));
        QVERIFY(nayta->isEnabled());
        QVERIFY(kansi->isEnabled() && kansi->isChecked());
        kansi->trigger();
        QVERIFY(!p.kortti().hae_kansi);
        QVERIFY(p.tk.kortit.muutettu);

        nayta->trigger();
        QCOMPARE(p.tp.avatut.back().toString(), q(palvelin.osoite() + "/title/tt0133093/"));

        p.tp.dialogi = [&](QDialog& d) {
            auto& i = dynamic_cast<QInputDialog&>(d);
            [&] {
                QCOMPARE(i.windowTitle(), fi("Syötä kortille elokuvan imdb-numero"));
                QCOMPARE(i.labelText(), fi("Vanha numero: 0133093"));
                QVERIFY(i.textValue().isEmpty());
            }();
            i.show();
            [&] {
                QWidget* k = testituki::kohdistettu(i);
                QVERIFY(qobject_cast<QLineEdit*>(k));
                testituki::nappaile(k, "tt0234215\n");  // as the browser's address shows it, and Return
            }();
            return i.result();
        };
        numero->trigger();
        QCOMPARE(p.kortti().imdb_koodi, std::string("0234215"));

        p.tk.kortit[2].cover_fn = "gfx\\kannet\\12345678.jpg";
        p.tk.kortit[2].hae_kansi = true;
        t.Imdb_menuClick(true);
        QVERIFY(!kansi->isEnabled());
        QVERIFY(!p.kortti().hae_kansi);  // a card with a cover wants no other
    }
};

QTEST_MAIN(ImdbFormTest)
#include "imdb_form_ui_test.moc"
