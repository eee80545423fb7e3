#pragma once
// The real file system with failures on order: any step on a path containing a given text fails with a
// given errno, after a number of successful calls if asked, and writes into a folder can be given a byte
// budget beyond which they fail with ENOSPC (a disk that fills up part-way).
#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "perus/tiedostojarjestelma.h"

class VikaantuvatTiedostot final : public Tiedostojarjestelma {
public:
    enum class Vaihe { Avaa, Luo, Lue, Kirjoita, Synkronoi, Sulje, Tiedot, Oikeudet, Omistaja, Kirjoitusoikeus, Linkki, Nimea, Poista,
                       LuoKansiot, Listaa, VapaaTila };

    // Calls of `vaihe` whose path contains `polun_osa` (empty: every path) fail with `virhe`, once `ohita`
    // of them have succeeded, `kertaa` times (negative: from then on). Luo is an open that may create the
    // file, Avaa any other open; LuoKansiot is either way of making a folder.
    void epaonnistu(Vaihe vaihe, int virhe, std::string polun_osa = {}, int ohita = 0, int kertaa = -1) {
        saannot_.push_back({vaihe, virhe, std::move(polun_osa), ohita, kertaa});
    }
    // Writes to files whose path contains `polun_osa` succeed for `tavuja` bytes in all, then fail with ENOSPC.
    void rajoita_tilaa(std::string polun_osa, std::uint64_t tavuja) { tila_.push_back({std::move(polun_osa), tavuja}); }
    void vapaata(std::uint64_t tavuja) { vapaa_ = tavuja; }
    void nollaa() {
        saannot_.clear();
        tila_.clear();
        vapaa_ = -1;
    }
    // How many calls of a step failed on order.
    int epaonnistuneet(Vaihe v) const {
        const auto it = epaonnistuneet_.find(v);
        return it == epaonnistuneet_.end() ? 0 : it->second;
    }

