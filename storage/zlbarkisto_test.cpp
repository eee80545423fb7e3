// The catalogue archive against an encoder written here from the byte layout alone, and against the
// damaged and hostile archives a user may be handed.
#include "storage/zlbarkisto.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "perus/merkisto.h"
#include "perus/ohjelmakansio.h"
#include "storage/zlbarkisto_fuzzaus.h"
#include "storage/zlbarkisto_testiapu.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

using zlb_testi::kirjoita;
using zlb_testi::lue;

// ---- The encoder: every byte placed by hand from the layout tables. ----

void le32(std::string& s, std::size_t kohta, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[kohta + i] = static_cast<char>(v >> (8 * i));
}

std::uint32_t crc(std::string_view s) {
    return static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

std::string zlib(std::string_view s, int taso) {
    uLongf n = compressBound(s.size());
    std::string ulos(n, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(ulos.data()), &n, reinterpret_cast<const Bytef*>(s.data()), s.size(), taso), Z_OK);
    ulos.resize(n);
    return ulos;
}

struct Jasen {
    std::string kansio;
    std::string nimi;
    std::string data;
};

struct Koodaus {
    int taso = 9;                 // zlib level
    std::uint8_t tasomerkki = 3;  // the level byte of a packed member
    bool rekisteri_pakattu = true;
    // Changes to an entry's 532 bytes or a member's stored bytes, for damaged archives with a valid CRC.
    std::function<void(std::string& entry, std::size_t i)> muuta_entry{};
    std::function<void(std::string& talteen, std::size_t i)> muuta_data{};
    std::function<void(std::string& trailer)> muuta_traileri{};
};

std::string koodaa(const std::vector<Jasen>& jasenet, const Koodaus& k = {}) {
    std::string tiedosto, rekisteri;
    for (std::size_t i = 0; i < jasenet.size(); ++i) {
        const Jasen& j = jasenet[i];
        std::string talteen = zlib(j.data, k.taso);
        const bool raaka = talteen.size() >= j.data.size();
        if (raaka) talteen = j.data;
        std::string e(532, '\0');
        e[0] = static_cast<char>(j.nimi.size());
        e.replace(1, j.nimi.size(), j.nimi);
        e[256] = static_cast<char>(j.kansio.size());
        e.replace(257, j.kansio.size(), j.kansio);
        le32(e, 512, static_cast<std::uint32_t>(j.data.size()));
        le32(e, 516, static_cast<std::uint32_t>(talteen.size()));
        le32(e, 520, static_cast<std::uint32_t>(tiedosto.size()));
        le32(e, 524, crc(j.data));
        e[528] = raaka ? 1 : 0;
        e[529] = static_cast<char>(raaka ? 0 : k.tasomerkki);
        if (k.muuta_entry) k.muuta_entry(e, i);
        if (k.muuta_data) k.muuta_data(talteen, i);
        rekisteri += e;
        tiedosto += talteen;
    }
    const std::size_t rekisterin_sijainti = tiedosto.size();
    const std::string talteen = k.rekisteri_pakattu ? zlib(rekisteri, k.taso) : rekisteri;
    tiedosto += talteen;
    std::string t(36, '\0');
    le32(t, 0, crc(tiedosto));
    le32(t, 4, static_cast<std::uint32_t>(jasenet.size()));
    le32(t, 8, 1);
    le32(t, 12, static_cast<std::uint32_t>(talteen.size()));
    le32(t, 16, static_cast<std::uint32_t>(rekisterin_sijainti));
    t[20] = k.rekisteri_pakattu ? 1 : 0;
    if (k.muuta_traileri) k.muuta_traileri(t);
    return tiedosto + t;
}

// ---- Test data and folders. ----

std::string satunnainen(std::size_t n, unsigned siemen) {
    std::mt19937 g(siemen);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(g());
    return s;
}

std::string tekstia(std::size_t n) {
    std::string s;
    while (s.size() < n) s += "Nimi=Tähtien sota " + std::to_string(s.size() % 97) + "\r\nKasetilla=12\r\n";
    s.resize(n);
    return s;
}

// The files a catalogue is made of: the body and covers, one of them named with a cp1252 letter.
const std::vector<Jasen> luettelo = {
    {"", "avattu.$$$", tekstia(150000)},  // packed in several pieces
    {"gfx\\kannet\\", "a.jpg", satunnainen(3000, 1)},
    {"gfx\\kannet\\", "kää.jpg", tekstia(700)},
    {"gfx\\kannet\\", "tyhjä.jpg", ""},
};

