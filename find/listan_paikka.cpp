#include "find/listan_paikka.h"

Vierekkain liitetyn_listan_paikka(int paa_x, int lista_leveys) {
    const int x = paa_x - lista_leveys + 1;
    if (x >= 0) return {x, paa_x};
    return {0, lista_leveys - 1};
}
