// The HTTP client against a real server on 127.0.0.1: redirects, errors, a dropped and a stalled answer,
// abort from the event pump and from another thread, and answers too big, endless or packed as a bomb.
#include "net/http.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <zlib.h>

#include <thread>

#include "testituki/http_palvelin.h"
#include "testituki/suljettu_portti.h"

namespace {

// Answers of every kind a client meets; "/jumittaa" hangs after its first bytes until the server stops.
class Palvelin : public testituki::Http_palvelin {
public:

    // A gzip member of n zero bytes: a few hundred kilobytes on the wire.
    static std::string pakattu_nollia(std::size_t n) {
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, 31, 9, Z_DEFAULT_STRATEGY);
        const std::string nollat(1u << 20, '\0');
        std::string ulos;
        char puskuri[1 << 16];
        for (std::size_t tehty = 0; tehty <= n; tehty += nollat.size()) {
            const bool viimeinen = tehty == n;
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(nollat.data()));
            z.avail_in = viimeinen ? 0 : static_cast<uInt>(nollat.size());
            do {
                z.next_out = reinterpret_cast<Bytef*>(puskuri);
                z.avail_out = sizeof puskuri;
                deflate(&z, viimeinen ? Z_FINISH : Z_NO_FLUSH);
                ulos.append(puskuri, sizeof puskuri - z.avail_out);
            } while (z.avail_out == 0);
        }
        deflateEnd(&z);
        return ulos;
    }

    Palvelin() {
        pidata();
        s.Get("/sivu", [](const httplib::Request&, httplib::Response& r) { r.set_content("<html>sivu</html>", "text/html"); });
        s.Get("/ohjaa", [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/sivu"); });
        s.Get("/otsakkeet", [](const httplib::Request& q, httplib::Response& r) {
            r.set_content(q.get_header_value("Accept") + "|" + q.get_header_value("User-Agent"), "text/plain");
        });
        s.Get("/vain_uusi", [](const httplib::Request& q, httplib::Response& r) {
            if (q.get_header_value("User-Agent").find("Mozilla/3.0") != std::string::npos) r.status = 403;
            else r.set_content("tervetuloa", "text/plain");
        });
        s.Get("/katkeaa", [](const httplib::Request&, httplib::Response& r) {
            r.set_content_provider(100000, "image/jpeg", [](std::size_t, std::size_t, httplib::DataSink& sink) {
                sink.write("alku", 4);
                return false;  // the connection drops with most of the body missing
            });
        });
        s.Get("/jumittaa", [this](const httplib::Request&, httplib::Response& r) {
            r.set_content_provider(1000, "text/html", [this](std::size_t, std::size_t, httplib::DataSink& sink) {
                sink.write("alku", 4);
                odota();
                return false;
            });
        });
        s.Get("/suuri", [](const httplib::Request&, httplib::Response& r) {
            r.set_content(std::string(2u << 20, 'x'), "text/html");
        });
        s.Get("/loputon", [](const httplib::Request&, httplib::Response& r) {
            r.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
                const std::string lohko(64 * 1024, 'y');
                return sink.write(lohko.data(), lohko.size());
            });
        });
        s.Get("/pommi", [](const httplib::Request&, httplib::Response& r) {
            static const std::string pommi = pakattu_nollia(256u << 20);
            r.set_header("Content-Encoding", "gzip");
            r.set_content(pommi, "text/html");
        });
        // As a proxy: the request names the whole address, and credentials are asked for first.
        s.Get(R"(http://elokuvat\.invalid/.*)", [](const httplib::Request& q, httplib::Response& r) {
            if (!q.has_header("Proxy-Authorization")) {
                r.status = 407;
                r.set_header("Proxy-Authenticate", "Basic realm=\"valityspalvelin\"");
                return;
            }
            r.set_content(q.path + "|" + q.get_header_value("Proxy-Authorization"), "text/plain");
        });
        kaynnista();
    }
    std::string url(const std::string& polku) const { return osoite() + polku; }
};

class Http : public ::testing::Test {
protected:
    Palvelin palvelin;
    net::HttpAsiakas h;
    HttpVastaus v;

    Tulos hae(const std::string& url, std::size_t enintaan = sivun_enimmaiskoko) {
        HttpPyynto p;
        p.url = url;
        p.enintaan = enintaan;
        return h.hae(p, v);
    }
};

TEST_F(Http, UudelleenohjausJaEdistyminen) {
    std::uint64_t viimeksi = 0;
    h.vastaanotettu = [&](std::uint64_t n) { viimeksi = n; };
    const Tulos t = hae(palvelin.url("/ohjaa"));
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(v.runko, "<html>sivu</html>");
    EXPECT_EQ(viimeksi, 17u);
    EXPECT_EQ(v.tila, 200);
    EXPECT_EQ(v.osoite, palvelin.url("/sivu"));
}

