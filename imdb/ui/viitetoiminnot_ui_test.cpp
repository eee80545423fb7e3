#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "diag/ui/teksti.h"
#include "imdb/ui/valitse_oikea_form.h"
#include "imdb/ui/viitetoiminnot.h"
#include "storage/tallennus.h"
#include "testituki/kohdistus.h"
#include "testituki/kuvat.h"
#include "testituki/nimetyt_kortit.h"
#include "testituki/sijaispaaikkuna.h"

namespace {

// Saves the reference cards, each a drama of 1972 that runs 175 minutes, as the program folder's dbase.rkb.
void tee_dbase(testituki::Sijaispaaikkuna& p, std::initializer_list<TKortti> kortit) {
    Tietokanta tk;
    for (const TKortti& viite : kortit) {
        TKortti& k = tk.kortit.lisaa_uusi();
        k.kopioi(viite);
        k.luokitus = "Draama";
        k.vuosi = "1972";
        k.kesto = "175 min";
    }
    QVERIFY(tallenna_kortit(p.k.juuri(), "dbase.rkb", tk));
}

// The title, director and format fields of a main window, bound to the current card as the real one binds
// them, with its posted lookup when the title field is left.
struct Kentat : QObject {
    testituki::Sijaispaaikkuna& p;
    Viitetoiminnot& viite;
    QWidget w;
    QLineEdit* nimi = new QLineEdit(&w);
    QLineEdit* ohjaaja = new QLineEdit(&w);
    QLineEdit* formaatti = new QLineEdit(&w);