class Arkisto : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(juuri_ / "kohde");
        a_.OnErrorLogged = [this](TZLBArchive&, const std::string& t) { kirjatut_.push_back(t); };
    }

    // A cp1252 member name as a file below a folder.
    static fs::path tiedosto(const fs::path& kansio, const Jasen& j) {
        std::string nimi = j.kansio + j.nimi;
        std::replace(nimi.begin(), nimi.end(), '\\', '/');
        return kansio / merkisto::cp1252_utf8(nimi);
    }

    // Writes the members as files below the test folder and packs them with the component.
    fs::path pakkaa(const std::vector<Jasen>& jasenet, const std::string& arkisto = "a.rkb") {
        std::vector<std::string> nimet;
        for (const Jasen& j : jasenet) {
            kirjoita(tiedosto(juuri_, j), j.data);
            nimet.push_back(j.kansio + j.nimi);
        }
        const fs::path p = juuri_ / arkisto;
        EXPECT_TRUE(a_.Create(p));
        EXPECT_TRUE(a_.AddFiles(nimet, juuri_));
        return p;
    }

    fs::path tallenna(const std::string& tavut, const std::string& nimi = "k.rkb") {
        kirjoita(juuri_ / nimi, tavut);
        return juuri_ / nimi;
    }

    // Everything below the test folder, as relative names.
    std::vector<std::string> kaikki_tiedostot() const {
        std::vector<std::string> t;
        for (const auto& e : fs::recursive_directory_iterator(juuri_)) t.push_back(e.path().lexically_relative(juuri_).string());
        std::sort(t.begin(), t.end());
        return t;
    }

    // Member `i` unpacked on its own thread, with the outcome.
    Tulos taustalla(std::size_t i) {
        std::unique_ptr<Jasenvirta> v;
        Tulos t = a_.pura_taustalla(i, v);
        return t ? v->tulos() : t;
    }

    testituki::Tilapainen_kansio kansio_{"zlbarkisto"};
    fs::path juuri_ = kansio_.juuri();
    TZLBArchive a_{jarjestelman_tiedostot()};
    std::vector<std::string> kirjatut_;
};

// ---- The format, byte for byte. ----

struct TasoTapaus {
    TZLBCompressionLevel taso;
    int zlib_taso;
    std::uint8_t merkki;
};

class ArkistonTaso : public Arkisto, public ::testing::WithParamInterface<TasoTapaus> {};

TEST_P(ArkistonTaso, SamatTavutKuinKasinKoodattuJaLukeeSenTakaisin) {
    a_.CompressionLevel = GetParam().taso;
    const Koodaus k{.taso = GetParam().zlib_taso, .tasomerkki = GetParam().merkki};
    const fs::path p = pakkaa(luettelo);
    EXPECT_TRUE(kirjatut_.empty());
    EXPECT_EQ(lue(p), koodaa(luettelo, k));

    // Read back from the encoder's bytes, with folders made on the way.
    ASSERT_TRUE(a_.Open(tallenna(koodaa(luettelo, k))));
    ASSERT_EQ(a_.entries().size(), luettelo.size());
    for (std::size_t i = 0; i < luettelo.size(); ++i) {
        EXPECT_EQ(a_.entries()[i].koko_nimi(), luettelo[i].kansio + luettelo[i].nimi);
        EXPECT_EQ(a_.entries()[i].koko, luettelo[i].data.size());
    }
    a_.CheckCRC = true;
    ASSERT_TRUE(a_.ExtractAll(juuri_ / "kohde"));
    for (const Jasen& j : luettelo) EXPECT_EQ(lue(tiedosto(juuri_ / "kohde", j)), j.data) << j.nimi;
}

INSTANTIATE_TEST_SUITE_P(Tasot, ArkistonTaso,
                         ::testing::Values(TasoTapaus{TZLBCompressionLevel::Maximum, 9, 3},
                                           TasoTapaus{TZLBCompressionLevel::Default, Z_DEFAULT_COMPRESSION, 2},
                                           TasoTapaus{TZLBCompressionLevel::Fastest, 1, 1},
                                           TasoTapaus{TZLBCompressionLevel::None, 0, 0}));

TEST_F(Arkisto, PakkaamatonJasenTallentuuSellaisenaanJaNollatasolla) {
    pakkaa(luettelo);
    const TZLBEntry& kuva = a_.entries()[1];
    EXPECT_TRUE(kuva.raaka);
    EXPECT_EQ(kuva.taso, 0);
    EXPECT_EQ(kuva.pakattu_koko, kuva.koko);
    EXPECT_FALSE(a_.entries()[0].raaka);
    EXPECT_EQ(a_.entries()[0].taso, 3);
    EXPECT_LT(a_.entries()[0].pakattu_koko, a_.entries()[0].koko);
}

TEST_F(Arkisto, LisaysAvattuunArkistoonSailyttaaVanhatJasenetTavuilleen) {
    const std::vector<Jasen> alku(luettelo.begin(), luettelo.begin() + 2);
    const std::vector<Jasen> loppu(luettelo.begin() + 2, luettelo.end());
    const fs::path p = pakkaa(alku);
    for (const Jasen& j : loppu) kirjoita(tiedosto(juuri_, j), j.data);
    ASSERT_TRUE(a_.Open(p));
    ASSERT_TRUE(a_.AddFiles({loppu[0].kansio + loppu[0].nimi, loppu[1].kansio + loppu[1].nimi}, juuri_));
    EXPECT_EQ(lue(p), koodaa(luettelo));
    EXPECT_EQ(a_.entries().size(), luettelo.size());
    // Only the archive is left: the temporary file was renamed over it.
    EXPECT_EQ(std::count_if(fs::directory_iterator(juuri_), fs::directory_iterator(),
                            [](const auto& e) { return e.path().extension() == ".tmp"; }),
              0);
}

