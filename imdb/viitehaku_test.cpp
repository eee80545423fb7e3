#include "imdb/viitehaku.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "perus/teksti.h"
#include "storage/kentat.h"
#include "storage/kesto.h"
#include "storage/tallennus.h"
#include "testituki/nimetyt_kortit.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/testiviestit.h"

namespace {

using Sanat = std::vector<std::string>;

TEST(Hakusanat, ViivaSulkuJaViimeinenYksittainenMerkki) {
    const struct {
        const char* nimi;
        Sanat sanat;
    } tapaukset[] = {
        {"Tähtien sota - Imperiumin vastaisku", {"Imperiumin", "vastaisku"}},
        {"Hämähäkkimies (Spider-Man)", {"Hämähäkkimies"}},
        {"Rocky 2", {"Rocky"}},                 // a lone last character is not a word
        {"Star Wars", {"Star", "Wars"}},
        {"Alien - 8. matkustaja (Alien)", {"8.", "matkustaja"}},
        {"Spider-Man - Kotiinpaluu", {"Kotiinpaluu"}},  // a hyphen inside a word does not count
        {"A", {}},
        {"(Alien)", {}},
        {"Kaksi  välilyöntiä", {"Kaksi", "välilyöntiä"}},
    };
    for (const auto& t : tapaukset) EXPECT_EQ(hakusanat(t.nimi), t.sanat) << t.nimi;

    // Long titles keep every word.
    std::string pitka;
    for (int i = 0; i < 60; ++i) pitka += "sana" + std::to_string(i) + " ";
    pitka += "viimeinen";
    EXPECT_EQ(hakusanat(pitka).size(), 61u);
    EXPECT_EQ(hakusanat(pitka).back(), "viimeinen");
}

TEST(SanatLoytyvat, JokainenSanaMissaTahansaKirjainkoostaVapaasti) {
    const struct {
        const char* nimi;
        const char* ehdokas;
        bool tulos;
    } tapaukset[] = {
        {"Tähtien sota - Imperiumin vastaisku", "Tähtien sota: Imperiumin vastaisku (The Empire Strikes Back)", true},
        {"imperiumin VASTAISKU", "Tähtien sota: Imperiumin vastaisku", true},
        {"vastaisku imperiumin", "Imperiumin vastaisku", true},
        {"Imperiumin paluu", "Imperiumin vastaisku", false},
        {"ÄLYTÖN", "älytön", false},  // only ASCII letters fold
        {"Rocky 2", "Rocky IV", true},
        {"(Alien)", "mikä tahansa", true},
    };
    for (const auto& t : tapaukset) EXPECT_EQ(sanat_loytyvat(t.nimi, t.ehdokas), t.tulos) << t.nimi << " / " << t.ehdokas;
}

using testituki::kortti;

TOmaList viitteet(std::initializer_list<TKortti> kortit) {
    TOmaList l;
    for (const TKortti& k : kortit) l.lisaa(std::make_unique<TKortti>(k));
    return l;
}

TEST(Viitehaku, TarkatEnsinSittenSanatJaVainEnemmanTietoa) {
    Viitetietokanta db;
    db.aseta(viitteet({
        kortti("Alien - kahdeksas matkustaja (Alien)", "", "Ridley Scott", "117 min"),  // 1: words
        kortti("alien", "DVD", "Ridley Scott"),                                         // 2: exact
        kortti("Aliens - Muukalaisten paluu (Aliens)", "", "James Cameron"),           // 3: whole name inside
        kortti("Alien", "", "X"),                                                       // 4: exact, little text
        kortti("Terminaattori", "", "James Cameron"),                                   // 5: no
        kortti("ALIEN", "", "Ridley Scott"),                                            // 6: exact
    }));
    TKortti nykyinen = kortti("Alien", "SP", "Ohj");  // three characters of text
    EXPECT_EQ(db.etsi("Alien", nykyinen), (std::vector<int>{2, 6, 1, 3}));

    // A card with as much text as a reference card is never offered it.
    nykyinen.ohjaaja = "Ridley Scott";
    EXPECT_EQ(db.etsi("Alien", nykyinen), (std::vector<int>{1, 3}));

    // Two characters: exact titles only; one character: nothing.
    Viitetietokanta lyhyet;
    lyhyet.aseta(viitteet({kortti("Up", "", "Pete Docter"), kortti("Up and Down", "", "Pete")}));
    EXPECT_EQ(lyhyet.etsi("up", TKortti{}), (std::vector<int>{1}));
    EXPECT_TRUE(lyhyet.etsi("U", TKortti{}).empty());

    // Not loaded: nothing.
    EXPECT_TRUE(Viitetietokanta{}.etsi("Alien", TKortti{}).empty());
}

TEST(Viitehaku, KestoLasketaanMinuutteina) {
    // "2h" is "120 min" when compared: 7 characters against the reference's 7 is not more.
    Viitetietokanta db;
    db.aseta(viitteet({kortti("Kummisetä", "", "", "120 min")}));
    EXPECT_TRUE(db.etsi("Kummisetä", kortti("", "", "", "2h")).empty());
    EXPECT_EQ(db.etsi("Kummisetä", kortti("", "", "", "")), (std::vector<int>{1}));
}

// The index may only narrow the search: on random titles it finds exactly what reading every title finds.
TEST(Viitehaku, HakemistoLoytaaSamatKuinJokaisenNimenLukeminen) {
    std::mt19937 arpa(7);
    const char* tavut = "abcAB C-(). ä";
    const auto sana = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += tavut[arpa() % 13];
        return s;
    };
    TOmaList l;
    for (int i = 0; i < 3000; ++i) {
        TKortti& k = l.lisaa_uusi();
        k.nimi = sana(1 + static_cast<int>(arpa() % 12));
        k.ohjaaja = "x";
    }
    Viitetietokanta db;
    db.aseta(std::move(l));
    for (int n = 0; n < 400; ++n) {
        const std::string nimi = sana(2 + static_cast<int>(arpa() % 6));
        std::vector<int> odotettu;
        const TOmaList& k = db.kortit();
        for (int i = 1; i < k.Count(); ++i)
            if (pienet_kirjaimet(k[i].nimi) == pienet_kirjaimet(nimi)) odotettu.push_back(i);
        std::vector<int> toinen;
        if (nimi.size() >= 3)
            for (int i = 1; i < k.Count(); ++i)
                if ((sanat_loytyvat(nimi, k[i].nimi) || sisaltaa(nimi, k[i].nimi)) &&
                    std::find(odotettu.begin(), odotettu.end(), i) == odotettu.end())
                    toinen.push_back(i);
        odotettu.insert(odotettu.end(), toinen.begin(), toinen.end());
        EXPECT_EQ(db.etsi(nimi, TKortti{}), odotettu) << nimi;
    }
}