    Kentat(testituki::Sijaispaaikkuna& p_, Viitetoiminnot& v) : p(p_), viite(v) {
        auto* l = new QVBoxLayout(&w);
        for (QLineEdit* e : {nimi, ohjaaja, formaatti}) l->addWidget(e);
        p.kentat_kortille = [this] {
            p.kortti().nimi = cp(nimi->text());
            p.kortti().ohjaaja = cp(ohjaaja->text());
            p.kortti().formaatti = cp(formaatti->text());
        };
        p.kortti_kenttiin = [this] {
            nimi->setText(q(p.kortti().nimi));
            ohjaaja->setText(q(p.kortti().ohjaaja));
            formaatti->setText(q(p.kortti().formaatti));
        };
        nimi->installEventFilter(this);
        w.show();
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == nimi && e->type() == QEvent::FocusOut) {
            const std::string n = cp(nimi->text());
            QMetaObject::invokeMethod(this, [this, n] { viite.hae_viitetiedot(n); }, Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

using testituki::paina;

class ViitetoiminnotTesti : public QObject {
    Q_OBJECT
private slots:
    void kirjoitettuNimiTarjotaanJaHyvaksyTayttaaKentat() {
        testituki::Sijaispaaikkuna p;
        tee_dbase(p, {testituki::kortti("Kummisetä (The Godfather)", "DVD", "Francis Ford Coppola", "", "Perheen tarina."),
                      testituki::kortti("Kummisetä osa II (The Godfather Part II)", "", "Francis Ford Coppola"),
                      testituki::kortti("Tappajahai (Jaws)", "", "Steven Spielberg")});
        Viitetoiminnot viite(p);
        Kentat k(p, viite);
        p.w.setWindowTitle("Rullakko");

        bool naytetty = false;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            naytetty = true;
            auto& f = dynamic_cast<Tvalitse_oikea_form&>(d);
            d.show();
            QCOMPARE(f.windowTitle(), fi("Valitse oikeat tiedot [2 löytyi]"));
            QCOMPARE(p.w.windowTitle(), fi("Etsitään tietokannasta..."));
            QCOMPARE(f.lista->count(), 2);
            QCOMPARE(f.lista->item(0)->text(), fi("Kummisetä (The Godfather) (DVD)"));
            QCOMPARE(f.lista->item(1)->text(), fi("Kummisetä osa II (The Godfather Part II)"));
            QVERIFY(f.nayta_alkup_button->isHidden());
            QCOMPARE(f.hyvaksy_button->text(), fi("&Hyväksy tiedot"));
            QCOMPARE(f.peruuta_button->text(), fi("&Peruuta"));
            // While editing, the first row is in the fields at once.
            QCOMPARE(k.ohjaaja->text(), QString("Francis Ford Coppola"));
            testituki::tallenna_kuva(f, "valitse_oikea_muokkaus");
            QVERIFY(paina(f, Qt::Key_H, Qt::AltModifier));
            return;
        });
        QVERIFY(testituki::napsauta_kenttaan(k.nimi));
        testituki::nappaile(QApplication::focusWidget(), fi("Kummisetä"));
        // Tab on to the director leaves the title field, which starts the lookup.
        QVERIFY(testituki::tabulaattorilla(k.ohjaaja));
        QTRY_VERIFY(naytetty);

        QCOMPARE(k.nimi->text(), fi("Kummisetä (The Godfather)"));
        QCOMPARE(k.formaatti->text(), QString("DVD"));
        QCOMPARE(p.kortti().juoni, std::string("Perheen tarina."));
        QCOMPARE(p.kortti().vuosi, std::string("1972"));
        QVERIFY(p.tk.kortit.muutettu);
        QCOMPARE(p.w.windowTitle(), QString("Rullakko"));
        QVERIFY(!viite.tietokanta().ladattu());  // freed when the window closed
    }

    // A reference card whose title runs to megabytes is offered by its beginning, with a short tool tip.
    void valtavaViitekorttiNaytetaanAlustaan() {
        std::string valtava = "Kummisetä ";
        for (std::uint32_t x = 7; valtava.size() < (3u << 20);) {
            x = x * 1664525u + 1013904223u;
            valtava += static_cast<char>('a' + (x >> 27) % 26);
            if ((x >> 24) % 8 == 0) valtava += ' ';
        }
        testituki::Sijaispaaikkuna p({{"1", "Kummisetä"}});
        tee_dbase(p, {testituki::kortti(valtava.c_str(), "DVD", "Francis Ford Coppola")});
        Viitetoiminnot viite(p);
        bool naytetty = false;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            naytetty = true;
            auto& f = dynamic_cast<Tvalitse_oikea_form&>(d);
            d.show();
            QCOMPARE(f.lista->count(), 1);
            QCOMPARE(f.lista->item(0)->text(), q_nakyva(valtava + " (DVD)"));
            QVERIFY(static_cast<std::size_t>(f.lista->item(0)->toolTip().size()) <= vihjeen_nayttoraja + 1);
            testituki::tallenna_kuva(f, "valitse_oikea_valtava");
            QVERIFY(paina(f, Qt::Key_P, Qt::AltModifier));
        });
        viite.hae_viitetiedot("Kummisetä");
        QVERIFY(naytetty);
    }