TEST_F(Arkisto, RaakanaTallennettuRekisteriLuetaan) {
    ASSERT_TRUE(a_.Open(tallenna(koodaa(luettelo, {.rekisteri_pakattu = false}))));
    ASSERT_EQ(a_.entries().size(), luettelo.size());
    ASSERT_TRUE(a_.Extract("GFX\\KANNET\\KÄÄ.JPG", juuri_ / "kohde"));
    EXPECT_EQ(lue(tiedosto(juuri_ / "kohde", luettelo[2])), luettelo[2].data);
}

TEST_F(Arkisto, KansiotJaSuoratPolutVaihtoehtoina) {
    // Names given with '/' and a drive-letter folder are stored the way the program stores them.
    EXPECT_EQ(zlb_jasenen_kansio("gfx/kannet/a.jpg"), "gfx\\kannet\\");
    EXPECT_EQ(zlb_jasenen_kansio("C:\\Rullakko\\gfx\\a.jpg"), "\\Rullakko\\gfx\\");
    EXPECT_EQ(zlb_jasenen_kansio("avattu.$$$"), "");

    a_.SavePaths = false;
    pakkaa({luettelo[0], luettelo[1]});
    EXPECT_EQ(a_.entries()[1].kansio, "");
    EXPECT_EQ(a_.entries()[1].nimi, "a.jpg");

    ASSERT_TRUE(a_.Open(tallenna(koodaa(luettelo))));
    a_.ExtractWithPath = false;
    ASSERT_TRUE(a_.Extract("gfx\\kannet\\a.jpg", juuri_ / "kohde"));
    EXPECT_EQ(lue(juuri_ / "kohde" / "a.jpg"), luettelo[1].data);
    EXPECT_FALSE(fs::exists(juuri_ / "kohde" / "gfx"));
}

TEST_F(Arkisto, KansionLisaysVainRekursiollaJaTiedostotNimijarjestyksessa) {
    kirjoita(juuri_ / "gfx" / "kannet" / "b.jpg", "bee");
    kirjoita(juuri_ / "gfx" / "kannet" / "a.jpg", "aa");
    kirjoita(juuri_ / "gfx" / "kannet" / "sisalla" / "c.jpg", "cee");
    ASSERT_TRUE(a_.Create(juuri_ / "a.rkb"));
    ASSERT_TRUE(a_.AddFiles({"gfx"}, juuri_));
    EXPECT_TRUE(a_.entries().empty());

    a_.RecursePaths = true;
    ASSERT_TRUE(a_.Create(juuri_ / "b.rkb"));
    ASSERT_TRUE(a_.AddFiles({"gfx"}, juuri_));
    std::vector<std::string> nimet;
    for (const auto& e : a_.entries()) nimet.push_back(e.koko_nimi());
    EXPECT_EQ(nimet, (std::vector<std::string>{"gfx\\kannet\\a.jpg", "gfx\\kannet\\b.jpg", "gfx\\kannet\\sisalla\\c.jpg"}));
}

// ---- Behaviour the loader and saver rely on. ----

TEST_F(Arkisto, SamaNimiKahdestiAntaaKaksiJasentaJaEnsimmainenPuretaan) {
    kirjoita(juuri_ / "x.txt", "ensimmäinen");
    ASSERT_TRUE(a_.Create(juuri_ / "a.rkb"));
    ASSERT_TRUE(a_.AddFiles({"x.txt"}, juuri_));
    kirjoita(juuri_ / "x.txt", "toinen");
    ASSERT_TRUE(a_.AddFiles({"X.TXT"}, juuri_));
    EXPECT_EQ(kirjatut_, std::vector<std::string>{"X.TXT already exists in the archive"});
    ASSERT_EQ(a_.entries().size(), 2u);
    ASSERT_TRUE(a_.Extract("x.txt", juuri_ / "kohde"));
    EXPECT_EQ(lue(juuri_ / "kohde" / "x.txt"), "ensimmäinen");
}

// The program's handler leaves Replace as it is, so nothing on disk is ever overwritten.
TEST_F(Arkisto, KorvauskasittelijaPaattaaOlemassaOlevasta) {
    pakkaa(luettelo);
    const fs::path kansi = tiedosto(juuri_ / "kohde", luettelo[1]);
    struct Tapaus {
        const char* nimi;
        std::function<void(TZLBArchive&, const std::string&, bool&)> kasittelija;
        bool korvataan;
    };
    const Tapaus tapaukset[] = {
        {"ohjelman", [](TZLBArchive&, const std::string&, bool&) {}, false},
        {"korvaava", [](TZLBArchive&, const std::string&, bool& r) { r = true; }, true},
        {"ei käsittelijää", nullptr, true},
    };
    for (const Tapaus& t : tapaukset) {
        fs::remove_all(juuri_ / "kohde");
        kirjoita(kansi, "vanha kansi");
        std::vector<std::string> kysytyt, puretut;
        a_.OnReplaceFile = nullptr;
        if (t.kasittelija)
            a_.OnReplaceFile = [&](TZLBArchive& z, const std::string& n, bool& r) {
                kysytyt.push_back(n);
                t.kasittelija(z, n, r);
            };
        a_.OnFileExtracted = [&](TZLBArchive&, const std::string& n) { puretut.push_back(n); };
        ASSERT_TRUE(a_.ExtractAll(juuri_ / "kohde")) << t.nimi;
        EXPECT_EQ(lue(kansi), t.korvataan ? luettelo[1].data : "vanha kansi") << t.nimi;
        EXPECT_EQ(kysytyt.size(), t.kasittelija ? 1u : 0u) << t.nimi;
        if (!kysytyt.empty()) {
            EXPECT_EQ(kysytyt[0], kansi.string()) << t.nimi;
        }
        EXPECT_EQ(std::count(puretut.begin(), puretut.end(), kansi.string()), t.korvataan ? 1 : 0) << t.nimi;
    }
}

