#include "diag/ui/suomennos.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace {

struct Kaannos {
    const char* konteksti;
    const char* lahde;
    const char* suomeksi;  // UTF-8
};

// What Qt's Finnish translation leaves in English in the dialogs the program shows.
constexpr Kaannos puuttuvat[] = {
    {"QAbstractFileIconProvider", "Folder", "Kansio"},
    {"QAbstractFileIconProvider", "File", "Tiedosto"},
    {"QAbstractFileIconProvider", "Drive", "Asema"},
    {"QAbstractFileIconProvider", "%1 File", "%1-tiedosto"},
    {"QFileDialog", "Computer", "Tietokone"},
    {"QFileDialog", "Cancel", "Peruuta"},
    {"QPlatformTheme", "&Save", "&Tallenna"},
    {"QPlatformTheme", "&Open", "&Avaa"},
};

// The size column of a file dialog, rewritten from the sizes themselves.
class Kokosarake final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& i, int rooli) const override {
        const auto* malli = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (rooli != Qt::DisplayRole || i.column() != 1 || !malli) return QIdentityProxyModel::data(i, rooli);
        const QModelIndex lahde = mapToSource(i);
        return malli->isDir(lahde) ? QString() : koko_tekstina(malli->size(lahde));
    }
};

}  // namespace

QString Suomennokset::Taydennys::translate(const char* konteksti, const char* lahde, const char*, int) const {
    for (const Kaannos& k : puuttuvat)
        if (std::strcmp(k.konteksti, konteksti) == 0 && std::strcmp(k.lahde, lahde) == 0)
            return QString::fromUtf8(k.suomeksi);
    return {};
}

Suomennokset::Suomennokset(QCoreApplication& app) : app_(app) {
    // Dates, numbers and the descriptions of file types too.
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    if (qt_.load(QStringLiteral("qtbase_fi"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qt_);
    // Installed last, asked first: only what it knows, the rest falls through to Qt's translation.
    app.installTranslator(&taydennys_);
}

Suomennokset::~Suomennokset() {
    app_.removeTranslator(&taydennys_);
    app_.removeTranslator(&qt_);
}

QString koko_tekstina(qint64 tavua) {
    const QLocale fi(QLocale::Finnish, QLocale::Finland);
    if (tavua < 1024) return fi.toString(tavua) + QStringLiteral(" tavua");
    static const char* const yksikot[] = {"kt", "Mt", "Gt", "Tt"};
    double arvo = static_cast<double>(tavua) / 1024;
    int i = 0;
    while (arvo >= 1024 && i < 3) {
        arvo /= 1024;
        ++i;
    }
    return fi.toString(arvo, 'f', arvo < 10 ? 1 : 0) + QLatin1Char(' ') + QLatin1String(yksikot[i]);
}

void suomenna_koot(QFileDialog& d) { d.setProxyModel(new Kokosarake(&d)); }
