#pragma once
// Where the list window goes in its attached form: beside the main window, its right edge one pixel over
// the main window's left edge, tops level; when that would cross the screen's left edge the list sits at
// x 0 and the main window moves right to make room.
struct Vierekkain {
    int lista_x;
    int paa_x;
};
Vierekkain liitetyn_listan_paikka(int paa_x, int lista_leveys);