// A file on disk whose name differs from the member's only in letter case is the member's file: the
// program's handler keeps it, and no second file is made beside it, whether the folder is listed by the
// archive (ExtractAll) or by the caller (a listing it keeps for many members).
TEST_F(Arkisto, KirjainkoolleenEroavaTiedostoOnSamaEikaRinnalleSynnyToista) {
    pakkaa(luettelo);
    a_.OnReplaceFile = [](TZLBArchive&, const std::string&, bool&) {};
    const fs::path kannet = juuri_ / "kohde" / "GFX" / "Kannet";
    const auto tiedostot = [&] {
        std::vector<std::string> t;
        for (const auto& e : fs::directory_iterator(kannet)) t.push_back(e.path().filename().string());
        std::sort(t.begin(), t.end());
        return t;
    };
    kirjoita(kannet / "A.JPG", "oma");
    ASSERT_TRUE(a_.ExtractAll(juuri_ / "kohde"));
    EXPECT_EQ(lue(kannet / "A.JPG"), "oma");
    EXPECT_EQ(tiedostot(), (std::vector<std::string>{"A.JPG", merkisto::cp1252_utf8("kää.jpg"), merkisto::cp1252_utf8("tyhjä.jpg")}));

    fs::remove_all(kannet);
    kirjoita(kannet / "A.JPG", "oma");
    Kansiolistaus listaus(kannet, jarjestelman_tiedostot());
    std::vector<std::string> puretut;
    a_.OnFileExtracted = [&](TZLBArchive&, const std::string& n) { puretut.push_back(n); };
    for (std::size_t i : {1, 2, 2}) ASSERT_TRUE(a_.Extract(i, listaus)) << i;
    EXPECT_EQ(lue(kannet / "A.JPG"), "oma");
    EXPECT_EQ(lue(kannet / merkisto::cp1252_utf8("kää.jpg")), luettelo[2].data);
    // The listing learnt the file it made, so the second request found it there.
    EXPECT_TRUE(listaus.tiedosto(merkisto::cp1252_utf8("KÄÄ.JPG")));
    EXPECT_EQ(puretut.size(), 1u);
    EXPECT_EQ(tiedostot(), (std::vector<std::string>{"A.JPG", merkisto::cp1252_utf8("kää.jpg")}));
    EXPECT_EQ(a_.Extract(99, listaus).viesti, "File not found in archive");
}

// A new file is created in place, so a step of the file system that fails must not leave it half written:
// the file goes, the listing does not learn it, the errno comes back, and the next try succeeds.
TEST_F(Arkisto, EpaonnistunutKirjoitusPoistaaSuoraanLuodunTiedoston) {
    const fs::path p = pakkaa(luettelo);
    a_.Close();
    const fs::path kannet = juuri_ / "kohde" / "gfx" / "kannet";
    fs::create_directories(kannet);
    VikaantuvatTiedostot t;
    TZLBArchive b(t);
    ASSERT_TRUE(b.Open(p));
    const std::pair<const char*, std::function<void()>> tapaukset[] = {
        {"levy täynnä", [&] { t.rajoita_tilaa("kannet", 100); }},
        {"luonti kielletty", [&] { t.epaonnistu(VikaantuvatTiedostot::Vaihe::Luo, EACCES, "kannet"); }},
        {"sulkeminen epäonnistuu", [&] { t.epaonnistu(VikaantuvatTiedostot::Vaihe::Sulje, EIO, "kannet"); }},
    };
    const int odotettu[] = {ENOSPC, EACCES, EIO};
    for (std::size_t i = 0; i < std::size(tapaukset); ++i) {
        t.nollaa();
        tapaukset[i].second();
        Kansiolistaus listaus(kannet, t);
        const Tulos r = b.Extract(1, listaus);
        EXPECT_FALSE(r) << tapaukset[i].first;
        EXPECT_EQ(r.syy, odotettu[i]) << tapaukset[i].first;
        EXPECT_FALSE(listaus.tiedosto("a.jpg")) << tapaukset[i].first;
        EXPECT_TRUE(fs::is_empty(kannet)) << tapaukset[i].first;
    }
    t.nollaa();
    t.rajoita_tilaa("kannet", 100);
    EXPECT_FALSE(b.ExtractAll(juuri_ / "kohde"));
    EXPECT_TRUE(fs::is_empty(kannet));
    t.nollaa();
    Kansiolistaus listaus(kannet, t);
    ASSERT_TRUE(b.Extract(1, listaus));
    EXPECT_EQ(lue(kannet / "a.jpg"), luettelo[1].data);
    EXPECT_TRUE(listaus.tiedosto("a.jpg"));
}

