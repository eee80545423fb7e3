// The command-line reader writes a body exactly as the program does.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Tulos {
    int koodi;
    std::string ulos;
};

Tulos aja(const std::string& komento) {
    Tulos t{0, {}};
    FILE* p = ::popen(komento.c_str(), "r");
    char puskuri[4096];
    for (std::size_t n; (n = std::fread(puskuri, 1, sizeof puskuri, p)) > 0;) t.ulos.append(puskuri, n);
    t.koodi = WEXITSTATUS(::pclose(p));
    return t;
}

std::string lue(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

TEST(RkbReadBody, KirjoittaaRungonTavuilleenJaHylkaaRikkinaisen) {
    const fs::path data = fs::path(RULLAKKO_SOURCE_DIR) / "storage" / "testdata";
    const Tulos ok = aja(std::string(RKB_EXE) + " read-body " + (data / "runko_kaksi_korttia.txt").string() + " 2>/dev/null");
    EXPECT_EQ(ok.koodi, 0);
    EXPECT_EQ(ok.ulos, lue(data / "runko_kaksi_korttia.txt"));

    const Tulos vanha = aja(std::string(RKB_EXE) + " read-body " + (data / "runko_vanha_48.txt").string() + " 2>/dev/null");
    EXPECT_EQ(vanha.koodi, 0);
    EXPECT_EQ(vanha.ulos, lue(data / "runko_vanha_48_tallennettu.txt"));

    const Tulos rikki = aja(std::string(RKB_EXE) + " read-body " + (data / "runko_ilman_otsaketta.txt").string() + " 2>&1");
    EXPECT_EQ(rikki.koodi, 1);
    EXPECT_NE(rikki.ulos.find("vahingoittunut"), std::string::npos);

    const Tulos puuttuu = aja(std::string(RKB_EXE) + " read-body /ei/ole/tätä.txt 2>&1");
    EXPECT_EQ(puuttuu.koodi, 1);
    EXPECT_NE(puuttuu.ulos.find("ei voi lukea"), std::string::npos);
}

}  // namespace
