#include "cli/komennot.h"

#include "perus/merkisto.h"

namespace {

constexpr const char* utf8_rivit = "UTF-8 text on standard output, one line a record, fields separated by tabs.";
constexpr const char* omat_tavut =
    "The catalogue's own bytes on standard output: Windows-1252 text with CR LF line ends, not UTF-8.";

}  // namespace

const std::vector<Komentokuvaus>& komentokuvaukset() {
    static const std::vector<Komentokuvaus> k = {
        {"list", "FILE", "The members of a catalogue archive: name, size, stored size, raw flag and CRC-32.", utf8_rivit},
        {"extract", "FILE DIR", "Every member of the archive into the folder DIR, with its folder; files already there are kept.",
         "Files under DIR."},
        {"pack", "OUT NAME...", "A new archive of the named files; the folder part of each name becomes the member's folder.",
         "The archive OUT."},
        {"read-body", "FILE", "A plain body text read and written back as the program writes it.", omat_tavut},
        {"body", "FILE", "A catalogue opened as the program opens it, and its body.", omat_tavut},
        {"read-old", "FILE", "A catalogue of the oldest, 17-line format, as a current body.", omat_tavut},
        {"copy", "IN OUT",
         "A catalogue opened and saved again as the program does it, covers included. The settings of the program "
         "folder decide how covers are unpacked and whether the cards are sorted.",
         "The catalogue OUT, replaced atomically."},
        {"merge", "OUT IN...", "The first catalogue with the others merged into it in order, covers included.",
         "The catalogue OUT, replaced atomically."},
        {"stats", "FILE", "The lines of the catalogue statistics box.", "UTF-8 text on standard output, one line each."},
        {"search", "FILE WORDS [--fields LIST]",
         "The search window's list search: WORDS as typed into it (comma-separated), LIST the field entries 0-13 "
         "(default all). One line a hit: index, cassette, position, title (with \" (Lainassa)\" for a lent card), genre.",
         utf8_rivit},
        {"lookup", "DBASE TITLE", "The reference cards offered for a title, in the choose window's order.", utf8_rivit},
        {"tapes", "FILE [--min N] [--lp]",
         "Tape status rows (cassette, length, used, free); with a minimum only the cassettes with that much free "
         "tape, or all and \"Ei löydy!\" on standard error.",
         utf8_rivit},
        {"overdue", "FILE [--today YYYY-MM-DD] [--days N]",
         "Borrowers whose loans are overdue, with the days (days default: the settings' notify_dates).", utf8_rivit},
        {"remind", "FILE BORROWER [--template NAME] [--send]",
         "The reminder mail from a template of the program folder (default: the first *.txt that is a reminder, "
         "not the font's licence); --send mails it with the settings' SMTP server to the borrower's profile "
         "address (with a user name only over STARTTLS, or TLS from the start on port 465).",
         "UTF-8 text on standard output: the subject, an empty line and the body."},
        {"imdb-page", "FILE [--name NAME]", "A saved IMDb title page read as for a card named NAME.",
         "UTF-8 text on standard output, one key=value line a field."},
        {"imdb-search", "FILE", "The hit list of a saved IMDb result page or suggestion answer (text, number, aka).",
         utf8_rivit},
        {"imdb-find", "TITLE [--source imdb|wikidata]",
         "The hit list of a search on the configured servers of the movie data source (default: the settings').",
         utf8_rivit},
        {"imdb-fetch", "FILE CARDINDEX [--hit N] [--source imdb|wikidata]",
         "The card filled from the N:th hit of a search by its name, as the IMDb window's Hyväksy fills it (the "
         "cover too when the settings say so).",
         "The catalogue FILE, replaced atomically."},
        {"export-text", "FILE OUT [--charset utf-8|cp1252]",
         "The fixed-column text list, as the File menu saves it; an existing OUT is refused.",
         "The text file OUT: Windows-1252 (or UTF-8 without a byte order mark) with CR LF line ends."},
        {"export-html", "FILE OUT [--columns nro,paaos,vuosi,luokitus,kesto,formaatti,aaniraita,arvosana]",
         "The HTML list with the chosen columns.", "The HTML page OUT in Windows-1252, replaced atomically."},
        {"export-csv", "FILE OUT",
         "Every field of every card as a CSV list for spreadsheets and other catalogue programs; a header row names "
         "the fields.",
         "The CSV file OUT, replaced atomically: UTF-8 with a byte order mark, comma separated, RFC 4180 quoting, "
         "CR LF row ends."},
        {"print-list", "FILE OUT.pdf [--orientation portrait|landscape]",
         "The printed movie list, laid out as the program prints it: the font fills the page's width, landscape "
         "when the lines are too wide for portrait (or as chosen).",
         "The PDF file OUT.pdf of A4 sheets, replaced atomically."},
        {"import", "FILE IN [--format csv|tellico] [--map HEADER=column,...]",
         "The movies of a CSV list (UTF-8 or Windows-1252, comma or semicolon) or a Tellico collection (.tc or "
         "XML, covers included) appended to FILE (made when missing). --map gives a header's card column "
         "(the CSV list's column names; \"-\": to the comments), over the guess made from the header names.",
         "The catalogue FILE, replaced atomically; on standard error a summary and the notes of rows that did "
         "not fit."},
        {"labels", "FILE OUT.pdf --kind spine|top [--cassettes 1,2,...] [--template NAME] [--dpi N]",
         "Cassette spine or top labels, drawn as the label window prints them.",
         "The PDF file OUT.pdf of A4 sheets, replaced atomically."},
    };
    return k;
}