TEST(SovellaViitekortti, MuokkausKaikkiPaivitysVainTyhjat) {
    TKortti viite = kortti("Kummisetä (The Godfather)", "DVD", "Francis Ford Coppola", "175 min");
    viite.juoni = "Mafiaperheen tarina.";
    viite.aani = "Mono";
    viite.lisatieto_nimi[0] = "Käsikirjoitus:";
    viite.lisatieto[0] = "Mario Puzo";

    TKortti oma = kortti("kummisetä", "SP", "", "");
    oma.juoni = "Oma juoni";
    oma.aani = "";
    oma.kasetilla = "12";
    oma.lisatieto_nimi[0] = "Käsikirjoitus:";

    TKortti muokattu = oma;
    sovella_viitekortti(muokattu, viite, Valintatapa::Muokkaus);
    EXPECT_EQ(muokattu.nimi, viite.nimi);
    EXPECT_EQ(muokattu.formaatti, "DVD");
    EXPECT_EQ(muokattu.juoni, viite.juoni);
    EXPECT_EQ(muokattu.aani, "Mono");
    EXPECT_EQ(muokattu.kasetilla, "12");
    EXPECT_EQ(muokattu.lisatieto[0], "Mario Puzo");

    TKortti paivitetty = oma;
    sovella_viitekortti(paivitetty, viite, Valintatapa::Paivitys);
    EXPECT_EQ(paivitetty.nimi, viite.nimi);
    EXPECT_EQ(paivitetty.ohjaaja, "Francis Ford Coppola");
    EXPECT_EQ(paivitetty.formaatti, "SP");       // the card's own format stays
    EXPECT_EQ(paivitetty.juoni, "Oma juoni");    // and its own plot
    EXPECT_EQ(paivitetty.aani, "Mono");          // an empty sound track is filled
    TKortti stereo = oma;
    stereo.aani = "Hifi Stereo";
    sovella_viitekortti(stereo, viite, Valintatapa::Paivitys);
    EXPECT_EQ(stereo.aani, "Hifi Stereo");       // the card's own one stays

    // An empty reference value leaves the card's own, in either mode.
    TKortti tyhja_viite = viite;
    tyhja_viite.formaatti.clear();
    tyhja_viite.maa.clear();
    TKortti oma_maa = oma;
    oma_maa.maa = "Usa";
    sovella_viitekortti(oma_maa, tyhja_viite, Valintatapa::Muokkaus);
    EXPECT_EQ(oma_maa.formaatti, "SP");
    EXPECT_EQ(oma_maa.maa, "Usa");

    // A renamed or filled first field is the user's own.
    TKortti nimetty = oma;
    nimetty.lisatieto_nimi[0] = "Tuottaja:";
    sovella_viitekortti(nimetty, viite, Valintatapa::Muokkaus);
    EXPECT_EQ(nimetty.lisatieto_nimi[0], "Tuottaja:");
    EXPECT_EQ(nimetty.lisatieto[0], "");
}

