#include "export/ui/esikatselu.h"

#include <fcntl.h>

#include <QBoxLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "export/ui/listatulostus.h"
#include "perus/merkisto.h"
#include "perus/tiedostot.h"
#include "perus/ui/paaikkuna.h"
#include "settings/ui/tulostin.h"
#include "storage/varasto.h"

namespace {

void aseta_arkki(QPrinter& tulostin, const Tulostettava& t) {
    tulostin.setDocName(fi(t.otsikko));
    if (t.koko_arkki) {
        tulostin.setFullPage(true);
        tulostin.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
}

}  // namespace

Tulostuksen_esikatselu::Tulostuksen_esikatselu(QPrinter& tulostin, const Tulostettava& t, QWidget* parent)
    : QDialog(parent) {
    setObjectName("Tulostuksen_esikatselu");
    setWindowTitle(fi(t.otsikko));
    esikatselu = new QPrintPreviewWidget(&tulostin, this);
    esikatselu->setObjectName("esikatselu");
    esikatselu->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(esikatselu, &QPrintPreviewWidget::paintRequested, this, [&t](QPrinter* p) { t.piirra(*p); });
    auto nappi = [this](const char* nimi, const char* teksti, Valinta v) {
        auto* b = new QPushButton(fi(teksti), this);
        b->setObjectName(nimi);
        connect(b, &QPushButton::clicked, this, [this, v] {
            valinta = v;
            v == Valinta::Sulje ? reject() : accept();
        });
        return b;
    };
    tulosta_button = nappi("tulosta_button", "Tulosta...", Valinta::Tulosta);
    pdf_button = nappi("pdf_button", pdf_valinta, Valinta::Pdf);
    sulje_button = nappi("sulje_button", "Sulje", Valinta::Sulje);
    tulosta_button->setDefault(true);
    auto* napit = new QHBoxLayout;
    napit->addStretch();
    napit->addWidget(tulosta_button);
    napit->addWidget(pdf_button);
    napit->addWidget(sulje_button);
    auto* l = new QVBoxLayout(this);
    l->addWidget(esikatselu, 1);
    l->addLayout(napit);
    resize(720, 860);
}

namespace {

// A whole PDF ends with its end mark, perhaps followed by a line end. A device that could not write its
// file (a full disk, a size limit) leaves it without one, and says nothing of it.
bool pdf_kokonainen(Tiedostojarjestelma& tj, const std::filesystem::path& polku) {
    const int fd = tj.avaa(polku, O_RDONLY);
    if (fd < 0) return false;
    Tiedostotiedot tt;
    std::string loppu(32, '\0');
    long n = -1;
    if (tj.tiedot(fd, tt) == 0 && tt.koko > 0) {
        const std::uint64_t alku = tt.koko > loppu.size() ? tt.koko - loppu.size() : 0;
        n = tj.lue(fd, loppu.data(), loppu.size(), alku);
    }
    tj.sulje(fd);
    if (n <= 0) return false;
    loppu.resize(static_cast<std::size_t>(n));
    while (!loppu.empty() && (loppu.back() == '\n' || loppu.back() == '\r' || loppu.back() == ' ')) loppu.pop_back();
    return loppu.size() >= 5 && loppu.compare(loppu.size() - 5, 5, "%%EOF") == 0;
}

}  // namespace

Tulos kirjoita_pdf(const std::filesystem::path& kohde, const Tulostettava& t) {
    Tiedostojarjestelma& tj = jarjestelman_tiedostot();
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

void esikatsele_ja_tulosta(Paaikkuna& p, const Tulostettava& t) {
    Varasto& v = p.varasto();
    const QPrinterInfo tiedot = oletustulostin();
    QPrinter tulostin(tiedot, QPrinter::HighResolution);
    if (tiedot.isNull()) tulostin.setOutputFormat(QPrinter::PdfFormat);
    aseta_arkki(tulostin, t);
    t.valmistele(tulostin, false);
    Tulostuksen_esikatselu e(tulostin, t, p.ikkuna());
    p.tyopoyta().nayta_dialogi(e);
    if (e.valinta == Tulostuksen_esikatselu::Valinta::Pdf) {
        const QString nimi =
            p.tyopoyta().valitse_tallennettava(p.ikkuna(), fi(pdf_valinta), fi("PDF (*.pdf)"), QStringLiteral("pdf"));
        if (nimi.isEmpty()) return;
        const Tulos tulos = kirjoita_pdf(std::filesystem::path(nimi.toStdString()), t);
        if (!tulos) v.viestit.virhe(tulos.viesti);
        return;
    }
    if (e.valinta != Tulostuksen_esikatselu::Valinta::Tulosta) return;
    if (!tarkista_tulostin(p.tyopoyta(), v.viestit)) return;
    QPrintDialog dialogi(&tulostin, p.ikkuna());
    dialogi.setOption(QAbstractPrintDialog::PrintPageRange);
    dialogi.setMinMax(1, std::max(1, t.sivuja()));
    if (p.tyopoyta().nayta_dialogi(dialogi) != QDialog::Accepted) return;
    t.valmistele(tulostin, true);
    Tulostusvaraus varaus;
    if (!t.piirra(tulostin)) v.viestit.virhe("Tulostusta ei voitu aloittaa: " + cp(tulostin.printerName()));
}
