// The cutters of IMDb page lines, each against the cases that tell a right cut from a wrong one.
#include "imdb/leikkurit.h"

#include <gtest/gtest.h>

namespace {

struct Tapaus {
    const char* sisaan;
    const char* odotettu;
};

TEST(Leikkurit, TagitJaMerkit) {
    EXPECT_EQ(poista_tagit("<B>Plot:</B> text   "), "Plot: text");
    EXPECT_EQ(poista_tagit("a" + std::string(12, ' ')), "a  ");  // at most ten trailing blanks go
    EXPECT_EQ(poista_tagit(""), "");

    const Tapaus merkit[] = {
        {"M&#228;kel&#228;", "Mäkelä"},            // three digits: decoded, every occurrence
        {"Rock &#39;n roll", "Rock &#39;n roll"},  // two digits: left as it is
        {"&#8217;s bad", "&#8217;s bad"},          // beyond one byte: left rather than mangled
        {"John Smith (II)", "John Smith"},         // two people of one name look alike
        {"Smith (iv) jr", "Smith jr"},
        {"A (I) B (VI)", "A B"},
        {"&#228", "&#228"},                        // five characters or fewer are not decoded
    };
    for (const Tapaus& t : merkit) EXPECT_EQ(korjaa_merkit(t.sisaan), t.odotettu) << t.sisaan;

    EXPECT_EQ(siivoa_rivi("<LI><B>Matrix</B> J&#228;&#228;<br></LI>"), "Matrix Jää");
}

TEST(Leikkurit, HenkiloRivilta) {
    Leikkausviestit v;
    EXPECT_EQ(Eroita_ohjaaja_tai_kasik("<A HREF=\"/Name?x\">Lana Wachowski</A> (more)", v), "Lana Wachowski");
    EXPECT_EQ(Eroita_ohjaaja_tai_kasik("<A HREF=\"/Name?x\">Tom (more) </A>", v), "Tom");
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(Eroita_ohjaaja_tai_kasik("<br>", v), "");
    EXPECT_EQ(Eroita_ohjaaja_tai_kasik("ei merkkejä", v), "");
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0], "Eroita_ohjaaja_tai_kasik EPÄONNISTUI, J=4 k=-1");
    EXPECT_EQ(v[1], "Eroita_ohjaaja_tai_kasik EPÄONNISTUI, J=-1 k=-1");
}

TEST(Leikkurit, OtsikkoNimeksiJaVuodeksi) {
    struct {
        const char* rivi;
        const char* kortin_nimi;
        const char* nimi;
        const char* vuosi;
    } const tapaukset[] = {
        {"<TITLE>Matrix, The (1999)</TITLE>", "Matriisi (Matrix)", "Matriisi (The Matrix)", "1999"},
        {"<TITLE>Matrix, The (1999)</TITLE>", "Matriisi", "Matriisi (The Matrix)", "1999"},
        {"<TITLE>Matrix, The (1999)</TITLE>", "", "The Matrix", "1999"},
        {"<TITLE>Alien (1979) (TV)</TITLE>", "Alien – kahdeksas matkustaja (Alien)", "Alien – kahdeksas matkustaja (Alien)", "1979"},
        {"<TITLE>Untitled</TITLE>", "X", "X (U)", ""},  // no four digits: the scan ends at the start
        // A name that already is the title, or carries it, does not get it twice.
        {"<title>Troy (2004)</title>", "Troy", "Troy", "2004"},
        {"<title>Troy (2004)</title>", "TROY (jotain)", "TROY", "2004"},
        {"<title>Troy (2004)</title>", "Troija (troy)", "Troija (troy)", "2004"},
    };
    for (const auto& t : tapaukset) {
        const Otsikko o = eroita_otsikko(t.rivi, t.kortin_nimi);
        EXPECT_EQ(o.nimi, t.nimi) << t.rivi;
        EXPECT_EQ(o.vuosi, t.vuosi) << t.rivi;
    }
    EXPECT_EQ(eroita_vuosi("Theater, The (2001/I)"), "2001");  // the window moves left until it finds digits
    EXPECT_EQ(eroita_vuosi("ab"), "");
}

TEST(Leikkurit, ImdbNumeroKaikistaMuodoista) {
    const Tapaus tapaukset[] = {
        {"0332452", "0332452"},
        {" tt0332452 ", "0332452"},  // as the browser's address shows it
        {"TT0332452", "0332452"},
        {"https://www.imdb.com/title/tt10838180/?ref_=fn", "10838180"},  // today's eight digits kept whole
        {"<BASE HREF=\"http://www.imdb.com/Title?0133093\">", "0133093"},
        {"https://example.com/", ""},  // "tt" of "https" starts no number
        {"/title/ttx/", ""},
        {"", ""},
    };
    for (const Tapaus& t : tapaukset) EXPECT_EQ(imdb_numero(t.sisaan), t.odotettu) << t.sisaan;
}

