#include "storage/tallennus.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "perus/tiedostot.h"

#include "diag/loki.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/lataus.h"
#include "testituki/testitila.h"
#include "storage/zlbarkisto.h"
#include "testituki/vikaantuvat_tiedostot.h"

namespace fs = std::filesystem;

namespace {

// Records whether the busy window was up when a message box came.
class KiireSeuranta final : public diag::Kiire {
public:
    class Viestit final : public diag::Viestit {
    public:
        explicit Viestit(KiireSeuranta& k) : k_(k) {}
        void nayta(diag::Laji l, const std::string& t, const std::string& o = {}) override {
            k_.nakyvissa_viestin_aikana = k_.nakyvissa_viestin_aikana || k_.nakyvissa;
            naytetyt.push_back({l, t, false});
            (void)o;
        }
        diag::Vastaus kysy(diag::Laji l, const std::string& t, bool, const std::string&) override {
            naytetyt.push_back({l, t, true});
            return diag::Vastaus::Ei;
        }
        std::vector<diag::NaytettyViesti> naytetyt;

    private:
        KiireSeuranta& k_;
    };
    void nayta() override { nakyvissa = true; }
    void aseta_teksti(const std::string&) override {}
    void piilota() override { nakyvissa = false; }
    void kasittele_viestit() override {}

    bool nakyvissa = false;
    bool nakyvissa_viestin_aikana = false;
    Viestit viestit{*this};
};

class Tallennus : public Testitila {
protected:
    Varasto& v(Tiedostojarjestelma& t = jarjestelman_tiedostot()) {
        Varasto& va = varasto(t);
        va.asetukset = &asetukset_;
        return va;
    }
    TKortti& kortti(const std::string& nimi, const std::string& kasetti = "1", const std::string& kansi = "") {
        TKortti& k = tk_.kortit.lisaa_uusi();
        k.nimi = nimi;
        k.kasetilla = kasetti;
        k.cover_fn = kansi;
        if (!kansi.empty()) kirjoita(kansi, "kuva:" + kansi);
        return k;
    }
    std::vector<std::string> jasenet(const std::string& nimi) {
        TZLBArchive zip(jarjestelman_tiedostot());
        EXPECT_TRUE(zip.Open(polku(nimi)));
        std::vector<std::string> t;
        for (const auto& e : zip.entries()) t.push_back(e.koko_nimi());
        return t;
    }
    TOmaList avaa(const std::string& nimi) {
        Tietokanta toinen;
        diag::TestiViestit hiljaiset;
        TAsetukset a;
        a.avaa_kannet_heti = false;
        a.notify_enabled = false;
        Varasto va{toinen, *kansio_, jarjestelman_tiedostot(), ilman_ikkunaa(), hiljaiset, kiire_, &a};
        EXPECT_TRUE(lue_tietueet(nimi, false, true, toinen.kortit, va));
        return std::move(toinen.kortit);
    }
    // Files in the program folder other than the catalogues, the covers' folder and the log.
    std::vector<std::string> jaljelle_jaaneet() const {
        std::vector<std::string> t;
        for (const auto& e : fs::directory_iterator(juuri_)) {
            const std::string n = e.path().filename().string();
            if (n != "gfx" && n.find(".rkb") != n.size() - 4) t.push_back(n);
        }
        return t;
    }
    TAsetukset asetukset_;
};

TEST_F(Tallennus, NimetonPoistuuJaJaettuKansiPakataanKahdesti) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    kortti("", "2", "gfx\\kannet\\22222222.jpg");
    kortti("Kolme", "3", "gfx\\kannet\\11111111.jpg");
    kortti("", "4", "gfx\\kannet\\11111111.jpg");  // shares its cover with living cards
    tk_.kortit.muutettu = true;
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    EXPECT_FALSE(tk_.kortit.muutettu);
    EXPECT_EQ(tk_.tiedosto, "oma.rkb");
    EXPECT_EQ(tk_.kortit.korttien_maara(), 2);
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\22222222.jpg")));
    EXPECT_TRUE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
    EXPECT_FALSE(fs::exists(polku("avattu.$$$")));
    EXPECT_EQ(jasenet("oma.rkb"), (std::vector<std::string>{"avattu.$$$", "gfx\\kannet\\11111111.jpg", "gfx\\kannet\\11111111.jpg"}));
    const TOmaList luettu = avaa("oma.rkb");
    ASSERT_EQ(luettu.korttien_maara(), 2);
    EXPECT_EQ(luettu[2].nimi, "Kolme");
    EXPECT_EQ(diag::loki().rivit().front(), "KORTTI 2 POISTETTU! SYY: Kortilla ei nimeä");
    EXPECT_TRUE(viestit_.naytetyt.empty());
}

