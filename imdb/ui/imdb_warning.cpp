#include "imdb/ui/imdb_warning.h"

#include <QHBoxLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"

namespace {

constexpr const char* ehdot =
    "KÄYTTÖEHDOT\n"
    "------------------------------------------------------------------\n"
    "Internet Movie Databasesta haettaessa tietoja ohjelman käyttäjä ottaa \n"
    "kaiken vastuun mahdollisista seurauksista. The Internet Movie \n"
    "Database Ltd:llä on mm. oikeus poistaa sinulta pääsy heidän \n"
    "palvelimelleen, mikäli he niin päättävät.\n"
    "\n"
    "Tarkemmat copyright ja terms of use tiedot löydät  osoitteista:\n"
    "http://www.imdb.com/help/show_article?conditions\n"
    "http://www.imdb.com/help/show_leaf?usage\n";

}  // namespace

Timdb_warning::Timdb_warning(QWidget* isa) : QDialog(isa) {
    setObjectName("imdb_warning");
    setWindowTitle("User-agreement");
    Memo = new QTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    Memo->setPlainText(fi(ehdot));
    Memo->setLineWrapMode(QTextEdit::NoWrap);
    QTextCursor otsake(Memo->document()->firstBlock());
    QTextBlockFormat keskella;
    keskella.setAlignment(Qt::AlignHCenter);
    otsake.mergeBlockFormat(keskella);
    QPalette p = Memo->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    Memo->setPalette(p);
    QFontMetrics m(Memo->font());
    Memo->setMinimumSize(m.horizontalAdvance(QString(70, QLatin1Char('n'))), m.lineSpacing() * 12);

    jatka_button = new QPushButton(fi("&Jatka"), this);
    jatka_button->setObjectName("jatka_button");
    jatka_button->setDefault(true);
    peruuta_button = new QPushButton(fi("&Peruuta"), this);
    peruuta_button->setObjectName("peruuta_button");
    connect(jatka_button, &QPushButton::clicked, this, &QDialog::accept);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);

    auto* napit = new QHBoxLayout;
    napit->addStretch();
    napit->addWidget(jatka_button);
    napit->addWidget(peruuta_button);
    auto* asettelu = new QVBoxLayout(this);
    asettelu->addWidget(Memo);
    asettelu->addLayout(napit);
}