TEST(Leikkurit, LuokitusJaMaaTaulukoista) {
    const Tapaus lajit[] = {
        {"<B CLASS=\"ch\">Genre:</B> <A>Action</A> / <A>Thriller</A> <A>(more)</A>", "Toiminta/Jännitys"},
        {"  Genre: Comedy / Drama / Family", "Komedia/Draama/Perhe"},
        {"Genre: Horror / Mystery / Western", "Kauhu/Lännenelokuva"},
        {"Genre: Documentary / Adventure (more)", "Dokumentti/Seikkailu"},
        {"Genre: Sci-Fi", "Sci-Fi"},
    };
    for (const Tapaus& t : lajit) EXPECT_EQ(eroita_luokitus(t.sisaan), t.odotettu) << t.sisaan;

    const Tapaus maat[] = {
        {"<B CLASS=\"ch\">Country:</B> <A>Finland</A> / <A>Sweden</A>", "Suomi/Ruotsi"},
        {"Country: Norway / USA", "Norja/USA"},
        {"Country:UK", "UK"},
    };
    for (const Tapaus& t : maat) EXPECT_EQ(eroita_maa(t.sisaan), t.odotettu) << t.sisaan;
}

TEST(Leikkurit, ArvosanaPuolikkaatParilliseen) {
    const Tapaus arvosanat[] = {
        {"<B>User Rating:</B> <B>7.5</B>/10 (1,234 votes)", "8"},
        {"<B>User Rating:</B> <B>6.5</B>/10 (1,234 votes)", "6"},
        {"<B>User Rating:</B> <B>10.0</B>/10 (99 votes)", "10"},
        {"<B>User Rating:</B> <B>7,4</B>/10 (99 votes)", ""},  // counted only after a decimal point
        {"<B>User Rating:</B> awaiting 5 votes)", ""},  // no rating: the card keeps its own
    };
    for (const Tapaus& t : arvosanat) {
        Leikkausviestit v;
        EXPECT_EQ(eroita_arvosana(t.sisaan, v), t.odotettu) << t.sisaan;
        EXPECT_TRUE(v.empty());
    }
}

TEST(Leikkurit, TaglineJaJuoni) {
    Leikkausviestit v;
    EXPECT_EQ(eroita_tagline("<B CLASS=\"ch\">Tagline:</B> Free\tyour   mind. <A>(more)</A>", v), "Free your mind.");
    EXPECT_EQ(eroita_plot("<B CLASS=\"ch\">Plot Outline:</B>  <A>(more)</A>", "Tagline", v), "Tagline");
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(eroita_tagline("ei tageja", v), "");
    EXPECT_EQ(eroita_plot("<B>vain yksi", "Varalla", v), "Varalla");
    EXPECT_EQ(v, (Leikkausviestit{"virhe! eroita_tagline, K=0", "virhe! eroita_plot, K=0"}));
}

TEST(Leikkurit, AaniJaKestoListat) {
    EXPECT_EQ(tee_aanilista("Sound Mix: <A>DTS</A> / <A>Dolby Digital</A> / <A>SDDS</A> / <A>Dolby SR</A>"),
              (std::vector<std::string>{"Dolby Surround", "Dolby Digital", "DTS", "SDDS", "** Vapaa valinta:",
                                        "Hifi-Stereo", "Ei hifiraitaa"}));
    EXPECT_EQ(tee_aanilista("Sound Mix: <A>Mono</A>"),
              (std::vector<std::string>{"", "** Vapaa valinta:", "Dolby Surround", "Hifi-Stereo", "Ei hifiraitaa"}));

    EXPECT_EQ(tee_kestolista("<B CLASS=\"ch\">Runtime:</B> 136 min / Argentina:140 min"),
              (std::vector<std::string>{"136 min", "Argentina:140 min"}));
    EXPECT_EQ(tee_kestolista("<B CLASS=\"ch\">Runtime:</B> 90 min"), (std::vector<std::string>{"90 min"}));
    EXPECT_TRUE(tee_kestolista("<B></B>").empty());

    const Tapaus numerot[] = {{"Argentina:140 min", "140 min"}, {"136 min", "136 min"}, {"", ""}, {"** Ei löytynyt", ""}};
    for (const Tapaus& t : numerot) EXPECT_EQ(vain_numerot(t.sisaan), t.odotettu) << t.sisaan;
}

TEST(Leikkurit, HakurivinOsat) {
    Leikkausviestit v;
    const std::string rivi = "<A HREF=\"/Title?0234215\">Matrix Reloaded, The (2003)</A>aka <I>Matrix 2</I>";
    EXPECT_EQ(eroita_nimi(rivi, v), "Matrix Reloaded, The (2003)");
    EXPECT_EQ(eroita_koodi(rivi), "0234215");
    EXPECT_EQ(eroita_aka(rivi), "Matrix 2");
    EXPECT_EQ(eroita_aka("<i>pienet</i>"), "");
    EXPECT_EQ(eroita_koodi("<A HREF=\"/Name?0234215\">"), "");
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(eroita_nimi("<A HREF=\"/Title?0234215\">ei loppua", v), "");
    EXPECT_EQ(v, Leikkausviestit{"IMDB, eroita_nimi, FAILED"});
    EXPECT_EQ(eroita_kansi_url("<A HREF=\"http://x/y.jpg\"><IMG SRC=\"z\">"), "http://x/y.jpg");
}

TEST(Leikkurit, RivinvaihdotJaRivit) {
    EXPECT_EQ(korjaa_rivinvaihdot("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");  // CR LF is not doubled
    EXPECT_EQ(jaa_rivit("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(jaa_rivit("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
