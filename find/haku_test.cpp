#include "find/haku.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "storage/sarakkeet.h"
#include "testituki/testiviestit.h"

namespace {

using Sanat = std::vector<std::string>;

struct Jako {
    const char* teksti;
    Sanat sanat;
};

TEST(EroitteleHakusanat, PilkutLyhyetPalatJaVälilyönnit) {
    const Jako tapaukset[] = {
        {"a,b", {"a,b"}},                           // under five characters: one word, comma and all
        {"alien", {"alien"}},                       // five characters without a comma
        {"matrix, alien", {"matrix", " alien"}},    // the blank after a comma belongs to the next word
        {"ab,c,de", {"ab", "c,de"}},                // a one-character piece joins the next word
        {"alien,matrix", {"alien", "matrix"}},
        {"alien,matrix,", {"alien", "matrix"}},     // a trailing comma changes nothing
        {"abc,d", {"abc"}},                         // a short last piece has no word to join
        {"x,yy,zzz", {"x,yy", "zzz"}},
    };
    for (const Jako& t : tapaukset) {
        diag::TestiViestit v;
        EXPECT_EQ(eroittele_hakusanat(t.teksti, v), t.sanat) << t.teksti;
        EXPECT_TRUE(v.naytetyt.empty()) << t.teksti;
    }
}

TEST(EroitteleHakusanat, ViisikymmentäSanaaKatkeaaNeljäänkymmeneenViiteenYhdelläViestillä) {
    std::string teksti;
    Sanat odotetut;
    for (int i = 0; i < 50; ++i) {
        const std::string sana = "sana" + std::to_string(i);
        teksti += sana + ",";
        if (i < 45) odotetut.push_back(sana);
    }
    diag::TestiViestit v;
    EXPECT_EQ(eroittele_hakusanat(teksti, v), odotetut);
    ASSERT_EQ(v.naytetyt.size(), 1u);
    EXPECT_EQ(v.naytetyt[0].laji, diag::Laji::Virhe);
    EXPECT_EQ(v.naytetyt[0].teksti, liian_monta_hakusanaa);

    // Exactly 45 words is no fault.
    diag::TestiViestit v45;
    teksti.clear();
    for (int i = 0; i < 45; ++i) teksti += "ab,";
    EXPECT_EQ(eroittele_hakusanat(teksti, v45).size(), 45u);
    EXPECT_TRUE(v45.naytetyt.empty());
}

Hakukentat vain(std::initializer_list<int> entryt) {
    Hakukentat k;
    for (int e : entryt) k.set(static_cast<std::size_t>(e));
    return k;
}

TEST(TayttaaEhdot, SanatKentatJaKirjainkoko) {
    TKortti k;
    k.nimi = "Alien";
    k.ohjaaja = "Ridley Scott";
    k.lisatieto[0] = "Dan O'Bannon";
    k.juoni = "Avaruusalus saa hätäkutsun";
    k.kommentti = "nauha kulunut";
    k.paanayttelijat = "äly";
    struct Tapaus {
        Sanat sanat;
        Hakukentat kentat;
        bool osuu;
    };
    const Tapaus tapaukset[] = {
        {{"ALIEN"}, kaikki_hakukentat(), true},           // a to z without regard to case
        {{"ÄLY"}, kaikki_hakukentat(), false},             // 'ÄLY' is not 'äly'
        {{" alien"}, kaikki_hakukentat(), false},         // the kept blank does not match the field's start
        {{"matrix", "scott"}, kaikki_hakukentat(), true},  // words are joined by "or"
        {{"scott"}, vain({0, 1, 2}), false},              // an unchecked field is never looked at
        {{"scott"}, vain({11}), true},
        {{"bannon"}, vain({12}), true},                   // the screenplay entry is the first additional field
        {{"hätäkutsu"}, vain({13}), true},                // "Kommentti" searches the plot text
        {{"kulunut"}, kaikki_hakukentat(), false},        // the comment field is not searched at all
        {{"alien"}, Hakukentat(), false},                 // nothing checked, nothing matches
    };
    for (const Tapaus& t : tapaukset) EXPECT_EQ(tayttaa_ehdot(k, t.sanat, t.kentat), t.osuu) << t.sanat[0];
}

TEST(Hakukentat, IkkunanEntrytJaKentat) {
    // Each column of the card holds its own name, so the entry shows which field it searches.
    TKortti k;
    for (const Sarake& s : sarakkeet()) aseta_sarakkeen_arvo(k, s, s.nimi);
    const std::pair<const char*, const char*> odotetut[hakukenttia] = {
        {"Elokuvan nimi", "nimi"}, {"Päänäyttelijä", "paanayttelijat"}, {"Luokitus", "luokitus"},
        {"Formaatti", "formaatti"}, {"Kesto", "kesto"}, {"Ääniraita", "aani"}, {"Kasetin/levyn nro", "kasetilla"},
        {"Sijainti", "sijainti"}, {"Värit", "vari"}, {"Valmistusmaa", "maa"}, {"Valmistusvuosi", "vuosi"},
        {"Ohjaaja", "ohjaaja"}, {"Käsikirjoitus", "lisatieto1"}, {"Kommentti", "juoni"}};
    for (int e = 0; e < hakukenttia; ++e) {
        EXPECT_STREQ(hakukenttien_nimet[static_cast<std::size_t>(e)], odotetut[e].first) << e;
        EXPECT_EQ(hakukentta(k, e), odotetut[e].second) << e;
    }
}

TEST(TayttaaEhdot, TyhjaKenttaEiKoskaanOsu) {
    TKortti k;  // every field empty
    EXPECT_FALSE(tayttaa_ehdot(k, {"ab"}, kaikki_hakukentat()));
}

Tietokanta elokuvat() {
    Tietokanta tk;
    for (const char* nimi : {"Alien", "Matrix", "Aliens", "Terminator", "Alien 3"}) tk.kortit.lisaa_uusi().nimi = nimi;
    tk.kortit[3].lainassa = "Pekka";
    return tk;
}

TEST(EtsiListaan, KorttijarjestyksessaIlmanNollakorttia) {
    Tietokanta tk = elokuvat();
    std::vector<int> kuullut;
    EXPECT_EQ(etsi_listaan(tk.kortit, {"alien"}, kaikki_hakukentat(), [&](int i) { kuullut.push_back(i); }),
              (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(kuullut.back(), 5);
    // The placeholder carries "##" and a title of its own; it is never a hit.
    EXPECT_TRUE(etsi_listaan(tk.kortit, {"##"}, kaikki_hakukentat()).empty());
    EXPECT_TRUE(etsi_listaan(tk.kortit, {"pitäisi"}, kaikki_hakukentat()).empty());
    EXPECT_EQ(listan_nimi(tk.kortit[3]), "Aliens (Lainassa)");
    EXPECT_EQ(listan_nimi(tk.kortit[1]), "Alien");
}

TEST(EtsiSeuraava, EteenpainIlmanKierrostaAlkuun) {
    Tietokanta tk = elokuvat();
    const Sanat alien = {"alien"};
    EXPECT_EQ(etsi_seuraava(tk.kortit, 0, alien, kaikki_hakukentat()), 1);
    EXPECT_EQ(etsi_seuraava(tk.kortit, 1, alien, kaikki_hakukentat()), 3);
    EXPECT_EQ(etsi_seuraava(tk.kortit, 3, alien, kaikki_hakukentat()), 5);
    EXPECT_EQ(etsi_seuraava(tk.kortit, 5, alien, kaikki_hakukentat()), 0);  // from the last card
    EXPECT_EQ(etsi_seuraava(tk.kortit, 0, {"zorro"}, kaikki_hakukentat()), 0);
}

}  // namespace
