#include "cli/piirto.h"

#include <QGuiApplication>

Piirtoymparisto::Piirtoymparisto() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    sovellus_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

Piirtoymparisto::~Piirtoymparisto() = default;
