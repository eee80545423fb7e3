#pragma once
// An HTTP server of a test in the test's own process: cpp-httplib on a free port of 127.0.0.1, answering
// from a thread of its own from kaynnista() until it stops. A server of the fixtures derives from it, sets
// its answers on `s` and starts it; its answers may note what was asked and wait while the test holds them.
// One whose answers use members of its own stops in its own destructor (lopeta()), before those members go.
#include <httplib.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testituki {

class Http_palvelin {
public:
    httplib::Server s;

    Http_palvelin() = default;
    Http_palvelin(const Http_palvelin&) = delete;
    Http_palvelin& operator=(const Http_palvelin&) = delete;
    ~Http_palvelin() { lopeta(); }

    // Starts answering with the answers set so far.
    void kaynnista() {
        portti_ = s.bind_to_any_port("127.0.0.1");
        saie_ = std::thread([this] { s.listen_after_bind(); });
    }
    // Lets held answers go and stops; nothing is answered afterwards.
    void lopeta() {
        if (!saie_.joinable()) return;
        paasta();
        while (!s.is_running()) std::this_thread::yield();  // stop() before the loop runs would be lost
        s.stop();
        saie_.join();
    }
    int portti() const { return portti_; }
    std::string osoite() const { return "http://127.0.0.1:" + std::to_string(portti_); }

    // While held, an answer that calls odota() waits until the test lets it go.
    void pidata() {
        std::lock_guard<std::mutex> l(m_);
        pidetaan_ = true;
    }
    void paasta() {
        {
            std::lock_guard<std::mutex> l(m_);
            pidetaan_ = false;
        }
        cv_.notify_all();
    }
    void odota() {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait(l, [this] { return !pidetaan_; });
    }

    // What was asked, a line a request in the order they came, as the answers noted it.
    void kirjaa(std::string pyynto) {
        std::lock_guard<std::mutex> l(m_);
        pyynnot_.push_back(std::move(pyynto));
    }
    std::vector<std::string> pyynnot() {
        std::lock_guard<std::mutex> l(m_);
        return pyynnot_;
    }
    // How many of those start with `alku`.
    int pyyntoja(const std::string& alku) {
        int n = 0;
        for (const std::string& p : pyynnot()) n += p.rfind(alku, 0) == 0;
        return n;
    }
    void tyhjenna() {
        std::lock_guard<std::mutex> l(m_);
        pyynnot_.clear();
    }

private:
    int portti_ = 0;
    std::mutex m_;
    std::condition_variable cv_;
    bool pidetaan_ = false;
    std::vector<std::string> pyynnot_;
    std::thread saie_;
};

}  // namespace testituki
