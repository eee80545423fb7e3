#pragma once
// The catalogue statistics box of the Help menu.
class Paaikkuna;

// One information box with the figures of the open catalogue.
void nayta_tilastot(Paaikkuna& p);
