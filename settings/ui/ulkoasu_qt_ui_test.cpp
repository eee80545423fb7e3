#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "perus/tiedostojarjestelma.h"
#include "diag/ui/teksti.h"
#include "perus/ohjelmakansio.h"
#include "settings/ui/tulostin.h"
#include "settings/ui/ulkoasu_qt.h"
#include "testituki/kuvat.h"
#include "testituki/tilapainen_kansio.h"
#include "testituki/testiviestit.h"

namespace {

// A window that paints a skin background at its top left, as the main window and the dialogs do.
class Taustallinen : public QWidget {
public:
    QPixmap tausta;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawPixmap(0, 0, tausta);
    }
};

QColor keskelta(QWidget* w) { return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2); }

// The stars of a rating: the lit picture up to the rating's cut, the unlit one after it.
QPixmap tahdet(const Ulkoasu& u, int arvosana) {
    static const int leikkaus[] = {0, 12, 25, 34, 47, 57, 69, 78, 91, 101, 113};
    QImage kuva = lataa_kuva(jarjestelman_tiedostot(), u.tahdet2).toImage().convertToFormat(QImage::Format_RGB32);
    QPainter(&kuva).drawPixmap(QPoint(0, 0), lataa_kuva(jarjestelman_tiedostot(), u.tahdet), QRect(0, 0, leikkaus[arvosana], 21));
    return QPixmap::fromImage(kuva);
}

QLabel* kuva(QWidget* isa, const QPixmap& p, int x, int y) {
    auto* l = new QLabel(isa);
    l->setPixmap(p);
    l->setGeometry(x, y, p.width(), p.height());
    return l;
}