// The archive knows whether the file under its name is still the one whose CRC it checked.
TEST_F(Arkisto, TietaaOnkoTiedostoEnnallaan) {
    const fs::path p = pakkaa(luettelo);
    ASSERT_TRUE(a_.ennallaan());
    const auto aika = fs::last_write_time(p);
    fs::last_write_time(p, aika + std::chrono::seconds(1));
    EXPECT_FALSE(a_.ennallaan());
    fs::last_write_time(p, aika);
    EXPECT_TRUE(a_.ennallaan());
    // Another file renamed over it, as a save does: same size and time, another file.
    const std::string tavut = lue(p);
    kirjoita(juuri_ / "uusi.rkb", tavut);
    fs::last_write_time(juuri_ / "uusi.rkb", aika);
    fs::rename(juuri_ / "uusi.rkb", p);
    EXPECT_FALSE(a_.ennallaan());
    fs::remove(p);
    EXPECT_FALSE(a_.ennallaan());
    a_.Close();
    EXPECT_FALSE(a_.ennallaan());
}

// The fast CRC gives zlib's value at every length and alignment around its 16- and 64-byte blocks, and
// when a long run is counted in pieces.
TEST(ArkistonCrc, SamaKuinZlibinKaikillaPituuksilla) {
    const std::string data = satunnainen(5000, 3);
    for (std::size_t alku = 0; alku < 17; ++alku)
        for (std::size_t n = 0; alku + n <= 400; ++n)
            ASSERT_EQ(zlb_crc32(0x12345678, data.data() + alku, n), ::crc32(0x12345678, reinterpret_cast<const Bytef*>(data.data() + alku), static_cast<uInt>(n)))
                << alku << " " << n;
    std::uint32_t paloittain = 0;
    for (std::size_t i = 0; i < data.size(); i += 777) paloittain = zlb_crc32(paloittain, data.data() + i, std::min<std::size_t>(777, data.size() - i));
    EXPECT_EQ(paloittain, crc(data));
    EXPECT_EQ(zlb_crc32(0, data.data(), data.size()), crc(data));
}

// A file that cannot be read, or whose folder does not fit the entry's 255 bytes, is skipped and logged.
TEST_F(Arkisto, OhitettavaTiedostoKirjataanJaMuutLisataan) {
    const std::string pitka = std::string(200, 'k') + "\\" + std::string(100, 'm') + "\\x.jpg";
    kirjoita(juuri_ / std::string(200, 'k') / std::string(100, 'm') / "x.jpg", "x");
    kirjoita(juuri_ / "a.txt", "aa");
    ASSERT_TRUE(a_.Create(juuri_ / "a.rkb"));
    ASSERT_TRUE(a_.AddFiles({"puuttuu.jpg", pitka, "a.txt"}, juuri_));
    EXPECT_EQ(kirjatut_, (std::vector<std::string>{"Unable to open file (puuttuu.jpg)", "File name too long (" + pitka + ")"}));
    ASSERT_EQ(a_.entries().size(), 1u);
    EXPECT_EQ(a_.entries()[0].nimi, "a.txt");
}

// Files are packed as they are read; one that packing does not shrink is read again and stored as it is,
// and a failure in either reading fails the addition without touching the archive already there.
TEST_F(Arkisto, TiedostotPakataanLukiessaJaLukuvirheKeskeyttaa) {
    const std::vector<Jasen> jasenet = {{"", "iso.txt", tekstia(3000000)}, {"", "kohina.jpg", satunnainen(400000, 7)},
                                        {"", "tyhja.txt", ""}};
    const fs::path p = pakkaa(jasenet, "iso.rkb");
    ASSERT_EQ(a_.entries().size(), 3u);
    EXPECT_FALSE(a_.entries()[0].raaka);
    EXPECT_TRUE(a_.entries()[1].raaka);
    EXPECT_TRUE(a_.entries()[2].raaka);
    a_.CheckCRC = true;
    ASSERT_TRUE(a_.ExtractAll(juuri_ / "kohde"));
    for (const Jasen& j : jasenet) EXPECT_TRUE(lue(juuri_ / "kohde" / j.nimi) == j.data) << j.nimi;
    a_.Close();

    const std::string ennen = lue(p);
    // Reads of 64 kB: the big text takes 47 reads, the noise 8 and then 7 more when it is copied as it is.
    struct Tapaus {
        const char* nimi;
        int ohita;
        bool kesken;
    };
    for (const auto& [nimi, ohita, kesken] : {Tapaus{"iso.txt", 0, false}, Tapaus{"iso.txt", 46, false},
                                              Tapaus{"kohina.jpg", 3, false}, Tapaus{"kohina.jpg", 8, true},
                                              Tapaus{"kohina.jpg", 10, true}}) {
        {
            VikaantuvatTiedostot t;
            t.epaonnistu(VikaantuvatTiedostot::Vaihe::Lue, EIO, nimi, ohita);
            TZLBArchive a(t);
            ASSERT_TRUE(a.Open(p));
            const Tulos tulos = a.AddFiles({nimi}, juuri_);
            EXPECT_EQ(tulos.onnistui(), !kesken) << nimi << " " << ohita;
            if (tulos) {
                ASSERT_EQ(a.ohitetut().size(), 1u);
                EXPECT_EQ(a.ohitetut()[0].second, EIO);
                EXPECT_EQ(a.entries().size(), 3u);
            }
            a.Close();
            EXPECT_TRUE(lue(p) == ennen) << nimi << " " << ohita;
        }
    }
}

