// The export and label subcommands of the command-line tool, run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/asetukset.h"
#include "testituki/asetustesti.h"
#include "testituki/komentotesti.h"
#include "diag/kiire.h"
#include "testituki/testiviestit.h"
#include "storage/tallennus.h"
#include "storage/varasto.h"
#include "testituki/tiedoston_sisalto.h"

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
    const Ohjelmakansio ohjelma(kansio);
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    TAsetukset asetukset;
    asetukset.tallenna_sortattuna = false;
    const Varasto v{tk, ohjelma, viestit, kiire, &asetukset};
    const fs::path p = kansio / "luettelo.rkb";
    EXPECT_TRUE(tallenna_tietokanta(p.string(), v));
    return p;
}

std::string rkb(const std::string& parametrit) { return std::string(RKB_EXE) + " " + parametrit + " 2>&1"; }

int pdf_sivuja(const fs::path& pdf) {
    const Ajotulos t = aja("pdfinfo " + pdf.string() + " 2>/dev/null");
    const std::size_t i = t.ulos.find("Pages:");
    return i == std::string::npos ? -1 : std::stoi(t.ulos.substr(i + 6));
}

TEST(RkbVienti, TekstiJaHtml) {
    asetustesti::Kansio k;
    const fs::path rkb_tiedosto = luettelo(k.juuri(), 2);
    const fs::path txt = k.juuri() / "lista.txt";
    ASSERT_EQ(aja(rkb("export-text " + rkb_tiedosto.string() + " " + txt.string())).koodi, 0);
    const std::string teksti = tiedoston_sisalto(txt);
    EXPECT_NE(teksti.find("Tietokanta: luettelo.rkb\r\n\r\nNumero    Elokuvan nimi"), std::string::npos);
    EXPECT_NE(teksti.find("\r\n1 ....... Elokuva 1 & <toinen>, 90min, (LP)"), std::string::npos);
    EXPECT_NE(teksti.find("\r\nD1 ...... Levy, (DVD)"), std::string::npos);
    // An existing file is refused and stays as it was.
    const Ajotulos uudestaan = aja(rkb("export-text " + rkb_tiedosto.string() + " " + txt.string()));
    EXPECT_EQ(uudestaan.koodi, 1);
    EXPECT_NE(uudestaan.ulos.find("on jo olemassa"), std::string::npos);
    EXPECT_EQ(tiedoston_sisalto(txt), teksti);

    const fs::path html = k.juuri() / "lista.html";
    ASSERT_EQ(aja(rkb("export-html " + rkb_tiedosto.string() + " " + html.string() + " --columns nro,arvosana")).koodi, 0);
    const std::string sivu = tiedoston_sisalto(html);
    EXPECT_NE(sivu.find("<td bgColor=\"#091584\">Elokuva 1 &amp; &lt;toinen&gt;</td>\r\n<td bgColor=\"#091584\">0/10</td>"),
              std::string::npos);
    EXPECT_EQ(sivu.find("Vuosi"), std::string::npos);
    // HTML replaces an existing file; an unknown column is refused before anything is written.
    EXPECT_EQ(aja(rkb("export-html " + rkb_tiedosto.string() + " " + html.string())).koodi, 0);
    EXPECT_NE(tiedoston_sisalto(html).find(">Vuosi</td>"), std::string::npos);
    const Ajotulos huono = aja(rkb("export-html " + rkb_tiedosto.string() + " " + (k.juuri() / "x.html").string() +
                                " --columns nro,kansi"));
    EXPECT_EQ(huono.koodi, 1);
    EXPECT_NE(huono.ulos.find("kansi"), std::string::npos);
    EXPECT_FALSE(fs::exists(k.juuri() / "x.html"));
    EXPECT_EQ(aja(rkb("export-text /ei/ole.rkb " + (k.juuri() / "y.txt").string())).koodi, 1);
}

TEST(RkbVienti, TarratPdf) {
    asetustesti::Kansio k;
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
        const Ajotulos r = aja(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " " + t.valitsimet));
        EXPECT_EQ(r.koodi, 0) << t.valitsimet << "\n" << r.ulos;
        EXPECT_EQ(pdf_sivuja(pdf), t.sivuja) << t.valitsimet;
        const std::string tiedot = aja("pdfinfo " + pdf.string()).ulos;
        EXPECT_NE(tiedot.find(t.pysty ? "595 x 842" : "842 x 595"), std::string::npos) << t.valitsimet;
    }
    const fs::path pdf = k.juuri() / "virhe.pdf";
    const Ajotulos pitka = aja(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind spine --cassettes 12345"));
    EXPECT_NE(pitka.ulos.find("Kasetin 12345 numero ei mahdu tarraan"), std::string::npos);
    EXPECT_NE(aja(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind side")).koodi, 0);
    EXPECT_NE(aja(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind top --template ei.bmp")).koodi, 0);
    EXPECT_NE(aja(rkb("labels " + rkb_tiedosto.string() + " " + pdf.string() + " --kind top --dpi 0")).koodi, 0);
}

// A disk that fills part-way through: the shell's file size limit makes every write past it fail (with the
// signal ignored, as a full disk fails a write). The old file stays whole, nothing is left beside it, and
// the tool says so and exits 1 instead of leaving a truncated file behind an exit 0.
TEST(RkbVienti, TaysiLevyJattaaVanhanTiedostonJaKertooSyyn) {
    asetustesti::Kansio k;
    const fs::path rkb_tiedosto = luettelo(k.juuri(), 400);
    const fs::path ulos = k.juuri() / "ulos";
    fs::create_directories(ulos);
    const struct {
        const char* nimi;
        const char* komento;
    } tapaukset[] = {
        {"tarrat.pdf", "labels {rkb} {ulos} --kind spine"},
        {"lista.html", "export-html {rkb} {ulos}"},
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
        const Ajotulos taysi = aja("bash -c \"trap '' XFSZ; ulimit -f 8; " + rkb(komento) + "\"");
        EXPECT_EQ(taysi.koodi, 1) << komento << "\n" << taysi.ulos;
        EXPECT_NE(taysi.ulos.find(": tiedosto on liian suuri"), std::string::npos) << taysi.ulos;
        EXPECT_EQ(tiedoston_sisalto(kohde), "vanha") << komento;
        EXPECT_EQ(std::distance(fs::directory_iterator(ulos), fs::directory_iterator()), 1) << komento;

        const Ajotulos tilaa = aja(rkb(komento));
        EXPECT_EQ(tilaa.koodi, 0) << komento << "\n" << tilaa.ulos;
        EXPECT_GT(fs::file_size(kohde), 8u * 1024) << komento;
        EXPECT_EQ(std::distance(fs::directory_iterator(ulos), fs::directory_iterator()), 1) << komento;
        fs::remove(kohde);
    }
}

}  // namespace
