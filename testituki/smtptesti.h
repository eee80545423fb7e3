#pragma once
// A real SMTP server for one test: tools/palvelut/smtp_palvelin.py started as a child process on
// 127.0.0.1, stopped (its standard input closed) when the object goes. The messages it accepted are read
// back from its folder.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testituki/tilapainen_kansio.h"

namespace smtptesti {

struct Asetukset {
    std::string auth;        // "user:pass": AUTH is required
    bool katkaise = false;   // the connection is dropped when the message has arrived
    bool jumita = false;     // the message is taken and never answered
    bool tls = false;        // STARTTLS offered, with a certificate of its own (varmenne())
};

class Palvelin {
public:
    explicit Palvelin(Asetukset a = {}) {
        int sisaan[2], ulos[2];
        if (::pipe(sisaan) != 0 || ::pipe(ulos) != 0) return;
        const std::string skripti = std::string(RULLAKKO_SOURCE_DIR) + "/tools/palvelut/smtp_palvelin.py";
        std::vector<std::string> arg = {"/usr/bin/python3", skripti, "--kansio", kansio_.juuri().string()};
        if (!a.auth.empty()) arg.insert(arg.end(), {"--auth", a.auth});
        if (a.katkaise) arg.push_back("--katkaise");
        if (a.jumita) arg.push_back("--jumita");
        if (a.tls) arg.push_back("--tls");
        // Everything the child needs is made before the fork: it only rewires its pipes and runs the server.
        std::vector<char*> argv;
        for (auto& s : arg) argv.push_back(s.data());
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(sisaan[0], 0);
            ::dup2(ulos[1], 1);
            ::close(sisaan[1]);
            ::close(ulos[0]);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(sisaan[0]);
        ::close(ulos[1]);
        syote_ = sisaan[1];
        ::fcntl(syote_, F_SETFD, FD_CLOEXEC);
        // Blocks until the server has bound its port and says which one.
        FILE* f = ::fdopen(ulos[0], "r");
        char rivi[64] = "";
        if (f && std::fgets(rivi, sizeof rivi, f)) std::sscanf(rivi, "PORTTI %d", &portti_);
        if (f) std::fclose(f);
    }
    ~Palvelin() {
        if (syote_ >= 0) ::close(syote_);
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    }
    Palvelin(const Palvelin&) = delete;
    Palvelin& operator=(const Palvelin&) = delete;

    int portti() const { return portti_; }
    std::string osoite() const { return "127.0.0.1:" + std::to_string(portti_); }
    const std::filesystem::path& kansio() const { return kansio_.juuri(); }
    // The certificate the server shows when it offers TLS.
    std::string varmenne() const { return (kansio_ / "varmenne.pem").string(); }

    // Messages accepted so far (NNN.eml, in order).
    int viesteja() const {
        int n = 0;
        while (std::filesystem::exists(kansio_ / (nimi(n + 1) + ".eml"))) ++n;
        return n;
    }
    // A file of message n (1-based): "eml", "kuori", "otsakkeet", "teksti" or "liite.NAME".
    std::string lue(int n, const std::string& paate) const {
        std::ifstream f(kansio_ / (nimi(n) + "." + paate), std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    // One decoded header of message n (cp1252), empty when missing.
    std::string otsake(int n, const std::string& nimi_) const {
        std::istringstream s(lue(n, "otsakkeet"));
        for (std::string r; std::getline(s, r);)
            if (r.rfind(nimi_ + ": ", 0) == 0) return r.substr(nimi_.size() + 2);
        return {};
    }

private:
    static std::string nimi(int n) {
        char b[16];
        std::snprintf(b, sizeof b, "%03d", n);
        return b;
    }
    testituki::Tilapainen_kansio kansio_{"smtp"};
    pid_t pid_ = -1;
    int syote_ = -1;
    int portti_ = 0;
};

}  // namespace smtptesti
