#include "storage/ui/kansipurkuajo.h"

#include <chrono>

#include "storage/avoimen_kannet.h"
#include "storage/kansipurku.h"

namespace {

// Short enough that typing and scrolling are not held up.
constexpr std::chrono::milliseconds palan_aika{8};

}  // namespace

Kansipurkuajo::Kansipurkuajo(Tietokanta& tk, QObject* vanhempi) : QObject(vanhempi), tk_(tk) {
    ajastin_.setInterval(0);
    connect(&ajastin_, &QTimer::timeout, this, &Kansipurkuajo::pala);
}

void Kansipurkuajo::aloita() {
    if (tk_.kansipurku) ajastin_.start();
}

void Kansipurkuajo::pala() {
    if (tk_.kansipurku && tk_.kansipurku->pura_pala(palan_aika)) return;
    ajastin_.stop();
    // The last slice is done: this tells the user about covers that could not be unpacked, once.
    odota_kannet(tk_);
}