TEST_F(Arkisto, TapahtumatAvauksestaJaEdistymisesta) {
    int avattu = 0;
    std::vector<std::pair<std::string, int>> edistys;
    a_.OnArchiveOpened = [&](TZLBArchive&) { ++avattu; };
    a_.OnProgress = [&](TZLBArchive&, const std::string& t, int p) { edistys.emplace_back(t, p); };
    const fs::path p = pakkaa({{"", "iso.txt", tekstia(300000)}});
    EXPECT_EQ(avattu, 2);  // Create, then the reopening after the write
    ASSERT_TRUE(a_.Extract("iso.txt", juuri_ / "kohde"));
    for (const auto& [teksti, prosentti] : edistys) {
        EXPECT_GE(prosentti, 0);
        EXPECT_LE(prosentti, 100);
    }
    // Big members report on the way, and every phase ends at 100.
    const auto viimeinen = [&](const std::string& teksti, int vahintaan) {
        int p = -1, kerrat = 0;
        for (const auto& [t, pr] : edistys)
            if (t == teksti) p = pr, ++kerrat;
        EXPECT_GE(kerrat, vahintaan) << teksti;
        return p;
    };
    EXPECT_EQ(viimeinen("Updating iso.txt", 3), 100);
    EXPECT_EQ(viimeinen("Extracting iso.txt", 3), 100);
    EXPECT_EQ(viimeinen("Writing archive registry", 1), 100);
    EXPECT_EQ(viimeinen("Extracting archive registry", 1), 100);
}

// ---- Failures, each with its text. ----

TEST_F(Arkisto, KaytonVirheet) {
    EXPECT_EQ(a_.Open(juuri_ / "ei_ole.rkb").viesti, "Archive file not found");
    EXPECT_EQ(a_.Open("").viesti, "Archive file not found");
    EXPECT_FALSE(a_.auki());
    EXPECT_EQ(a_.Extract("a", juuri_).viesti, "No archive is currently open");
    EXPECT_EQ(a_.ExtractAll(juuri_).viesti, "No archive is currently open");
    EXPECT_EQ(a_.AddFiles({"a"}, juuri_).viesti, "No archive is currently open");

    const fs::path p = pakkaa(luettelo);
    const std::string ennen = lue(p);
    EXPECT_EQ(a_.Create(p).viesti, "File already exists");
    EXPECT_FALSE(a_.auki());
    EXPECT_EQ(lue(p), ennen);

    ASSERT_TRUE(a_.Open(p));
    EXPECT_EQ(a_.Extract("gfx\\a.jpg", juuri_ / "kohde").viesti, "File not found in archive");
    EXPECT_EQ(a_.Open(juuri_ / "kohde").viesti, "Unable to open file (" + (juuri_ / "kohde").string() + ")");

    ASSERT_TRUE(a_.Open(p));
    kirjoita(juuri_ / "kohde" / "gfx", "tiedosto kansion paikalla");
    EXPECT_EQ(a_.Extract("gfx\\kannet\\a.jpg", juuri_ / "kohde").viesti, "Unable to create destination path");
}

TEST_F(Arkisto, MikaTahansaMuutettuTavuTaiLyhytTiedostoOnVioittunut) {
    const std::string hyva = koodaa({{"", "a.txt", "hei"}, {"k\\", "b.txt", tekstia(300)}});
    for (std::size_t i = 0; i + 36 < hyva.size(); ++i) {
        std::string t = hyva;
        t[i] ^= 0x01;
        ASSERT_EQ(a_.Open(tallenna(t)).viesti, "The archive file appears to be corrupted") << "tavu " << i;
        EXPECT_FALSE(a_.auki());
        // Opened with the check left for later, the damage shows in the check if not already in the registry.
        const Tulos avaus = a_.Open(juuri_ / "k.rkb", false);
        const Tulos tarkistus = avaus ? a_.tarkista_tiedosto() : avaus;
        EXPECT_EQ(tarkistus.viesti, "The archive file appears to be corrupted") << "tavu " << i;
    }
    for (std::size_t n = 0; n < 36; ++n)
        EXPECT_EQ(a_.Open(tallenna(hyva.substr(hyva.size() - n))).viesti, "The archive file appears to be corrupted")
            << n << " tavua";
}

