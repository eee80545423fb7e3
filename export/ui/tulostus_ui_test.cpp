// The list and label windows end to end: the menu items, the dialogs, and real prints through CUPS onto
// the PDF queue that tools/palvelut/cups.sh sets up, checked with poppler-utils.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <set>

#include "export/lista.h"
#include "export/ui/esikatselu.h"
#include "export/ui/listatulostus.h"
#include "export/ui/tallenna_html_lista_form.h"
#include "export/ui/tarrapiirto.h"
#include "export/ui/tarrat_form.h"
#include "export/ui/tulostustoiminnot.h"
#include "settings/ui/tulostin.h"
#include "perus/merkisto.h"
#include "testituki/csv_python.h"
#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"
#include "testituki/tiedoston_sisalto.h"
#include "testituki/sijaispaaikkuna.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

const QString pdf_kansio = QStringLiteral("/var/spool/cups-pdf/rullakko");

using testituki::tiedoston_sisalto;

QString aja(const QString& ohjelma, const QStringList& parametrit) {
    QProcess p;
    p.start(ohjelma, parametrit);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDFs that CUPS has written so far.
std::set<QString> pdft() {
    const QStringList l = QDir(pdf_kansio).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return {l.begin(), l.end()};
}

struct Pdf {
    QString polku;
    int sivuja = 0;
    QString koko;  // "595 x 842" and so on
};

// Waits for the one new PDF of a print: it is complete once pdfinfo can read it.
Pdf uusi_pdf(const std::set<QString>& ennen) {
    Pdf tulos;
    QDeadlineTimer raja(120000);
    while (!raja.hasExpired()) {
        for (const QString& n : pdft()) {
            if (ennen.count(n)) continue;
            const QString polku = pdf_kansio + "/" + n;
            const QString tiedot = aja(QStringLiteral("pdfinfo"), {polku});
            if (tiedot.isEmpty()) continue;
            tulos.polku = polku;
            for (const QString& rivi : tiedot.split('\n')) {
                if (rivi.startsWith("Pages:")) tulos.sivuja = rivi.mid(6).trimmed().toInt();
                if (rivi.startsWith("Page size:")) tulos.koko = rivi.mid(10).trimmed().section(' ', 0, 2);
            }
            return tulos;
        }
        QTest::qWait(200);
    }
    return tulos;
}

bool pysty(const Pdf& p) {
    const QStringList s = p.koko.split(" x ");
    return s.size() == 2 && s[0].toDouble() < s[1].toDouble();
}

// The size in millimetres of what is printed on a page (everything not white), from a rendering at 50 dpi.
QSizeF painettu_ala(const Pdf& p, int sivu) {
    const QString kuva = QDir::temp().filePath(QStringLiteral("tulostus_ui_test_%1").arg(QCoreApplication::applicationPid()));
    aja(QStringLiteral("pdftoppm"), {"-r", "50", "-png", "-f", QString::number(sivu), "-l", QString::number(sivu),
                                     "-singlefile", p.polku, kuva});
    const QImage img(kuva + ".png");
    QFile::remove(kuva + ".png");
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 240) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return {};
    return {(x1 - x0 + 1) * 25.4 / 50, (y1 - y0 + 1) * 25.4 / 50};
}

bool pdf_jono() {
    const QPrinterInfo t = oletustulostin();
    return !t.isNull() && QDir(pdf_kansio).exists();
}

// Renders the first page of a print for a person to look at, when RULLAKKO_KUVAT names a folder.
void tallenna_sivu(const Pdf& p, const QString& nimi) {
    const QString kuvat = testituki::kuvakansio();
    if (kuvat.isEmpty()) return;
    aja(QStringLiteral("pdftoppm"), {"-r", "60", "-png", "-f", "1", "-l", "1", "-singlefile", p.polku, kuvat + "/" + nimi});
}

// The window shown and painted as a person sees it.
void kuvakaappaus(QWidget& w, const QString& nimi) {
    if (testituki::kuvakansio().isEmpty()) return;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    testituki::tallenna_kuva(w, nimi);
}

#define VAADI_PDF_JONO()                                                                              \
    if (!pdf_jono()) {                                                                                \
        if (qEnvironmentVariableIsSet("CI")) QFAIL("CUPS-jonoa ei ole: tools/palvelut/cups.sh ei ajettu"); \
        QSKIP("CUPS-jonoa ei ole (tools/palvelut/cups.sh)");                                          \
    }

void kasetteja(testituki::Sijaispaaikkuna& p, int n, const char* formaatti = "SP") {
    for (int i = 1; i <= n; ++i) {
        TKortti& k = p.tk.kortit.lisaa_uusi();
        k.kasetilla = std::to_string(i);
        k.nimi = "Elokuva " + std::to_string(i);
        k.formaatti = formaatti;
    }
}