// The main window's card as it will be laid out, dressed in a skin, for looking at the skins together.
std::unique_ptr<Taustallinen> malli_paaikkunasta(const Ulkoasu& u) {
    auto w = std::make_unique<Taustallinen>();
    w->tausta = lataa_kuva(jarjestelman_tiedostot(), u.tausta1);
    w->setFixedSize(w->tausta.size());
    struct Rivi {
        const char* otsake;
        const char* arvo;
        int y, leveys;
    };
    const Rivi rivit[] = {
        {"Elokuvan Nimi:", "Tähtien sota", 56, 433},        {"Pääosissa:", "Mark Hamill, Harrison Ford", 82, 557},
        {"Valmistusmaa:", "Usa", 108, 150},                  {"Formaatti:", "LP", 134, 150},
        {"Kesto:", "121 min", 160, 150},                     {"Ääniraita:", "Hifi Stereo", 186, 150},
        {"Kuvasuhde:", "1.85:1 [16:9]", 212, 150},           {"Ohjaaja:", "George Lucas", 238, 335},
        {"Käsikirjoitus:", "George Lucas", 256 + 0, 0},
    };
    for (const Rivi& r : rivit) {
        if (!r.leveys) continue;
        auto* l = new QLabel(fi(r.otsake), w.get());
        l->setGeometry(8, r.y + 2, 86, 18);
        if (r.y == 82) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, qvari(u.paaikkuna_korostettu));
            l->setProperty("tag", 1);  // the focused field's label keeps its highlight here
            l->setPalette(p);
        }
        auto* e = r.y == 108 || r.y == 134 || r.y == 186 || r.y == 212 ? static_cast<QWidget*>(new QComboBox(w.get()))
                                                                        : new QLineEdit(w.get());
        if (auto* c = qobject_cast<QComboBox*>(e)) {
            c->setEditable(true);
            c->setEditText(fi(r.arvo));
        } else {
            static_cast<QLineEdit*>(e)->setText(fi(r.arvo));
        }
        e->setGeometry(95, r.y, r.leveys, 21);
    }
    for (const auto& [otsake, x, y] : {std::tuple{"Vuosi:", 260, 108}, std::tuple{"Luokitus:", 260, 134},
                                       std::tuple{"Kasetilla/ levyllä nro:", 260, 160}, std::tuple{"Värit:", 260, 186}}) {
        auto* l = new QLabel(fi(otsake), w.get());
        l->setGeometry(x, y + 2, 130, 18);
        auto* e = new QLineEdit(w.get());
        e->setGeometry(x + 120, y, 55, 21);
    }
    auto* juoni_otsake = new QLabel(fi("Juoni:"), w.get());
    juoni_otsake->setGeometry(8, 282, 80, 18);
    auto* kommentit = new QLabel(fi("Kommentit:"), w.get());
    kommentit->setGeometry(8, 298, 80, 18);
    kommentit->setProperty("tag", 1);
    QPalette himmea = kommentit->palette();
    himmea.setColor(QPalette::WindowText, qvari(u.paaikkuna_himmennetty));
    kommentit->setPalette(himmea);
    auto* juoni = new QPlainTextEdit(fi("Kaukaisessa galaksissa nuori maanviljelijä lähtee pelastamaan prinsessaa."),
                                     w.get());
    juoni->setGeometry(95, 280, 335, 49);
    auto* lainassa = new QLabel(fi("Lainassa:"), w.get());
    lainassa->setGeometry(8, 338, 80, 18);
    (new QLineEdit(w.get()))->setGeometry(95, 336, 335, 21);

    kuva(w.get(), tahdet(u, 7), 538, 56);
    const Ikoni ikonit[] = {Ikoni::lista_info_icon, Ikoni::lista_icon, Ikoni::info_available_icon,
                            Ikoni::kansi_available_icon, Ikoni::auto_icon};
    const int ikonien_y[] = {216, 242, 268, 293, 318};
    for (int i = 0; i < 5; ++i) {
        const QPixmap p = lataa_kuva(jarjestelman_tiedostot(), u.ikoni(ikonit[i]));
        kuva(w.get(), i == 0 ? QPixmap::fromImage(korostettu(p.toImage(), u.icon_korostus)) : p, 440, ikonien_y[i]);
    }
    auto* muut = new QTableWidget(5, 2, w.get());
    muut->setGeometry(467, 216, 185, 75);
    muut->horizontalHeader()->hide();
    muut->verticalHeader()->hide();
    muut->setColumnWidth(0, 166);
    muut->setColumnWidth(1, 14);
    for (int i = 0; i < 5; ++i) muut->setRowHeight(i, 16);
    const char* elokuvat[] = {"Kasetti (tai dvd) nro: 12", "Tähtien sota", "Imperiumin vastaisku", "Jedin paluu", ""};
    for (int i = 0; i < 5; ++i) {
        muut->setItem(i, 0, new QTableWidgetItem(fi(elokuvat[i])));
        muut->setItem(i, 1, new QTableWidgetItem(i == 0 ? "S" : i < 4 ? QString::number(i) : QString()));
    }
    auto* lisat = new QTableWidget(4, 2, w.get());
    lisat->setGeometry(467, 288, 185, 74);
    lisat->horizontalHeader()->hide();
    lisat->verticalHeader()->hide();
    lisat->setItem(0, 0, new QTableWidgetItem(fi("Lisätiedot:")));

    const Nappi vasen[] = {Nappi::Edellinen, Nappi::Seuraava, Nappi::Lista, Nappi::Etsi,
                           Nappi::Jarjesta,  Nappi::Uusi,     Nappi::Poista};
    const int napit_x[] = {5, 97, 201, 293, 385, 473, 565};
    for (int i = 0; i < nappeja; ++i) {
        const QPixmap p = lataa_kuva(jarjestelman_tiedostot(), u.nappi(vasen[i]));
        // The list button as it shows under the mouse.
        kuva(w.get(), i == 2 ? QPixmap::fromImage(korostettu(p.toImage(), u.korosta)) : p, napit_x[i], 376);
    }
    auto* tiedosto = new QLabel(fi("Tiedosto: /home/elokuvat/default.rkb"), w.get());
    tiedosto->setGeometry(10, 420, 400, 18);
    auto* kortti = new QLabel(fi("Kortti: 1/214"), w.get());
    kortti->setGeometry(560, 420, 95, 18);
    for (QLabel* l : {tiedosto, kortti}) {
        l->setProperty("tag", 1);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, qvari(u.paaikkuna_alareuna));
        l->setPalette(p);
    }
    auto* vieritin = new QScrollBar(Qt::Horizontal, w.get());
    vieritin->setGeometry(10, 444, 640, 16);
    sovella_ulkoasu(w.get(), u, Ikkunalaji::Paaikkuna);
    return w;
}

