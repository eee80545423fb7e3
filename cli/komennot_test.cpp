// The manual page, the README and rkb's own usage list all follow the command table. With
// RKB_PAIVITA_OHJEET=1 the test writes the table's text into the two files instead of comparing.
#include "cli/komennot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "perus/merkisto.h"
#include "perus/tiedostot.h"
#include "testituki/komentotesti.h"

namespace fs = std::filesystem;

namespace {

struct Osio {
    const char* tiedosto;
    const char* alku;
    const char* loppu;
    std::string (*teksti)();
};

const Osio osiot[] = {
    {"asennus/rkb.1", ".\\\" komennot alkavat", ".\\\" komennot loppuvat", man_komennot},
    {"README.md", "<!-- komennot alkavat -->", "<!-- komennot loppuvat -->", [] {
         return "\n" + readme_komennot() + "\n";
     }},
};

}  // namespace

TEST(Komennot, OhjesivuJaReadmeTaulukonMukaan) {
    const bool paivita = std::getenv("RKB_PAIVITA_OHJEET") != nullptr;
    for (const Osio& o : osiot) {
        const fs::path p = fs::path(RULLAKKO_SOURCE_DIR) / o.tiedosto;
        std::string sisalto;
        ASSERT_TRUE(lue_koko_tiedosto(jarjestelman_tiedostot(), p, sisalto)) << p;
        std::string odotettu = sisalto;
        ASSERT_TRUE(korvaa_osio(odotettu, o.alku, o.loppu, o.teksti())) << o.tiedosto << ": merkit puuttuvat";
        if (paivita && odotettu != sisalto) ASSERT_TRUE(korvaa_tiedosto(jarjestelman_tiedostot(), p, odotettu));
        else
            EXPECT_EQ(sisalto, odotettu) << o.tiedosto
                                         << " ei vastaa komentotaulua (cli/komennot.cpp): aja RKB_PAIVITA_OHJEET=1 "
                                            "build/core_tests --gtest_filter=Komennot.*";
    }
}

TEST(Komennot, RkbListaaJokaisenTaulukonKomennon) {
    const Ajotulos t = Rkb{}("", "2>&1");
    EXPECT_EQ(t.koodi, 1);
    std::set<std::string> listatut;
    std::istringstream rivit(t.ulos);
    for (std::string r; std::getline(rivit, r);)
        if (r.rfind("  rkb ", 0) == 0) listatut.insert(r.substr(2));
    std::set<std::string> taulukossa;
    for (const Komentokuvaus& k : komentokuvaukset()) taulukossa.insert(merkisto::cp1252_utf8(kayttorivi(k)));
    // Both ways: a registered command without its row shows up as "(kuvaus puuttuu)", a row without its
    // command is not listed.
    EXPECT_EQ(listatut, taulukossa);
}

TEST(Komennot, OsionKorvaus) {
    std::string s = "a\n<<\nvanha\nvanha\n>>\nb\n";
    ASSERT_TRUE(korvaa_osio(s, "<<", ">>", "uusi\n"));
    EXPECT_EQ(s, "a\n<<\nuusi\n>>\nb\n");
    EXPECT_FALSE(korvaa_osio(s, "<<", "puuttuu", "x"));
    EXPECT_FALSE(korvaa_osio(s, "puuttuu", ">>", "x"));
}
