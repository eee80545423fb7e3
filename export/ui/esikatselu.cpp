#include "export/ui/esikatselu.h"

#include <QBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>

#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "perus/ui/paaikkuna.h"
#include "settings/ui/tulostin.h"
#include "storage/varasto.h"

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

bool varattu = false;

}  // namespace

Tulostusvaraus::Tulostusvaraus() { varattu = true; }
Tulostusvaraus::~Tulostusvaraus() { varattu = false; }
bool Tulostusvaraus::kaynnissa() { return varattu; }

bool tarkista_tulostin(Tyopoyta& tyopoyta, diag::Viestit& viestit) {
    if (!tyopoyta.tulostin_olemassa()) {
        viestit.virhe(ei_tulostinta_viesti);
        return false;
    }
    if (Tulostusvaraus::kaynnissa()) {
        viestit.virhe(tulostin_kiireinen_viesti);
        return false;
    }
    return true;
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
        const Tulos tulos = kirjoita_pdf(v.tj(), std::filesystem::path(nimi.toStdString()), t);
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