// The search dialog's top: the shared background, the other windows' label colour, the dialog's buttons.
std::unique_ptr<Taustallinen> malli_hakuikkunasta(const Ulkoasu& u) {
    auto w = std::make_unique<Taustallinen>();
    w->tausta = lataa_kuva(jarjestelman_tiedostot(), u.tausta2);
    w->setFixedSize(330, 230);
    (new QLabel(fi("Hakusanat"), w.get()))->setGeometry(12, 10, 200, 18);
    (new QLineEdit(fi("sota, Lucas"), w.get()))->setGeometry(12, 30, 300, 22);
    (new QCheckBox(fi("Tulos Listaan"), w.get()))->setGeometry(12, 62, 150, 20);
    (new QLabel(fi("Etsi kentistä"), w.get()))->setGeometry(12, 92, 200, 18);
    auto* huomaa = new QLabel(fi("Huomaa: F3 etsii seuraavan kortin."), w.get());
    huomaa->setGeometry(12, 150, 300, 18);
    kuva(w.get(), lataa_kuva(jarjestelman_tiedostot(), u.etsi_etsi), 130, 190);
    kuva(w.get(), lataa_kuva(jarjestelman_tiedostot(), u.etsi_peruuta), 228, 190);
    sovella_ulkoasu(w.get(), u, Ikkunalaji::Muu);
    QPalette p = huomaa->palette();
    p.setColor(QPalette::WindowText, qvari(u.muut_ikkunat_korostettu));
    huomaa->setPalette(p);
    return w;
}

}  // namespace

