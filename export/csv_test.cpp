// The CSV list: the exact bytes of its format and a spreadsheet-like reader getting every field back.
#include "export/csv.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "perus/merkisto.h"
#include "perus/tiedostot.h"
#include "storage/sarakkeet.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/csv_python.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

std::string csv_merkkijonona(const TOmaList& l) {
    std::string s;
    kirjoita_csv(l, [&](std::string_view pala) { s.append(pala); });
    return s;
}

// Cards whose values need every rule of the format: commas, quotes, line breaks of each kind, Finnish
// letters, leading blanks, an empty card.
TOmaList hankalat_kortit() {
    TOmaList l;
    TKortti& a = l.lisaa_uusi();
    a.nimi = "Hämärän \"rajamailla\", osa 2";
    a.kasetilla = "12";
    a.juoni = "Eka kappale.\r\n\r\nToka\nkappale\rja loppu";
    a.paanayttelijat = "Öhman, Åsa; Ärjä";
    a.extra[2] = true;
    a.hae_kansi = false;
    a.nakyma = 3;
    TKortti& b = l.lisaa_uusi();
    b.nimi = "  välilyönnit ";
    b.luokitus = "\"";
    l.lisaa_uusi();
    return l;
}

std::vector<std::string> odotettu_rivi(const TKortti& k) {
    std::vector<std::string> r;
    for (const Sarake& s : sarakkeet()) r.push_back(merkisto::cp1252_utf8(sarakkeen_arvo(k, s)));
    return r;
}

}  // namespace

TEST(Csv, KenttaLainataanVainTarvittaessa) {
    struct Tapaus {
        std::string arvo, odotettu;
    };
    for (const Tapaus& t : {Tapaus{"", ""}, Tapaus{"tavallinen", "tavallinen"}, Tapaus{" reunat ", " reunat "},
                            Tapaus{"a,b", "\"a,b\""}, Tapaus{"sanoi \"hei\"", "\"sanoi \"\"hei\"\"\""},
                            Tapaus{"\"", "\"\"\"\""}, Tapaus{"rivi\r\nrivi", "\"rivi\r\nrivi\""},
                            Tapaus{"a\nb", "\"a\nb\""}, Tapaus{"a\rb", "\"a\rb\""}, Tapaus{"a;b\tc", "a;b\tc"}})
        EXPECT_EQ(csv_kentta(t.arvo), t.odotettu) << t.arvo;
}

TEST(Csv, TavujenMuoto) {
    const std::string s = csv_merkkijonona(hankalat_kortit());
    ASSERT_EQ(s.substr(0, 3), "\xEF\xBB\xBF");
    // The header names the columns in order, rows end in CR LF, the placeholder is no row.
    std::string otsake;
    for (const Sarake& sarake : sarakkeet()) otsake += (otsake.empty() ? "" : ",") + sarake.nimi;
    EXPECT_EQ(s.substr(3, otsake.size() + 2), otsake + "\r\n");
    EXPECT_EQ(s.find("##"), std::string::npos);
    EXPECT_NE(s.find("\"H\xC3\xA4m\xC3\xA4r\xC3\xA4n \"\"rajamailla\"\", osa 2\""), std::string::npos);
    EXPECT_NE(s.find("\"Eka kappale.\r\n\r\nToka\nkappale\rja loppu\""), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 2), "\r\n");
    // An empty list is the header alone.
    EXPECT_EQ(csv_merkkijonona(TOmaList()), "\xEF\xBB\xBF" + otsake + "\r\n");
}

TEST(Csv, PythoninCsvLukeeJokaisenKentan) {
    testituki::Tilapainen_kansio k;
    const TOmaList l = hankalat_kortit();
    const fs::path p = k.juuri() / "lista.csv";
    ASSERT_TRUE(vie_csv(jarjestelman_tiedostot(), l, p));
    const auto rivit = testituki::lue_csv_pythonilla(p);
    ASSERT_EQ(rivit.size(), 4u);
    std::vector<std::string> otsake;
    for (const Sarake& s : sarakkeet()) otsake.push_back(s.nimi);
    EXPECT_EQ(rivit[0], otsake);
    for (int i = 1; i < l.Count(); ++i) EXPECT_EQ(rivit[static_cast<std::size_t>(i)], odotettu_rivi(l[i])) << i;
    EXPECT_EQ(rivit[1][0], "H\xC3\xA4m\xC3\xA4r\xC3\xA4n \"rajamailla\", osa 2");
}

TEST(Csv, IsoListaKirjoitetaanPaloina) {
    TOmaList l;
    for (int i = 0; i < 3000; ++i) {
        TKortti& k = l.lisaa_uusi();
        k.nimi = "Elokuva " + std::to_string(i);
        k.juoni = std::string(200, 'x');
    }
    std::size_t palat = 0, suurin = 0, yhteensa = 0;
    kirjoita_csv(l, [&](std::string_view pala) {
        ++palat;
        suurin = std::max(suurin, pala.size());
        yhteensa += pala.size();
    });
    EXPECT_GT(yhteensa, 600000u);
    EXPECT_GT(palat, 5u);
    EXPECT_LT(suurin, 80u * 1024);
    EXPECT_EQ(yhteensa, csv_merkkijonona(l).size());
}

TEST(Csv, EpaonnistunutKirjoitusJattaaVanhanTiedoston) {
    testituki::Tilapainen_kansio k;
    const fs::path p = k.juuri() / "lista.csv";
    k.kirjoita("lista.csv", "vanha");
    VikaantuvatTiedostot t;
    t.rajoita_tilaa(".kesken", 100);
    const Tulos tulos = vie_csv(t, hankalat_kortit(), p);
    EXPECT_FALSE(tulos);
    EXPECT_EQ(tulos.koodi, ENOSPC);
    EXPECT_NE(tulos.viesti.find("lista.csv"), std::string::npos) << tulos.viesti;
    EXPECT_EQ(k.lue("lista.csv"), "vanha");
    EXPECT_EQ(std::distance(fs::directory_iterator(k.juuri()), fs::directory_iterator()), 1);
}
