#pragma once
// The menu items other subsystems connect, each registered once as the main window builds its menus.
#include <QAction>
#include <array>

#include "perus/ui/toiminto.h"

class Toimintorekisteri {
public:
    // The item built for `t`: shown, but it cannot be chosen until its subsystem connects it. Returned for
    // the builder to go on with.
    QAction* rekisteroi(Toiminto t, QAction* a) {
        ++kertoja_.at(indeksi(t));
        toiminnot_.at(indeksi(t)) = a;
        a->setEnabled(false);
        return a;
    }
    QAction* hae(Toiminto t) const { return toiminnot_.at(indeksi(t)); }
    // How many items were registered for `t`: exactly one once the menus are built.
    int kertoja(Toiminto t) const { return kertoja_.at(indeksi(t)); }

private:
    static std::size_t indeksi(Toiminto t) { return static_cast<std::size_t>(t); }

    std::array<QAction*, toimintoja> toiminnot_{};
    std::array<int, toimintoja> kertoja_{};
};
