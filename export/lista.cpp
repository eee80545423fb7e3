#include "export/lista.h"

#include <cstdlib>
#include <system_error>

#include "diag/loki.h"
#include "mainwindow/kesto.h"
#include "perus/tiedostot.h"
#include "perus/merkisto.h"

namespace {

void tayta(std::string& s, std::size_t pituus, char merkki = ' ') {
    if (s.size() < pituus) s.append(pituus - s.size(), merkki);
}

constexpr const char* rivinvaihto = "\r\n";

std::string listan_otsake() {
    std::string s = "Numero";
    tayta(s, 10);
    s += "Elokuvan nimi, Kasetin/levyn tyyppi, Kesto";
    tayta(s, 55);
    s += "Luokitus";
    tayta(s, 80);
    return s + "Ääniraita";
}

std::string tulosteen_sarakkeet() {
    std::string s = "Kasetilla Elokuvan nimi, kasetin tyyppi, kesto";
    tayta(s, 55);
    s += "Luokitus";
    tayta(s, 80);
    return s + "Ääniraita";
}

}  // namespace

std::string listarivi(const TKortti& k) {
    std::string s = k.kasetilla + " ";
    tayta(s, 10, '.');
    s[9] = ' ';
    s += k.nimi;
    std::string kesto;
    for (char c : tunnit2min(k.kesto))
        if (c != ' ') kesto += c;
    if (!kesto.empty()) s += ", " + kesto;
    if (!k.formaatti.empty()) s += ", (" + k.formaatti + ")";
    tayta(s, 55);
    s.resize(53);
    tayta(s, 55);
    s += k.luokitus;
    tayta(s, 80);
    return s + k.aani;
}

std::string tiedoston_nimi(const std::string& polku) {
    const std::size_t i = polku.find_last_of("/\\");
    return i == std::string::npos ? polku : polku.substr(i + 1);
}

std::string tee_tekstilista(const TOmaList& lista, const std::string& paivays, const std::string& tiedosto) {
    std::string ulos = "Rullakkon elokuvalista [" + paivays + "] Tietokanta: " + tiedoston_nimi(tiedosto) + rivinvaihto;
    ulos += rivinvaihto;
    ulos += listan_otsake() + rivinvaihto;
    ulos += rivinvaihto;
    for (int i = 1; i < lista.Count(); ++i) ulos += listarivi(lista[i]) + rivinvaihto;
    return ulos;
}

Tulos kirjoita_lista(const std::filesystem::path& nimi, const TOmaList& lista, const std::string& paivays,
                     const std::string& tiedosto) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(nimi, ec)))
        return Tulos::virhe(EEXIST, tiedosto_olemassa_viesti);
    kirjoita_debug("Kirjoitetaan lista tiedostoon: " + merkisto::utf8_cp1252(nimi.string()));
    return korvaa_tiedosto(nimi, tee_tekstilista(lista, paivays, tiedosto));
}

bool valitse_html_sarakkeet(Html_asetukset& a, const std::string& lista, std::string& tuntematon) {
    struct Sarake {
        const char* nimi;
        bool Html_asetukset::*kentta;
    };
    static constexpr Sarake sarakkeet[] = {
        {"nro", &Html_asetukset::lisaa_nro},           {"paaos", &Html_asetukset::lisaa_paaos},
        {"vuosi", &Html_asetukset::lisaa_vuosi},       {"luokitus", &Html_asetukset::lisaa_luokitus},
        {"kesto", &Html_asetukset::lisaa_kesto},       {"formaatti", &Html_asetukset::lisaa_formaatti},
        {"aaniraita", &Html_asetukset::lisaa_aaniraita}, {"arvosana", &Html_asetukset::lisaa_arvosana},
    };
    for (const Sarake& s : sarakkeet) a.*s.kentta = false;
    std::size_t alku = 0;
    while (alku <= lista.size()) {
        std::size_t loppu = lista.find(',', alku);
        if (loppu == std::string::npos) loppu = lista.size();
        std::string sana = lista.substr(alku, loppu - alku);
        while (!sana.empty() && sana.front() == ' ') sana.erase(0, 1);
        while (!sana.empty() && sana.back() == ' ') sana.pop_back();
        if (!sana.empty()) {
            bool loytyi = false;
            for (const Sarake& s : sarakkeet)
                if (sana == s.nimi) a.*s.kentta = loytyi = true;
            if (!loytyi) {
                tuntematon = sana;
                return false;
            }
        }
        alku = loppu + 1;
    }
    return true;
}

std::string imdb_nimiosoite() {
    const char* palvelin = std::getenv("RULLAKKO_IMDB");
    std::string s = palvelin && *palvelin ? palvelin : "http://us.imdb.com";
    while (!s.empty() && s.back() == '/') s.pop_back();
    return s + "/Title?";
}

