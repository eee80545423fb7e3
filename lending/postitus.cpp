#include "lending/postitus.h"

#include <algorithm>
#include <system_error>

#include "diag/viestit.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "settings/asetukset.h"
#include "perus/ohjelmakansio.h"
#include "perus/versio.h"

namespace fs = std::filesystem;

SmtpPalvelin smtp_palvelin(const TAsetukset& a) {
    SmtpPalvelin p;
    p.palvelin = a.smtp_palvelin;
    if (a.email_logon && !a.email_username.empty()) {
        p.kayttaja = a.email_username;
        p.salasana = a.email_password;
    }
    return p;
}

bool tarkista_email_asetukset(const TAsetukset& a, diag::Viestit& viestit,
                              const std::function<void()>& avaa_asetukset) {
    const std::pair<const std::string*, const char*> kentat[] = {
        {&a.smtp_palvelin, "Et ole syöttänyt SMTP palvelinta ohjelman email-asetuksiin!"},
        {&a.email_nimi, "Et ole syöttänyt nimeäsi ohjelman email-asetuksiin!"},
        {&a.email_addr, "Et ole syöttänyt sähköpostiosoitettasi ohjelman email-asetuksiin!"},
    };
    for (const auto& [arvo, teksti] : kentat) {
        if (!arvo->empty()) continue;
        const std::string kysymys = std::string(teksti) +
                                    "\nEt voi käyttää ohjelman email toimintoja ennen kuin olet syöttänyt asetukset."
                                    "\nHaluatko syöttää asetukset nyt?";
        if (viestit.kysy(diag::Laji::Varoitus, kysymys) == diag::Vastaus::Kylla && avaa_asetukset) avaa_asetukset();
    }
    if (a.smtp_palvelin.empty() || a.email_nimi.empty() || a.email_addr.empty()) {
        viestit.nayta(diag::Laji::Pelkka, "Ohjelman sähköpostiominaisuuksia ei voida käyttää \nilman asetuksia, keskeytetään!");
        return false;
    }
    return true;
}

std::vector<std::string> muistutuspohjat(const Ohjelmakansio& kansio) {
    std::vector<std::string> nimet;
    std::vector<Kansiorivi> rivit;
    kansio.tiedostot().listaa(kansio.juuri(), rivit);
    for (const Kansiorivi& r : rivit) {
        if (!r.tavallinen) continue;
        const std::string nimi = polku_tekstiksi(r.nimi);
        // The build folder doubles as the program folder during development: its build files are no
        // templates, and neither is installation data that sits beside them (the font's licence).
        if (nimi == "CMakeCache.txt" || nimi == "install_manifest.txt" || asennuksen_luettava(nimi)) continue;
        if (nimi.size() > 4 && pienet_cp1252(nimi.substr(nimi.size() - 4)) == ".txt") nimet.push_back(nimi);
    }
    std::sort(nimet.begin(), nimet.end());
    return nimet;
}

Tulos lue_muistutuspohja(Tiedostojarjestelma& t, const Ohjelmakansio& kansio, const std::string& nimi,
                         std::string& sisalto) {
    return lue_koko_tiedosto(t, kansio.polku(nimi), sisalto);
}

Sahkoposti sahkoposti_kayttajalta(const TAsetukset& a, const std::string& vastaanottaja, const std::string& otsikko,
                                  std::vector<std::string> rivit) {
    Sahkoposti s;
    s.lahettaja = a.email_addr;
    s.lahettajan_nimi = a.email_nimi;
    s.vastausosoite = a.email_addr;
    s.vastaanottaja = vastaanottaja;
    s.otsikko = otsikko;
    s.rivit = std::move(rivit);
    s.ohjelma = ohjelman_otsikko;
    return s;
}
