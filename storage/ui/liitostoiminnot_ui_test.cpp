#include <QAction>
#include <QtTest>

#include "storage/tallennus.h"
#include "storage/ui/liitostoiminnot.h"
#include "testituki/sijaispaaikkuna.h"

class LiitostoiminnotTesti : public QObject {
    Q_OBJECT
private slots:
    void yhdistaValikosta() {
        testituki::Sijaispaaikkuna p({{"1", "Oma"}});
        Tietokanta muu;
        for (const char* n : {"Muu 1", "Muu 2"}) muu.kortit.lisaa_uusi().nimi = n;
        diag::EiKiiretta kiire;
        Varasto tallentaja{muu, p.kansio, jarjestelman_tiedostot(), ilman_ikkunaa(), p.viestit, kiire};
        QVERIFY(tallenna_tietokanta("muu.rkb", tallentaja));
        Liitostoiminnot l(p);
        QVERIFY(p.toiminto(Toiminto::Yhdista_tietokanta)->isEnabled());
        int muutoksia = 0;
        QObject::connect(&p.m, &Korttimuutokset::kortit_muuttuivat, [&] { ++muutoksia; });

        p.tp.avattavat.push_back(QString());  // cancelled: nothing happens
        p.toiminto(Toiminto::Yhdista_tietokanta)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 1);

        const std::string nimi = p.tk.tiedosto;
        p.tp.avattavat.push_back(QString::fromStdString((p.k.juuri() / "muu.rkb").string()));
        p.toiminto(Toiminto::Yhdista_tietokanta)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 3);
        QCOMPARE(p.tk.kortit[3].nimi, std::string("Muu 2"));
        QCOMPARE(p.tk.tiedosto, nimi);
        QVERIFY(p.tk.kortit.muutettu);
        QCOMPARE(muutoksia, 1);
        QVERIFY(p.paivityksia > 0);
    }

    void tuplienPoistoKysyyKahdesti() {
        testituki::Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Alien"}, {"3", "Muu"}});
        for (int i = 1; i <= 3; ++i) p.tk.kortit[i].formaatti = "DVD";
        p.tk.kortit[1].ohjaaja = "Ridley Scott";
        Liitostoiminnot l(p);

        p.viestit.vastaukset = {diag::Vastaus::Ei};
        p.toiminto(Toiminto::Poista_tuplat)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 3);
        QCOMPARE(p.tk.kortit[1].kasetilla, std::string("1"));
        QVERIFY(!p.tk.kortit.muutettu);

        // Clean-up only: the cassette numbers go, the pair stays.
        p.viestit.vastaukset = {diag::Vastaus::Kylla, diag::Vastaus::Ei};
        p.toiminto(Toiminto::Poista_tuplat)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 3);
        QCOMPARE(p.tk.kortit[1].kasetilla, std::string());
        QVERIFY(p.tk.kortit.muutettu);

        p.tk.kortit.muutettu = false;
        p.viestit.vastaukset = {diag::Vastaus::Kylla, diag::Vastaus::Kylla};
        p.toiminto(Toiminto::Poista_tuplat)->trigger();
        QCOMPARE(p.tk.kortit.korttien_maara(), 2);
        QCOMPARE(p.tk.kortit[1].nimi, std::string("Alien"));
        QCOMPARE(p.tk.kortit[1].ohjaaja, std::string("Ridley Scott"));
        QVERIFY(p.tk.kortit.muutettu);
        const auto kysymykset = p.viestit.tekstit();
        QCOMPARE(kysymykset.back(), std::string("Duperemove?"));
        QCOMPARE(kysymykset.front(), std::string("Hei, tää saattaa sotkea tietokannan! Jatketaanko"));
    }
};

QTEST_MAIN(LiitostoiminnotTesti)
#include "liitostoiminnot_ui_test.moc"
