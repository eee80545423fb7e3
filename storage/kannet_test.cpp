#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <random>

#include "diag/loki.h"
#include "perus/tiedostot.h"
#include "settings/asetukset.h"
#include "storage/kuvakoodekki.h"
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"
#include "testituki/testitila.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

RgbKuva kohina(int w, int h, unsigned siemen) {
    RgbKuva k;
    k.leveys = w;
    k.korkeus = h;
    k.rgb.resize(static_cast<std::size_t>(w) * h * 3);
    std::mt19937 r(siemen);
    for (auto& b : k.rgb) b = static_cast<unsigned char>(r());
    return k;
}

// A GIF of w x h pixels: noise over the 256-colour palette, or one flat colour.
void tee_gif(const fs::path& p, int w, int h, bool kohinaa) {
    int virhe = 0;
    GifFileType* g = EGifOpenFileName(p.c_str(), false, &virhe);
    ASSERT_NE(g, nullptr);
    const int varit = kohinaa ? 256 : 2;
    ColorMapObject* kartta = GifMakeMapObject(varit, nullptr);
    for (int i = 0; i < varit; ++i) kartta->Colors[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i), 40};
    EGifPutScreenDesc(g, w, h, kohinaa ? 8 : 1, 0, kartta);
    EGifPutImageDesc(g, 0, 0, w, h, false, nullptr);
    std::mt19937 r(7);
    std::vector<GifPixelType> rivi(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (auto& px : rivi) px = kohinaa ? static_cast<GifPixelType>(r()) : 1;
        EGifPutLine(g, rivi.data(), w);
    }
    GifFreeMapObject(kartta);
    EGifCloseFile(g, &virhe);
}

using Kannet = Testitila;

TEST_F(Kannet, UusiNimiKahdeksanNumeroa1_8JaVapaa) {
    TOmaList l;
    l.lisaa_uusi().cover_fn = "gfx\\kannet\\12345678.jpg";
    for (int i = 0; i < 2000; ++i) {
        const std::string n = uusi_kansikuvan_nimi(l);
        ASSERT_EQ(n.size(), 8u);
        ASSERT_EQ(n.find_first_not_of("12345678"), std::string::npos) << n;
        ASSERT_NE(n, "12345678");
    }
}

TEST_F(Kannet, PoistaKannetSaastaaEiKuvaaJaKansiot) {
    kirjoita("gfx\\kannet\\ei_kuvaa.gif", "g");
    kirjoita("gfx\\kannet\\11111111.jpg", "j");
    kirjoita("gfx\\kannet\\EI_KUVAA.GIF", "toinen");
    fs::create_directories(polku("gfx\\kannet") / "alikansio");
    poista_kannet(*kansio_);
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\ei_kuvaa.gif")));
    EXPECT_FALSE(fs::exists(juuri_ / "gfx" / "kannet" / "11111111.jpg"));
    EXPECT_FALSE(fs::exists(juuri_ / "gfx" / "kannet" / "EI_KUVAA.GIF"));
    EXPECT_TRUE(fs::is_directory(polku("gfx\\kannet") / "alikansio"));
}

