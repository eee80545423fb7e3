#include "export/ui/tallenna_html_lista_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/ui/teksti.h"
#include "perus/ui/paaikkuna.h"
#include "storage/varasto.h"

Ttallenna_html_lista_form::Ttallenna_html_lista_form(Paaikkuna& p, QWidget* parent) : QDialog(parent), p_(p) {
    setWindowTitle(fi("Tallenna elokuvalista html-tiedostoon"));
    const Html_asetukset oletus;
    auto valinta = [this](const char* nimi, const char* teksti, bool paalla) {
        auto* c = new QCheckBox(fi(teksti), this);
        c->setObjectName(nimi);
        c->setChecked(paalla);
        return c;
    };
    lisaa_nro = valinta("lisaa_nro", "Kas./lev. nro", oletus.lisaa_nro);
    lisaa_paaos = valinta("lisaa_paaos", "Pääos.", oletus.lisaa_paaos);
    lisaa_vuosi = valinta("lisaa_vuosi", "Tuotanto vuosi", oletus.lisaa_vuosi);
    lisaa_luokitus = valinta("lisaa_luokitus", "Luokitus", oletus.lisaa_luokitus);
    lisaa_kesto = valinta("lisaa_kesto", "Kesto", oletus.lisaa_kesto);
    lisaa_formaatti = valinta("lisaa_formaatti", "Formaatti", oletus.lisaa_formaatti);
    lisaa_aaniraita = valinta("lisaa_aaniraita", "Ääniraita", oletus.lisaa_aaniraita);
    lisaa_arvosana = valinta("lisaa_arvosana", "Arvosana", oletus.lisaa_arvosana);

    auto* sarakkeet = new QGroupBox(fi("Laita listaan elokuvan nimen lisäksi"), this);
    auto* sg = new QGridLayout(sarakkeet);
    const QCheckBox* jarjestys[] = {lisaa_nro, lisaa_paaos, lisaa_vuosi, lisaa_luokitus,
                                    lisaa_kesto, lisaa_formaatti, lisaa_aaniraita, lisaa_arvosana};
    for (int i = 0; i < 8; ++i) sg->addWidget(const_cast<QCheckBox*>(jarjestys[i]), i % 4, i / 4);

    auto kentta = [this](const char* nimi, const std::string& oletusteksti) {
        auto* e = new QLineEdit(q(oletusteksti), this);
        e->setObjectName(nimi);
        e->setMinimumWidth(300);
        return e;
    };
    table = kentta("table", oletus.table);
    td = kentta("td", oletus.td);
    td_kasnum = kentta("td_kasnum", oletus.td_kasnum);
    td_sarakkeet = kentta("td_sarakkeet", oletus.td_sarakkeet);
    auto* ulkoasu = new QGroupBox(fi("html - ulkoasu"), this);
    auto* uf = new QFormLayout(ulkoasu);
    uf->addRow(fi("table"), table);
    uf->addRow(fi("td (muut)"), td);
    uf->addRow(fi("td (kasetin / levyn nro sarake)"), td_kasnum);
    uf->addRow(fi("td (sarakkeen nimet)"), td_sarakkeet);

    tallenna_button = new QPushButton(fi("Tallenna"), this);
    tallenna_button->setObjectName("tallenna_button");
    tallenna_button->setDefault(true);
    peruuta_button = new QPushButton(fi("Peruuta"), this);
    peruuta_button->setObjectName("peruuta_button");
    connect(tallenna_button, &QPushButton::clicked, this, &Ttallenna_html_lista_form::tallenna_buttonClick);
    connect(peruuta_button, &QPushButton::clicked, this, &QDialog::reject);
    auto* napit = new QHBoxLayout;
    napit->addStretch();
    napit->addWidget(tallenna_button);
    napit->addWidget(peruuta_button);

    auto* l = new QVBoxLayout(this);
    l->addWidget(sarakkeet);
    l->addWidget(ulkoasu);
    l->addLayout(napit);
    l->setSizeConstraint(QLayout::SetFixedSize);
}

Html_asetukset Ttallenna_html_lista_form::valinnat() const {
    Html_asetukset a;
    a.lisaa_nro = lisaa_nro->isChecked();
    a.lisaa_paaos = lisaa_paaos->isChecked();
    a.lisaa_vuosi = lisaa_vuosi->isChecked();
    a.lisaa_luokitus = lisaa_luokitus->isChecked();
    a.lisaa_kesto = lisaa_kesto->isChecked();
    a.lisaa_formaatti = lisaa_formaatti->isChecked();
    a.lisaa_aaniraita = lisaa_aaniraita->isChecked();
    a.lisaa_arvosana = lisaa_arvosana->isChecked();
    a.table = cp(table->text());
    a.td = cp(td->text());
    a.td_kasnum = cp(td_kasnum->text());
    a.td_sarakkeet = cp(td_sarakkeet->text());
    return a;
}

void Ttallenna_html_lista_form::tallenna_buttonClick() {
    const QString nimi = p_.tyopoyta().valitse_tallennettava(this, windowTitle(), fi("HTML-tiedosto (*.html)"),
                                                             QStringLiteral("html"));
    if (nimi.isEmpty()) return;
    Varasto& v = p_.varasto();
    p_.dosavefields();
    const Tulos t = kirjoita_html_lista(v.tj(), std::filesystem::path(nimi.toStdString()), v.tk().kortit, valinnat());
    // Cards without a rating now carry "0", the current one included.
    p_.update_fields();
    if (!t) v.viestit.virhe(t.viesti);
}
