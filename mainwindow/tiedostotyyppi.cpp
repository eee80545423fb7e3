#include "mainwindow/tiedostotyyppi.h"

#include <sstream>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "perus/ohjelmakansio.h"
#include "perus/tiedostot.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kuvaustiedosto = "applications/rullakko.desktop";
constexpr const char* mimetiedosto = "mime/packages/rullakko.xml";

std::string lue_exec(Tiedostojarjestelma& t, const fs::path& tiedosto) {
    std::string sisalto;
    if (!lue_koko_tiedosto(t, tiedosto, sisalto)) return {};
    std::istringstream f(sisalto);
    for (std::string rivi; std::getline(f, rivi);) {
        if (!rivi.empty() && rivi.back() == '\r') rivi.pop_back();
        if (rivi.rfind("Exec=", 0) == 0) return rivi.substr(5);
    }
    return {};
}

// The program of an Exec line: its first word, in double quotes or not.
std::string exec_ohjelma(const std::string& exec) {
    if (!exec.empty() && exec.front() == '"') {
        const auto loppu = exec.find('"', 1);
        return exec.substr(1, loppu == std::string::npos ? std::string::npos : loppu - 1);
    }
    return exec.substr(0, exec.find(' '));
}

bool kirjoita(Tiedostojarjestelma& t, const fs::path& p, const std::string& sisalto) {
    return t.luo_kansiot(p.parent_path()) && korvaa_tiedosto(t, p, sisalto);
}

}  // namespace

std::string avauskomento(const fs::path& ohjelma) { return "\"" + ohjelma.string() + "\" %f"; }

std::string lue_avauskomento(Tiedostojarjestelma& t, const fs::path& data_kansio) {
    return lue_exec(t, data_kansio / kuvaustiedosto);
}

bool asennettu_rekisterointi(Tiedostojarjestelma& t, const fs::path& ohjelma) {
    const fs::path jaettu = asennuksen_jaettu_kansio(ohjelma.parent_path());
    if (!on_tavallinen(t, jaettu / mimetiedosto)) return false;
    const std::string exec = exec_ohjelma(lue_exec(t, jaettu / asennettu_kuvaustiedosto));
    if (exec.empty()) return false;
    // An absolute Exec names the program at its place after installation, which a staged copy ends with.
    if (exec.front() == '/') return ohjelma.string().ends_with(exec);
    return ohjelma.filename() == exec;
}

namespace {

// The picture beside the program (the build folder has one), else the icon name an installation provides.
std::string kuvake(Tiedostojarjestelma& t, const fs::path& ohjelma) {
    const fs::path kuva = ohjelma.parent_path() / "rullakko.png";
    return on_tavallinen(t, kuva) ? kuva.string() : std::string("rullakko");
}

}  // namespace

bool rekisteroi_tiedostotyyppi(Tiedostojarjestelma& t, const fs::path& data_kansio, const fs::path& ohjelma) {
    std::ostringstream mime;
    mime << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         << "  <mime-type type=\"" << rkb_tyyppi << "\">\n"
         << "    <comment>Rullakkon tietokanta</comment>\n"
         << "    <glob pattern=\"*.rkb\"/>\n"
         << "  </mime-type>\n"
         << "</mime-info>\n";
    std::ostringstream kuvaus;
    kuvaus << "[Desktop Entry]\n"
           << "Type=Application\n"
           << "Name=Rullakko\n"
           << "Comment=Rullakkon tiedosto\n"
           << "Icon=" << kuvake(t, ohjelma) << "\n"
           << "Exec=" << avauskomento(ohjelma) << "\n"
           << "MimeType=" << rkb_tyyppi << ";\n"
           << "Terminal=false\n";
    return kirjoita(t, data_kansio / mimetiedosto, mime.str()) && kirjoita(t, data_kansio / kuvaustiedosto, kuvaus.str());
}

void tarkista_tiedostotyyppi(Tiedostojarjestelma& t, const fs::path& data_kansio, const fs::path& ohjelma,
                             diag::Viestit& viestit) {
    const std::string nyt = lue_avauskomento(t, data_kansio);
    kirjoita_debug("registry (Rullakko.file\\shell\\open\\command): " + polku_tekstiksi(nyt));
    if (nyt == avauskomento(ohjelma)) return;
    if (asennettu_rekisterointi(t, ohjelma)) {
        kirjoita_debug("Tiedostotyyppi on asennettu ohjelman mukana: " +
                       polku_tekstiksi(asennuksen_jaettu_kansio(ohjelma.parent_path()) / asennettu_kuvaustiedosto));
        return;
    }
    if (viestit.kysy(diag::Laji::Tieto,
                     "Ohjelman tiedostoformaattia ei ole rekisteröity järjestelmään, haluatko rekisteröidä sen nyt? "
                     "(Suositeltavaa)") != diag::Vastaus::Kylla)
        return;
    if (!rekisteroi_tiedostotyyppi(t, data_kansio, ohjelma)) {
        kirjoita_debug_aina("Tiedostotyypin rekisteröinti epäonnistui: " + polku_tekstiksi(data_kansio));
        return;
    }
    viestit.tieto("Tiedostotyyppi .rkb rekisteröity työpöydälle.\n"
                  "Rekisteröinnin voi poistaa poistamalla tiedostot\n" +
                  polku_tekstiksi(data_kansio / kuvaustiedosto) + "\nja\n" + polku_tekstiksi(data_kansio / mimetiedosto) +
                  "\nja ajamalla komennon update-mime-database " + polku_tekstiksi(data_kansio / "mime"));
}