// Copies the installed label templates and the vertical font into the test's program folder.
void tarratiedostot(testituki::Sijaispaaikkuna& p) {
    const fs::path data = qEnvironmentVariable("RULLAKKO_DATA").toStdString();
    fs::copy(data / "tarrat", p.k.juuri() / "tarrat", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(data / "VERTFONT.TTF", p.k.juuri() / "VERTFONT.TTF", fs::copy_options::overwrite_existing);
}

// The dialogs of a print, answered as a user does: in the preview window a click on the button of
// `valinta` (after the preview has drawn its pages, counted into `sivuja`), the print dialog accepted as
// it stands. Other dialogs go to `muut`, shown.
template <class F>
std::function<int(QDialog&)> tulostaen(Tulostuksen_esikatselu::Valinta valinta, F muut, int* sivuja = nullptr,
                                       const char* kuva = nullptr) {
    return [=](QDialog& d) -> int {
        if (auto* e = qobject_cast<Tulostuksen_esikatselu*>(&d)) {
            e->esikatselu->updatePreview();
            if (sivuja) *sivuja = e->esikatselu->pageCount();
            if (kuva) kuvakaappaus(*e, QString::fromLatin1(kuva));
            e->show();
            QTest::mouseClick(valinta == Tulostuksen_esikatselu::Valinta::Tulosta ? e->tulosta_button
                              : valinta == Tulostuksen_esikatselu::Valinta::Pdf   ? e->pdf_button
                                                                                  : e->sulje_button,
                              Qt::LeftButton);
            return d.result();
        }
        if (auto* t = qobject_cast<QPrintDialog*>(&d)) {
            // The dialog offers the choice of pages.
            return t->testOption(QAbstractPrintDialog::PrintPageRange) ? int(QDialog::Accepted) : int(QDialog::Rejected);
        }
        d.show();
        muut(d);
        return int(QDialog::Rejected);
    };
}

// The font sizes of the words of a PDF's first page, and the right edge of its widest line, in points.
struct Tekstin_mitat {
    double pienin = 1e9;
    double oikein = 0;
    double leveys = 0;
};
Tekstin_mitat tekstin_mitat(const QString& pdf) {
    Tekstin_mitat m;
    const QString html = aja(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    const QRegularExpression sivu(QStringLiteral("<page width=\"([0-9.]+)\""));
    if (const auto s = sivu.match(html); s.hasMatch()) m.leveys = s.captured(1).toDouble();
    const QRegularExpression sana(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\""));
    for (auto it = sana.globalMatch(html); it.hasNext();) {
        const auto s = it.next();
        m.pienin = std::min(m.pienin, s.captured(4).toDouble() - s.captured(2).toDouble());
        m.oikein = std::max(m.oikein, s.captured(3).toDouble());
    }
    return m;
}

}  // namespace

class TulostusTesti : public QObject {
    Q_OBJECT
private slots:
    // The save dialog asks before an existing file is chosen; its Yes replaces the file.
    void tekstilistaValikostaKorvaaKunDialogiSalli() {
        testituki::Sijaispaaikkuna p({{"12", "Alien"}, {"3", "Näyttelijä & <kumppanit>"}});
        p.tk.kortit[1].kesto = "117 min";
        Tulostustoiminnot t(p);
        QAction* a = p.toiminto(Toiminto::Tallenna_lista_tekstina);
        QVERIFY(a->isEnabled());
        const fs::path polku = p.k.juuri() / "lista.txt";
        p.tp.tallennettavat = {QString::fromStdString(polku.string()), QString::fromStdString(polku.string()), {}};
        a->trigger();
        const std::string teksti = tiedoston_sisalto(polku);
        QCOMPARE(teksti, tee_tekstilista(p.tk.kortit, tanaan(), p.tk.tiedosto));
        QVERIFY(teksti.find("\r\n12 ...... Alien, 117min") != std::string::npos);
        QVERIFY(p.tallennuksia >= 1);  // the fields were saved into the card first
        QVERIFY(p.viestit.naytetyt.empty());

        p.tk.kortit[1].nimi = "Muuttunut";
        a->trigger();
        QVERIFY(p.viestit.naytetyt.empty());
        QCOMPARE(tiedoston_sisalto(polku), tee_tekstilista(p.tk.kortit, tanaan(), p.tk.tiedosto));
        QVERIFY(tiedoston_sisalto(polku).find("Muuttunut") != std::string::npos);
        a->trigger();  // cancelled: nothing more
        QVERIFY(p.viestit.naytetyt.empty());
    }

