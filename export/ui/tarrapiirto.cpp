#include "export/ui/tarrapiirto.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <filesystem>

#include "diag/kiire.h"
#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
#include "perus/tiedostojarjestelma.h"
#include "perus/teksti.h"
#include "settings/asetukset.h"
#include "perus/ohjelmakansio.h"

namespace {
enum Fonttilaji { Nimet, Paalys, Numero };
const char* const pystyfontin_nimi = "Vertical Font!!";
}  // namespace

QFont tarrafontti(const QString& perhe, QFont::StyleHint vihje, int korkeus, bool lihava) {
    QFont f(perhe);
    f.setStyleHint(vihje);
    f.setBold(lihava);
    f.setPixelSize(std::max(1, korkeus));
    // The layout gives the height of the whole cell (ascent and descent); Qt sizes fonts by their em.
    const qreal solu = QFontMetricsF(f).height();
    if (solu > 0) f.setPixelSize(std::max(1, qRound(korkeus * qreal(korkeus) / solu)));
    return f;
}

Tarra_asetukset tarra_asetukset(const TAsetukset& a) {
    Tarra_asetukset t;
    t.starra_fn = a.starra_fn;
    t.ptarra_fn = a.ptarra_fn;
    t.musta_numero = a.def_kas_num_color == 1;
    t.bittia16 = a.print_16bit;
    t.keskita = a.ptarra_keskita;
    t.lisaa_nopeus = a.ptarra_lisaa_nopeus;
    t.remove_eng = a.ptarra_remove_eng;
    t.vaihtoehtoinen = a.alternative_printing;
    return t;
}

std::vector<std::string> listaa_pohjat(const Ohjelmakansio& kansio, const char* pohjakansio) {
    std::vector<std::string> nimet;
    std::vector<Kansiorivi> rivit;
    kansio.tiedostot().listaa(kansio.polku(pohjakansio), rivit);
    for (const Kansiorivi& r : rivit) {
        const std::string pienet = pienet_kirjaimet(polku_tekstiksi(r.nimi));
        if (pienet.size() > 4 && pienet.ends_with(".bmp") && r.tavallinen) nimet.push_back(pienet);
    }
    std::sort(nimet.begin(), nimet.end());
    return nimet;
}

Tarrapiirtaja::Tarrapiirtaja(const TOmaList& lista, const Ohjelmakansio& kansio, diag::Viestit& viestit,
                             diag::Kiire& kiire, Tarra_asetukset asetukset)
    : lista_(lista), kansio_(kansio), viestit_(viestit), kiire_(kiire), a_(std::move(asetukset)) {}

void Tarrapiirtaja::aseta(const Tarra_asetukset& a) {
    if (a.starra_fn != a_.starra_fn || a.bittia16 != a_.bittia16) sivupohja_.reset();
    a_ = a;
}

QImage::Format Tarrapiirtaja::muoto() const { return a_.bittia16 ? QImage::Format_RGB16 : QImage::Format_RGB888; }

const QFont& Tarrapiirtaja::fontti(int laji, int korkeus, bool lihava) {
    const auto avain = std::make_tuple(laji, korkeus, lihava);
    auto it = fontit_.find(avain);
    if (it == fontit_.end()) {
        QFont f = laji == Nimet    ? tarrafontti(QStringLiteral("Courier New"), QFont::TypeWriter, korkeus, lihava)
                  : laji == Paalys ? tarrafontti(QStringLiteral("Times New Roman"), QFont::Serif, korkeus, lihava)
                                   : tarrafontti(QString::fromLatin1(pystyfontin_nimi), QFont::AnyStyle, korkeus, false);
        it = fontit_.emplace(avain, f).first;
    }
    return it->second;
}

// Measured and drawn alike from the beginning of a text (a label holds far less than a line's cut), so a
// huge name costs no more than a long one.
int Tarrapiirtaja::nimen_leveys(const std::string& teksti, int korkeus, bool lihava) {
    return QFontMetrics(fontti(Nimet, korkeus, lihava)).horizontalAdvance(q_nakyva(teksti));
}

