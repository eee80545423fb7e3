#include "diag/ui/debug_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "diag/loki.h"
#include "diag/ui/teksti.h"

TDebug_Form::TDebug_Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Debug_Form");
    setWindowTitle(fi("Debuggeri"));
    setMinimumHeight(korkeus);
    setMaximumHeight(korkeus);
    resize(420, korkeus);

    Debug_Box = new QListWidget(this);
    Debug_Box->setObjectName("Debug_Box");
    Debug_Box->setGeometry(0, 0, width() - 10, 440);
    Clear_button = new QPushButton(fi("Clear"), this);
    Clear_button->setObjectName("Clear_button");
    Clear_button->setGeometry(8, 448, 75, 25);
    debug_enabled = new QCheckBox(fi("Debuggeri näytölle"), this);
    debug_enabled->setObjectName("debug_enabled");
    debug_enabled->setGeometry(8, 480, 190, 20);
    debug2file = new QCheckBox(fi("Debuggeri tiedostoon"), this);
    debug2file->setObjectName("debug2file");
    debug2file->setGeometry(200, 480, 200, 20);

    connect(Clear_button, &QPushButton::clicked, this, &TDebug_Form::Clear_buttonClick);
    connect(debug_enabled, &QCheckBox::toggled, this, [](bool b) { diag::loki().aseta_naytolle(b); });
    connect(debug2file, &QCheckBox::toggled, this, [](bool b) { diag::loki().aseta_tiedostoon(b); });

    paivita_rivit();
    paivita_kytkimet();
}

void TDebug_Form::rivit_muuttuivat() {
    paivita_rivit();
    if (isVisible()) repaint();
    QApplication::processEvents();
}

void TDebug_Form::Clear_buttonClick() { diag::loki().tyhjenna_rivit(); }

void TDebug_Form::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Debug_Box->resize(width() - 10, Debug_Box->height());
}

void TDebug_Form::paivita_rivit() {
    Debug_Box->clear();
    for (const std::string& rivi : diag::loki().rivit()) Debug_Box->addItem(q_nakyva(rivi));
    Debug_Box->scrollToBottom();
}

void TDebug_Form::paivita_kytkimet() {
    const QSignalBlocker a(debug_enabled), b(debug2file);
    debug_enabled->setChecked(diag::loki().naytolle());
    debug2file->setChecked(diag::loki().tiedostoon());
}