    void csvJaUtf8TekstiValikosta() {
        testituki::Sijaispaaikkuna p({{"7", "Sanoi \"hei\", ja meni"}, {"8", "Äänetön"}});
        p.tk.kortit[1].juoni = "Rivi yksi\r\nRivi kaksi";
        Tulostustoiminnot t(p);
        QAction* csv = p.toiminto(Toiminto::Tallenna_lista_csv);
        QVERIFY(csv->isEnabled());
        const fs::path polku = p.k.juuri() / "lista.csv";
        p.tp.tallennettavat = {QString::fromStdString(polku.string())};
        csv->trigger();
        QVERIFY(p.viestit.naytetyt.empty());
        const auto rivit = testituki::lue_csv_pythonilla(polku);
        QCOMPARE(rivit.size(), std::size_t(3));
        QCOMPARE(rivit[1][0], std::string("Sanoi \"hei\", ja meni"));
        QCOMPARE(rivit[2][0], std::string("\xC3\x84\xC3\xA4net\xC3\xB6n"));
        QVERIFY(std::find(rivit[1].begin(), rivit[1].end(), std::string("Rivi yksi\r\nRivi kaksi")) != rivit[1].end());

        QAction* utf8 = p.toiminto(Toiminto::Tallenna_lista_utf8);
        QVERIFY(utf8->isEnabled());
        const fs::path teksti = p.k.juuri() / "lista.txt";
        p.tp.tallennettavat = {QString::fromStdString(teksti.string())};
        utf8->trigger();
        QCOMPARE(tiedoston_sisalto(teksti),
                 merkisto::cp1252_utf8(tee_tekstilista(p.tk.kortit, tanaan(), p.tk.tiedosto)));
    }

    void htmlListanIkkuna() {
        testituki::Sijaispaaikkuna p({{"5", "Tom & Jerry"}, {"6", "Toinen"}});
        p.tk.kortit[1].imdb_koodi = "0012345";
        Tulostustoiminnot t(p);
        const fs::path polku = p.k.juuri() / "lista.html";
        bool naytetty = false;
        p.tp.dialogi = testituki::dialogi([&](QDialog& d) {
            auto* f = qobject_cast<Ttallenna_html_lista_form*>(&d);
            QVERIFY(f);
            d.show();
            naytetty = true;
            QCOMPARE(f->windowTitle(), QStringLiteral("Tallenna elokuvalista html-tiedostoon"));
            QVERIFY(f->lisaa_nro->isChecked() && !f->lisaa_paaos->isChecked() && f->lisaa_vuosi->isChecked() &&
                    f->lisaa_luokitus->isChecked() && f->lisaa_kesto->isChecked() &&
                    f->lisaa_formaatti->isChecked() && f->lisaa_aaniraita->isChecked() &&
                    f->lisaa_arvosana->isChecked());
            QCOMPARE(f->table->text(), QStringLiteral("cellspacing=\"2\" cellpadding=\"5\" border=\"0\""));
            QCOMPARE(f->td->text(), QStringLiteral("bgColor=\"#091584\""));
            QCOMPARE(f->td_kasnum->text(), QStringLiteral("bgColor=\"#0A2695\""));
            QCOMPARE(f->td_sarakkeet->text(), QStringLiteral("bgColor=\"#0C38B8\""));
            testituki::napsauta_ruutua(f->lisaa_arvosana);
            QVERIFY(!f->lisaa_arvosana->isChecked());
            QVERIFY(testituki::kirjoita_kenttaan(f->td, QStringLiteral("class=\"ä\"")));
            p.tp.tallennettavat = {QString::fromStdString(polku.string())};
            kuvakaappaus(*f, "html_lista");
            // Return in the field saves: Tallenna is the default button.
            QVERIFY(testituki::paina(*f, Qt::Key_Return));
        });
        p.toiminto(Toiminto::Tallenna_lista_html)->trigger();
        QVERIFY(naytetty);
        const std::string sivu = tiedoston_sisalto(polku);
        QVERIFY(sivu.find("<td class=\"\xE4\"><a href=\"") != std::string::npos);
        QVERIFY(sivu.find(">Tom &amp; Jerry</a>") != std::string::npos);
        QVERIFY(sivu.find("/10") == std::string::npos);
        QCOMPARE(p.tk.kortit[2].arvosana, std::string("0"));
        QVERIFY(p.viestit.naytetyt.empty());
    }

    void listanTulostusEiTulostinta() {
        testituki::Sijaispaaikkuna p({{"1", "Eka"}});
        p.tp.tulostin = false;
        Tulostustoiminnot t(p);
        int sivuja = 0;
        p.tp.dialogi = tulostaen(Tulostuksen_esikatselu::Valinta::Tulosta, [](QDialog&) { QFAIL("muu dialogi"); }, &sivuja);
        // Without a printer the preview still shows the list; printing it tells there is no printer.
        p.toiminto(Toiminto::Tulosta_lista)->trigger();
        QCOMPARE(sivuja, 1);
        QCOMPARE(p.viestit.tekstit(), std::vector<std::string>{ei_tulostinta_viesti});
        {
            Tulostusvaraus kesken;
            p.tp.tulostin = true;
            t.tulosta_lista();
        }
        QCOMPARE(p.viestit.tekstit().back(), std::string(tulostin_kiireinen_viesti));
    }