TEST_F(Kannet, MuunnaJpgPuolittaaVainKorkeat) {
    struct Tapaus {
        int w, h;
        bool puolita;
        int odotettu_w, odotettu_h;
    };
    const std::vector<Tapaus> tapaukset = {
        {300, 500, true, 150, 250}, {300, 420, true, 300, 420}, {300, 422, true, 150, 211}, {300, 500, false, 300, 500}};
    for (const Tapaus& t : tapaukset) {
        TKortti& k = tk_.kortit.lisaa_uusi();
        k.cover_fn = "gfx\\kannet\\k" + std::to_string(tk_.kortit.Count()) + ".jpg";
        // Saved at full quality so that the conversion at 60 comes out smaller and replaces it.
        ASSERT_TRUE(kirjoita_jpeg(jarjestelman_tiedostot(), polku(k.cover_fn), kohina(t.w, t.h, 1), 100));
    }
    muunna_kannet_jpg(60, true, varasto());
    for (std::size_t i = 0; i < tapaukset.size(); ++i) {
        if (!tapaukset[i].puolita) continue;
        RgbKuva k;
        ASSERT_TRUE(lue_jpeg(jarjestelman_tiedostot(), polku(tk_.kortit[static_cast<int>(i) + 1].cover_fn), k));
        EXPECT_EQ(k.leveys, tapaukset[i].odotettu_w) << i;
        EXPECT_EQ(k.korkeus, tapaukset[i].odotettu_h) << i;
        EXPECT_FALSE(fs::exists(polku(tk_.kortit[static_cast<int>(i) + 1].cover_fn + "$$")));
    }
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(Kannet, MuunnaGifJpegiksiVainKunPienenee) {
    TKortti& tasainen = tk_.kortit.lisaa_uusi();
    tasainen.cover_fn = "gfx\\kannet\\Tasainen.GIF";
    tee_gif(polku(tasainen.cover_fn), 40, 40, false);
    TKortti& kirjava = tk_.kortit.lisaa_uusi();
    kirjava.cover_fn = "gfx\\kannet\\Kirjava.gif";
    tee_gif(polku(kirjava.cover_fn), 300, 500, true);
    TKortti& muu = tk_.kortit.lisaa_uusi();
    muu.cover_fn = "gfx\\kannet\\kuva.png";
    kirjoita(muu.cover_fn, "png");

    muunna_kannet_jpg(10, true, varasto());
    // A flat GIF is smaller than any JPEG of it: it stays.
    EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\Tasainen.GIF");
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\Tasainen.GIF")));
    // A noisy GIF at quality 10 becomes a smaller JPEG with the lower-case .jpg name, halved.
    EXPECT_EQ(tk_.kortit[2].cover_fn, "gfx\\kannet\\kirjava.jpg");
    EXPECT_FALSE(fs::exists(juuri_ / "gfx" / "kannet" / "Kirjava.gif"));
    RgbKuva k;
    ASSERT_TRUE(lue_jpeg(jarjestelman_tiedostot(), polku("gfx\\kannet\\kirjava.jpg"), k));
    EXPECT_EQ(k.leveys, 150);
    EXPECT_EQ(k.korkeus, 250);
    EXPECT_EQ(tk_.kortit[3].cover_fn, "gfx\\kannet\\kuva.png");
}

// The names in gfx\kannet\, sorted.
std::vector<std::string> kansion_tiedostot(const fs::path& kansio) {
    std::vector<std::string> nimet;
    for (const auto& e : fs::directory_iterator(kansio)) nimet.push_back(e.path().filename().string());
    std::sort(nimet.begin(), nimet.end());
    return nimet;
}

std::string tiedoston_sisalto(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(lue_koko_tiedosto(jarjestelman_tiedostot(), p, s));
    return s;
}

// Covers that cannot be unpacked, for whatever reason, give one box that counts them and names the first
// few with the reason; every one of them is in the debug log, and the others are unpacked.
TEST_F(Kannet, AvaaKaikkiKannetKertooEpaonnistuneetYhdellaViestilla) {
    const fs::path lahde = juuri_ / "lahde";
    fs::create_directories(lahde / "gfx" / "kannet");
    std::vector<std::string> jasenet;
    for (const char* n : {"k1.jpg", "k2.jpg", "k3.jpg"}) {
        std::ofstream(lahde / "gfx" / "kannet" / n) << "kuva " << n;
        jasenet.push_back(std::string("gfx\\kannet\\") + n);
    }
    {
        TZLBArchive zip(jarjestelman_tiedostot());
        ASSERT_TRUE(zip.Create(polku("oma.rkb")));
        ASSERT_TRUE(zip.AddFiles(jasenet, lahde));
    }
    // k2 meets a full disk, k4 to k9 are not in the file (k4 on two cards), one name points outside the folder.
    for (const std::string n : {"k1", "k2", "k3", "k4", "k4", "k5", "k6", "k7", "k8", "k9"})
        tk_.kortit.lisaa_uusi().cover_fn = "gfx\\kannet\\" + n + ".jpg";
    tk_.kortit.lisaa_uusi().cover_fn = "gfx\\kannet\\..\\asetukset.ini";
    tk_.tiedosto = "oma.rkb";
    VikaantuvatTiedostot tj;
    tj.epaonnistu(VikaantuvatTiedostot::Vaihe::Luo, ENOSPC, "k2.jpg");
    Varasto v = varasto(tj);
    diag::loki().nollaa();

    avaa_kaikki_kannet(false, v);
    EXPECT_EQ(kansion_tiedostot(juuri_ / "gfx" / "kannet"), (std::vector<std::string>{"k1.jpg", "k3.jpg"}));
    EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{
                                      "Virhe #9912: Kaikkia kansikuvia ei voitu purkaa (8 kpl):\n"
                                      "gfx\\kannet\\k2.jpg: levy on täynnä\n"
                                      "gfx\\kannet\\k4.jpg: kuvaa ei ole tietokantatiedostossa\n"
                                      "gfx\\kannet\\k5.jpg: kuvaa ei ole tietokantatiedostossa\n"
                                      "gfx\\kannet\\k6.jpg: kuvaa ei ole tietokantatiedostossa\n"
                                      "gfx\\kannet\\k7.jpg: kuvaa ei ole tietokantatiedostossa\n"
                                      "… ja 3 muuta (kaikki on kirjattu debug-lokiin)."});
    std::vector<std::string> lokissa;
    for (const std::string& r : diag::loki().rivit())
        if (const auto i = r.find("gfx\\kannet\\"); i != std::string::npos) lokissa.push_back(r.substr(i));
    EXPECT_EQ(lokissa, (std::vector<std::string>{
                           "gfx\\kannet\\k2.jpg: levy on täynnä", "gfx\\kannet\\k4.jpg: kuvaa ei ole tietokantatiedostossa",
                           "gfx\\kannet\\k5.jpg: kuvaa ei ole tietokantatiedostossa",
                           "gfx\\kannet\\k6.jpg: kuvaa ei ole tietokantatiedostossa",
                           "gfx\\kannet\\k7.jpg: kuvaa ei ole tietokantatiedostossa",
                           "gfx\\kannet\\k8.jpg: kuvaa ei ole tietokantatiedostossa",
                           "gfx\\kannet\\k9.jpg: kuvaa ei ole tietokantatiedostossa",
                           "gfx\\kannet\\..\\asetukset.ini: nimi osoittaa kansikuvakansion ulkopuolelle"}));

    // Once everything is there, nothing is said.
    viestit_.naytetyt.clear();
    tj.nollaa();
    for (int i = 4; i <= 11; ++i) tk_.kortit[i].cover_fn.clear();
    avaa_kaikki_kannet(false, v);
    EXPECT_EQ(tiedoston_sisalto(juuri_ / "gfx" / "kannet" / "k2.jpg"), "kuva k2.jpg");
    EXPECT_TRUE(viestit_.naytetyt.empty());
    diag::loki().nollaa();
}