TEST_F(Http, VanhatOtsakkeetJaUusiKayttajaKunVanhaTorjutaan) {
    ASSERT_TRUE(hae(palvelin.url("/otsakkeet")));
    EXPECT_EQ(v.runko, std::string(net::vanha_accept) + "|" + net::vanha_kayttaja);
    const Tulos t = hae(palvelin.url("/vain_uusi"));
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(v.runko, "tervetuloa");
    HttpPyynto oma;
    oma.url = palvelin.url("/otsakkeet");
    oma.accept = "application/json";
    oma.user_agent = "Rullakko";
    ASSERT_TRUE(h.hae(oma, v));
    EXPECT_EQ(v.runko, "application/json|Rullakko");
}

TEST_F(Http, ValityspalvelimenKauttaTunnuksin) {
    h.proxy = net::Valityspalvelin{"127.0.0.1", std::to_string(palvelin.portti()), "kayttaja", "salasana"};
    const Tulos t = hae("http://elokuvat.invalid/Title?0133093");
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(v.runko, "http://elokuvat.invalid/Title|Basic a2F5dHRhamE6c2FsYXNhbmE=");
}

TEST_F(Http, EpaonnistuminenEiAnnaRunkoa) {
    struct {
        const char* polku;
        int koodi;
    } const tapaukset[] = {{"/puuttuu", 404}, {"/katkeaa", 18 /* CURLE_PARTIAL_FILE */}};
    for (const auto& t : tapaukset) {
        const Tulos r = hae(palvelin.url(t.polku));
        EXPECT_FALSE(r) << t.polku;
        EXPECT_EQ(r.koodi, t.koodi) << t.polku << ": " << r.viesti;
        EXPECT_FALSE(r.viesti.empty());
        EXPECT_TRUE(v.runko.empty()) << t.polku;
    }
    // Nobody listens on this port once the server is gone: a refused connection is a failure that says so.
    const int vapaa = testituki::vapaa_portti();
    const Tulos ei_yhteytta = hae("http://127.0.0.1:" + std::to_string(vapaa) + "/");
    EXPECT_FALSE(ei_yhteytta);
    EXPECT_NE(ei_yhteytta.viesti.find("palvelimeen ei saatu yhteyttä"), std::string::npos) << ei_yhteytta.viesti;
    EXPECT_FALSE(hae("file:///etc/passwd"));  // only http and https
}

TEST_F(Http, PysahtynytSiirtoAikakatkaistaan) {
    h.pysahdys_aikaraja_s = 1;
    const Tulos t = hae(palvelin.url("/jumittaa"));
    EXPECT_EQ(t.koodi, 28 /* CURLE_OPERATION_TIMEDOUT */) << t.viesti;
}

TEST_F(Http, KeskeytysTapahtumankasittelijasta) {
    int kierroksia = 0;
    h.kasittele_viestit = [&] {
        EXPECT_TRUE(h.kaynnissa());
        if (++kierroksia == 3) h.keskeyta();
    };
    const Tulos t = hae(palvelin.url("/jumittaa"));
    EXPECT_FALSE(t);
    EXPECT_EQ(t.viesti, "Siirto keskeytettiin.");
    EXPECT_FALSE(h.kaynnissa());
    h.kasittele_viestit = nullptr;
    EXPECT_TRUE(hae(palvelin.url("/sivu")));  // the next transfer is not aborted
}

// With no pump at all, a cancel from another thread still ends a transfer that would otherwise wait for its
// stall limit (here far beyond the test's run).
TEST_F(Http, KeskeytysToisestaSaikeesta) {
    h.pysahdys_aikaraja_s = 3600;
    h.aikaraja_ms = 3600 * 1000;
    std::thread keskeyttaja([&] {
        while (!h.kaynnissa()) std::this_thread::yield();
        h.keskeyta();
    });
    const Tulos t = hae(palvelin.url("/jumittaa"));
    keskeyttaja.join();
    EXPECT_EQ(t.viesti, "Siirto keskeytettiin.");
}

// The limit counts decoded bytes: a declared length, an endless body and a small packed answer that
// unpacks to 256 MB are all refused at the limit, with the same message.
TEST_F(Http, YlisuuriVastausTorjutaan) {
    for (const char* polku : {"/suuri", "/loputon", "/pommi"}) {
        std::uint64_t eniten = 0;
        h.vastaanotettu = [&](std::uint64_t n) { eniten = std::max(eniten, n); };
        const Tulos t = hae(palvelin.url(polku), 1u << 20);
        EXPECT_FALSE(t) << polku;
        EXPECT_EQ(t.viesti, "Vastaus osoitteesta " + palvelin.url(polku) +
                                " on suurempi kuin 1 Mt, joten sitä ei otettu vastaan.") << polku;
        EXPECT_LE(eniten, 1u << 20) << polku;
        EXPECT_TRUE(v.runko.empty()) << polku;
    }
    ASSERT_TRUE(hae(palvelin.url("/suuri"), 2u << 20));  // exactly at the limit is accepted
    EXPECT_EQ(v.runko.size(), 2u << 20);
}

}  // namespace
