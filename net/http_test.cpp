// The HTTP client against a real server on 127.0.0.1: redirects, errors, a dropped and a stalled answer,
// abort, and the file that is only there when the whole body arrived.
#include "net/http.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include <unistd.h>

#include "perus/tiedostot.h"
#include "testituki/suljettu_portti.h"

namespace fs = std::filesystem;

namespace {

class Palvelin {
public:
    httplib::Server s;
    int portti = 0;
    std::mutex m;
    std::condition_variable cv;
    bool vapauta = false;

    Palvelin() {
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
                std::unique_lock<std::mutex> l(m);
                cv.wait(l, [this] { return vapauta; });
                return false;
            });
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
        portti = s.bind_to_any_port("127.0.0.1");
        saie = std::thread([this] { s.listen_after_bind(); });
    }
    ~Palvelin() {
        while (!s.is_running()) std::this_thread::yield();  // stop() before the loop runs would be lost
        {
            std::lock_guard<std::mutex> l(m);
            vapauta = true;
        }
        cv.notify_all();
        s.stop();
        saie.join();
    }
    std::string url(const std::string& polku) const { return "http://127.0.0.1:" + std::to_string(portti) + polku; }

private:
    std::thread saie;
};

class Http : public ::testing::Test {
protected:
    Palvelin palvelin;
    fs::path kansio = fs::temp_directory_path() / ("http_test_" + std::to_string(::getpid()));
    fs::path kohde = kansio / "sivu.html";
    net::HttpAsiakas h;

    void SetUp() override { fs::create_directories(kansio); }
    void TearDown() override { fs::remove_all(kansio); }
    std::string sisalto() {
        std::string s;
        EXPECT_TRUE(lue_koko_tiedosto(kohde, s));
        return s;
    }
    // Nothing but the target (when given) is left in the folder: no temporary file stays behind.
    void vain_kohde(bool olemassa) {
        int n = 0;
        for (const auto& e : fs::directory_iterator(kansio)) {
            EXPECT_EQ(e.path(), kohde);
            ++n;
        }
        EXPECT_EQ(n, olemassa ? 1 : 0);
    }
};

TEST_F(Http, UudelleenohjausJaEdistyminen) {
    std::uint64_t viimeksi = 0;
    h.vastaanotettu = [&](std::uint64_t n) { viimeksi = n; };
    const Tulos t = h.hae(palvelin.url("/ohjaa"), kohde);
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(sisalto(), "<html>sivu</html>");
    EXPECT_EQ(viimeksi, 17u);
    EXPECT_EQ(h.tila(), 200);
    vain_kohde(true);
}

TEST_F(Http, VanhatOtsakkeetJaUusiKayttajaKunVanhaTorjutaan) {
    ASSERT_TRUE(h.hae(palvelin.url("/otsakkeet"), kohde));
    EXPECT_EQ(sisalto(), std::string(net::vanha_accept) + "|" + net::vanha_kayttaja);
    const Tulos t = h.hae(palvelin.url("/vain_uusi"), kohde);
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(sisalto(), "tervetuloa");
}

TEST_F(Http, ValityspalvelimenKauttaTunnuksin) {
    h.proxy = net::Valityspalvelin{"127.0.0.1", std::to_string(palvelin.portti), "kayttaja", "salasana"};
    const Tulos t = h.hae("http://elokuvat.invalid/Title?0133093", kohde);
    ASSERT_TRUE(t) << t.viesti;
    EXPECT_EQ(sisalto(), "http://elokuvat.invalid/Title|Basic a2F5dHRhamE6c2FsYXNhbmE=");
}

TEST_F(Http, EpaonnistuminenEiJataTiedostoa) {
    struct {
        const char* polku;
        int koodi;
    } const tapaukset[] = {{"/puuttuu", 404}, {"/katkeaa", 18 /* CURLE_PARTIAL_FILE */}};
    for (const auto& t : tapaukset) {
        ASSERT_TRUE(korvaa_tiedosto(kohde, "vanha sivu"));  // an old page must not pass for the new one
        const Tulos r = h.hae(palvelin.url(t.polku), kohde);
        EXPECT_FALSE(r) << t.polku;
        EXPECT_EQ(r.koodi, t.koodi) << t.polku << ": " << r.viesti;
        EXPECT_FALSE(r.viesti.empty());
        vain_kohde(false);
    }
    // Nobody listens on this port once the server is gone: a refused connection is a failure too.
    const int vapaa = testituki::vapaa_portti();
    EXPECT_FALSE(h.hae("http://127.0.0.1:" + std::to_string(vapaa) + "/", kohde));
    EXPECT_FALSE(h.hae("file:///etc/passwd", kohde));  // only http and https
    vain_kohde(false);
}

TEST_F(Http, PysahtynytSiirtoAikakatkaistaan) {
    h.pysahdys_aikaraja_s = 1;
    const Tulos t = h.hae(palvelin.url("/jumittaa"), kohde);
    EXPECT_EQ(t.koodi, 28 /* CURLE_OPERATION_TIMEDOUT */) << t.viesti;
    vain_kohde(false);
}

TEST_F(Http, KeskeytysTapahtumankasittelijasta) {
    int kierroksia = 0;
    h.kasittele_viestit = [&] {
        EXPECT_TRUE(h.kaynnissa());
        if (++kierroksia == 3) h.keskeyta();
    };
    const Tulos t = h.hae(palvelin.url("/jumittaa"), kohde);
    EXPECT_FALSE(t);
    EXPECT_EQ(t.viesti, "Siirto keskeytettiin.");
    EXPECT_FALSE(h.kaynnissa());
    vain_kohde(false);
    h.kasittele_viestit = nullptr;
    EXPECT_TRUE(h.hae(palvelin.url("/sivu"), kohde));  // the next transfer is not aborted
}

}  // namespace
