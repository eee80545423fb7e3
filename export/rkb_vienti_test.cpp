// The export and label subcommands of the command-line tool, run as a user runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "settings/asetukset.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/komentotesti.h"
#include "testituki/nimetyt_kortit.h"
#include "diag/kiire.h"
#include "testituki/testiviestit.h"
#include "storage/tallennus.h"
#include "storage/varasto.h"
#include "testituki/tiedoston_sisalto.h"
#include "testituki/csv_python.h"
#include "export/csv.h"
#include "perus/merkisto.h"
#include "storage/lataus.h"
#include "storage/sarakkeet.h"

namespace fs = std::filesystem;

namespace {

using testituki::tiedoston_sisalto;

// A catalogue of `kasetteja` cassettes with one movie each, and a DVD with a number.
fs::path luettelo(const fs::path& kansio, int kasetteja) {
    Tietokanta tk;
    TOmaList& l = tk.kortit;
    for (int i = 1; i <= kasetteja; ++i) {
        TKortti& k = l.lisaa_uusi();
        k.kasetilla = std::to_string(i);
        k.nimi = "Elokuva " + std::to_string(i) + " & <toinen>";
        k.kesto = "1h 30min";
        k.formaatti = "LP";
    }
    TKortti& d = l.lisaa_uusi();
    d.kasetilla = "D1";
    d.nimi = "Levy";
    d.formaatti = "DVD";
    const fs::path p = kansio / "luettelo.rkb";
    EXPECT_TRUE(tallenna_kortit(kansio, p.string(), tk));
    return p;
}

const Rkb rkb{"", "2>&1"};

int pdf_sivuja(const fs::path& pdf) {
    const Ajotulos t = aja("pdfinfo " + pdf.string() + " 2>/dev/null");
    const std::size_t i = t.ulos.find("Pages:");
    return i == std::string::npos ? -1 : std::stoi(t.ulos.substr(i + 6));
}

TEST(RkbVienti, TekstiJaHtml) {
    testituki::Tilapainen_kansio k;
    const fs::path rkb_tiedosto = luettelo(k.juuri(), 2);
    const fs::path txt = k.juuri() / "lista.txt";
    ASSERT_EQ(rkb("export-text " + rkb_tiedosto.string() + " " + txt.string()).koodi, 0);
    const std::string teksti = tiedoston_sisalto(txt);
    EXPECT_NE(teksti.find("Tietokanta: luettelo.rkb\r\n\r\nNumero    Elokuvan nimi"), std::string::npos);
    EXPECT_NE(teksti.find("\r\n1 ....... Elokuva 1 & <toinen>, 90min, (LP)"), std::string::npos);
    EXPECT_NE(teksti.find("\r\nD1 ...... Levy, (DVD)"), std::string::npos);
    // An existing file is refused and stays as it was.
    const Ajotulos uudestaan = rkb("export-text " + rkb_tiedosto.string() + " " + txt.string());
    EXPECT_EQ(uudestaan.koodi, 1);
    EXPECT_NE(uudestaan.ulos.find("on jo olemassa"), std::string::npos);
    EXPECT_EQ(tiedoston_sisalto(txt), teksti);

    const fs::path utf8 = k.juuri() / "lista_utf8.txt";
    ASSERT_EQ(rkb("export-text " + rkb_tiedosto.string() + " " + utf8.string() + " --charset utf-8").koodi, 0);
    EXPECT_NE(tiedoston_sisalto(utf8).find("\xC3\x84\xC3\xA4niraita\r\n"), std::string::npos);
    EXPECT_EQ(rkb("export-text " + rkb_tiedosto.string() + " " + (k.juuri() / "z.txt").string() + " --charset latin9").koodi, 1);
    EXPECT_FALSE(fs::exists(k.juuri() / "z.txt"));

    const fs::path html = k.juuri() / "lista.html";
    ASSERT_EQ(rkb("export-html " + rkb_tiedosto.string() + " " + html.string() + " --columns nro,arvosana").koodi, 0);
    const std::string sivu = tiedoston_sisalto(html);
    EXPECT_NE(sivu.find("<td bgColor=\"#091584\">Elokuva 1 &amp; &lt;toinen&gt;</td>\r\n<td bgColor=\"#091584\">0/10</td>"),
              std::string::npos);
    EXPECT_EQ(sivu.find("Vuosi"), std::string::npos);
    // HTML replaces an existing file; an unknown column is refused before anything is written.
    EXPECT_EQ(rkb("export-html " + rkb_tiedosto.string() + " " + html.string()).koodi, 0);
    EXPECT_NE(tiedoston_sisalto(html).find(">Vuosi</td>"), std::string::npos);
    const Ajotulos huono = rkb("export-html " + rkb_tiedosto.string() + " " + (k.juuri() / "x.html").string() +
                               " --columns nro,kansi");
    EXPECT_EQ(huono.koodi, 1);
    EXPECT_NE(huono.ulos.find("kansi"), std::string::npos);
    EXPECT_FALSE(fs::exists(k.juuri() / "x.html"));
    EXPECT_EQ(rkb("export-text /ei/ole.rkb " + (k.juuri() / "y.txt").string()).koodi, 1);
}

TEST(RkbVienti, CsvEsimerkkiluettelostaLuetaanTaysin) {
    testituki::Tilapainen_kansio k;
    // The example catalogue with one card more whose name holds quotes and a comma.
    Tietokanta tk;
    const Ohjelmakansio ohjelma(k.juuri(), jarjestelman_tiedostot());
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.tallenna_sortattuna = false;
    Varasto v{tk, ohjelma, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &asetukset};
    ASSERT_TRUE(lue_tietueet(std::string(RULLAKKO_SOURCE_DIR) + "/data/esimerkki.rkb", false, true, tk.kortit, v));
    ASSERT_GT(tk.kortit.Count(), 40);
    TKortti& lisa = tk.kortit.lisaa_uusi();
    lisa.nimi = "Sanoi \"näin\", ja lähti";
    lisa.kasetilla = "99";
    const fs::path rkb_tiedosto = k.juuri() / "esimerkki.rkb";
    ASSERT_TRUE(tallenna_tietokanta(rkb_tiedosto.string(), v));
    // The cards as the tool will read them (the loader fills what the file leaves out).
    TOmaList kortit;
    ASSERT_TRUE(lue_tietueet(rkb_tiedosto.string(), false, true, kortit, v));

    const fs::path csv = k.juuri() / "lista.csv";
    const Ajotulos r = rkb("export-csv " + rkb_tiedosto.string() + " " + csv.string());
    ASSERT_EQ(r.koodi, 0) << r.ulos;
    const auto rivit = testituki::lue_csv_pythonilla(csv);
    ASSERT_EQ(rivit.size(), static_cast<std::size_t>(kortit.Count()));
    for (std::size_t s = 0; s < sarakkeet().size(); ++s) EXPECT_EQ(rivit[0][s], sarakkeet()[s].nimi);
    bool aakkosia = false;
    for (int i = 1; i < kortit.Count(); ++i) {
        const auto& rivi = rivit[static_cast<std::size_t>(i)];
        ASSERT_EQ(rivi.size(), sarakkeet().size()) << i;
        for (std::size_t s = 0; s < sarakkeet().size(); ++s) {
            const std::string odotettu = merkisto::cp1252_utf8(sarakkeen_arvo(kortit[i], sarakkeet()[s]));
            EXPECT_EQ(rivi[s], odotettu) << i << " " << sarakkeet()[s].nimi;
            aakkosia |= odotettu.find("\xC3\xA4") != std::string::npos;
        }
    }
    EXPECT_TRUE(aakkosia);
    EXPECT_EQ(rivit.back()[0], "Sanoi \"n\xC3\xA4in\", ja l\xC3\xA4hti");
    EXPECT_EQ(rkb("export-csv /ei/ole.rkb " + (k.juuri() / "y.csv").string()).koodi, 1);
    EXPECT_FALSE(fs::exists(k.juuri() / "y.csv"));
}

// The fonts' sizes (word heights) of a PDF's first page and the right edge of its widest line, in points.
std::pair<double, double> sanojen_mitat(const fs::path& pdf) {
    const std::string html = aja("pdftotext -bbox -f 1 -l 1 " + pdf.string() + " - 2>/dev/null").ulos;
    double pienin = 1e9, oikein = 0;
    for (std::size_t i = 0; (i = html.find("<word xMin=\"", i)) != std::string::npos; ++i) {
        double x0, y0, x1, y1;
        if (std::sscanf(html.c_str() + i, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &x0, &y0, &x1, &y1) == 4) {
            pienin = std::min(pienin, y1 - y0);
            oikein = std::max(oikein, x1);
        }
    }
    return {pienin, oikein};
}

TEST(RkbVienti, TulostettuListaPdf) {
    testituki::Tilapainen_kansio k;
    const fs::path kapea = luettelo(k.juuri(), 70);
    struct Tapaus {
        std::string valitsimet;
        const char* koko;
        int sivuja;
    } tapaukset[] = {
        {"", "595 x 842", 2},
        {" --orientation landscape", "842 x 595", 2},
    };
    for (const Tapaus& t : tapaukset) {
        const fs::path pdf = k.juuri() / "lista.pdf";
        const Ajotulos r = rkb("print-list " + kapea.string() + " " + pdf.string() + t.valitsimet);
        ASSERT_EQ(r.koodi, 0) << r.ulos;
        EXPECT_EQ(pdf_sivuja(pdf), t.sivuja) << t.valitsimet;
        const std::string tiedot = aja("pdfinfo " + pdf.string()).ulos;
        EXPECT_NE(tiedot.find(t.koko), std::string::npos) << t.valitsimet << tiedot;
        const auto [pienin, oikein] = sanojen_mitat(pdf);
        // Readable, and the list fills the page's width rather than a third of it.
        EXPECT_GE(pienin, 8.0) << t.valitsimet;
        if (t.valitsimet.empty()) {
            EXPECT_GT(oikein, 0.8 * 595) << t.valitsimet;
        }
        EXPECT_NE(aja("pdftotext -layout " + pdf.string() + " -").ulos.find("1 ....... Elokuva 1 & <toinen>, 90min, (LP)"),
                  std::string::npos);
    }

    // Lines too wide for portrait at a readable size turn the page by themselves.
    Tietokanta tk;
    TKortti& levea = tk.kortit.lisaa_uusi();
    levea.kasetilla = "1";
    levea.nimi = "Leveä";
    levea.aani = std::string(70, 'A');
    const Ohjelmakansio ohjelma(k.juuri(), jarjestelman_tiedostot());
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    Varasto v{tk, ohjelma, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire, &asetukset};
    const fs::path leveat = k.juuri() / "leveat.rkb";
    ASSERT_TRUE(tallenna_tietokanta(leveat.string(), v));
    const fs::path pdf = k.juuri() / "leveat.pdf";
    ASSERT_EQ(rkb("print-list " + leveat.string() + " " + pdf.string()).koodi, 0);
    EXPECT_NE(aja("pdfinfo " + pdf.string()).ulos.find("842 x 595"), std::string::npos);
    EXPECT_GE(sanojen_mitat(pdf).first, 8.0);

    EXPECT_EQ(rkb("print-list " + leveat.string() + " " + pdf.string() + " --orientation sideways").koodi, 1);
    EXPECT_EQ(rkb("print-list /ei/ole.rkb " + (k.juuri() / "x.pdf").string()).koodi, 1);
    EXPECT_FALSE(fs::exists(k.juuri() / "x.pdf"));
}

TEST(RkbVienti, TarratPdf) {
    testituki::Tilapainen_kansio k;
    const fs::path rkb_tiedosto = luettelo(k.juuri(), 16);
    struct Tapaus {
        std::string valitsimet;
        int sivuja;
        bool pysty;
    } tapaukset[] = {
        // 14 spine labels a sheet by default; the DVD has no label.
        {"--kind spine", 2, true},
        {"--kind spine --cassettes 1,2,3 --dpi 300 --template punainen.bmp", 1, true},
        {"--kind top --cassettes 1,2,3,4,5,6,7,8,9,10,11,12", 1, false},
        {"--kind top --cassettes 1,2,3,4,5,6,7,8,9,10,11,12,13 --dpi 1200", 2, false},
    };
    for (const Tapaus& t : tapaukset) {
        const fs::path pdf = k.juuri() / "tarrat.pdf";
        fs::remove(pdf);
        const Ajotulos r = rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " " + t.valitsimet);
        EXPECT_EQ(r.koodi, 0) << t.valitsimet << "\n" << r.ulos;
        EXPECT_EQ(pdf_sivuja(pdf), t.sivuja) << t.valitsimet;
        const std::string tiedot = aja("pdfinfo " + pdf.string()).ulos;
        EXPECT_NE(tiedot.find(t.pysty ? "595 x 842" : "842 x 595"), std::string::npos) << t.valitsimet;
    }
    const fs::path pdf = k.juuri() / "virhe.pdf";
    const Ajotulos pitka = rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind spine --cassettes 12345");
    EXPECT_NE(pitka.ulos.find("Kasetin 12345 numero ei mahdu tarraan"), std::string::npos);
    EXPECT_NE(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind side").koodi, 0);
    EXPECT_NE(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind top --template ei.bmp").koodi, 0);
    EXPECT_NE(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind top --dpi 0").koodi, 0);
}

// A disk that fills part-way through: the shell's file size limit makes every write past it fail (with the
// signal ignored, as a full disk fails a write). The old file stays whole, nothing is left beside it, and
// the tool says so and exits 1 instead of leaving a truncated file behind an exit 0.
TEST(RkbVienti, TaysiLevyJattaaVanhanTiedostonJaKertooSyyn) {
    testituki::Tilapainen_kansio k;
    const fs::path rkb_tiedosto = luettelo(k.juuri(), 400);
    const fs::path ulos = k.juuri() / "ulos";
    fs::create_directories(ulos);
    const struct {
        const char* nimi;
        const char* komento;
        const char* syy;  // the PDF device keeps its write errors to itself; the unfinished file tells them
    } tapaukset[] = {
        {"tarrat.pdf", "labels {rkb} {ulos} --kind spine", ": PDF-tiedosto j\xC3\xA4i kesken"},
        {"lista.html", "export-html {rkb} {ulos}", ": tiedosto on liian suuri"},
    };
    for (const auto& t : tapaukset) {
        const fs::path kohde = ulos / t.nimi;
        std::string komento = t.komento;
        komento.replace(komento.find("{rkb}"), 5, rkb_tiedosto.string());
        komento.replace(komento.find("{ulos}"), 6, kohde.string());
        {
            std::ofstream(kohde, std::ios::binary) << "vanha";
        }
        // A replacement file of a killed earlier run is removed by the next write of the same target.
        const fs::path jaanne = ulos / ("." + std::string(t.nimi) + "~999999999-0.kesken");
        std::ofstream(jaanne) << "kesken";
        const Ajotulos taysi = aja("bash -c \"trap '' XFSZ; ulimit -f 8; " + rkb.komento(komento, rkb.virheet) + "\"");
        EXPECT_EQ(taysi.koodi, 1) << komento << "\n" << taysi.ulos;
        EXPECT_NE(taysi.ulos.find(t.syy), std::string::npos) << taysi.ulos;
        EXPECT_EQ(tiedoston_sisalto(kohde), "vanha") << komento;
        EXPECT_EQ(std::distance(fs::directory_iterator(ulos), fs::directory_iterator()), 1) << komento;

        const Ajotulos tilaa = rkb(komento);
        EXPECT_EQ(tilaa.koodi, 0) << komento << "\n" << tilaa.ulos;
        EXPECT_GT(fs::file_size(kohde), 8u * 1024) << komento;
        EXPECT_EQ(std::distance(fs::directory_iterator(ulos), fs::directory_iterator()), 1) << komento;
        fs::remove(kohde);
    }
}

}  // namespace
