// The lending windows through their wiring class, on a stand-in main window; mail goes to a real local
// SMTP server.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <chrono>
#include <optional>
#include <filesystem>
#include <fstream>

#include "lending/lainaus.h"
#include "lending/postitus.h"
#include "lending/profiilit.h"
#include "lending/ui/karhuemail_form.h"
#include "lending/ui/lahetys.h"
#include "lending/ui/lainaa_form.h"
#include "lending/ui/lainaajaprofiilit_form.h"
#include "lending/ui/lainaustoiminnot.h"
#include "lending/ui/palaute_form.h"
#include "testituki/kuvat.h"
#include "testituki/smtptesti.h"
#include "testituki/suljettu_portti.h"
#include "settings/ui/asetukset_form.h"
#include "perus/tiedostot.h"
#include "storage/tallennus.h"
#include "diag/ui/teksti.h"
#include "testituki/kohdistus.h"
#include "testituki/sijaispaaikkuna.h"

namespace fs = std::filesystem;
using testituki::Sijaispaaikkuna;
using testituki::kirjoita_kenttaan;
using testituki::napsauta_rivia;
using testituki::paina;

namespace {

void kirjoita(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }

std::string lue(const fs::path& p) {
    std::string s;
    lue_koko_tiedosto(jarjestelman_tiedostot(), p, s);
    return s;
}

void postiasetukset(TAsetukset& a, const std::string& palvelin) {
    a.smtp_palvelin = palvelin;
    a.email_nimi = "Pertti Pätkä";
    a.email_addr = "pertti@example.org";
}

}  // namespace

class LainausTesti : public QObject {
    Q_OBJECT
private slots:
    void valikkoJaLainausdialogi() {
        Sijaispaaikkuna p({{"1", "Alien"}, {"1", "Aliens"}, {"10", "Matrix"}, {"10", "Matrix Reloaded"},
                          {"12", "Heat"}, {"2", "Ronin"}});
        kirjoita(p.k.juuri() / "lainaaja_profiilit.ini",
                 "Matti\r\n\r\nm@x\r\n## seuraava profiili\r\nLiisa\r\n\r\nl@x\r\n## seuraava profiili\r\n");
        Lainaustoiminnot t(p);
        for (const Toiminto kohta : {Toiminto::Lainaa_kasetti, Toiminto::Lainaajaprofiilit,
                                     Toiminto::Tarkista_myohastyneet, Toiminto::Laheta_palaute,
                                     Toiminto::Laheta_tietokanta})
            QVERIFY2(p.toiminto(kohta)->isEnabled(), qPrintable(p.toiminto(kohta)->text()));
        QCOMPARE(p.toiminto(Toiminto::Lainaa_kasetti)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));

        bool ajettu = false;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& f = static_cast<Tlainaa_form&>(d);
            d.show();
            ajettu = true;
            QCOMPARE(p.himmennyksia, 1);
            QCOMPARE(f.lainaaja_edit->count(), 2);
            // Missing borrower: a warning, nothing lent.
            QVERIFY(kirjoita_kenttaan(f.kasetit_edit, "1"));
            QVERIFY(paina(f, Qt::Key_L, Qt::AltModifier));
            QCOMPARE(p.viestit.tekstit(), std::vector<std::string>{"Syötä lainaaja ja lainattavien kasettien tai levyjen numerot!"});
    
            QVERIFY(kirjoita_kenttaan(f.kasetit_edit, "1, 10,12,"));
            QVERIFY(kirjoita_kenttaan(f.lainaaja_edit, "Matti"));
            QVERIFY(paina(f, Qt::Key_L, Qt::AltModifier));
            QCOMPARE(f.kasetit_edit->text(), QString("1,10,12"));
            QCOMPARE(f.lista->count(), 3);
            QCOMPARE(f.lista->item(1)->text(), fi("Nro: 10, Lainaaja: Matti, Lainattu: ") + q(paiva_tekstiksi(tanaan())));
    
