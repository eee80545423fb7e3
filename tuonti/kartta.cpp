#include "tuonti/kartta.h"

#include <array>

#include "perus/teksti.h"

namespace {

// A card field and the header names it is guessed from.
struct Tunnettu {
    Teksti TKortti::*kentta;                   // the field; the name of its column is the field table's alone
    const char* nimi;                          // as the mapping step shows it
    std::vector<const char*> otsikot;          // header names, lower case and tidied as `siisti` leaves them
};

const std::vector<Tunnettu>& tunnetut() {
    static const std::vector<Tunnettu> t = {
        {&TKortti::nimi, "Elokuvan nimi",
         {"nimi", "elokuva", "elokuvan nimi", "otsikko", "title", "name", "movie", "film", "movie title",
          "film title"}},
        {&TKortti::luokitus, "Luokitus",
         {"luokitus", "luokka", "genre", "genret", "lajityyppi", "tyylilaji", "kategoria", "genres", "category"}},
        {&TKortti::maa, "Valmistusmaa", {"maa", "valmistusmaa", "tuotantomaa", "country", "countries", "nationality"}},
        {&TKortti::kasetilla, "Kasetilla/levyllä nro",
         {"kasetilla", "kasetti", "kasetin numero", "kasetti nro", "kasetin nro", "levy", "levyllä", "levy nro",
          "kasetilla levyllä nro", "tape", "tape number", "tape no", "cassette", "disc", "disc number", "disk"}},
        {&TKortti::aani, "Ääniraita", {"ääniraita", "ääni", "audio", "sound", "audio track", "audio tracks"}},
        {&TKortti::paanayttelijat, "Pääosissa",
         {"pääosissa", "pääosat", "näyttelijät", "päänäyttelijät", "cast", "actors", "starring"}},
        {&TKortti::ohjaaja, "Ohjaaja", {"ohjaaja", "ohjaajat", "ohjaus", "director", "directors", "directed by"}},
        {&TKortti::juoni, "Juoni",
         {"juoni", "kuvaus", "sisältö", "juonikuvaus", "plot", "description", "synopsis", "summary"}},
        {&TKortti::kommentti, "Kommentit",
         {"kommentti", "kommentit", "huomautukset", "muistiinpanot", "comment", "comments", "notes", "note"}},
        {&TKortti::kuvasuhde, "Kuvasuhde", {"kuvasuhde", "aspect ratio", "aspect"}},
        {&TKortti::sijainti, "Sijainti kasetilla", {"sijainti", "paikka", "järjestys", "position", "slot"}},
        {&TKortti::lainassa, "Lainassa", {"lainassa", "lainattu", "lainaaja", "loaned", "loaned to", "borrower"}},
        {&TKortti::formaatti, "Formaatti", {"formaatti", "tallennemuoto", "media", "medium", "format"}},
        {&TKortti::kesto, "Kesto",
         {"kesto", "pituus", "kesto min", "running time", "runtime", "length", "duration", "minutes"}},
        {&TKortti::nauha, "Nauhan pituus", {"nauha", "nauhan pituus", "tape length"}},
        {&TKortti::vuosi, "Tuotantovuosi",
         {"vuosi", "tuotantovuosi", "tuotantov", "valmistusvuosi", "julkaisuvuosi", "year", "release year",
          "production year"}},
        {&TKortti::vari, "Värit", {"värit", "väri", "color", "colour"}},
        {&TKortti::arvosana, "Arvosana (0-10)", {"arvosana", "arvio", "pisteet", "rating", "score", "my rating"}},
        {&TKortti::imdb_koodi, "IMDb-koodi", {"imdb", "imdb koodi", "imdb id", "imdb code"}},
        {&TKortti::extra_info, "DVD:n lisätietoa", {"lisätietoa", "dvd lisätietoa"}},
        {&TKortti::cover_url, "Kannen osoite", {"kannen osoite", "cover url"}},
    };
    return t;
}

// Lower case, the blanks and a closing ':' or '.' around it gone, '_' and '-' as blanks, blanks single.
std::string siisti(std::string_view s) {
    std::string ulos;
    for (char c : pienet_kirjaimet(s)) {
        if (c == '_' || c == '-' || c == '\t' || c == '/') c = ' ';
        if (c == ' ' && (ulos.empty() || ulos.back() == ' ')) continue;
        ulos += c;
    }
    while (!ulos.empty() && (ulos.back() == ' ' || ulos.back() == ':' || ulos.back() == '.')) ulos.pop_back();
    return ulos;
}

}  // namespace

bool on_oma_otsikko(const std::vector<std::string>& otsikko) {
    const std::vector<Sarake>& s = sarakkeet();
    if (otsikko.size() != s.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (otsikko[i] != s[i].nimi) return false;
    return true;
}

const Sarake* arvaa_sarake(std::string_view otsikko) {
    if (const Sarake* s = sarake_nimelta(otsikko)) return s;
    const std::string n = siisti(otsikko);
    for (const Tunnettu& t : tunnetut())
        for (const char* o : t.otsikot)
            if (n == o) return sarake_jasenesta(t.kentta);
    return nullptr;
}

Sarakekartta arvaa_kartta(const std::vector<std::string>& otsikko) {
    Sarakekartta k;
    for (const std::string& o : otsikko) {
        const Sarake* s = arvaa_sarake(o);
        for (const Sarake* aiempi : k)
            if (aiempi == s) s = nullptr;
        k.push_back(s);
    }
    return k;
}

std::string kohteen_nimi(const Sarake* s) {
    if (!s) return kommentteihin;
    for (const Tunnettu& t : tunnetut())
        if (s == sarake_jasenesta(t.kentta)) return t.nimi;
    return s->nimi;
}

Tulos muuta_karttaa(Sarakekartta& kartta, const std::vector<std::string>& otsikko, std::string_view maaritys) {
    while (!maaritys.empty()) {
        const std::size_t pilkku = maaritys.find(',');
        const std::string_view pari = maaritys.substr(0, pilkku);
        maaritys = pilkku == std::string_view::npos ? std::string_view() : maaritys.substr(pilkku + 1);
        const std::size_t yhtasuuri = pari.rfind('=');
        if (yhtasuuri == std::string_view::npos)
            return Tulos::virhe(1, "Sarakkeiden määrityksessä \"" + std::string(pari) + "\" ei ole merkkiä =.");
        const std::string_view nimi = pari.substr(0, yhtasuuri);
        const std::string_view kohde = pari.substr(yhtasuuri + 1);
        const Sarake* s = kohde == "-" ? nullptr : sarake_nimelta(kohde);
        if (kohde != "-" && !s) return Tulos::virhe(2, "Korteissa ei ole kenttää \"" + std::string(kohde) + "\".");
        bool loytyi = false;
        for (std::size_t i = 0; i < otsikko.size(); ++i)
            if (otsikko[i] == nimi) {
                kartta[i] = s;
                loytyi = true;
            }
        if (!loytyi) return Tulos::virhe(3, "Tiedostossa ei ole saraketta \"" + std::string(nimi) + "\".");
    }
    return Tulos::ok();
}