// Whichever step of writing a converted cover fails, the card keeps its cover name and the file its bytes,
// no half-written file is left, and the user is told once with the reason.
TEST_F(Kannet, MuunnaJpgEpaonnistunutKirjoitusEiHukkaaKansia) {
    using V = VikaantuvatTiedostot::Vaihe;
    struct Tapaus {
        V vaihe;
        int virhe;
    };
    const fs::path kannet = juuri_ / "gfx" / "kannet";
    for (const Tapaus t : {Tapaus{V::Lue, EIO}, Tapaus{V::Luo, EACCES}, Tapaus{V::Kirjoita, ENOSPC},
                           Tapaus{V::Synkronoi, EIO}, Tapaus{V::Nimea, EROFS}}) {
        SCOPED_TRACE(t.virhe);
        tk_.kortit.tyhjenna();
        viestit_.naytetyt.clear();
        fs::remove_all(kannet);
        fs::create_directories(kannet);
        tk_.kortit.lisaa_uusi().cover_fn = "gfx\\kannet\\Iso.jpg";
        ASSERT_TRUE(kirjoita_jpeg(jarjestelman_tiedostot(), kannet / "Iso.jpg", kohina(300, 500, 3), 100));
        tk_.kortit.lisaa_uusi().cover_fn = "gfx\\kannet\\Kirjava.gif";
        tee_gif(kannet / "Kirjava.gif", 300, 500, true);
        const std::string jpg = tiedoston_sisalto(kannet / "Iso.jpg");
        const std::string gif = tiedoston_sisalto(kannet / "Kirjava.gif");

        VikaantuvatTiedostot tj;
        tj.epaonnistu(t.vaihe, t.virhe, "kannet");
        Varasto v = varasto(tj);
        muunna_kannet_jpg(10, true, v);

        EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\Iso.jpg");
        EXPECT_EQ(tk_.kortit[2].cover_fn, "gfx\\kannet\\Kirjava.gif");
        EXPECT_EQ(kansion_tiedostot(kannet), (std::vector<std::string>{"Iso.jpg", "Kirjava.gif"}));
        EXPECT_EQ(tiedoston_sisalto(kannet / "Iso.jpg"), jpg);
        EXPECT_EQ(tiedoston_sisalto(kannet / "Kirjava.gif"), gif);
        const std::string syy = jarjestelman_syy(t.virhe);
        EXPECT_EQ(viestit_.tekstit(), std::vector<std::string>{
                                          "Kaikkia kansikuvia ei voitu muuntaa JPEG-muotoon (2 kpl):\n"
                                          "gfx\\kannet\\Iso.jpg: " + syy + "\ngfx\\kannet\\Kirjava.gif: " + syy +
                                          "\nNiiden kortit säilyttävät alkuperäisen kansikuvansa."});
    }
    diag::loki().nollaa();
}

