// rkb imdb-page FILE [--name NAME]: the title-page extraction of a saved page, as key=value lines.
#include <cstdio>

#include "cli/alikomennot.h"
#include "imdb/elokuvasivu.h"
#include "perus/merkisto.h"
#include "storage/sarakkeet.h"

namespace {

std::string liitetty(const std::vector<std::string>& rivit) {
    std::string t;
    for (std::size_t i = 0; i < rivit.size(); ++i) t += (i ? "|" : "") + rivit[i];
    return t;
}

int imdb_page(const std::vector<std::string>& p) {
    std::string nimi;
    if (p.size() == 3 && p[1] == "--name") nimi = merkisto::utf8_cp1252(p[2]);
    else if (p.size() != 1) {
        tulosta_virhe("Käyttö: rkb imdb-page TIEDOSTO [--name NIMI]");
        return 1;
    }
    std::string sivu;
    if (!lue_tiedosto(p[0], sivu)) {
        tulosta_virhe("Tiedostoa " + merkisto::utf8_cp1252(p[0]) + " ei voi lukea.");
        return 1;
    }
    TKortti kortti;
    kortti.nimi = nimi;
    const Elokuvasivu s = lue_elokuvasivu(sivu, kortti);
    for (const std::string& v : s.viestit) tulosta_virhe(v);
    const TKortti& k = s.kortti;
    // A card field goes under the name of its column; the screenplay, the tagline and the page's choices
    // under keys of their own.
    const auto avain = [](Teksti TKortti::*jasen) { return sarake_jasenesta(jasen)->nimi; };
    const auto kentta = [&](Teksti TKortti::*jasen) { return std::pair(avain(jasen), std::string(k.*jasen)); };
    const std::pair<std::string, std::string> arvot[] = {
        kentta(&TKortti::nimi),       kentta(&TKortti::vuosi),
        kentta(&TKortti::ohjaaja),    {"kasikirjoitus", k.lisatieto[0]},
        kentta(&TKortti::luokitus),   kentta(&TKortti::arvosana),
        kentta(&TKortti::juoni),      {"tagline", s.tagline},
        kentta(&TKortti::paanayttelijat), kentta(&TKortti::maa),
        kentta(&TKortti::vari),       {"aanilista", liitetty(s.aanilista)},
        {"kestolista", liitetty(s.kestolista)}, {avain(&TKortti::cover_url), s.cover_url},
        {avain(&TKortti::imdb_koodi), s.imdb_koodi}};
    std::string ulos;
    for (const auto& [avain, arvo] : arvot) ulos += avain + "=" + merkisto::cp1252_utf8(arvo) + "\n";
    return std::fwrite(ulos.data(), 1, ulos.size(), stdout) == ulos.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi({"imdb-page", 1, 3, imdb_page});

}  // namespace