TEST_F(Tallennus, KannetVanhastaTiedostostaPakataanUudelleen) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    poista_kannet(*kansio_);
    ASSERT_FALSE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
    ASSERT_TRUE(tallenna_tietokanta("toinen.rkb", v()));
    EXPECT_EQ(jasenet("toinen.rkb").size(), 2u);
    // Taken from the old file as stored, without unpacking it on the way.
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
    TZLBArchive zip(jarjestelman_tiedostot());
    ASSERT_TRUE(zip.Open(polku("toinen.rkb")));
    ASSERT_TRUE(zip.Extract("gfx\\kannet\\11111111.jpg", juuri_ / "purettu"));
    EXPECT_EQ(lue("purettu\\gfx\\kannet\\11111111.jpg"), "kuva:gfx\\kannet\\11111111.jpg");
}

TEST_F(Tallennus, LajitteluAvainRiippuuKoosta) {
    asetukset_.tallenna_sortattuna = true;
    for (const int maara : {1000, 1001}) {
        tk_.tyhjenna();
        for (int i = 0; i < maara; ++i) kortti(i == 0 ? "Zulu" : "Alfa " + std::to_string(i), std::to_string(maara - i));
        ASSERT_TRUE(tallenna_tietokanta("lajiteltu.rkb", v()));
        const TOmaList l = avaa("lajiteltu.rkb");
        // By cassette number Zulu (cassette `maara`) is last; by title it is last too, but Alfa 1 (cassette
        // maara-1) comes first only when sorting by title.
        if (maara == 1000) {
            EXPECT_EQ(l[1].kasetilla, "1");
        } else {
            EXPECT_EQ(l[1].nimi, "Alfa 1");
        }
        EXPECT_EQ(l[l.korttien_maara()].nimi, "Zulu") << maara;
    }
}

TEST_F(Tallennus, IlmanKansiaJaJpgMuunnos) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    kortti("Kaksi", "2", "gfx\\kannet\\22222222.gif");
    ASSERT_TRUE(tallenna_asetuksin("ilman.rkb", Kansikuvat::EiKansia, 80, false, v()));
    EXPECT_EQ(jasenet("ilman.rkb"), std::vector<std::string>{"avattu.$$$"});
    EXPECT_EQ(tk_.kortit[1].cover_fn, "");
    EXPECT_EQ(tk_.kortit[2].cover_fn, "");
    EXPECT_FALSE(fs::exists(polku("gfx\\kannet\\11111111.jpg")));
}

// Every step of a save made to fail with the system's reason: the old file stays whole, the catalogue stays
// changed under its old name, nothing is left beside it, and the box names the reason after the busy
// window has gone.
TEST_F(Tallennus, EpaonnistunutTallennusEiKoskaVanhaanTiedostoon) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi", "1", "gfx\\kannet\\11111111.jpg");
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    const std::string vanha = lue("oma.rkb");
    tk_.kortit[1].nimi = "Muutettu";
    using V = VikaantuvatTiedostot::Vaihe;
    struct Tapaus {
        V vaihe;
        int virhe;
        std::string polku;
        bool tyotiedoston_viesti;
        std::string syy;
    };
    const std::vector<Tapaus> tapaukset = {
        {V::Luo, EACCES, "avattu.$$$", true, "ei käyttöoikeutta"},
        {V::Kirjoita, ENOSPC, "avattu.$$$", true, "levy on täynnä"},
        {V::Luo, EDQUOT, ".kesken", false, "levykiintiö on täynnä"},
        {V::Kirjoita, ENOSPC, ".kesken", false, "levy on täynnä"},
        {V::Synkronoi, EIO, ".kesken", false, "laitteen luku- tai kirjoitusvirhe"},
        {V::Nimea, EROFS, "oma.rkb\n", false, "levy on kirjoitussuojattu"},
        {V::Lue, EIO, "11111111.jpg", false, "kansikuvaa gfx\\kannet\\11111111.jpg ei voitu lukea (laitteen luku- tai kirjoitusvirhe)"},
    };
    for (const Tapaus& t : tapaukset) {
        SCOPED_TRACE(t.polku + " " + std::to_string(t.virhe));
        VikaantuvatTiedostot tj;
        tj.epaonnistu(t.vaihe, t.virhe, t.polku);
        KiireSeuranta kiire;
        Varasto& va = v(tj);
        Varasto seurattu{va.tk(), va.kansio, tj, ilman_ikkunaa(), kiire.viestit, kiire, va.asetukset};
        tk_.kortit.muutettu = true;
        EXPECT_FALSE(tallenna_tietokanta("oma.rkb", seurattu));
        EXPECT_EQ(tj.epaonnistuneet(t.vaihe), 1);
        EXPECT_EQ(lue("oma.rkb"), vanha);
        EXPECT_TRUE(tk_.kortit.muutettu);
        EXPECT_EQ(tk_.tiedosto, "oma.rkb");
        ASSERT_EQ(kiire.viestit.naytetyt.size(), 1u);
        const std::string& viesti = kiire.viestit.naytetyt[0].teksti;
        EXPECT_EQ(viesti.rfind(t.tyotiedoston_viesti ? std::string("Virhe (") + std::to_string(t.virhe) + ")!"
                                                     : std::string(tallennusvirheen_alku), 0), 0u) << viesti;
        EXPECT_EQ(viesti.substr(viesti.rfind('\n') + 1), "Syy: " + t.syy);
        EXPECT_FALSE(kiire.nakyvissa_viestin_aikana);
        EXPECT_EQ(jaljelle_jaaneet(), std::vector<std::string>{});
    }

    // A target folder that has vanished.
    EXPECT_FALSE(tallenna_tietokanta("kadonnut\\kansio\\uusi.rkb", v()));
    EXPECT_EQ(viestit_.naytetyt.back().teksti, std::string(tallennusvirheen_alku) + "\n\nSyy: tiedostoa tai kansiota ei ole");
    EXPECT_EQ(tk_.tiedosto, "oma.rkb");
}

