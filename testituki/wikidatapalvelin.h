#pragma once
// The small Wikidata, Finnish Wikipedia and Commons of the fixtures over HTTP on 127.0.0.1, for tests that
// reach them through the program's own client: the window, rkb and the source end to end.
#include <mutex>
#include <string>

#include "testituki/http_palvelin.h"
#include "testituki/wikidatapalvelu.h"

class Wikidatapalvelin : public testituki::Http_palvelin {
public:
    Wikidatapalvelu palvelu;

    // `kansikuva`: what Commons answers for every poster, after the redirect its file addresses make.
    explicit Wikidatapalvelin(std::string kansikuva = {}) : kansikuva_(std::move(kansikuva)) {
        const auto vastaa = [this](const httplib::Request& q, httplib::Response& r) {
            {
                std::lock_guard<std::mutex> l(m_);
                agentti_ = q.get_header_value("User-Agent");
            }
            const Palveluvastaus v = palvelu.vastaa(q.path, Wikidatapalvelu::Parametrit(q.params.begin(), q.params.end()));
            r.status = v.tila;
            r.set_content(v.runko, "application/json; charset=utf-8");
        };
        s.Get("/w/api.php", vastaa);
        s.Get(R"(/api/rest_v1/page/summary/.+)", vastaa);
        s.Get(R"(/wiki/Special:FilePath/(.+))", [](const httplib::Request& q, httplib::Response& r) {
            r.set_redirect("/upload/" + std::string(q.matches[1]));
        });
        s.Get(R"(/upload/.+)", [this](const httplib::Request&, httplib::Response& r) {
            if (kansikuva_.empty()) r.status = 404;
            else r.set_content(kansikuva_, "image/jpeg");
        });
        kaynnista();
    }
    ~Wikidatapalvelin() { lopeta(); }
    // The User-Agent of the last request to the sites' interfaces.
    std::string agentti() {
        std::lock_guard<std::mutex> l(m_);
        return agentti_;
    }

private:
    std::string kansikuva_;
    std::mutex m_;
    std::string agentti_;
};