    Kuvaaja avaa(const std::filesystem::path& p, int liput, mode_t oikeudet) override {
        if (const int e = vika((liput & O_CREAT) ? Vaihe::Luo : Vaihe::Avaa, p)) return {-1, jarjestelmalta(e)};
        const Kuvaaja a = oikea().avaa(p, liput, oikeudet);
        if (a.tulos) polut_[a.fd] = p.string();
        return a;
    }
    Siirretty lue(int fd, void* b, std::size_t n, std::uint64_t k) override {
        if (const int e = vika(Vaihe::Lue, polut_[fd])) return {0, jarjestelmalta(e)};
        return oikea().lue(fd, b, n, k);
    }
    Siirretty kirjoita(int fd, const void* b, std::size_t n) override {
        if (const int e = vika(Vaihe::Kirjoita, polut_[fd])) return {0, jarjestelmalta(e)};
        for (Tila& t : tila_) {
            if (polut_[fd].find(t.polun_osa) == std::string::npos) continue;
            if (t.jaljella == 0) {
                ++epaonnistuneet_[Vaihe::Kirjoita];
                return {0, jarjestelmalta(ENOSPC)};
            }
            n = static_cast<std::size_t>(std::min<std::uint64_t>(n, t.jaljella));
        }
        const Siirretty r = oikea().kirjoita(fd, b, n);
        if (r.tulos)
            for (Tila& t : tila_)
                if (polut_[fd].find(t.polun_osa) != std::string::npos) t.jaljella -= r.tavuja;
        return r;
    }
    Tulos synkronoi(int fd) override {
        if (const int e = vika(Vaihe::Synkronoi, polut_[fd])) return jarjestelmalta(e);
        return oikea().synkronoi(fd);
    }
    Tulos sulje(int fd) override {
        const std::string p = polut_[fd];
        polut_.erase(fd);
        Tulos r = oikea().sulje(fd);
        if (const int e = vika(Vaihe::Sulje, p)) return jarjestelmalta(e);
        return r;
    }
    Tulos tiedot(int fd, Tiedostotiedot& t) override {
        if (const int e = vika(Vaihe::Tiedot, polut_[fd])) return jarjestelmalta(e);
        return oikea().tiedot(fd, t);
    }
    Tulos aseta_oikeudet(int fd, mode_t o) override {
        if (const int e = vika(Vaihe::Oikeudet, polut_[fd])) return jarjestelmalta(e);
        return oikea().aseta_oikeudet(fd, o);
    }
    Tulos aseta_omistaja(int fd, uid_t u, gid_t g) override {
        if (const int e = vika(Vaihe::Omistaja, polut_[fd])) return jarjestelmalta(e);
        return oikea().aseta_omistaja(fd, u, g);
    }
    Tulos tiedot(const std::filesystem::path& p, Tiedostotiedot& t, bool seuraa) override {
        if (const int e = vika(Vaihe::Tiedot, p)) return jarjestelmalta(e);
        return oikea().tiedot(p, t, seuraa);
    }
    Tulos kirjoitusoikeus(const std::filesystem::path& p) override {
        if (const int e = vika(Vaihe::Kirjoitusoikeus, p)) return jarjestelmalta(e);
        return oikea().kirjoitusoikeus(p);
    }
    Tulos lue_linkki(const std::filesystem::path& p, std::filesystem::path& k) override {
        if (const int e = vika(Vaihe::Linkki, p)) return jarjestelmalta(e);
        return oikea().lue_linkki(p, k);
    }
    Tulos nimea(const std::filesystem::path& a, const std::filesystem::path& b) override {
        if (const int e = vika(Vaihe::Nimea, b.string() + "\n" + a.string())) return jarjestelmalta(e);
        return oikea().nimea(a, b);
    }
    Tulos poista(const std::filesystem::path& p) override {
        if (const int e = vika(Vaihe::Poista, p)) return jarjestelmalta(e);
        return oikea().poista(p);
    }
    Tulos poista_kaikki(const std::filesystem::path& p) override {
        if (const int e = vika(Vaihe::Poista, p)) return jarjestelmalta(e);
        return oikea().poista_kaikki(p);
    }
    Tulos luo_kansiot(const std::filesystem::path& p) override {
        if (const int e = vika(Vaihe::LuoKansiot, p)) return jarjestelmalta(e);
        return oikea().luo_kansiot(p);
    }
    Tulos luo_kansio(const std::filesystem::path& p, mode_t o) override {
        if (const int e = vika(Vaihe::LuoKansiot, p)) return jarjestelmalta(e);
        return oikea().luo_kansio(p, o);
    }
    Tulos listaa(const std::filesystem::path& k, std::vector<Kansiorivi>& r) override {
        if (const int e = vika(Vaihe::Listaa, k)) return jarjestelmalta(e);
        return oikea().listaa(k, r);
    }
    Tulos vapaa_tila(const std::filesystem::path& p, std::uint64_t& t) override {
        if (const int e = vika(Vaihe::VapaaTila, p)) return jarjestelmalta(e);
        if (vapaa_ >= 0) {
            t = static_cast<std::uint64_t>(vapaa_);
            return Tulos::ok();
        }
        return oikea().vapaa_tila(p, t);
    }

private:
    struct Saanto {
        Vaihe vaihe;
        int virhe;
        std::string polun_osa;
        int ohita;
        int kertaa;
    };
    struct Tila {
        std::string polun_osa;
        std::uint64_t jaljella;
    };
    static Tiedostojarjestelma& oikea() { return jarjestelman_tiedostot(); }

    int vika(Vaihe v, const std::filesystem::path& p) { return vika(v, p.string()); }
    int vika(Vaihe v, const std::string& p) {
        for (Saanto& s : saannot_) {
            if (s.vaihe != v || p.find(s.polun_osa) == std::string::npos) continue;
            if (s.ohita > 0) {
                --s.ohita;
                continue;
            }
            if (s.kertaa == 0) continue;
            if (s.kertaa > 0) --s.kertaa;
            ++epaonnistuneet_[v];
            return s.virhe;
        }
        return 0;
    }

    std::vector<Saanto> saannot_;
    std::vector<Tila> tila_;
    long long vapaa_ = -1;
    std::map<int, std::string> polut_;
    std::map<Vaihe, int> epaonnistuneet_;
};