// A process id that no running process has: a child that has already ended.
pid_t paattynyt_prosessi() {
    const pid_t p = ::fork();
    if (p == 0) ::_exit(0);
    ::waitpid(p, nullptr, 0);
    return p;
}

// What a crash left beside the target never blocks a save, and is cleaned away unless its process still runs.
TEST_F(Tallennus, KeskenJaaneetEivatEstaTallennusta) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi");
    const std::string kuollut = ".oma.rkb~" + std::to_string(paattynyt_prosessi()) + "-3.kesken";
    const std::string elava = ".oma.rkb~" + std::to_string(::getppid()) + "-0.kesken";
    for (const std::string& n : {std::string("oma.rkb.tallennus.tmp"), kuollut, elava}) kirjoita(n, "puolikas");
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    EXPECT_FALSE(fs::exists(polku("oma.rkb.tallennus.tmp")));
    EXPECT_FALSE(fs::exists(polku(kuollut)));
    EXPECT_TRUE(fs::exists(polku(elava)));
    ASSERT_TRUE(tallenna_tietokanta("oma.rkb", v()));
    EXPECT_EQ(avaa("oma.rkb")[1].nimi, "Yksi");
    EXPECT_EQ(jaljelle_jaaneet(), std::vector<std::string>{elava});
    EXPECT_EQ(keskeneraisen_tekija("oma.rkb"), 0);
    EXPECT_EQ(keskeneraisen_tekija(".a~x-1.kesken"), 0);
}

// The target as the user keeps it: a link is saved through to its file, permissions and owner stay, and a
// read-only file is replaced only when the user says so.
TEST_F(Tallennus, KohdeSailyyLinkkinaJaOikeuksineen) {
    asetukset_.tallenna_sortattuna = false;
    kortti("Yksi");
    fs::create_directories(juuri_ / "oikea");
    ASSERT_TRUE(tallenna_tietokanta("oikea\\kanta.rkb", v()));
    fs::create_symlink("oikea/kanta.rkb", juuri_ / "linkki.rkb");
    ::chmod(polku("oikea\\kanta.rkb").c_str(), 0600);
    tk_.kortit[1].nimi = "Kaksi";
    ASSERT_TRUE(tallenna_tietokanta("linkki.rkb", v()));
    EXPECT_TRUE(fs::is_symlink(juuri_ / "linkki.rkb"));
    EXPECT_EQ(avaa("oikea\\kanta.rkb")[1].nimi, "Kaksi");
    EXPECT_EQ(tk_.tiedosto, "linkki.rkb");
    struct stat st {};
    ::stat(polku("oikea\\kanta.rkb").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_uid, ::geteuid());

    const std::string kysymys = "Tiedosto \"linkki.rkb\" on kirjoitussuojattu.\nTallennetaanko silti sen päälle?";
    ::chmod(polku("oikea\\kanta.rkb").c_str(), 0444);
    const std::string vanha = lue("oikea\\kanta.rkb");
    tk_.kortit[1].nimi = "Kolme";
    tk_.kortit.muutettu = true;
    viestit_.vastaukset = {diag::Vastaus::Ei};
    EXPECT_FALSE(tallenna_tietokanta("linkki.rkb", v()));
    EXPECT_EQ(lue("oikea\\kanta.rkb"), vanha);
    EXPECT_TRUE(tk_.kortit.muutettu);
    viestit_.vastaukset = {diag::Vastaus::Kylla};
    ASSERT_TRUE(tallenna_tietokanta("linkki.rkb", v()));
    EXPECT_EQ(avaa("oikea\\kanta.rkb")[1].nimi, "Kolme");
    ::stat(polku("oikea\\kanta.rkb").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(viestit_.tekstit(), (std::vector<std::string>{kysymys, kysymys}));
}

}  // namespace