    // A PDF that cannot be finished on the disk never takes the old file's place, and nothing is left beside it.
    void pdfVikaantuvallaLevylla() {
        testituki::Sijaispaaikkuna p;
        kasetteja(p, 3);
        p.k.kirjoita("lista.pdf", "vanha");
        const fs::path pdf = p.k.juuri() / "lista.pdf";
        const std::string paivays = "1.1.2026", tiedosto = "testi.rkb";
        Listan_tuloste tuloste;
        const Tulostettava t = listatuloste(p.tk.kortit, paivays, tiedosto, tuloste, false);
        using V = VikaantuvatTiedostot::Vaihe;
        const struct {
            V vaihe;
            int virhe;
            const char* viesti;
        } tapaukset[] = {
            {V::Luo, ENOSPC, "kirjoittaminen epäonnistui: levy on täynnä"},
            {V::Lue, EIO, "kirjoittaminen epäonnistui: PDF-tiedosto jäi kesken (levy täynnä?)"},
            {V::Synkronoi, EIO, "kirjoittaminen epäonnistui: laitteen luku- tai kirjoitusvirhe"},
            {V::Nimea, EACCES, "kirjoittaminen epäonnistui: ei käyttöoikeutta"},
        };
        for (const auto& c : tapaukset) {
            VikaantuvatTiedostot vt;
            vt.epaonnistu(c.vaihe, c.virhe, "lista.pdf");
            const Tulos tulos = kirjoita_pdf(vt, pdf, t);
            QVERIFY(!tulos);
            QVERIFY2(tulos.viesti.find(c.viesti) != std::string::npos, tulos.viesti.c_str());
            QCOMPARE(vt.epaonnistuneet(c.vaihe), 1);
            QCOMPARE(p.k.lue("lista.pdf"), std::string("vanha"));
            int tiedostoja = 0;
            for (const auto& e : fs::directory_iterator(p.k.juuri()))
                tiedostoja += e.path().filename().string().find("lista.pdf") != std::string::npos;
            QCOMPARE(tiedostoja, 1);
        }
        QVERIFY(kirjoita_pdf(jarjestelman_tiedostot(), pdf, t));
        QVERIFY(p.k.lue("lista.pdf").starts_with("%PDF"));
    }

    void listaJaTarratPdfKsiEsikatselusta() {
        testituki::Sijaispaaikkuna p;
        p.tk.kortit.tyhjenna();
        kasetteja(p, 70);
        p.tk.kortit[1].nimi = "Pakkasyö";
        tarratiedostot(p);
        p.a.DPI_X = p.a.DPI_Y = 600;
        p.a.starra_fn = "harmaa.bmp";
        p.tp.tulostin = false;
        Tulostustoiminnot t(p);
        const fs::path lista = p.k.juuri() / "lista.pdf";
        p.tp.tallennettavat = {QString::fromStdString(lista.string())};
        int sivuja = 0;
        p.tp.dialogi = tulostaen(Tulostuksen_esikatselu::Valinta::Pdf, [](QDialog&) {}, &sivuja, "lista_esikatselu");
        p.toiminto(Toiminto::Tulosta_lista)->trigger();
        QCOMPARE(sivuja, 2);
        QVERIFY(p.viestit.naytetyt.empty());
        QVERIFY(fs::exists(lista));
        Pdf pdf{QString::fromStdString(lista.string()), 0, {}};
        QVERIFY(aja(QStringLiteral("pdfinfo"), {pdf.polku}).contains(QStringLiteral("Pages:           2")));
        const QString teksti = aja(QStringLiteral("pdftotext"), {"-layout", pdf.polku, "-"});
        QVERIFY(teksti.contains(QStringLiteral("1 ....... Pakkasyö")));
        // Readable type that fills the page's width.
        const Tekstin_mitat m = tekstin_mitat(pdf.polku);
        QVERIFY2(m.pienin >= 8.0, qPrintable(QString::number(m.pienin)));
        QVERIFY2(m.oikein > 0.8 * m.leveys, qPrintable(QStringLiteral("%1 / %2").arg(m.oikein).arg(m.leveys)));
        tallenna_sivu(pdf, "lista_pdf");

        // The labels from the label window's preview.
        const fs::path tarrat = p.k.juuri() / "tarrat.pdf";
        p.tp.tallennettavat = {QString::fromStdString(tarrat.string())};
        p.tp.dialogi = tulostaen(
            Tulostuksen_esikatselu::Valinta::Pdf,
            [&](QDialog& d) {
                auto* f = qobject_cast<Ttarrat_form*>(&d);
                QVERIFY(f);
                QTest::mouseClick(f->sel_all, Qt::LeftButton);
                QTest::mouseClick(f->Tulosta, Qt::LeftButton);
            },
            &sivuja, "tarrat_esikatselu");
        p.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QCOMPARE(sivuja, 5);  // 70 cassettes, 14 a sheet
        QVERIFY(p.viestit.naytetyt.empty());
        QVERIFY(aja(QStringLiteral("pdfinfo"), {QString::fromStdString(tarrat.string())}).contains(QStringLiteral("Pages:           5")));
    }