TEST(Valintaikkuna, OtsikkoRivitJaMitat) {
    EXPECT_EQ(valintaikkunan_otsikko(1, Valintatapa::Muokkaus), "Hyväksytäänkö nämä tiedot?");
    EXPECT_EQ(valintaikkunan_otsikko(2, Valintatapa::Muokkaus), "Valitse oikeat tiedot [2 löytyi]");
    EXPECT_EQ(valintaikkunan_otsikko(1, Valintatapa::Paivitys), "Mahdollisesti paremmat tiedot löytyivät...");
    EXPECT_EQ(valintarivi(kortti("Alien", "DVD")), "Alien (DVD)");
    EXPECT_EQ(valintarivi(kortti("Alien")), "Alien");

    const struct {
        std::size_t rivit;
        int lista;
    } mitat[] = {{1, 17}, {15, 199}, {16, 214}, {20, 214}, {100000, 214}};
    for (const auto& m : mitat) {
        const Valintaikkunan_mitat v = valintaikkunan_mitat(m.rivit);
        EXPECT_EQ(v.listan_korkeus, m.lista) << m.rivit;
        EXPECT_EQ(v.nappien_ylareuna, m.lista + 12);
        EXPECT_EQ(v.ikkunan_korkeus, m.lista + 65);
    }
}

TEST(Viitetietokanta, LatautuuHiljaaJaPuuttuvaOnTyhja) {
    testituki::Tilapainen_kansio k;
    Ohjelmakansio kansio(k.juuri(), jarjestelman_tiedostot());
    diag::TestiViestit viestit;
    diag::EiKiiretta kiire;
    Tietokanta tk;
    tk.kortit.lisaa(std::make_unique<TKortti>(kortti("Kummisetä (The Godfather)", "", "Coppola")));
    tk.kortit.lisaa(std::make_unique<TKortti>(kortti("Kummisetä osa II (The Godfather Part II)", "", "Coppola")));
    Varasto v{tk, kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), viestit, kiire};
    ASSERT_TRUE(tallenna_tietokanta("dbase.rkb", v));
    // A crash marker of the open catalogue must survive the reference load untouched.
    std::ofstream(k.juuri() / "avattu.$$$") << "kesken";

    Viitetietokanta db;
    db.lataa(jarjestelman_tiedostot(), k.juuri() / "dbase.rkb");
    ASSERT_TRUE(db.ladattu());
    EXPECT_EQ(db.kortit().korttien_maara(), 2);
    EXPECT_EQ(db.etsi("Kummisetä", TKortti{}), (std::vector<int>{1, 2}));
    EXPECT_TRUE(std::filesystem::exists(k.juuri() / "avattu.$$$"));
    EXPECT_TRUE(viestit.naytetyt.empty());

    db.vapauta();
    EXPECT_FALSE(db.ladattu());
    EXPECT_EQ(db.kortit().Count(), 1);

    db.lataa(jarjestelman_tiedostot(), k.juuri() / "ei_ole.rkb");
    EXPECT_FALSE(db.ladattu());
    EXPECT_TRUE(db.etsi("Kummisetä", TKortti{}).empty());
}

}  // namespace

namespace {

// The shipped reference catalogue opens as the program opens it and every card is usable for matching.
TEST(Viitetietokanta, ToimitettuTiedostoKelpaa) {
    Viitetietokanta db;
    db.lataa(jarjestelman_tiedostot(), std::filesystem::path(RULLAKKO_SOURCE_DIR) / "data" / "dbase.rkb");
    ASSERT_TRUE(db.ladattu());
    const TOmaList& l = db.kortit();
    EXPECT_GE(l.korttien_maara(), 300);
    std::vector<std::string> luokat;
    for (const char* l : kentan_valinnat("luokitus_kentta")) luokat.emplace_back(l);
    ASSERT_FALSE(luokat.empty());
    for (int i = 1; i < l.Count(); ++i) {
        const TKortti& k = l[i];
        EXPECT_FALSE(k.nimi.empty()) << i;
        EXPECT_NE(std::find(luokat.begin(), luokat.end(), k.luokitus), luokat.end()) << k.nimi;
        EXPECT_EQ(k.vuosi.size(), 4u) << k.nimi;
        EXPECT_TRUE(lue_alkuluku(tunnit2min(k.kesto).substr(0, k.kesto.find(' '))).puhdas) << k.nimi;
        EXPECT_TRUE(k.vari == "Kyllä" || k.vari == "Ei") << k.nimi;
        EXPECT_FALSE(k.aani.empty() || k.ohjaaja.empty() || k.maa.empty()) << k.nimi;
        EXPECT_TRUE(k.cover_fn.empty() && k.kasetilla.empty()) << k.nimi;
    }
}

}  // namespace