// Cards that share a GIF all move to its JPEG; a GIF whose JPEG name another file already has stays a GIF,
// and that file is not touched.
TEST_F(Kannet, MuunnaJpgJaettuKansiJaVarattuNimi) {
    const fs::path kannet = juuri_ / "gfx" / "kannet";
    tee_gif(kannet / "Jaettu.gif", 300, 500, true);
    tee_gif(kannet / "varattu.gif", 300, 500, true);
    kirjoita("gfx\\kannet\\VARATTU.JPG", "toisen kortin kansi");
    for (const char* n : {"gfx\\kannet\\Jaettu.gif", "gfx\\kannet\\JAETTU.GIF", "gfx\\kannet\\varattu.gif",
                          "gfx\\kannet\\VARATTU.JPG"})
        tk_.kortit.lisaa_uusi().cover_fn = n;

    muunna_kannet_jpg(10, false, varasto());
    EXPECT_EQ(tk_.kortit[1].cover_fn, "gfx\\kannet\\jaettu.jpg");
    EXPECT_EQ(tk_.kortit[2].cover_fn, "gfx\\kannet\\jaettu.jpg");
    EXPECT_EQ(tk_.kortit[3].cover_fn, "gfx\\kannet\\varattu.gif");
    EXPECT_EQ(tk_.kortit[4].cover_fn, "gfx\\kannet\\VARATTU.JPG");
    EXPECT_EQ(kansion_tiedostot(kannet), (std::vector<std::string>{"VARATTU.JPG", "jaettu.jpg", "varattu.gif"}));
    EXPECT_EQ(lue("gfx\\kannet\\VARATTU.JPG"), "toisen kortin kansi");
    EXPECT_TRUE(viestit_.naytetyt.empty());
    diag::loki().nollaa();
}

// An open with covers takes over the files of the covers open before (and those a crash left aside), so
// the folder ends up holding exactly the new catalogue's covers with exactly the new bytes, whether the
// files could be taken over or had to be deleted and made anew.
TEST_F(Kannet, AvausKayttaaEdellisenKansienTiedostot) {
    const fs::path kannet = juuri_ / "gfx" / "kannet";
    const fs::path lahde = juuri_ / "lahde";
    fs::create_directories(lahde / "gfx" / "kannet");
    TOmaList l;
    std::vector<std::string> jasenet{"avattu.$$$"};
    for (const std::string n : {"a", "b", "yhteinen", "vanha3"}) {
        TKortti& k = l.lisaa_uusi();
        k.nimi = n;
        k.kasetilla = "1";
        k.cover_fn = "gfx\\kannet\\" + n + ".jpg";
        if (n == "vanha3") continue;  // named by a card but not in the file
        std::ofstream(lahde / "gfx" / "kannet" / (n + ".jpg")) << "uusi " << n;
        jasenet.push_back(k.cover_fn);
    }
    std::string runko;
    kirjoita_runko(l, runko);
    std::ofstream(lahde / "avattu.$$$", std::ios::binary) << runko;
    {
        TZLBArchive zip(jarjestelman_tiedostot());
        ASSERT_TRUE(zip.Create(polku("oma.rkb")));
        ASSERT_TRUE(zip.AddFiles(jasenet, lahde));
    }
    TAsetukset asetukset;
    asetukset.notify_enabled = false;
    for (const bool nimeaminen_onnistuu : {true, false}) {
        SCOPED_TRACE(nimeaminen_onnistuu);
        fs::remove_all(kannet);
        fs::create_directories(kannet / ".kierratettavat");
        // Files shorter than the new covers are written over, a longer one never (its tail would remain).
        for (const char* n : {"vanha1.jpg", "vanha3.jpg", "EI_KUVAA.GIF", "yhteinen.jpg"}) std::ofstream(kannet / n) << "v";
        std::ofstream(kannet / "vanha2.jpg") << std::string(100, 'v');
        std::ofstream(kannet / ".kierratettavat" / "jaanne.jpg") << "k";
        std::ofstream(kannet / "ei_kuvaa.gif") << "GIF89a";
        VikaantuvatTiedostot tj;
        if (!nimeaminen_onnistuu) tj.epaonnistu(VikaantuvatTiedostot::Vaihe::Nimea, EXDEV);
        tk_.tyhjenna();
        Varasto v = varasto(tj);
        v.asetukset = &asetukset;

        ASSERT_TRUE(lue_tietueet("oma.rkb", false, false, tk_.kortit, v));
        EXPECT_EQ(kansion_tiedostot(kannet), (std::vector<std::string>{"a.jpg", "b.jpg", "ei_kuvaa.gif", "yhteinen.jpg"}));
        EXPECT_EQ(lue("gfx\\kannet\\a.jpg"), "uusi a");
        EXPECT_EQ(lue("gfx\\kannet\\b.jpg"), "uusi b");
        EXPECT_EQ(lue("gfx\\kannet\\yhteinen.jpg"), "uusi yhteinen");
        ASSERT_EQ(tk_.kortit.korttien_maara(), 4);
        EXPECT_EQ(tk_.kortit[3].cover_fn, "gfx\\kannet\\yhteinen.jpg");
        EXPECT_EQ(tk_.kortit[4].cover_fn, "");  // its old file is gone with the catalogue open before
        EXPECT_TRUE(viestit_.naytetyt.empty());
    }
}

