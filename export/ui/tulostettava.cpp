#include "export/ui/tulostettava.h"

#include <fcntl.h>

#include <QPageSize>
#include <QPrinter>

#include "diag/ui/teksti.h"
#include "perus/merkisto.h"
#include "perus/tiedostot.h"

void aseta_arkki(QPrinter& tulostin, const Tulostettava& t) {
    tulostin.setDocName(fi(t.otsikko));
    if (t.koko_arkki) {
        tulostin.setFullPage(true);
        tulostin.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
}


namespace {

// A whole PDF ends with its end mark, perhaps followed by a line end. A device that could not write its
// file (a full disk, a size limit) leaves it without one, and says nothing of it.
bool pdf_kokonainen(Tiedostojarjestelma& tj, const std::filesystem::path& polku) {
    const Kuvaaja a = tj.avaa(polku, O_RDONLY);
    if (!a.tulos) return false;
    Tiedostotiedot tt;
    std::string loppu(32, '\0');
    Siirretty n;
    if (tj.tiedot(a.fd, tt) && tt.koko > 0) {
        const std::uint64_t alku = tt.koko > loppu.size() ? tt.koko - loppu.size() : 0;
        n = tj.lue(a.fd, loppu.data(), loppu.size(), alku);
    }
    tj.sulje(a.fd);
    if (!n.tulos || n.tavuja == 0) return false;
    loppu.resize(n.tavuja);
    while (!loppu.empty() && (loppu.back() == '\n' || loppu.back() == '\r' || loppu.back() == ' ')) loppu.pop_back();
    return loppu.size() >= 5 && loppu.compare(loppu.size() - 5, 5, "%%EOF") == 0;
}

}  // namespace

Tulos kirjoita_pdf(Tiedostojarjestelma& tj, const std::filesystem::path& kohde, const Tulostettava& t) {
    Korvaus korvaus(tj, kohde);
    if (!korvaus.kunnossa()) return korvaus.valmis();
    {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(QString::fromStdString(korvaus.valiaikainen().string()));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        aseta_arkki(pdf, t);
        pdf.setCreator(QStringLiteral("Rullakko"));
        t.valmistele(pdf, false);
        if (!t.piirra(pdf))
            return Tulos::virhe(EIO, "Tiedostoon " + merkisto::utf8_cp1252(kohde.string()) + " ei voi kirjoittaa.");
    }
    // Without valmis() the unfinished file is removed and the old one stays.
    if (!pdf_kokonainen(tj, korvaus.valiaikainen()))
        return Tulos::virhe(EIO, "Tiedoston " + merkisto::utf8_cp1252(kohde.string()) +
                                     " kirjoittaminen epäonnistui: PDF-tiedosto jäi kesken (levy täynnä?)");
    return korvaus.valmis();
}