std::string html_suojaa(const std::string& teksti) {
    std::string s;
    s.reserve(teksti.size());
    for (char c : teksti) {
        switch (c) {
            case '&': s += "&amp;"; break;
            case '<': s += "&lt;"; break;
            case '>': s += "&gt;"; break;
            case '"': s += "&quot;"; break;
            // Control characters have no place in a page (a NUL makes browsers stop or show garbage);
            // tabs and line ends are ordinary white space there.
            case '\t':
            case '\n':
            case '\r': s += c; break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) s += c;
        }
    }
    return s;
}

std::string tee_html_lista(TOmaList& lista, const Html_asetukset& a) {
    std::string ulos;
    auto rivi = [&](const std::string& s) { ulos += s + rivinvaihto; };
    rivi("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">");
    rivi("<html>");
    // Card text is cp1252, so the page must say so or a browser guesses the Ä and Ö wrong.
    rivi("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"></head>");
    rivi("<BODY bgcolor=\"#000000\" text=\"#c1c1c1\" link=\"#ffffff\" alink=\"#ffffff\" vlink=\"#ffffff\">");
    rivi("");
    rivi("<table " + a.table + ">");
    rivi("");

    TKortti otsake;
    if (lista.Count() > 0) otsake.kopioi(lista[0]);
    otsake.nimi = "Nimi";
    otsake.paanayttelijat = "Pääosissa";
    otsake.luokitus = "Luokitus";
    otsake.kesto = "Kesto";
    otsake.formaatti = "Form.";
    otsake.kasetilla = "Nro";
    otsake.arvosana = "Arvosana";
    otsake.aani = "Ääniraita";
    otsake.vuosi = "Vuosi";
    const std::string osoite = imdb_nimiosoite();

    for (int i = 0; i < std::max(1, lista.Count()); ++i) {
        TKortti& k = i == 0 ? otsake : lista[i];
        const std::string& A = i == 0 ? a.td_sarakkeet : a.td;
        auto solu = [&](const std::string& teksti) { rivi("<td " + A + ">" + html_suojaa(teksti) + "</td>"); };
        rivi("<tr>");
        if (a.lisaa_nro) rivi("<td " + (i == 0 ? A : a.td_kasnum) + ">" + html_suojaa(k.kasetilla) + "</td>");
        if (!k.imdb_koodi.empty())
            rivi("<td " + A + "><a href=\"" + html_suojaa(osoite + k.imdb_koodi) + "\">" + html_suojaa(k.nimi) +
                 "</a></td>");
        else
            solu(k.nimi);
        if (a.lisaa_paaos) solu(k.paanayttelijat);
        if (a.lisaa_vuosi) solu(k.vuosi);
        if (a.lisaa_luokitus) solu(k.luokitus);
        if (a.lisaa_kesto) rivi("<td " + A + " width=\"60\">" + html_suojaa(k.kesto) + "</td>");
        if (a.lisaa_formaatti)
            rivi("<td " + A + " alt=\"Elokuvan formaatti, DVD, SP/LP (VHS) ... \">" + html_suojaa(k.formaatti) + "</td>");
        if (a.lisaa_aaniraita) solu(k.aani);
        if (k.arvosana.empty()) k.arvosana = "0";
        if (a.lisaa_arvosana) rivi("<td " + A + ">" + html_suojaa(k.arvosana) + (i == 0 ? "" : "/10") + "</td>");
        rivi("</td>");
        rivi("</tr>");
    }
    rivi("</table></font></body></html>");
    return ulos;
}

Tulos kirjoita_html_lista(const std::filesystem::path& nimi, TOmaList& lista, const Html_asetukset& a) {
    return korvaa_tiedosto(nimi, tee_html_lista(lista, a));
}

std::vector<std::vector<Tulostusrivi>> listan_sivut(const TOmaList& lista, const std::string& paivays,
                                                     const std::string& tiedosto) {
    std::vector<std::vector<Tulostusrivi>> sivut(1);
    std::string otsake = "Rullakkon elokuvalista [" + paivays + "] Tiedosto: " + tiedoston_nimi(tiedosto);
    tayta(otsake, 81);
    const std::string sarakkeet = tulosteen_sarakkeet();
    int n = 0;
    int y = 0;
    for (int i = 1; i < lista.Count(); ++i) {
        if (++n > listan_rivit_sivulla) {
            sivut.emplace_back();
            y = 0;
            n = 1;
        }
        y += 50;
        auto& sivu = sivut.back();
        if (n == 1) {
            sivu.push_back({30, 10, otsake + "Sivu " + std::to_string(sivut.size())});
            sivu.push_back({30, 100, sarakkeet});
        }
        sivu.push_back({30, y + 140, listarivi(lista[i])});
    }
    if (n < 55) {
        sivut.back().push_back({30, y + 240, "Tulostettu Rullakko-elokuvatietokantaohjelmalla"});
        sivut.back().push_back({30, y + 290, "Ohjelman saat ilmaiseksi osoitteesta http://www.rullakko.net/"});
    }
    return sivut;
}

int listan_korkeus(const std::vector<std::vector<Tulostusrivi>>& sivut) {
    int alin = 0;
    for (const auto& sivu : sivut)
        for (const Tulostusrivi& r : sivu) alin = std::max(alin, r.y + listan_fontin_korkeus);
    return alin;
}