TEST(Kuvakoodekki, PuolitusKeskiarvoistaaJaRikkinainenKuvaEiKaada) {
    RgbKuva k;
    k.leveys = 2;
    k.korkeus = 2;
    k.rgb = {0, 0, 0, 255, 255, 255, 100, 0, 0, 0, 100, 0};
    const RgbKuva p = puolita(k);
    ASSERT_EQ(p.rgb.size(), 3u);
    EXPECT_EQ(p.rgb[0], (0 + 255 + 100 + 0 + 2) / 4);
    EXPECT_EQ(p.rgb[1], (0 + 255 + 0 + 100 + 2) / 4);

    const testituki::Tilapainen_kansio kansio("rikki");
    const fs::path rikki = kansio / "rikki";
    for (const std::string& sisalto : {std::string("\xff\xd8\xff\xe0 ei jpeg"), std::string("GIF89a\x10\x00"), std::string()}) {
        std::ofstream(rikki, std::ios::binary) << sisalto;
        RgbKuva x;
        EXPECT_FALSE(lue_jpeg(jarjestelman_tiedostot(), rikki, x));
        EXPECT_FALSE(lue_gif(jarjestelman_tiedostot(), rikki, x));
    }
}


// A progressive JPEG of w x h noise pixels, made in memory.
std::string progressiivinen_jpeg(int w, int h) {
    const RgbKuva k = kohina(w, h, 3);
    jpeg_compress_struct c{};
    jpeg_error_mgr virheet{};
    c.err = jpeg_std_error(&virheet);
    jpeg_create_compress(&c);
    unsigned char* puskuri = nullptr;
    unsigned long koko = 0;
    jpeg_mem_dest(&c, &puskuri, &koko);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW rivi = const_cast<unsigned char*>(k.rgb.data()) + static_cast<std::size_t>(c.next_scanline) * w * 3;
        jpeg_write_scanlines(&c, &rivi, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string t(reinterpret_cast<const char*>(puskuri), koko);
    std::free(puskuri);
    return t;
}

// Where the marker `merkki` starts, scanning the segments from the start of the file.
std::size_t merkin_kohta(const std::string& j, unsigned char merkki) {
    for (std::size_t i = 2; i + 4 <= j.size();) {
        if (static_cast<unsigned char>(j[i + 1]) == merkki) return i;
        i += 2 + (static_cast<unsigned char>(j[i + 2]) << 8 | static_cast<unsigned char>(j[i + 3]));
    }
    return std::string::npos;
}

// Runs `koe` in a child whose address space may grow by only `mib` MiB; true when it returned true.
bool rajatussa_muistissa(std::uint64_t mib, const std::function<bool()>& koe) {
    const pid_t lapsi = ::fork();
    if (lapsi == 0) {
        long sivuja = 0;
        std::ifstream("/proc/self/statm") >> sivuja;
        const rlim_t raja = static_cast<rlim_t>(sivuja) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (mib << 20);
        const rlimit r{raja, raja};
        ::setrlimit(RLIMIT_AS, &r);
        ::_exit(koe() ? 0 : 1);
    }
    int tila = 0;
    ::waitpid(lapsi, &tila, 0);
    return WIFEXITED(tila) && WEXITSTATUS(tila) == 0;
}

}  // namespace

