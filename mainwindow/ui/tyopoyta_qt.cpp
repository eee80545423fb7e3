#include "mainwindow/ui/tyopoyta_qt.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QPrinterInfo>
#include <QUrl>

#include "diag/ui/suomennos.h"

namespace {

// Size, type and date show whole and the name takes the rest: the default column widths cut them.
void sovita_sarakkeet(QFileDialog& d) {
    d.setOption(QFileDialog::DontUseNativeDialog);
    suomenna_koot(d);
    d.resize(760, 440);
    auto* puu = d.findChild<QTreeView*>("treeView");
    if (!puu) return;
    QHeaderView* otsake = puu->header();
    otsake->setStretchLastSection(false);
    otsake->setSectionResizeMode(QHeaderView::ResizeToContents);
    otsake->setSectionResizeMode(0, QHeaderView::Stretch);
}

}  // namespace

QString QtTyopoyta::valitse_avattava(QWidget* isa, const QString& otsikko, const QString& suodatin) {
    // Any name is accepted: a name that does not exist is how a new catalogue is asked for.
    QFileDialog d(isa, otsikko, QDir::currentPath(), suodatin);
    d.setObjectName("OpenDialog");
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::AnyFile);
    sovita_sarakkeet(d);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

QString QtTyopoyta::valitse_tallennettava(QWidget* isa, const QString& otsikko, const QString& suodatin,
                                          const QString& paate) {
    QFileDialog d(isa, otsikko, QDir::currentPath(), suodatin);
    d.setObjectName("SaveDialog");
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(paate);
    sovita_sarakkeet(d);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

bool QtTyopoyta::avaa_osoite(const QUrl& osoite) { return QDesktopServices::openUrl(osoite); }

bool QtTyopoyta::tulostin_olemassa() { return !QPrinterInfo::availablePrinters().isEmpty(); }

void QtTyopoyta::piippaa() { QApplication::beep(); }

int QtTyopoyta::nayta_dialogi(QDialog& d) { return d.exec(); }
