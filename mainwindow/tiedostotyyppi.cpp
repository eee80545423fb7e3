#include "mainwindow/tiedostotyyppi.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "diag/loki.h"
#include "diag/viestit.h"
#include "storage/ohjelmakansio.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* tyyppi = "application/x-rullakko";
constexpr const char* kuvaustiedosto = "applications/rullakko.desktop";
constexpr const char* mimetiedosto = "mime/packages/rullakko.xml";

bool kirjoita(const fs::path& p, const std::string& sisalto) {
    std::error_code ec;
    fs::create_directories(p.parent_path(), ec);
    const fs::path tilapainen = p.string() + ".uusi";
    {
        std::ofstream f(tilapainen, std::ios::binary | std::ios::trunc);
        if (!(f << sisalto) || !f.flush()) return false;
    }
    fs::rename(tilapainen, p, ec);
    return !ec;
}

}  // namespace

fs::path xdg_data_kansio() {
    if (const char* d = std::getenv("XDG_DATA_HOME"); d && *d == '/') return d;
    const char* koti = std::getenv("HOME");
    return fs::path(koti ? koti : "") / ".local" / "share";
}

std::string avauskomento(const fs::path& ohjelma) { return "\"" + ohjelma.string() + "\" %f"; }

std::string lue_avauskomento(const fs::path& data_kansio) {
    std::ifstream f(data_kansio / kuvaustiedosto, std::ios::binary);
    for (std::string rivi; std::getline(f, rivi);) {
        if (!rivi.empty() && rivi.back() == '\r') rivi.pop_back();
        if (rivi.rfind("Exec=", 0) == 0) return rivi.substr(5);
    }
    return {};
}

bool rekisteroi_tiedostotyyppi(const fs::path& data_kansio, const fs::path& ohjelma) {
    std::ostringstream mime;
    mime << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         << "  <mime-type type=\"" << tyyppi << "\">\n"
         << "    <comment>Rullakkon tietokanta</comment>\n"
         << "    <glob pattern=\"*.rkb\"/>\n"
         << "  </mime-type>\n"
         << "</mime-info>\n";
    std::ostringstream kuvaus;
    kuvaus << "[Desktop Entry]\n"
           << "Type=Application\n"
           << "Name=Rullakko\n"
           << "Comment=Rullakkon tiedosto\n"
           << "Icon=" << ohjelma.string() << "\n"
           << "Exec=" << avauskomento(ohjelma) << "\n"
           << "MimeType=" << tyyppi << ";\n"
           << "Terminal=false\n";
    return kirjoita(data_kansio / mimetiedosto, mime.str()) && kirjoita(data_kansio / kuvaustiedosto, kuvaus.str());
}

void tarkista_tiedostotyyppi(const fs::path& data_kansio, const fs::path& ohjelma, diag::Viestit& viestit) {
    const std::string nyt = lue_avauskomento(data_kansio);
    kirjoita_debug("registry (Rullakko.file\\shell\\open\\command): " + polku_tekstiksi(nyt));
    if (nyt == avauskomento(ohjelma)) return;
    if (viestit.kysy(diag::Laji::Tieto,
                     "Ohjelman tiedostoformaattia ei ole rekisteröity järjestelmään, haluatko rekisteröidä sen nyt? "
                     "(Suositeltavaa)") != diag::Vastaus::Kylla)
        return;
    if (!rekisteroi_tiedostotyyppi(data_kansio, ohjelma)) {
        kirjoita_debug_aina("Tiedostotyypin rekisteröinti epäonnistui: " + polku_tekstiksi(data_kansio));
        return;
    }
    viestit.tieto("Tiedostotyyppi .rkb rekisteröity työpöydälle.\n"
                  "Rekisteröinnin voi poistaa poistamalla tiedostot\n" +
                  polku_tekstiksi(data_kansio / kuvaustiedosto) + "\nja\n" + polku_tekstiksi(data_kansio / mimetiedosto) +
                  "\nja ajamalla komennon update-mime-database " + polku_tekstiksi(data_kansio / "mime"));
}