// Covers are untrusted: a few hundred bytes may claim billions of pixels or carry endless scans. They are
// refused by the header before anything is allocated, and sound pictures of the same kinds still open.
TEST(Kuvakoodekki, KuvapommitHylataanEnnenPurkua) {
    const std::string jpeg = progressiivinen_jpeg(16, 16);
    RgbKuva k;
    ASSERT_TRUE(lue_jpeg_muistista(jpeg, k));
    EXPECT_EQ(k.leveys, 16);

    // 50 000 x 50 000 in the frame header of the same few hundred bytes.
    std::string pommi = jpeg;
    const std::size_t sof = merkin_kohta(pommi, 0xC2);
    ASSERT_NE(sof, std::string::npos);
    for (const std::size_t kohta : {sof + 5, sof + 7}) {
        pommi[kohta] = static_cast<char>(50000 >> 8);
        pommi[kohta + 1] = static_cast<char>(50000 & 0xff);
    }
    EXPECT_LT(pommi.size(), 2000u);
    EXPECT_TRUE(rajatussa_muistissa(64, [&] {
        RgbKuva x;
        return !lue_jpeg_muistista(pommi, x);
    }));

    // The first scan again and again: each repeat is only a warning to the decoder, which would read on.
    const std::size_t sos = merkin_kohta(jpeg, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    std::size_t loppu = sos + 2;
    while (loppu + 1 < jpeg.size() && !(static_cast<unsigned char>(jpeg[loppu]) == 0xFF &&
                                        jpeg[loppu + 1] != 0 && (static_cast<unsigned char>(jpeg[loppu + 1]) & 0xF8) != 0xD0))
        ++loppu;
    std::string skannauksia = jpeg.substr(0, loppu);
    for (int i = 0; i < 3000; ++i) skannauksia += jpeg.substr(sos, loppu - sos);
    skannauksia += jpeg.substr(loppu);
    EXPECT_FALSE(lue_jpeg_muistista(skannauksia, k));

    // A GIF whose small screen holds a frame of 60 000 x 60 000, and an interlaced frame read in its order.
    const testituki::Tilapainen_kansio gifkansio("pommi");
    const fs::path gif = gifkansio / "pommi.gif";
    {
        int virhe = 0;
        GifFileType* g = EGifOpenFileName(gif.c_str(), false, &virhe);
        ASSERT_NE(g, nullptr);
        ColorMapObject* kartta = GifMakeMapObject(2, nullptr);
        EGifPutScreenDesc(g, 16, 16, 1, 0, kartta);
        EGifPutImageDesc(g, 0, 0, 60000, 60000, false, nullptr);
        std::vector<GifPixelType> rivi(64, 1);
        EGifPutLine(g, rivi.data(), 64);
        GifFreeMapObject(kartta);
        EGifCloseFile(g, &virhe);
    }
    std::string gif_tavut;
    ASSERT_TRUE(lue_koko_tiedosto(jarjestelman_tiedostot(), gif, gif_tavut));
    EXPECT_TRUE(rajatussa_muistissa(64, [&] {
        RgbKuva x;
        return !lue_gif_muistista(gif_tavut, x);
    }));
    {
        int virhe = 0;
        GifFileType* g = EGifOpenFileName(gif.c_str(), false, &virhe);
        ASSERT_NE(g, nullptr);
        ColorMapObject* kartta = GifMakeMapObject(16, nullptr);
        for (int i = 0; i < 16; ++i) kartta->Colors[i] = {static_cast<GifByteType>(i * 16), 0, 0};
        EGifPutScreenDesc(g, 3, 11, 4, 0, kartta);
        EGifPutImageDesc(g, 0, 0, 3, 11, true, nullptr);
        // Interlaced rows come in the passes 0, 8 | 4 | 2, 6, 10 | 1, 3, 5, 7, 9; row y is coloured y.
        for (const int y : {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9}) {
            std::vector<GifPixelType> rivi(3, static_cast<GifPixelType>(y));
            EGifPutLine(g, rivi.data(), 3);
        }
        GifFreeMapObject(kartta);
        EGifCloseFile(g, &virhe);
    }
    ASSERT_TRUE(lue_gif(jarjestelman_tiedostot(), gif, k));
    ASSERT_EQ(k.korkeus, 11);
    for (int y = 0; y < 11; ++y) EXPECT_EQ(k.rgb[static_cast<std::size_t>(y) * 3 * 3], y * 16) << y;
}