    void listaTulostuuSivuittain() {
        VAADI_PDF_JONO();
        for (int kortteja : {62, 63}) {
            testituki::Sijaispaaikkuna p;
            p.tk.kortit.tyhjenna();
            kasetteja(p, kortteja);
            p.tk.kortit[1].nimi = "Pakkasyö";
            p.tk.kortit[1].luokitus = "Jännitys";
            Tulostustoiminnot t(p);
            const auto ennen = pdft();
            p.tp.dialogi = tulostaen(Tulostuksen_esikatselu::Valinta::Tulosta, [](QDialog&) { QFAIL("muu dialogi"); });
            p.toiminto(Toiminto::Tulosta_lista)->trigger();
            QVERIFY(p.viestit.naytetyt.empty());
            const Pdf pdf = uusi_pdf(ennen);
            QVERIFY2(!pdf.polku.isEmpty(), "CUPS ei kirjoittanut PDF:ää");
            QCOMPARE(pdf.sivuja, kortteja == 62 ? 1 : 2);
            QVERIFY(pysty(pdf));
            const QStringList rivit =
                aja(QStringLiteral("pdftotext"), {"-layout", pdf.polku, "-"}).split('\n', Qt::SkipEmptyParts);
            auto loytyy = [&](const QString& alku) {
                for (const QString& r : rivit)
                    if (r.trimmed().startsWith(alku)) return r.trimmed();
                return QString();
            };
            const QString eka = loytyy(QStringLiteral("1 ....... Pakkasyö"));
            QVERIFY2(!eka.isEmpty(), qPrintable(rivit.join('\n')));
            QVERIFY(eka.contains(QStringLiteral("Jännitys")));
            QVERIFY(!loytyy(QStringLiteral("Kasetilla Elokuvan nimi")).isEmpty());
            QVERIFY(!loytyy(QStringLiteral("Rullakkon elokuvalista [")).isEmpty());
            QVERIFY(rivit.filter(QStringLiteral("Sivu 1")).size() == 1);
            QCOMPARE(rivit.filter(QStringLiteral("Sivu 2")).size(), kortteja == 63 ? 1 : 0);
            QCOMPARE(rivit.filter(QStringLiteral("Tulostettu Rullakko")).size(), kortteja == 63 ? 1 : 0);
            const Tekstin_mitat m = tekstin_mitat(pdf.polku);
            QVERIFY2(m.pienin >= 8.0, qPrintable(QString::number(m.pienin)));
            QVERIFY2(m.oikein > 0.8 * m.leveys, qPrintable(QStringLiteral("%1 / %2").arg(m.oikein).arg(m.leveys)));
            if (kortteja == 63) tallenna_sivu(pdf, "lista_tuloste");
        }
    }