const Komentokuvaus* komentokuvaus(std::string_view nimi) {
    for (const Komentokuvaus& k : komentokuvaukset())
        if (nimi == k.nimi) return &k;
    return nullptr;
}

std::string kayttorivi(const Komentokuvaus& k) { return std::string("rkb ") + k.nimi + " " + k.parametrit; }

namespace {

std::string roff(std::string_view s) {
    std::string r;
    for (char c : s) {
        if (c == '\\') r += "\\e";
        else if (c == '-') r += "\\-";
        else r += c;
    }
    if (!r.empty() && (r[0] == '.' || r[0] == '\'')) r.insert(0, "\\&");
    return r;
}

// Words of a text in lines of at most `leveys` characters, each line after the first with `sisennys`.
std::string rivita(std::string_view teksti, std::size_t leveys, const std::string& sisennys) {
    std::string ulos, rivi;
    std::size_t alku = 0;
    while (alku < teksti.size()) {
        std::size_t loppu = teksti.find(' ', alku);
        if (loppu == std::string_view::npos) loppu = teksti.size();
        const std::string_view sana = teksti.substr(alku, loppu - alku);
        if (!rivi.empty() && rivi.size() + 1 + sana.size() > leveys) {
            ulos += rivi + "\n" + sisennys;
            rivi.clear();
        }
        if (!rivi.empty()) rivi += ' ';
        rivi += sana;
        alku = loppu + 1;
    }
    return ulos + rivi;
}

}  // namespace

std::string man_komennot() {
    std::string s;
    for (const Komentokuvaus& k : komentokuvaukset()) {
        s += ".TP\n.BI " + roff(k.nimi) + " \" " + roff(k.parametrit) + "\"\n";
        s += roff(k.tekee) + "\n.IP\n" + roff(std::string("Writes: ") + k.kirjoittaa) + "\n";
    }
    return merkisto::cp1252_utf8(s);
}

std::string readme_komennot() {
    constexpr std::size_t sarake = 29;
    constexpr std::size_t leveys = 112;
    const std::string sisennys(sarake, ' ');
    std::string s;
    for (const Komentokuvaus& k : komentokuvaukset()) {
        std::string rivi = "    " + kayttorivi(k);
        if (rivi.size() + 1 < sarake) {
            rivi.append(sarake - rivi.size(), ' ');
        } else {
            rivi += "\n" + sisennys;
        }
        s += rivi + rivita(k.tekee, leveys - sarake, sisennys) + "\n";
    }
    return merkisto::cp1252_utf8(s);
}

bool korvaa_osio(std::string& teksti, std::string_view alku, std::string_view loppu, const std::string& uusi) {
    const std::size_t a = teksti.find(alku);
    if (a == std::string::npos) return false;
    const std::size_t sisalto = teksti.find('\n', a);
    if (sisalto == std::string::npos) return false;
    const std::size_t l = teksti.find(loppu, sisalto);
    if (l == std::string::npos) return false;
    teksti.replace(sisalto + 1, l - sisalto - 1, uusi);
    return true;
}
