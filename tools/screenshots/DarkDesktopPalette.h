#pragma once

#include <QPalette>

namespace pemrix {

// A desktop in a dark theme: light text on dark grounds, as a dark GTK or KDE theme hands
// the application. The windows must stay dark on light under it.
QPalette DarkDesktopPalette();

// Hands the application that palette and the larger interface font such a theme brings, as
// the desktop would before the program starts.
void ApplyDarkDesktop();

} // namespace pemrix