            napsauta_rivia(f.lista, 0);
            napsauta_rivia(f.lista, 2, Qt::ControlModifier);
            QCOMPARE(f.kasetit_edit->text(), QString("1, 12"));
            // Both fields filled: return refuses.
            QVERIFY(paina(f, Qt::Key_P, Qt::AltModifier));
            QCOMPARE(p.viestit.naytetyt.back().teksti, std::string("Syötä joko palautettavat kasetit tai palauttajan nimi, ei kumpiakin!"));
            QVERIFY(kirjoita_kenttaan(f.lainaaja_edit, QString()));
            QVERIFY(paina(f, Qt::Key_P, Qt::AltModifier));
            QCOMPARE(f.lista->count(), 1);
            testituki::tallenna_kuva(f, "lainaus");
    
            QTest::mouseClick(f.apua_button, Qt::LeftButton);
            QCOMPARE(p.viestit.naytetyt.back().teksti, std::string("Katso kohta 4a. Lainaus ja palautus"));
            p.viestit.vastaukset = {diag::Vastaus::Kylla};
            QTest::mouseClick(f.palauta_kaikki, Qt::LeftButton);
            QVERIFY(!f.isVisible());
            return;
        });
        // Opened by its shortcut in the main window.
        p.w.show();
        QVERIFY(paina(p.w, Qt::Key_L, Qt::ControlModifier));
        QVERIFY(ajettu);
        QCOMPARE(p.himmennyksia, 0);
        QCOMPARE(p.tallennuksia, 1);
        QVERIFY(p.paivityksia >= 1);
        QCOMPARE(p.ohjeet.back(), (std::pair<std::string, std::string>("lueminut.html", "4a")));
        for (int i = 1; i < p.tk.kortit.Count(); ++i) QVERIFY(p.tk.kortit[i].lainassa.empty());
        QVERIFY(p.tk.kortit.muutettu);
    }

    // A loan whose cassette number, borrower and title run to megabytes: the rows, the field and the reminder
    // show beginnings, while returning and the reminder work on the whole values.
    void valtavaLainaNaytetaanAlustaan() {
        const std::string kasetti = "K" + std::string(3u << 20, 'k');
        const std::string lainaaja = "L" + std::string(2u << 20, 'l');
        const std::string nimi = "N" + std::string(4u << 20, 'n');
        Sijaispaaikkuna p({{"1", "Alien"}});
        TKortti& k = p.tk.kortit.lisaa_uusi();
        k.kasetilla = kasetti;
        k.nimi = nimi;
        k.lainassa = lainausteksti(lainaaja, "1.1.2004");
        fs::copy_file(fs::path(RULLAKKO_SOURCE_DIR) / "data" / "muistutus_kohtelias.txt",
                      p.k.juuri() / "muistutus_kohtelias.txt");
        Lainaustoiminnot t(p);
        bool muistutus = false;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            if (auto* m = qobject_cast<Tkarhuemail_form*>(&d)) {
                muistutus = true;
                d.show();
                QCOMPARE(m->windowTitle(), fi("Lähetä sähköpostia lainaajalle [") + q_nakyva(lainaaja) + fi("]"));
                QVERIFY(m->email->toPlainText().contains(q_nakyva(nimi + ", Kasetti/Levy numero: " + kasetti)));
                for (const QString& r : m->email->toPlainText().split(QLatin1Char('\n')))
                    QVERIFY(static_cast<std::size_t>(r.size()) <= rivin_nayttoraja + 1);
                testituki::tallenna_kuva(*m, "muistutus_valtava");
                return;
            }
            auto& f = static_cast<Tlainaa_form&>(d);
            d.show();
            QCOMPARE(f.lista->count(), 1);
            QCOMPARE(f.lista->item(0)->text(), q_nakyva(lainalista(p.tk.kortit).front()));
            napsauta_rivia(f.lista, 0);
            QCOMPARE(f.kasetit_edit->text(), q_nakyva(kasetti));
            testituki::tallenna_kuva(f, "lainaus_valtava");
            // The reminder goes to the whole borrower: its mail lists the loan.
            QVERIFY(paina(f, Qt::Key_E, Qt::AltModifier));
            QVERIFY(muistutus);
            // Returned by the whole cassette number, though the field shows only its beginning.
            QVERIFY(paina(f, Qt::Key_P, Qt::AltModifier));
            QCOMPARE(f.lista->count(), 0);
        });
        p.toiminto(Toiminto::Lainaa_kasetti)->trigger();
        QVERIFY(muistutus);
        QVERIFY(p.tk.kortit[2].lainassa.empty());
        QVERIFY(p.tk.kortit[2].kasetilla == kasetti && p.tk.kortit[2].nimi == nimi);
        for (const std::string& s : p.viestit.tekstit()) QVERIFY2(s.size() < 1000, s.substr(0, 200).c_str());
    }

    // The borrower completes from the profile names under a real keyboard: the keys reach the combo box,
    // which has the focus when the dialog opens.
    void lainaajanTaydennysJaPilkku() {
        Sijaispaaikkuna p({{"1", "Alien"}});
        kirjoita(p.k.juuri() / "lainaaja_profiilit.ini",
                 "Matti\r\n\r\n\r\n## seuraava profiili\r\nLiisa\r\n\r\n\r\n## seuraava profiili\r\n"
                 "Pekka Nieminen\r\n\r\n\r\n## seuraava profiili\r\n");
        Lainaustoiminnot t(p);
        Tlainaa_form& f = t.lainaa_form();
        f.show();
        QWidget* k = testituki::kohdistettu(f);
        QCOMPARE(k, static_cast<QWidget*>(f.lainaaja_edit));
        QLineEdit* r = f.lainaaja_edit->lineEdit();
        QTest::keyClicks(k, "Pe");
        QCOMPARE(r->text(), QString("Pekka Nieminen"));
        QCOMPARE(r->selectedText(), QString("kka Nieminen"));
        // Backspace takes the completed rest; the typed part completes again.
        QTest::keyClick(k, Qt::Key_Backspace);
        QCOMPARE(r->text(), QString("Pekka Nieminen"));
        QCOMPARE(r->selectedText(), QString("kka Nieminen"));
        QTest::keyClicks(k, "x");
        QCOMPARE(r->text(), QString("Pex"));
        QTest::keyClick(k, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(k, "l");
        QCOMPARE(r->text(), QString("Liisa"));
        QCOMPARE(r->selectedText(), QString("iisa"));
        QTest::keyClicks(k, "ii");
        QCOMPARE(r->text(), QString("Liisa"));
        QCOMPARE(r->selectedText(), QString("sa"));
        QTest::keyClicks(k, ",");
        QCOMPARE(r->text(), QString("Liisa"));
        QCOMPARE(p.tp.piippauksia, 1);
        QTest::keyClick(k, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(k, "Veikko");
        QCOMPARE(r->text(), QString("Veikko"));
        f.hide();
    }

    void profiilidialogi() {
        Sijaispaaikkuna p;
        const fs::path tiedosto = p.k.juuri() / "lainaaja_profiilit.ini";
        const std::string alku = "Matti\r\n040\r\nm@x\r\n## seuraava profiili\r\n";
        kirjoita(tiedosto, alku);
        {
            Tlainaajaprofiilit_form f(p.varasto().tj(), tiedosto, p.viestit);
            f.show();
            QVERIFY(kirjoita_kenttaan(f.nimi_edit, "Matti"));
            QTest::mouseClick(f.lisaa_button, Qt::LeftButton);
            QCOMPARE(p.viestit.tekstit(), std::vector<std::string>{"Saman niminen profiili löytyy jo!"});
            QVERIFY(kirjoita_kenttaan(f.nimi_edit, "matti"));
            QVERIFY(kirjoita_kenttaan(f.email_edit, "toinen@x"));
            QTest::mouseClick(f.lisaa_button, Qt::LeftButton);
            QCOMPARE(f.profiili_lista->count(), 2);
            QVERIFY(f.nimi_edit->text().isEmpty());
            // Adding leaves the cursor in the name field for the next profile.
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.nimi_edit));
            QTest::mouseClick(f.peruuta_button, Qt::LeftButton);
            QCOMPARE(lue(tiedosto), alku);
            QCOMPARE(f.profiilit().size(), std::size_t(1));
        }
        Tlainaajaprofiilit_form f(p.varasto().tj(), tiedosto, p.viestit);
        f.show();
        // Name, phone and address one after another with Tab, as they stand in the window.
        QVERIFY(kirjoita_kenttaan(f.nimi_edit, fi("Liisa Ääninen")));
        QVERIFY(testituki::tabulaattorilla(f.puh_edit));
        testituki::nappaile(f.puh_edit, "050 1234567");
        QVERIFY(testituki::tabulaattorilla(f.email_edit));
        testituki::nappaile(f.email_edit, "liisa.aaninen@example.org");
        QTest::mouseClick(f.lisaa_button, Qt::LeftButton);
        testituki::nappaile(QApplication::focusWidget(), "Pekka");
        QTest::mouseClick(f.lisaa_button, Qt::LeftButton);
        napsauta_rivia(f.profiili_lista, 1);
        QCOMPARE(f.email_edit->text(), QString("liisa.aaninen@example.org"));
        QVERIFY(kirjoita_kenttaan(f.puh_edit, "050 7654321"));
        QTest::mouseClick(f.paivita_profiili, Qt::LeftButton);
        QCOMPARE(f.profiili_lista->currentRow(), 1);
        testituki::tallenna_kuva(f, "profiilit");
        napsauta_rivia(f.profiili_lista, 0);
        QTest::mouseClick(f.poista_button, Qt::LeftButton);
        QCOMPARE(f.profiili_lista->currentRow(), 0);
        QCOMPARE(f.nimi_edit->text(), fi("Liisa Ääninen"));
        // Return anywhere in the dialog is OK, its default button.
        QVERIFY(paina(f, Qt::Key_Return));
        QVERIFY(!f.isVisible());
        QCOMPARE(lue(tiedosto), std::string("Liisa Ääninen\r\n050 7654321\r\nliisa.aaninen@example.org\r\n"
                                            "## seuraava profiili\r\nPekka\r\n\r\n\r\n## seuraava profiili\r\n"));
    }

    void myohastymisetKysytaanKerranJaMuistutusLahtee() {
        smtptesti::Palvelin palvelin;
        Sijaispaaikkuna p({{"1", "Alien"}, {"2", "Heat"}, {"3", "Ronin"}});
        postiasetukset(p.a, palvelin.osoite());
        p.tk.kortit[1].lainassa = "Matti, Lainattu: 1.1.2004";
        p.tk.kortit[2].lainassa = "Matti, Lainattu: 2004-01-05";
        p.tk.kortit[3].lainassa = "Liisa, Lainattu: " + paiva_tekstiksi(tanaan());
        fs::copy_file(fs::path(RULLAKKO_SOURCE_DIR) / "data" / "muistutus_kohtelias.txt",
                      p.k.juuri() / "muistutus_kohtelias.txt");
        kirjoita(p.k.juuri() / "muistutus_tiukka.txt", "Palauta heti\r\n%%LISTA\r\n");
        Lainaustoiminnot t(p);

        int ikkunoita = 0;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            if (d.objectName() == "lainaajaprofiilit_form") {
                auto& f = static_cast<Tlainaajaprofiilit_form&>(d);
                d.show();
                QVERIFY(kirjoita_kenttaan(f.nimi_edit, "Matti"));
                QVERIFY(kirjoita_kenttaan(f.email_edit, "matti@example.org"));
                QTest::mouseClick(f.lisaa_button, Qt::LeftButton);
                QVERIFY(paina(f, Qt::Key_Return));
                return;
            }
            ++ikkunoita;
            auto& f = static_cast<Tkarhuemail_form&>(d);
            d.show();
            QCOMPARE(f.windowTitle(), fi("Lähetä sähköpostia lainaajalle [Matti]"));
            QVERIFY(f.nayta_muokkaa_lainattuja->isVisible());
            QCOMPARE(f.email_file->count(), 2);
            QCOMPARE(f.subject_edit->text(), fi("Muistutus lainatuista elokuvista"));
            QVERIFY(f.email->toPlainText().contains(fi("Lainasit minulta 1.1.2004 ja 2004-01-05 yhteensä 2 kasettia tai levyä.\nNe ovat")));
            QVERIFY(f.email->toPlainText().contains(fi("Heat, Kasetti/Levy numero: 2")));
            QVERIFY(f.email->toPlainText().contains(fi("\nPertti Pätkä\n")));
            testituki::tallenna_kuva(f, "muistutus");
            // The keys go through the window top down: the template first, Tab on to the subject.
            QCOMPARE(testituki::kohdistettu(f), static_cast<QWidget*>(f.email_file));
            QVERIFY(testituki::valitse_nappaimin(f.email_file, 1));
            QCOMPARE(f.subject_edit->text(), fi("Palauta heti"));
            QCOMPARE(f.email->toPlainText(), fi("Alien, Kasetti/Levy numero: 1\nHeat, Kasetti/Levy numero: 2"));
            QVERIFY(testituki::tabulaattorilla(f.subject_edit));
    
            // No profile and No: nothing goes.
            p.viestit.vastaukset = {diag::Vastaus::Ei};
            QVERIFY(paina(f, Qt::Key_Return));
            QCOMPARE(p.viestit.tekstit().back(), std::string("Ilman profiilia ei voida lähettää sähköpostia, keskeytetään!"));
            QCOMPARE(palvelin.viesteja(), 0);
            QVERIFY(f.isVisible());
    
            // Yes: the profile is made in the profiles dialog and the mail goes to its address.
            p.viestit.vastaukset = {diag::Vastaus::Kylla};
            QVERIFY(paina(f, Qt::Key_Return));
            QCOMPARE(p.viestit.tekstit().back(), std::string("Viesti lähetetty!"));
            QCOMPARE(f.result(), int(QDialog::Accepted));
            return;
        });
        // One question for Matti's two cassettes; Liisa's loan is new.
        p.viestit.vastaukset = {diag::Vastaus::Kylla};
        p.toiminto(Toiminto::Tarkista_myohastyneet)->trigger();
        QCOMPARE(ikkunoita, 1);
        QVERIFY(p.viestit.naytetyt[0].kysymys);
        QVERIFY(p.viestit.naytetyt[0].teksti.rfind("Matti ei ole palauttanut", 0) == 0);
        QCOMPARE(palvelin.viesteja(), 1);
        QCOMPARE(palvelin.otsake(1, "To"), std::string("<matti@example.org>"));
        QCOMPARE(palvelin.otsake(1, "Subject"), std::string("Palauta heti"));
    }

    void tietokantaLiitteenaJaPalautteenOsoite() {
        smtptesti::Palvelin palvelin;
        Sijaispaaikkuna p({{"1", "Alien"}});
        postiasetukset(p.a, palvelin.osoite());
        Lainaustoiminnot t(p);
        // No feedback address: the settings are offered; No sends nothing.
        p.viestit.vastaukset = {diag::Vastaus::Ei};
        p.toiminto(Toiminto::Laheta_palaute)->trigger();
        QVERIFY(p.viestit.tekstit().back().rfind("Palautteen vastaanottajaa ei ole asetettu.", 0) == 0);
        QVERIFY(p.asetussivut.empty());

        // Unsaved changes: saved first, then the file goes as the attachment.
        p.tk.kortit.muutettu = true;
        p.viestit.vastaukset = {diag::Vastaus::Kylla};
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& f = static_cast<Tlaheta_tietokanta_form&>(d);
            d.show();
            QVERIFY(kirjoita_kenttaan(f.osoite_edit, "ei osoite"));
            QVERIFY(paina(f, Qt::Key_L, Qt::AltModifier));
            QVERIFY(f.isVisible());
            // The refused address is selected in its field: typing replaces it.
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.osoite_edit));
            testituki::nappaile(f.osoite_edit, " liisa@example.org ");
            QVERIFY(kirjoita_kenttaan(f.saate_memo, fi("Tässä lupaamani lista.")));
            testituki::tallenna_kuva(f, "tietokanta_postiin");
            QTest::mouseClick(f.laheta_button, Qt::LeftButton);
            return;
        });
        p.toiminto(Toiminto::Laheta_tietokanta)->trigger();
        QVERIFY(!p.tk.kortit.muutettu);
        QCOMPARE(p.viestit.tekstit().back(), std::string("Viesti lähetetty!"));
        QCOMPARE(palvelin.viesteja(), 1);
        QCOMPARE(palvelin.otsake(1, "To"), std::string("<liisa@example.org>"));
        QCOMPARE(palvelin.lue(1, "liite.testi.rkb"), lue(p.k.juuri() / "testi.rkb"));
        QVERIFY(palvelin.lue(1, "teksti").rfind("Tässä lupaamani lista.\r\n", 0) == 0);

        // Feedback to the address entered on the settings' Email page when asked.
        p.viestit.vastaukset = {diag::Vastaus::Kylla};
        p.asetuksissa = [&](int) { p.a.palaute_addr = "palaute@example.org"; };
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& f = static_cast<Tpalaute_form&>(d);
            d.show();
            QCOMPARE(f.lahettaja_label->text(), fi("Pertti Pätkä <pertti@example.org>"));
            QVERIFY(kirjoita_kenttaan(f.aihe_edit, fi("Hyvä ohjelma")));
            QVERIFY(kirjoita_kenttaan(f.viesti_memo, fi("Kiitos!")));
            testituki::tallenna_kuva(f, "palaute");
            QVERIFY(paina(f, Qt::Key_L, Qt::AltModifier));
            return;
        });
        p.toiminto(Toiminto::Laheta_palaute)->trigger();
        QCOMPARE(p.asetussivut, std::vector<int>{Tasetukset_form::Email_sivu});
        QCOMPARE(palvelin.viesteja(), 2);
        QCOMPARE(palvelin.otsake(2, "Subject"), std::string("Hyvä ohjelma"));
        QCOMPARE(palvelin.lue(2, "teksti"), std::string("Kiitos!\r\n"));
    }

    void puuttuvatAsetuksetAvaavatEmailSivun() {
        Sijaispaaikkuna p({{"1", "Alien"}});
        p.tk.kortit[1].lainassa = "Matti, Lainattu: 1.1.2004";
        Lainaustoiminnot t(p);
        std::string pohja;
        Tkarhuemail_form f(p, "Matti", pohja);
        f.show();
        p.viestit.vastaukset = {diag::Vastaus::Kylla, diag::Vastaus::Ei, diag::Vastaus::Ei};
        QVERIFY(paina(f, Qt::Key_Return));
        QCOMPARE(p.asetussivut, std::vector<int>{6});
        Tlahetys_form l(nullptr);
        l.show();
        testituki::tallenna_kuva(l, "lahetys");
        QCOMPARE(p.viestit.tekstit().back(),
                 std::string("Ohjelman sähköpostiominaisuuksia ei voida käyttää \nilman asetuksia, keskeytetään!"));
    }

    // A cancel is reported as information, and the sending window is gone afterwards.
    void keskeytysLahetysikkunasta() {
        testituki::MykkaPalvelin palvelin;
        QTimer vahti;
        QObject::connect(&vahti, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* f = qobject_cast<Tlahetys_form*>(w); f && f->isVisible())
                    QTest::mouseClick(f->keskeyta_button, Qt::LeftButton);
        });
        vahti.start(20);
        TAsetukset a;
        postiasetukset(a, "127.0.0.1:" + std::to_string(palvelin.portti));
        diag::TestiViestit viestit;
        const Tulos t = laheta_odottaen(nullptr, smtp_palvelin(a),
                                        sahkoposti_kayttajalta(a, "liisa@example.org", "Otsikko", {"Rivi"}));
        QCOMPARE(t.koodi, smtp_koodi_keskeytetty);
        nayta_lahetyksen_tulos(viestit, t);
        QCOMPARE(viestit.naytetyt.back().laji, diag::Laji::Tieto);
        for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<Tlahetys_form*>(w) || !w->isVisible());
    }

    // The first start leaves the font's licence among the user's text files; only reminders are offered.
    // The name typed in the settings when the send asks for it signs that very mail, and the template
    // chosen is the one offered next time.
    void muistutusTaytetaanAsetustenJalkeenJaPohjaMuistetaan() {
        smtptesti::Palvelin palvelin;
        Sijaispaaikkuna p({{"1", "Alien"}});
        postiasetukset(p.a, palvelin.osoite());
        p.a.email_nimi.clear();
        p.tk.kortit[1].lainassa = "Matti, Lainattu: 1.1.2004";
        kirjoita(p.k.juuri() / "lainaaja_profiilit.ini", "Matti\r\n\r\nmatti@example.org\r\n## seuraava profiili\r\n");
        for (const char* nimi : {"muistutus_kohtelias.txt", "VERTFONT_LISENSSI.txt"})
            fs::copy_file(fs::path(RULLAKKO_SOURCE_DIR) / "data" / nimi, p.k.juuri() / nimi);
        kirjoita(p.k.juuri() / "muistutus_tiukka.txt", "Palauta heti\r\n%%LISTA\r\nTerveisin %%MIN\xC4\r\n");
        Lainaustoiminnot t(p);
        p.asetuksissa = [&](int) { p.a.email_nimi = "Pertti Pätkä"; };

        QStringList pohjat;
        QString valittu;
        p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
            auto& f = static_cast<Tkarhuemail_form&>(d);
            d.show();
            pohjat.clear();
            for (int i = 0; i < f.email_file->count(); ++i) pohjat << f.email_file->itemText(i);
            valittu = f.email_file->currentText();
            if (valittu == "muistutus_kohtelias.txt") {
                testituki::tallenna_kuva(f, "muistutus_pohja");
                QVERIFY(testituki::valitse_nappaimin(f.email_file, 1));
            }
            QCOMPARE(f.email->toPlainText(), fi("Alien, Kasetti/Levy numero: 1\nTerveisin "));
            p.viestit.vastaukset = {diag::Vastaus::Kylla};
            QVERIFY(paina(f, Qt::Key_Return));
            return;
        });
        t.nayta_muistutus("Matti");
        QCOMPARE(pohjat, (QStringList{"muistutus_kohtelias.txt", "muistutus_tiukka.txt"}));
        QCOMPARE(valittu, QString("muistutus_kohtelias.txt"));
        QCOMPARE(p.asetussivut, std::vector<int>{Tasetukset_form::Email_sivu});
        QCOMPARE(p.viestit.tekstit().back(), std::string("Viesti lähetetty!"));
        QCOMPARE(palvelin.viesteja(), 1);
        QCOMPARE(palvelin.lue(1, "teksti"), std::string("Alien, Kasetti/Levy numero: 1\r\nTerveisin Pertti Pätkä\r\n"));

        p.a.email_nimi.clear();
        t.nayta_muistutus("Matti");
        QCOMPARE(valittu, QString("muistutus_tiukka.txt"));
        QCOMPARE(palvelin.lue(2, "teksti"), std::string("Alien, Kasetti/Levy numero: 1\r\nTerveisin Pertti Pätkä\r\n"));
    }

    // Keskeytä of the sending window, clicked while the server has taken the connection and says nothing,
    // ends the send at once: the window says so and the mail is reported cancelled, well before the
    // transfer's own time limits. The same for the reminder, feedback and mailing the catalogue.
    void keskeytysMykallePalvelimelle() {
        testituki::MykkaPalvelin mykka;
        Sijaispaaikkuna p({{"1", "Alien"}});
        postiasetukset(p.a, "127.0.0.1:" + std::to_string(mykka.portti));
        p.a.palaute_addr = "palaute@example.org";
        p.tk.kortit[1].lainassa = "Matti, Lainattu: 1.1.2004";
        kirjoita(p.k.juuri() / "lainaaja_profiilit.ini", "Matti\r\n\r\nmatti@example.org\r\n## seuraava profiili\r\n");
        kirjoita(p.k.juuri() / "muistutus.txt", "Palauta\r\n%%LISTA\r\n");
        QVERIFY(tallenna_tietokanta(p.tk.tiedosto, p.varasto()));
        p.tk.kortit.muutettu = false;
        Lainaustoiminnot t(p);

        for (const char* mista : {"muistutus", "palaute", "tietokanta"}) {
            std::optional<std::chrono::steady_clock::time_point> painettu;
            QString teksti_painettaessa;
            QTimer vahti;
            vahti.setInterval(20);
            QObject::connect(&vahti, &QTimer::timeout, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    auto* l = qobject_cast<Tlahetys_form*>(w);
                    if (!l || !l->isVisible() || painettu) continue;
                    QTest::mouseClick(l->keskeyta_button, Qt::LeftButton);
                    painettu = std::chrono::steady_clock::now();
                    teksti_painettaessa = l->teksti_label->text();
                }
            });
            vahti.start();
            p.tp.dialogi = testituki::dialogi_tuloksineen([&](QDialog& d) {
                d.show();
                if (qobject_cast<Tkarhuemail_form*>(&d)) QVERIFY(paina(d, Qt::Key_Return));
                if (auto* f = qobject_cast<Tpalaute_form*>(&d)) {
                    QVERIFY(kirjoita_kenttaan(f->viesti_memo, "Kiitos!"));
                    QVERIFY(paina(d, Qt::Key_L, Qt::AltModifier));
                }
                if (auto* f = qobject_cast<Tlaheta_tietokanta_form*>(&d)) {
                    QVERIFY(kirjoita_kenttaan(f->osoite_edit, "liisa@example.org"));
                    QVERIFY(paina(d, Qt::Key_L, Qt::AltModifier));
                }
            });
            if (std::string(mista) == "muistutus") t.nayta_muistutus("Matti");
            else if (std::string(mista) == "palaute") p.toiminto(Toiminto::Laheta_palaute)->trigger();
            else p.toiminto(Toiminto::Laheta_tietokanta)->trigger();
            const auto loppu = std::chrono::steady_clock::now();
            vahti.stop();
            QVERIFY2(painettu.has_value(), (std::string(mista) + ": " + p.viestit.tekstit().back()).c_str());
            QCOMPARE(teksti_painettaessa, fi("Keskeytetään..."));
            QCOMPARE(p.viestit.tekstit().back(), std::string(smtp_keskeytetty));
            QVERIFY2(loppu - *painettu < std::chrono::seconds(10), mista);
        }
    }

    // "&Palauta" has Alt+P to itself: it returns; the profiles button answers to Alt+R.
    void alttiNappaimetEivatTormaa() {
        Sijaispaaikkuna p({{"1", "Alien"}});
        p.tk.kortit[1].lainassa = "Matti, Lainattu: 1.1.2004";
        Lainaustoiminnot t(p);
        int profiileja = 0;
        p.tp.dialogi = [&](QDialog& d) -> int {
            ++profiileja;
            d.reject();
            return d.result();
        };
        Tlainaa_form& f = t.lainaa_form();
        f.show();
        testituki::tallenna_kuva(f, "lainaus_dialogi");
        QWidget* k = testituki::kohdistettu(f);
        QVERIFY(k);
        QTest::keyClicks(k, "Matti");
        QTest::keyClick(k, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(p.tk.kortit[1].lainassa.empty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(profiileja, 1);
        f.hide();
    }
};

QTEST_MAIN(LainausTesti)
#include "lainaus_ui_test.moc"
