#pragma once
// Sending one e-mail over SMTP. The message is built here (MIME headers, ISO-8859-1 text, an optional
// attachment); the dialogue with the server is libcurl's. Texts given in are cp1252.
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "perus/tulos.h"

struct SmtpPalvelin {
    std::string palvelin;  // "host" or "host:port" (port 25 when not given)
    std::string kayttaja;  // AUTH only when not empty
    std::string salasana;
    long yhteysaika_s = 20;  // connect timeout
    std::string varmenteet;  // the certificate authorities to trust (a PEM file); the system's when empty
};

struct Sahkoposti {
    std::string lahettaja;       // sender address
    std::string lahettajan_nimi;
    std::string vastausosoite;   // Reply-To; none when empty
    std::string vastaanottaja;   // one address
    std::string otsikko;
    std::vector<std::string> rivit;  // body lines
    std::string ohjelma;             // X-Mailer
    std::time_t aika = 0;            // Date; the time of sending when 0
    // One attachment, sent as application/octet-stream; none when the name is empty.
    std::string liitteen_nimi;
    std::string liite;
};

// The three outcomes the user reads.
inline constexpr const char* smtp_lahetetty = "Viesti lähetetty!";
inline constexpr const char* smtp_epaonnistui = "Virhe: Sähköpostin lähettäminen epäonnistui!";
inline constexpr const char* smtp_kayttaja_hylatty = "Virhe: SMTP palvelin ei hyväksynyt käyttäjänimeäsi";
inline constexpr const char* smtp_keskeytetty = "Sähköpostin lähettäminen keskeytettiin.";
// Log-on was asked for, but the server offers no encrypted connection to send the password over.
inline constexpr const char* smtp_ei_suojausta =
    "Palvelin ei tarjoa salattua yhteyttä (STARTTLS), joten käyttäjänimeä ja salasanaa ei lähetetty. "
    "Tarkista palvelimen osoite ja portti (salattu yhteys alusta alkaen: portti 465).";

// Codes of Tulos besides curl's own: the user cancelled; the message could not be built.
inline constexpr int smtp_koodi_keskeytetty = -2;
inline constexpr int smtp_koodi_viallinen = -3;

// The address of the settings ("host", "host:port", "smtp://host:port") as libcurl's URL: port 25 when not
// given, TLS from the start (smtps) on port 465.
std::string smtp_osoite(std::string palvelin);

// The whole message as it goes to the server (CR LF lines).
std::string rakenna_viesti(const Sahkoposti& s);

// cp1252 text as ISO-8859-1: the characters only cp1252 has become their nearest plain form.
std::string latin1(const std::string& cp1252);

// An RFC 2047 encoded word when the text has other than printable ASCII, else the text itself.
std::string otsaketeksti(const std::string& cp1252);

// Sends one message. `jatka` runs every few hundredths of a second while the message goes (the window
// processes its events there); returning false cancels, and the send ends within a moment whatever the
// server does. With a user name the connection must be encrypted (STARTTLS, or TLS on port 465).
// Success: the message is smtp_lahetetty; failures carry one of the messages above, with a Finnish reason
// and libcurl's technical line after it.
Tulos laheta_sahkoposti(const SmtpPalvelin& palvelin, const Sahkoposti& s,
                        const std::function<bool()>& jatka = {});