    void tarraikkunanListatJaOtsikko() {
        testituki::Sijaispaaikkuna p;
        p.tk.kortit.tyhjenna();
        kasetteja(p, 3);
        TKortti& dvd = p.tk.kortit.lisaa_uusi();
        dvd.kasetilla = "D9";
        dvd.formaatti = "DVD";
        tarratiedostot(p);
        p.a.Tarroja = 15;
        p.a.starra_fn = "ei_ole.bmp";
        Tulostustoiminnot t(p);
        bool naytetty = false;
        QSize iso;
        p.tp.dialogi = testituki::dialogi([&](QDialog& d) {
            if (auto* e = qobject_cast<Ttarrat_preview_form*>(&d)) {
                iso = e->kuva->pixmap().size();
                kuvakaappaus(*e, "tarrat_iso_esikatselu");
                return;
            }
            auto* f = qobject_cast<Ttarrat_form*>(&d);
            QVERIFY(f);
            d.show();
            naytetty = true;
            QCOMPARE(f->Tulosta_kasetit_lista->count(), 3);
            QCOMPARE(f->ptarra_lista->count(), 3);
            QCOMPARE(f->Tulosta_kasetit_lista->item(2)->text(), QStringLiteral("Kasetti: 3"));
            // A saved template that is not there gives way to the first one listed.
            QCOMPARE(f->starra_fn->currentText(), QStringLiteral("harmaa.bmp"));
            QVERIFY(f->starra_fn->count() >= 3 && f->PTarra_fn->count() >= 3);
            QTest::mouseClick(f->sel_all, Qt::LeftButton);
            QCOMPARE(f->windowTitle(), QStringLiteral("Tulosta kasetin sivutarroja [3 tarraa, tulostettuna 1 arkkia] [8 MB]"));
            QVERIFY(testituki::ruksaa_rivi(f->Tulosta_kasetit_lista, 1));
            QCOMPARE(f->Tulosta_kasetit_lista->item(1)->checkState(), Qt::Unchecked);
            // Changing pages carries the rows and their checks over.
            testituki::napsauta_valilehtea(f->PageControl, f->PTarrat);
            QCOMPARE(f->PageControl->currentWidget(), f->PTarrat);
            QCOMPARE(f->ptarra_lista->item(0)->checkState(), Qt::Checked);
            QCOMPARE(f->ptarra_lista->item(1)->checkState(), Qt::Unchecked);
            QVERIFY(f->windowTitle().startsWith(QStringLiteral("Tulosta kasetin päälystarroja [2 tarraa, tulostettuna 1 arkkia]")));
            QVERIFY(testituki::ruksaa_rivi(f->ptarra_lista, 1));
            testituki::napsauta_valilehtea(f->PageControl, f->STarrat);
            QCOMPARE(f->Tulosta_kasetit_lista->item(1)->checkState(), Qt::Checked);

            // The preview: a label strip of H/15 per cassette on a white sheet.
            QTest::mouseClick(f->esikatsele_button, Qt::LeftButton);
            QCOMPARE(f->esikatselu.size(), QSize(563, 1125));
            QVERIFY(f->esikatselu.pixelColor(20, 75 / 2) != QColor(Qt::white));
            QVERIFY(f->esikatselu.pixelColor(20, 75 * 2 + 75 / 2) != QColor(Qt::white));
            QCOMPARE(f->esikatselu.pixelColor(20, 75 * 3 + 75 / 2), QColor(Qt::white));
            QVERIFY(!f->Preview->pixmap().isNull());
            QTest::mouseClick(f->iso_esikatselu_button, Qt::LeftButton);
            QCOMPARE(f->esikatselu.size(), QSize(844, 1687));
            QVERIFY(iso.height() > 0 && std::abs(iso.width() * 1687 - iso.height() * 844) < 1687);

            QTest::mouseClick(f->kasetin_numeron_vari, Qt::LeftButton);
            QCOMPARE(p.a.def_kas_num_color, 1);
            kuvakaappaus(*f, "tarrat_sivutarrat");
            testituki::napsauta_valilehtea(f->PageControl, f->PTarrat);
            const QPixmap ennen = f->ptarra_preview->pixmap();
            testituki::tuplanapsauta_rivia(f->ptarra_lista, 0);
            QVERIFY(f->ptarra_preview->pixmap().cacheKey() != ennen.cacheKey());
            kuvakaappaus(*f, "tarrat_paalystarrat");
            testituki::napsauta_ruutua(f->remove_eng);
            QVERIFY(f->remove_eng->isChecked());
            QTest::mouseClick(f->psulje_button, Qt::LeftButton);
        });
        p.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QVERIFY(naytetty);
        QCOMPARE(p.a.starra_fn, std::string("harmaa.bmp"));
        QVERIFY(p.a.ptarra_remove_eng);
        QVERIFY(p.viestit.naytetyt.empty());
        QVERIFY(fs::exists(p.k.juuri() / "asetukset.ini"));
        // Previewing sorted the catalogue by cassette, the DVD first being without a number prefix.
        QVERIFY(p.paivityksia >= 1);
    }

    void tarraikkunanVirheet() {
        testituki::Sijaispaaikkuna p({{"", "Ei numeroa"}});
        Tulostustoiminnot t(p);
        p.tp.dialogi = testituki::dialogi([&](QDialog& d) {
            auto* f = qobject_cast<Ttarrat_form*>(&d);
            d.show();
            QTest::mouseClick(f->Tulosta, Qt::LeftButton);
            testituki::napsauta_valilehtea(f->PageControl, f->PTarrat);
            QTest::mouseClick(f->tulosta_ptarrat_button, Qt::LeftButton);
        });
        p.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QCOMPARE(p.viestit.tekstit(),
                 (std::vector<std::string>{
                     "Tietokanta ei sisällä kasettien numeroita!\nNumeroi korttisi (Kasetilla/Levyllä nro), katso "
                     "mallia esimerkki tietokannasta (esimerkki.rkb)",
                     "Virhe! Tiedostoja puuttuu! Hae ohjalma kokonaisuudessaan osoitteesta http://www.rullakko.net/",
                     "Valitse tulostettavat tarrat!", "Valitse kasetit joille haluat tulostaa tarrat!"}));

        testituki::Sijaispaaikkuna q;
        kasetteja(q, 1);
        tarratiedostot(q);
        Tulostustoiminnot tq(q);
        q.tp.dialogi = tulostaen(Tulostuksen_esikatselu::Valinta::Tulosta, [&](QDialog& d) {
            auto* f = qobject_cast<Ttarrat_form*>(&d);
            QTest::mouseClick(f->sel_all, Qt::LeftButton);
            q.a.DPI_X = q.a.DPI_Y = 600;
            q.tp.tulostin = false;
            QTest::mouseClick(f->Tulosta, Qt::LeftButton);  // previewed, but there is nothing to print on
            q.tp.tulostin = true;
            q.a.DPI_X = 0;
            QTest::mouseClick(f->Tulosta, Qt::LeftButton);  // no resolution
        });
        q.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QCOMPARE(q.viestit.tekstit(), (std::vector<std::string>{ei_tulostinta_viesti, resoluutio_nolla_viesti}));
    }

