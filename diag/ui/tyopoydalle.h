#pragma once
// Keeping a window on the desktop the user has: a window placed or sized for a bigger screen is brought
// into the available area of its screen (panels left out), made smaller only when it cannot fit.
class QWidget;

void pida_tyopoydalla(QWidget* ikkuna);
