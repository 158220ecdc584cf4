#pragma once
// The program's windows in the colour scheme the student chose.
#include <QPalette>

#include "platform/colour_scheme.h"

namespace qd {

QPalette palette_of(const ColourScheme& scheme);

// "system" gives the windows the desktop's own palette back (the one the
// program started with); "light" and "dark" the program's schemes. Pages
// written after this follow the windows.
void apply_colour_choice(ColourChoice choice);

}  // namespace qd
