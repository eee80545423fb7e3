// rkb remind FILE BORROWER [--template NAME] [--send]: the reminder mail made from a template, printed as
// subject, empty line and body; with --send also sent with the program folder's mail settings.
#include <iostream>

#include "cli/apuohjelmat.h"
#include "lending/lainaus.h"
#include "lending/postitus.h"
#include "lending/profiilit.h"
#include "net/smtp.h"
#include "perus/merkisto.h"
#include "perus/versio.h"

namespace {

int remind(const std::vector<std::string>& p) {
    KomentoriviViestit viestit;
    const Ohjelmakansio kansio(Ohjelmakansio::etsi_juuri(jarjestelman_tiedostot()), jarjestelman_tiedostot());
    const std::string lainaaja = merkisto::utf8_cp1252(p[1]);
    std::string pohja;
    bool laheta = false;
    for (std::size_t i = 2; i < p.size(); ++i) {
        if (p[i] == "--send") {
            laheta = true;
        } else if (p[i] == "--template" && i + 1 < p.size()) {
            pohja = merkisto::utf8_cp1252(p[++i]);
        } else {
            tulosta_virhe("Käyttö: rkb remind TIEDOSTO LAINAAJA [--template NIMI] [--send]");
            return 1;
        }
    }
    const std::optional<TAsetukset> a = ohjelmakansion_asetukset(kansio, viestit);
    if (!a) return 1;
    if (pohja.empty()) {
        const std::vector<std::string> pohjat = muistutuspohjat(kansio);
        if (pohjat.empty()) {
            tulosta_virhe("Ohjelmakansiossa ei ole muistutuspohjia (*.txt).");
            return 1;
        }
        pohja = pohjat.front();
    }
    std::string teksti;
    if (const Tulos t = lue_muistutuspohja(jarjestelman_tiedostot(), kansio, pohja, teksti); !t) {
        tulosta_virhe(t.viesti);
        return 1;
    }
    Avattu lainat;
    lainat.asetukset.avaa_kannet_heti = false;
    if (!lainat.avaa(p[0])) return 1;
    const Tietokanta& tk = lainat.tk;
    const Muistutus m = tee_muistutus(teksti, tk.kortit, lainaaja, {ohjelman_otsikko, a->email_nimi});
    std::cout << merkisto::cp1252_utf8(m.otsikko) << "\n\n";
    for (const std::string& r : m.rivit) std::cout << merkisto::cp1252_utf8(r) << '\n';
    std::cout.flush();
    if (!std::cout) return 1;
    if (!laheta) return 0;

    if (!tarkista_email_asetukset(*a, viestit, {})) return 1;
    std::vector<Profiili> profiilit;
    lue_profiilit(lainat.v.tj(), profiilitiedosto(kansio), profiilit);
    const std::optional<std::string> osoite = hae_email(profiilit, lainaaja);
    if (!osoite || osoite->empty()) {
        tulosta_virhe("Lainaajan \"" + lainaaja + "\" nimellä ei löytynyt profiilia, ei lähetetä.");
        return 1;
    }
    const Tulos t = laheta_sahkoposti(smtp_palvelin(*a), sahkoposti_kayttajalta(*a, *osoite, m.otsikko, m.rivit));
    tulosta_virhe(t.viesti);
    return t ? 0 : 1;
}

const RekisteroiAlikomento rekisteroi(apuohjelman_komento(muistutuksen_lahetys, remind));

}  // namespace
