#include "mainwindow/ui/kiitokset_form.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPlainTextEdit>

#include "diag/ui/teksti.h"
#include "settings/ui/ulkoasu_qt.h"
#include "settings/ulkoasu.h"

const char* const Tkiitokset_form::pikanappaimet[] = {
    "",
    "                 Ohjelman pikanäppäimet",
    "  -----------------------------------------------------",
    "",
    "  F1                 =  Tämä ikkuna",
    "  F2                 =  Lista",
    "  F3                 =  Etsi / Etsi seuraava kortti",
    "  F4                 =  Järjestä",
    "  F5                 =  Poista kortti",
    "  F6                 =  Lisää Kortti",
    "",
    "  AltGr + Nuolet     =  Kortin vaihto",
    "  Ctrl + Home        =  Ensimmäinen kortti",
    "  Ctrl + End         =  Viimeinen kortti",
    "",
    "  Pitämällä Ctrl pohjassa näet kenttien",
    "  pikanäppäinyhdistelmät",
    "",
    "  Ctrl + E           =  Hae kortin tiedot Imdb:stä",
    "  Ctrl + L           =  Lainaa/Palauta elokuvia",
    "  Ctrl + S           =  Tallenna tietokanta",
    "  Ctrl + A           =  Avaa tietokanta",
    "  Ctrl + Z           =  Kumoa korttiin tehdyt muutokset",
    nullptr};

namespace {

// Paragraphs on one line each: the text area wraps them to its width.
const char* const kiitokset =
    "Kiitokset\n"
    "\n"
    "Rullakko on syntynyt monen ihmisen avulla. Kiitos kaikille, jotka ovat kokeilleet ohjelmaa, "
    "ilmoittaneet virheistä ja ehdottaneet parannuksia: jokainen palaute on vienyt ohjelmaa eteenpäin.\n"
    "\n"
    "Erityiskiitokset\n"
    "- testaajille, jotka jaksoivat ajaa ohjelmaa satojen ja tuhansien korttien tietokannoilla ja kertoivat, "
    "missä se oli hidas,\n"
    "- ulkoasujen ja kuvakkeiden tekijöille,\n"
    "- kaikille, jotka lähettivät omia tietokantojaan viitetietokannan pohjaksi,\n"
    "- niiden avoimen lähdekoodin kirjastojen tekijöille, joiden varassa ohjelma pakkaa tietokannat ja "
    "näyttää kansikuvat.\n"
    "\n"
    "Palautetta otetaan edelleen mielellään vastaan: kerro, mikä ohjelmassa toimii, mikä ei, ja mitä siihen "
    "pitäisi lisätä. Palautteen voi lähettää valikon kohdasta \"Toiminnot / Lähetä palautetta ohjelman "
    "tekijälle\".";

QString pikanappainteksti() {
    QStringList rivit;
    for (const char* const* r = Tkiitokset_form::pikanappaimet; *r; ++r) rivit << fi(*r);
    return rivit.join('\n');
}

}  // namespace

Tkiitokset_form::Tkiitokset_form(const Ulkoasu& ulkoasu, Tiedostojarjestelma& tiedostot, QWidget* parent)
    : QDialog(parent) {
    setObjectName("kiitokset_form");
    setWindowTitle(fi("Kiitokset!"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    kiitokset_memo = new QPlainTextEdit(this);
    kiitokset_memo->setObjectName("kiitokset_memo");
    pikanappaimet_memo = new QPlainTextEdit(this);
    pikanappaimet_memo->setObjectName("pikanappaimet_memo");
    // The columns of the shortcut list line up only in a fixed-pitch font.
    QFont tasavali = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    tasavali.setStyleHint(QFont::TypeWriter);
    tasavali.setPixelSize(11);
    for (QPlainTextEdit* m : {kiitokset_memo, pikanappaimet_memo}) {
        m->setReadOnly(true);
        m->setGeometry(8, 8, 417, 257);
        m->setLineWrapMode(QPlainTextEdit::NoWrap);
        m->setFont(tasavali);
    }
    QFont tavallinen = font();
    tavallinen.setPixelSize(12);
    kiitokset_memo->setFont(tavallinen);
    kiitokset_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    kiitokset_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    kiitokset_memo->setPlainText(q(kiitokset));
    pikanappaimet_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pikanappaimet_memo->setPlainText(pikanappainteksti());
    pikanappaimet_memo->hide();
    tausta_ = lataa_kuva(tiedostot, ulkoasu.tausta2);
    setFixedSize(434, 274);
}

void Tkiitokset_form::nayta_pikanappaimet() {
    kiitokset_memo->hide();
    pikanappaimet_memo->show();
    setWindowTitle(fi("Ohjelman pikanäppäimet"));
}

void Tkiitokset_form::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    if (tausta_.isNull()) return;
    QPainter maalari(this);
    maalari.drawPixmap(0, 0, tausta_);
}