    // Long titles: the window's preview, its print preview and the PDF that rkb labels writes come from one
    // drawing, so the preview sheet and the PDF rendered at the preview's scale match; and every word the
    // PDF holds as text lies inside its label.
    void pitkatNimetTarroissaJaSamaPiirtoKaikkialla() {
        testituki::Sijaispaaikkuna p;
        p.tk.kortit.tyhjenna();
        const char* nimet[][2] = {
            {"1", "Tohtori Outolempi eli kuinka lakkasin olemaan huolissani ja opin rakastamaan pommia"},
            {"2", "Hyvin pitkä elokuvan nimi joka ei mahdu mitenkään yhdelle riville tarrassa"},
            {"2", "Toinen elokuva"},
            {"3", "Lyhyt"},
            {"4", "Neljäs kasetti, jossa on viisikymmentä merkkiä nimessä"},
        };
        for (const auto& [kasetti, nimi] : nimet) {
            TKortti& k = p.tk.kortit.lisaa_uusi();
            k.kasetilla = kasetti;
            k.nimi = nimi;
        }
        tarratiedostot(p);
        p.a.starra_fn = "harmaa.bmp";
        p.a.Tarroja = 15;
        p.a.DPI_X = p.a.DPI_Y = 100;
        Tulostustoiminnot t(p);
        QImage ikkuna;
        const fs::path pdf = p.k.juuri() / "tarrat.pdf";
        p.tp.dialogi = testituki::dialogi([&](QDialog& d) {
            auto* f = qobject_cast<Ttarrat_form*>(&d);
            QVERIFY(f);
            d.show();
            QTest::mouseClick(f->sel_all, Qt::LeftButton);
            QTest::mouseClick(f->esikatsele_button, Qt::LeftButton);
            ikkuna = f->esikatselu.convertToFormat(QImage::Format_Grayscale8);
        });
        p.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QVERIFY(!ikkuna.isNull());
        {
            Tarrapiirtaja piirtaja(p.tk.kortit, p.varasto().kansio, p.viestit, p.kiire, tarra_asetukset(p.a));
            Tarratyo tyo;
            tyo.kasetit = {"1", "2", "3", "4"};
            tyo.dpi_x = tyo.dpi_y = 600;
            tyo.arkilla = 15;
            QVERIFY(kirjoita_pdf(jarjestelman_tiedostot(), pdf, tarratuloste(piirtaja, tyo, false)));
        }
        const QString polku = QString::fromStdString(pdf.string());
        const QString kuva = QString::fromStdString((p.k.juuri() / "tarrat").string());
        aja(QStringLiteral("pdftoppm"), {"-r", "100", "-gray", "-png", "-singlefile", polku, kuva});
        const QImage sivu = QImage(kuva + ".png").convertToFormat(QImage::Format_Grayscale8);
        QVERIFY(!sivu.isNull());
        // At 100 dpi a label is 563 x 75 pixels, as on the preview sheet.
        const QRect ala(0, 0, 563, 4 * 75);
        int eri = 0;
        for (int y = ala.top(); y <= ala.bottom(); ++y)
            for (int x = ala.left(); x <= ala.right(); ++x)
                eri += std::abs(qGray(ikkuna.pixel(x, y)) - qGray(sivu.pixel(x, y))) > 96;
        const double osuus = double(eri) / (ala.width() * ala.height());
        // Two rasterisers smooth the edges of glyphs a little differently; a shifted or resized text would
        // differ in far more.
        QVERIFY2(osuus < 0.02, qPrintable(QString::number(osuus)));
        testituki::tallenna_kuva(ikkuna.copy(ala), "tarrat_pitkat_ikkuna");
        testituki::tallenna_kuva(sivu.copy(ala), "tarrat_pitkat_pdf");

        // Every word of the PDF within its label: not past the right edge, not across a label's border.
        const QString html = aja(QStringLiteral("pdftotext"), {"-bbox", polku, "-"});
        const QRegularExpression sana(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<"));
        // Names end inside the template's frame, 100 design pixels before the label's right edge.
        const double leveys = (3378.0 - 100) / 600 * 72 + 0.5, korkeus = 450.0 / 600 * 72;
        int sanoja = 0;
        for (auto it = sana.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            ++sanoja;
            const double x1 = m.captured(3).toDouble(), y0 = m.captured(2).toDouble(), y1 = m.captured(4).toDouble();
            QVERIFY2(x1 <= leveys, qPrintable(m.captured(5) + " " + QString::number(x1)));
            const int tarra = int(y0 / korkeus);
            QVERIFY2(y1 <= (tarra + 1) * korkeus + 0.5, qPrintable(m.captured(5)));
        }
        QVERIFY(sanoja > 20);
        if (const QString kuvat = testituki::kuvakansio(); !kuvat.isEmpty())
            aja(QStringLiteral("pdftoppm"), {"-r", "150", "-png", "-singlefile", "-x", "0", "-y", "0", "-W", "900", "-H", "500",
                                             polku, kuvat + "/tarrat_pitkat_sivu"});
    }

    void tarratTulostuvatArkeille() {
        VAADI_PDF_JONO();
        const std::optional<Tarkkuus> dpi = tulostimen_tarkkuus();
        QVERIFY(dpi);
        testituki::Sijaispaaikkuna p;
        p.tk.kortit.tyhjenna();
        kasetteja(p, 16);
        for (int i = 1; i <= 5; ++i) {
            TKortti& k = p.tk.kortit.lisaa_uusi();
            k.kasetilla = "1";
            k.nimi = "Lisäelokuva " + std::to_string(i);
        }
        tarratiedostot(p);
        p.a.Tarroja = 15;
        p.a.DPI_X = dpi->x;
        p.a.DPI_Y = dpi->y;
        Tulostustoiminnot t(p);
        Pdf sivut, paalykset;
        p.tp.dialogi = tulostaen(Tulostuksen_esikatselu::Valinta::Tulosta, [&](QDialog& d) {
            auto* f = qobject_cast<Ttarrat_form*>(&d);
            QTest::mouseClick(f->sel_all, Qt::LeftButton);
            QVERIFY(f->windowTitle().contains(QStringLiteral("[16 tarraa, tulostettuna 2 arkkia]")));
            auto ennen = pdft();
            QTest::mouseClick(f->Tulosta, Qt::LeftButton);
            sivut = uusi_pdf(ennen);
            testituki::napsauta_valilehtea(f->PageControl, f->PTarrat);
            // The last three rows unchecked from the keyboard: a click on the first, Space, Down, Space...
            QVERIFY(testituki::ruksaa_rivi(f->ptarra_lista, 13));
            for (int i = 14; i <= 15; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }
            QVERIFY(f->windowTitle().contains(QStringLiteral("[13 tarraa, tulostettuna 2 arkkia]")));
            ennen = pdft();
            QTest::mouseClick(f->tulosta_ptarrat_button, Qt::LeftButton);
            paalykset = uusi_pdf(ennen);
        });
        p.toiminto(Toiminto::Tulosta_tarrat)->trigger();
        QVERIFY2(!sivut.polku.isEmpty() && !paalykset.polku.isEmpty(), "CUPS ei kirjoittanut PDF:ää");
        QCOMPARE(sivut.sivuja, 2);
        QVERIFY(pysty(sivut));
        QCOMPARE(paalykset.sivuja, 2);
        // The lone label of each second sheet has its real size: a spine label 143 x 19 mm across the
        // portrait sheet; a top label 77 x 47 mm, turned with its landscape sheet onto the paper.
        auto noin = [](double a, double b) { return std::abs(a - b) < 2.5; };
        const QSizeF sivu = painettu_ala(sivut, 2);
        QVERIFY2(noin(sivu.width(), 143.0) && noin(sivu.height(), 19.05),
                 qPrintable(QStringLiteral("%1 x %2").arg(sivu.width()).arg(sivu.height())));
        const QSizeF paalys = painettu_ala(paalykset, 2);
        QVERIFY2(noin(paalys.width(), 47.0) && noin(paalys.height(), 77.0),
                 qPrintable(QStringLiteral("%1 x %2").arg(paalys.width()).arg(paalys.height())));
        // Cassette 1 holds six movies: its label pairs them up, and only a warning-free print is expected.
        QVERIFY(p.viestit.naytetyt.empty());
        tallenna_sivu(sivut, "sivutarrat_tuloste");
        tallenna_sivu(paalykset, "paalystarrat_tuloste");
    }
};

QTEST_MAIN(TulostusTesti)
#include "tulostus_ui_test.moc"
