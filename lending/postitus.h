#pragma once
// What the program's mail needs from the settings: the server and log-on, the check made before every
// send, the reminder templates of the program folder and the message made of a reminder.
#include <functional>
#include <string>
#include <vector>

#include "lending/lainaus.h"
#include "net/smtp.h"
#include "perus/tulos.h"

struct TAsetukset;
class Ohjelmakansio;
class Tiedostojarjestelma;
namespace diag { class Viestit; }

// The server of the settings; a user name only when the server requires log-on and a name is given.
SmtpPalvelin smtp_palvelin(const TAsetukset& a);

// Asks about each of the server, the user's name and address that is missing, opening the settings on the
// Email page on Yes; false (with a message) when one is still missing afterwards.
bool tarkista_email_asetukset(const TAsetukset& a, diag::Viestit& viestit, const std::function<void()>& avaa_asetukset);

// "*.txt" files of the program folder, by name.
std::vector<std::string> muistutuspohjat(const Ohjelmakansio& kansio);
Tulos lue_muistutuspohja(Tiedostojarjestelma& t, const Ohjelmakansio& kansio, const std::string& nimi,
                         std::string& sisalto);

// A message from the user (the settings' name and address) to one address.
Sahkoposti sahkoposti_kayttajalta(const TAsetukset& a, const std::string& vastaanottaja, const std::string& otsikko,
                                  std::vector<std::string> rivit);
