// The whole program over a catalogue whose covers are unpacked after the open (the default): the first card
// shows before the covers are out, its cover appears once it is, the rest follow between events, and
// quitting in the middle leaves the catalogue file as it was and no cover behind.
#include <QLabel>
#include <QtTest>
#include <filesystem>

#include "mainwindow/ui/pieni_kansi.h"
#include "perus/tiedostot.h"
#include "storage/kannet.h"
#include "storage/kansipurku.h"
#include "storage/kuvakoodekki.h"
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"
#include "testituki/kaynnistys.h"
#include "testituki/kuvat.h"

namespace fs = std::filesystem;

namespace {

constexpr int korttien_maara = 1500;

// A cover of one colour: the first card's is red, the others blue.
std::string kansikuva(bool punainen) {
    RgbKuva kuva{60, 90, {}};
    for (int i = 0; i < kuva.leveys * kuva.korkeus; ++i)
        kuva.rgb.insert(kuva.rgb.end(), {static_cast<unsigned char>(punainen ? 220 : 20), 20,
                                         static_cast<unsigned char>(punainen ? 20 : 220)});
    std::string jpeg;
    pakkaa_jpeg_muistiin(kuva, 80, jpeg);
    return jpeg;
}

std::string cover_fn(int i) { return "gfx\\kannet\\" + std::to_string(10000000 + i) + ".jpg"; }

// kannet.rkb in the program folder: every card with a cover of its own.
void tee_luettelo(const testituki::Tilapainen_kansio& k) {
    const fs::path lahde = k.juuri() / "lahde";
    fs::create_directories(lahde / "gfx" / "kannet");
    TOmaList l;
    std::vector<std::string> nimet{tyotiedosto};
    const std::string punainen = kansikuva(true), sininen = kansikuva(false);
    for (int i = 1; i <= korttien_maara; ++i) {
        TKortti& c = l.lisaa_uusi();
        c.nimi = "Elokuva " + std::to_string(i);
        c.kasetilla = std::to_string(i);
        c.cover_fn = cover_fn(i);
        QVERIFY(korvaa_tiedosto(jarjestelman_tiedostot(), tiedostopolku(jarjestelman_tiedostot(), c.cover_fn, lahde), i == 1 ? punainen : sininen));
        nimet.push_back(c.cover_fn);
    }
    std::string runko;
    kirjoita_runko(l, runko);
    QVERIFY(korvaa_tiedosto(jarjestelman_tiedostot(), lahde / tyotiedosto, runko));
    TZLBArchive zip(jarjestelman_tiedostot());
    QVERIFY(zip.Create(k.juuri() / "kannet.rkb"));
    QVERIFY(zip.AddFiles(nimet, lahde));
    zip.Close();
    fs::remove_all(lahde);
}

std::string lue(const fs::path& p) {
    std::string s;
    lue_koko_tiedosto(jarjestelman_tiedostot(), p, s);
    return s;
}

}  // namespace

class KansipurkuajoTesti : public QObject {
    Q_OBJECT

    bool kaynnista(testituki::Kaynnistys& s) {
        tee_luettelo(s.k);
        s.k.kirjoita("asetukset.ini", "[Tallennus]\r\nsortattuna=0\r\nAvaa_kannet_heti=1\r\n");
        return s.kaynnista({QString::fromStdString((s.k.juuri() / "kannet.rkb").string())});
    }

private slots:
    void ensimmaisenKortinKansiNakyyJaLoputPuretaanTapahtumienValissa() {
        testituki::Kaynnistys s;
        QVERIFY(kaynnista(s));
        TMain_form& m = s.m();
        Tietokanta& tk = m.varasto().tk();
        QCOMPARE(tk.kortit.korttien_maara(), korttien_maara);
        // The first card is up while the covers are still to come.
        QVERIFY(tk.kansipurku);
        QVERIFY(!fs::exists(s.k.juuri() / "gfx" / "kannet" / "10001500.jpg"));
        QTest::mouseClick(m.findChild<QLabel*>("kansi_icon"), Qt::LeftButton);
        auto* kansi = m.findChild<PieniKansi*>();
        QVERIFY(kansi);
        QTRY_VERIFY(!kansi->lataus_kesken() && kansi->nayttaa_kannen());
        const QImage kuva = kansi->pixmap().toImage();
        const QColor keski = kuva.pixelColor(kuva.width() / 2, kuva.height() / 2);
        QVERIFY2(keski.red() > 150 && keski.blue() < 100, qPrintable(keski.name()));
        // The rest come out between events, and the last slice lets the unpacking go.
        QTRY_VERIFY_WITH_TIMEOUT(!tk.kansipurku, 60000);
        for (int i = 1; i <= korttien_maara; i += 97)
            QVERIFY2(kansikuva_olemassa(m.varasto().kansio, cover_fn(i)), cover_fn(i).c_str());
        QVERIFY(kansikuva_olemassa(m.varasto().kansio, cover_fn(korttien_maara)));
        QVERIFY(s.viestit.tekstit().empty());
        testituki::tallenna_kuva(m, "kannet_avauksen_jalkeen");
        m.close();
    }

    void lopetusKesenPurkuaJattaaTiedostonJaKansiot() {
        testituki::Kaynnistys s;
        QVERIFY(kaynnista(s));
        const std::string ennen = lue(s.k.juuri() / "kannet.rkb");
        TMain_form& m = s.m();
        QVERIFY(m.varasto().tk().kansipurku);
        QVERIFY(m.varasto().tk().kansipurku->pura_pala(std::chrono::milliseconds(0)));
        m.close();
        QCOMPARE(lue(s.k.juuri() / "kannet.rkb"), ennen);
        // Only what the skin brought stays.
        for (const auto& e : fs::directory_iterator(s.k.juuri() / "gfx" / "kannet"))
            QVERIFY2(e.path().filename() == ei_kuvaa_nimi, e.path().filename().c_str());
        QVERIFY(!fs::exists(s.k.juuri() / tyotiedosto));
        QVERIFY(s.viestit.tekstit().empty());
    }
};

QTEST_MAIN(KansipurkuajoTesti)
#include "kansipurkuajo_ui_test.moc"
