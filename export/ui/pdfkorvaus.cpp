#include "export/ui/pdfkorvaus.h"

#include <cerrno>

namespace {

constexpr std::size_t puskurin_koko = 1 << 16;
constexpr std::size_t lopun_pituus = 32;

// A whole document ends with its end mark, perhaps followed by a line end.
bool loppumerkki(std::string loppu) {
    while (!loppu.empty() && (loppu.back() == '\n' || loppu.back() == '\r' || loppu.back() == ' ')) loppu.pop_back();
    return loppu.size() >= 5 && loppu.compare(loppu.size() - 5, 5, "%%EOF") == 0;
}

}  // namespace

PdfKorvaus::PdfKorvaus(Tiedostojarjestelma& t, const std::filesystem::path& kohde) : korvaus_(t, kohde), kohde_(kohde) {
    open(QIODevice::WriteOnly);
}

qint64 PdfKorvaus::writeData(const char* data, qint64 n) {
    if (!korvaus_.kunnossa()) return -1;
    puskuri_.append(data, static_cast<std::size_t>(n));
    loppu_.append(data, static_cast<std::size_t>(n));
    if (loppu_.size() > lopun_pituus) loppu_.erase(0, loppu_.size() - lopun_pituus);
    if (puskuri_.size() >= puskurin_koko) tyhjenna();
    return korvaus_.kunnossa() ? n : -1;
}

void PdfKorvaus::tyhjenna() {
    korvaus_.kirjoita(puskuri_);
    puskuri_.clear();
}

Tulos PdfKorvaus::valmis(bool piirto_onnistui) {
    tyhjenna();
    close();
    // A failed write tells its own reason (a full disk, …); otherwise an unfinished document is refused here.
    if (korvaus_.kunnossa() && !(piirto_onnistui && loppumerkki(loppu_)))
        return Tulos::virhe(EIO, "Tiedoston " + kohde_.string() + " kirjoittaminen epäonnistui: PDF-tiedosto jäi kesken");
    return korvaus_.valmis();
}