// A trailer whose CRC matches but whose registry fields do not fit the file.
TEST_F(Arkisto, RekisteriJokaEiMahduTiedostoonHylataan) {
    const std::vector<Jasen> j = {{"", "a.txt", "hei"}, {"", "b.txt", "moi"}};
    const std::pair<const char*, std::function<void(std::string&)>> tapaukset[] = {
        {"negatiivinen määrä", [](std::string& t) { le32(t, 4, 0xFFFFFFFF); }},
        {"valtava määrä", [](std::string& t) { le32(t, 4, 0x7FFFFFFF); }},
        {"määrä yhtä suurempi", [](std::string& t) { le32(t, 4, 3); }},
        {"määrä yhtä pienempi", [](std::string& t) { le32(t, 4, 1); }},
        {"koko yli tiedoston", [](std::string& t) { le32(t, 12, 0x7FFFFFF0); }},
        {"sijainti yli tiedoston", [](std::string& t) { le32(t, 16, 0x7FFFFFF0); }},
        {"negatiivinen sijainti", [](std::string& t) { le32(t, 16, 0xFFFFFFF0); }},
        {"rekisteri katkaistu", [](std::string& t) { le32(t, 12, 10); }},
        {"tuntematon pakkausmerkki", [](std::string& t) { t[20] = 2; }},
        {"raaka eikä pakattu", [](std::string& t) { t[20] = 0; }},
    };
    for (const auto& [nimi, muuta] : tapaukset) {
        EXPECT_EQ(a_.Open(tallenna(koodaa(j, {.muuta_traileri = muuta}))).viesti, "Unable to read archive file list") << nimi;
        EXPECT_FALSE(a_.auki()) << nimi;
        EXPECT_TRUE(a_.entries().empty()) << nimi;
    }
}

// Members that would land outside the destination are refused before anything is created.
TEST_F(Arkisto, JasenEiPaaseKohdekansionUlkopuolelle) {
    const std::pair<std::string, std::string> tapaukset[] = {
        {"..\\", "ulos.txt"},
        {"gfx\\..\\..\\", "ulos.txt"},
        {"../", "ulos.txt"},
        {"C:\\", "ulos.txt"},
        {"kansio\\c:\\", "ulos.txt"},
        {"", ".."},
        {"", "."},
        {"", ""},
        {"", "..\\ulos.txt"},
        {"", "../ulos.txt"},
        {"", "/tmp/ulos.txt"},
        {"", std::string("ulos.txt\0x", 10)},
        {std::string("a\0/..\\..\\", 9), "ulos.txt"},
    };
    for (const auto& [kansio, nimi] : tapaukset) {
        ASSERT_TRUE(a_.Open(tallenna(koodaa({{kansio, nimi, "paha"}}))));
        EXPECT_EQ(a_.ExtractAll(juuri_ / "kohde" / "syva").viesti, "Unable to create destination path") << kansio << nimi;
    }
    EXPECT_EQ(kaikki_tiedostot(), (std::vector<std::string>{"k.rkb", "kohde"}));

    // What is left of "C:\x\" after the writer drops the drive starts at the destination.
    ASSERT_TRUE(a_.Open(tallenna(koodaa({{"\\etc\\", "a.txt", "x"}, {"/\\tmp/", "b.txt", "y"}}))));
    ASSERT_TRUE(a_.ExtractAll(juuri_ / "kohde"));
    EXPECT_EQ(lue(juuri_ / "kohde" / "etc" / "a.txt"), "x");
    EXPECT_EQ(lue(juuri_ / "kohde" / "tmp" / "b.txt"), "y");
}

// Member entries whose sizes or data do not fit: the member's index in the text, and neither a partial
// file nor a changed one left behind.
TEST_F(Arkisto, RikkinainenJasenIlmoitetaanIndeksillaanEikaJataJalkia) {
    const std::vector<Jasen> j = {{"", "a.txt", "hyvä"}, {"", "b.txt", tekstia(50000)}};
    using Muutos = std::function<void(std::string&, std::size_t)>;
    const auto entrylle = [](std::function<void(std::string&)> f) {
        return Koodaus{.muuta_entry = [f](std::string& e, std::size_t i) {
            if (i == 1) f(e);
        }};
    };
    const std::pair<const char*, Koodaus> tapaukset[] = {
        {"data rekisterin päällä", entrylle([](std::string& e) { le32(e, 520, 1000000); })},
        {"tallennettu koko liian suuri", entrylle([](std::string& e) { le32(e, 516, 0xFFFFFFF0); })},
        {"purettu koko liian suuri", entrylle([](std::string& e) { le32(e, 512, 50001); })},
        {"purettu koko liian pieni", entrylle([](std::string& e) { le32(e, 512, 49999); })},
        {"pommi: purettu koko valtava", entrylle([](std::string& e) { le32(e, 512, 0xFFFFFFFF); })},
        {"raaka eri kokoinen", entrylle([](std::string& e) { e[528] = 1; })},
        {"pakattu data vioittunut",
         Koodaus{.muuta_data = Muutos([](std::string& d, std::size_t i) {
                     if (i == 1) d[d.size() / 2] ^= 0x55;
                 })}},
        {"pakattu data katkeaa", entrylle([](std::string& e) { le32(e, 516, 100); })},
    };
    for (const auto& [nimi, koodaus] : tapaukset) {
        fs::remove_all(juuri_ / "kohde");
        kirjoita(juuri_ / "kohde" / "b.txt", "vanha");
        ASSERT_TRUE(a_.Open(tallenna(koodaa(j, koodaus)))) << nimi;
        EXPECT_EQ(a_.ExtractAll(juuri_ / "kohde").viesti, "File (1) is corrupt") << nimi;
        EXPECT_EQ(a_.Extract("b.txt", juuri_ / "kohde").viesti, "File (1) is corrupt") << nimi;
        EXPECT_EQ(taustalla(1).viesti, "File (1) is corrupt") << nimi;
        EXPECT_EQ(lue(juuri_ / "kohde" / "a.txt"), "hyvä") << nimi;
        EXPECT_EQ(lue(juuri_ / "kohde" / "b.txt"), "vanha") << nimi;
        EXPECT_EQ(std::distance(fs::directory_iterator(juuri_ / "kohde"), fs::directory_iterator()), 2) << nimi;
    }
}

