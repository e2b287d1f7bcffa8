#pragma once

#include <QPalette>

// The program's colours: white text on black, as the player has always looked, with the
// menus, tabs and buttons in the same dark scheme so that every text stays readable.
QPalette darkPalette();
