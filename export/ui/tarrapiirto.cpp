#include "export/ui/tarrapiirto.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <filesystem>

#include "diag/kiire.h"
#include "diag/loki.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"
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
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(kansio.polku(pohjakansio), ec)) {
        const std::string nimi = polku_tekstiksi(e.path().filename());
        const std::string pienet = pienet_kirjaimet(nimi);
        if (pienet.size() > 4 && pienet.ends_with(".bmp") && e.is_regular_file(ec)) nimet.push_back(pienet);
    }
    std::sort(nimet.begin(), nimet.end());
    return nimet;
}

Tarrapiirtaja::Tarrapiirtaja(const TOmaList& lista, const Ohjelmakansio& kansio, diag::Viestit& viestit,
                             diag::Kiire& kiire, Tarra_asetukset asetukset)
    : lista_(lista), kansio_(kansio), viestit_(viestit), kiire_(kiire), a_(std::move(asetukset)) {}

Tarrapiirtaja::~Tarrapiirtaja() = default;

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

// The vertical font is registered only while a label is drawn.
class Pystyfontti {
public:
    Pystyfontti(const Ohjelmakansio& kansio, diag::Viestit& viestit) {
        id_ = QFontDatabase::addApplicationFont(QString::fromStdString(kansio.polku("VERTFONT.TTF").string()));
        if (id_ < 0 || QFontDatabase::applicationFontFamilies(id_).size() != 1)
            viestit.virhe("Virhe fontin käyttöönotossa!");
    }
    ~Pystyfontti() {
        if (id_ >= 0) QFontDatabase::removeApplicationFont(id_);
    }

private:
    int id_ = -1;
};

}  // namespace

std::optional<QImage> Tarrapiirtaja::sivutarra(const std::string& kasetti) {
    kiire_.kasittele_viestit();
    Pystyfontti pystyfontti(kansio_, viestit_);
    if (!sivupohja_ || sivupohjan_nimi_ != a_.starra_fn) {
        std::optional<QImage> pohja = lataa_pohja(sivupohjat, a_.starra_fn);
        if (!pohja) return std::nullopt;
        sivupohja_ = pohja->scaled(tarrat::sivu_leveys, tarrat::sivu_korkeus, Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation).convertToFormat(muoto());
        sivupohjan_nimi_ = a_.starra_fn;
    }
    QImage tarra = *sivupohja_;
    std::vector<std::string> nimet;
    for (const TKortti* k : tarrat::kasetin_kortit(lista_, kasetti)) nimet.push_back(k->nimi);
    const tarrat::Sivutarra t = tarrat::sivutarran_asettelu(
        nimet, kasetti, [this](const std::string& s, int h, bool b) { return nimen_leveys(s, h, b); });
    for (const std::string& v : t.varoitukset) viestit_.varoitus(v);
    {
        QPainter m(&tarra);
        m.setRenderHint(QPainter::TextAntialiasing);
        m.setPen(Qt::black);
        for (const tarrat::Tarrateksti& r : t.rivit) piirra_teksti(m, fontti(Nimet, r.korkeus, r.lihava), r);
        m.setPen(a_.musta_numero ? Qt::black : Qt::white);
        for (const tarrat::Tarrateksti& r : t.numero) piirra_teksti(m, fontti(Numero, r.korkeus, false), r);
    }
    kirjoita_debug("Lisätty tarra: " + lyhennetty(kasetti));
    return tarra;
}

QImage Tarrapiirtaja::paalystarra(const std::string& kasetti, const QImage& pohja,
                                  const std::function<void(int, int)>& edistyminen) {
    const std::vector<const TKortti*> kortit = tarrat::kasetin_kortit(lista_, kasetti);
    const int n = static_cast<int>(kortit.size());
    int askel = 0;
    auto etene = [&] {
        if (edistyminen) edistyminen(++askel, n + 4);
        kiire_.kasittele_viestit();
    };
    QImage tarra(tarrat::paalys_leveys, tarrat::paalys_korkeus, muoto());
    tarra.fill(Qt::white);
    etene();
    std::vector<std::string> tekstit;
    for (const TKortti* k : kortit) tekstit.push_back(tarrat::paalystarran_teksti(*k, a_.remove_eng, a_.lisaa_nopeus));
    etene();
    const std::vector<tarrat::Tarrateksti> t = tarrat::paalystarran_asettelu(
        tekstit, a_.keskita, [this](const std::string& s, int h, bool b) { return paalyksen_leveys(s, h, b); });
    etene();
    {
        QPainter m(&tarra);
        m.setRenderHint(QPainter::SmoothPixmapTransform);
        m.setRenderHint(QPainter::TextAntialiasing);
        m.drawImage(tarra.rect(), pohja);
        m.setPen(Qt::black);
        for (const tarrat::Tarrateksti& r : t) {
            piirra_teksti(m, fontti(Paalys, r.korkeus, true), r);
            etene();
        }
    }
    etene();
    if (edistyminen) edistyminen(0, n + 4);
    return tarra;
}

void SiirraBitmap(QPainter& maalari, const QImage& tarra, const tarrat::Paikka& paikka, bool vaihtoehtoinen,
                  diag::Viestit& viestit) {
    kirjoita_debug("Aloitetaan SiirraBitmap");
    const QRect kohde(paikka.vasen, paikka.yla, paikka.leveys(), paikka.korkeus());
    if (tarra.isNull() || !maalari.isActive()) {
        viestit.virhe(vaihtoehtoinen ? "VIRHE #19284_2: Yritä vaihtoehtoista tulostusmenetelmää (ks. asetukset)!"
                                     : "VIRHE #19283_2: StretchDIBits Epäonnistui, yritä vaihtoehtoista "
                                       "tulostusmenetelmää (ks. asetukset)!");
        return;
    }
    if (vaihtoehtoinen) {
        maalari.save();
        maalari.setRenderHint(QPainter::SmoothPixmapTransform);
        maalari.drawImage(kohde, tarra.convertToFormat(QImage::Format_RGB32));
        maalari.restore();
    } else {
        maalari.drawImage(kohde, tarra);
    }
}

bool tulosta_sivutarrat(QPainter& maalari, QPagedPaintDevice& laite, Tarrapiirtaja& piirtaja, const Tarratyo& t) {
    int p = 0;
    int tehty = 0;
    const int arkilla = std::max(1, t.arkilla);
    for (const std::string& kasetti : t.kasetit) {
        if (++p > arkilla) {
            laite.newPage();
            p = 1;
        }
        const std::optional<QImage> tarra = piirtaja.sivutarra(kasetti);
        if (!tarra) return false;
        SiirraBitmap(maalari, *tarra, tarrat::sivutarran_paikka(p, t.dpi_x, t.dpi_y), piirtaja.asetukset().vaihtoehtoinen,
                     piirtaja.viestit());
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
    int tehty = 0;
    for (const std::string& kasetti : t.kasetit) {
        if (rivi == tarrat::paalyksia_arkilla / tarrat::paalys_sarakkeet) {
            laite.newPage();
            sarake = rivi = 0;
        }
        const QImage tarra = piirtaja.paalystarra(kasetti, *pohja);
        SiirraBitmap(maalari, tarra, tarrat::paalystarran_paikka(sarake, rivi, t.dpi_x, t.dpi_y),
                     piirtaja.asetukset().vaihtoehtoinen, piirtaja.viestit());
        if (t.edistyminen) t.edistyminen(++tehty);
        piirtaja.kiire().kasittele_viestit();
        if (++sarake == tarrat::paalys_sarakkeet) {
            sarake = 0;
            ++rivi;
        }
    }
    return true;
}