int Tarrapiirtaja::paalyksen_leveys(const std::string& teksti, int korkeus, bool lihava) {
    return QFontMetrics(fontti(Paalys, korkeus, lihava)).horizontalAdvance(q_nakyva(teksti));
}

std::optional<QImage> Tarrapiirtaja::lataa_pohja(const char* pohjakansio, const std::string& nimi) {
    const std::filesystem::path polku = kansio_.polku(std::string(pohjakansio) + nimi);
    QImage kuva(QString::fromStdString(polku.string()));
    if (kuva.isNull() || nimi.empty()) {
        viestit_.virhe("Tarran taustakuvaa ei voi lukea: " + std::string(pohjakansio) + nimi);
        return std::nullopt;
    }
    return kuva;
}

namespace {

void piirra_teksti(QPainter& m, const QFont& f, const tarrat::Tarrateksti& t) {
    m.setFont(f);
    // The layout places the top of the character cell, the painter wants the baseline.
    m.drawText(QPointF(t.x, t.y + QFontMetricsF(f).ascent()), q_nakyva(t.teksti));
}

// Maps a label's design pixels onto its rectangle for the drawing in between.
class Tarran_ala {
public:
    Tarran_ala(QPainter& m, const QRectF& kohde, int leveys, int korkeus) : m_(m) {
        m_.save();
        m_.translate(kohde.topLeft());
        m_.scale(kohde.width() / leveys, kohde.height() / korkeus);
        m_.setRenderHint(QPainter::TextAntialiasing);
        m_.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    ~Tarran_ala() { m_.restore(); }
    Tarran_ala(const Tarran_ala&) = delete;
    Tarran_ala& operator=(const Tarran_ala&) = delete;

private:
    QPainter& m_;
};

}  // namespace

Tarrapiirtaja::~Tarrapiirtaja() {
    if (pystyfontti_ >= 0) QFontDatabase::removeApplicationFont(pystyfontti_);
}

void Tarrapiirtaja::rekisteroi_pystyfontti() {
    if (pystyfontti_kokeiltu_) return;
    pystyfontti_kokeiltu_ = true;
    pystyfontti_ = QFontDatabase::addApplicationFont(QString::fromStdString(kansio_.polku("VERTFONT.TTF").string()));
    if (pystyfontti_ < 0 || QFontDatabase::applicationFontFamilies(pystyfontti_).size() != 1)
        viestit_.virhe("Virhe fontin käyttöönotossa!");
}

bool Tarrapiirtaja::lataa_sivupohja() {
    if (sivupohja_ && sivupohjan_nimi_ == a_.starra_fn) return true;
    std::optional<QImage> pohja = lataa_pohja(sivupohjat, a_.starra_fn);
    if (!pohja) return false;
    // One picture for every label, so a PDF holds it once however many labels use it.
    sivupohja_ = pohja->scaled(tarrat::sivu_leveys, tarrat::sivu_korkeus, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation).convertToFormat(muoto());
    sivupohjan_nimi_ = a_.starra_fn;
    return true;
}

bool Tarrapiirtaja::piirra_sivutarra(QPainter& maalari, const QRectF& kohde, const std::string& kasetti) {
    kiire_.kasittele_viestit();
    rekisteroi_pystyfontti();
    if (!lataa_sivupohja()) return false;
    std::vector<std::string> nimet;
    for (const TKortti* k : tarrat::kasetin_kortit(lista_, kasetti)) nimet.push_back(k->nimi);
    const tarrat::Sivutarra t = tarrat::sivutarran_asettelu(
        nimet, kasetti, [this](const std::string& s, int h, bool b) { return nimen_leveys(s, h, b); });
    for (const std::string& v : t.varoitukset) viestit_.varoitus(v);
    {
        Tarran_ala ala(maalari, kohde, tarrat::sivu_leveys, tarrat::sivu_korkeus);
        SiirraBitmap(maalari, *sivupohja_, QRectF(0, 0, tarrat::sivu_leveys, tarrat::sivu_korkeus), a_.vaihtoehtoinen,
                     viestit_);
        maalari.setPen(Qt::black);
        for (const tarrat::Tarrateksti& r : t.rivit) piirra_teksti(maalari, fontti(Nimet, r.korkeus, r.lihava), r);
        maalari.setPen(a_.musta_numero ? Qt::black : Qt::white);
        for (const tarrat::Tarrateksti& r : t.numero) piirra_teksti(maalari, fontti(Numero, r.korkeus, false), r);
    }
    kirjoita_debug("Lisätty tarra: " + lyhennetty(kasetti));
    return true;
}

std::optional<QImage> Tarrapiirtaja::sivutarra(const std::string& kasetti) {
    QImage tarra(tarrat::sivu_leveys, tarrat::sivu_korkeus, muoto());
    tarra.fill(Qt::white);
    QPainter m(&tarra);
    if (!piirra_sivutarra(m, QRectF(tarra.rect()), kasetti)) return std::nullopt;
    return tarra;
}

void Tarrapiirtaja::piirra_paalystarra(QPainter& maalari, const QRectF& kohde, const std::string& kasetti,
                                       const QImage& pohja, const std::function<void(int, int)>& edistyminen) {
    const std::vector<const TKortti*> kortit = tarrat::kasetin_kortit(lista_, kasetti);
    const int n = static_cast<int>(kortit.size());
    int askel = 0;
    auto etene = [&] {
        if (edistyminen) edistyminen(++askel, n + 4);
        kiire_.kasittele_viestit();
    };
    etene();
    std::vector<std::string> tekstit;
    for (const TKortti* k : kortit) tekstit.push_back(tarrat::paalystarran_teksti(*k, a_.remove_eng, a_.lisaa_nopeus));
    etene();
    const std::vector<tarrat::Tarrateksti> t = tarrat::paalystarran_asettelu(
        tekstit, a_.keskita, [this](const std::string& s, int h, bool b) { return paalyksen_leveys(s, h, b); });
    etene();
    {
        Tarran_ala ala(maalari, kohde, tarrat::paalys_leveys, tarrat::paalys_korkeus);
        SiirraBitmap(maalari, pohja, QRectF(0, 0, tarrat::paalys_leveys, tarrat::paalys_korkeus), a_.vaihtoehtoinen,
                     viestit_);
        maalari.setPen(Qt::black);
        for (const tarrat::Tarrateksti& r : t) {
            piirra_teksti(maalari, fontti(Paalys, r.korkeus, true), r);
            etene();
        }
    }
    etene();
    if (edistyminen) edistyminen(0, n + 4);
}

QImage Tarrapiirtaja::paalystarra(const std::string& kasetti, const QImage& pohja,
                                  const std::function<void(int, int)>& edistyminen) {
    QImage tarra(tarrat::paalys_leveys, tarrat::paalys_korkeus, muoto());
    tarra.fill(Qt::white);
    QPainter m(&tarra);
    piirra_paalystarra(m, QRectF(tarra.rect()), kasetti, pohja, edistyminen);
    return tarra;
}

void SiirraBitmap(QPainter& maalari, const QImage& kuva, const QRectF& kohde, bool vaihtoehtoinen,
                  diag::Viestit& viestit) {
    kirjoita_debug("Aloitetaan SiirraBitmap");
    if (kuva.isNull() || !maalari.isActive()) {
        viestit.virhe(vaihtoehtoinen ? "VIRHE #19284_2: Yritä vaihtoehtoista tulostusmenetelmää (ks. asetukset)!"
                                     : "VIRHE #19283_2: StretchDIBits Epäonnistui, yritä vaihtoehtoista "
                                       "tulostusmenetelmää (ks. asetukset)!");
        return;
    }
    // The alternative method smooths the stretched picture; the plain one copies it pixel for pixel.
    maalari.save();
    maalari.setRenderHint(QPainter::SmoothPixmapTransform, vaihtoehtoinen);
    maalari.drawImage(kohde, kuva);
    maalari.restore();
}

namespace {

QRectF alue(const tarrat::Paikka& p) { return QRectF(p.vasen, p.yla, p.leveys(), p.korkeus()); }

// Whether sheet `arkki` (from 1) is one the print asks for.
bool tulostetaan(const Tarratyo& t, int arkki) { return arkki >= t.eka_arkki && (t.vika_arkki <= 0 || arkki <= t.vika_arkki); }

}  // namespace

bool tulosta_sivutarrat(QPainter& maalari, QPagedPaintDevice& laite, Tarrapiirtaja& piirtaja, const Tarratyo& t) {
    int p = 0;
    int arkki = 1;
    int tehty = 0;
    bool sivulla = false;  // something is drawn on the device's current page
    const int arkilla = std::max(1, t.arkilla);
    for (const std::string& kasetti : t.kasetit) {
        if (++p > arkilla) {
            ++arkki;
            p = 1;
        }
        if (!tulostetaan(t, arkki)) continue;
        if (p == 1 && sivulla) laite.newPage();
        if (!piirtaja.piirra_sivutarra(maalari, alue(tarrat::sivutarran_paikka(p, t.dpi_x, t.dpi_y)), kasetti))
            return false;
        sivulla = true;
        if (t.edistyminen) t.edistyminen(++tehty);
    }
    kirjoita_debug("Ja nyt aloitamme itse tulostuksen");
    return true;
}

bool tulosta_paalystarrat(QPainter& maalari, QPagedPaintDevice& laite, Tarrapiirtaja& piirtaja,
                          const Tarratyo& t) {
    const std::optional<QImage> pohja = piirtaja.lataa_pohja(paalyspohjat, piirtaja.asetukset().ptarra_fn);
    if (!pohja) return false;
    int sarake = 0;
    int rivi = 0;
    int arkki = 1;
    int tehty = 0;
    bool sivulla = false;
    for (const std::string& kasetti : t.kasetit) {
        if (rivi == tarrat::paalyksia_arkilla / tarrat::paalys_sarakkeet) {
            ++arkki;
            sarake = rivi = 0;
        }
        if (tulostetaan(t, arkki)) {
            if (sarake == 0 && rivi == 0 && sivulla) laite.newPage();
            piirtaja.piirra_paalystarra(maalari, alue(tarrat::paalystarran_paikka(sarake, rivi, t.dpi_x, t.dpi_y)),
                                        kasetti, *pohja);
            sivulla = true;
            if (t.edistyminen) t.edistyminen(++tehty);
            piirtaja.kiire().kasittele_viestit();
        }
        if (++sarake == tarrat::paalys_sarakkeet) {
            sarake = 0;
            ++rivi;
        }
    }
    return true;
}

Tulostettava tarratuloste(Tarrapiirtaja& piirtaja, const Tarratyo& tyo, bool paalys) {
    Tulostettava t;
    t.otsikko = tarratyon_nimi;
    t.koko_arkki = true;
    t.valmistele = [&tyo, paalys](QPrinter& tulostin, bool) {
        tulostin.setPageOrientation(paalys ? QPageLayout::Landscape : QPageLayout::Portrait);
        // The labels' places are device units at the work's resolution; the printer's own would give
        // labels of another size.
        tulostin.setResolution(tyo.dpi_x);
    };
    t.piirra = [&piirtaja, &tyo, paalys](QPrinter& tulostin) {
        Tarratyo arkit = tyo;
        // Device units are those of the printer's resolution, across and down alike.
        arkit.dpi_x = arkit.dpi_y = tulostin.resolution();
        if (tulostin.printRange() == QPrinter::PageRange) {
            arkit.eka_arkki = tulostin.fromPage();
            arkit.vika_arkki = tulostin.toPage();
        }
        QPainter maalari;
        if (!maalari.begin(&tulostin)) return false;
        const bool ok = paalys ? tulosta_paalystarrat(maalari, tulostin, piirtaja, arkit)
                               : tulosta_sivutarrat(maalari, tulostin, piirtaja, arkit);
        if (!ok) tulostin.abort();
        return maalari.end() && ok;
    };
    t.sivuja = [&tyo, paalys] {
        return tarrat::arkkeja(static_cast<int>(tyo.kasetit.size()), paalys ? tarrat::paalyksia_arkilla : tyo.arkilla);
    };
    return t;
}
