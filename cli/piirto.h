#pragma once
// What the commands that draw (labels, the printed list) need of Qt besides the drawing itself; kept apart
// so that the other commands do not depend on it.
#include <memory>

class QGuiApplication;

// Qt's fonts, pictures and PDF output for a command, without a display; lives while the command draws.
class Piirtoymparisto {
public:
    Piirtoymparisto();
    ~Piirtoymparisto();
    Piirtoymparisto(const Piirtoymparisto&) = delete;
    Piirtoymparisto& operator=(const Piirtoymparisto&) = delete;

private:
    int argc_ = 1;
    char nimi_[4] = "rkb";
    char* argv_[2] = {nimi_, nullptr};
    std::unique_ptr<QGuiApplication> sovellus_;
};