    void nappaimet_data() {
        QTest::addColumn<int>("nappain");
        QTest::addColumn<bool>("hyvaksytty");
        QTest::newRow("K") << int(Qt::Key_K) << true;
        QTest::newRow("Y") << int(Qt::Key_Y) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("E") << int(Qt::Key_E) << false;
        QTest::newRow("N") << int(Qt::Key_N) << false;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
    }
    void nappaimet() {
        QFETCH(int, nappain);
        QFETCH(bool, hyvaksytty);
        testituki::Sijaispaaikkuna p({{"1", "Kummisetä"}});
        p.kortti().formaatti = "SP";
        tee_dbase(p, {testituki::kortti("Kummisetä", "DVD", "Francis Ford Coppola")});
        Viitetoiminnot viite(p);
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& f = dynamic_cast<Tvalitse_oikea_form&>(d);
            QCOMPARE(f.windowTitle(), fi("Hyväksytäänkö nämä tiedot?"));
            d.show();
            QCOMPARE(testituki::kohdistettu(f), static_cast<QWidget*>(f.lista));
            QVERIFY(paina(f, Qt::Key(nappain)));
            return;
        });
        p.tk.kortit.muutettu = false;
        viite.hae_viitetiedot("Kummisetä");
        QCOMPARE(p.kortti().ohjaaja, std::string(hyvaksytty ? "Francis Ford Coppola" : ""));
        QCOMPARE(p.kortti().formaatti, std::string(hyvaksytty ? "DVD" : "SP"));
        QCOMPARE(p.tk.kortit.muutettu, hyvaksytty);
    }

    // The menu function goes through every card; the update view changes nothing until a row is clicked
    // and never the card's own format or plot.
    void paivitysKaikkiinKortteihin() {
        testituki::Sijaispaaikkuna p({{"1", "Kummisetä"}, {"2", "Ei viitettä"}});
        p.kortti().formaatti = "SP";
        p.kortti().juoni = "Oma juoni";
        tee_dbase(p, {testituki::kortti("Kummisetä", "DVD", "Francis Ford Coppola", "", "Perheen tarina.")});
        Viitetoiminnot viite(p);
        int ikkunoita = 0;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            ++ikkunoita;
            auto& f = dynamic_cast<Tvalitse_oikea_form&>(d);
            d.show();
            QCOMPARE(f.windowTitle(), fi("Mahdollisesti paremmat tiedot löytyivät..."));
            QCOMPARE(f.hyvaksy_button->text(), fi("&Päivitä tiedot"));
            QCOMPARE(f.peruuta_button->text(), fi("&Älä päivitä"));
            QVERIFY(f.nayta_alkup_button->isVisible());
            QCOMPARE(f.focusWidget(), f.nayta_alkup_button);
            QVERIFY(f.lista->selectedItems().isEmpty());
            QCOMPARE(p.tk.kortit[1].ohjaaja, std::string());
            testituki::tallenna_kuva(f, "valitse_oikea_paivitys");
            const QRect rivi = f.lista->visualItemRect(f.lista->item(0));
            QTest::mouseClick(f.lista->viewport(), Qt::LeftButton, {}, rivi.center());
            QCOMPARE(p.tk.kortit[1].ohjaaja, std::string("Francis Ford Coppola"));
            QVERIFY(paina(f, Qt::Key_N, Qt::AltModifier));
            QCOMPARE(p.tk.kortit[1].ohjaaja, std::string());
            QVERIFY(f.lista->selectedItems().isEmpty());
            QTest::mouseClick(f.lista->viewport(), Qt::LeftButton, {}, rivi.center());
            QVERIFY(paina(f, Qt::Key_P, Qt::AltModifier));
            return;
        });
        p.toiminto(Toiminto::Taydenna_viitetiedoista)->trigger();
        QCOMPARE(ikkunoita, 1);
        const TKortti& k = p.tk.kortit[1];
        QCOMPARE(k.ohjaaja, std::string("Francis Ford Coppola"));
        QCOMPARE(k.formaatti, std::string("SP"));
        QCOMPARE(k.juoni, std::string("Oma juoni"));
        QCOMPARE(p.tk.nykyinen, 2);
    }

    void pitkaListaJaPuuttuvaTietokanta() {
        testituki::Sijaispaaikkuna p({{"1", "Alien"}});
        Viitetoiminnot viite(p);
        viite.hae_viitetiedot("Alien");  // no dbase.rkb: nothing shown, nothing asked
        QVERIFY(p.viestit.naytetyt.empty());

        Tietokanta tk;
        for (int i = 1; i <= 20; ++i) {
            TKortti& k = tk.kortit.lisaa_uusi();
            k.nimi = "Alien " + std::to_string(i);
            k.ohjaaja = "Ridley Scott";
        }
        diag::EiKiiretta kiire;
        Varasto tallentaja{tk, p.kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), p.viestit, kiire};
        QVERIFY(tallenna_tietokanta("dbase.rkb", tallentaja));
        int korkeus = 0;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& f = dynamic_cast<Tvalitse_oikea_form&>(d);
            korkeus = f.lista->height();
            QCOMPARE(f.lista->count(), 20);
            f.show();
            testituki::tallenna_kuva(f, "valitse_oikea_pitka");
            QVERIFY(paina(f, Qt::Key_P, Qt::AltModifier));
            return;
        });
        viite.hae_viitetiedot("Alien");
        QCOMPARE(korkeus, 214);
        QCOMPARE(p.kortti().ohjaaja, std::string());
    }
};

QTEST_MAIN(ViitetoiminnotTesti)
#include "viitetoiminnot_ui_test.moc"
