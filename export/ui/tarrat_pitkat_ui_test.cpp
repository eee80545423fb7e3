// Labels and the printed list of a catalogue whose title and cassette number run to megabytes: the label
// window lists and labels the whole cassette, what is measured and drawn is only a beginning, and the
// cards stay as they were.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPdfWriter>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "diag/ui/teksti.h"
#include "export/lista.h"
#include "export/ui/listatulostus.h"
#include "export/ui/tarrat_form.h"
#include "export/ui/tulostustoiminnot.h"
#include "testituki/kuvat.h"
#include "testituki/sijaispaaikkuna.h"
#include "testituki/tilapainen_kansio.h"

namespace fs = std::filesystem;

namespace {

// Words of varying length, so a layout has places to break and a font has something to shape.
std::string pitka_teksti(std::size_t pituus, char alku) {
    std::string t;
    t.reserve(pituus + 16);
    for (std::size_t i = 0; t.size() < pituus; ++i) {
        t += static_cast<char>(alku + i % 7);
        t += std::string(1 + i % 9, 'a' + static_cast<char>(i % 26));
        t += i % 5 ? ' ' : '\xe4';
    }
    t.resize(pituus);
    return t;
}

void tarratiedostot(testituki::Sijaispaaikkuna& p) {
    const fs::path data = qEnvironmentVariable("RULLAKKO_DATA").toStdString();
    fs::copy(data / "tarrat", p.k.juuri() / "tarrat", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(data / "VERTFONT.TTF", p.k.juuri() / "VERTFONT.TTF", fs::copy_options::overwrite_existing);
}

bool ei_valkoinen(const QImage& k, const QRect& ala) {
    for (int y = ala.top(); y <= ala.bottom(); ++y)
        for (int x = ala.left(); x <= ala.right(); ++x)
            if (k.pixelColor(x, y) != QColor(Qt::white)) return true;
    return false;
}

struct Valtavat {
    std::string nimi = pitka_teksti(6u << 20, 'A');       // a title of 6 MB
    std::string kasetti = pitka_teksti(3u << 20, 'K');    // a cassette number of 3 MB
    std::string juoni = pitka_teksti(8u << 20, 'J');

    // Cassette 7 holds the huge title and a short one; the huge cassette number holds one short title.
    void kortteihin(testituki::Sijaispaaikkuna& p) const {
        p.tk.kortit.tyhjenna();
        TKortti& a = p.tk.kortit.lisaa_uusi();
        a.kasetilla = "7";
        a.nimi = nimi;
        a.juoni = juoni;
        a.formaatti = "SP";
        TKortti& b = p.tk.kortit.lisaa_uusi();
        b.kasetilla = "7";
        b.nimi = "Lyhyt nimi";
        TKortti& c = p.tk.kortit.lisaa_uusi();
        c.kasetilla = kasetti;
        c.nimi = "Pitkän kasetin elokuva";
    }
    // Whatever order sorting left them in, the cards hold every byte they were given.
    bool ehjat(const TOmaList& l) const {
        int loytyi = 0;
        for (int i = 1; i < l.Count(); ++i) {
            if (l[i].nimi.size() == nimi.size()) loytyi += l[i].nimi == nimi && l[i].juoni == juoni;
            if (l[i].kasetilla.size() == kasetti.size()) loytyi += l[i].kasetilla == kasetti;
        }
        return loytyi == 2;
    }
};

}  // namespace

class TarratPitkatTesti : public QObject {
    Q_OBJECT
private slots:
    void tarraikkunaJaEsikatselutValtavallaNimellaJaKasetilla() {
        const Valtavat v;
        testituki::Sijaispaaikkuna p;
        v.kortteihin(p);
        tarratiedostot(p);
        p.a.starra_fn = "harmaa.bmp";
        p.a.ptarra_keskita = false;
        Tulostustoiminnot t(p);
        bool naytetty = false;
        p.tp.dialogi = testituki::dialogi([&](QDialog& d) {
            if (qobject_cast<Ttarrat_preview_form*>(&d)) return;
            auto* f = qobject_cast<Ttarrat_form*>(&d);
            QVERIFY(f);
            naytetty = true;
            QCOMPARE(f->Tulosta_kasetit_lista->count(), 2);
            const QString rivi = f->Tulosta_kasetit_lista->item(1)->text();
            QCOMPARE(rivi, QStringLiteral("Kasetti: ") + q_nakyva(v.kasetti));

            // Both cassettes are found by their whole numbers: each gets a strip on the preview sheet.
            f->sel_all->click();
            f->esikatsele_button->click();
            const QImage arkki = f->esikatselu;
            QVERIFY(ei_valkoinen(arkki, QRect(40, 10, 300, 55)));
            QVERIFY(ei_valkoinen(arkki, QRect(40, 75 + 10, 300, 55)));
            testituki::tallenna_kuva(arkki, "tarrat_pitka_sivuarkki");

            // Carried over to the top labels with the whole number, which the label of that cassette needs.
            f->PageControl->setCurrentWidget(f->PTarrat);
            QCOMPARE(f->ptarra_lista->count(), 2);
            for (int r = 0; r < 2; ++r) {
                f->ptarra_lista->setCurrentRow(r);
                f->ptarra_listaDblClick();
                QVERIFY(!f->ptarra_preview->pixmap().isNull());
            }
            f->ptarra_lista->setCurrentRow(0);
            f->ptarra_listaDblClick();
            testituki::tallenna_kuva(f->ptarra_preview->pixmap(), "tarrat_pitka_paalys");
            f->keskita_teksti->setChecked(true);
            f->ptarra_listaDblClick();
            testituki::tallenna_kuva(f->ptarra_preview->pixmap(), "tarrat_pitka_paalys_keskella");
            testituki::tallenna_kuva(*f, "tarrat_pitka_ikkuna");
        });
        p.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QVERIFY(naytetty);
        QVERIFY(v.ehjat(p.tk.kortit));
        // The cassette number that cannot fit its label is named in the warning by its beginning only.
        bool varoitus = false;
        for (const std::string& s : p.viestit.tekstit()) {
            QVERIFY2(s.size() < 1000, s.substr(0, 200).c_str());
            varoitus = varoitus || s.find("numero ei mahdu tarraan") != std::string::npos;
        }
        QVERIFY(varoitus);
    }

    void tulostettuListaValtavallaNimella() {
        const Valtavat v;
        testituki::Sijaispaaikkuna p;
        v.kortteihin(p);
        const testituki::Tilapainen_kansio kansio("tarrat_pitkat");
        const QString pdf = QString::fromStdString((kansio / "lista.pdf").string());
        {
            QPdfWriter kirjoittaja(pdf);
            kirjoittaja.setResolution(listan_dpi);
            QPainter maalari(&kirjoittaja);
            piirra_lista(maalari, kirjoittaja, listan_sivut(p.tk.kortit, "1.1.2026", p.tk.tiedosto), listan_pienin_fontti);
        }
        QVERIFY(QFileInfo(pdf).size() > 0);
        // The drawn line is a beginning, not the megabytes.
        QVERIFY(QFileInfo(pdf).size() < (1 << 20));
        QVERIFY(v.ehjat(p.tk.kortit));
    }
};

QTEST_MAIN(TarratPitkatTesti)
#include "tarrat_pitkat_ui_test.moc"