// A member unpacked on its own thread: the same bytes as unpacked in memory, the spare bytes after it NUL,
// and handed over in pieces that only grow.
TEST_F(Arkisto, TaustallaPurettuOnSamaKuinMuistiin) {
    std::vector<Jasen> jasenet = luettelo;
    jasenet.push_back({"", "iso.txt", tekstia(5000000)});
    pakkaa(jasenet);
    for (std::size_t i = 0; i < a_.entries().size(); ++i) {
        std::string muistiin;
        ASSERT_TRUE(a_.lue_jasen(i, muistiin));
        std::unique_ptr<Jasenvirta> v;
        ASSERT_TRUE(a_.pura_taustalla(i, v, 16));
        std::size_t valmiina = 0;
        while (valmiina < v->koko()) {
            const std::size_t nyt = v->odota(valmiina);
            ASSERT_GT(nyt, valmiina);
            valmiina = nyt;
        }
        EXPECT_TRUE(v->tulos());
        ASSERT_EQ(v->koko(), muistiin.size());
        EXPECT_TRUE(std::string_view(v->data(), v->koko()) == muistiin) << a_.entries()[i].nimi;
        EXPECT_EQ(std::string_view(v->data() + v->koko(), 16), std::string(16, '\0'));
    }
    // Dropped half-way, it stops without waiting for the rest.
    std::unique_ptr<Jasenvirta> kesken;
    ASSERT_TRUE(a_.pura_taustalla(a_.entries().size() - 1, kesken));
    kesken->odota(0);
    kesken.reset();
}

TEST_F(Arkisto, CrcTarkistusVainPyydettaessa) {
    const Koodaus vaara_crc{.muuta_entry = [](std::string& e, std::size_t i) {
        if (i == 1) e[524] ^= 1;
    }};
    ASSERT_TRUE(a_.Open(tallenna(koodaa({{"", "a.txt", "a"}, {"", "b.txt", "b"}}, vaara_crc))));
    ASSERT_TRUE(a_.ExtractAll(juuri_ / "kohde"));
    fs::remove_all(juuri_ / "kohde");
    a_.CheckCRC = true;
    EXPECT_EQ(a_.Extract("b.txt", juuri_ / "kohde").viesti, "File (1) failed CRC check");
    EXPECT_EQ(a_.ExtractAll(juuri_ / "kohde").viesti, "File (1) is corrupt");
    EXPECT_FALSE(fs::exists(juuri_ / "kohde" / "b.txt"));
    EXPECT_EQ(taustalla(1).viesti, "File (1) failed CRC check");
    a_.CheckCRC = false;
    EXPECT_TRUE(taustalla(1));
}

// Inputs kept from fuzzing, run as the fuzz target runs them: any input that ever crashes the reader
// or lets a member out of its folder is added to this folder.
TEST_F(Arkisto, FuzzauksenSyotteet) {
    const fs::path kansio = fs::path(RULLAKKO_SOURCE_DIR) / "storage" / "testdata" / "zlbarkisto";
    ASSERT_TRUE(fs::is_directory(kansio));
    int maara = 0;
    for (const auto& e : fs::directory_iterator(kansio)) {
        const std::string tavut = lue(e.path());
        fs::remove_all(juuri_);
        fs::create_directories(juuri_);
        aja_arkistotapaus(reinterpret_cast<const std::uint8_t*>(tavut.data()), tavut.size(), juuri_);
        for (const auto& f : fs::recursive_directory_iterator(juuri_)) {
            const std::string n = f.path().lexically_relative(juuri_).string();
            EXPECT_TRUE(n == "tapaus.rkb" || n.rfind("kohde", 0) == 0) << e.path().filename() << ": " << n;
        }
        ++maara;
    }
    EXPECT_GT(maara, 0);
}

}  // namespace
