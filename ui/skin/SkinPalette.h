#pragma once

#include <QPalette>

namespace pemrix {

// The skin's colours for text, fields, lists and selections: dark text on white, the same
// under every desktop theme, since the skin paints its white ground itself and a dark theme's
// light text would vanish on it. Every role of every colour group is set, so a palette the
// desktop or the application brings later changes nothing in a window that has this one.
QPalette SkinPalette();

} // namespace pemrix