class UlkoasuQtTesti : public QObject {
    Q_OBJECT
private slots:
    void varitJaKorostus() {
        QCOMPARE(qvari(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(qvari(0xC5D6D9), QColor(0xD9, 0xD6, 0xC5));
        QCOMPARE(vari(QColor(1, 2, 3)), Vari(0x030201));
        QImage kuva(4, 1, QImage::Format_RGB32);
        kuva.setPixel(0, 0, qRgb(0, 100, 205));  // 0 stays, 205 + 50 would reach 255
        kuva.setPixel(1, 0, qRgb(1, 200, 255));
        kuva.setPixel(2, 0, qRgb(204, 205, 150));
        kuva.setPixel(3, 0, qRgb(10, 20, 30));
        const QImage k = korostettu(kuva, 50);
        QCOMPARE(QColor(k.pixel(0, 0)), QColor(0, 150, 205));
        QCOMPARE(QColor(k.pixel(1, 0)), QColor(51, 250, 255));
        QCOMPARE(QColor(k.pixel(2, 0)), QColor(254, 205, 200));
        QCOMPARE(QColor(k.pixel(3, 0)), QColor(60, 70, 80));
    }

    void ikkunanOsatSaavatVarinsa() {
        Ulkoasu u;
        u.kenttien_vari = 0x00FFFF;  // yellow
        u.extrat = 0xFF0000;         // blue
        u.paaikkuna_normaali = 0x0000FF;
        u.muut_ikkunat_normaali = 0x00FF00;
        QWidget w;
        w.resize(400, 300);
        auto* kentta = new QLineEdit(&w);
        auto* oma = new QLineEdit(&w);
        oma->setProperty("tag", 1);
        auto* paneeli = new QWidget(&w);
        paneeli->setObjectName("extrat_panel");
        paneeli->setGeometry(0, 100, 200, 100);
        auto* info = new QLineEdit(paneeli);
        info->setObjectName("Extra_info");
        auto* otsake = new QLabel("Nimi:", &w);
        auto* lista = new QComboBox(&w);
        lista->setEditable(true);
        w.show();
        sovella_ulkoasu(&w, u, Ikkunalaji::Paaikkuna);
        QCOMPARE(keskelta(kentta), QColor(Qt::yellow));
        QCOMPARE(kentta->height(), 21);
        QVERIFY(keskelta(oma) != QColor(Qt::yellow));
        QCOMPARE(keskelta(info), QColor(Qt::blue));
        QCOMPARE(paneeli->grab().toImage().pixelColor(150, 90), QColor(Qt::blue));
        QCOMPARE(otsake->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(lista->lineEdit()->grab().toImage().pixelColor(5, 5), QColor(Qt::yellow));
        // The arrow picture the style sheet names exists.
        const QString tyyli = lista->styleSheet();
        const int alku = tyyli.indexOf("url(") + 4;
        QVERIFY(QFile::exists(tyyli.mid(alku, tyyli.indexOf(')', alku) - alku)));

        QWidget muu;
        auto* muun_otsake = new QLabel("Hakusanat", &muu);
        auto* muun_kentta = new QLineEdit(&muu);
        auto* muun_ruutu = new QCheckBox("Tulos Listaan", &muu);
        sovella_ulkoasu(&muu, u, Ikkunalaji::Muu);
        QCOMPARE(muun_otsake->palette().color(QPalette::WindowText), QColor(Qt::green));
        QCOMPARE(muun_ruutu->palette().color(QPalette::WindowText), QColor(Qt::green));
        QVERIFY(muun_ruutu->styleSheet().isEmpty());
        QVERIFY(muun_kentta->styleSheet().isEmpty());
    }

    void sovitinSeuraaElaviaIkkunoita() {
        Ulkoasusovitin s;
        auto elava = std::make_unique<QWidget>();
        auto* otsake = new QLabel("x", elava.get());
        auto kuollut = std::make_unique<QWidget>();
        Vari nahty = 0;
        s.lisaa(elava.get(), Ikkunalaji::Muu, [&](const Ulkoasu& u) { nahty = u.muut_ikkunat_normaali; });
        s.lisaa(kuollut.get(), Ikkunalaji::Muu, [](const Ulkoasu&) { QFAIL("poistettu ikkuna"); });
        kuollut.reset();
        Ulkoasu u;
        u.muut_ikkunat_normaali = 0x123456;
        s.sovella(u);
        QCOMPARE(nahty, Vari(0x123456));
        QCOMPARE(otsake->palette().color(QPalette::WindowText), qvari(0x123456));
    }

    void tulostimenTarkkuusCupsilta() {
        const std::optional<Tarkkuus> t = tulostimen_tarkkuus();
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            QVERIFY(!t);
        } else {
            QVERIFY(t);
            QVERIFY(t->x >= 50 && t->y >= 50);
        }
    }

    // The installed skins: every picture loads at the size the windows are laid out for, and each pair
    // of skins is drawn as the main window and the search dialog will show it, and kept as pictures to be
    // looked at.
    void asennetutUlkoasutKuvina() {
        const Ohjelmakansio kansio{std::filesystem::path(qEnvironmentVariable("RULLAKKO_DATA").toStdString()),
                                      jarjestelman_tiedostot()};
        const Ulkoasulistat l = listaa_ulkoasut(kansio);
        QVERIFY(l.ikkunat.size() >= 2);
        QCOMPARE(l.ikkunat, l.napit);  // each installed skin serves as both
        for (const std::string& ikkunat : l.ikkunat) {
            for (const std::string& napit : l.napit) {
                diag::TestiViestit v;
                TAsetukset a;
                a.skin_dir = ikkunat;
                a.button_dir = napit;
                lataa_ulkoasu(a, {kansio, jarjestelman_tiedostot(), v, nullptr, nullptr});
                QVERIFY(v.naytetyt.empty());
                const Ulkoasu& u = a.ulkoasu;
                QCOMPARE(lataa_kuva(jarjestelman_tiedostot(), u.tausta1).size(), QSize(660, 468));
                QVERIFY(lataa_kuva(jarjestelman_tiedostot(), u.tausta2).width() >= 640);
                for (const auto& p : u.napit) QCOMPARE(lataa_kuva(jarjestelman_tiedostot(), p).size(), QSize(90, 28));
                for (const auto& p : u.ikonit) QCOMPARE(lataa_kuva(jarjestelman_tiedostot(), p).size(), QSize(21, 21));
                for (const auto& p : {u.etsi_etsi, u.etsi_peruuta, u.jarjesta_jarjesta, u.jarjesta_peruuta})
                    QCOMPARE(lataa_kuva(jarjestelman_tiedostot(), p).size(), QSize(90, 28));
                QCOMPARE(lataa_kuva(jarjestelman_tiedostot(), u.tahdet).size(), QSize(113, 21));
                QCOMPARE(lataa_kuva(jarjestelman_tiedostot(), u.tahdet2).size(), QSize(113, 21));
                const auto paa = malli_paaikkunasta(u);
                const auto haku = malli_hakuikkunasta(u);
                paa->show();
                haku->show();
                const QPixmap p = paa->grab();
                QCOMPARE(p.size(), QSize(660, 468));
                const QString nimi = QString("ulkoasu_%1_%2").arg(q(ikkunat), q(napit));
                testituki::tallenna_kuva(p, nimi + "_paaikkuna");
                testituki::tallenna_kuva(*haku, nimi + "_haku");
            }
        }
    }
};

QTEST_MAIN(UlkoasuQtTesti)
#include "ulkoasu_qt_ui_test.moc"
