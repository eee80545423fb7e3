// tee_kuvat DATA_DIR [NAME...]: draws the installation pictures into DATA_DIR.
#include <QGuiApplication>
#include <cstdio>
#include <map>

#include "kuvat.h"

static std::map<QString, std::function<bool(const QString&)>>& tehtavat() {
    static std::map<QString, std::function<bool(const QString&)>> t;
    return t;
}

RekisteroiKuva::RekisteroiKuva(QString nimi, std::function<bool(const QString&)> piirra) {
    tehtavat()[nimi] = std::move(piirra);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tee_kuvat DATA_DIR [NAME...]\n");
        return 1;
    }
    const QString data = QString::fromLocal8Bit(argv[1]);
    int virheet = 0;
    for (const auto& [nimi, piirra] : tehtavat()) {
        bool valittu = argc == 2;
        for (int i = 2; i < argc; ++i) valittu |= nimi == QString::fromLocal8Bit(argv[i]);
        if (!valittu) continue;
        const bool ok = piirra(data);
        std::fprintf(stderr, "%s %s\n", ok ? "ok  " : "FAIL", qPrintable(nimi));
        virheet += ok ? 0 : 1;
    }
    return virheet ? 1 : 0;
}
