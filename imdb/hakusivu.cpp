#include "imdb/hakusivu.h"


#include "imdb/json_raja.h"
#include "imdb/osoitteet.h"
#include "perus/merkisto.h"
#include "perus/teksti.h"

using nlohmann::json;

namespace {

bool jokin(std::string_view rivi, std::initializer_list<const char*> mitka) {
    for (const char* m : mitka)
        if (sisaltaa(m, rivi)) return true;
    return false;
}

void lisaa(Hakutulokset& h, std::string rivi, std::string koodi = {}, std::string aka = {}) {
    h.rivit.push_back(std::move(rivi));
    h.koodit.push_back(std::move(koodi));
    h.akat.push_back(std::move(aka));
}

}  // namespace

std::string hakulauseke(std::string_view hakusana) {
    std::string q(hakusana);
    for (char& c : q)
        if (c == ' ') c = '+';
    return q;
}

std::string hakusana_nimesta(std::string_view nimi) {
    const std::size_t s = nimi.rfind('(');
    if (s == std::string_view::npos) return std::string(nimi);
    // From after the last "(" up to, not including, the name's last character.
    const std::string sisalla = s + 1 < nimi.size() ? std::string(nimi.substr(s + 1, nimi.size() - 1 - (s + 1))) : "";
    return sisalla.empty() ? std::string(nimi) : sisalla;
}

std::vector<std::string> siivoa_hakusivu(std::string_view sivu) {
    std::vector<std::string> ulos;
    const std::vector<std::string> rivit = jaa_rivit(sivu);
    std::size_t i = 0;
    while (i < rivit.size()) {
        const std::string& r = rivit[i++];
        if (!sisaltaa("<A NAME=\"top\">Most popular searches</A>", r) &&
            !sisaltaa("<H2><A NAME=\"mov\">Movies</A></H2>", r))
            continue;
        ulos.push_back(poista_tagit(r));
        while (i < rivit.size()) {
            std::string l = siivoa_rivi(rivit[i++]);
            if (sisaltaa("NAME", l)) l = poista_tagit(l);
            if (sisaltaa("</td>", l)) break;
            if (l.size() <= 2) continue;
            ulos.push_back(std::move(l));
        }
    }
    return ulos;
}

Hakutulokset lue_hakutulokset(const std::vector<std::string>& rivit) {
    Hakutulokset h;
    int r = -1;
    // One line of the page can open a section and name a title; the list stops at its row limit even
    // within a line.
    const auto mahtuu = [&r] { return r < hakurivien_raja; };
    for (std::size_t i = 0; i < rivit.size(); ++i) {
        std::string rivi = rivit[i];
        if (sisaltaa("Most popular", rivi) && mahtuu()) {
            lisaa(h, suosituimmat_otsake);
            ++r;
        }
        if (sisaltaa("Movies", rivi) && !jokin(rivi, {"<", "TV", "(", "aka", "..."}) && mahtuu()) {
            lisaa(h, elokuvat_otsake);
            ++r;
        }
        bool loppui = false;
        if (rivi == "Video Games" || sisaltaa("special interest areas that are only available", rivi)) {
            // The rest is not about movies; only the file's last line still goes through the steps below.
            rivi = rivit.back();
            loppui = true;
        }
        if (sisaltaa("Movies", rivi) && sisaltaa("TV", rivi) && !jokin(rivi, {"<", "(", "aka", "..."}) && mahtuu()) {
            lisaa(h, tv_elokuvat_otsake);
            ++r;
        }
        if (sisaltaa("HREF", rivi) && !sisaltaa("(VG)", rivi) && mahtuu()) {
            lisaa(h, eroita_nimi(rivi, h.viestit));
            ++r;
        }
        if (r > hakurivien_raja - 1) {
            h.liian_monta = true;
            h.viestit.push_back("Liian monta elokuvaa löytyi, takenna hakua!");
            break;
        }
        if (r >= 0) {
            const auto ri = static_cast<std::size_t>(r);
            if (const std::string k = eroita_koodi(rivi); !k.empty() && h.koodit[ri].empty()) h.koodit[ri] = k;
            if (const std::string a = eroita_aka(rivi); !a.empty() && h.akat[ri].empty()) h.akat[ri] = a;
        }
        if (loppui) break;
    }
    return h;
}

std::string ehdotusosoite(std::string_view hakusana) {
    // Today's suggestion service answers /suggestion/<first letter>/<query>.json with the titles that
    // match; it is what the site's own search box asks while one types.
    std::string q;
    static const char* heksa = "0123456789ABCDEF";
    const std::string utf8 = merkisto::cp1252_utf8(hakusana);
    for (unsigned char c : utf8) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            q += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        } else {
            q += '%';
            q += heksa[c >> 4];
            q += heksa[c & 15];
        }
    }
    const char eka = !q.empty() && ((q[0] >= 'a' && q[0] <= 'z') || (q[0] >= '0' && q[0] <= '9')) ? q[0] : 'x';
    return ehdotus_osoite() + "/suggestion/" + std::string(1, eka) + "/" + q + ".json";
}

Hakutulokset lue_ehdotukset(std::string_view json_teksti) {
    Hakutulokset h;
    h.nykyinen = true;
    const json j = jasenna_rajattu(json_teksti);
    if (j.is_discarded() || !j.is_object() || !j.contains("d") || !j["d"].is_array()) return h;
    struct Osuma {
        std::string rivi, koodi, aka;
    };
    std::vector<Osuma> elokuvat, tv;
    for (const json& e : j["d"]) {
        if (!e.is_object() || !e.contains("id") || !e["id"].is_string() || !e.contains("l") || !e["l"].is_string())
            continue;
        const std::string id = e["id"].get<std::string>();
        if (id.size() < 3 || id.compare(0, 2, "tt") != 0) continue;  // people and companies are not titles
        std::string rivi = merkisto::utf8_cp1252(e["l"].get<std::string>());
        if (e.contains("y") && e["y"].is_number_integer()) rivi += " (" + std::to_string(e["y"].get<int>()) + ")";
        // The suggestions name no other titles ("s" lists the stars), so today's rows have no aka.
        const std::string aka;
        const std::string laji = e.contains("qid") && e["qid"].is_string() ? e["qid"].get<std::string>() : "";
        (laji.rfind("tv", 0) == 0 ? tv : elokuvat).push_back({rivi, id.substr(2), aka});
    }
    // Rows 0..hakurivien_raja can be filled, section headers included.
    const auto mahtuu = [&] {
        if (static_cast<int>(h.rivit.size()) <= hakurivien_raja) return true;
        h.liian_monta = true;
        return false;
    };
    const auto osio = [&](const char* otsake, const std::vector<Osuma>& l) {
        if (l.empty() || !mahtuu()) return;
        lisaa(h, otsake);
        for (const Osuma& o : l) {
            if (!mahtuu()) return;
            lisaa(h, o.rivi, o.koodi, o.aka);
        }
    };
    osio(elokuvat_otsake, elokuvat);
    osio(tv_elokuvat_otsake, tv);
    return h;
}

int ensimmainen_nimike(const Hakutulokset& h) {
    for (std::size_t i = 0; i < h.rivit.size(); ++i)
        if (h.rivit[i].size() > 1 && h.rivit[i][0] != '-') return static_cast<int>(i);
    return -1;
}
